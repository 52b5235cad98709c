// Services every cx control shares: the system-settings broadcast, mouse-leave tracking, the free
// notificator, the shared free functions and the base control module's start-up.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

#include "cx/foundation/cxControls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxSettingsController)
TRENVIK_IMPLEMENT_CLASS(TMouseTrackingTimer)
TRENVIK_IMPLEMENT_CLASS(TcxFreeNotificator)
TRENVIK_IMPLEMENT_CLASS(TcxControlChildComponent)

namespace {

std::unique_ptr<TcxSettingsController> g_settingsController;
std::unique_ptr<std::vector<std::unique_ptr<TMouseTrackingTimer>>> g_trackingTimers;
std::unique_ptr<TcxScreenCanvas> g_screenCanvas;
bool g_getScrollBarInfoAvailable = false;
std::function<bool(TWinControl*, HWND)> g_popupChildWindowTest;
std::vector<HCURSOR> g_cursors;
// Timers stopped while a tick runs are freed when the outermost tick returns.
int g_trackingTickDepth = 0;
std::vector<std::unique_ptr<TMouseTrackingTimer>> g_stoppedTimers;

constexpr std::array<const Char*, 8> kCursorNames{
    u"CX_DRAGCOPYCURSOR", u"CX_FULLSCROLLCURSOR", u"CX_HORSCROLLCURSOR",   u"CX_VERSCROLLCURSOR",
    u"CX_UPSCROLLCURSOR", u"CX_RIGHTSCROLLCURSOR", u"CX_DOWNSCROLLCURSOR", u"CX_LEFTSCROLLCURSOR"};

// A 32 x 32 stand-in picture when the resources lack the cursor: a white cross outlined in black.
HCURSOR MakeStandInCursor() {
  constexpr int size = 32, stride = size / 8;
  std::array<Byte, size * stride> andPlane, xorPlane;
  andPlane.fill(0xFF);
  xorPlane.fill(0x00);
  auto set = [&](int x, int y, bool white) {
    andPlane[y * stride + x / 8] &= static_cast<Byte>(~(0x80 >> (x % 8)));
    if (white) xorPlane[y * stride + x / 8] |= static_cast<Byte>(0x80 >> (x % 8));
  };
  for (int i = 4; i < 28; ++i)
    for (int d = -2; d <= 2; ++d) {
      const bool white = std::abs(d) < 2;
      set(16 + d, i, white);
      set(i, 16 + d, white);
    }
  return CreateCursor(nullptr, 16, 16, size, size, andPlane.data(), xorPlane.data());
}

}  // namespace

// --- TcxControlChildComponent ---

TcxControlChildComponent::TcxControlChildComponent(TComponent* AOwner) : TcxComponent(AOwner) {}

TcxControlChildComponent::TcxControlChildComponent(TcxControl* AControl, bool AAssignOwner)
    : TcxComponent(AAssignOwner && AControl ? AControl->Owner() : nullptr) {
  SetControl(AControl);
}

TcxControlChildComponent::~TcxControlChildComponent() {
  if (control_) control_->RemoveChildComponent(this);
}

TComponent* TcxControlChildComponent::GetParentComponent() const { return control_; }

void TcxControlChildComponent::SetParentComponent(TComponent* Value) {
  TcxComponent::SetParentComponent(Value);
  if (auto* control = dynamic_cast<TcxControl*>(Value)) control->AddChildComponent(this);
}

// --- TcxSettingsController ---

TcxSettingsController* cxSettingsController() {
  if (!g_settingsController) g_settingsController = std::make_unique<TcxSettingsController>();
  return g_settingsController.get();
}

TcxSettingsController::~TcxSettingsController() {
  if (window_) DeallocateHWnd(window_);
}

void TcxSettingsController::AddControl(TcxControl* AControl) {
  if (std::find(list_.begin(), list_.end(), AControl) != list_.end()) return;
  if (list_.empty()) window_ = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
  list_.push_back(AControl);
}

void TcxSettingsController::RemoveControl(TcxControl* AControl) {
  std::erase(list_, AControl);
  if (list_.empty() && window_) {
    DeallocateHWnd(window_);
    window_ = nullptr;
  }
}

void TcxSettingsController::NotifyControls() {
  for (TcxControl* control : list_)
    if (control->HandleAllocated()) SendNotifyMessage(control->Handle(), DXM_NCSIZECHANGED, 0, 0);
}

