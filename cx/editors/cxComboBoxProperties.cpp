// The combo box's settings and the size of its list's popup.
#include <algorithm>

#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditPublishing.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomComboBoxProperties)
using ComboProps = TcxCustomComboBoxProperties;

TRENVIK_PUBLISHED(TcxComboBoxProperties) {
  PublishTextEditSettings(P, false);
  PublishMaskSettings(P);
  PublishValidateOnEnter(P);
  P.Property("ButtonGlyph", &ComboProps::ButtonGlyph, &ComboProps::SetButtonGlyph)
      .Stored(&ComboProps::IsButtonGlyphStored);
  P.Property("DropDownAutoWidth", &ComboProps::DropDownAutoWidth, &ComboProps::SetDropDownAutoWidth).Default(true);
  P.Property("DropDownListStyle", &ComboProps::DropDownListStyle, &ComboProps::SetDropDownListStyle)
      .Default(lsEditList);
  P.Property("DropDownRows", &ComboProps::DropDownRows, &ComboProps::SetDropDownRows).Default(8);
  P.Property("DropDownSizeable", &ComboProps::DropDownSizeable, &ComboProps::SetDropDownSizeable).Default(false);
  P.Property("DropDownWidth", &ComboProps::DropDownWidth, &ComboProps::SetDropDownWidth).Default(0);
  P.Property("ItemHeight", &ComboProps::ItemHeight, &ComboProps::SetItemHeight).Default(0);
  P.Property("Items", &ComboProps::Items, &ComboProps::SetItems);
  P.Property("Revertable", &ComboProps::Revertable, &ComboProps::SetRevertable).Default(false);
  P.Property("Sorted", &ComboProps::Sorted, &ComboProps::SetSorted).Default(false);
  PublishTextEditEvents(P);
  P.Event("OnDrawItem", &ComboProps::OnDrawItem);
  P.Event("OnMeasureItem", &ComboProps::OnMeasureItem);
  P.Event("OnCloseUp", &ComboProps::OnCloseUp);
  P.Event("OnInitPopup", &ComboProps::OnInitPopup);
  P.Event("OnPopup", &ComboProps::OnPopup);
}
TRENVIK_IMPLEMENT_CLASS(TcxComboBoxPopupWindow)

TClass TcxCustomComboBoxProperties::GetContainerClass() { return TcxComboBox::StaticClass(); }

void TcxCustomComboBoxProperties::SetDropDownListStyle(TcxEditDropDownListStyle Value) {
  if (dropDownListStyle_ == Value) return;
  dropDownListStyle_ = Value;
  Changed();
}

void TcxCustomComboBoxProperties::SetDropDownRows(int Value) {
  if (Value < 1 || dropDownRows_ == Value) return;
  dropDownRows_ = Value;
  Changed();
}

void TcxCustomComboBoxProperties::SetItemHeight(int Value) {
  if (itemHeight_ == Value) return;
  itemHeight_ = Value;
  Changed();
}

void TcxCustomComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomComboBoxProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  SetDropDownListStyle(source->dropDownListStyle_);
  SetDropDownRows(source->dropDownRows_);
  SetItemHeight(source->itemHeight_);
  revertable_ = source->revertable_;
  OnDrawItem = source->OnDrawItem;
  OnMeasureItem = source->OnMeasureItem;
}

TcxTextEditingMode TcxCustomComboBoxProperties::GetEditingMode() {
  switch (dropDownListStyle_) {
    case lsEditFixedList: return temMatchItem;
    case lsFixedList: return temPickItem;
    default: return temFreeText;
  }
}

std::unique_ptr<TcxCustomTextEditLookupData> TcxCustomComboBoxProperties::CreateLookupData(TcxCustomEdit* AEdit) {
  return std::make_unique<TcxComboBoxLookupData>(AEdit, [AEdit] {
    Variant value;
    AEdit->GetDisplayValue(value);
    return VarToStr(value);
  });
}

TcxEditPopupWindowFactory TcxCustomComboBoxProperties::GetPopupWindowClass() {
  return [](TcxCustomDropDownEdit* AEdit) { return new TcxComboBoxPopupWindow(AEdit); };
}

void TcxComboBoxPopupWindow::CalculateSize() {
  const TSizeInputs in = BeginSizeCalculation();
  auto* properties = static_cast<TcxCustomComboBoxProperties*>(Edit()->ActiveProperties());
  // A size the user gave the list stays: the one kept for it (by the properties, or by an in-place
  // editor's cell), else the window's current one.
  const bool resizedByUser = Sizeable() && Edit()->IsPopupResized();
  const RECT client = EditViewInfo()->ClientRect;
  int w;
  if (resizedByUser)
    w = PopupWidth() > 0 ? PopupWidth() : (client.right - client.left) + in.Borders.Width();
  else if (properties->DropDownAutoWidth())
    w = std::max(in.Content.cx + in.Borders.Width(), in.OwnerWidth);
  else
    w = PopupWidth() > 0 ? PopupWidth() : in.OwnerWidth;
  int h;
  if (resizedByUser)
    h = PopupHeight() > 0 ? PopupHeight() : (client.bottom - client.top) + in.Borders.Height();
  else if (PopupHeight() != 0 && (Sizeable() || !PopupAutoSize()))
    h = PopupHeight();
  else
    h = in.Content.cy + in.Borders.Height();
  ApplyCalculatedSize(w, h, in.MinSize);
}
