// The criteria tree: building, tidying, evaluation and the two texts.
#include "dx/dbgrid/dxFilter.h"

#include <cmath>

#include "platform/rtl/Currency.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TdxCustomCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TdxCriteriaItemList)
TRENVIK_IMPLEMENT_CLASS(TdxCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TdxCriteria)

// ---------------------------------------------------------------------------------------------
// Operators

namespace {

class TdxNullOperator final : public TdxAbstractOperator {
 public:
  bool Evaluate(const Variant& N, const Variant&) const override { return IsBlankFilterValue(N); }
  String GetText() const override { return u"Is Null"; }
};

// The variant equality itself: a conversion error reaches the caller. Two wide texts are equal
// exactly when their characters are, so those are compared without the code page.
class TdxEqualOperator final : public TdxAbstractOperator {
 public:
  bool Evaluate(const Variant& N, const Variant& C) const override {
    if (N.Type() == varOleStr && C.Type() == varOleStr) return VarOleStrView(N) == VarOleStrView(C);
    return N == C;
  }
  String GetText() const override { return u"="; }
};

class TdxGreaterOperator final : public TdxAbstractOperator {
 public:
  bool Evaluate(const Variant& N, const Variant& C) const override { return CompareFilterValues(N, C) > 0; }
  String GetText() const override { return u">"; }
};

class TdxLessOperator final : public TdxAbstractOperator {
 public:
  bool Evaluate(const Variant& N, const Variant& C) const override { return CompareFilterValues(N, C) < 0; }
  String GetText() const override { return u"<"; }
};

class TdxGreaterEqualOperator final : public TdxAbstractOperator {
 public:
  bool Evaluate(const Variant& N, const Variant& C) const override { return CompareFilterValues(N, C) >= 0; }
  String GetText() const override { return u">="; }
};

class TdxLessEqualOperator final : public TdxAbstractOperator {
 public:
  bool Evaluate(const Variant& N, const Variant& C) const override { return CompareFilterValues(N, C) <= 0; }
  String GetText() const override { return u"<="; }
};

// Stateless and constant-initialised: nothing runs before main.
constinit const TdxNullOperator kIsNullOperator;
constinit const TdxEqualOperator kEqualOperator;
constinit const TdxGreaterOperator kGreaterOperator;
constinit const TdxLessOperator kLessOperator;
constinit const TdxGreaterEqualOperator kGreaterEqualOperator;
constinit const TdxLessEqualOperator kLessEqualOperator;

// The expression's literal of a condition value, in the form the dataset's filter parser reads
// whatever the locale: texts quoted with quotes doubled, numbers with '.', dates in ISO form.
String FilterValueLiteral(const Variant& Value) {
  auto quoted = [](const String& text) {
    String result = u"'";
    for (Char c : text) {
      if (c == u'\'') result += u'\'';
      result += c;
    }
    return result + u"'";
  };
  TFormatSettings dot = FormatSettings();
  dot.DecimalSeparator = u'.';
  switch (Value.Type()) {
    case varEmpty:
    case varNull:
      return u"NULL";
    case varBoolean:
      return Value.AsBoolean() ? u"TRUE" : u"FALSE";
    case varSingle:
    case varDouble:
      return FloatToStr(Value.AsDouble(), dot);
    case varCurrency:
      return CurrToStr(Value.AsCurrency(), dot);
    case varDate: {
      TDateTime date = Value.AsDateTime();
      bool hasTime = date != std::trunc(date);
      return quoted(FormatDateTime(hasTime ? u"yyyy-mm-dd hh:nn:ss" : u"yyyy-mm-dd", date));
    }
    default:
      if (VarIsOrdinal(Value)) return Value.AsString();
      return quoted(Value.AsString());
  }
}

}  // namespace

const TdxAbstractOperator& FilterOperator(TdxFilterOperatorKind Kind) {
  static constexpr const TdxAbstractOperator* kOperators[] = {&kIsNullOperator,       &kEqualOperator,
                                                              &kGreaterOperator,      &kLessOperator,
                                                              &kGreaterEqualOperator, &kLessEqualOperator};
  if (Kind > fokLessEqual)
    throw EInvalidOperation("Filter operator " + std::to_string(int(Kind)) + " is not one of 0..5");
  return *kOperators[Kind];
}

bool IsBlankFilterValue(const Variant& V) {
  return VarIsNull(V) || (V.Type() == varString && V.AsAnsiString().empty());
}

int CompareFilterValues(const Variant& N, const Variant& C) {
  try {
    if (N == C) return 0;
    if (VarIsNull(N)) return -1;
    if (VarIsNull(C)) return 1;
    return (N <=> C) == std::partial_ordering::less ? -1 : 1;
  } catch (const EVariantError&) {
    return -1;
  }
}

