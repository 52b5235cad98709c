#include "dx/inspector/dxInspctControl.h"

#include <algorithm>

#include "dx/inspector/dxInspctComplex.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxInspectorControl)

TCustomdxInspectorControl::TCustomdxInspectorControl(TComponent* AOwner) : TCustomdxInspector(AOwner) {}

TCustomdxInspectorControl::~TCustomdxInspectorControl() {
  try {
    StoreLayout();
  } catch (const Exception&) {
    // A destructor has no caller to report to; the layout stays as last stored.
  }
  HideEditor();
  DestroyRows();
}

TdxInspectorRow* TCustomdxInspectorControl::RowOf(TdxInspectorNode* Node) {
  // Every node of an inspector control is made by its CreateNode, a row node (descendants add
  // conditions, never another node class).
  return Node ? static_cast<TdxInspectorRowNode*>(Node)->Row : nullptr;
}

TdxInspectorRow* TCustomdxInspectorControl::Rows(int Index) const {
  if (Index < 0 || Index >= RowCount()) return nullptr;
  return rows_[Index];
}

int TCustomdxInspectorControl::CountVisibleRows() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](TdxInspectorRow* r) { return r->Visible(); }));
}

TdxInspectorRow* TCustomdxInspectorControl::FindRowByName(const String& Name) const {
  for (TdxInspectorRow* row : rows_)
    if (SameText(row->Name(), Name)) return row;
  return nullptr;
}

TClass TCustomdxInspectorControl::GetDefaultRowClass() { return TdxInspectorTextRow::StaticClass(); }

TdxInspectorRow* TCustomdxInspectorControl::AddRow(TClass RowClass) {
  TComponent* owner = Owner() ? Owner() : this;
  auto* row = static_cast<TdxInspectorRow*>(CreateComponent(RowClass, owner));
  // Names already taken (or refused) move on to the next number.
  for (int n = RowCount() + 1;; ++n) {
    try {
      row->SetName(Name() + u"Row" + IntToStr(n));
      break;
    } catch (const Exception&) {
      if (Name().empty()) break;
    }
  }
  row->SetInspector(this);
  return row;
}

TdxInspectorRow* TCustomdxInspectorControl::AddRowOfClass(TClass RowClass) {
  auto* row = static_cast<TdxInspectorRow*>(CreateComponent(RowClass, this));
  row->SetInspector(this);
  return row;
}

void TCustomdxInspectorControl::AttachRow(TdxInspectorRow* Row) {
  if (!creatingRow_ && !Row->node_) {
    const TValueScope creating(creatingRow_, true);
    auto* node = static_cast<TdxInspectorRowNode*>(AddNode());
    node->Row = Row;
    Row->node_ = node;
  }
  rows_.push_back(Row);
  Row->inspector_ = this;
  RowChanged(Row);
  RefreshCustomizeForm();
}

void TCustomdxInspectorControl::DetachRow(TdxInspectorRow* Row) {
  Row->inspector_ = nullptr;
  bool freed = false;
  if (TdxInspectorRowNode* node = Row->node_) {
    node->Row = nullptr;
    Row->node_ = nullptr;
    if (!IsDestroying()) {
      delete node;
      freed = true;
    }
  }
  std::erase(rows_, Row);
  RemoveFromComplexRows(Row);
  if (draggedInRow_ == Row) draggedInRow_ = nullptr;
  if (freed) RowChanged(Row);
  RefreshCustomizeForm();
}

void TCustomdxInspectorControl::SetRowVisible(TdxInspectorRow* Row, bool Value) {
  if (!Value) {
    TdxInspectorRowNode* node = Row->node_;
    if (!node) return;
    BeginUpdate();
    for (int i = node->Count() - 1; i >= 0; --i)
      if (TdxInspectorRow* child = RowOf(node->Items(i))) child->SetVisible(false);
    node->Row = nullptr;
    Row->node_ = nullptr;
    delete node;
    EndUpdate();
  } else if (!Row->node_) {
    RemoveFromComplexRows(Row);
    TdxInspectorRowNode* node;
    {
      const TValueScope creating(creatingRow_, true);
      node = static_cast<TdxInspectorRowNode*>(AddNode());
    }
    node->Row = Row;
    Row->node_ = node;
    LayoutChanged();
  }
  RefreshCustomizeForm();
}