void TcxSettingsController::WndProc(TMessage& Message) {
  try {
    if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
      NotifyControls();
      Message.Result = 0;
    } else {
      Message.Result = DefWindowProc(window_, Message.Msg, Message.WParam, Message.LParam);
    }
  } catch (Exception&) {
    if (Application) Application->HandleException(this);
  }
}

// --- Mouse tracking ---

TMouseTrackingTimer::TMouseTrackingTimer(TcxControl* AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller)
    : TTimer(nullptr), caller_(ACaller), control_(AControl), bounds_(ABounds) {
  SetInterval(10);
  OnTimer = [this](TObject*) { MouseTrackingTimerTick(); };
}

void TMouseTrackingTimer::MouseTrackingTimerTick() {
  const POINT p = cxGetMouseCursorPos();
  if (PtInRect(&bounds_, p)) return;
  ++g_trackingTickDepth;
  TScopeExit done([] {
    if (--g_trackingTickDepth == 0) g_stoppedTimers.clear();
  });
  IcxMouseTrackingCaller* caller = caller_;
  if (control_) control_->MouseLeave(nullptr);
  caller->MouseLeave();
  cxStopMouseTracking(caller);
}

TMouseTrackingTimer* cxFindMouseTrackingTimer(IcxMouseTrackingCaller* ACaller) {
  if (!g_trackingTimers) return nullptr;
  for (auto& timer : *g_trackingTimers)
    if (timer->Caller() == ACaller) return timer.get();
  return nullptr;
}

bool cxIsMouseTracking(IcxMouseTrackingCaller* ACaller) { return cxFindMouseTrackingTimer(ACaller) != nullptr; }

int cxMouseTrackingTimerCount() { return g_trackingTimers ? static_cast<int>(g_trackingTimers->size()) : 0; }

void cxBeginMouseTracking(TcxControl* AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller) {
  if (cxIsMouseTracking(ACaller)) return;
  RECT bounds = ABounds;
  if (AControl) {
    const POINT tl = AControl->ClientToScreen({bounds.left, bounds.top});
    const POINT br = AControl->ClientToScreen({bounds.right, bounds.bottom});
    bounds = {tl.x, tl.y, br.x, br.y};
  }
  if (!g_trackingTimers) g_trackingTimers = std::make_unique<std::vector<std::unique_ptr<TMouseTrackingTimer>>>();
  g_trackingTimers->push_back(std::make_unique<TMouseTrackingTimer>(AControl, bounds, ACaller));
}

void cxStopMouseTracking(IcxMouseTrackingCaller* ACaller) {
  if (!g_trackingTimers) return;
  auto& list = *g_trackingTimers;
  auto it = std::find_if(list.begin(), list.end(), [&](auto& t) { return t->Caller() == ACaller; });
  if (it == list.end()) return;
  std::unique_ptr<TMouseTrackingTimer> timer = std::move(*it);
  list.erase(it);
  timer->SetEnabled(false);
  if (g_trackingTickDepth > 0) g_stoppedTimers.push_back(std::move(timer));
}

// --- TcxFreeNotificator ---

void TcxFreeNotificator::AddSender(TComponent* ASender) {
  if (ASender) ASender->FreeNotification(this);
}

void TcxFreeNotificator::RemoveSender(TComponent* ASender) {
  if (ASender) ASender->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && OnFreeNotification) OnFreeNotification(AComponent);
}

// --- Shared functions ---

UINT cxGetDoubleClickTime() { return GetDoubleClickTime(); }

