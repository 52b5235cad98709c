// The column filter pop-up over a DB table view on SQLite: its entries, the entry of the column's
// condition, choices applied to the view's filter, its size, and which filter dialog a filter needs.
#include "cx/grid/cxGridFilterPopup.h"

#include "cx/grid/cxFilterDialog.h"

#include "cx/data/cxVariants.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/classes/FormResources.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

class CxGridFilterPopupTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    form_->Show();
    Pump();
    popup_ = new TcxGridFilterPopup(view_);
  }
  void TearDown() override {
    delete popup_;
    CxGridDBTableViewTest::TearDown();
  }
  // The pop-up's entries for a column, as its list shows them.
  std::vector<std::string> Entries(const char16_t* AFieldName) {
    Open(AFieldName);
    std::vector<std::string> texts;
    for (int i = 0; i < popup_->Texts()->Count(); ++i) texts.push_back(StringToUtf8(popup_->Texts()->Strings(i)));
    return texts;
  }
  void Open(const char16_t* AFieldName) {
    popup_->ClosePopup();
    // What the header's filter button hands over, without showing the window.
    column_ = Column(AFieldName);
    popup_->SetFilterButton(column_, RECT{80, 0, 96, 18}, RECT{0, 0, 100, 18});
    popup_->FillValues();
  }
  void BelovWithoutCity() {
    ASSERT_TRUE(people_->Locate(u"ID", Variant(2), {}));
    people_->Edit();
    people_->FieldByName(u"CITY")->Clear();
    people_->Post();
  }
  int IndexOf(const char16_t* AText) { return popup_->Texts()->IndexOf(AText); }

  TcxGridFilterPopup* popup_ = nullptr;
  TcxGridDBColumn* column_ = nullptr;
};

