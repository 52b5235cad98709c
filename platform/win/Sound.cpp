#include "platform/win/Sound.h"

#include <mutex>

namespace {

std::mutex g_soundMutex;

std::vector<TPlayedSound>& Played() {
  static std::vector<TPlayedSound> played;
  return played;
}

}  // namespace

BOOL PlaySound(LPCWSTR sound, HMODULE, DWORD flags) {
  if (!sound) return TRUE;
  // Memory images carry no name worth keeping.
  if (flags & SND_MEMORY) return FALSE;
  std::lock_guard lock(g_soundMutex);
  Played().push_back(TPlayedSound{String(sound), flags});
  return TRUE;
}

const std::vector<TPlayedSound>& PlayedSounds() { return Played(); }

void ResetPlayedSounds() {
  std::lock_guard lock(g_soundMutex);
  Played().clear();
}
