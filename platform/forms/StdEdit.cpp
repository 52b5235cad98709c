// TCustomEdit: the framework's edit over the "EDIT" window class.
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomEdit)

TRENVIK_PUBLISHED(TEdit) {
  P.Property("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect).Default(true);
  P.Property("AutoSize", &TEdit::AutoSize, &TEdit::SetAutoSize).Default(true);
  P.Property("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle).Default(bsSingle);
  P.Property("CharCase", &TEdit::CharCase, &TEdit::SetCharCase).Default(ecNormal);
  P.Property("HideSelection", &TEdit::HideSelection, &TEdit::SetHideSelection).Default(true);
  P.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
  P.Property("OEMConvert", &TEdit::OEMConvert, &TEdit::SetOEMConvert).Default(false);
  P.Property("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar).Default(0);
  P.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false);
  P.Property("Text", &TEdit::Text, &TEdit::SetText);
  P.Event("OnChange", &TEdit::OnChange);
}

TRENVIK_MESSAGE_MAP(TCustomEdit) {
  M.On(CN_COMMAND, &TCustomEdit::CNCommand);
  M.On(CM_ENTER, &TCustomEdit::CMEnter);
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(Left(), Top(), 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kEditClassName);
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (passwordChar_) Params.Style |= ES_PASSWORD;
  if (readOnly_) Params.Style |= ES_READONLY;
  if (charCase_ == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (oemConvert_) Params.Style |= ES_OEMCONVERT;
  if (!hideSelection_) Params.Style |= ES_NOHIDESEL;
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  creating_ = true;
  try {
    inherited::CreateWnd();
  } catch (...) {
    creating_ = false;
    throw;
  }
  creating_ = false;
  SendMessage(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (passwordChar_) SendMessage(WindowHandle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
  SendMessage(WindowHandle(), EM_SETMODIFY, modified_, 0);
}

void TCustomEdit::DestroyWnd() {
  modified_ = Modified();
  inherited::DestroyWnd();
}

void TCustomEdit::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == EN_CHANGE && !creating_) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CMEnter(TMessage& Message) {
  if (autoSelect_ && !ControlState().Contains(csLButtonDown) &&
      (GetWindowLong(Handle(), GWL_STYLE) & ES_MULTILINE) == 0)
    SelectAll();
  inherited::Dispatch(Message);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (charCase_ == Value) return;
  charCase_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (hideSelection_ == Value) return;
  hideSelection_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
  maxLength_ = Value < 0 ? 0 : Value;
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TCustomEdit::Modified() {
  if (HandleAllocated()) return SendMessage(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
  return modified_;
}

void TCustomEdit::SetModified(bool Value) {
  modified_ = Value;
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_SETMODIFY, Value, 0);
}

void TCustomEdit::SetOEMConvert(bool Value) {
  if (oemConvert_ == Value) return;
  oemConvert_ = Value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(Char Value) {
  if (passwordChar_ == Value) return;
  passwordChar_ = Value;
  if (HandleAllocated()) {
    SendMessage(WindowHandle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
    InvalidateRect(WindowHandle(), nullptr, TRUE);
  }
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  if (HandleAllocated()) SendMessage(WindowHandle(), EM_SETREADONLY, Value, 0);
}

void TCustomEdit::ClearSelection() { SendMessage(Handle(), WM_CLEAR, 0, 0); }
void TCustomEdit::CopyToClipboard() { SendMessage(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessage(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessage(Handle(), WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { SendMessage(Handle(), WM_UNDO, 0, 0); }
void TCustomEdit::ClearUndo() { SendMessage(Handle(), EM_EMPTYUNDOBUFFER, 0, 0); }
bool TCustomEdit::CanUndo() {
  return HandleAllocated() && SendMessage(WindowHandle(), EM_CANUNDO, 0, 0) != 0;
}
void TCustomEdit::SelectAll() { SendMessage(Handle(), EM_SETSEL, 0, static_cast<LPARAM>(-1)); }

int TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) {
  SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  int start = SelStart();
  SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + Value);
  SendMessage(Handle(), EM_SCROLLCARET, 0, 0);
}

String TCustomEdit::SelText() {
  String text = GetWindowTextString(Handle());
  int start = SelStart();
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const String& Value) {
  SendMessage(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}
