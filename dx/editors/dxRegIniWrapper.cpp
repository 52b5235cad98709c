#include "dx/editors/dxRegIniWrapper.h"

#include <memory>

#include "platform/classes/StringList.h"

TRENVIK_IMPLEMENT_CLASS(TdxRegIniWrapper)

namespace {

EInvalidOperation NoStore() { return EInvalidOperation("The storage wrapper has no INI file or registry store"); }

// Makes a key current for one operation; the previous current key comes back and the key is
// closed on every path.
class TCurrentKeyScope {
 public:
  TCurrentKeyScope(TRegistry& Registry, HKEY Key) : registry_(Registry), previous_(Registry.CurrentKey()), key_(Key) {
    registry_.SetCurrentKey(key_);
  }
  ~TCurrentKeyScope() {
    registry_.SetCurrentKey(previous_);
    TRegistry::CloseHandle(key_);
  }
  TCurrentKeyScope(const TCurrentKeyScope&) = delete;
  TCurrentKeyScope& operator=(const TCurrentKeyScope&) = delete;

 private:
  TRegistry& registry_;
  HKEY previous_;
  HKEY key_;
};

}  // namespace

String TdxRegIniWrapper::ReadString(const String& Section, const String& Ident, const String& Default) {
  if (auto* ini = Ini()) return ini->ReadString(Section, Ident, Default);
  if (auto* reg = Registry()) return reg->ReadString(Section, Ident, Default);
  throw NoStore();
}

void TdxRegIniWrapper::WriteString(const String& Section, const String& Ident, const String& Value) {
  if (auto* ini = Ini()) return ini->WriteString(Section, Ident, Value);
  if (auto* reg = Registry()) return reg->WriteString(Section, Ident, Value);
  throw NoStore();
}

Integer TdxRegIniWrapper::ReadInteger(const String& Section, const String& Ident, Integer Default) {
  if (auto* ini = Ini()) return ini->ReadInteger(Section, Ident, Default);
  if (auto* reg = Registry()) return reg->ReadInteger(Section, Ident, Default);
  throw NoStore();
}

Integer TdxRegIniWrapper::ReadExtent(const String& Section, const String& Ident, Integer Default, Integer Min) {
  const Integer stored = ReadInteger(Section, Ident, Default);
  return stored >= Min && stored <= kMaxStoredExtent ? stored : Default;
}

void TdxRegIniWrapper::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  if (auto* ini = Ini()) return ini->WriteInteger(Section, Ident, Value);
  if (auto* reg = Registry()) return reg->WriteInteger(Section, Ident, Value);
  throw NoStore();
}

bool TdxRegIniWrapper::ReadBool(const String& Section, const String& Ident, bool Default) {
  if (auto* ini = Ini()) return ini->ReadBool(Section, Ident, Default);
  if (auto* reg = Registry()) return reg->ReadBool(Section, Ident, Default);
  throw NoStore();
}

void TdxRegIniWrapper::WriteBool(const String& Section, const String& Ident, bool Value) {
  if (auto* ini = Ini()) return ini->WriteBool(Section, Ident, Value);
  if (auto* reg = Registry()) return reg->WriteBool(Section, Ident, Value);
  throw NoStore();
}

void TdxRegIniWrapper::ReadSection(const String& Section, TStrings* Strings) {
  if (auto* ini = Ini()) return ini->ReadSection(Section, Strings);
  if (auto* reg = Registry()) return reg->ReadSection(Section, Strings);
  throw NoStore();
}

void TdxRegIniWrapper::ReadSections(TStrings* Strings) {
  if (auto* ini = Ini()) return ini->ReadSections(Strings);
  if (auto* reg = Registry()) return reg->ReadSections(Strings);
  throw NoStore();
}

void TdxRegIniWrapper::EraseSection(const String& Section) {
  if (auto* ini = Ini()) return ini->EraseSection(Section);
  if (auto* reg = Registry()) return reg->EraseSection(Section);
  throw NoStore();
}

void TdxRegIniWrapper::EraseSectionsByPrefix(const String& Prefix) {
  TCustomIniFile* ini = Ini();
  if (!ini) return;
  auto sections = std::make_unique<TStringList>();
  ini->ReadSections(sections.get());
  for (int i = 0; i < sections->Count(); ++i) {
    const String name = sections->Strings(i);
    if (name.compare(0, Prefix.size(), Prefix) == 0) ini->EraseSection(name);
  }
}

int TdxRegIniWrapper::ReadBinaryData(const String& Key, const String& Name, int BufSize, void* Buffer) {
  TRegIniFile* reg = Registry();
  if (!reg) return 0;
  HKEY key = reg->GetKey(Key);
  if (!key) return 0;
  TCurrentKeyScope scope(*reg, key);
  if (!reg->ValueExists(Name)) return 0;
  if (BufSize <= 0) return reg->GetDataSize(Name);
  return reg->ReadBinaryData(Name, Buffer, BufSize);
}

void TdxRegIniWrapper::WriteBinaryData(const String& Key, const String& Name, int BufSize, const void* Buffer) {
  TRegIniFile* reg = Registry();
  if (!reg) return;
  reg->CreateKey(Key);
  HKEY key = reg->GetKey(Key);
  if (!key) return;
  TCurrentKeyScope scope(*reg, key);
  reg->WriteBinaryData(Name, Buffer, BufSize);
}
