// The memo's own scroll bars laid over the inner memo's native ones, so they follow the look and
// feel; refreshed through a message posted after every change of text, size or scrolling.
#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/cxMemo.h"
#include "cx/foundation/cxScrollBar.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/win/ScrollBars.h"

namespace {

// The framework's notice that a control's non-client size changed.
constexpr UINT kNonClientSizeChanged = 0xB025;

}  // namespace

void TcxCustomMemo::InitializeViewData(TcxCustomEditViewData* AViewData) {
  inherited::InitializeViewData(AViewData);
  // The mirrored bars lie over the inner memo, inside the client area.
  AViewData->HScrollBar = nullptr;
  AViewData->VScrollBar = nullptr;
}

void TcxCustomMemo::AdjustInnerEditPosition() {
  TWinControl* inner = InnerControl();
  if (!inner) return;
  RECT r = EditViewInfo()->ClientRect;
  InflateRect(&r, -1, -1);
  const RECT bounds = inner->BoundsRect();
  if (!EqualRect(&r, &bounds)) inner->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TcxCustomMemo::ChangeHandler(TObject* Sender) {
  inherited::ChangeHandler(Sender);
  PostScrollBarsRefresh();
}

void TcxCustomMemo::PostScrollBarsRefresh() {
  if (cxContainerDestroying(this) || !InnerControl() || !HandleAllocated()) return;
  PostMessage(Handle(), CM_CXMEMO_SCROLLBARS, 0, 0);
}

void TcxCustomMemo::WndProc(TMessage& Message) {
  if (Message.Msg == CM_CXMEMO_SCROLLBARS) {
    MirrorScrollBars();
    return;
  }
  inherited::WndProc(Message);
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case kNonClientSizeChanged:
      PostScrollBarsRefresh();
      break;
    case WM_COMMAND:
      if (HIWORD(Message.WParam) == EN_VSCROLL) MirrorScrollBars();
      break;
    default:
      break;
  }
}

void TcxCustomMemo::Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) {
  inherited::Scroll(AKind, ACode, APosition);
  TWinControl* inner = InnerControl();
  if (!inner || !inner->HandleAllocated()) return;
  const bool vertical = AKind == sbVertical;
  // As from the memo's own bar: a bar window in the message would be asked to scroll itself.
  SendMessage(inner->Handle(), vertical ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(static_cast<WORD>(ACode), static_cast<WORD>(APosition)), 0);
  APosition = GetScrollPos(inner->Handle(), vertical ? SB_VERT : SB_HORZ);
  MirrorScrollBars();
}

void TcxCustomMemo::MirrorScrollBars() {
  if (!cxIsGetScrollBarInfoAvailable() || mirroring_) return;
  mirroring_ = true;
  MirrorScrollBar(HScrollBar(), OBJID_HSCROLL, SB_HORZ);
  MirrorScrollBar(VScrollBar(), OBJID_VSCROLL, SB_VERT);
  mirroring_ = false;
}

void TcxCustomMemo::MirrorScrollBar(TcxControlScrollBar* ABar, LONG AObject, int ABarKind) {
  if (!ABar) return;
  TWinControl* inner = InnerControl();
  const bool possible = !cxContainerDestroying(this) && Parent() && HandleAllocated() && inner &&
                        inner->HandleAllocated();
  SCROLLBARINFO info;
  const bool shown = possible && GetScrollBarInfo(inner->Handle(), AObject, &info) &&
                     !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  if (!shown) {
    ABar->SetVisible(false);
    return;
  }
  RECT r = info.rcScrollBar;
  POINT topLeft = ScreenToClient(POINT{r.left, r.top});
  ABar->SetBounds(topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top);
  ABar->SetEnabled(!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
  ABar->SetVisible(true);
  ABar->BringToFront();
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_ALL;
  if (!GetScrollInfo(inner->Handle(), ABarKind, &scroll)) return;
  const int page = std::min(static_cast<int>(scroll.nPage), scroll.nMax);
  ABar->SetScrollInfo(scroll.nMin, scroll.nMax, scroll.nPos, page, true);
}
