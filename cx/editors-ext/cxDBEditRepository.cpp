#include "cx/editors-ext/cxDBEditRepository.h"

#include "platform/classes/ClassRegistry.h"

TRENVIK_PUBLISHED(TcxEditRepositoryLookupComboBoxItem) {
  P.Property("Properties", &TcxEditRepositoryLookupComboBoxItem::TypedProperties,
             &TcxEditRepositoryLookupComboBoxItem::SetTypedProperties);
}

void InitializeDBEditRepository() { RegisterClasses({TcxEditRepositoryLookupComboBoxItem::StaticClass()}); }
