#include "cx/editors/cxRegExprAutomat.h"

#include "cx/editors/cxRegExpr.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace {

const String kLineBreak = u"\r\n";

std::uint64_t NewWalkStamp() {
  static std::uint64_t stamp = 0;
  return ++stamp;
}

// The fixed character a state stands for, when it stands for one.
bool StateChar(const TcxRegExprState* state, Char& c) {
  auto* simple = dynamic_cast<const TcxRegExprSimpleState*>(state);
  if (!simple || !simple->Value) return false;
  const TcxRegExprItem* item = simple->Value.get();
  if (auto* symbol = dynamic_cast<const TcxRegExprSymbol*>(item)) {
    c = symbol->Value;
    return true;
  }
  if (dynamic_cast<const TcxRegExprTimeSeparator*>(item)) {
    c = FormatSettings().TimeSeparator;
    return true;
  }
  if (dynamic_cast<const TcxRegExprDateSeparator*>(item)) {
    c = FormatSettings().DateSeparator;
    return true;
  }
  return false;
}

}  // namespace

// ---- Character classes ----

bool TcxRegExprSymbol::Check(Char& c, bool caseInsensitive) const {
  if (!caseInsensitive) return c == Value;
  if (AnsiUpperChar(c) != AnsiUpperChar(Value)) return false;
  c = Value;  // typed text takes the letter case written in the pattern
  return true;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSymbol::Clone() const {
  return std::make_unique<TcxRegExprSymbol>(Value);
}

bool TcxRegExprTimeSeparator::Check(Char& c, bool) const { return c == FormatSettings().TimeSeparator; }
std::unique_ptr<TcxRegExprItem> TcxRegExprTimeSeparator::Clone() const {
  return std::make_unique<TcxRegExprTimeSeparator>();
}

bool TcxRegExprDateSeparator::Check(Char& c, bool) const { return c == FormatSettings().DateSeparator; }
std::unique_ptr<TcxRegExprItem> TcxRegExprDateSeparator::Clone() const {
  return std::make_unique<TcxRegExprDateSeparator>();
}

bool TcxRegExprSubrange::Check(Char& c, bool) const { return c >= StartValue && c <= FinishValue; }
std::unique_ptr<TcxRegExprItem> TcxRegExprSubrange::Clone() const {
  return std::make_unique<TcxRegExprSubrange>(StartValue, FinishValue);
}

bool TcxRegExprUserEnumeration::Test(Char& c, bool caseInsensitive) const {
  for (const auto& item : Items)
    if (item->Check(c, caseInsensitive)) return true;
  return false;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Clone() const {
  auto result = std::make_unique<TcxRegExprUserEnumeration>(Inverse);
  for (const auto& item : Items) result->Add(item->Clone());
  return result;
}

bool TcxRegExprDigit::Test(Char& c, bool) const { return c >= u'0' && c <= u'9'; }
std::unique_ptr<TcxRegExprItem> TcxRegExprDigit::Clone() const {
  return std::make_unique<TcxRegExprDigit>(Inverse);
}

bool TcxRegExprIdLetter::Test(Char& c, bool) const {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}
std::unique_ptr<TcxRegExprItem> TcxRegExprIdLetter::Clone() const {
  return std::make_unique<TcxRegExprIdLetter>(Inverse);
}

bool TcxRegExprSpace::Test(Char& c, bool) const {
  return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32;
}
std::unique_ptr<TcxRegExprItem> TcxRegExprSpace::Clone() const {
  return std::make_unique<TcxRegExprSpace>(Inverse);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprAll::Clone() const { return std::make_unique<TcxRegExprAll>(); }

// ---- States ----

TcxRegExprWalk::TcxRegExprWalk(TcxRegExprStates& result) : Result(result), Stamp(NewWalkStamp()) {}

void TcxRegExprWalk::AddOnce(TcxRegExprState* state) {
  if (state->addedStamp_ == Stamp) return;
  state->addedStamp_ = Stamp;
  Result.Add(state);
}

void TcxRegExprState::Check(Char&, bool, TcxRegExprWalk&) {}
std::unique_ptr<TcxRegExprState> TcxRegExprState::Clone() const {
  return std::make_unique<TcxRegExprState>();
}
void TcxRegExprState::Expand(TcxRegExprWalk& walk) { walk.AddOnce(this); }

void TcxRegExprState::GetFollowers(TcxRegExprWalk& walk) {
  for (TcxRegExprState* link : Links) link->Expand(walk);
}

void TcxRegExprState::Advance(Char& c, bool caseInsensitive, TcxRegExprWalk& walk) {
  for (TcxRegExprState* link : Links) link->Check(c, caseInsensitive, walk);
}

void TcxRegExprSimpleState::Check(Char& c, bool caseInsensitive, TcxRegExprWalk& walk) {
  if (Value && Value->Check(c, caseInsensitive)) walk.AddOnce(this);
}

std::unique_ptr<TcxRegExprState> TcxRegExprSimpleState::Clone() const {
  return std::make_unique<TcxRegExprSimpleState>(Value ? Value->Clone() : nullptr);
}

void TcxRegExprBlockState::Check(Char& c, bool caseInsensitive, TcxRegExprWalk& walk) {
  if (enteredStamp_ == walk.Stamp) return;
  enteredStamp_ = walk.Stamp;
  Advance(c, caseInsensitive, walk);
}

std::unique_ptr<TcxRegExprState> TcxRegExprBlockState::Clone() const {
  return std::make_unique<TcxRegExprBlockState>();
}

void TcxRegExprBlockState::Expand(TcxRegExprWalk& walk) {
  if (enteredStamp_ == walk.Stamp) return;
  enteredStamp_ = walk.Stamp;
  GetFollowers(walk);
}

bool TcxRegExprStates::HasFinal() const {
  for (const TcxRegExprState* state : items_) {
    auto* simple = dynamic_cast<const TcxRegExprSimpleState*>(state);
    if (simple && simple->IsFinal) return true;
  }
  return false;
}

TcxRegExprStates TcxRegExprStates::GetFollowers() const {
  TcxRegExprStates result;
  TcxRegExprWalk walk(result);
  for (TcxRegExprState* state : items_) state->GetFollowers(walk);
  return result;
}

TcxRegExprStates TcxRegExprStates::Advance(Char& c, bool caseInsensitive) const {
  TcxRegExprStates result;
  AdvanceInto(c, caseInsensitive, result);
  return result;
}

void TcxRegExprStates::AdvanceInto(Char& c, bool caseInsensitive, TcxRegExprStates& result) const {
  TcxRegExprWalk walk(result);
  for (TcxRegExprState* state : items_) state->Advance(c, caseInsensitive, walk);
}

bool TcxRegExprStates::GetSingleChar(Char& c) const {
  if (items_.empty()) return false;
  Char first = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    Char ch;
    if (!StateChar(items_[i], ch)) return false;
    if (i == 0)
      first = ch;
    else if (ch != first)
      return false;
  }
  c = first;
  return true;
}

// ---- Quantifiers ----

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprSimpleQuantifier::Clone() const {
  return std::make_unique<TcxRegExprSimpleQuantifier>();
}
std::unique_ptr<TcxRegExprQuantifier> TcxRegExprQuestionQuantifier::Clone() const {
  return std::make_unique<TcxRegExprQuestionQuantifier>();
}
std::unique_ptr<TcxRegExprQuantifier> TcxRegExprStarQuantifier::Clone() const {
  return std::make_unique<TcxRegExprStarQuantifier>();
}
std::unique_ptr<TcxRegExprQuantifier> TcxRegExprPlusQuantifier::Clone() const {
  return std::make_unique<TcxRegExprPlusQuantifier>();
}

// ---- Parser items ----

TcxRegExprParserItem::TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> quantifier)
    : Quantifier(quantifier ? std::move(quantifier) : std::make_unique<TcxRegExprSimpleQuantifier>()) {}

bool TcxRegExprParserItem::HasNoQuantifier() const {
  return dynamic_cast<const TcxRegExprSimpleQuantifier*>(Quantifier.get()) != nullptr;
}

void TcxRegExprParserItem::ReplaceQuantifier(std::unique_ptr<TcxRegExprQuantifier> quantifier) {
  if (quantifier) Quantifier = std::move(quantifier);
}

TcxRegExprParserSimpleItem::TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprSimpleState> state,
                                                       std::unique_ptr<TcxRegExprQuantifier> quantifier)
    : TcxRegExprParserItem(std::move(quantifier)), State(std::move(state)) {}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserSimpleItem::Clone() const {
  std::unique_ptr<TcxRegExprSimpleState> state(static_cast<TcxRegExprSimpleState*>(State->Clone().release()));
  return std::make_unique<TcxRegExprParserSimpleItem>(std::move(state), Quantifier->Clone());
}

