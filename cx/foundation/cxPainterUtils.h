// Small drawing steps the painter files share (internal to the painters).
#pragma once

#include "cx/foundation/cxLookAndFeelPainters.h"

namespace cxpainter {

inline RECT Deflated(const RECT& R, int ADelta = 1) {
  return {R.left + ADelta, R.top + ADelta, R.right - ADelta, R.bottom - ADelta};
}

inline bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

// Fills R in AColor with a solid brush, whatever style the brush had.
inline void FillRectColor(TcxCanvas* ACanvas, const RECT& R, TColor AColor) {
  ACanvas->SetBrushColor(AColor);
  if (ACanvas->Brush()->Style() != bsSolid) ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(R);
}

// The bevels of the classic looks, named by their colours (left and top / right and bottom).
inline void RaisedBevel(TcxCanvas* C, const RECT& R, TcxBorders B = cxBordersAll) {
  C->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow, B);
}
inline void RaisedOuterBevel(TcxCanvas* C, const RECT& R, TcxBorders B = cxBordersAll) {
  C->DrawTwoColorFrame(R, cl3DLight, cl3DDkShadow, B);
}
inline void SunkenBevel(TcxCanvas* C, const RECT& R, TcxBorders B = cxBordersAll) {
  C->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight, B);
}
inline void SunkenInnerBevel(TcxCanvas* C, const RECT& R, TcxBorders B = cxBordersAll) {
  C->DrawTwoColorFrame(R, cl3DDkShadow, cl3DLight, B);
}

// The standard and flat looks' header, footer, drop-down and tab drawing (the flat look draws them
// as the standard one does).
void PaintClassicHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors);
void PaintClassicDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                bool AHighlightArrow, TcxLookAndFeelPainterClass APainter);
void PaintClassicTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxNeighbors ANeighbors,
                           bool AVertical);
// A scroll-bar page area filled with the checker bitmap of the state.
void PaintScrollBarPageArea(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState);

}  // namespace cxpainter
