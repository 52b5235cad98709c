#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cx/editors/cxMaskEditRegExprMode.h"
#include "cx/editors/cxMaskEditStandardMode.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

// A headless stand-in for a masked editor: an inner edit (text, selection, caret), the default
// processing of keys, and the key routing of the masked editor in front of its mode.
class FakeMaskEditor : public IcxMaskEditModeEditor, public IcxMaskEditModeSettings {
 public:
  template <class Mode>
  Mode& Use(const String& AMask) {
    auto mode = std::make_unique<Mode>(this, this);
    Mode& result = *mode;
    mode_ = std::move(mode);
    mode_->Compile(AMask);
    return result;
  }
  TcxMaskEditCustomMode& Mode() { return *mode_; }

  // Shows a value and puts the caret where a click would.
  void Show(const String& AText, int ACaret) {
    text = AText;
    selStart = selLength = 0;
    mode_->SetText(text);
    MaskSetSelStart(ACaret);
  }
  void Select(int AStart, int ALength) {
    MaskSetSelStart(AStart);
    MaskSetSelLength(ALength);
  }

  void KeyDown(WORD AKey, bool AShift = false) {
    shift = AShift;
    bool passes = true;
    switch (AKey) {
      case VK_LEFT: {
        const bool atStart = mode_->IsCaretAtStart();
        passes = mode_->PressLeft();
        if (!passes && atStart) ++keyDownEvents;
        break;
      }
      case VK_RIGHT: {
        const bool atEnd = mode_->IsCaretAtEnd();
        passes = mode_->PressRight();
        if (!passes && atEnd) ++keyDownEvents;
        break;
      }
      case VK_DELETE:
        if (AShift && selLength == 0) {
          // Performed as the Backspace it stands for, not as the default Delete.
          if (mode_->PressBackspace()) DefaultKeyPress(8);
          return;
        }
        passes = mode_->PressDelete();
        break;
      case VK_HOME: passes = mode_->PressHome(); break;
      case VK_END: passes = mode_->PressEnd(); break;
      default: break;
    }
    if (passes) DefaultKeyDown(AKey);
  }
  void Type(const String& AKeys) {
    for (Char c : AKeys) {
      const bool passes = c == 8 ? mode_->PressBackspace() : mode_->PressSymbol(c);
      if (passes) DefaultKeyPress(c);
    }
  }
  void Paste(const String& AText) {
    clipboard = AText;
    mode_->InsertLength = static_cast<int>(AText.size());
    mode_->BeforePaste();
    ReplaceSelection(AText);
    mode_->AfterPaste();
  }

  // IcxMaskEditModeEditor
  String MaskText() override { return text; }
  int MaskSelStart() override { return selStart; }
  int MaskSelLength() override { return selLength; }
  void MaskSetSelStart(int Value) override {
    SetInnerSelStart(Value);
    mode_->CaretChanged();
  }
  void MaskSetSelLength(int Value) override {
    SetInnerSelLength(Value);
    mode_->CaretChanged();
  }
  int CaretIndex() override { return selStart + selLength; }
  void SetInnerSelStart(int Value) override {
    selStart = std::clamp(Value, 0, Length());
    selLength = 0;
  }
  void SetInnerSelLength(int Value) override { selLength = std::clamp(Value, 0, Length() - selStart); }
  // Like a native edit given new text, the caret goes to the start.
  void SetInnerEditDisplayText(const String& Value) override {
    text = Value;
    selStart = selLength = 0;
  }
  String BindingDisplayText() override { return text; }
  void SetBindingDisplayText(const String& Value) override { SetInnerEditDisplayText(Value); }
  bool ShiftDown() override { return shift; }
  void SetShiftDown(bool Value) override { shift = Value; }
  void SendInternalKeyDown(WORD Key) override { DefaultKeyDown(Key); }
  void SendInternalKeyPress(Char Key) override { DefaultKeyPress(Key); }
  bool MaskHandleAllocated() override { return true; }
  bool MaskInEffect() override { return true; }
  bool IsEditUnavailable() override { return false; }
  String ClipboardText() override { return clipboard; }
  bool ModifiedAfterEnter() override { return false; }
  String CurrentDisplayText() override { return text; }
  String PreparedDisplayText() override { return mode_->Format(editValue); }
  void SetMaskEditValue(const Variant& Value) override {
    editValue = VarToStr(Value);
    text = editValue;
    mode_->SetText(text);
  }

  // IcxMaskEditModeSettings
  bool BeepOnError() override { return true; }
  bool IgnoreMaskBlank() override { return ignoreMaskBlank; }
  bool CaseInsensitive() override { return true; }

  String text;
  int selStart = 0;
  int selLength = 0;
  bool shift = false;
  bool ignoreMaskBlank = false;
  int keyDownEvents = 0;
  String clipboard;
  String editValue;

