#include <gtest/gtest.h>

#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxDBInspRw.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/DataSource.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/Fields.h"
#include "platform/rtl/ModuleInit.h"

void RegisterAdoModules();

namespace {

const char* const kInspectorSchema = R"(
CREATE TABLE PERSON (ID INTEGER PRIMARY KEY AUTOINCREMENT, FSTNAME NVARCHAR(50), SECNAME NVARCHAR(50),
  NOTE NVARCHAR(20));
INSERT INTO PERSON (FSTNAME, SECNAME, NOTE) VALUES ('Петров', 'Иван', 'a'), ('Сидорова', 'Анна', 'b');
)";

class DBInspectorTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    RegisterAdoModules();
    InitializeModules();
    folder.NewDatabase("edu.db");
    WriteDataLinkFile(folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db;User ID=tester");
    connection = new TADOConnection(&owner);
    connection->SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
    connection->SetLoginPrompt(false);
    connection->Open();
    connection->DbConnection().ExecuteScript(Utf8ToString(kInspectorSchema));
    query = new TADOQuery(&owner);
    query->SetConnection(connection);
    query->SQL()->SetText(u"SELECT ID, FSTNAME, SECNAME, NOTE FROM PERSON ORDER BY ID");
    source = new TDataSource(&owner);
    source->SetDataSet(query);
  }
  void TearDown() override {
    InspectorTest::TearDown();  // the inspector goes with its form, before the data
  }
  TdxDBInspector* MakeDBInspector(bool open = true) {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 300);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* insp = new TdxDBInspector(form_);
    insp->SetName(u"Card");
    insp->SetBorderStyle(bsNone);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, 300, 200);
    insp->SetDividerPos(100);
    other = new TEdit(form_);
    other->SetParent(form_);
    other->SetBounds(10, 220, 100, 20);
    if (open) query->Open();
    insp->SetDataSource(source);
    form_->Show();
    Pump();
    return insp;
  }
  static std::vector<std::string> Captions(TdxDBInspector* insp) {
    std::vector<std::string> out;
    for (int i = 0; i < insp->Count(); ++i)
      out.push_back(StringToUtf8(TCustomdxInspectorControl::RowOf(insp->Items(i))->Caption()));
    return out;
  }
  int RowMiddle(TdxDBInspector* insp, int index) {
    const RECT r = insp->GetNodeRect(insp->Items(index));
    return (r.top + r.bottom) / 2;
  }
  std::string Field(const char* name) {
    return StringToUtf8(query->FieldByName(Utf8ToString(name))->AsString());
  }

  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TADOQuery* query = nullptr;
  TDataSource* source = nullptr;
  TEdit* other = nullptr;
};

TEST_F(DBInspectorTest, DefaultFieldsMakeOneRowPerVisibleFieldInFieldOrder) {
  auto* insp = MakeDBInspector();
  EXPECT_EQ(Captions(insp), (std::vector<std::string>{"ID", "FSTNAME", "SECNAME", "NOTE"}));
  query->FieldByName(u"SECNAME")->SetDisplayLabel(u"Имя");
  query->FieldByName(u"ID")->SetVisible(false);
  insp->LayoutChanged();
  EXPECT_EQ(Captions(insp), (std::vector<std::string>{"FSTNAME", "Имя", "NOTE"}));
  EXPECT_EQ(StringToUtf8(TCustomdxInspectorControl::RowOf(insp->Items(0))->GetDisplayText()), "Петров");
  EXPECT_THROW(insp->AddNode(), Exception);
  query->Close();
  EXPECT_EQ(insp->RowCount(), 0);  // an inactive link shows no automatic rows
  query->Open();
  EXPECT_EQ(insp->RowCount(), 4);  // reopening makes the dataset's fields afresh, ID visible again
  insp->DestroyRows();
  EXPECT_FALSE(insp->DefaultFields());
  EXPECT_EQ(insp->RowCount(), 0);
}

