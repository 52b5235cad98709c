// Records, rows and their cells laid out by the table view.
#include "cx/grid/cxGridTableRowViewInfo.h"

#include <algorithm>

#include "cx/editors/cxTextEditViewInfo.h"
#include "cx/grid/cxGridMasterRowViewInfo.h"
#include "cx/grid/cxGridPreviewViewInfo.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/cxGridTableHitTests.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTablePainters.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewPartStyles.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridRecordViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridTableDataCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDataCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDataRowCellsAreaViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridRowViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDataRowViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridGroupRowViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridNewItemRowViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridRecordCellHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridPreviewHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridExpandButtonHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridRowIndicatorHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxGridRowLevelIndentHitTest)

std::unique_ptr<TcxCustomGridRecordViewInfo> cxGridCreateRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                                                      TcxCustomGridRecord* ARecord) {
  if (dynamic_cast<TcxGridMasterDataRow*>(ARecord))
    return std::make_unique<TcxGridMasterDataRowViewInfo>(ARecordsViewInfo, ARecord);
  if (ARecord->IsData()) return std::make_unique<TcxGridDataRowViewInfo>(ARecordsViewInfo, ARecord);
  return std::make_unique<TcxGridGroupRowViewInfo>(ARecordsViewInfo, ARecord);
}

// --- TcxCustomGridRecordViewInfo ---

TcxCustomGridRecordViewInfo::TcxCustomGridRecordViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                                         TcxCustomGridRecord* ARecord)
    : TcxCustomGridViewCellViewInfo(ARecordsViewInfo->GridViewInfo()), recordsViewInfo_(ARecordsViewInfo), record_(ARecord) {}

int TcxCustomGridRecordViewInfo::Index() const {
  for (int i = 0; i < recordsViewInfo_->Count(); ++i)
    if (recordsViewInfo_->Items(i) == this) return i;
  return -1;
}

bool TcxCustomGridRecordViewInfo::Expanded() const { return record_->Expanded(); }

bool TcxCustomGridRecordViewInfo::Selected() {
  if (selected_ == -1) selected_ = CalculateSelected() ? 1 : 0;
  return selected_ == 1;
}

bool TcxCustomGridRecordViewInfo::CalculateSelected() { return TableView()->IsRecordDrawnSelected(record_); }

int TcxCustomGridRecordViewInfo::Height() {
  auto* item = dynamic_cast<TcxCustomGridTableViewInfoCacheItem*>(
      record_->Index() >= 0 ? TableView()->ViewInfoCache()->GetItem(record_->Index()) : nullptr);
  if (item && item->IsHeightAssigned()) return item->Height();
  const int height = CalculateHeight();
  if (item) item->SetHeight(height);
  return height;
}

bool TcxCustomGridRecordViewInfo::GetVisible() { return Index() < recordsViewInfo_->VisibleCount(); }

bool TcxCustomGridRecordViewInfo::IsClickHitTest(TcxCustomGridHitTest* AHitTest) {
  const int code = AHitTest->HitTestCode();
  return code == htRecord || code == htRecordCell;
}

RECT TcxCustomGridRecordViewInfo::GetBoundsForInvalidate(TcxCustomGridTableItem* AItem) {
  return AItem ? GetBoundsForItem(AItem) : Bounds;
}

void TcxCustomGridRecordViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  if (auto* recordHitTest = dynamic_cast<TcxGridRecordHitTest*>(AHitTest)) recordHitTest->SetGridRecord(record_);
}

TcxCustomGridHitTest* TcxCustomGridRecordViewInfo::GetHitTest(POINT P) {
  if (record_->Expandable()) {
    RECT area;
    GetExpandButtonAreaBounds(area);
    if (PtInRect(&area, P)) {
      TcxCustomGridHitTest* hitTest = GetGridHitTest<TcxGridExpandButtonHitTest>(P);
      InitHitTest(hitTest);
      return hitTest;
    }
  }
  return inherited::GetHitTest(P);
}

void TcxCustomGridRecordViewInfo::CalculateExpandButtonBounds(RECT& ABounds) {
  if (IsRectEmpty(&Bounds)) {
    ABounds = RECT{0, 0, 0, 0};
    return;
  }
  const int size = TableView()->LookAndFeelPainter()->GetExpandButtonSize();
  ABounds.left += RecordsViewInfo()->GridViewInfo()->ExpandButtonIndent();
  ABounds.right = ABounds.left + size;
  ABounds.top = (ABounds.top + ABounds.bottom - size) / 2;
  ABounds.bottom = ABounds.top + size;
}

