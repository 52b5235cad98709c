// Records of the table view: repaints of single records through the change queue, the focused
// record's notification, the new-item row, master rows and the expansion keys.
#include <algorithm>

#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/cxStyles.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/win/Input.h"

namespace {

struct TRepaint {
  int row;
  TcxCustomGridTableItem* item;
  bool operator==(const TRepaint&) const = default;
};

// Lays every row out as a strip 10 pixels high and logs the repaints asked of it.
class TRepaintLoggingView : public TcxGridDBTableView {
 public:
  using TcxGridDBTableView::TcxGridDBTableView;
  std::vector<TRepaint> Repaints;
  bool GetRecordRepaintBounds(int ARecordIndex, TcxCustomGridTableItem* AItem, RECT& ABounds) override {
    Repaints.push_back({ARecordIndex, AItem});
    ABounds = RECT{0, ARecordIndex * 10, 100, ARecordIndex * 10 + 10};
    return true;
  }
};

}  // namespace

class CxGridRecordsTest : public CxGridDBTableViewTest {
 protected:
  TcxGridDBTableView* NewView() override { return new TRepaintLoggingView(form_); }
  TRepaintLoggingView* View() { return static_cast<TRepaintLoggingView*>(view_); }
  TcxCustomGridRecord* Row(int AIndex) { return view_->ViewData()->Records(AIndex); }
};

TEST_F(CxGridRecordsTest, RecordRepaintsWaitInTheQueueAndMergeThere) {
  TcxGridDBColumn* city = Column(u"CITY");
  View()->Repaints.clear();
  grid_->BeginUpdate();
  Row(1)->Invalidate();
  Row(2)->Invalidate(city);
  Row(1)->Invalidate();
  EXPECT_TRUE(View()->Repaints.empty());
  EXPECT_EQ(grid_->QueuedChangeCount(), 3);
  grid_->EndUpdate();
  EXPECT_EQ(View()->Repaints, (std::vector<TRepaint>{{1, nullptr}, {2, city}}));
}

TEST_F(CxGridRecordsTest, ALaterChangeOfTheSameViewMakesARecordRepaintRedundant) {
  struct Case {
    const char* name;
    std::function<void()> later;
    bool repaintRuns;
  };
  const std::vector<Case> cases{
      {"the view's layout", [&] { view_->LayoutChanged(true); }, false},
      {"the view's size", [&] { view_->SizeChanged(true); }, false},
      {"the whole grid's layout", [&] { grid_->RequestLayout(); }, true},
      {"another view's layout", [&] { (new TcxGridDBTableView(form_))->LayoutChanged(true); }, true},
  };
  for (const Case& c : cases) {
    View()->Repaints.clear();
    grid_->BeginUpdate();
    Row(3)->Invalidate();
    c.later();
    grid_->EndUpdate();
    EXPECT_EQ(View()->Repaints.size(), c.repaintRuns ? 1u : 0u) << c.name;
  }
}

// Data changes never wait: the rows are rebuilt at once and the queued repaint must not reach the
// record objects that went with them.
TEST_F(CxGridRecordsTest, ADataChangeRebuildsTheRowsAtOnceWhileRepaintsWait) {
  View()->Repaints.clear();
  grid_->BeginUpdate();
  Row(4)->Invalidate();
  people_->Refresh();
  EXPECT_EQ(view_->ViewData()->CreatedRecordCount(), 0) << "the rows were rebuilt inside the update bracket";
  EXPECT_GE(grid_->QueuedChangeCount(), 1);
  grid_->EndUpdate();
  // The focused record's repaint after the reload may run; the stale one must not.
  EXPECT_EQ(std::count(View()->Repaints.begin(), View()->Repaints.end(), TRepaint{4, nullptr}), 0)
      << "the view's size change after the reload superseded the repaint";
}