TEST_F(DBInspectorTest, PlacedRowsBindByNameAndAnUnknownNameShowsItself) {
  auto* insp = MakeDBInspector();
  insp->SetDefaultFields(false);
  auto* surname = static_cast<TdxInspectorDBRow*>(insp->AddRow(TdxInspectorDBRow::StaticClass()));
  surname->SetFieldName(u"FSTNAME");
  auto* missing = static_cast<TdxInspectorDBRow*>(insp->AddRow(TdxInspectorDBRow::StaticClass()));
  missing->SetFieldName(u"NOSUCH");
  EXPECT_EQ(surname->Field(), query->FieldByName(u"FSTNAME"));
  EXPECT_EQ(StringToUtf8(surname->GetDisplayText()), "Петров");
  EXPECT_EQ(surname->MaxLength(), 50);  // the string field's size
  EXPECT_EQ(missing->Field(), nullptr);
  EXPECT_EQ(StringToUtf8(missing->Caption()), "NOSUCH");
  EXPECT_EQ(StringToUtf8(missing->GetDisplayText()), "");
  EXPECT_FALSE(missing->CanModify());
  EXPECT_FALSE(missing->IsValidChar(u'x'));
  query->Next();
  Pump();
  EXPECT_EQ(StringToUtf8(surname->GetDisplayText()), "Сидорова");
}

TEST_F(DBInspectorTest, EnterWritesTheFieldWithoutPostingAndEscTwiceCancels) {
  auto* insp = MakeDBInspector();
  Click(insp, 200, RowMiddle(insp, 1));  // FSTNAME
  ASSERT_NE(insp->InplaceEditor(), nullptr);
  Key(VK_END);
  SimulateText(u"а");
  Pump();
  EXPECT_EQ(query->State(), dsEdit);      // the first change put the record into edit state
  EXPECT_EQ(Field("FSTNAME"), "Петров");  // typed text stays in the editor until saved
  Key(VK_RETURN);
  EXPECT_EQ(Field("FSTNAME"), "Петрова");
  EXPECT_EQ(query->State(), dsEdit);  // nothing posted
  EXPECT_EQ(insp->FocusedNode(), insp->Items(1));
  // Esc after typing reverts the editor, the record stays in edit state; the next Esc cancels it.
  SimulateText(u"zz");
  Pump();
  Key(VK_ESCAPE);
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Петрова");
  EXPECT_EQ(query->State(), dsEdit);
  Key(VK_ESCAPE);
  EXPECT_EQ(query->State(), dsBrowse);
  EXPECT_EQ(Field("FSTNAME"), "Петров");
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Петров");
}

TEST_F(DBInspectorTest, NoCancelKeepsTheRecordOnTheSecondEsc) {
  auto* insp = MakeDBInspector();
  TdxDBInspectorOptions options = insp->Options();
  options.Include(dioNoCancel);
  insp->SetOptions(options);
  Click(insp, 200, RowMiddle(insp, 2));
  SimulateText(u"x");
  Pump();
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  EXPECT_EQ(query->State(), dsEdit);
}

TEST_F(DBInspectorTest, LeavingWritesPendingTextOrCancelsAnUntouchedInsert) {
  auto* insp = MakeDBInspector();
  Click(insp, 200, RowMiddle(insp, 3));  // NOTE
  SimulateText(u"q");
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_EQ(query->State(), dsEdit);
  EXPECT_NE(Field("NOTE"), "a");  // the pending text was written, not posted
  query->Cancel();
  // A fresh insert left without a change is cancelled.
  insp->SetFocus();
  Pump();
  query->Insert();
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_EQ(query->State(), dsBrowse);
  EXPECT_EQ(query->RecordCount(), 2);
}

TEST_F(DBInspectorTest, ARecordChangeReloadsTheEditorOnlyForItsField) {
  auto* insp = MakeDBInspector();
  Click(insp, 200, RowMiddle(insp, 1));
  ASSERT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Петров");
  query->Edit();
  query->FieldByName(u"SECNAME")->SetAsString(u"Пётр");
  Pump();
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Петров");
  query->FieldByName(u"FSTNAME")->SetAsString(u"Иванов");
  Pump();
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Иванов");
  query->Cancel();
  query->Next();
  Pump();
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Сидорова");
}

