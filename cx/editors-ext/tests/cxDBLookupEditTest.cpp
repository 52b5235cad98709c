// The dataset lookup editor over SQLite tables: a category reference table of Russian names, a table
// keyed by two fields, and people with a lookup field showing their category.
#include "cx/editors-ext/cxDBLookupEdit.h"

#include <memory>
#include <string>
#include <vector>

#include "cx/data/cxDBData.h"
#include "cx/data/cxDataStorage.h"
#include "cx/data/tests/DBControllerFixture.h"
#include "cx/editors-ext/cxDBEdit.h"
#include "cx/editors-ext/tests/cxLookupGridFixture.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/DBConsts.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/StrUtils.h"

namespace {

const char* const kTables = R"(
CREATE TABLE M_KAT (KATID INTEGER PRIMARY KEY, NAME NVARCHAR(40));
INSERT INTO M_KAT VALUES (1, 'Руководители'), (2, 'Специалисты'), (3, 'Служащие'), (4, 'специалисты');
CREATE TABLE M_REGION (KINDID INTEGER, CODE INTEGER, NAME NVARCHAR(40), PRIMARY KEY (KINDID, CODE));
INSERT INTO M_REGION VALUES (1, 1, 'Омск'), (1, 2, 'Тара'), (2, 1, 'Исилькуль');
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, FAM NVARCHAR(40), KATID INTEGER);
INSERT INTO PEOPLE VALUES (1, 'Иванов', 2), (2, 'Петров', 3);
)";

// An open connection to a new database holding the tables above.
TADOConnection* OpenLookupTables(TComponent* AOwner, const TTempFolder& AFolder) {
  auto* connection = new TADOConnection(AOwner);
  connection->SetLoginPrompt(false);
  connection->SetConnectionString(u"Provider=SQLite;Data Source=" + AFolder.NewDatabase("lookup.db"));
  connection->Open();
  connection->DbConnection().ExecuteScript(Utf8ToString(kTables));
  return connection;
}

TADOQuery* NewQuery(TComponent* AOwner, TADOConnection* AConnection, const char* ASql) {
  auto* q = new TADOQuery(AOwner);
  q->SetConnection(AConnection);
  q->SQL()->SetText(Utf8ToString(ASql));
  return q;
}

// A list source whose columns are the items of a dataset controller, as a lookup grid's are.
class TTestDBLookupProperties : public TcxCustomDBLookupEditProperties {
  TRENVIK_CLASS(TTestDBLookupProperties, TcxCustomDBLookupEditProperties);

 public:
  explicit TTestDBLookupProperties(TPersistent* AOwner)
      : TcxCustomDBLookupEditProperties(AOwner), dc_(cxCreateDataController<TTestDBController>(nullptr)) {
    LinkDataController();
  }
  ~TTestDBLookupProperties() override {
    UnlinkDataController();
    LinkLookupField(nullptr);
  }

  TTestDBController* Controller() const { return dc_.get(); }
  int GetListColumnCount() override { return dc_->GetItemCount(); }
  TcxCustomDataController* GetListDataController() override { return dc_.get(); }
  TcxDBDataController* GetListDBDataController() override { return dc_.get(); }
  int GetPopupHeightForRows(int ARowCount) override { return ARowCount * 10; }
  void EnsureListColumn(const String& AFieldName) override {
    if (AFieldName.empty() || FindListColumnByFieldName(AFieldName) != -1) return;
    std::vector<String> names = ColumnNames();
    names.insert(names.begin(), AFieldName);
    SetColumns(names);
  }
  void SetListColumnsByFieldNames(const String& AFieldNames) override {
    auto list = std::make_unique<TStringList>();
    GetFieldNames(AFieldNames, list.get());
    std::vector<String> names;
    for (int i = 0; i < list->Count(); ++i) names.push_back(list->Strings(i));
    SetColumns(names);
  }
  TField* GetListColumnField(int AIndex) override { return dc_->GetItemField(AIndex); }
  void GetListColumnFieldName(int AIndex, String& AName) override { AName = dc_->GetItemFieldName(AIndex); }
  int FindListColumnByFieldName(const String& AFieldName) override {
    for (int i = 0; i < dc_->GetItemCount(); ++i)
      if (AnsiSameText(dc_->GetItemFieldName(i), AFieldName)) return i;
    return -1;
  }

