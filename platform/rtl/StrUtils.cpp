#include "platform/rtl/StrUtils.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cstdlib>

#include "platform/rtl/Collation.h"

namespace {

bool IsBlank(Char c) { return c <= u' '; }

Char AsciiUpper(Char c) { return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c; }
Char AsciiLower(Char c) { return c >= u'A' && c <= u'Z' ? static_cast<Char>(c + 32) : c; }

bool IsSurrogate(Char c) { return c >= 0xD800 && c <= 0xDFFF; }

// Maps each character one to one; a supplementary character is mapped only when its image is
// supplementary too, so that lengths never change.
template <typename MapCp>
String MapCase(const String& s, Char (*asciiMap)(Char), MapCp mapCp) {
  String out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    const Char c = out[i];
    if (c < 0x80) {
      out[i] = asciiMap(c);
    } else if (!IsSurrogate(c)) {
      const UChar32 m = mapCp(c);
      if (m < 0x10000) out[i] = static_cast<Char>(m);
    } else if (c <= 0xDBFF && i + 1 < out.size() && out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) {
      const UChar32 cp = 0x10000 + ((c - 0xD800) << 10) + (out[i + 1] - 0xDC00);
      const UChar32 m = mapCp(cp);
      if (m >= 0x10000) {
        out[i] = static_cast<Char>(0xD800 + ((m - 0x10000) >> 10));
        out[i + 1] = static_cast<Char>(0xDC00 + ((m - 0x10000) & 0x3FF));
      }
      ++i;
    }
  }
  return out;
}

// Finds pattern in s from index from, comparing characters through fold.
template <typename Fold>
size_t FindFolded(const String& s, const String& pattern, size_t from, Fold fold) {
  if (pattern.size() > s.size()) return String::npos;
  for (size_t i = from; i + pattern.size() <= s.size(); ++i) {
    size_t k = 0;
    while (k < pattern.size() && fold(s[i + k]) == fold(pattern[k])) ++k;
    if (k == pattern.size()) return i;
  }
  return String::npos;
}

}  // namespace

