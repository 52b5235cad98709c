#include "platform/rtl/FileUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/rtl/String.h"

namespace {

std::string Native(const String& s) { return StringToUtf8(s); }

bool StatIs(const String& name, mode_t kind) {
  struct stat st {};
  return !name.empty() && ::stat(Native(name).c_str(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}

size_t LastDelimiter(const String& s) { return s.rfind(PathDelim); }

}  // namespace

String ExtractFilePath(const String& fileName) {
  const size_t p = LastDelimiter(fileName);
  return p == String::npos ? String() : fileName.substr(0, p + 1);
}

String ExtractFileDir(const String& fileName) {
  const size_t p = LastDelimiter(fileName);
  if (p == String::npos) return String();
  return p == 0 ? String(1, PathDelim) : fileName.substr(0, p);
}

String ExtractFileName(const String& fileName) {
  const size_t p = LastDelimiter(fileName);
  return p == String::npos ? fileName : fileName.substr(p + 1);
}

String ExtractFileExt(const String& fileName) {
  const size_t dot = fileName.rfind(u'.');
  const size_t delim = LastDelimiter(fileName);
  if (dot == String::npos || (delim != String::npos && dot < delim)) return String();
  return fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& ext) {
  const size_t dot = fileName.rfind(u'.');
  const size_t delim = LastDelimiter(fileName);
  if (dot == String::npos || (delim != String::npos && dot < delim)) return fileName + ext;
  return fileName.substr(0, dot) + ext;
}

String IncludeTrailingPathDelimiter(const String& s) {
  return !s.empty() && s.back() == PathDelim ? s : s + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& s) {
  String out = s;
  while (out.size() > 1 && out.back() == PathDelim) out.pop_back();
  return out;
}

String ExpandFileName(const String& fileName) {
  if (fileName.empty()) return String();
  const String full =
      fileName[0] == PathDelim ? fileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
  std::vector<String> parts;
  size_t start = 1;
  while (start <= full.size()) {
    size_t end = full.find(PathDelim, start);
    if (end == String::npos) end = full.size();
    const String part = full.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  String out;
  for (const String& p : parts) out += PathDelim + p;
  // A name ending in a delimiter stays a folder name.
  if (out.empty() || (full.back() == PathDelim)) out.push_back(PathDelim);
  return out;
}

bool FileExists(const String& fileName) { return StatIs(fileName, S_IFREG); }

bool DirectoryExists(const String& dir) { return StatIs(dir, S_IFDIR); }

bool CreateDir(const String& dir) { return !dir.empty() && ::mkdir(Native(dir).c_str(), 0777) == 0; }

bool RemoveDir(const String& dir) { return !dir.empty() && ::rmdir(Native(dir).c_str()) == 0; }

bool ForceDirectories(const String& dir) {
  if (dir.empty()) return false;
  const String d = ExcludeTrailingPathDelimiter(ExpandFileName(dir));
  if (DirectoryExists(d)) return true;
  const String parent = ExtractFileDir(d);
  if (parent != d && !ForceDirectories(parent)) return false;
  // Another process may create it between the check and the call: that is success too.
  return CreateDir(d) || (errno == EEXIST && DirectoryExists(d));
}

bool DeleteFile(const String& fileName) {
  return !fileName.empty() && !DirectoryExists(fileName) && ::unlink(Native(fileName).c_str()) == 0;
}

bool RenameFile(const String& oldName, const String& newName) {
  return !oldName.empty() && !newName.empty() &&
         std::rename(Native(oldName).c_str(), Native(newName).c_str()) == 0;
}

String GetCurrentDir() {
  std::vector<char> buf(4096);
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return String();
    buf.resize(buf.size() * 2);
  }
  return Utf8ToString(buf.data());
}

bool SetCurrentDir(const String& dir) { return !dir.empty() && ::chdir(Native(dir).c_str()) == 0; }

String ApplicationExeName() {
  std::vector<char> buf(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return String();
    if (static_cast<size_t>(n) < buf.size())
      return Utf8ToString(std::string_view(buf.data(), static_cast<size_t>(n)));
    buf.resize(buf.size() * 2);
  }
}
