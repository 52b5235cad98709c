#include "cx/grid/cxGridDetailsSite.h"

#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridDetailsSiteTabHitTest)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridDetailsSiteViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridDetailsSiteTabViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDetailsSiteLeftTabViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDetailsSiteTopTabViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridTopDetailsSiteViewInfo)

// --- TcxCustomGridDetailsSiteViewInfo ---

TcxCustomGridDetailsSiteViewInfo::TcxCustomGridDetailsSiteViewInfo(TcxGridLevel* ALevel)
    : TComponent(nullptr), level_(ALevel) {}

TcxCustomGridDetailsSiteViewInfo::~TcxCustomGridDetailsSiteViewInfo() {
  tabsViewInfo_.reset();
  if (activeGridView_) activeGridView_->RemoveFreeNotification(this);
}

void TcxCustomGridDetailsSiteViewInfo::CreateTabs() {
  switch (level_->Options()->DetailTabsPosition()) {
    case dtpLeft:
      tabsViewInfo_ = std::make_unique<TcxGridDetailsSiteLeftTabsViewInfo>(this);
      break;
    case dtpTop:
      tabsViewInfo_ = std::make_unique<TcxGridDetailsSiteTopTabsViewInfo>(this);
      break;
    case dtpNone:
      return;
  }
  tabsViewInfo_->CreateItems();
}

void TcxCustomGridDetailsSiteViewInfo::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == activeGridView_) activeGridView_ = nullptr;
}

TcxCustomGridView* TcxCustomGridDetailsSiteViewInfo::GetActiveGridView() {
  if (!activeGridView_) {
    activeGridView_ = GetActiveGridViewValue();
    if (activeGridView_) activeGridView_->FreeNotification(this);
  }
  return activeGridView_ && !activeGridView_->IsDestroying() ? activeGridView_ : nullptr;
}

bool TcxCustomGridDetailsSiteViewInfo::HasActiveGridView() { return GetActiveGridView() != nullptr; }

TColor TcxCustomGridDetailsSiteViewInfo::GetEmptyAreaColor() { return level_->Grid()->Color(); }

TColor TcxCustomGridDetailsSiteViewInfo::GetFrameColor() { return level_->Options()->GetDetailFrameColor(); }

int TcxCustomGridDetailsSiteViewInfo::GetFrameWidth() { return level_->Options()->DetailFrameWidth(); }

RECT TcxCustomGridDetailsSiteViewInfo::GetClientBounds() {
  RECT r = Bounds;
  if (tabsViewInfo_) tabsViewInfo_->AdjustClientBounds(r);
  const int frame = GetFrameWidth();
  InflateRect(&r, -frame, -frame);
  return r;
}

RECT TcxCustomGridDetailsSiteViewInfo::FrameBounds() {
  RECT r = GetClientBounds();
  const int frame = GetFrameWidth();
  InflateRect(&r, frame, frame);
  return r;
}

// Frame plus tabs, independent of the bounds laid out last.
int TcxCustomGridDetailsSiteViewInfo::NonClientHeight() {
  return 2 * GetFrameWidth() + (tabsViewInfo_ && !tabsViewInfo_->IsVertical() ? tabsViewInfo_->Height() : 0);
}

int TcxCustomGridDetailsSiteViewInfo::NonClientWidth() {
  return 2 * GetFrameWidth() + (tabsViewInfo_ && tabsViewInfo_->IsVertical() ? tabsViewInfo_->Width() : 0);
}

int TcxCustomGridDetailsSiteViewInfo::CalculateHeight() {
  int height;
  bool fullyVisible = true;
  if (TcxCustomGridView* view = GetActiveGridView()) {
    TcxCustomGridViewInfo* viewInfo = view->ViewInfo();
    viewInfo->SetMeasuring(true);
    TScopeExit done([viewInfo] { viewInfo->SetMeasuring(false); });
    height = 0;
    viewInfo->CalculateHeight(POINT{MaxClientWidth(), MaxClientHeight()}, height, fullyVisible);
  } else {
    height = GetEmptyClientHeight();
  }
  height += NonClientHeight();
  if (tabsViewInfo_) tabsViewInfo_->AdjustHeight(height);
  normalHeight_ = std::min(height, GetMaxNormalHeight());
  const int result = fullyVisible ? std::max(std::min(height, GetMaxHeight()), 0) : GetMaxHeight();
  normalHeight_ = std::max(normalHeight_, result);
  return result;
}

