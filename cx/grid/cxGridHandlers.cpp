// The grid's own controller, painter and view information.
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "cx/grid/cxGridDetailsSite.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridDragOpenInfo)
TRENVIK_IMPLEMENT_CLASS(TcxGridDragOpenInfoTab)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridHandler)
TRENVIK_IMPLEMENT_CLASS(TcxGridController)
TRENVIK_IMPLEMENT_CLASS(TcxGridPainter)
TRENVIK_IMPLEMENT_CLASS(TcxGridViewInfo)

bool TcxGridDragOpenInfoTab::Equals(TcxCustomGridDragOpenInfo* AInfo) {
  return inherited::Equals(AInfo) && static_cast<TcxGridDragOpenInfoTab*>(AInfo)->Level == Level;
}

void TcxGridDragOpenInfoTab::Run() { Level->SetActive(true); }

TcxGridViewInfo* TcxCustomGridHandler::ViewInfo() const { return control_->ViewInfo(); }
TcxCustomGridView* TcxCustomGridHandler::FocusedView() const { return control_->FocusedView(); }

// --- TcxGridController ---

TcxGridController::~TcxGridController() { StopDragOpen(); }

void TcxGridController::CancelMode() {
  if (TcxCustomGridView* view = FocusedView()) view->Controller()->CancelMode();
}

void TcxGridController::ControlFocusChanged() {
  if (TcxCustomGridView* view = FocusedView()) view->Controller()->ControlFocusChanged();
}

std::unique_ptr<TcxCustomGridDragOpenInfo> TcxGridController::GetDragOpenInfo(TcxCustomGridHitTest* AHitTest) {
  if (AHitTest->HitTestCode() == htTab)
    return std::make_unique<TcxGridDragOpenInfoTab>(static_cast<TcxGridDetailsSiteTabHitTest*>(AHitTest)->Level);
  return nullptr;
}

void TcxGridController::DragOver(TObject*, int X, int Y, TDragState State, bool&) {
  if (!Control()->DragOpening()) return;
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTest(X, Y);
  std::unique_ptr<TcxCustomGridDragOpenInfo> info;
  if (State != dsDragLeave) info = GetDragOpenInfo(hitTest);
  if (info)
    StartDragOpen(std::move(info));
  else
    StopDragOpen();
}

void TcxGridController::EndDrag(TObject*, int, int) { StopDragOpen(); }

void TcxGridController::StartDragOpen(std::unique_ptr<TcxCustomGridDragOpenInfo> AInfo) {
  if (dragOpenInfo_ && dragOpenInfo_->Equals(AInfo.get())) return;
  dragOpenInfo_ = std::move(AInfo);
  if (dragOpenTimer_) {
    dragOpenTimer_->SetEnabled(false);
    dragOpenTimer_->SetEnabled(true);
  } else {
    dragOpenTimer_ = std::make_unique<TTimer>(nullptr);
    dragOpenTimer_->SetInterval(static_cast<Cardinal>(Control()->DragOpeningWaitTime()));
    dragOpenTimer_->OnTimer = [this](TObject*) { DragOpenTimerHandler(); };
  }
}

void TcxGridController::StopDragOpen() {
  dragOpenInfo_.reset();
  // A timer is not freed inside its own handler; a disabled one counts as stopped.
  if (runningDragOpenTimer_) {
    if (dragOpenTimer_) dragOpenTimer_->SetEnabled(false);
  } else {
    dragOpenTimer_.reset();
  }
}

void TcxGridController::DragOpenTimerHandler() {
  TValueScope running(runningDragOpenTimer_, true);
  auto info = std::move(dragOpenInfo_);
  StopDragOpen();
  info->Run();
}

void TcxGridController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTest(X, Y);
  if (hitTest->ViewInfo) hitTest->ViewInfo->MouseDown(hitTest, Button, Shift);
}

// --- TcxGridPainter ---

TcxCanvas* TcxGridPainter::Canvas() const { return Control()->PaintCanvas(); }

void TcxGridPainter::PaintDetailsSite() {
  TcxGridTopDetailsSiteViewInfo* site = ViewInfo()->DetailsSiteViewInfo();
  if (site && site->GetVisible()) site->Paint(Canvas());
}

void TcxGridPainter::DrawBackground() {
  Canvas()->SetBrushColor(Control()->Color());
  Canvas()->FillRect(ViewInfo()->ClientBounds());
}

void TcxGridPainter::Invalidate(bool AWithSites) {
  Control()->Invalidate();
  if (!AWithSites) return;
  for (int i = 0; i < Control()->ControlCount(); ++i)
    if (auto* site = dynamic_cast<TcxGridSite*>(Control()->Controls(i))) site->Invalidate();
}

void TcxGridPainter::InvalidateRect(const RECT& R) { Control()->InvalidateRect(R, false); }

void TcxGridPainter::Paint() {
  PaintDetailsSite();
  DrawBackground();
}

// --- TcxGridViewInfo ---

TcxGridViewInfo::TcxGridViewInfo(TcxCustomGrid* AGrid) : TcxCustomGridHandler(AGrid) { CreateViewInfos(); }

TcxGridViewInfo::~TcxGridViewInfo() { DestroyViewInfos(); }

void TcxGridViewInfo::CreateViewInfos() {
  detailsSiteViewInfo_ = std::make_unique<TcxGridTopDetailsSiteViewInfo>(Control());
}

void TcxGridViewInfo::DestroyViewInfos() { detailsSiteViewInfo_.reset(); }

void TcxGridViewInfo::RecreateViewInfos() {
  DestroyViewInfos();
  CreateViewInfos();
}

RECT TcxGridViewInfo::ClientBounds() const { return Control()->ClientRect(); }

TColor TcxGridViewInfo::BackgroundColor() const { return Control()->Color(); }

void TcxGridViewInfo::Calculate() {
  RecreateViewInfos();
  const RECT client = ClientBounds();
  if (detailsSiteViewInfo_->GetVisible()) detailsSiteViewInfo_->Calculate(client.left, client.top);
}

TcxCustomGridHitTest* TcxGridViewInfo::GetHitTest(int X, int Y) {
  if (detailsSiteViewInfo_)
    if (TcxCustomGridHitTest* hitTest = detailsSiteViewInfo_->GetHitTest(POINT{X, Y})) return hitTest;
  return GetGridHitTest<TcxGridNoneHitTest>(POINT{X, Y});
}
