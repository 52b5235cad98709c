// The repository item of each editor type: the item creates its editor's properties and publishes
// them under that class, so a form file and the code see the editor's own settings.
#pragma once

#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxPopupEdit.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"

// The properties object of an item of this kind is always a TProperties; assigning properties copies
// their settings into it, the item never adopts the object it is given.
template <class TProperties>
class TcxEditRepositoryItemOf : public TcxEditRepositoryItem {
 public:
  using TPropertiesType = TProperties;
  explicit TcxEditRepositoryItemOf(TComponent* AOwner) : TcxEditRepositoryItem(AOwner) { CreateProperties(); }

  TProperties* Properties() const { return static_cast<TProperties*>(TcxEditRepositoryItem::Properties()); }
  void SetProperties(TProperties* Value) { TcxEditRepositoryItem::SetProperties(Value); }
  TClass GetPropertiesClass() override { return TProperties::StaticClass(); }
};

// "Properties" under the item's own properties class.
template <class T>
void PublishRepositoryItemProperties(TPublisher<T>& P) {
  P.Property("Properties", &T::Properties, &T::SetProperties);
}

#define CX_EDIT_REPOSITORY_ITEM(Class, PropertiesClass)                                  \
  class Class : public TcxEditRepositoryItemOf<PropertiesClass> {                        \
    TRENVIK_CLASS(Class, TcxEditRepositoryItemOf<PropertiesClass>);                      \
                                                                                         \
   public:                                                                               \
    explicit Class(TComponent* AOwner) : TcxEditRepositoryItemOf<PropertiesClass>(AOwner) {} \
  }

CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryTextItem, TcxTextEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryComboBoxItem, TcxComboBoxProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMaskItem, TcxMaskEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryPopupItem, TcxPopupEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositorySpinItem, TcxSpinEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMemoItem, TcxMemoProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCheckBoxItem, TcxCheckBoxProperties);

// Registers the item classes with the streaming class registry, so form files can name them.
void InitializeEditRepositoryItems();