TEST_F(CxGridRecordsTest, ACellRepaintOfAHiddenOrRemovedItemDoesNothing) {
  TcxGridDBColumn* city = Column(u"CITY");
  TcxGridDBColumn* surname = Column(u"SURNAME");
  View()->Repaints.clear();
  grid_->BeginUpdate();
  Row(0)->Invalidate(city);
  Row(0)->Invalidate(surname);
  city->SetVisible(false);
  delete surname;
  Row(1)->Invalidate(Column(u"ID"));
  grid_->EndUpdate();
  EXPECT_EQ(View()->Repaints, (std::vector<TRepaint>{{1, Column(u"ID")}}));
}

// A dataset always has a current record: the first move starts from the first row.
TEST_F(CxGridRecordsTest, AFocusMoveNamesBothRecordsAndRepaintsThem) {
  struct Event {
    TcxCustomGridRecord* prev;
    TcxCustomGridRecord* focused;
  };
  std::vector<Event> events;
  view_->OnFocusedRecordChanged = [&](TcxCustomGridTableView*, TcxCustomGridRecord* APrev,
                                      TcxCustomGridRecord* AFocused, bool) {
    events.push_back({APrev, AFocused});
  };
  TcxCustomDataController* dc = view_->DataController();
  View()->Repaints.clear();
  events.clear();
  dc->ChangeFocusedRowIndex(2);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].prev, Row(0));
  EXPECT_EQ(events[0].focused, Row(2));
  dc->ChangeFocusedRowIndex(4);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].prev, Row(2));
  EXPECT_EQ(events[1].focused, Row(4));
  EXPECT_EQ(View()->Repaints,
            (std::vector<TRepaint>{{0, nullptr}, {2, nullptr}, {2, nullptr}, {4, nullptr}}));
}

TEST_F(CxGridRecordsTest, TheNewItemRowLivesWhileTheOptionIsOn) {
  TcxCustomGridTableViewData* data = view_->ViewData();
  EXPECT_EQ(data->NewItemRecord(), nullptr);
  view_->OptionsView()->SetNewItemRow(true);
  TcxCustomGridRecord* newItem = data->NewItemRecord();
  ASSERT_NE(newItem, nullptr);
  EXPECT_TRUE(newItem->InheritsFrom(TcxGridNewItemRow::StaticClass()));
  EXPECT_TRUE(newItem->IsNewItemRecord());
  EXPECT_EQ(newItem->Index(), -1);
  EXPECT_EQ(newItem->RecordIndex(), view_->DataController()->GetNewItemRecordIndex());
  EXPECT_EQ(data->GetRecordByRecordIndex(newItem->RecordIndex()), newItem);
  EXPECT_EQ(data->RecordCount(), 5) << "the new-item row is no row of the data";
  view_->OptionsView()->SetNewItemRow(true);
  EXPECT_EQ(data->NewItemRecord(), newItem) << "switching on twice makes it once";
  view_->OptionsView()->SetNewItemRow(false);
  EXPECT_EQ(data->NewItemRecord(), nullptr);
}

TEST_F(CxGridRecordsTest, MasterRowsExpandTheirDetailsThroughTheRecordThatStandsForThem) {
  TcxGridDBTableView* pattern = AddEducationDetail();
  TcxCustomGridTableViewData* data = view_->ViewData();
  auto* orlova = dynamic_cast<TcxGridMasterDataRow*>(data->Records(0));
  ASSERT_NE(orlova, nullptr) << "a view with a visible detail level has master rows";
  EXPECT_TRUE(orlova->Expandable());
  EXPECT_FALSE(orlova->Expanded());
  EXPECT_EQ(orlova->ActiveDetailIndex(), 0);
  EXPECT_FALSE(orlova->ActiveDetailGridViewExists()) << "asking does not make the detail";
  EXPECT_EQ(pattern->CloneCount(), 0);

  const int recordIndex = orlova->RecordIndex();
  orlova->Expand(true);
  auto* expanded = dynamic_cast<TcxGridMasterDataRow*>(data->GetRecordByRecordIndex(recordIndex));
  ASSERT_NE(expanded, nullptr);
  EXPECT_TRUE(expanded->Expanded());
  ASSERT_EQ(pattern->CloneCount(), 1);
  EXPECT_EQ(expanded->ActiveDetailGridView(), pattern->Clones(0));
  EXPECT_TRUE(expanded->ActiveDetailGridViewExists());
  EXPECT_EQ(expanded->ActiveDetailLevel(), grid_->RootLevel()->Items(0)->Items(0));

  expanded->Collapse(true);
  EXPECT_FALSE(view_->DataController()->GetDetailExpanding(recordIndex));
}

