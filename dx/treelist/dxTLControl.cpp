// TCustomdxTreeListControl: columns and bands, the geometry queries over them, text-node data,
// the editor cache, header-row compaction and best fit.
#include "dx/treelist/dxTLControl.h"

#include <algorithm>
#include <tuple>

#include "dx/treelist/dxTLEditStyle.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxTreeListControl)

namespace {

TdxTreeListTextNode* TextNode(TdxTreeListNode* Node) {
  // A class-chain walk, not a dynamic_cast: this runs for every cell of every loaded record.
  if (!Node || !Node->InheritsFrom(TdxTreeListTextNode::StaticClass()))
    throw EInvalidCast("Invalid class typecast");
  return static_cast<TdxTreeListTextNode*>(Node);
}

}  // namespace

TCustomdxTreeListControl::TCustomdxTreeListControl(TComponent* AOwner)
    : TCustomdxTreeList(AOwner), bands_(std::make_unique<TdxTreeListBands>(this)) {
  bands_->BeginUpdate();
  bands_->Add();
  bands_->EndUpdate();
}

TCustomdxTreeListControl::~TCustomdxTreeListControl() {
  try {
    SaveStoredLayout();
  } catch (const Exception&) {
    // A layout that cannot be written is lost; the control still goes.
  }
  DetachAndHideEditor();
  ClearNodes();
  for (TdxTreeListColumn* c : columns_) c->treeList_ = nullptr;
  columns_.clear();
}

template <class F>
void TCustomdxTreeListControl::ForEachTextNode(F&& Fn) {
  std::vector<TdxTreeListNode*> stack;
  for (int i = GetCount() - 1; i >= 0; --i) stack.push_back(GetItem(i));
  while (!stack.empty()) {
    TdxTreeListNode* n = stack.back();
    stack.pop_back();
    Fn(TextNode(n));
    for (int i = n->GetCount() - 1; i >= 0; --i) stack.push_back(n->GetItem(i));
  }
  for (TdxTreeListNode* n : PendingNodes()) Fn(TextNode(n));
}

// --- Columns ---

void TCustomdxTreeListControl::AddColumn(TdxTreeListColumn* Column) {
  columns_.push_back(Column);
  Column->treeList_ = this;
  ColumnChanged(nullptr);
}

void TCustomdxTreeListControl::RemoveColumn(TdxTreeListColumn* Column) {
  RemoveSortedColumn(Column);
  Column->treeList_ = nullptr;
  auto it = std::find(columns_.begin(), columns_.end(), Column);
  if (it != columns_.end()) columns_.erase(it);
  if (!IsDestroying()) ColumnChanged(nullptr);
}

TdxTreeListColumn* TCustomdxTreeListControl::CreateColumn(TClass ColumnClass, TComponent* Owner) {
  auto* column = dynamic_cast<TdxTreeListColumn*>(ColumnClass->NewInstance(Owner ? Owner : this));
  if (!column) throw EInvalidCast("Invalid class typecast");
  for (int n = GetColumnCount() + 1;; ++n) {
    try {
      column->SetName(Name() + u"Column" + IntToStr(n));
      break;
    } catch (const EComponentError&) {
    }
  }
  column->SetTreeList(this);
  return column;
}

void TCustomdxTreeListControl::DestroyColumns() {
  while (!columns_.empty()) {
    TdxTreeListColumn* c = columns_.back();
    RemoveColumn(c);
    delete c;
  }
}

void TCustomdxTreeListControl::AssignColumns(TCustomdxTreeListControl* Source) {
  TdxTreeListUpdateScope update(this);
  TComponent* owner = columns_.empty() ? this : columns_.front()->Owner();
  DestroyColumns();
  for (int i = 0; i < Source->GetColumnCount(); ++i) {
    TdxTreeListColumn* from = Source->GetColumn(i);
    TdxTreeListColumn* column = CreateColumn(from->ClassType(), owner);
    column->Assign(from);
    // A name the owner already holds (the source's own column on the same form) keeps the made
    // one: refusing it halfway would leave the columns half copied.
    if (!owner->FindComponent(from->Name())) column->SetName(from->Name());
  }
}

TdxTreeListColumn* TCustomdxTreeListControl::FindColumnByName(const String& Name) const {
  for (TdxTreeListColumn* c : columns_)
    if (SameText(c->Name(), Name)) return c;
  return nullptr;
}

