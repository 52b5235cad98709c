// The filter window on a virtual X server, the program started as the user starts it on a demo
// database in its own folder, driven by simulated input: "Рег. данные" ticked, a surname prefix
// typed and "начинается с " chosen, "Установить": only such surnames and the yellow "фильтр
// установлен"; "Снять фильтр" brings everybody back; Cancel resets the window; a territory chosen in
// the tree limits the list to its subtree. Each step is checked on rows, against the database and
// on the pixels the X server shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "app/DataModule.h"
#include "app/FilterForm.h"
#include "app/Main.h"
#include "app/tests/DesktopDriver.h"
#include "dx/dbgrid/dxDBTL.h"
#include "dx/editors/dxCheckEdit.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr int kFilterPeople = 60;
constexpr COLORREF kIndicatorYellow = RGB(255, 255, 128);
constexpr COLORREF kRegistrationCream = RGB(255, 248, 230);

int Listed() { return DataModule2->OPEOPLE_LIST->RecordCount(); }

RECT ClientRect(TControl* C) { return RECT{0, 0, C->ClientWidth(), C->ClientHeight()}; }

using TFilterSteps = TModalSteps<TFilterForm>;

void ClickBox(TControl* Box) { SimulateClick(TSimButton::Left, Box->ClientToScreen(POINT{8, Box->Height() / 2})); }

