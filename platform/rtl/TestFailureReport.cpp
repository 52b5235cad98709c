#include "platform/rtl/TestFailureReport.h"

namespace {

TTestFailureReporter& Reporter() {
  static TTestFailureReporter reporter;
  return reporter;
}

}  // namespace

void SetTestFailureReporter(TTestFailureReporter Value) { Reporter() = std::move(Value); }

const TTestFailureReporter& TestFailureReporter() { return Reporter(); }
