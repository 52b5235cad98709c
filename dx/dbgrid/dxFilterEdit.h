// The stand-alone editors of the custom filter dialog: the text editor a column gives for filter
// values, and the operator chooser.
#pragma once

#include "dx/editors/dxImageEdit.h"
#include "dx/editors/dxMaskEdit.h"

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