TdxTreeListColumn* TCustomdxTreeListControl::GetColumn(int Index) const {
  return Index >= 0 && Index < static_cast<int>(columns_.size()) ? columns_[Index] : nullptr;
}

int TCustomdxTreeListControl::GetListIndexOfVisibleColumn(int VisibleIndex) const {
  if (VisibleIndex < 0) return -1;
  for (int i = 0, v = 0; i < static_cast<int>(columns_.size()); ++i)
    if (columns_[i]->Visible() && v++ == VisibleIndex) return i;
  return -1;
}

TdxTreeListColumn* TCustomdxTreeListControl::GetVisibleColumn(int VisibleIndex) const {
  return GetColumn(GetListIndexOfVisibleColumn(VisibleIndex));
}

int TCustomdxTreeListControl::IndexOfColumn(const TdxTreeListColumn* Column) const {
  auto it = std::find(columns_.begin(), columns_.end(), Column);
  return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

void TCustomdxTreeListControl::ResetColumnWidths() {
  for (TdxTreeListColumn* c : columns_) c->RestoreDefaultWidth();
}

void TCustomdxTreeListControl::ColumnChanged(TdxTreeListColumn* Column) {
  if (IsLoading()) return;
  if (Column) Column->RestoreDefaultWidth();
  InvalidateIndexLists();
  if (layoutLoadCount_ == 0) CompactHeaderRows();
  LayoutChanged();
}

void TCustomdxTreeListControl::BandsChanged() {
  InvalidateIndexLists();
  LayoutChanged();
}

void TCustomdxTreeListControl::MoveColumnInList(TdxTreeListColumn* Column, int NewIndex) {
  auto it = std::find(columns_.begin(), columns_.end(), Column);
  if (it == columns_.end()) return;
  columns_.erase(it);
  columns_.insert(columns_.begin() + NewIndex, Column);
  InvalidateIndexLists();
}

void TCustomdxTreeListControl::MoveColumnValues(int OldIndex, int NewIndex) {
  ForEachTextNode([&](TdxTreeListTextNode* node) {
    TdxNodeStrings& s = node->Strings;
    int needed = std::max(OldIndex, NewIndex) + 1;
    if (s.Count() < needed) s.Set(needed - 1, s.Get(needed - 1));
    String moving = s.Get(OldIndex);
    s.Delete(OldIndex);
    s.Insert(NewIndex, moving);
  });
}

void TCustomdxTreeListControl::DeleteColumnValues(TdxTreeListNode* Node, int Index) {
  TdxTreeListTextNode* node = TextNode(Node);
  if (node->Strings.Count() > Index) node->Strings.Delete(Index);
  for (int i = 0; i < Node->GetCount(); ++i) DeleteColumnValues(Node->GetItem(i), Index);
}

void TCustomdxTreeListControl::CompactHeaderRows() {
  ClearNodeCache();
  int panelRows = headerPanelRowCount_;
  for (TdxTreeListColumn* c : columns_) c->rowIndex_ = std::clamp(c->rowIndex_, 0, panelRows - 1);
  int bandCount = bands_->Count();
  auto shown = [&](TdxTreeListColumn* c, int b) {
    return c->Visible() && c->bandIndex_ == b && bands_->Items(b)->Visible();
  };
  for (int b = 0; b < bandCount; ++b) {
    for (int r = panelRows - 1; r >= 0; --r) {
      bool used = std::any_of(columns_.begin(), columns_.end(),
                              [&](TdxTreeListColumn* c) { return shown(c, b) && c->RowIndex() == r; });
      if (used) continue;
      for (TdxTreeListColumn* c : columns_)
        if (shown(c, b) && c->RowIndex() > r) {
          c->storedRowIndex_ = c->RowIndex() - 1;
          c->rowIndex_ = c->storedRowIndex_;
        }
    }
  }
  for (TdxTreeListColumn* c : columns_) {
    if (c->bandIndex_ < 0 || c->bandIndex_ >= bandCount) continue;
    int used = 0;
    for (TdxTreeListColumn* o : columns_)
      if (shown(o, c->bandIndex_)) used = std::max(used, o->RowIndex() + 1);
    if (c->RowIndex() >= used && used > 0) c->rowIndex_ = c->storedRowIndex_ = used - 1;
  }
  InvalidateIndexLists();
}

// --- Index lists ---

void TCustomdxTreeListControl::RebuildIndexLists() {
  indexListsValid_ = true;
  visibleBands_.clear();
  bandPositions_.assign(bands_->Count(), -1);
  for (int b = 0; b < bands_->Count(); ++b)
    if (bands_->Items(b)->Visible()) {
      bandPositions_[b] = static_cast<int>(visibleBands_.size());
      visibleBands_.push_back(b);
    }
  headerRows_.assign(visibleBands_.size(), {});
  std::vector<std::tuple<int, int, int>> records;  // band, row, list index
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
    TdxTreeListColumn* c = columns_[i];
    if (IsColumnShown(i)) records.emplace_back(c->bandIndex_, c->RowIndex(), i);
  }
  std::sort(records.begin(), records.end());
  int lastBand = -1, lastRow = -1;
  for (auto& [band, row, index] : records) {
    auto& rows = headerRows_[bandPositions_[band]];
    if (band != lastBand || row != lastRow) rows.emplace_back();
    rows.back().push_back(index);
    lastBand = band;
    lastRow = row;
  }
  headerWidthsBuilt_ = false;
}

