#include "platform/classes/Registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/classes/StringList.h"
#include "platform/classes/Updating.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TRegistry)
TRENVIK_IMPLEMENT_CLASS(TRegIniFile)

namespace {

TRegistryStore& Store() { return TRegistryStore::Instance(); }

bool IsRelative(const String& key) { return key.empty() || key[0] != u'\\'; }

String WithoutLeadingDelimiter(const String& key) { return IsRelative(key) ? key : key.substr(1); }

// The parts of base and of path joined by single backslashes, empty parts dropped.
String JoinPath(const String& base, const String& path) {
  String out;
  for (const String* part : {&base, &path}) {
    size_t p = 0;
    while (p <= part->size()) {
      const size_t q = std::min(part->find(u'\\', p), part->size());
      if (q > p) {
        if (!out.empty()) out.push_back(u'\\');
        out.append(*part, p, q - p);
      }
      p = q + 1;
    }
  }
  return out;
}

TRegDataType DataTypeOf(DWORD kind) {
  switch (kind) {
    case REG_SZ:
      return rdString;
    case REG_EXPAND_SZ:
      return rdExpandString;
    case REG_DWORD:
      return rdInteger;
    case REG_BINARY:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

void FillStrings(TStrings* strings, const std::vector<String>& names) {
  WithUpdate(*strings, [&] {
    strings->Clear();
    for (const String& name : names) strings->Add(name);
  });
}

}  // namespace

// TRegistry

TRegistry::TRegistry() : rootKey_(HKEY_CURRENT_USER) {}

TRegistry::~TRegistry() {
  CloseCurrent();
  try {
    Flush();
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
}

void TRegistry::SetRootKey(HKEY Value) {
  if (rootKey_ == Value) return;
  CloseCurrent();
  rootKey_ = Value;
}

HKEY TRegistry::BaseKey(bool Relative) const { return currentKey_ && Relative ? currentKey_ : rootKey_; }

void TRegistry::CloseHandle(HKEY Key) {
  if (Key) Store().CloseKey(Key);
}

void TRegistry::CloseCurrent() {
  CloseHandle(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
  readOnly_ = false;
}

void TRegistry::Flush() { Store().Flush(); }

void TRegistry::CloseKey() {
  CloseCurrent();
  Flush();
}

void TRegistry::ChangeKey(HKEY Value, const String& Path) {
  CloseCurrent();
  currentKey_ = Value;
  currentPath_ = Path;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  const bool relative = IsRelative(Key);
  const String path = WithoutLeadingDelimiter(Key);
  HKEY key = Store().OpenKey(BaseKey(relative), path, CanCreate);
  if (!key) return false;
  ChangeKey(key, JoinPath(currentKey_ && relative ? currentPath_ : String(), path));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  if (!OpenKey(Key, false)) return false;
  readOnly_ = true;
  return true;
}

HKEY TRegistry::GetKey(const String& Key) {
  const bool relative = IsRelative(Key);
  return Store().OpenKey(BaseKey(relative), WithoutLeadingDelimiter(Key), false);
}

bool TRegistry::KeyExists(const String& Key) {
  const bool relative = IsRelative(Key);
  return Store().KeyExists(BaseKey(relative), WithoutLeadingDelimiter(Key));
}

bool TRegistry::CreateKey(const String& Key) {
  const bool relative = IsRelative(Key);
  HKEY key = Store().OpenKey(BaseKey(relative), WithoutLeadingDelimiter(Key), true);
  if (!key) throw ERegistryException(u"Failed to create key " + Key);
  Store().CloseKey(key);
  return true;
}

bool TRegistry::DeleteKey(const String& Key) {
  const bool relative = IsRelative(Key);
  return Store().DeleteKey(BaseKey(relative), WithoutLeadingDelimiter(Key));
}

bool TRegistry::HasSubKeys() {
  std::vector<String> names;
  return currentKey_ && Store().GetKeyNames(currentKey_, names) && !names.empty();
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  std::vector<String> names;
  if (currentKey_) Store().GetKeyNames(currentKey_, names);
  FillStrings(Strings, names);
}

void TRegistry::GetValueNames(TStrings* Strings) {
  std::vector<String> names;
  if (currentKey_) Store().GetValueNames(currentKey_, names);
  FillStrings(Strings, names);
}

bool TRegistry::GetDataInfo(const String& ValueName, TRegDataInfo& Value) {
  Value = TRegDataInfo{};
  const TRegValue* value = currentKey_ ? Store().QueryValue(currentKey_, ValueName) : nullptr;
  if (!value) return false;
  Value.RegData = DataTypeOf(value->Kind);
  Value.DataSize = value->DataSize();
  return true;
}

bool TRegistry::ValueExists(const String& Name) {
  TRegDataInfo info;
  return GetDataInfo(Name, info);
}

bool TRegistry::DeleteValue(const String& Name) {
  if (!currentKey_ || readOnly_) return false;
  return Store().DeleteValue(currentKey_, Name);
}

int TRegistry::GetDataSize(const String& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const String& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.RegData : rdUnknown;
}

void TRegistry::ReadError(const String& Name) {
  throw ERegistryException(u"Invalid data type for '" + Name + u"'");
}

const TRegValue& TRegistry::GetData(const String& Name) {
  const TRegValue* value = currentKey_ ? Store().QueryValue(currentKey_, Name) : nullptr;
  if (!value) throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  return *value;
}

void TRegistry::PutData(const String& Name, TRegValue Value) {
  if (!currentKey_ || readOnly_ || !Store().SetValue(currentKey_, Name, std::move(Value)))
    throw ERegistryException(u"Failed to set data for '" + Name + u"'");
}

String TRegistry::ReadString(const String& Name) {
  if (GetDataSize(Name) <= 0) return String();
  const TRegValue& value = GetData(Name);
  if (value.Kind != REG_SZ && value.Kind != REG_EXPAND_SZ) ReadError(Name);
  return value.Text;
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  TRegValue value;
  value.Kind = REG_SZ;
  value.Text = Value;
  PutData(Name, std::move(value));
}

void TRegistry::WriteExpandString(const String& Name, const String& Value) {
  TRegValue value;
  value.Kind = REG_EXPAND_SZ;
  value.Text = Value;
  PutData(Name, std::move(value));
}

Integer TRegistry::ReadInteger(const String& Name) {
  const TRegValue& value = GetData(Name);
  if (value.Kind != REG_DWORD) ReadError(Name);
  return static_cast<Integer>(value.Number);
}

void TRegistry::WriteInteger(const String& Name, Integer Value) {
  TRegValue value;
  value.Kind = REG_DWORD;
  value.Number = static_cast<DWORD>(Value);
  PutData(Name, std::move(value));
}

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

double TRegistry::ReadFloat(const String& Name) {
  const TRegValue& value = GetData(Name);
  if (value.Kind != REG_BINARY || value.Data.size() != sizeof(double)) ReadError(Name);
  double result = 0;
  std::memcpy(&result, value.Data.data(), sizeof result);
  return result;
}

void TRegistry::WriteFloat(const String& Name, double Value) { WriteBinaryData(Name, &Value, sizeof Value); }

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize) {
  TRegDataInfo info;
  if (!GetDataInfo(Name, info)) return 0;
  if ((info.RegData != rdBinary && info.RegData != rdUnknown) || info.DataSize > BufSize) ReadError(Name);
  const TRegValue& value = GetData(Name);
  if (!value.Data.empty()) std::memcpy(Buffer, value.Data.data(), value.Data.size());
  return info.DataSize;
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, int BufSize) {
  TRegValue value;
  value.Kind = REG_BINARY;
  if (BufSize > 0) {
    const Byte* bytes = static_cast<const Byte*>(Buffer);
    value.Data.assign(bytes, bytes + BufSize);
  }
  PutData(Name, std::move(value));
}

// TRegIniFile

TRegIniFile::TRegIniFile(const String& FileName) : fileName_(FileName) { OpenKey(FileName, true); }

template <class Work>
bool TRegIniFile::InSection(const String& Section, bool Create, Work work) {
  if (Section.empty()) {
    work();
    return true;
  }
  if (Create) CreateKey(Section);
  HKEY key = GetKey(Section);
  if (!key) return false;
  const HKEY old = CurrentKey();
  SetCurrentKey(key);
  try {
    work();
  } catch (...) {
    SetCurrentKey(old);
    CloseHandle(key);
    throw;
  }
  SetCurrentKey(old);
  CloseHandle(key);
  return true;
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  String result = Default;
  InSection(Section, false, [&] {
    if (ValueExists(Ident)) result = TRegistry::ReadString(Ident);
  });
  return result;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  InSection(Section, true, [&] { TRegistry::WriteString(Ident, Value); });
  Flush();
}

Integer TRegIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) {
  Integer result = Default;
  InSection(Section, false, [&] {
    if (!ValueExists(Ident)) return;
    if (GetDataType(Ident) == rdString)
      result = StrToIntDef(TRegistry::ReadString(Ident), Default);
    else
      result = TRegistry::ReadInteger(Ident);
  });
  return result;
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegIniFile::ReadSection(const String& Section, TStrings* Strings) {
  if (!InSection(Section, false, [&] { GetValueNames(Strings); })) Strings->Clear();
}

void TRegIniFile::ReadSections(TStrings* Strings) { GetKeyNames(Strings); }

void TRegIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  TStringList names;
  ReadSection(Section, &names);
  WithUpdate(*Strings, [&] {
    Strings->Clear();
    for (int i = 0; i < names.Count(); ++i) {
      const String name = names.Strings(i);
      Strings->Add(name + u"=" + ReadString(Section, name, String()));
    }
  });
}

void TRegIniFile::EraseSection(const String& Section) {
  if (TRegistry::DeleteKey(Section)) Flush();
}

void TRegIniFile::DeleteKey(const String& Section, const String& Ident) {
  bool deleted = false;
  InSection(Section, false, [&] { deleted = DeleteValue(Ident); });
  if (deleted) Flush();
}