RECT cxGetMonitorWorkArea(POINT P) {
  MONITORINFO info{};
  if (HMONITOR monitor = MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST); monitor && GetMonitorInfo(monitor, &info))
    return info.rcWork;
  RECT r{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

bool cxIsCtrlPressed() { return GetAsyncKeyState(VK_CONTROL) < 0; }

bool cxIsWithinDragThreshold(POINT ARef, int X, int Y) {
  const int t = Mouse ? Mouse->DragThreshold() : 5;
  return std::abs(X - ARef.x) < t && std::abs(Y - ARef.y) < t;
}

void cxMapWindowPoint(HWND AFrom, HWND ATo, POINT& P) { MapWindowPoints(AFrom, ATo, &P, 1); }

void cxMapWindowRect(HWND AFrom, HWND ATo, RECT& R) { MapWindowPoints(AFrom, ATo, reinterpret_cast<POINT*>(&R), 2); }

SmallInt cxTruncToShort(int AValue) { return static_cast<SmallInt>(AValue & 0xFFFF); }

// No form designer exists at run time.
void cxDesignerModified(TControl*) {}

void cxDeflateRectByMargins(RECT& R, const RECT& AMargins) {
  R.left += AMargins.left;
  R.top += AMargins.top;
  R.right -= AMargins.right;
  R.bottom -= AMargins.bottom;
}

RECT cxGetControlRect(TControl* AControl) { return {0, 0, AControl->Width(), AControl->Height()}; }

bool cxIsControlHandle(TWinControl* AControl, HWND AHandle) { return AControl && AControl->Handle() == AHandle; }

bool cxIsWindowVisible(TWinControl* AControl) {
  return AControl->HandleAllocated() && IsWindowVisible(AControl->Handle());
}

bool cxIsChildWindow(TWinControl* AParent, HWND AWnd) {
  if (!AParent->HandleAllocated()) return false;
  if (AWnd == AParent->Handle()) return false;
  if (IsChild(AParent->Handle(), AWnd)) return true;
  for (int i = 0; i < AParent->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(AParent->Controls(i));
    if (!child || !child->HandleAllocated()) continue;
    if (child->Handle() == AWnd || cxIsChildWindow(child, AWnd) || IsChild(child->Handle(), AWnd)) return true;
  }
  return g_popupChildWindowTest && g_popupChildWindowTest(AParent, AWnd);
}

void cxSetPopupChildWindowTest(std::function<bool(TWinControl*, HWND)> ATest) {
  g_popupChildWindowTest = std::move(ATest);
}

POINT cxGetMouseCursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

TShiftState cxGetShiftState() {
  BYTE keys[256];
  GetKeyboardState(keys);
  TShiftState s;
  if (keys[VK_SHIFT] & 0x80) s.Include(ssShift);
  if (keys[VK_CONTROL] & 0x80) s.Include(ssCtrl);
  if (keys[VK_MENU] & 0x80) s.Include(ssAlt);
  if (keys[VK_LBUTTON] & 0x80) s.Include(ssLeft);
  if (keys[VK_RBUTTON] & 0x80) s.Include(ssRight);
  if (keys[VK_MBUTTON] & 0x80) s.Include(ssMiddle);
  return s;
}

void cxInvalidateFrame(HWND AWnd, const RECT& AOuter, const RECT& AInner, bool AErase) {
  if (IsRectEmpty(&AInner)) {
    InvalidateRect(AWnd, &AOuter, AErase);
    return;
  }
  const RECT strips[4] = {{AOuter.left, AOuter.top, AInner.left, AOuter.bottom},
                          {AInner.left, AOuter.top, AInner.right, AInner.top},
                          {AInner.left, AInner.bottom, AInner.right, AOuter.bottom},
                          {AInner.right, AOuter.top, AOuter.right, AOuter.bottom}};
  for (const RECT& r : strips) InvalidateRect(AWnd, &r, AErase);
}

void cxInvalidateWinControlRect(TWinControl* AControl, const RECT& R, bool AErase) {
  if (AControl->HandleAllocated()) InvalidateRect(AControl->Handle(), &R, AErase);
}

TcxScreenCanvas* cxGetScreenCanvas() { return g_screenCanvas.get(); }

bool cxIsGetScrollBarInfoAvailable() { return g_getScrollBarInfoAvailable; }

// --- Module start-up ---

void cxControlsInitialize() {
  for (size_t i = 0; i < kCursorNames.size(); ++i) {
    HCURSOR cursor = LoadCursor(nullptr, kCursorNames[i]);
    if (!cursor) {
      cursor = MakeStandInCursor();
      g_cursors.push_back(cursor);
    }
    if (Screen) Screen->SetCursors(crcxDragCopy + static_cast<int>(i), cursor);
  }
}

void cxControlsFinalize() {
  TScopeExit done([] {
    g_trackingTimers.reset();
    g_settingsController.reset();
    for (HCURSOR c : g_cursors) DestroyCursor(c);
    g_cursors.clear();
  });
  // A caller that failed to stop its tracking before being destroyed.
  if (g_trackingTimers && !g_trackingTimers->empty()) throw Exception(u"MouseTrackingTimerList.Count <> 0");
}

void cxContainerModuleStartShared() {
  g_getScrollBarInfoAvailable = true;  // the window system always offers GetScrollBarInfo
  g_screenCanvas = std::make_unique<TcxScreenCanvas>();
}

void cxContainerModuleStopShared() { g_screenCanvas.reset(); }
