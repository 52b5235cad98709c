#include "platform/rtl/String.h"

#include "platform/rtl/Utf8Text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

void AssignUtf8(String& Out, std::string_view Utf8) {
  // A UTF-8 text never has more UTF-16 units than bytes: the units are written in place and the
  // text cut to what was written.
  const size_t n = Utf8.size();
  Out.resize(n);
  Char* out = Out.data();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(Utf8[i]);
    if (c < 0x80) {
      *out++ = c;
      ++i;
      continue;
    }
    const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    bool ok = extra > 0 && c <= 0xF4 && i + extra < n;
    for (int k = 1; ok && k <= extra; ++k) {
      const unsigned char cc = static_cast<unsigned char>(Utf8[i + k]);
      ok = (cc & 0xC0) == 0x80;
      cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (!ok) {
      *out++ = static_cast<Char>(kReplacement);
      ++i;
    } else if (cp < 0x10000) {
      *out++ = static_cast<Char>(cp);
      i += extra + 1;
    } else {
      cp -= 0x10000;
      *out++ = static_cast<Char>(0xD800 + (cp >> 10));
      *out++ = static_cast<Char>(0xDC00 + (cp & 0x3FF));
      i += extra + 1;
    }
  }
  Out.resize(static_cast<size_t>(out - Out.data()));
}

String Utf8ToString(std::string_view utf8) {
  String out;
  AssignUtf8(out, utf8);
  return out;
}

std::string StringToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}