String Trim(const String& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

String TrimLeft(const String& s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return s.substr(b);
}

String TrimRight(const String& s) {
  size_t e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return s.substr(0, e);
}

int Pos(const String& sub, const String& s) {
  if (sub.empty()) return 0;
  const size_t p = s.find(sub);
  return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

String Copy(const String& s, int index, int count) {
  if (index < 1) index = 1;
  const Int64 start = index - 1;
  if (count <= 0 || start >= static_cast<Int64>(s.size())) return String();
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

void Delete(String& s, int index, int count) {
  if (index < 1 || count <= 0 || static_cast<size_t>(index) > s.size()) return;
  s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(const String& sub, String& s, int index) {
  const size_t at = index < 1 ? 0 : std::min(static_cast<size_t>(index - 1), s.size());
  s.insert(at, sub);
}

String StringOfChar(Char c, int count) {
  return count > 0 ? String(static_cast<size_t>(count), c) : String();
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
  if (oldPattern.empty()) return s;
  const bool all = flags & rfReplaceAll;
  String out;
  size_t from = 0;
  while (true) {
    const size_t p =
        (flags & rfIgnoreCase) ? FindFolded(s, oldPattern, from, AnsiUpperChar) : s.find(oldPattern, from);
    if (p == String::npos) break;
    out.append(s, from, p - from);
    out += newPattern;
    from = p + oldPattern.size();
    if (!all) break;
  }
  out.append(s, from, String::npos);
  return out;
}

String UpperCase(const String& s) {
  String out(s);
  for (Char& c : out) c = AsciiUpper(c);
  return out;
}

String LowerCase(const String& s) {
  String out(s);
  for (Char& c : out) c = AsciiLower(c);
  return out;
}

String AnsiUpperCase(const String& s) { return MapCase(s, AsciiUpper, u_toupper); }
String AnsiLowerCase(const String& s) { return MapCase(s, AsciiLower, u_tolower); }

Char AnsiUpperChar(Char c) {
  if (c < 0x80) return AsciiUpper(c);
  if (IsSurrogate(c)) return c;
  const UChar32 m = u_toupper(c);
  return m < 0x10000 ? static_cast<Char>(m) : c;
}

Char AnsiLowerChar(Char c) {
  if (c < 0x80) return AsciiLower(c);
  if (IsSurrogate(c)) return c;
  const UChar32 m = u_tolower(c);
  return m < 0x10000 ? static_cast<Char>(m) : c;
}

int CompareStr(const String& a, const String& b) {
  const int r = a.compare(b);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CompareText(const String& a, const String& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const Char x = AsciiUpper(a[i]), y = AsciiUpper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareStr(const String& a, const String& b) { return CollateCompare(a, b, false); }
int AnsiCompareText(const String& a, const String& b) { return CollateCompare(a, b, true); }
bool AnsiSameText(const String& a, const String& b) { return CollateCompare(a, b, true) == 0; }
bool AnsiSameStr(const String& a, const String& b) { return CollateCompare(a, b, false) == 0; }

int AnsiStrLIComp(const String& a, const String& b, int maxLen) {
  if (maxLen <= 0) return 0;
  const size_t n = static_cast<size_t>(maxLen);
  return CollateCompare(std::u16string_view(a).substr(0, n), std::u16string_view(b).substr(0, n), true);
}

bool AnsiStartsText(const String& subText, const String& text) {
  if (subText.empty()) return true;
  if (text.size() < subText.size()) return false;
  return CollateCompare(std::u16string_view(text).substr(0, subText.size()), subText, true) == 0;
}

String QuotedStr(const String& s) { return AnsiQuotedStr(s, u'\''); }

String AnsiQuotedStr(const String& s, Char quote) {
  String out;
  out.reserve(s.size() + 2);
  out.push_back(quote);
  for (Char c : s) {
    out.push_back(c);
    if (c == quote) out.push_back(c);
  }
  out.push_back(quote);
  return out;
}

String AnsiDequotedStr(const String& s, Char quote) {
  if (s.empty() || s[0] != quote) return s;
  String out;
  size_t i = 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        out.push_back(quote);
        i += 2;
        continue;
      }
      return out;  // the closing quote; anything after it is dropped
    }
    out.push_back(s[i++]);
  }
  // No closing quote: the text was not a quoted string after all.
  return s;
}

bool IsValidIdent(const String& s, bool allowDots) {
  auto isAlpha = [](Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; };
  auto isAlnum = [&](Char c) { return isAlpha(c) || (c >= u'0' && c <= u'9'); };
  if (s.empty()) return false;
  bool partStart = true;
  for (Char c : s) {
    if (partStart) {
      if (!isAlpha(c)) return false;
      partStart = false;
    } else if (c == u'.' && allowDots) {
      partStart = true;
    } else if (!isAlnum(c)) {
      return false;
    }
  }
  return !partStart;
}

String IntToHex(Int64 value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  UInt64 v = static_cast<UInt64>(value);
  String out;
  do {
    out.push_back(static_cast<Char>(kHex[v & 0xF]));
    v >>= 4;
  } while (v);
  while (static_cast<int>(out.size()) < digits) out.push_back(u'0');
  std::reverse(out.begin(), out.end());
  return out;
}

String IntToHex(Integer value, int digits) {
  return IntToHex(static_cast<Int64>(static_cast<Cardinal>(value)), digits);
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const Int64 p = static_cast<Int64>(number) * numerator;
  Int64 q = p / denominator;
  const Int64 r = p % denominator;
  // Half away from zero: compare twice the remainder with the divisor.
  if (2 * std::llabs(r) >= std::llabs(static_cast<Int64>(denominator)))
    q += ((p < 0) != (denominator < 0)) ? -1 : 1;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int>(q);
}
