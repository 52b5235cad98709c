#include "cx/editors-ext/cxDBEditRepository.h"

#include "platform/classes/ClassRegistry.h"

TRENVIK_PUBLISHED(TcxEditRepositoryLookupComboBoxItem) { PublishRepositoryItemProperties(P); }

void InitializeDBEditRepository() { RegisterClass(TcxEditRepositoryLookupComboBoxItem::StaticClass()); }
