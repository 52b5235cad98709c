// TWinControl: the window, its creation over window classes, children, painting, and messages.
#include <algorithm>
#include <unordered_map>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/forms/native/Notify.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

using namespace forms_internal;

namespace {

std::unordered_map<HWND, TWinControl*>& HandleMap() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

// The control whose window is being made: it takes the window at its first message.
TWinControl* g_creationControl = nullptr;

// The procedures of the native classes the framework's window classes were made over.
std::unordered_map<String, WNDPROC>& ClassProcs() {
  static std::unordered_map<String, WNDPROC> map;
  return map;
}

int g_nextControlId = 1000;

}  // namespace

void forms_internal::RegisterHandle(HWND Wnd, TWinControl* Control) { HandleMap()[Wnd] = Control; }
void forms_internal::UnregisterHandle(HWND Wnd) { HandleMap().erase(Wnd); }

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  auto it = HandleMap().find(Handle);
  return it == HandleMap().end() ? nullptr : it->second;
}

TWinControl* FindFocusedControl() {
  for (HWND h = GetFocus(); h; h = GetParent(h))
    if (TWinControl* c = FindControl(h)) return c;
  return nullptr;
}

TWinControl* FindVCLWindow(POINT Pos) {
  for (HWND h = WindowFromPoint(Pos); h; h = GetParent(h))
    if (TWinControl* c = FindControl(h)) return c;
  return nullptr;
}

TCustomForm* GetParentForm(TControl* Control) {
  TControl* c = Control;
  while (c && c->Parent()) c = c->Parent();
  return dynamic_cast<TCustomForm*>(c);
}

LRESULT FrameworkWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* control = FindControl(Wnd);
  if (!control && g_creationControl) {
    control = g_creationControl;
    g_creationControl = nullptr;
    control->AttachHandle(Wnd);
  }
  if (!control) return DefWindowProc(Wnd, Msg, WParam, LParam);
  TMessage m{Msg, WParam, LParam, 0};
  control->MainWndProc(m);
  if (Msg == WM_NCDESTROY && FindControl(Wnd) == control) {
    UnregisterHandle(Wnd);
    if (control->handle_ == Wnd) control->handle_ = nullptr;
  }
  return m.Result;
}

// --- TWinControl ---