TEST_F(CxGridRecordsTest, ExpansionKeysActOnExpandableRecordsOnly) {
  WORD key = VK_ADD;
  Row(0)->KeyDown(key, {});
  EXPECT_EQ(key, VK_ADD) << "a data row is not expandable";

  Column(u"CITY")->SetGroupIndex(0);
  view_->ViewData()->Collapse(true);
  struct Case {
    WORD key;
    bool expandedBefore;
    bool expandedAfter;
    bool handled;
  };
  for (const Case& c : {Case{VK_ADD, false, true, true}, Case{VK_SUBTRACT, true, false, true},
                        Case{VK_RIGHT, false, true, true}, Case{VK_RIGHT, true, true, false},
                        Case{VK_LEFT, true, false, true}, Case{VK_LEFT, false, false, false},
                        Case{VK_MULTIPLY, false, true, true}, Case{VK_DOWN, false, false, false}}) {
    Row(0)->SetExpanded(c.expandedBefore);
    key = c.key;
    Row(0)->KeyDown(key, {});
    EXPECT_EQ(Row(0)->Expanded(), c.expandedAfter) << c.key;
    EXPECT_EQ(key == 0, c.handled) << c.key;
  }
}

TEST_F(CxGridRecordsTest, ContentStylesFollowTheRecordsParityAndTheHandler) {
  auto* repository = new TcxStyleRepository(form_);
  auto color = [&](TColor AColor) {
    auto* style = static_cast<TcxStyle*>(repository->CreateStyleWithOwner(TcxStyle::StaticClass(), form_));
    style->SetColor(AColor);
    return style;
  };
  TcxCustomGridTableViewStyles* styles = view_->Styles();
  auto colorOf = [&](int ARow) {
    TcxStyleParams params;
    styles->GetContentParams(Row(ARow), nullptr, params);
    return params.Color;
  };
  const TColor plain = view_->LookAndFeelPainter()->GetDefaultContentColor();
  EXPECT_EQ(colorOf(0), plain);

  styles->SetContentOdd(color(clYellow));
  EXPECT_EQ(colorOf(0), plain) << "an even record without an even style takes Content";
  EXPECT_EQ(colorOf(1), clYellow);
  styles->SetContent(color(clSilver));
  styles->SetContentEven(color(clAqua));
  EXPECT_EQ(colorOf(0), clAqua);
  EXPECT_EQ(colorOf(2), clAqua);
  EXPECT_EQ(colorOf(3), clYellow);

  TcxStyle* marked = color(clRed);
  styles->OnGetContentStyle = [&](TcxCustomGridTableView*, TcxCustomGridRecord* ARecord,
                                  TcxCustomGridTableItem*, TcxStyle*& AStyle) {
    if (ARecord->Index() == 3) AStyle = marked;
  };
  EXPECT_EQ(colorOf(3), clRed) << "the handler's style comes first";
  EXPECT_EQ(colorOf(1), clYellow);

  // Selection keeps the record's font and takes the look-and-feel's colours.
  TcxStyleParams selection;
  TcxGridContentPlace place{Row(1), nullptr};
  styles->GetViewParams(vsSelection, &place, nullptr, selection);
  EXPECT_EQ(selection.Color, view_->LookAndFeelPainter()->GetDefaultSelectionColor());
  EXPECT_EQ(selection.TextColor, view_->LookAndFeelPainter()->GetDefaultSelectionTextColor());
}

