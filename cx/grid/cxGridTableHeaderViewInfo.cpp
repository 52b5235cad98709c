// Layout of the table view's parts: the part base, the column header, the group-by box, the footer.
#include "cx/grid/cxGridTableHeaderViewInfo.h"

#include <algorithm>

#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderDrag.h"
#include "cx/grid/cxGridTablePainters.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewPartStyles.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridPartViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnContainerZone)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnContainerViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderAreaViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderSortingMarkViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderHorzSizingEdgeViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderFilterButtonViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridHeaderViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupByBoxColumnHeaderViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupByBoxViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFooterCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFooterViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupByBoxHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterActivateButtonHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterCloseButtonHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterCustomizeButtonHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridIndicatorHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridCustomozationFormHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridHeaderHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridFooterHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupFooterHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridColumnHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderHorzSizingEdgeHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderFilterButtonHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridFooterCellHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupFooterCellHitTest)

namespace {

const Char* const kGroupByBoxHint = u"Drag a column header here to group by that column";

TcxGridTableViewStyles* PartStyles(TcxGridTableView* AView) {
  return static_cast<TcxGridTableViewStyles*>(AView->Styles());
}

}  // namespace

// --- TcxCustomGridPartViewInfo ---

TcxCustomGridPartViewInfo::TcxCustomGridPartViewInfo(TcxGridTableViewInfo* AGridViewInfo)
    : TcxCustomGridViewCellViewInfo(AGridViewInfo) {
  AGridViewInfo->AddPart(this);
}

TcxCustomGridPartViewInfo::~TcxCustomGridPartViewInfo() { TableViewInfo()->RemovePart(this); }

void TcxCustomGridPartViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) { inherited::InitHitTest(AHitTest); }

void TcxCustomGridPartViewInfo::MainCalculate() {
  if (IsPartVisible())
    CalculateVisible();
  else
    CalculateInvisible();
}

void TcxCustomGridPartViewInfo::CalculateVisible() {
  height_ = CalculateHeight();
  CalculateFromRect(TableViewInfo()->PartBounds(this));
}

void TcxCustomGridPartViewInfo::CalculateInvisible() {
  height_ = 0;
  CalculateFromRect(RECT{0, 0, 0, 0});
}

// --- TcxGridColumnContainerViewInfo ---

TcxGridColumnContainerViewInfo::~TcxGridColumnContainerViewInfo() = default;

TcxGridColumnHeaderViewInfo* TcxGridColumnContainerViewInfo::Items(int AIndex) {
  if (items_.size() != static_cast<size_t>(GetCount())) items_.resize(static_cast<size_t>(GetCount()));
  auto& item = items_.at(static_cast<size_t>(AIndex));
  if (!item) item = CreateItem(GetColumn(AIndex));
  return item.get();
}

bool TcxGridColumnContainerViewInfo::IsItemCreated(int AIndex) const {
  return static_cast<size_t>(AIndex) < items_.size() && items_[static_cast<size_t>(AIndex)];
}

std::unique_ptr<TcxGridColumnHeaderViewInfo> TcxGridColumnContainerViewInfo::CreateItem(TcxGridColumn* AColumn) {
  return std::make_unique<TcxGridColumnHeaderViewInfo>(this, AColumn);
}

int TcxGridColumnContainerViewInfo::ItemHeight() {
  if (itemHeight_ == -1) itemHeight_ = CalculateItemHeight();
  return itemHeight_;
}

int TcxGridColumnContainerViewInfo::CalculateItemHeight() {
  TcxStyleParams params;
  GetViewParams(params);
  const int textHeight = GetCanvas()->FontHeight(params.Font);
  return IncCellTextSize(textHeight) + 2 * TableView()->LookAndFeelPainter()->GetHeaderBorderSize();
}