void TcxCustomGridRecordViewInfo::Calculate(int ALeft, int ATop, int, int) {
  selected_ = -1;
  inherited::Calculate(ALeft, ATop, GetWidth(), Height());
  if (record_->Expandable()) {
    RECT area;
    GetExpandButtonAreaBounds(area);
    CalculateExpandButtonBounds(area);
    ExpandButtonBounds = area;
  }
  calculated_ = true;
}

void TcxCustomGridRecordViewInfo::Recalculate() {
  BeforeRecalculation();
  Calculate(Bounds.left, Bounds.top);
}

// --- TcxGridTableCellViewInfo ---

TcxGridTableCellViewInfo::TcxGridTableCellViewInfo(TcxCustomGridRecordViewInfo* ARecordViewInfo)
    : TcxCustomGridViewCellViewInfo(ARecordViewInfo->GridViewInfo()), recordViewInfo_(ARecordViewInfo) {}

bool TcxGridTableCellViewInfo::Selected() {
  if (selected_ == -1) selected_ = CalculateSelected() ? 1 : 0;
  return selected_ == 1;
}

bool TcxGridTableCellViewInfo::CalculateSelected() { return CanDrawSelected() && recordViewInfo_->Selected(); }

void TcxGridTableCellViewInfo::GetRecordParams(TcxCustomGridTableItem* AItem, TcxStyleParams& AParams) {
  TcxCustomGridTableViewStyles* styles = TableView()->Styles();
  if (!Selected()) {
    styles->GetContentParams(GridRecord(), AItem, AParams);
    return;
  }
  TcxGridContentPlace place{GridRecord(), AItem};
  const bool active = TableView()->IsRecordFocusedActive(GridRecord());
  styles->GetViewParams(active ? vsSelection : vsInactive, &place, nullptr, AParams);
}

void TcxGridTableCellViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  if (auto* recordHitTest = dynamic_cast<TcxGridRecordHitTest*>(AHitTest)) recordHitTest->SetGridRecord(GridRecord());
}

void TcxGridTableCellViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  selected_ = -1;
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
}

// --- TcxGridTableDataCellViewInfo ---

TcxGridTableDataCellViewInfo::TcxGridTableDataCellViewInfo(TcxCustomGridRecordViewInfo* ARecordViewInfo,
                                                           TcxCustomGridTableItem* AItem, bool AWithEditor)
    : TcxGridTableCellViewInfo(ARecordViewInfo), item_(AItem), properties_(AItem->GetProperties()) {
  if (properties_ && AWithEditor) {
    editViewInfo_.reset(dynamic_cast<TcxCustomEditViewInfo*>(properties_->GetViewInfoClass()->NewInstance()));
    editStyle_.reset(properties_->GetStyleClass()(nullptr, true));
  }
}

TcxGridTableDataCellViewInfo::~TcxGridTableDataCellViewInfo() = default;

RECT TcxGridTableDataCellViewInfo::GetEditBounds() {
  RECT r = ContentBounds();
  InflateRect(&r, -1, -1);
  auto* viewInfo = static_cast<TcxCustomGridTableViewInfo*>(GridViewInfo());
  const RECT area = viewInfo->GetScrollableAreaBounds();
  r.right = std::min(r.right, area.right);
  r.bottom = std::min(r.bottom, area.bottom);
  return r;
}

int TcxGridTableDataCellViewInfo::GetMaxLineCount() { return TableView()->OptionsView()->CellTextMaxLineCount(); }

bool TcxGridTableDataCellViewInfo::GetShowEndEllipsis() { return TableView()->OptionsView()->CellEndEllipsis(); }

Variant TcxGridTableDataCellViewInfo::GetDisplayValue() {
  if (properties_ && properties_->GetEditValueSource(false) != evsValue)
    return GridRecord()->DisplayTexts(item_->Index());
  return GridRecord()->Values(item_->Index());
}

String TcxGridTableDataCellViewInfo::GetText() {
  return editViewInfo_ ? String() : GridRecord()->DisplayTexts(item_->Index());
}

bool TcxGridTableDataCellViewInfo::IsTextSelected() {
  IcxGridTableControllerState* state =
      static_cast<TcxCustomGridTableViewInfo*>(GridViewInfo())->ControllerState();
  return state && state->GetIncSearchingItem() == item_ && TableView()->IsRecordFocused(GridRecord());
}

