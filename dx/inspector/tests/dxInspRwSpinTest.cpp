#include <gtest/gtest.h>

#include "dx/inspector/dxDBInspRw.h"
#include "dx/inspector/dxInspRwSpin.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/MemoryDataSet.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class TTestControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

constexpr UINT kSpinCtrl = 2;  // modifier bit of SimulateKeyPress

class SpinRowTest : public InspectorTest {};

// The row's bounds reach the editor: Ctrl+Up steps by Increment and stops at MaxValue; Enter writes the text.
TEST_F(SpinRowTest, UpStepsTheValueWithinTheRowsBoundsAndEnterWritesIt) {
  struct Case {
    const char* start;
    double increment, min, max;
    int presses;
    const char* expected;
  };
  for (const Case& c :
       {Case{"5", 1, 0, 0, 1, "6"}, Case{"5", 2, 0, 8, 3, "8"}, Case{"1", 10, 0, 0, 2, "21"}}) {
    SCOPED_TRACE(c.expected);
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 300);
    auto* insp = new TTestControl(form_);
    insp->SetBorderStyle(bsNone);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, 300, 200);
    insp->SetDividerPos(100);
    auto* row =
        static_cast<TdxInspectorTextSpinRow*>(insp->AddRowOfClass(TdxInspectorTextSpinRow::StaticClass()));
    row->SetText(String(Utf8ToString(c.start)));
    row->SetIncrement(c.increment);
    row->SetMinValue(c.min);
    row->SetMaxValue(c.max);
    form_->Show();
    Pump();
    const RECT r = insp->GetNodeRect(row->Node());
    Click(insp, 150, (r.top + r.bottom) / 2);
    auto* editor = dynamic_cast<TdxInplaceSpinEdit*>(insp->InplaceEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->EditClass(), TdxInspectorSpinEdit::StaticEditClass());
    for (int i = 0; i < c.presses; ++i) Key(VK_UP, kSpinCtrl);  // UseCtrlIncrement: plain Up moves between rows
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(StringToUtf8(row->Text()), c.expected);
    delete form_;
    form_ = nullptr;
  }
}

// Loading reads the text as a number (an integer editor holds it rounded, halves to even); a non-number
// loads 0 and keeps the text as the value. Saving writes 15 significant digits for a float editor and the
// nearest integer for an integer one.
TEST_F(SpinRowTest, TextIsReadAsANumberAndWrittenInTheValueTypesForm) {
  struct Case {
    const char* text;
    TdxValueType type;
    double loaded;
    bool valueIsText;
    const char* saved;
  };
  for (const Case& c : {Case{"2.5", vtInt, 2, false, "2"}, Case{"3.5", vtInt, 4, false, "4"},
                        Case{"0.1", vtFloat, 0.1, false, "0.1"}, Case{"", vtInt, 0, false, "0"},
                        Case{"abc", vtInt, 0, true, "0"}}) {
    SCOPED_TRACE(c.text);
    // The numbers are written with the user's decimal separator.
    auto localized = [](const char* text) {
      String s = Utf8ToString(text);
      for (Char& ch : s)
        if (ch == u'.') ch = FormatSettings().DecimalSeparator;
      return s;
    };
    TdxInspectorTextSpinRow row(nullptr);
    row.SetValueType(c.type);
    row.SetText(localized(c.text));
    TdxInspectorSpinEdit editor(nullptr);
    row.InitEditProperties(&editor);
    editor.SetValueType(c.type);
    Variant value;
    row.InitEditValue(&editor, value);
    EXPECT_DOUBLE_EQ(editor.GetValue(), c.loaded);
    if (c.valueIsText) {
      EXPECT_EQ(VarToStr(value), localized(c.text));
    }
    row.SaveEditValue(&editor, value);
    EXPECT_EQ(row.Text(), localized(c.saved));
  }
}

// A data-bound spin row takes unassigned limits and its value type from the field; assigned limits win.
// Texts are numbers as the user writes them: with the locale's decimal separator both ways.
TEST_F(SpinRowTest, AFloatRowReadsAndWritesTheLocalesDecimalSeparator) {
  const TFormatSettings saved = FormatSettings();
  SetLocale("ru-RU");
  TdxInspectorTextSpinRow row(nullptr);
  row.SetValueType(vtFloat);
  row.SetText(u"2,5");
  TdxInspectorSpinEdit editor(nullptr);
  row.InitEditProperties(&editor);
  Variant value;
  row.InitEditValue(&editor, value);
  const double loaded = editor.GetValue();
  editor.SetValue(1.0 / 3);
  row.SaveEditValue(&editor, value);
  const std::string text = StringToUtf8(row.Text());
  SetFormatSettings(saved);
  EXPECT_DOUBLE_EQ(loaded, 2.5);
  EXPECT_EQ(text, "0,333333333333333");
}

TEST_F(SpinRowTest, ADataBoundRowTakesItsLimitsAndValueTypeFromTheField) {
  TComponent owner(nullptr);
  auto* data = new TMemoryDataSet(&owner);
  data->AddFieldDef(u"AMOUNT", ftFloat);
  data->AddFieldDef(u"COUNT", ftInteger);
  data->AddRow({Variant(1.5), Variant(3)});
  data->Open();
  auto* amount = dynamic_cast<TFloatField*>(data->FieldByName(u"AMOUNT"));
  ASSERT_NE(amount, nullptr);
  amount->SetPrecision(3);
  amount->SetMaxValue(12.3456);
  TdxInspectorDBSpinRow row(nullptr);
  EXPECT_EQ(row.MaxValue(), 0);  // no field
  row.SetField(amount);
  EXPECT_DOUBLE_EQ(row.MaxValue(), 12.3);
  EXPECT_EQ(row.GetValueType(), vtFloat);
  row.SetMaxValue(5);
  EXPECT_EQ(row.MaxValue(), 5);
  TdxInspectorDBSpinRow count(nullptr);
  count.SetField(data->FieldByName(u"COUNT"));
  EXPECT_EQ(count.GetValueType(), vtInt);
}

}  // namespace
