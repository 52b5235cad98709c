// The drop-down protocol: the popup window's life, preparing, showing and closing it, and what a
// close leaves behind (the accepted item, the user's popup size, posting).
#include "cx/editors/cxDropDownEdit.h"

#include <algorithm>

#include "cx/data/cxVariants.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditUtils.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDropDownEdit)
TRENVIK_IMPLEMENT_CLASS(TcxCustomDropDownEditData)

TRENVIK_MESSAGE_MAP(TcxCustomDropDownEdit) { M.On(CM_DROPDOWN, &TcxCustomDropDownEdit::CMDropDown); }

TcxCustomDropDownEdit::TcxCustomDropDownEdit(TComponent* AOwner) : TcxCustomMaskEdit(AOwner) {
  CreateProperties();
  popupLookAndFeel_ = std::make_unique<TcxEditPopupControlLookAndFeel>(this);
  if (!IsDesigning()) CreatePopupWindow();
  // A click on the text of an edit that opens on clicks reaches the inner edit, not the frame.
  InnerTextEdit()->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    const POINT p = ScreenToClient(InnerTextEdit()->ClientToScreen({X, Y}));
    MouseDown(Button, Shift, p.x, p.y);
  };
  InnerTextEdit()->OnDblClick = [this](TObject*) { DblClick(); };
}

TcxCustomDropDownEdit::~TcxCustomDropDownEdit() {
  if (TcxCustomTextEditLookupData* lookup = LookupData()) lookup->ReleaseList();
  if (popupWindow_) {
    // A window closing while the edit goes away tells nobody.
    popupWindow_->OnClosed = nullptr;
    popupWindow_->OnClosing = nullptr;
    popupWindow_->OnShowed = nullptr;
    popupWindow_->OnShowing = nullptr;
    popupWindow_->OnCloseQuery = nullptr;
    // A modal popup may be running its own loop further down the stack (the edit freed from an
    // event inside it): it is hidden now and freed once that loop has returned.
    const bool inOwnLoop = popupWindow_->IsPopupShown() && popupWindow_->ModalMode() && popupWindow_->OwnLoop();
    popupWindow_->ClosePopup(false);
    if (inOwnLoop && popupWindow_->HandleAllocated())
      popupWindow_.release()->ReleaseAfterOwnLoop();
    else
      popupWindow_.reset();
  }
}

void TcxCustomDropDownEdit::CreatePopupWindow() {
  TcxCustomDropDownEditProperties* properties = ActiveProperties();
  popupWindow_.reset(properties->GetPopupWindowClass()(this));
  popupWindow_->FreeNotification(this);
  popupWindow_->SetModalMode(properties->PopupTakesFocus());
  popupWindow_->SetFollowParentTopMost(!IsInplace());
  popupWindow_->OnCloseQuery = [this](TObject* Sender, bool& CanClose) { PopupWindowCloseQuery(Sender, CanClose); };
  popupWindow_->OnClosed = [this](TObject* Sender) { PopupWindowClosed(Sender); };
  popupWindow_->OnClosing = [this](TObject* Sender) { PopupWindowClosing(Sender); };
  popupWindow_->OnShowed = [this](TObject* Sender) { PopupWindowShowed(Sender); };
  popupWindow_->OnShowing = [this](TObject* Sender) { PopupWindowShowing(Sender); };
}

void TcxCustomDropDownEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && popupWindow_ && AComponent == popupWindow_.get()) popupWindow_.release();
}

bool TcxCustomDropDownEdit::HasPopupWindow() { return popupWindow_ && popupWindow_->IsPopupShown(); }

bool TcxCustomDropDownEdit::Focused() { return inherited::Focused() || HasPopupWindow(); }

void TcxCustomDropDownEdit::SetDroppedDown(bool Value) {
  if (Value && !HasPopupWindow())
    DropDown();
  else if (!Value && HasPopupWindow())
    CloseUp(false);
}

RECT TcxCustomDropDownEdit::GetPopupOwnerBounds() {
  if (HandleAllocated()) CalculateViewInfoAtCursor();
  RECT r = ::GetPopupOwnerBounds(EditViewInfo());
  OffsetRect(&r, Left(), Top());
  return r;
}

TcxCustomDropDownEditData* TcxCustomDropDownEdit::DropDownEditData() {
  return dynamic_cast<TcxCustomDropDownEditData*>(EditData());
}

TcxEditDataFactory TcxCustomDropDownEdit::GetEditDataClass() {
  return [] { return std::make_unique<TcxCustomDropDownEditData>(); };
}