// ---------------------------------------------------------------------------------------------
// Nodes

TdxCriteria* TdxCustomCriteriaItem::Criteria() const {
  const TdxCustomCriteriaItem* node = this;
  while (node->parent_) node = node->parent_;
  return static_cast<const TdxCriteriaItemList*>(node)->criteria_;
}

TdxCustomCriteriaItem* TdxCriteriaItemList::Items(int Index) const {
  return Index >= 0 && Index < Count() ? items_[static_cast<size_t>(Index)].get() : nullptr;
}

TdxCriteriaItem* TdxCriteriaItemList::AddItem(const String& ColumnName, TdxFilterOperatorKind Operator,
                                              const Variant& Value, const String& DisplayText) {
  std::unique_ptr<TdxCriteriaItem> item = Criteria()->NewItem(this);
  item->ColumnName = ColumnName;
  item->Operator = Operator;
  item->Value = Value;
  item->DisplayText = DisplayText;
  TdxCriteriaItem* result = item.get();
  items_.push_back(std::move(item));
  return result;
}

TdxCriteriaItemList* TdxCriteriaItemList::AddList(TdxFilterBoolOperator BoolOperator) {
  auto list = std::make_unique<TdxCriteriaItemList>(this, BoolOperator);
  TdxCriteriaItemList* result = list.get();
  items_.push_back(std::move(list));
  return result;
}

std::unique_ptr<TdxCustomCriteriaItem> TdxCriteriaItemList::Extract(TdxCustomCriteriaItem* Item) {
  auto it = std::find_if(items_.begin(), items_.end(), [Item](const auto& p) { return p.get() == Item; });
  if (it == items_.end()) return nullptr;
  std::unique_ptr<TdxCustomCriteriaItem> result = std::move(*it);
  items_.erase(it);
  result->parent_ = nullptr;
  return result;
}

void TdxCriteriaItemList::Delete(TdxCustomCriteriaItem* Item) { Extract(Item); }

void TdxCriteriaItemList::Append(std::unique_ptr<TdxCustomCriteriaItem> Item) {
  Item->parent_ = this;
  items_.push_back(std::move(Item));
}

// ---------------------------------------------------------------------------------------------
// Evaluation

bool TdxCriteriaItem::Evaluate(TdxTreeListNode* Node) const {
  const TdxCriteria* criteria = Criteria();
  Variant nodeBuffer, valueBuffer;
  const Variant& n = criteria->PreparedNodeValue(*this, Node, nodeBuffer);
  const Variant& c = preparedValue_ ? *preparedValue_ : criteria->Prepared(Value, valueBuffer);
  bool result = FilterOperator(Operator).Evaluate(n, c);
  return IsNot() ? !result : result;
}

bool TdxCriteriaItemList::Evaluate(TdxTreeListNode* Node) const {
  bool result = true;
  bool first = true;
  for (const auto& child : items_) {
    bool value = child->IsList() ? static_cast<const TdxCriteriaItemList&>(*child).Evaluate(Node)
                                 : static_cast<const TdxCriteriaItem&>(*child).Evaluate(Node);
    if (first)
      result = value;
    else
      result = boolOperator_ == fboAnd ? (result && value) : (result || value);
    first = false;
  }
  return IsNot() ? !result : result;
}

// ---------------------------------------------------------------------------------------------
// Texts

String TdxCriteriaItem::BuildFilterText(bool DisplayForm) const {
  String text =
      (DisplayForm ? GetDisplayName() : GetFilterName()) + u" " + FilterOperator(Operator).GetText();
  if (Operator != fokIsNull) text += u" " + (DisplayForm ? DisplayText : FilterValueLiteral(Value));
  return IsNot() ? u"NOT (" + text + u")" : text;
}

String TdxCriteriaItemList::BuildFilterText(bool DisplayForm) const {
  String text;
  bool first = true;
  for (const auto& child : items_) {
    String part;
    if (child->IsList()) {
      part = static_cast<const TdxCriteriaItemList&>(*child).BuildFilterText(DisplayForm);
    } else {
      const auto& item = static_cast<const TdxCriteriaItem&>(*child);
      // A condition whose column is gone has no field to name: the expression leaves it out.
      if (DisplayForm || !item.GetFilterName().empty()) part = item.BuildFilterText(DisplayForm);
    }
    if (!DisplayForm && part.empty()) continue;
    if (!first) text += boolOperator_ == fboAnd ? u" AND " : u" OR ";
    text += u"(" + part + u")";
    first = false;
  }
  if (IsNot() && (DisplayForm || !text.empty())) text = u"NOT (" + text + u")";
  return text;
}

