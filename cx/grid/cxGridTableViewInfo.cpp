// The table view's layout: parts stacked around the rows, the rows area and the row-height cache.
#include "cx/grid/cxGridTableViewInfo.h"

#include <algorithm>

#include "cx/grid/cxGridMasterRowViewInfo.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTablePainters.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableViewInfoCacheItem)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableViewInfoCacheItem)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableViewInfoCache)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridRecordsViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridRowsViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableViewInfo)

// --- Cache ---

void TcxCustomGridTableViewInfoCacheItem::UnassignValues(bool AKeepMaster) {
  inherited::UnassignValues(AKeepMaster);
  heightAssigned_ = false;
}

void TcxGridTableViewInfoCacheItem::UnassignValues(bool AKeepMaster) {
  inherited::UnassignValues(AKeepMaster);
  previewHeightAssigned_ = false;
}

std::unique_ptr<TcxCustomGridViewInfoCacheItem> TcxGridTableViewInfoCache::CreateItem(int AIndex) {
  return std::make_unique<TcxGridTableViewInfoCacheItem>(this, AIndex);
}

// --- TcxCustomGridRecordsViewInfo ---

TcxCustomGridRecordsViewInfo::TcxCustomGridRecordsViewInfo(TcxCustomGridTableViewInfo* AGridViewInfo)
    : gridViewInfo_(AGridViewInfo) {}

TcxCustomGridRecordsViewInfo::~TcxCustomGridRecordsViewInfo() = default;

TcxCustomGridTableView* TcxCustomGridRecordsViewInfo::GridView() const { return gridViewInfo_->TableView(); }

int TcxCustomGridRecordsViewInfo::FirstRecordIndex() const { return gridViewInfo_->GetFirstRecordIndex(); }

int TcxCustomGridRecordsViewInfo::GetRecordIndex(int AItemIndex) const {
  return gridViewInfo_->CalculateDown ? FirstRecordIndex() + AItemIndex : FirstRecordIndex() - AItemIndex;
}

int TcxCustomGridRecordsViewInfo::GetItemIndex(int ARecordIndex) const {
  const int index = gridViewInfo_->CalculateDown ? ARecordIndex - FirstRecordIndex() : FirstRecordIndex() - ARecordIndex;
  return index >= -1 && index < Count() ? index : -1;
}

TcxCustomGridRecordViewInfo* TcxCustomGridRecordsViewInfo::Items(int AIndex) {
  while (AIndex >= Count()) {
    TcxCustomGridRecord* record = GridView()->ViewData()->GetRecordByIndex(GetRecordIndex(Count()));
    items_.push_back(record ? cxGridCreateRowViewInfo(this, record) : nullptr);
  }
  return items_.at(static_cast<size_t>(AIndex)).get();
}

TcxCustomGridRecordViewInfo* TcxCustomGridRecordsViewInfo::GetRealItem(TcxCustomGridRecord*, int ARecordIndex) {
  const int index = GetItemIndex(ARecordIndex);
  return index >= 0 ? Items(index) : nullptr;
}

bool TcxCustomGridRecordsViewInfo::GetAutoRecordHeight() const { return GridView()->OptionsView()->CellAutoHeight(); }

TcxCustomGridHitTest* TcxCustomGridRecordsViewInfo::GetHitTest(POINT P) {
  for (auto& item : items_)
    if (item && item->Calculated())
      if (TcxCustomGridHitTest* hitTest = item->GetHitTest(P)) return hitTest;
  return nullptr;
}

void TcxCustomGridRecordsViewInfo::Calculate() {
  BeforeCalculate();
  CalculateBounds();
  AfterCalculate();
}

RECT TcxCustomGridRecordsViewInfo::GetBounds() { return gridViewInfo_->GetClientBounds(); }

void TcxCustomGridRecordsViewInfo::BeforeCalculate() {}
void TcxCustomGridRecordsViewInfo::AfterCalculate() {}

std::unique_ptr<TcxCustomGridRecordsPainter> TcxCustomGridRecordsViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxCustomGridRecordsPainter>(ACanvas, this);
}

void TcxCustomGridRecordsViewInfo::Paint(TcxCanvas* ACanvas) { CreatePainter(ACanvas)->Paint(); }

// --- TcxGridRowsViewInfo ---

TcxGridRowsViewInfo::TcxGridRowsViewInfo(TcxCustomGridTableViewInfo* AGridViewInfo)
    : TcxCustomGridRecordsViewInfo(AGridViewInfo) {
  if (TcxCustomGridRecord* record = GridView()->ViewData()->NewItemRecord())
    newItemRow_ = std::make_unique<TcxGridNewItemRowViewInfo>(this, record);
}