TClass TcxGridTableDataCellViewInfo::GetHitTestClass() { return TcxGridRecordCellHitTest::StaticClass(); }

void TcxGridTableDataCellViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  if (auto* cellHitTest = dynamic_cast<TcxGridRecordCellHitTest*>(AHitTest)) cellHitTest->Item = item_;
}

void TcxGridTableDataCellViewInfo::InitStyle() {
  if (!editStyle_) return;
  TcxStyleParams& params = Params();
  editStyle_->SetColor(params.Color);
  if (params.Font) editStyle_->SetFont(params.Font);
  editStyle_->TextColor = params.TextColor;
  editStyle_->SetButtonTransparency(ebtHideInactive);
  editStyle_->SetHotTrack(true);
}

void TcxGridTableDataCellViewInfo::InitTextSelection(TcxCustomEditViewData* AViewData) {
  auto* textData = dynamic_cast<TcxCustomTextEditViewData*>(AViewData);
  if (!textData) return;
  textData->SelStart = 0;
  textData->SelLength = 0;
  if (!IsTextSelected()) return;
  IcxGridTableControllerState* state =
      static_cast<TcxCustomGridTableViewInfo*>(GridViewInfo())->ControllerState();
  textData->SelLength = static_cast<int>(state->GetIncSearchingText().size());
  TcxStyleParams params;
  TableView()->Styles()->GetViewParams(vsIncSearch, nullptr, nullptr, params);
  textData->SelTextColor = params.TextColor;
  textData->SelBackgroundColor = params.Color;
}

void TcxGridTableDataCellViewInfo::CalculateEditViewInfo(TcxCustomEditViewInfo* AEditViewInfo, POINT AMousePos) {
  if (!properties_ || !AEditViewInfo) return;
  InitStyle();
  auto viewData = properties_->CreateViewData(editStyle_.get(), true);
  viewData->Selected = Selected();
  viewData->ContentColor = Params().Color;
  viewData->ContentTextColor = Params().TextColor;
  InitTextSelection(viewData.get());
  TcxCanvas* canvas = GetCanvas();
  viewData->Calculate(canvas, GetEditViewInfoBounds(), AMousePos, 0, TShiftState{}, AEditViewInfo, false);
  viewData->PrepareViewInfoValue(canvas, GetDisplayValue(), AEditViewInfo);
}

// The row measures its cells before it lays them out: without bounds the width is the column's.
int TcxGridTableDataCellViewInfo::TextAreaWidth() {
  if (!IsRectEmpty(&Bounds)) {
    const RECT text = GetTextAreaBounds();
    return text.right - text.left;
  }
  const TcxBorders borders = Borders();
  int width = CalculateWidth() - 2 * cxGridCellTextOffset;
  if (borders.Contains(bLeft)) width -= GetBorderWidth(bLeft);
  if (borders.Contains(bRight)) width -= GetBorderWidth(bRight);
  return width;
}

int TcxGridTableDataCellViewInfo::CalculateHeight() {
  TcxCanvas* canvas = GetCanvas();
  if (!properties_) return IncCellTextSize(canvas->FontHeight(Params().Font));
  InitStyle();
  auto viewData = properties_->CreateViewData(editStyle_.get(), true);
  TcxEditSizeProperties sizeProperties;
  sizeProperties.MaxLineCount = GetMaxLineCount();
  sizeProperties.Width = TextAreaWidth() + 2;
  const int height = viewData->GetEditSize(canvas, GetDisplayValue(), sizeProperties).cy;
  return height == 0 ? 0 : height + 2;
}

bool TcxGridTableDataCellViewInfo::ShowsHint() { return TableView()->OptionsBehavior()->CellHints(); }

bool TcxGridTableDataCellViewInfo::GetHintInfo(POINT P, String& AText, RECT& ATextBounds, bool& AMultiLine) {
  AText.clear();
  if (!editViewInfo_ || !editViewInfo_->NeedShowHint(GetCanvas(), P, ATextBounds, AMultiLine, AText)) return false;
  const RECT cells = RecordViewInfo()->GetCellsAreaBounds();
  IntersectRect(&ATextBounds, &ATextBounds, &cells);
  return true;
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridTableDataCellViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridTableDataCellPainter>(ACanvas, this);
}

void TcxGridTableDataCellViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
  CalculateEditViewInfo(editViewInfo_.get(), GridViewInfo()->MousePos);
}

