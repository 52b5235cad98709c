#include "cx/grid/cxGridMasterRowViewInfo.h"

#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridLevel.h"
#include "cx/grid/cxGridMasterRowPainters.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/cxGridTableView.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridExpandButtonCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDetailsAreaViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDetailsSiteViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridMasterDataRowViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridShownDetails)

// --- TcxGridExpandButtonCellViewInfo ---

TcxGridExpandButtonCellViewInfo::TcxGridExpandButtonCellViewInfo(TcxGridMasterDataRowViewInfo* ARowViewInfo)
    : TcxGridCellViewInfo(ARowViewInfo) {}

TcxGridMasterDataRowViewInfo* TcxGridExpandButtonCellViewInfo::RowViewInfo() const {
  return static_cast<TcxGridMasterDataRowViewInfo*>(RecordViewInfo());
}

int TcxGridExpandButtonCellViewInfo::CalculateHeight() {
  TcxGridMasterDataRowViewInfo* row = RowViewInfo();
  return row->GetContentHeight() + (row->DetailsSiteVisible() ? row->DetailsArea()->CalculateHeight() : 0);
}

// The right edge stays put when the rows scroll horizontally: the details under it keep their place.
int TcxGridExpandButtonCellViewInfo::CalculateWidth() {
  TcxGridMasterDataRowViewInfo* row = RowViewInfo();
  const int right = TableViewInfo()->GetClientBounds().left + (row->Level() + 1) * TableViewInfo()->LevelIndent();
  return right - row->GetContentLeft();
}

TcxBorders TcxGridExpandButtonCellViewInfo::GetBorders() {
  TcxBorders borders = TableViewInfo()->GetCellBorders(false, true);
  if (GridRecord()->Expanded() && borders.Contains(bBottom))
    borders.Include(bRight);
  else
    borders.Exclude(bRight);
  return borders;
}

// The right line separates the strip from the details only: it starts under the cells.
RECT TcxGridExpandButtonCellViewInfo::GetBorderBounds(TcxBorder ASide) {
  RECT r = inherited::GetBorderBounds(ASide);
  if (ASide == bRight) {
    r.top = Bounds.top + RowViewInfo()->GetContentHeight();
    if (Borders().Contains(bBottom)) r.top -= GetBorderWidth(bBottom);
  }
  return r;
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridExpandButtonCellViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridExpandButtonCellPainter>(ACanvas, this);
}

// --- TcxGridDetailsAreaViewInfo ---

TcxGridDetailsAreaViewInfo::TcxGridDetailsAreaViewInfo(TcxGridMasterDataRowViewInfo* ARowViewInfo)
    : TcxGridCellViewInfo(ARowViewInfo) {}

TcxGridMasterDataRowViewInfo* TcxGridDetailsAreaViewInfo::RowViewInfo() const {
  return static_cast<TcxGridMasterDataRowViewInfo*>(RecordViewInfo());
}

int TcxGridDetailsAreaViewInfo::CalculateHeight() { return RowViewInfo()->DetailsSite()->GetHeight(); }

int TcxGridDetailsAreaViewInfo::CalculateWidth() { return RowViewInfo()->DetailsSite()->GetWidth(); }

TcxBorders TcxGridDetailsAreaViewInfo::GetBorders() {
  const TcxGridLines lines = TableViewInfo()->GridLines();
  return lines == glBoth || lines == glHorizontal ? TcxBorders{bBottom} : TcxBorders{};
}

// --- TcxGridDetailsSiteViewInfo ---

TcxGridDetailsSiteViewInfo::TcxGridDetailsSiteViewInfo(TcxGridMasterDataRowViewInfo* AMasterDataRowViewInfo)
    : TcxCustomGridDetailsSiteViewInfo(AMasterDataRowViewInfo->TableView()->Level()), row_(AMasterDataRowViewInfo) {
  CreateTabs();
}

TcxGridDetailsSiteViewInfo::~TcxGridDetailsSiteViewInfo() = default;

TcxGridMasterDataRow* TcxGridDetailsSiteViewInfo::MasterGridRecord() const { return row_->MasterRecord(); }

bool TcxGridDetailsSiteViewInfo::GetVisible() {
  if (visible_ == -1) visible_ = MasterGridRecord()->Expanded() && inherited::GetVisible() ? 1 : 0;
  return visible_ == 1;
}

int TcxGridDetailsSiteViewInfo::GetHeight() {
  if (height_ == -1) height_ = CalculateHeight();
  return height_;
}

int TcxGridDetailsSiteViewInfo::GetWidth() {
  if (width_ == -1) width_ = CalculateWidth();
  return width_;
}

