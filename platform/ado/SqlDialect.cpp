#include "platform/ado/SqlDialect.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ado/PgTextCompare.h"
#include "platform/ado/ServerText.h"
#include "platform/ado/SqlTokens.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

using Tokens = std::vector<TSqlToken>;
using K = TSqlTokenKind;

bool IsNameToken(const TSqlToken& t) { return t.Is(K::Name) || t.Is(K::QuotedName); }
bool NameIs(const TSqlToken& t, std::u16string_view name) {
  return IsNameToken(t) && SameName(t.NameText(), name);
}

// Arguments (as text) between open and close, split at top-level commas.
std::vector<String> SplitArgs(const Tokens& t, size_t open, size_t close) {
  std::vector<String> args(1);
  int depth = 0;
  for (size_t i = open + 1; i < close; ++i) {
    if (t[i].IsSymbol('(')) ++depth;
    if (t[i].IsSymbol(')')) --depth;
    if (depth == 0 && t[i].IsSymbol(',')) {
      args.emplace_back();
      continue;
    }
    args.back() += t[i].Text;
  }
  return args;
}

String FormatNumber(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  String out;
  for (char* p = buf; p < r.ptr; ++p) out += static_cast<Char>(*p);
  if (out.find(u'.') == String::npos && out.find(u'e') == String::npos) out += u".0";
  return out;
}

Tokens Retokenize(const String& text) { return TokenizeSql(text); }

String FormatTimestamp(TDateTime value) {
  Word y, m, d, h, mi, sec, ms;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, mi, sec, ms);
  char buf[64];
  std::snprintf(buf, sizeof buf, "'%04u-%02u-%02u %02u:%02u:%02u.%03u'::timestamp", y, m, d, h, mi, sec, ms);
  return Utf8ToString(buf);
}

// ORDER BY a, b DESC -> ORDER BY a NULLS FIRST, b DESC NULLS LAST, at every level.
void NullsAsTheServer(Tokens& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].IsWord("ORDER")) continue;
    size_t by = NextSolid(t, i);
    if (by >= t.size() || !t[by].IsWord("BY")) continue;
    int depth = 0;
    bool descending = false, explicitNulls = false;
    size_t lastSolid = by;
    auto finish = [&](size_t at) {
      if (!explicitNulls) {
        Tokens add = Retokenize(descending ? u" NULLS LAST" : u" NULLS FIRST");
        t.insert(t.begin() + static_cast<long>(lastSolid) + 1, add.begin(), add.end());
        at += add.size();
      }
      descending = explicitNulls = false;
      return at;
    };
    size_t j = by + 1;
    for (; j < t.size(); ++j) {
      const TSqlToken& tok = t[j];
      if (tok.IsBlank()) continue;
      if (tok.IsSymbol('(')) ++depth;
      if (tok.IsSymbol(')')) {
        if (depth == 0) break;
        --depth;
      }
      if (depth == 0) {
        if (tok.IsSymbol(',')) {
          j = finish(j);
          lastSolid = j;
          continue;
        }
        if (tok.IsSymbol(';') || tok.IsWord("LIMIT") || tok.IsWord("OFFSET") || tok.IsWord("FOR") ||
            tok.IsWord("UNION"))
          break;
        if (tok.IsWord("DESC")) descending = true;
        if (tok.IsWord("NULLS")) explicitNulls = true;
      }
      lastSolid = j;
    }
    i = finish(j);
  }
}

// dbo. / [dbo]. / [DBO]. before a name: SQLite has no schemas of that name.
void StripDbo(Tokens& t) {
  Tokens out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    if (NameIs(t[i], u"dbo") && i + 1 < t.size() && t[i + 1].IsSymbol('.')) {
      ++i;
      continue;
    }
    out.push_back(std::move(t[i]));
  }
  t = std::move(out);
}

