// The lookup editor over a real SQLite database: people whose category is a lookup into KAT.
#include "dx/editors/dxLookupEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/SqliteDriver.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/data/FieldTypes.h"

namespace {

class TLookupHost : public TCustomdxContainer {
 public:
  explicit TLookupHost(TComponent* AOwner) : TCustomdxContainer(AOwner) {}
  bool CanEditModify() override { return true; }
  bool CanEditAcceptChar(Char) override { return true; }
};

class DxLookupEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    RegisterSqliteDriver();
    folder.NewDatabase("edu.db");
    WriteDataLinkFile(folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=" + folder.File("edu.db"));
    connection = new TADOConnection(&owner);
    connection->SetConnectionString(u"FILE NAME=" + folder.File("Trenvik.udl"));
    connection->SetLoginPrompt(false);
    connection->Open();
    connection->DbConnection().ExecuteScript(
        u"CREATE TABLE KAT (M_KATID INTEGER PRIMARY KEY, NAME NVARCHAR(50));"
        u"INSERT INTO KAT VALUES (1, 'Руководители'), (2, 'Специалисты'), (3, 'Обеспечивающие');"
        u"CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(50), M_KATID INTEGER);"
        u"INSERT INTO PEOPLE VALUES (1, 'Иванов', 1), (2, 'Петрова', NULL);");
    kats = Query(u"select M_KATID, NAME from KAT order by NAME");
    kats->Open();
    people = Query(u"select * from PEOPLE order by ID");
    people->FieldDefs()->Update();
    for (const char16_t* n : {u"ID", u"NAME", u"M_KATID"}) people->FieldDefs()->Find(n)->CreateField(&owner, people);
    kat = new TWideStringField(&owner);
    kat->SetFieldName(u"KATNAME");
    kat->SetFieldKind(fkLookup);
    kat->SetSize(50);
    kat->SetKeyFields(u"M_KATID");
    kat->SetLookupDataSet(kats);
    kat->SetLookupKeyFields(u"M_KATID");
    kat->SetLookupResultField(u"NAME");
    kat->SetDataSet(people);
    people->Open();
    people->Edit();
    TForm* form = MakeForm();
    form->Show();
    host = new TLookupHost(form);
    host->SetParent(form);
    host->SetBounds(10, 10, 380, 200);
    edit = new TdxInplaceLookupEdit(host);
    edit->SetParent(host);
    edit->SetField(kat);
    edit->SetEditValue(kat->Value());
    edit->ShowAt(RECT{10, 10, 200, 30});
    edit->SetFocus();
    Pump();
  }
  void TearDown() override {
    DxEditorsTest::TearDown();
    delete connection;
  }
  TADOQuery* Query(const char16_t* Sql) {
    auto* q = new TADOQuery(&owner);
    q->SetConnection(connection);
    q->SQL()->SetText(Sql);
    return q;
  }
  Variant KeyOfPerson() { return people->FieldByName(u"M_KATID")->Value(); }
  std::string Shown() { return StringToUtf8(edit->Text()); }

  TTempFolder folder;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TADOQuery* kats = nullptr;
  TADOQuery* people = nullptr;
  TWideStringField* kat = nullptr;
  TLookupHost* host = nullptr;
  TdxInplaceLookupEdit* edit = nullptr;
};

}  // namespace

TEST_F(DxLookupEditTest, TypedCharactersSearchTheLookupRows) {
  edit->ImmediateDropDown = false;
  EXPECT_EQ(Shown(), "Руководители");
  struct Step {
    const char* typed;
    const char* shown;
    int key;
    const char* search;
  } steps[] = {
      {"с", "Специалисты", 2, "с"},       // case-insensitive, the rest selected
      {"пz", "Специалисты", 2, "сп"},     // a failing character is dropped
      {"\b", "Специалисты", 2, "с"},      // one character back
  };
  for (const Step& s : steps) {
    Type(s.typed);
    EXPECT_EQ(Shown(), s.shown) << s.typed;
    EXPECT_EQ(KeyOfPerson(), Variant(s.key)) << s.typed;
    EXPECT_EQ(StringToUtf8(edit->SearchText()), s.search) << s.typed;
    EXPECT_EQ(kat->AsString(), Utf8ToString(s.shown)) << "the lookup field follows its key";
  }
  Key(VK_ESCAPE);  // ends the search: the next character starts a new one
  EXPECT_FALSE(edit->Searching());
  Type("о");
  EXPECT_EQ(Shown(), "Обеспечивающие");
  EXPECT_EQ(KeyOfPerson(), Variant(3));
  int start = 0, end = 0;
  edit->GetSelectionRange(start, end);
  EXPECT_EQ(start, 1) << "the part not typed is selected";
  EXPECT_EQ(end, static_cast<int>(edit->Text().size()));
}

TEST_F(DxLookupEditTest, TheListOpensOnTypingAndEnterChoosesItsRow) {
  Type("с");
  TPopupDBLookupListBox* list = edit->PopupList();
  ASSERT_TRUE(list->HandleAllocated());
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->KeyValue(), Variant(2));
  EXPECT_EQ(list->RowCount(), 3) << "no more rows than the lookup dataset has";
  EXPECT_EQ(GetFocus(), edit->Handle()) << "the list never takes the focus";
  KeepCheckedScreen("lookup list");
  Key(VK_UP);  // the list moves to the row before by name
  EXPECT_EQ(list->KeyValue(), Variant(1));
  Key(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(KeyOfPerson(), Variant(1));
  EXPECT_EQ(Shown(), "Руководители");

  Key(VK_F4);
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(KeyOfPerson(), Variant(1)) << "Esc chooses nothing";
}

TEST_F(DxLookupEditTest, ClearingTheKeyAndSteppingWithTheWheel) {
  edit->CanDeleteText = true;
  edit->SelectAll();
  Key(VK_DELETE);
  EXPECT_TRUE(VarIsNull(KeyOfPerson()));
  EXPECT_EQ(Shown(), "");
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(KeyOfPerson(), Variant(3)) << "from no key, the first row by name";
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(KeyOfPerson(), Variant(1));
  EXPECT_EQ(Shown(), "Руководители");
}

TEST_F(DxLookupEditTest, ARefusedCloseUpKeepsTheKey) {
  edit->OnLookupCloseUp = [](TObject*, Variant&, bool& Accept) { Accept = false; };
  Key(VK_F4);
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(KeyOfPerson(), Variant(1));
}