TEST_F(DBInspectorTest, OptionsSetTheEngineWordWithTabsAndTabThroughSwapped) {
  auto* insp = MakeDBInspector();
  EXPECT_EQ(insp->OptionFlags(), 110);
  insp->SetOptions(TdxDBInspectorOptions{dioTabs});
  EXPECT_EQ(insp->OptionFlags(), 4096);
  insp->SetOptions(TdxDBInspectorOptions{dioTabThrough, dioCancelOnExit, dioNoCancel});
  EXPECT_EQ(insp->OptionFlags(), 2048);
}

TEST_F(DBInspectorTest, RowClassRegistrationKeepsTheFirstOfEqualPriorities) {
  TClass first = TdxInspectorTextRow::StaticClass(), second = TdxInspectorRow::StaticClass();
  auto offer = [](TClass cls, int priority) {
    return [cls, priority](TFieldType type, TFieldKind kind, TdxDBRowClassEntry& c) {
      if (type == ftMemo && kind == fkData) c = TdxDBRowClassEntry{cls, priority};
    };
  };
  ResetDBRowClasses();  // from the table as it is before any kind registers
  RegisterDBRowClasses(offer(first, 0));
  TMemoField probe(nullptr);
  EXPECT_EQ(GetRowClassForField(&probe), TdxInspectorDBRow::StaticClass());
  RegisterDBRowClasses(offer(first, 1));
  RegisterDBRowClasses(offer(second, 1));
  EXPECT_EQ(GetRowClassForField(&probe), first);
  ResetDBRowClasses();
  EXPECT_EQ(GetRowClassForField(&probe), TdxInspectorDBRow::StaticClass());
  RegisterDefaultDBRowKinds();
  EXPECT_EQ(GetRowClassForField(&probe), TdxInspectorDBMemoRow::StaticClass());
}

}  // namespace

namespace {

TEST_F(DBInspectorTest, MaskAndMemoRowsEditTheirFieldsThroughTheirOwnEditors) {
  connection->DbConnection().ExecuteScript(u"UPDATE PERSON SET NOTE = '12'");  // fits the mask below
  auto* insp = MakeDBInspector();
  insp->SetDefaultFields(false);
  query->FieldByName(u"NOTE")->SetEditMask(u"00;0;_");
  auto* mask = static_cast<TdxInspectorDBMaskRow*>(insp->AddRow(TdxInspectorDBMaskRow::StaticClass()));
  mask->SetFieldName(u"NOTE");
  auto* memo = static_cast<TdxInspectorDBMemoRow*>(insp->AddRow(TdxInspectorDBMemoRow::StaticClass()));
  memo->SetFieldName(u"SECNAME");
  EXPECT_EQ(StringToUtf8(mask->EditMask()), "00;0;_");  // the field's mask by default
  Click(insp, 200, RowMiddle(insp, 0));
  TdxInplaceEdit* maskEditor = insp->InplaceEditor();
  ASSERT_NE(maskEditor, nullptr);
  EXPECT_EQ(maskEditor->EditClass(), TdxInspectorMaskEdit::StaticEditClass());
  Key(VK_HOME);          // the click put the caret at the end of the full mask
  SimulateText(u"4x2");  // the mask takes digits only
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(Field("NOTE"), "42");
  Key(VK_DOWN);
  ASSERT_NE(insp->InplaceEditor(), nullptr);
  EXPECT_EQ(insp->InplaceEditor()->EditClass(), TdxInspectorMemoEdit::StaticEditClass());
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "Иван");
  Key(VK_END);
  SimulateText(u"ов");
  Pump();
  other->SetFocus();  // Up moves inside a memo: leaving the control writes the text
  Pump();
  EXPECT_EQ(Field("SECNAME"), "Иванов");
  EXPECT_EQ(query->State(), dsEdit);
}