 private:
  std::vector<String> ColumnNames() {
    std::vector<String> names;
    for (int i = 0; i < dc_->GetItemCount(); ++i) names.push_back(dc_->GetItemFieldName(i));
    return names;
  }
  void SetColumns(const std::vector<String>& ANames) {
    dc_->BeginUpdate();
    for (const auto& item : dc_->items) dc_->RemoveItem(item.get());
    dc_->items.clear();
    for (const String& name : ANames) dc_->AddColumn(StringToUtf8(name).c_str());
    dc_->EndUpdate();
  }

  std::unique_ptr<TTestDBController> dc_;
};
TRENVIK_IMPLEMENT_CLASS(TTestDBLookupProperties)

class TTestDBLookupEdit : public TcxCustomDBLookupEdit {
  TRENVIK_CLASS(TTestDBLookupEdit, TcxCustomDBLookupEdit);

 public:
  explicit TTestDBLookupEdit(TComponent* AOwner) : TcxCustomDBLookupEdit(AOwner) {
    CreateProperties();
    InitializeLookup();
  }
  TClass GetPropertiesClass() override { return TTestDBLookupProperties::StaticClass(); }
  TTestDBLookupProperties* TestProperties() { return static_cast<TTestDBLookupProperties*>(ActiveProperties()); }
};
TRENVIK_IMPLEMENT_CLASS(TTestDBLookupEdit)

class cxDBLookupEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    connection = OpenLookupTables(&owner, folder);
    categories = Query("SELECT KATID, NAME FROM M_KAT ORDER BY KATID");
    categorySource = new TDataSource(&owner);
    categorySource->SetDataSet(categories);
    categories->Open();
    properties = std::make_unique<TTestDBLookupProperties>(nullptr);
  }
  void TearDown() override { properties.reset(); }
  TADOQuery* Query(const char* ASql) { return NewQuery(&owner, connection, ASql); }
  // The properties list the categories by name, keyed by KATID.
  void ListCategories() {
    properties->Controller()->SetDataSource(categorySource);
    properties->SetListFieldNames(u"NAME");
    properties->SetKeyFieldNames(u"KATID");
  }
  std::string TextOf(const Variant& AKey) {
    String text;
    properties->GetDisplayTextByKey(AKey, text);
    return StringToUtf8(text);
  }

  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TADOQuery* categories = nullptr;
  TDataSource* categorySource = nullptr;
  std::unique_ptr<TTestDBLookupProperties> properties;
};

TEST_F(cxDBLookupEdit, KeysShowTheirTextsAndBadKeysShowNothing) {
  ListCategories();
  const std::pair<Variant, const char*> cases[] = {
      {Variant(2), "Специалисты"}, {Variant(4), "специалисты"}, {Variant(9), ""},
      {Null(), ""},                {Variant(S("x")), ""},       {VarArrayOf({1, 2}), ""}};
  for (const auto& [key, text] : cases) EXPECT_EQ(TextOf(key), text) << StringToUtf8(VarToStr(key));
  EXPECT_EQ(properties->FindRecordByText(0, S("служ"), true), 2);
  EXPECT_EQ(properties->FindRecordByText(0, S("СПЕЦИАЛИСТЫ"), false), 1);
  EXPECT_FALSE(properties->KeyIsListField());
}

TEST_F(cxDBLookupEdit, KeyTextsFollowRecordsAddedAndRemoved) {
  ListCategories();
  EXPECT_EQ(TextOf(3), "Служащие");
  categories->Append();
  categories->FieldByName(u"NAME")->SetAsString(S("Рабочие"));
  categories->Post();
  const int added = categories->FieldByName(u"KATID")->AsInteger();
  EXPECT_EQ(TextOf(added), "Рабочие");
  ASSERT_TRUE(categories->Locate(u"KATID", 1, {}));
  categories->Delete();
  EXPECT_EQ(TextOf(1), "");
  EXPECT_EQ(TextOf(added), "Рабочие");
  EXPECT_EQ(TextOf(3), "Служащие");
}

TEST_F(cxDBLookupEdit, TheKeyIsTheListFieldOnlyForOneKeyFieldShownInTheList) {
  ListCategories();
  struct TCase {
    const char* KeyFieldNames;
    const char* ListFieldNames;
    bool KeyIsListField;
  };
  const TCase cases[] = {{"NAME", "NAME", true},
                         {"KATID", "NAME", false},
                         {"KATID", "KATID;NAME", true},
                         {"KATID;NAME", "KATID", false},
                         {"", "NAME", false}};
  for (const TCase& c : cases) {
    properties->SetListFieldNames(S(c.ListFieldNames));
    properties->SetKeyFieldNames(S(c.KeyFieldNames));
    EXPECT_EQ(properties->KeyIsListField(), c.KeyIsListField) << c.KeyFieldNames << " / " << c.ListFieldNames;
  }
}

