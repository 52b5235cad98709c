// The demonstration form read from its form file, shown in front on the virtual clock, for tests
// that use it as a person would.
#pragma once

#include <vector>

#include "dx/bars/tests/dxBarDemoForm.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

class DxBarDemoUiTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    delete form;  // the fixture's own form gives way to the one read from the file
    demo = NewBarsDemoForm();
    form = demo;
    manager = demo->BarManager;
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  TdxBarItemLink* LinkOf(const char16_t* BarName, int Index) const {
    return demo->Bar(BarName)->ItemLinks()->Items(Index);
  }
  std::vector<String> TakeClicks() {
    std::vector<String> clicks;
    clicks.swap(demo->Clicks);
    return clicks;
  }

  TdxBarsDemoForm* demo = nullptr;
};
