#include "platform/ado/SqliteColumnTypes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "platform/ado/SqlTokens.h"
#include "platform/rtl/String.h"

namespace {

using Tokens = std::vector<TSqlToken>;
using Span = std::span<const TSqlToken>;

// Views inside views, subqueries inside subqueries: deeper than this is no schema of ours.
constexpr int kMaxDepth = 12;
constexpr int kTextSize = 255;

bool IsName(const TSqlToken& t) { return t.Is(TSqlTokenKind::Name) || t.Is(TSqlTokenKind::QuotedName); }

bool IsAnyWord(const TSqlToken& t, std::initializer_list<std::string_view> words) {
  if (!t.Is(TSqlTokenKind::Name)) return false;
  for (auto w : words)
    if (t.IsWord(w)) return true;
  return false;
}

// CASE ... END nests like parentheses.
bool Opens(const TSqlToken& t) { return t.IsSymbol('(') || t.IsWord("CASE"); }
bool Closes(const TSqlToken& t) { return t.IsSymbol(')') || t.IsWord("END"); }

// The index of the token closing the one opened at open; s.size() when unbalanced.
size_t Matching(Span s, size_t open) {
  int depth = 0;
  for (size_t i = open; i < s.size(); ++i) {
    if (Opens(s[i])) ++depth;
    if (Closes(s[i]) && --depth == 0) return i;
  }
  return s.size();
}

// The parts of s between its top-level separators.
template <typename IsSeparator>
std::vector<Span> SplitTop(Span s, IsSeparator separator) {
  std::vector<Span> parts;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (depth == 0 && separator(s[i])) {
      parts.push_back(s.subspan(start, i - start));
      start = i + 1;
      continue;
    }
    if (Opens(s[i])) ++depth;
    if (Closes(s[i])) --depth;
  }
  parts.push_back(s.subspan(start));
  return parts;
}

String Compact(Span s) {
  String out;
  for (auto& t : s) out += t.Text;
  return out;
}

String WithoutBlanks(const String& text) {
  String out;
  for (Char c : text)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') out += c;
  return out;
}

struct TSource {
  String Alias;
  String Table;  // empty for a subquery
  Span Subquery;
};

struct TItem {
  Span Expr;
  String Name;
  bool Star = false;
  String StarOf;  // "t" of "t.*"
};

struct TSelect {
  std::vector<TItem> Items;
  std::vector<TSource> Sources;
};

bool EndsSelectList(const TSqlToken& t) {
  return t.IsSymbol(';') || IsAnyWord(t, {"FROM", "WHERE", "GROUP", "HAVING", "ORDER", "LIMIT", "UNION",
                                          "INTERSECT", "EXCEPT", "WINDOW"});
}

bool EndsFrom(const TSqlToken& t) { return !t.IsWord("FROM") && EndsSelectList(t); }

bool IsJoinWord(const TSqlToken& t) {
  return IsAnyWord(t, {"JOIN", "LEFT", "RIGHT", "FULL", "INNER", "OUTER", "CROSS", "NATURAL"});
}

TItem ParseItem(Span s) {
  TItem item;
  size_t n = s.size();
  if (n == 1 && s[0].IsSymbol('*')) {
    item.Star = true;
    return item;
  }
  if (n == 3 && IsName(s[0]) && s[1].IsSymbol('.') && s[2].IsSymbol('*')) {
    item.Star = true;
    item.StarOf = s[0].NameText();
    return item;
  }
  item.Expr = s;
  if (n >= 3 && s[n - 2].IsWord("AS") && IsName(s[n - 1])) {
    item.Expr = s.first(n - 2);
    item.Name = s[n - 1].NameText();
    return item;
  }
  // "expr alias" without AS.
  if (n >= 2 && IsName(s[n - 1]) &&
      !IsAnyWord(s[n - 1],
                 {"END", "NULL", "TRUE", "FALSE", "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP"}) &&
      (IsName(s[n - 2]) || s[n - 2].IsSymbol(')') || s[n - 2].Is(TSqlTokenKind::Number) ||
       s[n - 2].Is(TSqlTokenKind::String)) &&
      !IsAnyWord(s[n - 2], {"COLLATE", "NOT", "AND", "OR", "IS", "IN", "LIKE", "THEN", "ELSE", "WHEN", "CASE",
                            "DISTINCT", "ESCAPE"})) {
    item.Expr = s.first(n - 1);
    item.Name = s[n - 1].NameText();
    return item;
  }
  if (n == 1 && IsName(s[0]))
    item.Name = s[0].NameText();
  else if (n == 3 && IsName(s[0]) && s[1].IsSymbol('.') && IsName(s[2]))
    item.Name = s[2].NameText();
  else
    item.Name = Compact(s);  // SQLite names such a column by the expression's text
  return item;
}