int TcxGridColumnContainerViewInfo::GroupIndent(TcxGridColumn* AColumn) {
  if (GetKind() != ccHeader && GetKind() != ccFooter) return 0;
  TcxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  if (header->VisibleColumnCount() == 0 || header->VisibleColumns(0) != AColumn) return 0;
  const int levels = TableView()->DataController()->Groups()->GetGroupingItemCount() + (TableView()->HasDetailLevels() ? 1 : 0);
  return levels * TableViewInfo()->LevelIndent();
}

int TcxGridColumnContainerViewInfo::GetColumnWidth(TcxGridColumn* AColumn) {
  return GroupIndent(AColumn) + AColumn->Width();
}

int TcxGridColumnContainerViewInfo::GetColumnMinWidth(TcxGridColumn* AColumn) {
  return GroupIndent(AColumn) + AColumn->MinWidth();
}

RECT TcxGridColumnContainerViewInfo::GetZonesAreaBounds() {
  RECT r = Bounds;
  r.right = TableViewInfo()->GetClientBounds().right;
  return r;
}

std::unique_ptr<TcxGridColumnContainerZone> TcxGridColumnContainerViewInfo::GetZone(POINT P) {
  const RECT area = GetZonesAreaBounds();
  if (!IsPartVisible() || !PtInRect(&area, P)) return nullptr;
  int left = area.left;
  for (int i = 0; i <= Count(); ++i) {
    const int right = i < Count() ? (Items(i)->Bounds.left + Items(i)->Bounds.right) / 2 : area.right;
    if (P.x >= left && P.x < right) return std::make_unique<TcxGridColumnContainerZone>(i);
    left = right;
  }
  return nullptr;
}

TcxCustomGridHitTest* TcxGridColumnContainerViewInfo::GetHitTest(POINT P) {
  if (!PtInRect(&Bounds, P)) return nullptr;
  for (int i = 0; i < Count(); ++i)
    if (TcxCustomGridHitTest* hitTest = Items(i)->GetHitTest(P)) return hitTest;
  return inherited::GetHitTest(P);
}

// --- Areas of a column header ---

TcxGridColumnHeaderAreaViewInfo::TcxGridColumnHeaderAreaViewInfo(TcxGridColumnHeaderViewInfo* AColumnHeaderViewInfo)
    : TcxCustomGridViewCellViewInfo(AColumnHeaderViewInfo->GridViewInfo()), header_(AColumnHeaderViewInfo) {}

TcxGridColumn* TcxGridColumnHeaderAreaViewInfo::Column() const { return header_->Column(); }

void TcxGridColumnHeaderAreaViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  header_->InitHitTest(AHitTest);
  inherited::InitHitTest(AHitTest);
}

void TcxGridColumnHeaderAreaViewInfo::CalculateArea(const RECT& ACellBounds, RECT& ATextAreaBounds) {
  const SIZE size = GetAreaSize(ACellBounds);
  RECT r = ATextAreaBounds;
  r.left = r.right - size.cx;
  r.top = (ATextAreaBounds.top + ATextAreaBounds.bottom - size.cy) / 2;
  r.bottom = r.top + size.cy;
  CalculateFromRect(r);
  if (ResidesInContent()) ATextAreaBounds.right = r.left;
}

bool TcxGridColumnHeaderSortingMarkViewInfo::SortAscending() const { return Column()->SortOrder() == soAscending; }

SIZE TcxGridColumnHeaderSortingMarkViewInfo::GetAreaSize(const RECT&) {
  return GridView()->LookAndFeelPainter()->GetSortingMarkAreaSize();
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridColumnHeaderSortingMarkViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridColumnHeaderSortingMarkPainter>(ACanvas, this);
}

SIZE TcxGridColumnHeaderHorzSizingEdgeViewInfo::GetAreaSize(const RECT& ACellBounds) {
  return SIZE{8, ACellBounds.bottom - ACellBounds.top};
}

// It straddles the cell's right border: 4 pixels inside, 4 outside.
void TcxGridColumnHeaderHorzSizingEdgeViewInfo::CalculateArea(const RECT& ACellBounds, RECT&) {
  const SIZE size = GetAreaSize(ACellBounds);
  CalculateFromRect(RECT{ACellBounds.right - size.cx + 4, ACellBounds.top, ACellBounds.right + 4, ACellBounds.bottom});
}

