#include <gtest/gtest.h>

#include <memory>

#include "dx/inspector/dxDBInspRw.h"
#include "dx/inspector/dxDBInspRwBlob.h"
#include "dx/inspector/dxDBInspRwLookup.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "dx/inspector/tests/PersonCardData.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/MemoryDataSet.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Graphic.h"

namespace {

const char16_t* const kSchema =
    u"CREATE TABLE KAT (M_KATID INTEGER PRIMARY KEY, NAME NVARCHAR(50), CODE NVARCHAR(10));"
    u"INSERT INTO KAT VALUES (1, 'Руководители', 'Р'), (2, 'Специалисты', 'С'), (3, 'Обеспечивающие', 'О');"
    u"CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(50), M_KATID INTEGER, SALARY MONEY,"
    u"  PHOTO BLOB, SEX NVARCHAR(1));"
    u"INSERT INTO PEOPLE VALUES (1, 'Иванов', 1, NULL, NULL, 'М');";

// The card of a person as the program shows it: placed rows over persistent fields and a lookup field.
class DBKindsTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    data = std::make_unique<TPersonCardData>(folder, kSchema);
    people = data->People;
    source = data->Source;
  }
  TdxDBInspector* MakeInspector() {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 420, 320);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* insp = new TdxDBInspector(form_);
    insp->SetBorderStyle(bsNone);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, 360, 240);
    insp->SetDividerPos(120);
    insp->SetDefaultFields(false);
    insp->SetDataSource(source);
    return insp;
  }
  template <class TRow>
  TRow* Place(TdxDBInspector* insp, const char16_t* FieldName) {
    auto* row = static_cast<TRow*>(insp->AddRow(TRow::StaticClass()));
    row->SetFieldName(FieldName);
    return row;
  }
  TdxInplaceEdit* Edit(TdxDBInspector* insp, TdxInspectorRow* row) {
    row->Node()->SetFocused(true);
    insp->ShowEditor();
    Pump();
    return insp->InplaceEditor();
  }
  void Show() {
    form_->Show();
    Pump();
  }
  std::string Field(const char16_t* name) { return StringToUtf8(people->FieldByName(name)->AsString()); }

  TTempFolder folder;
  std::unique_ptr<TPersonCardData> data;
  TADOQuery* people = nullptr;
  TDataSource* source = nullptr;
};

TEST_F(DBKindsTest, FieldTypesAndLookupFieldsGetTheirRowKinds) {
  TMemoryDataSet data(nullptr);
  struct Case {
    TFieldType type;
    TClass rowClass;
  };
  const Case cases[] = {
      {ftString, TdxInspectorDBMaskRow::StaticClass()},
      {ftInteger, TdxInspectorDBMaskRow::StaticClass()},
      {ftBoolean, TdxInspectorDBCheckRow::StaticClass()},
      {ftCurrency, TdxInspectorDBCurrencyRow::StaticClass()},
      {ftBCD, TdxInspectorDBCurrencyRow::StaticClass()},
      {ftDate, TdxInspectorDBDateRow::StaticClass()},
      {ftTime, TdxInspectorDBTimeRow::StaticClass()},
      {ftMemo, TdxInspectorDBMemoRow::StaticClass()},
      {ftGraphic, TdxInspectorDBGraphicRow::StaticClass()},
      {ftBlob, TdxInspectorBlobRow::StaticClass()},
      {ftFmtMemo, TdxInspectorBlobRow::StaticClass()},
      {ftWideString, TdxInspectorDBRow::StaticClass()},
  };
  int n = 0;
  for (const Case& c : cases) data.AddFieldDef(u"F" + IntToStr(n++), c.type, c.type == ftBCD ? 4 : 0);
  data.Open();
  for (int i = 0; i < n; ++i)
    EXPECT_EQ(GetRowClassForField(data.Fields()->Fields(i)), cases[i].rowClass) << i;
  EXPECT_EQ(GetRowClassForField(people->FieldByName(u"KATNAME")), TdxInspectorLookupRow::StaticClass());
}

TEST_F(DBKindsTest, ALookupRowShowsTheLookedUpTextAndWritesTheChosenKey) {
  TdxDBInspector* insp = MakeInspector();
  auto* kat = Place<TdxInspectorLookupRow>(insp, u"KATNAME");
  Show();
  EXPECT_EQ(StringToUtf8(kat->GetDisplayText()), "Руководители");
  auto* editor = dynamic_cast<TdxInplaceLookupEdit*>(Edit(insp, kat));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Field(), people->FieldByName(u"KATNAME"));
  EXPECT_EQ(StringToUtf8(editor->Text()), "Руководители");
  SimulateText(u"сп");  // an incremental search of the lookup rows
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(Field(u"M_KATID"), "2");
  EXPECT_EQ(people->State(), dsEdit);  // written, not posted
  EXPECT_EQ(StringToUtf8(kat->GetDisplayText()), "Специалисты");
}

