// The manager's image lists: items with an ImageIndex show the image of Images.
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarPopupMenuLinks.h"
#include "platform/forms/ImgList.h"
#include "platform/rtl/ScopeExit.h"

void TdxBarManager::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
  if (Field == Value) return;
  std::unique_ptr<TChangeLink>& link =
      &Field == &images_ ? imagesChangeLink_ : &Field == &hotImages_ ? hotImagesChangeLink_ : largeImagesChangeLink_;
  if (!link) {
    link = std::make_unique<TChangeLink>();
    if (&Field == &images_) link->OnChange = [this](TObject*) { ImagesChanged(); };
  }
  if (Field) {
    Field->UnRegisterChanges(link.get());
    Field->RemoveFreeNotification(this);
  }
  Field = Value;
  if (Field) {
    Field->RegisterChanges(link.get());
    Field->FreeNotification(this);
  }
  if (&Field == &images_) ImagesChanged();
}

void TdxBarManager::SetImages(TCustomImageList* Value) { SetImageList(images_, Value); }
void TdxBarManager::SetHotImages(TCustomImageList* Value) { SetImageList(hotImages_, Value); }
void TdxBarManager::SetLargeImages(TCustomImageList* Value) { SetImageList(largeImages_, Value); }

void TdxBarManager::ImagesChanged() {
  if (IsLoading() || IsDestroying()) return;
  SetLockUpdate(true);
  TScopeExit unlock([this] { SetLockUpdate(false); });
  for (TdxBarItem* item : std::vector<TdxBarItem*>(items_))
    if (item->ImageIndex() >= 0) item->GlyphChanged();
}

void TdxBarManager::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (popupMenuLinks_) popupMenuLinks_->Forget(AComponent);
  const bool itemsImages = images_ && images_ == AComponent;
  // The list is past its own destructor, which let its change links go: it is only forgotten.
  for (TCustomImageList** field : {&images_, &hotImages_, &largeImages_})
    if (*field && *field == AComponent) *field = nullptr;
  if (itemsImages) ImagesChanged();
}
