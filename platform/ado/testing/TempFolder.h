// A folder of its own for a test's database files, removed with everything in it at the end.
#pragma once

#include "platform/rtl/Types.h"

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  // The folder with a trailing separator.
  const String& Path() const { return path_; }
  String File(const char* name) const;
  // An empty SQLite database file in the folder (connections open existing files only).
  String NewDatabase(const char* name) const;

 private:
  String path_;
};
