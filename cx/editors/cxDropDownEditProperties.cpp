#include <algorithm>

#include "cx/editors/cxDropDownEdit.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDropDownEditProperties)

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner) {
  Buttons()->Add()->Kind = bkDown;
}

TcxEditButton* TcxCustomDropDownEditProperties::DropDownButton() {
  const int index = GetDropDownButtonIndex();
  return index >= 0 && index < Buttons()->Count() ? Buttons()->Items(index) : nullptr;
}

TBitmap* TcxCustomDropDownEditProperties::ButtonGlyph() {
  TcxEditButton* button = DropDownButton();
  return button ? button->Glyph() : nullptr;
}

bool TcxCustomDropDownEditProperties::IsButtonGlyphStored() const {
  // Reading the glyph would create an empty one: ask the button whether it has one.
  const TcxEditButton* button = const_cast<TcxCustomDropDownEditProperties*>(this)->DropDownButton();
  return button && button->HasGlyph() && IsBitmapUsable(const_cast<TcxEditButton*>(button)->Glyph());
}

void TcxCustomDropDownEditProperties::SetButtonGlyph(TBitmap* Value) {
  TcxEditButton* button = DropDownButton();
  if (!button) return;
  button->SetGlyph(Value);
  Changed();
}

void TcxCustomDropDownEditProperties::Changed() {
  if (!changing_) {
    TcxFlagScope changing(changing_);
    if (TcxEditButton* button = DropDownButton()) {
      const bool usable = button->HasGlyph() && IsBitmapUsable(button->Glyph());
      if (usable)
        button->Kind = bkGlyph;
      else if (button->Kind == bkGlyph)
        button->Kind = bkDown;
    }
  }
  inherited::Changed();
}

TClass TcxCustomDropDownEditProperties::GetContainerClass() { return TcxCustomDropDownEdit::StaticClass(); }

TcxEditPopupWindowFactory TcxCustomDropDownEditProperties::GetPopupWindowClass() {
  return [](TcxCustomDropDownEdit* AEdit) { return new TcxCustomEditPopupWindow(AEdit); };
}

void TcxCustomDropDownEditProperties::SetPopupHeight(int Value) {
  popupHeight_ = std::max(Value, popupMinHeight_);
}

void TcxCustomDropDownEditProperties::SetPopupWidth(int Value) {
  popupWidth_ = Value < 0 ? 0 : (Value > 0 ? std::max(Value, popupMinWidth_) : 0);
}

void TcxCustomDropDownEditProperties::SetPopupMinHeight(int Value) {
  popupMinHeight_ = std::max(Value, 0);
  SetPopupHeight(popupHeight_);
}

void TcxCustomDropDownEditProperties::SetPopupMinWidth(int Value) {
  popupMinWidth_ = std::max(Value, 0);
  SetPopupWidth(popupWidth_);
}

void TcxCustomDropDownEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomDropDownEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  immediateDropDown_ = source->immediateDropDown_;
  immediatePopup_ = source->immediatePopup_;
  SetPopupAlignment(source->popupAlignment_);
  popupAutoSize_ = source->popupAutoSize_;
  SetPopupClientEdge(source->popupClientEdge_);
  // The minimums first, so that the sizes are not raised to the old ones.
  SetPopupMinHeight(source->popupMinHeight_);
  SetPopupMinWidth(source->popupMinWidth_);
  SetPopupHeight(source->popupHeight_);
  SetPopupWidth(source->popupWidth_);
  SetPopupSizeable(source->popupSizeable_);
  SetPopupSysPanelStyle(source->popupSysPanelStyle_);
  OnCloseQuery = source->OnCloseQuery;
  OnCloseUp = source->OnCloseUp;
  OnInitPopup = source->OnInitPopup;
  OnPopup = source->OnPopup;
}
