#include "platform/win/Shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/rtl/String.h"
#include "platform/win/WinInternal.h"

extern char** environ;

namespace {

std::atomic<int> g_beeps{0};
TShellLauncher g_launcher;

// Reaps started openers on a thread of its own, so the user-interface thread never waits for one.
// The thread sleeps while there is nothing to reap and is joined at shut-down; openers still
// running then are left to the system.
class TChildReaper {
 public:
  void Adopt(pid_t pid) {
    std::lock_guard lock(mutex_);
    children_.push_back(pid);
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
  }

  void Stop() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
      wake_.notify_one();
    }
    if (thread_.joinable()) thread_.join();
    stopping_ = false;
  }

 private:
  void Run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
      std::erase_if(children_, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
      if (children_.empty())
        wake_.wait(lock, [this] { return stopping_ || !children_.empty(); });
      else
        wake_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stopping_; });
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<pid_t> children_;
  bool stopping_ = false;
  std::thread thread_;
};

TChildReaper& Reaper() {
  static auto& reaper = *new TChildReaper;  // stopped by the window system's shut-down
  return reaper;
}

// Starts the program in argv[0] (found on PATH) and returns at once; false when it could not start.
bool StartDetached(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
  Reaper().Adopt(pid);
  return true;
}

// A link ("https:", "mailto:", "file:") rather than a path: two or more letters before a colon.
bool IsLink(const std::string& target) {
  const auto colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i)
    if (!std::isalpha(static_cast<unsigned char>(target[i])) && target[i] != '+' && target[i] != '-' &&
        target[i] != '.')
      return false;
  return true;
}

HINSTANCE ShellResult(int code) { return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(code)); }

}  // namespace

HINSTANCE ShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, int) {
  if (!file || !*file) return ShellResult(SE_ERR_FNF);
  const std::string target = StringToUtf8(file);
  std::error_code error;
  if (!IsLink(target) && !std::filesystem::exists(std::filesystem::u8path(target), error))
    return ShellResult(SE_ERR_FNF);
  std::vector<std::string> argv{"xdg-open", target};
  const bool started = g_launcher ? g_launcher(argv) : StartDetached(argv);
  return ShellResult(started ? 42 : SE_ERR_NOASSOC);
}

void SetShellLauncher(TShellLauncher launcher) { g_launcher = std::move(launcher); }

void StopShellReaper() { Reaper().Stop(); }

BOOL MessageBeep(UINT) {
  ++g_beeps;
  return TRUE;
}

int MessageBeepCount() { return g_beeps; }