String TcxRegExprParserSimpleItem::GetText() const {
  return u"item --> " + Quantifier->GetText() + kLineBreak;
}

TcxRegExprParserBlockItem::TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> quantifier)
    : TcxRegExprParserItem(std::move(quantifier)), Alts(std::make_unique<TcxRegExprParserAlts>()) {
  EntryState = std::make_unique<TcxRegExprBlockState>();
  ExitState = std::make_unique<TcxRegExprBlockState>();
}

TcxRegExprParserBlockItem::~TcxRegExprParserBlockItem() = default;

bool TcxRegExprParserBlockItem::MatchesEmpty() const { return IsOptional() || Alts->MatchesEmpty(); }

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserBlockItem::Clone() const {
  auto result = std::make_unique<TcxRegExprParserBlockItem>(Quantifier->Clone());
  result->Alts = Alts->Clone();
  return result;
}

String TcxRegExprParserBlockItem::GetText() const {
  return u"<Start_Block>" + kLineBreak + Alts->GetText() + u"<Finish_Block> --> " + Quantifier->GetText() +
         kLineBreak;
}

void TcxRegExprParserBlockItem::MarkFinal() { Alts->MarkFinal(); }

// ---- Alternatives ----

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserAlt::ReleaseLast() {
  if (items_.empty()) return nullptr;
  auto last = std::move(items_.back());
  items_.pop_back();
  return last;
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserAlt::ReplaceLast(
    std::unique_ptr<TcxRegExprParserItem> item) {
  auto last = ReleaseLast();
  Add(std::move(item));
  return last;
}

void TcxRegExprParserAlt::BuildLinks() {
  for (size_t i = 0; i < items_.size(); ++i) {
    TcxRegExprParserItem* item = items_[i].get();
    TcxRegExprState* out = item->OutState();
    for (size_t j = i + 1; j < items_.size(); ++j) {
      out->AddLink(items_[j]->FirstState());
      if (!items_[j]->IsOptional()) break;
    }
    auto* block = dynamic_cast<TcxRegExprParserBlockItem*>(item);
    if (item->IsRepeatable()) {
      if (block)
        block->ExitState->AddLink(block->EntryState.get());
      else
        out->AddLink(out);
    }
    if (block) {
      block->EntryState->AddLinks(block->Alts->GetFirstStates());
      if (block->Alts->HasAllOptional()) block->EntryState->AddLink(block->ExitState.get());
      block->Alts->BuildLinks();
      block->Alts->LinkLastStates(block->ExitState.get());
    }
  }
}

void TcxRegExprParserAlt::MarkFinal() {
  for (size_t i = items_.size(); i-- > 0;) {
    items_[i]->MarkFinal();
    if (!items_[i]->IsOptional()) break;
  }
}

bool TcxRegExprParserAlt::AllOptional() const {
  for (const auto& item : items_)
    if (!item->IsOptional()) return false;
  return true;
}

bool TcxRegExprParserAlt::MatchesEmpty() const {
  for (const auto& item : items_)
    if (!item->MatchesEmpty()) return false;
  return true;
}

void TcxRegExprParserAlt::GetFirstStates(TcxRegExprStates& states) const {
  for (const auto& item : items_) {
    states.Add(item->FirstState());
    if (!item->IsOptional()) break;
  }
}

void TcxRegExprParserAlt::LinkLastStates(TcxRegExprState* target) {
  for (size_t i = items_.size(); i-- > 0;) {
    items_[i]->OutState()->AddLink(target);
    if (!items_[i]->IsOptional()) break;
  }
}

std::unique_ptr<TcxRegExprParserAlt> TcxRegExprParserAlt::Clone() const {
  auto result = std::make_unique<TcxRegExprParserAlt>();
  for (const auto& item : items_) result->Add(item->Clone());
  return result;
}

String TcxRegExprParserAlt::GetText() const {
  String text = u"<Start_Alt>" + kLineBreak;
  for (const auto& item : items_) text += item->GetText();
  return text + u"<Finish_Alt>" + kLineBreak;
}

TcxRegExprParserAlt* TcxRegExprParserAlts::AddAlt() {
  alts_.push_back(std::make_unique<TcxRegExprParserAlt>());
  return alts_.back().get();
}

void TcxRegExprParserAlts::BuildLinks() {
  for (auto& alt : alts_) alt->BuildLinks();
}

void TcxRegExprParserAlts::MarkFinal() {
  for (auto& alt : alts_) alt->MarkFinal();
}

bool TcxRegExprParserAlts::HasAllOptional() const {
  for (const auto& alt : alts_)
    if (alt->AllOptional()) return true;
  return false;
}

bool TcxRegExprParserAlts::MatchesEmpty() const {
  for (const auto& alt : alts_)
    if (alt->MatchesEmpty()) return true;
  return false;
}

TcxRegExprStates TcxRegExprParserAlts::GetFirstStates() const {
  TcxRegExprStates states;
  for (const auto& alt : alts_) alt->GetFirstStates(states);
  return states;
}

void TcxRegExprParserAlts::LinkLastStates(TcxRegExprState* target) {
  for (auto& alt : alts_) alt->LinkLastStates(target);
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExprParserAlts::Clone() const {
  auto result = std::make_unique<TcxRegExprParserAlts>();
  for (const auto& alt : alts_) result->alts_.push_back(alt->Clone());
  return result;
}

String TcxRegExprParserAlts::GetText() const {
  String text;
  for (const auto& alt : alts_) text += alt->GetText();
  return text;
}

// ---- Automaton ----

TcxRegExprAutomat::TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> parseTree, TcxRegExpr* owner)
    : parseTree_(std::move(parseTree)),
      owner_(owner),
      startState_(std::make_unique<TcxRegExprSimpleState>()) {
  startState_->AddLinks(parseTree_->GetFirstStates());
  startState_->IsFinal = parseTree_->HasAllOptional();
  current_.Add(startState_.get());
}

void TcxRegExprAutomat::Push(TcxRegExprStates& next) {
  if (historyCount_ == history_.size()) history_.emplace_back();
  history_[historyCount_++].Swap(current_);
  current_.Swap(next);
}

bool TcxRegExprAutomat::Next(Char& c, bool caseInsensitive) {
  scratch_.Clear();
  current_.AdvanceInto(c, caseInsensitive, scratch_);
  if (scratch_.Empty()) return false;
  Push(scratch_);
  return true;
}

bool TcxRegExprAutomat::Prev() {
  if (historyCount_ == 0) return false;
  current_.Swap(history_[--historyCount_]);
  return true;
}

void TcxRegExprAutomat::Reset() {
  historyCount_ = 0;
  current_.Clear();
  current_.Add(startState_.get());
}

bool TcxRegExprAutomat::IsStart() const {
  return !current_.Empty() && current_.Items(0) == startState_.get();
}

void TcxRegExprAutomat::AutoComplete() {
  while (!IsFinal()) {
    TcxRegExprStates followers = GetFollowers();
    Char c;
    if (!followers.GetSingleChar(c)) break;
    if (owner_) owner_->DoAutoInsert(c);
    Push(followers);
  }
}

void TcxRegExprAutomat::AutoCompleteBack() {
  Char c;
  while (current_.GetSingleChar(c) && historyCount_ > 0) {
    TcxRegExprStates& previous = history_[historyCount_ - 1];
    if (previous.HasFinal() || !previous.GetFollowers().GetSingleChar(c)) break;
    if (owner_) owner_->DoAutoDelete();
    current_.Swap(previous);
    --historyCount_;
  }
}