bool TcxGridColumnHeaderFilterButtonViewInfo::Active() const { return Column()->DataBinding()->Filtered(); }

SIZE TcxGridColumnHeaderFilterButtonViewInfo::GetAreaSize(const RECT& ACellBounds) {
  SIZE size = GridView()->LookAndFeelPainter()->GetDropDownButtonSize();
  if (size.cy == 0) size.cy = ACellBounds.bottom - ACellBounds.top;
  return size;
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridColumnHeaderFilterButtonViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridColumnHeaderFilterButtonPainter>(ACanvas, this);
}

// --- TcxGridColumnHeaderViewInfo ---

TcxGridColumnHeaderViewInfo::TcxGridColumnHeaderViewInfo(TcxGridColumnContainerViewInfo* AContainer,
                                                         TcxGridColumn* AColumn)
    : TcxCustomGridViewCellViewInfo(AContainer->GridViewInfo()), container_(AContainer), column_(AColumn) {
  if (HasHorzSizingEdge()) areas_.push_back(std::make_unique<TcxGridColumnHeaderHorzSizingEdgeViewInfo>(this));
  if (HasFilterButton()) areas_.push_back(std::make_unique<TcxGridColumnHeaderFilterButtonViewInfo>(this));
  if (HasSortingMark()) areas_.push_back(std::make_unique<TcxGridColumnHeaderSortingMarkViewInfo>(this));
}

TcxGridColumnHeaderViewInfo::~TcxGridColumnHeaderViewInfo() = default;

bool TcxGridColumnHeaderViewInfo::HasHorzSizingEdge() {
  return container_->GetKind() == ccHeader && container_->TableView()->OptionsCustomize()->ColumnHorzSizing();
}

bool TcxGridColumnHeaderViewInfo::HasFilterButton() {
  TcxCustomEditProperties* properties = column_->GetProperties();
  return container_->TableView()->OptionsCustomize()->ColumnFiltering() && properties &&
         properties->GetSupportedOperations().Contains(esoFiltering);
}

bool TcxGridColumnHeaderViewInfo::HasSortingMark() { return column_->SortOrder() != soNone; }

bool TcxGridColumnHeaderViewInfo::MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) {
  const bool result = inherited::MouseDown(AHitTest, AButton, AShift);
  if (AButton == mbLeft && CanPress())
    if (auto* controller = dynamic_cast<TcxGridTableController*>(GridView()->Controller()))
      controller->SetPressedColumn(column_);
  return result;
}

bool TcxGridColumnHeaderViewInfo::IsPressed() {
  return CanPress() && State() == gcsPressed;
}

TcxGridColumnHeaderSortingMarkViewInfo* TcxGridColumnHeaderViewInfo::SortingMark() const {
  for (auto& area : areas_)
    if (auto* mark = dynamic_cast<TcxGridColumnHeaderSortingMarkViewInfo*>(area.get())) return mark;
  return nullptr;
}

TcxGridColumnHeaderFilterButtonViewInfo* TcxGridColumnHeaderViewInfo::FilterButton() const {
  for (auto& area : areas_)
    if (auto* button = dynamic_cast<TcxGridColumnHeaderFilterButtonViewInfo*>(area.get())) return button;
  return nullptr;
}

int TcxGridColumnHeaderViewInfo::CalculateHeight() {
  return TextHeightWithOffset() + 2 * container_->TableView()->LookAndFeelPainter()->GetHeaderBorderSize();
}

int TcxGridColumnHeaderViewInfo::CalculateWidth() {
  return calculatedWidth_ != -1 ? calculatedWidth_ : container_->GetColumnWidth(column_);
}

TcxBorders TcxGridColumnHeaderViewInfo::GetBorders() {
  neighbors_ = container_->GetColumnNeighbors(column_);
  return container_->TableView()->LookAndFeelPainter()->GetHeaderBorders(neighbors_);
}

