// Whole-file reads and atomic whole-file saves for the settings stores (INI files, the registry
// store): a save writes a temporary file in the target's folder, syncs it and renames it over the
// target, so a crash or a failed write never leaves half a file behind.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// Reads the whole file into bytes; false when it does not exist. Other failures (a folder, no
// permission, a read error) raise EFOpenError with the reason.
bool ReadFileBytes(const String& fileName, std::string& bytes);

// Replaces the file's content with bytes. On failure the old file is untouched, the temporary file
// is removed and EFCreateError is raised: Cannot create file "<name>". <reason>
void WriteFileAtomically(const String& fileName, std::string_view bytes);
// The same, answering false with the reason (the system's error text) instead of raising, for
// stores that raise their own exception class.
bool TryWriteFileAtomically(const String& fileName, std::string_view bytes, String& reason);

// Steps of an atomic save, for fault injection in tests.
enum class TAtomicFileStep { afsWrite, afsSync, afsRename };

// Tests install a fault that answers true for the step that must fail (as with an I/O error; a failed
// write stops halfway through the data). An empty function removes the fault.
using TAtomicFileFault = std::function<bool(TAtomicFileStep step)>;
void SetAtomicFileFault(TAtomicFileFault fault);
