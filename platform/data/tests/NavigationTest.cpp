// Navigation, the buffer window seen through links, the cursor after a delete, and bookmarks.
#include <gtest/gtest.h>

#include <functional>

#include "platform/data/testing/DataTesting.h"

namespace {
struct NavigationFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* ds;
  TDataSource* src = new TDataSource(&owner);
  explicit NavigationFixture(int rows = 10) : ds(MakeNumberedDataSet(&owner, rows)) {
    src->SetDataSet(ds);
    ds->Open();
  }
  int Id() const { return ds->FieldByName(u"ID")->AsInteger(); }
};

// The IDs of the rows a link's window shows.
std::vector<int> Window(TDataLink& link, TDataSet* ds) {
  std::vector<int> ids;
  int saved = link.ActiveRecord();
  for (int i = 0; i < link.RecordCount(); ++i) {
    link.SetActiveRecord(i);
    ids.push_back(ds->FieldByName(u"ID")->AsInteger());
  }
  link.SetActiveRecord(saved);
  return ids;
}
}  // namespace

TEST(Navigation, BofEofRecNoAndMoveBy) {
  NavigationFixture f(5);
  EXPECT_TRUE(f.ds->Bof());
  EXPECT_FALSE(f.ds->Eof());
  EXPECT_EQ(f.ds->RecNo(), 1);
  EXPECT_EQ(f.ds->MoveBy(3), 3);
  EXPECT_EQ(f.Id(), 4);
  EXPECT_FALSE(f.ds->Bof());
  EXPECT_EQ(f.ds->MoveBy(10), 1);  // stops at the last record, which it tried to leave
  EXPECT_TRUE(f.ds->Eof());
  EXPECT_EQ(f.ds->RecNo(), 5);
  EXPECT_EQ(f.ds->MoveBy(-2), -2);
  EXPECT_FALSE(f.ds->Eof());
  f.ds->SetRecNo(2);
  EXPECT_EQ(f.Id(), 2);
  f.ds->First();
  f.ds->Prior();
  EXPECT_TRUE(f.ds->Bof());
  EXPECT_EQ(f.Id(), 1);
  // Walking to the end visits every record once.
  int count = 0;
  for (f.ds->First(); !f.ds->Eof(); f.ds->Next()) ++count;
  EXPECT_EQ(count, 5);
}

TEST(Navigation, EmptyDataSet) {
  NavigationFixture f(0);
  EXPECT_TRUE(f.ds->IsEmpty());
  EXPECT_TRUE(f.ds->Bof() && f.ds->Eof());
  EXPECT_EQ(f.ds->RecNo(), -1);
  EXPECT_TRUE(f.ds->FieldByName(u"ID")->IsNull());
  EXPECT_THROW(f.ds->Delete(), EDatabaseError);
  // Edit on an empty dataset inserts.
  f.ds->Edit();
  EXPECT_EQ(f.ds->State(), dsInsert);
}

TEST(Navigation, ClosedDataSetRefusesOperations) {
  TComponent owner(nullptr);
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 3);
  try {
    ds->Next();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Cannot perform this operation on a closed dataset");
  }
  EXPECT_THROW(ds->Edit(), EDatabaseError);
}

TEST(Navigation, LinkWindowFollowsTheCursor) {
  NavigationFixture f(10);
  TRecordingLink grid(4);
  grid.SetDataSource(f.src);
  EXPECT_EQ(f.ds->BufferCount(), 4);
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{1, 2, 3, 4}));
  grid.Log.clear();
  f.ds->MoveBy(3);
  EXPECT_EQ(grid.ActiveRecord(), 3);
  f.ds->Next();  // shifts the window by one
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(grid.ActiveRecord(), 3);
  f.ds->MoveBy(-3);
  EXPECT_EQ(grid.ActiveRecord(), 0);
  f.ds->Prior();
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(grid.Take(),
            "CheckBrowse, Scrolled(0), CheckBrowse, Scrolled(1), CheckBrowse, Scrolled(0), CheckBrowse, "
            "Scrolled(-1)");
  f.ds->Last();
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{7, 8, 9, 10}));
  EXPECT_EQ(grid.ActiveRecord(), 3);
  // Reading other rows through ActiveRecord does not move the cursor.
  EXPECT_EQ(f.Id(), 10);
  EXPECT_EQ(f.ds->RecNo(), 10);
}

TEST(Navigation, SmallerLinkKeepsItsOwnWindow) {
  NavigationFixture f(10);
  TRecordingLink grid(5), small(2);
  grid.SetDataSource(f.src);
  small.SetDataSource(f.src);
  f.ds->MoveBy(4);
  EXPECT_EQ(grid.ActiveRecord(), 4);
  EXPECT_EQ(small.ActiveRecord(), 1);
  EXPECT_EQ(Window(small, f.ds), (std::vector<int>{4, 5}));
  small.Log.clear();
  f.ds->MoveBy(-1);
  EXPECT_EQ(small.Take(), "CheckBrowse, Scrolled(0)");
  f.ds->MoveBy(-1);
  EXPECT_EQ(small.Take(), "CheckBrowse, Scrolled(-1)");
  EXPECT_EQ(Window(small, f.ds), (std::vector<int>{3, 4}));
}

