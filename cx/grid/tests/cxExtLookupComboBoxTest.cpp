// The extended lookup combo box over a DB table view of an SQLite reference table, set up as the
// program's filter window sets up its boxes: a hidden grid's view, a repository item naming the view,
// the key field and the shown column, Ctrl+D as the clear key.
#include "cx/grid/cxExtLookupComboBox.h"

#include <climits>

#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/ado/ADODB.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"

namespace {

const char* const kCategories = R"(
CREATE TABLE M_KAT (M_KATID INTEGER PRIMARY KEY, NAME NVARCHAR(40), KIND INTEGER);
INSERT INTO M_KAT VALUES (1, 'Руководители', 1), (2, 'Специалисты', 1), (3, 'Служащие', 2), (4, 'Рабочие', 2);
)";

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 18;

// Stands in for the table view's layout: a header, then one fixed-height row per view record.
class TLookupTestViewInfo : public TcxCustomGridViewInfo {
 public:
  explicit TLookupTestViewInfo(TcxCustomGridView* AGridView) : TcxCustomGridViewInfo(AGridView) {}

  TcxCustomGridHitTest* GetHitTest(POINT P) override {
    auto* viewData = static_cast<TcxCustomGridTableView*>(GridView())->ViewData();
    const int row = P.y < kHeaderHeight ? -1 : (P.y - kHeaderHeight) / kRowHeight;
    if (!viewData->IsRecordIndexValid(row)) return GetGridHitTest<TcxGridNoneHitTest>(P);
    auto* hitTest = GetGridHitTest<TcxGridRecordHitTest>(P);
    hitTest->SetGridRecord(viewData->Records(row));
    return hitTest;
  }
  int GetPopupHeightForRows(int ARowCount) override { return kHeaderHeight + ARowCount * kRowHeight; }
  int GetNearestPopupHeight(int AHeight, bool AAdditionalRecord) override {
    const int rowCount = static_cast<TcxCustomGridTableView*>(GridView())->ViewData()->RecordCount();
    const int rows = std::clamp((AHeight - kHeaderHeight) / kRowHeight, 1, rowCount + (AAdditionalRecord ? 1 : 0));
    return kHeaderHeight + rows * kRowHeight;
  }
};

class TLookupTestView : public TcxGridDBTableView {
  TRENVIK_CLASS(TLookupTestView, TcxGridDBTableView);

 public:
  explicit TLookupTestView(TComponent* AOwner) : TcxGridDBTableView(AOwner) {}

 protected:
  std::unique_ptr<TcxCustomGridViewInfo> CreateViewInfo() override {
    return std::make_unique<TLookupTestViewInfo>(this);
  }
};
TRENVIK_IMPLEMENT_CLASS(TLookupTestView)

// The y of a view record's row in the view's site.
int RowY(int ARow) { return kHeaderHeight + ARow * kRowHeight + kRowHeight / 2; }

constexpr TcxShortCut kCtrlD = 16452;

}  // namespace

class CxExtLookupComboBoxTest : public CxGridTest {
 protected:
  void SetUp() override {
    CxGridTest::SetUp();
    grid_->SetVisible(false);
    connection_ = new TADOConnection(form_);
    connection_->SetLoginPrompt(false);
    connection_->SetConnectionString(u"Provider=SQLite;Data Source=" + folder_.NewDatabase("kat.db"));
    connection_->Open();
    connection_->DbConnection().ExecuteScript(Utf8ToString(kCategories));
    categories_ = new TADOQuery(form_);
    categories_->SetConnection(connection_);
    categories_->SQL()->SetText(u"SELECT M_KATID, NAME, KIND FROM M_KAT ORDER BY M_KATID");
    auto* source = new TDataSource(form_);
    source->SetDataSet(categories_);

    view_ = new TLookupTestView(form_);
    view_->SetName(S("KatView"));
    level_ = grid_->RootLevel()->AddLevel();
    level_->SetGridView(view_);
    for (const char16_t* field : {u"M_KATID", u"NAME", u"KIND"}) view_->CreateColumn()->DataBinding()->SetFieldName(field);
    view_->DataController()->SetDataSource(source);
    categories_->Open();

    auto* repository = new TcxEditRepository(form_);
    item_ = static_cast<TcxEditRepositoryExtLookupComboBoxItem*>(
        repository->CreateItem(TcxEditRepositoryExtLookupComboBoxItem::StaticClass()));
    properties_ = item_->Properties();
    properties_->SetView(view_);
    properties_->SetKeyFieldNames(u"M_KATID");
    properties_->SetListFieldItem(NameColumn());
    properties_->SetClearKey(kCtrlD);

    combo_ = Add<TcxExtLookupComboBox>(form_, 10, 220, 200, 21);
    combo_->SetRepositoryItem(item_);
    form_->Show();
    Pump();
  }

