#include "cx/editors/cxRegExpr.h"

#include "cx/editors/cxEditConsts.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringTable.h"

namespace {

bool IsSpaceChar(Char c) { return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32; }
bool IsDigitChar(Char c) { return c >= u'0' && c <= u'9'; }
int HexValue(Char c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

const String kQuoteArg = u" ' ";

bool IsOperator(const TcxLexem& lexem, Char op) {
  return lexem.Code == cxLexemOperator && lexem.Value.size() == 1 && lexem.Value[0] == op;
}

}  // namespace

String TcxRegExprError::GetText() const {
  String text;
  if (Line > 0) {
    text = u"Line" + IntToStr(Line);
    if (Char > 0) text += u", Char" + IntToStr(Char);
    text += u": ";
  }
  return text + Message;
}

// ---- The parser: lexems into the parse tree ----

class TcxRegExpr::Parser {
 public:
  explicit Parser(TcxRegExpr& owner) : owner_(owner), lexems_(owner.lexems_) {}

  std::unique_ptr<TcxRegExprParserAlts> Run() {
    auto tree = std::make_unique<TcxRegExprParserAlts>();
    ParseAlts(*tree, false);
    return tree;
  }

 private:
  bool HasLexem() const { return index_ < lexems_.Count(); }
  TcxLexem Peek(int offset = 0) const {
    const int i = index_ + offset;
    if (i < lexems_.Count()) return lexems_.Items(i);
    TcxLexem none;
    none.Code = -1;
    return none;
  }
  TcxLexem Take() {
    TcxLexem lexem = Peek();
    ++index_;
    return lexem;
  }
  void Error(const TcxLexem& at, int resId, const String* arg = nullptr) {
    owner_.AddError(at.Line, at.Char, resId, arg);
  }
  void Error(const TcxLexem& at, int resId, Char arg) {
    const String text(1, arg);
    Error(at, resId, &text);
  }

  void ParseAlts(TcxRegExprParserAlts& alts, bool inBlock) {
    while (ParseAlt(*alts.AddAlt(), inBlock)) {
    }
  }

  // Parses one alternative; true when another follows.
  bool ParseAlt(TcxRegExprParserAlt& alt, bool inBlock) {
    if (!HasLexem()) {
      owner_.AddError(0, 0, cxSRegExprEmptyAlternative);
      return false;
    }
    if (IsOperator(Peek(), u'|')) {
      Error(Take(), cxSRegExprEmptyAlternative);
      return true;
    }
    if (inBlock && IsOperator(Peek(), u')')) {
      Error(Take(), cxSRegExprEmptyBlock);
      return false;
    }
    while (HasLexem()) {
      const TcxLexem lexem = Take();
      switch (lexem.Code) {
        case cxLexemSymbol:
          AddSimple(alt, std::make_unique<TcxRegExprSymbol>(lexem.Value[0]));
          break;
        case cxLexemOperator: {
          const Char op = lexem.Value[0];
          if (op == u'|') return true;
          if (op == u')') {
            if (inBlock) return false;
            Error(lexem, cxSRegExprIllegalSymbol, op);
          } else if (op == u'(') {
            auto block = std::make_unique<TcxRegExprParserBlockItem>();
            TcxRegExprParserBlockItem* raw = block.get();
            blocks_.push_back(raw);
            alt.Add(std::move(block));
            ParseAlts(*raw->Alts, true);
          } else if (op == u'*' || op == u'+') {
            TcxRegExprParserItem* last = alt.Last();
            if (!last)
              Error(lexem, cxSRegExprIllegalQuantifier, op);
            else if (last->MatchesEmpty())
              Error(lexem, op == u'*' ? cxSRegExprCantUseStar : cxSRegExprCantUsePlus);
            else if (op == u'*')
              ApplyQuantifier(alt, std::make_unique<TcxRegExprStarQuantifier>());
            else
              ApplyQuantifier(alt, std::make_unique<TcxRegExprPlusQuantifier>());
          } else if (op == u'?') {
            if (!alt.Last())
              Error(lexem, cxSRegExprIllegalQuantifier, op);
            else
              ApplyQuantifier(alt, std::make_unique<TcxRegExprQuestionQuantifier>());
          } else if (op == u'[') {
            ParseSet(alt);
          } else if (op == u'{') {
            Error(lexem, cxSRegExprNoParameterQuantifiers);
            ParseBracesContent();
          } else {
            Error(lexem, cxSRegExprIllegalSymbol, op);  // '-', ']', '}', ','
          }
          break;
        }
        case cxLexemInteger:
          Error(lexem, cxSRegExprIllegalInteger);
          break;
        case cxLexemReference: {
          const size_t n = static_cast<size_t>(lexem.Value[0] - u'0');
          if (n <= blocks_.size())
            alt.Add(blocks_[n - 1]->Clone());  // repeats the sub-pattern, not the matched text
          else
            Error(lexem, cxSRegExprTooBigReference);
          break;
        }
        default:
          AddSimple(alt, ClassItem(lexem.Code));
          break;
      }
    }
    return false;
  }

