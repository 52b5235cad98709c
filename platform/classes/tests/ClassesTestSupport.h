// Helpers shared by the string-list, INI and registry tests: scratch folders, file bytes, list
// contents and exception messages.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/classes/StringList.h"
#include "platform/rtl/String.h"

// A fresh folder under /tmp, removed with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/classes-test-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const char* name) const { return path_ + "/" + name; }
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::vector<std::string> Lines(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(StringToUtf8(list.Strings(i)));
  return out;
}

// The message of the E that action raises, or "no exception".
template <class E>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.what();
  }
  return "no exception";
}