TEST_F(DBKindsTest, ALookupRowListsItsListFieldOrElseTheLookupResultField) {
  TdxDBInspector* insp = MakeInspector();
  auto* kat = Place<TdxInspectorLookupRow>(insp, u"KATNAME");
  Show();
  for (const char16_t* listField : {u"", u"CODE"}) {
    kat->SetListFieldName(listField);
    auto* editor = dynamic_cast<TdxInplaceLookupEdit*>(Edit(insp, kat));
    ASSERT_NE(editor, nullptr);
    Key(VK_F4);
    ASSERT_TRUE(editor->IsDroppedDown());
    EXPECT_EQ(editor->PopupList()->ListField(), String(listField).empty() ? u"NAME" : listField);
    Key(VK_ESCAPE);
    insp->HideEditor();
  }
}

TEST_F(DBKindsTest, ACurrencyRowPaintsNullStringForNoAmountAndWritesTheTypedOne) {
  TdxDBInspector* insp = MakeInspector();
  auto* salary = Place<TdxInspectorDBCurrencyRow>(insp, u"SALARY");
  salary->SetNullable(true);
  salary->SetNullString(u"нет");
  salary->SetDisplayFormat(u"0.00");
  Show();
  TdxInspectorCellViewData cell;
  salary->PrepareViewData(salary->ViewData(), cell);
  EXPECT_EQ(StringToUtf8(salary->ViewData()->Data.AsString()), "нет");
  TdxInplaceEdit* editor = Edit(insp, salary);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(StringToUtf8(editor->Text()), "");  // nullable: no amount, an empty editor
  SimulateText(u"1500");
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(people->FieldByName(u"SALARY")->AsFloat(), 1500.0);
  salary->PrepareViewData(salary->ViewData(), cell);
  EXPECT_EQ(StringToUtf8(salary->ViewData()->Data.AsString()),
            "1500" + StringToUtf8(String(1, FormatSettings().DecimalSeparator)) + "00");
}

TEST_F(DBKindsTest, BlobAndGraphicRowsWriteMemoTextAndPicturesIntoTheBlobField) {
  TdxDBInspector* insp = MakeInspector();
  auto* note = Place<TdxInspectorBlobRow>(insp, u"PHOTO");
  note->SetBlobKind(bkMemo);
  Show();
  EXPECT_EQ(note->GetBlobEditKind(), bekMemo);
  ASSERT_NE(Edit(insp, note), nullptr);
  Key(VK_F4);
  SimulateText(u"заметка");
  Pump();
  Key(VK_RETURN, 2);
  Key(VK_RETURN);
  EXPECT_EQ(Field(u"PHOTO"), "заметка");

  note->SetBlobKind(bkAuto);
  EXPECT_EQ(note->GetBlobEditKind(), bekBlob);  // a BLOB column holds bytes
  auto* photo = Place<TdxInspectorDBGraphicRow>(insp, u"PHOTO");
  TBitmap picture;
  picture.SetSize(6, 4);
  picture.Canvas()->Brush()->SetColor(clGreen);
  picture.Canvas()->FillRect(RECT{0, 0, 6, 4});
  Clipboard()->Assign(&picture);
  ASSERT_NE(Edit(insp, photo), nullptr);
  Key('V', 2);
  Key(VK_RETURN);
  TPicture stored;
  Variant value;
  photo->GetGraphicValue(value);
  LoadPictureFromVariant(&stored, nullptr, value);
  EXPECT_EQ(stored.Width(), 6);
  EXPECT_EQ(stored.Bitmap()->Canvas()->Pixels(3, 2), clGreen);
}

TEST_F(DBKindsTest, AnImageRowChoosesTheCodeByItsDescription) {
  TdxDBInspector* insp = MakeInspector();
  auto* sex = Place<TdxInspectorDBImageRow>(insp, u"SEX");
  sex->Values()->Add(u"М");
  sex->Values()->Add(u"Ж");
  sex->Descriptions()->Add(u"мужской");
  sex->Descriptions()->Add(u"женский");
  sex->SetShowDescription(true);
  Show();
  ASSERT_NE(Edit(insp, sex), nullptr);
  SimulateText(u"ж");
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(Field(u"SEX"), "Ж");
}

}  // namespace
