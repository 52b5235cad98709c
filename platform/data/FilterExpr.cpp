// Filter expressions: lexer, parser and the per-record evaluator (three-valued: a comparison with a
// null is unknown, and only true records pass).
#include "platform/data/FilterExpr.h"

#include <cmath>

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/data/TextFold.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/VarDate.h"

namespace {

enum class Tri { False, True, Unknown };

Tri Not(Tri t) { return t == Tri::Unknown ? t : (t == Tri::True ? Tri::False : Tri::True); }
Tri FromBool(bool b) { return b ? Tri::True : Tri::False; }

// ---- Lexer ----

enum class Tok { End, Name, Text, Number, LParen, RParen, Comma, Op };

struct Token {
  Tok kind = Tok::End;
  String text;  // name, text literal, number text or operator
  int pos = 0;  // 1-based position in the expression
};

class Lexer {
 public:
  Lexer(const String& text) : s_(text) {}

  // Commas separate list items in IN (...): there a ',' never starts decimals.
  Token Next(bool inList) {
    while (i_ < s_.size() && s_[i_] <= u' ') ++i_;
    Token t;
    t.pos = static_cast<int>(i_) + 1;
    if (i_ >= s_.size()) return t;
    Char c = s_[i_];
    if (c == u'(') return Single(t, Tok::LParen);
    if (c == u')') return Single(t, Tok::RParen);
    if (c == u',') return Single(t, Tok::Comma);
    if (c == u'\'') return Quoted(t, u'\'', Tok::Text);
    if (c == u'"') return Quoted(t, u'"', Tok::Name);
    if (c == u'[') {
      std::size_t end = s_.find(u']', i_ + 1);
      if (end == String::npos) Fail(u"']' expected", static_cast<int>(s_.size()) + 1);
      t.kind = Tok::Name;
      t.text = s_.substr(i_ + 1, end - i_ - 1);
      i_ = end + 1;
      return t;
    }
    if (c == u'<' || c == u'>' || c == u'=' || c == u'!') {
      t.kind = Tok::Op;
      t.text = c;
      ++i_;
      if (i_ < s_.size() && (s_[i_] == u'=' || (c == u'<' && s_[i_] == u'>'))) t.text += s_[i_++];
      if (t.text == u"!") Fail(u"unknown operator '!'", t.pos);
      if (t.text == u"!=") t.text = u"<>";
      return t;
    }
    Char dec = FormatSettings().DecimalSeparator;
    bool digit = c >= u'0' && c <= u'9';
    bool signedNumber =
        (c == u'-' || c == u'+') && i_ + 1 < s_.size() && s_[i_ + 1] >= u'0' && s_[i_ + 1] <= u'9';
    if (digit || signedNumber ||
        (c == u'.' && i_ + 1 < s_.size() && s_[i_ + 1] >= u'0' && s_[i_ + 1] <= u'9')) {
      t.kind = Tok::Number;
      std::size_t j = i_ + (signedNumber ? 1 : 0);
      bool point = false;
      while (j < s_.size()) {
        Char d = s_[j];
        if (d >= u'0' && d <= u'9') {
          ++j;
        } else if (!point && (d == u'.' || (d == dec && !(inList && d == u','))) && j + 1 < s_.size() &&
                   s_[j + 1] >= u'0' && s_[j + 1] <= u'9') {
          point = true;
          ++j;
        } else if ((d == u'E' || d == u'e') && j + 1 < s_.size() &&
                   ((s_[j + 1] >= u'0' && s_[j + 1] <= u'9') || s_[j + 1] == u'-' || s_[j + 1] == u'+')) {
          j += 2;
          while (j < s_.size() && s_[j] >= u'0' && s_[j] <= u'9') ++j;
          break;
        } else {
          break;
        }
      }
      t.text = s_.substr(i_, j - i_);
      i_ = j;
      return t;
    }
    if (IsNameStart(c)) {
      std::size_t j = i_;
      while (j < s_.size() && (IsNameStart(s_[j]) || (s_[j] >= u'0' && s_[j] <= u'9') || s_[j] == u'.')) ++j;
      t.kind = Tok::Name;
      t.text = s_.substr(i_, j - i_);
      i_ = j;
      return t;
    }
    Fail(u"unexpected character '" + String(1, c) + u"'", t.pos);
  }

