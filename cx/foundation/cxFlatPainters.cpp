// The flat look (one-pixel bevels) and the ultra-flat look (thin single-colour lines with
// highlight-tinted hot and pressed states).
#include "cx/foundation/cxPainterUtils.h"

using namespace cxpainter;

// --- Flat ---

TcxLookAndFeelPainterClass TcxFlatLookAndFeelPainter::Class() { return ClassOf<TcxFlatLookAndFeelPainter>(); }

int TcxFlatLookAndFeelPainter::GetBorderSize() const { return 1; }

void TcxFlatLookAndFeelPainter::PaintBorder(TcxCanvas* ACanvas, const RECT& R) const {
  SunkenBevel(ACanvas, R);
}

int TcxFlatLookAndFeelPainter::GetButtonBorderSize(TcxButtonState AState) const {
  return AState == cxbsDefault ? 2 : 1;
}

int TcxFlatLookAndFeelPainter::GetButtonPressedTextOffsetX() const { return 1; }
int TcxFlatLookAndFeelPainter::GetButtonPressedTextOffsetY() const { return 1; }

void TcxFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas* ACanvas, const RECT& ARect,
                                                 TcxButtonState AState) const {
  if (AState == cxbsPressed) {
    SunkenBevel(ACanvas, ARect);
    return;
  }
  RECT R = ARect;
  if (AState == cxbsDefault) {
    ACanvas->FrameRect(R, clBlack);
    R = Deflated(R);
  }
  RaisedBevel(ACanvas, R);
}

void TcxFlatLookAndFeelPainter::PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const {
  PaintButton(ACanvas, R, String(), cxbsNormal, true, clDefault, clDefault);
  DrawPlusMinus(ACanvas, Deflated(R), clBtnText, AExpanded);
  ACanvas->ExcludeClipRect(R);
}

int TcxFlatLookAndFeelPainter::GetExpandButtonSize() const { return 11; }

void TcxFlatLookAndFeelPainter::PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R,
                                                 TcxButtonState AState) const {
  SunkenBevel(ACanvas, R);
  ACanvas->FrameRect(Deflated(R), GetCheckButtonColor(AState));
}

void TcxFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                                                  TcxBorders) const {
  PaintClassicHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxFlatLookAndFeelPainter::PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnHighlight, AAscending);
}

int TcxFlatLookAndFeelPainter::GetHeaderBorderSize() const { return 1; }
SIZE TcxFlatLookAndFeelPainter::GetSortingMarkSize() const { return {8, 7}; }
int TcxFlatLookAndFeelPainter::GetFooterBorderSize() const { return 1; }
int TcxFlatLookAndFeelPainter::GetFooterCellBorderSize() const { return 1; }
int TcxFlatLookAndFeelPainter::GetFooterCellOffset() const { return 1; }

void TcxFlatLookAndFeelPainter::PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  RaisedBevel(ACanvas, R);
}

void TcxFlatLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {
  SunkenBevel(ACanvas, R);
}

void TcxFlatLookAndFeelPainter::PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                    bool AHighlightArrow) const {
  PaintClassicDropDownButton(ACanvas, R, AState, AHighlightArrow, this);
}

void TcxFlatLookAndFeelPainter::PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder,
                                               TcxNeighbors ANeighbors, bool AVertical) const {
  PaintClassicTabBorder(ACanvas, R, ABorder, ANeighbors, AVertical);
}

void TcxFlatLookAndFeelPainter::PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                                                    bool) const {
  RaisedBevel(ACanvas, R, ABorders);
}

int TcxFlatLookAndFeelPainter::GetTabBorderSize(bool) const { return 1; }

void TcxFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R,
                                                   TcxScrollBarPart APart, TcxButtonState AState) const {
  if (IsEmptyRect(R) || (APart == sbpThumbnail && AState == cxbsDisabled) || APart == sbpNone) return;
  if (AState == cxbsHot) AState = cxbsNormal;
  if (APart == sbpPageUp || APart == sbpPageDown) {
    PaintScrollBarPageArea(ACanvas, R, AState);
    return;
  }
  PaintButton(ACanvas, R, String(), AState, true, clDefault, clDefault);
  if (APart != sbpThumbnail)
    PaintButtonArrow(ACanvas, Deflated(R, GetButtonBorderSize(cxbsNormal)), AState,
                     GetArrowDirection(AHorizontal, APart));
}

// --- Ultra-flat ---

TcxLookAndFeelPainterClass TcxUltraFlatLookAndFeelPainter::Class() {
  return ClassOf<TcxUltraFlatLookAndFeelPainter>();
}

int TcxUltraFlatLookAndFeelPainter::GetBorderSize() const { return 1; }

void TcxUltraFlatLookAndFeelPainter::PaintBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FrameRect(R, clBtnShadow);
}

int TcxUltraFlatLookAndFeelPainter::GetButtonBorderSize(TcxButtonState AState) const {
  return AState == cxbsDefault ? 2 : 1;
}

TColor TcxUltraFlatLookAndFeelPainter::GetButtonColor(TcxButtonState AState) const {
  switch (AState) {
    case cxbsHot:
      return cxFaceTintColor();
    case cxbsPressed:
      return cxHighlightTintColor();
    default:
      return clBtnFace;
  }
}

RECT TcxUltraFlatLookAndFeelPainter::GetButtonContentBounds(TcxCanvas*, const RECT& R) const {
  const RECT Content = Deflated(R, 3);
  return IsEmptyRect(Content) ? R : Content;
}

