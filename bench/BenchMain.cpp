// Shared main of every benchmark: the module start-up of the libraries measured runs first, as in
// the program and the tests.
#include <benchmark/benchmark.h>

#include "platform/rtl/ModuleInit.h"

void TRENVIK_REGISTER_MODULES();

int main(int argc, char** argv) {
  TRENVIK_REGISTER_MODULES();
  InitializeModules();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FinalizeModules();
  return 0;
}