TSource ParseSource(Span s) {
  TSource src;
  size_t i = 0, n = s.size();
  if (n == 0) return src;
  if (s[0].IsSymbol('(')) {
    size_t close = Matching(s, 0);
    src.Subquery = s.subspan(1, (close < n ? close : n) - 1);
    i = close + 1;
  } else if (IsName(s[0])) {
    src.Table = s[0].NameText();
    i = 1;
    while (i + 1 < n && s[i].IsSymbol('.') && IsName(s[i + 1])) {
      src.Table = s[i + 1].NameText();
      i += 2;
    }
    if (i < n && s[i].IsSymbol('(')) i = Matching(s, i) + 1;  // a table function
  }
  if (i < n && s[i].IsWord("AS")) ++i;
  bool alias =
      i < n && IsName(s[i]) && !IsJoinWord(s[i]) && !IsAnyWord(s[i], {"ON", "USING", "INDEXED", "NOT"});
  src.Alias = alias ? s[i].NameText() : src.Table;
  return src;
}

void ParseSources(Span s, std::vector<TSource>& out) {
  int depth = 0;
  size_t start = 0;
  auto flush = [&](size_t end) {
    Span part = s.subspan(start, end - start);
    size_t cut = 0;
    while (cut < part.size() && !IsAnyWord(part[cut], {"ON", "USING"})) ++cut;
    part = part.first(cut);
    size_t skip = 0;
    while (skip < part.size() && IsJoinWord(part[skip])) ++skip;
    part = part.subspan(skip);
    if (!part.empty()) out.push_back(ParseSource(part));
  };
  for (size_t i = 0; i < s.size(); ++i) {
    if (depth == 0 && (s[i].IsSymbol(',') || s[i].IsWord("JOIN"))) {
      flush(i);
      start = i + 1;
      continue;
    }
    if (Opens(s[i])) ++depth;
    if (Closes(s[i])) --depth;
  }
  flush(s.size());
}

// The first SELECT at the top level of s (a view's definition, a WITH's main query).
bool ParseSelect(Span s, TSelect& out) {
  size_t i = 0;
  int depth = 0;
  for (; i < s.size(); ++i) {
    if (depth == 0 && s[i].IsWord("SELECT")) break;
    if (Opens(s[i])) ++depth;
    if (Closes(s[i])) --depth;
  }
  if (i == s.size()) return false;
  ++i;
  if (i < s.size() && IsAnyWord(s[i], {"DISTINCT", "ALL"})) ++i;
  size_t listStart = i;
  depth = 0;
  for (; i < s.size(); ++i) {
    if (depth == 0 && EndsSelectList(s[i])) break;
    if (Opens(s[i])) ++depth;
    if (Closes(s[i])) --depth;
  }
  for (Span part : SplitTop(s.subspan(listStart, i - listStart), [](auto& t) { return t.IsSymbol(','); }))
    if (!part.empty()) out.Items.push_back(ParseItem(part));
  if (i < s.size() && s[i].IsWord("FROM")) {
    size_t fromStart = ++i;
    depth = 0;
    for (; i < s.size(); ++i) {
      if (depth == 0 && EndsFrom(s[i])) break;
      if (Opens(s[i])) ++depth;
      if (Closes(s[i])) --depth;
    }
    ParseSources(s.subspan(fromStart, i - fromStart), out.Sources);
  }
  return true;
}

bool Known(const TSqlColumnType& t) { return t.Type != TDbType::Unknown; }

TSqlColumnType Text(int size = kTextSize) { return {TDbType::WideString, size}; }
TSqlColumnType Of(TDbType type) { return {type, 0}; }

class TTyper {
 public:
  explicit TTyper(const TSqlSchemaLookup& schema) : schema_(schema) {}