TRENVIK_PUBLISHED(TWinControl) {
  P.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  P.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
  P.Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).Default(true);
  P.Property("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
  P.Property("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode).Default(imDontCare);
  P.Property("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName);
  P.Event("OnEnter", &TWinControl::OnEnter);
  P.Event("OnExit", &TWinControl::OnExit);
  P.Event("OnKeyDown", &TWinControl::OnKeyDown);
  P.Event("OnKeyPress", &TWinControl::OnKeyPress);
  P.Event("OnKeyUp", &TWinControl::OnKeyUp);
}

TRENVIK_MESSAGE_MAP(TWinControl) {
  M.On(WM_PAINT, &TWinControl::WMPaint);
  M.On(WM_ERASEBKGND, &TWinControl::WMEraseBkgnd);
  M.On(WM_SIZE, &TWinControl::WMSize);
  M.On(WM_MOVE, &TWinControl::WMMove);
  M.On(WM_WINDOWPOSCHANGED, &TWinControl::WMWindowPosChanged);
  M.On(WM_SETFOCUS, &TWinControl::WMSetFocus);
  M.On(WM_KILLFOCUS, &TWinControl::WMKillFocus);
  M.On(WM_KEYDOWN, &TWinControl::WMKeyDown);
  M.On(WM_SYSKEYDOWN, &TWinControl::WMSysKeyDown);
  M.On(WM_KEYUP, &TWinControl::WMKeyUp);
  M.On(WM_SYSKEYUP, &TWinControl::WMKeyUp);
  M.On(WM_CHAR, &TWinControl::WMChar);
  M.On(WM_SETCURSOR, &TWinControl::WMSetCursor);
  M.On(WM_COMMAND, &TWinControl::WMCommand);
  M.On(WM_NOTIFY, &TWinControl::WMNotify);
  M.On(WM_DRAWITEM, &TWinControl::WMDrawItem);
  M.On(WM_MEASUREITEM, &TWinControl::WMDrawItem);
  M.On(WM_DELETEITEM, &TWinControl::WMDrawItem);
  M.On(WM_NCDESTROY, &TWinControl::WMNCDestroy);
  M.On(WM_MOUSEWHEEL, &TWinControl::WMMouseWheel);
  M.On(WM_HSCROLL, &TWinControl::WMHScroll);
  M.On(WM_VSCROLL, &TWinControl::WMVScroll);
  for (UINT m : {WM_CTLCOLORMSGBOX, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORBTN, WM_CTLCOLORDLG,
                 WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC})
    M.On(m, &TWinControl::WMCtlColor);
  M.On(CN_KEYDOWN, &TWinControl::CNKeyDown);
  M.On(CN_KEYUP, &TWinControl::CNKeyUp);
  M.On(CN_CHAR, &TWinControl::CNChar);
  M.On(CN_SYSKEYDOWN, &TWinControl::CNSysKeyDown);
  M.On(CN_SYSCHAR, &TWinControl::CNSysChar);
  M.On(CM_DIALOGKEY, &TWinControl::CMDialogKey);
  M.On(CM_DIALOGCHAR, &TWinControl::CMDialogChar);
  M.On(CM_ENTER, &TWinControl::CMEnter);
  M.On(CM_EXIT, &TWinControl::CMExit);
  M.On(CM_COLORCHANGED, &TWinControl::CMColorChanged);
  M.On(CM_FONTCHANGED, &TWinControl::CMFontChanged);
  M.On(CM_CTL3DCHANGED, &TWinControl::CMCtl3DChanged);
  M.On(CM_PARENTCTL3DCHANGED, &TWinControl::CMParentCtl3DChanged);
  M.On(CM_SHOWHINTCHANGED, &TWinControl::CMShowHintChanged);
  M.On(CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged);
  M.On(CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged);
  M.On(CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged);
  M.On(CM_TEXTCHANGED, &TWinControl::CMTextChanged);
  M.On(CM_CURSORCHANGED, &TWinControl::CMCursorChanged);
  M.On(CM_DRAG, &TWinControl::CMDrag);
  M.On(CM_INVALIDATE, &TWinControl::CMInvalidate);
  M.On(CM_FOCUSCHANGED, &TWinControl::CMFocusChanged);
  M.On(CM_SYSCOLORCHANGE, &TWinControl::CMSysColorChange);
  M.On(CM_WININICHANGE, &TWinControl::CMWinIniChange);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  brush_ = std::make_unique<TBrush>();
  brush_->SetColor(Color());
}

TWinControl* TWinControl::CreateParented(HWND ParentWindow) {
  auto* c = new TWinControl(nullptr);
  c->SetParentWindow(ParentWindow);
  return c;
}

TWinControl::~TWinControl() {
  Destroying();
  if (Parent()) {
    if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, true);
  }
  if (handle_) DestroyWindowHandle();
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    controls_.pop_back();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
    c->parent_ = nullptr;
    delete c;
  }
}

// --- The window ---

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
  if (Parent() || parentWindow_ == Value) return;
  if (handle_ && Value) {
    ::SetParent(handle_, Value);
  } else {
    DestroyHandle();
  }
  parentWindow_ = Value;
  UpdateControlState();
}