  [[noreturn]] void Fail(const String& what, int pos) const {
    DatabaseErrorFmt("Filter expression error: %s at position %d in: %s", {what, pos, s_});
  }

  std::size_t Offset() const { return i_; }
  void Reset(std::size_t offset) { i_ = offset; }

 private:
  static bool IsNameStart(Char c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c >= 0x80;
  }
  Token Single(Token& t, Tok kind) {
    t.kind = kind;
    t.text = s_[i_++];
    return t;
  }
  Token Quoted(Token& t, Char q, Tok kind) {
    std::size_t j = i_ + 1;
    String text;
    for (;;) {
      if (j >= s_.size()) Fail(String(1, q) + u" expected", static_cast<int>(s_.size()) + 1);
      if (s_[j] == q) {
        if (j + 1 < s_.size() && s_[j + 1] == q) {
          text += q;
          j += 2;
          continue;
        }
        break;
      }
      text += s_[j++];
    }
    t.kind = kind;
    t.text = std::move(text);
    i_ = j + 1;
    return t;
  }

  const String& s_;
  std::size_t i_ = 0;
};

// ---- Values ----

// A value read from a record or a literal, without allocation for text in the store.
struct Val {
  enum Kind { Null, Int, Float, Text } kind = Null;
  Int64 i = 0;
  double d = 0;
  std::u16string_view s;
};

int Sign(double x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }

}  // namespace

// ---- Nodes ----

struct TFilterExpression::Node {
  virtual ~Node() = default;
  virtual Tri Eval(const TRecordStore& store, TRecordId row, const TOtherFieldValue& other) const = 0;
};

namespace {

using Node = TFilterExpression::Node;
using TOther = TFilterExpression::TOtherFieldValue;

// An operand: a store column, another field, or a literal converted for its counterpart.
struct Operand {
  enum Kind { Column, Other, Literal } kind = Literal;
  int column = -1;
  TStoreKind storeKind = TStoreKind::Text;
  bool boolean = false;
  const TField* field = nullptr;
  // Literal as written, and its converted form.
  Variant literal;
  bool isNullLiteral = false;
  Val lit;
  String litText;  // storage of lit.s
  mutable String scratch;

  Val Read(const TRecordStore& store, TRecordId row, const TOther& other) const {
    Val v;
    switch (kind) {
      case Literal:
        v = lit;
        if (v.kind == Val::Text) v.s = litText;
        return v;
      case Column:
        if (store.IsNull(row, column)) return v;
        switch (storeKind) {
          case TStoreKind::Integer:
          case TStoreKind::Currency:
            v.kind = Val::Int;
            v.i = store.GetInt(row, column);
            return v;
          case TStoreKind::Float:
          case TStoreKind::DateTime:
            v.kind = Val::Float;
            v.d = store.GetFloat(row, column);
            return v;
          case TStoreKind::Text:
            v.kind = Val::Text;
            v.s = store.GetText(row, column);
            return v;
          default:
            return v;
        }
      case Other: {
        Variant value = other(field);
        if (VarIsNull(value) || VarIsEmpty(value)) return v;
        if (VarIsStr(value)) {
          scratch = value.AsString();
          v.kind = Val::Text;
          v.s = scratch;
        } else if (value.Type() == varBoolean || VarIsOrdinal(value)) {
          v.kind = Val::Int;
          v.i = value.Type() == varBoolean ? (value.AsBoolean() ? 1 : 0) : value.AsInt64();
        } else {
          v.kind = Val::Float;
          v.d = value.Type() == varDate ? value.AsDateTime() : value.AsDouble();
        }
        return v;
      }
    }
    return v;
  }
};

bool FoldedEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  return true;
}

