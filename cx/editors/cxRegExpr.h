// Regular-expression edit masks: the compiler (lexer and parser, collecting every error with its
// line and column) and the incremental matcher an editor feeds one character at a time.
//
// The dialect: ( ) * + ? | ; [...] with ^ and ranges; . ; \w \W \d \D \s \S ; \1..\9 (a copy of an
// earlier group's sub-pattern) ; \t \n \r \f \a \e \xHH ; 'quoted text' with '' for a quote ;
// / and : for the system date and time separators ; blanks outside quotes are ignored ; {..} is
// rejected.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/editors/cxRegExprAutomat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

class TStream;

// Lexem kinds.
enum : Integer {
  cxLexemSymbol = 0,
  cxLexemOperator = 1,
  cxLexemInteger = 2,
  cxLexemAny = 3,
  cxLexemIdLetter = 4,
  cxLexemNotIdLetter = 5,
  cxLexemDigit = 6,
  cxLexemNotDigit = 7,
  cxLexemSpace = 8,
  cxLexemNotSpace = 9,
  cxLexemReference = 10,
  cxLexemDateSeparator = 11,
  cxLexemTimeSeparator = 12,
};

struct TcxLexem {
  Integer Char = 0;  // column of the first character, 1-based within its line
  Integer Code = 0;
  Integer Line = 0;
  String Value;
};

class TcxLexems {
 public:
  void Add(const TcxLexem& lexem) { items_.push_back(lexem); }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxLexem Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  void Clear() { items_.clear(); }

 private:
  std::vector<TcxLexem> items_;
};

class TcxRegExprError {
 public:
  // 0 stands for no position.
  TcxRegExprError(Integer line, Integer ch, String message)
      : Char(ch), Line(line), Message(std::move(message)) {}
  // The message prefixed by its position: "Line2, Char4: ...".
  String GetText() const;

  Integer Char;
  Integer Line;
  String Message;
};

class TcxRegExprErrors {
 public:
  void Add(TcxRegExprError error) { items_.push_back(std::move(error)); }
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxRegExprError& Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  void Clear() { items_.clear(); }

 private:
  std::vector<TcxRegExprError> items_;
};

// Raised by a failed compile; carries every error collected. Its message is empty.
class EcxRegExprError : public Exception {
 public:
  explicit EcxRegExprError(TcxRegExprErrors errors) : Exception(String()), errors_(std::move(errors)) {}
  const TcxRegExprErrors& Errors() const { return errors_; }

 private:
  TcxRegExprErrors errors_;
};

class TcxRegExpr {
 public:
  TcxRegExpr();
  ~TcxRegExpr();
  TcxRegExpr(const TcxRegExpr&) = delete;
  TcxRegExpr& operator=(const TcxRegExpr&) = delete;

  // Compiles the stream's whole content (8-bit text in the locale's code page, read from its
  // start), or raises EcxRegExprError; a null stream cannot be loaded.
  void Compile(TStream* source);
  void Compile(const String& source);
  bool Compiled() const { return compiled_; }

  // Accepts one character (it may come back in the pattern's letter case).
  bool Next(Char& c);
  bool Prev();
  void Reset();
  // The characters accepted so far form a complete text.
  bool IsFinal();
  // Nothing accepted yet.
  bool IsStart();
  // The characters of the text that the automaton accepts in turn, from its present position.
  String FilterText(const String& text);

  // The loaded source when compiled, else nullptr.
  const String* Stream() const { return compiled_ ? &source_ : nullptr; }
  bool CaseInsensitive() const { return caseInsensitive_; }
  void SetCaseInsensitive(bool value) { caseInsensitive_ = value; }
  // Automatic completion of forced characters; switching it on completes at once.
  bool UpdateOn() const { return updateOn_; }
  void SetUpdateOn(bool value);

  const TcxRegExprErrors& Errors() const { return errors_; }
  const TcxLexems& Lexems() const { return lexems_; }
  TcxRegExprAutomat* Automat() const { return automat_.get(); }

  std::function<void(Char)> OnAutoInsert;
  std::function<void()> OnAutoDelete;

 private:
  friend class TcxRegExprAutomat;
  class Parser;

  void DoAutoInsert(Char c);
  void DoAutoDelete();
  void CheckCompiled() const;
  void ResetCompile();
  void CompileLoaded();
  [[noreturn]] void RaiseErrors();
  void AddError(Integer line, Integer ch, int resId, const String* arg = nullptr);

  // Lexing.
  bool AtEnd() const { return index_ >= source_.size(); }
  Char ReadChar();
  void AddLexem(Integer code, String value, Integer line, Integer ch);
  void Lex();
  void LexEscape(Integer line, Integer ch);
  void LexQuoted();
  void LexSet();
  void LexBraces();
  void SkipSpaces();

  std::unique_ptr<TcxRegExprAutomat> automat_;
  Integer char_ = 0;
  bool caseInsensitive_ = false;
  bool compiled_ = false;
  TcxRegExprErrors errors_;
  bool firstCompile_ = true;
  size_t index_ = 0;
  TcxLexems lexems_;
  Integer line_ = 1;
  String source_;
  bool updateOn_ = false;
};
