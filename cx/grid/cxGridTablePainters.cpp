// Painting of the table view's parts, rows and cells.
#include "cx/grid/cxGridTablePainters.h"

#include "cx/grid/cxGridCustomDraw.h"
#include "cx/grid/cxGridPreviewViewInfo.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/gdi/Draw.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTablePainter)
TRENVIK_IMPLEMENT_CLASS(TcxGridTablePainter)

void PaintGridCell(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas) {
  if (!ACell || !ACell->GetVisible()) return;
  auto painter = ACell->CreatePainter(ACanvas);
  if (!painter) return;
  if (auto* gridPainter = dynamic_cast<TcxGridCellPainter*>(painter.get()))
    gridPainter->MainPaint();
  else
    painter->Paint();
}

namespace {

// The canvas clipping region put back when the scope ends.
class TClipRegionScope {
 public:
  explicit TClipRegionScope(TcxCanvas* ACanvas) : canvas_(ACanvas), region_(ACanvas->GetClipRegion()) {}
  ~TClipRegionScope() { canvas_->SetClipRegion(region_, roSet); }
  TClipRegionScope(const TClipRegionScope&) = delete;
  TClipRegionScope& operator=(const TClipRegionScope&) = delete;

 private:
  TcxCanvas* canvas_;
  TcxRegion* region_;
};

TcxGridTablePainter* TablePainterOf(TcxCustomGridCellViewInfo* ACell) {
  auto* viewCell = dynamic_cast<TcxCustomGridViewCellViewInfo*>(ACell);
  return viewCell ? dynamic_cast<TcxGridTablePainter*>(viewCell->GridView()->Painter()) : nullptr;
}

}  // namespace

// --- View painters ---

void TcxCustomGridTablePainter::PaintContent() {
  inherited::PaintContent();
  DrawRecords();
}

void TcxCustomGridTablePainter::DrawRecords() {
  auto* viewInfo = dynamic_cast<TcxCustomGridTableViewInfo*>(ViewInfo());
  if (viewInfo && viewInfo->RecordsViewInfo()) viewInfo->RecordsViewInfo()->Paint(Canvas());
}

TcxGridTableViewInfo* TcxGridTablePainter::TableViewInfo() const { return dynamic_cast<TcxGridTableViewInfo*>(ViewInfo()); }

// A view that lays itself out otherwise (a descendant's own view information) paints no table parts.
void TcxGridTablePainter::PaintContent() {
  if (!TableViewInfo() || !TableViewInfo()->RecordsViewInfo()) return;
  DrawGroupByBox();
  DrawFilterBar();
  DrawIndicator();
  DrawHeader();
  DrawFooter();
  DrawRecords();
}

void TcxGridTablePainter::DrawGroupByBox() { PaintGridCell(TableViewInfo()->GroupByBoxViewInfo(), Canvas()); }
void TcxGridTablePainter::DrawFilterBar() { PaintGridCell(TableViewInfo()->FilterViewInfo(), Canvas()); }
void TcxGridTablePainter::DrawIndicator() { PaintGridCell(TableViewInfo()->IndicatorViewInfo(), Canvas()); }
void TcxGridTablePainter::DrawHeader() { PaintGridCell(TableViewInfo()->HeaderViewInfo(), Canvas()); }
void TcxGridTablePainter::DrawFooter() { PaintGridCell(TableViewInfo()->FooterViewInfo(), Canvas()); }

void TcxGridTablePainter::DrawRecords() {
  gridLines_.clear();
  TScopeExit done([this] {
    collectingGridLines_ = false;
    gridLines_.clear();
  });
  collectingGridLines_ = true;
  inherited::DrawRecords();
  collectingGridLines_ = false;
  DrawGridLines();
}