// --- TcxGridCellViewInfo ---

TcxGridTableViewInfo* TcxGridCellViewInfo::TableViewInfo() const {
  return static_cast<TcxGridTableViewInfo*>(GridViewInfo());
}

TColor TcxGridCellViewInfo::GetBorderColor(TcxBorder) { return TableViewInfo()->GridLineColor(); }

int TcxGridCellViewInfo::GetBorderWidth(TcxBorder) { return TableViewInfo()->GetGridLineWidth(); }

// --- TcxGridDataCellViewInfo ---

TcxGridDataCellViewInfo::TcxGridDataCellViewInfo(TcxGridDataRowViewInfo* ARowViewInfo, TcxCustomGridTableItem* AItem,
                                                 int AVisibleIndex, bool AWithEditor)
    : TcxGridTableDataCellViewInfo(ARowViewInfo, AItem, AWithEditor), visibleIndex_(AVisibleIndex) {}

TcxGridDataRowViewInfo* TcxGridDataCellViewInfo::RowViewInfo() const {
  return static_cast<TcxGridDataRowViewInfo*>(RecordViewInfo());
}

TcxGridTableViewInfo* TcxGridDataCellViewInfo::TableViewInfo() const {
  return static_cast<TcxGridTableViewInfo*>(GridViewInfo());
}

bool TcxGridDataCellViewInfo::IsRight() const {
  return visibleIndex_ == TableViewInfo()->HeaderViewInfo()->VisibleColumnCount() - 1;
}

int TcxGridDataCellViewInfo::CalculateWidth() { return RowViewInfo()->GetCellWidth(visibleIndex_); }

TcxBorders TcxGridDataCellViewInfo::GetBorders() { return TableViewInfo()->GetCellBorders(IsRight(), true); }

TColor TcxGridDataCellViewInfo::GetBorderColor(TcxBorder) { return TableViewInfo()->GridLineColor(); }

int TcxGridDataCellViewInfo::GetBorderWidth(TcxBorder) { return TableViewInfo()->GetGridLineWidth(); }

bool TcxGridDataCellViewInfo::GetMultiLine() { return RowViewInfo()->GetAutoHeight(); }

std::unique_ptr<TcxCustomGridCellPainter> TcxGridDataCellViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridDataCellPainter>(ACanvas, this);
}

// --- TcxGridDataRowCellsAreaViewInfo ---

bool TcxGridDataRowCellsAreaViewInfo::GetVisible() {
  return TableViewInfo()->HeaderViewInfo()->VisibleColumnCount() == 0;
}

TcxBorders TcxGridDataRowCellsAreaViewInfo::GetBorders() { return TableViewInfo()->GetCellBorders(true, true); }

// --- TcxGridGroupCellViewInfo ---

TcxCustomGridRowViewInfo* TcxGridGroupCellViewInfo::RowViewInfo() const {
  return static_cast<TcxCustomGridRowViewInfo*>(RecordViewInfo());
}

String TcxGridGroupCellViewInfo::GetText() {
  auto* group = dynamic_cast<TcxGridGroupRow*>(GridRecord());
  return group ? group->DisplayText() : String();
}

RECT TcxGridGroupCellViewInfo::GetTextAreaBounds() {
  RECT r = ContentBounds();
  InflateRect(&r, -cxGridCellTextOffset, -cxGridCellTextOffset);
  r.left += TableViewInfo()->LevelIndent();
  return r;
}

TcxBorders TcxGridGroupCellViewInfo::GetBorders() { return TableViewInfo()->GetCellBorders(true, true); }

RECT TcxGridGroupCellViewInfo::GetBorderBounds(TcxBorder ASide) {
  RECT r = inherited::GetBorderBounds(ASide);
  // An expanded group's bottom line starts at its own level's indent line.
  if (ASide == bBottom && GridRecord()->Expanded()) r.left += TableViewInfo()->LevelIndent() - GetBorderWidth(ASide);
  return r;
}

void TcxGridGroupCellViewInfo::GetViewParams(TcxStyleParams& AParams) {
  if (Selected()) {
    GetRecordParams(nullptr, AParams);
    return;
  }
  static_cast<TcxGridTableViewStyles*>(TableView()->Styles())->GetGroupParams(GridRecord(), 0, AParams);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridGroupCellViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridGroupCellPainter>(ACanvas, this);
}

// --- TcxCustomGridRowViewInfo ---