// <0, 0, >0; 2 when the two cannot be ordered.
int CompareVals(const Val& a, const Val& b, bool ordering, bool caseInsensitive) {
  if (a.kind == Val::Text && b.kind == Val::Text) {
    if (!ordering) return (caseInsensitive ? FoldedEqual(a.s, b.s) : a.s == b.s) ? 0 : 1;
    int r = CollateCompare(a.s, b.s, caseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
  }
  if (a.kind == Val::Int && b.kind == Val::Int) return a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
  if ((a.kind == Val::Int || a.kind == Val::Float) && (b.kind == Val::Int || b.kind == Val::Float)) {
    double x = a.kind == Val::Int ? static_cast<double>(a.i) : a.d;
    double y = b.kind == Val::Int ? static_cast<double>(b.i) : b.d;
    return Sign(x - y);
  }
  return 2;
}

enum class CmpOp { Eq, Ne, Lt, Le, Gt, Ge };

bool Holds(CmpOp op, int r) {
  switch (op) {
    case CmpOp::Eq:
      return r == 0;
    case CmpOp::Ne:
      return r != 0;
    case CmpOp::Lt:
      return r < 0;
    case CmpOp::Le:
      return r <= 0;
    case CmpOp::Gt:
      return r > 0;
    case CmpOp::Ge:
      return r >= 0;
  }
  return false;
}

struct CompareNode : Node {
  Operand left, right;
  CmpOp op = CmpOp::Eq;
  bool fold = false;
  bool prefix = false;  // right is a text literal that ended in '*'
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    Val a = left.Read(store, row, other);
    Val b = right.Read(store, row, other);
    if (a.kind == Val::Null || b.kind == Val::Null) return Tri::Unknown;
    if (prefix && a.kind == Val::Text && b.kind == Val::Text) {
      bool starts = fold ? FoldedMatch(a.s, b.s, true) : ExactMatch(a.s, b.s, true);
      return FromBool(op == CmpOp::Ne ? !starts : starts);
    }
    bool ordering = op != CmpOp::Eq && op != CmpOp::Ne;
    int r = CompareVals(a, b, ordering, fold);
    if (r == 2) return Tri::Unknown;
    return FromBool(Holds(op, r));
  }
};

struct IsNullNode : Node {
  Operand operand;
  bool negate = false;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    bool isNull;
    if (operand.kind == Operand::Column) {
      isNull = store.IsNull(row, operand.column);
    } else {
      isNull = operand.Read(store, row, other).kind == Val::Null;
    }
    return FromBool(isNull != negate);
  }
};

// LIKE with '%' (any run) and '_' (one character); with fold, p is already folded.
bool LikeMatch(std::u16string_view s, std::u16string_view p, bool fold) {
  std::size_t si = 0, pi = 0, starP = std::u16string_view::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == u'_' || p[pi] == (fold ? FoldChar(s[si]) : s[si]))) {
      ++si;
      ++pi;
    } else if (pi < p.size() && p[pi] == u'%') {
      starP = pi++;
      starS = si;
    } else if (starP != std::u16string_view::npos) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == u'%') ++pi;
  return pi == p.size();
}

struct LikeNode : Node {
  Operand operand, pattern;
  bool negate = false;
  bool fold = false;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    Val a = operand.Read(store, row, other);
    Val p = pattern.Read(store, row, other);
    if (a.kind == Val::Null || p.kind == Val::Null) return Tri::Unknown;
    if (a.kind != Val::Text || p.kind != Val::Text) return Tri::Unknown;
    if (fold && pattern.kind != Operand::Literal) {
      String folded = FoldText(p.s);
      return FromBool(LikeMatch(a.s, folded, true) != negate);
    }
    return FromBool(LikeMatch(a.s, p.s, fold) != negate);
  }
};

