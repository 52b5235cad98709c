// Sounds by alias or file. The layer plays nothing: each request is recorded, as beeps are, so
// tests see which sound was asked for and how.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_MEMORY = 0x0004;
constexpr DWORD SND_LOOP = 0x0008;
constexpr DWORD SND_NOSTOP = 0x0010;
constexpr DWORD SND_PURGE = 0x0040;
constexpr DWORD SND_NOWAIT = 0x00002000;
constexpr DWORD SND_ALIAS = 0x00010000;
constexpr DWORD SND_FILENAME = 0x00020000;

// Plays `sound` (an alias such as "MenuPopup" or a file name); null stops what plays.
BOOL PlaySound(LPCWSTR sound, HMODULE module, DWORD flags);

struct TPlayedSound {
  String Name;
  DWORD Flags = 0;
};
// The requests since the last reset, oldest first (stops are not listed).
const std::vector<TPlayedSound>& PlayedSounds();
void ResetPlayedSounds();
