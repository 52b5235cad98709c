#include "dx/editors/dxDropDownEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxEditButtonInput.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxInplaceDropDownEdit)

TRENVIK_MESSAGE_MAP(TdxInplaceDropDownEdit) {
  M.On(WM_NCHITTEST, &TdxInplaceDropDownEdit::WMNCHitTest);
  M.On(WM_NCLBUTTONDOWN, &TdxInplaceDropDownEdit::WMNCLButtonDown);
  M.On(WM_NCLBUTTONDBLCLK, &TdxInplaceDropDownEdit::WMNCLButtonDblClk);
  M.On(WM_LBUTTONUP, &TdxInplaceDropDownEdit::WMLButtonUp);
  M.On(WM_MOUSEMOVE, &TdxInplaceDropDownEdit::WMMouseMove);
  M.On(WM_MOUSEWHEEL, &TdxInplaceDropDownEdit::WMMouseWheel);
  M.On(WM_KILLFOCUS, &TdxInplaceDropDownEdit::WMKillFocus);
  M.On(WM_GETDLGCODE, &TdxInplaceDropDownEdit::WMGetDlgCode);
  M.On(WM_CANCELMODE, &TdxInplaceDropDownEdit::WMCancelMode);
  M.On(WM_CAPTURECHANGED, &TdxInplaceDropDownEdit::WMCaptureChanged);
  M.On(WM_DXDROPDOWN, &TdxInplaceDropDownEdit::WMDxDropDown);
  M.On(WM_DXPOPUPCLOSED, &TdxInplaceDropDownEdit::WMDxPopupClosed);
  M.On(CM_CANCELMODE, &TdxInplaceDropDownEdit::CMCancelMode);
}

TdxInplaceEditClass TdxInplaceDropDownEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceDropDownEdit, TdxDropDownEditMetaClass> c("TdxInplaceDropDownEdit");
  return &c;
}

TdxInplaceDropDownEdit::TdxInplaceDropDownEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceMaskEdit(AOwner, Class) {}

TdxInplaceDropDownEdit::~TdxInplaceDropDownEdit() = default;

// --- Button glyph ---

TBitmap* TdxInplaceDropDownEdit::ButtonGlyph() {
  if (!buttonGlyph_) buttonGlyph_ = std::make_unique<TBitmap>();
  return buttonGlyph_.get();
}

bool TdxInplaceDropDownEdit::HasButtonGlyph() const { return buttonGlyph_ && !buttonGlyph_->Empty(); }

void TdxInplaceDropDownEdit::SetButtonGlyph(TBitmap* Value) {
  if (!Value || Value->Empty())
    buttonGlyph_.reset();
  else
    ButtonGlyph()->Assign(Value);
  StyleChanged();
}

// --- View data ---

std::unique_ptr<TdxEditViewData> TdxInplaceDropDownEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceMaskEdit::CreateViewData(FromDefinition);
  auto* d = static_cast<TdxDropDownEditViewData*>(v.get());
  d->ButtonGlyph = HasButtonGlyph() ? buttonGlyph_.get() : nullptr;
  d->NoButtons = !IsDrawnSelected() && Style()->ButtonTransparence() == ebtHideInactive;
  d->HotButtonIndex = hotButton_;
  d->PushedButtonIndex = pushedButton_;
  return v;
}

int TdxInplaceDropDownEdit::ButtonAtWindowPoint(POINT Point) {
  TdxViewDataPtr viewData = CreateViewData(false);
  TdxEditViewInfo info;
  EditClass()->CalcViewInfo(viewData.get(), false, info);
  auto* v = static_cast<TdxDropDownEditViewData*>(viewData.get());
  const auto rects = TdxDropDownEditMetaClass::ButtonRects(info, v);
  for (int i = v->ButtonCount - 1; i >= 0; --i)
    if (PtInRect(&rects[i], Point)) return i;
  return -1;
}

void TdxInplaceDropDownEdit::RepaintButtons() {
  if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

// --- Drop-down state ---

bool TdxInplaceDropDownEdit::IsDroppedDown() {
  if (!DropDownWindow || !DropDownWindow->HandleAllocated() || !IsWindowVisible(DropDownWindow->Handle()))
    return false;
  return GetFocus() == DropDownWindow->Handle() || KeysToList;
}

void TdxInplaceDropDownEdit::SetDroppedDown(bool Value) {
  if (Value == IsDroppedDown()) return;
  if (Value) {
    if (HandleAllocated()) PostMessage(Handle(), WM_DXDROPDOWN, 0, 0);
  } else {
    CloseUp(false);
  }
}

TdxPopupBorder TdxInplaceDropDownEdit::GetActualPopupBorder() {
  if (PopupBorder != pbDefault) return PopupBorder;
  const TdxEditBorderStyle border = Style()->BorderStyle();
  if (IsInplace()) {
    TCustomdxContainer* container = GetContainer();
    return container ? container->GetPopupBorder(border) : pbFrame3D;
  }
  switch (border) {
    case xbsSingle:
    case xbs3D: return pbSingle;
    case xbsFlat: return pbFlat;
    default: return pbFrame3D;
  }
}

void TdxInplaceDropDownEdit::DoDropDown() {
  if (OnEditButtonClick) OnEditButtonClick(this);
  if (OnPopupOpen) OnPopupOpen(this);
}

void TdxInplaceDropDownEdit::DoCloseUp(Variant& Value, bool& Accept) {
  if (OnCloseUp) OnCloseUp(this, Value, Accept);
}

void TdxInplaceDropDownEdit::ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  auto* list = dynamic_cast<TControl*>(Sender);
  const bool inside = list && X >= 0 && Y >= 0 && X < list->ClientWidth() && Y < list->ClientHeight();
  CloseUp(inside);
}

