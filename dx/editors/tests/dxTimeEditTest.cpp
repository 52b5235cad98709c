#include "dx/editors/dxTimeEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/rtl/DateTime.h"

namespace {

class DxTimeEditTest : public DxEditorsTest {
 protected:
  TdxInplaceTimeEdit* MakeEditor() {
    host_ = MakeHost();
    auto* edit = new TdxInplaceTimeEdit(host_);
    edit->SetParent(host_);
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  static std::string TextOf(TdxInplaceTimeEdit* Edit) { return StringToUtf8(Edit->GetEditText()); }

  TTestContainer* host_ = nullptr;
};

}  // namespace

TEST_F(DxTimeEditTest, StepsTheSectionUnderTheCaretNeverAcrossMidnight) {
  auto* edit = MakeEditor();
  struct Case {
    int h, m, s;
    int caret;
    UINT key;
    const char* shown;
  } cases[] = {
      {23, 59, 30, 7, VK_UP, "23:59:31"},   {23, 59, 59, 7, VK_UP, "23:59:59"},
      {0, 0, 0, 7, VK_DOWN, "00:00:00"},    {10, 15, 0, 4, VK_UP, "10:16:00"},
      {10, 15, 0, 1, VK_DOWN, "09:15:00"},  {23, 10, 0, 0, VK_UP, "23:10:00"},
  };
  for (const Case& c : cases) {
    edit->SetEditValue(VarFromDateTime(EncodeTime(static_cast<Word>(c.h), static_cast<Word>(c.m),
                                                  static_cast<Word>(c.s), 0)));
    edit->SetSelectionRange(c.caret, c.caret + 1);
    Key(c.key);
    EXPECT_EQ(TextOf(edit), c.shown) << c.h << ":" << c.m << ":" << c.s << " caret " << c.caret;
  }
}

TEST_F(DxTimeEditTest, HourDigitsAreChecked) {
  auto* edit = MakeEditor();
  edit->SetEditValue(Null());
  edit->SetSelectionRange(0, 1);
  const int beeps = Beeps();
  Type("25");
  EXPECT_EQ(TextOf(edit).substr(0, 2), "20") << "the 5 is refused after a 2";
  EXPECT_GT(Beeps(), beeps);
}

TEST_F(DxTimeEditTest, ValuesInAndOut) {
  auto* edit = MakeEditor();
  edit->SetEditValue(VarFromDateTime(EncodeDate(2024, 3, 5) + 0.5));
  EXPECT_EQ(TextOf(edit), "12:00:00");
  Variant v;
  edit->GetEditingValue(v);
  EXPECT_EQ(v.Type(), varDouble);
  EXPECT_DOUBLE_EQ(v.AsDouble(), EncodeDate(2024, 3, 5) + 0.5);
  edit->SetEditValue(VarFromDateTime(EncodeDate(2024, 3, 5)));
  edit->GetEditingValue(v);
  EXPECT_DOUBLE_EQ(v.AsDouble(), EncodeDate(2024, 3, 5)) << "midnight of another day keeps its date";
  edit->SetEditValue(Null());
  edit->GetEditingValue(v);
  EXPECT_EQ(v.Type(), varCurrency);
  EXPECT_EQ(v.AsDouble(), 0);
  edit->SetTimeEditFormat(tfHourMin);
  edit->SetEditValue(VarFromDateTime(EncodeTime(7, 5, 9, 0)));
  EXPECT_EQ(TextOf(edit), "07:05");
}
