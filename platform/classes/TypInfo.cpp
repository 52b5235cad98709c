#include "platform/classes/TypInfo.h"

#include <map>
#include <mutex>

#include "platform/rtl/String.h"

namespace {

bool SameName(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    Char x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x -= 32;
    if (y >= u'a' && y <= u'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

String Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\n' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n' || s.back() == '\t')) s.remove_suffix(1);
  return S(s);
}

[[noreturn]] void PropertyError(const char* format, const String& name) {
  std::string text = format;
  text.replace(text.find("%s"), 2, StringToUtf8(name));
  throw EPropertyError(text);
}

const TPropInfo& Require(TObject* instance, const String& name) {
  const TPropInfo* info = GetPropInfo(instance, name);
  if (!info) PropertyError("Property %s does not exist", name);
  return *info;
}

template <class F>
const F& Accessor(const TPropInfo& info, const F& fn) {
  if (!fn) PropertyError("Invalid property type: %s", info.Name);
  return fn;
}

}  // namespace

TEnumInfo::TEnumInfo(const char* typeName, const char* names) : typeName_(S(typeName)) {
  std::string_view rest(names);
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    std::string_view piece = rest.substr(0, comma);
    if (piece.find('=') != std::string_view::npos)
      throw EInvalidOperation("Enumeration " + std::string(typeName) +
                              " has explicit values: its names cannot be published");
    names_.push_back(Trimmed(piece));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
}

String TEnumInfo::Name(int value) const {
  if (value < 0 || value >= Count()) return {};
  return names_[value];
}

int TEnumInfo::Value(const String& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameName(names_[i], name)) return i;
  return -1;
}

const TEnumInfo& BooleanEnumInfo() {
  static const TEnumInfo info("Boolean", "False, True");
  return info;
}

String GetEnumName(const TEnumInfo& info, int value) { return info.Name(value); }
int GetEnumValue(const TEnumInfo& info, const String& name) { return info.Value(name); }

bool IdentToInt(const String& Ident, Integer& Int, const TIdentMapEntry* Map, int Count) {
  for (int i = 0; i < Count; ++i)
    if (SameName(S(Map[i].Name), Ident)) {
      Int = Map[i].Value;
      return true;
    }
  return false;
}

bool IntToIdent(Integer Int, String& Ident, const TIdentMapEntry* Map, int Count) {
  for (int i = 0; i < Count; ++i)
    if (Map[i].Value == Int) {
      Ident = S(Map[i].Name);
      return true;
    }
  return false;
}

bool TPropInfo::ReadOnly() const {
  switch (Kind) {
    case tkFloat:
      return !SetFloat;
    case tkString:
      return !SetStr;
    case tkClass:
      return !SetObject;
    case tkMethod:
      return !SetMethod;
    case tkVariant:
      return !SetVariant;
    default:
      return !SetOrd;
  }
}

bool TPropInfo::IsStored(TObject* instance) const { return StoredProc ? StoredProc(instance) : StoredFlag; }

bool TPropInfo::IsDefaultValue(TObject* instance) const {
  switch (Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
      return HasDefault && GetOrd(instance) == OrdDefault;
    case tkInt64:
      return GetOrd(instance) == (HasDefault ? OrdDefault : 0);
    case tkFloat:
      return GetFloat(instance) == (HasDefault ? FloatDefault : 0.0);
    case tkString:
      return GetStr(instance).empty();
    case tkMethod:
      return !GetMethod(instance);
    case tkClass:
      return GetObject(instance) == nullptr;
    case tkVariant:
      return VarIsEmpty(GetVariant(instance));
    default:
      return false;
  }
}

const TPropInfo* TPropList::Find(const String& name) const {
  for (const auto& p : props_)
    if (SameName(p->Name, name)) return p.get();
  return nullptr;
}

const TMethodInfo* TPropList::FindMethod(const String& name) const {
  // Descendants' methods come last and win.
  for (auto it = methods_.rbegin(); it != methods_.rend(); ++it)
    if (SameName((*it)->Name, name)) return it->get();
  return nullptr;
}

const TFieldInfo* TPropList::FindField(const String& name) const {
  for (auto it = fields_.rbegin(); it != fields_.rend(); ++it)
    if (SameName((*it)->Name, name)) return it->get();
  return nullptr;
}

void TPropList::AddField(TFieldInfo info) {
  fields_.push_back(std::make_shared<TFieldInfo>(std::move(info)));
}

TPropInfo& TPropList::Add(TPropInfo info) {
  auto added = std::make_shared<TPropInfo>(std::move(info));
  for (auto& p : props_)
    if (SameName(p->Name, added->Name)) {
      p = added;
      return *added;
    }
  props_.push_back(added);
  return *added;
}

void TPropList::AddMethod(TMethodInfo info) {
  methods_.push_back(std::make_shared<TMethodInfo>(std::move(info)));
}

