#include <algorithm>

#include "cx/editors/cxDropDownEdit.h"
#include "cx/editors/cxEditScopes.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDropDownEditProperties)

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner) {
  Buttons()->Add()->Kind = bkDown;
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