TEST_F(CxGridFilterPopupTest, TheEntriesAreTheSpecialOnesThenTheSortedDistinctValues) {
  EXPECT_EQ(Entries(u"CITY"), (std::vector<std::string>{"(All)", "(Custom...)", "Omsk", "Oslo", "Tver"}))
      << "no nulls, no blank entries";
  BelovWithoutCity();
  EXPECT_EQ(Entries(u"CITY"),
            (std::vector<std::string>{"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "Omsk", "Oslo"}));
}

TEST_F(CxGridFilterPopupTest, AChoiceRewritesTheColumnsConditionsAndIsMarkedWhenReopened) {
  Open(u"CITY");
  EXPECT_EQ(popup_->CurrentEntryIndex(), -1) << "no condition on the column";
  popup_->ApplyChoice(IndexOf(u"Oslo"));
  EXPECT_TRUE(view_->DataController()->Filter()->Active());
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Abramov", "Kim"}));
  Open(u"CITY");
  EXPECT_EQ(popup_->CurrentEntryIndex(), IndexOf(u"Oslo"));

  popup_->ApplyChoice(IndexOf(u"Tver"));
  EXPECT_EQ(view_->DataController()->Filter()->Root()->Count(), 1) << "the old condition was replaced";
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Belov"}));

  Open(u"CITY");
  int custom = 0;
  popup_->OnCustomFilter = [&](TcxCustomGridTableItem* AItem) {
    EXPECT_EQ(AItem, column_);
    ++custom;
  };
  popup_->ApplyChoice(IndexOf(u"(Custom...)"));
  EXPECT_EQ(custom, 1);
  popup_->ApplyChoice(-1);
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Belov"})) << "no entry, no change";

  popup_->ApplyChoice(IndexOf(u"(All)"));
  EXPECT_EQ(view_->DataController()->Filter()->Root()->Count(), 0);
  EXPECT_EQ(RowTexts(u"SURNAME").size(), 5u);
  popup_->ApplyChoice(IndexOf(u"(All)"));
  EXPECT_TRUE(view_->DataController()->Filter()->Active()) << "(All) without conditions still activates";
}

TEST_F(CxGridFilterPopupTest, BlanksAndNonBlanksAreNullConditionsShownAsBlank) {
  BelovWithoutCity();
  Open(u"CITY");
  popup_->ApplyChoice(IndexOf(u"(Blanks)"));
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Belov"}));
  TcxFilterCriteriaItem* blank = column_->DataBinding()->FilterCriteriaItem();
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->OperatorKind(), foEqual);
  EXPECT_TRUE(VarIsNull(blank->Value()));
  EXPECT_EQ(blank->DisplayValue(), u"blank");
  Open(u"CITY");
  EXPECT_EQ(popup_->CurrentEntryIndex(), IndexOf(u"(Blanks)"));
  popup_->ApplyChoice(IndexOf(u"(NonBlanks)"));
  EXPECT_EQ(RowTexts(u"SURNAME").size(), 4u);
}

TEST_F(CxGridFilterPopupTest, TheListShowsAtMostFifteenRowsAndIsAsWideAsTheHeader) {
  for (int i = 0; i < 40; ++i) {
    people_->Append();
    people_->FieldByName(u"SURNAME")->SetAsString(u"P" + IntToStr(i));
    people_->Post();
  }
  TcxCustomInnerListBox* list = popup_->ListBox();
  list->Font()->SetName(kFixedTestFontName);
  list->Font()->SetHeight(-16);
  Open(u"SURNAME");
  popup_->FitSize();
  EXPECT_EQ(list->ItemHeight(), 16);
  EXPECT_EQ(popup_->ClientHeight(), 15 * 16);
  const int widest = 11 * 8 + 4;  // "(Custom...)" in the fixed-metrics cells, plus 4
  EXPECT_EQ(popup_->ClientWidth(), widest + GetSystemMetrics(SM_CXVSCROLL));

  view_->Filtering()->SetMaxDropDownCount(20);
  view_->Filtering()->SetDropDownWidth(150);
  popup_->FitSize();
  EXPECT_EQ(popup_->ClientHeight(), 20 * 16);
  EXPECT_EQ(popup_->ClientWidth(), 150 + GetSystemMetrics(SM_CXVSCROLL));

  // A short list under a wide header takes the header's width.
  popup_->SetFilterButton(Column(u"CITY"), RECT{280, 0, 296, 18}, RECT{0, 0, 300, 18});
  popup_->FillValues();
  view_->Filtering()->SetMaxDropDownCount(15);
  view_->Filtering()->SetDropDownWidth(0);
  popup_->FitSize();
  EXPECT_EQ(popup_->ClientHeight(), popup_->Texts()->Count() * 16);
  EXPECT_EQ(popup_->ClientWidth(), 300 - popup_->GetHorzBordersWidth());
}

TEST_F(CxGridFilterPopupTest, TheListsScrollBarFollowsTheGridsLookAndFeel) {
  TcxLookAndFeel* bar = popup_->ListBox()->VScrollBar()->LookAndFeel();
  for (TcxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat}) {
    grid_->LookAndFeel()->SetKind(kind);
    EXPECT_EQ(bar->Kind(), kind);
  }
}

TEST_F(CxGridFilterPopupTest, OnlySimpleFiltersGoToTheCustomDialog) {
  TcxDataFilterCriteria* filter = view_->DataController()->Filter();
  TcxGridDBColumn* city = Column(u"CITY");
  TcxGridDBColumn* surname = Column(u"SURNAME");
  struct TCase {
    const char* name;
    std::function<void()> build;
    bool builder;
  };
  const TCase cases[] = {
      {"no condition", [] {}, false},
      {"one condition per column",
       [&] {
         filter->Root()->AddItem(city, foEqual, Variant(String(u"Oslo")), u"Oslo");
         filter->Root()->AddItem(surname, foLike, Variant(String(u"K%")), u"K%");
       },
       false},
      {"an OR pair on one column",
       [&] {
         TcxFilterCriteriaItemList* pair = filter->Root()->AddItemList(fgkOr);
         pair->AddItem(city, foEqual, Variant(String(u"Oslo")), u"Oslo");
         pair->AddItem(city, foEqual, Variant(String(u"Tver")), u"Tver");
       },
       false},
      {"a pair plus another root condition on the same column",
       [&] {
         TcxFilterCriteriaItemList* pair = filter->Root()->AddItemList(fgkOr);
         pair->AddItem(city, foEqual, Variant(String(u"Oslo")), u"Oslo");
         pair->AddItem(city, foEqual, Variant(String(u"Tver")), u"Tver");
         filter->Root()->AddItem(city, foNotEqual, Variant(String(u"Omsk")), u"Omsk");
       },
       true},
      {"an OR root",
       [&] {
         filter->Root()->SetBoolOperatorKind(fgkOr);
         filter->Root()->AddItem(city, foEqual, Variant(String(u"Oslo")), u"Oslo");
       },
       true},
      {"a pair over two columns",
       [&] {
         TcxFilterCriteriaItemList* pair = filter->Root()->AddItemList(fgkAnd);
         pair->AddItem(city, foEqual, Variant(String(u"Oslo")), u"Oslo");
         pair->AddItem(surname, foEqual, Variant(String(u"Kim")), u"Kim");
       },
       true},
      {"a between",
       [&] {
         Variant range;
         cxVarBetweenArrayCreate(Variant(1), Variant(3), range);
         filter->Root()->AddItem(Column(u"ID"), foBetween, range, u"1 and 3");
       },
       true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    filter->Clear();
    filter->Root()->SetBoolOperatorKind(fgkAnd);
    c.build();
    EXPECT_EQ(NeedsFilterBuilder(filter), c.builder);
  }
}

TEST_F(CxGridFilterPopupTest, ShownUnderTheHeaderAClickOnAValueFiltersTheRows) {
  popup_->ListBox()->Font()->SetName(kFixedTestFontName);
  popup_->ListBox()->Font()->SetHeight(-16);
  grid_->Show();
  bool shown = false;
  int entries = 0;
  ScriptModalLoop({{50,
                    [&] {
                      shown = popup_->IsPopupShown();
                      entries = popup_->ListBox()->Items()->Count();
                      EXPECT_TRUE(KeepCheckedScreen());
                      const RECT oslo = popup_->ListBox()->ItemRect(popup_->Texts()->IndexOf(u"Oslo"));
                      SimulateClick(TSimButton::Left, At(popup_->ListBox(), oslo.left + 4, oslo.top + 4));
                    }}});
  // The loop looks at its queue only when something arrives.
  for (int i = 0; i < 20; ++i) SimulateMouseMove(At(form_, 300 + i, 250));
  popup_->Popup(Column(u"CITY"), RECT{80, 0, 96, 18}, RECT{0, 0, 100, 18});
  EndScript();
  EXPECT_TRUE(shown);
  EXPECT_EQ(entries, 5);
  EXPECT_FALSE(popup_->IsPopupShown());
  EXPECT_EQ(popup_->ListBox()->Items()->Count(), 0) << "closing clears the list";
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Abramov", "Kim"}));
}

TEST_F(CxGridFilterPopupTest, AnEntryTheApplicationAddedIsFilteredByTheColumnsUserFilteringEvent) {
  TcxGridDBColumn* city = Column(u"CITY");
  city->OnGetFilterValues = [](TcxCustomGridTableItem*, TcxDataFilterValueList* AList) {
    AList->Add(fviUser, Variant(String(u"north")), u"Up north", false);
  };
  std::vector<std::string> picked;
  city->OnUserFiltering = [&](TcxGridColumn* Sender, const Variant& AValue, const String& AText) {
    EXPECT_EQ(Sender, city);
    picked.push_back(StringToUtf8(VarToStr(AValue) + u"|" + AText));
    Sender->DataBinding()->AddToFilter(nullptr, foNotEqual, Variant(String(u"Omsk")), u"Omsk", true);
  };
  Open(u"CITY");
  popup_->ApplyChoice(IndexOf(u"Up north"));
  EXPECT_EQ(picked, std::vector<std::string>{"north|Up north"});
  EXPECT_EQ(RowTexts(u"SURNAME").size(), 4u) << "the event's own condition, the filter made active";
}

// The header's filter button over a laid-out view, pressed with the simulated mouse.
class CxGridHeaderFilterButtonTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    view_->OptionsView()->SetColumnAutoWidth(true);
    ShowLaidOut(360, 240);
  }
  TcxGridTableController* Controller() { return static_cast<TcxGridTableController*>(view_->Controller()); }
  TcxGridColumnHeaderViewInfo* HeaderCell(const char16_t* AFieldName) {
    TcxGridHeaderViewInfo* header = static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->HeaderViewInfo();
    return header->Items(header->VisibleIndexOf(Column(AFieldName)));
  }
  POINT ButtonCenter(const char16_t* AFieldName) {
    const RECT r = HeaderCell(AFieldName)->FilterButton()->Bounds;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // As a user does it: the pointer comes over the button, then the left button goes down; the
  // list's own loop runs AScript.
  void PressFilterButton(const char16_t* AFieldName, std::vector<std::pair<int, std::function<void()>>> AScript) {
    TcxGridSite* site = view_->Site();
    const POINT p = ButtonCenter(AFieldName);
    MoveTo(site, p.x - 1, p.y);
    MoveTo(site, p.x, p.y);
    ScriptModalLoop(std::move(AScript));
    SimulateMouseDown(TSimButton::Left, At(site, p.x, p.y));
    // The loop looks at its queue only when something arrives.
    for (int i = 0; i < 20; ++i) SimulateMouseMove(At(site, p.x, p.y));
    Pump();
    EndScript();
  }
  TcxGridFilterPopup* Popup() { return Controller()->FilterPopupIfMade(); }
};

TEST_F(CxGridHeaderFilterButtonTest, PressingTheButtonDropsDownTheListAndAValueFiltersTheRows) {
  bool shown = false;
  std::vector<std::string> entries;
  RECT popupBounds{};
  POINT headerRightBelowButton{};
  const POINT button = ButtonCenter(u"CITY");
  PressFilterButton(u"CITY", {{50,
                               [&] {
                                 TcxGridFilterPopup* popup = Popup();
                                 ASSERT_NE(popup, nullptr);
                                 shown = popup->IsPopupShown();
                                 for (int i = 0; i < popup->ListBox()->Items()->Count(); ++i)
                                   entries.push_back(StringToUtf8(popup->ListBox()->Items()->Strings(i)));
                                 GetWindowRect(popup->Handle(), &popupBounds);
                                 headerRightBelowButton = view_->Site()->ClientToScreen(
                                     POINT{HeaderCell(u"CITY")->Bounds.right,
                                           HeaderCell(u"CITY")->FilterButton()->Bounds.bottom});
                                 EXPECT_EQ(HeaderCell(u"CITY")->FilterButton()->State(), gcsPressed);
                                 EXPECT_TRUE(KeepCheckedScreen("dropped down"));
                                 SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y));
                               }},
                              {80, [&] {
                                 TcxCustomInnerListBox* list = Popup()->ListBox();
                                 const RECT oslo = list->ItemRect(list->Items()->IndexOf(u"Oslo"));
                                 SimulateClick(TSimButton::Left, At(list, oslo.left + 4, oslo.top + 4));
                               }}});
  EXPECT_TRUE(shown);
  EXPECT_EQ(entries, (std::vector<std::string>{"(All)", "(Custom...)", "Omsk", "Oslo", "Tver"}));
  EXPECT_EQ(popupBounds.right, headerRightBelowButton.x) << "right-aligned with the header";
  EXPECT_EQ(popupBounds.top, headerRightBelowButton.y) << "just below the button";
  ASSERT_FALSE(Popup()->IsPopupShown());
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Abramov", "Kim"}));
  EXPECT_TRUE(static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->FilterViewInfo()->Visible())
      << "the filter bar shows the new filter";
  EXPECT_EQ(HeaderCell(u"CITY")->FilterButton()->State(), gcsNone) << "the button is no longer pressed";
  EXPECT_EQ(Controller()->PressedColumn(), nullptr) << "a filter button press does not sort";
  EXPECT_EQ(Column(u"CITY")->SortOrder(), soNone);
  EXPECT_TRUE(KeepCheckedScreen("filtered"));
}

