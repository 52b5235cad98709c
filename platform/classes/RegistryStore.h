// The registry: a tree of keys under a few roots, each key holding named values of kind string,
// integer or raw bytes. It lives in one text file that people can read and edit,
// $XDG_CONFIG_HOME/trenvik/registry (~/.config/trenvik/registry without the variable):
//
//   ; comment
//   [HKEY_CURRENT_USER\Software\Trenvik\Layout]
//   "Caption"="Панель \"1\""        string (REG_SZ); escapes \\ \" \r \n \t \xHH
//   "Path"=expand:"%HOME%/x"        REG_EXPAND_SZ
//   "Count"=dword:0000002a          REG_DWORD, hex
//   "Glyph"=hex:01,ff,00,\          REG_BINARY; a trailing "\" continues on the next line
//     10,20
//
// The file is UTF-8, read once on first use and saved atomically by Flush; changes in between are
// kept in memory. Names of keys and values are compared without regard to case. Key handles are
// opened and closed as on the platform; a handle to a deleted key stops working.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

TRENVIK_DECLARE_HANDLE(HKEY);

inline HKEY RegistryRootHandle(std::uintptr_t id) { return reinterpret_cast<HKEY>(id); }
#define HKEY_CLASSES_ROOT RegistryRootHandle(0x80000000u)
#define HKEY_CURRENT_USER RegistryRootHandle(0x80000001u)
#define HKEY_LOCAL_MACHINE RegistryRootHandle(0x80000002u)
#define HKEY_USERS RegistryRootHandle(0x80000003u)
#define HKEY_CURRENT_CONFIG RegistryRootHandle(0x80000005u)

// Value kinds.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

struct TRegValue {
  DWORD Kind = REG_NONE;
  String Text;             // REG_SZ, REG_EXPAND_SZ
  DWORD Number = 0;        // REG_DWORD
  std::vector<Byte> Data;  // REG_BINARY
  // Bytes of the data as the platform counts them: strings as UTF-16 with their terminating zero.
  int DataSize() const;
};

class TRegistryStore {
 public:
  // The one store of the process, loaded on first use. A damaged file raises ERegistryException
  // (saying where) at each use until it is mended; it is never overwritten.
  static TRegistryStore& Instance();

  // Opens Path below Parent (a root or an open key); nullptr when it does not exist (or, with
  // Create, cannot be made: an empty key name or one with control characters). Every handle must be
  // closed with CloseKey; roots need not be.
  HKEY OpenKey(HKEY Parent, const String& Path, bool Create);
  void CloseKey(HKEY Key);
  bool KeyExists(HKEY Parent, const String& Path);
  // Deletes the key with everything below it; false when it does not exist. A root cannot be deleted.
  bool DeleteKey(HKEY Parent, const String& Path);
  // False for a handle that is not open or whose key was deleted.
  bool IsValid(HKEY Key);

  // nullptr when absent.
  const TRegValue* QueryValue(HKEY Key, const String& Name);
  // False when the key is not valid.
  bool SetValue(HKEY Key, const String& Name, TRegValue Value);
  bool DeleteValue(HKEY Key, const String& Name);
  // In the order the values were made.
  bool GetValueNames(HKEY Key, std::vector<String>& Names);
  // In alphabetical order, ignoring case.
  bool GetKeyNames(HKEY Key, std::vector<String>& Names);
  // The key's path below its root, "Software\Trenvik"; empty for a root.
  String KeyPath(HKEY Key);

  // Saves the store atomically when it changed since the last save; raises ERegistryException with
  // the reason when the file cannot be replaced (the changes stay in memory for the next Flush).
  void Flush();
  bool Modified() const { return modified_; }

  // The store's file: the default location, or the one set for tests. Setting another file
  // (an empty name restores the default) drops what is in memory, unsaved changes included, and
  // invalidates every open handle.
  static String FileName();
  static void SetFileName(const String& FileName);

  struct Node;
  ~TRegistryStore();

 private:
  TRegistryStore() = default;
  void EnsureLoaded();
  void Load();
  Node* Resolve(HKEY Key);
  Node* Root(HKEY Key);
  std::string Compose() const;

  std::map<std::uintptr_t, std::unique_ptr<Node>> roots_;
  struct OpenHandle {
    std::uintptr_t root = 0;
    std::vector<String> path;  // folded names below the root
  };
  std::map<std::uintptr_t, OpenHandle> handles_;
  std::uintptr_t nextHandle_ = 0x1000;
  bool loaded_ = false;
  bool modified_ = false;
};

// Shorthand for the test setter.
inline void SetRegistryStoreFileName(const String& FileName) { TRegistryStore::SetFileName(FileName); }