TEST(Navigation, GrowingBufferCountFillsTheWindowAroundTheCursor) {
  NavigationFixture f(10);
  TRecordingLink grid(3);
  grid.SetDataSource(f.src);
  f.ds->Last();
  grid.SetBufferCount(6);
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(grid.ActiveRecord(), 5);
  grid.SetBufferCount(2);
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{9, 10}));
  EXPECT_EQ(f.Id(), 10);
}

TEST(Navigation, LongMovesMatchStepByStepMoves) {
  for (int distance : {7, 25, -25, 1000, -1000}) {
    NavigationFixture stepped(60), jumped(60);
    TRecordingLink a(5), b(5);
    a.SetDataSource(stepped.src);
    b.SetDataSource(jumped.src);
    stepped.ds->SetRecNo(30);
    jumped.ds->SetRecNo(30);
    int moved = 0;
    for (int i = 0; i < std::abs(distance); ++i) moved += stepped.ds->MoveBy(distance > 0 ? 1 : -1);
    EXPECT_EQ(jumped.ds->MoveBy(distance), moved) << distance;
    EXPECT_EQ(jumped.Id(), stepped.Id()) << distance;
    EXPECT_EQ(jumped.ds->Eof(), stepped.ds->Eof()) << distance;
    EXPECT_EQ(jumped.ds->Bof(), stepped.ds->Bof()) << distance;
    EXPECT_EQ(Window(b, jumped.ds), Window(a, stepped.ds)) << distance;
    EXPECT_EQ(b.ActiveRecord(), a.ActiveRecord()) << distance;
  }
}

TEST(Navigation, DeleteMovesToTheNextRecordOrThePreviousAtTheEnd) {
  NavigationFixture f(4);
  f.ds->SetRecNo(2);
  f.ds->Delete();
  EXPECT_EQ(f.Id(), 3);
  EXPECT_EQ(f.ds->RecordCount(), 3);
  f.ds->Last();
  f.ds->Delete();
  EXPECT_EQ(f.Id(), 3);
  EXPECT_FALSE(f.ds->Eof());
  f.ds->Delete();
  f.ds->Delete();
  EXPECT_TRUE(f.ds->IsEmpty());
  EXPECT_EQ(f.ds->DeleteCount(), 4);
  // Deleting during an insert cancels the insert.
  f.ds->Append();
  f.ds->Delete();
  EXPECT_EQ(f.ds->State(), dsBrowse);
  EXPECT_TRUE(f.ds->IsEmpty());
}

TEST(Navigation, InsertAppendPostAndCancelPlaceTheCursor) {
  NavigationFixture f(5);
  f.ds->SetRecNo(3);
  f.ds->Insert();
  EXPECT_EQ(f.ds->RecNo(), -1);
  f.ds->FieldByName(u"ID")->SetAsInteger(100);
  f.ds->Post();
  EXPECT_EQ(f.Id(), 100);
  EXPECT_EQ(f.ds->RecNo(), 3);  // before the record that was current
  f.ds->Next();
  EXPECT_EQ(f.Id(), 3);
  f.ds->Insert();
  f.ds->Cancel();
  EXPECT_EQ(f.Id(), 3);
  f.ds->Append();
  f.ds->Cancel();
  EXPECT_EQ(f.Id(), 5);
  f.ds->First();
  f.ds->Append();
  f.ds->FieldByName(u"ID")->SetAsInteger(200);
  f.ds->Post();
  EXPECT_EQ(f.ds->RecNo(), 7);
  // Edits survive closing and opening again.
  f.ds->Close();
  f.ds->Open();
  f.ds->Last();
  EXPECT_EQ(f.Id(), 200);
  EXPECT_EQ(f.ds->RecordCount(), 7);
}