void TcxCustomDropDownEdit::InitializeEditData() {
  TcxCustomDropDownEditData* data = DropDownEditData();
  if (!data) return;
  data->PopupResized = false;
  data->PopupWidth = ActiveProperties()->PopupWidth();
  data->PopupHeight = ActiveProperties()->PopupHeight();
}

void TcxCustomDropDownEdit::Activate(std::unique_ptr<TcxCustomEditData>& AEditData) {
  inherited::Activate(AEditData);
  TcxCustomDropDownEditData* data = DropDownEditData();
  popupResized_ = data && data->PopupResized && ActiveProperties()->PopupSizeable();
  if (ActiveProperties()->ImmediatePopup()) DropDown();
}

bool TcxCustomDropDownEdit::Deactivate() {
  CloseUp(false);
  if (TcxCustomDropDownEditData* data = DropDownEditData()) data->PopupResized = popupResized_;
  return inherited::Deactivate();
}

// --- Opening ---

void TcxCustomDropDownEdit::DoInitPopup() {
  if (ActiveProperties()->OnInitPopup) ActiveProperties()->OnInitPopup(this);
}

void TcxCustomDropDownEdit::DoPopup() {
  if (ActiveProperties()->OnPopup) ActiveProperties()->OnPopup(this);
}

void TcxCustomDropDownEdit::DropDown() {
  DoInitPopup();
  if (!CanDropDown() || !popupWindow_) return;
  if (IcxTextEditLookupData* lookup = ILookupData()) lookup->OpenList();
  PreparePopup();
  // The window shows itself when it handles the message, after this call has returned.
  PostMessage(popupWindow_->Handle(), CM_SHOWPOPUPWINDOW, reinterpret_cast<WPARAM>(GetPopupFocusedControl()), 0);
}

void TcxCustomDropDownEdit::CMDropDown(TMessage&) { DropDown(); }

TWinControl* TcxCustomDropDownEdit::GetPopupFocusedControl() {
  TcxCustomDropDownEditProperties* properties = ActiveProperties();
  IcxTextEditLookupData* lookup = ILookupData();
  if (lookup && properties->IsLookupListInPopup() && properties->PopupTakesFocus())
    if (TWinControl* list = lookup->GetPopupListControl()) return list;
  return InnerTextEdit();
}

void TcxCustomDropDownEdit::InitializeLookupData() {
  IcxTextEditLookupData* lookup = ILookupData();
  if (lookup && !IsDesigning() && ActiveProperties()->IsLookupListInPopup()) lookup->AttachList(popupWindow_.get());
}

void TcxCustomDropDownEdit::SetupPopupWindow() {
  TcxCustomDropDownEditProperties* properties = ActiveProperties();
  TcxCustomEditPopupWindow* w = popupWindow_.get();
  w->SetOwnerParent(Parent());
  w->SetAlignHorz(properties->PopupAlignment() == taRightJustify ? phaRight
                  : properties->PopupAlignment() == taCenter     ? phaCenter
                                                                 : phaLeft);
  w->SetClientEdge(properties->PopupClientEdge());
  w->SetMinHeight(properties->PopupMinHeight());
  w->SetMinWidth(properties->PopupMinWidth());
  w->SetPopupAutoSize(properties->PopupAutoSize());
  w->SetSizeable(properties->PopupSizeable());
  w->SetSysPanelStyle(properties->PopupSysPanelStyle());
  TcxCustomDropDownEditData* data = DropDownEditData();
  if (IsInplace() && properties->PopupSizeable() && data) {
    w->SetPopupWidth(data->PopupWidth);
    w->SetPopupHeight(data->PopupHeight);
  } else {
    w->SetPopupWidth(properties->PopupWidth());
    w->SetPopupHeight(properties->PopupHeight());
  }
  w->SetCloseButton(Style()->IsPopupCloseButton());
  if (HandleAllocated()) CalculateViewInfoAtCursor();
  TcxCustomEditViewInfo* info = EditViewInfo();
  w->SetPopupBorderStyle(info->PopupBorderStyle);
  w->SetNativeStyle(info->NativeStyle);
  w->SetShadow(info->Shadow);
}

void TcxCustomDropDownEdit::PositionPopupContent(const RECT& AClientRect) {
  if (IcxTextEditLookupData* lookup = ILookupData()) lookup->PlaceList(AClientRect);
}

