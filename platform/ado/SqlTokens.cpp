#include "platform/ado/SqlTokens.h"

namespace {

bool IsWordStart(Char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || c == '#' || c >= 0x80;
}
bool IsWordChar(Char c) { return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$'; }
bool IsDigit(Char c) { return c >= '0' && c <= '9'; }
bool IsSpace(Char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
Char AsciiUpper(Char c) { return c >= 'a' && c <= 'z' ? static_cast<Char>(c - 32) : c; }

// The end of a quoted run starting at i (the opening quote), with the closing quote doubled to escape.
size_t QuotedEnd(const String& s, size_t i, Char close) {
  size_t j = i + 1;
  while (j < s.size()) {
    if (s[j] == close) {
      if (j + 1 < s.size() && s[j + 1] == close && close != ']') {
        j += 2;
        continue;
      }
      if (close == ']' && j + 1 < s.size() && s[j + 1] == ']') {
        j += 2;
        continue;
      }
      return j + 1;
    }
    ++j;
  }
  return s.size();  // unterminated: the rest of the text
}

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

bool TSqlToken::IsWord(std::string_view word) const {
  if (Kind != TSqlTokenKind::Name || Text.size() != word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (AsciiUpper(Text[i]) != AsciiUpper(static_cast<Char>(word[i]))) return false;
  return true;
}

String TSqlToken::NameText() const {
  if (Kind != TSqlTokenKind::QuotedName || Text.size() < 2) return Text;
  Char close = Text[0] == '[' ? u']' : u'"';
  String out;
  for (size_t i = 1; i + 1 < Text.size(); ++i) {
    out += Text[i];
    if (Text[i] == close && i + 2 < Text.size() && Text[i + 1] == close) ++i;
  }
  return out;
}

String TSqlToken::StringValue() const {
  size_t start = Text.find(u'\'');
  String out;
  if (start == String::npos) return out;
  for (size_t i = start + 1; i < Text.size(); ++i) {
    if (Text[i] == '\'') {
      if (i + 1 < Text.size() && Text[i + 1] == '\'') {
        out += u'\'';
        ++i;
        continue;
      }
      break;
    }
    out += Text[i];
  }
  return out;
}

std::vector<TSqlToken> TokenizeSql(const String& s) {
  std::vector<TSqlToken> tokens;
  size_t i = 0;
  auto push = [&](TSqlTokenKind kind, size_t end) {
    tokens.push_back({kind, s.substr(i, end - i)});
    i = end;
  };
  while (i < s.size()) {
    Char c = s[i];
    Char next = i + 1 < s.size() ? s[i + 1] : 0;
    if (IsSpace(c)) {
      size_t j = i;
      while (j < s.size() && IsSpace(s[j])) ++j;
      push(TSqlTokenKind::Space, j);
    } else if (c == '-' && next == '-') {
      size_t j = s.find(u'\n', i);
      push(TSqlTokenKind::Comment, j == String::npos ? s.size() : j);
    } else if (c == '/' && next == '*') {
      size_t j = s.find(u"*/", i + 2);
      push(TSqlTokenKind::Comment, j == String::npos ? s.size() : j + 2);
    } else if (c == '\'') {
      push(TSqlTokenKind::String, QuotedEnd(s, i, u'\''));
    } else if ((c == 'N' || c == 'n') && next == '\'') {
      size_t end = QuotedEnd(s, i + 1, u'\'');
      push(TSqlTokenKind::String, end);
    } else if (c == '[') {
      push(TSqlTokenKind::QuotedName, QuotedEnd(s, i, u']'));
    } else if (c == '"') {
      push(TSqlTokenKind::QuotedName, QuotedEnd(s, i, u'"'));
    } else if (c == ':' && next != ':' && i + 1 < s.size() && (IsWordChar(next))) {
      size_t j = i + 1;
      while (j < s.size() && IsWordChar(s[j])) ++j;
      push(TSqlTokenKind::Param, j);
    } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
      size_t j = i;
      while (j < s.size() && (IsDigit(s[j]) || s[j] == '.')) ++j;
      if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < s.size() && IsDigit(s[k])) {
          j = k;
          while (j < s.size() && IsDigit(s[j])) ++j;
        }
      }
      push(TSqlTokenKind::Number, j);
    } else if (IsWordStart(c)) {
      size_t j = i;
      while (j < s.size() && IsWordChar(s[j])) ++j;
      push(TSqlTokenKind::Name, j);
    } else {
      static const char16_t* pairs[] = {u"<=", u">=", u"<>", u"!=", u"||", u"::", u"!<", u"!>"};
      size_t len = 1;
      for (auto p : pairs)
        if (c == p[0] && next == p[1]) len = 2;
      push(TSqlTokenKind::Symbol, i + len);
    }
  }
  return tokens;
}

String JoinSqlTokens(const std::vector<TSqlToken>& tokens) {
  String out;
  size_t total = 0;
  for (auto& t : tokens) total += t.Text.size();
  out.reserve(total);
  for (auto& t : tokens) out += t.Text;
  return out;
}

std::vector<String> ParseSqlParams(const String& sql) {
  std::vector<String> names;
  for (auto& t : TokenizeSql(sql)) {
    if (!t.Is(TSqlTokenKind::Param)) continue;
    String name = t.Text.substr(1);
    bool seen = false;
    for (auto& n : names) seen = seen || SameName(n, name);
    if (!seen) names.push_back(name);
  }
  return names;
}

String SqlQuote(const String& text) {
  String out = u"'";
  for (Char c : text) {
    out += c;
    if (c == '\'') out += c;
  }
  out += u'\'';
  return out;
}

size_t NextSolid(const std::vector<TSqlToken>& t, size_t i) {
  ++i;
  while (i < t.size() && t[i].IsBlank()) ++i;
  return i;
}

size_t PrevSolid(const std::vector<TSqlToken>& t, size_t i) {
  while (i > 0) {
    --i;
    if (!t[i].IsBlank()) return i;
  }
  return String::npos;
}

size_t MatchParen(const std::vector<TSqlToken>& t, size_t open) {
  int depth = 0;
  for (size_t i = open; i < t.size(); ++i) {
    if (t[i].IsSymbol('(')) ++depth;
    if (t[i].IsSymbol(')') && --depth == 0) return i;
  }
  return t.size();
}