struct BetweenNode : Node {
  Operand operand, low, high;
  bool negate = false;
  bool fold = false;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    Val v = operand.Read(store, row, other);
    Val lo = low.Read(store, row, other);
    Val hi = high.Read(store, row, other);
    if (v.kind == Val::Null || lo.kind == Val::Null || hi.kind == Val::Null) return Tri::Unknown;
    int a = CompareVals(v, lo, true, fold), b = CompareVals(v, hi, true, fold);
    if (a == 2 || b == 2) return Tri::Unknown;
    return FromBool((a >= 0 && b <= 0) != negate);
  }
};

struct InNode : Node {
  Operand operand;
  std::vector<Operand> items;
  bool negate = false;
  bool fold = false;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    Val v = operand.Read(store, row, other);
    if (v.kind == Val::Null) return Tri::Unknown;
    bool unknown = false;
    for (const Operand& item : items) {
      Val x = item.Read(store, row, other);
      if (x.kind == Val::Null) {
        unknown = true;
        continue;
      }
      if (CompareVals(v, x, false, fold) == 0) return FromBool(!negate);
    }
    return unknown ? Tri::Unknown : FromBool(negate);
  }
};

struct NotNode : Node {
  std::unique_ptr<Node> inner;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    return Not(inner->Eval(store, row, other));
  }
};

struct AndNode : Node {
  std::unique_ptr<Node> a, b;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    Tri x = a->Eval(store, row, other);
    if (x == Tri::False) return x;
    Tri y = b->Eval(store, row, other);
    if (y == Tri::False) return y;
    return (x == Tri::True && y == Tri::True) ? Tri::True : Tri::Unknown;
  }
};

struct OrNode : Node {
  std::unique_ptr<Node> a, b;
  Tri Eval(const TRecordStore& store, TRecordId row, const TOther& other) const override {
    Tri x = a->Eval(store, row, other);
    if (x == Tri::True) return x;
    Tri y = b->Eval(store, row, other);
    if (y == Tri::True) return y;
    return (x == Tri::False && y == Tri::False) ? Tri::False : Tri::Unknown;
  }
};

// ---- Parser ----

class Parser {
 public:
  Parser(const String& text, const TDataSet* ds, TFilterOptions options, bool& usesOther)
      : lex_(text), ds_(ds), options_(options), usesOther_(usesOther) {
    Advance();
  }

  std::unique_ptr<Node> Parse() {
    auto node = ParseOr();
    if (tok_.kind != Tok::End) Fail(u"operator or end of expression expected, found '" + tok_.text + u"'");
    return node;
  }

 private:
  void Advance(bool inList = false) { tok_ = lex_.Next(inList); }
  [[noreturn]] void Fail(const String& what) const { lex_.Fail(what, tok_.pos); }
  bool IsKeyword(const char16_t* word) const { return tok_.kind == Tok::Name && SameText(tok_.text, word); }
  bool CaseInsensitive() const { return options_.Contains(foCaseInsensitive); }

  std::unique_ptr<Node> ParseOr() {
    auto left = ParseAnd();
    while (IsKeyword(u"OR")) {
      Advance();
      auto node = std::make_unique<OrNode>();
      node->a = std::move(left);
      node->b = ParseAnd();
      left = std::move(node);
    }
    return left;
  }

  std::unique_ptr<Node> ParseAnd() {
    auto left = ParseNot();
    while (IsKeyword(u"AND")) {
      Advance();
      auto node = std::make_unique<AndNode>();
      node->a = std::move(left);
      node->b = ParseNot();
      left = std::move(node);
    }
    return left;
  }

  std::unique_ptr<Node> ParseNot() {
    if (IsKeyword(u"NOT")) {
      Advance();
      auto node = std::make_unique<NotNode>();
      node->inner = ParseNot();
      return node;
    }
    return ParsePredicate();
  }

