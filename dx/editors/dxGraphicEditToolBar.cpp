// The graphic editor's side of its tool window: settings copied in, shown beside the editor where
// the user last left it, hidden when the focus leaves both.
#include "dx/editors/dxGraphicEdit.h"
#include "platform/forms/PictureValues.h"
#include "dx/editors/dxPopupToolBar.h"
#include "platform/win/Windows.h"

void TdxInplaceGraphicEdit::SetPopupToolbarPosStored(bool Value) {
  posStored_ = Value;
  if (!Value) storedPos_ = kUnsetPos;
}

void TdxInplaceGraphicEdit::PrepareToolbar() {
  TdxPopupToolBarWindow* settings = toolBarWindow_.get();
  if (!settings->IsPopupMenu()) {
    toolBar_->MayShow = settings->Visible;
    toolBar_->CustomCaption = settings->CustomButtonCaption;
    if (settings->HasCustomButtonGlyph()) toolBar_->Button(ptbCustom)->SetGlyph(settings->CustomButtonGlyph());
    toolBar_->Font()->Assign(Font());
    toolBar_->ShowCaptions = settings->ShowCaptions;
    toolBar_->Alignment = settings->Alignment;
    toolBar_->ButtonSet = settings->Buttons;
  }
  toolBar_->ClipboardFormat = ClipboardFormat;
  toolBar_->PictureEmpty = PictureIsEmpty(picture_.get());
  toolBar_->ReadOnly = !IsEditable();
}

void TdxInplaceGraphicEdit::ShowToolbar() {
  if (toolBarWindow_->IsPopupMenu() || !toolBarWindow_->Visible || !HandleAllocated()) return;
  PrepareToolbar();
  const POINT now{toolBar_->Left(), toolBar_->Top()};
  // The user moved it since it was last shown: that place is kept.
  if (lastShownPos_.x != kUnsetPos.x && (now.x != lastShownPos_.x || now.y != lastShownPos_.y)) storedPos_ = now;
  toolBar_->UpdateLayout();
  if (!posStored_ || storedPos_.x == kUnsetPos.x) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    toolBar_->PlaceNextTo(POINT{window.left, window.top});
  } else {
    toolBar_->SetBounds(storedPos_.x, storedPos_.y, toolBar_->Width(), toolBar_->Height());
  }
  lastShownPos_ = POINT{toolBar_->Left(), toolBar_->Top()};
  toolBar_->ClosedByUser = false;
  toolBar_->ShowNoActivate();
}

bool TdxInplaceGraphicEdit::IsFocused() {
  return TdxInplaceEdit::IsFocused() || (toolBar_->HandleAllocated() && GetFocus() == toolBar_->Handle());
}

void TdxInplaceGraphicEdit::DoSetFocus() {
  TdxInplaceEdit::DoSetFocus();
  if (!DblClickActivate) ShowToolbar();
}

void TdxInplaceGraphicEdit::DoKillFocus(HWND FocusedWindow) {
  if (!(toolBar_->HandleAllocated() && FocusedWindow == toolBar_->Handle())) toolBar_->HideToolbar();
  TdxInplaceEdit::DoKillFocus(FocusedWindow);
}

void TdxInplaceGraphicEdit::DblClick() {
  TdxInplaceEdit::DblClick();
  if (DblClickActivate) ShowToolbar();
}
