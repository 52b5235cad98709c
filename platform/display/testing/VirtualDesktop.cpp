#include "platform/display/testing/VirtualDesktop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/display/Display.h"
#include "platform/win/Messages.h"
#include "platform/win/SysColors.h"

namespace {
constexpr const char* kChildVariable = "TRENVIK_REAL_WINDOW_CHILD";
}

bool OnVirtualDesktop() { return std::getenv(kChildVariable) != nullptr; }

bool VirtualDesktopInstalled() { return std::system("command -v xvfb-run > /dev/null 2>&1") == 0; }

void RunTestOnVirtualDesktop() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  // The display library's leak reports belong to SDL and X, not to the test.
  const std::string command = std::string("env -u TRENVIK_HEADLESS ") + kChildVariable +
                              "=1 ASAN_OPTIONS=detect_leaks=0 "
                              "xvfb-run -a -s '-screen 0 1024x768x24' '" +
                              self + "' --gtest_filter=" + filter + " --gtest_brief=1";
  EXPECT_EQ(std::system(command.c_str()), 0) << "on the virtual X server: " << command;
}

void LetDesktopSettle() {
  for (int i = 0; i < 20; ++i) {
    ProcessPendingMessages();
    PresentDisplay();
    SDL_Delay(10);
  }
}

bool IsCaptionColour(COLORREF c) {
  for (auto [from, to] : {std::pair{COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION},
                          std::pair{COLOR_INACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION}}) {
    const COLORREF a = GetSysColor(from), b = GetSysColor(to);
    auto within = [](int v, int p, int q) { return v >= std::min(p, q) && v <= std::max(p, q); };
    if (within(GetRValue(c), GetRValue(a), GetRValue(b)) &&
        within(GetGValue(c), GetGValue(a), GetGValue(b)) && within(GetBValue(c), GetBValue(a), GetBValue(b)))
      return true;
  }
  return false;
}
