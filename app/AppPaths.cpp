#include "app/AppPaths.h"

#include "platform/rtl/FileUtils.h"

namespace {
String& FolderOverride() {
  static String folder;
  return folder;
}
}  // namespace

String ProgramFolder() {
  if (!FolderOverride().empty()) return IncludeTrailingPathDelimiter(FolderOverride());
  return ExtractFilePath(ApplicationExeName());
}

void SetProgramFolder(const String& Folder) { FolderOverride() = Folder; }
