#include "platform/ado/ServerText.h"

#include <unicode/uchar.h>

#include <array>
#include <cmath>

#include "platform/rtl/DateTime.h"

namespace {

// ---- dates ----

struct Cursor {
  std::u16string_view s;
  size_t i = 0;
  bool AtEnd() const { return i >= s.size(); }
  Char Peek() const { return AtEnd() ? 0 : s[i]; }
  void SkipBlanks() {
    while (!AtEnd() && (s[i] == ' ' || s[i] == '\t')) ++i;
  }
  // Up to maxDigits digits; the count read is returned in digits.
  bool Number(int& value, int& digits, int maxDigits = 9) {
    value = 0;
    digits = 0;
    while (!AtEnd() && s[i] >= '0' && s[i] <= '9' && digits < maxDigits) {
      value = value * 10 + (s[i] - '0');
      ++i;
      ++digits;
    }
    return digits > 0;
  }
};

bool ValidDate(int y, int m, int d, TDateTime& date) {
  if (y < 1753 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  return TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), date);
}

// hh:mm[:ss[.fff]] [AM|PM] at the cursor, up to the end of the text.
bool ParseTimePart(Cursor& c, TDateTime& time) {
  int h, mi = 0, sec = 0, ms = 0, n;
  if (!c.Number(h, n, 2)) return false;
  if (c.Peek() != ':') return false;
  ++c.i;
  if (!c.Number(mi, n, 2)) return false;
  if (c.Peek() == ':') {
    ++c.i;
    if (!c.Number(sec, n, 2)) return false;
    if (c.Peek() == '.' || c.Peek() == ':') {
      ++c.i;
      int frac, digits;
      if (!c.Number(frac, digits, 3)) return false;
      while (digits < 3) frac *= 10, ++digits;
      ms = frac;
      while (!c.AtEnd() && c.Peek() >= '0' && c.Peek() <= '9') ++c.i;
    }
  }
  c.SkipBlanks();
  if (!c.AtEnd()) {
    Char a = c.s[c.i] | 0x20, b = c.i + 1 < c.s.size() ? (c.s[c.i + 1] | 0x20) : 0;
    if ((a == 'a' || a == 'p') && b == 'm') {
      if (h < 1 || h > 12) return false;
      if (a == 'p' && h < 12) h += 12;
      if (a == 'a' && h == 12) h = 0;
      c.i += 2;
      c.SkipBlanks();
    }
  }
  if (!c.AtEnd()) return false;
  return TryEncodeTime(static_cast<Word>(h), static_cast<Word>(mi), static_cast<Word>(sec),
                       static_cast<Word>(ms), time);
}

int ExpandYear(int y, int digits) {
  if (digits > 2) return y;
  return y < 50 ? 2000 + y : 1900 + y;
}

bool ParseDatePart(Cursor& c, TDateTime& date, bool style104) {
  int a, b, y, na, nb, ny;
  if (!c.Number(a, na, 8)) return false;
  if (na == 8 && !style104) {  // yyyymmdd
    return ValidDate(a / 10000, a / 100 % 100, a % 100, date);
  }
  Char sep = c.Peek();
  if (sep != '.' && sep != '/' && sep != '-') return false;
  ++c.i;
  if (!c.Number(b, nb, 2)) return false;
  if (c.Peek() != sep) return false;
  ++c.i;
  if (!c.Number(y, ny, 4)) return false;
  if (na == 4 && !style104) return ValidDate(a, b, y, date);  // yyyy-mm-dd
  if (na > 2) return false;
  if (style104 && ny != 4 && ny != 2) return false;
  if (ny == 3) return false;
  return ValidDate(ExpandYear(y, ny), b, a, date);
}

bool ParseDateTime(std::u16string_view text, TDateTime& value, bool style104) {
  Cursor c{text};
  c.SkipBlanks();
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  c.s = text;
  if (c.AtEnd()) return false;
  // A time alone.
  size_t save = c.i;
  {
    TDateTime t;
    if (!style104 && ParseTimePart(c, t)) {
      value = 2.0 + t;  // 1900-01-01
      return true;
    }
    c.i = save;
  }
  TDateTime d;
  if (!ParseDatePart(c, d, style104)) return false;
  if (c.AtEnd()) {
    value = d;
    return true;
  }
  if (c.Peek() != ' ' && c.Peek() != 'T') return false;
  ++c.i;
  c.SkipBlanks();
  TDateTime t;
  if (!ParseTimePart(c, t)) return false;
  value = d + t;
  return true;
}

// ---- collation ----

constexpr char16_t kAlphabet[] = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя";

struct Weight {
  uint32_t primary;
  uint8_t secondary;
};

