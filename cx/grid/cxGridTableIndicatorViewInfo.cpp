// Layout of the filter bar with its buttons and of the indicator column.
#include "cx/grid/cxGridTableIndicatorViewInfo.h"

#include <algorithm>

#include "cx/grid/cxGridTablePainters.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxGridTableViewPartStyles.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridFilterButtonViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterCloseButtonViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterActivateButtonViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterCustomizeButtonViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterButtonsViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridFilterViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridIndicatorItemViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridIndicatorHeaderItemViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridIndicatorRowItemViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridIndicatorFooterItemViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridIndicatorViewInfo)

namespace {

const Char* const kFilterIsEmpty = u"<Filter is Empty>";
const Char* const kFilterCustomize = u"Customize...";
constexpr int kFilterButtonSpace = 4;

}  // namespace

// --- Filter bar buttons ---

TcxCustomGridFilterButtonViewInfo::TcxCustomGridFilterButtonViewInfo(TcxGridFilterButtonsViewInfo* AButtons)
    : TcxCustomGridViewCellViewInfo(AButtons->FilterViewInfo()->GridViewInfo()), buttons_(AButtons) {}

TcxGridFilterViewInfo* TcxCustomGridFilterButtonViewInfo::FilterViewInfo() const { return buttons_->FilterViewInfo(); }

TcxDataFilterCriteria* TcxCustomGridFilterButtonViewInfo::Filter() const { return FilterViewInfo()->Filter(); }

TcxCanvas* TcxCustomGridFilterButtonViewInfo::GetCanvas() { return FilterViewInfo()->GetCanvas(); }

// Pressing takes the mouse, releasing lets it go.
void TcxCustomGridFilterButtonViewInfo::StateChanged() {
  inherited::StateChanged();
  if (!IsDestroying()) SetMouseCapture(State() == gcsPressed);
}

bool TcxGridFilterCloseButtonViewInfo::IsButtonVisible() { return !Filter()->IsEmpty(); }
int TcxGridFilterCloseButtonViewInfo::CalculateHeight() { return GridView()->LookAndFeelPainter()->GetCloseButtonSize().cy; }
int TcxGridFilterCloseButtonViewInfo::CalculateWidth() { return GridView()->LookAndFeelPainter()->GetCloseButtonSize().cx; }
void TcxGridFilterCloseButtonViewInfo::Click() { Filter()->Clear(); }

std::unique_ptr<TcxCustomGridCellPainter> TcxGridFilterCloseButtonViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridFilterCloseButtonPainter>(ACanvas, this);
}

bool TcxGridFilterActivateButtonViewInfo::Checked() const { return Filter()->Active(); }
bool TcxGridFilterActivateButtonViewInfo::IsButtonVisible() { return !Filter()->IsEmpty(); }
int TcxGridFilterActivateButtonViewInfo::CalculateHeight() { return GridView()->LookAndFeelPainter()->GetCheckButtonSize().cy; }
int TcxGridFilterActivateButtonViewInfo::CalculateWidth() { return GridView()->LookAndFeelPainter()->GetCheckButtonSize().cx; }
void TcxGridFilterActivateButtonViewInfo::Click() { Filter()->SetActive(!Filter()->Active()); }

std::unique_ptr<TcxCustomGridCellPainter> TcxGridFilterActivateButtonViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridFilterActivateButtonPainter>(ACanvas, this);
}

bool TcxGridFilterCustomizeButtonViewInfo::IsButtonVisible() {
  return static_cast<TcxGridTableView*>(GridView())->Filtering()->CustomizeDialog();
}

void TcxGridFilterCustomizeButtonViewInfo::Click() {
  static_cast<TcxGridTableView*>(GridView())->Filtering()->RunFilterDialog(nullptr);
}

String TcxGridFilterCustomizeButtonViewInfo::GetText() { return kFilterCustomize; }

void TcxGridFilterCustomizeButtonViewInfo::GetViewParams(TcxStyleParams& AParams) {
  FilterViewInfo()->GetViewParams(AParams);
}

int TcxGridFilterCustomizeButtonViewInfo::CalculateHeight() {
  TcxLookAndFeelPainterClass painter = GridView()->LookAndFeelPainter();
  return 2 * painter->GetButtonBorderSize() + TextHeightWithOffset() + 2 * painter->GetButtonPressedTextOffsetX();
}

