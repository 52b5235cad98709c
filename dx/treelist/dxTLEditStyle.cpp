#include "dx/treelist/dxTLEditStyle.h"

#include "dx/treelist/dxTL.h"

TRENVIK_IMPLEMENT_CLASS(TdxTreeListEditStyle)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceTreeListTextEdit)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceTreeListMaskEdit)

TdxEditBorderStyle TdxTreeListEditStyle::GetDefaultBorderStyle() const {
  return treeList_->ShowGrid() ? xbsNone : xbsSingle;
}

TdxEditButtonViewStyle TdxTreeListEditStyle::GetDefaultButtonStyle() const {
  switch (treeList_->LookAndFeel()) {
    case lfFlat:
      return btsFlat;
    case lfUltraFlat:
      return btsHotFlat;
    default:
      return bts3D;
  }
}

TdxInplaceEditClass TdxInplaceTreeListTextEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceTreeListTextEdit, TdxTextEditMetaClass> cls(
      "TdxInplaceTreeListTextEdit");
  return &cls;
}

TdxInplaceEditClass TdxInplaceTreeListMaskEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceTreeListMaskEdit, TdxTextEditMetaClass> cls(
      "TdxInplaceTreeListMaskEdit");
  return &cls;
}
