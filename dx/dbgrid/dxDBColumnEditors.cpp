#include "dx/dbgrid/dxDBColumnEditors.h"

#define TRENVIK_DB_COLUMN_EDITOR_CLASS(Name, Meta)            \
  TRENVIK_IMPLEMENT_CLASS(Name)                               \
  TdxInplaceEditClass Name::StaticEditClass() {               \
    static const TdxEditClassOf<Name, Meta> editClass(#Name); \
    return &editClass;                                        \
  }

TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListMemoEdit, TdxTextEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListDropDownEdit, TdxDropDownEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListDateEdit, TdxDropDownEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListButtonEdit, TdxButtonEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListCheckEdit, TdxCheckEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListImageEdit, TdxImageEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListSpinEdit, TdxSpinEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListPickEdit, TdxDropDownEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListCalcEdit, TdxDropDownEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListHyperLinkEdit, TdxHyperLinkEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListTimeEdit, TdxSpinEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListCurrencyEdit, TdxTextEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListGraphicEdit, TdxGraphicEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListLookupEdit, TdxDropDownEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListBlobEdit, TdxBlobEditMetaClass)
TRENVIK_DB_COLUMN_EDITOR_CLASS(TdxInplaceDBTreeListMRUEdit, TdxMRUEditMetaClass)
