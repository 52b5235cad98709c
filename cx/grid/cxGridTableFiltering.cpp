#include "cx/grid/cxGridTableFiltering.h"

#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TcxGridTableFiltering) {
  P.Property("CustomizeDialog", &TcxGridTableFiltering::CustomizeDialog, &TcxGridTableFiltering::SetCustomizeDialog)
      .Default(true);
  P.Property("Visible", &TcxGridTableFiltering::Visible, &TcxGridTableFiltering::SetVisible).Default(fvNonEmpty);
}

void TcxGridTableFiltering::SetVisible(TcxGridFilterVisible Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  Changed();
}

void TcxGridTableFiltering::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableFiltering*>(Source)) {
    SetCustomizeDialog(source->CustomizeDialog());
    SetVisible(source->Visible());
  }
}
