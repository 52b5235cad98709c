#include "dx/bars/tests/dxBarTestSupport.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/SysColors.h"

namespace {

class DxBarManagerTest : public DxBarTest {};

TEST_F(DxBarManagerTest, ASecondManagerOrANonFormOwnerIsRefused) {
  try {
    new TdxBarManager(form.get());
    FAIL() << "a second manager was made";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"A Form should contain only a single TdxBarManager");
  }
  TComponent plain(nullptr);
  try {
    new TdxBarManager(&plain);
    FAIL() << "a manager without a form was made";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), LoadResString(39004));
    EXPECT_EQ(e.Message(), u"TdxBarManager should have as its Owner - TForm (TCustomForm)");
  }
  // Nothing half-made stays behind, and the first manager still serves the form.
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(plain.ComponentCount(), 0);
  EXPECT_EQ(BarManagerByForm(form.get()), manager);
  EXPECT_EQ(BarManagers()->Count(), 1);
}

TEST_F(DxBarManagerTest, HooksLiveFromTheFirstManagerToTheLast) {
  EXPECT_TRUE(dxbars_internal::BarHooksInstalled());
  TForm other(nullptr);
  auto* second = new TdxBarManager(&other);
  EXPECT_EQ(BarManagers()->Count(), 2);
  delete manager;
  EXPECT_TRUE(dxbars_internal::BarHooksInstalled());
  delete second;
  EXPECT_EQ(BarManagers()->Count(), 0);
  EXPECT_FALSE(dxbars_internal::BarHooksInstalled());
  manager = new TdxBarManager(form.get());
  EXPECT_TRUE(dxbars_internal::BarHooksInstalled());
}

TEST_F(DxBarManagerTest, DefaultsAndStyleMetrics) {
  EXPECT_EQ(manager->Style(), bmsEnhanced);
  EXPECT_EQ(manager->Categories()->Count(), 1);
  EXPECT_EQ(manager->Categories()->Strings(0), u"Default");
  EXPECT_EQ(manager->RecentUseThreshold(), 20);
  EXPECT_EQ(manager->WaitForDockingTime(), 21);
  EXPECT_TRUE(manager->UseSystemFont());
  struct TCase {
    TdxBarManagerStyle style;
    int gripOffset, gripSize, separatorIndent, arrowWidth;
  };
  for (TCase c : {TCase{bmsStandard, 2, 9, 2, 11}, TCase{bmsEnhanced, 1, 6, 12, 11}, TCase{bmsFlat, 1, 6, 8, 10}}) {
    manager->SetStyle(c.style);
    EXPECT_EQ(manager->GripOffset(), c.gripOffset);
    EXPECT_EQ(manager->GripSize(), c.gripSize);
    EXPECT_EQ(manager->SeparatorIndent(), c.separatorIndent);
    EXPECT_EQ(manager->ArrowWidth(), c.arrowWidth);
    EXPECT_EQ(manager->GlyphSize(), 16);
    EXPECT_EQ(manager->ButtonWidth(), 23);
    EXPECT_EQ(manager->ButtonHeight(), 22);
  }
}

TEST_F(DxBarManagerTest, ArrowWidthIsMadeOddAndFollowsLargeIcons) {
  manager->SetButtonArrowWidth(1);
  EXPECT_EQ(manager->ButtonArrowWidth(), 11);
  manager->SetButtonArrowWidth(12);
  EXPECT_EQ(manager->ArrowWidth(), 13);
  manager->SetLargeIcons(true);
  EXPECT_EQ(manager->ArrowWidth(), 25);
  EXPECT_EQ(manager->GlyphSize(), 32);
  EXPECT_EQ(manager->ButtonWidth(), 39);
  EXPECT_EQ(manager->ButtonHeight(), 38);
  manager->SetStyle(bmsFlat);
  EXPECT_EQ(manager->ArrowWidth(), 24);
  manager->SetLargeButtonArrowWidth(1);
  EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
  manager->SetWaitForDockingTime(-1);
  EXPECT_EQ(manager->WaitForDockingTime(), 21);
}

TEST_F(DxBarManagerTest, RecentUseThresholdFollowsThePercentage) {
  struct TCase {
    int percents, stored, threshold;
  };
  for (TCase c : {TCase{95, 95, 20}, TCase{90, 90, 10}, TCase{0, 0, 1}, TCase{100, 100, 0}, TCase{250, 100, 0},
                  TCase{99, 99, 100}}) {
    manager->SetMostRecentItemsPercents(c.percents);
    EXPECT_EQ(manager->MostRecentItemsPercents(), c.stored);
    EXPECT_EQ(manager->RecentUseThreshold(), c.threshold) << c.percents;
  }
}

