// The criteria's byte stream: node records and tagged values, little-endian. The reader trusts
// nothing it reads: every length and count is checked against the bytes left before anything is
// allocated, an unknown tag or operator is refused, and groups nest only so deep.
#include <array>
#include <cstring>

#include "dx/dbgrid/dxFilter.h"
#include "platform/gdi/LittleEndian.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Extended.h"

namespace {

[[noreturn]] void FilterReadError() { throw EReadError("Stream read error"); }
[[noreturn]] void FilterWriteError() { throw EWriteError("Stream write error"); }

// Deeper nesting than any dialog can build: hostile input must not exhaust the stack.
constexpr int kMaxFilterDepth = 64;

enum TFilterValueTag : Byte {  // the tags of the stream's values
  tagNull = 0,
  tagInt8 = 2,
  tagInt16 = 3,
  tagInt32 = 4,
  tagExtended = 5,
  tagString = 6,
  tagFalse = 8,
  tagTrue = 9,
  tagLString = 12,
  tagEmpty = 13,
  tagSingle = 15,
  tagCurrency = 16,
  tagDate = 17,
  tagWString = 18,
};

class TFilterWriter {
 public:
  explicit TFilterWriter(TStream* Stream) : stream_(Stream) {}
  void Byte1(Byte Value) { stream_->WriteBuffer(&Value, 1); }
  void Int16(std::int16_t Value) { Raw(Value); }
  void Int32(std::int32_t Value) { Raw(Value); }
  void Int64(std::int64_t Value) { Raw(Value); }
  void Bytes(const void* Data, size_t Size) { stream_->WriteBuffer(Data, static_cast<::Int64>(Size)); }
  void Ansi(const AnsiString& Text) {
    Int32(static_cast<std::int32_t>(Text.size()));
    Bytes(Text.data(), Text.size());
  }

