// The lookup tree edit: a person's place of work chosen in the territory tree through the keyboard
// and the mouse, the drop-down's placement and size, and the box's text.
#include "DbTreeFixture.h"
#include "dx/dbtree/dxdbtrel.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypInfo.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Gdi.h"

namespace {

class LookupTest : public DbTreeTest {
 protected:
  void SetUp() override {
    DbTreeTest::SetUp();
    // Territories: Область > Район > Посёлок, and a second root.
    Exec(
        u"INSERT INTO DEP (ID, PARENT_ID, NAME, NOTE) VALUES (1, 0, 'Область', 'long 1'), (2, 1, 'Район', "
        u"'long 2'),"
        u" (3, 2, 'Посёлок', 'long 3'), (4, 0, 'Город', 'long 4');"
        u"CREATE TABLE PEOPLE (ID INTEGER NOT NULL UNIQUE, DEPID INTEGER);"
        u"INSERT INTO PEOPLE VALUES (1, 2)");
    list = Query(u"SELECT * FROM DEP ORDER BY ID");
    list->Open();
    listSource = new TDataSource(&owner);
    listSource->SetDataSet(list);
    people = Query(u"SELECT * FROM PEOPLE");
    people->Open();
    peopleSource = new TDataSource(&owner);
    peopleSource->SetDataSet(people);
    edit = new TdxDBLookupTreeView(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 200, 0);
    edit->SetKeyField(u"ID");
    edit->SetAssignField(u"ID");
    edit->SetParentField(u"PARENT_ID");
    edit->SetListField(u"NAME");
    edit->SetRootValue(u"0");
    edit->SetOptions(
        {trDBCanDelete, trDBConfirmDelete, trCanDBNavigate, trSmartRecordCopy, trCheckHasChildren});
    edit->SetListSource(listSource);
    edit->SetDataSource(peopleSource);
    edit->SetDataField(u"DEPID");
    Pump();
  }
  RECT PopupRect() const {
    RECT r{};
    GetWindowRect(edit->Popup()->Handle(), &r);
    return r;
  }
  std::string PersonDep() {
    auto st = connection->DbConnection().Prepare(u"SELECT IFNULL(DEPID, 'null') FROM PEOPLE");
    st->Execute();
    return st->Next() ? StringToUtf8(VarToStr(st->Value(0))) : "none";
  }
  void DropDownByKeyboard() {
    edit->SetFocus();
    Pump();
    SimulateKeyPress(VK_DOWN, 4);  // Alt
    Pump();
  }

  TADOQuery* list = nullptr;
  TADOQuery* people = nullptr;
  TDataSource* listSource = nullptr;
  TDataSource* peopleSource = nullptr;
  TdxDBLookupTreeView* edit = nullptr;
};

TEST_F(LookupTest, PlaceOfWorkIsChosenWithTheKeyboardAndWrittenToTheCard) {
  EXPECT_EQ(edit->Text(), u"Район");
  DropDownByKeyboard();
  ASSERT_TRUE(edit->DroppedDown());
  TPopupDBTreeView* tree = edit->Popup();
  ASSERT_NE(tree->Selected(), nullptr);
  EXPECT_EQ(tree->Selected()->Text(), u"Район");  // the current value is selected
  // Below the box, as wide as it, seven rows of the 16-pixel font and the bar.
  RECT box{};
  GetWindowRect(edit->Handle(), &box);
  RECT r = PopupRect();
  EXPECT_EQ(r.left, box.left);
  EXPECT_EQ(r.top, box.bottom);
  EXPECT_EQ(r.right - r.left, box.right - box.left);
  EXPECT_EQ(r.bottom - r.top, 16 * 7 + kDropDownExtraHeight);
  SimulateKeyPress(VK_RIGHT);  // opens Район
  SimulateKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(tree->Selected()->Text(), u"Посёлок");
  // The drop-down's selected row shows on the screen in the highlight colour.
  RECT row = tree->Selected()->DisplayRect(true);
  POINT at = tree->ClientToScreen(POINT{row.left + 1, row.top + 1});
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, at.x, at.y), ColorToColorRef(clHighlight));
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(KeepCheckedScreen("dropped"));
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(tree->Handle()));
  EXPECT_EQ(edit->Text(), u"Посёлок");
  EXPECT_EQ(edit->KeyValue().AsInteger(), 3);
  EXPECT_EQ(people->State(), dsEdit);
  people->Post();
  EXPECT_EQ(PersonDep(), "3");
  EXPECT_EQ(tree->DBNodes()->Count(), 0);  // the tree is unbound while closed
}

TEST_F(LookupTest, EscapeAndAPressOnTheBoxCloseWithoutChangingTheValue) {
  DropDownByKeyboard();
  SimulateKeyPress(VK_UP);
  Pump();
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), u"Район");
  DropDownByKeyboard();
  SimulateKeyPress(VK_UP);
  Pump();
  clock->Advance(1000);
  SimulateClick(TSimButton::Left, edit->ClientToScreen(POINT{5, 5}));
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), u"Район");
  EXPECT_EQ(people->FieldByName(u"DEPID")->AsInteger(), 2);
}

