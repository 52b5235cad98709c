// Control tests that switch the regional settings: the settings in force before the test come
// back after it; typing into a text editor as its key handling sees each character.
#pragma once

#include "cx/editors/cxTextEdit.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/rtl/FormatSettings.h"

class CxLocaleControlsTest : public CxControlsTest {
 protected:
  // AInitialLocale: the settings the test starts with (empty: the ones in force).
  explicit CxLocaleControlsTest(const char* AInitialLocale = nullptr) : initialLocale_(AInitialLocale) {}
  void SetUp() override {
    CxControlsTest::SetUp();
    saved_ = FormatSettings();
    if (initialLocale_) SetLocale(initialLocale_);
  }
  void TearDown() override {
    SetFormatSettings(saved_);
    CxControlsTest::TearDown();
  }

  // Empties the edit, then gives it each character as a key press; a character its handling keeps
  // is appended at the caret's end. Answers the text the edit shows.
  static String TypeKeys(TcxCustomTextEdit* AEdit, const String& AKeys) {
    AEdit->SetText(String());
    for (Char c : AKeys) {
      Char key = c;
      AEdit->KeyPress(key);
      if (key == 0) continue;
      AEdit->SetText(AEdit->Text() + String(1, key));
      AEdit->SetSelStart(static_cast<int>(AEdit->Text().size()));
    }
    return AEdit->Text();
  }

 private:
  const char* initialLocale_;
  TFormatSettings saved_;
};