// One poly-polyline call: a one-pixel-high rectangle is a horizontal segment, any other vertical.
void TcxGridTablePainter::DrawGridLines() {
  if (gridLines_.empty()) return;
  std::vector<POINT> points;
  std::vector<DWORD> counts;
  points.reserve(gridLines_.size() * 2);
  for (const RECT& r : gridLines_) {
    if (r.bottom - r.top == 1) {
      points.push_back(POINT{r.left, r.top});
      points.push_back(POINT{r.right, r.top});
    } else {
      points.push_back(POINT{r.left, r.top});
      points.push_back(POINT{r.left, r.bottom});
    }
    counts.push_back(2);
  }
  Canvas()->Pen()->SetColor(TableViewInfo()->GridLineColor());
  PolyPolyline(Canvas()->Handle(), points.data(), counts.data(), static_cast<DWORD>(counts.size()));
}

// --- Records ---

void TcxCustomGridRecordsPainter::Paint() {
  for (int i = 0; i < viewInfo_->Count(); ++i) {
    TcxCustomGridRecordViewInfo* record = viewInfo_->Items(i);
    if (record && record->Calculated()) PaintGridCell(record, canvas_);
  }
}

void TcxGridRowsPainter::Paint() {
  auto* rows = static_cast<TcxGridRowsViewInfo*>(ViewInfo());
  if (rows->NewItemRow() && rows->NewItemRow()->Calculated()) PaintGridCell(rows->NewItemRow(), Canvas());
  TcxCustomGridRecordsPainter::Paint();
}

void TcxGridRowsPainter::DrawDataRowCells(TcxGridDataRowViewInfo* ARowViewInfo) {
  TcxCanvas* canvas = ARowViewInfo->GetCanvas();
  for (int i = 0; i < ARowViewInfo->CellCount(); ++i)
    if (ARowViewInfo->IsCellCreated(i)) PaintGridCell(ARowViewInfo->Cells(i), canvas);
  PaintGridCell(ARowViewInfo->CellsArea(), canvas);
}

// --- Cell protocol ---

TcxCustomGridPainter* TcxGridCellPainter::ViewPainter() const {
  auto* cell = dynamic_cast<TcxCustomGridViewCellViewInfo*>(ViewInfo());
  return cell ? cell->GridView()->Painter() : nullptr;
}

TcxLookAndFeelPainterClass TcxGridCellPainter::LookAndFeelPainter() const {
  auto* cell = dynamic_cast<TcxCustomGridViewCellViewInfo*>(ViewInfo());
  return cell ? cell->GridView()->LookAndFeelPainter() : TcxStandardLookAndFeelPainter::Class();
}

void TcxGridCellPainter::MainPaint() {
  if (!Canvas()->RectVisible(ViewInfo()->Bounds)) return;
  BeforePaint();
  PaintCell();
  AfterPaint();
  if (ExcludeFromClipping()) Canvas()->ExcludeClipRect(ViewInfo()->Bounds);
}

void TcxGridCellPainter::PaintCell() {
  TcxCustomGridCellViewInfo* cell = ViewInfo();
  if (!cell->HasCustomDraw() && !cell->HasCustomDrawBackground()) {
    DrawContent();
    DrawBorders();
    return;
  }
  // Colours a handler left on the canvas serve this paint only.
  TcxStyleParams saved;
  cell->GetCurrentViewParams(saved);
  {
    TScopeExit restore([cell, &saved] { cell->SetViewParams(saved); });
    if (!cxGridCustomDrawCell(cell, Canvas())) DrawContent();
  }
  DrawBorders();
}

void TcxGridCellPainter::DrawBackground() {
  if (!cxGridCustomDrawCellBackground(ViewInfo(), Canvas())) TcxCustomGridCellPainter::DrawBackground();
}

// --- Records and rows ---

TcxCustomGridRecordViewInfo* TcxCustomGridRecordPainter::RecordViewInfo() const {
  return static_cast<TcxCustomGridRecordViewInfo*>(ViewInfo());
}

void TcxCustomGridRecordPainter::BeforePaint() {
  if (RecordViewInfo()->GridRecord()->Expandable()) DrawExpandButton();
}

void TcxCustomGridRecordPainter::DrawExpandButton() {
  TcxCustomGridRecordViewInfo* record = RecordViewInfo();
  LookAndFeelPainter()->PaintExpandButton(Canvas(), record->ExpandButtonBounds, record->Expanded());
}