void TCustomdxInspectorControl::RowChanged(TdxInspectorRow*) {
  if (!ComponentState().Contains(csLoading)) LayoutChanged();
}

void TCustomdxInspectorControl::DestroyRows() {
  BeginUpdate();
  while (!rows_.empty()) {
    TdxInspectorRow* row = rows_.back();
    DetachRow(row);
    delete row;
  }
  EndUpdate();
}

void TCustomdxInspectorControl::Loaded() {
  SetLoading(true);
  const TScopeExit loaded([this] { SetLoading(false); });
  BeginUpdate();
  inherited::Loaded();
  BeginLoadTree();
  {
    const TScopeExit done([this] {
      EndLoadTree();
      FreePendingRowTree();
    });
    ReadRowTree();
  }
  RestoreLayout();
  for (TdxInspectorRow* row : std::vector<TdxInspectorRow*>(rows_))
    if (!row->Visible()) SetRowVisible(row, false);
  if (TdxInspectorNode* first = Items(0)) SetFocusedNode(first);
  EndUpdate();
  if (TdxInspectorNode* focused = FocusedNode()) focused->MakeVisible();
}

void TCustomdxInspectorControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TdxInspectorRow* row : rows_)
    if (row->Owner() == Root) Proc(row);
}

// --- Nodes ---

TdxInspectorNode* TCustomdxInspectorControl::CreateNode() { return new TdxInspectorRowNode(this); }

void TCustomdxInspectorControl::NodeAdded(TdxInspectorNode* Node) {
  if (!creatingRow_) {
    const TValueScope creating(creatingRow_, true);
    TdxInspectorRow* row = AddRow(GetDefaultRowClass());
    static_cast<TdxInspectorRowNode*>(Node)->Row = row;
    row->node_ = static_cast<TdxInspectorRowNode*>(Node);
  }
  inherited::NodeAdded(Node);
}

int TCustomdxInspectorControl::CalcRowTextHeight(TCanvas* Canvas) {
  int height = inherited::CalcRowTextHeight(Canvas);
  for (TdxInspectorRow* row : rows_)
    if (row->Visible()) height = std::max(height, row->GetMinHeight(Canvas));
  return height;
}

int TCustomdxInspectorControl::GetImageIndex(TdxInspectorNode* Node) {
  TdxInspectorRow* row = RowOf(Node);
  return row ? row->ImageIndex() : -1;
}

bool TCustomdxInspectorControl::IsCategory(TdxInspectorNode* Node) {
  TdxInspectorRow* row = RowOf(Node);
  return row && row->IsCategory();
}

bool TCustomdxInspectorControl::GetCellHint(TdxInspectorNode* Node, int ComplexItem, const RECT&,
                                            bool IsValue, const RECT& CellRect, String& Text, POINT& Point,
                                            bool& IsRowHint) {
  TdxInspectorRow* row = RowOf(Node);
  if (IsComplexNode(Node) && ComplexItem >= 0) row = GetFocusedRowOfItem(Node, ComplexItem);
  if (!row || IsRectEmpty(&CellRect)) return false;
  Point.x = CellRect.left - (IsValue ? 1 : 2);
  RECT textRect = CellRect;
  textRect.left += 2;
  if (IsValue) textRect.right -= 1;
  if (!IsValue && row->ShowHint() && !row->Hint().empty()) {
    Text = row->Hint();
    IsRowHint = true;
    return true;
  }
  IsRowHint = false;
  return row->GetHintText(IsValue, textRect, Text);
}

void TCustomdxInspectorControl::GetNodeTexts(TdxInspectorNode* Node, String& Caption, String& Value) {
  TdxInspectorRow* row = RowOf(Node);
  Caption = row ? row->Caption() : String();
  Value = row ? row->GetDisplayText() : String();
}

void TCustomdxInspectorControl::SetNodeRowHeight(TdxInspectorNode* Node, int Height) {
  if (TdxInspectorRow* row = RowOf(Node)) row->SetRowHeight(Height);
}

