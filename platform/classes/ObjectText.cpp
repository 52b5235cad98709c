// The text form of the component stream ("object Name: TClass ... end") and conversion both ways.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/classes/Filer.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/Extended.h"
#include "platform/rtl/String.h"

namespace {

// ---- binary to text --------------------------------------------------------------------------

class BinaryToText {
 public:
  BinaryToText(TStream* input, std::string& out) : reader_(input), out_(out) {}

  void Convert() {
    reader_.ReadSignature();
    ConvertObject(0);
  }

 private:
  void Indent(int n) { out_.append(static_cast<size_t>(n), ' '); }

  void ConvertObject(int indent) {
    if (indent > 400) throw EReadError("Invalid stream format");
    Byte flags;
    Integer childPos;
    reader_.ReadPrefix(flags, childPos);
    const std::string cls = StringToUtf8(reader_.ReadStr());
    const std::string name = StringToUtf8(reader_.ReadStr());
    Indent(indent);
    out_ += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
    if (!name.empty()) out_ += name + ": ";
    out_ += cls;
    if (flags & ffChildPos) out_ += " [" + std::to_string(childPos) + "]";
    out_ += "\n";
    while (!reader_.EndOfList()) ConvertProperty(indent + 2);
    reader_.ReadListEnd();
    while (!reader_.EndOfList()) ConvertObject(indent + 2);
    reader_.ReadListEnd();
    Indent(indent);
    out_ += "end\n";
  }

  void ConvertProperty(int indent) {
    Indent(indent);
    out_ += StringToUtf8(reader_.ReadStr()) + " = ";
    ConvertValue(indent);
    out_ += "\n";
  }

  void ConvertValue(int indent) {
    if (indent > 400) throw EReadError("Invalid stream format");
    switch (reader_.NextValue()) {
      case vaList: {
        reader_.ReadValue();
        out_ += "(";
        while (!reader_.EndOfList()) {
          out_ += "\n";
          Indent(indent + 2);
          ConvertValue(indent + 2);
        }
        reader_.ReadListEnd();
        out_ += ")";
        break;
      }
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        out_ += std::to_string(reader_.ReadInt64());
        break;
      case vaExtended:
      case vaDouble:
        out_ += FloatText(reader_.ReadFloat());
        break;
      case vaSingle:
        out_ += FloatText(reader_.ReadFloat()) + "s";
        break;
      case vaCurrency:
        out_ += FloatText(reader_.ReadFloat()) + "c";
        break;
      case vaDate:
        out_ += FloatText(reader_.ReadFloat()) + "d";
        break;
      case vaString:
      case vaLString:
      case vaWString:
      case vaUTF8String:
        out_ += QuotedText(reader_.ReadString());
        break;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        out_ += StringToUtf8(reader_.ReadIdent());
        break;
      case vaBinary:
        ConvertBinary(indent);
        break;
      case vaSet: {
        reader_.ReadValue();
        out_ += "[";
        bool first = true;
        for (String e = reader_.ReadStr(); !e.empty(); e = reader_.ReadStr()) {
          if (!first) out_ += ", ";
          out_ += StringToUtf8(e);
          first = false;
        }
        out_ += "]";
        break;
      }
      case vaCollection: {
        reader_.ReadValue();
        out_ += "<";
        while (!reader_.EndOfList()) {
          out_ += "\n";
          Indent(indent + 2);
          out_ += "item";
          TValueType t = reader_.NextValue();
          if (t == vaInt8 || t == vaInt16 || t == vaInt32)
            out_ += " [" + std::to_string(reader_.ReadInteger()) + "]";
          out_ += "\n";
          reader_.ReadListBegin();
          while (!reader_.EndOfList()) ConvertProperty(indent + 4);
          reader_.ReadListEnd();
          Indent(indent + 2);
          out_ += "end";
        }
        reader_.ReadListEnd();
        out_ += ">";
        break;
      }
      default:
        throw EReadError("Invalid stream format");
    }
  }

  void ConvertBinary(int indent) {
    reader_.ReadValue();
    Integer size;
    reader_.Read(&size, 4);
    reader_.CheckRemaining(size);
    static const char digits[] = "0123456789ABCDEF";
    out_ += "{";
    Byte chunk[32];
    for (Integer done = 0; done < size;) {
      int n = std::min<Integer>(32, size - done);
      reader_.Read(chunk, n);
      out_ += "\n";
      Indent(indent + 2);
      for (int i = 0; i < n; ++i) {
        out_ += digits[chunk[i] >> 4];
        out_ += digits[chunk[i] & 15];
      }
      done += n;
    }
    out_ += "}";
  }