void TcxCustomGridRecordPainter::AfterPaint() {
  DrawFocusRect();
  if (TcxCustomGridPainter* painter = ViewPainter()) painter->ExcludeFromBackground(ViewInfo()->Bounds);
}

void TcxCustomGridRecordPainter::DrawFocusRect() {
  TcxCustomGridRecordViewInfo* record = RecordViewInfo();
  TcxCustomGridTableView* view = record->TableView();
  if (!view->IsRecordFocused(record->GridRecord()) || !view->OptionsSelection()->InvertSelect()) return;
  ViewPainter()->DrawFocusRect(record->GetCellsAreaBounds(), view->OptionsSelection()->HideFocusRect());
}

TcxCustomGridRowViewInfo* TcxCustomGridRowPainter::RowViewInfo() const {
  return static_cast<TcxCustomGridRowViewInfo*>(ViewInfo());
}

void TcxCustomGridRowPainter::FillRect(const RECT& R, TColor AColor) {
  if (IsRectEmpty(&R)) return;
  Canvas()->SetBrushColor(AColor);
  Canvas()->FillRect(R);
}

void TcxCustomGridRowPainter::PaintCell() {
  DrawFooters();
  DrawLevelIndents();
  if (RowViewInfo()->HasLastHorzGridLine()) DrawLastHorzGridLine();
  if (RowViewInfo()->GetSeparatorWidth() != 0) DrawSeparator();
}

void TcxCustomGridRowPainter::DrawFooters() {
  TcxGridRowFootersViewInfo* footers = RowViewInfo()->FootersViewInfo();
  for (int i = 0; i < footers->Count(); ++i) PaintGridCell(footers->Items(i), Canvas());
}

void TcxCustomGridRowPainter::DrawLevelIndents() {
  for (int level = 0; level < RowViewInfo()->Level(); ++level) DrawLevelIndent(level);
}

void TcxCustomGridRowPainter::DrawLevelIndent(int ALevel) {
  RECT background, vertLine, horzLine;
  RowViewInfo()->GetLevelIndentBounds(ALevel, background, vertLine, horzLine);
  TcxGridTableViewInfo* viewInfo = RowViewInfo()->TableViewInfo();
  FillRect(background, viewInfo->LevelIndentColor(ALevel));
  FillRect(vertLine, viewInfo->GridLineColor());
  FillRect(horzLine, viewInfo->GridLineColor());
}

void TcxCustomGridRowPainter::DrawLastHorzGridLine() {
  FillRect(RowViewInfo()->GetLastHorzGridLineBounds(), RowViewInfo()->TableViewInfo()->GridLineColor());
}

void TcxCustomGridRowPainter::DrawSeparator() {
  FillRect(RowViewInfo()->GetSeparatorBounds(), RowViewInfo()->GetSeparatorColor());
}

void TcxGridDataRowPainter::PaintCell() {
  {
    TClipRegionScope clip(Canvas());
    auto* row = static_cast<TcxGridDataRowViewInfo*>(ViewInfo());
    TcxGridRowsPainter::DrawDataRowCells(row);
    if (row->PreviewHeight() != 0) PaintGridCell(row->Preview(), Canvas());
  }
  TcxCustomGridRowPainter::PaintCell();
}

void TcxGridNewItemRowPainter::PaintCell() {
  TcxGridDataRowPainter::PaintCell();
  DrawNewItemRowSeparator();
}

// The band under the new-item row is drawn as an empty header cell.
void TcxGridNewItemRowPainter::DrawNewItemRowSeparator() {
  auto* row = static_cast<TcxGridNewItemRowViewInfo*>(ViewInfo());
  const RECT band = row->GetNewItemRowSeparatorBounds();
  TcxLookAndFeelPainterClass painter = LookAndFeelPainter();
  painter->PaintHeader(Canvas(), band, band, {}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false,
                       String(), nullptr, painter->GetDefaultHeaderTextColor(), row->GetSeparatorColor());
}

