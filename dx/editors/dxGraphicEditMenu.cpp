// The graphic editor's command settings and its command menu.
#include "dx/editors/dxEditConsts.h"
#include "dx/editors/dxGraphicEdit.h"
#include "platform/forms/PictureValues.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Menus.h"
#include "platform/win/Windows.h"

namespace {

// Separators carry a tag no command has.
constexpr Integer kSeparatorTag = 2147483647;

}  // namespace

// --- Settings ---

TRENVIK_IMPLEMENT_CLASS(TdxPopupToolBarWindow)

TdxPopupToolBarWindow::~TdxPopupToolBarWindow() = default;

TBitmap* TdxPopupToolBarWindow::CustomButtonGlyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TdxPopupToolBarWindow::SetCustomButtonGlyph(TBitmap* Value) {
  if (!Value) {
    glyph_.reset();
    return;
  }
  CustomButtonGlyph()->Assign(Value);
}

void TdxPopupToolBarWindow::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxPopupToolBarWindow*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  Alignment = other->Alignment;
  Buttons = other->Buttons;
  CustomButtonCaption = other->CustomButtonCaption;
  SetCustomButtonGlyph(other->glyph_.get());
  SetIsPopupMenu(other->IsPopupMenu());
  ShowCaptions = other->ShowCaptions;
  Visible = other->Visible;
}

// --- Command menu ---

TPopupMenu* TdxInplaceGraphicEdit::PrepareCommandMenu() {
  if (!commandMenu_) {
    commandMenu_ = std::make_unique<TPopupMenu>(nullptr);
    // Cut, copy, paste, delete, a line, load, save, a line, custom.
    const int layout[] = {ptbCut, ptbCopy, ptbPaste, ptbDelete, -1, ptbLoad, ptbSave, -1, ptbCustom};
    for (int command : layout) {
      auto* item = new TMenuItem(commandMenu_.get());
      item->SetCaption(command < 0 ? cLineCaption : String());
      item->SetTag(command < 0 ? kSeparatorTag : command);
      if (command >= 0 && command < ptbCustom)
        item->SetCaption(LoadResString(dxSToolCaptionFirst + command));
      item->OnClick = [this](TObject* Sender) { DoToolbarClick(static_cast<TMenuItem*>(Sender)->Tag()); };
      commandMenu_->Items()->Add(item);
    }
  }
  const TdxPopupToolBarButtons buttons = toolBarWindow_->Buttons;
  TMenuItem* items = commandMenu_->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    if (item->Tag() == kSeparatorTag) continue;
    const auto command = static_cast<TdxPopupToolBarButton>(item->Tag());
    item->SetVisible(buttons.Contains(command));
    item->SetEnabled(CommandEnabled(command));
  }
  items->Items(4)->SetVisible(buttons.Contains(ptbLoad) || buttons.Contains(ptbSave));
  items->Items(7)->SetVisible(buttons.Contains(ptbCustom));
  items->Items(8)->SetCaption(toolBarWindow_->CustomButtonCaption);
  return commandMenu_.get();
}

void TdxInplaceGraphicEdit::WMContextMenu(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Result != 0 || PopupMenu() || !toolBarWindow_->IsPopupMenu()) return;
  POINT at{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  // A keyboard request opens the menu at the editor's top-left corner.
  if (at.x == -1 && at.y == -1) at = ClientToScreen(POINT{0, 0});
  PrepareCommandMenu()->Popup(at.x, at.y);
  Message.Result = 1;
}
