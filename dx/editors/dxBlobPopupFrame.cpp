// The BLOB pop-up's non-client area: the OK / Cancel / Close bar, the size grip, the sizing edges,
// and the placing of the pop-up under (or above) its editor.
#include "dx/editors/dxBlobPopup.h"

#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/PictureValues.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

String ButtonCaption(int Index) { return LoadResString(dxSDialogOk + Index); }

int FrameWidthOf(TdxPopupBorder Border) {
  static const int kFrame[] = {0, 1, 4, 2};  // as the base pop-up's non-client frame
  return kFrame[static_cast<int>(Border)];
}

SIZE TextSize(HDC DC, const String& Text) {
  SIZE s{};
  GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &s);
  return s;
}

bool BarOnTop(TdxSizeGripCorner Corner) { return Corner == 0 || Corner == 1; }
bool GripOnLeft(TdxSizeGripCorner Corner) { return Corner == 0 || Corner == 2; }

}  // namespace

TdxBlobPopupMetrics TCustomdxBlobPopup::Metrics() {
  TdxBlobPopupMetrics m;
  HDC dc = GetDC(nullptr);
  TScopeExit release([&] { ReleaseDC(nullptr, dc); });
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TScopeExit unselect([&] { SelectObject(dc, old); });
  const TdxPopupBorder border = PopupBorder();
  m.BarBorder = border == pbSingle || border == pbFlat ? 2 : 4;
  m.GripWidth = Sizeable ? GetSystemMetrics(SM_CXVSCROLL) : TextSize(dc, u"0").cx;
  const int textHeight = TextSize(dc, u"Wg").cy;
  m.Spacing = textHeight / 3;
  m.Gap = TextSize(dc, u"0").cx;
  m.ButtonHeight = MulDiv(textHeight, 20, 13);
  for (int index : Buttons()) m.ButtonWidth = std::max(m.ButtonWidth, TextSize(dc, ButtonCaption(index) + u"00").cx);
  m.BarHeight = 2 * m.Spacing + m.BarBorder + m.ButtonHeight;
  m.FrameWidth = FrameWidthOf(border);
  return m;
}

SIZE TCustomdxBlobPopup::MinimumSize() {
  const TdxBlobPopupMetrics m = Metrics();
  const int count = static_cast<int>(Buttons().size());
  return SIZE{2 * m.GripWidth + (m.ButtonWidth + m.Gap) * count + 2 * m.FrameWidth - m.Gap + 2,
              3 * GetSystemMetrics(SM_CYHSCROLL) + m.BarHeight};
}

// The bar in window coordinates: inside the frame (and the shadow), at the far edge from the editor.
RECT TCustomdxBlobPopup::BarRect() {
  RECT window{};
  GetWindowRect(Handle(), &window);
  const TdxBlobPopupMetrics m = Metrics();
  const int shadow = Shadow() ? ShadowSize() : 0;
  RECT inner{m.FrameWidth, m.FrameWidth, window.right - window.left - m.FrameWidth - shadow,
             window.bottom - window.top - m.FrameWidth - shadow};
  if (BarOnTop(gripCorner_)) return RECT{inner.left, inner.top, inner.right, inner.top + m.BarHeight};
  return RECT{inner.left, inner.bottom - m.BarHeight, inner.right, inner.bottom};
}

RECT TCustomdxBlobPopup::ButtonRect(int Index) {
  const std::vector<int> buttons = Buttons();
  if (!HandleAllocated() || std::find(buttons.begin(), buttons.end(), Index) == buttons.end()) return RECT{};
  const TdxBlobPopupMetrics m = Metrics();
  const RECT bar = BarRect();
  // Right-aligned before the grip; the last button present is the rightmost.
  const int fromRight = static_cast<int>(buttons.end() - std::find(buttons.begin(), buttons.end(), Index)) - 1;
  const int right = bar.right - m.GripWidth - fromRight * (m.ButtonWidth + m.Gap);
  const int top = bar.top + m.BarBorder + m.Spacing;
  return RECT{right - m.ButtonWidth, top, right, top + m.ButtonHeight};
}