void TcxCustomDropDownEdit::PreparePopup() {
  TcxFlagScope preparing(preparing_);
  TcxCustomEditPopupWindow* w = popupWindow_.get();
  w->SetModalMode(ActiveProperties()->PopupTakesFocus());
  InitializeLookupData();
  SetupPopupWindow();
  w->CalculateSize();
  w->CalculatePosition();
  w->RealignContent();
  if (TCustomForm* form = GetParentForm(this)) {
    w->SetAlphaBlend(form->AlphaBlend());
    w->SetAlphaBlendValue(form->AlphaBlendValue());
    w->SetTransparentColor(form->TransparentColor());
    w->SetTransparentColorValue(form->TransparentColorValue());
  }
}

void TcxCustomDropDownEdit::PopupWindowShowed(TObject*) {
  popupWindow_->CalculateViewInfo();
  PositionPopupContent(popupWindow_->EditViewInfo()->ClientRect);
  DoPopup();
  UpdateDrawValue();
  TcxCustomDropDownEditProperties* properties = ActiveProperties();
  if (IcxTextEditLookupData* lookup = ILookupData();
      lookup && CompletionShown() && properties->ImmediateDropDown() && properties->PopupTakesFocus())
    lookup->SearchList(Text().substr(0, SelStart()));
}

// --- Closing ---

Variant TcxCustomDropDownEdit::CurrentLookupKey() {
  Variant key = Null();
  if (IcxTextEditLookupData* lookup = ILookupData()) lookup->GetCurrentKey(key);
  return key;
}

bool TcxCustomDropDownEdit::LookupKeyChanged(const Variant& AOldKey) {
  return !cxVariantsEqual(AOldKey, CurrentLookupKey());
}

void TcxCustomDropDownEdit::DoLookupClick() {
  SetModifiedAfterEnter(true);
  if (LookupClickLock == 0) Click();
}

void TcxCustomDropDownEdit::PostImmediately() {
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) PostEditValue();
}

void TcxCustomDropDownEdit::CloseUp(bool AAccept) {
  if (!HasPopupWindow()) return;
  if (AAccept) {
    if (IcxTextEditLookupData* lookup = ILookupData()) {
      const Variant key = CurrentLookupKey();
      ++LookupClickLock;
      {
        TScopeExit unlock([this] { --LookupClickLock; });
        lookup->AcceptFocusedItem();
      }
      if (ModifiedAfterEnter() && LookupKeyChanged(key)) DoLookupClick();
    }
    if (!ActiveProperties()->PostAfterPopupClosed()) PostImmediately();
  }
  popupWindow_->ClosePopup(false);
}

void TcxCustomDropDownEdit::PopupWindowCloseQuery(TObject*, bool& CanClose) {
  if (ActiveProperties()->OnCloseQuery) ActiveProperties()->OnCloseQuery(this, CanClose);
}

void TcxCustomDropDownEdit::PopupWindowClosed(TObject*) {
  TcxCustomDropDownEditProperties* properties = ActiveProperties();
  // A click on the edit that closed the popup must not open it again.
  closingByButton_ = false;
  if (popupWindow_->ClosingByMessage() && HandleAllocated()) {
    POINT cursor;
    GetCursorPos(&cursor);
    const POINT p = ScreenToClient(cursor);
    closingByButton_ = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
    closingClickTime_ = GetMessageTime();
  }
  if (properties->PopupSizeable() && popupResized_) {
    if (TcxCustomDropDownEditData* data = DropDownEditData(); IsInplace() && data) {
      data->PopupResized = true;
      data->PopupWidth = popupWindow_->Width();
      data->PopupHeight = popupWindow_->Height();
    } else {
      properties->SetPopupWidth(popupWindow_->Width());
      properties->SetPopupHeight(popupWindow_->Height());
    }
  }
  if (IcxTextEditLookupData* lookup = ILookupData()) lookup->CloseList();
  if (properties->OnCloseUp) properties->OnCloseUp(this);
  if (properties->PostAfterPopupClosed()) PostImmediately();
}

bool TcxCustomDropDownEdit::ClosedByThisClick() {
  const bool closed = closingByButton_ && closingClickTime_ == GetMessageTime();
  closingByButton_ = false;
  return closed;
}

void TcxCustomDropDownEdit::PropertiesChanged(TObject* Sender) {
  if (Properties() && !ActiveProperties()->PopupSizeable()) popupResized_ = false;
  if (!preparing_ && HasPopupWindow()) PreparePopup();
  inherited::PropertiesChanged(Sender);
}

void TcxCustomDropDownEdit::CreateHandle() {
  inherited::CreateHandle();
  if (popupWindow_) InitializeLookupData();
}

void TcxCustomDropDownEdit::DoExit() {
  CloseUp(false);
  inherited::DoExit();
}
