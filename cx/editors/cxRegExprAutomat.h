// The machinery of regular-expression edit masks: the character classes a pattern position holds,
// the parse tree the compiler builds, and the nondeterministic automaton wired from it, run one typed
// character at a time with a history for stepping back and completion of forced characters.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

class TcxRegExpr;

// ---- Character classes ----

class TcxRegExprItem {
 public:
  virtual ~TcxRegExprItem() = default;
  // True when the character belongs to the class; a case-insensitive symbol rewrites it.
  virtual bool Check(Char& c, bool caseInsensitive) const = 0;
  virtual std::unique_ptr<TcxRegExprItem> Clone() const = 0;
};

class TcxRegExprSymbol : public TcxRegExprItem {
 public:
  explicit TcxRegExprSymbol(Char value) : Value(value) {}
  bool Check(Char& c, bool caseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;

  Char Value;
};

// The system time separator, read at the moment of the check.
class TcxRegExprTimeSeparator : public TcxRegExprItem {
 public:
  bool Check(Char& c, bool caseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// The system date separator, read at the moment of the check.
class TcxRegExprDateSeparator : public TcxRegExprItem {
 public:
  bool Check(Char& c, bool caseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// Compares character codes only, whatever the case flag.
class TcxRegExprSubrange : public TcxRegExprItem {
 public:
  TcxRegExprSubrange(Char startValue, Char finishValue) : StartValue(startValue), FinishValue(finishValue) {}
  bool Check(Char& c, bool caseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;

  Char StartValue;
  Char FinishValue;
};

class TcxRegExprEnumeration : public TcxRegExprItem {
 public:
  explicit TcxRegExprEnumeration(bool inverse) : Inverse(inverse) {}
  bool Check(Char& c, bool caseInsensitive) const final { return Test(c, caseInsensitive) != Inverse; }

  bool Inverse;

 protected:
  virtual bool Test(Char& c, bool caseInsensitive) const = 0;
};

// A bracketed set: the first member that accepts decides.
class TcxRegExprUserEnumeration : public TcxRegExprEnumeration {
 public:
  explicit TcxRegExprUserEnumeration(bool inverse = false) : TcxRegExprEnumeration(inverse) {}
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  void Add(std::unique_ptr<TcxRegExprItem> item) { Items.push_back(std::move(item)); }

  std::vector<std::unique_ptr<TcxRegExprItem>> Items;

 protected:
  bool Test(Char& c, bool caseInsensitive) const override;
};

class TcxRegExprDigit : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  std::unique_ptr<TcxRegExprItem> Clone() const override;

 protected:
  bool Test(Char& c, bool caseInsensitive) const override;
};

// ASCII letters, digits and '_'.
class TcxRegExprIdLetter : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  std::unique_ptr<TcxRegExprItem> Clone() const override;

 protected:
  bool Test(Char& c, bool caseInsensitive) const override;
};

// Codes 0, 9, 10, 12, 13 and 32.
class TcxRegExprSpace : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  std::unique_ptr<TcxRegExprItem> Clone() const override;

 protected:
  bool Test(Char& c, bool caseInsensitive) const override;
};

class TcxRegExprAll : public TcxRegExprItem {
 public:
  bool Check(Char&, bool) const override { return true; }
  std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// ---- States ----

class TcxRegExprState;

// An ordered list of states (not owned). Sets built by the automaton hold each state once.
class TcxRegExprStates {
 public:
  void Add(TcxRegExprState* state) { items_.push_back(state); }
  void AddSet(const TcxRegExprStates& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
  }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxRegExprState* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  bool Empty() const { return items_.empty(); }
  void Clear() { items_.clear(); }
  void Swap(TcxRegExprStates& other) { items_.swap(other.items_); }

  // Some state is a final simple state.
  bool HasFinal() const;
  // The character-consuming states that may follow any state of the set.
  TcxRegExprStates GetFollowers() const;
  // The states the character leads to from any state of the set.
  TcxRegExprStates Advance(Char& c, bool caseInsensitive) const;
  void AdvanceInto(Char& c, bool caseInsensitive, TcxRegExprStates& result) const;
  // True when every state stands for one and the same fixed character (a symbol or a separator).
  bool GetSingleChar(Char& c) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<TcxRegExprState*> items_;
};

// One walk over the automaton: every state is added to the result once and every block state is
// entered once, so ambiguous patterns cannot make the sets grow from step to step.
struct TcxRegExprWalk {
  TcxRegExprWalk(TcxRegExprStates& result);
  TcxRegExprStates& Result;
  std::uint64_t Stamp;
  void AddOnce(TcxRegExprState* state);
};

class TcxRegExprState {
 public:
  TcxRegExprState() = default;
  TcxRegExprState(const TcxRegExprState&) = delete;
  TcxRegExprState& operator=(const TcxRegExprState&) = delete;
  virtual ~TcxRegExprState() = default;

  // Adds the states the character leads to when offered to this state.
  virtual void Check(Char& c, bool caseInsensitive, TcxRegExprWalk& walk);
  virtual std::unique_ptr<TcxRegExprState> Clone() const;
  // Adds the character-consuming states this state stands for.
  virtual void Expand(TcxRegExprWalk& walk);

  void AddLink(TcxRegExprState* state) { Links.Add(state); }
  void AddLinks(const TcxRegExprStates& states) { Links.AddSet(states); }
  void GetFollowers(TcxRegExprWalk& walk);
  void Advance(Char& c, bool caseInsensitive, TcxRegExprWalk& walk);

  TcxRegExprStates Links;

 private:
  friend struct TcxRegExprWalk;
  friend class TcxRegExprBlockState;
  std::uint64_t addedStamp_ = 0;
  std::uint64_t enteredStamp_ = 0;
};

// Consumes one character of its item's class; the start state has no item.
class TcxRegExprSimpleState : public TcxRegExprState {
 public:
  explicit TcxRegExprSimpleState(std::unique_ptr<TcxRegExprItem> value = nullptr) : Value(std::move(value)) {}
  void Check(Char& c, bool caseInsensitive, TcxRegExprWalk& walk) override;
  std::unique_ptr<TcxRegExprState> Clone() const override;

  bool IsFinal = false;
  std::unique_ptr<TcxRegExprItem> Value;
};

// The entry or exit of a parenthesised block: consumes nothing.
class TcxRegExprBlockState : public TcxRegExprState {
 public:
  void Check(Char& c, bool caseInsensitive, TcxRegExprWalk& walk) override;
  std::unique_ptr<TcxRegExprState> Clone() const override;
  void Expand(TcxRegExprWalk& walk) override;
};

// ---- Parse tree ----

class TcxRegExprQuantifier {
 public:
  virtual ~TcxRegExprQuantifier() = default;
  virtual bool IsOptional() const = 0;
  virtual bool IsRepeatable() const = 0;
  virtual std::unique_ptr<TcxRegExprQuantifier> Clone() const = 0;
  virtual String GetText() const = 0;
};

class TcxRegExprSimpleQuantifier : public TcxRegExprQuantifier {
 public:
  bool IsOptional() const override { return false; }
  bool IsRepeatable() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String GetText() const override { return {}; }
};

class TcxRegExprQuestionQuantifier : public TcxRegExprQuantifier {
 public:
  bool IsOptional() const override { return true; }
  bool IsRepeatable() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String GetText() const override { return u"?"; }
};

class TcxRegExprStarQuantifier : public TcxRegExprQuantifier {
 public:
  bool IsOptional() const override { return true; }
  bool IsRepeatable() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String GetText() const override { return u"*"; }
};

class TcxRegExprPlusQuantifier : public TcxRegExprQuantifier {
 public:
  bool IsOptional() const override { return false; }
  bool IsRepeatable() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String GetText() const override { return u"+"; }
};

class TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> quantifier);
  virtual ~TcxRegExprParserItem() = default;

  virtual bool MatchesEmpty() const = 0;
  virtual std::unique_ptr<TcxRegExprParserItem> Clone() const = 0;
  virtual String GetText() const = 0;
  virtual void MarkFinal() = 0;
  // The state a path enters the item by, and the state it leaves by.
  virtual TcxRegExprState* FirstState() const = 0;
  virtual TcxRegExprState* OutState() const = 0;

  bool IsOptional() const { return Quantifier->IsOptional(); }
  bool IsRepeatable() const { return Quantifier->IsRepeatable(); }
  bool HasNoQuantifier() const;
  void ReplaceQuantifier(std::unique_ptr<TcxRegExprQuantifier> quantifier);

  std::unique_ptr<TcxRegExprQuantifier> Quantifier;
};

class TcxRegExprParserSimpleItem : public TcxRegExprParserItem {
 public:
  TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprSimpleState> state,
                             std::unique_ptr<TcxRegExprQuantifier> quantifier = nullptr);
  bool MatchesEmpty() const override { return IsOptional(); }
  std::unique_ptr<TcxRegExprParserItem> Clone() const override;
  String GetText() const override;
  void MarkFinal() override { State->IsFinal = true; }
  TcxRegExprState* FirstState() const override { return State.get(); }
  TcxRegExprState* OutState() const override { return State.get(); }