void TcxGridGroupRowPainter::PaintCell() {
  PaintGridCell(static_cast<TcxGridGroupRowViewInfo*>(ViewInfo())->GroupCell(), Canvas());
  TcxCustomGridRowPainter::PaintCell();
}

void TcxGridGroupRowPainter::DrawSeparator() {
  auto* row = static_cast<TcxGridGroupRowViewInfo*>(ViewInfo());
  FillRect(row->GetSeparatorIndentBounds(), row->TableViewInfo()->LevelIndentColor(row->Level()));
  TcxCustomGridRowPainter::DrawSeparator();
}

// --- Cells ---

TcxGridTableDataCellViewInfo* TcxGridTableDataCellPainter::DataCellViewInfo() const {
  return static_cast<TcxGridTableDataCellViewInfo*>(ViewInfo());
}

void TcxGridTableDataCellPainter::DrawContent() {
  if (TcxCustomEditViewInfo* editViewInfo = DataCellViewInfo()->EditViewInfo())
    editViewInfo->Paint(Canvas());
  else
    TcxGridCellPainter::DrawContent();
}

void TcxGridTableDataCellPainter::PaintCell() {
  TcxGridCellPainter::PaintCell();
  DrawFocusRect();
}

void TcxGridTableDataCellPainter::DrawFocusRect() {
  TcxGridTableDataCellViewInfo* cell = DataCellViewInfo();
  TcxCustomGridTableView* view = cell->TableView();
  if (!view->IsRecordFocused(cell->GridRecord()) || view->OptionsSelection()->InvertSelect()) return;
  IcxGridTableControllerState* state =
      static_cast<TcxCustomGridTableViewInfo*>(cell->GridViewInfo())->ControllerState();
  if (!state || cell->Item() != state->GetFocusedItem() || cell->Item() == state->GetEditingItem()) return;
  ViewPainter()->DrawFocusRect(cell->ContentBounds(), view->OptionsSelection()->HideFocusRect());
}

// Only a row without visible columns shows its cells area; then its cells are not batched.
bool TcxGridDataCellPainter::ExcludeFromClipping() {
  return static_cast<TcxGridDataCellViewInfo*>(ViewInfo())->RowViewInfo()->CellsArea()->GetVisible();
}

void TcxGridDataCellPainter::DrawBorder(TcxBorder ASide) {
  TcxGridTablePainter* painter = TablePainterOf(ViewInfo());
  if (ExcludeFromClipping() || !painter || !painter->IsCollectingGridLines()) {
    TcxGridTableDataCellPainter::DrawBorder(ASide);
    return;
  }
  painter->AddGridLine(ViewInfo()->GetBorderBounds(ASide));
}

void TcxGridGroupCellPainter::DrawBorder(TcxBorder ASide) {
  TcxGridCellPainter::DrawBorder(ASide);
  auto* cell = static_cast<TcxGridGroupCellViewInfo*>(ViewInfo());
  if (ASide != bBottom || !cell->GridRecord()->Expanded()) return;
  // Under the expand button of an expanded group the group's colour runs on into its rows.
  TcxGridTableViewInfo* viewInfo = cell->TableViewInfo();
  const RECT line = cell->GetBorderBounds(bBottom);
  const RECT piece{cell->Bounds.left, line.top, line.left, line.bottom};
  if (IsRectEmpty(&piece)) return;
  Canvas()->SetBrushColor(viewInfo->LevelIndentColor(cell->RowViewInfo()->Level()));
  Canvas()->FillRect(piece);
}

// --- Parts ---

TcxGridColumnContainerViewInfo* TcxGridColumnContainerPainter::ContainerViewInfo() const {
  return static_cast<TcxGridColumnContainerViewInfo*>(ViewInfo());
}

void TcxGridColumnContainerPainter::DrawContent() {
  TClipRegionScope clip(Canvas());
  Canvas()->IntersectClipRect(ViewInfo()->Bounds);
  if (DrawItemsFirst()) {
    DrawItems();
    TcxCustomGridPartPainter::DrawContent();
  } else {
    TcxCustomGridPartPainter::DrawContent();
    DrawItems();
  }
}