 private:
  int Length() const { return static_cast<int>(text.size()); }
  void ReplaceSelection(const String& AText) {
    text.replace(static_cast<size_t>(selStart), static_cast<size_t>(selLength), AText);
    selStart += static_cast<int>(AText.size());
    selLength = 0;
  }
  void DefaultKeyPress(Char c) {
    if (c != 8) return ReplaceSelection(String(1, c));
    if (selLength == 0 && selStart > 0) {
      --selStart;
      selLength = 1;
    }
    ReplaceSelection(String());
  }
  void DefaultKeyDown(WORD AKey) {
    switch (AKey) {
      case VK_DELETE:
        if (selLength == 0 && selStart < Length()) selLength = 1;
        ReplaceSelection(String());
        break;
      case VK_LEFT: SetInnerSelStart(selLength > 0 ? selStart : selStart - 1); break;
      case VK_RIGHT: SetInnerSelStart(selLength > 0 ? selStart + selLength : selStart + 1); break;
      case VK_HOME: SetInnerSelStart(0); break;
      case VK_END: SetInnerSelStart(Length()); break;
      default: break;
    }
  }

  std::unique_ptr<TcxMaskEditCustomMode> mode_;
};

class MaskEditModeTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  int BeepsSince(int ABefore) const { return MessageBeepCount() - ABefore; }

  FakeMaskEditor edit;
};

// ---- Standard mode ----

TEST_F(MaskEditModeTest, StandardModeTypesOverLiteralsAndRefusesOtherCharacters) {
  auto& mode = edit.Use<TcxMaskEditStandardMode>(u"(999)000");
  edit.Show(mode.GetEmptyString(), 0);
  EXPECT_EQ(edit.text, u"(___)___");
  EXPECT_EQ(edit.selLength, 1);  // the character at the caret is always selected

  edit.Type(u"1");
  EXPECT_EQ(edit.text, u"(1__)___");
  EXPECT_EQ(edit.selStart, 2);
  EXPECT_EQ(edit.selLength, 1);

  const int beeps = MessageBeepCount();
  edit.Type(u"x");
  EXPECT_EQ(edit.text, u"(1__)___");
  EXPECT_EQ(edit.selStart, 2);
  EXPECT_EQ(BeepsSince(beeps), 1);
}

TEST_F(MaskEditModeTest, StandardModeCaretSkipsLiteralsAndStopsAtTheStart) {
  edit.Use<TcxMaskEditStandardMode>(u"(999)000");
  edit.Show(u"(123)456", 3);
  edit.KeyDown(VK_RIGHT);
  EXPECT_EQ(edit.selStart, 5);  // over ")"
  edit.KeyDown(VK_LEFT);
  EXPECT_EQ(edit.selStart, 3);

  edit.MaskSetSelStart(1);
  edit.KeyDown(VK_LEFT);
  EXPECT_EQ(edit.selStart, 1);
  EXPECT_EQ(edit.keyDownEvents, 1);  // the container gets the key

  edit.KeyDown(VK_HOME);
  EXPECT_EQ(edit.selStart, 1);  // Home lands on the first position that takes characters
  edit.KeyDown(VK_END);
  EXPECT_EQ(edit.selStart, 8);
}

TEST_F(MaskEditModeTest, StandardModeDeletingPutsBlanksBackAndKeepsLiterals) {
  edit.Use<TcxMaskEditStandardMode>(u"(999)000");
  edit.Show(u"(12_)___", 3);
  edit.Type(u"\b");
  EXPECT_EQ(edit.text, u"(1__)___");
  EXPECT_EQ(edit.selStart, 2);
  EXPECT_EQ(edit.selLength, 1);

  edit.Show(u"(12_)___", 0);
  edit.Select(0, 3);
  edit.KeyDown(VK_DELETE);
  EXPECT_EQ(edit.text, u"(___)___");
}

TEST_F(MaskEditModeTest, StandardModeCaseControlTypingOnLiteralAndPaste) {
  auto& mode = edit.Use<TcxMaskEditStandardMode>(u">LL");
  edit.Show(mode.GetEmptyString(), 0);
  edit.Type(u"ab");
  EXPECT_EQ(edit.text, u"AB");

  auto& phone = edit.Use<TcxMaskEditStandardMode>(u"(999)000");
  edit.Show(phone.GetEmptyString(), 4);  // the caret on ")"
  edit.Type(u"7");
  EXPECT_EQ(edit.text, u"(___)7__");

  edit.Show(phone.GetEmptyString(), 1);
  edit.Paste(u"123");
  EXPECT_EQ(edit.text, u"(123)___");
  EXPECT_EQ(edit.selStart, 5);
  EXPECT_EQ(edit.selLength, 1);
}