int TcxGridFilterCustomizeButtonViewInfo::CalculateWidth() {
  TcxLookAndFeelPainterClass painter = GridView()->LookAndFeelPainter();
  return 2 * painter->GetButtonBorderSize() + TextWidthWithOffset() + 2 * painter->GetButtonPressedTextOffsetX();
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridFilterCustomizeButtonViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridFilterCustomizeButtonPainter>(ACanvas, this);
}

TcxGridFilterButtonsViewInfo::TcxGridFilterButtonsViewInfo(TcxGridFilterViewInfo* AFilterViewInfo)
    : filter_(AFilterViewInfo) {
  items_.push_back(std::make_unique<TcxGridFilterCloseButtonViewInfo>(this));
  items_.push_back(std::make_unique<TcxGridFilterActivateButtonViewInfo>(this));
  items_.push_back(std::make_unique<TcxGridFilterCustomizeButtonViewInfo>(this));
}

TcxGridFilterButtonsViewInfo::~TcxGridFilterButtonsViewInfo() = default;

int TcxGridFilterButtonsViewInfo::Height() {
  int height = 0;
  bool any = false;
  for (auto& item : items_)
    if (item->IsButtonVisible()) {
      any = true;
      height = std::max(height, item->CalculateHeight());
    }
  return any ? height + 8 : 0;
}

int TcxGridFilterButtonsViewInfo::SideWidth(bool ARightAligned) {
  int width = 0;
  for (auto& item : items_)
    if (item->IsButtonVisible() && item->IsRightAligned() == ARightAligned)
      width += item->CalculateWidth() + kFilterButtonSpace;
  return width == 0 ? 0 : width + kFilterButtonSpace;
}

void TcxGridFilterButtonsViewInfo::Calculate(const RECT& ABounds) {
  int left = ABounds.left + kFilterButtonSpace;
  int right = ABounds.right - kFilterButtonSpace;
  for (auto& item : items_) {
    if (!item->IsButtonVisible()) continue;
    const int width = item->CalculateWidth();
    const int height = item->CalculateHeight();
    const int x = item->IsRightAligned() ? right - width : left;
    const int y = MulDiv(ABounds.top + ABounds.bottom - height, 1, 2);
    item->Calculate(x, y, width, height);
    if (item->IsRightAligned())
      right = item->Bounds.left - kFilterButtonSpace;
    else
      left = item->Bounds.right + kFilterButtonSpace;
  }
}

TcxCustomGridHitTest* TcxGridFilterButtonsViewInfo::GetHitTest(POINT P) {
  for (auto& item : items_)
    if (TcxCustomGridHitTest* hitTest = item->GetHitTest(P)) return hitTest;
  return nullptr;
}

// --- TcxGridFilterViewInfo ---

TcxGridFilterViewInfo::TcxGridFilterViewInfo(TcxGridTableViewInfo* AGridViewInfo)
    : TcxCustomGridPartViewInfo(AGridViewInfo), buttons_(std::make_unique<TcxGridFilterButtonsViewInfo>(this)) {}

TcxGridFilterViewInfo::~TcxGridFilterViewInfo() = default;

TcxDataFilterCriteria* TcxGridFilterViewInfo::Filter() const { return TableView()->DataController()->Filter(); }

bool TcxGridFilterViewInfo::IsPartVisible() {
  switch (TableView()->Filtering()->Visible()) {
    case fvAlways:
      return true;
    case fvNonEmpty:
      return !Filter()->IsEmpty();
    default:
      return false;
  }
}

int TcxGridFilterViewInfo::CalculateHeight() { return std::max(TextHeightWithOffset() + 6, buttons_->Height()); }

int TcxGridFilterViewInfo::CalculateWidth() {
  const RECT client = TableViewInfo()->GetClientBounds();
  return client.right - client.left;
}

String TcxGridFilterViewInfo::GetText() {
  const String text = Filter()->FilterCaption();
  return text.empty() ? String(kFilterIsEmpty) : text;
}

RECT TcxGridFilterViewInfo::GetTextAreaBounds() {
  RECT r = inherited::GetTextAreaBounds();
  r.left += buttons_->SideWidth(false) + 3;
  r.right -= buttons_->SideWidth(true) + 3;
  return r;
}

