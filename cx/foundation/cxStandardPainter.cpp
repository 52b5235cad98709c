// The standard look: the system's raised and sunken 3-D edges; also the classic drawing the flat
// look shares with it.
#include "cx/foundation/cxPainterUtils.h"

using namespace cxpainter;

namespace cxpainter {

void PaintClassicHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors) {
  RaisedBevel(ACanvas, R);
  // Adjacent cells blend their corners into one another.
  if (ANeighbors.Contains(bLeft)) {
    ACanvas->SetPixel(R.left, R.top + 1, clBtnFace);
    ACanvas->SetPixel(R.left, R.bottom - 2, clBtnFace);
  }
  if (ANeighbors.Contains(bRight)) {
    ACanvas->SetPixel(R.right - 1, R.top, clBtnHighlight);
    ACanvas->SetPixel(R.right - 1, R.top + 1, clBtnFace);
    ACanvas->SetPixel(R.right - 1, R.bottom - 2, clBtnFace);
  }
}

void PaintClassicDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                bool AHighlightArrow, TcxLookAndFeelPainterClass APainter) {
  if (AState == cxbsPressed)
    SunkenBevel(ACanvas, R);
  else
    RaisedBevel(ACanvas, R);
  const RECT Content = Deflated(R);
  FillRectColor(ACanvas, Content, clBtnFace);
  APainter->PaintDropDownArrow(ACanvas, Content, AHighlightArrow ? clBlue : clBtnText);
}

void PaintClassicTabBorder(TcxCanvas* ACanvas, const RECT& ARect, TcxBorder ABorder, TcxNeighbors ANeighbors,
                           bool AVertical) {
  RECT R = ARect;
  if (AVertical) {
    if (ABorder == bLeft) {
      R.top += ANeighbors.Contains(bTop) ? 2 : 1;
      R.bottom -= ANeighbors.Contains(bBottom) ? 2 : 1;
      ACanvas->SetPixel(R.left + 1, R.top - 1, clBtnHighlight);
      ACanvas->SetPixel(R.left + 1, R.bottom, clBtnHighlight);
    } else if ((ABorder == bTop || ABorder == bBottom) && ANeighbors.Contains(bLeft)) {
      ++R.left;
    }
    FillRectColor(ACanvas, R, ABorder == bBottom ? clBtnShadow : clBtnHighlight);
  } else {
    if (ABorder == bLeft || ABorder == bRight) {
      if (ANeighbors.Contains(bTop)) R.top += 2;
      if (ANeighbors.Contains(bBottom)) --R.bottom;
    } else if (ABorder == bTop) {
      ACanvas->SetPixel(R.left, R.top + 1, clBtnHighlight);
      ACanvas->SetPixel(R.right - 1, R.top + 1, clBtnHighlight);
      ++R.left;
      --R.right;
    }
    FillRectColor(ACanvas, R, ABorder == bRight ? clBtnShadow : clBtnHighlight);
  }
}

void PaintScrollBarPageArea(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) {
  TBitmap* Checker = cxScrollBarCheckerBitmap(AState == cxbsPressed);
  if (ACanvas->Brush()->Style() != bsSolid) ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetBitmap(Checker);
  ACanvas->FillRect(R);
  ACanvas->Brush()->SetBitmap(nullptr);
}

}  // namespace cxpainter

namespace {

// The raised frame of scroll-bar arrows and thumb; a pressed arrow gets a flat shadow frame.
void PaintScrollBarButtonFrame(TcxCanvas* ACanvas, const RECT& R, bool APressed) {
  if (APressed) {
    ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnShadow);
    ACanvas->DrawTwoColorFrame(Deflated(R), clBtnFace, clBtnFace);
  } else {
    ACanvas->DrawTwoColorFrame(R, clBtnFace, cl3DDkShadow);
    ACanvas->DrawTwoColorFrame(Deflated(R), clBtnHighlight, clBtnShadow);
  }
}

UINT ScrollArrowFlags(bool AHorizontal, TcxScrollBarPart APart) {
  if (AHorizontal) return APart == sbpLineUp ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
  return APart == sbpLineUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
}

}  // namespace

TcxLookAndFeelPainterClass TcxStandardLookAndFeelPainter::Class() {
  return ClassOf<TcxStandardLookAndFeelPainter>();
}

int TcxStandardLookAndFeelPainter::GetBorderSize() const { return 2; }

void TcxStandardLookAndFeelPainter::PaintBorder(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight);
  ACanvas->DrawTwoColorFrame(Deflated(R), cl3DDkShadow, cl3DLight);
}

int TcxStandardLookAndFeelPainter::GetButtonBorderSize(TcxButtonState AState) const {
  return AState == cxbsDefault ? 3 : 2;
}

