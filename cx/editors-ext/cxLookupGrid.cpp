// The lookup grid control: its parts, the update bracket and pending layout changes, the top row
// and the vertical scroll bar, popup sizing, and the data controller's notifications.
#include "cx/editors-ext/cxLookupGrid.h"

#include <algorithm>

#include "cx/data/cxDB.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxLookupGridDataController)
TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupGrid)

// --- The data controller's questions ---

template <class TBase>
TcxCustomLookupGrid* TcxLookupGridControllerLink<TBase>::Grid() const {
  // Only a lookup grid makes these controllers, with itself as the owner.
  return static_cast<TcxCustomLookupGrid*>(this->Owner());
}

template <class TBase>
TObject* TcxLookupGridControllerLink<TBase>::GetItem(int AIndex) {
  TcxCustomLookupGrid* grid = Grid();
  if (!grid || !grid->Columns() || AIndex >= grid->Columns()->Count()) return TBase::GetItem(AIndex);
  return grid->Columns()->Items(AIndex);
}

template <class TBase>
int TcxLookupGridControllerLink<TBase>::GetItemID(TObject* AItem) {
  auto* column = dynamic_cast<TcxLookupGridColumn*>(AItem);
  return column ? column->ID() : -1;
}

// Both links are made where the members are defined, whatever the files are compiled with.
template class TcxLookupGridControllerLink<TcxDataController>;
template class TcxLookupGridControllerLink<TcxDBDataController>;

// --- Construction ---

TcxCustomLookupGrid::TcxCustomLookupGrid(TComponent* AOwner) : TcxControl(AOwner) {
  columns_ = GetColumnsClass();
  options_ = std::make_unique<TcxLookupGridOptions>(this);
  CreateSubClasses();
  CreateDataController();
  SetColor(clWindow);
  SetParentColor(false);
  SetWidth(250);
  SetHeight(200);
  SetKeys({wkArrows});
}

TcxCustomLookupGrid::~TcxCustomLookupGrid() {
  destroying_ = true;
  SetAutoScroll(0);
  columns_.reset();
  DestroyDataController();
  DestroySubClasses();
  options_.reset();
}

void TcxCustomLookupGrid::RecreateColumnsAndDataController() {
  columns_.reset();
  DestroyDataController();
  columns_ = GetColumnsClass();
  CreateDataController();
}

TClass TcxCustomLookupGrid::GetColumnClass() { return TcxLookupGridColumn::StaticClass(); }

std::unique_ptr<TcxLookupGridColumns> TcxCustomLookupGrid::GetColumnsClass() {
  return std::make_unique<TcxLookupGridColumns>(this, GetColumnClass());
}

std::unique_ptr<TcxCustomDataController> TcxCustomLookupGrid::GetDataControllerClass() {
  return cxCreateDataController<TcxLookupGridDataController>(this);
}

std::unique_ptr<TcxLookupGridPainter> TcxCustomLookupGrid::GetGridPainterClass() {
  return std::make_unique<TcxLookupGridPainter>(this);
}

std::unique_ptr<TcxLookupGridViewInfo> TcxCustomLookupGrid::GetViewInfoClass() {
  return std::make_unique<TcxLookupGridViewInfo>(this);
}

void TcxCustomLookupGrid::CreateSubClasses() {
  painter_ = GetGridPainterClass();
  viewInfo_ = GetViewInfoClass();
}

void TcxCustomLookupGrid::DestroySubClasses() {
  painter_.reset();
  viewInfo_.reset();
}

void TcxCustomLookupGrid::CreateDataController() {
  dataController_ = GetDataControllerClass();
  dataController_->OnUpdateControl = [this](TcxUpdateControlInfo* AInfo) { UpdateControl(AInfo); };
}

void TcxCustomLookupGrid::DestroyDataController() {
  if (dataController_) dataController_->OnUpdateControl = nullptr;
  dataController_.reset();
}

void TcxCustomLookupGrid::AddDataItem(TcxLookupGridColumn* AColumn) { dataController_->AddItem(AColumn); }

void TcxCustomLookupGrid::RemoveDataItem(TcxLookupGridColumn* AColumn) { dataController_->RemoveItem(AColumn); }

void TcxCustomLookupGrid::SetFocusedColumn(TcxLookupGridColumn* Value) {
  focusedColumn_ = options_ && options_->RowSelect() ? nullptr : Value;
}

void TcxCustomLookupGrid::SetPopupMode(bool Value) {
  if (popupMode_ == Value) return;
  popupMode_ = Value;
  LayoutChanged();
}

// --- Updates and layout ---

void TcxCustomLookupGrid::BeginUpdate() {
  ++updateCount_;
  dataController_->BeginUpdate();
}

void TcxCustomLookupGrid::EndUpdate() {
  dataController_->EndUpdate();
  --updateCount_;
  LayoutChanged(0);
}