TEST_F(CxGridHeaderFilterButtonTest, ReopenedTheListMarksTheChosenValueAndEscClosesItWithoutAChange) {
  Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(String(u"Tver")), u"Tver", true);
  view_->DataController()->Filter()->SetActive(true);
  Pump();
  const POINT button = ButtonCenter(u"CITY");
  std::string marked;
  bool focused = false;
  PressFilterButton(u"CITY", {{50, [&] {
                                 TcxCustomInnerListBox* list = Popup()->ListBox();
                                 if (list->ItemIndex() >= 0) marked = StringToUtf8(list->Items()->Strings(list->ItemIndex()));
                                 focused = GetFocus() == list->Handle();
                                 SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y));
                               }},
                              {80, [] { SimulateKeyPress(VK_ESCAPE); }}});
  EXPECT_EQ(marked, "Tver");
  EXPECT_TRUE(focused) << "the list takes the keys";
  EXPECT_FALSE(Popup()->IsPopupShown());
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Belov"}));
  EXPECT_EQ(HeaderCell(u"CITY")->FilterButton()->State(), gcsNone);
}

TEST_F(CxGridHeaderFilterButtonTest, CustomInTheDroppedDownListOpensTheColumnsCustomFilterDialog) {
  // The dialog reads its form from the resource folder's "forms".
  SetResourceDirectory(IncludeTrailingPathDelimiter(ResourceDirectory()) + u"forms");
  TScopeExit resources([] { SetResourceDirectory(String()); });
  const POINT button = ButtonCenter(u"CITY");
  String column;
  bool listClosed = false;
  PressFilterButton(u"CITY", {{50, [&] { SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y)); }},
                              {80,
                               [&] {
                                 TcxCustomInnerListBox* list = Popup()->ListBox();
                                 const RECT custom = list->ItemRect(list->Items()->IndexOf(u"(Custom...)"));
                                 SimulateClick(TSimButton::Left, At(list, custom.left + 4, custom.top + 4));
                                 // The dialog's loop looks at its queue only when something arrives.
                                 for (int i = 0; i < 20; ++i) SimulateMouseMove(At(form_, 390, 290 - i));
                               }},
                              {150, [&] {
                                 auto* dialog = dynamic_cast<TcxFilterDialog*>(Screen->ActiveForm());
                                 ASSERT_NE(dialog, nullptr);
                                 column = dialog->lblColumnCaption->Caption();
                                 listClosed = !Popup()->IsPopupShown();
                                 SimulateKeyPress(VK_ESCAPE);
                               }}});
  EXPECT_EQ(column, u"CITY ");
  EXPECT_TRUE(listClosed) << "the list closes before the dialog opens";
  EXPECT_TRUE(view_->DataController()->Filter()->Active()) << "made active before the dialog, even when cancelled";
  EXPECT_TRUE(view_->DataController()->Filter()->IsEmpty());
  EXPECT_EQ(RowTexts(u"SURNAME").size(), 5u);
}