int TCustomdxBlobPopup::ButtonAtScreen(POINT Point) {
  RECT window{};
  GetWindowRect(Handle(), &window);
  const POINT p{Point.x - window.left, Point.y - window.top};
  for (int index : Buttons()) {
    const RECT r = ButtonRect(index);
    if (PtInRect(&r, p)) return index;
  }
  return -1;
}

void TCustomdxBlobPopup::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
  const int bar = Metrics().BarHeight;
  if (BarOnTop(gripCorner_))
    r.top += bar;
  else
    r.bottom -= bar;
}

void TCustomdxBlobPopup::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  HDC dc = GetWindowDC(Handle());
  TScopeExit release([&] { ReleaseDC(Handle(), dc); });
  DrawBar(dc);
}

void TCustomdxBlobPopup::DrawBar(HDC DC) {
  const RECT bar = BarRect();
  FillRect(DC, &bar, GetSysColorBrush(COLOR_BTNFACE));
  // The separator between the bar and the client area.
  RECT line = bar;
  if (BarOnTop(gripCorner_))
    line.top = line.bottom - 2;
  else
    line.bottom = line.top + 2;
  DrawEdge(DC, &line, EDGE_ETCHED, BF_TOP);
  if (Sizeable) {
    const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
    RECT grip{GripOnLeft(gripCorner_) ? bar.left : bar.right - w, BarOnTop(gripCorner_) ? bar.top : bar.bottom - h,
              0, 0};
    grip.right = grip.left + w;
    grip.bottom = grip.top + h;
    DrawPopupSizeGrip(DC, grip, gripCorner_);
  }
  for (int index : Buttons()) DrawButton(DC, index);
}

