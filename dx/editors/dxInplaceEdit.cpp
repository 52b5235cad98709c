#include "dx/editors/dxInplaceEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxEditConsts.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TdxInplaceEdit) {
  P.Property("Alignment", &TdxInplaceEdit::Alignment, &TdxInplaceEdit::SetAlignment)
      .NoDefault()
      .Stored(&TdxInplaceEdit::IsAlignmentStored);
  P.Property("AutoSize", &TdxInplaceEdit::AutoSize, &TdxInplaceEdit::SetAutoSize).Default(true);
  // Written by DefineProperties, and only while the height does not follow the font.
  P.Property("Height", &TdxInplaceEdit::Height, &TdxInplaceEdit::SetHeight).Stored(false);
  P.Property("ReadOnly", &TdxInplaceEdit::ReadOnly, &TdxInplaceEdit::SetReadOnly)
      .NoDefault()
      .Stored(&TdxInplaceEdit::IsReadOnlyStored);
  P.Property("Style", &TdxInplaceEdit::Style);
  P.Property("StyleController", &TdxInplaceEdit::StyleController, &TdxInplaceEdit::SetStyleController);
  P.Event("OnChange", &TdxInplaceEdit::OnChange);
  P.Event("OnMouseEnter", &TdxInplaceEdit::OnMouseEnter);
  P.Event("OnMouseLeave", &TdxInplaceEdit::OnMouseLeave);
  P.Event("OnValidate", &TdxInplaceEdit::OnValidate);
}

TRENVIK_MESSAGE_MAP(TdxInplaceEdit) {
  M.On(WM_GETDLGCODE, &TdxInplaceEdit::WMGetDlgCode);
  M.On(WM_SETFOCUS, &TdxInplaceEdit::WMSetFocus);
  M.On(WM_KILLFOCUS, &TdxInplaceEdit::WMKillFocus);
  M.On(WM_LBUTTONDOWN, &TdxInplaceEdit::WMButtonDown);
  M.On(WM_RBUTTONDOWN, &TdxInplaceEdit::WMButtonDown);
  M.On(WM_MBUTTONDOWN, &TdxInplaceEdit::WMButtonDown);
  M.On(WM_MOUSEWHEEL, &TdxInplaceEdit::WMMouseWheel);
  M.On(WM_CUT, &TdxInplaceEdit::WMEditCommand);
  M.On(WM_CLEAR, &TdxInplaceEdit::WMEditCommand);
  M.On(WM_PASTE, &TdxInplaceEdit::WMEditCommand);
  M.On(WM_ERASEBKGND, &TdxInplaceEdit::WMEraseBkgnd);
  M.On(WM_NCCALCSIZE, &TdxInplaceEdit::WMNCCalcSize);
  M.On(WM_NCPAINT, &TdxInplaceEdit::WMNCPaint);
  M.On(WM_PAINT, &TdxInplaceEdit::WMPaint);
  M.On(WM_SETCURSOR, &TdxInplaceEdit::WMSetCursor);
  M.On(WM_SIZE, &TdxInplaceEdit::WMSize);
  M.On(WM_IME_COMPOSITION, &TdxInplaceEdit::WMImeComposition);
  M.On(CM_COLORCHANGED, &TdxInplaceEdit::CMStyleChanged);
  M.On(CM_ENABLEDCHANGED, &TdxInplaceEdit::CMStyleChanged);
  M.On(CM_FONTCHANGED, &TdxInplaceEdit::CMFontChanged);
  M.On(CM_MOUSEENTER, &TdxInplaceEdit::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TdxInplaceEdit::CMMouseLeave);
  M.On(CM_SHOWINGCHANGED, &TdxInplaceEdit::CMShowingChanged);
  M.On(CM_TEXTCHANGED, &TdxInplaceEdit::CMTextChanged);
  M.On(CM_ENTER, &TdxInplaceEdit::CMEnter);
  M.On(CM_EXIT, &TdxInplaceEdit::CMExit);
}

TdxInplaceEdit::TdxInplaceEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TWinControl(AOwner), class_(Class) {
  autoSize_ = true;
  defaultAlignment_ = TdxInplaceEdit::GetDefaultAlignment();
  alignment_ = defaultAlignment_;
  if (TCustomdxContainer* container = GetContainer())
    style_ = container->CreateEditStyle(this);
  else
    style_ = class_->CreateStandAloneStyle(this);
  if (IsInplace()) {
    SetParentColor(false);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetTabStop(false);
  } else {
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
  }
}

TdxInplaceEdit::~TdxInplaceEdit() {
  if (styleController_ && !styleController_->ComponentState().Contains(csDestroying))
    styleController_->RemoveLink(this);
  style_.reset();
}

TCustomdxContainer* TdxInplaceEdit::GetContainer() const {
  return IsInplace() ? dynamic_cast<TCustomdxContainer*>(Owner()) : nullptr;
}

bool TdxInplaceEdit::IsAlignmentStored() const { return storedValues_ & dxsvAlignment; }
bool TdxInplaceEdit::IsReadOnlyStored() const { return storedValues_ & dxsvReadOnly; }

