// TCustomDBGrid: the rows are the data link's window, the current row its active record; cells
// draw their fields' display texts and edit their edit texts.
#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/dbctrls/DBCtrls.h"
#include "platform/dbctrls/DBGrids.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TGridDataLink)
TRENVIK_IMPLEMENT_CLASS(TCustomDBGrid)

TRENVIK_PUBLISHED(TDBGrid) {
  P.Property("Columns", &TDBGrid::Columns, &TDBGrid::SetColumns);
  P.Property("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource);
  P.Property("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly).Default(false);
  P.Event("OnEditButtonClick", &TDBGrid::OnEditButtonClick);
  P.Event("OnColEnter", &TDBGrid::OnColEnter);
}

// --- The link ---

void TGridDataLink::ActiveChanged() {
  grid_->columns_->RebuildColumns();
  grid_->LayoutChanged();
}
void TGridDataLink::DataSetChanged() { grid_->DataChanged(); }
void TGridDataLink::DataSetScrolled(int) { grid_->DataChanged(); }
void TGridDataLink::EditingChanged() { grid_->DataChanged(); }
void TGridDataLink::LayoutChanged() {
  grid_->columns_->RebuildColumns();
  grid_->LayoutChanged();
  TDataLink::LayoutChanged();
}
void TGridDataLink::RecordChanged(TField* Field) { grid_->RecordChanged(Field); }
// The dataset asks for the control's value before posting: the editor's text goes in.
void TGridDataLink::UpdateData() {
  if (grid_->EditorMode()) grid_->UpdateEditText(true);
}

// --- The grid ---

TCustomDBGrid::TCustomDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner),
      link_(std::make_unique<TGridDataLink>(this)),
      columns_(std::make_unique<TDBGridColumns>(this)) {
  options_ = TDBGridOptions{dgEditing,  dgTitles, dgIndicator,     dgColumnResize, dgColLines,
                            dgRowLines, dgTabs,   dgConfirmDelete, dgCancelOnExit};
  SetDefaultColWidth(64);
  SetDefaultRowHeight(18);
  ApplyGridOptions();
  LayoutChanged();
}

TCustomDBGrid::~TCustomDBGrid() {
  link_->SetDataSource(nullptr);
  columns_->grid_ = nullptr;
}

void TCustomDBGrid::SetDataSource(TDataSource* Value) {
  link_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LayoutChanged();
}

void TCustomDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && link_ && AComponent == link_->DataSource()) SetDataSource(nullptr);
}

void TCustomDBGrid::SetOptions(TDBGridOptions Value) {
  options_ = Value;
  ApplyGridOptions();
  LayoutChanged();
}

void TCustomDBGrid::ApplyGridOptions() {
  TGridOptions o{goFixedVertLine, goFixedHorzLine};
  if (options_.Contains(dgColLines)) o += TGridOptions{goVertLine};
  if (options_.Contains(dgRowLines)) o += TGridOptions{goHorzLine};
  if (options_.Contains(dgEditing)) o += TGridOptions{goEditing};
  if (options_.Contains(dgAlwaysShowEditor)) o += TGridOptions{goAlwaysShowEditor};
  if (options_.Contains(dgTabs)) o += TGridOptions{goTabs};
  if (options_.Contains(dgRowSelect)) o += TGridOptions{goRowSelect};
  TCustomGrid::SetOptions(o);
}

std::vector<TColumn*> TCustomDBGrid::VisibleColumns() const {
  std::vector<TColumn*> shown;
  for (int i = 0; i < columns_->Count(); ++i)
    if (columns_->Items(i)->Visible()) shown.push_back(columns_->Items(i));
  return shown;
}

TColumn* TCustomDBGrid::ColumnAt(int ACol) const {
  std::vector<TColumn*> shown = VisibleColumns();
  int i = ACol - IndicatorOffset();
  return i >= 0 && i < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(i)] : nullptr;
}

TField* TCustomDBGrid::SelectedField() const {
  TColumn* c = ColumnAt(Col());
  return c ? c->Field() : nullptr;
}