int TcxCustomGridDetailsSiteViewInfo::CalculateWidth() {
  int width;
  if (TcxCustomGridView* view = GetActiveGridView()) {
    TcxCustomGridViewInfo* viewInfo = view->ViewInfo();
    viewInfo->SetMeasuring(true);
    TScopeExit done([viewInfo] { viewInfo->SetMeasuring(false); });
    width = 0;
    viewInfo->CalculateWidth(POINT{MaxClientWidth(), MaxClientHeight()}, width);
  } else {
    width = GetEmptyClientWidth();
  }
  width += NonClientWidth();
  if (tabsViewInfo_) tabsViewInfo_->AdjustWidth(width);
  return std::min(std::max(width, GetMinWidth()), GetMaxWidth());
}

void TcxCustomGridDetailsSiteViewInfo::Calculate(int ALeft, int ATop) {
  Bounds = RECT{ALeft, ATop, ALeft + GetWidth(), ATop + GetHeight()};
  if (tabsViewInfo_) tabsViewInfo_->Calculate(Bounds);
  if (TcxCustomGridView* view = GetActiveGridView()) view->ViewInfo()->MainCalculate(GetClientBounds());
}

TcxCustomGridHitTest* TcxCustomGridDetailsSiteViewInfo::GetHitTest(POINT P) {
  if (tabsViewInfo_)
    if (TcxCustomGridHitTest* hitTest = tabsViewInfo_->GetHitTest(P)) return hitTest;
  if (TcxCustomGridView* view = GetActiveGridView()) {
    TcxGridSite* site = view->Site();
    if (!site->IsParked() && PtInRect(&Bounds, P))
      return view->ViewInfo()->GetHitTest(POINT{P.x - site->Left(), P.y - site->Top()});
  }
  return nullptr;
}

void TcxCustomGridDetailsSiteViewInfo::UpdateSite(bool AVisible) {
  if (TcxCustomGridView* view = GetActiveGridView()) view->ViewInfo()->UpdateSite(AVisible);
}

void TcxCustomGridDetailsSiteViewInfo::Paint(TcxCanvas* ACanvas) {
  if (GetFrameWidth() != 0) ACanvas->FrameRect(FrameBounds(), GetFrameColor(), GetFrameWidth());
  if (tabsViewInfo_) {
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    ACanvas->IntersectClipRect(tabsViewInfo_->Bounds);
    TScopeExit restore([&] { ACanvas->SetClipRegion(saved.release(), roSet); });
    tabsViewInfo_->Paint(ACanvas);
  }
  ACanvas->SetBrushColor(GetEmptyAreaColor());
  ACanvas->FillRect(GetClientBounds());
  ACanvas->ExcludeClipRect(Bounds);
}

// --- Tabs ---

TcxCustomGridDetailsSiteTabsViewInfo::TcxCustomGridDetailsSiteTabsViewInfo(TcxCustomGridDetailsSiteViewInfo* ASite)
    : site_(ASite) {}

TcxCustomGridDetailsSiteTabsViewInfo::~TcxCustomGridDetailsSiteTabsViewInfo() = default;

void TcxCustomGridDetailsSiteTabsViewInfo::CreateItems() {
  TcxGridLevel* level = site_->Level();
  for (int i = 0; i < level->VisibleCount(); ++i) items_.push_back(CreateItem(level->VisibleItems(i)));
}

int TcxCustomGridDetailsSiteTabsViewInfo::CalculateLength() {
  int length = 4;
  for (auto& tab : items_) length += GetItemLength(tab.get());
  return length;
}

int TcxCustomGridDetailsSiteTabsViewInfo::CalculateBreadth() {
  int breadth = 0;
  for (auto& tab : items_) breadth = std::max(breadth, GetItemBreadth(tab.get()));
  breadth += 5;
  if (Count() >= 2) breadth += GetActiveTabOffset();
  return breadth;
}

TColor TcxCustomGridDetailsSiteTabsViewInfo::GetBackgroundColor() {
  TcxStyleParams params;
  site_->Level()->Styles()->GetViewParams(lsTabsBackground, nullptr, nullptr, params);
  return params.Color;
}

