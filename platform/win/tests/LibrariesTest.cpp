#include <gtest/gtest.h>

#include "platform/win/Input.h"
#include "platform/win/Libraries.h"
#include "platform/win/Metrics.h"

namespace {

int Answer() { return 42; }

TEST(LibrariesTest, NamesMatchWithoutCaseFolderOrExtension) {
  HMODULE a = LoadLibrary(u"RICHED20.DLL");
  ASSERT_NE(a, nullptr);
  HMODULE b = LoadLibrary(u"C:\\Windows\\System32\\riched20.dll");
  HMODULE c = LoadLibrary(u"RichEd20");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(GetModuleHandle(u"riched20.dll"), a);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(FreeLibrary(a));
}

TEST(LibrariesTest, ReferencesAreCountedAndAnUnloadedLibraryIsGone) {
  HMODULE m = LoadLibrary(u"user32.dll");
  ASSERT_NE(m, nullptr);
  LoadLibrary(u"user32.dll");
  EXPECT_TRUE(FreeLibrary(m));
  EXPECT_EQ(GetModuleHandle(u"user32.dll"), m);  // one reference left
  EXPECT_TRUE(FreeLibrary(m));
  EXPECT_EQ(GetModuleHandle(u"user32.dll"), nullptr);
  EXPECT_EQ(GetProcAddress(m, "TrackMouseEvent"), nullptr);
  EXPECT_FALSE(FreeLibrary(m));
}

TEST(LibrariesTest, FunctionsAreFoundByExactName) {
  HMODULE m = LoadLibrary(u"USER32.DLL");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetProcAddress(m, "TrackMouseEvent"), reinterpret_cast<FARPROC>(&TrackMouseEvent));
  EXPECT_EQ(GetProcAddress(m, "trackmouseevent"), nullptr);
  EXPECT_EQ(GetProcAddress(m, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "TrackMouseEvent"), nullptr);
  FreeLibrary(m);
}

TEST(LibrariesTest, MonitorQueriesAreOfferedForLateBinding) {
  HMODULE m = LoadLibrary(u"USER32");
  ASSERT_NE(m, nullptr);
  auto monitorFromPoint = reinterpret_cast<HMONITOR (*)(POINT, DWORD)>(GetProcAddress(m, "MonitorFromPoint"));
  auto getMonitorInfo = reinterpret_cast<BOOL (*)(HMONITOR, MONITORINFO*)>(GetProcAddress(m, "GetMonitorInfoA"));
  ASSERT_NE(monitorFromPoint, nullptr);
  ASSERT_NE(getMonitorInfo, nullptr);
  MONITORINFO viaTable, direct;
  ASSERT_TRUE(getMonitorInfo(monitorFromPoint(POINT{-5000, -5000}, MONITOR_DEFAULTTONEAREST), &viaTable));
  ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &direct));
  EXPECT_TRUE(EqualRect(&viaTable.rcWork, &direct.rcWork));
  FreeLibrary(m);
}

TEST(LibrariesTest, UnknownLibrariesFailWithoutABox) {
  UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(LoadLibrary(u"NOSUCH.DLL"), nullptr);
  EXPECT_EQ(LoadLibrary(nullptr), nullptr);
  EXPECT_EQ(SetErrorMode(previous), SEM_NOOPENFILEERRORBOX);
  EXPECT_NE(GetModuleHandle(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandle(u"NOSUCH.DLL"), nullptr);
}

TEST(LibrariesTest, RegisteredLibrariesOfferTheirFunctions) {
  RegisterLibrary(u"testlib.dll", {{"Answer", reinterpret_cast<FARPROC>(&Answer)}});
  HMODULE m = LoadLibrary(u"TESTLIB");
  ASSERT_NE(m, nullptr);
  auto answer = reinterpret_cast<int (*)()>(GetProcAddress(m, "Answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  FreeLibrary(m);
}

}  // namespace
