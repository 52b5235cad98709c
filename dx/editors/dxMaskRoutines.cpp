#include "dx/editors/dxMaskRoutines.h"

#include <vector>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr Char kEscape = u'\\';

// The first field separator among the last four characters (1-based), 0 when there is none.
int FieldSeparatorPos(const String& Mask) {
  const int n = static_cast<int>(Mask.size());
  for (int i = std::max(1, n - 3); i <= n; ++i)
    if (Mask[i - 1] == dxMaskFieldSeparator && !(i > 1 && Mask[i - 2] == kEscape)) return i;
  return 0;
}

// The kind of every position of the mask, in one pass (escapes depend on what came before).
std::vector<TdxMaskCharType> Classify(const String& Mask) {
  const int n = static_cast<int>(Mask.size());
  const int separator = FieldSeparatorPos(Mask);
  std::vector<TdxMaskCharType> kinds(static_cast<size_t>(n), mcNone);
  bool escaped = false;
  for (int i = 1; i <= n; ++i) {
    const Char c = Mask[i - 1];
    TdxMaskCharType& k = kinds[static_cast<size_t>(i - 1)];
    if (separator && i >= separator) {
      k = c == dxMaskFieldSeparator && !(i > 1 && Mask[i - 2] == kEscape) ? mcFieldSeparator : mcField;
      continue;
    }
    if (escaped) {
      k = mcLiteral;
      escaped = false;
      continue;
    }
    switch (c) {
      case u'0':
      case u'L':
      case u'A':
      case u'C': k = mcMask; break;
      case u'9':
      case u'l':
      case u'a':
      case u'c':
      case u'#': k = mcMaskOpt; break;
      case u':':
      case u'/': k = mcIntlLiteral; break;
      case u'!':
      case u'>':
      case u'<': k = mcDirective; break;
      case kEscape:
        k = mcDirective;
        escaped = true;
        break;
      default: k = mcLiteral; break;
    }
  }
  return kinds;
}

bool IsLiteralKind(TdxMaskCharType k) { return k == mcLiteral || k == mcIntlLiteral; }
bool IsInputKind(TdxMaskCharType k) { return k == mcMask || k == mcMaskOpt; }
bool IsTextKind(TdxMaskCharType k) { return IsLiteralKind(k) || IsInputKind(k); }

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

// Letters of the Windows code pages the system runs on: Latin, Latin-1 and Cyrillic.
bool IsLetter(Char c) {
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
  if (c >= 0x00C0 && c <= 0x00FF && c != 0x00D7 && c != 0x00F7) return true;
  return c >= 0x0400 && c <= 0x045F;
}

bool HasReverse(const String& Mask) {
  const auto kinds = Classify(Mask);
  for (size_t i = 0; i < kinds.size(); ++i)
    if (kinds[i] == mcDirective && Mask[i] == u'!') return true;
  return false;
}

Char LiteralChar(const String& Mask, int MaskPos, TdxMaskCharType Kind) {
  const Char c = Mask[static_cast<size_t>(MaskPos - 1)];
  return Kind == mcIntlLiteral ? IntlLiteralToChar(c) : c;
}

}  // namespace

TdxMaskCharType GetMaskCharType(const String& Mask, int MaskPos) {
  if (MaskPos < 1 || MaskPos > static_cast<int>(Mask.size())) return mcNone;
  return Classify(Mask)[static_cast<size_t>(MaskPos - 1)];
}

TdxMaskDirectives GetMaskDirectives(const String& Mask, int MaskPos) {
  TdxMaskDirectives d;
  const auto kinds = Classify(Mask);
  const int n = std::min<int>(MaskPos, static_cast<int>(kinds.size()));
  for (int i = 1; i <= n; ++i) {
    if (kinds[static_cast<size_t>(i - 1)] != mcDirective) continue;
    switch (Mask[static_cast<size_t>(i - 1)]) {
      case u'!': d.Include(mdReverseDir); break;
      case u'>':
        d.Include(mdUpperCase);
        d.Exclude(mdLowerCase);
        break;
      case u'<':
        if (i < static_cast<int>(Mask.size()) && Mask[static_cast<size_t>(i)] == u'>') {
          d.Exclude(mdUpperCase);
          d.Exclude(mdLowerCase);
          ++i;  // "<>" switches case conversion off
        } else {
          d.Include(mdLowerCase);
          d.Exclude(mdUpperCase);
        }
        break;
      default: break;
    }
  }
  if (MaskPos >= 1 && MaskPos <= static_cast<int>(kinds.size()) && IsLiteralKind(kinds[static_cast<size_t>(MaskPos - 1)]))
    d.Include(mdLiteralChar);
  return d;
}