void TcxGridFilterViewInfo::GetViewParams(TcxStyleParams& AParams) {
  TableView()->Styles()->GetViewParams(vsFilterBox, nullptr, nullptr, AParams);
}

TcxCustomGridHitTest* TcxGridFilterViewInfo::GetHitTest(POINT P) {
  if (TcxCustomGridHitTest* hitTest = buttons_->GetHitTest(P)) return hitTest;
  return inherited::GetHitTest(P);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridFilterViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridFilterPainter>(ACanvas, this);
}

void TcxGridFilterViewInfo::CalculateVisible() {
  inherited::CalculateVisible();
  buttons_->Calculate(Bounds);
}

// --- Indicator ---

TcxCustomGridIndicatorItemViewInfo::TcxCustomGridIndicatorItemViewInfo(TcxGridIndicatorViewInfo* AIndicator)
    : TcxCustomGridViewCellViewInfo(AIndicator->GridViewInfo()), indicator_(AIndicator) {}

TcxGridTableViewInfo* TcxCustomGridIndicatorItemViewInfo::TableViewInfo() const { return indicator_->TableViewInfo(); }

void TcxCustomGridIndicatorItemViewInfo::GetViewParams(TcxStyleParams& AParams) {
  GridView()->Styles()->GetViewParams(vsIndicator, nullptr, nullptr, AParams);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridIndicatorHeaderItemViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridIndicatorHeaderItemPainter>(ACanvas, this);
}

TcxGridIndicatorRowItemViewInfo::TcxGridIndicatorRowItemViewInfo(TcxGridIndicatorViewInfo* AIndicator,
                                                                 TcxCustomGridRecordViewInfo* ARowViewInfo)
    : TcxCustomGridIndicatorItemViewInfo(AIndicator), row_(ARowViewInfo) {}

TcxCustomGridRecord* TcxGridIndicatorRowItemViewInfo::GridRecord() const { return row_->GridRecord(); }

TcxIndicatorKind TcxGridIndicatorRowItemViewInfo::GetIndicatorKind() {
  TcxCustomGridRecord* record = GridRecord();
  if (record->IsNewItemRecord()) return ikInsert;
  auto* view = static_cast<TcxCustomGridTableView*>(GridView());
  const bool selected = view->OptionsSelection()->MultiSelect() && record->Selected();
  if (!record->Focused()) return selected ? ikMultiDot : ikNone;
  const int editState = view->DataController()->GetEditState();
  if (editState & dceInsert) return ikInsert;
  if (editState & dceEdit) return ikEdit;
  return selected ? ikMultiArrow : ikArrow;
}

void TcxGridIndicatorRowItemViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  if (auto* recordHitTest = dynamic_cast<TcxGridRecordHitTest*>(AHitTest)) {
    recordHitTest->SetGridRecord(GridRecord());
    recordHitTest->ViewInfo = row_;
  }
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridIndicatorRowItemViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridIndicatorRowItemPainter>(ACanvas, this);
}

TcxGridFooterViewInfo* TcxGridIndicatorFooterItemViewInfo::Footer() const { return TableViewInfo()->FooterViewInfo(); }

TcxBorders TcxGridIndicatorFooterItemViewInfo::GetBorders() {
  return GridView()->LookAndFeelPainter()->GetFooterCellBorders();
}

int TcxGridIndicatorFooterItemViewInfo::GetBorderWidth(TcxBorder ASide) {
  const int width = GridView()->LookAndFeelPainter()->GetFooterBorderSize();
  return ASide == bTop ? width + Footer()->GetSeparatorWidth() : width;
}

RECT TcxGridIndicatorFooterItemViewInfo::GetContentBounds() {
  RECT r = Bounds;
  r.top += Footer()->GetSeparatorWidth();
  return r;
}

RECT TcxGridIndicatorFooterItemViewInfo::GetSeparatorBounds() {
  return RECT{Bounds.left, Bounds.top, Bounds.right, Bounds.top + Footer()->GetSeparatorWidth()};
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridIndicatorFooterItemViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridIndicatorFooterItemPainter>(ACanvas, this);
}

TcxGridIndicatorViewInfo::TcxGridIndicatorViewInfo(TcxGridTableViewInfo* AGridViewInfo)
    : TcxCustomGridViewCellViewInfo(AGridViewInfo) {}

