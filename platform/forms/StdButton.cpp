// Buttons over the "BUTTON" window class: TButton, TCustomCheckBox, TRadioButton; and the group box.
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TButtonControl)
TRENVIK_IMPLEMENT_CLASS(TCustomCheckBox)
TRENVIK_IMPLEMENT_CLASS(TCustomGroupBox)

TRENVIK_PUBLISHED(TButton) {
  P.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  P.Property("Caption", &TButton::Caption, &TButton::SetCaption);
  P.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  P.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
  P.Property("WordWrap", &TButton::WordWrap, &TButton::SetWordWrap).Default(false);
}

TRENVIK_PUBLISHED(TCheckBox) {
  P.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
  P.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  P.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
  P.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Default(false);
  P.Property("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
  P.Property("WordWrap", &TCheckBox::WordWrap, &TCheckBox::SetWordWrap).Default(false);
}

TRENVIK_PUBLISHED(TRadioButton) {
  P.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
  P.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
  P.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
  P.Property("WordWrap", &TRadioButton::WordWrap, &TRadioButton::SetWordWrap).Default(false);
}

TRENVIK_PUBLISHED(TGroupBox) { P.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption); }

// --- TButtonControl ---

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (wordWrap_) Params.Style |= BS_MULTILINE;
}

void TButtonControl::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

// --- TButton ---

TRENVIK_MESSAGE_MAP(TButton) {
  M.On(CN_COMMAND, &TButton::CNCommand);
  M.On(CM_DIALOGKEY, &TButton::CMDialogKey);
  M.On(CM_DIALOGCHAR, &TButton::CMDialogChar);
  M.On(CM_FOCUSCHANGED, &TButton::CMFocusChanged);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(Left(), Top(), 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kButtonClassName);
  Params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  inherited::CreateWnd();
  active_ = default_;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  inherited::Click();
}

void TButton::SetDefault(bool Value) {
  if (default_ == Value) return;
  default_ = Value;
  active_ = Value;
  if (HandleAllocated()) SetButtonStyle(Value);
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated()) return;
  DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLong(WindowHandle(), GWL_STYLE) & BS_TYPEMASK) != style)
    SendMessage(WindowHandle(), BM_SETSTYLE, style, 1);
}

void TButton::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TWMKey& Message) {
  WORD key = Message.CharCode();
  bool plain = KeyDataToShiftState(Message.KeyData()).Empty();
  if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) && plain && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// The focus moved: a focused button is the one Enter clicks, else the default button is.
void TButton::CMFocusChanged(TMessage& Message) {
  auto* sender = reinterpret_cast<TControl*>(Message.LParam);
  if (sender && dynamic_cast<TButton*>(sender))
    active_ = sender == this;
  else
    active_ = default_;
  SetButtonStyle(active_);
  inherited::Dispatch(Message);
}

// --- TCustomCheckBox ---

TRENVIK_MESSAGE_MAP(TCustomCheckBox) {
  M.On(CN_COMMAND, &TCustomCheckBox::CNCommand);
  M.On(CM_DIALOGCHAR, &TCustomCheckBox::CMDialogChar);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(Left(), Top(), 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kButtonClassName);
  // The framework keeps the state itself: the window only shows it.
  Params.Style |= BS_3STATE;
  if (alignment_ == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  inherited::CreateWnd();
  SendMessage(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (state_ == Value) return;
  state_ = Value;
  if (HandleAllocated()) SendMessage(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked:
      SetState(allowGrayed_ ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

void TCustomCheckBox::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// --- TRadioButton ---

TRENVIK_MESSAGE_MAP(TRadioButton) {
  M.On(CN_COMMAND, &TRadioButton::CNCommand);
  M.On(CM_DIALOGCHAR, &TRadioButton::CMDialogChar);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(Left(), Top(), 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kButtonClassName);
  Params.Style |= BS_RADIOBUTTON;
  if (alignment_ == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  inherited::CreateWnd();
  SendMessage(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TLeftRight Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  SetTabStop(Value);
  if (HandleAllocated()) SendMessage(WindowHandle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  // One checked radio button per parent.
  if (TWinControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
        other->SetChecked(false);
  if (!ClicksDisabled()) Click();
}

void TRadioButton::CNCommand(TWMCommand& Message) {
  switch (Message.NotifyCode()) {
    case BN_CLICKED:
      SetChecked(true);
      break;
    case BN_DOUBLECLICKED:
      DblClick();
      break;
  }
}

void TRadioButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    SetFocus();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// --- TCustomGroupBox ---

TRENVIK_MESSAGE_MAP(TCustomGroupBox) {
  M.On(CM_TEXTCHANGED, &TCustomGroupBox::CMTextChanged);
  M.On(CM_DIALOGCHAR, &TCustomGroupBox::CMDialogChar);
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                csDoubleClicks, csReplicatable});
  SetBounds(Left(), Top(), 185, 105);
}

void TCustomGroupBox::AdjustClientRect(RECT& Rect) {
  inherited::AdjustClientRect(Rect);
  // Measured without the window, which may not exist yet.
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, Font()->Handle());
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  DeleteDC(dc);
  Rect.top += tm.tmHeight;
  InflateRect(&Rect, -1, -1);
  if (Ctl3D()) InflateRect(&Rect, -1, -1);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = c->TextHeight(u"0");
  RECT r = ClientRect();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  r.top += h / 2;
  HDC dc = c->Handle();
  if (Ctl3D())
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
  else
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  String text = Caption();
  if (text.empty()) return;
  RECT tr{8, 0, 0, h};
  DrawText(dc, text, &tr, DT_SINGLELINE | DT_CALCRECT);
  tr.bottom = h;
  c->Brush()->SetColor(Color());
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToColorRef(Color()));
  SetTextColor(dc, ColorToColorRef(Enabled() ? Font()->Color() : clGrayText));
  DrawText(dc, text, &tr, DT_SINGLELINE | DT_LEFT);
}

void TCustomGroupBox::CMTextChanged(TMessage&) {
  Invalidate();
  Realign();
}

void TCustomGroupBox::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}