void TCustomdxTreeListControl::ClearNodeCache() {
  TCustomdxTreeList::ClearNodeCache();
  headerWidthsBuilt_ = false;
}

void TCustomdxTreeListControl::RefreshColumns() { InvalidateIndexLists(); }

// --- Header rows and bands ---

void TCustomdxTreeListControl::SetBandMaxRowCount(int Value) {
  bandMaxRowCount_ = std::max(Value, 1);
  SetBandRowCount(bandRowCount_);
}

void TCustomdxTreeListControl::SetBandRowCount(int Value) {
  Value = std::clamp(Value, 1, bandMaxRowCount_);
  if (Value == bandRowCount_) return;
  bandRowCount_ = Value;
  LayoutChanged();
}

void TCustomdxTreeListControl::SetHeaderPanelMaxRowCount(int Value) {
  headerPanelMaxRowCount_ = std::max(Value, 1);
  SetHeaderPanelRowCount(headerPanelRowCount_);
}

void TCustomdxTreeListControl::SetHeaderPanelRowCount(int Value) {
  Value = std::clamp(Value, 1, headerPanelMaxRowCount_);
  if (Value == headerPanelRowCount_) return;
  if (!autoHeaderUpdating_) SetOptionFlagsEx(OptionFlagsEx() & ~dxtlox::AutoHeaderPanelHeight);
  headerPanelRowCount_ = Value;
  if (Value > 1) defaultLayout_ = false;
  CompactHeaderRows();
  LayoutChanged();
}

void TCustomdxTreeListControl::SetHeaderMinRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == headerMinRowCount_) return;
  headerMinRowCount_ = Value;
  LayoutChanged();
}

void TCustomdxTreeListControl::SetDefaultLayout(bool Value) {
  if (Value == defaultLayout_) return;
  defaultLayout_ = Value;
  if (Value) RestoreDefaultLayout();
}

void TCustomdxTreeListControl::RestoreDefaultLayout() {
  TdxTreeListUpdateScope update(this);
  SetShowBands(false);
  SetHeaderPanelRowCount(1);
  while (bands_->Count() > 1) delete bands_->Items(bands_->Count() - 1);
  if (bands_->Count() == 0) bands_->Add();
  bands_->Items(0)->SetVisible(true);
  for (TdxTreeListColumn* c : columns_) c->bandIndex_ = 0;
  defaultLayout_ = true;
  InvalidateIndexLists();
}

void TCustomdxTreeListControl::Loaded() {
  TCustomdxTreeList::Loaded();
  RebuildSortedColumns();
  CompactHeaderRows();
  LoadStoredLayout();
}

// --- Text-node data ---

TdxTreeListNode* TCustomdxTreeListControl::CreateNode() { return new TdxTreeListTextNode(this); }

int TCustomdxTreeListControl::GetImageIndex(TdxTreeListNode* Node) {
  int index = TextNode(Node)->StoredImageIndex;
  if (OnGetImageIndex) OnGetImageIndex(this, Node, index);
  return index;
}

int TCustomdxTreeListControl::GetSelectedIndex(TdxTreeListNode* Node) {
  int index = TextNode(Node)->StoredSelectedIndex;
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node, index);
  return index;
}

int TCustomdxTreeListControl::GetStateIndex(TdxTreeListNode* Node) {
  int index = TextNode(Node)->StoredStateIndex;
  if (OnGetStateIndex) OnGetStateIndex(this, Node, index);
  return index;
}

