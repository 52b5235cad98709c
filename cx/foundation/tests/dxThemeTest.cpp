#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "cx/foundation/dxThemeManager.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/win/Windows.h"

namespace {

// Restarts the binding and the manager as on a system of another version, and puts them back as the
// program started them.
class dxThemeVersions : public testing::Test {
 protected:
  void TearDown() override { Restart(5, 1); }
  static void Restart(DWORD AMajor, DWORD AMinor) {
    dxThemeManagerFinalize();
    dxUxThemeFinalize();
    dxUxThemeInitialize(AMajor, AMinor);
    dxThemeManagerInitialize();
  }
};

int BoundIndex(const char* AName) {
  for (int i = 0; i < dxUxThemeFunctionCount; ++i)
    if (std::string(dxUxThemeFunctionNames[i]) == AName) return i;
  return -1;
}

// Draws part 1 of a theme, so that the provider records which class the handle was opened with.
void DrawOnScreen(HTHEME ATheme) {
  const HDC dc = GetDC(nullptr);
  const RECT r{0, 0, 4, 4};
  dxDrawThemeBackground(ATheme, dc, 1, 1, &r);
  ReleaseDC(nullptr, dc);
}

TEST_F(dxThemeVersions, TheLibraryLoadsFromVersionFivePointOne) {
  struct Case {
    DWORD major, minor;
    bool loaded;
  } cases[] = {{4, 90, false}, {5, 0, false}, {5, 1, true}, {5, 2, true}, {6, 0, true}};
  for (const Case& c : cases) {
    Restart(c.major, c.minor);
    EXPECT_EQ(dxUxThemeLoaded(), c.loaded) << c.major << "." << c.minor;
    EXPECT_EQ(dxIsXPOrLater(), c.loaded) << c.major << "." << c.minor;
    EXPECT_EQ(dxUxThemeFunction(BoundIndex("OpenThemeData")) != nullptr, c.loaded);
  }
}

TEST_F(dxThemeVersions, FunctionsAreBoundByNameAndMissingOnesStayEmpty) {
  EXPECT_EQ(std::string(dxUxThemeFunctionNames[0]), "CloseThemeData");
  EXPECT_EQ(std::string(dxUxThemeFunctionNames[dxUxThemeFunctionCount - 1]), "SetWindowTheme");
  EXPECT_EQ(dxUxThemeFunction(BoundIndex("OpenThemeData")), GetUxThemeProcAddress("OpenThemeData"));
  EXPECT_EQ(dxUxThemeFunction(BoundIndex("IsThemeActive")), GetUxThemeProcAddress("IsThemeActive"));
  // The platform layer has no theme fonts.
  EXPECT_EQ(dxUxThemeFunction(BoundIndex("GetThemeFont")), nullptr);
  EXPECT_EQ(dxUxThemeFunction(-1), nullptr);
}

TEST_F(dxThemeVersions, WithoutTheLibraryNothingOpensAndNoSubscriberIsCalled) {
  Restart(5, 0);
  TestThemeProvider provider;
  int calls = 0;
  TdxThemeChangedNotificator notificator;
  notificator.OnThemeChanged = [&] { ++calls; };
  {
    ScopedThemeProvider scoped(&provider);
    EXPECT_FALSE(dxThemesAvailable());
    EXPECT_EQ(dxOpenThemeByType(tcButton), nullptr);
    EXPECT_EQ(dxCloseThemeByType(tcButton), 1);
    // Unbound wrappers fail rather than call nothing.
    EXPECT_EQ(dxOpenThemeData(nullptr, u"Button"), nullptr);
    EXPECT_EQ(dxCloseThemeData(nullptr), E_FAIL);
    EXPECT_FALSE(dxIsThemeActive());
  }
  EXPECT_EQ(calls, 0);
}

TEST(dxThemeManager, ThemesAreUnavailableWithoutAProvider) {
  EXPECT_TRUE(dxUxThemeLoaded());
  EXPECT_FALSE(dxThemesAvailable());
  EXPECT_FALSE(dxThemesAvailable({tcButton}));
  EXPECT_EQ(dxOpenThemeByType(tcButton), nullptr);
  EXPECT_EQ(dxCloseThemeByType(tcButton), 1);
}

TEST(dxThemeManager, HandlesAreOpenedOncePerClass) {
  TestThemeProvider provider({u"Button", u"Edit"});
  ScopedThemeProvider scoped(&provider);
  EXPECT_TRUE(dxThemesAvailable());
  EXPECT_TRUE(dxThemesAvailable({tcButton, tcEdit}));
  EXPECT_FALSE(dxThemesAvailable({tcButton, tcClock}));

  const HTHEME button = dxOpenThemeByType(tcButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(dxOpenThemeByType(tcButton), button);
  EXPECT_EQ(dxOpenThemeByType(tcClock), nullptr);
  EXPECT_EQ(dxCloseThemeByType(tcClock), 0);

  EXPECT_EQ(dxCloseThemeByType(tcButton), S_OK);
  EXPECT_EQ(CloseThemeData(button), E_INVALIDARG);  // it was closed
  EXPECT_NE(dxOpenThemeByType(tcButton), nullptr);
  EXPECT_EQ(dxThemeClassName(tcTreeView), u"TreeView");
  EXPECT_EQ(dxThemeClassName(tcWindow), u"Window");
}

TEST(dxThemeManager, AnExplicitClassListIsComparedIgnoringCase) {
  TestThemeProvider provider;
  ScopedThemeProvider scoped(&provider);
  const HTHEME edit = dxOpenThemeByType(tcSpin, u"Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(dxOpenThemeByType(tcSpin, u"EDIT"), edit);
  EXPECT_EQ(dxOpenThemeByType(tcSpin), edit);
  const HTHEME spin = dxOpenThemeByType(tcSpin, u"Spin");
  EXPECT_NE(spin, nullptr);
  // Replaced: the old handle is closed, unless its value was handed out again for the new theme.
  EXPECT_TRUE(spin == edit || CloseThemeData(edit) == E_INVALIDARG);
  DrawOnScreen(spin);
  ASSERT_FALSE(provider.Draws().empty());
  EXPECT_EQ(provider.Draws().back().className, u"Spin");
}

TEST(dxThemeManager, SwitchedOffThemesGiveNoHandleEvenForOpenedClasses) {
  TestThemeProvider provider;
  ScopedThemeProvider scoped(&provider);
  ASSERT_NE(dxOpenThemeByType(tcHeader), nullptr);
  SetThemeProvider(nullptr);
  EXPECT_FALSE(dxThemesAvailable());
  EXPECT_EQ(dxOpenThemeByType(tcHeader), nullptr);
}

TEST(dxThemeManager, AThemeChangeReopensWithTheSameClassListAndNotifiesInOrder) {
  TestThemeProvider first, second;
  ScopedThemeProvider scoped(&first);
  const HTHEME before = dxOpenThemeByType(tcButton, u"Edit");
  ASSERT_NE(before, nullptr);

  std::vector<int> order;
  TdxThemeChangedNotificator n1, n2, silent;
  n1.OnThemeChanged = [&] {
    order.push_back(1);
    // Subscribers see the new state and a closed cache.
    EXPECT_TRUE(dxThemesAvailable());
  };
  n2.OnThemeChanged = [&] { order.push_back(2); };

  SetThemeProvider(&second);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(CloseThemeData(before), E_INVALIDARG);  // closed by the change

  const HTHEME after = dxOpenThemeByType(tcButton);
  ASSERT_NE(after, nullptr);
  DrawOnScreen(after);
  ASSERT_EQ(second.Draws().size(), 1u);
  EXPECT_EQ(second.Draws()[0].className, u"Edit");
}

TEST(dxThemeManager, ASubscriberMayFreeALaterOneDuringTheBroadcast) {
  TestThemeProvider provider;
  TdxThemeChangedNotificator first;
  auto* second = new TdxThemeChangedNotificator;
  int secondCalls = 0;
  second->OnThemeChanged = [&] { ++secondCalls; };
  first.OnThemeChanged = [&] { FreeAndNil(second); };
  ScopedThemeProvider scoped(&provider);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(secondCalls, 0);
}

TEST(dxThemeManager, ASubscriberExceptionGoesToTheApplicationAndEndsTheBroadcast) {
  ASSERT_NE(Application, nullptr);
  TestThemeProvider provider;
  int handled = 0, later = 0;
  const TExceptionEvent saved = Application->OnException;
  Application->OnException = [&](TObject*, Exception& E) {
    EXPECT_EQ(E.Message(), u"subscriber failed");
    ++handled;
  };
  TdxThemeChangedNotificator failing, next;
  failing.OnThemeChanged = [] { throw Exception(u"subscriber failed"); };
  next.OnThemeChanged = [&] { ++later; };
  {
    ScopedThemeProvider scoped(&provider);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(later, 0);
    EXPECT_TRUE(dxThemesAvailable());
  }
  Application->OnException = saved;
}

}  // namespace