// N'text' -> 'text'.
void PlainLiterals(Tokens& t) {
  for (auto& tok : t)
    if (tok.Is(K::String) && !tok.Text.empty() && tok.Text[0] != '\'') tok.Text.erase(0, 1);
}

// A bracketed name used as a function: unbracketed, since it is a plain identifier anyway.
void UnbracketFunctions(Tokens& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].Is(K::QuotedName)) continue;
    size_t n = NextSolid(t, i);
    if (n < t.size() && t[n].IsSymbol('(')) t[i] = {K::Name, t[i].NameText()};
  }
}

// GETDESCENDANTDEP(id, withItself): the node ids of the subtree under id.
bool RewriteDescendants(Tokens& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (!NameIs(t[i], u"GETDESCENDANTDEP")) continue;
    size_t open = NextSolid(t, i);
    if (open >= t.size() || !t[open].IsSymbol('(')) continue;
    size_t close = MatchParen(t, open);
    auto args = SplitArgs(t, open, close);
    if (args.size() != 2 || close >= t.size()) continue;
    String sub =
        u"(WITH RECURSIVE DESC_TREE(ID) AS (SELECT M_RAYON_DEPID FROM M_RAYON_DEP WHERE M_RAYON_DEPID = (" +
        args[0] +
        u") UNION SELECT C.M_RAYON_DEPID FROM M_RAYON_DEP C JOIN DESC_TREE ON C.PARENT_ID = DESC_TREE.ID) "
        u"SELECT ID FROM DESC_TREE WHERE (" +
        args[1] + u") <> 0 OR ID <> (" + args[0] + u"))";
    Tokens repl = Retokenize(sub);
    t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(close) + 1);
    t.insert(t.begin() + static_cast<long>(i), repl.begin(), repl.end());
    return true;
  }
  return false;
}

// CONVERT(datetime, x[, style]) -> CONVERT_DATETIME(x, style); CONVERT(type, x) -> CAST(x AS type).
bool RewriteConvert(Tokens& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].IsWord("CONVERT")) continue;
    size_t open = NextSolid(t, i);
    if (open >= t.size() || !t[open].IsSymbol('(')) continue;
    size_t close = MatchParen(t, open);
    if (close >= t.size()) continue;
    auto args = SplitArgs(t, open, close);
    if (args.size() < 2) continue;
    auto typeTokens = Retokenize(args[0]);
    String type;
    for (auto& tok : typeTokens)
      if (!tok.IsBlank()) type += tok.NameText();
    String sub;
    if (SameName(type, u"datetime") || SameName(type, u"smalldatetime") || SameName(type, u"date"))
      sub = u"CONVERT_DATETIME(" + args[1] + u"," + (args.size() > 2 ? args[2] : String(u"0")) + u")";
    else
      sub = u"CAST(" + args[1] + u" AS " + args[0] + u")";
    Tokens repl = Retokenize(sub);
    t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(close) + 1);
    t.insert(t.begin() + static_cast<long>(i), repl.begin(), repl.end());
    return true;
  }
  return false;
}

// SELECT [DISTINCT] TOP n ... -> SELECT [DISTINCT] ... LIMIT n (at the end of the same select).
bool RewriteTop(Tokens& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].IsWord("TOP")) continue;
    size_t before = PrevSolid(t, i);
    if (before == String::npos) continue;
    if (!t[before].IsWord("SELECT") && !t[before].IsWord("DISTINCT") && !t[before].IsWord("ALL")) continue;
    size_t n = NextSolid(t, i);
    if (n >= t.size() || !t[n].Is(K::Number)) continue;
    String count = t[n].Text;
    // The end of this select: the ')' closing the level it stands in, or the end of the text.
    int depth = 0;
    size_t end = t.size();
    for (size_t j = n + 1; j < t.size(); ++j) {
      if (t[j].IsSymbol('(')) ++depth;
      if (t[j].IsSymbol(')') && depth-- == 0) {
        end = j;
        break;
      }
      if (depth == 0 && t[j].IsSymbol(';')) {
        end = j;
        break;
      }
    }
    while (end > n + 1 && t[end - 1].IsBlank()) --end;
    t.insert(t.begin() + static_cast<long>(end),
             {{K::Space, u" "}, {K::Name, u"LIMIT"}, {K::Space, u" "}, {K::Number, count}});
    size_t last = n + 1 < t.size() && t[n + 1].Is(K::Space) ? n + 1 : n;
    t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(last) + 1);
    return true;
  }
  return false;
}