TcxGridRowsViewInfo::~TcxGridRowsViewInfo() = default;

int TcxGridRowsViewInfo::NewItemRowHeight() { return newItemRow_ ? newItemRow_->Height() : 0; }

TcxCustomGridRecordViewInfo* TcxGridRowsViewInfo::GetRealItem(TcxCustomGridRecord* ARecord, int ARecordIndex) {
  if (ARecordIndex == -1 && ARecord && ARecord->IsNewItemRecord()) return newItemRow_.get();
  return inherited::GetRealItem(ARecord, ARecordIndex);
}

TcxCustomGridHitTest* TcxGridRowsViewInfo::GetHitTest(POINT P) {
  if (TcxCustomGridHitTest* hitTest = inherited::GetHitTest(P)) return hitTest;
  return newItemRow_ && newItemRow_->Calculated() ? newItemRow_->GetHitTest(P) : nullptr;
}

TcxGridTableView* TcxGridRowsViewInfo::TableView() const { return static_cast<TcxGridTableView*>(GridView()); }

std::unique_ptr<TcxCustomGridRecordsPainter> TcxGridRowsViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridRowsPainter>(ACanvas, this);
}

int TcxGridRowsViewInfo::DataWidth() { return static_cast<TcxGridTableViewInfo*>(GridViewInfo())->DataWidth(); }

bool TcxGridRowsViewInfo::IsScrollable() {
  return static_cast<TcxGridTableViewInfo*>(GridViewInfo())->HeaderViewInfo()->IsScrollable();
}

int TcxGridRowsViewInfo::GetMaxRowHeight(int ATop) const {
  return GridViewInfo()->IsCalculating() ? restHeight_ : GetRestHeight(ATop);
}

int TcxGridRowsViewInfo::GetRecordHeight(int AHeight) {
  const TcxGridLines lines = static_cast<TcxGridTableViewInfo*>(GridViewInfo())->GridLines();
  return lines == glBoth || lines == glHorizontal ? AHeight + 1 : AHeight;
}

int TcxGridRowsViewInfo::GetRowHeight(const TcxStyleParams& AParams) {
  const int textHeight = GridViewInfo()->Canvas()->FontHeight(AParams.Font);
  const int height = std::max(textHeight, GridView()->LookAndFeelPainter()->GetExpandButtonSize());
  return GetRecordHeight(IncCellTextSize(height));
}

void TcxGridRowsViewInfo::CalculateConstants() {
  dataRowHeight_ = CalculateDataRowHeight();
  groupRowHeight_ = CalculateGroupRowHeight();
}

int TcxGridRowsViewInfo::CalculateDataRowHeight() {
  TcxStyleParams params;
  GridView()->Styles()->GetContentParams(nullptr, nullptr, params);
  TcxCanvas* canvas = GridViewInfo()->Canvas();
  TcxGridHeaderViewInfo* header = static_cast<TcxGridTableViewInfo*>(GridViewInfo())->HeaderViewInfo();
  int height = 0;
  if (header->VisibleColumnCount() == 0) {
    height = IncCellTextSize(canvas->FontHeight(params.Font));
  } else {
    for (int i = 0; i < header->VisibleColumnCount(); ++i) {
      TcxCustomEditProperties* properties = header->VisibleColumns(i)->GetProperties();
      int cellHeight = IncCellTextSize(canvas->FontHeight(params.Font));
      if (properties) {
        std::unique_ptr<TcxCustomEditStyle> style(properties->GetStyleClass()(nullptr, true));
        style->SetFont(params.Font);
        auto viewData = properties->CreateViewData(style.get(), true);
        TcxEditSizeProperties sizeProperties;
        const int editHeight = viewData->GetEditSize(canvas, Variant(), sizeProperties).cy;
        if (editHeight != 0) cellHeight = editHeight + 2;
      }
      height = std::max(height, cellHeight);
    }
  }
  return GetRecordHeight(height);
}

int TcxGridRowsViewInfo::CalculateGroupRowHeight() {
  TcxStyleParams params;
  TableView()->Styles()->GetGroupParams(nullptr, 0, params);
  return GetRowHeight(params);
}

RECT TcxGridRowsViewInfo::GetBounds() {
  auto* viewInfo = static_cast<TcxGridTableViewInfo*>(GridViewInfo());
  RECT r = viewInfo->GetClientBounds();
  if (IsScrollable()) r.left -= viewInfo->LeftPos();
  r.right = r.left + DataWidth();
  return r;
}

