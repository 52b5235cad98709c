#include "platform/display/testing/CheckedScreens.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/display/Display.h"

namespace {

// The file for the current test and step, or nothing when screens are not kept.
std::optional<std::string> ScreenFile(const std::string& step) {
  const char* folder = std::getenv("TRENVIK_SCREENS");
  if (!folder || !*folder) return std::nullopt;
  std::filesystem::create_directories(folder);
  std::string name = "screen";
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    name = std::string(test->test_suite_name()) + "." + test->name();
  }
  if (!step.empty()) name += "-" + step;
  for (char& c : name) {
    if (c == '/' || c == ' ') c = '_';  // parameterised test names
  }
  return (std::filesystem::path(folder) / (name + ".png")).string();
}

}  // namespace

bool KeepCheckedScreen(const std::string& step) {
  const auto file = ScreenFile(step);
  return !file || SaveScreenPng(*file);
}

bool KeepCheckedWindow(HWND hwnd, const std::string& step) {
  const auto file = ScreenFile(step);
  return !file || SaveWindowPng(hwnd, *file);
}