void TCustomDBGrid::SetSelectedField(TField* Value) {
  std::vector<TColumn*> shown = VisibleColumns();
  for (size_t i = 0; i < shown.size(); ++i)
    if (Value && shown[i]->Field() == Value) SetSelectedIndex(static_cast<int>(i));
}

int TCustomDBGrid::SelectedIndex() const { return Col() - IndicatorOffset(); }
void TCustomDBGrid::SetSelectedIndex(int Value) { SetCol(Value + IndicatorOffset()); }

// Columns and rows from the columns and the link's window.
void TCustomDBGrid::LayoutChanged() {
  if (layoutLock_) return;
  TValueScope<bool> lock(layoutLock_, true);
  std::vector<TColumn*> shown = VisibleColumns();
  int indicator = IndicatorOffset(), title = TitleOffset();
  SetColCount(indicator + std::max<int>(1, static_cast<int>(shown.size())) +
              (indicator == 0 && shown.empty() ? 1 : 0));
  SetFixedCols(indicator);
  if (indicator) SetColWidths(0, 11);
  for (size_t i = 0; i < shown.size(); ++i) SetColWidths(indicator + static_cast<int>(i), shown[i]->Width());
  UpdateBufferCount();
  SetRowCount(title + std::max(1, link_->Active() ? link_->RecordCount() : 0) + (title == 0 ? 1 : 0));
  SetFixedRows(title);
  SyncCurrentRow();
  Invalidate();
}

void TCustomDBGrid::UpdateBufferCount() {
  int rowsHeight = ClientRect().bottom - (TitleOffset() ? DefaultRowHeight() + GridLineWidth() : 0);
  link_->SetBufferCount(std::max(1, rowsHeight / (DefaultRowHeight() + GridLineWidth())));
}

void TCustomDBGrid::Resize() {
  inherited::Resize();
  LayoutChanged();
}

void TCustomDBGrid::DataChanged() {
  if (!HandleAllocated()) return;
  int rows = TitleOffset() + std::max(1, link_->Active() ? link_->RecordCount() : 0);
  if (rows != RowCount()) SetRowCount(rows);
  SyncCurrentRow();
  Invalidate();
}

void TCustomDBGrid::RecordChanged(TField* Field) {
  Invalidate();
  if (!EditorMode()) return;
  if (!Field || Field == SelectedField()) {
    String text = GetEditText(Col(), Row());
    if (InplaceEditor()->Text() != text) InplaceEditor()->SetText(text);
  }
}

void TCustomDBGrid::SyncCurrentRow() {
  int row = TitleOffset() + (link_->Active() ? link_->ActiveRecord() : 0);
  if (row != Row()) SetCurrent(Col(), row);
}

bool TCustomDBGrid::SelectCell(int ACol, int ARow) {
  if (ACol != Col() && OnColEnter) {
    SetCurrent(ACol, Row());
    OnColEnter(this);
  }
  int delta = ARow - Row();
  if (delta != 0 && link_->Active()) link_->DataSet()->MoveBy(delta);
  SetCurrent(ACol, TitleOffset() + (link_->Active() ? link_->ActiveRecord() : 0));
  ShowCurrent();
  return false;
}

void TCustomDBGrid::MoveRowBy(int Delta) {
  if (EditorMode()) {
    UpdateEditText(true);
    HideEditor();
  }
  if (link_->Active()) link_->DataSet()->MoveBy(Delta);
}

// Esc with no editor cancels the record's edit; Insert inserts a record; Ctrl+Del deletes the
// record (asked first with dgConfirmDelete).
void TCustomDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TDataSet* ds = link_->Active() ? link_->DataSet() : nullptr;
  if (ds && Key == VK_ESCAPE && !EditorMode() && (ds->State() == dsEdit || ds->State() == dsInsert)) {
    ds->Cancel();
    Key = 0;
    return;
  }
  bool modifiable = ds && options_.Contains(dgEditing) && !readOnly_ && ds->CanModify();
  if (modifiable && Key == VK_INSERT) {
    ds->Insert();
    Key = 0;
    return;
  }
  if (modifiable && Key == VK_DELETE && Shift.Contains(ssCtrl) && !ds->IsEmpty()) {
    Key = 0;
    if (EditorMode()) HideEditor();
    if (!options_.Contains(dgConfirmDelete) ||
        MessageDlg(kDeleteRecordQuestion, mtConfirmation, mbOKCancel) != mrCancel)
      ds->Delete();
    return;
  }
  inherited::KeyDown(Key, Shift);
}