// A record being appended stands after the last one: the dataset is at its end. A record inserted
// leaves BOF and EOF as the cursor had them, so inserting into an empty dataset keeps it empty
// until the post.
TEST(Navigation, BofAndEofWhileARecordIsInsertedOrAppended) {
  struct {
    const char* name;
    int rows;
    std::function<void(TDataSet*)> place;
    bool append, bof, eof;
  } const cases[] = {
      {"append in the middle", 5, [](TDataSet* ds) { ds->SetRecNo(3); }, true, false, true},
      {"append on the first record", 5, [](TDataSet* ds) { ds->First(); }, true, false, true},
      {"append to an empty dataset", 0, [](TDataSet*) {}, true, false, true},
      {"insert in the middle", 5, [](TDataSet* ds) { ds->SetRecNo(3); }, false, false, false},
      {"insert at the start", 5, [](TDataSet* ds) { ds->First(); }, false, true, false},
      {"insert past the last record", 5,
       [](TDataSet* ds) {
         ds->Last();
         ds->Next();
       },
       false, false, true},
      {"insert into an empty dataset", 0, [](TDataSet*) {}, false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NavigationFixture f(c.rows);
    c.place(f.ds);
    c.append ? f.ds->Append() : f.ds->Insert();
    ASSERT_EQ(f.ds->State(), dsInsert);
    EXPECT_EQ(f.ds->Bof(), c.bof);
    EXPECT_EQ(f.ds->Eof(), c.eof);
    f.ds->FieldByName(u"ID")->SetAsInteger(100);
    f.ds->Post();
    EXPECT_FALSE(f.ds->IsEmpty());
    EXPECT_EQ(f.Id(), 100);
    EXPECT_EQ(f.ds->Eof(), false) << "a posted record is a record like the others";
  }
}

TEST(Navigation, ScrollingAwayPostsModifiedAndCancelsUnmodifiedEdits) {
  NavigationFixture f(3);
  f.ds->Edit();
  f.ds->FieldByName(u"NAME")->SetAsString(u"changed");
  f.ds->Next();
  f.ds->First();
  EXPECT_EQ(f.ds->FieldByName(u"NAME")->AsString(), u"changed");
  f.ds->Insert();  // not modified: dropped by the next move
  f.ds->Next();
  EXPECT_EQ(f.ds->RecordCount(), 3);
  EXPECT_EQ(f.ds->InsertCount(), 0);
}

TEST(Navigation, PostFailureKeepsTheEditAndRequiredFieldsAreChecked) {
  NavigationFixture f(3);
  f.ds->Edit();
  f.ds->FieldByName(u"NAME")->SetAsString(u"x");
  f.ds->FailNextResolve = u"write refused";
  EXPECT_THROW(f.ds->Post(), EDatabaseError);
  EXPECT_EQ(f.ds->State(), dsEdit);
  EXPECT_EQ(f.ds->FieldByName(u"NAME")->AsString(), u"x");
  f.ds->Post();
  EXPECT_EQ(f.ds->UpdateCount(), 1);

  f.ds->FieldByName(u"ID")->SetRequired(true);
  TRecordingLink link;
  link.SetDataSource(f.src);
  f.ds->Append();
  link.Log.clear();
  try {
    f.ds->Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Field 'ID' must have a value");
  }
  // The controls are asked to focus the missing field first.
  EXPECT_EQ(link.Take(), "UpdateData, CheckBrowse, Focus(ID)");
  // OnPostError may retry after mending the record.
  f.ds->OnPostError = [](TDataSet* ds, EDatabaseError&, TDataAction& action) {
    ds->FieldByName(u"ID")->SetAsInteger(42);
    action = daRetry;
  };
  f.ds->Post();
  EXPECT_EQ(f.Id(), 42);
}

TEST(Navigation, BookmarksAreComparableAndSurviveEdits) {
  NavigationFixture f(6);
  f.ds->SetRecNo(2);
  TBookmark b2 = f.ds->GetBookmark();
  f.ds->SetRecNo(5);
  TBookmark b5 = f.ds->Bookmark();
  EXPECT_LT(b2, b5);  // as byte strings too
  EXPECT_EQ(f.ds->CompareBookmarks(b2, b5), -1);
  EXPECT_EQ(f.ds->CompareBookmarks(b5, b2), 1);
  EXPECT_EQ(f.ds->CompareBookmarks(b2, b2), 0);
  EXPECT_EQ(f.ds->CompareBookmarks(TBookmark(), b2), -1);
  f.ds->First();
  f.ds->Insert();
  EXPECT_TRUE(f.ds->GetBookmark().empty());
  f.ds->FieldByName(u"ID")->SetAsInteger(0);
  f.ds->Post();
  f.ds->GotoBookmark(b5);
  EXPECT_EQ(f.Id(), 5);
  EXPECT_EQ(f.ds->RecNo(), 6);
  f.ds->GotoBookmark(b2);
  f.ds->Delete();
  EXPECT_FALSE(f.ds->BookmarkValid(b2));
  EXPECT_TRUE(f.ds->BookmarkValid(b5));
  try {
    f.ds->GotoBookmark(b2);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Record not found");
  }
  f.ds->SetBookmark(b5);
  EXPECT_EQ(f.Id(), 5);
  TBookmark b = f.ds->GetBookmark();
  f.ds->FreeBookmark(b);
  EXPECT_TRUE(b.empty());
}

TEST(Navigation, DataSetChangesSeenByTheLinkAfterEdits) {
  NavigationFixture f(3);
  TRecordingLink grid(3);
  grid.SetDataSource(f.src);
  f.ds->Last();
  f.ds->Insert();
  EXPECT_EQ(grid.RecordCount(), 3);  // the new record pushes the last one out of the window
  EXPECT_EQ(grid.ActiveRecord(), 2);
  f.ds->Cancel();
  EXPECT_EQ(Window(grid, f.ds), (std::vector<int>{1, 2, 3}));
  f.ds->Append();
  EXPECT_EQ(grid.ActiveRecord(), 2);
  grid.SetActiveRecord(0);
  EXPECT_EQ(f.ds->FieldByName(u"ID")->AsInteger(), 2);
  grid.SetActiveRecord(2);
  EXPECT_TRUE(f.ds->FieldByName(u"ID")->IsNull());
}