TcxCanvas* TcxGridDetailsSiteViewInfo::GetCanvas() { return row_->GridViewInfo()->Canvas(); }

TcxLookAndFeelPainterClass TcxGridDetailsSiteViewInfo::GetLookAndFeelPainter() {
  return row_->TableView()->LookAndFeelPainter();
}

int TcxGridDetailsSiteViewInfo::CapByLevel(int AHeight) {
  const int levelMax = Level()->MaxDetailHeight();
  return levelMax != 0 ? std::min(AHeight, levelMax) : AHeight;
}

int TcxGridDetailsSiteViewInfo::GetMaxHeight() { return CapByLevel(row_->GetDetailsSiteMaxHeight(row_->DataPartHeight())); }

int TcxGridDetailsSiteViewInfo::GetMaxNormalHeight() { return CapByLevel(inherited::GetMaxNormalHeight()); }

int TcxGridDetailsSiteViewInfo::GetMaxWidth() {
  const RECT client = row_->TableViewInfo()->GetClientBounds();
  return client.right - client.left - row_->LevelIndentWidth() - row_->TableViewInfo()->LevelIndent();
}

// A detail laid out for the master's internal measuring is an internal layout too.
TcxCustomGridView* TcxGridDetailsSiteViewInfo::GetActiveGridViewValue() {
  TcxGridMasterDataRow* record = MasterGridRecord();
  if (!record->ActiveDetailGridViewExists() && row_->TableView()->IsDestroying()) return nullptr;
  TcxCustomGridView* view = record->ActiveDetailGridView();
  if (!view || view->IsDestroying()) return nullptr;
  view->ViewInfo()->SetInternalUse(row_->GridViewInfo()->IsInternalUse());
  return view;
}

TcxGridLevel* TcxGridDetailsSiteViewInfo::GetActiveLevel() { return MasterGridRecord()->ActiveDetailLevel(); }

void TcxGridDetailsSiteViewInfo::InitTabHitTest(TcxGridDetailsSiteTabHitTest* AHitTest) {
  AHitTest->Owner = MasterGridRecord();
}

// Switching the detail lays the master out anew, which frees this site: only locals are used after.
void TcxGridDetailsSiteViewInfo::ActivateLevel(TcxGridLevel* ALevel) {
  TcxGridMasterDataRow* record = MasterGridRecord();
  TcxCustomGrid* grid = row_->TableView()->Grid();
  if (record->ActiveDetailIndex() == ALevel->Index()) return;
  record->SetActiveDetailIndex(ALevel->Index());
  if (grid) grid->DoActiveTabChanged(ALevel);
}

// --- TcxGridMasterDataRowViewInfo ---

TcxGridMasterDataRowViewInfo::TcxGridMasterDataRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                                           TcxCustomGridRecord* ARecord)
    : TcxGridDataRowViewInfo(ARecordsViewInfo, ARecord) {
  detailsArea_ = std::make_unique<TcxGridDetailsAreaViewInfo>(this);
  detailsSite_ = std::make_unique<TcxGridDetailsSiteViewInfo>(this);
  expandButtonCell_ = std::make_unique<TcxGridExpandButtonCellViewInfo>(this);
}

TcxGridMasterDataRowViewInfo::~TcxGridMasterDataRowViewInfo() {
  expandButtonCell_.reset();
  detailsSite_.reset();
  detailsArea_.reset();
}

TcxGridMasterDataRow* TcxGridMasterDataRowViewInfo::MasterRecord() const {
  return static_cast<TcxGridMasterDataRow*>(GridRecord());
}

int TcxGridMasterDataRowViewInfo::GetDetailsSiteMaxHeight(int ADataHeight) {
  return RowsViewInfo()->GetMaxRowHeight(Bounds.top) - ADataHeight;
}

int TcxGridMasterDataRowViewInfo::Height() {
  const int height = DataPartHeight();
  return DetailsSiteVisible() ? height + detailsSite_->GetHeight() : height;
}

int TcxGridMasterDataRowViewInfo::GetContentHeight() {
  const int height = inherited::GetContentHeight();
  return DetailsSiteVisible() ? height - detailsSite_->GetHeight() : height;
}

int TcxGridMasterDataRowViewInfo::GetCellsAreaLeft() { return inherited::GetCellsAreaLeft() + TableViewInfo()->LevelIndent(); }

int TcxGridMasterDataRowViewInfo::GetCellsAreaWidth() {
  return inherited::GetCellsAreaWidth() - TableViewInfo()->LevelIndent();
}

void TcxGridMasterDataRowViewInfo::GetExpandButtonAreaBounds(RECT& ABounds) {
  ABounds = RECT{GetContentLeft(), Bounds.top, GetCellsAreaLeft(), Bounds.top + GetContentHeight()};
}