void TcxCustomGridDetailsSiteTabsViewInfo::Calculate(const RECT& ABounds) {
  Bounds = ABounds;
  POINT position{Bounds.left + 2, Bounds.top + 2};
  const bool vertical = IsVertical();
  if (!items_.empty() && items_.front()->IsActive()) {
    if (vertical)
      position.y -= items_.front()->GetBorderWidth(bTop);
    else
      position.x -= items_.front()->GetBorderWidth(bLeft);
  }
  const int breadth = (vertical ? Width() : Height()) - 5;
  for (auto& tab : items_) {
    if (vertical) {
      tab->Calculate(position.x, position.y, breadth, -1);
      position.y += tab->CalculateHeight();
    } else {
      tab->Calculate(position.x, position.y, -1, breadth);
      position.x += tab->CalculateWidth();
    }
  }
}

TcxCustomGridHitTest* TcxCustomGridDetailsSiteTabsViewInfo::GetHitTest(POINT P) {
  for (auto& tab : items_)
    if (TcxCustomGridHitTest* hitTest = tab->GetHitTest(P)) return hitTest;
  return nullptr;
}

void TcxCustomGridDetailsSiteTabsViewInfo::Paint(TcxCanvas* ACanvas) {
  ACanvas->SetBrushColor(GetBackgroundColor());
  ACanvas->FillRect(Bounds);
  site_->GetLookAndFeelPainter()->PaintTabsBackground(ACanvas, GetMainLineBounds(), GetMainLineBorders(), IsVertical());
  for (auto& tab : items_) tab->Paint(ACanvas);
}

int TcxGridDetailsSiteLeftTabsViewInfo::Height() {
  if (height_ == 0) height_ = CalculateLength();
  return height_;
}

int TcxGridDetailsSiteLeftTabsViewInfo::Width() {
  if (width_ == 0) width_ = CalculateBreadth();
  return width_;
}

int TcxGridDetailsSiteLeftTabsViewInfo::GetItemLength(TcxCustomGridDetailsSiteTabViewInfo* ATab) {
  return ATab->CalculateHeight();
}

int TcxGridDetailsSiteLeftTabsViewInfo::GetItemBreadth(TcxCustomGridDetailsSiteTabViewInfo* ATab) {
  return ATab->CalculateWidth();
}

void TcxGridDetailsSiteLeftTabsViewInfo::AdjustHeight(int& AHeight) { AHeight = std::max(AHeight, Height()); }

RECT TcxGridDetailsSiteLeftTabsViewInfo::GetMainLineBounds() {
  RECT r = Bounds;
  r.left = r.right - 4;
  return r;
}

void TcxGridDetailsSiteLeftTabsViewInfo::Calculate(const RECT& ABounds) {
  TcxCustomGridDetailsSiteTabsViewInfo::Calculate(ABounds);
  Bounds.right = Bounds.left + Width();
}

std::unique_ptr<TcxCustomGridDetailsSiteTabViewInfo> TcxGridDetailsSiteLeftTabsViewInfo::CreateItem(
    TcxGridLevel* ALevel) {
  return std::make_unique<TcxGridDetailsSiteLeftTabViewInfo>(this, ALevel);
}

int TcxGridDetailsSiteTopTabsViewInfo::Height() {
  if (height_ == 0) height_ = CalculateBreadth();
  return height_;
}

int TcxGridDetailsSiteTopTabsViewInfo::Width() {
  if (width_ == 0) width_ = CalculateLength();
  return width_;
}

int TcxGridDetailsSiteTopTabsViewInfo::GetItemLength(TcxCustomGridDetailsSiteTabViewInfo* ATab) {
  return ATab->CalculateWidth();
}

int TcxGridDetailsSiteTopTabsViewInfo::GetItemBreadth(TcxCustomGridDetailsSiteTabViewInfo* ATab) {
  return ATab->CalculateHeight();
}

void TcxGridDetailsSiteTopTabsViewInfo::AdjustWidth(int& AWidth) { AWidth = std::max(AWidth, Width()); }

RECT TcxGridDetailsSiteTopTabsViewInfo::GetMainLineBounds() {
  RECT r = Bounds;
  r.top = r.bottom - 4;
  return r;
}

void TcxGridDetailsSiteTopTabsViewInfo::Calculate(const RECT& ABounds) {
  TcxCustomGridDetailsSiteTabsViewInfo::Calculate(ABounds);
  Bounds.bottom = Bounds.top + Height();
}

std::unique_ptr<TcxCustomGridDetailsSiteTabViewInfo> TcxGridDetailsSiteTopTabsViewInfo::CreateItem(
    TcxGridLevel* ALevel) {
  return std::make_unique<TcxGridDetailsSiteTopTabViewInfo>(this, ALevel);
}

// --- One tab ---

