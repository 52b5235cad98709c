// A view's layout for one size of its site, and the cells that belong to a view.
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "cx/grid/cxGridLevel.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewCellViewInfo)

TcxCustomGridViewInfo::TcxCustomGridViewInfo(TcxCustomGridView* AGridView) : TcxGridViewHandler(AGridView) {}

TcxCustomGridViewInfo::~TcxCustomGridViewInfo() {
  DestroyViewInfos(false);
  delete site_;
}

// Made on first use: the class comes from a virtual operation of the most derived view info.
TcxGridSite* TcxCustomGridViewInfo::Site() {
  if (!site_) {
    auto* site = dynamic_cast<TcxGridSite*>(GetSiteClass()->NewInstance(this));
    if (!site) throw EInvalidCast(S("Invalid class typecast"));
    site_ = site;
    site_->SetDragMode(GridView()->DragMode());
  }
  return site_;
}

TClass TcxCustomGridViewInfo::GetSiteClass() const { return TcxGridSite::StaticClass(); }

TcxCanvas* TcxCustomGridViewInfo::Canvas() const { return GridView()->Painter()->Canvas(); }

int TcxCustomGridViewInfo::FontHeight(TFont* AFont) { return Canvas()->FontHeight(AFont); }

void TcxCustomGridViewInfo::RecreateViewInfos() {
  DestroyViewInfos(true);
  CreateViewInfos();
}

void TcxCustomGridViewInfo::UpdateMousePos() {
  TcxGridSite* site = Site();
  if (site->IsParked()) return;
  if (!site->HandleAllocated() || (Control() && Control()->IsDesigning())) {
    MousePos = POINT{cxGridMaxInt, cxGridMaxInt};
    return;
  }
  POINT p;
  GetCursorPos(&p);
  MousePos = site->ScreenToClient(p);
}

void TcxCustomGridViewInfo::MainCalculate(const RECT& ABounds) {
  if (calculating_) return;
  BeforeCalculating();
  calculating_ = true;
  TScopeExit done([this] {
    calculating_ = false;
    AfterCalculating();
    UpdateSite(true);
  });
  Site()->SetBoundsRect(ABounds);
  Bounds = Site()->GetClientBounds();
  Calculate();
}

void TcxCustomGridViewInfo::AfterCalculating() {
  for (TcxCustomGridView* view = GridView(); view; view = view->MasterGridView())
    if (view->ViewInfo()->IsInternalUse()) return;
  if (Site()->HandleAllocated()) Site()->UpdateScrollBars();
}

void TcxCustomGridViewInfo::CalculateHeight(POINT, int& AHeight, bool&) {
  if (Site()->HScrollBarVisible()) AHeight += GetSystemMetrics(SM_CYHSCROLL);
}

void TcxCustomGridViewInfo::CalculateWidth(POINT AMaxSize, int& AWidth) {
  if (Site()->VScrollBarVisible()) AWidth += GetSystemMetrics(SM_CXVSCROLL);
  if (AWidth > AMaxSize.x) AWidth = AMaxSize.x;
}

TColor TcxCustomGridViewInfo::GetBackgroundColor() {
  TcxStyleParams params;
  GridView()->Styles()->GetViewParams(vsBackground, nullptr, nullptr, params);
  return params.Color;
}

void TcxCustomGridViewInfo::UpdateSite(bool AVisible) {
  if (IsInternalUse() || measuring_) return;
  TValueScope updating(updatingSite_, true);
  UpdateSiteParent(AVisible && GridView()->IsVisibleInGrid());
}

void TcxCustomGridViewInfo::UpdateSiteParent(bool AVisible) {
  UpdateMousePos();
  TcxGridSite* site = Site();
  TcxCustomGridView* view = GridView();
  if (AVisible) {
    TcxCustomGridView* master = view->MasterGridView();
    site->SetParent(master ? static_cast<TWinControl*>(master->Site()) : view->Grid());
    return;
  }
  TcxCustomGrid* grid = view->Grid();
  bool keepsFocus = false;
  if (grid && !view->IsDestroying() && site->HandleAllocated()) {
    TcxCustomGridView* focused = grid->FocusedView();
    // The in-place editor is a child of the site: its focus is the site's too.
    keepsFocus = site->Focused() || IsChild(site->Handle(), GetFocus()) ||
                 (focused && focused->HasSite() && focused != view && site->ContainsControl(focused->Site()));
  }
  if (keepsFocus)
    site->SetLeft(cxGridInvisibleCoordinate);
  else
    site->SetParent(nullptr);
}

TcxCustomGridHitTest* TcxCustomGridViewInfo::GetHitTest(POINT P) { return GetGridHitTest<TcxGridNoneHitTest>(P); }

// --- TcxCustomGridViewCellViewInfo ---

TcxControl* TcxCustomGridViewCellViewInfo::GetControl() { return GridView()->Site(); }

bool TcxCustomGridViewCellViewInfo::HasHitTestPoint(TcxCustomGridHitTest* AHitTest) {
  auto* viewHitTest = dynamic_cast<TcxCustomGridViewHitTest*>(AHitTest);
  return inherited::HasHitTestPoint(AHitTest) && (!viewHitTest || viewHitTest->GridView == GridView());
}

void TcxCustomGridViewCellViewInfo::InitHitTest(TcxCustomGridHitTest* AHitTest) {
  inherited::InitHitTest(AHitTest);
  if (auto* viewHitTest = dynamic_cast<TcxCustomGridViewHitTest*>(AHitTest)) viewHitTest->GridView = GridView();
}

void TcxCustomGridViewCellViewInfo::Invalidate() {
  if (IsDestroying()) return;
  CalculateParams();
  GridView()->ViewChanged(Bounds);
}

void TcxCustomGridViewCellViewInfo::AfterCalculateBounds(RECT& R) {
  inherited::AfterCalculateBounds(R);
  const POINT mouse = gridViewInfo_->MousePos;
  if (HotTrackOnCalculate() && HotTrack() && PtInRect(&Bounds, mouse)) {
    TcxCustomGridHitTest* hitTest = GetHitTest(mouse);
    MouseMove(hitTest, TShiftState{});
  }
}