TEST_F(DBInspectorTest, TextKindsKeepTheirValueInText) {
  auto* c = MakeDBInspector(false);
  c->SetDefaultFields(false);
  auto* memo = static_cast<TdxInspectorTextMemoRow*>(c->AddRow(TdxInspectorTextMemoRow::StaticClass()));
  memo->SetText(u"одна\r\nдве");
  EXPECT_EQ(StringToUtf8(memo->GetMemoText()), "одна\r\nдве");
  auto* mask = static_cast<TdxInspectorTextMaskRow*>(c->AddRow(TdxInspectorTextMaskRow::StaticClass()));
  mask->SetEditMask(u"000;0;_");
  mask->SetText(u"12");
  EXPECT_TRUE(mask->IsEditMaskStored());
  auto* copy = static_cast<TdxInspectorTextMaskRow*>(c->AddRow(TdxInspectorTextMaskRow::StaticClass()));
  copy->Assign(mask);
  EXPECT_EQ(StringToUtf8(copy->EditMask()), "000;0;_");
}

}  // namespace

#include "platform/classes/FormResources.h"
#include "platform/forms/ImgList.h"

namespace {

TEST_F(DBInspectorTest, TheFormKeepsPlacedRowsAndTheirTreeThroughItsDataProperty) {
  auto* insp = MakeDBInspector();
  insp->SetDefaultFields(false);
  const char* names[] = {"FSTNAME", "SECNAME", "NOTE"};
  for (const char* name : names)
    static_cast<TdxInspectorDBRow*>(insp->AddRow(TdxInspectorDBRow::StaticClass()))
        ->SetFieldName(Utf8ToString(name));
  insp->Rows(2)->Node()->MoveTo(insp->Rows(0)->Node(), inaAddChild);  // NOTE under FSTNAME
  insp->Rows(1)->Node()->MoveTo(insp->Rows(0)->Node(), inaInsert);    // SECNAME first
  delete other;
  other = nullptr;
  TMemoryStream stream;
  WriteComponent(&stream, form_);
  stream.SetPosition(0);
  TForm* copy = NewForm<TForm>(nullptr);
  ReadComponent(&stream, copy);
  auto* read = dynamic_cast<TdxDBInspector*>(copy->FindComponent(u"Card"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->RowCount(), 3);
  ASSERT_EQ(read->Count(), 2);
  EXPECT_EQ(StringToUtf8(TCustomdxInspectorControl::RowOf(read->Items(0))->GetFieldName()), "SECNAME");
  TdxInspectorNode* surname = read->Items(1);
  EXPECT_EQ(StringToUtf8(TCustomdxInspectorControl::RowOf(surname)->GetFieldName()), "FSTNAME");
  ASSERT_EQ(surname->Count(), 1);
  EXPECT_EQ(StringToUtf8(TCustomdxInspectorControl::RowOf(surname->Items(0))->GetFieldName()), "NOTE");
  EXPECT_TRUE(surname->Expanded());
  delete copy;
}

// What the form keeps of the inspector's own look, its image list and a row's password character.
TEST_F(DBInspectorTest, TheFormKeepsTheLookTheImagesAndARowsPasswordChar) {
  auto* insp = MakeDBInspector();
  insp->SetDefaultFields(false);
  delete other;
  other = nullptr;
  auto* images = new TImageList(form_, 16, 16);
  images->SetName(u"Pics");
  insp->SetImages(images);
  insp->SetFlat(true);
  insp->SetGridColor(clRed);
  insp->AddRow(TdxInspectorDBRow::StaticClass())->SetPasswordChar(u'*');
  TMemoryStream stream;
  WriteComponent(&stream, form_);
  stream.SetPosition(0);
  std::unique_ptr<TForm> copy(NewForm<TForm>(nullptr));
  ReadComponent(&stream, copy.get());
  // The image list comes back with the form, and the reference is resolved to it by its name.
  auto* copyImages = dynamic_cast<TImageList*>(copy->FindComponent(u"Pics"));
  ASSERT_NE(copyImages, nullptr);
  auto* read = dynamic_cast<TdxDBInspector*>(copy->FindComponent(u"Card"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->BorderStyle(), bsNone);
  EXPECT_TRUE(read->Flat());
  EXPECT_EQ(read->GridColor(), clRed);
  EXPECT_EQ(read->Images(), copyImages);
  ASSERT_EQ(read->RowCount(), 1);
  EXPECT_EQ(read->Rows(0)->PasswordChar(), u'*');
}

}  // namespace