TEST_F(MaskEditModeTest, StandardModeValidationFollowsIgnoreMaskBlank) {
  auto& mode = edit.Use<TcxMaskEditStandardMode>(u"(999)000");
  EXPECT_FALSE(mode.IsFullValid(u"(1__)___"));
  EXPECT_TRUE(mode.IsFullValid(u"(1__)234"));
  edit.ignoreMaskBlank = true;
  EXPECT_TRUE(mode.IsFullValid(u"(1__)___"));
}

TEST_F(MaskEditModeTest, StandardModeBlankMaskKeepsTheEarlierItems) {
  auto& mode = edit.Use<TcxMaskEditStandardMode>(u"00");
  mode.Compile(u" \t\r\n");
  EXPECT_EQ(mode.MaskText, u" \t\r\n");
  EXPECT_EQ(mode.GetEmptyString(), u"__");
}

// ---- Regular-expression mode ----

TEST_F(MaskEditModeTest, RegExprModeInsertsAcceptedCharactersOnly) {
  edit.Use<TcxMaskEditRegExprMode>(u"\\d+");
  edit.Show(u"", 0);
  const int beeps = MessageBeepCount();
  edit.Type(u"12a3");
  EXPECT_EQ(edit.text, u"123");
  EXPECT_EQ(BeepsSince(beeps), 1);
  edit.KeyDown(VK_HOME);
  edit.Type(u"9");
  EXPECT_EQ(edit.text, u"9123");
  EXPECT_EQ(edit.selStart, 1);
}

TEST_F(MaskEditModeTest, RegExprModeCutsOffTheTailThatNoLongerFits) {
  auto& mode = edit.Use<TcxMaskEditRegExprMode>(u"[a-z]\\d");
  edit.Show(u"a1", 2);
  edit.KeyDown(VK_HOME);
  const int beeps = MessageBeepCount();
  edit.Type(u"5");  // a digit cannot start the text
  EXPECT_EQ(edit.text, u"a1");
  EXPECT_EQ(BeepsSince(beeps), 1);
  edit.Type(u"b");
  EXPECT_EQ(edit.text, u"b");
  EXPECT_EQ(mode.Left + mode.Right, edit.text);
}

TEST_F(MaskEditModeTest, RegExprModeReplacesASelectionOrRefusesInTheMiddle) {
  edit.Use<TcxMaskEditRegExprMode>(u"ab|cd");
  edit.Show(u"ab", 1);
  edit.Type(u"x");
  EXPECT_EQ(edit.text, u"ab");
  edit.Select(0, 2);
  edit.Type(u"c");
  EXPECT_EQ(edit.text, u"c");
  edit.Type(u"d");
  EXPECT_EQ(edit.text, u"cd");
}

// Deleting the first character leaves no text the mask refuses: the rest that no longer fits goes too.
TEST_F(MaskEditModeTest, RegExprModeDeleteAtTheStartLeavesAFittingText) {
  auto& mode = edit.Use<TcxMaskEditRegExprMode>(u"[a-z]\\d");
  edit.Show(u"a1", 0);
  edit.KeyDown(VK_DELETE);
  EXPECT_EQ(edit.text, u"");
  EXPECT_TRUE(mode.IsFullValid(edit.text));

  auto& digits = edit.Use<TcxMaskEditRegExprMode>(u"[a-z]\\d\\d");
  edit.Show(u"a12", 1);
  edit.KeyDown(VK_DELETE);
  EXPECT_EQ(edit.text, u"a2");
  EXPECT_EQ(digits.Left + digits.Right, edit.text);
}

TEST_F(MaskEditModeTest, RegExprModeSplitFollowsTheCaretAndSelections) {
  auto& mode = edit.Use<TcxMaskEditRegExprMode>(u"\\w+");
  edit.Show(u"abcdef", 6);
  EXPECT_EQ(mode.Left, u"abcdef");
  edit.Select(2, 3);  // the caret at the selection's end
  EXPECT_EQ(mode.Left, u"abcde");
  edit.MaskSetSelStart(1);
  EXPECT_EQ(mode.Left, u"a");
  edit.Select(4, 1);
  edit.Type(u"Z");
  EXPECT_EQ(edit.text, u"abcdZf");
  EXPECT_EQ(mode.Left + mode.Right, edit.text);

  edit.MaskSetSelStart(2);
  edit.KeyDown(VK_DELETE, /*AShift=*/true);  // Shift+Delete without a selection is Backspace
  EXPECT_EQ(edit.text, u"acdZf");
}