void TdxInplaceDropDownEdit::FocusEditorIfActive(TdxInplaceEdit* Editor) {
  if (!Editor || Editor->IsFocused() || !Editor->CanFocus() || !Editor->HandleAllocated() ||
      !IsWindowVisible(Editor->Handle()) || !Application->Active())
    return;
  Editor->SetFocus();
}

// --- Placing the popup ---

void TdxInplaceDropDownEdit::PlacePopup(TWinControl* Popup, bool AdjustWidth) {
  RECT r;
  GetWindowRect(Handle(), &r);
  TdxViewDataPtr viewData = CreateViewData(false);
  viewData->Bounds = RECT{0, 0, r.right - r.left, r.bottom - r.top};
  TdxEditViewInfo info;
  EditClass()->CalcViewInfo(viewData.get(), false, info);
  const int wanted = info.BorderRect.right - info.BorderRect.left + (Style()->Shadow() ? 2 : 0);
  int width = Popup->Width();
  if (AdjustWidth && width < wanted) width = wanted;
  r.left += info.BorderRect.left;
  r.right = r.left + wanted;
  const TdxEditBorderStyle border = Style()->BorderStyle();
  if (border == xbsNone || border == xbsSingle) InflateRect(&r, 0, -1);
  if (!IsInplace() && border == xbsNone) InflateRect(&r, 0, -1);
  POINT p{r.left, r.bottom};
  switch (PopupAlignment) {
    case paRight: p.x = r.right - width; break;
    case paCenter: p.x = (r.left + r.right) / 2 - width / 2; break;
    default: break;
  }
  AdjustPopupPosition(p, width, Popup->Height(), r.bottom - r.top);
  Popup->SetBounds(p.x, p.y, width, Popup->Height());
}

// --- Editor contract ---

void TdxInplaceDropDownEdit::ShowImmediateDropDown() {
  if (ImmediatePopup) SetDroppedDown(true);
}

void TdxInplaceDropDownEdit::ActivateByClick() {
  if (ClickOpensPopup() && !IsDroppedDown()) DropDown();
}

void TdxInplaceDropDownEdit::PressAt(int X, int Y) { ReplayPressAsNonClient(this, X, Y); }

void TdxInplaceDropDownEdit::HideEdit() {
  if (DropDownWindow && DropDownWindow->HandleAllocated() && IsWindowVisible(DropDownWindow->Handle()))
    PostMessage(DropDownWindow->Handle(), WM_CLOSE, 0, 0);
  DropDownShown = false;
  TdxInplaceMaskEdit::HideEdit();
}

void TdxInplaceDropDownEdit::ShowEdit() {
  DropDownShown = false;
  TdxInplaceMaskEdit::ShowEdit();
}

bool TdxInplaceDropDownEdit::IsFocused() {
  if (TdxInplaceMaskEdit::IsFocused()) return true;
  return DropDownWindow && DropDownWindow->HandleAllocated() && GetFocus() == DropDownWindow->Handle();
}

void TdxInplaceDropDownEdit::SetSelected(bool Value) {
  if (!Value) hotButton_ = -1;
  TdxInplaceMaskEdit::SetSelected(Value);
}

// --- Messages of the drop-down protocol ---

void TdxInplaceDropDownEdit::WMDxDropDown(TMessage&) { DropDown(); }

void TdxInplaceDropDownEdit::WMDxPopupClosed(TMessage&) { DropDownShown = false; }

void TdxInplaceDropDownEdit::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (DropDownShown || IsDroppedDown()) {
    // Focus moving into the list itself does not close it.
    const HWND to = reinterpret_cast<HWND>(Message.WParam);
    if (!(DropDownWindow && DropDownWindow->HandleAllocated() && to == DropDownWindow->Handle()))
      CloseUp(false);
  }
}

void TdxInplaceDropDownEdit::CMCancelMode(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* sender = reinterpret_cast<TControl*>(Message.LParam);
  if (sender != this && sender != DropDownWindow && DropDownShown) CloseUp(false);
}

void TdxInplaceDropDownEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsInplace() || IsDroppedDown()) Message.Result |= DLGC_WANTALLKEYS;
}

void TdxInplaceDropDownEdit::ShowListWindow(TWinControl* List) {
  SetWindowPos(List->Handle(), HWND_TOP, List->Left(), List->Top(), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  DropDownShown = true;
  Invalidate();
}

void TdxInplaceDropDownEdit::HideListWindow(TWinControl* List) {
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  FocusEditorIfActive(this);
  SetWindowPos(List->Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  DropDownShown = false;
  Invalidate();
}

TPopupAlignment ToPopupAlignment(TAlignment Value) {
  switch (Value) {
    case taRightJustify:
      return paRight;
    case taCenter:
      return paCenter;
    default:
      return paLeft;
  }
}
