// The order of dataset events and link notifications for each operation.
#include <gtest/gtest.h>

#include <functional>

#include "platform/data/testing/DataTesting.h"

namespace {

struct DataSetEventsFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 5);
  TDataSource* src = new TDataSource(&owner);
  TRecordingLink link;

  DataSetEventsFixture() {
    auto log = [this](const char* name) { return [this, name](TDataSet*) { link.Log.push_back(name); }; };
    ds->BeforeOpen = log("BeforeOpen");
    ds->AfterOpen = log("AfterOpen");
    ds->BeforeClose = log("BeforeClose");
    ds->AfterClose = log("AfterClose");
    ds->BeforeInsert = log("BeforeInsert");
    ds->AfterInsert = log("AfterInsert");
    ds->BeforeEdit = log("BeforeEdit");
    ds->AfterEdit = log("AfterEdit");
    ds->BeforePost = log("BeforePost");
    ds->AfterPost = log("AfterPost");
    ds->BeforeCancel = log("BeforeCancel");
    ds->AfterCancel = log("AfterCancel");
    ds->BeforeDelete = log("BeforeDelete");
    ds->AfterDelete = log("AfterDelete");
    ds->BeforeScroll = log("BeforeScroll");
    ds->AfterScroll = log("AfterScroll");
    ds->OnNewRecord = log("NewRecord");
    src->SetDataSet(ds);
    link.SetDataSource(src);
  }
};

struct Case {
  const char* name;
  std::function<void(DataSetEventsFixture&)> setup;
  std::function<void(DataSetEventsFixture&)> operation;
  const char* expected;
};

void Open(DataSetEventsFixture& f) { f.ds->Open(); }

}  // namespace

TEST(DataSetEvents, OperationsNotifyInTheFrameworkOrder) {
  const Case cases[] = {
      {"open", nullptr, Open, "BeforeOpen, Active, AfterOpen, AfterScroll"},
      {"next", Open, [](DataSetEventsFixture& f) { f.ds->Next(); }, "CheckBrowse, BeforeScroll, Scrolled(1), AfterScroll"},
      {"prior",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Next();
       },
       [](DataSetEventsFixture& f) { f.ds->Prior(); }, "CheckBrowse, BeforeScroll, Scrolled(-1), AfterScroll"},
      {"last", Open, [](DataSetEventsFixture& f) { f.ds->Last(); }, "CheckBrowse, BeforeScroll, Changed, AfterScroll"},
      {"next at the end",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Last();
       },
       [](DataSetEventsFixture& f) { f.ds->Next(); }, "CheckBrowse, BeforeScroll"},
      {"insert", Open, [](DataSetEventsFixture& f) { f.ds->Insert(); },
       "CheckBrowse, BeforeInsert, BeforeScroll, Editing, NewRecord, Changed, AfterInsert, AfterScroll"},
      {"append", Open, [](DataSetEventsFixture& f) { f.ds->Append(); },
       "CheckBrowse, BeforeInsert, BeforeScroll, Editing, NewRecord, Changed, AfterInsert, AfterScroll"},
      {"edit", Open, [](DataSetEventsFixture& f) { f.ds->Edit(); }, "CheckBrowse, BeforeEdit, Editing, Record, AfterEdit"},
      {"field change",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Edit();
       },
       [](DataSetEventsFixture& f) { f.ds->FieldByName(u"NAME")->SetAsString(u"x"); }, "Record(NAME)"},
      {"post",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Edit();
         f.ds->FieldByName(u"NAME")->SetAsString(u"x");
       },
       [](DataSetEventsFixture& f) { f.ds->Post(); },
       "UpdateData, CheckBrowse, BeforePost, NotEditing, Changed, AfterPost"},
      {"cancel",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Edit();
       },
       [](DataSetEventsFixture& f) { f.ds->Cancel(); }, "CheckBrowse, BeforeCancel, NotEditing, Changed, AfterCancel"},
      {"unmodified edit left by scrolling",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Edit();
       },
       [](DataSetEventsFixture& f) { f.ds->Next(); },
       "CheckBrowse, UpdateData, CheckBrowse, BeforeCancel, NotEditing, Changed, AfterCancel, BeforeScroll, "
       "Scrolled(1), AfterScroll"},
      {"delete", Open, [](DataSetEventsFixture& f) { f.ds->Delete(); },
       "CheckBrowse, BeforeDelete, BeforeScroll, Changed, AfterDelete, AfterScroll"},
      {"close", Open, [](DataSetEventsFixture& f) { f.ds->Close(); }, "BeforeClose, Inactive, AfterClose"},
      {"close while editing",
       [](DataSetEventsFixture& f) {
         f.ds->Open();
         f.ds->Edit();
       },
       [](DataSetEventsFixture& f) { f.ds->Close(); }, "BeforeClose, Inactive, NotEditing, AfterClose"},
      {"disabled scrolling sends one change at the end", Open,
       [](DataSetEventsFixture& f) {
         f.ds->DisableControls();
         f.ds->Next();
         f.ds->DisableControls();
         f.ds->Next();
         f.ds->EnableControls();
         f.link.Log.push_back("|");
         f.ds->EnableControls();
       },
       "BeforeScroll, AfterScroll, BeforeScroll, AfterScroll, |, Changed"},
      {"disabled close", Open,
       [](DataSetEventsFixture& f) {
         f.ds->DisableControls();
         f.ds->Close();
         f.ds->EnableControls();
       },
       "BeforeClose, Event14(0), AfterClose, Inactive"},
      {"disabled edit and post", Open,
       [](DataSetEventsFixture& f) {
         f.ds->DisableControls();
         f.ds->Edit();
         f.ds->FieldByName(u"NAME")->SetAsString(u"x");
         f.ds->Post();
         f.ds->EnableControls();
       },
       "BeforeEdit, Event14(1), AfterEdit, BeforePost, Event14(1), AfterPost, Changed"},
      {"layout change while disabled", Open,
       [](DataSetEventsFixture& f) {
         f.ds->DisableControls();
         f.ds->FieldByName(u"NAME")->SetDisplayWidth(30);
         f.ds->Next();
         f.ds->EnableControls();
       },
       "BeforeScroll, AfterScroll, Layout"},
      {"open while disabled", nullptr,
       [](DataSetEventsFixture& f) {
         f.ds->DisableControls();
         f.ds->Open();
         f.ds->EnableControls();
       },
       "BeforeOpen, AfterOpen, AfterScroll, Active"},
  };
  for (const Case& c : cases) {
    DataSetEventsFixture f;
    if (c.setup) c.setup(f);
    f.link.Log.clear();
    c.operation(f);
    EXPECT_EQ(f.link.Take(), c.expected) << c.name;
  }
}