  TSqlColumnType ResultColumn(Span statement, int index, const String& name, int depth) {
    if (depth > kMaxDepth) return {};
    TSelect select;
    if (!ParseSelect(statement, select)) return {};
    bool star = false;
    for (auto& item : select.Items) star = star || item.Star;
    const TItem* item = nullptr;
    if (!star && index >= 0 && index < static_cast<int>(select.Items.size())) {
      item = &select.Items[static_cast<size_t>(index)];
    } else {
      String wanted = WithoutBlanks(name);
      for (auto& i : select.Items)
        if (!i.Star && SameName(WithoutBlanks(i.Name), wanted)) {
          item = &i;
          break;
        }
    }
    if (item) return Expression(item->Expr, select, depth);
    for (auto& i : select.Items) {
      if (!i.Star) continue;
      for (auto& src : select.Sources) {
        if (!i.StarOf.empty() && !SameName(i.StarOf, src.Alias)) continue;
        TSqlColumnType t = SourceColumn(src, name, depth);
        if (Known(t)) return t;
      }
    }
    return {};
  }

 private:
  TSqlColumnType SourceColumn(const TSource& src, const String& column, int depth) {
    if (src.Table.empty()) return ResultColumn(src.Subquery, -1, column, depth + 1);
    TSqlColumnType t = schema_.ColumnType ? schema_.ColumnType(src.Table, column) : TSqlColumnType{};
    if (Known(t) || !schema_.ViewSql) return t;
    // A view's computed column: its type is its expression's.
    String view = schema_.ViewSql(src.Table);
    if (view.empty()) return t;
    Tokens tokens = Significant(view);
    return ResultColumn(tokens, -1, column, depth + 1);
  }

  TSqlColumnType ColumnRef(const String& qualifier, const String& column, const TSelect& scope, int depth) {
    for (auto& src : scope.Sources) {
      if (!qualifier.empty() && !SameName(qualifier, src.Alias) && !SameName(qualifier, src.Table)) continue;
      TSqlColumnType t = SourceColumn(src, column, depth);
      if (Known(t)) return t;
    }
    return {};
  }

  TSqlColumnType FirstKnown(const std::vector<Span>& parts, const TSelect& scope, int depth) {
    for (Span p : parts) {
      TSqlColumnType t = Expression(p, scope, depth);
      if (Known(t)) return t;
    }
    return {};
  }

  TSqlColumnType Expression(Span e, const TSelect& scope, int depth) {
    if (depth > kMaxDepth) return {};
    while (e.size() >= 2 && e[0].IsSymbol('(') && Matching(e, 0) == e.size() - 1) {
      Span inner = e.subspan(1, e.size() - 2);
      if (!inner.empty() && IsAnyWord(inner[0], {"SELECT", "WITH"}))
        return ResultColumn(inner, 0, String(), depth + 1);  // a scalar subquery
      e = inner;
    }
    if (e.empty()) return {};
    bool compares = false, concatenates = false;
    std::vector<Span> operands;
    size_t start = 0;
    int level = 0;
    for (size_t i = 0; i < e.size(); ++i) {
      const TSqlToken& t = e[i];
      if (level == 0) {
        if (IsAnyWord(t, {"AND", "OR", "NOT", "IS", "IN", "LIKE", "GLOB", "BETWEEN", "EXISTS", "REGEXP",
                          "MATCH", "ISNULL", "NOTNULL"}) ||
            (t.Is(TSqlTokenKind::Symbol) &&
             (t.Text == u"=" || t.Text == u"<" || t.Text == u">" || t.Text == u"<=" || t.Text == u">=" ||
              t.Text == u"<>" || t.Text == u"!=")))
          compares = true;
        if (t.Is(TSqlTokenKind::Symbol) && t.Text == u"||") concatenates = true;
        bool binary = i > start && (t.IsSymbol('+') || t.IsSymbol('-') || t.IsSymbol('*') ||
                                    t.IsSymbol('/') || t.IsSymbol('%'));
        if (binary && !(e[i - 1].Is(TSqlTokenKind::Symbol) && !e[i - 1].IsSymbol(')'))) {
          operands.push_back(e.subspan(start, i - start));
          start = i + 1;
        }
      }
      if (Opens(t)) ++level;
      if (Closes(t)) --level;
    }
    if (compares) return Of(TDbType::Integer);
    if (concatenates) return Text();
    if (!operands.empty()) {
      operands.push_back(e.subspan(start));
      return Arithmetic(operands, scope, depth);
    }
    return Primary(e, scope, depth);
  }