  std::unique_ptr<TcxRegExprSimpleState> State;
};

class TcxRegExprParserAlts;

class TcxRegExprParserBlockItem : public TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> quantifier = nullptr);
  ~TcxRegExprParserBlockItem() override;
  bool MatchesEmpty() const override;
  std::unique_ptr<TcxRegExprParserItem> Clone() const override;
  String GetText() const override;
  void MarkFinal() override;
  TcxRegExprState* FirstState() const override { return EntryState.get(); }
  TcxRegExprState* OutState() const override { return ExitState.get(); }

  std::unique_ptr<TcxRegExprParserAlts> Alts;
  std::unique_ptr<TcxRegExprBlockState> ExitState;
  std::unique_ptr<TcxRegExprBlockState> EntryState;
};

// One alternative: its items in pattern order.
class TcxRegExprParserAlt {
 public:
  void Add(std::unique_ptr<TcxRegExprParserItem> item) { items_.push_back(std::move(item)); }
  // Takes the last item out of the list, leaving it to the caller.
  std::unique_ptr<TcxRegExprParserItem> ReleaseLast();
  // Takes the last item out and appends the given one in its place.
  std::unique_ptr<TcxRegExprParserItem> ReplaceLast(std::unique_ptr<TcxRegExprParserItem> item);
  int Count() const { return static_cast<int>(items_.size()); }
  TcxRegExprParserItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TcxRegExprParserItem* Last() const { return items_.empty() ? nullptr : items_.back().get(); }

