// Moving bars with the mouse between docks and floating.
#include <algorithm>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kDockWaitTimer = 0xDB01;

bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

TdxBarDockingStyle TdxBars::GetDockingTarget(TdxBar* Bar, POINT Point, TdxDockControl*& Dock) const {
  Dock = nullptr;
  if (dragged_ && CtrlHeld()) return dsNone;
  POINT cursor{Point.x - grabOffset_.x, Point.y - grabOffset_.y};
  for (const POINT& p : {Point, cursor}) {
    for (TdxBarDockingStyle side : {dsLeft, dsRight, dsTop, dsBottom}) {
      TdxDockControl* dock = docks_[side];
      if (!dock || !dock->HandleAllocated() || !dock->CanDockBar(Bar) || !manager_->CanDock(Bar, side)) continue;
      RECT zone = dock->GetDockingZone();
      if (PtInRect(&zone, p)) {
        Dock = dock;
        return side;
      }
    }
    if (!dragged_) break;
  }
  return dsNone;
}

void TdxBars::ChangeDock(TdxBarControl* Control, TdxBarDockingStyle Style, TdxDockControl* Dock, POINT Point) {
  TdxBar* bar = Control->Bar();
  ShowWindow(Control->Handle(), SW_HIDE);
  if (TdxDockControl* old = Control->DockControl()) old->RemoveBar(Control, true);
  bar->ItemLinks()->SetRecentItemCount(-1);
  Control->SetDock(Style, Dock);
  Control->HandleNeeded();
  if (Dock) {
    Dock->InsertBar(Control, Point, false, true);
  } else {
    SIZE size = Control->GetSizeForWidth(bar->FloatClientWidth() > 0 ? bar->FloatClientWidth() : Control->GetFullSize().cx);
    Control->SetBounds(Point.x, Point.y, size.cx + bar->GetFloatBorderWidth(dsNone),
                       size.cy + bar->GetFloatBorderHeight(dsNone));
    Control->CalcItemRects();
  }
  ShowWindow(Control->Handle(), SW_SHOWNOACTIVATE);
  bar->StorePosition(Control);
}

void TdxBars::StopDockWait() {
  if (dockWaitWindow_) KillTimer(dockWaitWindow_, kDockWaitTimer);
  dockWaitWindow_ = nullptr;
}

void TdxBars::MoveDraggedBar(TdxBarControl* Control, POINT Point, bool FromTimer) {
  TdxBar* bar = Control->Bar();
  TdxDockControl* dock = nullptr;
  TdxBarDockingStyle style = GetDockingTarget(bar, Point, dock);
  if (style != dsNone && !manager_->CanDock(bar, style)) return;
  StopDockWait();
  if (!FromTimer && Control->Floating() && style != dsNone) {
    // A floating bar docks only once the mouse rests over the dock: every move starts the wait again.
    HWND window = manager_->GetWindowForCapture();
    dockWaitWindow_ = window;
    SetTimer(window, kDockWaitTimer, static_cast<UINT>(manager_->WaitForDockingTime()), nullptr);
    style = dsNone;
    dock = nullptr;
  }
  if (style == Control->DockingStyle() && dock == Control->DockControl()) {
    if (dock)
      dock->MoveBar(Control, Point);
    else
      SetWindowPos(Control->Handle(), nullptr, Point.x, Point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  ChangeDock(Control, style, dock, Point);
}

void TdxBars::DragBar(TdxBarControl* Control, POINT Grab) {
  TdxBar* bar = Control->Bar();
  if (bar->NotDocking() == TdxBarDockingStyles{dsNone, dsLeft, dsTop, dsRight, dsBottom}) return;
  RECT window;
  GetWindowRect(Control->Handle(), &window);
  grabOffset_ = POINT{window.left - Grab.x, window.top - Grab.y};
  dragged_ = Control;
  HWND capture = manager_->GetWindowForCapture();
  SetCapture(capture);
  TScopeExit finish([this] {
    StopDockWait();
    ReleaseCapture();
    dragged_ = nullptr;
  });
  POINT last = Grab;
  auto move = [&](bool fromTimer) {
    POINT cursor;
    GetCursorPos(&cursor);
    if (!IsBarControlAlive(Control)) return false;
    last = cursor;
    MoveDraggedBar(Control, POINT{cursor.x + grabOffset_.x, cursor.y + grabOffset_.y}, fromTimer);
    return true;
  };
  while (GetCapture() == capture && IsBarControlAlive(Control)) {
    MSG msg;
    TModalPeek peek = PeekModalMessage(msg);
    if (peek == TModalPeek::Handled) continue;
    if (peek == TModalPeek::Quit) break;
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT cursor;
      GetCursorPos(&cursor);
      if ((cursor.x != last.x || cursor.y != last.y) && !move(false)) break;
      continue;
    }
    if (msg.message == WM_TIMER && msg.wParam == kDockWaitTimer && msg.hwnd == dockWaitWindow_) {
      StopDockWait();
      if (!move(true)) break;
      continue;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
      if (msg.wParam == VK_ESCAPE) break;
      // Ctrl decides whether the bar may dock: look again where it is.
      if (msg.wParam == VK_CONTROL && !move(false)) break;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (IsBarControlAlive(Control) && Control->DockControl()) Control->DockControl()->UpdateDock();
}

void TdxBars::ToggleDocking(TdxBarControl* Control) {
  TdxBar* bar = Control->Bar();
  RECT window;
  GetWindowRect(Control->Handle(), &window);
  if (!Control->Floating()) {
    if (!manager_->CanDock(bar, dsNone) && bar->NotDocking().Contains(dsNone)) return;
    ChangeDock(Control, dsNone, nullptr, POINT{window.left, window.top});
    return;
  }
  TdxBarDockingStyle side = bar->DockedDockingStyle();
  bool neverDocked = bar->DockedLeft() == 0 && bar->DockedTop() == 0 && bar->Row() == 0 && !bar->OneOnRow();
  TdxDockControl* dock = docks_[side];
  if (!dock || !manager_->CanDock(bar, side)) return;
  if (neverDocked) {
    bar->SetOneOnRow(true);
    bar->SetRow(dock->RowCount());
  }
  ShowWindow(Control->Handle(), SW_HIDE);
  bar->ItemLinks()->SetRecentItemCount(-1);
  Control->SetDock(side, dock);
  Control->HandleNeeded();
  POINT at = dock->ClientToScreen(POINT{bar->DockedLeft(), bar->DockedTop()});
  dock->InsertBar(Control, at, true, true);
  ShowWindow(Control->Handle(), SW_SHOWNOACTIVATE);
  bar->StorePosition(Control);
}