TEST_F(cxDBLookupEdit, TheNullKeyHasOneNullPerKeyField) {
  ListCategories();
  Variant key;
  properties->GetNullKey(key);
  EXPECT_TRUE(VarIsNull(key));
  TADOQuery* regions = Query("SELECT KINDID, CODE, NAME FROM M_REGION ORDER BY KINDID, CODE");
  auto* regionSource = new TDataSource(&owner);
  regionSource->SetDataSet(regions);
  regions->Open();
  properties->Controller()->SetDataSource(regionSource);
  properties->SetListFieldNames(u"NAME");
  properties->SetKeyFieldNames(u"KINDID;CODE");
  properties->GetNullKey(key);
  ASSERT_EQ(VarArrayDimCount(key), 1);
  ASSERT_EQ(VarArrayHighBound(key, 1), 1);
  EXPECT_TRUE(VarIsNull(VarArrayGet(key, {0})));
  EXPECT_TRUE(VarIsNull(VarArrayGet(key, {1})));
  EXPECT_EQ(TextOf(VarArrayOf({1, 2})), "Тара");
  EXPECT_EQ(TextOf(VarArrayOf({2, 2})), "");
}

TEST_F(cxDBLookupEdit, GridModeCachesEveryKeyAskedUntilTheNextChange) {
  ListCategories();
  properties->SetGridMode(true);
  int moves = 0;
  categories->BeforeScroll = [&](TDataSet*) { ++moves; };
  struct TStep {
    int Key;
    const char* Text;
    int Moves;
  };
  const TStep steps[] = {{3, "Служащие", 1}, {3, "Служащие", 1}, {9, "", 2}, {9, "", 2}, {1, "Руководители", 3}};
  for (const TStep& s : steps) {
    EXPECT_EQ(TextOf(s.Key), s.Text) << s.Key;
    EXPECT_EQ(moves, s.Moves) << s.Key;
  }
  EXPECT_EQ(properties->Cache()->Count(), 3);
  properties->Changed();
  EXPECT_EQ(properties->Cache()->Count(), 0);
  EXPECT_EQ(TextOf(3), "Служащие");
  EXPECT_EQ(moves, 4);
  // Typing locates in the dataset, without filtering the list.
  EXPECT_FALSE(properties->IsIncrementalFilteringActive());
  EXPECT_NE(properties->FindRecordByText(0, S("спец"), true), -1);
  EXPECT_EQ(categories->FieldByName(u"KATID")->AsInteger(), 2);
  properties->SetGridMode(false);
  EXPECT_EQ(properties->Cache(), nullptr);
}

TEST_F(cxDBLookupEdit, AnEditShowsItsKeysTextAndNothingOnceTheRecordIsDeleted) {
  auto edit = std::make_unique<TTestDBLookupEdit>(nullptr);
  TTestDBLookupProperties* p = edit->TestProperties();
  p->Controller()->SetDataSource(categorySource);
  p->SetListFieldNames(u"NAME");
  p->SetKeyFieldNames(u"KATID");
  edit->SetEditValue(Variant(3));
  EXPECT_EQ(edit->Text(), S("Служащие"));
  ASSERT_TRUE(categories->Locate(u"KATID", 3, {}));
  categories->Delete();
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_EQ(edit->EditValue(), Variant(3));
  // Taking a text: an unknown one gives the null key, a known one its record's key.
  Variant value;
  edit->DisplayToEditValue(S("Нет такой"), value, true);
  EXPECT_TRUE(VarIsNull(value));
  edit->DisplayToEditValue(S("руководители"), value, true);
  EXPECT_EQ(value, Variant(1));
}

// The editor's own field comes from a dataset defaults provider, as a dataset binding gives it.
class cxDBLookupEditBound : public cxDBLookupEdit {
 protected:
  void SetUp() override {
    cxDBLookupEdit::SetUp();
    people = Query("SELECT ID, FAM, KATID FROM PEOPLE ORDER BY ID");
    const TLookupPeople bound = OpenLookupPeople(&owner, people, categories);
    katName = bound.katName;
    peopleSource = bound.source;
    provider = std::make_shared<TcxCustomDBEditDefaultValuesProvider>(nullptr);
    properties->SetDefaultValuesProvider(provider);
  }
  void TearDown() override {
    properties.reset();
    provider.reset();
  }
  TADOQuery* people = nullptr;
  TDataSource* peopleSource = nullptr;
  TWideStringField* katName = nullptr;
  std::shared_ptr<TcxCustomDBEditDefaultValuesProvider> provider;
};