TEST_F(CxGridRecordsTest, SelectedRecordsShowInTheFocusedViewOrWithMultiSelection) {
  TcxCustomDataController* dc = view_->DataController();
  dc->ChangeFocusedRowIndex(1);
  Row(1)->SetSelected(true);
  ASSERT_TRUE(Row(1)->Selected());
  // Another top level takes the focus.
  auto* other = new TcxGridDBTableView(form_);
  TcxGridLevel* otherLevel = grid_->RootLevel()->AddLevel();
  otherLevel->SetGridView(other);
  grid_->SetActiveLevel(otherLevel);
  grid_->SetFocusedView(other);
  ASSERT_EQ(grid_->FocusedView(), other);
  EXPECT_FALSE(Row(1)->Focused()) << "only the grid's focused view has a focused record";
  EXPECT_FALSE(Row(1)->DrawnSelected());
  view_->OptionsSelection()->SetMultiSelect(true);
  view_->OnCanSelectRecord = [](TcxCustomGridTableView*, TcxCustomGridRecord* ARecord, bool& AAllow) {
    AAllow = ARecord->Index() != 3;
  };
  Row(3)->SetSelected(true);
  EXPECT_FALSE(Row(3)->Selected()) << "the handler refused the record";
  Row(2)->SetSelected(true);
  EXPECT_TRUE(Row(2)->DrawnSelected()) << "multi-selection shows in any view";
  grid_->SetActiveLevel(grid_->RootLevel()->Items(0));
  grid_->SetFocusedView(view_);
  ASSERT_EQ(grid_->FocusedView(), view_);
  EXPECT_TRUE(Row(dc->GetFocusedRowIndex())->Focused());
  EXPECT_FALSE(Row(4)->DrawnSelected());
}

TEST_F(CxGridRecordsTest, ExpandingEveryRecordOpensEveryGroupLevelAndEveryMaster) {
  TcxGridDBTableView* pattern = AddEducationDetail();
  Column(u"CITY")->SetGroupIndex(0);
  Column(u"SURNAME")->SetGroupIndex(1);
  TcxCustomGridTableViewData* data = view_->ViewData();
  data->Collapse(true);
  ASSERT_EQ(data->RecordCount(), 3);
  data->Expand(true);
  EXPECT_EQ(data->RecordCount(), 3 + 5 + 5) << "three cities, five surnames, five people";
  int masters = 0;
  for (int i = 0; i < data->RecordCount(); ++i) {
    TcxCustomGridRecord* record = data->Records(i);
    EXPECT_TRUE(record->Expanded()) << "row " << i;
    masters += record->InheritsFrom(TcxGridMasterDataRow::StaticClass());
  }
  EXPECT_EQ(masters, 5);
  EXPECT_EQ(pattern->CloneCount(), 5) << "each expanded master made its detail";
  data->Collapse(true);
  EXPECT_EQ(data->RecordCount(), 3);
}

// Groups already open, a surname's people among them, are stepped over without closing or
// missing any group after them.
TEST_F(CxGridRecordsTest, ExpandingEveryRecordFromPartlyOpenedGroups) {
  Column(u"CITY")->SetGroupIndex(0);
  Column(u"SURNAME")->SetGroupIndex(1);
  TcxCustomGridTableViewData* data = view_->ViewData();
  data->Collapse(true);
  ASSERT_EQ(data->RecordCount(), 3);
  data->Records(0)->Expand(false);
  const int opened = data->RecordCount();
  ASSERT_GT(opened, 3);
  data->Records(1)->Expand(false);
  ASSERT_GT(data->RecordCount(), opened) << "the first surname's people are shown";
  data->Expand(true);
  ASSERT_EQ(data->RecordCount(), 3 + 5 + 5);
  for (int i = 0; i < data->RecordCount(); ++i)
    if (!data->Records(i)->IsData()) {
      EXPECT_TRUE(data->Records(i)->Expanded()) << "row " << i;
    }
}