void TCustomdxTreeListControl::SetImageIndex(TdxTreeListNode* Node, int Index) {
  if (Index == GetImageIndex(Node)) return;
  TextNode(Node)->StoredImageIndex = Index;
  NodeChanged(Node, false);
}

void TCustomdxTreeListControl::SetSelectedIndex(TdxTreeListNode* Node, int Index) {
  if (Index == GetSelectedIndex(Node)) return;
  TextNode(Node)->StoredSelectedIndex = Index;
  NodeChanged(Node, false);
}

void TCustomdxTreeListControl::SetStateIndex(TdxTreeListNode* Node, int Index) {
  if (Index == GetStateIndex(Node)) return;
  TextNode(Node)->StoredStateIndex = Index;
  NodeChanged(Node, false);
}

void TCustomdxTreeListControl::GetNodeString(TdxTreeListNode* Node, int Column, String& Text) {
  Text = Node == stringsNode_ ? stringsBuffer_.Get(Column) : TextNode(Node)->Strings.Get(Column);
}

void TCustomdxTreeListControl::GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) {
  String text;
  TCustomdxTreeListControl::GetNodeString(Node, Column, text);
  Value = text;
}

void TCustomdxTreeListControl::SetNodeString(TdxTreeListNode* Node, int Column, const String& Text) {
  if (Node == stringsNode_)
    stringsBuffer_.Set(Column, Text);
  else
    TextNode(Node)->Strings.Set(Column, Text);
}

bool TCustomdxTreeListControl::BeginNodeStrings(TdxTreeListNode* Node) {
  if (stringsNode_ || !Node) return false;
  stringsNode_ = TextNode(Node);
  stringsBuffer_.Load(stringsNode_->Strings);
  return true;
}

void TCustomdxTreeListControl::EndNodeStrings() {
  if (!stringsNode_) return;
  TdxTreeListTextNode* node = stringsNode_;
  stringsNode_ = nullptr;
  stringsBuffer_.WriteTo(node->Strings);
}

void TCustomdxTreeListControl::SetNodeVariant(TdxTreeListNode* Node, int Column, const Variant& Value) {
  SetNodeString(Node, Column, VarToStr(Value));
  if (LockCount() == 0) NodeChanged(Node, false);
}

// --- Geometry queries ---

int TCustomdxTreeListControl::GetBandIndex(int V) {
  EnsureIndexLists();
  return V >= 0 && V < static_cast<int>(visibleBands_.size()) ? visibleBands_[V] : -1;
}

int TCustomdxTreeListControl::GetBandVisibleIndex(int B) {
  EnsureIndexLists();
  return B >= 0 && B < static_cast<int>(bandPositions_.size()) ? bandPositions_[B] : -1;
}

TAlignment TCustomdxTreeListControl::GetVisibleBandAlignment(int V) {
  int b = GetBandIndex(V);
  return b < 0 ? taLeftJustify : bands_->Items(b)->Alignment();
}

String TCustomdxTreeListControl::GetVisibleBandCaption(int V) {
  int b = GetBandIndex(V);
  return b < 0 ? String() : bands_->Items(b)->Caption();
}

int TCustomdxTreeListControl::GetVisibleBandMinWidth(int V) {
  int b = GetBandIndex(V);
  return b < 0 ? 0 : bands_->Items(b)->MinWidth();
}

int TCustomdxTreeListControl::GetVisibleBandWidth(int V) {
  int b = GetBandIndex(V);
  return b < 0 ? 0 : bands_->Items(b)->Width();
}

int TCustomdxTreeListControl::GetLeftFixedBandIndex() {
  int b = GetBandIndex(0);
  return b >= 0 && bands_->Items(b)->Fixed() == bfLeft ? 0 : -1;
}

int TCustomdxTreeListControl::GetRightFixedBandIndex() {
  int last = GetVisibleBandCount() - 1;
  int b = GetBandIndex(last);
  return b >= 0 && bands_->Items(b)->Fixed() == bfRight ? last : -1;
}

bool TCustomdxTreeListControl::CanBandSizing(int V) {
  int b = GetBandIndex(V);
  return b >= 0 && bands_->Items(b)->Sizing();
}

int TCustomdxTreeListControl::GetBandHeaderRowCount(int V) {
  EnsureIndexLists();
  return V >= 0 && V < static_cast<int>(headerRows_.size()) ? static_cast<int>(headerRows_[V].size()) : 0;
}

