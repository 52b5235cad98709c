// TCustomForm: creation from a form resource, showing (modeless and modal), closing, activation,
// the focused control with its exit and enter notifications, and the dialog keys.
#include <cstdio>

#include "platform/classes/FormResources.h"
#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

using namespace forms_internal;

namespace {
// Counts focus changes: an OnExit or OnEnter that moves the focus elsewhere ends the walk.
int g_focusCount = 0;

bool SendFocusMessage(HWND Window, UINT Msg) {
  const int count = g_focusCount;
  SendMessage(Window, Msg, 0, 0);
  return g_focusCount == count;
}

// The form that had the keyboard focus (CM_ACTIVATE / CM_DEACTIVATE go between these).
TCustomForm* g_focusedForm = nullptr;
std::vector<TCustomForm*> g_savedFocusedForms;

std::vector<HWND> DisableTaskWindows() {
  std::vector<HWND> all;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> disabled;
  for (HWND h : all)
    if (IsWindowVisible(h) && IsWindowEnabled(h)) {
      disabled.push_back(h);
      EnableWindow(h, FALSE);
    }
  return disabled;
}

void EnableTaskWindows(const std::vector<HWND>& List) {
  for (HWND h : List)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}
}  // namespace

TRENVIK_PUBLISHED(TCustomForm) {
  P.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
  P.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  P.Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
  P.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).Stored(false);
  P.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).Stored(false);
  P.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
  P.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
  P.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
  P.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  P.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  P.Property("AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend).Default(false);
  P.Property("AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue).Default(255);
  P.Property("TransparentColor", &TCustomForm::TransparentColor, &TCustomForm::SetTransparentColor)
      .Default(false);
  P.Property("TransparentColorValue", &TCustomForm::TransparentColorValue,
             &TCustomForm::SetTransparentColorValue)
      .Default(0);
  P.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch).NoDefault();
  P.Property("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight).NoDefault();
  P.Property("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder).Default(false);
  P.Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
  P.Property("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll).Default(false);
  P.Event("OnCreate", &TCustomForm::OnCreate);
  P.Event("OnDestroy", &TCustomForm::OnDestroy);
  P.Event("OnShow", &TCustomForm::OnShow);
  P.Event("OnHide", &TCustomForm::OnHide);
  P.Event("OnActivate", &TCustomForm::OnActivate);
  P.Event("OnDeactivate", &TCustomForm::OnDeactivate);
  P.Event("OnPaint", &TCustomForm::OnPaint);
  P.Event("OnClose", &TCustomForm::OnClose);
  P.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
  P.Event("OnShortCut", &TCustomForm::OnShortCut);
}

TRENVIK_IMPLEMENT_CLASS(TForm)

TRENVIK_MESSAGE_MAP(TCustomForm) {
  M.On(WM_CLOSE, &TCustomForm::WMClose);
  M.On(WM_ACTIVATE, &TCustomForm::WMActivate);
  M.On(WM_SETFOCUS, &TCustomForm::WMSetFocus);
  M.On(WM_SYSCOMMAND, &TCustomForm::WMSysCommand);
  M.On(WM_SIZE, &TCustomForm::WMSize);
  M.On(WM_COMMAND, &TCustomForm::WMCommand);
  M.On(CM_ACTIVATE, &TCustomForm::CMActivate);
  M.On(CM_DEACTIVATE, &TCustomForm::CMDeactivate);
  M.On(CM_DIALOGKEY, &TCustomForm::CMDialogKey);
  M.On(CM_RELEASE, &TCustomForm::CMRelease);
  M.On(CM_SHOWINGCHANGED, &TCustomForm::CMShowingChanged);
  M.On(CM_VISIBLECHANGED, &TCustomForm::CMVisibleChanged);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
  SetControlStyle(
      TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetVisible(false);
  SetColor(clBtnFace);
  Font()->SetName(u"MS Sans Serif");
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  // A destructor cannot pass an exception on: what OnDestroy raised with no application to take
  // it is reported here instead of ending the program.
  try {
    BeforeDestruction();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: exception in OnDestroy: %s\n", StringToUtf8(Name()).c_str(), e.what());
  } catch (...) {
    std::fprintf(stderr, "%s: exception in OnDestroy\n", StringToUtf8(Name()).c_str());
  }
  if (g_focusedForm == this) g_focusedForm = nullptr;
  std::erase(g_savedFocusedForms, this);
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->mainForm_ == this) Application->mainForm_ = nullptr;
  if (HandleAllocated()) DestroyWindowHandle();
}

void TCustomForm::AfterConstruction() {
  if (constructed_) return;
  constructed_ = true;
  if (ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass()) {
    formState_.Include(fsCreating);
    TScopeExit created([&] { formState_.Exclude(fsCreating); });
    if (!InitInheritedComponent(this, TForm::StaticClass()))
      throw EResNotFound("Resource " + StringToUtf8(ClassName()) + " not found");
  }
  DoCreate();
  if (Visible()) UpdateControlState();
}

void TCustomForm::BeforeDestruction() {
  Destroying();
  if (destroyFired_) return;
  destroyFired_ = true;
  RunEvent(this, [&] { DoDestroy(); });
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
  if (formState_.Contains(fsActivated)) {
    formState_.Exclude(fsActivated);
    Activate();
  }
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::Loaded() {
  inherited::Loaded();
  if (activeControl_) {
    // The ActiveControl named in the resource becomes the focused one when the form activates.
    focusedControl_ = nullptr;
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == activeControl_) activeControl_ = nullptr;
    if (AComponent == focusedControl_) focusedControl_ = nullptr;
  }
}

void TCustomForm::SetParent(TWinControl* AParent) {
  if (Parent() == AParent) return;
  if (HandleAllocated()) DestroyHandle();
  inherited::SetParent(AParent);
}

String TCustomForm::GetText() { return inherited::GetText(); }
void TCustomForm::SetTextValue(const String& Value) { inherited::SetTextValue(Value); }

RECT TCustomForm::ClientRect() {
  if (HandleAllocated()) return inherited::ClientRect();
  // Without a window: the frame its styles will give it.
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  return RECT{0, 0, std::max(0, Width() - (frame.right - frame.left)),
              std::max(0, Height() - (frame.bottom - frame.top))};
}

// --- The window ---

void TCustomForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!Parent() && !ParentWindow()) {
    Params.WndParent = Application ? Application->Handle() : nullptr;
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  }
  Params.WindowClass.style = CS_DBLCLKS;
  if (position_ == poDefault || position_ == poDefaultPosOnly) {
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
  }
  TBorderIcons icons = borderIcons_;
  TFormBorderStyle style = borderStyle_;
  switch (style) {
    case bsNone:
      if (!Parent() && !ParentWindow()) Params.Style |= WS_POPUP;
      icons = {};
      break;
    case bsSingle:
    case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      icons = icons * TBorderIcons{biSystemMenu, biHelp};
      Params.WindowClass.style |= CS_DBLCLKS | CS_SAVEBITS;
      break;
  }
  if (style == bsToolWindow || style == bsSizeToolWin) {
    Params.ExStyle = WS_EX_TOOLWINDOW;
    icons = icons * TBorderIcons{biSystemMenu};
  }
  if (style == bsSingle || style == bsSizeable || style == bsNone) {
    if (icons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    if (windowState_ == wsMinimized) Params.Style |= WS_MINIMIZE;
    if (windowState_ == wsMaximized) Params.Style |= WS_MAXIMIZE;
  } else {
    icons = icons * TBorderIcons{biSystemMenu, biHelp};
  }
  if (icons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
  if (icons.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
  if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (alphaBlend_ || transparentColor_) Params.ExStyle |= WS_EX_LAYERED;
  if (formStyle_ == fsMDIChild) MDIChildCreateParams(Params);
}

void TCustomForm::CreateWnd() {
  inherited::CreateWnd();
  ApplyLayered();
  if (formStyle_ == fsMDIForm) CreateMDIClient();
}

void TCustomForm::DestroyWnd() {
  clientHandle_ = nullptr;  // goes with the form's window
  canvas_->FreeHandle();
  inherited::DestroyWnd();
}

void TCustomForm::ApplyLayered() {
  if (!HandleAllocated() || !(alphaBlend_ || transparentColor_)) return;
  DWORD flags = 0;
  if (alphaBlend_) flags |= LWA_ALPHA;
  if (transparentColor_) flags |= LWA_COLORKEY;
  SetLayeredWindowAttributes(Handle(), ColorToColorRef(transparentColorValue_), alphaBlendValue_, flags);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (!ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (borderIcons_ == Value) return;
  borderIcons_ = Value;
  if (!ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (formStyle_ == Value) return;
  // Becoming or ceasing to be an MDI form or child takes another window.
  auto mdi = [](TFormStyle s) { return s == fsMDIForm || s == fsMDIChild; };
  const bool otherWindow = mdi(formStyle_) || mdi(Value);
  formStyle_ = Value;
  if (HandleAllocated() && otherWindow && !ComponentState().Contains(csLoading))
    RecreateWnd();
  else if (HandleAllocated())
    SetWindowPos(Handle(), Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (windowState_ == Value) return;
  windowState_ = Value;
  if (!ComponentState().Contains(csLoading) && Showing()) {
    static const int cmds[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), cmds[Value]);
  }
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (alphaBlend_ == Value) return;
  alphaBlend_ = Value;
  if (HandleAllocated() && !ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetAlphaBlendValue(Byte Value) {
  alphaBlendValue_ = Value;
  ApplyLayered();
}

void TCustomForm::SetTransparentColor(bool Value) {
  if (transparentColor_ == Value) return;
  transparentColor_ = Value;
  if (HandleAllocated() && !ComponentState().Contains(csLoading)) RecreateWnd();
}

void TCustomForm::SetTransparentColorValue(TColor Value) {
  transparentColorValue_ = Value;
  ApplyLayered();
}

// --- Painting ---

void TCustomForm::PaintWindow(HDC DC) {
  forms_internal::PaintOnCanvas(*canvas_, DC, [this] { Paint(); });
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// --- Showing and hiding ---

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::VisibleChanging() {}

void TCustomForm::CMVisibleChanged(TMessage& Message) {
  // A form being read keeps Visible from its resource until it is created.
  if (formState_.Contains(fsCreating)) return;
  inherited::Dispatch(Message);
}

void TCustomForm::ApplyPosition() {
  TPosition pos = position_;
  TControl* centreOn = nullptr;
  if (pos == poMainFormCenter) centreOn = Application ? Application->MainForm() : nullptr;
  if (pos == poOwnerFormCenter) centreOn = dynamic_cast<TCustomForm*>(Owner());
  if ((pos == poMainFormCenter || pos == poOwnerFormCenter) && (!centreOn || centreOn == this))
    pos = poScreenCenter;
  int x = Left(), y = Top();
  if (pos == poScreenCenter || pos == poDesktopCenter) {
    RECT area = pos == poScreenCenter ? Screen->WorkAreaRect() : Screen->DesktopRect();
    x = area.left + (area.right - area.left - Width()) / 2;
    y = area.top + (area.bottom - area.top - Height()) / 2;
  } else if (centreOn) {
    x = centreOn->Left() + (centreOn->Width() - Width()) / 2;
    y = centreOn->Top() + (centreOn->Height() - Height()) / 2;
  } else {
    return;
  }
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  SetBounds(x, y, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (formState_.Contains(fsShowing)) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
  formState_.Include(fsShowing);
  TScopeExit shown([&] { formState_.Exclude(fsShowing); });
  if (Showing()) {
    RunEvent(this, [&] { DoShow(); });
    if (position_ != poDesigned && position_ != poDefault && position_ != poDefaultPosOnly &&
        position_ != poDefaultSizeOnly)
      ApplyPosition();
    static const int cmds[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), cmds[windowState_]);
    if (formStyle_ == fsStayOnTop)
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    RunEvent(this, [&] { DoHide(); });
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

int TCustomForm::ShowModal() {
  CancelDrag();
  if (Visible() || !Enabled() || formState_.Contains(fsModal) || formStyle_ == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  formState_.Include(fsModal);
  HWND activeWindow = GetActiveWindow();
  const int saveFocusCount = g_focusCount;
  g_savedFocusedForms.insert(g_savedFocusedForms.begin(), g_focusedForm);
  g_focusedForm = this;
  const TCursor saveCursor = Screen->Cursor();
  Screen->SetCursor(crDefault);
  std::vector<HWND> disabled = DisableTaskWindows();
  int result = mrNone;
  TScopeExit restore([&] {
    Screen->SetCursor(saveCursor);
    EnableTaskWindows(disabled);
    if (!g_savedFocusedForms.empty()) {
      g_focusedForm = g_savedFocusedForms.front();
      g_savedFocusedForms.erase(g_savedFocusedForms.begin());
    } else {
      g_focusedForm = nullptr;
    }
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    g_focusCount = saveFocusCount;
    formState_.Exclude(fsModal);
  });
  Show();
  TScopeExit hide([&] { Hide(); });
  SendMessage(Handle(), CM_ACTIVATE, 0, 0);
  modalResult_ = mrNone;
  do {
    Application->HandleMessage();
    if (Application->Terminated())
      modalResult_ = mrCancel;
    else if (modalResult_ != mrNone)
      CloseModal();
  } while (modalResult_ == mrNone);
  result = modalResult_;
  SendMessage(Handle(), CM_DEACTIVATE, 0, 0);
  if (GetActiveWindow() != Handle()) activeWindow = nullptr;
  return result;
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone)
      modalResult_ = mrNone;
    else if (action == caFree)
      Release();
  } catch (...) {
    modalResult_ = mrNone;
    HandleEventException(this);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action =
      formStyle_ == fsMDIChild ? (borderIcons_.Contains(biMinimize) ? caMinimize : caNone) : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::CMRelease(TMessage&) {
  BeforeDestruction();
  delete this;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& Message) {
  if ((Message.WParam & 0xFFF0) == SC_CLOSE) {
    Close();
    return;
  }
  if ((Message.WParam & 0xFFF0) == SC_KEYMENU) {
    auto& keyMenu = forms_internal::MenuHooks().KeyMenu;
    if (keyMenu && keyMenu(this, Message.LParam)) return;
  }
  DefaultHandler(Message);
}

void TCustomForm::WMCommand(TWMCommand& Message) {
  // A child's notification goes back to the child; Enter and Esc of the window system's dialog
  // routing come as IDOK / IDCANCEL commands without a control: they are dialog keys here.
  if (Message.Ctl() == nullptr && Message.NotifyCode() == 0 &&
      (Message.ItemID() == IDOK || Message.ItemID() == IDCANCEL)) {
    Perform(CM_DIALOGKEY, Message.ItemID() == IDOK ? VK_RETURN : VK_ESCAPE, 0);
    return;
  }
  inherited::Dispatch(Message);
}

// --- Activation and focus ---

void TCustomForm::SetActive(bool Value) {
  active_ = Value;
  if (Value) {
    if (!activeControl_ && !ComponentState().Contains(csDesigning))
      activeControl_ = FindNextControl(nullptr, true, true, false);
    HWND focus = activeControl_ ? activeControl_->Handle() : Handle();
    ::SetFocus(focus);
  }
}

void TCustomForm::WMActivate(TMessage& Message) {
  SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
  if (LOWORD(Message.WParam) != WA_INACTIVE && Screen) Screen->SetActiveForm(this);
}

void TCustomForm::WMSetFocus(TWMSetFocus& Message) { inherited::Dispatch(Message); }

void TCustomForm::CMActivate(TMessage&) {
  if (ComponentState().Contains(csReading) || formState_.Contains(fsCreating))
    formState_.Include(fsActivated);
  else
    Activate();
}

void TCustomForm::CMDeactivate(TMessage&) {
  if (!ComponentState().Contains(csReading)) Deactivate();
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control) return;
  if (Control && !(Control != this && GetParentForm(Control) == this &&
                   (ComponentState().Contains(csLoading) || Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  activeControl_ = Control;
  if (!ComponentState().Contains(csLoading) && active_) {
    HWND focus = activeControl_ ? activeControl_->Handle() : Handle();
    ::SetFocus(focus);
  }
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = active_;
  SetActiveControl(Control);
  if (!wasActive) {
    if (Showing() && HandleAllocated()) SetActiveWindow(Handle());
  }
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(focusedControl_)) focusedControl_ = Control->Parent();
  if (Control->ContainsControl(activeControl_)) {
    activeControl_ = nullptr;
    if (active_ && HandleAllocated() && !ComponentState().Contains(csDestroying)) ::SetFocus(Handle());
  }
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  ++g_focusCount;
  activeControl_ = Control != this ? Control : nullptr;
  if (Screen) {
    Screen->SetActiveControl(Control);
    Screen->SetActiveForm(this);
  }
  if (Control->ControlState().Contains(csFocusing)) return false;
  Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
  TScopeExit done(
      [Control] { Control->SetControlState(Control->ControlState() - TControlState{csFocusing}); });
  if (g_focusedForm != this) {
    if (g_focusedForm) {
      HWND h = g_focusedForm->HandleAllocated() ? g_focusedForm->Handle() : nullptr;
      g_focusedForm = nullptr;
      if (h && !SendFocusMessage(h, CM_DEACTIVATE)) return false;
    }
    g_focusedForm = this;
    if (!SendFocusMessage(Handle(), CM_ACTIVATE)) return false;
  }
  if (!focusedControl_) focusedControl_ = this;
  if (focusedControl_ != Control) {
    while (focusedControl_ && !focusedControl_->ContainsControl(Control)) {
      HWND h = focusedControl_->Handle();
      focusedControl_ = focusedControl_->Parent();
      if (!SendFocusMessage(h, CM_EXIT)) return false;
    }
    while (focusedControl_ != Control) {
      TWinControl* c = Control;
      while (c->Parent() != focusedControl_) c = c->Parent();
      focusedControl_ = c;
      if (!SendFocusMessage(c->Handle(), CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  return true;
}

bool TCustomForm::IsShortCut(TWMKey& Message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(Message, handled);
  return handled;
}

void TCustomForm::WndProc(TMessage& Message) { inherited::WndProc(Message); }

void TCustomForm::CMDialogKey(TWMKey& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.CharCode()) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(
              activeControl_, Message.CharCode() == VK_RIGHT || Message.CharCode() == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  inherited::Dispatch(Message);
}