void TcxCustomLookupGrid::LayoutChanged(int AChanges) {
  pendingChanges_ |= AChanges;
  if (updateCount_ != 0) return;
  const int changes = pendingChanges_;
  pendingChanges_ = 0;
  if (changes & 0x7) RefreshLayout();
}

void TcxCustomLookupGrid::RefreshLayout() {
  if (destroying_ || !HandleAllocated()) return;
  topRowIndex_ = viewInfo_->GetNearestTopRowIndex(topRowIndex_);
  UpdateLayout();
}

void TcxCustomLookupGrid::UpdateLayout() {
  if (destroying_) return;
  const bool laidOut = viewInfo_->TakeLayoutOfTopRow(topRowIndex_);
  if (!HandleAllocated()) return;
  if (!laidOut) viewInfo_->Calculate();
  Invalidate();
  UpdateScrollBars();
}

void TcxCustomLookupGrid::Loaded() {
  TcxControl::Loaded();
  LayoutChanged();
}

void TcxCustomLookupGrid::Paint() {
  TcxControl::Paint();
  painter_->Paint(Canvas());
}

int TcxCustomLookupGrid::GetBorderSize() { return popupMode_ ? 0 : LookAndFeelPainter()->GetBorderSize(); }

void TcxCustomLookupGrid::InitScrollBars() {
  TcxControl::InitScrollBars();
  RefreshLayout();
}

void TcxCustomLookupGrid::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) {
  TcxControl::LookAndFeelChanged(Sender, AChangedValues);
  LayoutChanged();
}

void TcxCustomLookupGrid::BoundsChanged() {
  TcxControl::BoundsChanged();
  RefreshLayout();
}

void TcxCustomLookupGrid::FontChanged() {
  TcxControl::FontChanged();
  RefreshLayout();
}

void TcxCustomLookupGrid::FocusChanged() {
  InvalidateFocusedRow();
  TcxControl::FocusChanged();
}

// --- Popup sizing ---

int TcxCustomLookupGrid::GetPopupHeightForRows(int ARowCount) {
  viewInfo_->Calculate();
  const int header = viewInfo_->HeaderBand.bottom - viewInfo_->HeaderBand.top;
  return ARowCount * viewInfo_->RowStep() + header;
}

int TcxCustomLookupGrid::GetNearestPopupHeight(int AHeight) {
  viewInfo_->Calculate();
  const int header = viewInfo_->HeaderBand.bottom - viewInfo_->HeaderBand.top;
  const int step = std::max(viewInfo_->RowStep(), 1);
  int rows = (AHeight - header) / step;
  rows = std::max(rows, 1);
  rows = std::max(std::min(rows, dataController_->GetRowCount()), 1);
  return header + rows * step;
}

// --- Top row and scrolling ---

void TcxCustomLookupGrid::CorrectTopRowForGridMode(int& ATopRowIndex) {
  TcxCustomDataController* controller = dataController_.get();
  if (!controller->IsGridMode()) return;
  const int rowCount = controller->GetRowCount();
  const int whole = viewInfo_->WholeRowCount;
  if (ATopRowIndex < 0) {
    if (!controller->IsBOF()) controller->ScrollBy(ATopRowIndex);
    ATopRowIndex = 0;
  } else if (ATopRowIndex >= rowCount) {
    if (!controller->IsEOF()) controller->ScrollBy(ATopRowIndex - rowCount + 1);
    ATopRowIndex = rowCount - 1;
  } else if (ATopRowIndex > rowCount - whole) {
    if (!controller->IsEOF()) controller->ScrollBy(ATopRowIndex - (rowCount - whole));
    ATopRowIndex = rowCount - whole;
  }
}

void TcxCustomLookupGrid::SetTopRowIndex(int Value) {
  CorrectTopRowForGridMode(Value);
  Value = std::min(Value, dataController_->GetRowCount() - 1);
  Value = std::max(Value, 0);
  if (Value == topRowIndex_) return;
  Value = viewInfo_->GetNearestTopRowIndex(Value);
  if (Value == topRowIndex_) {
    viewInfo_->Calculate();
    return;
  }
  topRowIndex_ = Value;
  const bool ignored = ignoreMouseMove_;
  ignoreMouseMove_ = true;
  TScopeExit restore([&] { ignoreMouseMove_ = ignored; });
  UpdateLayout();
}

void TcxCustomLookupGrid::MakeRowVisible(int ARowIndex) {
  const int whole = viewInfo_->WholeRowCount;
  if (whole == 0) return;
  if (ARowIndex < topRowIndex_)
    SetTopRowIndex(ARowIndex);
  else if (ARowIndex > topRowIndex_ + whole - 1)
    SetTopRowIndex(ARowIndex - whole + 1);
}

void TcxCustomLookupGrid::MakeFocusedRowVisible() {
  const int focused = FocusedRowIndex();
  if (focused != -1) MakeRowVisible(focused);
}