Char IntlLiteralToChar(Char C) {
  if (C == u'/') return FormatSettings().DateSeparator;
  if (C == u':') return FormatSettings().TimeSeparator;
  return C;
}

bool ReadMaskSaveFlag(const String& Mask) {
  const int n = static_cast<int>(Mask.size());
  // The separators among the last four positions, scanning from the end.
  int last = 0, earlier = 0;
  for (int i = n; i >= std::max(1, n - 3); --i) {
    if (Mask[static_cast<size_t>(i - 1)] != dxMaskFieldSeparator) continue;
    if (i > 1 && Mask[static_cast<size_t>(i - 2)] == kEscape) continue;
    if (!last)
      last = i;
    else if (!earlier)
      earlier = i;
  }
  const int separator = earlier ? earlier : last;
  if (!separator || separator >= n) return true;
  return Mask[static_cast<size_t>(separator)] != dxMaskNoSave;
}

Char ReadMaskBlank(const String& Mask) {
  const int n = static_cast<int>(Mask.size());
  if (n >= 4 && Mask[static_cast<size_t>(n - 2)] == dxMaskFieldSeparator &&
      (Mask[static_cast<size_t>(n - 3)] == dxMaskFieldSeparator || Mask[static_cast<size_t>(n - 4)] == dxMaskFieldSeparator))
    return Mask[static_cast<size_t>(n - 1)];
  return dxDefaultMaskBlank;
}

int MaskPosToTextPos(const String& Mask, int MaskPos) {
  const auto kinds = Classify(Mask);
  const int n = std::min<int>(MaskPos, static_cast<int>(kinds.size()));
  int count = 0;
  for (int i = 0; i < n; ++i)
    if (IsTextKind(kinds[static_cast<size_t>(i)])) ++count;
  return count;
}

int TextPosToMaskPos(const String& Mask, int TextPos) {
  if (TextPos < 0) return -1;
  const auto kinds = Classify(Mask);
  int count = 0;
  for (size_t i = 0; i < kinds.size(); ++i) {
    if (!IsTextKind(kinds[i])) continue;
    if (count == TextPos) return static_cast<int>(i) + 1;
    ++count;
  }
  return -1;
}

bool IsLiteralPosition(const String& Mask, int TextPos) {
  const int p = TextPosToMaskPos(Mask, TextPos);
  return p > 0 && IsLiteralKind(GetMaskCharType(Mask, p));
}

int MaskCharCount(const String& Mask) { return MaskPosToTextPos(Mask, static_cast<int>(Mask.size())); }

String ApplyMaskFormat(const String& Mask, const String& Value, Char Blank) {
  const auto kinds = Classify(Mask);
  const int n = static_cast<int>(kinds.size());
  String result = Value;
  if (!HasReverse(Mask)) {
    size_t p = 0;  // 0-based text position
    for (int i = 0; i < n; ++i) {
      const TdxMaskCharType k = kinds[static_cast<size_t>(i)];
      if (IsLiteralKind(k)) {
        result.insert(std::min(p, result.size()), 1, LiteralChar(Mask, i + 1, k));
        ++p;
      } else if (IsInputKind(k)) {
        if (result.size() <= p) result.push_back(Blank);
        ++p;
      }
    }
  } else {
    int p = static_cast<int>(result.size());
    for (int i = n - 1; i >= 0; --i) {
      const TdxMaskCharType k = kinds[static_cast<size_t>(i)];
      if (IsLiteralKind(k)) {
        result.insert(static_cast<size_t>(p), 1, LiteralChar(Mask, i + 1, k));
      } else if (IsInputKind(k)) {
        if (p > 0)
          --p;
        else
          result.insert(0, 1, Blank);
      }
    }
  }
  const size_t count = static_cast<size_t>(MaskCharCount(Mask));
  if (result.size() > count) result.resize(count);  // a value longer than the mask is cut
  return result;
}

