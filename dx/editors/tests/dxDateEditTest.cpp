#include "dx/editors/dxDateEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class DxDateEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    saved_ = FormatSettings();
    SetLocale("ru-RU");
    clock_->SetNow(EncodeDate(2024, 2, 14) + 0.25);
  }
  void TearDown() override {
    DxEditorsTest::TearDown();
    SetFormatSettings(saved_);
  }
  TdxInplaceDateEdit* MakeEditor(const char* Text = "") {
    host_ = MakeHost();
    auto* edit = new TdxInplaceDateEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    if (*Text) Type(Text);
    return edit;
  }
  static std::string TextOf(TdxInplaceDateEdit* Edit) { return StringToUtf8(Edit->Text()); }
  static TDateTime Day(int Y, int M, int D) { return EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D)); }
  void ClickAt(TControl* C, const RECT& R) { Click(C, (R.left + R.right) / 2, (R.top + R.bottom) / 2); }

  TTestContainer* host_ = nullptr;
  TFormatSettings saved_;
};

}  // namespace

TEST_F(DxDateEditTest, CalendarFirstCellRule) {
  struct Case {
    const char* locale;
    TDateTime month;
    TDateTime firstCell;
  } cases[] = {
      {"ru-RU", Day(2024, 4, 1), Day(2024, 3, 25)},  // starts on the week's first day: a week before
      {"ru-RU", Day(2024, 2, 1), Day(2024, 1, 29)},
      {"en-US", Day(2024, 9, 1), Day(2024, 8, 25)},
      {"en-US", Day(2024, 2, 1), Day(2024, 1, 28)},
  };
  for (const Case& c : cases) {
    SetLocale(c.locale);
    TdxGridDatePopup calendar(nullptr);
    calendar.SetMonthStart(c.month + 14);
    EXPECT_EQ(calendar.MonthStart(), c.month);
    EXPECT_EQ(calendar.GetFirstVisibleDate(), c.firstCell) << c.locale;
    EXPECT_EQ(calendar.GetLastVisibleDate(), c.firstCell + 41);
  }
}

TEST_F(DxDateEditTest, CalendarKeysMoveTheSelectionAndEnterPicks) {
  auto* edit = MakeEditor("31.01.2024");
  Key(VK_F4);
  TdxGridDatePopup* calendar = edit->Calendar();
  ASSERT_NE(calendar, nullptr);
  ASSERT_TRUE(IsWindowVisible(calendar->Handle()));
  EXPECT_EQ(calendar->GetPickStart(), Day(2024, 1, 31));
  KeepCheckedScreen("calendar");
  struct Step {
    UINT key;
    UINT modifiers;
    TDateTime picked;
  } steps[] = {
      {VK_NEXT, 0, Day(2024, 2, 29)},  {VK_RIGHT, 0, Day(2024, 3, 1)}, {VK_UP, 0, Day(2024, 2, 23)},
      {VK_HOME, 0, Day(2024, 2, 19)},  {VK_END, 0, Day(2024, 2, 25)},  {VK_HOME, 2, Day(2024, 2, 1)},
      {VK_UP, 0, Day(2024, 1, 25)},    {VK_END, 2, Day(2024, 1, 31)},  {VK_LEFT, 0, Day(2024, 1, 30)},
  };
  for (const Step& s : steps) {
    Key(s.key, s.modifiers);
    EXPECT_EQ(calendar->GetPickStart(), s.picked) << s.key;
    EXPECT_LE(calendar->GetFirstVisibleDate(), s.picked);
    EXPECT_GE(calendar->GetLastVisibleDate(), s.picked);
  }
  Key(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(calendar->Handle()));
  EXPECT_EQ(edit->GetDate(), Day(2024, 1, 30));
  EXPECT_EQ(TextOf(edit), "30.01.2024");
  EXPECT_EQ(GetFocus(), edit->Handle());
}