void TcxGridRowsViewInfo::CalculateBounds() {
  CalculateConstants();
  Bounds = GetBounds();
  ContentBounds = Bounds;
  ContentBounds.top += NewItemRowHeight();
  if (newItemRow_ && GridViewInfo()->CalculateDown) newItemRow_->Calculate(ContentBounds.left, Bounds.top);
  rowCount_ = 0;
  SetVisibleCount(0);
  if (FirstRecordIndex() == -1) return;
  CalculateVisibleCount();
  if (!GridViewInfo()->CalculateDown) return;
  int y = ContentBounds.top;
  for (int i = 0; i < rowCount_; ++i) {
    TcxCustomGridRecordViewInfo* row = Items(i);
    if (!row) continue;
    row->Calculate(ContentBounds.left, y);
    y += static_cast<TcxCustomGridRowViewInfo*>(row)->GetHeightInArea();
  }
}

void TcxGridRowsViewInfo::CalculateVisibleCount() {
  const int recordCount = GridView()->ViewData()->RecordCount();
  const int available = recordCount == 0 ? 0
                        : GridViewInfo()->CalculateDown ? recordCount - FirstRecordIndex()
                                                        : FirstRecordIndex() + 1;
  int y = ContentBounds.top;
  int visible = 0;
  for (int i = 0; i < available; ++i) {
    ++rowCount_;
    restHeight_ = ContentBounds.bottom - y;
    auto* row = static_cast<TcxCustomGridRowViewInfo*>(Items(i));
    if (row) y += row->GetHeightInArea();
    if (y > ContentBounds.bottom) break;
    ++visible;
    if (y == ContentBounds.bottom) break;
  }
  // A row taller than the area still counts as visible.
  if (visible == 0 && available > 0) visible = 1;
  SetVisibleCount(visible);
}

// --- TcxCustomGridTableViewInfo ---

TcxCustomGridTableViewInfo::TcxCustomGridTableViewInfo(TcxCustomGridView* AGridView) : TcxCustomGridViewInfo(AGridView) {}

TcxCustomGridTableViewInfo::~TcxCustomGridTableViewInfo() { recordsViewInfo_.reset(); }

IcxGridTableControllerState* TcxCustomGridTableViewInfo::ControllerState() const {
  return dynamic_cast<IcxGridTableControllerState*>(GridView()->Controller());
}

int TcxCustomGridTableViewInfo::GetFirstRecordIndex() {
  if (FirstRecordIndex != -1) return FirstRecordIndex;
  if (TableView()->ViewData()->RecordCount() == 0) return -1;
  IcxGridTableControllerState* position = ControllerState();
  // A controller that has not laid its view out yet (a detail measured before its first layout)
  // has no top record: its rows start at the first.
  return position ? std::max(position->GetTopRecordIndex(), 0) : 0;
}

int TcxCustomGridTableViewInfo::ScrollableAreaWidth() {
  const RECT r = GetScrollableAreaBounds();
  return r.right - r.left;
}

void TcxCustomGridTableViewInfo::CalculateExpandButtonParams() {
  levelIndent_ = GridView()->LookAndFeelPainter()->GetExpandButtonSize() + 2 * ExpandButtonIndent();
}

void TcxCustomGridTableViewInfo::CreateViewInfos() {
  inherited::CreateViewInfos();
  recordsViewInfo_ = CreateRecordsViewInfo();
}

void TcxCustomGridTableViewInfo::DestroyViewInfos(bool AIsRecreating) {
  recordsViewInfo_.reset();
  inherited::DestroyViewInfos(AIsRecreating);
}

void TcxCustomGridTableViewInfo::Calculate() {
  CalculateExpandButtonParams();
  recordsViewInfo_->Calculate();
  inherited::Calculate();
}

void TcxCustomGridTableViewInfo::AfterCalculating() {
  IcxGridTableControllerState* controller = ControllerState();
  if (controller && CanCheckCoordinates()) controller->CheckCoordinates();
  inherited::AfterCalculating();
  if (controller && !IsInternalUse()) controller->LayoutCalculated();
}

TcxCustomGridHitTest* TcxCustomGridTableViewInfo::GetHitTest(POINT P) {
  const RECT client = Bounds;
  if (recordsViewInfo_ && PtInRect(&client, P))
    if (TcxCustomGridHitTest* hitTest = recordsViewInfo_->GetHitTest(P)) return hitTest;
  return inherited::GetHitTest(P);
}

// --- TcxGridTableViewInfo ---