TEST_F(CxGridHeaderFilterButtonTest, TheListDrawsInTheGridsFontAndClosingFreesItsWindow) {
  const POINT button = ButtonCenter(u"CITY");
  HWND shown = nullptr;
  int itemHeight = 0;
  TColor inOsloFirstCell = clNone, besideOslo = clNone;
  PressFilterButton(u"CITY", {{50, [&] {
                                 TcxCustomInnerListBox* list = Popup()->ListBox();
                                 shown = Popup()->Handle();
                                 itemHeight = list->ItemHeight();
                                 // A fixed-metrics glyph is a filled 8 x 16 box, inked in the middle.
                                 const RECT oslo = list->ItemRect(list->Items()->IndexOf(u"Oslo"));
                                 inOsloFirstCell = ScreenPixel(list, oslo.left + 2 + 4, oslo.top + 8);
                                 besideOslo = ScreenPixel(list, oslo.right - 2, oslo.top + 8);
                                 EXPECT_TRUE(KeepCheckedScreen("grid font"));
                                 SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y));
                               }},
                              {80, [] { SimulateKeyPress(VK_ESCAPE); }}});
  EXPECT_EQ(itemHeight, 16) << "measured in the grid's font";
  EXPECT_EQ(inOsloFirstCell, ColorToRGB(clWindowText));
  EXPECT_EQ(besideOslo, ColorToRGB(clWindow));
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(IsWindow(shown)) << "the closed list keeps no window";
  EXPECT_FALSE(Popup()->HandleAllocated());

  // The next press builds the window again and the list works as the first time.
  PressFilterButton(u"CITY", {{50, [&] {
                                 EXPECT_TRUE(Popup()->IsPopupShown());
                                 SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y));
                               }},
                              {80, [&] {
                                 TcxCustomInnerListBox* list = Popup()->ListBox();
                                 const RECT tver = list->ItemRect(list->Items()->IndexOf(u"Tver"));
                                 SimulateClick(TSimButton::Left, At(list, tver.left + 4, tver.top + 4));
                               }}});
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Belov"}));
  EXPECT_FALSE(Popup()->HandleAllocated());
}