int TCustomdxTreeListControl::GetBandRowColumnCount(int V, int Row) {
  EnsureIndexLists();
  if (V < 0 || Row < 0 || V >= static_cast<int>(headerRows_.size()) ||
      Row >= static_cast<int>(headerRows_[V].size()))
    return 0;
  return static_cast<int>(headerRows_[V][Row].size());
}

int TCustomdxTreeListControl::GetColumnAt(int V, int Row, int Pos) {
  if (Pos < 0 || Pos >= GetBandRowColumnCount(V, Row)) return -1;
  return headerRows_[V][Row][Pos];
}

int TCustomdxTreeListControl::GetColumnWidth(int C) { return GetColumn(C) ? GetColumn(C)->Width() : 0; }

int TCustomdxTreeListControl::GetColumnMinWidth(int C) {
  TdxTreeListColumn* c = GetColumn(C);
  return !c ? 0 : c->Sizing() ? c->MinWidth() : c->Width();
}

int TCustomdxTreeListControl::GetColumnBandIndex(int C) {
  return GetColumn(C) ? GetColumn(C)->BandIndex() : -1;
}
int TCustomdxTreeListControl::GetColumnRowIndex(int C) { return GetColumn(C) ? GetColumn(C)->RowIndex() : 0; }
int TCustomdxTreeListControl::GetColumnColIndex(int C) {
  return GetColumn(C) ? GetColumn(C)->ColIndex() : -1;
}
int TCustomdxTreeListControl::GetColumnHeaderMaxLineCount(int C) {
  return GetColumn(C) ? GetColumn(C)->HeaderMaxLineCount() : 1;
}
TAlignment TCustomdxTreeListControl::GetColumnHeaderAlignment(int C) {
  return GetColumn(C) ? GetColumn(C)->HeaderAlignment() : taLeftJustify;
}
bool TCustomdxTreeListControl::GetColumnTabStop(int VisibleColumn) {
  TdxTreeListColumn* column = GetVisibleColumn(VisibleColumn);
  return column && column->TabStop();
}

String TCustomdxTreeListControl::GetColumnHeaderText(int C) {
  TdxTreeListColumn* c = GetColumn(C);
  return !c || c->DisableCaption() ? String() : c->Caption();
}
TColor TCustomdxTreeListControl::GetColumnColor(int C) {
  return GetColumn(C) ? GetColumn(C)->Color() : Color();
}
TFont* TCustomdxTreeListControl::GetColumnFont(int C) { return GetColumn(C) ? GetColumn(C)->Font() : Font(); }
bool TCustomdxTreeListControl::HasColumnFont(int C) { return GetColumn(C) && GetColumn(C)->IsFontStored(); }
TdxTreeListColumnSort TCustomdxTreeListControl::GetColumnSorted(int C) {
  return GetColumn(C) ? GetColumn(C)->Sorted() : csNone;
}
bool TCustomdxTreeListControl::IsColumnMultiLine(int C) {
  return GetColumn(C) && GetColumn(C)->IsMultiLine();
}

bool TCustomdxTreeListControl::IsColumnShown(int C) {
  TdxTreeListColumn* c = GetColumn(C);
  return c && c->Visible() && c->BandIndex() >= 0 && c->BandIndex() < bands_->Count() &&
         bands_->Items(c->BandIndex())->Visible();
}

bool TCustomdxTreeListControl::IsColumnSizable(int C) { return GetColumn(C) && GetColumn(C)->Sizing(); }

TAlignment TCustomdxTreeListControl::GetCellAlignment(TdxTreeListNode*, int C) {
  return GetColumn(C) ? GetColumn(C)->Alignment() : taLeftJustify;
}

// The node's own string: a data-aware column's display text is its field's in the current record,
// which is only one of the rows.
String TCustomdxTreeListControl::GetCellText(TdxTreeListNode* Node, int C) {
  String text;
  if (GetColumn(C)) GetNodeString(Node, C, text);
  return text;
}

int TCustomdxTreeListControl::GetMinCellHeight(TCanvas* Canvas, int C) {
  int own = GetColumn(C) ? GetColumn(C)->GetMinCellHeight(Canvas) : 0;
  return std::max(TCustomdxTreeList::GetMinCellHeight(Canvas, C), own);
}

