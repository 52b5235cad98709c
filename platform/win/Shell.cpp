#include "platform/win/Shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <atomic>

#include "platform/rtl/String.h"

extern char** environ;

namespace {

std::atomic<int> g_beeps{0};
TShellLauncher g_launcher;

bool SpawnDetached(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
  // xdg-open hands over to the handler and exits; reap it so no zombie stays.
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

HINSTANCE ShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, int) {
  if (!file || !*file) return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(SE_ERR_FNF));
  std::vector<std::string> argv{"xdg-open", StringToUtf8(file)};
  bool ok = g_launcher ? g_launcher(argv) : SpawnDetached(argv);
  return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(ok ? 42 : SE_ERR_NOASSOC));
}

void SetShellLauncher(TShellLauncher launcher) { g_launcher = std::move(launcher); }

BOOL MessageBeep(UINT) {
  ++g_beeps;
  return TRUE;
}

int MessageBeepCount() { return g_beeps; }