  void BuildLinks();
  void MarkFinal();
  bool AllOptional() const;
  bool MatchesEmpty() const;
  void GetFirstStates(TcxRegExprStates& states) const;
  void LinkLastStates(TcxRegExprState* target);
  std::unique_ptr<TcxRegExprParserAlt> Clone() const;
  String GetText() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserItem>> items_;
};

// The alternatives of the whole pattern or of one block.
class TcxRegExprParserAlts {
 public:
  TcxRegExprParserAlt* AddAlt();
  TcxRegExprParserAlt* Last() const { return alts_.empty() ? nullptr : alts_.back().get(); }
  int Count() const { return static_cast<int>(alts_.size()); }
  TcxRegExprParserAlt* Items(int index) const { return alts_.at(static_cast<size_t>(index)).get(); }

  void BuildLinks();
  void MarkFinal();
  // Some alternative whose items are all optional by their quantifiers (an empty one counts).
  bool HasAllOptional() const;
  // Some alternative whose items all match the empty text.
  bool MatchesEmpty() const;
  TcxRegExprStates GetFirstStates() const;
  void LinkLastStates(TcxRegExprState* target);
  std::unique_ptr<TcxRegExprParserAlts> Clone() const;
  String GetText() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserAlt>> alts_;
};

// ---- Automaton ----

class TcxRegExprAutomat {
 public:
  // The parse tree must already be linked and marked final.
  TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> parseTree, TcxRegExpr* owner);
  TcxRegExprAutomat(const TcxRegExprAutomat&) = delete;
  TcxRegExprAutomat& operator=(const TcxRegExprAutomat&) = delete;

  // Accepts one character (which a case-insensitive symbol may rewrite); false changes nothing.
  bool Next(Char& c, bool caseInsensitive);
  // Back to the states before the last accepted character; false at the start.
  bool Prev();
  void Reset();
  bool IsFinal() const { return current_.HasFinal(); }
  bool IsStart() const;
  TcxRegExprStates GetFollowers() const { return current_.GetFollowers(); }
  // Fills in the characters the pattern forces, until the position is final or a choice follows.
  void AutoComplete();
  // Steps back over a run of forced characters, calling the owner's delete for each.
  void AutoCompleteBack();

  const TcxRegExprStates& Current() const { return current_; }
  int HistoryCount() const { return static_cast<int>(historyCount_); }
  const TcxRegExprParserAlts& ParseTree() const { return *parseTree_; }
  TcxRegExprSimpleState* StartState() const { return startState_.get(); }

 private:
  void Push(TcxRegExprStates& next);

  TcxRegExprStates current_;
  std::unique_ptr<TcxRegExprParserAlts> parseTree_;
  // Earlier values of current_, the last on top; slots above historyCount_ are spare buffers.
  std::vector<TcxRegExprStates> history_;
  size_t historyCount_ = 0;
  TcxRegExpr* owner_;
  std::unique_ptr<TcxRegExprSimpleState> startState_;
  TcxRegExprStates scratch_;
};
