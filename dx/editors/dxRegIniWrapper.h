// One layout reader and writer over three stores: an INI file, an INI file in memory, or the
// registry with INI-style access. Each operation calls the matching one of the wrapped store.
#pragma once

#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"

class TdxRegIniWrapper : public TObject {
  TRENVIK_CLASS(TdxRegIniWrapper, TObject);

 public:
  TdxRegIniWrapper() = default;

  // The store is the caller's: made before the wrapper, freed after it.
  TObject* IniObject() const { return store_; }
  void SetIniObject(TObject* Value) { store_ = Value; }

  String ReadString(const String& Section, const String& Ident, const String& Default);
  void WriteString(const String& Section, const String& Ident, const String& Value);
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  // A stored size or position in pixels: Default when the stored value lies below Min or above
  // kMaxStoredExtent (more than any screen shows), so a damaged layout keeps the designed value.
  static constexpr Integer kMaxStoredExtent = 16384;
  Integer ReadExtent(const String& Section, const String& Ident, Integer Default, Integer Min = 0);
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  void ReadSection(const String& Section, TStrings* Strings);
  void ReadSections(TStrings* Strings);
  void EraseSection(const String& Section);
  // INI stores: every section whose name starts with Prefix (case-sensitive); the registry: nothing.
  void EraseSectionsByPrefix(const String& Prefix);
  // Raw bytes, on the registry only (INI stores answer 0 and write nothing). BufSize 0 or less asks
  // for the size of the value.
  int ReadBinaryData(const String& Key, const String& Name, int BufSize, void* Buffer);
  void WriteBinaryData(const String& Key, const String& Name, int BufSize, const void* Buffer);

 private:
  TCustomIniFile* Ini() const { return dynamic_cast<TCustomIniFile*>(store_); }
  TRegIniFile* Registry() const { return dynamic_cast<TRegIniFile*>(store_); }
  TObject* store_ = nullptr;
};
