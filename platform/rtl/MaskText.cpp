#include "platform/rtl/MaskText.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace {

enum class TCase { Keep, Upper, Lower };

bool IsInputChar(Char c) {
  switch (c) {
    case u'L': case u'l': case u'A': case u'a': case u'C': case u'c': case u'0': case u'9': case u'#':
      return true;
    default:
      return false;
  }
}

Char Cased(Char c, TCase mode) {
  return mode == TCase::Upper ? AnsiUpperChar(c) : mode == TCase::Lower ? AnsiLowerChar(c) : c;
}

}  // namespace

String FormatMaskText(const String& EditMask, const String& Value) {
  // The sections: picture ; literals saved ; blank.
  String picture = EditMask;
  bool literalsSaved = true;
  Char blank = u'_';
  // The last two sections are single characters after the last two unescaped ';'.
  size_t split = String::npos;
  for (size_t i = 0; i < EditMask.size(); ++i) {
    if (EditMask[i] == u'\\') {
      ++i;
      continue;
    }
    if (EditMask[i] == u';') {
      split = i;
      break;
    }
  }
  if (split != String::npos) {
    picture = EditMask.substr(0, split);
    const String rest = EditMask.substr(split + 1);
    if (!rest.empty()) literalsSaved = rest[0] != u'0';
    const size_t second = rest.find(u';');
    if (second != String::npos && second + 1 < rest.size()) blank = rest[second + 1];
  }
  const TFormatSettings& fs = FormatSettings();
  String out;
  size_t next = 0;  // the next character of Value
  TCase mode = TCase::Keep;
  auto take = [&]() -> Char { return next < Value.size() ? Value[next++] : blank; };
  for (size_t i = 0; i < picture.size(); ++i) {
    const Char c = picture[i];
    if (c == u'>' || c == u'<') {
      if (c == u'<' && i + 1 < picture.size() && picture[i + 1] == u'>') {
        mode = TCase::Keep;
        ++i;
      } else {
        mode = c == u'>' ? TCase::Upper : TCase::Lower;
      }
      continue;
    }
    if (c == u'!') continue;
    if (IsInputChar(c)) {
      const Char v = take();
      out += v == blank ? v : Cased(v, mode);
      continue;
    }
    Char literal = c;
    if (c == u'\\' && i + 1 < picture.size()) literal = picture[++i];
    else if (c == u':') literal = fs.TimeSeparator;
    else if (c == u'/') literal = fs.DateSeparator;
    out += literal;
    // A value that keeps the literals has one here too.
    if (literalsSaved && next < Value.size()) ++next;
  }
  return out;
}
