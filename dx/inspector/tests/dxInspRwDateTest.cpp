#include <gtest/gtest.h>

#include "dx/inspector/dxDBInspRw.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/data/DataSource.h"
#include "platform/data/MemoryDataSet.h"

namespace {

class DateTimeRowTest : public InspectorTest {
 protected:
  TdxDBInspector* MakeInspector() {
    data = new TMemoryDataSet(&owner);
    data->AddFieldDef(u"NAME", ftString, 20);
    data->AddFieldDef(u"STARTS", ftTime);
    data->AddFieldDef(u"BORN", ftDate);
    data->AddRow({Variant(u"Анна"), VarFromDateTime(0.5), VarFromDateTime(30000)});
    source = new TDataSource(&owner);
    source->SetDataSet(data);
    data->Open();
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 300);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* insp = new TdxDBInspector(form_);
    insp->SetBorderStyle(bsNone);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, 300, 200);
    insp->SetDividerPos(100);
    insp->SetDataSource(source);
    form_->Show();
    Pump();
    return insp;
  }
  int RowMiddle(TdxDBInspector* insp, int index) {
    const RECT r = insp->GetNodeRect(insp->Items(index));
    return (r.top + r.bottom) / 2;
  }
  TComponent owner{nullptr};
  TMemoryDataSet* data = nullptr;
  TDataSource* source = nullptr;
};

TEST_F(DateTimeRowTest, FieldTypesGetTheirRowKinds) {
  auto* insp = MakeInspector();
  ASSERT_EQ(insp->Count(), 3);
  EXPECT_NE(dynamic_cast<TdxInspectorDBMaskRow*>(TCustomdxInspectorControl::RowOf(insp->Items(0))), nullptr);
  EXPECT_NE(dynamic_cast<TdxInspectorDBTimeRow*>(TCustomdxInspectorControl::RowOf(insp->Items(1))), nullptr);
  EXPECT_NE(dynamic_cast<TdxInspectorDBDateRow*>(TCustomdxInspectorControl::RowOf(insp->Items(2))), nullptr);
  EXPECT_EQ(StringToUtf8(TCustomdxInspectorControl::RowOf(insp->Items(1))->GetEditText()), "12:00:00");
}

TEST_F(DateTimeRowTest, ARefreshKeepsWhatWasTypedIntoATimeRow) {
  auto* insp = MakeInspector();
  Click(insp, 200, RowMiddle(insp, 1));
  TdxInplaceEdit* editor = insp->InplaceEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->EditClass(), TdxInspectorTimeEdit::StaticEditClass());
  EXPECT_TRUE(insp->FocusedRow()->IsValueEqual(insp->LastEditValue()));  // freshly loaded
  Key(VK_HOME);
  SimulateText(u"09");
  Pump();
  ASSERT_NE(insp->InplaceEditor(), nullptr);
  const std::string typed = StringToUtf8(editor->Text());
  ASSERT_NE(typed, "12:00:00");
  insp->LayoutChanged();  // a refresh from the field
  Pump();
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), typed);
}

TEST_F(DateTimeRowTest, ADateRowWritesTheEditorsDateAndARequiredDateHasNoClearButton) {
  auto* insp = MakeInspector();
  data->FieldByName(u"BORN")->SetRequired(true);
  Click(insp, 200, RowMiddle(insp, 2));
  auto* editor = dynamic_cast<TdxInplaceDateEdit*>(insp->InplaceEditor());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetDate(), 30000.0);
  EXPECT_FALSE(editor->DateButtons.Contains(btnClear));
  EXPECT_TRUE(editor->DateButtons.Contains(btnToday));
}

TEST_F(DateTimeRowTest, ATextTimeRowStoresMidnightAsEmptyText) {
  TdxInspectorTextTimeRow row(nullptr);
  row.SetText(u"10:00:00");
  TdxInspectorTimeEdit editor(nullptr);
  editor.SetTime(0);
  Variant value;
  row.SaveEditValue(&editor, value);
  EXPECT_EQ(StringToUtf8(row.Text()), "");
}

}  // namespace

namespace {

TEST_F(DateTimeRowTest, CheckRowsMapTextsToStatesAndToggleThroughTheEditor) {
  TdxInspectorTextCheckRow row(nullptr);
  EXPECT_EQ(StringToUtf8(row.ValueChecked()), "True");  // from the string table
  struct Case {
    const char* text;
    TdxCheckBoxState state;
  };
  for (const Case& c :
       {Case{"TRUE", cbsChecked}, Case{"false", cbsUnchecked}, Case{"", cbsGrayed}, Case{"maybe", cbsGrayed}})
    EXPECT_EQ(row.TextToState(Utf8ToString(c.text)), c.state) << c.text;
  // Through a data-aware inspector: a click on the value toggles, and the field gets the text.
  data = new TMemoryDataSet(&owner);
  data->AddFieldDef(u"NAME", ftString, 20);
  data->AddFieldDef(u"ACTIVE", ftString, 5);
  data->AddRow({Variant(u"Анна"), Variant(u"False")});
  source = new TDataSource(&owner);
  source->SetDataSet(data);
  data->Open();
  form_ = NewForm<TForm>(nullptr);
  form_->SetBounds(100, 100, 400, 300);
  auto* insp = new TdxDBInspector(form_);
  insp->SetBorderStyle(bsNone);
  insp->SetParent(form_);
  insp->SetBounds(10, 10, 300, 200);
  insp->SetDividerPos(100);
  insp->SetDefaultFields(false);
  insp->SetDataSource(source);
  auto* check = static_cast<TdxInspectorDBCheckRow*>(insp->AddRow(TdxInspectorDBCheckRow::StaticClass()));
  check->SetFieldName(u"ACTIVE");
  std::vector<std::string> toggles;
  check->OnToggleClick = [&](TObject*, const String& text, TdxCheckBoxState) {
    toggles.push_back(StringToUtf8(text));
  };
  form_->Show();
  Pump();
  const RECT r = insp->GetNodeRect(check->Node());
  Click(insp, 200, (r.top + r.bottom) / 2);  // the press shows the editor, the release toggles it
  auto* editor = dynamic_cast<TdxInplaceCheckEdit*>(insp->InplaceEditor());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->State(), cbsChecked);
  EXPECT_EQ(toggles, std::vector<std::string>{"True"});
  insp->DataLink()->UpdateRecord();
  EXPECT_EQ(StringToUtf8(data->FieldByName(u"ACTIVE")->AsString()), "True");
}

}  // namespace