bool TCustomdxTreeListControl::IsExistFooterCell(int C) {
  bool exist = false;
  if (OnIsExistFooterCell) OnIsExistFooterCell(this, C, exist);
  return exist;
}

int TCustomdxTreeListControl::GetColumnHeaderWidth(int Column) {
  if (LockCount() > 0 || Column < 0 || Column >= GetColumnCount())
    return TCustomdxTreeList::GetColumnHeaderWidth(Column);
  if (!headerWidthsBuilt_) {
    headerWidths_.assign(columns_.size(), 0);
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
      headerWidths_[i] = IsColumnShown(i) ? TCustomdxTreeList::GetColumnHeaderWidth(i) : 0;
    headerWidthsBuilt_ = true;
  }
  return headerWidths_[Column];
}

bool TCustomdxTreeListControl::CalcRowLineHeight(TdxTreeListNode* Node, int Column, int& LineHeight,
                                                 int& LineCount, bool, bool, int MaxLineCount, int TextHeight,
                                                 int BoundsWidth, const String& Text) {
  TdxTreeListColumn* column = GetColumn(Column);
  if (!column) return false;
  TdxEditViewData* view = column->GetViewData();
  TFont* font = column->IsFontStored() ? column->Font() : Font();
  view->Font = font->Handle();
  view->Data = Text;
  view->VertAlignment = dxVertMultiLine;
  view->Bounds = RECT{0, 0, BoundsWidth, TextHeight};
  InflateRect(&view->Bounds, 2, 2);
  view->MeasureOnly = true;
  HDC dc = CreateCompatibleDC(nullptr);
  column->GetEditorClass()->DrawContent(dc, view->Bounds, false, view);
  DeleteDC(dc);
  view->MeasureOnly = false;
  (void)Node;
  if (view->MeasuredLineCount > 0) {
    LineCount = view->MeasuredLineCount;
    LineHeight = view->MeasuredHeight;
    if (MaxLineCount != -1 && MaxLineCount < LineCount) {
      LineCount = MaxLineCount;
      LineHeight = view->LineHeight * LineCount;
    }
  } else {
    LineCount = 1;
  }
  return true;
}

// --- Editing ---

TdxTreeListColumn* TCustomdxTreeListControl::FocusedColumnObject() {
  return GetColumn(GetFocusedColumnAbsoluteIndex());
}

bool TCustomdxTreeListControl::CanEditModify() {
  TdxTreeListColumn* c = FocusedColumnObject();
  return c && !c->ReadOnly();
}

TdxInplaceEdit* TCustomdxTreeListControl::FindInplaceEdit(int Column) {
  TdxTreeListColumn* c = GetColumn(GetAbsoluteColumnIndex(Column));
  if (!c) return nullptr;
  TdxInplaceEditClass cls = c->GetEditorClass();
  for (TdxInplaceEdit* e : editors_)
    if (e->EditClass() == cls) return e;
  return nullptr;
}

TdxInplaceEdit* TCustomdxTreeListControl::CreateInplaceEdit(int Column) {
  TdxTreeListColumn* c = GetColumn(GetAbsoluteColumnIndex(Column));
  TdxInplaceEdit* editor =
      c ? c->GetEditorClass()->Create(this) : TCustomdxTreeList::CreateInplaceEdit(Column);
  editors_.push_back(editor);
  return editor;
}

void TCustomdxTreeListControl::PrepareEditor(TdxInplaceEdit* Editor) {
  TCustomdxTreeList::PrepareEditor(Editor);
  if (TdxTreeListColumn* c = FocusedColumnObject()) c->InitEditProperties(Editor);
}

void TCustomdxTreeListControl::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  if (TdxTreeListColumn* c = FocusedColumnObject())
    c->InitEditValue(Node, Editor, Value);
  else
    TCustomdxTreeList::InitEditValue(Node, Editor, Value);
}

void TCustomdxTreeListControl::SaveEditValue(TdxTreeListNode* Node, int Column, Variant& Value,
                                             TdxInplaceEdit* Editor) {
  if (TdxTreeListColumn* c = GetColumn(Column)) {
    c->SaveEditValue(Node, Editor, Value);
    NodeChanged(Node, false);
  }
}

void TCustomdxTreeListControl::DoEditing(TdxTreeListNode* Node, bool& Allow) {
  TCustomdxTreeList::DoEditing(Node, Allow);
  if (Allow)
    if (TdxTreeListColumn* c = FocusedColumnObject()) Allow = c->CanEditCell();
}

