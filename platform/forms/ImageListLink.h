// A control's reference to an image list: its change link and free notification move with it.
#pragma once

#include "platform/forms/ImgList.h"

// Points `Slot` at `Value`, unregistering `Link` and the free notification from the list it
// leaves and registering them with the new one.
void LinkImageList(TComponent* Client, TCustomImageList*& Slot, TCustomImageList* Value, TChangeLink* Link);
