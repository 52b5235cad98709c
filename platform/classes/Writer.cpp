// Writing the binary component stream.
#include <algorithm>
#include <limits>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Extended.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TWriter)

namespace {

bool IsAscii(const String& s) {
  return std::all_of(s.begin(), s.end(), [](Char c) { return c < 128; });
}

bool SameAscii(const String& a, const char* b) {
  size_t n = std::char_traits<char>::length(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    Char x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? b[i] - 32 : b[i];
    if (x != static_cast<Char>(y)) return false;
  }
  return true;
}

}  // namespace

void TWriter::Write(const void* Buffer, Int64 Count) { stream_->WriteBuffer(Buffer, Count); }

void TWriter::WriteValue(TValueType Value) {
  Byte b = Value;
  Write(&b, 1);
}

void TWriter::WriteSignature() { Write(FilerSignature, 4); }

void TWriter::WriteListBegin() { WriteValue(vaList); }

void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteStr(const String& Value) {
  std::string bytes = StringToUtf8(Value);
  if (bytes.size() > 255) throw EWriteError("Name too long for the stream: " + bytes.substr(0, 40) + "...");
  Byte length = static_cast<Byte>(bytes.size());
  Write(&length, 1);
  Write(bytes.data(), length);
}

void TWriter::WriteString(const String& Value) {
  if (!IsAscii(Value)) {
    WriteWideString(Value);
    return;
  }
  std::string bytes(Value.begin(), Value.end());
  if (bytes.size() <= 255) {
    WriteValue(vaString);
    Byte length = static_cast<Byte>(bytes.size());
    Write(&length, 1);
  } else {
    WriteValue(vaLString);
    Integer length = static_cast<Integer>(bytes.size());
    Write(&length, 4);
  }
  Write(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TWriter::WriteWideString(const String& Value) {
  WriteValue(vaWString);
  Integer count = static_cast<Integer>(Value.size());
  Write(&count, 4);
  Write(Value.data(), Int64(count) * 2);
}

void TWriter::WriteUTF8Str(const String& Value) {
  std::string bytes = StringToUtf8(Value);
  WriteValue(vaUTF8String);
  Integer length = static_cast<Integer>(bytes.size());
  Write(&length, 4);
  Write(bytes.data(), length);
}

void TWriter::WriteInteger(Int64 Value) {
  if (Value >= std::numeric_limits<ShortInt>::min() && Value <= std::numeric_limits<ShortInt>::max()) {
    WriteValue(vaInt8);
    ShortInt v = static_cast<ShortInt>(Value);
    Write(&v, 1);
  } else if (Value >= std::numeric_limits<SmallInt>::min() && Value <= std::numeric_limits<SmallInt>::max()) {
    WriteValue(vaInt16);
    SmallInt v = static_cast<SmallInt>(Value);
    Write(&v, 2);
  } else if (Value >= std::numeric_limits<Integer>::min() && Value <= std::numeric_limits<Integer>::max()) {
    WriteValue(vaInt32);
    Integer v = static_cast<Integer>(Value);
    Write(&v, 4);
  } else {
    WriteValue(vaInt64);
    Write(&Value, 8);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteChar(Char Value) { WriteString(String(1, Value)); }

void TWriter::WriteFloat(double Value) {
  WriteValue(vaExtended);
  TExtended80 bytes = DoubleToExtended(Value);
  Write(bytes.data(), 10);
}

void TWriter::WriteDate(TDateTime Value) {
  WriteValue(vaDate);
  Write(&Value, 8);
}

void TWriter::WriteIdent(const String& Ident) {
  if (SameAscii(Ident, "False"))
    WriteValue(vaFalse);
  else if (SameAscii(Ident, "True"))
    WriteValue(vaTrue);
  else if (SameAscii(Ident, "nil"))
    WriteValue(vaNil);
  else if (SameAscii(Ident, "Null"))
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteVariant(const Variant& Value) {
  if (VarIsArray(Value)) {
    if (VarArrayDimCount(Value) != 1) throw EWriteError("Only one-dimensional variant arrays can be written");
    WriteListBegin();
    for (int i = VarArrayLowBound(Value, 1); i <= VarArrayHighBound(Value, 1); ++i) {
      Variant element = VarArrayGet(Value, {i});
      // Null's tag ends a list: written there it would cut the array short.
      if (VarIsNull(element)) throw EWriteError("A Null element of a variant array cannot be written");
      WriteVariant(element);
    }
    WriteListEnd();
    return;
  }
  switch (VarType(Value)) {
    case varEmpty:
      WriteValue(vaNil);
      break;
    case varNull:
      WriteValue(vaNull);
      break;
    case varOleStr:
    case varString:
      WriteString(Value.AsString());
      break;
    case varShortInt:
    case varByte:
    case varSmallint:
    case varWord:
    case varInteger:
    case varLongWord:
    case varInt64:
      WriteInteger(Value.AsInt64());
      break;
    case varSingle: {
      WriteValue(vaSingle);
      float v = static_cast<float>(Value.AsDouble());
      Write(&v, 4);
      break;
    }
    case varDouble:
      WriteFloat(Value.AsDouble());
      break;
    case varCurrency: {
      WriteValue(vaCurrency);
      Int64 scaled = Value.AsCurrency().Scaled();
      Write(&scaled, 8);
      break;
    }
    case varDate:
      WriteDate(Value.AsDateTime());
      break;
    case varBoolean:
      WriteBoolean(Value.AsBoolean());
      break;
    default:
      throw EWriteError("A " + StringToUtf8(VarTypeAsText(VarType(Value))) + " value cannot be written");
  }
}

void TWriter::WritePropName(const String& Name) { WriteStr(propPath_ + Name); }

void TWriter::DefineProperty(const String& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream data;
  WriteData(&data);
  if (data.Size() > std::numeric_limits<Integer>::max()) throw EWriteError("Binary property too large");
  WritePropName(Name);
  WriteValue(vaBinary);
  Integer size = static_cast<Integer>(data.Size());
  Write(&size, 4);
  Write(data.Memory(), size);
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (const auto& prop : GetPropList(Instance->ClassType()).Properties())
    if (prop->IsStored(Instance)) WriteProperty(Instance, *prop);
  Instance->DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo& Prop) {
  if (Prop.Kind == tkClass) {
    WriteObjectProperty(Instance, Prop);
    return;
  }
  // A value nobody can set back is not streamed.
  if (Prop.ReadOnly() || Prop.IsDefaultValue(Instance)) return;
  switch (Prop.Kind) {
    case tkInteger:
    case tkInt64: {
      WritePropName(Prop.Name);
      Int64 value = Prop.GetOrd(Instance);
      String ident;
      if (Prop.Kind == tkInteger && Prop.IntToIdentProc &&
          Prop.IntToIdentProc(static_cast<Integer>(value), ident))
        WriteIdent(ident);
      else
        WriteInteger(value);
      break;
    }
    case tkChar:
      WritePropName(Prop.Name);
      WriteChar(static_cast<Char>(Prop.GetOrd(Instance)));
      break;
    case tkEnumeration:
      WritePropName(Prop.Name);
      WriteIdent(Prop.Enum->Name(static_cast<int>(Prop.GetOrd(Instance))));
      break;
    case tkSet: {
      WritePropName(Prop.Name);
      WriteValue(vaSet);
      UInt64 bits = static_cast<UInt64>(Prop.GetOrd(Instance));
      for (int i = 0; i < Prop.Enum->Count() && i < 64; ++i)
        if (bits & (UInt64(1) << i)) WriteStr(Prop.Enum->Name(i));
      WriteStr(String());
      break;
    }
    case tkFloat:
      WritePropName(Prop.Name);
      if (Prop.IsCurrency) {
        WriteValue(vaCurrency);
        Int64 scaled = Currency(Prop.GetFloat(Instance)).Scaled();
        Write(&scaled, 8);
      } else {
        WriteFloat(Prop.GetFloat(Instance));
      }
      break;
    case tkString:
      WritePropName(Prop.Name);
      WriteString(Prop.GetStr(Instance));
      break;
    case tkVariant:
      WritePropName(Prop.Name);
      WriteVariant(Prop.GetVariant(Instance));
      break;
    case tkMethod: {
      // Only handlers of the form being written can be named.
      TMethodRef method = Prop.GetMethod(Instance);
      if (!lookupRoot_ || method.Data != lookupRoot_) break;
      WritePropName(Prop.Name);
      WriteIdent(method.Method->Name);
      break;
    }
    default:
      break;
  }
}

String TWriter::ComponentRefName(TComponent* Component) {
  if (Component->Name().empty()) return {};
  if (!lookupRoot_ || Component->Owner() == lookupRoot_ || Component == lookupRoot_) return Component->Name();
  if (Component->Owner() && !Component->Owner()->Name().empty())
    return Component->Owner()->Name() + u"." + Component->Name();
  return {};
}

void TWriter::WriteObjectProperty(TPersistent* Instance, const TPropInfo& Prop) {
  TObject* value = Prop.GetObject(Instance);
  if (!value) return;
  if (auto* component = dynamic_cast<TComponent*>(value)) {
    if (!Prop.SetObject) return;
    String name = ComponentRefName(component);
    if (name.empty()) return;
    WritePropName(Prop.Name);
    WriteIdent(name);
    return;
  }
  auto* persistent = dynamic_cast<TPersistent*>(value);
  if (!persistent) return;
  // An object that leads back to one being written would never end.
  if (value == Instance || std::find(objectPath_.begin(), objectPath_.end(), value) != objectPath_.end())
    return;
  if (auto* collection = dynamic_cast<TCollection*>(value)) {
    WritePropName(Prop.Name);
    WriteCollection(collection);
    return;
  }
  const String savedPath = propPath_;
  propPath_ += Prop.Name + u".";
  objectPath_.push_back(Instance);
  try {
    WriteProperties(persistent);
  } catch (...) {
    objectPath_.pop_back();
    propPath_ = savedPath;
    throw;
  }
  objectPath_.pop_back();
  propPath_ = savedPath;
}

void TWriter::WriteCollection(TCollection* Value) {
  WriteValue(vaCollection);
  const String savedPath = propPath_;
  propPath_.clear();
  objectPath_.push_back(Value);
  try {
    for (int i = 0; i < Value->Count(); ++i) {
      WriteListBegin();
      WriteProperties(Value->Items(i));
      WriteListEnd();
    }
  } catch (...) {
    objectPath_.pop_back();
    propPath_ = savedPath;
    throw;
  }
  objectPath_.pop_back();
  propPath_ = savedPath;
  WriteListEnd();
}

void TWriter::WriteData(TComponent* Instance) {
  WriteStr(Instance->ClassName());
  WriteStr(Instance->Name());
  const String savedPath = propPath_;
  propPath_.clear();
  WriteProperties(Instance);
  propPath_ = savedPath;
  WriteListEnd();
  Instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
  WriteListEnd();
}

void TWriter::WriteComponent(TComponent* Component) {
  Component->state_.Include(csWriting);
  try {
    Component->WriteState(this);
  } catch (...) {
    Component->state_.Exclude(csWriting);
    throw;
  }
  Component->state_.Exclude(csWriting);
}

void TWriter::WriteRootComponent(TComponent* Root) {
  root_ = Root;
  lookupRoot_ = Root;
  WriteSignature();
  WriteComponent(Root);
}
