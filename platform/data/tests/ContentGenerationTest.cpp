// The dataset's content generation: what changes the records a control may have copied (their
// set, order or values) moves it on; moving the cursor does not.
#include <gtest/gtest.h>

#include <functional>

#include "platform/data/ClientDataSet.h"
#include "platform/data/testing/DataTesting.h"

namespace {

struct ContentGenerationFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 20);
  TDataSource* src = new TDataSource(&owner);
  TRecordingLink link{5};
  ContentGenerationFixture() {
    src->SetDataSet(ds);
    link.SetDataSource(src);
    ds->Open();
    ds->SetRecNo(8);
  }
  TField* Name() const { return ds->FieldByName(u"NAME"); }
};

struct TOperationCase {
  const char* name;
  std::function<void(ContentGenerationFixture&)> run;
  bool changesContent;
};

void Rename(ContentGenerationFixture& f, const char* text) {
  f.ds->Edit();
  f.Name()->SetAsString(S(text));
}

const TOperationCase kOperations[] = {
    {"MoveBy", [](ContentGenerationFixture& f) { f.ds->MoveBy(3); }, false},
    {"First/Last", [](ContentGenerationFixture& f) { f.ds->Last(), f.ds->First(); }, false},
    {"RecNo", [](ContentGenerationFixture& f) { f.ds->SetRecNo(19); }, false},
    {"Locate", [](ContentGenerationFixture& f) { f.ds->Locate(u"NAME", Variant(u"name1"), {loCaseInsensitive, loPartialKey}); }, false},
    {"GotoBookmark",
     [](ContentGenerationFixture& f) {
       TBookmark b = f.ds->GetBookmark();
       f.ds->Last();
       f.ds->GotoBookmark(b);
     },
     false},
    {"Resync", [](ContentGenerationFixture& f) { f.ds->Resync({rmExact, rmCenter}); }, false},
    {"Edit alone", [](ContentGenerationFixture& f) { f.ds->Edit(); }, false},
    {"DisableControls/EnableControls",
     [](ContentGenerationFixture& f) {
       f.ds->DisableControls();
       f.ds->Next();
       f.ds->EnableControls();
     },
     false},
    {"Post an edit",
     [](ContentGenerationFixture& f) {
       Rename(f, "Other");
       f.ds->Post();
     },
     true},
    {"Cancel an edit",
     [](ContentGenerationFixture& f) {
       Rename(f, "Other");
       f.ds->Cancel();
     },
     true},
    {"Insert", [](ContentGenerationFixture& f) { f.ds->Insert(); }, true},
    {"Append", [](ContentGenerationFixture& f) { f.ds->Append(); }, true},
    {"Delete", [](ContentGenerationFixture& f) { f.ds->Delete(); }, true},
    {"Refresh", [](ContentGenerationFixture& f) { f.ds->Refresh(); }, true},
    {"Close/Open", [](ContentGenerationFixture& f) { f.ds->Close(), f.ds->Open(); }, true},
    {"Filtered",
     [](ContentGenerationFixture& f) {
       f.ds->SetFilter(u"ID > 5");
       f.ds->SetFiltered(true);
     },
     true},
    {"OnFilterRecord refiltered",
     [](ContentGenerationFixture& f) {
       f.ds->OnFilterRecord = [](TDataSet* d, bool& accept) { accept = d->FieldByName(u"ID")->AsInteger() % 2; };
       f.ds->SetFiltered(true);
     },
     true},
    {"SetFields (edit and post)", [](ContentGenerationFixture& f) { f.ds->SetFields({Unassigned(), Variant(u"X")}); }, true},
};

}  // namespace

TEST(ContentGeneration, EachOperationMovesItOnlyWhenTheContentChanges) {
  for (const TOperationCase& c : kOperations) {
    SCOPED_TRACE(c.name);
    ContentGenerationFixture f;
    const UInt64 before = f.ds->ContentGeneration();
    c.run(f);
    if (c.changesContent)
      EXPECT_NE(f.ds->ContentGeneration(), before);
    else
      EXPECT_EQ(f.ds->ContentGeneration(), before);
  }
}

TEST(ContentGeneration, InsertAndItsEndEachMoveIt) {
  // A control shows the record being inserted: the post and the cancel both change what it shows.
  for (bool post : {true, false}) {
    ContentGenerationFixture f;
    f.ds->Insert();
    const UInt64 inserting = f.ds->ContentGeneration();
    f.ds->FieldByName(u"ID")->SetAsInteger(99);
    EXPECT_EQ(f.ds->ContentGeneration(), inserting) << "a field of an unposted record is not the content";
    if (post)
      f.ds->Post();
    else
      f.ds->Cancel();
    EXPECT_NE(f.ds->ContentGeneration(), inserting) << (post ? "post" : "cancel");
  }
}

TEST(ContentGeneration, IndexChangesAndAReplacedSnapshotMoveIt) {
  TComponent owner(nullptr);
  TMemoryDataSet* people = MakePeopleDataSet(&owner);
  auto* provider = new TDataSetProvider(&owner);
  provider->SetName(u"Provider");
  provider->SetDataSet(people);
  TClientDataSet cds(&owner);
  cds.SetProviderName(u"Provider");
  cds.Open();
  UInt64 seen = cds.ContentGeneration();
  auto moved = [&] {
    const UInt64 now = cds.ContentGeneration();
    EXPECT_GE(now, seen) << "the generation never goes back";
    const bool changed = now != seen;
    seen = now;
    return changed;
  };
  cds.SetIndexFieldNames(u"FSTNAME");
  EXPECT_TRUE(moved()) << "index";
  cds.First();
  EXPECT_FALSE(moved()) << "First";
  // Refresh replaces the whole store with a new snapshot, whose own count starts low.
  cds.Refresh();
  EXPECT_TRUE(moved()) << "refresh";
  cds.EmptyDataSet();
  EXPECT_TRUE(moved()) << "empty";
}

TEST(ContentGeneration, AStoreReplacedByAFreshOneStillCountsForward) {
  TRecordStore store;
  store.Reset({ftInteger});
  for (int i = 0; i < 10; ++i) store.SetInt(store.AppendRow(), 0, i);
  const std::uint64_t before = store.Generation();
  TRecordStore fresh;
  fresh.Reset({ftInteger});
  fresh.SetInt(fresh.AppendRow(), 0, 1);
  store = std::move(fresh);
  EXPECT_GT(store.Generation(), before);
}

TEST(ContentGeneration, AResyncRereadsCalculatedValues) {
  TComponent owner(nullptr);
  auto* ds = new TMemoryDataSet(&owner);
  ds->AddFieldDef(u"ID", ftInteger);
  ds->AddRow({1});
  ds->AddRow({2});
  ds->FieldDefs()->Find(u"ID")->CreateField(&owner, ds);
  auto* calc = new TIntegerField(&owner);
  calc->SetFieldName(u"TWICE");
  calc->SetFieldKind(fkCalculated);
  calc->SetDataSet(ds);
  int factor = 2;
  ds->OnCalcFields = [&](TDataSet* d) {
    d->FieldByName(u"TWICE")->SetAsInteger(d->FieldByName(u"ID")->AsInteger() * factor);
  };
  ds->Open();
  const UInt64 opened = ds->ContentGeneration();
  ds->Locate(u"ID", 2, {});
  EXPECT_EQ(ds->ContentGeneration(), opened);
  factor = 3;
  ds->Resync({});
  EXPECT_EQ(ds->FieldByName(u"TWICE")->AsInteger(), 6);
  EXPECT_NE(ds->ContentGeneration(), opened);
}