bool TWinControl::Showing() const { return showing_; }

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = Text();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle().Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!ComponentState().Contains(csDesigning) && !Enabled()) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() ? Parent()->Handle() : parentWindow_;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &DefWindowProc;
  Params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  Params.WindowClass.hbrBackground = nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const String& ClassName) {
  WNDCLASSEX wc;
  if (!GetClassInfoEx(nullptr, ClassName.c_str(), &wc))
    throw EOSError("Window class " + StringToUtf8(ClassName) + " is not registered");
  Params.WindowClass = wc;
  Params.WindowClass.style &= ~(CS_GLOBALCLASS | CS_OWNDC);
  Params.WindowClass.lpszClassName = nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD) &&
      !(Owner() && Owner()->ComponentState().Contains(csReading)))
    throw EInvalidOperation(StringToUtf8(u"Control '" + Name() + u"' has no parent window"));
  defWndProc_ = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : &DefWindowProc;
  WNDCLASSEX existing;
  const bool registered = GetClassInfoEx(nullptr, params.WinClassName.c_str(), &existing);
  if (!registered || existing.lpfnWndProc != &FrameworkWndProc) {
    if (registered) UnregisterClass(params.WinClassName.c_str(), nullptr);
    WNDCLASSEX wc = params.WindowClass;
    wc.lpfnWndProc = &FrameworkWndProc;
    wc.lpszClassName = params.WinClassName.c_str();
    RegisterClassEx(&wc);
    ClassProcs()[params.WinClassName] = defWndProc_;
  } else {
    auto it = ClassProcs().find(params.WinClassName);
    if (it != ClassProcs().end() && it->second != defWndProc_) it->second = defWndProc_;
  }
  CreateWindowHandle(params);
  if (!handle_) throw EOSError("Error creating window of " + StringToUtf8(ClassName()));
  if ((GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) && GetWindowLong(handle_, GWL_ID) == 0)
    SetWindowLong(handle_, GWL_ID, g_nextControlId++);
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  TWinControl* saved = g_creationControl;
  g_creationControl = this;
  HWND h = nullptr;
  {
    TScopeExit restore([&] { g_creationControl = saved; });
    h = CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                       Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr,
                       Params.Param);
  }
  if (h && !handle_) AttachHandle(h);
}

void TWinControl::AttachHandle(HWND Wnd) {
  handle_ = Wnd;
  RegisterHandle(Wnd, this);
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  ControlState();
  SetControlState(ControlState() + TControlState{csCreating});
  {
    TScopeExit created([&] { SetControlState(ControlState() - TControlState{csCreating}); });
    CreateWnd();
  }
  if (Parent()) {
    // Keep the windows' z-order the same as the controls'.
    HWND after = HWND_TOP;
    auto& list = Parent()->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    for (auto j = list.begin(); j != it; ++j)
      if (auto* w = dynamic_cast<TWinControl*>(*j); w && w->handle_) after = w->handle_;
    if (after == HWND_TOP) after = HWND_BOTTOM;
    SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (TControl* c : controls_) c->UpdateAnchorRules();
}

void TWinControl::DestroyWnd() {
  const String text = GetWindowTextString(handle_);
  DestroyWindowHandle();
  SetTextValue(text);
}

void TWinControl::DestroyWindowHandle() {
  SetControlState(ControlState() + TControlState{csDestroyingHandle});
  HWND h = handle_;
  if (h) {
    DestroyWindow(h);
    UnregisterHandle(h);
  }
  handle_ = nullptr;
  showing_ = false;
  SetControlState(ControlState() - TControlState{csDestroyingHandle});
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  // The window is made again on the next UpdateControlState (at once when showing).
  DestroyHandle();
  UpdateControlState();
}

void TWinControl::UpdateShowing() {
  const bool show = (Visible() || ComponentState().Contains(csDesigning)) &&
                    !ControlState().Contains(csReadingState) && !ComponentState().Contains(csLoading);
  if (show) {
    if (!handle_) CreateHandle();
    for (TControl* c : std::vector<TControl*>(controls_))
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
  }
  if (handle_ && showing_ != show) {
    showing_ = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      showing_ = !show;
      throw;
    }
    if (!show)
      for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* c = this;
  while (c->Parent()) {
    c = c->Parent();
    if (!c->Showing()) return;
  }
  if (dynamic_cast<TCustomForm*>(c) || c->parentWindow_) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  constexpr UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, flags | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  if (!Visible() && Parent()) {
    if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, false);
  }
  if (!ComponentState().Contains(csDesigning) || handle_) UpdateControlState();
  (void)Message;
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Enabled() && Parent()) {
    if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, false);
  }
  if (handle_ && !ComponentState().Contains(csDesigning)) EnableWindow(handle_, Enabled());
  Invalidate();
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!handle_) {
    inherited::DefaultHandler(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_CONTEXTMENU:
      if (Parent()) {
        Message.Result = Parent()->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result != 0) return;
      }
      break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      Message.Result = SendMessage(reinterpret_cast<HWND>(Message.LParam), CN_BASE + Message.Msg,
                                   Message.WParam, Message.LParam);
      return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToColorRef(Font()->Color()));
      SetBkColor(dc, ColorToColorRef(brush_->Color()));
      Message.Result = reinterpret_cast<LRESULT>(brush_->Handle());
      return;
    }
    default:
      break;
  }
  Message.Result = CallWindowProc(defWndProc_, handle_, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::MainWndProc(TMessage& Message) {
  RunEvent(this, [&] {
    if (WindowProc)
      WindowProc(Message);
    else
      WndProc(Message);
  });
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* f = GetParentForm(this); f && !f->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (ControlState().Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST: {
      inherited::WndProc(Message);
      if (Message.Result == HTTRANSPARENT) {
        POINT p = ScreenToClient(PointFromLParam(Message.LParam));
        if (ControlAtPos(p, false)) Message.Result = HTCLIENT;
      }
      return;
    }
    case WM_CANCELMODE:
      if (GetCapture() == handle_ && CaptureControl() && CaptureControl()->Parent() == this)
        CaptureControl()->Perform(WM_CANCELMODE, 0, 0);
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
        if (IsControlMouseMsg(static_cast<TWMMouse&>(Message))) {
          if (Message.Result == 0 && handle_)
            DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
          return;
        }
      } else if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
        if (Dragging()) return;
      }
      break;
  }
  inherited::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TWMMouse& Message) {
  TControl* control = nullptr;
  if (handle_ && GetCapture() == handle_) {
    if (CaptureControl() && CaptureControl()->Parent() == this) control = CaptureControl();
  } else {
    control = ControlAtPos(Message.Pos(), false);
  }
  if (!control) return false;
  POINT p{Message.XPos() - control->Left(), Message.YPos() - control->Top()};
  Message.Result = control->Perform(Message.Msg, Message.WParam, PointToLParam(p));
  return true;
}

