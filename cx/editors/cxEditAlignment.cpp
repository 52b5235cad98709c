#include "cx/editors/cxEditProperties.h"

TRENVIK_PUBLISHED(TcxEditAlignment) {
  P.Property("Horz", &TcxEditAlignment::Horz, &TcxEditAlignment::SetHorz)
      .NoDefault()
      .Stored(&TcxEditAlignment::IsHorzStored);
  P.Property("Vert", &TcxEditAlignment::Vert, &TcxEditAlignment::SetVert).Default(taTopJustify);
}

TcxEditAlignment::TcxEditAlignment(TPersistent* AOwner) : owner_(AOwner) {}

void TcxEditAlignment::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxEditAlignment*>(Source)) {
    vert_ = source->vert_;
    horz_ = source->horz_;
    isHorzAssigned_ = source->isHorzAssigned_;
    DoChanged();
    return;
  }
  inherited::Assign(Source);
}

void TcxEditAlignment::SetHorz(TAlignment Value) {
  isHorzAssigned_ = true;
  horz_ = Value;
  DoChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment Value) {
  if (vert_ == Value) return;
  vert_ = Value;
  DoChanged();
}

void TcxEditAlignment::DoChanged() {
  if (OnChanged) OnChanged(this);
}