  static std::string FloatText(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".eE") == std::string::npos) text += ".0";
    return text;
  }

  // Printable characters in quotes, control characters and lone surrogates as #code.
  static std::string QuotedText(const String& s) {
    if (s.empty()) return "''";
    std::string result;
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
      Char c = s[i];
      bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
      bool lone = !pair && c >= 0xD800 && c <= 0xDFFF;
      if (c < 32 || c == 127 || lone) {
        if (quoted) result += "'";
        quoted = false;
        result += '#';
        result += std::to_string(c);
        continue;
      }
      if (!quoted) result += "'";
      quoted = true;
      if (c == u'\'') {
        result += "''";
      } else if (pair) {
        result += StringToUtf8(s.substr(i, 2));
        ++i;
      } else {
        result += StringToUtf8(String(1, c));
      }
    }
    if (quoted) result += "'";
    return result;
  }

  TReader reader_;
  std::string& out_;
};

// ---- text to binary --------------------------------------------------------------------------

enum TokenKind { tkEof, tkSymbol, tkString, tkInteger, tkFloat, tkChar };

class TextParser {
 public:
  explicit TextParser(std::string text) : text_(std::move(text)) { Next(); }

  TokenKind Kind() const { return kind_; }
  const std::string& Symbol() const { return symbol_; }
  char Char() const { return char_; }
  const String& Str() const { return string_; }
  Int64 Integer() const { return integer_; }
  double Float() const { return float_; }
  char FloatType() const { return floatType_; }

  [[noreturn]] void Error(const std::string& message) const {
    throw EParserError(message + " on line " + std::to_string(line_));
  }
  void CheckChar(char c) {
    if (kind_ != tkChar || char_ != c) Error(std::string("'") + c + "' expected");
  }
  bool IsChar(char c) const { return kind_ == tkChar && char_ == c; }
  bool IsSymbol(const char* s) const {
    if (kind_ != tkSymbol || symbol_.size() != std::strlen(s)) return false;
    for (size_t i = 0; i < symbol_.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(symbol_[i])) !=
          std::tolower(static_cast<unsigned char>(s[i])))
        return false;
    return true;
  }
  std::string TakeSymbol() {
    if (kind_ != tkSymbol) Error("Identifier expected");
    std::string s = symbol_;
    Next();
    return s;
  }

  // Reads hex digits up to '}' (the '{' is the current token).
  std::string BinaryValue() {
    std::string bytes;
    int high = -1;
    while (true) {
      if (pos_ >= text_.size()) Error("'}' expected");
      char c = text_[pos_++];
      if (c == '}') break;
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      int v = std::isxdigit(static_cast<unsigned char>(c))
                  ? (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::toupper(c) - 'A' + 10))
                  : -1;
      if (v < 0) Error("Invalid binary value");
      if (high < 0) {
        high = v;
      } else {
        bytes += static_cast<char>(high * 16 + v);
        high = -1;
      }
    }
    if (high >= 0) Error("Invalid binary value");
    Next();
    return bytes;
  }

  void Next() {
    SkipBlanks();
    if (pos_ >= text_.size()) {
      kind_ = tkEof;
      return;
    }
    unsigned char c = static_cast<unsigned char>(text_[pos_]);
    if (std::isalpha(c) || c == '_') {
      size_t start = pos_;
      while (pos_ < text_.size() &&
             (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
              (text_[pos_] == '.' && pos_ + 1 < text_.size() &&
               (std::isalpha(static_cast<unsigned char>(text_[pos_ + 1])) || text_[pos_ + 1] == '_'))))
        ++pos_;
      symbol_ = text_.substr(start, pos_ - start);
      kind_ = tkSymbol;
    } else if (c == '\'' || c == '#') {
      ReadStringToken();
    } else if (std::isdigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size() &&
                                   std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
      ReadNumber();
    } else {
      kind_ = tkChar;
      char_ = static_cast<char>(c);
      ++pos_;
    }
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  // 'quoted' and #code pieces, joined; '+' between pieces continues the string over lines.
  void ReadStringToken() {
    std::string utf8;
    String result;
    auto flush = [&] {
      result += Utf8ToString(utf8);
      utf8.clear();
    };
    while (true) {
      if (pos_ < text_.size() && text_[pos_] == '\'') {
        ++pos_;
        while (true) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
            Error("Unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              utf8 += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          utf8 += text_[pos_++];
        }
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        size_t start = pos_;
        unsigned long code = 0;
        if (pos_ < text_.size() && text_[pos_] == '$') {
          ++pos_;
          start = pos_;
          while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_])) &&
                 pos_ - start < 8)
            ++pos_;
          if (pos_ == start) Error("Invalid character code");
          code = std::stoul(text_.substr(start, pos_ - start), nullptr, 16);
        } else {
          while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) &&
                 pos_ - start < 8)
            ++pos_;
          if (pos_ == start) Error("Invalid character code");
          code = std::stoul(text_.substr(start, pos_ - start));
        }
        if (code > 0xFFFF) Error("Invalid character code");
        flush();
        result += static_cast<::Char>(code);
      } else {
        // A '+' followed by another string piece continues the string.
        size_t save = pos_;
        int saveLine = line_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '+') {
          ++pos_;
          SkipBlanks();
          if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) continue;
        }
        pos_ = save;
        line_ = saveLine;
        break;
      }
    }
    flush();
    string_ = std::move(result);
    kind_ = tkString;
  }

  void ReadNumber() {
    size_t start = pos_;
    if (text_[pos_] == '-' || text_[pos_] == '+') ++pos_;
    bool isFloat = false;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        ++pos_;
      } else if (c == '.' || c == 'e' || c == 'E') {
        isFloat = true;
        ++pos_;
        if ((c == 'e' || c == 'E') && pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
          ++pos_;
      } else {
        break;
      }
    }
    std::string number = text_.substr(start, pos_ - start);
    if (number[0] == '+') number.erase(0, 1);
    floatType_ = 0;
    if (pos_ < text_.size() && (text_[pos_] == 's' || text_[pos_] == 'c' || text_[pos_] == 'd') &&
        !(pos_ + 1 < text_.size() && std::isalnum(static_cast<unsigned char>(text_[pos_ + 1])))) {
      floatType_ = text_[pos_++];
      isFloat = true;
    }
    if (isFloat) {
      auto r = std::from_chars(number.data(), number.data() + number.size(), float_);
      if (r.ec != std::errc() || r.ptr != number.data() + number.size()) Error("Invalid number " + number);
      kind_ = tkFloat;
    } else {
      auto r = std::from_chars(number.data(), number.data() + number.size(), integer_);
      if (r.ec != std::errc() || r.ptr != number.data() + number.size()) Error("Invalid number " + number);
      kind_ = tkInteger;
    }
  }

  std::string text_;
  size_t pos_ = 0;
  int line_ = 1;
  TokenKind kind_ = tkEof;
  std::string symbol_;
  char char_ = 0;
  String string_;
  Int64 integer_ = 0;
  double float_ = 0;
  char floatType_ = 0;
};