bool TdxInplaceEdit::ReadOnly() const {
  return storedValues_ & dxsvReadOnly ? readOnly_ : const_cast<TdxInplaceEdit*>(this)->GetDefaultReadOnly();
}

// --- Properties ---

void TdxInplaceEdit::SetAlignment(TAlignment Value) {
  storedValues_ |= dxsvAlignment;
  ApplyAlignment(Value);
}

void TdxInplaceEdit::SetReadOnly(bool Value) {
  storedValues_ |= dxsvReadOnly;
  ApplyReadOnly(Value);
}

void TdxInplaceEdit::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  StyleChanged();
}

void TdxInplaceEdit::SetTransparent(bool Value) {
  if (transparent_ == Value) return;
  transparent_ = Value;
  Invalidate();
}

void TdxInplaceEdit::SetStyleController(TdxEditStyleController* Value) {
  if (styleController_ == Value) return;
  if (styleController_ && !styleController_->ComponentState().Contains(csDestroying))
    styleController_->RemoveLink(this);
  styleController_ = Value;
  if (styleController_) {
    styleController_->AddLink(this);
    styleController_->FreeNotification(this);
    styleController_->LinkChanged(this);
  } else {
    StyleChanged();
  }
}

void TdxInplaceEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == styleController_) {
    styleController_ = nullptr;
    if (!IsDestroying()) StyleChanged();
  }
}

void TdxInplaceEdit::SetTextOffsets(const RECT& Rect) {
  if (EqualRect(&Rect, &textOffsets_)) return;
  textOffsets_ = Rect;
  if (HandleAllocated()) RecreateWnd();
}

// --- The overridable operations ---

void TdxInplaceEdit::SetEditValue(const Variant& Value) { SetText(VarIsNull(Value) ? String() : VarToStr(Value)); }

void TdxInplaceEdit::UpdateDataDefaults() {
  // Only a data definition carries defaults, and no editor class makes one.
}

void TdxInplaceEdit::GetEditValue(Variant& Value, bool) { Value = Variant(Text()); }

void TdxInplaceEdit::GetEditingValue(Variant& Value) { Value = Variant(Text()); }

void TdxInplaceEdit::LoadValue() {}

void TdxInplaceEdit::FocusEdit(bool& Focused) {
  if (CanFocus()) {
    SetFocus();
    Focused = true;
  }
}

void TdxInplaceEdit::RefreshFromDataDefinition() {
  UpdateDataDefaults();
  LoadValue();
}

void TdxInplaceEdit::PostEditValue() { ValidateEdit(); }

bool TdxInplaceEdit::IsValidChar(Char Key) {
  TCustomdxContainer* container = GetContainer();
  return container ? container->CanEditAcceptChar(Key) : true;
}

void TdxInplaceEdit::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

TClass TdxInplaceEdit::GetEditStyleClass() const { return TdxEditStyle::StaticClass(); }

bool TdxInplaceEdit::CanModify() {
  if (ReadOnly()) return false;
  TCustomdxContainer* container = GetContainer();
  return container ? container->CanEditModify() : true;
}

bool TdxInplaceEdit::IsTextChangingKey(WORD Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  return (ctrl && (Key == 'V' || Key == 'X')) || Key == VK_BACK || Key == VK_DELETE ||
         (Shift.Contains(ssShift) && Key == VK_INSERT);
}

bool TdxInplaceEdit::IsControlKeyDown() {
  return (GetAsyncKeyState(VK_CONTROL) & 0x8000) && !(GetAsyncKeyState(VK_MENU) & 0x8000);
}

void TdxInplaceEdit::MoveToAdjacentColumn(bool Backward) {
  if (TCustomdxContainer* container = GetContainer()) container->MoveFocusedColumn(Backward);
}

void TdxInplaceEdit::Reset() {
  if (!GetModified() || !CanRestoreText()) return;
  SetText(prevText_);
  SetModified(prevModified_);
}

void TdxInplaceEdit::SetActive(bool Active) {
  if (IsInplace() || Active != active_) {
    prevModified_ = GetModified();
    prevText_ = Text();
  }
  if (!IsInplace() && Active != active_) {
    active_ = Active;
    if (PaintsInactiveAsCell()) Invalidate();
  }
}

void TdxInplaceEdit::ApplyAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplaceEdit::ApplyReadOnly(bool Value) { readOnly_ = Value; }

void TdxInplaceEdit::StyleChanged() {
  UpdateBounds();
  if (HandleAllocated()) Invalidate();
}

void TdxInplaceEdit::DoSetFocus() {
  RefreshHotLook();
  if (InvalidatesOnFocusChange()) Invalidate();
}

void TdxInplaceEdit::DoKillFocus(HWND FocusedWindow) {
  RefreshHotLook();
  if (InvalidatesOnFocusChange()) Invalidate();
  if (TCustomdxContainer* container = GetContainer()) {
    if (!container->HandleAllocated() || FocusedWindow != container->Handle()) container->EditorFocusChanged();
  }
}