  // A '(' starts a bracketed expression unless what follows is an operand compared afterwards,
  // e.g. "(A) = 1" is not written by anyone; brackets always group expressions here.
  std::unique_ptr<Node> ParsePredicate() {
    if (tok_.kind == Tok::LParen) {
      Advance();
      auto inner = ParseOr();
      if (tok_.kind != Tok::RParen) Fail(u"')' expected");
      Advance();
      return inner;
    }
    if (tok_.kind == Tok::End) Fail(u"operand expected");
    Operand left = ParseOperand();
    bool negate = false;
    if (IsKeyword(u"NOT")) {
      negate = true;
      Advance();
      if (!IsKeyword(u"LIKE") && !IsKeyword(u"BETWEEN") && !IsKeyword(u"IN"))
        Fail(u"LIKE, BETWEEN or IN expected after NOT");
    }
    if (IsKeyword(u"IS")) {
      Advance();
      auto node = std::make_unique<IsNullNode>();
      if (IsKeyword(u"NOT")) {
        node->negate = true;
        Advance();
      }
      if (!IsKeyword(u"NULL")) Fail(u"NULL expected");
      Advance();
      node->operand = std::move(left);
      return node;
    }
    if (IsKeyword(u"LIKE")) {
      Advance();
      auto node = std::make_unique<LikeNode>();
      node->negate = negate;
      node->fold = CaseInsensitive();
      node->pattern = ParseOperand();
      Convert(node->pattern, left, node->fold, true);
      node->operand = std::move(left);
      return node;
    }
    if (IsKeyword(u"BETWEEN")) {
      Advance();
      auto node = std::make_unique<BetweenNode>();
      node->negate = negate;
      node->fold = CaseInsensitive();
      node->low = ParseOperand();
      if (!IsKeyword(u"AND")) Fail(u"AND expected in BETWEEN");
      Advance();
      node->high = ParseOperand();
      Convert(node->low, left, node->fold, false);
      Convert(node->high, left, node->fold, false);
      node->operand = std::move(left);
      return node;
    }
    if (IsKeyword(u"IN")) {
      Advance();
      if (tok_.kind != Tok::LParen) Fail(u"'(' expected after IN");
      Advance(true);
      auto node = std::make_unique<InNode>();
      node->negate = negate;
      node->fold = CaseInsensitive();
      for (;;) {
        Operand item = ParseOperand(true);
        Convert(item, left, node->fold, false);
        node->items.push_back(std::move(item));
        if (tok_.kind == Tok::Comma) {
          Advance(true);
          continue;
        }
        if (tok_.kind != Tok::RParen) Fail(u"',' or ')' expected in IN list");
        Advance();
        break;
      }
      node->operand = std::move(left);
      return node;
    }
    if (tok_.kind == Tok::Op) {
      String op = tok_.text;
      Advance();
      Operand right = ParseOperand();
      if (right.isNullLiteral || left.isNullLiteral) {
        // "= NULL" and "<> NULL" test for null.
        if (op != u"=" && op != u"<>") Fail(u"NULL can only be compared with = or <>");
        auto node = std::make_unique<IsNullNode>();
        node->negate = op == u"<>";
        node->operand = right.isNullLiteral ? std::move(left) : std::move(right);
        return node;
      }
      auto node = std::make_unique<CompareNode>();
      node->op = op == u"="    ? CmpOp::Eq
                 : op == u"<>" ? CmpOp::Ne
                 : op == u"<"  ? CmpOp::Lt
                 : op == u"<=" ? CmpOp::Le
                 : op == u">"  ? CmpOp::Gt
                               : CmpOp::Ge;
      node->fold = CaseInsensitive();
      if (left.kind == Operand::Literal && right.kind != Operand::Literal) {
        // Keep the field on the left: 'x' < A is A > 'x'.
        std::swap(left, right);
        switch (node->op) {
          case CmpOp::Lt:
            node->op = CmpOp::Gt;
            break;
          case CmpOp::Le:
            node->op = CmpOp::Ge;
            break;
          case CmpOp::Gt:
            node->op = CmpOp::Lt;
            break;
          case CmpOp::Ge:
            node->op = CmpOp::Le;
            break;
          default:
            break;
        }
      }
      if (right.kind == Operand::Literal && VarIsStr(right.literal) &&
          !options_.Contains(foNoPartialCompare) && (node->op == CmpOp::Eq || node->op == CmpOp::Ne)) {
        String text = right.literal.AsString();
        if (!text.empty() && text.back() == u'*' && IsTextOperand(left)) {
          text.pop_back();
          right.literal = Variant(text);
          node->prefix = true;
        }
      }
      Convert(right, left, node->fold, false);
      Convert(left, right, node->fold, false);
      node->left = std::move(left);
      node->right = std::move(right);
      return node;
    }
    // A boolean field alone.
    if (left.kind != Operand::Literal && left.boolean) {
      auto node = std::make_unique<CompareNode>();
      node->left = std::move(left);
      node->right.lit.kind = Val::Int;
      node->right.lit.i = 1;
      return node;
    }
    Fail(u"comparison operator expected");
  }