TEST_F(cxDBLookupEditBound, ALookupFieldDefinesTheListAndRefusesManualSettings) {
  properties->SetListFieldNames(u"KATID");
  provider->SetField(katName);
  properties->Changed();
  EXPECT_TRUE(properties->IsDefinedByLookupField());
  EXPECT_EQ(properties->KeyFieldNames(), u"KATID");
  EXPECT_EQ(properties->ListFieldNames(), u"NAME;KATID");  // the result column comes first
  EXPECT_EQ(properties->ListFieldIndex(), 0);
  EXPECT_EQ(properties->Controller()->GetDataSet(), categories);
  EXPECT_EQ(TextOf(2), "Специалисты");
  EXPECT_EQ(properties->GetEditValueSource(true), evsKey);
  EXPECT_EQ(properties->GetEditValueSource(false), evsText);
  try {
    properties->SetKeyFieldNames(u"NAME");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Property already defined by lookup field");
  }
  EXPECT_THROW(properties->SetListFieldIndex(1), EDatabaseError);
  EXPECT_EQ(properties->KeyFieldNames(), u"KATID");
  // Another field unbinds: the settings are free again.
  provider->SetField(people->FieldByName(u"FAM"));
  properties->Changed();
  EXPECT_FALSE(properties->IsDefinedByLookupField());
  properties->SetKeyFieldNames(u"NAME");
  EXPECT_EQ(properties->KeyFieldNames(), u"NAME");
}

TEST_F(cxDBLookupEditBound, AListFedByTheEditorsOwnDatasetIsACircularLink) {
  properties->Controller()->SetDataSource(peopleSource);
  provider->SetField(people->FieldByName(u"FAM"));
  try {
    properties->Changed();
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Circular datalinks are not allowed");
  }
}

}  // namespace

namespace {

// Keys made of two fields reach the edit's click and value like record indexes do.
class cxDBLookupEditInput : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    connection = OpenLookupTables(&owner, folder);
    regions = NewQuery(&owner, connection, "SELECT KINDID, CODE, NAME FROM M_REGION ORDER BY KINDID, CODE");
    source = new TDataSource(&owner);
    source->SetDataSet(regions);
    regions->Open();
    form = MakeForm(100, 100, 400, 300);
    edit = Add<TTestDBLookupEdit>(form, 10, 10, 200, 21);
    TTestDBLookupProperties* p = edit->TestProperties();
    p->Controller()->SetDataSource(source);
    p->SetListFieldNames(u"NAME");
    p->SetKeyFieldNames(u"KINDID;CODE");
    edit->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
  }
  void TearDown() override {
    CxControlsTest::TearDown();  // the form and its edit go before the dataset
  }

  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TADOQuery* regions = nullptr;
  TDataSource* source = nullptr;
  TForm* form = nullptr;
  TTestDBLookupEdit* edit = nullptr;
  int clicks = 0;
};

TEST_F(cxDBLookupEditInput, ACompositeKeyChosenInTheOpenListClicksAndBecomesTheValue) {
  Key(VK_DOWN, 4);  // Alt+Down opens
  ASSERT_TRUE(edit->DroppedDown());
  Key(VK_DOWN);  // from the dataset's current record, the first
  Key(VK_RETURN);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), S("Тара"));
  EXPECT_EQ(VarToStr(VarArrayGet(edit->EditValue(), {0})), u"1");
  EXPECT_EQ(VarToStr(VarArrayGet(edit->EditValue(), {1})), u"2");
  EXPECT_GE(clicks, 1);
}

TEST_F(cxDBLookupEditInput, TheListDatasetClosedOrFreedUnderAnOpenPopup) {
  for (bool freed : {false, true}) {
    SCOPED_TRACE(freed ? "freed" : "closed");
    Key(VK_DOWN, 4);
    ASSERT_TRUE(edit->DroppedDown());
    if (freed) {
      delete regions;
      regions = nullptr;
    } else {
      regions->Close();
    }
    Pump();
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(edit->Text(), u"");
    String text;
    edit->ActiveProperties()->GetDisplayTextByKey(VarArrayOf({1, 1}), text);
    EXPECT_EQ(text, u"");
    if (!freed) regions->Open();
  }
}

}  // namespace