 private:
  template <class T>
  void Raw(T Value) {
    Byte bytes[sizeof(T)];
    auto bits = static_cast<std::make_unsigned_t<T>>(Value);
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<Byte>(bits >> (8 * i));
    Bytes(bytes, sizeof(T));
  }
  TStream* stream_;
};

class TFilterReader {
 public:
  explicit TFilterReader(TStream* Stream) : stream_(Stream) {}
  Byte Byte1() { return Fixed<1>()[0]; }
  std::int16_t Int16() { return ReadLeInt16(Fixed<2>().data()); }
  std::int32_t Int32() { return ReadLeInt32(Fixed<4>().data()); }
  std::int64_t Int64() {
    auto b = Fixed<8>();
    return static_cast<std::int64_t>(std::uint64_t(ReadLe32(b.data())) |
                                     (std::uint64_t(ReadLe32(b.data() + 4)) << 32));
  }
  double Double() {
    std::uint64_t bits = static_cast<std::uint64_t>(Int64());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // A count of items taking at least BytesEach bytes each must fit in what is left.
  std::int32_t Count(::Int64 BytesEach) {
    std::int32_t count = Int32();
    if (count < 0 || count > Remaining() / BytesEach) FilterReadError();
    return count;
  }
  AnsiString Ansi(::Int64 Length) {
    if (Length < 0 || Length > Remaining()) FilterReadError();
    AnsiString text(static_cast<size_t>(Length), '\0');
    stream_->ReadBuffer(text.data(), Length);
    return text;
  }
  template <size_t N>
  std::array<Byte, N> Fixed() {
    std::array<Byte, N> bytes;
    stream_->ReadBuffer(bytes.data(), N);
    return bytes;
  }

 private:
  ::Int64 Remaining() { return stream_->Size() - stream_->Position(); }
  TStream* stream_;
};

void WriteIntegerValue(TFilterWriter& Out, std::int32_t Value) {
  if (Value >= -128 && Value <= 127) {
    Out.Byte1(tagInt8);
    Out.Byte1(static_cast<Byte>(Value));
  } else if (Value >= -32768 && Value <= 32767) {
    Out.Byte1(tagInt16);
    Out.Int16(static_cast<std::int16_t>(Value));
  } else {
    Out.Byte1(tagInt32);
    Out.Int32(Value);
  }
}

void WriteAnsiValue(TFilterWriter& Out, const AnsiString& Text) {
  if (Text.size() <= 255) {
    Out.Byte1(tagString);
    Out.Byte1(static_cast<Byte>(Text.size()));
    Out.Bytes(Text.data(), Text.size());
  } else {
    Out.Byte1(tagLString);
    Out.Ansi(Text);
  }
}

String ReadString(TFilterReader& In) { return AnsiToString(In.Ansi(In.Int32())); }

void ReadChildren(TFilterReader& In, TStream* Stream, TdxCriteriaItemList* Group, int Depth) {
  if (Depth > kMaxFilterDepth) FilterReadError();
  // A node record takes at least its two flag bytes.
  std::int32_t count = In.Count(2);
  for (std::int32_t i = 0; i < count; ++i) {
    bool isList = In.Byte1() != 0;
    bool isNot = In.Byte1() != 0;
    TdxCustomCriteriaItem* node;
    if (isList) {
      auto boolOperator = static_cast<TdxFilterBoolOperator>(In.Byte1() != 0 ? fboOr : fboAnd);
      TdxCriteriaItemList* group = Group->AddList(boolOperator);
      ReadChildren(In, Stream, group, Depth + 1);
      node = group;
    } else {
      String displayText = ReadString(In);
      String columnName = ReadString(In);
      Byte op = In.Byte1();
      if (op > fokLessEqual) FilterReadError();
      Variant value = ReadFilterVariant(Stream);
      node = Group->AddItem(columnName, static_cast<TdxFilterOperatorKind>(op), value, displayText);
    }
    node->SetIsNot(isNot);
    node->Loaded(Stream);
  }
}

}  // namespace

void WriteFilterVariant(TStream* Stream, const Variant& Value) {
  if (VarIsArray(Value)) FilterWriteError();
  TFilterWriter out(Stream);
  switch (Value.Type()) {
    case varNull:
      out.Byte1(tagNull);
      return;
    case varEmpty:
      out.Byte1(tagEmpty);
      return;
    case varBoolean:
      out.Byte1(Value.AsBoolean() ? tagTrue : tagFalse);
      return;
    case varSmallint:
    case varInteger:
    case varByte:
      WriteIntegerValue(out, Value.AsInteger());
      return;
    case varDouble: {
      out.Byte1(tagExtended);
      TExtended80 ext = DoubleToExtended(Value.AsDouble());
      out.Bytes(ext.data(), ext.size());
      return;
    }
    case varSingle: {
      out.Byte1(tagSingle);
      float f = static_cast<float>(Value.AsDouble());
      std::uint32_t bits;
      std::memcpy(&bits, &f, sizeof bits);
      out.Int32(static_cast<std::int32_t>(bits));
      return;
    }
    case varCurrency:
      out.Byte1(tagCurrency);
      out.Int64(Value.AsCurrency().Scaled());
      return;
    case varDate: {
      out.Byte1(tagDate);
      double day = Value.AsDateTime();
      std::uint64_t bits;
      std::memcpy(&bits, &day, sizeof bits);
      out.Int64(static_cast<std::int64_t>(bits));
      return;
    }
    case varString:
      WriteAnsiValue(out, Value.AsAnsiString());
      return;
    case varOleStr: {
      String text = Value.AsString();
      out.Byte1(tagWString);
      out.Int32(static_cast<std::int32_t>(text.size()));
      for (Char c : text) out.Int16(static_cast<std::int16_t>(c));
      return;
    }
    default: {
      // Every other kind travels as its 8-bit text.
      AnsiString text;
      try {
        text = StringToAnsi(Value.AsString());
      } catch (const Exception&) {
        FilterWriteError();
      }
      WriteAnsiValue(out, text);
    }
  }
}

Variant ReadFilterVariant(TStream* Stream) {
  TFilterReader in(Stream);
  switch (in.Byte1()) {
    case tagNull:
      return Null();
    case tagInt8:
      return Variant(static_cast<Integer>(static_cast<std::int8_t>(in.Byte1())));
    case tagInt16:
      return Variant(in.Int16());
    case tagInt32:
      return Variant(static_cast<Integer>(in.Int32()));
    case tagExtended: {
      auto ext = in.Fixed<10>();
      return Variant(ExtendedToDouble(ext));
    }
    case tagString:
      return VarFromAnsiString(in.Ansi(in.Byte1()));
    case tagFalse:
      return Variant(false);
    case tagTrue:
      return Variant(true);
    case tagLString:
      return VarFromAnsiString(in.Ansi(in.Int32()));
    case tagEmpty:
      return Variant();
    case tagSingle: {
      auto bits = static_cast<std::uint32_t>(in.Int32());
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return Variant(f);
    }
    case tagCurrency:
      return Variant(Currency::FromScaled(in.Int64()));
    case tagDate:
      return VarFromDateTime(in.Double());
    case tagWString: {
      std::int32_t length = in.Count(2);
      String text(static_cast<size_t>(length), u'\0');
      for (Char& c : text) c = static_cast<Char>(static_cast<std::uint16_t>(in.Int16()));
      return Variant(std::move(text));
    }
    default:
      FilterReadError();
  }
}

void TdxCriteriaItemList::SaveToStream(TStream* Stream) const {
  TFilterWriter out(Stream);
  out.Byte1(1);
  out.Byte1(IsNot() ? 1 : 0);
  out.Byte1(boolOperator_ == fboAnd ? 0 : 1);
  out.Int32(Count());
  for (const auto& child : items_) child->SaveToStream(Stream);
}

void TdxCriteriaItem::SaveToStream(TStream* Stream) const {
  TFilterWriter out(Stream);
  out.Byte1(0);
  out.Byte1(IsNot() ? 1 : 0);
  out.Ansi(StringToAnsi(DisplayText));
  out.Ansi(StringToAnsi(ColumnName));
  out.Byte1(Operator);
  WriteFilterVariant(Stream, Value);
}

void TdxCriteria::SaveToStream(TStream* Stream) const {
  TFilterWriter(Stream).Int32(root_->Count());
  for (int i = 0; i < root_->Count(); ++i) root_->Items(i)->SaveToStream(Stream);
}

void TdxCriteria::LoadFromStream(TStream* Stream) {
  Clear();
  TFilterReader in(Stream);
  ReadChildren(in, Stream, root_.get(), 0);
}
