// The BLOB pop-up's context menu and picture files: undo, redo and the clipboard for the memo;
// the clipboard, delete, load and save for the picture.
#include "dx/editors/dxBlobPopup.h"
#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/PictureValues.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Menus.h"
#include "platform/forms/native/EditControls.h"
#include "platform/win/Windows.h"

void TCustomdxBlobPopup::AddMenuItem(const String& Caption, bool Enabled, std::function<void()> Command) {
  auto* item = new TMenuItem(contextMenu_.get());
  item->SetCaption(Caption);
  item->SetEnabled(Enabled);
  if (Command) item->OnClick = [Command = std::move(Command)](TObject*) { Command(); };
  contextMenu_->Items()->Add(item);
}

void TCustomdxBlobPopup::FillMemoMenu() {
  HWND window = Handle();
  DWORD start = 0, end = 0;
  SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selection = end > start;
  const bool canUndo = SendMessage(window, EM_CANUNDO, 0, 0) != 0;
  const bool canRedo = SendMessage(window, EM_CANREDO, 0, 0) != 0;
  const bool canPaste = !readOnly_ && SendMessage(window, EM_CANPASTE, 0, 0) != 0;
  const auto send = [this](UINT Msg) { return [this, Msg] { SendMessage(Handle(), Msg, 0, 0); }; };
  AddMenuItem(LoadResString(dxSMenuUndo), canUndo, send(EM_UNDO));
  AddMenuItem(LoadResString(dxSMenuRedo), canRedo, send(EM_REDO));
  AddMenuItem(cLineCaption, true, nullptr);
  AddMenuItem(LoadResString(dxSMenuCut), selection && !readOnly_, send(WM_CUT));
  AddMenuItem(LoadResString(dxSMenuCopy), selection, send(WM_COPY));
  AddMenuItem(LoadResString(dxSMenuPaste), canPaste, send(WM_PASTE));
  AddMenuItem(LoadResString(dxSMenuDelete), selection && !readOnly_, send(WM_CLEAR));
  AddMenuItem(cLineCaption, true, nullptr);
  const auto length = static_cast<DWORD>(GetWindowTextLength(window));
  AddMenuItem(LoadResString(dxSMenuSelectAll), end - start != length,
              [this] { SendMessage(Handle(), EM_SETSEL, 0, -1); });
}

void TCustomdxBlobPopup::FillPictureMenu() {
  const bool empty = PictureIsEmpty(picture_.get());
  const auto caption = [](int Command) { return LoadResString(dxSToolCaptionFirst + Command); };
  AddMenuItem(caption(ptbCut), !empty && !readOnly_, [this] { CutToClipboard(); });
  AddMenuItem(caption(ptbCopy), !empty, [this] { CopyToClipboard(); });
  AddMenuItem(caption(ptbPaste), !readOnly_ && ClipboardHasPicture(ClipboardFormat), [this] { PasteFromClipboard(); });
  AddMenuItem(caption(ptbDelete), !empty && !readOnly_, [this] { ClearPicture(); });
  if (!ShowExPopupItems) return;
  AddMenuItem(cLineCaption, true, nullptr);
  AddMenuItem(caption(ptbLoad), !readOnly_, [this] { LoadPicture(); });
  AddMenuItem(caption(ptbSave), !empty, [this] { SavePicture(); });
}

TPopupMenu* TCustomdxBlobPopup::PrepareContextMenu() {
  if (!contextMenu_) contextMenu_ = std::make_unique<TPopupMenu>(nullptr);
  contextMenu_->Items()->Clear();
  if (!HandleAllocated()) return contextMenu_.get();
  if (IsMemo())
    FillMemoMenu();
  else
    FillPictureMenu();
  return contextMenu_.get();
}

void TCustomdxBlobPopup::WMContextMenu(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Result != 0 || PopupMenu() || (!IsMemo() && !ShowPicturePopup)) return;
  POINT at{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  // A keyboard request opens the menu at the pop-up's top-left corner.
  if (at.x == -1 && at.y == -1) at = ClientToScreen(POINT{0, 0});
  PrepareContextMenu()->Popup(at.x, at.y);
  Message.Result = 1;
}

void TCustomdxBlobPopup::LoadPicture() {
  if (readOnly_ || IsMemo()) return;
  TOpenPictureDialog dialog(nullptr);
  if (!PictureFilter.empty()) dialog.SetFilter(PictureFilter);
  if (dialog.Execute() && (!OwnerControl() || OwnerControl()->CanModify())) {
    try {
      Picture()->LoadFromFile(dialog.FileName());
    } catch (...) {
      ClosePopup(false);
      throw;
    }
    PictureEdited();
  }
  if (HandleAllocated()) ShowPopup();
}

void TCustomdxBlobPopup::SavePicture() {
  if (IsMemo() || !picture_ || !picture_->Graphic()) return;
  TSavePictureDialog dialog(nullptr);
  const TGraphicClass graphicClass = picture_->Graphic()->ClassType();
  dialog.SetFilter(PictureFilter.empty() ? GraphicFilter(graphicClass) : PictureFilter);
  dialog.SetDefaultExt(GraphicExtension(graphicClass));
  if (dialog.Execute()) picture_->SaveToFile(dialog.FileName());
  if (HandleAllocated()) ShowPopup();
}
