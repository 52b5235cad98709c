// The stand-alone editors of the custom filter dialog: the text editor a column gives for filter
// values, the column kinds' own value editors, and the operator chooser.
#pragma once

#include "dx/editors/dxCalculator.h"
#include "dx/editors/dxCurrencyEdit.h"
#include "dx/editors/dxDateEdit.h"
#include "dx/editors/dxImageEdit.h"
#include "dx/editors/dxLookupEdit.h"
#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxPickEdit.h"
#include "dx/editors/dxSpinEdit.h"
#include "dx/editors/dxTimeEdit.h"

// A mask editor placed on a dialog rather than over a cell.
class TCustomdxFilterEdit : public TdxInplaceMaskEdit {
  TRENVIK_CLASS(TCustomdxFilterEdit, TdxInplaceMaskEdit);

 public:
  explicit TCustomdxFilterEdit(TComponent* AOwner) : TdxInplaceMaskEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

// An image combo editor on a dialog: Values hold the operator indexes as text, Descriptions their texts.
class TdxFilterDialogComboEdit : public TdxInplaceImageEdit {
  TRENVIK_CLASS(TdxFilterDialogComboEdit, TdxInplaceImageEdit);

 public:
  explicit TdxFilterDialogComboEdit(TComponent* AOwner) : TdxInplaceImageEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

// The value editors the column kinds give the dialog: their cell editor, placed on a dialog.
#define TRENVIK_FILTER_EDITOR(Name, Base)                                  \
  class Name : public Base {                                               \
    TRENVIK_CLASS(Name, Base);                                             \
                                                                           \
   public:                                                                 \
    explicit Name(TComponent* AOwner) : Base(AOwner, StaticEditClass()) {} \
    static TdxInplaceEditClass StaticEditClass();                          \
  }

TRENVIK_FILTER_EDITOR(TCustomdxFilterTimeEdit, TdxInplaceTimeEdit);
TRENVIK_FILTER_EDITOR(TCustomdxFilterSpinEdit, TdxInplaceSpinEdit);
TRENVIK_FILTER_EDITOR(TCustomdxFilterCurrencyEdit, TdxInplaceCurrencyEdit);
TRENVIK_FILTER_EDITOR(TCustomdxFilterCalcEdit, TdxInplaceCalcEdit);
TRENVIK_FILTER_EDITOR(TCustomdxFilterImageEdit, TdxInplaceImageEdit);
TRENVIK_FILTER_EDITOR(TCustomdxFilterPickEdit, TdxInplacePickEdit);
TRENVIK_FILTER_EDITOR(TCustomdxFilterLookupEdit, TdxInplaceLookupEdit);

#undef TRENVIK_FILTER_EDITOR

// The date editor on a dialog. Typed text that reads as no date stays as typed, for the dialog to
// refuse: the cell editor's fallback date would silently turn it into another condition.
class TCustomdxFilterDateEdit : public TdxInplaceDateEdit {
  TRENVIK_CLASS(TCustomdxFilterDateEdit, TdxInplaceDateEdit);

 public:
  explicit TCustomdxFilterDateEdit(TComponent* AOwner) : TdxInplaceDateEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();

  void ValidateEdit() override;
  // True when the text was typed since the date was last set and does not read as a date.
  bool HoldsTextThatIsNoDate();
};