int TcxStandardLookAndFeelPainter::GetButtonPressedTextOffsetX() const { return 1; }
int TcxStandardLookAndFeelPainter::GetButtonPressedTextOffsetY() const { return 1; }

void TcxStandardLookAndFeelPainter::PaintButtonFrame(TcxCanvas* ACanvas, const RECT& ARect,
                                                     TcxButtonState AState) const {
  RECT R = ARect;
  if (AState == cxbsPressed) {
    ACanvas->FrameRect(R, clBlack);
    ACanvas->FrameRect(Deflated(R), clBtnShadow);
    return;
  }
  if (AState == cxbsDefault) {
    ACanvas->FrameRect(R, clBlack);
    R = Deflated(R);
  }
  ACanvas->DrawTwoColorFrame(R, clBtnHighlight, cl3DDkShadow);
  ACanvas->DrawTwoColorFrame(Deflated(R), cl3DLight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::PaintExpandButton(TcxCanvas* ACanvas, const RECT& ARect,
                                                      bool AExpanded) const {
  RaisedBevel(ACanvas, ARect, {bLeft, bTop});
  RaisedOuterBevel(ACanvas, ARect, {bRight, bBottom});
  RECT R = Deflated(ARect);
  RaisedBevel(ACanvas, R, {bRight, bBottom});
  --R.right;
  --R.bottom;
  FillRectColor(ACanvas, R, clBtnFace);
  DrawPlusMinus(ACanvas, R, clBtnText, AExpanded);
  ACanvas->ExcludeClipRect(ARect);
}

int TcxStandardLookAndFeelPainter::GetExpandButtonSize() const { return 12; }

void TcxStandardLookAndFeelPainter::PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R,
                                                     TcxButtonState) const {
  SunkenInnerBevel(ACanvas, R);
  SunkenBevel(ACanvas, Deflated(R));
}

void TcxStandardLookAndFeelPainter::PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R,
                                                      TcxNeighbors ANeighbors, TcxBorders) const {
  PaintClassicHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxStandardLookAndFeelPainter::PaintSortingMark(TcxCanvas* ACanvas, const RECT& R,
                                                     bool AAscending) const {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnHighlight, AAscending);
}

int TcxStandardLookAndFeelPainter::GetHeaderBorderSize() const { return 1; }
SIZE TcxStandardLookAndFeelPainter::GetSortingMarkSize() const { return {8, 7}; }
int TcxStandardLookAndFeelPainter::GetFooterBorderSize() const { return 1; }
int TcxStandardLookAndFeelPainter::GetFooterCellBorderSize() const { return 1; }
int TcxStandardLookAndFeelPainter::GetFooterCellOffset() const { return 1; }

void TcxStandardLookAndFeelPainter::PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  RaisedBevel(ACanvas, R);
}

void TcxStandardLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const {
  SunkenBevel(ACanvas, R);
}

void TcxStandardLookAndFeelPainter::PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R,
                                                        TcxButtonState AState, bool AHighlightArrow) const {
  PaintClassicDropDownButton(ACanvas, R, AState, AHighlightArrow, this);
}

void TcxStandardLookAndFeelPainter::PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder,
                                                   TcxNeighbors ANeighbors, bool AVertical) const {
  PaintClassicTabBorder(ACanvas, R, ABorder, ANeighbors, AVertical);
}

void TcxStandardLookAndFeelPainter::PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R,
                                                        TcxBorders ABorders, bool) const {
  RaisedBevel(ACanvas, R, ABorders);
}

int TcxStandardLookAndFeelPainter::GetTabBorderSize(bool) const { return 1; }

void TcxStandardLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                       const RECT& ARect, TcxScrollBarPart APart,
                                                       TcxButtonState AState) const {
  if (IsEmptyRect(ARect) || (APart == sbpThumbnail && AState == cxbsDisabled)) return;
  if (AState == cxbsHot) AState = cxbsNormal;
  switch (APart) {
    case sbpPageUp:
    case sbpPageDown:
      PaintScrollBarPageArea(ACanvas, ARect, AState);
      break;
    case sbpLineUp:
    case sbpLineDown: {
      RECT R = ARect;
      UINT Flags = ScrollArrowFlags(AHorizontal, APart);
      if (AState == cxbsDisabled) Flags |= DFCS_INACTIVE;
      if (AState == cxbsPressed) {
        Flags |= DFCS_FLAT;
        OffsetRect(&R, 1, 1);
      }
      DrawFrameControl(ACanvas->Handle(), &R, DFC_SCROLL, Flags);
      PaintScrollBarButtonFrame(ACanvas, ARect, AState == cxbsPressed);
      break;
    }
    case sbpThumbnail:
      PaintScrollBarButtonFrame(ACanvas, ARect, false);
      FillRectColor(ACanvas, Deflated(ARect, GetButtonBorderSize(cxbsNormal)), clBtnFace);
      break;
    case sbpNone:
      break;
  }
}