TcxCustomGridRowViewInfo::TcxCustomGridRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                                   TcxCustomGridRecord* ARecord)
    : TcxCustomGridRecordViewInfo(ARecordsViewInfo, ARecord) {}

TcxCustomGridRowViewInfo::~TcxCustomGridRowViewInfo() = default;

TcxGridRowFootersViewInfo* TcxCustomGridRowViewInfo::FootersViewInfo() {
  if (!footers_) footers_ = std::make_unique<TcxGridRowFootersViewInfo>(this);
  return footers_.get();
}

bool TcxCustomGridRowViewInfo::HasFooter(int ALevel) {
  const TcxGridGroupFootersMode mode = GridTableView()->OptionsView()->GroupFooters();
  if (mode == gfInvisible) return false;
  if (mode == gfAlwaysVisible) --ALevel;
  return ALevel >= 0 && ALevel < Level() && GridRecord()->IsParentRecordLast(ALevel);
}

void TcxCustomGridRowViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  footers_.reset();
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
  FootersViewInfo()->Calculate(GetContentLeft(), Bounds.top + Height() - GetBottomPartHeight());
}

TcxGridTableViewInfo* TcxCustomGridRowViewInfo::TableViewInfo() const {
  return static_cast<TcxGridTableViewInfo*>(GridViewInfo());
}

TcxGridTableView* TcxCustomGridRowViewInfo::GridTableView() const {
  return static_cast<TcxGridTableView*>(TableView());
}

int TcxCustomGridRowViewInfo::Level() const { return GridRecord()->Level(); }

int TcxCustomGridRowViewInfo::LevelIndentWidth() const { return Level() * TableViewInfo()->LevelIndent(); }

int TcxCustomGridRowViewInfo::GetWidth() { return RowsViewInfo()->DataWidth(); }

bool TcxCustomGridRowViewInfo::GetVisible() { return Index() < RowsViewInfo()->RowCount(); }

int TcxCustomGridRowViewInfo::GetSeparatorWidth() {
  return HasSeparator() ? GridTableView()->OptionsView()->RowSeparatorWidth() : 0;
}

TColor TcxCustomGridRowViewInfo::GetSeparatorColor() { return GridTableView()->OptionsView()->GetRowSeparatorColor(); }

bool TcxCustomGridRowViewInfo::HasLastHorzGridLine() {
  return TableViewInfo()->GridLines() == glVertical && GridRecord()->IsLast() && GetSeparatorWidth() == 0;
}

RECT TcxCustomGridRowViewInfo::GetLastHorzGridLineBounds() {
  RECT r = Bounds;
  r.top = r.bottom - TableViewInfo()->GetGridLineWidth();
  return r;
}

int TcxCustomGridRowViewInfo::GetBottomPartHeight() {
  return FootersViewInfo()->Height() + GetSeparatorWidth() +
         (HasLastHorzGridLine() ? TableViewInfo()->GetGridLineWidth() : 0);
}

RECT TcxCustomGridRowViewInfo::GetCellsAreaBounds() {
  RECT r = Bounds;
  r.left = GetCellsAreaLeft();
  const TcxGridLines lines = TableViewInfo()->GridLines();
  const int lineWidth = TableViewInfo()->GetGridLineWidth();
  if (lines != glNone) r.right -= lineWidth;
  r.bottom = r.top + GetContentHeight();
  if (lines == glBoth || lines == glHorizontal) r.bottom -= lineWidth;
  return r;
}

RECT TcxCustomGridRowViewInfo::GetSeparatorBounds() {
  RECT r;
  r.left = GetContentLeft();
  r.right = r.left + GetContentWidth();
  // The separator of a row that closes groups runs under their indents.
  for (int i = 0; i < Level() && GridRecord()->IsParentRecordLast(i); ++i) r.left -= TableViewInfo()->LevelIndent();
  r.bottom = Bounds.bottom;
  r.top = r.bottom - GetSeparatorWidth();
  return r;
}