TEST_F(LookupTest, WithoutCanSelectParentsANodeWithChildrenIsNotChosen) {
  edit->SetCanSelectParents(false);
  edit->SetFocus();
  Pump();
  people->Edit();
  people->FieldByName(u"DEPID")->SetAsInteger(3);
  DropDownByKeyboard();
  ASSERT_EQ(edit->Popup()->Selected()->Text(), u"Посёлок");
  SimulateKeyPress(VK_UP);  // Район has children: the selection stays
  Pump();
  EXPECT_EQ(edit->Popup()->Selected()->Text(), u"Посёлок");
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(people->FieldByName(u"DEPID")->AsInteger(), 3);
}

TEST_F(LookupTest, DropDownPlacementNearTheScreensEdges) {
  struct {
    int screenHeight;
    int boxTop;
    const char* expected;  // where the list goes
  } cases[] = {
      {768, 20, "below"},
      {768, 700, "above"},
      {240, 100, "below, shortened"},  // 138 below, 76 above: fits neither, the larger room below
      {240, 140, "above, shortened"},  // more room above
  };
  for (auto& c : cases) {
    SetScreenSize(1024, c.screenHeight);
    form->SetBounds(0, 0, 400, c.screenHeight);
    Pump();
    edit->SetBounds(20, 0, 200, 0);
    RECT box{};
    GetWindowRect(edit->Handle(), &box);
    edit->SetBounds(20, c.boxTop - box.top, 200, 0);
    GetWindowRect(edit->Handle(), &box);
    DropDownByKeyboard();
    RECT r = PopupRect();
    int full = 16 * 7 + kDropDownExtraHeight;
    std::string where = r.top >= box.bottom ? "below" : "above";
    if (r.bottom - r.top < full) where += ", shortened";
    EXPECT_EQ(where, c.expected) << c.screenHeight << " " << c.boxTop;
    EXPECT_LE(r.bottom, c.screenHeight);
    EXPECT_GE(r.top, 0);
    SimulateKeyPress(VK_ESCAPE);
    Pump();
  }
}

TEST_F(LookupTest, AResizedDropDownOpensWithTheSameSizeNextTime) {
  DropDownByKeyboard();
  RECT r = PopupRect();
  SetWindowPos(edit->Popup()->Handle(), nullptr, r.left, r.top, 260, 16 * 4 + kDropDownExtraHeight + 5,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(edit->DropDownWidth(), 260);
  EXPECT_EQ(edit->DropDownRows(), 4);
  DropDownByKeyboard();
  r = PopupRect();
  EXPECT_EQ(r.right - r.left, 260);
  EXPECT_EQ(r.bottom - r.top, 16 * 4 + kDropDownExtraHeight);
  // Never fewer than two rows.
  SetWindowPos(edit->Popup()->Handle(), nullptr, 0, 0, 260, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(edit->DropDownRows(), 2);
}

TEST_F(LookupTest, FullPathTextStopsAtRootsAndLoopsAndLeavesTheListWhereItWas) {
  edit->SetTextStyle(tvtsFull);
  edit->SetDividedChar(u'/');
  list->Locate(u"ID", Variant(4), {});
  people->Edit();
  people->FieldByName(u"DEPID")->SetAsInteger(3);
  EXPECT_EQ(edit->Text(), u"Область/Район/Посёлок");
  EXPECT_EQ(list->FieldByName(u"ID")->AsInteger(), 4);
  // A loop 10 <-> 11 in the parents ends the path instead of walking on.
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (10, 11, 'x'), (11, 10, 'y')");
  list->Requery();
  people->FieldByName(u"DEPID")->SetAsInteger(10);
  EXPECT_EQ(edit->Text(), u"y/x");
}

TEST_F(LookupTest, CircularDataLinksAreRefused) {
  auto* detail = Query(u"SELECT * FROM DEP WHERE PARENT_ID = :ID");
  detail->SetDataSource(peopleSource);
  detail->Open();
  auto* detailSource = new TDataSource(&owner);
  detailSource->SetDataSet(detail);
  auto* other = new TdxDBLookupTreeView(form);
  other->SetParent(form);
  other->SetKeyField(u"ID");
  other->SetDataSource(peopleSource);
  other->SetDataField(u"DEPID");
  try {
    other->SetListSource(detailSource);
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Circular datalinks are not allowed");
  }
}

}  // namespace

namespace {

// Form resources create the lookup edit by its class name and set its properties by name.
TEST_F(LookupTest, FormResourcesReachTheEditsPropertiesByName) {
  ASSERT_NE(GetClass(u"TdxDBLookupTreeView"), nullptr);
  ASSERT_NE(GetClass(u"TdxDBTreeView"), nullptr);
  SetStrProp(edit, u"ListField", u"NOTE");
  SetStrProp(edit, u"RootValue", u"0");
  EXPECT_EQ(edit->ListField(), u"NOTE");
  EXPECT_EQ(edit->Text(), u"long 2");
  ASSERT_NE(GetPropInfo(edit, u"TreeViewShowRoot"), nullptr);
  ASSERT_NE(GetPropInfo(edit, u"Options"), nullptr);
}

}  // namespace
