// Reading the binary component stream. Every length is checked against the bytes left before
// anything is allocated, so a truncated or corrupt stream ends in EReadError, never past the end.
#include <bit>
#include <cstring>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Extended.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

static_assert(std::endian::native == std::endian::little, "the stream layout is little-endian");

TRENVIK_IMPLEMENT_CLASS(TFiler)
TRENVIK_IMPLEMENT_CLASS(TReader)

namespace {

// Deeper nesting than any form has: a corrupt stream must not exhaust the stack.
constexpr int kMaxDepth = 200;

[[noreturn]] void ReadError(const std::string& message) { throw EReadError(message); }

[[noreturn]] void StreamReadError() { ReadError("Stream read error"); }

std::string Utf8(const String& s) { return StringToUtf8(s); }

}  // namespace

TReader::TReader(TStream* Stream) : TFiler(Stream) {}

TReader::~TReader() = default;

void TReader::Read(void* Buffer, Int64 Count) {
  CheckRemaining(Count);
  stream_->ReadBuffer(Buffer, Count);
}

void TReader::CheckRemaining(Int64 count) {
  if (count < 0 || count > stream_->Size() - stream_->Position()) StreamReadError();
}

void TReader::Enter() {
  if (++depth_ > kMaxDepth) {
    depth_ = 0;
    ReadError("Invalid stream format");
  }
}

void TReader::ReadSignature() {
  Byte signature[4];
  Read(signature, 4);
  if (std::memcmp(signature, FilerSignature, 4) != 0) ReadError("Invalid stream format");
}

TValueType TReader::ReadValue() {
  Byte b;
  Read(&b, 1);
  if (b > vaDouble) ReadError("Invalid stream format");
  return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
  TValueType result = ReadValue();
  stream_->Seek(-1, soFromCurrent);
  return result;
}

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value) {
    stream_->Seek(-1, soFromCurrent);
    SkipValue();
    PropValueError();
  }
}

// Only the end marker is looked for: what follows may as well be a component, whose class name's
// length byte is no value type.
bool TReader::EndOfList() {
  Byte b;
  Read(&b, 1);
  stream_->Seek(-1, soFromCurrent);
  return b == vaNull;
}

void TReader::ReadListBegin() { CheckValue(vaList); }

void TReader::ReadListEnd() { CheckValue(vaNull); }

void TReader::PropValueError() { ReadError("Invalid property value"); }

Integer TReader::ReadInt32Raw() {
  Integer v;
  Read(&v, 4);
  return v;
}

String TReader::ReadStr() {
  Byte length;
  Read(&length, 1);
  std::string bytes(length, '\0');
  Read(bytes.data(), length);
  return Utf8ToString(bytes);
}

