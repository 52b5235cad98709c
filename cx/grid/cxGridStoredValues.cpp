#include "cx/grid/cxGridStoredValues.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/StrUtils.h"

namespace {

int HexDigit(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  throw EcxHexStringConvertError(String());
}

[[noreturn]] void RaiseConvertError() { throw EPropertyConvertError(String()); }

}  // namespace

String StringToHexString(const AnsiString& AText) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  String result;
  for (unsigned char byte : AText) {
    result += kDigits[byte >> 4];
    result += kDigits[byte & 15];
  }
  return result;
}

AnsiString HexStringToString(const String& AHexText) {
  AnsiString result;
  for (size_t i = 0; i + 1 < AHexText.size(); i += 2)
    result += static_cast<char>(HexDigit(AHexText[i]) * 16 + HexDigit(AHexText[i + 1]));
  return result;
}

bool StringToBoolean(const String& AText) {
  const String text = UpperCase(AText);
  if (text == u"TRUE") return true;
  if (text == u"FALSE") return false;
  RaiseConvertError();
}

String SetToString(unsigned ASet, const std::vector<String>& ANames) {
  String result = u"[";
  bool first = true;
  for (unsigned n = 0; n < 32; ++n) {
    if (!(ASet & (1u << n))) continue;
    if (n >= ANames.size()) RaiseConvertError();
    if (!first) result += u',';
    result += ANames[n];
    first = false;
  }
  return result + u"]";
}

unsigned StringToSet(const String& AText, const std::vector<String>& ANames) {
  if (AText.size() < 2 || AText.front() != u'[' || AText.back() != u']') RaiseConvertError();
  const String rest = AText.substr(1, AText.size() - 2);
  unsigned result = 0;
  if (rest.empty()) return result;
  size_t start = 0;
  while (true) {
    const size_t comma = rest.find(u',', start);
    const String piece = rest.substr(start, comma == String::npos ? String::npos : comma - start);
    for (size_t n = 0; n < ANames.size(); ++n)
      if (SameText(piece, ANames[n])) {
        result |= 1u << n;
        break;
      }
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return result;
}