TcxGridIndicatorViewInfo::~TcxGridIndicatorViewInfo() = default;

bool TcxGridIndicatorViewInfo::GetVisible() {
  return static_cast<TcxGridTableView*>(GridView())->OptionsView()->Indicator();
}

int TcxGridIndicatorViewInfo::CalculateWidth() {
  return GetVisible() ? static_cast<TcxGridTableView*>(GridView())->OptionsView()->IndicatorWidth() : 0;
}

int TcxGridIndicatorViewInfo::CalculateHeight() {
  TcxGridTableViewInfo* viewInfo = TableViewInfo();
  const RECT client = viewInfo->GetClientBounds();
  return viewInfo->HeaderViewInfo()->PartHeight() + (client.bottom - client.top) +
         (viewInfo->FooterViewInfo()->IsPartVisible() ? viewInfo->FooterViewInfo()->PartHeight() : 0);
}

void TcxGridIndicatorViewInfo::GetViewParams(TcxStyleParams& AParams) { AParams.Color = GridViewInfo()->GetBackgroundColor(); }

RECT TcxGridIndicatorViewInfo::GetRowItemBounds(const TcxCustomGridRecord* ARecord) {
  for (auto& item : items_)
    if (auto* row = dynamic_cast<TcxGridIndicatorRowItemViewInfo*>(item.get()))
      if (row->GridRecord() == ARecord) return row->Bounds;
  return RECT{0, 0, 0, 0};
}

TcxCustomGridHitTest* TcxGridIndicatorViewInfo::GetHitTest(POINT P) {
  if (!GetVisible()) return nullptr;
  for (auto& item : items_)
    if (TcxCustomGridHitTest* hitTest = item->GetHitTest(P)) return hitTest;
  return inherited::GetHitTest(P);
}

std::unique_ptr<TcxCustomGridCellPainter> TcxGridIndicatorViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridIndicatorPainter>(ACanvas, this);
}

void TcxGridIndicatorViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  items_.clear();
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
  if (!GetVisible()) return;
  TcxGridTableViewInfo* viewInfo = TableViewInfo();
  const int width = CalculateWidth();
  if (viewInfo->HeaderViewInfo()->IsPartVisible()) {
    auto item = std::make_unique<TcxGridIndicatorHeaderItemViewInfo>(this);
    item->Calculate(ALeft, Bounds.top, width, viewInfo->HeaderViewInfo()->PartHeight());
    items_.push_back(std::move(item));
  }
  if (viewInfo->FooterViewInfo()->IsPartVisible()) {
    const int height = viewInfo->FooterViewInfo()->PartHeight();
    auto item = std::make_unique<TcxGridIndicatorFooterItemViewInfo>(this);
    item->Calculate(ALeft, Bounds.bottom - height, width, height);
    items_.push_back(std::move(item));
  }
  TcxGridRowsViewInfo* rows = viewInfo->RowsViewInfo();
  if (rows->NewItemRow() && rows->NewItemRow()->Calculated()) {
    TcxCustomGridRecordViewInfo* row = rows->NewItemRow();
    auto item = std::make_unique<TcxGridIndicatorRowItemViewInfo>(this, row);
    item->Calculate(ALeft, row->Bounds.top, width, row->Bounds.bottom - row->Bounds.top);
    items_.push_back(std::move(item));
  }
  for (int i = 0; i < rows->RowCount(); ++i) {
    TcxCustomGridRecordViewInfo* row = rows->Items(i);
    if (!row) continue;
    auto item = std::make_unique<TcxGridIndicatorRowItemViewInfo>(this, row);
    item->Calculate(ALeft, row->Bounds.top, width, row->Bounds.bottom - row->Bounds.top);
    items_.push_back(std::move(item));
  }
}

// --- Group footers ---

TRENVIK_IMPLEMENT_CLASS(TcxGridRowFooterCellViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridRowFooterViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridRowFootersViewInfo)

TcxGridRowFooterCellViewInfo::TcxGridRowFooterCellViewInfo(TcxGridRowFooterViewInfo* AFooter, TcxGridColumn* AColumn)
    : TcxGridFooterCellViewInfo(AFooter, AColumn) {
  TcxDataSummary* summary = AFooter->TableView()->DataController()->Summary();
  summaryItemIndex_ = summary ? summary->GetGroupFooterItemIndex(AFooter->SummaryLevel(), AColumn) : -1;
}