TcxGridTableViewInfo::TcxGridTableViewInfo(TcxCustomGridView* AGridView)
    : TcxCustomGridTableViewInfo(AGridView), shownDetails_(std::make_unique<TcxGridShownDetails>()) {}

TcxGridTableViewInfo::~TcxGridTableViewInfo() { DestroyViewInfos(false); }

TcxGridTableView* TcxGridTableViewInfo::TableView() const { return static_cast<TcxGridTableView*>(GridView()); }

std::unique_ptr<TcxCustomGridRecordsViewInfo> TcxGridTableViewInfo::CreateRecordsViewInfo() {
  return std::make_unique<TcxGridRowsViewInfo>(this);
}

int TcxGridTableViewInfo::PartIndex(const TcxCustomGridPartViewInfo* APart) const {
  auto it = std::find(parts_.begin(), parts_.end(), APart);
  return it == parts_.end() ? -1 : static_cast<int>(it - parts_.begin());
}

void TcxGridTableViewInfo::RemovePart(TcxCustomGridPartViewInfo* APart) { std::erase(parts_, APart); }

void TcxGridTableViewInfo::CreateViewInfos() {
  groupByBox_ = std::make_unique<TcxGridGroupByBoxViewInfo>(this);
  header_ = std::make_unique<TcxGridHeaderViewInfo>(this);
  filter_ = std::make_unique<TcxGridFilterViewInfo>(this);
  footer_ = std::make_unique<TcxGridFooterViewInfo>(this);
  indicator_ = std::make_unique<TcxGridIndicatorViewInfo>(this);
  inherited::CreateViewInfos();
  dataWidth_ = 0;
  clientBoundsFixed_ = false;
}

void TcxGridTableViewInfo::DestroyViewInfos(bool AIsRecreating) {
  inherited::DestroyViewInfos(AIsRecreating);
  indicator_.reset();
  footer_.reset();
  header_.reset();
  groupByBox_.reset();
  filter_.reset();
}

int TcxGridTableViewInfo::LeftPos() {
  IcxGridTableControllerState* position = ControllerState();
  return position ? position->GetLeftPos() : 0;
}

int TcxGridTableViewInfo::DataWidth() {
  if (dataWidth_ == 0) {
    dataWidth_ = header_->HeaderWidth();
    if (dataWidth_ == 0 && TableView()->OptionsView()->ColumnAutoWidth()) {
      const RECT client = GetClientBounds();
      dataWidth_ = client.right - client.left;
    }
  }
  return dataWidth_;
}

int TcxGridTableViewInfo::PartsHeight(int AAlignment) {
  int height = 0;
  for (TcxCustomGridPartViewInfo* part : parts_)
    if (part->IsStacked() && part->GetAlignment() == AAlignment) height += part->PartHeight();
  return height;
}

RECT TcxGridTableViewInfo::GetClientBounds() {
  if (clientBoundsFixed_) return clientBounds_;
  RECT r = inherited::GetClientBounds();
  r.left += indicator_ ? indicator_->CalculateWidth() : 0;
  r.top += PartsTopHeight();
  r.bottom -= PartsBottomHeight();
  return r;
}

RECT TcxGridTableViewInfo::GetScrollableAreaBounds() {
  RECT r = GetClientBounds();
  r.top -= header_->PartHeight();
  return r;
}

RECT TcxGridTableViewInfo::PartBounds(TcxCustomGridPartViewInfo* APart) {
  RECT r = GetClientBounds();
  if (APart->IsScrollable()) {
    r.left -= LeftPos();
  } else if (APart->IsFullWidth()) {
    r.left = Bounds.left;
    r.right = Bounds.right;
  }
  if (!APart->IsFullWidth()) r.right = r.left + APart->CalculateWidth();
  const int index = PartIndex(APart);
  for (int i = PartCount() - 1; i >= index && i >= 0; --i) {
    TcxCustomGridPartViewInfo* part = Parts(i);
    if (!part->IsStacked()) continue;
    if (part->GetAlignment() == cxGridPartAlignTop)
      r.top -= part->PartHeight();
    else
      r.bottom += part->PartHeight();
  }
  if (APart->GetAlignment() == cxGridPartAlignTop)
    r.bottom = r.top + APart->PartHeight();
  else
    r.top = r.bottom - APart->PartHeight();
  return r;
}

TcxGridLines TcxGridTableViewInfo::GridLines() { return TableView()->OptionsView()->GridLines(); }

TColor TcxGridTableViewInfo::GridLineColor() { return TableView()->OptionsView()->GetGridLineColor(); }

