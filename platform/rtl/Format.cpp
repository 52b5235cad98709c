#include "platform/rtl/Format.h"

#include <algorithm>
#include <cstdint>

#include "platform/rtl/DecimalText.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

using namespace rtl_internal;

namespace {

class Formatter {
 public:
  Formatter(const String& format, const TVarRec* args, size_t count, const TFormatSettings& settings)
      : format_(format), args_(args), count_(count), settings_(settings) {}

  String Run() {
    String out;
    size_t i = 0;
    const size_t n = format_.size();
    while (i < n) {
      const size_t p = format_.find(u'%', i);
      if (p == String::npos) {
        out.append(format_, i, String::npos);
        break;
      }
      out.append(format_, i, p - i);
      i = p + 1;
      if (i < n && format_[i] == u'%') {
        out.push_back(u'%');
        ++i;
        continue;
      }
      out += Directive(i);
    }
    return out;
  }

 private:
  [[noreturn]] void Fail() const {
    throw EConvertError(u"Format '" + format_ + u"' invalid or incompatible with argument");
  }

  // A number or '*' (the next argument, an Integer); -1 when absent. Widths and precisions beyond
  // kMaxNumber would only ask for gigabytes of padding.
  int Number(size_t& i) {
    constexpr Int64 kMaxNumber = 100000;
    const size_t n = format_.size();
    if (i < n && format_[i] == u'*') {
      ++i;
      const TVarRec& a = Next();
      if (a.GetKind() != TVarRec::Kind::Integer || a.AsInt64() > kMaxNumber) Fail();
      return static_cast<int>(a.AsInt64());
    }
    if (i >= n || format_[i] < u'0' || format_[i] > u'9') return -1;
    Int64 v = 0;
    while (i < n && format_[i] >= u'0' && format_[i] <= u'9') {
      v = v * 10 + (format_[i++] - u'0');
      if (v > kMaxNumber) Fail();
    }
    return static_cast<int>(v);
  }

  const TVarRec& Next() {
    if (next_ >= count_) Fail();
    return args_[next_++];
  }

  String Directive(size_t& i) {
    const size_t n = format_.size();
    bool left = false;
    int width = -1, precision = -1;
    int first = Number(i);
    if (i < n && format_[i] == u':') {
      if (first < 0) Fail();
      next_ = static_cast<size_t>(first);
      ++i;
      first = -1;
    }
    if (first < 0) {
      if (i < n && format_[i] == u'-') {
        left = true;
        ++i;
      }
      width = Number(i);
    } else {
      width = first;
    }
    if (i < n && format_[i] == u'.') {
      ++i;
      precision = Number(i);
      if (precision < 0) Fail();
    }
    if (i >= n) Fail();
    const Char type = AnsiUpperChar(format_[i++]);
    String text = Convert(type, Next(), precision);
    if (width > static_cast<int>(text.size())) {
      const String pad(static_cast<size_t>(width) - text.size(), u' ');
      text = left ? text + pad : pad + text;
    }
    return text;
  }

  static bool IsInt(const TVarRec& a) {
    return a.GetKind() == TVarRec::Kind::Integer || a.GetKind() == TVarRec::Kind::Int64;
  }

  DecimalSource FloatSource(const TVarRec& a) const {
    if (a.GetKind() == TVarRec::Kind::Extended) return SourceOfDouble(a.AsDouble());
    if (a.GetKind() == TVarRec::Kind::Currency) return SourceOfScaled(a.AsInt64(), 4);
    Fail();
  }

  String Convert(Char type, const TVarRec& a, int precision) {
    switch (type) {
      case u'D':
      case u'U': {
        if (!IsInt(a)) Fail();
        Int64 v = a.AsInt64();
        // An Integer prints unsigned as its 32-bit pattern.
        if (type == u'U' && v < 0 && a.GetKind() == TVarRec::Kind::Integer) v = static_cast<Cardinal>(v);
        String digits = type == u'U' && v < 0
                            ? UIntToStr(static_cast<UInt64>(v))
                            : UIntToStr(v < 0 ? 0 - static_cast<UInt64>(v) : static_cast<UInt64>(v));
        if (precision > static_cast<int>(digits.size()))
          digits.insert(0, static_cast<size_t>(precision) - digits.size(), u'0');
        return (type == u'D' && v < 0) ? u"-" + digits : digits;
      }
      case u'X': {
        if (!IsInt(a)) Fail();
        return a.GetKind() == TVarRec::Kind::Integer ? IntToHex(static_cast<Integer>(a.AsInt64()), precision)
                                                     : IntToHex(a.AsInt64(), precision);
      }
      case u'E':
        return FloatToText(FloatSource(a), ffExponent, precision < 0 ? 15 : precision, 3, settings_, 18);
      case u'F':
        return FloatToText(FloatSource(a), ffFixed, 18, precision < 0 ? 2 : precision, settings_, 18);
      case u'G':
        return FloatToText(FloatSource(a), ffGeneral, precision < 0 ? 15 : precision, 0, settings_, 18);
      case u'N':
        return FloatToText(FloatSource(a), ffNumber, 18, precision < 0 ? 2 : precision, settings_, 18);
      case u'M':
        return FloatToText(FloatSource(a), ffCurrency, 18,
                           precision < 0 ? settings_.CurrencyDecimals : precision, settings_, 18);
      case u'S': {
        String text;
        if (a.GetKind() == TVarRec::Kind::String)
          text = String(a.AsText());
        else if (a.GetKind() == TVarRec::Kind::Char)
          text = String(1, static_cast<Char>(a.AsInt64()));
        else
          Fail();
        if (precision >= 0 && precision < static_cast<int>(text.size()))
          text.resize(static_cast<size_t>(precision));
        return text;
      }
      case u'P':
        if (a.GetKind() != TVarRec::Kind::Pointer) Fail();
        return IntToHex(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(a.AsPointer())), 16);
      default:
        Fail();
    }
  }

  const String& format_;
  const TVarRec* args_;
  size_t count_;
  const TFormatSettings& settings_;
  size_t next_ = 0;
};

}  // namespace

TVarRec::TVarRec(const char* utf8) : kind_(Kind::String), owned_(Utf8ToString(utf8 ? utf8 : "")) {}

String Format(const String& format, const TVarRec* args, size_t count, const TFormatSettings& settings) {
  return Formatter(format, args, count, settings).Run();
}

String Format(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& settings) {
  return Format(format, args.begin(), args.size(), settings);
}

String Format(const String& format, std::initializer_list<TVarRec> args) {
  return Format(format, args.begin(), args.size(), FormatSettings());
}
