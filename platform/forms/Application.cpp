// TApplication: the message loop, exceptions, the main form, hints; TApplicationEvents.
#include <algorithm>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/TestFailureReport.h"
#include "platform/win/Windows.h"

using namespace forms_internal;

TApplication* Application = nullptr;

String GetShortHint(const String& Hint) {
  auto i = Hint.find(u'|');
  return i == String::npos ? Hint : Hint.substr(0, i);
}

String GetLongHint(const String& Hint) {
  auto i = Hint.find(u'|');
  return i == String::npos ? Hint : Hint.substr(i + 1);
}

namespace {
constexpr UINT_PTR kHintTimerId = 1;

String GetHint(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (!c->Hint().empty()) return c->Hint();
  return String();
}

TControl* GetHintControl(TControl* Control) {
  TControl* c = Control;
  while (c && !c->ShowHint()) c = c->Parent();
  if (c && c->ComponentState().Contains(csDesigning)) c = nullptr;
  return c;
}

// How far below the cursor's hot spot a hint window starts.
constexpr int kCursorHeightMargin = 20;
}  // namespace

TRENVIK_IMPLEMENT_CLASS(TApplication)

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  auto& hooks = ApplicationHooks();
  hooks.HintMouseMessage = [this](TControl* c, const TMessage& m) {
    HintMouseMessage(c, MSG{nullptr, m.Msg, m.WParam, m.LParam, 0, {}});
  };
  hooks.ControlDestroying = [this](TControl* c) {
    if (hintControl_ == c) {
      hintControl_ = nullptr;
      HideHint();
      StopHintTimer();
      hintActive_ = false;
    }
    if (mouseControl_ == c) mouseControl_ = nullptr;
    if (Screen && Screen->activeControl_ == c) Screen->activeControl_ = nullptr;
    if (c == hintWindow_) {
      hintWindow_ = nullptr;
      hintVisible_ = false;
    }
  };
  hooks.HandleException = [this](TObject* Sender) { HandleException(Sender); };
  hooks.CancelHint = [this] { CancelHint(); };
}

TApplication::~TApplication() {
  auto& hooks = ApplicationHooks();
  hooks = TApplicationHooks{};
  StopHintTimer();
  if (hintWindow_) {
    THintWindow* w = hintWindow_;
    hintWindow_ = nullptr;
    delete w;
  }
  Destroying();
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) f->BeforeDestruction();
  DestroyComponents();
  if (handle_) {
    DeallocateHWnd(handle_);
    handle_ = nullptr;
  }
}

void TApplication::Initialize() { Handle(); }

HWND TApplication::Handle() {
  if (!handle_) {
    handle_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    SetWindowText(handle_, title_.c_str());
  }
  return handle_;
}

String TApplication::ExeName() const { return ApplicationExeName(); }

bool TApplication::Active() const { return active_; }

void TApplication::CreateFormInstance(TClass FormClass, const std::function<void(TComponent*)>& Store) {
  if (!FormClass || !FormClass->InheritsFrom(TCustomForm::StaticClass()))
    throw EInvalidCast("Invalid class typecast");
  auto* form = static_cast<TCustomForm*>(FormClass->NewInstance(this));
  Store(form);
  try {
    form->AfterConstruction();
  } catch (...) {
    Store(nullptr);
    delete form;
    throw;
  }
  if (!mainForm_) {
    form->HandleNeeded();
    mainForm_ = form;
  }
}

void TApplication::CreateForm(TClass FormClass, TComponent** Ref) {
  CreateFormInstance(FormClass, [Ref](TComponent* f) {
    if (Ref) *Ref = f;
  });
}

