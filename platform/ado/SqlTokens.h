// A tokenizer for the server dialect the program writes. Statement rewriting and parameter parsing
// work on these tokens, so nothing inside a string literal, a quoted name or a comment is touched.
#pragma once

#include <string>
#include <vector>

#include "platform/rtl/Types.h"

enum class TSqlTokenKind {
  Space,       // blanks and line breaks
  Comment,     // -- to the end of the line, or /* ... */
  String,      // 'text' with '' for a quote; a leading N (N'text') is part of the token
  Name,        // a plain word: keyword or identifier
  QuotedName,  // [name] or "name"
  Number,
  Param,   // :NAME
  Symbol,  // an operator or punctuation: one character, or <= >= <> != || ::
};

struct TSqlToken {
  TSqlTokenKind Kind;
  String Text;  // exactly as written

  bool Is(TSqlTokenKind kind) const { return Kind == kind; }
  bool IsSymbol(Char c) const { return Kind == TSqlTokenKind::Symbol && Text.size() == 1 && Text[0] == c; }
  // A plain word equal to the given ASCII word, ignoring case.
  bool IsWord(std::string_view word) const;
  // The name a Name or QuotedName token stands for (brackets and quotes removed).
  String NameText() const;
  // The text of a String token (quotes removed, doubled quotes undone, N prefix dropped).
  String StringValue() const;
  bool IsBlank() const { return Kind == TSqlTokenKind::Space || Kind == TSqlTokenKind::Comment; }
};

std::vector<TSqlToken> TokenizeSql(const String& sql);

// The index of the next non-blank token after i (or size); of the one before i (or npos).
size_t NextSolid(const std::vector<TSqlToken>& t, size_t i);
size_t PrevSolid(const std::vector<TSqlToken>& t, size_t i);
// The index of the ')' matching the '(' at open, or size.
size_t MatchParen(const std::vector<TSqlToken>& t, size_t open);
String JoinSqlTokens(const std::vector<TSqlToken>& tokens);

// The names of the :NAME parameters in order of first appearance (each name once, case kept as
// written first; ':' inside literals, comments and "::" casts ignored).
std::vector<String> ParseSqlParams(const String& sql);

// ASCII-only case-insensitive comparison of names.
bool SameName(std::u16string_view a, std::u16string_view b);
// 'text' with doubled quotes.
String SqlQuote(const String& text);
