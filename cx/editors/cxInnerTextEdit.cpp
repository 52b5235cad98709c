#include "cx/editors/cxTextEdit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomInnerTextEdit)

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TcxCustomTextEdit* AOwner)
    : inherited(AOwner), edit_(AOwner) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetParentFont(true);
}

// The edit decides about every key, as if it had received it itself.
void TcxCustomInnerTextEdit::KeyDown(WORD& Key, TShiftState Shift) {
  edit_->KeyDown(Key, Shift);
  if (Key != 0) inherited::KeyDown(Key, Shift);
}

void TcxCustomInnerTextEdit::KeyPress(Char& Key) {
  edit_->KeyPress(Key);
  if (Key != 0) inherited::KeyPress(Key);
}

void TcxCustomInnerTextEdit::KeyUp(WORD& Key, TShiftState Shift) {
  edit_->KeyUp(Key, Shift);
  if (Key != 0) inherited::KeyUp(Key, Shift);
}

void TcxCustomInnerTextEdit::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  edit_->InnerControlMouseMove(this, Shift, X, Y);
}