// --- Children ---

void TWinControl::InsertControl(TControl* AControl) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  controls_.push_back(AControl);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) tabList_.push_back(w);
  AControl->parent_ = this;
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
      AControl->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      w->UpdateControlState();
    } else if (handle_) {
      AControl->Invalidate();
    }
    AControl->UpdateAnchorRules();
    Realign();
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* f = GetParentForm(w)) f->DefocusControl(w, true);
    w->DestroyHandle();
  } else if (handle_) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), AControl), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), AControl), tabList_.end());
  AControl->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (!ComponentState().Contains(csDestroying)) Realign();
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (Parent() == AParent) return;
  if (!AParent && handle_ && !parentWindow_) DestroyHandle();
  inherited::SetParent(AParent);
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
    if (windowed && !AllowWinControls) continue;
    if (!(c->Visible() || c->ComponentState().Contains(csDesigning))) continue;
    if (!(c->Enabled() || AllowDisabled)) continue;
    POINT p{Pos.x - c->Left(), Pos.y - c->Top()};
    RECT r{0, 0, c->Width(), c->Height()};
    if (PtInRect(&r, p) && c->Perform(CM_HITTEST, 0, PointToLParam(p)) != 0) return c;
  }
  return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) const {
  for (TControl* c : controls_)
    if (SameText(c->Name(), ControlName)) return c;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->WindowProc)
      c->WindowProc(Message);
    else
      c->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TControl* c : controls_)
    if (c->Owner() == Root) Proc(c);
  // As the root (a form, a frame), the owned components without a parent (timers, menus, action
  // lists) are its children too.
  TComponent::GetChildren(Proc, Root);
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
  auto* c = dynamic_cast<TControl*>(Child);
  if (!c || c->Parent() != this) return;
  auto it = std::find(controls_.begin(), controls_.end(), c);
  controls_.erase(it);
  controls_.insert(controls_.begin() + std::clamp<int>(Order, 0, static_cast<int>(controls_.size())), c);
}

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    inherited::ReadState(Reader);
  } catch (...) {
    EnableAlign();
    throw;
  }
  // The children's TabOrder values were kept while reading: order the tab list by them.
  std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
    const unsigned ka = static_cast<unsigned>(a->tabOrderRead_), kb = static_cast<unsigned>(b->tabOrderRead_);
    return ka < kb;
  });
  for (TWinControl* c : tabList_) c->tabOrderRead_ = -1;
  EnableAlign();
}

