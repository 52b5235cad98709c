// The image editor's context menu: cut, copy, paste, delete, load, save and one custom command,
// each shown as MenuItems asks and enabled when it can act on the picture now.
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxImage.h"
#include "cx/foundation/cxClasses.h"
#include "platform/forms/Menus.h"

namespace {

const char16_t* const kImageMenuBitmaps[] = {u"CXMENUIMAGE_CUT",    u"CXMENUIMAGE_COPY", u"CXMENUIMAGE_PASTE",
                                             u"CXMENUIMAGE_DELETE", u"CXMENUIMAGE_LOAD", u"CXMENUIMAGE_SAVE"};

struct TcxImageMenuCommand {
  TcxPopupMenuItem Command;
  int Caption;
};

// In the menu's order; separators go before Load and before the custom command.
constexpr TcxImageMenuCommand kImageMenuCommands[] = {
    {pmiCut, cxSMenuItemCaptionCut},       {pmiCopy, cxSMenuItemCaptionCopy}, {pmiPaste, cxSMenuItemCaptionPaste},
    {pmiDelete, cxSMenuItemCaptionDelete}, {pmiLoad, cxSMenuItemCaptionLoad}, {pmiSave, cxSMenuItemCaptionSave},
    {pmiCustom, 0}};

std::unique_ptr<TCustomImageList>& ImageMenuImagesSlot() {
  static std::unique_ptr<TCustomImageList> images;
  return images;
}

TMenuItem* AddImageMenuItem(TPopupMenu* AMenu, const String& ACaption, bool AVisible) {
  auto* item = new TMenuItem(AMenu);
  item->SetCaption(ACaption);
  item->SetVisible(AVisible);
  AMenu->Items()->Add(item);
  return item;
}

}  // namespace

// Loaded at the first menu, not at start-up: a program whose resources are missing must still
// start far enough to say so.
TCustomImageList* cxImageMenuImages() {
  if (!ImageMenuImagesSlot()) cxLoadImageMenuImages();
  return ImageMenuImagesSlot().get();
}

void cxLoadImageMenuImages() {
  std::unique_ptr<TCustomImageList> images;
  for (const char16_t* name : kImageMenuBitmaps) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(nullptr, name);
    if (!images) images = std::make_unique<TCustomImageList>(nullptr, bitmap.Width(), bitmap.Height());
    images->AddMasked(&bitmap, clDefault);
  }
  ImageMenuImagesSlot() = std::move(images);
}

void cxFreeImageMenuImages() { ImageMenuImagesSlot().reset(); }

void TcxCustomImage::RunMenuCommand(TcxPopupMenuItem ACommand) {
  switch (ACommand) {
    case pmiCut: CutToClipboard(); break;
    case pmiCopy: CopyToClipboard(); break;
    case pmiPaste: PasteFromClipboard(); break;
    case pmiDelete: Clear(); break;
    case pmiLoad: LoadPicture(); break;
    case pmiSave: SavePicture(); break;
    case pmiCustom: DoCustomClick(); break;
  }
}

TComponent* TcxCustomImage::GetDefaultPopupMenu() {
  TcxPopupMenuLayout* layout = ActiveProperties()->PopupMenuLayout();
  const TcxPopupMenuItems shown = layout->MenuItems();
  if (shown.Empty()) return nullptr;
  const TcxPopupMenuItems enabled = EnabledCommands();
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  menu->SetImages(cxImageMenuImages());
  for (const TcxImageMenuCommand& c : kImageMenuCommands) {
    if (c.Command == pmiLoad) AddImageMenuItem(menu.get(), cLineCaption, shown.Contains(pmiLoad) || shown.Contains(pmiSave));
    if (c.Command == pmiCustom) AddImageMenuItem(menu.get(), cLineCaption, shown.Contains(pmiCustom));
    const bool custom = c.Command == pmiCustom;
    TMenuItem* item =
        AddImageMenuItem(menu.get(), custom ? layout->CustomMenuItemCaption() : cxGetResourceString(c.Caption),
                         shown.Contains(c.Command));
    item->SetTag(static_cast<int>(c.Command));
    if (custom) {
      if (layout->HasCustomMenuItemGlyph()) {
        item->SetBitmap(layout->CustomMenuItemGlyph());
        item->Bitmap()->SetTransparent(true);
      }
    } else {
      item->SetImageIndex(static_cast<int>(c.Command));
      item->SetEnabled(enabled.Contains(c.Command));
    }
    item->OnClick = [this, command = c.Command](TObject*) { RunMenuCommand(command); };
  }
  return KeepDefaultPopupMenu(std::move(menu));
}

// The picture's own menu, opened by the keyboard, appears a little inside the picture rather than
// on its corner.
void TcxCustomImage::DoContextPopup(POINT MousePos, bool& Handled) {
  inherited::DoContextPopup(MousePos, Handled);
  if (Handled || PopupMenu() || ActiveProperties()->PopupMenuLayout()->MenuItems().Empty()) return;
  auto* menu = dynamic_cast<TPopupMenu*>(GetPopupMenu());
  if (!menu) return;
  Handled = true;
  const bool fromKeyboard = MousePos.x == -1 && MousePos.y == -1;
  const POINT at = ClientToScreen(fromKeyboard ? POINT{10, 10} : MousePos);
  SendCancelMode(nullptr);
  menu->SetPopupComponent(this);
  menu->Popup(at.x, at.y);
}
