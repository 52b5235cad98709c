#include "platform/forms/ImageListLink.h"

void LinkImageList(TComponent* Client, TCustomImageList*& Slot, TCustomImageList* Value, TChangeLink* Link) {
  if (Slot == Value) return;
  if (Slot) {
    Slot->UnRegisterChanges(Link);
    Slot->RemoveFreeNotification(Client);
  }
  Slot = Value;
  if (Slot) {
    Slot->RegisterChanges(Link);
    Slot->FreeNotification(Client);
  }
}
