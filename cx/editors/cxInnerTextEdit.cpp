#include "cx/editors/cxTextEdit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomInnerTextEdit)

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TcxCustomTextEdit* AOwner)
    : inherited(AOwner) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetParentFont(true);
}


void TcxCustomInnerTextEdit::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (alignment_ == taRightJustify) Params.Style |= ES_RIGHT;
  if (alignment_ == taCenter) Params.Style |= ES_CENTER;
}

void TcxCustomInnerTextEdit::OwnerKeyPressed(Char& Key) {
  auto* edit = static_cast<TcxCustomTextEdit*>(Owner());
  if (Key == u'\r' && (edit->IsInplace() || !edit->BeepOnEnter())) Key = 0;
}
