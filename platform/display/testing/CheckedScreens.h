// Test support: tests that check pixels also keep the screen they checked, for people to look at,
// as PNG files in the folder named by TRENVIK_SCREENS (nothing is written when it is not set).
#pragma once

#include <string>

#include "platform/rtl/WinDef.h"

// Writes the whole screen as "<Suite>.<Test>[-<step>].png"; the step names a moment of a test that
// checks several screens. True when nothing was asked for or the file was written.
bool KeepCheckedScreen(const std::string& step = {});
// The same for the part of the screen a window covers.
bool KeepCheckedWindow(HWND hwnd, const std::string& step = {});