  TcxGridDBColumn* NameColumn() { return view_->GetColumnByFieldName(u"NAME"); }
  TcxExtLookupGrid* LookupGrid() { return properties_->Grid(); }
  TcxCustomDataController* ListController() { return view_->DataController(); }
  void Focus() {
    combo_->SetFocus();
    Pump();
  }
  // Opens the list as the edit does, without a window in the way of the handlers under test.
  struct TOpenList {
    explicit TOpenList(TcxExtLookupComboBoxProperties* AProperties) : properties(AProperties) {
      properties->InitializePopup();
      properties->SetListEvents(nullptr, nullptr, [this](TObject*, bool AAccept) { closes.push_back(AAccept); });
    }
    ~TOpenList() {
      properties->SetListEvents(nullptr, nullptr, nullptr);
      properties->DeinitializePopup();
    }
    TcxExtLookupComboBoxProperties* properties;
    std::vector<bool> closes;
  };

  TTempFolder folder_;
  TADOConnection* connection_ = nullptr;
  TADOQuery* categories_ = nullptr;
  TLookupTestView* view_ = nullptr;
  TcxGridLevel* level_ = nullptr;
  TcxEditRepositoryExtLookupComboBoxItem* item_ = nullptr;
  TcxExtLookupComboBoxProperties* properties_ = nullptr;
  TcxExtLookupComboBox* combo_ = nullptr;
};

TEST_F(CxExtLookupComboBoxTest, KeyFieldNamesAndTheListItemNeedTheViewFirst) {
  TcxExtLookupComboBoxProperties fresh(nullptr);
  fresh.SetKeyFieldNames(u"M_KATID");
  fresh.SetListFieldItem(NameColumn());
  EXPECT_EQ(fresh.KeyFieldNames(), u"") << "no view keeps no key field names";
  EXPECT_EQ(fresh.ListFieldItem(), NameColumn()) << "without a view any item is kept";
  fresh.SetView(view_);
  EXPECT_EQ(fresh.KeyFieldNames(), u"M_KATID") << "read back from the view's data controller";
  EXPECT_EQ(fresh.ListFieldItem(), NameColumn());

  auto* other = new TcxGridDBTableView(form_);
  TcxGridDBColumn* foreign = other->CreateColumn();
  fresh.SetListFieldItem(foreign);
  EXPECT_EQ(fresh.ListFieldItem(), nullptr) << "an item of another view";

  // Only table views over a dataset controller can be lists; a refused view leaves the old one.
  auto* unbound = new TcxGridTableView(form_);
  fresh.SetView(unbound);
  EXPECT_EQ(fresh.View(), view_);
  fresh.SetView(other);
  EXPECT_EQ(fresh.View(), other);
  fresh.SetView(nullptr);
}