  TSqlColumnType Arithmetic(const std::vector<Span>& operands, const TSelect& scope, int depth) {
    bool any = false, integral = true, wide = false;
    for (Span p : operands) {
      TSqlColumnType t = Expression(p, scope, depth);
      if (!Known(t)) continue;
      any = true;
      if (t.Type == TDbType::Int64) wide = true;
      if (t.Type != TDbType::Integer && t.Type != TDbType::Int64 && t.Type != TDbType::Boolean)
        integral = false;
    }
    if (!any) return {};
    if (!integral) return Of(TDbType::Float);
    return Of(wide ? TDbType::Int64 : TDbType::Integer);
  }

  TSqlColumnType Primary(Span e, const TSelect& scope, int depth) {
    const TSqlToken& first = e[0];
    if (first.IsSymbol('-') || first.IsSymbol('+')) return Expression(e.subspan(1), scope, depth);
    if (e.size() == 1) {
      if (first.Is(TSqlTokenKind::Number)) return Number(first.Text);
      if (first.Is(TSqlTokenKind::String))
        return Text(std::max<int>(kTextSize, int(first.StringValue().size())));
      if (first.Is(TSqlTokenKind::Param) || first.IsWord("NULL")) return {};
      if (IsAnyWord(first, {"TRUE", "FALSE"})) return Of(TDbType::Integer);
      if (IsAnyWord(first, {"CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP"})) return Text();
      if (IsName(first)) return ColumnRef(String(), first.NameText(), scope, depth);
      return {};
    }
    if (e.size() == 3 && IsName(e[0]) && e[1].IsSymbol('.') && IsName(e[2]))
      return ColumnRef(e[0].NameText(), e[2].NameText(), scope, depth);
    if (first.IsWord("CASE") && Matching(e, 0) == e.size() - 1) return Case(e, scope, depth);
    // A function call, perhaps schema-qualified, perhaps with OVER or FILTER after it.
    size_t nameAt = 0;
    while (nameAt + 2 < e.size() && IsName(e[nameAt]) && e[nameAt + 1].IsSymbol('.')) nameAt += 2;
    if (nameAt + 1 >= e.size() || !IsName(e[nameAt]) || !e[nameAt + 1].IsSymbol('(')) return {};
    size_t close = Matching(e, nameAt + 1);
    if (close >= e.size()) return {};
    if (close != e.size() - 1 && !IsAnyWord(e[close + 1], {"OVER", "FILTER"})) return {};
    Span inside = e.subspan(nameAt + 2, close - nameAt - 2);
    return Call(e[nameAt].NameText(), inside, scope, depth);
  }

  static TSqlColumnType Number(const String& text) {
    bool hex = text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
    if (!hex && text.find_first_of(u".eE") != String::npos) return Of(TDbType::Float);
    if (hex) return Of(TDbType::Int64);
    long long v = std::strtoll(StringToUtf8(text).c_str(), nullptr, 10);
    return Of(v > INT32_MAX ? TDbType::Int64 : TDbType::Integer);
  }

  TSqlColumnType Case(Span e, const TSelect& scope, int depth) {
    // The results after THEN and ELSE, at the CASE's own level.
    std::vector<Span> results;
    int level = 0;
    size_t start = 0;
    bool inResult = false;
    for (size_t i = 1; i + 1 < e.size(); ++i) {
      const TSqlToken& t = e[i];
      if (level == 0 && IsAnyWord(t, {"WHEN", "THEN", "ELSE"})) {
        if (inResult) results.push_back(e.subspan(start, i - start));
        inResult = !t.IsWord("WHEN");
        start = i + 1;
        continue;
      }
      if (Opens(t)) ++level;
      if (Closes(t)) --level;
    }
    if (inResult) results.push_back(e.subspan(start, e.size() - 1 - start));
    return FirstKnown(results, scope, depth);
  }

