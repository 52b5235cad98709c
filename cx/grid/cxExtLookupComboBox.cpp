// The extended lookup combo box control, its repository item, what form files see of them, and the
// module's registrations.
#include "cx/grid/cxExtLookupComboBox.h"

#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"
#include "cx/grid/cxGridCustomTableView.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringTable.h"

namespace {

// The registered editor's "name|description" text.
constexpr int cxSEditExtLookupComboBoxDescription = 64790;

}  // namespace

using ExtLookupProps = TcxExtLookupComboBoxProperties;

// The binding comes first in this order: the key field names reach the view's data controller only
// once the view is set, and the list item is accepted only when it is the view's.
TRENVIK_PUBLISHED(TcxExtLookupComboBoxProperties) {
  P.Property("View", &ExtLookupProps::View, &ExtLookupProps::SetView);
  P.Property("KeyFieldNames", &ExtLookupProps::KeyFieldNames, &ExtLookupProps::SetKeyFieldNames);
  P.Property("ListFieldItem", &ExtLookupProps::ListFieldItem, &ExtLookupProps::SetListFieldItem);
  PublishAlignmentObject(P);
  PublishAutoSelect(P, true);
  P.Property("AutoSearchOnPopup", &ExtLookupProps::AutoSearchOnPopup, &ExtLookupProps::SetAutoSearchOnPopup)
      .Default(true);
  P.Property("ButtonGlyph", &ExtLookupProps::ButtonGlyph, &ExtLookupProps::SetButtonGlyph)
      .Stored(&ExtLookupProps::IsButtonGlyphStored);
  PublishCharCase(P);
  P.Property("ClearKey", &ExtLookupProps::ClearKey, &ExtLookupProps::SetClearKey).Default(0);
  P.Property("DropDownAutoSize", &ExtLookupProps::DropDownAutoSize, &ExtLookupProps::SetDropDownAutoSize)
      .Default(false);
  P.Property("DropDownHeight", &ExtLookupProps::DropDownHeight, &ExtLookupProps::SetDropDownHeight).Default(0);
  P.Property("DropDownListStyle", &ExtLookupProps::DropDownListStyle, &ExtLookupProps::SetDropDownListStyle)
      .Default(lsEditFixedList);
  P.Property("DropDownRows", &ExtLookupProps::DropDownRows, &ExtLookupProps::SetDropDownRows).Default(8);
  P.Property("DropDownSizeable", &ExtLookupProps::DropDownSizeable, &ExtLookupProps::SetDropDownSizeable)
      .Default(false);
  P.Property("DropDownWidth", &ExtLookupProps::DropDownWidth, &ExtLookupProps::SetDropDownWidth).Default(0);
  P.Property("FocusPopup", &ExtLookupProps::FocusPopup, &ExtLookupProps::SetFocusPopup).Default(false);
  P.Property("GridMode", &ExtLookupProps::GridMode, &ExtLookupProps::SetGridMode).Default(false);
  PublishHideSelection(P);
  P.Property("ImmediateDropDown", &ExtLookupProps::ImmediateDropDown, &ExtLookupProps::SetImmediateDropDown)
      .Default(true);
  P.Property("ImmediatePost", &ExtLookupProps::ImmediatePost, &ExtLookupProps::SetImmediatePost).Default(false);
  P.Property("IncrementalFiltering", &ExtLookupProps::IncrementalFiltering,
             &ExtLookupProps::SetIncrementalFiltering)
      .Default(true);
  PublishMaxLength(P);
  PublishOEMConvert(P);
  P.Property("PopupAlignment", &ExtLookupProps::PopupAlignment, &ExtLookupProps::SetPopupAlignment)
      .Default(taLeftJustify);
  PublishReadOnly(P);
  P.Property("Revertable", &ExtLookupProps::Revertable, &ExtLookupProps::SetRevertable).Default(false);
  PublishUseLeftAlignmentOnEditing(P);
  PublishTextEditEvents(P);
  P.Event("OnCloseUp", &ExtLookupProps::OnCloseUp);
  P.Event("OnInitPopup", &ExtLookupProps::OnInitPopup);
  P.Event("OnPopup", &ExtLookupProps::OnPopup);
}

TRENVIK_IMPLEMENT_CLASS(TcxCustomExtLookupComboBox)

TRENVIK_PUBLISHED(TcxExtLookupComboBox) {
  PublishAutoSize(P);
  PublishBeepOnEnter(P);
  PublishEditControl(P, false);
  P.Property("EditValue", &TcxCustomEdit::EditValue, &TcxCustomEdit::SetEditValue);
}

TRENVIK_PUBLISHED(TcxEditRepositoryExtLookupComboBoxItem) {
  P.Property("Properties", &TcxEditRepositoryExtLookupComboBoxItem::Properties,
             &TcxEditRepositoryExtLookupComboBoxItem::SetProperties);
}

TcxCustomExtLookupComboBox::TcxCustomExtLookupComboBox(TComponent* AOwner) : TcxCustomDBLookupEdit(AOwner) {
  CreateProperties();
  InitializeLookup();
}

// With the focus inside the list the user may open it on an empty list, to insert there.
bool TcxCustomExtLookupComboBox::CanDropDown() { return ActiveProperties()->FocusPopup() || inherited::CanDropDown(); }

TcxEditRepositoryExtLookupComboBoxItem::TcxEditRepositoryExtLookupComboBoxItem(TComponent* AOwner)
    : TcxEditRepositoryItem(AOwner) {
  CreateProperties();
}

TcxExtLookupComboBoxProperties* TcxEditRepositoryExtLookupComboBoxItem::Properties() const {
  auto* properties = dynamic_cast<TcxExtLookupComboBoxProperties*>(TcxEditRepositoryItem::Properties());
  if (!properties) throw EInvalidCast(S("Invalid class typecast"));
  return properties;
}

void cxExtLookupComboBoxInitialize() {
  RegisterResourceString(cxSEditExtLookupComboBoxDescription,
                         u"ExtLookupComboBox|Represents an ExtLookupComboBox that uses a grid as its drop-down control");
  RegisterClass(TcxEditRepositoryExtLookupComboBoxItem::StaticClass());
  GetRegisteredEditProperties()->Register(TcxExtLookupComboBoxProperties::StaticClass(),
                                          cxGetResourceString(cxSEditExtLookupComboBoxDescription));
}
