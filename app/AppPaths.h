// Where the program keeps its files: the folder of the running executable.
#pragma once

#include "platform/rtl/Types.h"

// The program's folder with its trailing separator.
String ProgramFolder();
// Tests put the program's files in a folder of their own; an empty value restores the default.
void SetProgramFolder(const String& Folder);
