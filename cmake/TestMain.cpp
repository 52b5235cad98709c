// Shared main of every test binary: runs the module start-up of the folder under test (and of the
// folders it uses) before the tests, and the shut-down after them, as the program does.
#include <gtest/gtest.h>

#include "platform/rtl/ModuleInit.h"

void TRENVIK_REGISTER_MODULES();

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  TRENVIK_REGISTER_MODULES();
  InitializeModules();
  int result = RUN_ALL_TESTS();
  FinalizeModules();
  return result;
}
