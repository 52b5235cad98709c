// The caption buttons of the maximized MDI child at the end of the parent's main menu bar.
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/gdi/Controls.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kMDIButtonCount = 3;
constexpr WPARAM kMDIButtonCommands[kMDIButtonCount] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
constexpr UINT kMDIButtonFaces[kMDIButtonCount] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};

int MDIButtonWidth() { return GetSystemMetrics(SM_CXMENUSIZE) - 2; }
int MDIButtonHeight() { return GetSystemMetrics(SM_CYMENUSIZE) - 4; }

}  // namespace

bool TdxBarControl::HasMDIButtons() const {
  if (!bar_->IsMainMenu() || !BarManager()->MDIChildMaximized()) return false;
  HWND child = BarManager()->ActiveMDIChildWindow();
  return child && IsWindow(child) && GetSystemMenu(child, FALSE);
}

int TdxBarControl::MDIButtonsLength() const {
  if (!HasMDIButtons()) return 0;
  return kMDIButtonCount * (IsVertical() ? MDIButtonHeight() : MDIButtonWidth()) + 2;
}

RECT TdxBarControl::GetMDIButtonRect(int Index) const {
  if (Index < 0 || Index >= kMDIButtonCount || !HasMDIButtons()) return RECT{};
  RECT client = const_cast<TdxBarControl*>(this)->ClientRect();
  const RECT mark = GetMarkRect();
  const bool vertical = IsVertical();
  const int along = vertical ? MDIButtonHeight() : MDIButtonWidth();
  const int across = vertical ? MDIButtonWidth() : MDIButtonHeight();
  // They end where the mark begins; the close button stands 2 pixels apart.
  const int end = IsRectEmpty(&mark) ? (vertical ? client.bottom : client.right) : (vertical ? mark.top : mark.left);
  const int start = end - MDIButtonsLength() + Index * along + (Index == kMDIButtonCount - 1 ? 2 : 0);
  if (vertical) {
    const int left = client.left + (client.right - client.left - across) / 2;
    return RECT{left, start, left + across, start + along};
  }
  const int top = client.top + (client.bottom - client.top - across) / 2;
  return RECT{start, top, start + along, top + across};
}

int TdxBarControl::MDIButtonAt(POINT ClientPoint) const {
  for (int i = 0; i < kMDIButtonCount; ++i) {
    RECT r = GetMDIButtonRect(i);
    if (PtInRect(&r, ClientPoint)) return i;
  }
  return -1;
}

// Restore always works; the others follow the child's system menu.
bool TdxBarControl::MDIButtonEnabled(int Index) const {
  if (kMDIButtonCommands[Index] == SC_RESTORE) return true;
  HMENU menu = GetSystemMenu(BarManager()->ActiveMDIChildWindow(), FALSE);
  const UINT state = menu ? GetMenuState(menu, static_cast<UINT>(kMDIButtonCommands[Index]), MF_BYCOMMAND) : 0;
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void TdxBarControl::DrawMDIButtons() {
  if (!HasMDIButtons()) return;
  HDC dc = Canvas()->Handle();
  const bool flat = IsFlat();
  for (int i = 0; i < kMDIButtonCount; ++i) {
    RECT r = GetMDIButtonRect(i);
    UINT state = kMDIButtonFaces[i];
    if (!MDIButtonEnabled(i)) state |= DFCS_INACTIVE;
    const bool pressed = i == pressedMDIButton_ && mdiButtonDown_;
    if (flat) {
      state |= DFCS_FLAT;
      FillRect(dc, &r, GetBackgroundBrush());
      RECT face = r;
      InflateRect(&face, -1, -1);
      DrawFrameControl(dc, &face, DFC_CAPTION, state);
      FrameRect(dc, &r, GetBackgroundBrush());
    } else {
      if (pressed) state |= DFCS_PUSHED;
      DrawFrameControl(dc, &r, DFC_CAPTION, state);
    }
  }
}

bool TdxBarControl::StartMDIButtonPress(POINT ClientPoint) {
  if (IsCustomizing()) return false;
  const int button = MDIButtonAt(ClientPoint);
  if (button < 0) return false;
  if (!MDIButtonEnabled(button)) return true;
  pressedMDIButton_ = button;
  mdiButtonDown_ = true;
  SetCapture(Handle());
  Invalidate();
  return true;
}

void TdxBarControl::WMMouseMove(TMessage& Message) {
  if (pressedMDIButton_ < 0) {
    inherited::Dispatch(Message);
    return;
  }
  const bool over = MDIButtonAt(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}) == pressedMDIButton_;
  if (over == mdiButtonDown_) return;
  mdiButtonDown_ = over;
  Invalidate();
}

void TdxBarControl::WMLButtonUp(TMessage& Message) {
  if (pressedMDIButton_ < 0) {
    inherited::Dispatch(Message);
    return;
  }
  const int button = pressedMDIButton_;
  const bool over = MDIButtonAt(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}) == button;
  pressedMDIButton_ = -1;
  mdiButtonDown_ = false;
  ReleaseCapture();
  Invalidate();
  HWND child = BarManager()->ActiveMDIChildWindow();
  // The command may take this window away (the merge undone): nothing of it is used after.
  if (over && child && IsWindow(child)) SendMessage(child, WM_SYSCOMMAND, kMDIButtonCommands[button], 0);
}

void TdxBarControl::WMCancelMode(TMessage& Message) {
  if (pressedMDIButton_ >= 0) {
    pressedMDIButton_ = -1;
    mdiButtonDown_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    Rebuild();
  }
  inherited::Dispatch(Message);
}