String TReader::ReadString() {
  TValueType type = ReadValue();
  switch (type) {
    case vaString: {
      Byte length;
      Read(&length, 1);
      AnsiString bytes(length, '\0');
      Read(bytes.data(), length);
      return AnsiToString(bytes);
    }
    case vaLString:
    case vaUTF8String: {
      Integer length = ReadInt32Raw();
      CheckRemaining(length);
      std::string bytes(static_cast<size_t>(length), '\0');
      Read(bytes.data(), length);
      return type == vaLString ? AnsiToString(bytes) : Utf8ToString(bytes);
    }
    case vaWString: {
      Integer count = ReadInt32Raw();
      if (count < 0) StreamReadError();
      CheckRemaining(Int64(count) * 2);
      String text(static_cast<size_t>(count), u'\0');
      Read(text.data(), Int64(count) * 2);
      return text;
    }
    default:
      stream_->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

Int64 TReader::ReadInt64() {
  switch (ReadValue()) {
    case vaInt8: {
      ShortInt v;
      Read(&v, 1);
      return v;
    }
    case vaInt16: {
      SmallInt v;
      Read(&v, 2);
      return v;
    }
    case vaInt32:
      return ReadInt32Raw();
    case vaInt64: {
      Int64 v;
      Read(&v, 8);
      return v;
    }
    default:
      stream_->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

Integer TReader::ReadInteger() {
  if (NextValue() == vaInt64) PropValueError();
  return static_cast<Integer>(ReadInt64());
}

bool TReader::ReadBoolean() {
  TValueType type = ReadValue();
  if (type == vaTrue) return true;
  if (type == vaFalse) return false;
  stream_->Seek(-1, soFromCurrent);
  PropValueError();
}

Char TReader::ReadChar() {
  TValueType type = NextValue();
  if (type != vaString && type != vaWString && type != vaLString && type != vaUTF8String) PropValueError();
  String s = ReadString();
  if (s.size() != 1) PropValueError();
  return s[0];
}

double TReader::ReadFloat() {
  switch (ReadValue()) {
    case vaExtended: {
      TExtended80 bytes;
      Read(bytes.data(), 10);
      return ExtendedToDouble(bytes);
    }
    case vaDouble:
    case vaDate: {
      double v;
      Read(&v, 8);
      return v;
    }
    case vaSingle: {
      float v;
      Read(&v, 4);
      return v;
    }
    case vaCurrency: {
      Int64 v;
      Read(&v, 8);
      return static_cast<double>(v) / 10000.0;
    }
    default:
      stream_->Seek(-1, soFromCurrent);
      return static_cast<double>(ReadInt64());
  }
}

String TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return u"False";
    case vaTrue:
      return u"True";
    case vaNil:
      return u"nil";
    case vaNull:
      return u"Null";
    default:
      stream_->Seek(-1, soFromCurrent);
      PropValueError();
  }
}

Variant TReader::ReadVariant() {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      return Variant();
    case vaNull:
      ReadValue();
      return Null();
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return ReadInteger();
    case vaInt64:
      return ReadInt64();
    case vaExtended:
    case vaDouble:
      return ReadFloat();
    case vaSingle:
      return static_cast<float>(ReadFloat());
    case vaCurrency: {
      ReadValue();
      Int64 scaled;
      Read(&scaled, 8);
      return Currency::FromScaled(scaled);
    }
    case vaDate:
      return VarFromDateTime(ReadFloat());
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String:
      return ReadString();
    case vaFalse:
    case vaTrue:
      return ReadBoolean();
    case vaList: {
      Enter();
      ReadValue();
      std::vector<Variant> items;
      while (!EndOfList()) items.push_back(ReadVariant());
      ReadListEnd();
      Leave();
      return VarArrayOf(items);
    }
    default:
      SkipValue();
      PropValueError();
  }
}

void TReader::SkipValue() {
  auto skip = [this](Int64 count) {
    CheckRemaining(count);
    stream_->Seek(count, soFromCurrent);
  };
  switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      break;
    case vaList:
      Enter();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      Leave();
      break;
    case vaInt8:
      skip(1);
      break;
    case vaInt16:
      skip(2);
      break;
    case vaInt32:
    case vaSingle:
      skip(4);
      break;
    case vaInt64:
    case vaDouble:
    case vaDate:
    case vaCurrency:
      skip(8);
      break;
    case vaExtended:
      skip(10);
      break;
    case vaString:
    case vaIdent:
      ReadStr();
      break;
    case vaLString:
    case vaUTF8String:
    case vaBinary:
      skip(ReadInt32Raw());
      break;
    case vaWString:
      skip(Int64(ReadInt32Raw()) * 2);
      break;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      Enter();
      while (!EndOfList()) {
        TValueType t = NextValue();
        if (t == vaInt8 || t == vaInt16 || t == vaInt32) ReadInteger();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      Leave();
      break;
  }
}

void TReader::ReadPrefix(Byte& Flags, Integer& ChildPos) {
  Flags = 0;
  ChildPos = 0;
  Byte b;
  Read(&b, 1);
  if ((b & 0xF0) != 0xF0) {
    stream_->Seek(-1, soFromCurrent);
    return;
  }
  Flags = b & 0x0F;
  if (Flags & ffChildPos) ChildPos = ReadInteger();
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (propHandled_ || !ReadData || !SameText(Name, propName_)) return;
  propHandled_ = true;
  ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (propHandled_ || !ReadData || !SameText(Name, propName_)) return;
  propHandled_ = true;
  CheckValue(vaBinary);
  Integer size = ReadInt32Raw();
  CheckRemaining(size);
  TMemoryStream data;
  data.SetSize(size);
  Read(data.Memory(), size);
  data.SetPosition(0);
  ReadData(&data);
}

void TReader::ReadProperty(TPersistent* Instance) {
  const String fullName = ReadStr();
  auto noProperty = [&]() { ReadError("Property " + Utf8(fullName) + " does not exist"); };
  TPersistent* target = Instance;
  size_t start = 0;
  for (size_t dot = fullName.find(u'.'); dot != String::npos; dot = fullName.find(u'.', start)) {
    const TPropInfo* prop = GetPropInfo(target, fullName.substr(start, dot - start));
    if (!prop || prop->Kind != tkClass) noProperty();
    target = dynamic_cast<TPersistent*>(prop->GetObject(target));
    if (!target) noProperty();
    start = dot + 1;
  }
  const String name = fullName.substr(start);
  if (const TPropInfo* prop = GetPropInfo(target, name)) {
    ReadPropValue(target, *prop);
    return;
  }
  propName_ = name;
  propHandled_ = false;
  target->DefineProperties(this);
  const bool handled = propHandled_;
  propName_.clear();
  propHandled_ = false;
  if (!handled) noProperty();
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo& Prop) {
  if (Prop.Kind == tkClass) {
    ReadObjectValue(Instance, Prop);
    return;
  }
  if (Prop.ReadOnly()) ReadError("Property " + Utf8(Prop.Name) + " is read-only");
  switch (Prop.Kind) {
    case tkInteger: {
      Integer value;
      if (NextValue() != vaIdent) {
        value = ReadInteger();
      } else if (!Prop.IdentToIntProc || !Prop.IdentToIntProc(ReadIdent(), value)) {
        PropValueError();
      }
      Prop.SetOrd(Instance, value);
      break;
    }
    case tkInt64:
      Prop.SetOrd(Instance, ReadInt64());
      break;
    case tkChar:
      Prop.SetOrd(Instance, ReadChar());
      break;
    case tkEnumeration: {
      int value = Prop.Enum->Value(ReadIdent());
      if (value < 0) PropValueError();
      Prop.SetOrd(Instance, value);
      break;
    }
    case tkSet: {
      CheckValue(vaSet);
      UInt64 bits = 0;
      for (String element = ReadStr(); !element.empty(); element = ReadStr()) {
        int value = Prop.Enum->Value(element);
        if (value < 0) PropValueError();
        bits |= UInt64(1) << value;
      }
      Prop.SetOrd(Instance, static_cast<Int64>(bits));
      break;
    }
    case tkFloat:
      Prop.SetFloat(Instance, ReadFloat());
      break;
    case tkString:
      Prop.SetStr(Instance, ReadString());
      break;
    case tkVariant:
      Prop.SetVariant(Instance, ReadVariant());
      break;
    case tkMethod: {
      if (NextValue() == vaNil) {
        ReadValue();
        Prop.SetMethod(Instance, {});
        break;
      }
      const String name = ReadIdent();
      const TMethodInfo* method = lookupRoot_ ? FindMethod(lookupRoot_->ClassType(), name) : nullptr;
      if (!method) ReadError("Method " + Utf8(name) + " not found");
      Prop.SetMethod(Instance, {lookupRoot_, method});
      break;
    }
    default:
      PropValueError();
  }
}

void TReader::ReadObjectValue(TPersistent* Instance, const TPropInfo& Prop) {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      if (!Prop.SetObject) ReadError("Property " + Utf8(Prop.Name) + " is read-only");
      Prop.SetObject(Instance, nullptr);
      break;
    case vaCollection: {
      ReadValue();
      auto* collection = dynamic_cast<TCollection*>(Prop.GetObject(Instance));
      if (!collection) PropValueError();
      ReadCollection(collection);
      break;
    }
    case vaIdent: {
      const String name = ReadIdent();
      if (!Prop.SetObject || !Prop.PropClass->InheritsFrom(TComponent::StaticClass())) PropValueError();
      fixups_.push_back({Instance, &Prop, name});
      if (root_) root_->state_.Include(csFixups);
      break;
    }
    default:
      SkipValue();
      PropValueError();
  }
}