TEST_F(CxExtLookupComboBoxTest, AssignCopiesTheBindingInItsOrder) {
  TcxExtLookupComboBoxProperties copy(nullptr);
  properties_->SetFocusPopup(true);
  properties_->SetAutoSearchOnPopup(false);
  copy.Assign(properties_);
  EXPECT_EQ(copy.View(), view_);
  EXPECT_EQ(copy.KeyFieldNames(), u"M_KATID");
  EXPECT_EQ(copy.ListFieldItem(), NameColumn());
  EXPECT_TRUE(copy.FocusPopup());
  EXPECT_FALSE(copy.AutoSearchOnPopup());
  EXPECT_EQ(copy.ClearKey(), kCtrlD);
  copy.SetView(nullptr);
}

TEST_F(CxExtLookupComboBoxTest, TheEditShowsTheTextOfItsKeyAndCtrlDClearsIt) {
  const std::pair<Variant, const char*> cases[] = {
      {Variant(2), "Специалисты"}, {Variant(4), "Рабочие"}, {Variant(99), ""}, {Null(), ""}, {Variant(S("x")), ""}};
  for (const auto& [key, text] : cases) {
    combo_->SetEditValue(key);
    EXPECT_EQ(StringToUtf8(combo_->Text()), text) << StringToUtf8(VarToStr(key));
  }
  combo_->SetEditValue(3);
  Focus();
  int changes = 0;
  properties_->OnEditValueChanged = [&changes](TObject*) { ++changes; };
  Key('D', 2);
  EXPECT_TRUE(VarIsNull(combo_->EditValue()));
  EXPECT_EQ(combo_->Text(), u"");
  EXPECT_EQ(changes, 1);
  combo_->SetEditValue(4);
  changes = 0;
  combo_->Clear();
  EXPECT_TRUE(VarIsNull(combo_->EditValue())) << "Clear empties the box as Ctrl+D does";
  EXPECT_EQ(combo_->Text(), u"");
  EXPECT_EQ(changes, 1);
}

TEST_F(CxExtLookupComboBoxTest, TypingFindsARecordByTheListColumnAndEnterAcceptsIt) {
  Focus();
  Key(VK_F4);
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_EQ(LookupGrid()->View(), view_) << "the view moved into the drop-down grid";
  SimulateText(u"сл");
  Pump();
  EXPECT_EQ(combo_->Text(), S("Служащие")) << "completed from the list column";
  EXPECT_EQ(ListController()->GetFilteredRecordCount(), 1) << "the typed text filters the open list";
  Key(VK_RETURN);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->EditValue(), Variant(3));
  EXPECT_EQ(ListController()->GetFilteredRecordCount(), 4) << "closing drops the incremental filter";
}

TEST_F(CxExtLookupComboBoxTest, FreeingTheListColumnOrTheViewClearsTheBinding) {
  combo_->SetEditValue(1);
  ASSERT_EQ(combo_->Text(), S("Руководители"));
  delete NameColumn();
  EXPECT_EQ(properties_->ListFieldItem(), nullptr);
  EXPECT_EQ(combo_->Text(), u"");
  properties_->SetListFieldItem(view_->GetColumnByFieldName(u"KIND"));
  delete view_;
  view_ = nullptr;
  EXPECT_EQ(properties_->View(), nullptr);
  EXPECT_EQ(properties_->ListFieldItem(), nullptr);
  EXPECT_EQ(properties_->GetListDataController(), nullptr);
  EXPECT_EQ(combo_->Text(), u"");
  EXPECT_EQ(properties_->KeyFieldNames(), u"");
}