  // The item of a class lexem (codes 3..9, 11, 12).
  static std::unique_ptr<TcxRegExprItem> ClassItem(Integer code) {
    switch (code) {
      case cxLexemAny:
        return std::make_unique<TcxRegExprAll>();
      case cxLexemIdLetter:
      case cxLexemNotIdLetter:
        return std::make_unique<TcxRegExprIdLetter>(code == cxLexemNotIdLetter);
      case cxLexemDigit:
      case cxLexemNotDigit:
        return std::make_unique<TcxRegExprDigit>(code == cxLexemNotDigit);
      case cxLexemSpace:
      case cxLexemNotSpace:
        return std::make_unique<TcxRegExprSpace>(code == cxLexemNotSpace);
      case cxLexemDateSeparator:
        return std::make_unique<TcxRegExprDateSeparator>();
      case cxLexemTimeSeparator:
        return std::make_unique<TcxRegExprTimeSeparator>();
      default:
        return nullptr;
    }
  }

  static void AddSimple(TcxRegExprParserAlt& alt, std::unique_ptr<TcxRegExprItem> item) {
    alt.Add(std::make_unique<TcxRegExprParserSimpleItem>(
        std::make_unique<TcxRegExprSimpleState>(std::move(item))));
  }

  // A second quantifier wraps the item in a block: 'a+?' is '(a+)?'.
  static void ApplyQuantifier(TcxRegExprParserAlt& alt, std::unique_ptr<TcxRegExprQuantifier> quantifier) {
    TcxRegExprParserItem* last = alt.Last();
    if (last->HasNoQuantifier()) {
      last->ReplaceQuantifier(std::move(quantifier));
      return;
    }
    auto block = std::make_unique<TcxRegExprParserBlockItem>(std::move(quantifier));
    block->Alts->AddAlt()->Add(alt.ReleaseLast());
    alt.Add(std::move(block));
  }

  void ParseBracesContent() {
    while (HasLexem()) {
      const TcxLexem lexem = Peek();
      if (lexem.Code == cxLexemInteger) {
        Error(Take(), cxSRegExprIllegalInteger);
      } else if (IsOperator(lexem, u',')) {
        Take();
      } else if (IsOperator(lexem, u'}')) {
        Error(Take(), cxSRegExprIllegalSymbol, u'}');
        return;
      } else {
        return;
      }
    }
  }