TEST(DataSetEvents, NewRecordMayCancelTheInsert) {
  DataSetEventsFixture f;
  f.ds->Open();
  f.ds->Next();
  f.ds->OnNewRecord = [](TDataSet* ds) { ds->Cancel(); };
  f.ds->Insert();
  EXPECT_EQ(f.ds->State(), dsBrowse);
  EXPECT_EQ(f.ds->FieldByName(u"ID")->AsInteger(), 2);
  EXPECT_EQ(f.ds->RecordCount(), 5);
}

TEST(DataSetEvents, DataSourceEvents) {
  DataSetEventsFixture f;
  std::vector<std::string> log;
  f.src->OnStateChange = [&](TObject*) { log.push_back("State"); };
  f.src->OnDataChange = [&](TObject*, TField* field) {
    log.push_back(field ? "Data(" + StringToUtf8(field->FieldName()) + ")" : "Data");
  };
  f.src->OnUpdateData = [&](TObject*) { log.push_back("Update"); };
  f.ds->Open();
  f.ds->Next();
  f.ds->Edit();
  f.ds->FieldByName(u"ID")->SetAsInteger(9);
  f.ds->Post();
  EXPECT_EQ(log, (std::vector<std::string>{"State", "Data", "Data", "State", "Data", "Data(ID)", "Update",
                                           "State", "Data"}));
  // A disabled source shows its links a closed dataset.
  f.src->SetEnabled(false);
  EXPECT_FALSE(f.link.Active());
  f.src->SetEnabled(true);
  EXPECT_TRUE(f.link.Active());
}

TEST(DataSetEvents, GridLinksHearBeforeSingleRecordLinks) {
  DataSetEventsFixture f;
  std::vector<std::string> order;
  TRecordingLink grid(3), single2;
  f.link.Name = "single1";
  grid.Name = "grid";
  single2.Name = "single2";
  f.link.Sink = grid.Sink = single2.Sink = &order;
  f.ds->Open();
  grid.SetDataSource(f.src);
  single2.SetDataSource(f.src);
  order.clear();
  f.ds->Next();
  // Multi-row links first, then single-record links, each group the latest attached first.
  EXPECT_EQ(order,
            (std::vector<std::string>{"grid:CheckBrowse", "single2:CheckBrowse", "single1:CheckBrowse",
                                      "grid:Scrolled(0)", "single2:Scrolled(1)", "single1:Scrolled(1)"}));
}

TEST(DataSetEvents, ControlsDisabledSkipsUpdateRecordAndCheckBrowse) {
  DataSetEventsFixture f;
  f.ds->Open();
  f.ds->Edit();
  f.link.Log.clear();
  f.ds->DisableControls();
  EXPECT_TRUE(f.ds->ControlsDisabled());
  f.ds->CheckBrowseMode();
  f.ds->EnableControls();
  EXPECT_FALSE(f.ds->ControlsDisabled());
  EXPECT_EQ(f.link.Take(), "BeforeCancel, Event14(1), AfterCancel, NotEditing, Changed");
}
