#include "cx/editors/cxEditProperties.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditDefaultValuesProvider)

TcxCustomEditDefaultValuesProvider::TcxCustomEditDefaultValuesProvider(TPersistent* AOwner)
    : owner_(AOwner) {}

void TcxCustomEditDefaultValuesProvider::Changed() {
  if (onChanged_) onChanged_(this);
}