TEST_F(CxGridHeaderFilterButtonTest, ArrowsMoveFromTheMarkedValueAndEnterAppliesTheEntry) {
  Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(String(u"Tver")), u"Tver", true);
  view_->DataController()->Filter()->SetActive(true);
  Pump();
  const POINT button = ButtonCenter(u"CITY");
  PressFilterButton(u"CITY", {{50, [&] { SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y)); }},
                              {80, [] { SimulateKeyPress(VK_UP); }},
                              {100, [] { SimulateKeyPress(VK_RETURN); }}});
  EXPECT_FALSE(Popup()->IsPopupShown());
  EXPECT_FALSE(Popup()->HandleAllocated());
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Abramov", "Kim"}))
      << "Oslo, above Tver";
  EXPECT_EQ(view_->DataController()->Filter()->Root()->Count(), 1);
}

TEST_F(CxGridHeaderFilterButtonTest, AClickOutsideTheListClosesItWithoutAChange) {
  const POINT button = ButtonCenter(u"CITY");
  HWND shown = nullptr;
  const POINT outside = At(form_, 20, form_->ClientHeight() - 10);
  PressFilterButton(u"CITY", {{50, [&] {
                                 shown = Popup()->Handle();
                                 SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y));
                               }},
                              {80, [&] { SimulateClick(TSimButton::Left, outside); }}});
  EXPECT_FALSE(Popup()->IsPopupShown());
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_FALSE(view_->DataController()->Filter()->Active());
  EXPECT_EQ(RowTexts(u"SURNAME").size(), 5u);
  EXPECT_EQ(HeaderCell(u"CITY")->FilterButton()->State(), gcsNone);
}

