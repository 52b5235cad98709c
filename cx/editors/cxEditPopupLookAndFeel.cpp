// The popup content's look: the kind matching the edit's buttons and the edit's native style.
#include "cx/editors/cxDropDownEdit.h"
#include "cx/editors/cxEditViewInfo.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditPopupControlLookAndFeel)

namespace {

TcxLookAndFeelKind KindOfButtonStyle(TcxEditButtonStyle AStyle) {
  switch (AStyle) {
    case btsFlat:
    case btsSimple:
    case btsHotFlat: return lfFlat;
    case btsUltraFlat: return lfUltraFlat;
    default: return lfStandard;
  }
}

}  // namespace

TcxEditPopupControlLookAndFeel::TcxEditPopupControlLookAndFeel(TcxCustomDropDownEdit* AEdit)
    : TcxLookAndFeel(AEdit), edit_(AEdit) {
  // The base constructor could not reach the edit's values.
  CheckValuesChanged();
}

TcxLookAndFeelKind TcxEditPopupControlLookAndFeel::GetEffectiveKind() const {
  if (edit_->IsInplace()) return edit_->Style()->LookAndFeel()->Kind();
  TcxCustomEditViewInfo* info = edit_->EditViewInfo();
  if (!info || info->ButtonCount() == 0) return lfStandard;
  return KindOfButtonStyle(info->Button(0)->Style);
}

bool TcxEditPopupControlLookAndFeel::GetEffectiveNativeStyle() const {
  TcxCustomEditViewInfo* info = edit_->EditViewInfo();
  return info && info->NativeStyle;
}

void TcxCustomDropDownEdit::ContainerStyleChanged(TObject* Sender) {
  inherited::ContainerStyleChanged(Sender);
  if (HandleAllocated() && popupLookAndFeel_) popupLookAndFeel_->EditStyleChanged();
}

bool TcxCustomDropDownEdit::RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) {
  const bool result = inherited::RefreshContainer(P, AButton, AShift, AIsMouseEvent);
  if (popupLookAndFeel_) popupLookAndFeel_->EditStyleChanged();
  return result;
}

void TcxCustomDropDownEdit::ThemeChanged() {
  inherited::ThemeChanged();
  if (popupLookAndFeel_) popupLookAndFeel_->EditStyleChanged();
}