TcxCustomGridDetailsSiteTabViewInfo::TcxCustomGridDetailsSiteTabViewInfo(TcxCustomGridDetailsSiteTabsViewInfo* ATabs,
                                                                         TcxGridLevel* ALevel)
    : tabs_(ATabs), level_(ALevel), index_(ALevel->VisibleIndex()) {}

bool TcxCustomGridDetailsSiteTabViewInfo::IsActive() { return tabs_->SiteViewInfo()->GetActiveLevel() == level_; }

bool TcxCustomGridDetailsSiteTabViewInfo::IsNeighbourActive(int AOffset) {
  const int index = index_ + AOffset;
  return index >= 0 && index < tabs_->Count() && tabs_->Items(index)->IsActive();
}

int TcxCustomGridDetailsSiteTabViewInfo::CalculateHeight() {
  TcxCanvas* canvas = GetCanvas();
  if (Params().Font) canvas->SetFont(Params().Font);
  return canvas->TextHeight(Text()) + 4;
}

int TcxCustomGridDetailsSiteTabViewInfo::CalculateWidth() {
  TcxCanvas* canvas = GetCanvas();
  if (Params().Font) canvas->SetFont(Params().Font);
  return canvas->TextWidth(Text()) + 4 + 10;
}

int TcxCustomGridDetailsSiteTabViewInfo::GetBorderWidth(TcxBorder) {
  return LookAndFeelPainter()->GetTabBorderSize(IsVertical());
}

bool TcxCustomGridDetailsSiteTabViewInfo::HotTrack() { return LookAndFeelPainter()->IsTabBorderThemed(IsVertical()); }

RECT TcxCustomGridDetailsSiteTabViewInfo::GetTextAreaBounds() {
  RECT r = inherited::GetTextAreaBounds();
  InflateRect(&r, -5, 0);
  return r;
}

void TcxCustomGridDetailsSiteTabViewInfo::GetViewParams(TcxStyleParams& AParams) {
  tabs_->SiteViewInfo()->Level()->Styles()->GetTabParams(level_, AParams);
}

void TcxCustomGridDetailsSiteTabViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  auto* tabHitTest = static_cast<TcxGridDetailsSiteTabHitTest*>(AHitTest);
  tabHitTest->Level = level_;
  tabs_->SiteViewInfo()->InitTabHitTest(tabHitTest);
}

bool TcxCustomGridDetailsSiteTabViewInfo::MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton,
                                                    TShiftState AShift) {
  inherited::MouseDown(AHitTest, AButton, AShift);
  tabs_->SiteViewInfo()->ActivateLevel(level_);
  return true;
}

namespace {

class TcxGridDetailsSiteTabPainter : public TcxCustomGridCellPainter {
 public:
  TcxGridDetailsSiteTabPainter(TcxCanvas* ACanvas, TcxCustomGridDetailsSiteTabViewInfo* ATab,
                               TcxLookAndFeelPainterClass APainter)
      : TcxCustomGridCellPainter(ACanvas, ATab), tab_(ATab), painter_(APainter) {}

 protected:
  void DrawBorder(TcxBorder ASide) override {
    painter_->PaintTabBorder(Canvas(), tab_->GetBorderBounds(ASide), ASide, tab_->Borders(), tab_->IsVertical());
  }
  void DrawContent() override {
    if (!painter_->IsTabThemed(tab_->IsVertical())) {
      TcxCustomGridCellPainter::DrawContent();
      return;
    }
    TcxStyleParams& params = tab_->Params();
    painter_->PaintTab(Canvas(), tab_->Bounds, tab_->Borders(), tab_->Text(),
                       CellStateToButtonState(tab_->PaintState()), tab_->IsVertical(), params.Font, params.TextColor,
                       params.Color);
  }

 private:
  TcxCustomGridDetailsSiteTabViewInfo* tab_;
  TcxLookAndFeelPainterClass painter_;
};

}  // namespace

std::unique_ptr<TcxCustomGridCellPainter> TcxCustomGridDetailsSiteTabViewInfo::CreatePainter(TcxCanvas* ACanvas) {
  return std::make_unique<TcxGridDetailsSiteTabPainter>(ACanvas, this, LookAndFeelPainter());
}

int TcxGridDetailsSiteLeftTabViewInfo::CalculateHeight() {
  int height = inherited::CalculateHeight();
  if (IsActive()) height += GetBorderWidth(bTop) + GetBorderWidth(bBottom);
  const TcxBorders borders = GetBorders();
  if (borders.Contains(bTop)) height += GetBorderWidth(bTop);
  if (borders.Contains(bBottom)) height += GetBorderWidth(bBottom);
  return height;
}

