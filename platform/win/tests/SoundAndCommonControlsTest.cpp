// Sounds are recorded with their flags; the common controls' initialisation checks its record.
#include <gtest/gtest.h>

#include "platform/win/CommCtrl.h"
#include "platform/win/Sound.h"

TEST(Sound, RequestsAreRecordedStopsAndMemoryImagesAreNot) {
  ResetPlayedSounds();
  const DWORD menu = SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT;
  EXPECT_TRUE(PlaySound(u"MenuPopup", nullptr, menu));
  EXPECT_TRUE(PlaySound(nullptr, nullptr, SND_PURGE));
  EXPECT_FALSE(PlaySound(u"\x0001", nullptr, SND_MEMORY));
  EXPECT_TRUE(PlaySound(u"MenuCommand", nullptr, menu));
  ASSERT_EQ(PlayedSounds().size(), 2u);
  EXPECT_EQ(PlayedSounds()[0].Name, u"MenuPopup");
  EXPECT_EQ(PlayedSounds()[0].Flags, menu);
  EXPECT_EQ(PlayedSounds()[1].Name, u"MenuCommand");
  ResetPlayedSounds();
  EXPECT_TRUE(PlayedSounds().empty());
}

TEST(CommonControls, InitialisationChecksItsRecord) {
  InitCommonControls();
  EXPECT_EQ(InitializedCommonControls() & ICC_WIN95_CLASSES, ICC_WIN95_CLASSES);
  INITCOMMONCONTROLSEX init;
  init.dwICC = ICC_DATE_CLASSES | ICC_USEREX_CLASSES;
  EXPECT_TRUE(InitCommonControlsEx(&init));
  EXPECT_TRUE(InitializedCommonControls() & ICC_DATE_CLASSES);
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  INITCOMMONCONTROLSEX wrongSize;
  wrongSize.dwSize = 4;
  EXPECT_FALSE(InitCommonControlsEx(&wrongSize));
  INITCOMMONCONTROLSEX unknown;
  unknown.dwICC = 0x80000000;
  EXPECT_FALSE(InitCommonControlsEx(&unknown));
}