// The header's filter button through the SDL back end on a virtual X server: the X server shows the
// dropped-down list and the filtered grid as the framework drew them.
TEST_F(CxGridHeaderFilterButtonTest, OnTheDesktopTheButtonsListFiltersTheRows) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  SetScreenSize(1024, 768);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  void* window = DisplaySdlWindow();
  ASSERT_NE(window, nullptr);
  Pump();
  auto differing = [window](HWND AHandle) {
    LetDesktopSettle();
    const auto shot = ReadDesktopImage(window);
    if (!shot) return -1;
    RECT wr;
    GetWindowRect(AHandle, &wr);
    return CountPixelsDifferingFromScreen(*shot, wr);
  };
  const POINT button = ButtonCenter(u"CITY");
  int listDiffering = -1;
  int entries = 0;
  PressFilterButton(u"CITY", {{50, [&] { SimulateMouseUp(TSimButton::Left, At(view_->Site(), button.x, button.y)); }},
                              {80,
                               [&] {
                                 TcxCustomInnerListBox* list = Popup()->ListBox();
                                 entries = list->Items()->Count();
                                 listDiffering = differing(Popup()->Handle());
                                 KeepCheckedScreen("dropped down");
                                 const RECT oslo = list->ItemRect(list->Items()->IndexOf(u"Oslo"));
                                 SimulateClick(TSimButton::Left, At(list, oslo.left + 4, oslo.top + 4));
                               }}});
  EXPECT_EQ(entries, 5);
  EXPECT_EQ(listDiffering, 0) << "the list's pixels on the desktop";
  EXPECT_FALSE(Popup()->HandleAllocated());
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Abramov", "Kim"}));
  Pump();
  EXPECT_TRUE(static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->FilterViewInfo()->Visible());
  EXPECT_EQ(differing(form_->Handle()), 0) << "the filtered grid's pixels on the desktop";
  KeepCheckedScreen("filtered");
  StopDisplay();
}

// At exit the screen frees the forms still open, the list among them, before the grid's form.
TEST_F(CxGridHeaderFilterButtonTest, AListFreedByTheScreenIsLetGoByItsController) {
  TcxGridFilterPopup* popup = Controller()->FilterPopup();
  EXPECT_EQ(Controller()->FilterPopup(), popup) << "one list per view";
  popup->BeforeDestruction();
  delete popup;
  EXPECT_EQ(Controller()->FilterPopupIfMade(), nullptr);
}