TEST_F(CxExtLookupComboBoxTest, ClosingGivesTheViewBackItsOptionsHandlersAndLevel) {
  int ownKeyDowns = 0;
  int ownMouseMoves = 0;
  view_->SetOnKeyDown([&ownKeyDowns](TObject*, WORD&, TShiftState) { ++ownKeyDowns; });
  view_->Site()->OnMouseMove = [&ownMouseMoves](TObject*, TShiftState, int, int) { ++ownMouseMoves; };
  view_->OptionsSelection()->SetMultiSelect(true);
  view_->OptionsBehavior()->SetIncSearch(false);
  view_->OptionsBehavior()->SetPullFocusing(false);
  for (bool focusPopup : {false, true}) {
    SCOPED_TRACE(focusPopup ? "focus in the list" : "focus in the edit");
    properties_->SetFocusPopup(focusPopup);
    {
      TOpenList open(properties_);
      EXPECT_EQ(view_->Level(), LookupGrid()->RootLevel()->Items(0));
      EXPECT_FALSE(view_->OptionsSelection()->MultiSelect());
      EXPECT_TRUE(view_->OptionsBehavior()->PullFocusing());
      EXPECT_FALSE(view_->OptionsBehavior()->ImmediateEditor());
      EXPECT_EQ(view_->OptionsCustomize()->ColumnFiltering(), focusPopup);
      EXPECT_EQ(view_->OptionsBehavior()->IncSearch(), focusPopup) << "searching needs the focus in the list";
      WORD key = VK_DOWN;
      view_->OnKeyDown()(view_, key, {});
      EXPECT_EQ(ownKeyDowns, 0) << "the drop-down's handler is installed";
    }
    EXPECT_EQ(view_->Level(), level_) << "back on the form's grid";
    EXPECT_TRUE(view_->OptionsSelection()->MultiSelect());
    EXPECT_FALSE(view_->OptionsBehavior()->PullFocusing());
    EXPECT_TRUE(view_->OptionsBehavior()->ImmediateEditor());
    EXPECT_TRUE(view_->OptionsCustomize()->ColumnFiltering());
    EXPECT_FALSE(view_->OptionsBehavior()->IncSearch());
    WORD key = VK_DOWN;
    view_->OnKeyDown()(view_, key, {});
    view_->Site()->OnMouseMove(view_, {}, 1, 1);
    EXPECT_EQ(ownKeyDowns, 1);
    EXPECT_EQ(ownMouseMoves, 1);
    EXPECT_FALSE(view_->OnMouseDown());
    EXPECT_FALSE(view_->Site()->OnMouseUp);
    ownKeyDowns = ownMouseMoves = 0;
  }
}

TEST_F(CxExtLookupComboBoxTest, KeysInTheOpenListAcceptOrCancelByFocusPopup) {
  struct TCase {
    bool focusPopup;
    WORD key;
    TShiftState shift;
    bool editing;
    std::vector<bool> closes;
  };
  const TCase cases[] = {
      {false, VK_RETURN, {}, false, {true}},      {false, VK_RETURN, {ssCtrl}, false, {true}},
      {false, VK_ESCAPE, {}, false, {}},          {true, VK_RETURN, {}, false, {}},
      {true, VK_RETURN, {ssCtrl}, false, {true}}, {true, VK_ESCAPE, {}, false, {false}},
      {true, VK_ESCAPE, {}, true, {}},            {true, VK_RETURN, {ssCtrl}, true, {true}},
      {false, VK_DOWN, {}, false, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "focusPopup " << c.focusPopup << " key " << c.key << " editing " << c.editing);
    properties_->SetFocusPopup(c.focusPopup);
    TOpenList open(properties_);
    ListController()->ChangeFocusedRowIndex(1);
    if (c.editing) ListController()->Edit();
    WORD key = c.key;
    view_->OnKeyDown()(view_, key, c.shift);
    EXPECT_EQ(open.closes, c.closes);
    if (c.editing && c.key == VK_RETURN) {
      EXPECT_FALSE(ListController()->GetEditState() & dceEdit) << "posted first";
    }
    if (ListController()->GetEditState() & dceEdit) ListController()->Cancel();
  }
}