const TPropList& GetPropList(TClass cls) {
  static std::recursive_mutex mutex;
  static std::map<TClass, std::unique_ptr<TPropList>> lists;
  std::lock_guard lock(mutex);
  auto it = lists.find(cls);
  if (it != lists.end()) return *it->second;
  auto list = std::make_unique<TPropList>();
  if (cls->ClassParent()) *list = GetPropList(cls->ClassParent());
  if (auto publish = cls->Publisher()) publish(*list);
  return *lists.emplace(cls, std::move(list)).first->second;
}

const TPropInfo* GetPropInfo(TClass cls, const String& name) { return GetPropList(cls).Find(name); }

const TPropInfo* GetPropInfo(const TObject* instance, const String& name) {
  return GetPropInfo(instance->ClassType(), name);
}

bool IsPublishedProp(const TObject* instance, const String& name) { return GetPropInfo(instance, name); }

const TMethodInfo* FindMethod(TClass cls, const String& name) { return GetPropList(cls).FindMethod(name); }

const TFieldInfo* FindField(TClass cls, const String& name) { return GetPropList(cls).FindField(name); }

Int64 GetOrdProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  return Accessor(p, p.GetOrd)(instance);
}

void SetOrdProp(TObject* instance, const String& name, Int64 value) {
  const TPropInfo& p = Require(instance, name);
  Accessor(p, p.SetOrd)(instance, value);
}

String GetEnumProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  if (p.Kind != tkEnumeration) PropertyError("Invalid property type: %s", name);
  return p.Enum->Name(static_cast<int>(p.GetOrd(instance)));
}

void SetEnumProp(TObject* instance, const String& name, const String& value) {
  const TPropInfo& p = Require(instance, name);
  if (p.Kind != tkEnumeration) PropertyError("Invalid property type: %s", name);
  int v = p.Enum->Value(value);
  if (v < 0) PropertyError("Invalid property element: %s", value);
  Accessor(p, p.SetOrd)(instance, v);
}

String GetSetProp(TObject* instance, const String& name, bool brackets) {
  const TPropInfo& p = Require(instance, name);
  if (p.Kind != tkSet) PropertyError("Invalid property type: %s", name);
  UInt64 bits = static_cast<UInt64>(p.GetOrd(instance));
  String result;
  for (int i = 0; i < 64 && i < p.Enum->Count(); ++i)
    if (bits & (UInt64(1) << i)) {
      if (!result.empty()) result += u',';
      result += p.Enum->Name(i);
    }
  return brackets ? u"[" + result + u"]" : result;
}

void SetSetProp(TObject* instance, const String& name, const String& value) {
  const TPropInfo& p = Require(instance, name);
  if (p.Kind != tkSet) PropertyError("Invalid property type: %s", name);
  UInt64 bits = 0;
  std::string text = StringToUtf8(value);
  if (!text.empty() && text.front() == '[') text.erase(0, 1);
  if (!text.empty() && text.back() == ']') text.pop_back();
  std::string_view rest(text);
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    String element = Trimmed(rest.substr(0, comma));
    if (!element.empty()) {
      int v = p.Enum->Value(element);
      if (v < 0) PropertyError("Invalid property element: %s", element);
      bits |= UInt64(1) << v;
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  Accessor(p, p.SetOrd)(instance, static_cast<Int64>(bits));
}

double GetFloatProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  return Accessor(p, p.GetFloat)(instance);
}

void SetFloatProp(TObject* instance, const String& name, double value) {
  const TPropInfo& p = Require(instance, name);
  Accessor(p, p.SetFloat)(instance, value);
}

String GetStrProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  return Accessor(p, p.GetStr)(instance);
}

void SetStrProp(TObject* instance, const String& name, const String& value) {
  const TPropInfo& p = Require(instance, name);
  Accessor(p, p.SetStr)(instance, value);
}

TObject* GetObjectProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  return Accessor(p, p.GetObject)(instance);
}

void SetObjectProp(TObject* instance, const String& name, TObject* value) {
  const TPropInfo& p = Require(instance, name);
  Accessor(p, p.SetObject)(instance, value);
}

Variant GetVariantProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  return Accessor(p, p.GetVariant)(instance);
}

void SetVariantProp(TObject* instance, const String& name, const Variant& value) {
  const TPropInfo& p = Require(instance, name);
  Accessor(p, p.SetVariant)(instance, value);
}

TMethodRef GetMethodProp(TObject* instance, const String& name) {
  const TPropInfo& p = Require(instance, name);
  return Accessor(p, p.GetMethod)(instance);
}

void SetMethodProp(TObject* instance, const String& name, const TMethodRef& value) {
  const TPropInfo& p = Require(instance, name);
  Accessor(p, p.SetMethod)(instance, value);
}
