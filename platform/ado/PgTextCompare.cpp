#include "platform/ado/PgTextCompare.h"

#include "platform/rtl/String.h"

namespace {

using Tokens = std::vector<TSqlToken>;
using K = TSqlTokenKind;

bool IsNameToken(const TSqlToken& t) { return t.Is(K::Name) || t.Is(K::QuotedName); }
bool IsValueToken(const TSqlToken& t) { return t.Is(K::String) || t.Is(K::Param); }

// The '(' matching the ')' at close, or npos.
size_t MatchParenBack(const Tokens& t, size_t close) {
  int depth = 0;
  for (size_t i = close + 1; i-- > 0;) {
    if (t[i].IsSymbol(')')) ++depth;
    if (t[i].IsSymbol('(') && --depth == 0) return i;
  }
  return String::npos;
}

// The first token of a qualified name a.b.c whose last part is at last.
size_t NameChainStart(const Tokens& t, size_t last) {
  size_t start = last;
  for (;;) {
    size_t dot = PrevSolid(t, start);
    if (dot == String::npos || !t[dot].IsSymbol('.')) return start;
    size_t part = PrevSolid(t, dot);
    if (part == String::npos || !IsNameToken(t[part])) return start;
    start = part;
  }
}

// The last token of a qualified name a.b.c starting at first.
size_t NameChainEnd(const Tokens& t, size_t first) {
  size_t end = first;
  for (;;) {
    size_t dot = NextSolid(t, end);
    if (dot >= t.size() || !t[dot].IsSymbol('.')) return end;
    size_t part = NextSolid(t, dot);
    if (part >= t.size() || !IsNameToken(t[part])) return end;
    end = part;
  }
}

// The operand ending at end: a value, a (qualified) name, a function call or a parenthesis.
bool OperandBefore(const Tokens& t, size_t end, size_t& start) {
  if (end == String::npos) return false;
  if (IsValueToken(t[end])) {
    start = end;
    return true;
  }
  if (IsNameToken(t[end])) {
    start = NameChainStart(t, end);
    return true;
  }
  if (!t[end].IsSymbol(')')) return false;
  start = MatchParenBack(t, end);
  if (start == String::npos) return false;
  size_t fn = PrevSolid(t, start);
  if (fn != String::npos && t[fn].Is(K::Name) && !t[fn].IsWord("AND") && !t[fn].IsWord("OR") &&
      !t[fn].IsWord("NOT") && !t[fn].IsWord("WHERE") && !t[fn].IsWord("ON") && !t[fn].IsWord("IN"))
    start = NameChainStart(t, fn);
  return true;
}

// The operand starting at begin, the same kinds.
bool OperandAfter(const Tokens& t, size_t begin, size_t& end) {
  if (begin >= t.size()) return false;
  if (IsValueToken(t[begin])) {
    end = begin;
    return true;
  }
  size_t open = begin;
  if (IsNameToken(t[begin])) {
    end = NameChainEnd(t, begin);
    open = NextSolid(t, end);
    if (open >= t.size() || !t[open].IsSymbol('(')) return true;
  } else if (!t[begin].IsSymbol('(')) {
    return false;
  }
  end = MatchParen(t, open);
  return end < t.size();
}

// Nothing before the operand binds tighter than a comparison.
bool LooseBefore(const Tokens& t, size_t start) {
  size_t p = PrevSolid(t, start);
  if (p == String::npos || t[p].IsSymbol('(') || t[p].IsSymbol(',')) return true;
  return t[p].Is(K::Name) && !t[p].IsWord("COLLATE");
}

// Nothing after the operand binds tighter than a comparison (nor is an ESCAPE clause).
bool LooseAfter(const Tokens& t, size_t end) {
  size_t n = NextSolid(t, end);
  if (n >= t.size() || t[n].IsSymbol(')') || t[n].IsSymbol(',') || t[n].IsSymbol(';')) return true;
  return t[n].Is(K::Name) && !t[n].IsWord("ESCAPE") && !t[n].IsWord("COLLATE");
}

Tokens Slice(const Tokens& t, size_t from, size_t to) {
  return Tokens(t.begin() + static_cast<long>(from), t.begin() + static_cast<long>(to) + 1);
}

void Append(Tokens& out, const Tokens& part) { out.insert(out.end(), part.begin(), part.end()); }

// Replaces the tokens from..to with the replacement; the index just after it.
size_t Replace(Tokens& t, size_t from, size_t to, const Tokens& replacement) {
  t.erase(t.begin() + static_cast<long>(from), t.begin() + static_cast<long>(to) + 1);
  t.insert(t.begin() + static_cast<long>(from), replacement.begin(), replacement.end());
  return from + replacement.size();
}

Tokens Call(const char* function, const Tokens& a) {
  Tokens out = TokenizeSql(Utf8ToString(std::string(function) + "("));
  Append(out, a);
  out.push_back({K::Symbol, u")"});
  return out;
}

bool IsEquality(const TSqlToken& t) {
  return t.Is(K::Symbol) && (t.Text == u"=" || t.Text == u"<>" || t.Text == u"!=");
}

// A column of the server's text at i (the last part of a qualified name), and the whole name.
bool TextColumnAt(const Tokens& t, size_t i, bool last, size_t& from, size_t& to,
                  const std::function<bool(const String&)>& isServerText) {
  if (i == String::npos || i >= t.size() || !IsNameToken(t[i])) return false;
  if (last) {
    from = NameChainStart(t, i);
    to = i;
  } else {
    from = i;
    to = NameChainEnd(t, i);
    size_t after = NextSolid(t, to);
    if (after < t.size() && t[after].IsSymbol('(')) return false;  // a function, not a column
  }
  return isServerText(t[to].NameText());
}

// The '=' at op assigns (UPDATE ... SET a = v, b = w) rather than compares.
bool IsAssignment(const Tokens& t, size_t op) {
  int depth = 0;
  for (size_t i = op; i-- > 0;) {
    if (t[i].IsSymbol(')')) ++depth;
    if (t[i].IsSymbol('(') && depth-- == 0) return false;
    if (depth > 0 || !t[i].Is(K::Name)) continue;
    if (t[i].IsWord("SET")) return true;
    if (t[i].IsWord("WHERE") || t[i].IsWord("ON") || t[i].IsWord("AND") || t[i].IsWord("OR") ||
        t[i].IsWord("WHEN") || t[i].IsWord("HAVING") || t[i].IsWord("SELECT"))
      return false;
  }
  return false;
}

// column = value or value = column; the index after the rewrite, or npos when left alone.
size_t RewriteEquality(Tokens& t, size_t op, const std::function<bool(const String&)>& isServerText) {
  if (IsAssignment(t, op)) return String::npos;
  size_t left = PrevSolid(t, op), right = NextSolid(t, op);
  if (left == String::npos || right >= t.size()) return String::npos;
  size_t from, to;
  size_t leftFrom, rightTo;
  if (IsValueToken(t[right]) && TextColumnAt(t, left, true, from, to, isServerText)) {
    leftFrom = from;
    rightTo = right;
  } else if (IsValueToken(t[left]) && TextColumnAt(t, right, false, from, to, isServerText)) {
    leftFrom = left;
    rightTo = to;
  } else {
    return String::npos;
  }
  if (!LooseBefore(t, leftFrom) || !LooseAfter(t, rightTo)) return String::npos;
  Tokens out = Call("server_key", Slice(t, leftFrom, left));
  out.push_back({K::Space, u" "});
  out.push_back(t[op]);
  out.push_back({K::Space, u" "});
  Append(out, Call("server_key", Slice(t, right, rightTo)));
  return Replace(t, leftFrom, rightTo, out);
}

// operand [NOT] LIKE pattern; the index after the rewrite, or npos when left alone.
size_t RewriteLike(Tokens& t, size_t like) {
  size_t before = PrevSolid(t, like);
  bool negated = before != String::npos && t[before].IsWord("NOT");
  size_t leftEnd = negated ? PrevSolid(t, before) : before;
  size_t leftFrom, rightTo;
  size_t right = NextSolid(t, like);
  if (!OperandBefore(t, leftEnd, leftFrom) || !OperandAfter(t, right, rightTo)) return String::npos;
  if (!LooseBefore(t, leftFrom) || !LooseAfter(t, rightTo)) return String::npos;
  Tokens args = Slice(t, leftFrom, leftEnd);
  args.push_back({K::Symbol, u","});
  args.push_back({K::Space, u" "});
  Append(args, Slice(t, right, rightTo));
  Tokens out;
  if (negated) out = TokenizeSql(u"NOT ");
  Append(out, Call("server_like", args));
  return Replace(t, leftFrom, rightTo, out);
}

}  // namespace

void RouteServerTextComparisons(Tokens& t, const std::function<bool(const String&)>& isServerTextColumn) {
  if (!isServerTextColumn) return;
  for (size_t i = 0; i < t.size();) {
    size_t next = String::npos;
    if (t[i].IsWord("LIKE"))
      next = RewriteLike(t, i);
    else if (IsEquality(t[i]))
      next = RewriteEquality(t, i, isServerTextColumn);
    i = next == String::npos ? i + 1 : next;
  }
}
