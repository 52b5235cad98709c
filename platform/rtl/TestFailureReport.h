// Test binaries turn what the program would show the user as an unhandled error into a failure of
// the running test: headless, a modal error box has nobody to close it and the test would hang.
#pragma once

#include <functional>
#include <string>

using TTestFailureReporter = std::function<void(const std::string& What)>;

// Set by the test main before the modules start; empty in the program.
void SetTestFailureReporter(TTestFailureReporter Reporter);
const TTestFailureReporter& TestFailureReporter();

// The tests of the error box itself: the reporter is away for the scope.
class TTestFailureReportAway {
 public:
  TTestFailureReportAway() : saved_(TestFailureReporter()) { SetTestFailureReporter(nullptr); }
  ~TTestFailureReportAway() { SetTestFailureReporter(std::move(saved_)); }
  TTestFailureReportAway(const TTestFailureReportAway&) = delete;
  TTestFailureReportAway& operator=(const TTestFailureReportAway&) = delete;

 private:
  TTestFailureReporter saved_;
};