  static bool IsTextOperand(const Operand& o) {
    return o.kind == Operand::Column
               ? o.storeKind == TStoreKind::Text
               : (o.kind == Operand::Other && StoreKindOf(o.field->DataType()) == TStoreKind::Text);
  }

  Operand ParseOperand(bool inList = false) {
    Operand o;
    switch (tok_.kind) {
      case Tok::Text:
        o.literal = Variant(tok_.text);
        Advance(inList);
        return o;
      case Tok::Number: {
        String text = tok_.text;
        for (Char& c : text)
          if (c == u',' || c == u'.') c = u'.';
        TFormatSettings dot = FormatSettings();
        dot.DecimalSeparator = u'.';
        double d = 0;
        if (!TextToFloat(text, d, dot)) Fail(u"invalid number '" + tok_.text + u"'");
        Int64 i = 0;
        if (text.find_first_of(u".eE") == String::npos && TryStrToInt64(text, i))
          o.literal = Variant(i);
        else
          o.literal = Variant(d);
        Advance(inList);
        return o;
      }
      case Tok::Name: {
        if (SameText(tok_.text, u"NULL")) {
          o.isNullLiteral = true;
          o.literal = Null();
          Advance(inList);
          return o;
        }
        if (SameText(tok_.text, u"TRUE") || SameText(tok_.text, u"FALSE")) {
          o.literal = Variant(SameText(tok_.text, u"TRUE"));
          Advance(inList);
          return o;
        }
        TField* f = ResolveField(tok_.text);
        if (!f) Fail(u"field '" + tok_.text + u"' not found");
        int col = TDataSetAccess::Column(f);
        if (col >= 0) {
          o.kind = Operand::Column;
          o.column = col;
          o.storeKind = StoreKindOf(f->DataType());
        } else {
          o.kind = Operand::Other;
          usesOther_ = true;
        }
        o.field = f;
        o.boolean = f->DataType() == ftBoolean;
        Advance(inList);
        return o;
      }
      default:
        Fail(tok_.kind == Tok::End ? String(u"operand expected")
                                   : u"operand expected, found '" + tok_.text + u"'");
    }
  }

  TField* ResolveField(const String& name) const {
    if (TField* f = ds_->FindField(name)) return f;
    for (TField* f : *ds_->Fields())
      if (!f->Origin().empty() && AnsiSameText(f->Origin(), name)) return f;
    std::size_t dot = name.rfind(u'.');
    if (dot != String::npos) return ds_->FindField(name.substr(dot + 1));
    return nullptr;
  }