void TcxCustomGridRowViewInfo::GetLevelIndentBounds(int ALevel, RECT& ABackground, RECT& AVertLine, RECT& AHorzLine) {
  const int indent = TableViewInfo()->LevelIndent();
  const int lineWidth = TableViewInfo()->GetGridLineWidth();
  const TcxGridLines lines = TableViewInfo()->GridLines();
  const bool horizontal = lines == glBoth || lines == glHorizontal;
  RECT r = Bounds;
  if (ALevel == -1) {
    r.right = GetContentLeft();
  } else {
    r.left = Bounds.left + ALevel * indent;
    r.right = r.left + indent;
    // The footer of the group this indent belongs to runs under it from its top on.
    if (TcxGridRowFooterViewInfo* footer = FootersViewInfo()->GetFooter(Level() - ALevel)) r.bottom = footer->Bounds.top;
  }
  ABackground = r;
  if (horizontal) ABackground.right -= lineWidth;
  const bool closesGroup = ALevel >= 0 && GridRecord()->IsParentRecordLast(Level() - ALevel - 1);
  if (closesGroup) {
    if (horizontal) ABackground.bottom -= lineWidth;
    ABackground.bottom -= GetSeparatorWidth();
  }
  AVertLine = RECT{ABackground.right, r.top, r.right, ABackground.bottom};
  AHorzLine = closesGroup && horizontal ? RECT{r.left, ABackground.bottom, r.right, ABackground.bottom + lineWidth}
                                        : RECT{0, 0, 0, 0};
}

RECT TcxCustomGridRowViewInfo::GetBoundsForInvalidate(TcxCustomGridTableItem* AItem) {
  RECT r = inherited::GetBoundsForInvalidate(AItem);
  if (!AItem) {
    const RECT indicator = TableViewInfo()->IndicatorViewInfo()->GetRowItemBounds(GridRecord());
    if (!IsRectEmpty(&indicator)) r.left = indicator.left;
  }
  return r;
}

bool TcxCustomGridRowViewInfo::IsClickHitTest(TcxCustomGridHitTest* AHitTest) {
  return inherited::IsClickHitTest(AHitTest) || AHitTest->HitTestCode() == htRowIndicator;
}

TcxCustomGridHitTest* TcxCustomGridRowViewInfo::GetHitTest(POINT P) {
  if (TcxCustomGridHitTest* footerHitTest = FootersViewInfo()->GetHitTest(P)) return footerHitTest;
  TcxCustomGridHitTest* hitTest = inherited::GetHitTest(P);
  if (!hitTest || hitTest->HitTestCode() != htRecord) return hitTest;
  RECT indent = Bounds;
  indent.right = GetContentLeft();
  if (!PtInRect(&indent, P)) return hitTest;
  TcxCustomGridHitTest* indentHitTest = GetGridHitTest<TcxGridRowLevelIndentHitTest>(P);
  InitHitTest(indentHitTest);
  return indentHitTest;
}

// --- TcxGridDataRowViewInfo ---

TcxGridDataRowViewInfo::TcxGridDataRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                               TcxCustomGridRecord* ARecord)
    : TcxCustomGridRowViewInfo(ARecordsViewInfo, ARecord) {
  cells_.resize(static_cast<size_t>(TableViewInfo()->HeaderViewInfo()->VisibleColumnCount()));
  cellsArea_ = std::make_unique<TcxGridDataRowCellsAreaViewInfo>(this);
}

TcxGridDataRowViewInfo::~TcxGridDataRowViewInfo() = default;

TcxGridDataCellViewInfo* TcxGridDataRowViewInfo::Cells(int AIndex) {
  auto& cell = cells_.at(static_cast<size_t>(AIndex));
  if (!cell)
    cell = std::make_unique<TcxGridDataCellViewInfo>(this, TableViewInfo()->HeaderViewInfo()->VisibleColumns(AIndex), AIndex);
  return cell.get();
}

int TcxGridDataRowViewInfo::GetCellLeft(int AIndex) {
  return TableViewInfo()->HeaderViewInfo()->Items(AIndex)->RealBoundsLeft();
}

int TcxGridDataRowViewInfo::GetCellWidth(int AIndex) {
  return TableViewInfo()->HeaderViewInfo()->Items(AIndex)->RealWidth();
}

bool TcxGridDataRowViewInfo::GetAutoHeight() { return RowsViewInfo()->GetAutoRecordHeight(); }

int TcxGridDataRowViewInfo::GetCellsHeight() {
  return GetAutoHeight() ? GetContentHeight() - PreviewHeight() : RowsViewInfo()->DataRowHeight();
}

RECT TcxGridDataRowViewInfo::GetDataCellsAreaBounds() {
  RECT r;
  r.left = GetCellsAreaLeft();
  r.right = r.left + GetCellsAreaWidth();
  r.top = Bounds.top;
  r.bottom = r.top + GetContentHeight();
  if (HasPreview()) {
    if (GridTableView()->Preview()->Place() == ppTop)
      r.top += PreviewHeight();
    else
      r.bottom -= PreviewHeight();
  }
  return r;
}