String FitSubField(const String& Mask, const String& Value, int StartField, int StopField, int Length, Char Blank) {
  const bool reverse = HasReverse(Mask);
  String field = Value.substr(static_cast<size_t>(StartField), static_cast<size_t>(StopField - StartField));
  const int have = static_cast<int>(field.size());
  if (have < Length) {
    if (reverse)
      field.insert(0, static_cast<size_t>(Length - have), Blank);
    else
      field.append(static_cast<size_t>(Length - have), Blank);
  } else if (have > Length) {
    field = reverse ? field.substr(static_cast<size_t>(have - Length)) : field.substr(0, static_cast<size_t>(Length));
  }
  return Value.substr(0, static_cast<size_t>(StartField)) + field + Value.substr(static_cast<size_t>(StopField));
}

String AlignToLiterals(const String& Mask, const String& Value, Char Blank) {
  const auto kinds = Classify(Mask);
  String result = Value;
  int fieldStart = 0;     // where the current sub-field starts in the result
  int prevTextPos = 0;    // the text position after the previous literal
  int textPos = 0;
  for (size_t i = 0; i < kinds.size(); ++i) {
    const TdxMaskCharType k = kinds[i];
    if (!IsTextKind(k)) continue;
    if (IsLiteralKind(k)) {
      const Char literal = LiteralChar(Mask, static_cast<int>(i) + 1, k);
      size_t at = result.find(literal, static_cast<size_t>(fieldStart));
      if (at == String::npos) {
        result.push_back(literal);
        at = result.size() - 1;
      }
      const int length = textPos - prevTextPos;
      result = FitSubField(Mask, result, fieldStart, static_cast<int>(at), length, Blank);
      fieldStart += length + 1;
      prevTextPos = textPos + 1;
    }
    ++textPos;
  }
  const int count = textPos;
  result = FitSubField(Mask, result, fieldStart, static_cast<int>(result.size()), count - fieldStart, Blank);
  for (int t = 0; t < static_cast<int>(result.size()); ++t)
    if (result[static_cast<size_t>(t)] == u' ' && !IsLiteralPosition(Mask, t)) result[static_cast<size_t>(t)] = Blank;
  return result;
}

String StripMask(const String& Mask, const String& Value, Char Blank) {
  String result;
  for (int t = 0; t < static_cast<int>(Value.size()); ++t)
    if (!IsLiteralPosition(Mask, t)) result.push_back(Value[static_cast<size_t>(t)]);
  if (HasReverse(Mask)) {
    size_t first = result.find_first_not_of(Blank);
    result.erase(0, first == String::npos ? result.size() : first);
  } else {
    size_t last = result.find_last_not_of(Blank);
    result.resize(last == String::npos ? 0 : last + 1);
  }
  if (Blank != u' ')
    for (Char& c : result)
      if (c == Blank) c = u' ';
  return result;
}

bool AcceptMaskChar(const String& Mask, int MaskPos, Char Typed, Char& Fitted) {
  const TdxMaskCharType k = GetMaskCharType(Mask, MaskPos);
  if (IsLiteralKind(k)) {
    Fitted = LiteralChar(Mask, MaskPos, k);
    return true;
  }
  if (!IsInputKind(k)) return false;
  Fitted = Typed;
  bool ok;
  switch (Mask[static_cast<size_t>(MaskPos - 1)]) {
    case u'0':
    case u'9': ok = IsDigit(Typed); break;
    case u'#': ok = IsDigit(Typed) || Typed == u' ' || Typed == u'+' || Typed == u'-'; break;
    case u'L':
    case u'l': ok = IsLetter(Typed); break;
    case u'A':
    case u'a': ok = IsLetter(Typed) || IsDigit(Typed); break;
    default: ok = true; break;  // "C" and "c"
  }
  if (!ok) return false;
  if (IsLetter(Typed)) {
    const TdxMaskDirectives d = GetMaskDirectives(Mask, MaskPos);
    if (d.Contains(mdUpperCase)) Fitted = AnsiUpperCase(String(1, Typed))[0];
    if (d.Contains(mdLowerCase)) Fitted = AnsiLowerCase(String(1, Typed))[0];
  }
  return true;
}

bool IsMaskTextComplete(const String& Mask, const String& Text, Char Blank, bool IgnoreBlank, int& FirstMissing) {
  FirstMissing = -1;
  for (int t = 0; t < static_cast<int>(Text.size()); ++t) {
    const int p = TextPosToMaskPos(Mask, t);
    if (p < 0 || GetMaskCharType(Mask, p) != mcMask) continue;
    const Char m = Mask[static_cast<size_t>(p - 1)];
    const Char c = Text[static_cast<size_t>(t)];
    if ((c == Blank && !IgnoreBlank) || (c == u' ' && m != u'C')) {
      FirstMissing = t;
      return false;
    }
  }
  return true;
}