  // Converts a literal to the kind of the operand it is compared with.
  void Convert(Operand& lit, const Operand& against, bool fold, bool likePattern) {
    if (lit.kind != Operand::Literal) return;
    if (lit.isNullLiteral) {
      lit.lit.kind = Val::Null;
      return;
    }
    const Variant& v = lit.literal;
    TFieldType type = against.kind == Operand::Literal ? ftUnknown : against.field->DataType();
    TStoreKind kind = against.kind == Operand::Literal ? TStoreKind::Text : StoreKindOf(type);
    if (against.kind == Operand::Literal) kind = VarIsStr(v) ? TStoreKind::Text : TStoreKind::Float;
    if (likePattern) kind = TStoreKind::Text;
    Val& out = lit.lit;
    switch (kind) {
      case TStoreKind::Text:
        lit.litText = v.AsString();
        if (fold) lit.litText = FoldText(lit.litText);
        out.kind = Val::Text;
        return;
      case TStoreKind::Integer:
        if (type == ftBoolean) {
          bool b;
          if (VarIsStr(v)) {
            String t = Trim(v.AsString());
            if (SameText(t, u"TRUE") || t == u"1")
              b = true;
            else if (SameText(t, u"FALSE") || t == u"0")
              b = false;
            else
              Fail(u"'" + t + u"' is not a valid boolean value");
          } else {
            b = v.AsBoolean();
          }
          out.kind = Val::Int;
          out.i = b ? 1 : 0;
          return;
        }
        [[fallthrough]];
      case TStoreKind::Float: {
        double d = NumberOf(v);
        if (kind == TStoreKind::Integer && std::trunc(d) == d && std::fabs(d) < 9.2e18) {
          out.kind = Val::Int;
          out.i = static_cast<Int64>(d);
        } else {
          out.kind = Val::Float;
          out.d = d;
        }
        return;
      }
      case TStoreKind::Currency: {
        double d = NumberOf(v);
        out.kind = Val::Float;
        out.d = d * 10000.0;
        if (std::fabs(out.d - std::round(out.d)) < 1e-6) {
          out.kind = Val::Int;
          out.i = static_cast<Int64>(std::llround(out.d));
        }
        return;
      }
      case TStoreKind::DateTime: {
        out.kind = Val::Float;
        if (VarIsStr(v)) {
          String text = Trim(v.AsString());
          TDateTime dt;
          if (!TryStrToDateTime(text, dt) && !TryStrToDate(text, dt) && !TryVarDateFromStr(text, dt))
            Fail(u"'" + text + u"' is not a valid date");
          out.d = dt;
        } else {
          out.d = v.AsDouble();
        }
        return;
      }
      case TStoreKind::Bytes:
        Fail(u"a binary field cannot be compared");
    }
  }

  double NumberOf(const Variant& v) const {
    if (!VarIsStr(v)) return v.AsDouble();
    String text = Trim(v.AsString());
    for (Char& c : text)
      if (c == u',') c = u'.';
    TFormatSettings dot = FormatSettings();
    dot.DecimalSeparator = u'.';
    double d = 0;
    if (!TextToFloat(text, d, dot)) Fail(u"'" + v.AsString() + u"' is not a valid number");
    return d;
  }

  // Reaches the store column of a field (TDataSet keeps it private).
  struct TDataSetAccess : TDataSet {
    static int Column(const TField* f) { return FieldColumn(f); }
  };

  Lexer lex_;
  Token tok_;
  const TDataSet* ds_;
  TFilterOptions options_;
  bool& usesOther_;
};

}  // namespace

TFilterExpression::~TFilterExpression() = default;

std::unique_ptr<TFilterExpression> TFilterExpression::Compile(const String& Text, const TDataSet* DataSet,
                                                              TFilterOptions Options) {
  std::unique_ptr<TFilterExpression> expr(new TFilterExpression());
  Parser parser(Text, DataSet, Options, expr->usesOtherFields_);
  expr->root_ = parser.Parse();
  return expr;
}

bool TFilterExpression::Evaluate(const TRecordStore& Store, TRecordId Row,
                                 const TOtherFieldValue& Other) const {
  return root_->Eval(Store, Row, Other) == Tri::True;
}