void TWinControl::Loaded() {
  inherited::Loaded();
  Realign();
  if (handle_ || (Parent() && Parent()->Showing())) UpdateControlState();
}

// --- Placement ---

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!ComponentState().Contains(csLoading)) {
    int w = AWidth, h = AHeight;
    if (!CanResize(w, h)) {
      w = Width();
      h = Height();
    }
    AWidth = w;
    AHeight = h;
  }
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (handle_ && !IsIconic(handle_)) {
    // WM_WINDOWPOSCHANGED brings the rectangle the window took.
    SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    const bool resized = AWidth != Width() || AHeight != Height();
    UpdateBoundsRect(RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight});
    if (resized) {
      Realign();
      if (!ComponentState().Contains(csLoading)) Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBoundsRect(const RECT& R) { inherited::UpdateBoundsRect(R); }

RECT TWinControl::ClientRect() {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r;
  }
  return inherited::ClientRect();
}

POINT TWinControl::ClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  if (handle_ && !IsIconic(handle_)) {
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) {
      POINT pts[2] = {{r.left, r.top}, {r.right, r.bottom}};
      MapWindowPoints(nullptr, GetParent(handle_), pts, 2);
      r = RECT{pts[0].x, pts[0].y, pts[1].x, pts[1].y};
    }
    inherited::UpdateBoundsRect(r);
  }
  DefaultHandler(Message);
}

void TWinControl::WMMove(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMSize(TWMSize& Message) {
  DefaultHandler(Message);
  Realign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::SetZOrder(bool TopMost) {
  inherited::SetZOrder(TopMost);
  if (handle_)
    SetWindowPos(handle_, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- Text ---

String TWinControl::GetText() {
  if (handle_) return GetWindowTextString(handle_);
  return inherited::GetText();
}

void TWinControl::SetTextValue(const String& Value) {
  if (handle_)
    SetWindowText(handle_, Value.c_str());
  else
    inherited::SetTextValue(Value);
}

void TWinControl::CMTextChanged(TMessage&) {}

// --- Painting ---

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::InvalidateFrame() {
  if (handle_)
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinControl::CMInvalidate(TMessage&) { Invalidate(); }

void TWinControl::WMPaint(TWMPaint& Message) { PaintHandler(Message); }

void TWinControl::PaintHandler(TWMPaint& Message) {
  PAINTSTRUCT ps;
  HDC dc = Message.DC();
  if (!dc) dc = BeginPaint(handle_, &ps);
  try {
    const int saved = SaveDC(dc);
    bool any = true;
    for (TControl* c : controls_) {
      if (dynamic_cast<TWinControl*>(c)) continue;
      if ((c->Visible() || c->ComponentState().Contains(csDesigning)) && c->ControlStyle().Contains(csOpaque))
        if (ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()) ==
            NULLREGION) {
          any = false;
          break;
        }
    }
    if (any) PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
  } catch (...) {
    if (!Message.DC()) EndPaint(handle_, &ps);
    throw;
  }
  if (!Message.DC()) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = controls_.begin();
  if (First) {
    auto f = std::find(controls_.begin(), controls_.end(), First);
    if (f != controls_.end()) it = f;
  }
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!(c->Visible() || c->ComponentState().Contains(csDesigning))) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(DC, &r)) continue;
    if (ControlState().Contains(csPaintCopy))
      c->SetControlState(c->ControlState() + TControlState{csPaintCopy});
    const int saved = SaveDC(DC);
    OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
    c->SetControlState(c->ControlState() - TControlState{csPaintCopy});
  }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  SetControlState(ControlState() + TControlState{csPaintCopy});
  const int saved = SaveDC(DC);
  OffsetViewportOrgEx(DC, X, Y, nullptr);
  IntersectClipRect(DC, 0, 0, Width(), Height());
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible()) w->PaintTo(DC, w->Left(), w->Top());
  RestoreDC(DC, saved);
  SetControlState(ControlState() - TControlState{csPaintCopy});
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  RECT r = ClientRect();
  FillRect(Message.DC(), &r, brush_->Handle());
  Message.Result = 1;
}