int TcxGridColumnHeaderViewInfo::GetBorderWidth(TcxBorder) {
  return container_->TableView()->LookAndFeelPainter()->GetHeaderBorderSize();
}

String TcxGridColumnHeaderViewInfo::GetText() { return column_->Caption(); }

TAlignment TcxGridColumnHeaderViewInfo::GetAlignmentHorz() { return taLeftJustify; }

TcxAlignmentVert TcxGridColumnHeaderViewInfo::GetAlignmentVert() { return vaTop; }

bool TcxGridColumnHeaderViewInfo::GetShowEndEllipsis() {
  return container_->TableView()->OptionsView()->HeaderEndEllipsis();
}

void TcxGridColumnHeaderViewInfo::GetViewParams(TcxStyleParams& AParams) {
  PartStyles(container_->TableView())->GetHeaderParams(column_, AParams);
}

void TcxGridColumnHeaderViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  if (auto* columnHitTest = dynamic_cast<TcxCustomGridColumnHitTest*>(AHitTest)) {
    columnHitTest->Column = column_;
    columnHitTest->ColumnContainerKind = container_->GetKind();
  }
  if (auto* headerHitTest = dynamic_cast<TcxGridColumnHeaderHitTest*>(AHitTest)) {
    headerHitTest->DragClass = nullptr;
    if (container_->TableView()->OptionsCustomize()->ColumnMoving())
      headerHitTest->DragClass = [](TcxControl* AControl) { return new TcxGridColumnHeaderMovingObject(AControl); };
  }
  if (auto* edgeHitTest = dynamic_cast<TcxGridColumnHeaderHorzSizingEdgeHitTest*>(AHitTest))
    edgeHitTest->DragClass = [](TcxControl* AControl) { return new TcxGridColumnHorzSizingObject(AControl); };
}

TcxCustomGridHitTest* TcxGridColumnHeaderViewInfo::GetHitTest(POINT P) {
  // The sizing edge reaches past the cell's right border.
  for (auto& area : areas_)
    if (TcxCustomGridHitTest* hitTest = area->GetHitTest(P)) return hitTest;
  return inherited::GetHitTest(P);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridColumnHeaderViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridColumnHeaderPainter>(ACanvas, this);
}

void TcxGridColumnHeaderViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth == -1) AWidth = CalculateWidth();
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
  const RECT client = TableViewInfo()->GetClientBounds();
  if (ALeft < client.right && client.left < ALeft + AWidth) CalculateAreas();
}

void TcxGridColumnHeaderViewInfo::CalculateAreas() {
  TextAreaBounds = ContentBounds();
  InflateRect(&TextAreaBounds, -cxGridCellTextOffset, -cxGridCellTextOffset);
  for (auto& area : areas_) area->CalculateArea(Bounds, TextAreaBounds);
}

// --- TcxGridHeaderViewInfo ---

TcxGridHeaderViewInfo::TcxGridHeaderViewInfo(TcxGridTableViewInfo* AGridViewInfo)
    : TcxGridColumnContainerViewInfo(AGridViewInfo) {
  TcxGridTableView* view = AGridViewInfo->TableView();
  for (int i = 0; i < view->ColumnCount(); ++i)
    if (view->Columns(i)->Visible()) columns_.push_back(view->Columns(i));
}