TEST_F(CxExtLookupComboBoxTest, ClicksAcceptOnlyADataRowPressedAndReleasedOnARow) {
  NameColumn()->SetVisible(true);
  view_->GetColumnByFieldName(u"KIND")->SetGroupIndex(0);  // rows: group, data, data, group, data, data
  view_->ViewData()->Expand(true);
  struct TCase {
    bool focusPopup;
    int downRow;
    int upRow;  // -1: below the rows
    bool doubleClick;
    std::vector<bool> closes;
  };
  const TCase cases[] = {
      {false, 1, 1, false, {true}},  {false, 1, 2, false, {true}}, {false, 1, -1, false, {false}},
      {false, 0, 1, false, {}},      {false, -1, 1, false, {}},    {true, 1, 1, false, {}},
      {true, 1, 1, true, {true}},    {true, 0, 0, true, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "focusPopup " << c.focusPopup << " rows " << c.downRow << "->" << c.upRow);
    properties_->SetFocusPopup(c.focusPopup);
    TOpenList open(properties_);
    const int downY = c.downRow == -1 ? 1000 : RowY(c.downRow);
    const int upY = c.upRow == -1 ? 1000 : RowY(c.upRow);
    TShiftState shift = c.doubleClick ? TShiftState{ssLeft, ssDouble} : TShiftState{ssLeft};
    view_->OnMouseDown()(view_, mbLeft, shift, 5, downY);
    view_->Site()->OnMouseUp(view_, mbLeft, {}, 5, upY);
    EXPECT_EQ(open.closes, c.closes);
    EXPECT_FALSE(LookupGrid()->ClickPending());
  }
  // A right button does not start a click.
  TOpenList open(properties_);
  properties_->SetFocusPopup(false);
  LookupGrid()->SetFocusPopup(false);
  view_->OnMouseDown()(view_, mbRight, {ssRight}, 5, RowY(1));
  view_->Site()->OnMouseUp(view_, mbRight, {}, 5, RowY(1));
  EXPECT_TRUE(open.closes.empty());
}

TEST_F(CxExtLookupComboBoxTest, TheFirstMoveIsIgnoredThenDataRowsTrackTheMouse) {
  view_->GetColumnByFieldName(u"KIND")->SetGroupIndex(0);
  view_->ViewData()->Expand(true);
  TOpenList open(properties_);
  properties_->BeginPopupMode();
  ListController()->ChangeFocusedRowIndex(1);
  view_->Site()->OnMouseMove(view_, {}, 5, RowY(2));
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 1) << "the move that only shows where the pointer was";
  view_->Site()->OnMouseMove(view_, {}, 5, RowY(2));
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 2);
  view_->Site()->OnMouseMove(view_, {}, 5, RowY(3));
  EXPECT_EQ(ListController()->GetFocusedRowIndex(), 2) << "a group row is not tracked";
  properties_->EndPopupMode();
}

TEST_F(CxExtLookupComboBoxTest, PopupHeightsComeInWholeRowsOfTheView) {
  const int rows2 = kHeaderHeight + 2 * kRowHeight;
  EXPECT_EQ(properties_->GetPopupHeightForRows(1), kHeaderHeight + kRowHeight);
  properties_->SetFocusPopup(true);
  EXPECT_EQ(properties_->GetPopupHeightForRows(1), rows2) << "room to move between two rows";
  EXPECT_EQ(properties_->GetPopupHeightForRows(3), kHeaderHeight + 3 * kRowHeight);
  // Nearest: whole rows, at least one, at most the rows shown (one more with the focus inside).
  EXPECT_EQ(properties_->GetNearestPopupHeight(5), kHeaderHeight + kRowHeight);
  EXPECT_EQ(properties_->GetNearestPopupHeight(rows2 + 7), rows2);
  EXPECT_EQ(properties_->GetNearestPopupHeight(INT_MAX / 2), kHeaderHeight + 5 * kRowHeight);
  properties_->SetFocusPopup(false);
  EXPECT_EQ(properties_->GetNearestPopupHeight(INT_MAX / 2), kHeaderHeight + 4 * kRowHeight);
  EXPECT_TRUE(properties_->AdjustsPopupHeight());
  view_->OptionsView()->SetCellAutoHeight(true);
  EXPECT_FALSE(properties_->AdjustsPopupHeight());

  properties_->SetView(nullptr);
  EXPECT_EQ(properties_->GetPopupHeightForRows(3), 0);
  EXPECT_EQ(properties_->GetNearestPopupHeight(77), 77);
  EXPECT_FALSE(properties_->AdjustsPopupHeight());
}