// --- Appearance ---

void TWinControl::CMColorChanged(TMessage&) {
  brush_->SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
  Invalidate();
}

void TWinControl::CMFontChanged(TMessage&) {
  if (handle_) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
  Invalidate();
}

void TWinControl::SetCtl3D(bool Value) {
  if (ctl3D_ == Value) return;
  ctl3D_ = Value;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (parentCtl3D_ == Value) return;
  parentCtl3D_ = Value;
  if (Parent() && !ComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyControls(CM_PARENTCTL3DCHANGED); }

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (parentCtl3D_ && Parent()) {
    if (ctl3D_ != Parent()->Ctl3D()) {
      ctl3D_ = Parent()->Ctl3D();
      Perform(CM_CTL3DCHANGED, 0, 0);
    }
  }
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMSysColorChange(TMessage& Message) {
  Broadcast(Message);
  Message.Result = 0;
}

void TWinControl::CMWinIniChange(TMessage& Message) {
  Broadcast(Message);
  Message.Result = 0;
}

void TWinControl::SetBorderWidth(int Value) {
  if (borderWidth_ == Value) return;
  borderWidth_ = Value;
  Realign();
  Invalidate();
}

void TWinControl::CMCursorChanged(TMessage&) {
  POINT p;
  GetCursorPos(&p);
  if (handle_ && WindowFromPoint(p) == handle_)
    SendMessage(handle_, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_), HTCLIENT);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == handle_) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      TControl* c = ControlAtPos(p, false);
      if (c) cursor = c->Cursor();
      if (cursor == crDefault) cursor = Cursor();
    }
    if (cursor != crDefault && Screen) {
      ::SetCursor(Screen->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// --- Reflection of child notifications ---

namespace {
bool ReflectTo(HWND Child, TMessage& Message) {
  TWinControl* c = FindControl(Child);
  if (!c) return false;
  Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  return true;
}
}  // namespace

void TWinControl::WMCommand(TWMCommand& Message) {
  if (!ReflectTo(Message.Ctl(), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  if (!hdr || !ReflectTo(hdr->hwndFrom, Message)) DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message) {
  HWND child = Message.WParam && handle_ ? GetDlgItem(handle_, static_cast<int>(Message.WParam)) : nullptr;
  if (!child || !ReflectTo(child, Message)) DefaultHandler(Message);
}

void TWinControl::WMHScroll(TMessage& Message) {
  if (!Message.LParam || !ReflectTo(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVScroll(TMessage& Message) {
  if (!Message.LParam || !ReflectTo(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  showing_ = false;
}

void TWinControl::WMMouseWheel(TWMMouseWheel& Message) {
  TMessage m{CM_MOUSEWHEEL, Message.WParam, Message.LParam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  if (m.Result == 0)
    DefaultHandler(Message);
  else
    Message.Result = m.Result;
}

// --- Utility windows ---

namespace {
std::unordered_map<HWND, TWndMethod>& UtilityMethods() {
  static std::unordered_map<HWND, TWndMethod> map;
  return map;
}

LRESULT UtilityWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto it = UtilityMethods().find(Wnd);
  if (it == UtilityMethods().end() || !it->second) return DefWindowProc(Wnd, Msg, WParam, LParam);
  TWndMethod method = it->second;  // the method may deallocate the window
  TMessage m{Msg, WParam, LParam, 0};
  RunEvent(nullptr, [&] { method(m); });
  return m.Result;
}
}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEX wc;
    wc.lpfnWndProc = &UtilityWndProc;
    wc.lpszClassName = u"TPUtilWindow";
    RegisterClassEx(&wc);
    registered = true;
  }
  HWND h = CreateWindowEx(WS_EX_TOOLWINDOW, u"TPUtilWindow", u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          nullptr, nullptr);
  UtilityMethods()[h] = std::move(Method);
  return h;
}

void DeallocateHWnd(HWND Wnd) {
  UtilityMethods().erase(Wnd);
  if (IsWindow(Wnd)) DestroyWindow(Wnd);
}
