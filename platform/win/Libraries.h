// Libraries looked up by name at run time. There are no shared objects to load: the layer keeps a
// table of its own "libraries" (the platform names the component code asks for) and the functions
// each one offers by name, so code that binds optional services late keeps its shape.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// A function found by name; the caller casts it to the signature it expects.
using FARPROC = void (*)();

// SetErrorMode flags.
constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
constexpr UINT SEM_NOALIGNMENTFAULTEXCEPT = 0x0004;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

// Sets the process's error mode and answers the previous one. A library that cannot be found never
// shows a box in this layer; the mode is kept for code that saves and restores it.
UINT SetErrorMode(UINT mode);

// Names compare case-insensitively, with or without the ".DLL" extension and any folder.
// Loading counts references; a name the table lacks answers nullptr.
HMODULE LoadLibrary(LPCWSTR name);
// The loaded library of that name without counting a reference (nullptr: not loaded); a null
// name answers the program's own module.
HMODULE GetModuleHandle(LPCWSTR name);
// nullptr when the library does not offer the function.
FARPROC GetProcAddress(HMODULE module, const char* procName);
// Drops one reference; FALSE for a handle that is not a loaded library.
BOOL FreeLibrary(HMODULE module);

// Adds a library to the table (or functions to one already there).
void RegisterLibrary(const String& name, const std::vector<std::pair<std::string, FARPROC>>& exports);