void TcxGridColumnContainerPainter::DrawItems() {
  TcxGridColumnContainerViewInfo* container = ContainerViewInfo();
  for (int i = 0; i < container->Count(); ++i)
    if (container->IsItemCreated(i)) PaintGridCell(container->Items(i), Canvas());
}

bool TcxGridHeaderPainter::DrawItemsFirst() { return LookAndFeelPainter()->IsHeaderBorderSeparate(); }

void TcxGridGroupByBoxPainter::DrawContent() {
  TcxGridColumnContainerPainter::DrawContent();
  auto* box = static_cast<TcxGridGroupByBoxViewInfo*>(ViewInfo());
  Canvas()->SetBrushColor(clBtnText);
  for (int i = 0; i + 1 < box->Count(); ++i) {
    RECT vertLine, horzLine;
    box->GetLinkLines(i, vertLine, horzLine);
    Canvas()->FillRect(vertLine);
    Canvas()->FillRect(horzLine);
  }
}

TcxGridFooterViewInfo* TcxGridFooterPainter::FooterViewInfo() const {
  return static_cast<TcxGridFooterViewInfo*>(ViewInfo());
}

bool TcxGridFooterPainter::DrawItemsFirst() { return LookAndFeelPainter()->IsFooterBorderSeparate(); }

void TcxGridFooterPainter::DrawBorders() {
  if (FooterViewInfo()->HasSeparator()) DrawSeparator();
  LookAndFeelPainter()->PaintFooterBorder(Canvas(), FooterViewInfo()->GetContentBounds());
}

void TcxGridFooterPainter::DrawSeparator() {
  Canvas()->SetBrushColor(FooterViewInfo()->GetSeparatorColor());
  Canvas()->FillRect(FooterViewInfo()->GetSeparatorBounds());
}

TcxGridColumnHeaderViewInfo* TcxGridColumnHeaderPainter::HeaderViewInfo() const {
  return static_cast<TcxGridColumnHeaderViewInfo*>(ViewInfo());
}

bool TcxGridColumnHeaderPainter::IsOwnCanvas() const { return Canvas() == HeaderViewInfo()->GetCanvas(); }

void TcxGridColumnHeaderPainter::DrawContent() {
  TcxGridColumnHeaderViewInfo* header = HeaderViewInfo();
  // A header drawn elsewhere (a drag image) keeps the normal look.
  TcxButtonState state = cxbsNormal;
  if (IsOwnCanvas()) state = header->IsPressed() ? cxbsPressed : CellStateToButtonState(header->State());
  TcxStyleParams& params = header->Params();
  LookAndFeelPainter()->PaintHeader(Canvas(), header->Bounds, header->TextAreaBounds, header->Neighbors(),
                                    header->Borders(), state, header->AlignmentHorz(), header->AlignmentVert(),
                                    header->MultiLine(), header->GetShowEndEllipsis(), header->Text(), params.Font,
                                    params.TextColor, params.Color);
  for (int i = 0; i < header->AreaCount(); ++i) PaintGridCell(header->Areas(i), Canvas());
}

void TcxGridColumnHeaderPainter::PaintCell() {
  TcxGridCellPainter::PaintCell();
  if (HeaderViewInfo()->IsPressed() && IsOwnCanvas()) DrawPressed();
}

void TcxGridColumnHeaderPainter::DrawPressed() {
  LookAndFeelPainter()->PaintHeaderPressed(Canvas(), HeaderViewInfo()->Bounds);
}

void TcxGridFooterCellPainter::DrawContent() {
  TcxGridColumnHeaderViewInfo* cell = HeaderViewInfo();
  TcxStyleParams& params = cell->Params();
  LookAndFeelPainter()->PaintFooterCell(Canvas(), cell->Bounds, cell->AlignmentHorz(), cell->AlignmentVert(),
                                        cell->MultiLine(), cell->Text(), params.Font, params.TextColor, params.Color);
}

void TcxGridColumnHeaderSortingMarkPainter::PaintCell() {
  auto* mark = static_cast<TcxGridColumnHeaderSortingMarkViewInfo*>(ViewInfo());
  LookAndFeelPainter()->PaintSortingMark(Canvas(), mark->Bounds, mark->SortAscending());
}