int TCustomdxInspectorControl::GetRowHeight(TdxInspectorNode* Node) {
  TdxInspectorRow* row = RowOf(Node);
  if (!row) return inherited::GetRowHeight(Node);
  if (!HasOption(inoRowAutoHeight) || row->IsRowHeightStored()) return row->RowHeight();
  // Measured: the value text laid out by the row's editor class in the value cell's width.
  const int width = HasOption(inoAutoBandCount) ? BandWidth() - BandSeparatorWidth : ClientWidth();
  const TdxInspectorRowLayout layout = CalcRowLayout(Node, RECT{0, 0, width, CaptionTextHeight()});
  TCanvas* canvas = Canvas();
  if (!HandleAllocated()) return row->RowHeight();
  canvas->SetFont(Font());
  cellViewData_ = TdxInspectorCellViewData{};
  cellViewData_.Font = canvas->Font()->Handle();
  cellViewData_.Brush = canvas->Brush()->Handle();
  cellViewData_.Text = row->GetDisplayText();
  cellViewData_.Measuring = true;
  cellViewData_.Node = Node;
  TdxEditViewData* data = row->ViewData();
  row->PrepareViewData(data, cellViewData_);
  data->Bounds = layout.Value;
  InflateRect(&data->Bounds, 2, 2);
  data->VertAlignment = dxVertMultiLine;
  data->MeasureOnly = true;
  data->MeasuredHeight = 0;
  data->MeasuredLineCount = 0;
  TdxEditViewInfo info;
  TdxInplaceEditClass editorClass = row->GetEditorClass();
  editorClass->CalcViewInfo(data, false, info);
  editorClass->DrawContent(canvas->Handle(), info.Inner, false, data);
  data->MeasureOnly = false;
  if (data->MeasuredHeight <= 0) return inherited::GetRowHeight(Node);
  int textHeight = data->MeasuredHeight;
  if (MaxRowTextLineCount() > 0 && data->MeasuredLineCount > MaxRowTextLineCount())
    textHeight = data->LineHeight * MaxRowTextLineCount();
  int height = textHeight + RowLineWidth() + 3;
  if (!row->IsCategory()) height += 2 * RowMargin();
  return std::max(height, row->RowHeight());
}

// --- Painting ---

void TCustomdxInspectorControl::DrawCaptionCell(TCanvas* Canvas, TdxInspectorNode* Node,
                                                const TdxInspectorRowLayout& Layout, const String& Caption) {
  if (TdxInspectorRow* row = RowOf(Node)) {
    bool done = false;
    String text = Caption;
    if (OnDrawCaption) {
      TColor color = Canvas->Brush()->Color();
      OnDrawCaption(row, Canvas, Layout.Caption, text, Canvas->Font(), color, done);
      Canvas->Brush()->SetColor(color);
    }
    if (!done) row->DoDrawCaption(Canvas, Layout.Caption, text, Canvas->Font(), done);
    if (!done) inherited::DrawCaptionCell(Canvas, Node, Layout, text);
    return;
  }
  inherited::DrawCaptionCell(Canvas, Node, Layout, Caption);
}

void TCustomdxInspectorControl::DrawValueCell(TCanvas* Canvas, const RECT& Rect, TdxInspectorNode* Node,
                                              String& Text, TAlignment& Alignment) {
  TdxInspectorRow* row = RowOf(Node);
  if (!row) {
    inherited::DrawValueCell(Canvas, Rect, Node, Text, Alignment);
    return;
  }
  Alignment = row->Alignment();
  bool done = false;
  if (OnDrawValue) {
    TColor color = Canvas->Brush()->Color();
    OnDrawValue(row, Canvas, Rect, Text, Canvas->Font(), color, done);
    Canvas->Brush()->SetColor(color);
  }
  if (!done) row->DoDrawValue(Canvas, Rect, Text, Canvas->Font(), done);
  if (done) return;
  if (IsComplexNode(Node)) {
    auto* complex = static_cast<TdxInspectorComplexRow*>(row);
    TdxInspectorComplexRowViewInfo info(complex, ValueSeparatorWidth());
    info.Calculate(Rect);
    for (int i = 0; i < info.Count(); ++i) {
      const TdxInspectorComplexRowViewInfoItem& item = info.Items(i);
      if (item.Separator)
        DrawComplexSeparator(Canvas, item.Rect, false);
      else
        DrawRowValue(Canvas, item.Rect, item.Row, item.Row ? item.Row->GetDisplayText() : String(),
                     item.Row ? item.Row->Alignment() : taLeftJustify, Node);
    }
    if (info.IsEmpty()) Canvas->FillRect(Rect);
    return;
  }
  DrawRowValue(Canvas, Rect, row, Text, Alignment, Node);
}

