// TBcd as text and doubles. Values are handled as a sign and a digit string with the place of the
// point: exact, and short enough for the 64 digits a TBcd holds.
#include "platform/rtl/FMTBcd.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/String.h"

namespace FMTBcd {

namespace {

constexpr int kMaxDigits = 64;

struct TDecimal {
  bool negative = false;
  std::string digits;  // integer digits then fraction digits
  int places = 0;      // how many of them follow the point
};

TDecimal Unpack(const TBcd& b) {
  TDecimal d;
  d.negative = (b.SignSpecialPlaces & 0x80) != 0;
  d.places = b.SignSpecialPlaces & 0x3F;
  for (int i = 0; i < b.Precision && i < kMaxDigits; ++i) {
    const Byte pair = b.Fraction[static_cast<size_t>(i / 2)];
    d.digits += static_cast<char>('0' + (i % 2 == 0 ? pair >> 4 : pair & 0x0F));
  }
  return d;
}

TBcd Pack(const TDecimal& d) {
  TBcd b;
  b.Precision = static_cast<Byte>(d.digits.size());
  b.SignSpecialPlaces = static_cast<Byte>((d.negative ? 0x80 : 0) | (d.places & 0x3F));
  for (size_t i = 0; i < d.digits.size(); ++i) {
    const Byte digit = static_cast<Byte>(d.digits[i] - '0');
    b.Fraction[i / 2] |= static_cast<Byte>(i % 2 == 0 ? digit << 4 : digit);
  }
  return b;
}

// The integer part without leading zeros and the fraction without trailing zeros.
void Normalised(const TDecimal& d, std::string& whole, std::string& fraction) {
  const size_t point = d.digits.size() - static_cast<size_t>(std::min<int>(d.places, static_cast<int>(d.digits.size())));
  whole = d.digits.substr(0, point);
  fraction = d.digits.substr(point);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
}

}  // namespace

bool TryStrToBcd(const String& Text, TBcd& Bcd) {
  const std::string s = StringToUtf8(Text);
  const Char separator = FormatSettings().DecimalSeparator;
  TDecimal d;
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) d.negative = s[i++] == '-';
  bool point = false, any = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      d.digits += c;
      any = true;
      if (point) ++d.places;
    } else if (!point && (c == '.' || static_cast<Char>(c) == separator)) {
      point = true;
    } else {
      break;
    }
  }
  while (i < s.size() && s[i] == ' ') ++i;
  if (!any || i != s.size()) return false;
  // Leading zeros of the integer part carry nothing.
  while (d.digits.size() > static_cast<size_t>(d.places) + 1 && d.digits.front() == '0') d.digits.erase(0, 1);
  if (static_cast<int>(d.digits.size()) > kMaxDigits || d.places > 63) return false;
  if (d.digits.find_first_not_of('0') == std::string::npos) d.negative = false;
  Bcd = Pack(d);
  return true;
}

TBcd StrToBcd(const String& Text) {
  TBcd b;
  if (!TryStrToBcd(Text, b)) throw EConvertError("'" + StringToUtf8(Text) + "' is not a valid BCD value");
  return b;
}

String BcdToStr(const TBcd& Bcd) {
  const TDecimal d = Unpack(Bcd);
  std::string whole, fraction;
  Normalised(d, whole, fraction);
  if (whole.empty()) whole = "0";
  const bool zero = whole == "0" && fraction.empty();
  String out = Utf8ToString((d.negative && !zero ? "-" : "") + whole);
  if (!fraction.empty()) out += FormatSettings().DecimalSeparator + Utf8ToString(fraction);
  return out;
}

TBcd DoubleToBcd(double Value) {
  // Fifteen significant digits, as a double holds them, written without an exponent.
  String text = FloatToStrF(Value, ffFixed, 15, 18);
  TBcd b;
  if (!TryStrToBcd(text, b)) throw EConvertError("'" + StringToUtf8(text) + "' is not a valid BCD value");
  return b;
}

double BcdToDouble(const TBcd& Bcd) {
  const TDecimal d = Unpack(Bcd);
  double value = 0;
  for (char c : d.digits) value = value * 10 + (c - '0');
  for (int i = 0; i < d.places; ++i) value /= 10;
  return d.negative ? -value : value;
}

int BcdCompare(const TBcd& A, const TBcd& B) {
  const TDecimal a = Unpack(A), b = Unpack(B);
  std::string aw, af, bw, bf;
  Normalised(a, aw, af);
  Normalised(b, bw, bf);
  const bool aZero = aw.empty() && af.empty(), bZero = bw.empty() && bf.empty();
  const int aSign = aZero ? 0 : a.negative ? -1 : 1, bSign = bZero ? 0 : b.negative ? -1 : 1;
  if (aSign != bSign) return aSign < bSign ? -1 : 1;
  int magnitude = 0;
  if (aw.size() != bw.size()) magnitude = aw.size() < bw.size() ? -1 : 1;
  else if (int c = aw.compare(bw); c != 0) magnitude = c < 0 ? -1 : 1;
  else if (int f = af.compare(bf); f != 0) magnitude = f < 0 ? -1 : 1;
  return aSign < 0 ? -magnitude : magnitude;
}

}  // namespace FMTBcd
