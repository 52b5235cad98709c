// The framework's registry classes over the registry store (RegistryStore.h).
//
// Saving: changes go to the store in memory and reach its file (atomically) when a TRegistry
// closes its key with CloseKey, at each INI-style write of TRegIniFile, and when a TRegistry is
// destroyed. CloseKey and the TRegIniFile writes raise ERegistryException when the file cannot be
// written; a destructor cannot raise, so it reports the failure on the standard error and leaves
// the changes pending for the next save. Call CloseKey before freeing when the error matters.
#pragma once

#include "platform/classes/RegistryStore.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  int DataSize = 0;
};

class TRegistry : public TObject {
  TRENVIK_CLASS(TRegistry, TObject);

 public:
  // Root HKEY_CURRENT_USER, no key open.
  TRegistry();
  ~TRegistry() override;

  HKEY RootKey() const { return rootKey_; }
  // Closes the open key.
  void SetRootKey(HKEY Value);
  // 0 when no key is open.
  HKEY CurrentKey() const { return currentKey_; }
  // The open key's path below the root ("Software\Trenvik"), empty when none.
  const String& CurrentPath() const { return currentPath_; }

  // Key names starting with '\' are below the root; others below the open key (or the root when
  // none is open).
  bool OpenKey(const String& Key, bool CanCreate);
  // Opens an existing key; writes through it fail.
  bool OpenKeyReadOnly(const String& Key);
  // Closes the open key and saves the store's changes.
  void CloseKey();
  bool KeyExists(const String& Key);
  // Creates the key (nothing when it exists); raises "Failed to create key <Key>" when it cannot.
  bool CreateKey(const String& Key);
  // Deletes the key with its sub-keys; false when it does not exist.
  bool DeleteKey(const String& Key);
  bool HasSubKeys();
  // Of the open key; the lists are cleared first.
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);

  bool ValueExists(const String& Name);
  bool DeleteValue(const String& Name);
  bool GetDataInfo(const String& ValueName, TRegDataInfo& Value);
  // -1 when the value does not exist.
  int GetDataSize(const String& ValueName);
  TRegDataType GetDataType(const String& ValueName);

  // Reads raise ERegistryException "Failed to get data for '<Name>'" for a missing value (except
  // ReadString, which answers "", and ReadBinaryData, which answers 0) and "Invalid data type for
  // '<Name>'" for a value of another kind. Writes raise "Failed to set data for '<Name>'" when no
  // key is open or it was opened read-only.
  String ReadString(const String& Name);
  void WriteString(const String& Name, const String& Value);
  void WriteExpandString(const String& Name, const String& Value);
  Integer ReadInteger(const String& Name);
  void WriteInteger(const String& Name, Integer Value);
  // An integer value; non-zero reads true.
  bool ReadBool(const String& Name);
  void WriteBool(const String& Name, bool Value);
  // 8 bytes of binary data.
  double ReadFloat(const String& Name);
  void WriteFloat(const String& Name, double Value);
  TDateTime ReadDateTime(const String& Name) { return ReadFloat(Name); }
  TDateTime ReadDate(const String& Name) { return ReadFloat(Name); }
  TDateTime ReadTime(const String& Name) { return ReadFloat(Name); }
  void WriteDateTime(const String& Name, TDateTime Value) { WriteFloat(Name, Value); }
  void WriteDate(const String& Name, TDateTime Value) { WriteFloat(Name, Value); }
  void WriteTime(const String& Name, TDateTime Value) { WriteFloat(Name, Value); }
  // The value's size in bytes, copied into Buffer; 0 when it does not exist. A value of another
  // kind or larger than BufSize raises the invalid-data-type error.
  int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
  void WriteBinaryData(const String& Name, const void* Buffer, int BufSize);

  // For code that works on a key temporarily: opens Key (as OpenKey does, without creating) and
  // answers its handle, 0 when it does not exist; the caller closes it with CloseHandle.
  HKEY GetKey(const String& Key);
  static void CloseHandle(HKEY Key);
  // Makes Key current without closing the previous one and without changing CurrentPath.
  void SetCurrentKey(HKEY Value) { currentKey_ = Value; }

 protected:
  // The store's changes to its file (raises ERegistryException).
  static void Flush();

 private:
  HKEY BaseKey(bool Relative) const;
  void ChangeKey(HKEY Value, const String& Path);
  void CloseCurrent();
  void PutData(const String& Name, TRegValue Value);
  const TRegValue& GetData(const String& Name);
  [[noreturn]] static void ReadError(const String& Name);

  HKEY rootKey_;
  HKEY currentKey_ = nullptr;
  String currentPath_;
  bool readOnly_ = false;
};

// A TRegistry with the INI files' interface: sections are sub-keys of the key opened at creation
// (a section starting with '\' is below the root), idents are values. Integers and booleans are
// stored as text ("12", "1"), as INI files hold them; reads also accept integer values.
class TRegIniFile : public TRegistry {
  TRENVIK_CLASS(TRegIniFile, TRegistry);

 public:
  // Opens (creating) FileName below HKEY_CURRENT_USER.
  explicit TRegIniFile(const String& FileName);

  const String& FileName() const { return fileName_; }

  String ReadString(const String& Section, const String& Ident, const String& Default);
  void WriteString(const String& Section, const String& Ident, const String& Value);
  // Text that is not an integer reads the default.
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // The value names of the section's key.
  void ReadSection(const String& Section, TStrings* Strings);
  // The sub-keys of the current key.
  void ReadSections(TStrings* Strings);
  // "Name=Value" for each value of the section's key.
  void ReadSectionValues(const String& Section, TStrings* Strings);
  // Deletes the section's key with everything below it.
  void EraseSection(const String& Section);
  void DeleteKey(const String& Section, const String& Ident);

  using TRegistry::DeleteKey;
  using TRegistry::ReadBool;
  using TRegistry::ReadInteger;
  using TRegistry::ReadString;
  using TRegistry::WriteBool;
  using TRegistry::WriteInteger;
  using TRegistry::WriteString;

 private:
  // Runs work with the section's key current (created first when Create); false when the key does
  // not exist.
  template <class Work>
  bool InSection(const String& Section, bool Create, Work work);

  String fileName_;
};