  TSqlColumnType Call(const String& function, Span inside, const TSelect& scope, int depth) {
    std::string f = StringToUtf8(function);
    for (auto& c : f) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto is = [&](std::initializer_list<std::string_view> names) {
      for (auto n : names)
        if (f == n) return true;
      return false;
    };
    std::vector<Span> args = SplitTop(inside, [](auto& t) { return t.IsSymbol(','); });
    if (!args.empty() && !args[0].empty() && IsAnyWord(args[0][0], {"DISTINCT", "ALL"}))
      args[0] = args[0].subspan(1);
    if (f == "CAST") {
      for (size_t i = 0; i < inside.size(); ++i)
        if (inside[i].IsWord("AS")) {
          std::string decl;
          for (auto& t : inside.subspan(i + 1)) decl += StringToUtf8(t.Text);
          return TypeFromDecl(decl.c_str());
        }
      return {};
    }
    if (is({"COUNT", "LENGTH", "OCTET_LENGTH", "INSTR", "UNICODE", "SIGN", "ROW_NUMBER", "RANK", "DENSE_RANK",
            "NTILE", "CHANGES", "ISDATE", "AGEYEARS", "IDENT_CURRENT"}))
      return Of(TDbType::Integer);
    if (is({"TOTAL_CHANGES", "LAST_INSERT_ROWID", "RANDOM"})) return Of(TDbType::Int64);
    if (is({"AVG", "TOTAL", "ROUND", "JULIANDAY", "PERCENT_RANK", "CUME_DIST"})) return Of(TDbType::Float);
    if (is({"CONVTODATE", "CONVERT_DATETIME"})) return Of(TDbType::DateTime);
    if (is({"GETFULLPARENTNAMEDEP"})) return Text(4000);
    if (is({"NEWGUID"})) return {TDbType::Guid, 38};
    if (is({"RANDOMBLOB", "ZEROBLOB"})) return Of(TDbType::Blob);
    if (is({"UPPER",  "LOWER",  "TRIM", "LTRIM",    "RTRIM",    "SUBSTR",       "SUBSTRING",  "REPLACE",
            "PRINTF", "FORMAT", "CHAR", "HEX",      "QUOTE",    "GROUP_CONCAT", "STRING_AGG", "LOGIN_NAME",
            "TYPEOF", "DATE",   "TIME", "DATETIME", "STRFTIME", "SOUNDEX",      "CONCAT",     "CONCAT_WS"})) {
      // The text functions that keep their argument keep its length.
      if (is({"UPPER", "LOWER", "TRIM", "LTRIM", "RTRIM", "SUBSTR", "SUBSTRING"}) && !args.empty()) {
        TSqlColumnType t = Expression(args[0], scope, depth);
        if (t.Type == TDbType::WideString || t.Type == TDbType::Memo) return t;
      }
      return Text();
    }
    if (is({"SUM", "MIN", "MAX", "ABS", "COALESCE", "IFNULL", "NULLIF", "LIKELY", "UNLIKELY", "FIRST_VALUE",
            "LAST_VALUE", "NTH_VALUE", "LAG", "LEAD"}))
      return FirstKnown(is({"COALESCE", "IFNULL", "MIN", "MAX"}) ? args : std::vector<Span>{args[0]}, scope,
                        depth);
    if (is({"IIF"}) && args.size() == 3) return FirstKnown({args[1], args[2]}, scope, depth);
    return {};
  }

 public:
  static Tokens Significant(const String& sql) {
    Tokens out;
    for (auto& t : TokenizeSql(sql))
      if (!t.IsBlank()) out.push_back(t);
    return out;
  }

 private:
  const TSqlSchemaLookup& schema_;
};

}  // namespace

TSqlColumnType TypeFromDecl(const char* decl) {
  std::string d;
  for (const char* p = decl; p && *p; ++p)
    d += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  auto has = [&](const char* w) { return d.find(w) != std::string::npos; };
  size_t paren = d.find('(');
  int n = paren == std::string::npos ? 0 : std::atoi(d.c_str() + paren + 1);
  if (d.empty()) return {};
  if (has("GUID") || has("UNIQUEIDENTIFIER")) return {TDbType::Guid, 38};
  if (has("BIGINT")) return Of(TDbType::Int64);
  if (has("BIT") || has("BOOL")) return Of(TDbType::Boolean);
  if (has("INT")) return Of(TDbType::Integer);
  if (has("DATE") || has("TIME")) return Of(TDbType::DateTime);
  if (has("CHAR")) return n > 0 ? TSqlColumnType{TDbType::WideString, n} : Of(TDbType::Memo);
  if (has("TEXT") || has("CLOB")) return Of(TDbType::Memo);
  if (has("BLOB") || has("IMAGE") || has("BINARY")) return Of(TDbType::Blob);
  return Of(TDbType::Float);  // REAL, FLOAT, DOUBLE, MONEY, NUMERIC, DECIMAL
}

TSqlColumnType SqlExpressionColumnType(const String& sql, int index, const String& name,
                                       const TSqlSchemaLookup& schema) {
  Tokens tokens = TTyper::Significant(sql);
  return TTyper(schema).ResultColumn(tokens, index, name, 0);
}