void TcxGridColumnHeaderFilterButtonPainter::PaintCell() {
  auto* button = static_cast<TcxGridColumnHeaderFilterButtonViewInfo*>(ViewInfo());
  LookAndFeelPainter()->PaintDropDownButton(Canvas(), button->Bounds, CellStateToButtonState(button->State()),
                                            button->Active());
}

void TcxGridFilterPainter::PaintCell() {
  TcxCustomGridPartPainter::PaintCell();
  DrawButtons();
}

void TcxGridFilterPainter::DrawButtons() {
  TcxGridFilterButtonsViewInfo* buttons = static_cast<TcxGridFilterViewInfo*>(ViewInfo())->ButtonsViewInfo();
  for (int i = 0; i < buttons->Count(); ++i) PaintGridCell(buttons->Items(i), Canvas());
}

TcxCustomGridFilterButtonViewInfo* TcxCustomGridFilterButtonPainter::ButtonViewInfo() const {
  return static_cast<TcxCustomGridFilterButtonViewInfo*>(ViewInfo());
}

void TcxGridFilterCloseButtonPainter::PaintCell() {
  LookAndFeelPainter()->PaintCloseButton(Canvas(), ButtonViewInfo()->Bounds, ButtonViewInfo()->ButtonState());
}

void TcxGridFilterActivateButtonPainter::PaintCell() {
  auto* button = static_cast<TcxGridFilterActivateButtonViewInfo*>(ButtonViewInfo());
  LookAndFeelPainter()->PaintCheckButtonInRect(Canvas(), button->Bounds, button->ButtonState(), button->Checked());
}

void TcxGridFilterCustomizeButtonPainter::PaintCell() {
  TcxCustomGridFilterButtonViewInfo* button = ButtonViewInfo();
  LookAndFeelPainter()->PaintButton(Canvas(), button->Bounds, button->Text(), button->ButtonState(), true, clDefault,
                                    clDefault);
}

TcxGridIndicatorViewInfo* TcxGridIndicatorPainter::IndicatorViewInfo() const {
  return static_cast<TcxGridIndicatorViewInfo*>(ViewInfo());
}

bool TcxGridIndicatorPainter::DrawItemsFirst() { return LookAndFeelPainter()->IsIndicatorGlyphFirst(); }

void TcxGridIndicatorPainter::DrawContent() {
  if (DrawItemsFirst()) {
    DrawItems();
    DrawBackground();
  } else {
    DrawBackground();
    DrawItems();
  }
}

void TcxGridIndicatorPainter::DrawItems() {
  TcxGridIndicatorViewInfo* indicator = IndicatorViewInfo();
  for (int i = 0; i < indicator->Count(); ++i) PaintGridCell(indicator->Items(i), Canvas());
}

void TcxGridIndicatorHeaderItemPainter::PaintCell() {
  TcxCustomGridCellViewInfo* item = ViewInfo();
  LookAndFeelPainter()->PaintHeader(Canvas(), item->Bounds, item->Bounds, {}, cxBordersAll, cxbsNormal,
                                    taLeftJustify, vaTop, false, false, String(), nullptr, clNone,
                                    item->Params().Color);
}

void TcxGridIndicatorRowItemPainter::PaintCell() {
  auto* item = static_cast<TcxGridIndicatorRowItemViewInfo*>(ViewInfo());
  LookAndFeelPainter()->PaintIndicatorCell(Canvas(), item->Bounds, item->GetIndicatorKind(), item->Params().Color);
}

void TcxGridIndicatorFooterItemPainter::PaintCell() {
  auto* item = static_cast<TcxGridIndicatorFooterItemViewInfo*>(ViewInfo());
  if (item->Footer()->HasSeparator()) {
    Canvas()->SetBrushColor(item->Footer()->GetSeparatorColor());
    Canvas()->FillRect(item->GetSeparatorBounds());
  }
  LookAndFeelPainter()->PaintFooterBorder(Canvas(), item->GetContentBounds());
}
