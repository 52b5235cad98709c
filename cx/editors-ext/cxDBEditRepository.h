// The repository item of the lookup combo box (its own module, after the lookup combo box's).
#pragma once

#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"

class TcxEditRepositoryLookupComboBoxItem : public TcxEditRepositoryItemOf<TcxLookupComboBoxProperties> {
  TRENVIK_CLASS(TcxEditRepositoryLookupComboBoxItem, TcxEditRepositoryItemOf<TcxLookupComboBoxProperties>);

 public:
  explicit TcxEditRepositoryLookupComboBoxItem(TComponent* AOwner) : TcxEditRepositoryItemOf(AOwner) {}
};

void InitializeDBEditRepository();
