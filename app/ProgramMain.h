// The program's entry: the application object, its windows in their order, the message loop.
#pragma once

#include "platform/rtl/Types.h"

void ProgramMain();
// After the message loop: every dataset and the database connection closed, so that the database
// is left whole, without its write-ahead log beside it.
void CloseProgramData();
// The application object and the program's windows in their order, as the program starts them
// before it enters the message loop.
void CreateProgramWindows();

// Opens the desktop window (or stays headless when TRENVIK_HEADLESS asks for it). False, with the
// reason on stderr, when no display is named or the named one cannot be opened.
bool StartProgramDisplay();

// Form resources lie in the "forms" folder of the resource folder. False, with the folder looked
// in on stderr, when the main window's layout is not there.
bool UseFormResourceFolder();

// SIGINT and SIGTERM end the message loop as closing the main window would.
void EndProgramOnStopSignals();
// A write past the file-size limit (ulimit -f) fails with EFBIG, reported by whoever wrote (the
// database driver's "disk I/O error"), instead of SIGXFSZ ending the program without a word.
void ReportWritesPastFileSizeLimit();
// Waits for the thread that listens for those signals (at exit).
void StopListeningForStopSignals();

// A start-up failure the user was told of: the reason goes to stderr and the program ends with a
// non-zero exit code.
void EndProgramWithError(const String& Reason);
int ProgramExitCode();

void RegisterAppModules();
