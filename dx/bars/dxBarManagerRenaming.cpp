// A manager renamed in the designer renames the items named after it.
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "platform/rtl/StrUtils.h"

void TdxBarManager::SetName(const String& NewName) {
  const String oldName = Name();
  inherited::SetName(NewName);
  if (!IsDesigning() || oldName.empty() || Name() == oldName) return;
  for (TdxBarItem* item : std::vector<TdxBarItem*>(items_)) {
    const String itemName = item->Name();
    if (item->Owner() != Owner() || itemName.size() <= oldName.size() ||
        !SameText(itemName.substr(0, oldName.size()), oldName))
      continue;
    try {
      item->SetName(Name() + itemName.substr(oldName.size()));
    } catch (const EComponentError&) {
      // A name that is taken leaves this item as it was; the others are still renamed.
    }
  }
}