void TCustomdxInspectorControl::DrawRowValue(TCanvas* Canvas, const RECT& Rect, TdxInspectorRow* Row,
                                             const String& Text, TAlignment Alignment,
                                             TdxInspectorNode* Node) {
  if (!Row) {
    Canvas->FillRect(Rect);
    return;
  }
  cellViewData_ = TdxInspectorCellViewData{};
  cellViewData_.Brush = Canvas->Brush()->Handle();
  cellViewData_.Font = Canvas->Font()->Handle();
  cellViewData_.BrushColor = Canvas->Brush()->Color();
  cellViewData_.FontColor = Canvas->Font()->Color();
  cellViewData_.Alignment = Alignment;
  cellViewData_.Text = Text;
  cellViewData_.EndEllipsis = HasOption(inoDrawEndEllipsis);
  cellViewData_.Node = Node;
  cellViewData_.Hot = IsHotNode(Node);
  cellViewData_.Bounds = Rect;
  InflateRect(&cellViewData_.Bounds, 2, 2);
  TdxEditViewData* data = Row->ViewData();
  Row->PrepareViewData(data, cellViewData_);
  Row->GetEditorClass()->Draw(Canvas->Handle(), Rect, nullptr, data);
}

// --- Editing ---

bool TCustomdxInspectorControl::CanShowEditor() {
  if (!inherited::CanShowEditor()) return false;
  TdxInspectorRow* row = FocusedRow();
  if (!row) return false;
  bool allow = true;
  if (OnEditing) OnEditing(this, FocusedNode(), row, allow);
  return allow;
}

TdxInplaceEdit* TCustomdxInspectorControl::CreateEditor(TdxInspectorNode*) {
  TdxInplaceEdit* editor = FocusedRow()->GetEditorClass()->Create(this);
  editorCache_.push_back(editor);
  return editor;
}

TdxInplaceEdit* TCustomdxInspectorControl::FindEditor(TdxInspectorNode*) {
  TdxInspectorRow* row = FocusedRow();
  if (!row) return nullptr;
  const TdxInplaceEditClass wanted = row->GetEditorClass();
  for (TdxInplaceEdit* editor : editorCache_)
    if (editor->EditClass() == wanted) return editor;
  return nullptr;
}

void TCustomdxInspectorControl::InitEditor(TdxInplaceEdit* Editor) {
  inherited::InitEditor(Editor);
  if (TdxInspectorRow* row = FocusedRow()) row->InitEditProperties(Editor);
}

void TCustomdxInspectorControl::InitEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor,
                                              Variant& Value) {
  if (TdxInspectorRow* row = FocusedRow())
    row->InitEditValue(Editor, Value);
  else
    inherited::InitEditValue(Node, Editor, Value);
  lastEditValue_ = Value;
}

void TCustomdxInspectorControl::SaveEditValue(TdxInspectorNode*, TdxInplaceEdit* Editor, Variant& Value) {
  if (!Editor->GetModified()) return;
  TdxInspectorRow* row = GetFocusedRow(EditingNode());
  if (!row) return;
  row->SaveEditValue(Editor, lastEditValue_);
  Value = lastEditValue_;
  if (OnEdited) OnEdited(this, EditingNode(), row);
}

TColor TCustomdxInspectorControl::GetEditColor() {
  TColor color = clWindow;
  if (FocusedNode() && OnGetEditColor) OnGetEditColor(FocusedRow(), color);
  return color;
}

TFont* TCustomdxInspectorControl::GetEditFont() {
  TFont* font = inherited::GetEditFont();
  if (!FocusedNode() || !OnGetEditFont) return font;
  if (!editFont_) editFont_ = std::make_unique<TFont>();
  editFont_->Assign(font);
  TFont* given = editFont_.get();
  OnGetEditFont(FocusedRow(), given);
  return given;
}

void TCustomdxInspectorControl::LayoutChanged() {
  inherited::LayoutChanged();
  // The editor follows the new layout once the recalculation's lock is gone (a locked control
  // refuses to show it).
  if (!IsLocked() && !IsDestroying()) UpdateEditor(false, false);
}

void TCustomdxInspectorControl::DoEditChange(TdxInspectorRow* Row) {
  if (OnEditChange) OnEditChange(Row);
}

void TCustomdxInspectorControl::DoEditValidate(TdxInspectorRow* Row, String& ErrorText, bool& Accept) {
  if (OnEditValidate) OnEditValidate(Row, ErrorText, Accept);
}