TColor TcxGridTableViewInfo::LevelIndentColor(int ALevel) {
  TcxStyleParams params;
  TableView()->Styles()->GetGroupParams(nullptr, ALevel, params);
  return params.Color;
}

TcxBorders TcxGridTableViewInfo::GetCellBorders(bool AIsRight, bool) {
  switch (GridLines()) {
    case glBoth:
      return TcxBorders{bRight, bBottom};
    case glVertical:
      return TcxBorders{bRight};
    case glHorizontal:
      return AIsRight ? TcxBorders{bRight, bBottom} : TcxBorders{bBottom};
    default:
      return {};
  }
}

int TcxGridTableViewInfo::GetNonRecordsAreaHeight(bool AContainsScrollBar) {
  int height = PartsTopHeight() + PartsBottomHeight() + (RowsViewInfo() ? RowsViewInfo()->NewItemRowHeight() : 0);
  if (AContainsScrollBar && Site()->HScrollBarVisible()) height += GetSystemMetrics(SM_CYHSCROLL);
  return height;
}

int TcxGridTableViewInfo::GetEqualHeightRecordCount() {
  const int rowHeight = RowsViewInfo()->DataRowHeight();
  if (rowHeight <= 0) return 0;
  return (Bounds.bottom - Bounds.top - GetNonRecordsAreaHeight(false)) / rowHeight;
}

bool TcxGridTableViewInfo::GetRecordRepaintBounds(int ARecordIndex, TcxCustomGridTableItem* AItem, RECT& ABounds) {
  if (!RowsViewInfo() || IsCalculating()) return false;
  const int index = RowsViewInfo()->GetItemIndex(ARecordIndex);
  if (index < 0 || index >= RowsViewInfo()->RowCount()) return false;
  TcxCustomGridRecordViewInfo* row = RowsViewInfo()->Items(index);
  if (!row || !row->Calculated()) return false;
  row->Recalculate();
  ABounds = row->GetBoundsForInvalidate(AItem);
  return !IsRectEmpty(&ABounds);
}

int TcxGridTableViewInfo::GetNearestPopupHeight(int AHeight, bool AAdditionalRecord) {
  const int nonRecords = GetNonRecordsAreaHeight(true);
  const int rowHeight = std::max(RowsViewInfo()->DataRowHeight(), 1);
  const int maxRows = TableView()->ViewData()->RecordCount() + (AAdditionalRecord ? 1 : 0);
  const int rows = std::min(std::max((AHeight - nonRecords) / rowHeight, 1), std::max(maxRows, 1));
  return nonRecords + rows * rowHeight;
}

int TcxGridTableViewInfo::GetPopupHeightForRows(int ARowCount) {
  return GetNonRecordsAreaHeight(true) + ARowCount * RowsViewInfo()->DataRowHeight();
}

void TcxGridTableViewInfo::CalculateWidth(POINT AMaxSize, int& AWidth) {
  if (TableView()->OptionsView()->ColumnAutoWidth()) {
    AWidth = Site()->ClientWidth();
  } else {
    AWidth = indicator_->CalculateWidth() + DataWidth();
  }
  inherited::CalculateWidth(AMaxSize, AWidth);
}

void TcxGridTableViewInfo::Calculate() {
  RecreateViewInfos();
  CalculateExpandButtonParams();
  const bool placesDetails = !IsInternalUse() && !IsMeasuring();
  if (placesDetails) shownDetails_->BeginLayout();
  TScopeExit rows([this, placesDetails] {
    TScopeExit details([this, placesDetails] {
      if (placesDetails) shownDetails_->EndLayout();
    });
    inherited::Calculate();
    const RECT client = GetClientBounds();
    indicator_->Calculate(Bounds.left, client.top - header_->PartHeight());
  });
  groupByBox_->MainCalculate();
  header_->MainCalculate();
  filter_->MainCalculate();
  footer_->MainCalculate();
  clientBounds_ = GetClientBounds();
  clientBoundsFixed_ = true;
}

TcxCustomGridHitTest* TcxGridTableViewInfo::GetHitTest(POINT P) {
  const RECT client = Bounds;
  if (PtInRect(&client, P)) {
    if (indicator_)
      if (TcxCustomGridHitTest* hitTest = indicator_->GetHitTest(P)) return hitTest;
    for (TcxCustomGridPartViewInfo* part : parts_)
      if (part->IsStacked() && part->GetVisible())
        if (TcxCustomGridHitTest* hitTest = part->GetHitTest(P)) return hitTest;
  }
  return inherited::GetHitTest(P);
}