bool IsComparison(const TSqlToken& tok) {
  if (!tok.Is(K::Symbol)) return false;
  return tok.Text == u"=" || tok.Text == u"<" || tok.Text == u">" || tok.Text == u"<=" || tok.Text == u">=" ||
         tok.Text == u"<>" || tok.Text == u"!=";
}

// BIRTHDATE = '00:00:00' compares a date with the text's date value, as the server converts it.
void DateLiterals(Tokens& t, const TSqlDialectSchema& schema, String (*format)(TDateTime)) {
  if (!schema.IsDateColumn) return;
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].Is(K::String)) continue;
    size_t op = PrevSolid(t, i);
    size_t other = String::npos;
    if (op != String::npos && IsComparison(t[op])) {
      other = PrevSolid(t, op);
    } else {
      op = NextSolid(t, i);
      if (op < t.size() && IsComparison(t[op])) {
        other = NextSolid(t, op);
        // The column of a qualified name: the last part of T.C.
        while (other + 2 < t.size() && IsNameToken(t[other]) && t[other + 1].IsSymbol('.') &&
               IsNameToken(t[other + 2]))
          other += 2;
      }
    }
    if (other == String::npos || other >= t.size() || !IsNameToken(t[other])) continue;
    if (!schema.IsDateColumn(t[other].NameText())) continue;
    TDateTime value;
    if (ParseServerDateTime(t[i].StringValue(), value)) {
      auto repl = Retokenize(format(value));
      t.erase(t.begin() + static_cast<long>(i));
      t.insert(t.begin() + static_cast<long>(i), repl.begin(), repl.end());
    }
  }
}

}  // namespace

String TranslateToSqlite(const String& sql, const TSqlDialectSchema& schema) {
  Tokens t = TokenizeSql(sql);
  StripDbo(t);
  PlainLiterals(t);
  while (RewriteDescendants(t)) {
  }
  while (RewriteConvert(t)) {
  }
  while (RewriteTop(t)) {
  }
  UnbracketFunctions(t);
  DateLiterals(t, schema, FormatNumber);
  return JoinSqlTokens(t);
}

String QuotePostgresName(const String& name) {
  String out = u"\"";
  for (Char c : LowerCase(name)) {
    out += c;
    if (c == u'"') out += c;
  }
  return out + u"\"";
}

String TranslateToPostgres(const String& sql, const TSqlDialectSchema& schema, std::vector<String>& Params) {
  Tokens t = TokenizeSql(sql);
  StripDbo(t);
  PlainLiterals(t);
  while (RewriteConvert(t)) {
  }
  while (RewriteTop(t)) {
  }
  for (auto& tok : t)
    if (tok.Is(K::QuotedName)) tok.Text = QuotePostgresName(tok.NameText());
  DateLiterals(t, schema, FormatTimestamp);
  RouteServerTextComparisons(t, schema.IsServerTextColumn);
  NullsAsTheServer(t);
  Params.clear();
  for (auto& tok : t) {
    if (!tok.Is(K::Param)) continue;
    String name = tok.Text.substr(1);
    size_t n = 0;
    while (n < Params.size() && !SameName(Params[n], name)) ++n;
    if (n == Params.size()) Params.push_back(name);
    tok.Text = u"$" + Utf8ToString(std::to_string(n + 1));
  }
  return JoinSqlTokens(t);
}