int TcxGridDetailsSiteLeftTabViewInfo::CalculateWidth() {
  return inherited::CalculateWidth() + GetBorderWidth(bLeft) + GetBorderWidth(bRight);
}

TcxBorders TcxGridDetailsSiteLeftTabViewInfo::GetBorders() {
  if (IsActive()) return {bLeft, bTop, bBottom};
  TcxBorders borders{bLeft, bRight};
  if (!IsNeighbourActive(-1)) borders.Include(bTop);
  if (!IsNeighbourActive(1)) borders.Include(bBottom);
  return borders;
}

void TcxGridDetailsSiteLeftTabViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!IsActive()) {
    ALeft += 3;
    if (AWidth != -1) AWidth -= 3;
  }
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
}

int TcxGridDetailsSiteTopTabViewInfo::CalculateHeight() {
  return inherited::CalculateHeight() + GetBorderWidth(bTop) + GetBorderWidth(bBottom);
}

int TcxGridDetailsSiteTopTabViewInfo::CalculateWidth() {
  int width = inherited::CalculateWidth();
  if (IsActive()) width += GetBorderWidth(bLeft) + GetBorderWidth(bRight);
  const TcxBorders borders = GetBorders();
  if (borders.Contains(bLeft)) width += GetBorderWidth(bLeft);
  if (borders.Contains(bRight)) width += GetBorderWidth(bRight);
  return width;
}

TcxBorders TcxGridDetailsSiteTopTabViewInfo::GetBorders() {
  if (IsActive()) return {bLeft, bTop, bRight};
  TcxBorders borders{bTop, bBottom};
  if (!IsNeighbourActive(-1)) borders.Include(bLeft);
  if (!IsNeighbourActive(1)) borders.Include(bRight);
  return borders;
}

void TcxGridDetailsSiteTopTabViewInfo::Calculate(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!IsActive()) {
    ATop += 2;
    if (AHeight != -1) AHeight -= 2;
  }
  inherited::Calculate(ALeft, ATop, AWidth, AHeight);
}

// --- The grid's root site ---

TcxGridTopDetailsSiteViewInfo::TcxGridTopDetailsSiteViewInfo(TcxCustomGrid* AGrid)
    : TcxCustomGridDetailsSiteViewInfo(AGrid->RootLevel()), grid_(AGrid) {
  CreateTabs();
}

TcxCanvas* TcxGridTopDetailsSiteViewInfo::GetCanvas() { return grid_->PaintCanvas(); }

TcxLookAndFeelPainterClass TcxGridTopDetailsSiteViewInfo::GetLookAndFeelPainter() {
  return grid_->LookAndFeel()->Painter();
}

int TcxGridTopDetailsSiteViewInfo::GetMaxHeight() {
  const RECT r = grid_->ClientRect();
  return r.bottom - r.top;
}

int TcxGridTopDetailsSiteViewInfo::GetMaxWidth() {
  const RECT r = grid_->ClientRect();
  return r.right - r.left;
}

TcxCustomGridView* TcxGridTopDetailsSiteViewInfo::GetActiveGridViewValue() { return grid_->ActiveView(); }

TcxGridLevel* TcxGridTopDetailsSiteViewInfo::GetActiveLevel() { return grid_->ActiveLevel(); }

void TcxGridTopDetailsSiteViewInfo::InitTabHitTest(TcxGridDetailsSiteTabHitTest* AHitTest) { AHitTest->Owner = grid_; }

void TcxGridTopDetailsSiteViewInfo::ActivateLevel(TcxGridLevel* ALevel) {
  // The new layout replaces this site view info: only locals are used after SetActiveLevel.
  TcxCustomGrid* grid = grid_;
  TcxGridLevel* before = grid->ActiveLevel();
  grid->SetActiveLevel(ALevel);
  if (grid->ActiveLevel() != before) grid->DoActiveTabChanged(ALevel);
}

// Recreating the grid's site parks or detaches the old active view's site.
TcxGridTopDetailsSiteViewInfo::~TcxGridTopDetailsSiteViewInfo() { UpdateSite(false); }

void TcxGridTopDetailsSiteViewInfo::UpdateSite(bool AVisible) {
  if (!grid_->IsDestroying()) inherited::UpdateSite(AVisible);
}
