// The repository item classes: their published, exactly typed Properties and their registration.
#include "cx/editors-ext/cxEditRepositoryItems.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Controls.h"

#define CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(ItemClass)                                            \
  TRENVIK_PUBLISHED(ItemClass) {                                                               \
    P.Property("Properties", &ItemClass::TypedProperties, &ItemClass::SetTypedProperties);     \
  }

CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryTextItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryButtonItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryImageItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryComboBoxItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMaskItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryPopupItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCalcItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryDateItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCurrencyItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositorySpinItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMemoItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCheckBoxItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryTimeItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMRUItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryHyperLinkItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryRadioGroupItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryBlobItem)
CX_IMPLEMENT_EDIT_REPOSITORY_ITEM(TcxEditRepositoryImageComboBoxItem)

void InitializeEditRepositoryItems() {
  RegisterClasses({TcxEditRepositoryItem::StaticClass(), TcxEditRepositoryTextItem::StaticClass(),
                   TcxEditRepositoryButtonItem::StaticClass(), TcxEditRepositoryImageItem::StaticClass(),
                   TcxEditRepositoryComboBoxItem::StaticClass(),
                   TcxEditRepositoryMaskItem::StaticClass(), TcxEditRepositoryPopupItem::StaticClass(),
                   TcxEditRepositoryCalcItem::StaticClass(), TcxEditRepositoryDateItem::StaticClass(), TcxEditRepositoryCurrencyItem::StaticClass(),
                   TcxEditRepositorySpinItem::StaticClass(), TcxEditRepositoryMemoItem::StaticClass(),
                   TcxEditRepositoryCheckBoxItem::StaticClass(), TcxEditRepositoryTimeItem::StaticClass(),
                   TcxEditRepositoryMRUItem::StaticClass(), TcxEditRepositoryHyperLinkItem::StaticClass(),
                   TcxEditRepositoryRadioGroupItem::StaticClass(), TcxEditRepositoryBlobItem::StaticClass(),
                   TcxEditRepositoryImageComboBoxItem::StaticClass()});
  RegisterClass(TcxEditRepository::StaticClass());
  // Items and repositories live among the visual controls of a form.
  StartClassGroup(TControl::StaticClass());
  GroupDescendentsWith(TcxEditRepositoryItem::StaticClass(), TControl::StaticClass());
  GroupDescendentsWith(TcxEditRepository::StaticClass(), TControl::StaticClass());
}