void TdxInplaceEdit::GetEditingText(String& Text) { Text = this->Text(); }

void TdxInplaceEdit::HideEdit() {
  if (!IsInplace()) {
    Hide();
    return;
  }
  inplaceVisible_ = false;
  if (!HandleAllocated()) return;
  if (IsWindowVisible(Handle())) InvalidateWithContainer();
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TdxInplaceEdit::IsFocused() { return HandleAllocated() && GetFocus() == Handle(); }

bool TdxInplaceEdit::IsDrawnSelected() { return selected_ || (IsFocused() && Enabled()); }

bool TdxInplaceEdit::IsButtonAlwaysShown() {
  TCustomdxContainer* container = GetContainer();
  return container ? container->IsShowButtonAlways() : false;
}

void TdxInplaceEdit::RestoreDefaults() {
  storedValues_ = 0;
  ApplyAlignment(GetDefaultAlignment());
  ApplyReadOnly(GetDataReadOnly());
}

void TdxInplaceEdit::SetEditingText(const String& Text) {
  if (CanModify()) SetText(Text);
  SetModified(true);
}

void TdxInplaceEdit::ShowEdit() {
  if (!IsInplace()) {
    Show();
    return;
  }
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  inplaceVisible_ = true;
}

void TdxInplaceEdit::ValidateEdit() {
  if (!GetModified() || validationLock_ > 0) return;
  bool accept = true;
  String errorText = LoadResString(dxSEditInvalidInput);
  if (OnValidate) OnValidate(this, errorText, accept);
  if (accept) return;
  MessageBeep(0);
  if (HandleAllocated() && IsWindowVisible(Handle())) ::SetFocus(Handle());
  throw EdxEditInvalidInput(errorText);
}

// --- Used by hosts ---

void TdxInplaceEdit::ShowAt(const RECT& Rect) {
  if (!IsInplace() || IsRectEmpty(&Rect)) return;
  RECT r = Rect;
  InflateRect(&r, 2, 2);
  SetBoundsRect(r);
  const bool wasVisible = inplaceVisible_;
  ShowEdit();
  if (GetFocus() != Handle()) ::SetFocus(Handle());
  SelectAll();
  if (!wasVisible && immediateDropDownLock_ == 0) ShowImmediateDropDown();
}

void TdxInplaceEdit::InvalidateEditor() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TdxInplaceEdit::InvalidateWithContainer() {
  TCustomdxContainer* container = GetContainer();
  if (!container || !HandleAllocated()) return;
  ValidateRect(Handle(), nullptr);
  InvalidateRect(Handle(), nullptr, TRUE);
  if (!container->HandleAllocated()) return;
  RECT r;
  GetWindowRect(Handle(), &r);
  MapWindowPoints(nullptr, container->Handle(), reinterpret_cast<POINT*>(&r), 2);
  ValidateRect(container->Handle(), &r);
  InvalidateRect(container->Handle(), &r, FALSE);
}

void TdxInplaceEdit::RefreshHotLook() {
  if (IsDestroying()) return;
  TdxEditButtonTransparence t = style_->ButtonTransparence();
  if (style_->HotTrack() || t == ebtInactive || t == ebtAlways || t == ebtHideInactive) UpdateBounds();
}

void TdxInplaceEdit::UpdateBounds() {
  if (!HandleAllocated()) return;
  TdxViewDataPtr viewData = CreateViewData(false);
  TdxEditViewInfo info;
  class_->CalcViewInfo(viewData.get(), EffectiveAutoSize(), info);
  const int w = info.Bounds.right - info.Bounds.left, h = info.Bounds.bottom - info.Bounds.top;
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
  SetWindowRgn(Handle(), TdxInplaceEditMetaClass::GetBorderRegion(info), TRUE);
}

// --- Window ---

void TdxInplaceEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!IsEditClass()) Params.WinClassName += u"NoEdit";
}

void TdxInplaceEdit::CreateWnd() {
  inherited::CreateWnd();
  UpdateBounds();
}

void TdxInplaceEdit::Loaded() {
  inherited::Loaded();
  if (CreateDataDefinition()) RefreshFromDataDefinition();
}

void TdxInplaceEdit::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      u"Height", [this](TReader* Reader) { SetHeight(Reader->ReadInteger()); },
      [this](TWriter* Writer) { Writer->WriteInteger(Height()); }, !EffectiveAutoSize());
  Filer->DefineProperty(
      u"StoredValues", [this](TReader* Reader) { storedValues_ = static_cast<Byte>(Reader->ReadInteger()); },
      [this](TWriter* Writer) { Writer->WriteInteger(storedValues_); }, storedValues_ != 0);
}

void TdxInplaceEdit::DblClick() {
  if (TCustomdxContainer* container = GetContainer())
    container->EditorDblClick();
  else
    inherited::DblClick();
}

void RemovePendingMessage(HWND Window, UINT Message) {
  MSG msg;
  if (PeekMessage(&msg, Window, Message, Message, PM_REMOVE) && msg.message == WM_QUIT)
    PostQuitMessage(static_cast<int>(msg.wParam));
}