bool TcxGridDataRowViewInfo::HasPreview() { return GridTableView()->Preview()->Active(); }

TcxGridPreviewCellViewInfo* TcxGridDataRowViewInfo::Preview() {
  if (!preview_ && HasPreview())
    preview_ = std::make_unique<TcxGridPreviewCellViewInfo>(this, GridTableView()->Preview()->Column());
  return preview_.get();
}

int TcxGridDataRowViewInfo::PreviewHeight() { return Preview() ? Preview()->CachedHeight() : 0; }

int TcxGridDataRowViewInfo::CalculateHeight() {
  int height = RowsViewInfo()->DataRowHeight();
  if (GetAutoHeight()) {
    int cellsHeight = 0;
    for (int i = 0; i < CellCount(); ++i) cellsHeight = std::max(cellsHeight, Cells(i)->CalculateHeight());
    height = std::max(RowsViewInfo()->GetRecordHeight(cellsHeight), height);
  }
  return height + PreviewHeight() + GetBottomPartHeight();
}

RECT TcxGridDataRowViewInfo::GetBoundsForItem(TcxCustomGridTableItem* AItem) {
  if (Preview() && AItem == Preview()->Item()) return Preview()->Bounds;
  const int index = TableViewInfo()->HeaderViewInfo()->VisibleIndexOf(AItem);
  return index >= 0 && index < CellCount() ? Cells(index)->Bounds : RECT{0, 0, 0, 0};
}

TcxCustomGridCellViewInfo* TcxGridDataRowViewInfo::GetCellViewInfoByItem(TcxCustomGridTableItem* AItem) {
  if (Preview() && AItem == Preview()->Item()) return Preview();
  const int index = TableViewInfo()->HeaderViewInfo()->VisibleIndexOf(AItem);
  return index >= 0 && index < CellCount() ? Cells(index) : nullptr;
}

TcxCustomGridHitTest* TcxGridDataRowViewInfo::GetHitTest(POINT P) {
  TcxCustomGridHitTest* hitTest = inherited::GetHitTest(P);
  if (!hitTest || hitTest->HitTestCode() != htRecord) return hitTest;
  for (auto& cell : cells_)
    if (cell)
      if (TcxCustomGridHitTest* cellHitTest = cell->GetHitTest(P)) return cellHitTest;
  if (preview_)
    if (TcxCustomGridHitTest* previewHitTest = preview_->GetHitTest(P)) return previewHitTest;
  // The registry's instance was reused by the cells' tests: ask the row again.
  return inherited::GetHitTest(P);
}

bool TcxGridDataRowViewInfo::IsClickHitTest(TcxCustomGridHitTest* AHitTest) {
  return inherited::IsClickHitTest(AHitTest) || AHitTest->HitTestCode() == htPreview;
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridDataRowViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridDataRowPainter>(ACanvas, this);
}

void TcxGridDataRowViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
  const RECT area = GetDataCellsAreaBounds();
  const int cellsHeight = GetCellsHeight();
  TcxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  for (int i = std::max(header->FirstVisiblePos(), 0); i <= header->LastVisiblePos() && i < CellCount(); ++i) {
    TcxGridDataCellViewInfo* cell = Cells(i);
    cell->Calculate(GetCellLeft(i), area.top + TableViewInfo()->GetCellTopOffset(i, cellsHeight), cell->CalculateWidth(),
                    TableViewInfo()->GetCellHeight(i, cellsHeight));
  }
  if (cellsArea_->GetVisible()) cellsArea_->CalculateFromRect(area);
  if (Preview()) {
    const bool above = GridTableView()->Preview()->Place() == ppTop;
    preview_->Calculate(GetCellsAreaLeft(), above ? Bounds.top : area.bottom, -1, PreviewHeight());
  }
}

void TcxGridDataRowViewInfo::Recalculate() {
  for (auto& cell : cells_) cell.reset();
  preview_.reset();
  inherited::Recalculate();
}

// --- TcxGridNewItemRowViewInfo ---

int TcxGridNewItemRowViewInfo::GetCellLeft(int AIndex) {
  return TableViewInfo()->HeaderViewInfo()->Items(AIndex)->Bounds.left;
}