TEST_F(CxExtLookupComboBoxTest, IncrementalFilteringOnlyWithoutFocusPopupAndGridMode) {
  EXPECT_TRUE(properties_->IsIncrementalFilteringActive());
  properties_->SetGridMode(true);
  EXPECT_FALSE(properties_->IsIncrementalFilteringActive());
  EXPECT_TRUE(properties_->IncrementalFiltering());
  properties_->SetGridMode(false);
  properties_->SetFocusPopup(true);
  EXPECT_FALSE(properties_->IsIncrementalFilteringActive());
}

TEST_F(CxExtLookupComboBoxTest, GridModeFindsTextsThroughTheDataset) {
  properties_->SetGridMode(true);
  combo_->SetEditValue(4);
  EXPECT_EQ(combo_->Text(), S("Рабочие"));
  combo_->SetEditValue(99);
  EXPECT_EQ(combo_->Text(), u"");
}

TEST_F(CxExtLookupComboBoxTest, SearchInTheFocusedListLocatesInTheListColumn) {
  properties_->SetFocusPopup(true);
  TOpenList open(properties_);
  properties_->SearchInPopup(S("Сл"));
  EXPECT_EQ(ListController()->GetFocusedRecordIndex(), 2);
  properties_->SetAutoSearchOnPopup(false);
  properties_->SearchInPopup(S("Ра"));
  EXPECT_EQ(ListController()->GetFocusedRecordIndex(), 2) << "no search without AutoSearchOnPopup";
}

TEST_F(CxExtLookupComboBoxTest, ListColumnsAreTheViewsItemsByFieldName) {
  EXPECT_EQ(properties_->GetListColumnCount(), 3);
  EXPECT_EQ(properties_->FindListColumnByFieldName(u"name"), 1);
  EXPECT_EQ(properties_->FindListColumnByFieldName(u"NOSUCH"), -1);
  EXPECT_EQ(properties_->GetListColumnField(0), categories_->FieldByName(u"M_KATID"));
  properties_->EnsureListColumn(u"name");
  EXPECT_EQ(view_->ItemCount(), 3) << "a field already shown";
  properties_->SetListColumnsByFieldNames(u"NAME;KIND");
  EXPECT_EQ(view_->ItemCount(), 2);
  EXPECT_EQ(properties_->ListFieldItem(), nullptr) << "the old list column was freed";
  properties_->EnsureListColumn(u"M_KATID");
  EXPECT_EQ(properties_->FindListColumnByFieldName(u"M_KATID"), 0) << "a new column goes first";
}

TEST_F(CxExtLookupComboBoxTest, TheRepositoryItemAndTheRegisteredProperties) {
  EXPECT_EQ(item_->GetPropertiesClass(), TcxExtLookupComboBoxProperties::StaticClass());
  EXPECT_EQ(combo_->ActiveProperties(), properties_) << "the edit takes the item's properties";
  EXPECT_EQ(properties_->GetContainerClass(), TcxExtLookupComboBox::StaticClass());
  EXPECT_EQ(GetClass(u"TcxEditRepositoryExtLookupComboBoxItem"), TcxEditRepositoryExtLookupComboBoxItem::StaticClass());
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  const int index = registered->GetIndexByClass(TcxExtLookupComboBoxProperties::StaticClass());
  ASSERT_NE(index, -1);
  EXPECT_EQ(registered->Descriptions(index).substr(0, 18), u"ExtLookupComboBox|");
}

