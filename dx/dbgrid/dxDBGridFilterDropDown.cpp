// The filter drop-down's value list, its filling from the grid's nodes (or the application's
// enumeration), the preselection of the current choice, and choosing an entry.
#include "dx/dbgrid/dxDBGridFilterDropDown.h"

#include <cmath>
#include <unordered_set>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxFilterValueObject)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridFilterValues)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridFilterPopupListBox)

// --- The values ---

TdxDBGridFilterValues::~TdxDBGridFilterValues() { TStringList::Clear(); }

void TdxDBGridFilterValues::Clear() {
  TStringList::Clear();
  owned_.clear();
}

int TdxDBGridFilterValues::CompareValues(const Variant& A, const Variant& B) const {
  if (AnsiSort && VarIsStr(A) && VarIsStr(B)) return AnsiCompareStr(VarToStr(A), VarToStr(B));
  return CompareVariantValues(A, B);
}

void TdxDBGridFilterValues::AddValue(const String& DisplayText, const Variant& Value, bool Append) {
  String text = DisplayText;
  Variant value = Value;
  if (CaseInsensitive && Value.Type() == varString) {
    value = VarFromAnsiString(StringToAnsi(AnsiUpperCase(AnsiToString(Value.AsAnsiString()))));
    text = AnsiUpperCase(text);
  } else if (CaseInsensitive && Value.Type() == varOleStr) {  // the columns' texts are wide here
    value = Variant(AnsiUpperCase(Value.AsString()));
    text = AnsiUpperCase(text);
  }
  int at = Count();
  if (!Append) {
    if (MaxCount > 0 && Count() >= MaxCount) return;
    int low = 0, high = Count();
    while (low < high) {
      const int middle = (low + high) / 2;
      if (CompareValues(this->Value(middle), value) < 0)
        low = middle + 1;
      else
        high = middle;
    }
    if (low < Count() && CompareValues(this->Value(low), value) == 0) return;
    at = low;
  }
  owned_.push_back(std::make_unique<TdxFilterValueObject>(value));
  InsertObject(at, text, owned_.back().get());
}

// --- The list box ---

TdxDBGridFilterPopupListBox::TdxDBGridFilterPopupListBox(TComponent* AOwner, TCustomdxDBGrid* Grid)
    : TCustomdxPopupPickListBox(AOwner), grid_(Grid), values_(std::make_unique<TdxDBGridFilterValues>()) {}

TdxDBGridFilterPopupListBox::~TdxDBGridFilterPopupListBox() = default;

namespace {

bool IsBlankDropDownValue(const Variant& Value) {
  return VarIsEmpty(Value) || VarIsNull(Value) || VarIsEmptyStr(Value);
}

void VisitRecordNodes(TdxTreeListNode* Node, const std::function<void(TdxTreeListNode*)>& Visit) {
  if (!Node->HasChildren()) {
    Visit(Node);
    return;
  }
  for (int i = 0; i < Node->GetCount(); ++i) VisitRecordNodes(Node->GetItem(i), Visit);
}

// Texts, ordinals and finite dates and doubles compared bit for bit; any other value has no key.
bool HasExactKey(const Variant& Value) {
  if (Value.Type() == varOleStr || VarIsOrdinal(Value)) return true;
  return (Value.Type() == varDouble || Value.Type() == varDate) && std::isfinite(Value.AsDouble());
}

struct TExactValueHash {
  size_t operator()(const Variant& Value) const {
    const size_t kind = std::hash<int>()(Value.Type());
    if (Value.Type() == varOleStr) return kind ^ std::hash<std::u16string_view>()(VarOleStrView(Value));
    if (Value.Type() == varDouble || Value.Type() == varDate)
      return kind ^ std::hash<double>()(Value.AsDouble());
    return kind ^ std::hash<Int64>()(Value.AsInt64());
  }
};

struct TExactValueEqual {
  bool operator()(const Variant& A, const Variant& B) const {
    if (A.Type() != B.Type()) return false;
    if (A.Type() == varOleStr) return VarOleStrView(A) == VarOleStrView(B);
    if (A.Type() == varDouble || A.Type() == varDate) return A.AsDouble() == B.AsDouble();
    return A.AsInt64() == B.AsInt64();
  }
};

// A column's values in the order of their nodes, each value met again bit for bit left out: the
// sorted list would refuse it anyway, so a million rows of a few hundred surnames cost a few hundred
// sorted insertions and display texts instead of a million.
class TFirstValueNodes {
 public:
  void Add(const Variant& Value, TdxTreeListNode* Node) {
    if (HasExactKey(Value) && !seen_.insert(Value).second) return;
    firsts_.push_back({Value, Node});
  }
  struct TFirst {
    Variant Value;
    TdxTreeListNode* Node;
  };
  const std::vector<TFirst>& Firsts() const { return firsts_; }

