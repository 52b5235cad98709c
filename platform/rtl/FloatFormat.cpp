// FormatFloat's picture formats.
#include <algorithm>
#include <limits>
#include <vector>

#include "platform/rtl/DecimalText.h"

namespace rtl_internal {

namespace {

// What a section asks for, found by one pass over it.
struct SectionSpec {
  int intPlaceholders = 0;
  int minIntDigits = 0;  // placeholders from the first '0' of the integer part to its end
  int minDecimals = 0;   // up to the last '0' after the decimal point
  int maxDecimals = 0;
  bool thousands = false;
  bool scientific = false;
};

bool IsPlaceholder(Char c) { return c == u'0' || c == u'#'; }
bool IsQuote(Char c) { return c == u'"' || c == u'\''; }

// True when format[i] starts an exponent: E/e followed by a sign.
bool IsExponentAt(const String& f, size_t i) {
  return (f[i] == u'E' || f[i] == u'e') && i + 1 < f.size() && (f[i + 1] == u'+' || f[i + 1] == u'-');
}

std::vector<String> SplitSections(const String& format) {
  std::vector<String> sections(1);
  Char quote = 0;
  for (Char c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (IsQuote(c)) {
      quote = c;
    } else if (c == u';' && sections.size() < 3) {
      sections.emplace_back();
      continue;
    }
    sections.back().push_back(c);
  }
  return sections;
}

SectionSpec Analyze(const String& f) {
  SectionSpec layout;
  bool afterPoint = false;
  int firstZero = -1;
  Char quote = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    const Char c = f[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (IsQuote(c)) {
      quote = c;
    } else if (layout.scientific) {
      continue;  // exponent digits
    } else if (IsExponentAt(f, i)) {
      layout.scientific = true;
    } else if (c == u'.') {
      afterPoint = true;
    } else if (c == u',') {
      if (!afterPoint) layout.thousands = true;
    } else if (IsPlaceholder(c)) {
      if (afterPoint) {
        ++layout.maxDecimals;
        if (c == u'0') layout.minDecimals = layout.maxDecimals;
      } else {
        if (c == u'0' && firstZero < 0) firstZero = layout.intPlaceholders;
        ++layout.intPlaceholders;
      }
    }
  }
  layout.maxDecimals = std::min(layout.maxDecimals, 18);
  layout.minDecimals = std::min(layout.minDecimals, layout.maxDecimals);
  if (firstZero >= 0) layout.minIntDigits = layout.intPlaceholders - firstZero;
  return layout;
}

String Render(const String& f, const SectionSpec& layout, const Decimal& r, bool minus,
              const TFormatSettings& settings) {
  // Integer and fraction digits, and the exponent for the scientific form.
  std::string intDigits, fraction;
  int exponent = 0;
  const int len = static_cast<int>(r.digits.size());
  if (layout.scientific) {
    const int ip = layout.intPlaceholders;
    exponent = r.IsZero() ? 0 : r.exponent - ip;
    for (int i = 0; i < ip; ++i) intDigits.push_back(i < len ? r.digits[i] : '0');
    if (len > ip) fraction = r.digits.substr(static_cast<size_t>(ip));
    const size_t lead = intDigits.find_first_not_of('0');
    intDigits.erase(0, lead == std::string::npos ? intDigits.size() : lead);
  } else {
    for (int i = 0; i < r.exponent; ++i) intDigits.push_back(i < len ? r.digits[i] : '0');
    for (int k = 0; k < layout.maxDecimals; ++k) {
      const int i = r.exponent + k;
      fraction.push_back(i >= 0 && i < len ? r.digits[i] : '0');
    }
  }
  if (static_cast<int>(intDigits.size()) < layout.minIntDigits)
    intDigits.insert(0, static_cast<size_t>(layout.minIntDigits) - intDigits.size(), '0');
  while (static_cast<int>(fraction.size()) > layout.minDecimals && fraction.back() == '0') fraction.pop_back();
  if (static_cast<int>(fraction.size()) < layout.minDecimals)
    fraction.resize(static_cast<size_t>(layout.minDecimals), '0');

  String out = minus ? u"-" : u"";
  const int intLen = static_cast<int>(intDigits.size());
  int emitted = 0;  // integer digits written so far
  auto emitIntDigit = [&](char d) {
    out.push_back(static_cast<Char>(d));
    ++emitted;
    const int left = intLen - emitted;
    if (layout.thousands && left > 0 && left % 3 == 0) out.push_back(settings.ThousandSeparator);
  };
  int intIndex = 0, fracIndex = 0;
  bool afterPoint = false;
  Char quote = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    const Char c = f[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        out.push_back(c);
      continue;
    }
    if (IsQuote(c)) {
      quote = c;
    } else if (layout.scientific && IsExponentAt(f, i)) {
      out.push_back(c);
      if (exponent < 0 || f[i + 1] == u'+') out.push_back(exponent < 0 ? u'-' : u'+');
      i += 2;
      int expDigits = 0;
      while (i < f.size() && IsPlaceholder(f[i])) {
        if (f[i] == u'0') ++expDigits;
        ++i;
      }
      std::string e = std::to_string(std::abs(exponent));
      if (static_cast<int>(e.size()) < expDigits) e.insert(0, static_cast<size_t>(expDigits) - e.size(), '0');
      out += Ascii(e);
      --i;
    } else if (c == u'.' && !afterPoint) {
      afterPoint = true;
      if (!fraction.empty()) out.push_back(settings.DecimalSeparator);
    } else if (c == u',' || c == u'.') {
      // the thousands flag, or a second point: not printed
    } else if (IsPlaceholder(c)) {
      if (afterPoint) {
        if (fracIndex < static_cast<int>(fraction.size()))
          out.push_back(static_cast<Char>(fraction[fracIndex]));
        ++fracIndex;
      } else {
        // The digits that do not have a placeholder of their own go with the first one.
        const int offset = intLen - layout.intPlaceholders;
        if (intIndex == 0 && offset > 0) {
          for (int k = 0; k <= offset; ++k) emitIntDigit(intDigits[k]);
        } else {
          const int j = intIndex + offset;
          if (j >= 0) emitIntDigit(intDigits[j]);
        }
        ++intIndex;
      }
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

String FormatDecimal(const String& format, const DecimalSource& source, const TFormatSettings& settings) {
  const Decimal& d = source.digits;
  if (format.empty() || d.kind != Decimal::Kind::Finite)
    return FloatToText(source, ffGeneral, 15, 0, settings, 18);
  const std::vector<String> sections = SplitSections(format);
  auto present = [&](size_t i) { return i < sections.size() && !sections[i].empty(); };

  size_t index = 0;
  if (d.IsZero() && present(2))
    index = 2;
  else if (d.negative && !d.IsZero() && present(1))
    index = 1;

  SectionSpec layout = Analyze(sections[index]);
  auto roundFor = [&](const SectionSpec& s) {
    return s.scientific ? RoundDecimal(source, std::clamp(s.intPlaceholders + s.maxDecimals, 1, 18),
                                       std::numeric_limits<int>::max())
                        : RoundDecimal(source, 15, s.maxDecimals);
  };
  Decimal r = roundFor(layout);
  if (r.IsZero() && index != 2) {
    // Rounds to zero: the zero section if there is one, else the positive one, never with a sign.
    index = present(2) ? 2 : 0;
    layout = Analyze(sections[index]);
    r = Decimal{};
  }
  const bool minus = index == 0 && r.negative;
  return Render(sections[index], layout, r, minus, settings);
}

}  // namespace rtl_internal
