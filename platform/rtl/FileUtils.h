// File names and the file system. Paths are String, with '/' as the separator.
#pragma once

#include "platform/rtl/Types.h"

constexpr Char PathDelim = u'/';

// "/a/b/c.txt": path "/a/b/", name "c.txt", extension ".txt" (from the last dot of the name, with
// the dot; empty when the name has none; a dot in a folder name is not an extension).
String ExtractFilePath(const String& fileName);
String ExtractFileDir(const String& fileName);  // without the trailing delimiter
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);
// ext includes the dot; an empty ext removes the extension.
String ChangeFileExt(const String& fileName, const String& ext);
String IncludeTrailingPathDelimiter(const String& s);
// Keeps a lone "/".
String ExcludeTrailingPathDelimiter(const String& s);
// Absolute, against the current folder, with "." and ".." resolved (symbolic links are not).
String ExpandFileName(const String& fileName);

bool FileExists(const String& fileName);  // a file, not a folder
bool DirectoryExists(const String& dir);
// Creates dir and its missing parents; false when it could not.
bool ForceDirectories(const String& dir);
bool CreateDir(const String& dir);
bool RemoveDir(const String& dir);
bool DeleteFile(const String& fileName);
// Replaces newName if it exists (atomic on one file system).
bool RenameFile(const String& oldName, const String& newName);
String GetCurrentDir();
bool SetCurrentDir(const String& dir);
// The running program's full file name (the framework's ParamStr(0)).
String ApplicationExeName();
