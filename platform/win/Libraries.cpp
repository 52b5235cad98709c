// The layer's table of libraries found by name (see Libraries.h).
#include "platform/win/Libraries.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/rtl/StrUtils.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"

namespace {

struct TLibrary {
  std::map<std::string, FARPROC> exports;
  int references = 0;
};

struct TLibraryTable {
  std::mutex mutex;
  // Keyed by the normalised name; the node's address is the module handle, so handles stay valid
  // while libraries are added.
  std::map<String, std::unique_ptr<TLibrary>> libraries;
  UINT errorMode = 0;
};

template <class F>
FARPROC AsProc(F* function) {
  return reinterpret_cast<FARPROC>(function);
}

// The libraries the layer itself offers: the window system's optional functions that code binds
// late, and the rich edit control (its window class comes with the forms layer).
void AddBuiltInLibraries(TLibraryTable& table) {
  auto user32 = std::make_unique<TLibrary>();
  user32->exports["TrackMouseEvent"] = AsProc(&TrackMouseEvent);
  user32->exports["UpdateLayeredWindow"] = AsProc(&UpdateLayeredWindow);
  // The layer has one character set; both names of the monitor query answer the same function.
  user32->exports["MonitorFromPoint"] = AsProc(&MonitorFromPoint);
  user32->exports["GetMonitorInfoA"] = AsProc(&GetMonitorInfo);
  table.libraries[u"USER32"] = std::move(user32);
  table.libraries[u"RICHED20"] = std::make_unique<TLibrary>();
}

TLibraryTable& Table() {
  static TLibraryTable* table = [] {
    auto* t = new TLibraryTable;
    AddBuiltInLibraries(*t);
    return t;
  }();
  return *table;
}

// "C:\Windows\System32\RichEd20.dll" and "riched20" name the same library.
String NormalisedName(const String& name) {
  String n = name;
  size_t slash = n.find_last_of(u"\\/");
  if (slash != String::npos) n.erase(0, slash + 1);
  n = AnsiUpperCase(n);
  if (n.size() > 4 && n.compare(n.size() - 4, 4, u".DLL") == 0) n.resize(n.size() - 4);
  return n;
}

HMODULE HandleOf(TLibrary* library) { return reinterpret_cast<HMODULE>(library); }

TLibrary* LibraryOf(TLibraryTable& table, HMODULE module) {
  for (auto& [name, library] : table.libraries)
    if (HandleOf(library.get()) == module) return library.get();
  return nullptr;
}

// The program's own module: a handle distinct from every library's.
HMODULE ProgramModule() {
  static char program;
  return reinterpret_cast<HMODULE>(&program);
}

}  // namespace

UINT SetErrorMode(UINT mode) {
  TLibraryTable& table = Table();
  std::lock_guard lock(table.mutex);
  UINT previous = table.errorMode;
  table.errorMode = mode;
  return previous;
}

HMODULE LoadLibrary(LPCWSTR name) {
  if (!name) return nullptr;
  TLibraryTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.libraries.find(NormalisedName(name));
  if (it == table.libraries.end()) return nullptr;
  ++it->second->references;
  return HandleOf(it->second.get());
}

HMODULE GetModuleHandle(LPCWSTR name) {
  if (!name) return ProgramModule();
  TLibraryTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.libraries.find(NormalisedName(name));
  if (it == table.libraries.end() || it->second->references == 0) return nullptr;
  return HandleOf(it->second.get());
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
  if (!procName) return nullptr;
  TLibraryTable& table = Table();
  std::lock_guard lock(table.mutex);
  TLibrary* library = LibraryOf(table, module);
  if (!library || library->references == 0) return nullptr;
  auto it = library->exports.find(procName);
  return it == library->exports.end() ? nullptr : it->second;
}

BOOL FreeLibrary(HMODULE module) {
  TLibraryTable& table = Table();
  std::lock_guard lock(table.mutex);
  TLibrary* library = LibraryOf(table, module);
  if (!library || library->references == 0) return FALSE;
  --library->references;
  return TRUE;
}

void RegisterLibrary(const String& name, const std::vector<std::pair<std::string, FARPROC>>& exports) {
  TLibraryTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto& library = table.libraries[NormalisedName(name)];
  if (!library) library = std::make_unique<TLibrary>();
  for (const auto& [procName, proc] : exports) library->exports[procName] = proc;
}
