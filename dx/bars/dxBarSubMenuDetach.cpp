// Tearing a menu off: the drag bar at the top of a Detachable sub item's menu, and the loop that
// turns the menu into the item's DetachingBar floating under the cursor.
#include <algorithm>

#include "dx/bars/dxBarHint.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

// How far the cursor may stray from the drag bar before the menu tears off.
constexpr int kDetachZoneMargin = 15;
// The width of the drag bar's grip pattern in the flat look.
constexpr int kDetachGripWidth = 33;

// The press that started the drag lies inside the zone; leaving it tears the menu off, coming back
// puts the menu back.
class TMenuDetachLoop {
 public:
  TMenuDetachLoop(TdxBarSubItemControl* Owner, TdxBar* Bar, const RECT& Zone)
      : manager_(Bar->BarManager()),
        parent_(Owner->Parent()),
        link_(Owner->ItemLink()),
        bar_(Bar),
        zone_(Zone) {}

  void Run() {
    HWND capture = manager_->GetWindowForCapture();
    manager_->SetSubMenuDragging(true);
    SetCapture(capture);
    bool released = false, reopen = false;
    {
      TScopeExit finish([this, capture] {
        if (GetCapture() == capture) ReleaseCapture();
        manager_->SetSubMenuDragging(false);
      });
      while (GetCapture() == capture) {
        MSG msg;
        TModalPeek peek = PeekModalMessage(msg);
        if (peek == TModalPeek::Handled) continue;
        if (peek == TModalPeek::Quit) break;
        if (msg.message == WM_LBUTTONUP) {
          released = true;
          break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
          reopen = true;
          break;
        }
        if (msg.message == WM_MOUSEMOVE) {
          if (!Move()) break;
          continue;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    }
    if (tornOff_ && released) {
      // The bar stays where it was let go; the menus it came from close.
      if (TdxBarControl* control = bar_->Control()) bar_->StorePosition(control);
      manager_->HideAll();
      return;
    }
    if (tornOff_) bar_->SetVisible(false);
    if (reopen) OpenMenuAgain();
  }

 private:
  // The control that opened the menu, while its bar window still shows it.
  TdxBarSubItemControl* Owner() const {
    if (!IsBarControlAlive(parent_)) return nullptr;
    TdxBarItemLinks* links = parent_->ItemLinks();
    for (int i = 0; i < links->Count(); ++i)
      if (links->Items(i) == link_) return dynamic_cast<TdxBarSubItemControl*>(link_->Control());
    return nullptr;
  }

  void OpenMenuAgain() {
    if (TdxBarSubItemControl* owner = Owner()) owner->ControlActivate(true);
  }

  // False ends the loop.
  bool Move() {
    POINT cursor;
    GetCursorPos(&cursor);
    if (cursor.x == last_.x && cursor.y == last_.y) return true;
    last_ = cursor;
    if (PtInRect(&zone_, cursor)) {
      if (!tornOff_) return true;
      tornOff_ = false;
      bar_->SetVisible(false);
      OpenMenuAgain();
      return false;
    }
    if (!tornOff_) TearOff(cursor);
    if (TdxBarControl* control = bar_->Control(); control && control->HandleAllocated()) {
      SetWindowPos(control->Handle(), nullptr, cursor.x - control->Width() / 2,
                   cursor.y - SmallCaptionHeight() / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
  }

  void TearOff(POINT Cursor) {
    tornOff_ = true;
    if (TdxBarSubItemControl* owner = Owner()) owner->ControlInactivate(true);
    if (bar_->Visible() && bar_->DockingStyle() != dsNone) {
      bar_->SetVisible(false);
      bar_->SetDockingStyle(dsNone);
    }
    if (!bar_->Visible()) {
      bar_->SetFloatLeft(Cursor.x - 100);
      bar_->SetFloatTop(Cursor.y - SmallCaptionHeight() / 2);
      bar_->SetVisible(true);
    }
  }

  TdxBarManager* manager_;
  TCustomdxBarControl* parent_;
  TdxBarItemLink* link_;
  TdxBar* bar_;
  RECT zone_;
  POINT last_{-100000, -100000};
  bool tornOff_ = false;
};

}  // namespace

bool TdxBarSubMenuControl::IsDetachable() const {
  return ownerControl_ && ownerControl_->SubItem()->Detachable();
}

bool TdxBarSubMenuControl::CanDetach() const {
  if (!IsDetachable()) return false;
  const int index = ownerControl_->SubItem()->DetachingBar();
  TdxBars* bars = BarManager()->Bars();
  if (index < 0 || index >= bars->Count()) return false;
  TdxBarControl* source = bars->Items(index)->Control();
  return !source || ownerControl_->Parent() != source;
}

int TdxBarSubMenuControl::DetachBarHeight() const {
  SIZE size{};
  HDC dc = const_cast<TdxBarSubMenuControl*>(this)->Canvas()->Handle();
  GetTextExtentPoint32(dc, u"Qq", 2, &size);
  const int h = size.cy / 2;
  return h % 2 == 0 ? h + 1 : h;
}

int TdxBarSubMenuControl::DetachAreaHeight() const {
  // The bar and a gap below it, inside the frame.
  return IsDetachable() ? DetachBarHeight() + (IsFlat() ? 2 : 3) : 0;
}

RECT TdxBarSubMenuControl::DetachBarRect() const {
  if (!IsDetachable()) return RECT{};
  const int inset = IsFlat() ? 2 : 3;
  return RECT{inset, inset, Width() - inset, inset + DetachBarHeight()};
}

void TdxBarSubMenuControl::SetDetachBarHot(bool Value) {
  if (detachBarHot_ == Value) return;
  detachBarHot_ = Value;
  SetCursor(Value ? crSizeAll : crDefault);
  if (Value) {
    StartMouseLeaveTracking(Handle());
    UpdateBarHint(BarManager(), true, LoadResString(dxSBAR_DRAGTOMAKEMENUFLOAT));
  } else {
    UpdateBarHint(BarManager(), false);
  }
  RECT bar = DetachBarRect();
  if (HandleAllocated()) InvalidateRect(Handle(), &bar, FALSE);
}

void TdxBarSubMenuControl::TrackDetachBar(POINT P) {
  RECT bar = DetachBarRect();
  SetDetachBarHot(PtInRect(&bar, P) && !IsCustomizing() && !GetCapture());
}

void TdxBarSubMenuControl::DrawDetachBar(HDC DC) {
  RECT bar = DetachBarRect();
  if (IsRectEmpty(&bar)) return;
  if (!IsFlat()) {
    FillRect(DC, &bar, GetSysColorBrush(detachBarHot_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return;
  }
  if (detachBarHot_) {
    FrameRect(DC, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT inner = bar;
    InflateRect(&inner, -1, -1);
    FillRect(DC, &inner, GetSelectedBrush());
  } else {
    FillRect(DC, &bar, GetBackgroundBrush());
  }
  HBRUSH lines = GetSysColorBrush(detachBarHot_ ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  const int left = (bar.left + bar.right - kDetachGripWidth) / 2;
  for (int y = bar.top + 1; y < bar.bottom - 1; y += 2) {
    RECT line{left, y, left + kDetachGripWidth, y + 1};
    FillRect(DC, &line, lines);
  }
}

void TdxBarSubMenuControl::Detach() {
  TdxBarSubItemControl* owner = ownerControl_;
  owner->SubItem()->Detaching();
  // The handler may have closed the menu.
  if (!IsBarControlAlive(this) || !CanDetach()) return;
  TdxBar* bar = BarManager()->Bars()->Items(owner->SubItem()->DetachingBar());
  RECT zone = DetachBarRect();
  POINT topLeft = ClientToScreen(POINT{zone.left, zone.top});
  OffsetRect(&zone, topLeft.x - zone.left, topLeft.y - zone.top);
  InflateRect(&zone, kDetachZoneMargin, kDetachZoneMargin);
  SetDetachBarHot(false);
  TMenuDetachLoop(owner, bar, zone).Run();
}