  void ParseSet(TcxRegExprParserAlt& alt) {
    TcxLexem current = Take();
    bool inverse = false;
    if (IsOperator(current, u'^')) {
      inverse = true;
      current = Take();
    }
    auto enumeration = std::make_unique<TcxRegExprUserEnumeration>(inverse);
    TcxRegExprUserEnumeration* set = enumeration.get();
    AddSimple(alt, std::move(enumeration));
    if (IsOperator(current, u']')) {
      Error(current, cxSRegExprEmptyEnumeration);
      return;
    }
    // The lexer ends every set with ']' or fails, so the loop always meets its end.
    while (current.Code != -1 && !IsOperator(current, u']')) {
      const TcxLexem following = Take();
      if (IsOperator(following, u'-')) {
        const TcxLexem finish = Take();
        const Char start = current.Value.empty() ? 0 : current.Value[0];
        const Char end = finish.Value.empty() ? 0 : finish.Value[0];
        if (start < end)
          set->Add(std::make_unique<TcxRegExprSubrange>(start, end));
        else
          Error(finish, cxSRegExprSubrangeOrder);
        current = Take();
        while (IsOperator(current, u'-')) {
          Error(current, cxSRegExprIllegalSymbol, u'-');
          current = Take();
        }
      } else {
        auto item = ClassItem(current.Code);
        set->Add(item ? std::move(item) : std::make_unique<TcxRegExprSymbol>(current.Value[0]));
        current = following;
      }
    }
  }

