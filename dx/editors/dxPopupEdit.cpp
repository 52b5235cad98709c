#include "dx/editors/dxPopupEdit.h"

#include <algorithm>

#include "dx/editors/dxContainer.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

std::vector<TdxPopupEditForm*>& OpenForms() {
  static std::vector<TdxPopupEditForm*> forms;
  return forms;
}

void Forget(TdxPopupEditForm* Form) {
  auto& forms = OpenForms();
  forms.erase(std::remove(forms.begin(), forms.end(), Form), forms.end());
}

// Whether Form is in the chain of Other: Other is the parent form of Form's editor, or that parent
// form is itself a pop-up form whose chain holds Other.
bool InChain(TdxPopupEditForm* Form, TCustomForm* Other) {
  for (int depth = 0; Form && Form->Editor() && depth < 64; ++depth) {
    TCustomForm* parent = GetParentForm(Form->Editor());
    if (parent == Other) return true;
    Form = dynamic_cast<TdxPopupEditForm*>(parent);
  }
  return false;
}

}  // namespace

const std::vector<TdxPopupEditForm*>& OpenPopupEditForms() { return OpenForms(); }

// --- The pop-up form ---

TRENVIK_IMPLEMENT_CLASS(TdxPopupEditForm)

TRENVIK_MESSAGE_MAP(TdxPopupEditForm) {
  M.On(WM_ACTIVATE, &TdxPopupEditForm::WMActivate);
  M.On(WM_CLOSE, &TdxPopupEditForm::WMClose);
  M.On(WM_SYSKEYDOWN, &TdxPopupEditForm::WMSysKeyDown);
  M.On(WM_GETMINMAXINFO, &TdxPopupEditForm::WMGetMinMaxInfo);
}

TdxPopupEditForm::TdxPopupEditForm(TComponent* AOwner) : TCustomForm(AOwner) {}

TdxPopupEditForm::~TdxPopupEditForm() { Forget(this); }

void TdxPopupEditForm::SetEditor(TdxInplacePopupEdit* Value) {
  if (editor_ == Value) return;
  if (editor_) editor_->RemoveFreeNotification(this);
  editor_ = Value;
  if (editor_) editor_->FreeNotification(this);
}

void TdxPopupEditForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == editor_) editor_ = nullptr;
}

void TdxPopupEditForm::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  if (PopupBorderStyle == pbsDialog || PopupBorderStyle == pbsDialogHelp) {
    Params.Style |= WS_CAPTION | WS_SYSMENU;
    Params.ExStyle |= WS_EX_DLGMODALFRAME | (PopupBorderStyle == pbsDialogHelp ? WS_EX_CONTEXTHELP : 0);
    if (ClientEdge) Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (Sizeable) Params.Style |= WS_THICKFRAME;
  } else if (FlatBorder && !ClientEdge) {
    Params.Style |= WS_BORDER;
  } else {
    Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    Params.Style |= WS_THICKFRAME;
  }
}

void TdxPopupEditForm::WMGetMinMaxInfo(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  info->ptMinTrackSize.x = MinWidth;
  info->ptMinTrackSize.y = MinHeight;
}

void TdxPopupEditForm::WMSysKeyDown(TMessage& Message) {
  // Alt, Alt+Enter and the keyboard menu stay away from the pop-up.
  if (Message.WParam == VK_RETURN || Message.WParam == VK_MENU) return;
  inherited::Dispatch(Message);
}

void TdxPopupEditForm::WMClose(TMessage&) {
  if (editor_ && !editor_->DoCloseQuery(this)) return;
  ClosePopup(false);
}

void TdxPopupEditForm::WMActivate(TMessage& Message) {
  inherited::Dispatch(Message);
  if (LOWORD(Message.WParam) != WA_INACTIVE) return;
  const HWND other = reinterpret_cast<HWND>(Message.LParam);
  const std::vector<TdxPopupEditForm*> forms(OpenForms().rbegin(), OpenForms().rend());
  for (TdxPopupEditForm* form : forms) {
    if (form->HandleAllocated() && form->Handle() == other) return;
    if (form != this && form->Enabled()) form->ClosePopup(false);
  }
  if (!OpenForms().empty()) ClosePopup(false);
}