bool TCustomdxTreeListControl::IsCustomDrawCell(TdxTreeListNode*, int Column) {
  return OnCustomDrawCell || InternalCustomDrawCell ||
         (GetColumn(Column) && GetColumn(Column)->HasCustomDraw());
}

void TCustomdxTreeListControl::DoCustomDrawCell(TCanvas* Canvas, const RECT& Rect, bool& Done,
                                                TAlignment& Alignment, TFont* Font, TColor& Color,
                                                String& Text, bool, bool, bool NewItemRow, bool IsFocusedCell,
                                                bool Selected, int Column, TdxTreeListNode* Node) {
  TdxTreeListColumn* column = GetColumn(Column);
  auto fire = [&](const TdxTLCustomDrawCell& Event, TObject* Sender) {
    if (Event && !Done)
      Event(Sender, Canvas, Rect, Node, column, Selected, IsFocusedCell, NewItemRow, Text, Color, Font,
            Alignment, Done);
  };
  fire(InternalCustomDrawCell, this);
  fire(OnCustomDrawCell, this);
  // The column's own event is not asked for group rows, nor for a new-item row not being edited.
  bool columnAsked = NewItemRow ? IsNewItemRowActive() && State() == tsEditing : !IsGroupNode(Node);
  if (column && columnAsked) fire(column->OnCustomDrawCell, column);
}

void TCustomdxTreeListControl::DoCustomDrawBand(int V, TCanvas* Canvas, const RECT& Rect, String& Text,
                                                TColor& Color, TFont* Font, TAlignment& Alignment,
                                                bool& Done) {
  int b = GetBandIndex(V);
  if (OnCustomDrawBand && b >= 0)
    OnCustomDrawBand(this, bands_->Items(b), Canvas, Rect, Text, Color, Font, Alignment, Done);
}

bool TCustomdxTreeListControl::IsCustomDrawHeader(int Column) {
  TdxTreeListColumn* c = GetColumn(Column);
  return OnCustomDrawColumnHeader || (c && c->OnCustomDrawColumnHeader);
}

void TCustomdxTreeListControl::DoCustomDrawHeader(int Column, TCanvas* Canvas, const RECT& Rect, String& Text,
                                                  TColor& Color, TFont* Font, TAlignment& Alignment,
                                                  TdxTreeListColumnSort& Sorted, bool& Done) {
  TdxTreeListColumn* c = GetColumn(Column);
  if (OnCustomDrawColumnHeader)
    OnCustomDrawColumnHeader(this, c, Canvas, Rect, Text, Color, Font, Alignment, Sorted, Done);
  if (!Done && c && c->OnCustomDrawColumnHeader)
    c->OnCustomDrawColumnHeader(c, c, Canvas, Rect, Text, Color, Font, Alignment, Sorted, Done);
}

void TCustomdxTreeListControl::DoCustomDrawFooter(TCanvas* Canvas, const RECT& Rect, bool& Done,
                                                  TAlignment& Alignment, TFont* Font, TColor& Color,
                                                  String& Text, int FooterIndex, int Column,
                                                  TdxTreeListNode* Node) {
  if (FooterIndex == -1) {
    if (OnCustomDrawFooter)
      OnCustomDrawFooter(this, Canvas, Rect, Node, GetColumn(Column), Text, Color, Font, Alignment, Done);
  } else if (OnCustomDrawFooterNode) {
    OnCustomDrawFooterNode(this, Canvas, Rect, Node, GetColumn(Column), FooterIndex, Text, Color, Font,
                           Alignment, Done);
  }
}

void TCustomdxTreeListControl::DoCustomDrawPreview(TCanvas* Canvas, const RECT& Rect, bool& Done, TFont* Font,
                                                   TColor& TextColor, TColor& Color, String& Text,
                                                   bool Selected, TdxTreeListNode* Node) {
  if (OnCustomDrawPreview) OnCustomDrawPreview(this, Canvas, Rect, Node, Selected, Text, Done);
  if (!Done && OnCustomDrawPreviewCell)
    OnCustomDrawPreviewCell(this, Canvas, Rect, Node, Selected, Text, Color, TextColor, Font, Done);
}

