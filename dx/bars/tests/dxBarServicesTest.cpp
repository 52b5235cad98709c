#include <gtest/gtest.h>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarServices.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/win/Metrics.h"

namespace {

TEST(DxBarServicesTest, AcceleratorsAreStrippedAndFound) {
  struct TCase {
    const char16_t* caption;
    const char16_t* stripped;
    Char accelerator;
  };
  const TCase cases[] = {
      {u"&File", u"File", u'F'},        {u"Save &As...", u"Save As...", u'A'},
      {u"Tom && Jerry", u"Tom & Jerry", 0}, {u"Copy&", u"Copy&", 0},
      {u"&a&b", u"ab", u'b'},           {u"&&&x", u"&x", u'x'},
      {u"plain", u"plain", 0},          {u"", u"", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.caption));
    EXPECT_EQ(StripAccelerators(c.caption), c.stripped);
    EXPECT_EQ(AcceleratorOf(c.caption), c.accelerator);
  }
}

TEST(DxBarServicesTest, PlainCaptionLosesOnlyTheFirstAmpersandAndEllipsis) {
  EXPECT_EQ(GetPlainCaption(u"&Open..."), u"Open");
  EXPECT_EQ(GetPlainCaption(u"A&&B...x..."), u"A&Bx...");
}

TEST(DxBarServicesTest, ArrowSizeHasAFloorOfThree) {
  EXPECT_EQ(ArrowSizeFor(RECT{0, 0, 15, 10}, true), 4);
  EXPECT_EQ(ArrowSizeFor(RECT{0, 0, 14, 10}, true), 3);
  EXPECT_EQ(ArrowSizeFor(RECT{0, 0, 10, 20}, false), 6);  // (20 - 6 - 1) div 2
  EXPECT_EQ(ArrowSizeFor(RECT{0, 0, 2, 2}, true), 3);
}

TEST(DxBarServicesTest, EveryNtFromFiveOnTakesTheLargerMenuRecord) {
  struct TCase {
    DWORD platform, major, minor;
    bool win9x, win95, modern;
  };
  const TCase cases[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 4, 0, true, true, false},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, true, false, true},
      {VER_PLATFORM_WIN32_NT, 4, 0, false, false, false},
      {VER_PLATFORM_WIN32_NT, 5, 1, false, false, true},
      {VER_PLATFORM_WIN32_NT, 6, 0, false, false, true},
      {VER_PLATFORM_WIN32_NT, 10, 0, false, false, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
    OSVERSIONINFO info;
    info.dwPlatformId = c.platform;
    info.dwMajorVersion = c.major;
    info.dwMinorVersion = c.minor;
    TdxWindowsVersion v = WindowsVersionOf(info);
    EXPECT_EQ(v.IsWin9x, c.win9x);
    EXPECT_EQ(v.IsWin95, c.win95);
    EXPECT_EQ(v.IsWin98MEOr2000XP, c.modern);
    EXPECT_EQ(MenuItemInfoSize(v), c.modern ? 48u : 44u);
  }
  EXPECT_TRUE(WindowsVersion().IsWin98MEOr2000XP);  // what the layer's own query reported at start-up
}

class TTestBarItemA : public TdxBarItem {
  TRENVIK_CLASS(TTestBarItemA, TdxBarItem);

 public:
  using TdxBarItem::TdxBarItem;
};
class TTestBarItemB : public TTestBarItemA {
  TRENVIK_CLASS(TTestBarItemB, TTestBarItemA);

 public:
  using TTestBarItemA::TTestBarItemA;
};
class TTestBarItemHidden : public TdxBarItem {
  TRENVIK_CLASS(TTestBarItemHidden, TdxBarItem);

 public:
  using TdxBarItem::TdxBarItem;
};
TRENVIK_IMPLEMENT_CLASS(TTestBarItemA)
TRENVIK_IMPLEMENT_CLASS(TTestBarItemB)
TRENVIK_IMPLEMENT_CLASS(TTestBarItemHidden)

TEST(DxBarServicesTest, TheRegistryOffersOnlyDialogClassesAndMatchesExactly) {
  int before = RegisteredItemClassCount();
  RegisterBarItemClass(TTestBarItemA::StaticClass(), TObject::StaticClass(), true);
  RegisterBarItemClass(TTestBarItemHidden::StaticClass(), TComponent::StaticClass(), false);
  EXPECT_EQ(RegisteredItemClassCount(), before + 1);
  EXPECT_EQ(GetRegisteredItemClass(before), TTestBarItemA::StaticClass());
  EXPECT_EQ(GetRegisteredItemClass(before + 1), nullptr);
  EXPECT_EQ(GetRegisteredItemClass(-1), nullptr);
  EXPECT_EQ(FindClass(u"TTestBarItemA"), TTestBarItemA::StaticClass());

  TTestBarItemA a(nullptr);
  TTestBarItemB b(nullptr);
  TTestBarItemHidden hidden(nullptr);
  EXPECT_EQ(GetItemControlClass(&a), TObject::StaticClass());
  EXPECT_EQ(GetItemControlClass(&b), nullptr);  // a descendant of a registered class is not registered
  EXPECT_EQ(GetItemControlClass(&hidden), TComponent::StaticClass());

  UnregisterBarItemClass(TTestBarItemHidden::StaticClass());
  UnregisterBarItemClass(TTestBarItemA::StaticClass());
  EXPECT_EQ(RegisteredItemClassCount(), before);
  EXPECT_EQ(GetItemControlClass(&a), nullptr);
}

TEST(DxBarServicesTest, TheWorkAreaIsTheNearestMonitors) {
  RECT work{0, 0, 800, 570};
  SetWorkArea(work);
  EXPECT_EQ(GetWorkAreaAt(POINT{5000, 5000}), work);
  EXPECT_EQ(GetWorkAreaAt(POINT{10, 10}), work);
}

TEST(DxBarServicesTest, ItemVisibilityFollowsABoolean) {
  EXPECT_EQ(ItemVisibleOf(true), ivAlways);
  EXPECT_EQ(ItemVisibleOf(false), ivNever);
  EXPECT_EQ(ClampWidth(5), 20);
  EXPECT_EQ(ClampWidth(21), 21);
}

}  // namespace