void TdxPopupEditForm::DropReopeningClick() {
  for (UINT kind : {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    MSG msg;
    if (!PeekMessage(&msg, nullptr, kind, kind, PM_NOREMOVE)) continue;
    TdxInplacePopupEdit* target = editor_;
    for (auto it = OpenForms().rbegin(); it != OpenForms().rend(); ++it) {
      TdxInplacePopupEdit* e = (*it)->Editor();
      if (e && e->HandleAllocated() && e->Handle() == msg.hwnd) {
        target = e;
        break;
      }
    }
    // A click on the button of an open pop-up would open it again: the pop-up closes by deactivation.
    if (target && target->HandleAllocated() && msg.hwnd == target->Handle() && target->PopupOpen() &&
        (target->HotButton() != -1 || target->ClickOpensPopup()))
      PeekMessage(&msg, msg.hwnd, kind, kind, PM_REMOVE);
    return;
  }
}

void TdxPopupEditForm::ShowPopup() {
  OpenForms().push_back(this);
  Show();
  SetModalResult(mrNone);
  while (HandleAllocated() && IsWindowVisible(Handle()) && editor_ && !Application->Terminated()) {
    DropReopeningClick();
    MSG msg;
    if (PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) && msg.wParam == VK_RETURN)
      PeekMessage(&msg, msg.hwnd, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (!Application->Active())
      ClosePopup(false);
    else if (ModalResult() != mrNone)
      ClosePopup(ModalResult() == mrOk);
    if (!IsWindowVisible(Handle())) break;
    Application->HandleMessage();
  }
  Forget(this);
}

void TdxPopupEditForm::ClosePopup(bool Accept) {
  if (closing_) return;
  TValueScope<bool> guard(closing_, true);
  if (Accept && editor_ && !editor_->DoCloseQuery(this)) {
    SetModalResult(mrNone);
    return;
  }
  // The pop-ups opened from this one close first, from the top down.
  const std::vector<TdxPopupEditForm*> forms(OpenForms().rbegin(), OpenForms().rend());
  for (TdxPopupEditForm* form : forms) {
    if (form == this) break;
    if (form->Enabled()) form->ClosePopup(false);
  }
  if (editor_) {
    String text = editor_->Text();
    editor_->DoPopupCloseUp(this, text, Accept);
    if (Accept && editor_->IsEditable() && text != editor_->Text() && editor_->CanModify()) {
      editor_->SetText(text);
      editor_->SetModified(true);
    }
  }
  Hide();
  Forget(this);
}

// --- The editor ---

TRENVIK_IMPLEMENT_CLASS(TdxInplacePopupEdit)

TRENVIK_MESSAGE_MAP(TdxInplacePopupEdit) { M.On(WM_DXSHOWPOPUPFORM, &TdxInplacePopupEdit::WMShowPopupForm); }

TdxInplaceEditClass TdxInplacePopupEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplacePopupEdit, TdxDropDownEditMetaClass> c("TdxInplacePopupEdit");
  return &c;
}

TdxInplacePopupEdit::TdxInplacePopupEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class) {
  KeysToList = false;
}

TdxInplacePopupEdit::~TdxInplacePopupEdit() { SetPopupControl(nullptr); }

void TdxInplacePopupEdit::SetHideEditCursor(bool Value) {
  if (hideEditCursor_ == Value) return;
  hideEditCursor_ = Value;
  clickOpensPopup_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplacePopupEdit::SetPopupControl(TControl* Value) {
  if (popupControl_ == Value) return;
  if (popupControl_) popupControl_->RemoveFreeNotification(this);
  popupControl_ = Value;
  if (popupControl_) popupControl_->FreeNotification(this);
}

void TdxInplacePopupEdit::SetPopupMinWidth(int Value) {
  popupMinWidth_ = std::max(Value, 0);
  SetPopupWidth(popupWidth_);
}

void TdxInplacePopupEdit::SetPopupMinHeight(int Value) {
  popupMinHeight_ = std::max(Value, 0);
  SetPopupHeight(popupHeight_);
}

void TdxInplacePopupEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TdxInplaceDropDownEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == popupControl_) popupControl_ = nullptr;
  if (AComponent == saved_.Control) saved_ = TSavedControl{};
  if (AComponent == form_) form_ = nullptr;
}

bool TdxInplacePopupEdit::IsFocused() {
  if (TdxInplaceDropDownEdit::IsFocused()) return true;
  if (!open_ || !form_) return false;
  if (form_->Active()) return true;
  for (auto it = OpenPopupEditForms().rbegin(); it != OpenPopupEditForms().rend(); ++it)
    if ((*it)->Active()) return InChain(*it, form_);
  return false;
}

void TdxInplacePopupEdit::HideEdit() {
  if (open_ && form_ && form_->HandleAllocated() && IsWindowVisible(form_->Handle())) form_->ClosePopup(false);
  TdxInplaceDropDownEdit::HideEdit();
}

void TdxInplacePopupEdit::DropDown() {
  if (HandleAllocated()) PostMessage(Handle(), WM_DXSHOWPOPUPFORM, 0, 0);
}

void TdxInplacePopupEdit::WMShowPopupForm(TMessage&) { ShowPopupForm(); }

