// Opening documents and links with the desktop's handler, and the beep.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/WinDef.h"

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_NOASSOC = 31;
// Opens `file` (a path or a link) with xdg-open, given as one argument, never through a shell, and
// returns without waiting for it. Answers a value above 32 when the opener was started, as the
// platform does; SE_ERR_FNF for a path that does not exist, SE_ERR_NOASSOC when no opener could be
// started.
HINSTANCE ShellExecute(HWND hwnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                       int showCmd);
// The launcher gets the argument vector (argv[0] is the program); it answers whether it started.
// Tests replace it; nullptr restores xdg-open.
using TShellLauncher = std::function<bool(const std::vector<std::string>& argv)>;
void SetShellLauncher(TShellLauncher launcher);

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
BOOL MessageBeep(UINT type);
// How many beeps were asked for (tests observe it).
int MessageBeepCount();