class TextToBinary {
 public:
  TextToBinary(TextParser& parser, TStream* output) : p_(parser), writer_(output) {}

  void Convert() {
    writer_.WriteSignature();
    ConvertObject(0);
    if (p_.Kind() != tkEof) p_.Error("End of file expected");
  }

 private:
  bool AtObject() const { return p_.IsSymbol("object") || p_.IsSymbol("inherited") || p_.IsSymbol("inline"); }

  void ConvertObject(int depth) {
    if (depth > 200) p_.Error("Objects nested too deep");
    if (!AtObject()) p_.Error("'object' expected");
    Byte flags = p_.IsSymbol("inherited") ? ffInherited : p_.IsSymbol("inline") ? ffInline : 0;
    p_.Next();
    std::string name, cls = p_.TakeSymbol();
    if (p_.IsChar(':')) {
      p_.Next();
      name = cls;
      cls = p_.TakeSymbol();
    }
    Int64 position = 0;
    if (p_.IsChar('[')) {
      p_.Next();
      if (p_.Kind() != tkInteger) p_.Error("Number expected");
      position = p_.Integer();
      flags |= ffChildPos;
      p_.Next();
      p_.CheckChar(']');
      p_.Next();
    }
    if (flags) {
      Byte prefix = 0xF0 | flags;
      writer_.Write(&prefix, 1);
      if (flags & ffChildPos) writer_.WriteInteger(position);
    }
    writer_.WriteStr(Utf8ToString(cls));
    writer_.WriteStr(Utf8ToString(name));
    while (!AtObject() && !p_.IsSymbol("end")) {
      if (p_.Kind() == tkEof) p_.Error("Unexpected end of file");
      ConvertProperty(depth);
    }
    writer_.WriteListEnd();
    while (AtObject()) ConvertObject(depth + 1);
    writer_.WriteListEnd();
    if (!p_.IsSymbol("end")) p_.Error("'end' expected");
    p_.Next();
  }

  void ConvertProperty(int depth) {
    if (p_.Kind() != tkSymbol) p_.Error("Identifier expected");
    writer_.WriteStr(Utf8ToString(p_.TakeSymbol()));
    p_.CheckChar('=');
    p_.Next();
    ConvertValue(depth);
  }

