// Shared main of every test binary: runs the module start-up of the folder under test (and of the
// folders it uses) before the tests, and the shut-down after them, as the program does; errors the
// program would show the user fail the running test, and the program's resources are found.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/rtl/ModuleInit.h"
#include "platform/rtl/TestFailureReport.h"

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define TRENVIK_NAME_CRASHED_TEST 1
#endif

void TRENVIK_REGISTER_MODULES();

namespace {

#ifdef TRENVIK_NAME_CRASHED_TEST
// A sanitizer report ends the process before the test can fail; the name of the test that was
// running goes last, where scripts/test collects the failing cases.
void NameCrashedTest() {
  if (const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info())
    std::fprintf(stderr, "[  CRASHED ] %s.%s\n", test->test_suite_name(), test->name());
}
#endif

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // A test binary has no resources/ beside it: the source tree's folder serves, unless the caller
  // names another one.
  setenv("TRENVIK_RESOURCES", TRENVIK_SOURCE_RESOURCES_DIR, 0);
  // An exception no handler took fails the running test instead of waiting on an error box.
  SetTestFailureReporter([](const std::string& What) { ADD_FAILURE() << What; });
#ifdef TRENVIK_NAME_CRASHED_TEST
  __sanitizer_set_death_callback(NameCrashedTest);
#endif
  TRENVIK_REGISTER_MODULES();
  InitializeModules();
  int result = RUN_ALL_TESTS();
  FinalizeModules();
  return result;
}