void TCustomdxBlobPopup::DrawButton(HDC DC, int Index) {
  RECT r = ButtonRect(Index);
  const bool down = pressed_ && heldButton_ == Index;
  const TdxPopupBorder border = PopupBorder();
  if (border == pbSingle || border == pbFlat)
    DrawEdge(DC, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    DrawEdge(DC, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  const bool disabled = Index == dxBlobButtonOK && !okEnabled_;
  HGDIOBJ old = SelectObject(DC, Font()->Handle());
  TScopeExit unselect([&] { SelectObject(DC, old); });
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, GetSysColor(disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
  const String caption = ButtonCaption(Index);
  if (down) OffsetRect(&r, 1, 1);
  DrawText(DC, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TCustomdxBlobPopup::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!Sizeable || tracking_) return;
  RECT window{};
  GetWindowRect(Handle(), &window);
  const POINT p{GET_X_LPARAM(Message.LParam) - window.left, GET_Y_LPARAM(Message.LParam) - window.top};
  const TdxBlobPopupMetrics m = Metrics();
  const int shadow = Shadow() ? ShadowSize() : 0;
  const RECT inner{m.FrameWidth, m.FrameWidth, window.right - window.left - m.FrameWidth - shadow,
                   window.bottom - window.top - m.FrameWidth - shadow};
  const bool left = GripOnLeft(gripCorner_), top = BarOnTop(gripCorner_);
  const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
  const RECT grip{left ? inner.left : inner.right - w, top ? inner.top : inner.bottom - h,
                  left ? inner.left + w : inner.right, top ? inner.top + h : inner.bottom};
  if (PtInRect(&grip, p)) {
    Message.Result = SizeGripCornerToHitTest(gripCorner_);
    return;
  }
  const int fy = GetSystemMetrics(SM_CYDLGFRAME), fx = GetSystemMetrics(SM_CXDLGFRAME);
  if (top ? p.y < inner.top + fy : p.y >= inner.bottom - fy) {
    Message.Result = top ? HTTOP : HTBOTTOM;
  } else if (left ? p.x < inner.left + fx : p.x >= inner.right - fx) {
    Message.Result = left ? HTLEFT : HTRIGHT;
  } else if (Message.Result == HTNOWHERE) {
    Message.Result = HTBORDER;
  }
}

void TCustomdxBlobPopup::WMNCLButtonDown(TMessage& Message) {
  const int index = ButtonAtScreen(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  if (index < 0 || (index == dxBlobButtonOK && !okEnabled_)) {
    inherited::Dispatch(Message);
    return;
  }
  heldButton_ = index;
  pressed_ = true;
  tracking_ = true;
  SetCapture(Handle());
  SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

void TCustomdxBlobPopup::WMMouseMove(TWMMouse& Message) {
  inherited::Dispatch(Message);
  if (!tracking_) return;
  const bool over = ButtonAtScreen(ClientToScreen(POINT{Message.XPos(), Message.YPos()})) == heldButton_;
  if (over == pressed_) return;
  pressed_ = over;
  SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

void TCustomdxBlobPopup::WMLButtonUp(TWMMouse& Message) {
  if (!tracking_) {
    inherited::Dispatch(Message);
    return;
  }
  const bool over = ButtonAtScreen(ClientToScreen(POINT{Message.XPos(), Message.YPos()})) == heldButton_;
  const int index = heldButton_;
  tracking_ = false;
  pressed_ = false;
  heldButton_ = -1;
  ReleaseCapture();
  SendMessage(Handle(), WM_NCPAINT, 1, 0);
  if (over) ButtonClick(index);
}

void TCustomdxBlobPopup::WMGetMinMaxInfo(TMessage& Message) {
  inherited::Dispatch(Message);
  const SIZE minimum = MinimumSize();
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  info->ptMinTrackSize = POINT{minimum.cx, minimum.cy};
}

void TCustomdxBlobPopup::PlaceAndSize(POINT Point, int Width, int Height) {
  offset_ = POINT{0, 0};
  gripCorner_ = 3;
  const SIZE minimum = MinimumSize();
  const TdxBlobPopupMetrics m = Metrics();
  RECT editor{};
  if (OwnerControl() && OwnerControl()->HandleAllocated()) GetWindowRect(OwnerControl()->Handle(), &editor);
  RECT work{};
  GetMonitorWorkArea(Point, work);
  const int maxWidth = work.right - work.left;
  const int maxHeight = std::max(work.bottom - Point.y, editor.top - work.top);
  const int frameX = 2 * m.FrameWidth, frameY = m.BarHeight + 2 * m.FrameWidth;
  int clientWidth = Width - frameX, clientHeight = Height - frameY;
  if (!IsMemo() && PictureAutoSize && !PictureIsEmpty(picture_.get())) {
    clientWidth = picture_->Width();
    clientHeight = picture_->Height();
    if (clientWidth > maxWidth) {
      const int fitted = maxWidth - frameX;
      clientHeight = MulDiv(clientHeight, fitted, clientWidth);
      clientWidth = fitted;
    }
    if (clientHeight > maxHeight) {
      const int fitted = maxHeight - frameY;
      clientWidth = MulDiv(clientWidth, fitted, clientHeight);
      clientHeight = fitted;
    }
  }
  const int width = std::min(std::max(clientWidth + frameX, static_cast<int>(minimum.cx)), maxWidth);
  const int height = std::min(std::max(clientHeight + frameY, static_cast<int>(minimum.cy)), maxHeight);
  RECT r{Point.x, Point.y, Point.x + width, Point.y + height};
  bool flippedX = false, flippedY = false;
  if (width > editor.right - editor.left && r.right > work.right &&
      std::abs(work.right - editor.left) < std::abs(editor.right - work.left)) {
    OffsetRect(&r, editor.right - r.right, 0);
    flippedX = true;
  }
  if (r.bottom > work.bottom && std::abs(work.bottom - editor.bottom) < std::abs(editor.top - work.top)) {
    OffsetRect(&r, 0, editor.top - r.bottom);
    flippedY = true;
  }
  gripCorner_ = flippedY ? (flippedX ? 0 : 1) : (flippedX ? 2 : 3);
  SetBounds(r.left, r.top, width, height);
  RebuildWindow();
}