// ---------------------------------------------------------------------------------------------
// The criteria

TdxCriteria::TdxCriteria() : root_(std::make_unique<TdxCriteriaItemList>(nullptr, fboAnd)) {
  root_->criteria_ = this;
}

TdxCriteria::~TdxCriteria() = default;

bool TdxCriteria::Evaluate(TdxTreeListNode* Node) const {
  // Node values are kept for this node only; a nested evaluation adds to them.
  if (evaluating_) return root_->Evaluate(Node);
  struct TEvaluating {
    const TdxCriteria* Criteria;
    explicit TEvaluating(const TdxCriteria* C) : Criteria(C) { C->evaluating_ = true; }
    ~TEvaluating() {
      Criteria->evaluating_ = false;
      Criteria->nodeValues_.clear();
    }
  } evaluating(this);
  return root_->Evaluate(Node);
}

const Variant& TdxCriteria::Prepared(const Variant& Source, Variant& Buffer) const {
  if (KeepsValue(Source)) return Source;
  PrepareValue(Source, Buffer);
  return Buffer;
}

const Variant& TdxCriteria::PreparedNodeValue(const TdxCriteriaItem& Item, TdxTreeListNode* Node,
                                              Variant& Buffer) const {
  const void* source = Item.NodeValueSource();
  if (evaluating_)
    for (const TNodeValue& kept : nodeValues_)
      if (kept.Source == source && kept.Node == Node) return kept.Value;
  Variant read = Null();
  Item.GetNodeValue(Node, read);
  if (!KeepsValue(read)) {
    Variant prepared;
    PrepareValue(read, prepared);
    read = std::move(prepared);
  }
  if (!evaluating_) {
    Buffer = std::move(read);
    return Buffer;
  }
  // Read and used before anything else is kept: a nested evaluation's entries come first.
  nodeValues_.push_back({source, Node, std::move(read)});
  return nodeValues_.back().Value;
}

TdxCriteriaEvaluationScope::TdxCriteriaEvaluationScope(const TdxCriteria& Criteria) {
  auto prepare = [&](const auto& self, const TdxCriteriaItemList& List) -> void {
    for (int i = 0; i < List.Count(); ++i) {
      const TdxCustomCriteriaItem* child = List.Items(i);
      if (child->IsList()) {
        self(self, static_cast<const TdxCriteriaItemList&>(*child));
        continue;
      }
      const auto& item = static_cast<const TdxCriteriaItem&>(*child);
      if (item.preparedValue_) continue;  // an outer scope's
      Variant buffer;
      item.preparedValue_ = Criteria.Prepared(item.Value, buffer);
      prepared_.push_back(&item);
    }
  };
  prepare(prepare, *Criteria.Root());
}

TdxCriteriaEvaluationScope::~TdxCriteriaEvaluationScope() {
  for (const TdxCriteriaItem* item : prepared_) item->preparedValue_.reset();
}

void TdxCriteria::Clear() {
  root_->Clear();
  root_->SetIsNot(false);
  root_->SetBoolOperator(fboAnd);
}

namespace {

TdxCriteriaItem* FindItemIn(const TdxCriteriaItemList& List, const String& ColumnName) {
  for (int i = 0; i < List.Count(); ++i) {
    TdxCustomCriteriaItem* child = List.Items(i);
    if (child->IsList()) {
      if (TdxCriteriaItem* found = FindItemIn(static_cast<TdxCriteriaItemList&>(*child), ColumnName))
        return found;
    } else if (static_cast<TdxCriteriaItem*>(child)->ColumnName == ColumnName) {
      return static_cast<TdxCriteriaItem*>(child);
    }
  }
  return nullptr;
}

}  // namespace

TdxCriteriaItem* TdxCriteria::FindItem(const String& ColumnName) const {
  return FindItemIn(*root_, ColumnName);
}

void TdxCriteria::RemoveColumnConditions(const String& ColumnName) {
  while (TdxCriteriaItem* item = FindItem(ColumnName)) {
    TdxCriteriaItemList* group = item->Parent();
    group->Delete(item);
    TdxCriteriaItemList* outer = group->Parent();
    if (!outer) continue;  // the root is never tidied
    if (group->Count() == 0) {
      outer->Delete(group);
    } else if (group->Count() == 1) {
      std::unique_ptr<TdxCustomCriteriaItem> survivor = group->Extract(group->Items(0));
      outer->Delete(group);
      outer->Append(std::move(survivor));
    }
  }
}
