// Window and framework messages the tree list answers itself, one handler a message: cancel mode,
// destruction, background erasing, input-method start, the cursor shape, font and colour changes,
// the form designer's hit test, the mouse entering and leaving, and the clear-filter button's hot look.
#include "dx/editors/dxDrawUtils.h"
#include "dx/treelist/dxTL.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

void TCustomdxTreeList::CMCancelMode(TMessage& Message) {
  CancelDragSizing();
  if (editor_ && editor_->HandleAllocated()) editor_->Perform(Message.Msg, Message.WParam, Message.LParam);
  inherited::Dispatch(Message);
}

void TCustomdxTreeList::WMDestroy(TMessage& Message) {
  if (IsDragSizingState(state_)) CancelDragSizing();
  HideClearFilterHint();
  inherited::Dispatch(Message);
}

void TCustomdxTreeList::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TCustomdxTreeList::WMImeStartComposition(TMessage& Message) {
  inherited::Dispatch(Message);
  ShowEditor();
}

bool TCustomdxTreeList::HasFlatBorder() const {
  return borderStyle_ == bsSingle && lookAndFeel_ != lfStandard;
}

// The flat looks draw their own 1-pixel border: the client area is inset by it.
void TCustomdxTreeList::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (HasFlatBorder()) InsetClientByOwnBorder(Message.LParam);
}

void TCustomdxTreeList::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!HasFlatBorder() || !HandleAllocated()) return;
  PaintOwnBorder(Handle(), [this](HDC DC, const RECT& R) {
    RECT r = R;
    if (lookAndFeel_ == lfUltraFlat)
      FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    else
      DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RECT);
    const LONG style = GetWindowLong(Handle(), GWL_STYLE);
    if ((style & WS_HSCROLL) && (style & WS_VSCROLL)) {
      RECT corner{r.right - 1 - GetSystemMetrics(SM_CXVSCROLL), r.bottom - 1 - GetSystemMetrics(SM_CYHSCROLL),
                  r.right - 1, r.bottom - 1};
      FillRect(DC, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
  });
}

// The standard look's single border depends on the 3-D look: the window is made again.
void TCustomdxTreeList::CMCtl3DChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (borderStyle_ == bsSingle && lookAndFeel_ == lfStandard && HandleAllocated()) RecreateWnd();
}

void TCustomdxTreeList::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  lastHitTestPoint_ = POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
}

// The sizing cursors while sizing or over a sizing edge; otherwise the framework's choice.
void TCustomdxTreeList::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) != HTCLIENT) return inherited::Dispatch(Message);
  TCursor cursor = crDefault;
  switch (state_) {
    case tsColumnSizing:
    case tsBandSizing:
      cursor = crHSplit;
      break;
    case tsBandPanelSizing:
    case tsHeaderPanelSizing:
    case tsRowSizing:
      cursor = crVSplit;
      break;
    case tsNormal:
    case tsEditing: {
      POINT p = lastHitTestPoint_;
      ::ScreenToClient(Handle(), &p);
      TdxTreeListHitInfo hit;
      GetHitInfo(p, hit);
      if ((hit.HitKind == tlhBandEdge && hit.Band >= 0) || hit.HitKind == tlhHeaderEdge)
        cursor = crHSplit;
      else if (hit.HitKind == tlhBandPanelEdge || hit.HitKind == tlhHeaderPanelEdge || hit.HitKind == tlhRowEdge)
        cursor = crVSplit;
      break;
    }
    default:
      break;
  }
  if (cursor == crDefault || !Screen) return inherited::Dispatch(Message);
  ::SetCursor(Screen->Cursors(cursor));
  Message.Result = 1;
}

void TCustomdxTreeList::CMLayoutChange(TMessage& Message) {
  inherited::Dispatch(Message);
  LayoutChanged();
}

void TCustomdxTreeList::CMParentFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!ParentFont()) return;
  // The copies below come from the parent: they must not read as fonts of the control's own.
  copyingParentFont_ = true;
  struct TEnd {
    bool& flag;
    ~TEnd() { flag = false; }
  } end{copyingParentFont_};
  bandFont_->Assign(Font());
  headerFont_->Assign(Font());
  previewFont_->SetName(Font()->Name());
  previewFont_->SetSize(Font()->Size());
  previewFont_->SetStyle(Font()->Style());
  previewFont_->SetColor(clBlue);
  LayoutChanged();
}

void TCustomdxTreeList::CMSysColorChange(TMessage& Message) {
  inherited::Dispatch(Message);
  if (HandleAllocated()) Invalidate();
}

// At design time the control takes the mouse over headers, bands and sizing edges, and while a
// header or band is sized, pressed or dragged.
void TCustomdxTreeList::CMDesignHitTest(TMessage& Message) {
  switch (state_) {
    case tsNormal:
    case tsEditing:
    case tsNodeDragging:
    case tsNodeDown:
    case tsHeaderButtonDown:
    case tsBandButtonDown:
    case tsFilterButtonDown:
    case tsClearFilterDown:
      break;
    default:
      Message.Result = 1;
      return;
  }
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, hit);
  switch (hit.HitKind) {
    case tlhHeader:
    case tlhHeaderEdge:
    case tlhBand:
    case tlhBandEdge:
    case tlhBandPanelEdge:
    case tlhHeaderPanelEdge:
    case tlhRowEdge:
      Message.Result = 1;
      break;
    default:
      Message.Result = 0;
      break;
  }
}

void TCustomdxTreeList::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  POINT p{};
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  TdxTreeListHitInfo hit;
  GetHitInfo(p, hit);
  DoHotTrack(hit);
}

void TCustomdxTreeList::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  DoHotTrack(TdxTreeListHitInfo{});
  HideClearFilterHint();
}

// The clear-filter button's hot look, and its hint a while after the pointer arrives over it.
void TCustomdxTreeList::TrackClearFilterButton(const TdxTreeListHitInfo& Hit) {
  RECT button;
  GetClearFilterButtonRect(button);
  bool hot = (state_ == tsNormal || state_ == tsClearFilterDown) && Hit.HitKind == tlhFilterStatus &&
             PtInRect(&button, Hit.Point);
  if (hot == clearFilterHot_) return;
  clearFilterHot_ = hot;
  if (HandleAllocated()) ::InvalidateRect(Handle(), &button, FALSE);
  if (hot && state_ == tsNormal)
    ShowClearFilterHint(false);
  else
    HideClearFilterHint();
}