void TReader::ReadCollection(TCollection* Collection) {
  Enter();
  Collection->BeginUpdate();
  try {
    if (!EndOfList()) {
      for (const CollectionRead& r : collectionReads_)
        if (r.Collection == Collection)
          for (size_t i = r.Begin; i < r.End; ++i) fixups_[i].Prop = nullptr;
      Collection->Clear();
    }
    const size_t firstFixup = fixups_.size();
    while (!EndOfList()) {
      TValueType t = NextValue();
      if (t == vaInt8 || t == vaInt16 || t == vaInt32) ReadInteger();  // the item's order: unused
      TCollectionItem* item = Collection->Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
    collectionReads_.push_back({Collection, firstFixup, fixups_.size()});
  } catch (...) {
    Collection->EndUpdate();
    Leave();
    throw;
  }
  Collection->EndUpdate();
  Leave();
}

void TReader::ReadData(TComponent* Instance) {
  Enter();
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
  TComponent* oldParent = parent_;
  TComponent* oldOwner = owner_;
  parent_ = Instance->GetChildParent();
  owner_ = Instance->GetChildOwner();
  if (!owner_) owner_ = root_;
  try {
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
  } catch (...) {
    parent_ = oldParent;
    owner_ = oldOwner;
    Leave();
    throw;
  }
  parent_ = oldParent;
  owner_ = oldOwner;
  Leave();
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  Byte flags;
  Integer childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadStr();
  const String name = ReadStr();
  TComponent* result = Component;
  bool created = false;
  if (!result) {
    if (flags & ffInherited) {
      result = owner_ ? owner_->FindComponent(name) : nullptr;
      if (!result) ReadError("Ancestor for '" + Utf8(name) + "' not found");
    } else {
      TClass cls = GetClass(className);
      // A class the form's published fields name needs no registration.
      if (!cls && root_)
        for (const auto& field : GetPropList(root_->ClassType()).Fields())
          if (SameText(field->FieldClass->ClassName(), className)) cls = field->FieldClass;
      if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
        ReadError("Class " + Utf8(className) + " not found");
      result = CreateComponent(cls, owner_);
      created = true;
    }
  }
  const size_t mark = loaded_.size();
  try {
    result->state_ += {csLoading, csReading};
    if (created) result->SetName(name);
    loaded_.push_back(result);
    result->ReadState(this);
    result->state_.Exclude(csReading);
    if ((flags & ffChildPos) && parent_) parent_->SetChildOrder(result, childPos);
  } catch (...) {
    AbandonLoaded(mark);
    if (created) delete result;
    throw;
  }
  return result;
}

void TReader::AbandonLoaded(size_t from) {
  for (size_t i = from; i < loaded_.size(); ++i) loaded_[i]->state_ -= {csLoading, csReading};
  loaded_.resize(from);
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  ReadSignature();
  Byte flags;
  Integer childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadStr();
  const String name = ReadStr();
  bool created = false;
  if (!Root) {
    TClass cls = GetClass(className);
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
      ReadError("Class " + Utf8(className) + " not found");
    Root = CreateComponent(cls, nullptr);
    created = true;
  }
  root_ = Root;
  lookupRoot_ = Root;
  owner_ = Root;
  parent_ = nullptr;
  loaded_.clear();
  fixups_.clear();
  collectionReads_.clear();
  depth_ = 0;
  try {
    Root->state_ += {csLoading, csReading};
    // A second instance of a form under one owner gets a name of its own: Form1_1, Form1_2, ...
    String unique = name;
    if (TComponent* owner = Root->Owner())
      for (int i = 1; owner->FindComponent(unique) && owner->FindComponent(unique) != Root; ++i)
        unique = name + u"_" + Utf8ToString(std::to_string(i));
    Root->SetName(unique);
    loaded_.push_back(Root);
    Root->ReadState(this);
    Root->state_.Exclude(csReading);
    ResolveFixups();
  } catch (...) {
    AbandonLoaded(0);
    fixups_.clear();
    Root->state_.Exclude(csFixups);
    root_ = lookupRoot_ = owner_ = nullptr;
    if (created) delete Root;
    throw;
  }
  std::vector<TComponent*> loaded;
  loaded.swap(loaded_);
  for (TComponent* c : loaded) {
    c->Loaded();
    c->state_.Exclude(csLoading);
  }
  return Root;
}

void TReader::ResolveFixups() {
  std::vector<Fixup> fixups;
  fixups.swap(fixups_);
  collectionReads_.clear();
  for (const Fixup& f : fixups) {
    if (!f.Prop) continue;
    String name = f.Name;
    size_t dot = name.find(u'.');
    if (dot != String::npos) {
      if (!SameText(name.substr(0, dot), root_->Name())) continue;  // another form's: not ours
      name = name.substr(dot + 1);
    }
    TComponent* target = SameText(name, root_->Name()) ? root_ : root_->FindComponent(name);
    if (!target) continue;
    if (!target->InheritsFrom(f.Prop->PropClass)) PropValueError();
    f.Prop->SetObject(f.Instance, target);
  }
  root_->state_.Exclude(csFixups);
}