bool TdxInplacePopupEdit::DoCloseQuery(TdxPopupEditForm*) {
  bool canClose = true;
  if (OnPopupCloseQuery) OnPopupCloseQuery(this, canClose);
  return canClose;
}

void TdxInplacePopupEdit::DoPopupCloseUp(TdxPopupEditForm* Form, String& Text, bool& Accept) {
  SetPopupHeight(Form->Height());
  SetPopupWidth(Form->Width());
  if (OnPopupCloseUp) OnPopupCloseUp(this, Text, Accept);
}

void TdxInplacePopupEdit::DoInitPopup() {
  if (OnInitPopup) OnInitPopup(this);
}

void TdxInplacePopupEdit::DoPopup(TdxPopupEditForm*) {
  if (OnPopup) OnPopup(this, Text());
}

void TdxInplacePopupEdit::ShowPopupForm() {
  if (open_ || !HandleAllocated()) return;
  ::SetFocus(Handle());
  if (GetFocus() != Handle()) return;
  DoDropDown();
  if (!form_) form_ = new TdxPopupEditForm(this);
  form_->SetEditor(this);
  DropDownWindow = form_;
  PreparePopupForm(form_);
  DropDownShown = false;
  open_ = true;
  {
    TScopeExit closed([this] { open_ = false; });
    form_->ShowPopup();
  }
  if (form_) RestorePopupControl(form_);
  DropDownWindow = nullptr;
}

void TdxInplacePopupEdit::PreparePopupForm(TdxPopupEditForm* Form) {
  DoInitPopup();
  bool circular = popupControl_ == Form || popupControl_ == this;
  for (TWinControl* p = Parent(); p && !circular; p = p->Parent()) circular = popupControl_ == p;
  if (popupControl_ && circular) throw Exception("Circular referencing is not allowed");
  Form->PopupBorderStyle = PopupFormBorderStyle;
  Form->ClientEdge = PopupFormClientEdge;
  Form->FlatBorder = PopupFormFlatBorder;
  Form->Sizeable = PopupFormSizeable;
  Form->SetCaption(PopupFormCaption);
  Form->MinWidth = popupMinWidth_;
  Form->MinHeight = popupMinHeight_;
  if (TControl* control = popupControl_) {
    saved_.Control = control;
    saved_.Align = control->Align();
    saved_.Bounds = control->BoundsRect();
    saved_.Parent = control->Parent();
    saved_.Visible = control->Visible();
    control->FreeNotification(this);
    control->Hide();
    if (auto* form = dynamic_cast<TCustomForm*>(control)) {
      saved_.IsForm = true;
      saved_.FormBorder = form->BorderStyle();
      form->SetBorderStyle(bsNone);
    }
    control->SetBounds(0, 0, control->Width(), control->Height());
    if (PopupAutoSize) {
      Form->SetClientWidth(control->Width());
      Form->SetClientHeight(control->Height());
    } else {
      Form->SetBounds(Form->Left(), Form->Top(), popupWidth_, popupHeight_);
    }
    control->SetAlign(alClient);
    control->SetParent(Form);
    control->Show();
  }
  PositionPopupForm(Form);
  Form->RebuildWindow();
  DoPopup(Form);
}

void TdxInplacePopupEdit::RestorePopupControl(TdxPopupEditForm*) {
  TControl* control = saved_.Control;
  if (!control) return;
  control->Hide();
  control->SetAlign(saved_.Align);
  control->SetParent(saved_.Parent);
  control->SetBoundsRect(saved_.Bounds);
  if (saved_.IsForm) static_cast<TCustomForm*>(control)->SetBorderStyle(saved_.FormBorder);
  control->SetVisible(saved_.Visible);
  saved_ = TSavedControl{};
}

void TdxInplacePopupEdit::PositionPopupForm(TdxPopupEditForm* Form) {
  RECT editor;
  GetWindowRect(Handle(), &editor);
  const int width = Form->Width(), height = Form->Height();
  int left = editor.left, top = editor.bottom;
  RECT area;
  GetMonitorWorkArea(POINT{left, top}, area);
  bool flippedH = false, flippedV = false;
  if (editor.right - editor.left < width && left + width > area.right &&
      std::abs(area.right - editor.left) < std::abs(editor.right - area.left)) {
    left = editor.right - width;
    flippedH = true;
  }
  if (top + height > area.bottom && area.bottom - editor.bottom < editor.top - area.top) {
    top = editor.top - height;
    flippedV = true;
  }
  Form->GripCorner = flippedV ? (flippedH ? 0 : 1) : (flippedH ? 2 : 3);
  Form->SetBounds(left, top, width, height);
}