void ClickBarItem(TFilterForm* F, int Index) {
  const RECT r = F->ActionMainMenuBar1->BarItemRect(Index);  // on the screen
  SimulateClick(TSimButton::Left, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void DriveTheFilter() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(120, window));
  TTempFolder folder;
  WriteDemoProgramFolder(folder, kFilterPeople);
  const TProgramFolderScope inFolder(folder.Path());
  StartProgramOnDesktop();
  TProgramOnDesktop desk(window);
  desk.Settle();
  ASSERT_TRUE(DataModule2->OPEOPLE_LIST->Active());
  ASSERT_EQ(Listed(), kFilterPeople);
  TPanel* indicator = MainForm->Panel1;
  const RECT indicatorRect = ClientRect(indicator);
  auto openFilter = [&](TFilterSteps& Steps) {
    Steps.Arm();
    desk.Click(MainForm->ToolButton1, POINT{10, 10});
    desk.Settle();
  };

  // "Рег. данные", a surname prefix typed in other case, "начинается с ", "Установить".
  const std::string prefixSql = "select substr(FSTNAME, 1, 2) from O_PEOPLE order by O_PEOPLEID";
  TADOQuery first(nullptr);
  first.SetConnection(DataModule2->ADOConnection1);
  first.SQL()->SetText(Utf8ToString(prefixSql));
  first.Open();
  const String prefix = first.Fields()->Fields(0)->AsString();
  first.Close();
  int creamShown = 0;
  TFilterSteps bySurname({
      [](TFilterForm* f) { ClickBox(f->dxCheckEdit2); },
      [&](TFilterForm* f) {
        EXPECT_TRUE(f->Panel3->Visible() && f->Panel3->Enabled()) << "the section opened";
        SimulateClick(TSimButton::Left, f->LabeledEdit1->ClientToScreen(POINT{20, 8}));
        SimulateText(AnsiLowerCase(prefix));
      },
      [](TFilterForm* f) {
        SimulateClick(TSimButton::Left, f->ComboBoxEx1->ClientToScreen(POINT{20, 8}));
        SimulateKeyPress(VK_ESCAPE);  // the list dropped by the click closed: keys choose the item
        SimulateKeyPress(VK_DOWN);
        SimulateKeyPress(VK_DOWN);
      },
      [&](TFilterForm* f) {
        EXPECT_EQ(f->LabeledEdit1->Text(), AnsiLowerCase(prefix));
        EXPECT_EQ(f->ComboBoxEx1->ItemIndex(), 1) << "\"начинается с \"";
        EXPECT_EQ(f->dxCheckEdit4->State(), cbsChecked) << "typing ticked the surname's box";
        desk.Shoot();
        creamShown = desk.CountColour(f->Panel3, ClientRect(f->Panel3), kRegistrationCream);
        KeepCheckedScreen("filter-surname");
        ClickBarItem(f, 0);
      },
  });
  openFilter(bySurname);
  EXPECT_GT(creamShown, 10000) << "the open section in its cream colour";
  const int sameStart = DesktopScalar("select count(*) from O_PEOPLE where substr(FSTNAME, 1, 2) = '" +
                                    StringToUtf8(prefix) + "'");
  ASSERT_GT(sameStart, 0);
  ASSERT_LT(sameStart, kFilterPeople);
  EXPECT_EQ(Listed(), sameStart);
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  for (list->First(); !list->Eof(); list->Next())
    EXPECT_EQ(list->FieldByName(u"FSTNAME")->AsString().substr(0, 2), prefix);
  EXPECT_TRUE(MainForm->ARemoveFilter->Enabled());
  desk.Shoot();
  EXPECT_GT(desk.CountColour(indicator, indicatorRect, kIndicatorYellow), 1000) << "the yellow indicator";
  EXPECT_GT(desk.CountColour(indicator, indicatorRect, RGB(0, 0, 0)), 20) << "with its caption";
  KeepCheckedScreen("filtered-by-surname");

  // "Снять фильтр": everybody back, the indicator gone.
  desk.Click(MainForm->ToolButton2, POINT{10, 10});
  desk.Settle();
  EXPECT_EQ(Listed(), kFilterPeople);
  EXPECT_FALSE(MainForm->ARemoveFilter->Enabled());
  desk.Shoot();
  EXPECT_EQ(desk.CountColour(indicator, indicatorRect, kIndicatorYellow), 0);
  KeepCheckedScreen("filter-removed");

  // Shown again on the kept settings; "Снять" in the window resets it and keeps everybody.
  bool keptSettings = false;
  TFilterSteps cancel({[&](TFilterForm* f) {
    keptSettings = f->dxCheckEdit2->State() == cbsChecked && f->LabeledEdit1->Text() == AnsiLowerCase(prefix);
    ClickBarItem(f, 1);
  }});
  openFilter(cancel);
  EXPECT_TRUE(keptSettings);
  EXPECT_EQ(Listed(), kFilterPeople);
  EXPECT_EQ(FilterForm->dxCheckEdit2->State(), cbsUnchecked);
  EXPECT_TRUE(FilterForm->LabeledEdit1->Text().empty());
  EXPECT_FALSE(MainForm->ARemoveFilter->Enabled());

  // The territory section and a city clicked in the tree: the box's first click greys it (everybody
  // but the city's subtree), the next one, on the kept settings, ticks it (the subtree only).
  const int city = DesktopScalar("select M_RAYON_DEPID from M_RAYON_DEP where SHORTNAME = 'г. Северск'");
  const int inSubtree = DesktopScalar(
      "with recursive sub(id) as (select " + std::to_string(city) +
      " union all select M_RAYON_DEPID from M_RAYON_DEP join sub on PARENT_ID = sub.id) "
      "select count(*) from O_PEOPLE where M_RAYON_DEPID in (select id from sub)");
  const int placed = DesktopScalar("select count(*) from O_PEOPLE where M_RAYON_DEPID is not null");
  ASSERT_GT(inSubtree, 0);
  ASSERT_LT(inSubtree, placed);
  auto byTerritory = [&](TdxCheckBoxState Expected, const char* Screen) {
    return TFilterSteps({
        [](TFilterForm* f) { ClickBox(f->dxCheckEdit1); },
        [city, Expected](TFilterForm* f) {
          EXPECT_EQ(f->dxCheckEdit1->State(), Expected);
          EXPECT_TRUE(f->DBTreeList->Visible() && f->DBTreeList->Enabled()) << "the tree shown";
          TdxTreeListNode* node = f->DBTreeList->FindNodeByKey(Variant(city));
          ASSERT_NE(node, nullptr);
          node->MakeVisible();
          RECT r{};
          f->DBTreeList->GetNodeRect(node, r);
          SimulateClick(TSimButton::Left,
                        f->DBTreeList->ClientToScreen(POINT{r.right - 40, (r.top + r.bottom) / 2}));
        },
        [&desk, Screen](TFilterForm* f) {
          desk.Shoot();
          KeepCheckedScreen(Screen);
          ClickBarItem(f, 0);
        },
    });
  };
  TFilterSteps excluding = byTerritory(cbsGrayed, "filter-territory-excluded");
  openFilter(excluding);
  EXPECT_EQ(Listed(), placed - inSubtree);
  EXPECT_EQ(StringToUtf8(FilterForm->FilterDescription), "терр./орг-ция: НЕ г. Северск");
  TFilterSteps including = byTerritory(cbsChecked, "filter-territory");
  openFilter(including);
  EXPECT_EQ(Listed(), inSubtree);
  EXPECT_EQ(StringToUtf8(FilterForm->FilterDescription), "терр./орг-ция- г. Северск");
  desk.Shoot();
  EXPECT_GT(desk.CountColour(indicator, indicatorRect, kIndicatorYellow), 1000);
  KeepCheckedScreen("filtered-by-territory");

  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramFilterOnDesktop, SurnameTerritoryRemoveAndCancelThroughSimulatedInput) {
  if (OnVirtualDesktop()) return DriveTheFilter();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
