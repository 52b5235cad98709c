#include "dx/bars/dxBarHint.h"

#include <algorithm>

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Text.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kHintTimer = 1;
constexpr UINT_PTR kQuickReshowTimer = 2;

struct THintState {
  TdxBarHintWindow* window = nullptr;
  TdxBarManager* manager = nullptr;
  String text;
  bool quickReshow = false;
  bool showing = false;
};

THintState& HintState() {
  static THintState state;
  return state;
}

// The selected item control of the manager's bar window that is not in menu mode, or none.
TdxBarItemControl* HintControl(TdxBarManager* Manager) {
  for (int i = 0; i < Manager->ComponentCount(); ++i) {
    auto* bar = dynamic_cast<TCustomdxBarControl*>(Manager->Components(i));
    if (!bar || bar->Active() || bar->IsPopupWindow() || !bar->SelectedControl()) continue;
    return bar->SelectedControl();
  }
  return nullptr;
}

void HideHintWindow() {
  THintState& s = HintState();
  if (s.window && s.window->HandleAllocated()) ShowWindow(s.window->Handle(), SW_HIDE);
  s.showing = false;
}

void ShowHintWindow(TdxBarManager* Manager);

void StartTimer(UINT_PTR Id, UINT Delay) {
  THintState& s = HintState();
  if (s.window) SetTimer(s.window->Handle(), Id, Delay, nullptr);
}

void StopTimer(UINT_PTR Id) {
  THintState& s = HintState();
  if (s.window && s.window->HandleAllocated()) KillTimer(s.window->Handle(), Id);
}

void ShowHintWindow(TdxBarManager* Manager) {
  THintState& s = HintState();
  TdxBarItemControl* control = HintControl(Manager);
  if (!control && s.text.empty()) return;
  if (s.text.empty()) {
    // The control under the cursor must still be the selected one.
    POINT cursor;
    GetCursorPos(&cursor);
    TCustomdxBarControl* bar = control->Parent();
    if (bar->FindControlAt(bar->ScreenToClient(cursor)) != control) return;
  }
  POINT at;
  GetCursorPos(&at);
  at.y += 20;
  String text = s.text.empty() ? GetShortHint(control->GetHint()) : s.text;
  bool allowed = !s.text.empty() || control->IsEnabled() || Manager->ShowHintForDisabledItems();
  if (text.empty() || !allowed) {
    UpdateBarHint(Manager, false);
    return;
  }
  if (s.text.empty() && Manager->ShowShortCutInHint() && control->GetShortCut())
    text += u" (" + ShortCutToText(control->GetShortCut()) + u")";
  s.window->ActivateHint(at, text, Manager);
  s.showing = true;
  s.manager = Manager;
  StartTimer(kHintTimer, kHintHideDelay);
}

}  // namespace

TdxBarHintWindow* BarHintWindow() { return HintState().window; }

void UpdateBarHint(TdxBarManager* Manager, bool Show, const String& Text) {
  THintState& s = HintState();
  if (!s.window || !Manager || Manager->IsCustomizing() || Manager->IsDesigning() || !Manager->ShowHint()) return;
  s.text = Text;
  bool visible = s.window->Showing();
  s.showing = false;
  bool showNow = Show && (!Text.empty() || HintControl(Manager));
  StopTimer(kHintTimer);
  if (showNow) {
    s.manager = Manager;
    if (visible || s.quickReshow)
      ShowHintWindow(Manager);
    else
      StartTimer(kHintTimer, kHintShowDelay);
    return;
  }
  if (visible) HideHintWindow();
  if (Show) {
    // The mouse went where there is no hint: the next one within a moment shows at once.
    s.quickReshow = true;
    StopTimer(kQuickReshowTimer);
    StartTimer(kQuickReshowTimer, kHintQuickReshow);
  }
}

// --- The window ---

TRENVIK_IMPLEMENT_CLASS(TdxBarHintWindow)

TRENVIK_MESSAGE_MAP(TdxBarHintWindow) { M.On(WM_TIMER, &TdxBarHintWindow::WMTimer); }

TdxBarHintWindow::TdxBarHintWindow() : TCustomControl(nullptr) {
  SetVisible(false);
  SetColor(clInfoBk);
}

void TdxBarHintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_DISABLED;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style = CS_SAVEBITS;
  Params.WndParent = nullptr;
}

bool TdxBarHintWindow::Showing() const {
  auto* self = const_cast<TdxBarHintWindow*>(this);
  return self->HandleAllocated() && IsWindowVisible(self->Handle());
}

POINT TdxBarHintWindow::HintPosition(POINT Point, SIZE Size, const RECT& Work) {
  POINT p = Point;
  if (p.x + Size.cx > Work.right) p.x = Work.right - Size.cx;
  if (p.y + Size.cy > Work.bottom) p.y = Point.y - 50;
  p.x = std::max<LONG>(p.x, Work.left);
  p.y = std::max<LONG>(p.y, Work.top);
  return p;
}

void TdxBarHintWindow::ActivateHint(POINT Point, const String& Text, TdxBarManager* Manager) {
  text_ = Text;
  if (Manager->UseSystemFont()) {
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      Canvas()->Font()->SetHandle(CreateFontIndirect(&metrics.lfStatusFont));
    else
      Canvas()->Font()->SetSize(8);
  } else {
    Canvas()->Font()->Assign(Manager->Font());
  }
  Canvas()->Font()->SetColor(clInfoText);
  RECT work = GetWorkAreaAt(Point);
  RECT measure{0, 0, work.right - work.left, 0};
  HandleNeeded();
  ::DrawText(Canvas()->Handle(), text_.c_str(), static_cast<int>(text_.size()), &measure,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SIZE size{measure.right + 6, measure.bottom + 6};
  POINT at = HintPosition(Point, size, work);
  SetBounds(at.x, at.y, size.cx, size.cy);
  Invalidate();
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarHintWindow::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
  DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
  InflateRect(&r, -1, -1);
  r.left += 2;
  r.top += 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  SelectObject(dc, Canvas()->Font()->Handle());
  ::DrawText(dc, text_.c_str(), static_cast<int>(text_.size()), &r, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
}

void TdxBarHintWindow::WMTimer(TMessage& Message) {
  THintState& s = HintState();
  KillTimer(Handle(), Message.WParam);
  if (Message.WParam == kQuickReshowTimer) {
    s.quickReshow = false;
    return;
  }
  if (!s.manager || s.manager->IsDestroying()) return;
  if (Showing())
    UpdateBarHint(s.manager, false);
  else
    ShowHintWindow(s.manager);
}

namespace dxbars_internal {

void CreateHintWindow() {
  if (!HintState().window) HintState().window = new TdxBarHintWindow();
}

void FreeHintWindow() {
  THintState& s = HintState();
  delete s.window;
  s = THintState{};
}

}  // namespace dxbars_internal
