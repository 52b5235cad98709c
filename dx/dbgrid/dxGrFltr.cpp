// The column-bound criteria: binding conditions to the grid's columns and naming their fields.
#include "dx/dbgrid/dxGrFltr.h"

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TdxDBGridCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridCriteria)

namespace {

bool IsFilterIdentifier(const String& Name) {
  auto letter = [](Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; };
  if (Name.empty() || !letter(Name[0])) return false;
  for (Char c : Name)
    if (!letter(c) && !(c >= u'0' && c <= u'9')) return false;
  return true;
}

// The conditions of a group and of the groups below it, depth-first in child order.
template <class Visit>
void ForEachCondition(const TdxCriteriaItemList& List, const Visit& visit) {
  for (int i = 0; i < List.Count(); ++i) {
    TdxCustomCriteriaItem* child = List.Items(i);
    if (child->IsList())
      ForEachCondition(static_cast<const TdxCriteriaItemList&>(*child), visit);
    else
      visit(static_cast<TdxDBGridCriteriaItem&>(*child));
  }
}

}  // namespace

String QuoteFilterFieldName(const String& Name) {
  if (IsFilterIdentifier(Name)) return Name;
  if (Name.find(u']') == String::npos) return u"[" + Name + u"]";
  String quoted = u"\"";
  for (Char c : Name) {
    if (c == u'"') quoted += u'"';
    quoted += c;
  }
  return quoted + u"\"";
}

String TdxDBGridCriteriaItem::GetDisplayName() const { return Column ? Column->Caption() : String(); }

void TdxDBGridCriteriaItem::GetNodeValue(TdxTreeListNode* Node, Variant& Value) const {
  // A column of the criteria's own grid is read there directly: a filter asks this of every node.
  TCustomdxDBGrid* grid = static_cast<const TdxDBGridCriteria*>(Criteria())->Grid();
  if (Column && Node && grid && Column->TreeList() == grid)
    grid->GetNodeColumnValue(Node, Column, Value);
  else
    Value = Column ? Column->GetNodeValue(Node) : Null();
}

String TdxDBGridCriteriaItem::GetFilterName() const {
  TField* field = Column ? Column->Field() : nullptr;
  if (!field) return String();
  if (!field->Origin().empty()) return field->Origin();
  if (!field->Lookup()) return QuoteFilterFieldName(field->FieldName());
  // A lookup's value is not in the dataset: its key field is filtered instead.
  TField* key = field->DataSet() ? field->DataSet()->FindField(field->KeyFields()) : nullptr;
  return key ? QuoteFilterFieldName(key->FieldName()) : String();
}

std::unique_ptr<TdxCriteriaItem> TdxDBGridCriteria::NewItem(TdxCriteriaItemList* Parent) {
  return std::make_unique<TdxDBGridCriteriaItem>(Parent);
}

void TdxDBGridCriteria::PrepareValue(const Variant& Source, Variant& Dest) const {
  Dest = Source;
  if (Dest.Type() == varCurrency)
    Dest = Variant(Dest.AsDouble());
  else if (Dest.Type() == varString && caseInsensitive_)
    Dest = VarFromAnsiString(StringToAnsi(AnsiUpperCase(AnsiToString(Dest.AsAnsiString()))));
  else if (Dest.Type() == varOleStr && caseInsensitive_)  // the columns' texts
    Dest = Variant(AnsiUpperCase(Dest.AsString()));
}

bool TdxDBGridCriteria::KeepsValue(const Variant& Value) const {
  const TVarType type = Value.Type();
  return type != varCurrency && !(caseInsensitive_ && (type == varString || type == varOleStr));
}

void TdxDBGridCriteria::LinkItems() {
  ForEachCondition(*Root(), [this](TdxDBGridCriteriaItem& item) {
    item.Column =
        grid_ ? dynamic_cast<TdxDBTreeListColumn*>(grid_->FindColumnByName(item.ColumnName)) : nullptr;
  });
}

TdxDBGridCriteriaItem* TdxDBGridCriteria::AddColumnCondition(TdxCriteriaItemList* List,
                                                             TdxDBTreeListColumn* Column,
                                                             TdxFilterOperatorKind Operator,
                                                             const Variant& Value, const String& DisplayText,
                                                             bool IsNot) {
  TdxCriteriaItemList* target = List ? List : Root();
  auto* item =
      static_cast<TdxDBGridCriteriaItem*>(target->AddItem(Column->Name(), Operator, Value, DisplayText));
  item->Column = Column;
  item->SetIsNot(IsNot);
  return item;
}

TdxDBGridCriteriaItem* TdxDBGridCriteria::FindColumnItem(TdxDBTreeListColumn* Column) const {
  return static_cast<TdxDBGridCriteriaItem*>(FindItem(Column->Name()));
}

void TdxDBGridCriteria::RemoveColumnItems(TdxDBTreeListColumn* Column) {
  RemoveColumnConditions(Column->Name());
}

bool TdxDBGridCriteria::IsCustomColumnFilter(TdxDBTreeListColumn* Column) const {
  TdxDBGridCriteriaItem* item = FindColumnItem(Column);
  return item && !(item->Operator == fokEqual && item->Parent() == Root());
}