  TcxRegExpr& owner_;
  const TcxLexems& lexems_;
  int index_ = 0;
  std::vector<TcxRegExprParserBlockItem*> blocks_;  // in the order of their opening parenthesis
};

// ---- TcxRegExpr ----

TcxRegExpr::TcxRegExpr() = default;
TcxRegExpr::~TcxRegExpr() = default;

void TcxRegExpr::AddError(Integer line, Integer ch, int resId, const String* arg) {
  String message = cxGetResourceString(resId);
  if (arg) message = Format(message, {*arg});
  errors_.Add(TcxRegExprError(line, ch, std::move(message)));
}

void TcxRegExpr::RaiseErrors() { throw EcxRegExprError(errors_); }

void TcxRegExpr::ResetCompile() {
  if (firstCompile_) {
    firstCompile_ = false;
    return;
  }
  source_.clear();
  errors_.Clear();
  lexems_.Clear();
  automat_.reset();
  index_ = 0;
  line_ = 1;
  char_ = 0;
  compiled_ = false;
}

void TcxRegExpr::Compile(TStream* source) {
  ResetCompile();
  bool loaded = false;
  if (source) {
    try {
      const Int64 size = source->Size();
      AnsiString bytes(static_cast<size_t>(size), '\0');
      source->SetPosition(0);
      source->ReadBuffer(bytes.data(), size);
      source_ = AnsiToString(bytes);
      loaded = true;
    } catch (const Exception&) {
      loaded = false;
    }
  }
  if (!loaded) {
    AddError(0, 0, cxSRegExprStreamNotAssigned);
    RaiseErrors();
  }
  CompileLoaded();
}

void TcxRegExpr::Compile(const String& source) {
  ResetCompile();
  source_ = source;
  CompileLoaded();
}

void TcxRegExpr::CompileLoaded() {
  bool blank = true;
  for (Char c : source_) blank = blank && IsSpaceChar(c);
  if (blank) {
    AddError(0, 0, cxSRegExprStreamEmpty);
    RaiseErrors();
  }
  Lex();
  if (errors_.Count() > 0) RaiseErrors();
  Parser parser(*this);
  auto tree = parser.Run();
  if (errors_.Count() > 0) RaiseErrors();
  tree->BuildLinks();
  tree->MarkFinal();
  automat_ = std::make_unique<TcxRegExprAutomat>(std::move(tree), this);
  compiled_ = true;
  if (updateOn_) automat_->AutoComplete();
}

// ---- Lexing ----

Char TcxRegExpr::ReadChar() {
  const Char c = source_[index_++];
  if (c == 13) ++line_;
  if (c == 10)
    char_ = 0;
  else
    ++char_;
  return c;
}

void TcxRegExpr::AddLexem(Integer code, String value, Integer line, Integer ch) {
  TcxLexem lexem;
  lexem.Char = ch;
  lexem.Code = code;
  lexem.Line = line;
  lexem.Value = std::move(value);
  lexems_.Add(lexem);
}

void TcxRegExpr::SkipSpaces() {
  while (!AtEnd() && IsSpaceChar(source_[index_])) ReadChar();
}

void TcxRegExpr::Lex() {
  int depth = 0;
  while (!AtEnd()) {
    const Char c = ReadChar();
    if (IsSpaceChar(c)) continue;
    const Integer line = line_, ch = char_;
    switch (c) {
      case u'\'':
        LexQuoted();
        break;
      case u'(':
        ++depth;
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        break;
      case u')':
        --depth;
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        break;
      case u'*':
      case u'+':
      case u'?':
      case u'|':
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        break;
      case u'.':
        AddLexem(cxLexemAny, String(1, c), line, ch);
        break;
      case u'/':
        AddLexem(cxLexemDateSeparator, String(1, c), line, ch);
        break;
      case u':':
        AddLexem(cxLexemTimeSeparator, String(1, c), line, ch);
        break;
      case u'[':
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        LexSet();
        break;
      case u'\\':
        LexEscape(line, ch);
        break;
      case u'{':
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        LexBraces();
        break;
      default:
        AddLexem(cxLexemSymbol, String(1, c), line, ch);
        break;
    }
  }
  const String paren = u")";
  if (depth > 0) AddError(0, 0, cxSRegExprMissing, &paren);
  if (depth < 0) AddError(0, 0, cxSRegExprUnnecessary, &paren);
}

void TcxRegExpr::LexEscape(Integer line, Integer ch) {
  if (AtEnd()) return;
  const Char c = ReadChar();
  if (c >= u'1' && c <= u'9') {
    AddLexem(cxLexemReference, String(1, c), line, ch);
    return;
  }
  if (IsSpaceChar(c)) {
    AddError(line_, char_, cxSRegExprIncorrectSpace);
    return;
  }
  const String text = String(u"\\") + c;
  switch (c) {
    case u'w':
      return AddLexem(cxLexemIdLetter, text, line, ch);
    case u'W':
      return AddLexem(cxLexemNotIdLetter, text, line, ch);
    case u'd':
      return AddLexem(cxLexemDigit, text, line, ch);
    case u'D':
      return AddLexem(cxLexemNotDigit, text, line, ch);
    case u's':
      return AddLexem(cxLexemSpace, text, line, ch);
    case u'S':
      return AddLexem(cxLexemNotSpace, text, line, ch);
    case u't':
      return AddLexem(cxLexemSymbol, String(1, Char(9)), line, ch);
    case u'n':
      return AddLexem(cxLexemSymbol, String(1, Char(10)), line, ch);
    case u'r':
      return AddLexem(cxLexemSymbol, String(1, Char(13)), line, ch);
    case u'f':
      return AddLexem(cxLexemSymbol, String(1, Char(12)), line, ch);
    case u'a':
      return AddLexem(cxLexemSymbol, String(1, Char(7)), line, ch);
    case u'e':
      return AddLexem(cxLexemSymbol, String(1, Char(27)), line, ch);
    case u'x': {
      int code = 0;
      for (int i = 0; i < 2; ++i) {
        if (AtEnd()) {
          AddError(line_, char_ + 1, cxSRegExprHexExpected);
          return;
        }
        const Char digit = ReadChar();
        const int value = HexValue(digit);
        if (value < 0) {
          const String found(1, digit);
          AddError(line_, char_, cxSRegExprHexExpectedFound, &found);
          return;
        }
        code = code * 16 + value;
      }
      return AddLexem(cxLexemSymbol, String(1, static_cast<Char>(code)), line, ch);
    }
    default:
      return AddLexem(cxLexemSymbol, String(1, c), line, ch);
  }
}

void TcxRegExpr::LexQuoted() {
  for (;;) {
    if (AtEnd()) {
      AddError(line_, char_ + 1, cxSRegExprMissing, &kQuoteArg);
      return;
    }
    const Char c = ReadChar();
    const Integer line = line_, ch = char_;
    if (c == u'\'') {
      if (AtEnd() || source_[index_] != u'\'') return;
      ReadChar();  // two quotes stand for one quote character
    }
    AddLexem(cxLexemSymbol, String(1, c), line, ch);
  }
}

void TcxRegExpr::LexSet() {
  bool first = true;
  const String bracket = u"]";
  for (;;) {
    SkipSpaces();
    if (AtEnd()) {
      AddError(line_, char_ + 1, cxSRegExprMissing, &bracket);
      return;
    }
    const Char c = ReadChar();
    const Integer line = line_, ch = char_;
    const bool wasFirst = first;
    first = false;
    switch (c) {
      case u'\'':
        LexQuoted();
        continue;
      case u'/':
        AddLexem(cxLexemDateSeparator, String(1, c), line, ch);
        continue;
      case u':':
        AddLexem(cxLexemTimeSeparator, String(1, c), line, ch);
        continue;
      case u'\\':
        LexEscape(line, ch);
        continue;
      case u']':
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        return;
      default:
        break;
    }
    if (wasFirst && c == u'^') {
      AddLexem(cxLexemOperator, String(1, c), line, ch);
    } else if (!wasFirst && c == u'-') {
      SkipSpaces();
      if (AtEnd()) {
        AddLexem(cxLexemOperator, String(1, c), line, ch);
        AddError(line_, char_ + 1, cxSRegExprMissing, &bracket);
        return;
      }
      // Before ']' a minus is a literal; before anything else it makes a range.
      AddLexem(source_[index_] == u']' ? cxLexemSymbol : cxLexemOperator, String(1, c), line, ch);
    } else {
      AddLexem(cxLexemSymbol, String(1, c), line, ch);
    }
  }
}

void TcxRegExpr::LexBraces() {
  for (;;) {
    SkipSpaces();
    if (AtEnd()) {
      const String brace = u"}";
      AddError(line_, char_ + 1, cxSRegExprMissing, &brace);
      return;
    }
    const Char c = ReadChar();
    const Integer line = line_, ch = char_;
    if (IsDigitChar(c)) {
      String digits(1, c);
      while (!AtEnd() && IsDigitChar(source_[index_])) digits += ReadChar();
      AddLexem(cxLexemInteger, digits, line, ch);
    } else if (c == u',') {
      AddLexem(cxLexemOperator, String(1, c), line, ch);
    } else if (c == u'}') {
      AddLexem(cxLexemOperator, String(1, c), line, ch);
      return;
    } else if (c == u'\'') {
      AddError(line, ch, cxSRegExprIllegalSymbol, &kQuoteArg);
    } else {
      const String text(1, c);
      AddError(line, ch, cxSRegExprIllegalSymbol, &text);
    }
  }
}

// ---- Run time ----

void TcxRegExpr::CheckCompiled() const {
  if (!compiled_) throw Exception(cxGetResourceString(cxSRegExprNotCompiled));
}

bool TcxRegExpr::Next(Char& c) {
  CheckCompiled();
  const bool accepted = automat_->Next(c, caseInsensitive_);
  if (accepted && updateOn_ && !automat_->IsFinal()) automat_->AutoComplete();
  return accepted;
}

bool TcxRegExpr::Prev() {
  CheckCompiled();
  if (updateOn_) automat_->AutoCompleteBack();
  return automat_->Prev();
}

void TcxRegExpr::Reset() {
  CheckCompiled();
  automat_->Reset();
}

bool TcxRegExpr::IsFinal() {
  CheckCompiled();
  return automat_->IsFinal();
}

bool TcxRegExpr::IsStart() {
  CheckCompiled();
  return automat_->IsStart();
}

String TcxRegExpr::FilterText(const String& text) {
  CheckCompiled();
  String result;
  for (Char original : text) {
    Char c = original;
    if (automat_->Next(c, caseInsensitive_)) result += original;
  }
  return result;
}

void TcxRegExpr::SetUpdateOn(bool value) {
  updateOn_ = value;
  if (compiled_ && value) automat_->AutoComplete();
}

void TcxRegExpr::DoAutoInsert(Char c) {
  if (OnAutoInsert) OnAutoInsert(c);
}

void TcxRegExpr::DoAutoDelete() {
  if (OnAutoDelete) OnAutoDelete();
}