uint32_t Fold(char32_t c) {
  return static_cast<uint32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

Weight CharWeight(char32_t c) {
  if (c < 0x80) {
    if (c >= '0' && c <= '9') return {0x200000u + (c - '0'), 0};
    if (c >= 'A' && c <= 'Z') c += 32;
    if (c >= 'a' && c <= 'z') return {0x300000u + (c - 'a') * 4, 0};
    return {1u + c, 0};
  }
  uint32_t f = Fold(c);
  if (f >= 0x430 && f <= 0x44F) {
    // а..я are contiguous; ё (0x451) sits between е and ж.
    uint32_t index = f - 0x430;
    if (f > 0x435) ++index;
    return {0x400000u + index * 4, 0};
  }
  if (f == 0x451) return {0x400000u + 5 * 4, 1};  // ё: е, then accent
  if (f >= 0x400 && f <= 0x52F) return {0x480000u + f, 0};
  if (u_isalnum(static_cast<UChar32>(f))) {
    if (f < 0x250) return {0x380000u + f, 0};  // accented Latin after plain Latin
    return {0x500000u + f, 0};
  }
  return {1u + f, 0};
}

template <class Iter>
int CompareWith(Iter a, Iter b) {
  int secondary = 0;
  for (;;) {
    char32_t ca = 0, cb = 0;
    bool ha = a.Next(ca), hb = b.Next(cb);
    if (!ha || !hb) {
      if (ha != hb) return ha ? 1 : -1;
      return secondary;
    }
    if (ca == cb) continue;
    Weight wa = CharWeight(ca), wb = CharWeight(cb);
    if (wa.primary != wb.primary) return wa.primary < wb.primary ? -1 : 1;
    if (secondary == 0 && wa.secondary != wb.secondary) secondary = wa.secondary < wb.secondary ? -1 : 1;
  }
}

struct Utf8Iter {
  std::string_view s;
  size_t i = 0;
  bool Next(char32_t& c) {
    if (i >= s.size()) return false;
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      c = b;
      ++i;
      return true;
    }
    int len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    c = len == 4 ? (b & 0x07) : len == 3 ? (b & 0x0F) : len == 2 ? (b & 0x1F) : 0xFFFD;
    for (int k = 1; k < len && i + k < s.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    return true;
  }
};

struct Utf16Iter {
  std::u16string_view s;
  size_t i = 0;
  bool Next(char32_t& c) {
    if (i >= s.size()) return false;
    c = s[i++];
    if (c >= 0xD800 && c < 0xDC00 && i < s.size() && s[i] >= 0xDC00 && s[i] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00);
    return true;
  }
};

template <class View>
View TrimTrailingBlanks(View s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

template <class Map>
std::string MapCase(std::string_view utf8, Map map) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(map(b));
      ++i;
      continue;
    }
    Utf8Iter it{utf8, i};
    char32_t c = 0xFFFD;
    it.Next(c);
    i = it.i;
    AppendUtf8(out, map(c));
  }
  return out;
}

}  // namespace

bool ParseServerDateTime(std::u16string_view text, TDateTime& value) {
  return ParseDateTime(text, value, false);
}
bool ParseDateStyle104(std::u16string_view text, TDateTime& value) {
  return ParseDateTime(text, value, true);
}

int CompareServerText(std::string_view a, std::string_view b) {
  return CompareWith(Utf8Iter{TrimTrailingBlanks(a)}, Utf8Iter{TrimTrailingBlanks(b)});
}

int CompareServerText(std::u16string_view a, std::u16string_view b) {
  return CompareWith(Utf16Iter{TrimTrailingBlanks(a)}, Utf16Iter{TrimTrailingBlanks(b)});
}

std::string ServerTextSortKey(std::u16string_view s) {
  s = TrimTrailingBlanks(s);
  std::string key;
  key.reserve(s.size() * 3 + 2);
  std::string secondary;
  Utf16Iter it{s};
  char32_t c;
  while (it.Next(c)) {
    Weight w = CharWeight(c);
    // Primary weights are below 2^23 and never 0: three bytes, with 0 kept free as the separator.
    key += static_cast<char>(((w.primary >> 16) & 0xFF) + 1);
    key += static_cast<char>(((w.primary >> 8) & 0xFF) | 0);
    key += static_cast<char>(w.primary & 0xFF);
    secondary += static_cast<char>(w.secondary + 1);
  }
  key += '\0';
  key += secondary;
  return key;
}

std::string ServerUpper(std::string_view utf8) {
  return MapCase(utf8, [](char32_t c) -> char32_t {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
  });
}

std::string ServerLower(std::string_view utf8) {
  return MapCase(utf8, [](char32_t c) -> char32_t {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
  });
}
