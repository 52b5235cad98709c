#include "cx/editors/cxTextEdit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomInnerTextEdit)

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TcxCustomTextEdit* AOwner)
    : inherited(AOwner) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetParentFont(true);
}