void TApplication::Run() {
  if (mainForm_ && showMainForm_) mainForm_->SetVisible(true);
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  for (TApplicationEvents* e : std::vector<TApplicationEvents*>(events_)) {
    if (handled) break;
    if (e->OnMessage) e->OnMessage(Msg, handled);
  }
  if (!IsHintMsg(Msg) && !handled && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  if (showHint_ && !mouseControl_) CancelHint();
  SetHint(GetLongHint(GetHint(mouseControl_)));
  bool done = true;
  try {
    if (auto& update = forms_internal::MenuHooks().UpdateActions) update();
    if (OnIdle) OnIdle(this, done);
    for (TApplicationEvents* e : std::vector<TApplicationEvents*>(events_))
      if (e->OnIdle) e->OnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
  if (done) WaitMessage();
}

void TApplication::DoMouseIdle() {
  POINT p;
  GetCursorPos(&p);
  TControl* control = FindDragTarget(p, true);
  if (control && control->ComponentState().Contains(csDesigning)) control = nullptr;
  TControl* capture = GetCaptureControl();
  if (mouseControl_ != control) {
    if ((mouseControl_ && !capture) || (capture && mouseControl_ == capture))
      mouseControl_->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(mouseControl_));
    mouseControl_ = control;
    if ((mouseControl_ && !capture) || (capture && mouseControl_ == capture))
      mouseControl_->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(mouseControl_));
  }
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) {
    wnd = Msg.hwnd;
    while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
    if (!wnd) wnd = Msg.hwnd;
  }
  return wnd && SendMessage(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsHintMsg(MSG& Msg) {
  if (hintWindow_ && hintVisible_ && hintWindow_->IsHintMsg(Msg)) CancelHint();
  return false;
}

void TApplication::SetHint(const String& Value) {
  if (hint_ == Value) return;
  hint_ = Value;
  if (OnHint) OnHint(this);
  for (TApplicationEvents* e : std::vector<TApplicationEvents*>(events_))
    if (e->OnHint) e->OnHint(this);
}

void TApplication::SetShowHint(bool Value) {
  if (showHint_ == Value) return;
  showHint_ = Value;
  if (!Value) CancelHint();
}

// --- Exceptions ---

void TApplication::HandleException(TObject* Sender) {
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  auto handle = [&](Exception& E) {
    bool any = false;
    if (OnException) {
      any = true;
      OnException(Sender, E);
    }
    for (TApplicationEvents* e : std::vector<TApplicationEvents*>(events_)) {
      if (!e->OnException) continue;
      any = true;
      e->cancelled_ = false;
      e->OnException(Sender, E);
      if (e->cancelled_) break;
    }
    if (!any) ShowException(E);
  };
  ++handlingException_;
  try {
    try {
      throw;
    } catch (EAbort&) {
    } catch (Exception& E) {
      handle(E);
    } catch (std::exception& E) {
      Exception wrapped(E.what());
      handle(wrapped);
    } catch (...) {
      Exception wrapped("Exception of an unknown kind");
      handle(wrapped);
    }
  } catch (...) {
    --handlingException_;
    throw;
  }
  --handlingException_;
}

void TApplication::ShowException(const Exception& E) {
  String msg = E.Message();
  if (!msg.empty() && msg.back() > u'.') msg += u'.';
  // Under a test nobody would close the box: the test fails with the message instead, unless it
  // answers boxes itself.
  if (TestFailureReporter() && !forms_internal::MessageBoxHooked()) {
    TestFailureReporter()("Unhandled exception in an event handler: " + StringToUtf8(msg));
    return;
  }
  String title = title_;
  if (title.empty()) {
    title = ExtractFileName(ExeName());
    auto dot = title.rfind(u'.');
    if (dot != String::npos) title.resize(dot);
  }
  MessageBox(msg, title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = Handle();
  String caption = Caption;
  if (caption.empty()) caption = title_;
  return ::MessageBox(owner, Text, caption, Flags);
}

// --- Application window ---

void TApplication::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam == kHintTimerId) HintTimerExpired();
      break;
    case WM_ACTIVATEAPP:
      SetActiveState(Message.WParam != 0);
      break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: {
      // The forms and their controls hear of it as the framework's notifications (the format
      // settings themselves are already current: the locale module keeps them).
      const UINT cm = Message.Msg == WM_SETTINGCHANGE ? CM_WININICHANGE : CM_SYSCOLORCHANGE;
      if (Screen)
        for (int i = Screen->FormCount() - 1; i >= 0; --i)
          if (i < Screen->FormCount()) Screen->Forms(i)->Perform(cm, Message.WParam, Message.LParam);
      Message.Result = DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
      break;
    }
    default:
      Message.Result = DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
      break;
  }
}

void TApplication::SetActiveState(bool Value) {
  if (active_ == Value) return;
  active_ = Value;
  if (!Value) CancelHint();
  TNotifyEvent TApplication::*own = Value ? &TApplication::OnActivate : &TApplication::OnDeactivate;
  if (this->*own) (this->*own)(this);
  for (TApplicationEvents* e : std::vector<TApplicationEvents*>(events_)) {
    TNotifyEvent& ev = Value ? e->OnActivate : e->OnDeactivate;
    if (ev) ev(this);
  }
}

// --- Hints ---

void TApplication::StartHintTimer(int Value) {
  StopHintTimer();
  SetTimer(Handle(), kHintTimerId, static_cast<UINT>(std::max(Value, 1)), nullptr);
  hintTimerOn_ = true;
}

void TApplication::StopHintTimer() {
  if (hintTimerOn_ && handle_) KillTimer(handle_, kHintTimerId);
  hintTimerOn_ = false;
}

void TApplication::HintMouseMessage(TControl* Control, const MSG& Msg) {
  const POINT screen = Control->ClientToScreen(PointFromLParam(Msg.lParam));
  TControl* newHint = GetHintControl(FindDragTarget(screen, true));
  if (!newHint || !newHint->ShowHint()) {
    CancelHint();
    return;
  }
  if (newHint != hintControl_ || !PtInRect(&hintCursorRect_, screen)) {
    const bool wasActive = hintActive_;
    int pause = wasActive ? hintShortPause_ : hintPause_;
    newHint->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
    CancelHint();
    hintActive_ = wasActive;
    hintControl_ = newHint;
    hintTimerKind_ = htShow;
    StartHintTimer(pause);
  }
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (hintTimerKind_ == htHide) {
    HideHint();
  } else if (hintTimerKind_ == htShow || hintTimerKind_ == htReshow) {
    POINT p;
    GetCursorPos(&p);
    ActivateHint(p);
  }
}