void TcxCustomLookupGrid::PageUp() {
  const int whole = viewInfo_->WholeRowCount;
  SetTopRowIndex(whole < 2 ? topRowIndex_ - 1 : topRowIndex_ - whole + 1);
}

void TcxCustomLookupGrid::PageDown() {
  const int whole = viewInfo_->WholeRowCount;
  SetTopRowIndex(whole < 2 ? topRowIndex_ + 1 : topRowIndex_ + whole - 1);
}

int TcxCustomLookupGrid::GetTopRowOffset() {
  return dataController_->IsGridMode() && !dataController_->IsBOF() ? 1 : 0;
}

int TcxCustomLookupGrid::GetBottomRowOffset() {
  return dataController_->IsGridMode() && !dataController_->IsEOF() ? 1 : 0;
}

void TcxCustomLookupGrid::InitScrollBarsParameters() {
  const int max = GetTopRowOffset() + dataController_->GetRowCount() + GetBottomRowOffset() - 1;
  SetScrollBarInfo(sbVertical, 0, max, 1, viewInfo_->WholeRowCount, GetTopRowOffset() + topRowIndex_, true, true);
}

void TcxCustomLookupGrid::Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos) {
  if (AScrollBarKind != sbVertical) return;
  const bool gridMode = dataController_->IsGridMode();
  switch (AScrollCode) {
    case scLineUp:
      SetTopRowIndex(topRowIndex_ - 1);
      break;
    case scLineDown:
      SetTopRowIndex(topRowIndex_ + 1);
      break;
    case scPageUp:
      PageUp();
      break;
    case scPageDown:
      PageDown();
      break;
    case scPosition:
      if (gridMode) SetTopRowIndex(AScrollPos - GetTopRowOffset());
      break;
    case scTrack:
      if (!gridMode) SetTopRowIndex(AScrollPos);
      break;
    default:
      break;
  }
  AScrollPos = GetTopRowOffset() + topRowIndex_;
}

// --- Notifications ---

void TcxCustomLookupGrid::UpdateControl(TcxUpdateControlInfo* AInfo) {
  if (destroying_) return;
  if (dynamic_cast<TcxDataChangedInfo*>(AInfo))
    DataChanged();
  else if (dynamic_cast<TcxLayoutChangedInfo*>(AInfo))
    DataLayoutChanged();
  else if (auto* focused = dynamic_cast<TcxFocusedRowChangedInfo*>(AInfo))
    FocusedRowChanged(focused->PrevFocusedRowIndex, focused->FocusedRowIndex);
  else if (auto* selection = dynamic_cast<TcxSelectionChangedInfo*>(AInfo))
    SelectionChanged(selection);
}

void TcxCustomLookupGrid::DataChanged() {
  RefreshLayout();
  if (OnDataChanged) OnDataChanged(this);
}

void TcxCustomLookupGrid::DataLayoutChanged() { RefreshLayout(); }

void TcxCustomLookupGrid::FocusedRowChanged(int APrevRowIndex, int AFocusedRowIndex) {
  const int whole = viewInfo_->WholeRowCount;
  if (AFocusedRowIndex >= topRowIndex_ && AFocusedRowIndex < topRowIndex_ + whole) {
    InvalidateRow(APrevRowIndex, true);
    InvalidateRow(AFocusedRowIndex, true);
  } else {
    // Scrolling to the row lays the list out anew; only a focus that needed no scroll still needs it.
    const int top = topRowIndex_;
    MakeFocusedRowVisible();
    if (topRowIndex_ == top) RefreshLayout();
  }
}

void TcxCustomLookupGrid::SelectionChanged(TcxSelectionChangedInfo* AInfo) {
  if (AInfo->GetCount() == 0) {
    RefreshLayout();
    return;
  }
  for (int i = 0; i < AInfo->GetCount(); ++i) InvalidateRow(AInfo->GetRowIndex(i), true);
}

void TcxCustomLookupGrid::InvalidateRow(int ARowIndex, bool ARecalculate) {
  TcxLookupGridRowViewInfo* row = viewInfo_->FindRow(ARowIndex);
  if (!row) return;
  if (ARecalculate) viewInfo_->RecalculateRow(row);
  InvalidateRect(row->Bounds, false);
}

void TcxCustomLookupGrid::InvalidateFocusedRow() { InvalidateRow(FocusedRowIndex(), false); }

void TcxCustomLookupGrid::SetFocusedSelected(bool AValue) { dataController_->SetFocusedSelected(AValue); }

void TcxCustomLookupGrid::DoClick() {
  if (OnClick) OnClick(this);
}

void TcxCustomLookupGrid::DoCloseUp(bool AAccept) {
  if (OnCloseUp) OnCloseUp(this, AAccept);
}

void TcxCustomLookupGrid::DoNotify() {
  if (OnNotify) OnNotify(this);
}