void TCustomdxTreeListControl::DrawCellContent(TCanvas* Canvas, const RECT& Rect, int Column,
                                               TdxTreeListNode* Node, const String& Text,
                                               TAlignment Alignment, HBRUSH Brush, TColor TextColor,
                                               TColor Color, bool MultiLine) {
  TdxTreeListColumn* column = GetColumn(Column);
  if (!column) {
    TCustomdxTreeList::DrawCellContent(Canvas, Rect, Column, Node, Text, Alignment, Brush, TextColor, Color,
                                       MultiLine);
    return;
  }
  const TdxInplaceEditClass editClass = column->GetCellEditorClass(Node);
  TdxEditViewData* view = column->GetViewData(editClass);
  TFont* font = column->IsFontStored() ? column->Font() : Font();
  view->Enabled = true;
  view->Focused = false;
  view->Selected = IsHotTrackedCell(Node, Column);  // editors draw their hot look for it
  view->BorderColor = clNone;
  view->BorderStyle = xbsNone;
  view->ButtonStyle = LookAndFeel() == lfStandard ? bts3D : LookAndFeel() == lfFlat ? btsFlat : btsHotFlat;
  view->Edges = dxAllEdges;
  view->Shadow = false;
  view->Transparent = false;
  view->TextOffsets = RECT{1, 0, 0, 0};
  view->VertAlignment = MultiLine ? dxVertMultiLine : static_cast<Byte>(column->VertAlignment());
  view->Font = font->Handle();
  view->Brush = Brush;
  view->BkColor = ColorToRGB(Color);
  view->TextColor = ColorToRGB(TextColor);
  view->Alignment = Alignment;
  view->IsEditClass = false;
  view->Data = Text;
  view->DataLength = 0;
  view->MeasureOnly = false;
  if (auto* text = dynamic_cast<TdxTextEditViewData*>(view)) {
    text->CharCase = column->CharCase();
    text->EndEllipsis = IsDrawEndEllipsis();
    text->PasswordChar = column->PasswordChar();
  }
  column->PrepareCellViewData(view, Node);
  // The editor class lays the cell out in its editor bounds (the cell grown by 2 on every side, where
  // an editor's border would go); what it draws is kept to the cell.
  RECT bounds = Rect;
  InflateRect(&bounds, 2, 2);
  view->Bounds = bounds;
  HDC dc = Canvas->Handle();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, Rect.left, Rect.top, Rect.right, Rect.bottom);
  editClass->Draw(dc, bounds, nullptr, view);
  RestoreDC(dc, saved);
}

void TCustomdxTreeListControl::ApplyBestFit(TdxTreeListColumn* Column) {
  if (!Column) {
    TdxTreeListUpdateScope update(this);
    for (TdxTreeListColumn* c : columns_) ApplyBestFit(c);
    return;
  }
  if (!Column->Sizing()) return;
  TCanvas canvas;
  HDC dc = CreateCompatibleDC(nullptr);
  canvas.SetHandle(dc);
  canvas.SetFont(Font());
  int margin = canvas.TextWidth(u"0") / 2 + 1;
  int c = IndexOfColumn(Column);
  bool treePart =
      IsColumnShown(c) && GetBandVisibleIndex(Column->BandIndex()) == 0 && Column->ColIndex() == 0;
  canvas.SetFont(Column->IsFontStored() ? Column->Font() : Font());
  int best = 0;
  std::vector<TdxTreeListNode*> stack;
  for (int i = GetCount() - 1; i >= 0; --i) stack.push_back(GetItem(i));
  while (!stack.empty()) {
    TdxTreeListNode* n = stack.back();
    stack.pop_back();
    for (int i = n->GetCount() - 1; i >= 0; --i) stack.push_back(n->GetItem(i));
    if (IsGroupNode(n)) continue;
    int w = Column->GetBestFitWidth(&canvas, n);
    if (treePart) {
      int levels = ShowRoot() && PaintStyle() == psStandard ? n->GetLevel() + 1 : n->GetLevel();
      w += levels * dxTLLevelIndent + (GetStateIndex(n) != -1 ? layout_.StateImageWidth : 0) +
           ((GetImageIndex(n) != -1 || GetSelectedIndex(n) != -1) ? layout_.ImageWidth : 0) -
           GetGroupIndent();
    }
    best = std::max(best, w);
  }
  canvas.SetFont(HeaderFont());
  best = std::max(best, canvas.TextWidth(Column->Caption()) + (Column->DisableFilter() ? 0 : 15));
  canvas.SetHandle(nullptr);
  DeleteDC(dc);
  Column->SetWidth(best + 2 * margin);
}