 private:
  std::unordered_set<Variant, TExactValueHash, TExactValueEqual> seen_;
  std::vector<TFirst> firsts_;
};

}  // namespace

void TdxDBGridFilterPopupListBox::GatherValues() {
  if (grid_->IsLoadAllMode()) {
    const int column = column_->Index();
    TFirstValueNodes firsts;
    auto visit = [&](TdxTreeListNode* Node) {
      Variant value = column_->GetNodeValue(Node);
      if (IsBlankDropDownValue(value))
        hasBlanks_ = true;
      else
        firsts.Add(value, Node);
    };
    for (int i = 0; i < grid_->GetCount(); ++i) VisitRecordNodes(grid_->GetItem(i), visit);
    for (TdxTreeListNode* node : grid_->PendingNodes()) visit(node);
    for (const auto& first : firsts.Firsts()) {
      String text;
      grid_->GetNodeString(first.Node, column, text);
      values_->AddValue(text, first.Value, false);
    }
  } else if (grid_->OnEnumFilterValues) {
    bool repeat = true;
    while (repeat) {
      Variant value = Null();
      String text;
      grid_->OnEnumFilterValues(grid_, column_, value, text, repeat);
      if (IsBlankDropDownValue(value))
        hasBlanks_ = true;
      else
        values_->AddValue(text, value, true);
    }
  }
}

void TdxDBGridFilterPopupListBox::Fill() {
  TdxDBGridFilter* filter = grid_->Filter();
  values_->Clear();
  values_->AnsiSort = grid_->OptionsBehavior().Contains(edgoAnsiSort);
  values_->CaseInsensitive = filter->CaseInsensitive();
  values_->MaxCount = filter->MaxDropDownCount();
  hasBlanks_ = false;
  GatherValues();
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  items->Add(kFilterAllText);
  items->Add(kFilterCustomText);
  if (hasBlanks_) {
    items->Add(kFilterBlanksText);
    items->Add(kFilterNonBlanksText);
  }
  for (int i = 0; i < values_->Count(); ++i) items->Add(values_->Strings(i));
  items->EndUpdate();
  Preselect();
}

void TdxDBGridFilterPopupListBox::Preselect() {
  Variant value;
  int selected = -1;
  const int kind = grid_->Filter()->GetColumnFilterKind(column_, value);
  switch (kind) {
    case 0:
      selected = 0;
      break;
    case 4:
      selected = 1;
      break;
    case 1:
    case 2:
      if (hasBlanks_) selected = kind == 1 ? 2 : 3;
      break;
    default:
      for (int i = 0; i < values_->Count() && selected < 0; ++i) {
        try {
          if (values_->Value(i) == value) selected = FirstValueIndex() + i;
        } catch (const EVariantError&) {
          // A value of another kind is not the chosen one.
        }
      }
  }
  SetItemIndex(selected);
}

void TdxDBGridFilterPopupListBox::CloseUp(bool Accept) {
  if (!grid_->FilterDropDownVisible()) return;
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  grid_->SetFilterDropDownVisible(false);
  const int index = ItemIndex();
  if (Accept && index >= 0 && column_) Choose(index);
}

void TdxDBGridFilterPopupListBox::Choose(int Index) {
  TdxDBGridFilter* filter = grid_->Filter();
  if (Index == 0)
    filter->ClearColumn(column_);
  else if (Index == 1)
    filter->ShowCustomDialog(column_);
  else if (hasBlanks_ && Index == 2)
    filter->SetColumnBlanks(column_, false);
  else if (hasBlanks_ && Index == 3)
    filter->SetColumnBlanks(column_, true);
  else
    filter->SetColumnValue(column_, values_->Value(Index - FirstValueIndex()),
                           values_->Strings(Index - FirstValueIndex()));
}

void TdxDBGridFilterPopupListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_F4) {
    const bool accept = Key == VK_RETURN;
    Key = 0;
    CloseUp(accept);
    // The key's character must not reach the grid as typing.
    MSG pending;
    if (grid_->HandleAllocated()) PeekMessage(&pending, grid_->Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    return;
  }
  TCustomdxPopupPickListBox::KeyDown(Key, Shift);
}

void TdxDBGridFilterPopupListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomdxPopupPickListBox::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  CloseUp(X >= 0 && Y >= 0 && X < Width() && Y < Height());
}