  void ConvertValue(int depth) {
    if (depth > 200) p_.Error("Values nested too deep");
    switch (p_.Kind()) {
      case tkInteger:
        writer_.WriteInteger(p_.Integer());
        p_.Next();
        return;
      case tkFloat:
        WriteFloatValue();
        p_.Next();
        return;
      case tkString:
        writer_.WriteString(p_.Str());
        p_.Next();
        return;
      case tkSymbol:
        if (p_.IsSymbol("NAN") || p_.IsSymbol("INF")) {
          writer_.WriteFloat(p_.IsSymbol("NAN") ? NAN : INFINITY);
        } else {
          writer_.WriteIdent(Utf8ToString(p_.Symbol()));
        }
        p_.Next();
        return;
      case tkChar:
        break;
      case tkEof:
        p_.Error("Unexpected end of file");
    }
    switch (p_.Char()) {
      case '-':
        p_.Next();
        if (!p_.IsSymbol("INF")) p_.Error("Number expected");
        writer_.WriteFloat(-INFINITY);
        p_.Next();
        return;
      case '[':
        p_.Next();
        writer_.WriteValue(vaSet);
        while (!p_.IsChar(']')) {
          writer_.WriteStr(Utf8ToString(p_.TakeSymbol()));
          if (p_.IsChar(',')) {
            p_.Next();
            continue;
          }
          p_.CheckChar(']');
        }
        writer_.WriteStr(String());
        p_.Next();
        return;
      case '(':
        p_.Next();
        writer_.WriteListBegin();
        while (!p_.IsChar(')')) ConvertValue(depth + 1);
        writer_.WriteListEnd();
        p_.Next();
        return;
      case '{': {
        std::string bytes = p_.BinaryValue();
        writer_.WriteValue(vaBinary);
        ::Integer size = static_cast<::Integer>(bytes.size());
        writer_.Write(&size, 4);
        writer_.Write(bytes.data(), size);
        return;
      }
      case '<':
        p_.Next();
        writer_.WriteValue(vaCollection);
        while (!p_.IsChar('>')) {
          if (!p_.IsSymbol("item")) p_.Error("'item' expected");
          p_.Next();
          if (p_.IsChar('[')) {
            p_.Next();
            if (p_.Kind() != tkInteger) p_.Error("Number expected");
            writer_.WriteInteger(p_.Integer());
            p_.Next();
            p_.CheckChar(']');
            p_.Next();
          }
          writer_.WriteListBegin();
          while (!p_.IsSymbol("end")) {
            if (p_.Kind() == tkEof) p_.Error("Unexpected end of file");
            ConvertProperty(depth + 1);
          }
          writer_.WriteListEnd();
          p_.Next();
        }
        writer_.WriteListEnd();
        p_.Next();
        return;
      default:
        p_.Error("Invalid property value");
    }
  }

  void WriteFloatValue() {
    double v = p_.Float();
    switch (p_.FloatType()) {
      case 's': {
        if (std::fabs(v) > std::numeric_limits<float>::max()) p_.Error("Single value out of range");
        writer_.WriteValue(vaSingle);
        const float f = static_cast<float>(v);
        writer_.Write(&f, 4);
        break;
      }
      case 'c': {
        // Rounded as the writer rounds a Currency; out of its range an error, not a wrapped value.
        Int64 c = 0;
        try {
          c = Currency(v).Scaled();
        } catch (const EOverflow&) {
          p_.Error("Currency value out of range");
        }
        writer_.WriteValue(vaCurrency);
        writer_.Write(&c, 8);
        break;
      }
      case 'd':
        writer_.WriteDate(v);
        break;
      default:
        writer_.WriteFloat(v);
    }
  }

  TextParser& p_;
  TWriter writer_;
};

std::string ReadAll(TStream* input) {
  Int64 remaining = input->Size() - input->Position();
  std::string bytes(static_cast<size_t>(std::max<Int64>(remaining, 0)), '\0');
  input->ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  // A UTF-8 byte-order mark is allowed at the start.
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  return bytes;
}

}  // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) {
  std::string text;
  BinaryToText(Input, text).Convert();
  Output->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

String ObjectBinaryToText(TStream* Input) {
  std::string text;
  BinaryToText(Input, text).Convert();
  return Utf8ToString(text);
}

void ObjectTextToBinary(TStream* Input, TStream* Output) {
  TextParser parser(ReadAll(Input));
  TextToBinary(parser, Output).Convert();
}

void ObjectTextToBinary(const String& Text, TStream* Output) {
  TextParser parser(StringToUtf8(Text));
  TextToBinary(parser, Output).Convert();
}