TcxGridRowFooterViewInfo* TcxGridRowFooterCellViewInfo::RowFooter() const {
  return static_cast<TcxGridRowFooterViewInfo*>(Container());
}

String TcxGridRowFooterCellViewInfo::GetText() {
  String text;
  if (summaryItemIndex_ == -1) return text;
  TcxGridRowFooterViewInfo* footer = RowFooter();
  footer->TableView()->DataController()->Summary()->GetGroupFooterSummaryText(
      footer->RowViewInfo()->GridRecord()->Index(), footer->SummaryLevel(), text, summaryItemIndex_);
  return text;
}

void TcxGridRowFooterCellViewInfo::GetViewParams(TcxStyleParams& AParams) {
  TcxGridRowFooterViewInfo* footer = RowFooter();
  footer->TableView()->Styles()->GetFooterParams(footer->RowViewInfo()->GridRecord(), Column(), AParams);
}

TcxGridRowFooterViewInfo::TcxGridRowFooterViewInfo(TcxGridRowFootersViewInfo* AFooters, int ALevelOffset)
    : TcxGridFooterViewInfo(AFooters->RowViewInfo()->TableViewInfo()), footers_(AFooters), levelOffset_(ALevelOffset) {}

TcxCustomGridRowViewInfo* TcxGridRowFooterViewInfo::RowViewInfo() const { return footers_->RowViewInfo(); }

int TcxGridRowFooterViewInfo::SummaryLevel() const {
  const int level = RowViewInfo()->Level() - levelOffset_;
  return TableView()->OptionsView()->GroupFooters() == gfVisibleWhenExpanded ? level - 1 : level;
}

int TcxGridRowFooterViewInfo::CalculateWidth() {
  return Header()->HeaderWidth() - TableViewInfo()->LevelIndent() * (RowViewInfo()->Level() - levelOffset_);
}

void TcxGridRowFooterViewInfo::GetViewParams(TcxStyleParams& AParams) {
  TableView()->Styles()->GetFooterParams(RowViewInfo()->GridRecord(), nullptr, AParams);
}

std::unique_ptr<TcxGridColumnHeaderViewInfo> TcxGridRowFooterViewInfo::CreateItem(TcxGridColumn* AColumn) {
  return std::make_unique<TcxGridRowFooterCellViewInfo>(this, AColumn);
}

void TcxGridRowFooterViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  SetPartHeight(CalculateHeight());
  TcxGridFooterViewInfo::Calculate(ALeft, ATop, AWidth, AHeight);
  CalculateItems();
}

TcxGridRowFootersViewInfo::TcxGridRowFootersViewInfo(TcxCustomGridRowViewInfo* ARowViewInfo) : row_(ARowViewInfo) {
  for (int offset = 0; offset <= row_->Level(); ++offset)
    if (row_->HasFooter(offset)) items_.push_back(std::make_unique<TcxGridRowFooterViewInfo>(this, offset));
}

TcxGridRowFootersViewInfo::~TcxGridRowFootersViewInfo() = default;

TcxGridRowFooterViewInfo* TcxGridRowFootersViewInfo::GetFooter(int ALevelOffset) const {
  for (auto& item : items_)
    if (item->LevelOffset() == ALevelOffset) return item.get();
  return nullptr;
}

int TcxGridRowFootersViewInfo::Height() {
  if (height_ == -1) {
    height_ = 0;
    for (auto& item : items_) height_ += item->CalculateHeight();
  }
  return height_;
}

void TcxGridRowFootersViewInfo::Calculate(int ALeft, int ATop) {
  const int indent = row_->TableViewInfo()->LevelIndent();
  int top = ATop;
  for (auto& item : items_) {
    item->Calculate(ALeft - item->LevelOffset() * indent, top, item->CalculateWidth(), item->CalculateHeight());
    top = item->Bounds.bottom;
  }
}

TcxCustomGridHitTest* TcxGridRowFootersViewInfo::GetHitTest(POINT P) {
  for (auto& item : items_)
    if (TcxCustomGridHitTest* hitTest = item->GetHitTest(P)) return hitTest;
  return nullptr;
}
