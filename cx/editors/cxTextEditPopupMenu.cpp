// A text editor's own pop-up menu: the edit commands, each through the edit's own path (editing
// permission, read-only, maximum length), enabled only when it can act.
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxTextEdit.h"
#include "platform/forms/Menus.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Messages.h"

namespace {

void AddCommand(TPopupMenu* AMenu, int ACaption, bool AEnabled, std::function<void()> AAction) {
  auto* item = new TMenuItem(AMenu);
  item->SetCaption(ACaption ? cxGetResourceString(ACaption) : cLineCaption);
  item->SetEnabled(AEnabled);
  if (AAction) item->OnClick = [action = std::move(AAction)](TObject*) { action(); };
  AMenu->Items()->Add(item);
}

void AddSeparator(TPopupMenu* AMenu) { AddCommand(AMenu, 0, true, nullptr); }

}  // namespace

void TcxCustomTextEdit::ClearSelection() {
  if (ActiveProperties()->ReadOnly()) return;
  TcxFlagScope userChange(userTextChange_);
  if (DoEditing()) innerEdit_->ClearSelection();
}

void TcxCustomTextEdit::Undo() {
  if (ActiveProperties()->ReadOnly()) return;
  TcxFlagScope userChange(userTextChange_);
  if (DoEditing()) innerEdit_->Undo();
}

TComponent* TcxCustomTextEdit::GetDefaultPopupMenu() {
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const bool writable = !properties->ReadOnly();
  const bool selected = SelLength() > 0;
  // A password never leaves the edit.
  const bool revealable = properties->EchoMode() != eemPassword;
  const bool clipboardText = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
  const int length = static_cast<int>(Text().size());
  // Through the edit's window, as the keyboard's commands come.
  auto send = [this](UINT AMessage) {
    return [this, AMessage] {
      if (HandleAllocated()) SendMessage(Handle(), AMessage, 0, 0);
    };
  };
  AddCommand(menu.get(), cxSEditMenuUndo, writable && innerEdit_->CanUndo(), [this] { Undo(); });
  AddSeparator(menu.get());
  AddCommand(menu.get(), cxSEditMenuCut, writable && selected && revealable, send(WM_CUT));
  AddCommand(menu.get(), cxSEditMenuCopy, selected && revealable, send(WM_COPY));
  AddCommand(menu.get(), cxSEditMenuPaste, writable && clipboardText, send(WM_PASTE));
  AddCommand(menu.get(), cxSEditMenuDelete, writable && selected, [this] { ClearSelection(); });
  AddSeparator(menu.get());
  AddCommand(menu.get(), cxSEditMenuSelectAll, length > 0 && SelLength() < length, [this] { SelectAll(); });
  return KeepDefaultPopupMenu(std::move(menu));
}
