// The repository item of the dataset lookup combo box.
#pragma once

#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"

CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryLookupComboBoxItem, TcxLookupComboBoxProperties);

void InitializeDBEditRepository();