int TcxGridHeaderViewInfo::VisibleIndexOf(const TcxCustomGridTableItem* AItem) const {
  auto it = std::find(columns_.begin(), columns_.end(), AItem);
  return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

int TcxGridHeaderViewInfo::HeaderWidth() {
  int width = 0;
  for (int i = 0; i < Count(); ++i) width += Items(i)->CalculateWidth();
  return width;
}

bool TcxGridHeaderViewInfo::AutoHeight() { return TableView()->OptionsView()->HeaderAutoHeight(); }

bool TcxGridHeaderViewInfo::IsPartVisible() { return TableView()->OptionsView()->Header(); }

bool TcxGridHeaderViewInfo::IsAutoWidth() { return TableView()->OptionsView()->ColumnAutoWidth(); }

TcxNeighbors TcxGridHeaderViewInfo::GetColumnNeighbors(TcxGridColumn* AColumn) {
  TcxNeighbors neighbors;
  const int index = VisibleIndexOf(AColumn);
  if (index > 0) neighbors.Include(bLeft);
  if (index < VisibleColumnCount() - 1) neighbors.Include(bRight);
  return neighbors;
}

RECT TcxGridHeaderViewInfo::GetZonesAreaBounds() {
  RECT r = inherited::GetZonesAreaBounds();
  InflateRect(&r, 0, 15);
  return r;
}

void TcxGridHeaderViewInfo::GetViewParams(TcxStyleParams& AParams) {
  PartStyles(TableView())->GetHeaderParams(nullptr, AParams);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridHeaderViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridHeaderPainter>(ACanvas, this);
}

int TcxGridHeaderViewInfo::CalculateItemHeight() {
  int height = 0;
  for (int i = 0; i < Count(); ++i) height = std::max(height, Items(i)->CalculateHeight());
  return height != 0 ? height : inherited::CalculateItemHeight();
}

// Widths proportional to the columns' own, never below their minimum, filling the client width.
void TcxGridHeaderViewInfo::CalculateColumnAutoWidths() {
  const RECT client = TableViewInfo()->GetClientBounds();
  const int available = client.right - client.left;
  int total = 0;
  for (int i = 0; i < Count(); ++i) total += GetColumnWidth(GetColumn(i));
  if (total <= 0) return;
  int used = 0;
  for (int i = 0; i < Count(); ++i) {
    TcxGridColumn* column = GetColumn(i);
    int width = i == Count() - 1 ? available - used
                                 : static_cast<int>(static_cast<long long>(GetColumnWidth(column)) * available / total);
    width = std::max(width, GetColumnMinWidth(column));
    Items(i)->SetCalculatedWidth(width);
    used += width;
  }
}

void TcxGridHeaderViewInfo::CalculateItems() {
  const RECT area = GetItemsAreaBounds();
  int x = area.left;
  firstVisible_ = -1;
  lastVisible_ = -2;
  const RECT client = TableViewInfo()->GetClientBounds();
  for (int i = 0; i < Count(); ++i) {
    TcxGridColumnHeaderViewInfo* item = Items(i);
    const int width = item->CalculateWidth();
    item->Calculate(x, area.top, width, ItemHeight());
    if (x < client.right && client.left < x + width) {
      if (firstVisible_ == -1) firstVisible_ = i;
      lastVisible_ = i;
    }
    x += width;
  }
  if (firstVisible_ == -1) lastVisible_ = -2;
}

void TcxGridHeaderViewInfo::CalculateVisible() {
  if (IsAutoWidth()) CalculateColumnAutoWidths();
  inherited::CalculateVisible();
  CalculateItems();
}

// The rows line up under the cells even when the header is hidden.
void TcxGridHeaderViewInfo::CalculateInvisible() {
  if (IsAutoWidth()) CalculateColumnAutoWidths();
  SetPartHeight(ItemHeight());
  CalculateFromRect(TableViewInfo()->PartBounds(this));
  CalculateItems();
  SetPartHeight(0);
  const RECT r = Bounds;
  CalculateFromRect(RECT{r.left, r.top, r.right, r.top});
}

// --- TcxGridGroupByBoxViewInfo ---

TcxGridGroupByBoxViewInfo::TcxGridGroupByBoxViewInfo(TcxGridTableViewInfo* AGridViewInfo)
    : TcxGridColumnContainerViewInfo(AGridViewInfo) {
  TcxGridTableView* view = AGridViewInfo->TableView();
  TcxDataControllerGroups* groups = view->DataController()->Groups();
  for (int i = 0; i < groups->GetGroupingItemCount(); ++i)
    columns_.push_back(view->Columns(groups->GetGroupingItemIndex(i)));
}

bool TcxGridGroupByBoxViewInfo::IsPartVisible() { return TableView()->OptionsView()->GroupByBox(); }

std::unique_ptr<TcxGridColumnHeaderViewInfo> TcxGridGroupByBoxViewInfo::CreateItem(TcxGridColumn* AColumn) {
  return std::make_unique<TcxGridGroupByBoxColumnHeaderViewInfo>(this, AColumn);
}

int TcxGridGroupByBoxViewInfo::CalculateHeight() {
  if (GetCount() == 0) return IncCellTextSize(TextHeightWithOffset() - 2 * cxGridCellTextOffset) + 2 + 16;
  const int itemHeight = ItemHeight();
  return itemHeight / 2 * (GetCount() + 1) + itemHeight % 2 + 16;
}

int TcxGridGroupByBoxViewInfo::CalculateWidth() {
  const RECT client = TableViewInfo()->GetClientBounds();
  return client.right - client.left;
}

String TcxGridGroupByBoxViewInfo::GetText() { return GetCount() == 0 ? String(kGroupByBoxHint) : String(); }

RECT TcxGridGroupByBoxViewInfo::GetTextAreaBounds() {
  RECT r = inherited::GetTextAreaBounds();
  r.left += 6;
  return r;
}

void TcxGridGroupByBoxViewInfo::GetViewParams(TcxStyleParams& AParams) {
  TableView()->Styles()->GetViewParams(vsGroupByBox, nullptr, nullptr, AParams);
}

void TcxGridGroupByBoxViewInfo::GetLinkLines(int AIndex, RECT& AVertLine, RECT& AHorzLine) {
  const RECT cell = Items(AIndex)->Bounds;
  AVertLine = RECT{cell.right - 8, cell.bottom, cell.right - 7, cell.bottom + 4};
  AHorzLine = RECT{cell.right - 8, cell.bottom + 3, cell.right + 4, cell.bottom + 4};
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridGroupByBoxViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridGroupByBoxPainter>(ACanvas, this);
}

void TcxGridGroupByBoxViewInfo::CalculateVisible() {
  inherited::CalculateVisible();
  int x = Bounds.left + 6;
  int y = Bounds.top + 8;
  for (int i = 0; i < GetCount(); ++i) {
    TcxGridColumnHeaderViewInfo* item = Items(i);
    item->Calculate(x, y, item->CalculateWidth(), ItemHeight());
    x = item->Bounds.right + 4;
    y += ItemHeight() / 2;
  }
}

// --- TcxGridFooterCellViewInfo ---

TcxGridFooterCellViewInfo::TcxGridFooterCellViewInfo(TcxGridColumnContainerViewInfo* AContainer, TcxGridColumn* AColumn)
    : TcxGridColumnHeaderViewInfo(AContainer, AColumn) {
  if (TcxDataSummary* summary = AContainer->TableView()->DataController()->Summary())
    summaryItemIndex_ = summary->FooterSummaryItems()->IndexOfItemLink(AColumn);
}

TcxBorders TcxGridFooterCellViewInfo::GetBorders() { return cxBordersAll; }

int TcxGridFooterCellViewInfo::GetBorderWidth(TcxBorder) {
  return Container()->TableView()->LookAndFeelPainter()->GetFooterCellBorderSize();
}

String TcxGridFooterCellViewInfo::GetText() {
  return summaryItemIndex_ == -1 ? String()
                                 : Container()->TableView()->DataController()->Summary()->GetFooterSummaryText(summaryItemIndex_);
}

TAlignment TcxGridFooterCellViewInfo::GetAlignmentHorz() {
  TcxCustomEditProperties* properties = Column()->GetProperties();
  return properties ? properties->GetDefaultHorzAlignment() : taLeftJustify;
}

RECT TcxGridFooterCellViewInfo::GetTextAreaBounds() {
  RECT r = ContentBounds();
  const int offset = Container()->TableView()->LookAndFeelPainter()->GetFooterCellOffset();
  InflateRect(&r, -offset, -offset);
  return r;
}

void TcxGridFooterCellViewInfo::GetViewParams(TcxStyleParams& AParams) {
  PartStyles(Container()->TableView())->GetFooterParams(nullptr, Column(), AParams);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridFooterCellViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridFooterCellPainter>(ACanvas, this);
}

// --- TcxGridFooterViewInfo ---

TcxGridFooterViewInfo::TcxGridFooterViewInfo(TcxGridTableViewInfo* AGridViewInfo)
    : TcxGridColumnContainerViewInfo(AGridViewInfo) {}

int TcxGridFooterViewInfo::GetCount() { return Header()->VisibleColumnCount(); }

TcxGridColumn* TcxGridFooterViewInfo::GetColumn(int AIndex) { return Header()->VisibleColumns(AIndex); }

bool TcxGridFooterViewInfo::IsPartVisible() { return TableView()->OptionsView()->Footer(); }

TColor TcxGridFooterViewInfo::GetSeparatorColor() { return TableViewInfo()->GridLineColor(); }

RECT TcxGridFooterViewInfo::GetSeparatorBounds() {
  return RECT{Bounds.left, Bounds.top, Bounds.right, Bounds.top + GetSeparatorWidth()};
}

RECT TcxGridFooterViewInfo::GetContentBounds() {
  RECT r = Bounds;
  r.top += GetSeparatorWidth();
  return r;
}

TcxBorders TcxGridFooterViewInfo::GetBorders() { return TableView()->LookAndFeelPainter()->GetFooterCellBorders(); }

int TcxGridFooterViewInfo::GetBorderWidth(TcxBorder) { return TableView()->LookAndFeelPainter()->GetFooterBorderSize(); }

RECT TcxGridFooterViewInfo::GetItemsAreaBounds() {
  RECT r = GetContentBounds();
  const int border = GetBorderWidth(bLeft);
  InflateRect(&r, -border, -border);
  return r;
}

int TcxGridFooterViewInfo::CalculateItemHeight() {
  return inherited::CalculateItemHeight() + 2 * TableView()->LookAndFeelPainter()->GetFooterCellOffset();
}

int TcxGridFooterViewInfo::CalculateHeight() { return 2 * GetBorderWidth(bTop) + ItemHeight() + GetSeparatorWidth(); }

int TcxGridFooterViewInfo::CalculateWidth() { return Header()->HeaderWidth(); }

void TcxGridFooterViewInfo::GetViewParams(TcxStyleParams& AParams) {
  PartStyles(TableView())->GetFooterParams(nullptr, nullptr, AParams);
}

std::unique_ptr<TcxGridColumnHeaderViewInfo> TcxGridFooterViewInfo::CreateItem(TcxGridColumn* AColumn) {
  return std::make_unique<TcxGridFooterCellViewInfo>(this, AColumn);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridFooterViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridFooterPainter>(ACanvas, this);
}

void TcxGridFooterViewInfo::CalculateVisible() {
  inherited::CalculateVisible();
  CalculateItems();
}

// Under its header cell; the first cell starts at the footer's own left edge.
void TcxGridFooterViewInfo::GetCellExtent(int AIndex, int& ALeft, int& AWidth) {
  const RECT area = GetItemsAreaBounds();
  const RECT headerCell = Header()->Items(AIndex)->Bounds;
  ALeft = AIndex == 0 ? area.left : headerCell.left;
  AWidth = headerCell.right - ALeft;
  if (AIndex == GetCount() - 1) AWidth -= GetBorderWidth(bRight);
}

void TcxGridFooterViewInfo::CalculateItems() {
  const RECT area = GetItemsAreaBounds();
  for (int i = std::max(Header()->FirstVisiblePos(), 0); i <= Header()->LastVisiblePos(); ++i) {
    int left, width;
    GetCellExtent(i, left, width);
    Items(i)->Calculate(left, area.top, width, ItemHeight());
  }
}