TEST_F(MaskEditModeTest, RegExprSetTextSplitsBehindAnInsertion) {
  auto& mode = edit.Use<TcxMaskEditRegExprMode>(u"\\w+");
  edit.Show(u"ab", 1);
  mode.InsertLength = 2;
  mode.SetText(u"abcdef");
  EXPECT_EQ(mode.Left, u"abc");
  EXPECT_EQ(mode.Right, u"def");
  EXPECT_EQ(mode.InsertLength, 0);
}

TEST_F(MaskEditModeTest, RegExprCompileErrorsGiveOneLinePerError) {
  for (auto make : {+[](FakeMaskEditor& e) -> TcxMaskEditCustomMode& { return e.Use<TcxMaskEditRegExprMode>(u"a"); },
                    +[](FakeMaskEditor& e) -> TcxMaskEditCustomMode& { return e.Use<TcxMaskEditRegExprExMode>(u"a"); }}) {
    TcxMaskEditCustomMode& mode = make(edit);
    try {
      mode.Compile(u"(a|");
      ADD_FAILURE() << "a bad mask compiled";
    } catch (const EcxMaskEditError& error) {
      const String& message = error.Message();
      EXPECT_EQ(message.rfind(u"Regular expression errors:\r\n", 0), 0u);
      TcxRegExpr direct;
      String expected = u"Regular expression errors:";
      try {
        direct.Compile(u"(a|");
      } catch (const EcxRegExprError& errors) {
        for (int i = 0; i < errors.Errors().Count(); ++i) expected += u"\r\n" + errors.Errors().Items(i).GetText();
      }
      EXPECT_EQ(message, expected);
    }
  }
}

TEST_F(MaskEditModeTest, RegExprValidationAndFormat) {
  auto& mode = edit.Use<TcxMaskEditRegExprMode>(u"\\d+(\\.\\d\\d)?");
  EXPECT_TRUE(mode.IsFullValid(u""));
  EXPECT_TRUE(mode.IsFullValid(u"12.50"));
  EXPECT_FALSE(mode.IsFullValid(u"12.5"));
  EXPECT_FALSE(mode.IsFullValid(u"1x"));
  edit.ignoreMaskBlank = true;
  EXPECT_TRUE(mode.IsFullValid(u"12.5"));
  EXPECT_EQ(mode.Format(u"1a2.b34"), u"12.34");
}

// ---- Regular-expression mode with completion ----

TEST_F(MaskEditModeTest, RegExprExInsertsSeparatorsAndDeletesThemWithTheCharacterBefore) {
  auto& mode = edit.Use<TcxMaskEditRegExprExMode>(u"\\d\\d/\\d\\d");
  edit.Show(u"", 0);
  edit.Type(u"12");
  EXPECT_EQ(edit.text, u"12.");  // the date separator of the locale
  EXPECT_EQ(edit.selStart, 3);
  edit.Type(u"\b");
  EXPECT_EQ(edit.text, u"1");
  edit.Type(u"2");
  EXPECT_EQ(edit.text, u"12.");
  edit.KeyDown(VK_LEFT);
  EXPECT_EQ(edit.selStart, 1);
  EXPECT_EQ(mode.Left, u"1");
  edit.KeyDown(VK_END);
  edit.Type(u"34");
  EXPECT_EQ(edit.text, u"12.34");
  EXPECT_TRUE(mode.IsFullValid(edit.text));
  EXPECT_FALSE(mode.IsFullValid(u"12.3"));
}

TEST_F(MaskEditModeTest, RegExprExForcedStartCannotBeDeleted) {
  auto& mode = edit.Use<TcxMaskEditRegExprExMode>(u"\\(\\d\\d\\d\\)");
  EXPECT_EQ(mode.GetEmptyString(), u"(");
  EXPECT_TRUE(mode.IsFullValid(u"("));
  EXPECT_EQ(mode.Format(u"(12x3"), u"(123)");  // the forced end completes the text

  edit.Show(u"(", 1);
  int beeps = MessageBeepCount();
  edit.Type(u"\b");
  EXPECT_EQ(edit.text, u"(");
  EXPECT_EQ(BeepsSince(beeps), 1);

  edit.MaskSetSelStart(0);
  beeps = MessageBeepCount();
  edit.KeyDown(VK_DELETE);
  EXPECT_EQ(edit.text, u"(");
  EXPECT_EQ(BeepsSince(beeps), 1);

  beeps = MessageBeepCount();
  edit.Type(u"\b");
  EXPECT_EQ(edit.text, u"(");
  EXPECT_EQ(BeepsSince(beeps), 0);

  edit.KeyDown(VK_END);
  edit.Type(u"123");
  EXPECT_EQ(edit.text, u"(123)");

  // Selecting everything and typing keeps the forced start.
  edit.Select(0, 5);
  edit.Type(u"9");
  EXPECT_EQ(edit.text, u"(9");
}

}  // namespace