void TApplication::ActivateHint(POINT CursorPos) {
  hintActive_ = false;
  if (!showHint_ || !hintControl_ || hintControl_ != GetHintControl(FindDragTarget(CursorPos, true))) return;
  THintInfo info;
  info.HintControl = hintControl_;
  info.HintPos = CursorPos;
  info.HintPos.y += kCursorHeightMargin;
  info.HintMaxWidth = Screen ? Screen->Width() : 1024;
  info.HintColor = hintColor_;
  info.CursorRect = hintControl_->BoundsRect();
  POINT clientOrigin = hintControl_->ClientOrigin();
  POINT parentOrigin{0, 0};
  if (hintControl_->Parent()) parentOrigin = hintControl_->Parent()->ClientOrigin();
  OffsetRect(&info.CursorRect, parentOrigin.x - clientOrigin.x, parentOrigin.y - clientOrigin.y);
  info.CursorPos = hintControl_->ScreenToClient(CursorPos);
  info.HintStr = GetShortHint(GetHint(hintControl_));
  info.ReshowTimeout = 0;
  info.HideTimeout = hintHidePause_;
  info.HintWindowClass = HintWindowClass ? HintWindowClass : THintWindow::StaticClass();
  bool canShow = hintControl_->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  for (TApplicationEvents* e : std::vector<TApplicationEvents*>(events_))
    if (canShow && e->OnShowHint) e->OnShowHint(info.HintStr, canShow, info);
  hintActive_ = canShow && hintControl_;
  if (hintActive_ && !info.HintStr.empty()) {
    if (hintWindow_ && hintWindow_->ClassType() != info.HintWindowClass) {
      THintWindow* old = hintWindow_;
      hintWindow_ = nullptr;
      delete old;
    }
    if (!hintWindow_) hintWindow_ = static_cast<THintWindow*>(info.HintWindowClass->NewInstance(this));
    hintWindow_->SetColor(info.HintColor);
    RECT r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&r, info.HintPos.x, info.HintPos.y);
    if (Screen) {
      RECT area = Screen->DesktopRect();
      if (r.right > area.right) OffsetRect(&r, area.right - r.right, 0);
      if (r.left < area.left) OffsetRect(&r, area.left - r.left, 0);
      if (r.bottom > area.bottom) OffsetRect(&r, 0, area.bottom - r.bottom);
      if (r.top < area.top) OffsetRect(&r, 0, area.top - r.top);
    }
    POINT tl = hintControl_->ClientToScreen(POINT{info.CursorRect.left, info.CursorRect.top});
    POINT br = hintControl_->ClientToScreen(POINT{info.CursorRect.right, info.CursorRect.bottom});
    hintCursorRect_ = RECT{tl.x, tl.y, br.x, br.y};
    hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
    hintVisible_ = true;
    hintTimerKind_ = info.ReshowTimeout > 0 ? htReshow : htHide;
    StartHintTimer(info.ReshowTimeout > 0 ? info.ReshowTimeout : info.HideTimeout);
    return;
  }
  if (info.ReshowTimeout > 0) {
    hintTimerKind_ = htReshow;
    StartHintTimer(info.ReshowTimeout);
  } else {
    CancelHint();
  }
}

void TApplication::HideHint() {
  if (hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle()))
    ShowWindow(hintWindow_->Handle(), SW_HIDE);
  hintVisible_ = false;
}

void TApplication::CancelHint() {
  if (!hintControl_) return;
  HideHint();
  hintControl_ = nullptr;
  hintActive_ = false;
  StopHintTimer();
}

// --- TApplicationEvents ---

TRENVIK_PUBLISHED(TApplicationEvents) {
  P.Event("OnException", &TApplicationEvents::OnException);
  P.Event("OnIdle", &TApplicationEvents::OnIdle);
  P.Event("OnHint", &TApplicationEvents::OnHint);
  P.Event("OnShowHint", &TApplicationEvents::OnShowHint);
  P.Event("OnMessage", &TApplicationEvents::OnMessage);
  P.Event("OnActivate", &TApplicationEvents::OnActivate);
  P.Event("OnDeactivate", &TApplicationEvents::OnDeactivate);
}

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) {
  if (Application) Application->events_.push_back(this);
}

TApplicationEvents::~TApplicationEvents() {
  if (Application) std::erase(Application->events_, this);
}

bool TApplication::HelpCommand(UINT Command, ULONG_PTR Data) {
  bool callHelp = true;
  bool result = false;
  if (OnHelp) result = OnHelp(Command, Data, callHelp);
  if (callHelp) result = WinHelp(Handle(), helpFile_, Command, Data) != FALSE;
  return result;
}
