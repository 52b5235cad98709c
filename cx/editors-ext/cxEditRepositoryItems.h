// The repository item class of every editor type: each creates its editor's properties object and
// publishes it as Properties with that exact type (a written object is copied, never adopted).
#pragma once

#include "cx/editors-ext/cxBlobEdit.h"
#include "cx/editors-ext/cxButtonEdit.h"
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors-ext/cxImage.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxPopupEdit.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"

// An item whose properties object is a TProperties.
template <class TProperties>
class TcxEditRepositoryItemOf : public TcxEditRepositoryItem {
 public:
  explicit TcxEditRepositoryItemOf(TComponent* AOwner) : TcxEditRepositoryItem(AOwner) { CreateProperties(); }
  TProperties* TypedProperties() const { return static_cast<TProperties*>(Properties()); }
  void SetTypedProperties(TProperties* Value) { SetProperties(Value); }
  TClass GetPropertiesClass() override { return TProperties::StaticClass(); }
};

#define CX_EDIT_REPOSITORY_ITEM(ItemClass, PropertiesClass)                    \
  class ItemClass : public TcxEditRepositoryItemOf<PropertiesClass> {          \
    TRENVIK_CLASS(ItemClass, TcxEditRepositoryItemOf<PropertiesClass>);        \
                                                                               \
   public:                                                                     \
    explicit ItemClass(TComponent* AOwner) : TcxEditRepositoryItemOf(AOwner) {} \
  }

CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryTextItem, TcxTextEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryButtonItem, TcxButtonEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryImageItem, TcxImageProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryComboBoxItem, TcxComboBoxProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMaskItem, TcxMaskEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryPopupItem, TcxPopupEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCalcItem, TcxCalcEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryDateItem, TcxDateEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCurrencyItem, TcxCurrencyEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositorySpinItem, TcxSpinEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMemoItem, TcxMemoProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryCheckBoxItem, TcxCheckBoxProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryTimeItem, TcxTimeEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryMRUItem, TcxMRUEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryHyperLinkItem, TcxHyperLinkEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryRadioGroupItem, TcxRadioGroupProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryBlobItem, TcxBlobEditProperties);
CX_EDIT_REPOSITORY_ITEM(TcxEditRepositoryImageComboBoxItem, TcxImageComboBoxProperties);

#undef CX_EDIT_REPOSITORY_ITEM

// Registers the item classes with the streaming class registry, so form resources create them.
void InitializeEditRepositoryItems();