TEST_F(DxBarManagerTest, FlatColoursMixTheSystemColours) {
  TdxBarFlatColors c = CalcFlatColors(RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128), RGB(255, 255, 255));
  EXPECT_EQ(c.Border, RGB(102, 102, 102));
  EXPECT_EQ(c.Background, RGB(202, 202, 202));
  // 192*11/100 + 0 + 255*73/100 = 21 + 186; blue adds 128*9/100 = 11.
  EXPECT_EQ(c.Down, RGB(207, 207, 218));
  EXPECT_EQ(c.Selected, RGB(26 + 102, 26 + 102, 26 + 56 + 102));
  // A negative share of the face can take a channel below zero; it is clamped.
  EXPECT_EQ(c.Highlight, RGB(-3 + 183, -3 + 183, -3 + 38 + 183));
  for (COLORREF face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    TdxBarFlatColors extreme = CalcFlatColors(face, RGB(128, 128, 128), RGB(10, 20, 30), RGB(255, 255, 255));
    EXPECT_EQ(extreme.Down, RGB(10, 20, 30));
    EXPECT_EQ(extreme.Selected, RGB(10, 20, 30));
    EXPECT_EQ(extreme.Highlight, RGB(10, 20, 30));
  }
  EXPECT_NE(manager->FlatDownBrush(), nullptr);
}

TEST_F(DxBarManagerTest, OnlyAFontChangeFromOutsideTurnsTheSystemFontOff) {
  NONCLIENTMETRICS metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  EXPECT_EQ(manager->Font()->Height(), metrics.lfMenuFont.lfHeight);
  manager->ApplySystemFont();
  EXPECT_TRUE(manager->UseSystemFont());
  EXPECT_NE(manager->FontHandle(), nullptr);

  manager->SetScaled(false);
  manager->Font()->SetHeight(-20);
  EXPECT_FALSE(manager->UseSystemFont());
  EXPECT_EQ(manager->Font()->Height(), -20);
  manager->SetUseSystemFont(true);
  EXPECT_EQ(manager->Font()->Height(), metrics.lfMenuFont.lfHeight);
  EXPECT_TRUE(manager->UseSystemFont());
}

TEST_F(DxBarManagerTest, TheOwnerFormsSettingChangeReachesTheManagerThroughTheHook) {
  form->Handle();  // the broadcast reaches top-level windows
  NONCLIENTMETRICS saved;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(saved), &saved, 0));
  NONCLIENTMETRICS changed = saved;
  changed.lfMenuFont.lfHeight = -17;
  SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof(changed), &changed, SPIF_SENDCHANGE);
  EXPECT_EQ(manager->Font()->Height(), -17);
  EXPECT_TRUE(manager->UseSystemFont());
  SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof(saved), &saved, SPIF_SENDCHANGE);
  EXPECT_EQ(manager->Font()->Height(), saved.lfMenuFont.lfHeight);
}

TEST_F(DxBarManagerTest, ItemsAreKeptInOrderAndFoundByName) {
  TdxBarItem* a = MakeItem(u"A");
  TdxBarItem* b = MakeItem(u"B");
  a->SetName(u"ItemA");
  b->SetName(u"ItemB");
  EXPECT_EQ(manager->ItemCount(), 2);
  EXPECT_EQ(manager->ItemByName(u"itemb"), b);
  manager->ExchangeItems(0, 1);
  EXPECT_EQ(manager->Items(0), b);
  manager->MoveItem(0, 1);
  EXPECT_EQ(manager->Items(0), a);
  EXPECT_EQ(manager->Items(5), nullptr);
  delete a;
  EXPECT_EQ(manager->ItemCount(), 1);
  // The manager frees the items still registered with it.
  delete manager;
  manager = nullptr;
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(DxBarManagerTest, RenamedInTheDesignerItRenamesTheItemsNamedAfterIt) {
  manager->SetName(u"BarManager1");
  auto named = [&](const char16_t* Name) {
    TdxBarItem* item = MakeItem(Name);
    item->SetName(Name);
    return item;
  };
  TdxBarItem* open = named(u"BarManager1Open");
  TdxBarItem* lower = named(u"barmanager1Save");
  TdxBarItem* unrelated = named(u"Other");
  TdxBarItem* clash = named(u"BarManager1Print");
  named(u"MainPrint");  // the name the clash would take
  form->SetDesigning(true);
  manager->SetName(u"Main");
  EXPECT_EQ(open->Name(), u"MainOpen");
  EXPECT_EQ(lower->Name(), u"MainSave") << "the old name is matched without regard to case";
  EXPECT_EQ(unrelated->Name(), u"Other");
  EXPECT_EQ(clash->Name(), u"BarManager1Print") << "a taken name leaves the item alone";
  // Outside the designer a rename is only the manager's.
  form->SetDesigning(false);
  manager->SetName(u"Bars");
  EXPECT_EQ(open->Name(), u"MainOpen");
}

}  // namespace
