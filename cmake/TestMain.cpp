// Shared main of every test binary: runs the module start-up of the folder under test (and of the
// folders it uses) before the tests, and the shut-down after them, as the program does; errors the
// program would show the user fail the running test, and the program's resources are found.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/rtl/ModuleInit.h"
#include "platform/rtl/TestFailureReport.h"

void TRENVIK_REGISTER_MODULES();

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // A test binary has no resources/ beside it: the source tree's folder serves, unless the caller
  // names another one.
  setenv("TRENVIK_RESOURCES", TRENVIK_SOURCE_RESOURCES_DIR, 0);
  // An exception no handler took fails the running test instead of waiting on an error box.
  SetTestFailureReporter([](const std::string& What) { ADD_FAILURE() << What; });
  TRENVIK_REGISTER_MODULES();
  InitializeModules();
  int result = RUN_ALL_TESTS();
  FinalizeModules();
  return result;
}