bool TCustomDBGrid::CanEditShow() { return link_->Active() && ColumnAt(Col()) && inherited::CanEditShow(); }

bool TCustomDBGrid::CanEditModify() {
  TColumn* c = ColumnAt(Col());
  TField* f = c ? c->Field() : nullptr;
  return f && !readOnly_ && !c->ReadOnly() && !link_->ReadOnly() && f->CanModify();
}

String TCustomDBGrid::GetEditText(int ACol, int) {
  TColumn* c = ColumnAt(ACol);
  TField* f = c ? c->Field() : nullptr;
  return f ? f->Text() : String();
}

// A changed text puts the record into edit mode and goes into the field.
void TCustomDBGrid::SetEditText(int ACol, int, const String& Value) {
  TColumn* c = ColumnAt(ACol);
  TField* f = c ? c->Field() : nullptr;
  if (!f || f->Text() == Value || !CanEditModify()) return;
  if (!link_->Edit()) return;
  f->SetText(Value);
}

bool TCustomDBGrid::HasEditButton() {
  TColumn* c = ColumnAt(Col());
  return c && c->ButtonStyle() == cbsEllipsis;
}

void TCustomDBGrid::EditButtonClick() {
  if (OnEditButtonClick) OnEditButtonClick(this);
}

// The current record's mark: a triangle while browsing, "I" while editing, "*" while inserting.
void TCustomDBGrid::DrawIndicator(const RECT& Rect, int DataRow) {
  if (!link_->Active() || DataRow != link_->ActiveRecord()) return;
  TCanvas* canvas = Canvas();
  TDataSetState state = link_->DataSet()->State();
  int cx = (Rect.left + Rect.right) / 2, cy = (Rect.top + Rect.bottom) / 2;
  canvas->Brush()->SetColor(clBlack);
  canvas->Pen()->SetColor(clBlack);
  if (state == dsInsert || state == dsEdit) {
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsClear);
    String mark = state == dsInsert ? u"*" : u"I";
    canvas->TextOut(cx - canvas->TextWidth(mark) / 2, cy - canvas->TextHeight(mark) / 2, mark);
    return;
  }
  POINT triangle[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
  canvas->Polygon(triangle, 3);
}

void TCustomDBGrid::DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) {
  (void)AState;
  TCanvas* canvas = Canvas();
  int dataRow = ARow - TitleOffset();
  if (ACol < IndicatorOffset()) {
    if (dataRow >= 0) DrawIndicator(ARect, dataRow);
    return;
  }
  TColumn* column = ColumnAt(ACol);
  if (!column) return;
  String text;
  TAlignment alignment = taLeftJustify;
  if (dataRow < 0) {
    text = column->Title()->Caption();
  } else if (link_->Active() && dataRow < link_->RecordCount()) {
    TField* f = column->Field();
    if (f) {
      // The row's record becomes the active one just for reading it.
      int active = link_->ActiveRecord();
      link_->SetActiveRecord(dataRow);
      text = f->DisplayText();
      link_->SetActiveRecord(active);
      alignment = f->Alignment();
    }
  }
  canvas->Brush()->SetStyle(bsClear);
  int width = canvas->TextWidth(text);
  int x = ARect.left + 2;
  if (alignment == taRightJustify) x = ARect.right - 2 - width;
  if (alignment == taCenter) x = (ARect.left + ARect.right - width) / 2;
  canvas->TextRect(ARect, x, ARect.top + 1, text);
  canvas->Brush()->SetStyle(bsSolid);
}