TEST_F(DxDateEditTest, ClickingADayKeepsTheTimeAndEscapeOrAClickOutsideClose) {
  auto* edit = MakeEditor("05.03.2024 10:30");
  Key(VK_F4);
  TdxGridDatePopup* calendar = edit->Calendar();
  const RECT cell = calendar->DayCellRect(Day(2024, 3, 7));
  ASSERT_GT(cell.right, cell.left);
  // The picked day is painted in the highlight of the selection after the click moves it there.
  ClickAt(calendar, cell);
  EXPECT_FALSE(IsWindowVisible(calendar->Handle()));
  EXPECT_DOUBLE_EQ(edit->GetDate(), Day(2024, 3, 7) + 10.5 / 24);

  Key(VK_F4);
  ASSERT_TRUE(IsWindowVisible(calendar->Handle()));
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(calendar->Handle()));
  Key(VK_F4);
  ASSERT_TRUE(IsWindowVisible(calendar->Handle()));
  Click(host_, 280, 180);
  EXPECT_FALSE(IsWindowVisible(calendar->Handle()));
  EXPECT_DOUBLE_EQ(edit->GetDate(), Day(2024, 3, 7) + 10.5 / 24);
}

TEST_F(DxDateEditTest, TodayAndClearButtons) {
  auto* edit = MakeEditor("05.03.2024");
  Key(VK_F4);
  TdxGridDatePopup* calendar = edit->Calendar();
  const RECT today = calendar->TodayButtonRect();
  ASSERT_GT(today.right, today.left);
  // Pressed on "Today" and released outside it: nothing chosen, the calendar stays open.
  const POINT on = At(calendar, (today.left + today.right) / 2, (today.top + today.bottom) / 2);
  SimulateMouseDown(TSimButton::Left, on);
  SimulateMouseMove(At(calendar, 5, 40));
  SimulateMouseUp(TSimButton::Left, At(calendar, 5, 40));
  Pump();
  EXPECT_TRUE(IsWindowVisible(calendar->Handle()));
  ClickAt(calendar, today);
  EXPECT_EQ(edit->GetDate(), Day(2024, 2, 14));
  Key(VK_F4);
  ClickAt(calendar, calendar->ClearButtonRect());
  EXPECT_EQ(edit->GetDate(), dxNullDate);
  EXPECT_EQ(TextOf(edit), "");
}

TEST_F(DxDateEditTest, UnparsableTextBecomesTheFallbackUnlessValidated) {
  struct Case {
    TDateOnError onError;
    bool validation;
    const char* text;
    bool raises;
    TDateTime stored;
  } cases[] = {
      {deNull, false, "garbage", false, dxNullDate},
      {deToday, false, "garbage", false, Day(2024, 2, 14)},
      {deNull, true, "garbage", true, dxNullDate},
      {deNull, true, "tomorrow+1", false, Day(2024, 2, 16)},
      {deToday, false, "", false, dxNullDate},
  };
  for (const Case& c : cases) {
    auto* edit = MakeEditor();
    edit->DateOnError = c.onError;
    edit->DateValidation = c.validation;
    if (*c.text) Type(c.text);
    edit->SetModified(true);
    if (c.raises) {
      EXPECT_THROW(edit->ValidateEdit(), Exception) << c.text;
      EXPECT_EQ(TextOf(edit), c.text) << "kept for correction";
    } else {
      EXPECT_NO_THROW(edit->ValidateEdit()) << c.text;
      EXPECT_EQ(edit->GetDate(), c.stored) << c.text;
    }
  }
}

TEST_F(DxDateEditTest, HandlerMayRefuseOrChangeText) {
  auto* edit = MakeEditor("01.01.2024");
  edit->DateValidation = true;
  edit->OnDateValidateInput = [](TObject*, const String&, TDateTime& Date, String& Message, bool& Error) {
    if (Date < 45300) {
      Error = true;
      Message = u"Too early";
    }
  };
  edit->SetModified(true);
  try {
    edit->ValidateEdit();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Too early");
  }
}

TEST_F(DxDateEditTest, EditMaskFollowsTheLocale) {
  auto* edit = MakeEditor();
  edit->SetEditValue(VarFromDateTime(Day(2024, 3, 5)));
  edit->SetUseEditMask(true);
  EXPECT_EQ(StringToUtf8(edit->EditMask()), "!99.99.9999;1; ");
  EXPECT_EQ(TextOf(edit), "05.03.2024");
  edit->SetEditValue(Null());
  String text = u"x";
  edit->GetEditingText(text);
  EXPECT_EQ(text, u"");
  Variant v;
  edit->GetEditingValue(v);
  EXPECT_TRUE(VarIsNull(v));
}
