// The hint a view shows over a cell whose text does not fit: one window per controller, laid over
// the cell's text and hidden when the cursor leaves the cell.
#include <limits>

#include "cx/grid/cxGridCustomView.h"
#include "platform/forms/Forms.h"

TcxCustomGridController::TcxCustomGridController(TcxCustomGridView* AGridView) : TcxGridViewHandler(AGridView) {}

TcxCustomGridController::~TcxCustomGridController() { HideHint(); }

TClass TcxCustomGridController::GetHintWindowClass() {
  return HintWindowClass ? HintWindowClass : THintWindow::StaticClass();
}

void TcxCustomGridController::HideHint() {
  cxStopMouseTracking(this);
  hintWindow_.reset();
}

void TcxCustomGridController::ShowHint(const RECT& AHintArea, const RECT& ATextRect, TFont* AFont, bool AMultiLine,
                                       const String& AText) {
  if (hintWindow_ && hintWindow_->Caption() == AText && EqualRect(&hintTextRect_, &ATextRect)) return;
  if (hintWindow_) {
    cxStopMouseTracking(this);
  } else {
    hintWindow_.reset(static_cast<THintWindow*>(GetHintWindowClass()->NewInstance(nullptr)));
    if (Application) hintWindow_->SetColor(Application->HintColor());
  }
  hintTextRect_ = ATextRect;
  if (AFont) hintWindow_->Canvas()->SetFont(AFont);

  const int maxWidth = AMultiLine ? ATextRect.right - ATextRect.left : std::numeric_limits<short>::max();
  RECT r = hintWindow_->CalcHintRect(maxWidth, AText, nullptr);
  r.right -= 6;
  r.bottom -= 2;
  const POINT origin = Site()->ClientToScreen({ATextRect.left, ATextRect.top});
  OffsetRect(&r, origin.x, origin.y);
  // The window's border (where its client area starts) and the two pixels its text keeps from it.
  RECT window;
  GetWindowRect(hintWindow_->Handle(), &window);
  POINT client{0, 0};
  ClientToScreen(hintWindow_->Handle(), &client);
  InflateRect(&r, client.x - window.left + 2, client.y - window.top + 2);
  r.bottom -= 4;
  hintWindow_->ActivateHint(r, AText);
  cxBeginMouseTracking(Site(), AHintArea, this);
}

bool TcxCustomGridViewCellViewInfo::MouseMove(TcxCustomGridHitTest* AHitTest, TShiftState AShift) {
  const bool result = inherited::MouseMove(AHitTest, AShift);
  if (!ShowsHint()) return result;
  String text;
  RECT textBounds{};
  bool multiLine = false;
  if (GetHintInfo(AHitTest->Pos, text, textBounds, multiLine))
    Controller()->ShowHint(GetHintAreaBounds(), textBounds, Params().Font, multiLine, text);
  else
    Controller()->HideHint();
  return result;
}