int TcxUltraFlatLookAndFeelPainter::GetButtonPressedTextOffsetX() const { return 2; }
int TcxUltraFlatLookAndFeelPainter::GetButtonPressedTextOffsetY() const { return 0; }

TColor TcxUltraFlatLookAndFeelPainter::GetButtonTextColor(TcxButtonState AState) const {
  return AState == cxbsPressed ? clHighlightText : TcxCustomLookAndFeelPainter::GetButtonTextColor(AState);
}

TcxButtonState TcxUltraFlatLookAndFeelPainter::GetButtonPaintState(TcxButtonState) const {
  return cxbsNormal;
}

void TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas* ACanvas, const RECT& R,
                                                      TcxButtonState AState) const {
  switch (AState) {
    case cxbsDefault:
      ACanvas->FrameRect(R, clWindowFrame);
      ACanvas->FrameRect(Deflated(R), clWindowFrame);
      break;
    case cxbsNormal:
      ACanvas->FrameRect(R, clBtnText);
      break;
    default:
      ACanvas->FrameRect(R, clHighlight);
      break;
  }
}

void TcxUltraFlatLookAndFeelPainter::PaintExpandButton(TcxCanvas* ACanvas, const RECT& R,
                                                       bool AExpanded) const {
  ACanvas->FrameRect(R, clBtnShadow);
  const RECT Inner = Deflated(R);
  FillRectColor(ACanvas, Inner, clBtnFace);
  DrawPlusMinus(ACanvas, Inner, clBtnText, AExpanded);
  ACanvas->ExcludeClipRect(R);
}

int TcxUltraFlatLookAndFeelPainter::GetExpandButtonSize() const { return 11; }
bool TcxUltraFlatLookAndFeelPainter::IsButtonHotTrack() const { return true; }

void TcxUltraFlatLookAndFeelPainter::PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R,
                                                      TcxButtonState AState) const {
  ACanvas->FrameRect(R, clBtnText);
  ACanvas->FrameRect(Deflated(R), GetCheckButtonColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors,
                                                       TcxBorders ABorders) const {
  // Right and bottom always; left and top only where no neighbour draws them.
  ACanvas->FrameRect(R, clBtnText, 1, (ABorders * TcxBorders{bLeft, bTop}) + TcxBorders{bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::PaintSortingMark(TcxCanvas* ACanvas, const RECT& R,
                                                      bool AAscending) const {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnShadow, AAscending);
}

TcxBorders TcxUltraFlatLookAndFeelPainter::GetHeaderBorders(TcxNeighbors ANeighbors) const {
  TcxBorders Result = cxBordersAll;
  if (ANeighbors.Contains(bLeft)) Result.Exclude(bLeft);
  if (ANeighbors.Contains(bTop)) Result.Exclude(bTop);
  return Result;
}

int TcxUltraFlatLookAndFeelPainter::GetHeaderBorderSize() const { return 1; }
SIZE TcxUltraFlatLookAndFeelPainter::GetSortingMarkSize() const { return {7, 8}; }
TcxBorders TcxUltraFlatLookAndFeelPainter::GetFooterCellBorders() const { return {bRight, bBottom}; }
int TcxUltraFlatLookAndFeelPainter::GetFooterBorderSize() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::GetFooterCellBorderSize() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::GetFooterCellOffset() const { return 2; }

void TcxUltraFlatLookAndFeelPainter::PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FrameRect(R, clBtnShadow, 1, {bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->FrameRect(R, clBtnShadow);
}

SIZE TcxUltraFlatLookAndFeelPainter::GetCloseButtonSize() const { return {16, 15}; }

void TcxUltraFlatLookAndFeelPainter::PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R,
                                                         TcxButtonState AState, bool AHighlightArrow) const {
  ACanvas->FrameRect(R, AState == cxbsNormal ? clBtnShadow : clHighlight);
  const RECT Content = Deflated(R);
  FillRectColor(ACanvas, Content, GetButtonColor(AState));
  PaintDropDownArrow(ACanvas, Content, AHighlightArrow ? clBlue : GetButtonTextColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::PaintTabBorder(TcxCanvas* ACanvas, const RECT& ARect, TcxBorder ABorder,
                                                    TcxNeighbors, bool AVertical) const {
  RECT R = ARect;
  const bool Closing = AVertical ? ABorder == bBottom : ABorder == bRight;
  if (Closing && !AVertical) R.bottom -= GetTabBorderSize(AVertical);
  FillRectColor(ACanvas, R, Closing ? clBtnText : clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R,
                                                         TcxBorders ABorders, bool AVertical) const {
  ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnShadow, ABorders, GetTabBorderSize(AVertical));
}

int TcxUltraFlatLookAndFeelPainter::GetTabBorderSize(bool) const { return 1; }

void TcxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R,
                                                        TcxScrollBarPart APart, TcxButtonState AState) const {
  if (IsEmptyRect(R) || (APart == sbpThumbnail && AState == cxbsDisabled) || APart == sbpNone) return;
  if (APart == sbpPageUp || APart == sbpPageDown) {
    PaintScrollBarPageArea(ACanvas, R, AState);
    return;
  }
  PaintButton(ACanvas, R, String(), AState, true, clDefault, clDefault);
  if (APart != sbpThumbnail) PaintButtonArrow(ACanvas, R, AState, GetArrowDirection(AHorizontal, APart));
}
