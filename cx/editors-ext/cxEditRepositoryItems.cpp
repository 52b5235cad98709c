#include "cx/editors-ext/cxEditRepositoryItems.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Controls.h"

TRENVIK_PUBLISHED(TcxEditRepositoryTextItem) { PublishRepositoryItemProperties(P); }
TRENVIK_PUBLISHED(TcxEditRepositoryComboBoxItem) { PublishRepositoryItemProperties(P); }
TRENVIK_PUBLISHED(TcxEditRepositoryMaskItem) { PublishRepositoryItemProperties(P); }
TRENVIK_PUBLISHED(TcxEditRepositoryPopupItem) { PublishRepositoryItemProperties(P); }
TRENVIK_PUBLISHED(TcxEditRepositorySpinItem) { PublishRepositoryItemProperties(P); }
TRENVIK_PUBLISHED(TcxEditRepositoryMemoItem) { PublishRepositoryItemProperties(P); }
TRENVIK_PUBLISHED(TcxEditRepositoryCheckBoxItem) { PublishRepositoryItemProperties(P); }

void InitializeEditRepositoryItems() {
  RegisterClasses({TcxEditRepositoryItem::StaticClass(), TcxEditRepositoryTextItem::StaticClass(),
                   TcxEditRepositoryComboBoxItem::StaticClass(), TcxEditRepositoryMaskItem::StaticClass(),
                   TcxEditRepositoryPopupItem::StaticClass(), TcxEditRepositorySpinItem::StaticClass(),
                   TcxEditRepositoryMemoItem::StaticClass(), TcxEditRepositoryCheckBoxItem::StaticClass()});
  RegisterClass(TcxEditRepository::StaticClass());
  // Items and repositories live among the visual controls of a form.
  StartClassGroup(TControl::StaticClass());
  GroupDescendentsWith(TcxEditRepositoryItem::StaticClass(), TControl::StaticClass());
  GroupDescendentsWith(TcxEditRepository::StaticClass(), TControl::StaticClass());
}