namespace {

// Dark pixels of the edit's text area (the drop-down button left out), as the screen shows them.
int DarkTextPixels(const TSurface& AScreen, TControl* AEdit) {
  const POINT origin = AEdit->ClientToScreen(POINT{0, 0});
  int dark = 0;
  for (int y = origin.y + 3; y < origin.y + AEdit->ClientHeight() - 3; ++y)
    for (int x = origin.x + 3; x < origin.x + AEdit->ClientWidth() - 24; ++x) {
      const auto p = AScreen.At(x, y);
      dark += ((p >> 16) & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100;
    }
  return dark;
}

}  // namespace

TEST_F(CxExtLookupComboBoxTest, TheKeysTextIsDrawnAndCtrlDLeavesTheBoxEmpty) {
  combo_->Style()->Font()->SetName(kFixedTestFontName);
  combo_->SetEditValue(2);
  Pump();
  TSurface screen(1, 1);
  ComposeScreen(screen);
  EXPECT_GT(DarkTextPixels(screen, combo_), 20) << "the text of key 2";
  KeepCheckedScreen("shown");
  Focus();
  Key('D', 2);
  Pump();
  ComposeScreen(screen);
  EXPECT_LT(DarkTextPixels(screen, combo_), 20) << "at most the caret is left";
  KeepCheckedScreen("cleared");
}

TEST_F(CxExtLookupComboBoxTest, OnTheDesktopTheBoxDropsDownFiltersAndAccepts) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  SetScreenSize(640, 480);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  void* window = DisplaySdlWindow();
  ASSERT_NE(window, nullptr);
  combo_->Style()->Font()->SetName(kFixedTestFontName);
  Focus();
  Click(combo_, combo_->ClientWidth() - 8, combo_->ClientHeight() / 2);
  EXPECT_TRUE(combo_->DroppedDown()) << "the drop-down button";
  SimulateText(u"сл");
  Pump();
  EXPECT_EQ(ListController()->GetFilteredRecordCount(), 1);
  Key(VK_RETURN);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->EditValue(), Variant(3));
  LetDesktopSettle();
  Pump();
  LetDesktopSettle();
  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  KeepCheckedScreen();
  // The chosen text stands selected in the focused edit: the desktop shows what the framework drew.
  RECT wr;
  GetWindowRect(form_->Handle(), &wr);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0)
      << "pixels of the form differ from the framework's screen";
  const POINT text = combo_->ClientToScreen(POINT{4, combo_->ClientHeight() / 2});
  int inked = 0;
  for (int x = text.x; x < text.x + 60; ++x) inked += shot->At(x, text.y) != shot->At(text.x - 2, text.y - 6);
  EXPECT_GT(inked, 5) << "the chosen text on the desktop";
  Key('D', 2);
  EXPECT_TRUE(VarIsNull(combo_->EditValue()));
  StopDisplay();
}

TEST_F(CxExtLookupComboBoxTest, AViewBoundWhileTheListIsOpenKeepsItsOwnSettings) {
  properties_->SetView(nullptr);
  properties_->InitializePopup();
  properties_->SetView(view_);
  view_->OptionsSelection()->SetMultiSelect(true);
  view_->OptionsBehavior()->SetPullFocusing(true);
  properties_->DeinitializePopup();
  EXPECT_TRUE(view_->OptionsSelection()->MultiSelect());
  EXPECT_TRUE(view_->OptionsBehavior()->PullFocusing());
  EXPECT_EQ(view_->Level(), level_);
}

// Measured before dropping down: a view no grid ever laid out has neither an indicator nor rows yet.
TEST(CxExtLookupMeasuringTest, AViewOfNoGridIsLaidOutBeforeItIsMeasured) {
  TComponent owner{nullptr};
  auto* view = new TcxGridTableView(&owner);
  view->CreateColumn()->SetWidth(70);
  auto properties = std::make_unique<TcxExtLookupComboBoxProperties>(nullptr);
  properties->SetView(view);
  const int before = properties->GetPopupHeightForRows(3);
  const int width = properties->GetListAutoWidth();
  properties->InitializePopup();
  EXPECT_EQ(properties->GetPopupHeightForRows(3), before) << "the same layout as in the open list";
  EXPECT_EQ(properties->GetListAutoWidth(), width);
  properties->DeinitializePopup();
}