bool TcxGridMasterDataRowViewInfo::IsDetailVisible(TcxCustomGridView* AGridView) {
  return DetailsSiteVisible() && detailsSite_->GetActiveLevel() == AGridView->Level();
}

TcxCustomGridHitTest* TcxGridMasterDataRowViewInfo::GetHitTest(POINT P) {
  if (DetailsSiteVisible() && PtInRect(&detailsSite_->Bounds, P)) return detailsSite_->GetHitTest(P);
  return inherited::GetHitTest(P);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridMasterDataRowViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridMasterDataRowPainter>(ACanvas, this);
}

// The details are placed by the master's own layout passes only: a row recalculated for a repaint
// leaves them where they are, and an internal measuring layout never moves the detail's site.
void TcxGridMasterDataRowViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
  expandButtonCell_->Calculate(GetContentLeft(), Bounds.top);
  if (!DetailsSiteVisible() || GridViewInfo()->IsInternalUse() || GridViewInfo()->IsMeasuring()) return;
  TcxCustomGridView* detail = detailsSite_->GetActiveGridView();
  if (!GridViewInfo()->IsCalculating() && !(detail && detail->Site()->IsParked())) return;
  const int left = expandButtonCell_->Bounds.right;
  const int top = Bounds.top + GetContentHeight();
  detailsSite_->Calculate(left, top);
  detailsArea_->Calculate(left, top);
  if (detail) TableViewInfo()->ShownDetails()->Shown(detail);
}

// --- TcxGridShownDetails ---

TcxGridShownDetails::~TcxGridShownDetails() {
  for (TcxCustomGridView* view : previous_) view->RemoveFreeNotification(this);
  for (TcxCustomGridView* view : current_)
    if (std::find(previous_.begin(), previous_.end(), view) == previous_.end()) view->RemoveFreeNotification(this);
}

void TcxGridShownDetails::BeginLayout() {
  for (TcxCustomGridView* view : current_)
    if (std::find(previous_.begin(), previous_.end(), view) == previous_.end()) previous_.push_back(view);
  current_.clear();
}

void TcxGridShownDetails::Shown(TcxCustomGridView* AView) {
  if (std::find(current_.begin(), current_.end(), AView) != current_.end()) return;
  current_.push_back(AView);
  AView->FreeNotification(this);
}

void TcxGridShownDetails::EndLayout() {
  std::vector<TcxCustomGridView*> gone;
  for (TcxCustomGridView* view : previous_)
    if (std::find(current_.begin(), current_.end(), view) == current_.end()) gone.push_back(view);
  previous_.clear();
  for (TcxCustomGridView* view : gone) {
    view->RemoveFreeNotification(this);
    if (!view->IsDestroying()) view->ViewInfo()->UpdateSite(false);
  }
}

void TcxGridShownDetails::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  std::erase(previous_, AComponent);
  std::erase(current_, AComponent);
}

// --- The view's answer ---

bool TcxGridTableView::IsDetailVisible(TcxCustomGridView* AGridView) {
  auto* viewInfo = static_cast<TcxGridTableViewInfo*>(ViewInfo());
  TcxGridRowsViewInfo* rows = viewInfo->RowsViewInfo();
  if (!rows) return false;
  const int recordIndex = AGridView->MasterRecordIndex();
  for (int i = 0; i < rows->Count(); ++i) {
    auto* row = dynamic_cast<TcxGridMasterDataRowViewInfo*>(rows->Items(i));
    if (row && row->Calculated() && row->MasterRecord()->RecordIndex() == recordIndex) return row->IsDetailVisible(AGridView);
  }
  return false;
}

// --- The detail's measure ---

void TcxGridTableViewInfo::CalculateHeight(POINT AMaxSize, int& AHeight, bool& AFullyVisible) {
  Bounds = RECT{cxGridInvisibleCoordinate, 0, cxGridInvisibleCoordinate + AMaxSize.x, AMaxSize.y};
  Calculate();
  TcxGridRowsViewInfo* rows = RowsViewInfo();
  if (VisibleRecordCount() > 0) {
    int bottom = rows->ContentBounds.top;
    for (int i = 0; i < rows->RowCount(); ++i)
      if (TcxCustomGridRecordViewInfo* row = rows->Items(i)) bottom = row->Bounds.bottom;
    AHeight = bottom - Bounds.top + PartsBottomHeight();
  } else {
    AHeight = GetNonRecordsAreaHeight(false);
  }
  AFullyVisible = TableView()->ViewData()->RecordCount() - GetFirstRecordIndex() == VisibleRecordCount();
  inherited::CalculateHeight(AMaxSize, AHeight, AFullyVisible);
}
