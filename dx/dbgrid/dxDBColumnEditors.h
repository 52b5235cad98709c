// The in-place editor classes of the column kinds: one class per kind over the matching dx editor,
// with no behaviour of its own, so that the control's one-editor-per-class cache gives each kind its
// own editor instance.
#pragma once

#include "dx/editors/dxBlobEdit.h"
#include "dx/editors/dxButtonEdit.h"
#include "dx/editors/dxCalculator.h"
#include "dx/editors/dxCheckEdit.h"
#include "dx/editors/dxCurrencyEdit.h"
#include "dx/editors/dxDateEdit.h"
#include "dx/editors/dxGraphicEdit.h"
#include "dx/editors/dxHyperLinkEdit.h"
#include "dx/editors/dxImageEdit.h"
#include "dx/editors/dxLookupEdit.h"
#include "dx/editors/dxMRUEdit.h"
#include "dx/editors/dxMemoEdit.h"
#include "dx/editors/dxPickEdit.h"
#include "dx/editors/dxSpinEdit.h"
#include "dx/editors/dxTimeEdit.h"

#define TRENVIK_DB_COLUMN_EDITOR(Name, Base)                               \
  class Name : public Base {                                               \
    TRENVIK_CLASS(Name, Base);                                             \
                                                                           \
   public:                                                                 \
    explicit Name(TComponent* AOwner) : Base(AOwner, StaticEditClass()) {} \
    static TdxInplaceEditClass StaticEditClass();                          \
  }

TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListMemoEdit, TdxInplaceMemoEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListDropDownEdit, TdxInplaceDropDownEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListDateEdit, TdxInplaceDateEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListButtonEdit, TdxInplaceButtonEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListCheckEdit, TdxInplaceCheckEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListImageEdit, TdxInplaceImageEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListSpinEdit, TdxInplaceSpinEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListPickEdit, TdxInplacePickEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListCalcEdit, TdxInplaceCalcEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListHyperLinkEdit, TdxInplaceHyperLinkEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListTimeEdit, TdxInplaceTimeEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListCurrencyEdit, TdxInplaceCurrencyEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListGraphicEdit, TdxInplaceGraphicEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListLookupEdit, TdxInplaceLookupEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListBlobEdit, TdxInplaceBlobEdit);
TRENVIK_DB_COLUMN_EDITOR(TdxInplaceDBTreeListMRUEdit, TdxInplaceMRUEdit);

#undef TRENVIK_DB_COLUMN_EDITOR