int TcxGridNewItemRowViewInfo::GetCellWidth(int AIndex) {
  return TableViewInfo()->HeaderViewInfo()->Items(AIndex)->CalculateWidth();
}

TColor TcxGridNewItemRowViewInfo::GetSeparatorColor() {
  return GridTableView()->OptionsView()->GetNewItemRowSeparatorColor();
}

RECT TcxGridNewItemRowViewInfo::GetNewItemRowSeparatorBounds() {
  RECT r = Bounds;
  r.top = r.bottom - GridTableView()->OptionsView()->NewItemRowSeparatorWidth();
  return r;
}

RECT TcxGridNewItemRowViewInfo::GetCellsAreaBounds() {
  RECT r = inherited::GetCellsAreaBounds();
  r.bottom -= GridTableView()->OptionsView()->NewItemRowSeparatorWidth();
  return r;
}

// Computed once: the row has no cache item.
int TcxGridNewItemRowViewInfo::CalculateHeight() {
  if (height_ == -1) height_ = inherited::CalculateHeight() + GridTableView()->OptionsView()->NewItemRowSeparatorWidth();
  return height_;
}

bool TcxGridNewItemRowViewInfo::CalculateSelected() { return GridRecord()->Selected(); }

std::unique_ptr<TcxCustomGridCellPainter> TcxGridNewItemRowViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridNewItemRowPainter>(ACanvas, this);
}

// --- TcxGridGroupRowViewInfo ---

TcxGridGroupRowViewInfo::TcxGridGroupRowViewInfo(TcxCustomGridRecordsViewInfo* ARecordsViewInfo,
                                                 TcxCustomGridRecord* ARecord)
    : TcxCustomGridRowViewInfo(ARecordsViewInfo, ARecord),
      groupCell_(std::make_unique<TcxGridGroupCellViewInfo>(this)) {}

TcxGridGroupRowViewInfo::~TcxGridGroupRowViewInfo() = default;

int TcxGridGroupRowViewInfo::CalculateHeight() {
  int height = RowsViewInfo()->GroupRowHeight();
  if (RowsViewInfo()->GetAutoRecordHeight()) height = RowsViewInfo()->GetRowHeight(groupCell_->Params());
  return height + GetBottomPartHeight();
}

RECT TcxGridGroupRowViewInfo::GetSeparatorBounds() {
  RECT r = inherited::GetSeparatorBounds();
  if (GridRecord()->Expanded()) r.left = std::max(r.left, GetContentLeft() + TableViewInfo()->LevelIndent());
  return r;
}

// A collapsed group shows its own footer too when footers are always visible.
bool TcxGridGroupRowViewInfo::HasFooter(int ALevel) {
  if (ALevel == 0 && GridTableView()->OptionsView()->GroupFooters() == gfAlwaysVisible && !GridRecord()->Expanded())
    return true;
  return inherited::HasFooter(ALevel);
}

RECT TcxGridGroupRowViewInfo::GetSeparatorIndentBounds() {
  if (!GridRecord()->Expanded() || GetSeparatorWidth() == 0) return RECT{0, 0, 0, 0};
  const RECT separator = GetSeparatorBounds();
  return RECT{GetContentLeft(), separator.top, separator.left, separator.bottom};
}

void TcxGridGroupRowViewInfo::GetExpandButtonAreaBounds(RECT& ABounds) {
  ABounds = groupCell_->ContentBounds();
  ABounds.right = ABounds.left + TableViewInfo()->LevelIndent();
}

void TcxGridGroupRowViewInfo::Recalculate() {
  groupCell_ = std::make_unique<TcxGridGroupCellViewInfo>(this);
  inherited::Recalculate();
}

TcxCustomGridHitTest* TcxGridGroupRowViewInfo::GetHitTest(POINT P) {
  TcxCustomGridHitTest* hitTest = inherited::GetHitTest(P);
  if (!hitTest || hitTest->HitTestCode() != htRecord) return hitTest;
  if (TcxCustomGridHitTest* cellHitTest = groupCell_->GetHitTest(P)) return cellHitTest;
  return inherited::GetHitTest(P);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridGroupRowViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridGroupRowPainter>(ACanvas, this);
}

void TcxGridGroupRowViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  // The group cell is laid out before the expand button, whose place it gives.
  groupCell_->Calculate(ALeft + LevelIndentWidth(), ATop, RowsViewInfo()->DataWidth() - LevelIndentWidth(),
                        Height() - GetBottomPartHeight());
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
}
