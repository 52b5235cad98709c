#include "cx/data/cxVariants.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Extended.h"

namespace {

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }
[[noreturn]] void WriteError() { throw EWriteError("Stream write error"); }

Int64 Remaining(TStream* AStream) { return AStream->Size() - AStream->Position(); }

// A length or count read from the stream must be covered by what the stream still holds.
void CheckAvailable(TStream* AStream, Int64 count, Int64 bytesEach) {
  if (count < 0 || count > Remaining(AStream) / bytesEach) ReadError();
}

template <class T>
T ReadLE(TStream* AStream) {
  Byte bytes[sizeof(T)];
  AStream->ReadBuffer(bytes, sizeof(T));
  std::make_unsigned_t<T> v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<std::make_unsigned_t<T>>(bytes[i]) << (8 * i);
  return static_cast<T>(v);
}

template <class T>
void PutLE(std::vector<Byte>& out, T value) {
  auto v = static_cast<std::make_unsigned_t<T>>(value);
  for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<Byte>(v >> (8 * i)));
}

template <class T>
void WriteLE(TStream* AStream, T value) {
  std::vector<Byte> out;
  PutLE(out, value);
  AStream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

double BitsToDouble(UInt64 bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}
UInt64 DoubleToBits(double d) {
  UInt64 bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

enum TVarTag : Byte {
  vtNull = 0,
  vtArray = 1,
  vtInt8 = 2,
  vtInt16 = 3,
  vtInt32 = 4,
  vtExtended = 5,
  vtString = 6,
  vtFalse = 8,
  vtTrue = 9,
  vtLString = 12,
  vtEmpty = 13,
  vtSingle = 15,
  vtCurrency = 16,
  vtDate = 17,
  vtWString = 18
};

void PutCompactInteger(std::vector<Byte>& out, Integer value) {
  if (value >= -128 && value <= 127) {
    out.push_back(vtInt8);
    PutLE<int8_t>(out, static_cast<int8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    out.push_back(vtInt16);
    PutLE<int16_t>(out, static_cast<int16_t>(value));
  } else {
    out.push_back(vtInt32);
    PutLE<int32_t>(out, value);
  }
}

void PutAnsi(std::vector<Byte>& out, const AnsiString& s) {
  if (s.size() <= 255) {
    out.push_back(vtString);
    out.push_back(static_cast<Byte>(s.size()));
  } else {
    out.push_back(vtLString);
    PutLE<int32_t>(out, static_cast<int32_t>(s.size()));
  }
  out.insert(out.end(), s.begin(), s.end());
}

void EncodeVariant(std::vector<Byte>& out, const Variant& v) {
  if (VarIsArray(v)) {
    if (VarArrayDimCount(v) != 1) WriteError();
    int low = VarArrayLowBound(v, 1), high = VarArrayHighBound(v, 1);
    out.push_back(vtArray);
    PutCompactInteger(out, high - low + 1);
    for (int i = low; i <= high; ++i) EncodeVariant(out, VarArrayGet(v, {i}));
    return;
  }
  switch (v.Type()) {
    case varNull:
      out.push_back(vtNull);
      return;
    case varEmpty:
      out.push_back(vtEmpty);
      return;
    // The one-byte and unsigned 16-bit kinds are what reading gives back, so they are written as
    // integers too: a value read and saved again keeps its kind.
    case varShortInt:
    case varSmallint:
    case varInteger:
    case varByte:
    case varWord:
      PutCompactInteger(out, v.AsInteger());
      return;
    case varSingle: {
      out.push_back(vtSingle);
      float f = static_cast<float>(v.AsDouble());
      uint32_t bits;
      std::memcpy(&bits, &f, sizeof bits);
      PutLE<uint32_t>(out, bits);
      return;
    }
    case varDouble: {
      out.push_back(vtExtended);
      TExtended80 ext = DoubleToExtended(v.AsDouble());
      out.insert(out.end(), ext.begin(), ext.end());
      return;
    }
    case varCurrency:
      out.push_back(vtCurrency);
      PutLE<int64_t>(out, v.AsCurrency().Scaled());
      return;
    case varDate:
      out.push_back(vtDate);
      PutLE<uint64_t>(out, DoubleToBits(v.AsDateTime()));
      return;
    case varOleStr: {
      String s = v.AsString();
      out.push_back(vtWString);
      PutLE<int32_t>(out, static_cast<int32_t>(s.size()));
      for (Char c : s) PutLE<uint16_t>(out, c);
      return;
    }
    case varBoolean:
      out.push_back(v.AsBoolean() ? vtTrue : vtFalse);
      return;
    case varString:
      PutAnsi(out, v.AsAnsiString());
      return;
    default: {
      AnsiString s;
      try {
        s = v.AsAnsiString();
      } catch (const Exception&) {
        WriteError();
      }
      PutAnsi(out, s);
    }
  }
}

AnsiString ReadAnsiBytes(TStream* AStream, Int64 length) {
  CheckAvailable(AStream, length, 1);
  AnsiString s(static_cast<size_t>(length), '\0');
  if (length > 0) AStream->ReadBuffer(s.data(), length);
  return s;
}

String ReadWideChars(TStream* AStream, Int64 length) {
  CheckAvailable(AStream, length, 2);
  String s(static_cast<size_t>(length), u'\0');
  for (auto& c : s) c = static_cast<Char>(ReadLE<uint16_t>(AStream));
  return s;
}

// The variant kinds in the order a sort puts kinds that cannot be compared with each other.
int KindRank(const Variant& v) {
  switch (v.Type()) {
    case varNull:
      return 0;
    case varEmpty:
      return 1;
    case varOleStr:
    case varString:
      return 3;
    case varObject:
      return 4;
    default:
      return VarIsNumeric(v) || v.Type() == varDate || v.Type() == varBoolean ? 2 : 5;
  }
}

bool IsNaN(const Variant& v) {
  return (v.Type() == varDouble || v.Type() == varSingle || v.Type() == varDate) && std::isnan(v.AsDouble());
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

int cxVariantCompare(const Variant& A, const Variant& B) {
  if (VarIsArray(A) || VarIsArray(B)) return cxVarArrayCompare(A, B);
  try {
    if (A == B) return 0;
    if (VarIsNull(A)) return -1;
    if (VarIsNull(B)) return 1;
    if (A < B) return -1;
    return 1;
  } catch (const EVariantError&) {
    return -1;
  }
}

int cxVarArrayCompare(const Variant& A, const Variant& B) {
  bool a = VarIsArray(A), b = VarIsArray(B);
  if (a && b) {
    int result = VarArrayHighBound(A, 1) - VarArrayHighBound(B, 1);
    if (result != 0) return result;
    int lowA = VarArrayLowBound(A, 1), lowB = VarArrayLowBound(B, 1);
    for (int i = 0; i <= VarArrayHighBound(A, 1) - lowA; ++i) {
      result = cxVariantCompare(VarArrayGet(A, {lowA + i}), VarArrayGet(B, {lowB + i}));
      if (result != 0) return result;
    }
    return 0;
  }
  return a ? 1 : -1;
}

bool cxVariantCompareEqual(const Variant& A, const Variant& B) { return cxVariantCompare(A, B) == 0; }

bool cxVariantsEqual(const Variant& A, const Variant& B) {
  if (VarIsNull(A) || VarIsNull(B) || (A.Type() != varBoolean && B.Type() != varBoolean))
    return cxVariantCompare(A, B) == 0;
  try {
    return A.AsAnsiString() == B.AsAnsiString();
  } catch (const EVariantError&) {
    return false;
  }
}

bool cxVarIsBlank(const Variant& V) {
  if (VarIsNull(V)) return true;
  if (V.Type() == varString) return V.AsAnsiString().empty();
  if (V.Type() == varOleStr) return V.AsString().empty();
  return false;
}

int cxVariantCompareOrdered(const Variant& A, const Variant& B) {
  bool a = VarIsArray(A), b = VarIsArray(B);
  if (a || b) {
    if (!(a && b)) return a ? 1 : -1;
    int result = Sign(VarArrayHighBound(A, 1) - VarArrayHighBound(B, 1));
    if (result != 0) return result;
    int lowA = VarArrayLowBound(A, 1), lowB = VarArrayLowBound(B, 1);
    for (int i = 0; i <= VarArrayHighBound(A, 1) - lowA; ++i) {
      result = cxVariantCompareOrdered(VarArrayGet(A, {lowA + i}), VarArrayGet(B, {lowB + i}));
      if (result != 0) return result;
    }
    return 0;
  }
  int rankA = KindRank(A), rankB = KindRank(B);
  if (rankA != rankB) return rankA < rankB ? -1 : 1;
  switch (rankA) {
    case 0:
    case 1:
    case 5:
      return 0;
    case 4: {
      TObject *x = A.AsObject(), *y = B.AsObject();
      return std::less<TObject*>()(x, y) ? -1 : (std::less<TObject*>()(y, x) ? 1 : 0);
    }
    case 2: {
      bool nanA = IsNaN(A), nanB = IsNaN(B);
      if (nanA || nanB) return nanA == nanB ? 0 : (nanA ? 1 : -1);
      break;
    }
  }
  return cxVariantCompare(A, B);
}

void cxVarBetweenArrayCreate(const Variant& A, const Variant& B, Variant& V) { V = VarArrayOf({A, B}); }

void cxVarListArrayCreate(const Variant& A, Variant& V) { V = VarArrayOf({A}); }

void cxVarListArrayAddValue(Variant& V, const Variant& A) {
  std::vector<Variant> items;
  int low = VarArrayLowBound(V, 1), high = VarArrayHighBound(V, 1);
  Variant result = VarArrayCreate({low, high + 1}, varVariant);
  for (int i = low; i <= high; ++i) VarArrayPut(result, VarArrayGet(V, {i}), {i});
  VarArrayPut(result, A, {high + 1});
  V = result;
}

AnsiString cxReadString(TStream* AStream) { return ReadAnsiBytes(AStream, ReadLE<int32_t>(AStream)); }
void cxReadString(TStream* AStream, AnsiString& S) { S = cxReadString(AStream); }
void cxWriteString(TStream* AStream, const AnsiString& S) {
  WriteLE<int32_t>(AStream, static_cast<int32_t>(S.size()));
  if (!S.empty()) AStream->WriteBuffer(S.data(), static_cast<Int64>(S.size()));
}

String cxReadWideString(TStream* AStream) { return ReadWideChars(AStream, ReadLE<int32_t>(AStream)); }
void cxReadWideString(TStream* AStream, String& S) { S = cxReadWideString(AStream); }
void cxWriteWideString(TStream* AStream, const String& S) {
  std::vector<Byte> out;
  PutLE<int32_t>(out, static_cast<int32_t>(S.size()));
  for (Char c : S) PutLE<uint16_t>(out, c);
  AStream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

Variant cxReadVariant(TStream* AStream) {
  Byte tag = cxReadByte(AStream);
  switch (tag) {
    case vtNull:
      return Null();
    case vtArray: {
      Byte countTag = cxReadByte(AStream);
      Integer count = countTag == vtInt8    ? ReadLE<int8_t>(AStream)
                      : countTag == vtInt16 ? ReadLE<int16_t>(AStream)
                                            : ReadLE<int32_t>(AStream);
      // Every element takes at least its tag byte.
      CheckAvailable(AStream, count, 1);
      Variant result = VarArrayCreate({0, count - 1}, varVariant);
      for (int i = 0; i < count; ++i) VarArrayPut(result, cxReadVariant(AStream), {i});
      return result;
    }
    case vtInt8:
      return Variant(ReadLE<int8_t>(AStream));
    case vtInt16:
      return Variant(ReadLE<int16_t>(AStream));
    case vtInt32:
      return Variant(ReadLE<int32_t>(AStream));
    case vtExtended: {
      TExtended80 ext;
      AStream->ReadBuffer(ext.data(), 10);
      return Variant(ExtendedToDouble(ext));
    }
    case vtString:
      return VarFromAnsiString(ReadAnsiBytes(AStream, cxReadByte(AStream)));
    case vtFalse:
      return Variant(false);
    case vtTrue:
      return Variant(true);
    case vtLString:
      return VarFromAnsiString(ReadAnsiBytes(AStream, ReadLE<int32_t>(AStream)));
    case vtEmpty:
      return Variant();
    case vtSingle: {
      uint32_t bits = ReadLE<uint32_t>(AStream);
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return Variant(f);
    }
    case vtCurrency:
      return Variant(Currency::FromScaled(ReadLE<int64_t>(AStream)));
    case vtDate:
      return VarFromDateTime(BitsToDouble(ReadLE<uint64_t>(AStream)));
    case vtWString:
      return Variant(ReadWideChars(AStream, ReadLE<int32_t>(AStream)));
    default:
      ReadError();
  }
}

void cxReadVariant(TStream* AStream, Variant& Value) { Value = cxReadVariant(AStream); }

void cxWriteVariant(TStream* AStream, const Variant& Value) {
  std::vector<Byte> out;
  EncodeVariant(out, Value);
  AStream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

bool cxReadBoolean(TStream* AStream) { return cxReadByte(AStream) != 0; }
void cxReadBoolean(TStream* AStream, bool& Value) { Value = cxReadBoolean(AStream); }
void cxWriteBoolean(TStream* AStream, bool Value) { cxWriteByte(AStream, Value ? 1 : 0); }

Byte cxReadByte(TStream* AStream) { return ReadLE<uint8_t>(AStream); }
void cxReadByte(TStream* AStream, Byte& Value) { Value = cxReadByte(AStream); }
void cxWriteByte(TStream* AStream, Byte Value) { AStream->WriteBuffer(&Value, 1); }

SmallInt cxReadSmallInt(TStream* AStream) { return ReadLE<int16_t>(AStream); }
void cxReadSmallInt(TStream* AStream, SmallInt& Value) { Value = cxReadSmallInt(AStream); }
void cxWriteSmallInt(TStream* AStream, SmallInt Value) { WriteLE<int16_t>(AStream, Value); }

Word cxReadWord(TStream* AStream) { return static_cast<Word>(cxReadSmallInt(AStream)); }
void cxReadWord(TStream* AStream, Word& Value) { Value = cxReadWord(AStream); }
void cxWriteWord(TStream* AStream, Word Value) { cxWriteSmallInt(AStream, static_cast<SmallInt>(Value)); }

Integer cxReadInteger(TStream* AStream) { return ReadLE<int32_t>(AStream); }
void cxReadInteger(TStream* AStream, Integer& Value) { Value = cxReadInteger(AStream); }
void cxWriteInteger(TStream* AStream, Integer Value) { WriteLE<int32_t>(AStream, Value); }

Int64 cxReadLargeInt(TStream* AStream) { return ReadLE<int64_t>(AStream); }
void cxReadLargeInt(TStream* AStream, Int64& Value) { Value = cxReadLargeInt(AStream); }
void cxWriteLargeInt(TStream* AStream, Int64 Value) { WriteLE<int64_t>(AStream, Value); }

double cxReadFloat(TStream* AStream) { return BitsToDouble(ReadLE<uint64_t>(AStream)); }
void cxReadFloat(TStream* AStream, double& Value) { Value = cxReadFloat(AStream); }
void cxWriteFloat(TStream* AStream, double Value) { WriteLE<uint64_t>(AStream, DoubleToBits(Value)); }

Currency cxReadCurrency(TStream* AStream) { return Currency::FromScaled(cxReadLargeInt(AStream)); }
void cxReadCurrency(TStream* AStream, Currency& Value) { Value = cxReadCurrency(AStream); }
void cxWriteCurrency(TStream* AStream, Currency Value) { cxWriteLargeInt(AStream, Value.Scaled()); }
