// A fixture with one shown form in the fixed-metrics test font (characters 8 x 16 pixels).
#pragma once

#include "platform/forms/tests/FormsTestSupport.h"

class FixedFontFormTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 400, 300);
    form->Font()->SetName(kFixedTestFontName);
    form->Font()->SetHeight(-16);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
};
