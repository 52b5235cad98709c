// The painter interface's neutral behaviour, the shared routines of the looks and the painter
// module's state (indicator images, scroll-bar checker bitmaps).
#include "cx/foundation/cxLookAndFeelPainters.h"

#include <memory>

#include "cx/foundation/cxPainterUtils.h"
#include "platform/rtl/StrUtils.h"

using namespace cxpainter;

namespace {

std::unique_ptr<TImageList> IndicatorImages;
std::unique_ptr<TBitmap> CheckerBitmaps[2];

// The indicator glyphs, 5 x 9, in TcxIndicatorKind order from ikArrow: 'x' ink, '.' the white
// transparent colour.
const char* const IndicatorGlyphs[5][9] = {
    {".....", "x....", "xx...", "xxx..", "xxxx.", "xxx..", "xx...", "x....", "....."},
    {"xx.xx", "..x..", "..x..", "..x..", "..x..", "..x..", "..x..", "..x..", "xx.xx"},
    {".....", ".....", "x.x.x", ".xxx.", "xxxxx", ".xxx.", "x.x.x", ".....", "....."},
    {".....", ".....", ".....", ".xxx.", ".xxx.", ".xxx.", ".....", ".....", "....."},
    {"x....", "xx...", "xxx..", "xx...", "x....", ".....", ".xx..", ".xx..", "....."},
};

void MakeCheckerBitmap(TBitmap* ABitmap, TColor AEvenColor, TColor AOddColor) {
  ABitmap->SetSize(8, 8);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X)
      ABitmap->Canvas()->SetPixels(X, Y, ColorToRGB(((X + Y) % 2 == 0) ? AEvenColor : AOddColor));
}

int CaptionFlags(TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                 bool AShowEndEllipsis) {
  static const int Horz[] = {cxtfLeft, cxtfRight, cxtfHorzCenter};
  static const int Vert[] = {cxtfTop, cxtfBottom, cxtfVertCenter};
  int Flags = Horz[AAlignmentHorz] | Vert[AAlignmentVert] | (AMultiLine ? cxtfWordBreak : cxtfSingleLine);
  if (AShowEndEllipsis) Flags |= cxtfEndEllipsis;
  return Flags;
}

}  // namespace

// --- Module state ---

TCustomImageList* cxIndicatorImages() { return IndicatorImages.get(); }

TBitmap* cxScrollBarCheckerBitmap(bool APressed) { return CheckerBitmaps[APressed ? 1 : 0].get(); }

void cxRefreshCheckerBrushes() {
  if (!CheckerBitmaps[0]) return;
  MakeCheckerBitmap(CheckerBitmaps[0].get(), clBtnFace, clBtnHighlight);
  MakeCheckerBitmap(CheckerBitmaps[1].get(), clBlack, cl3DDkShadow);
}

void InitializeLookAndFeelPainters() {
  // The glyphs are drawn here rather than shipped as bitmap files.
  IndicatorImages = std::make_unique<TImageList>(nullptr, 5, 9);
  for (const auto& Glyph : IndicatorGlyphs) {
    TBitmap Bitmap;
    Bitmap.SetSize(5, 9);
    for (int Y = 0; Y < 9; ++Y)
      for (int X = 0; X < 5; ++X) Bitmap.Canvas()->SetPixels(X, Y, Glyph[Y][X] == 'x' ? clBlack : clWhite);
    IndicatorImages->AddMasked(&Bitmap, clWhite);
  }
  CheckerBitmaps[0] = std::make_unique<TBitmap>();
  CheckerBitmaps[1] = std::make_unique<TBitmap>();
  cxRefreshCheckerBrushes();
}

void FinalizeLookAndFeelPainters() {
  CheckerBitmaps[0].reset();
  CheckerBitmaps[1].reset();
  IndicatorImages.reset();
}

// --- Shared routines ---

TcxLookAndFeelPainterClass TcxCustomLookAndFeelPainter::Class() {
  return ClassOf<TcxCustomLookAndFeelPainter>();
}

TcxArrowPoints TcxCustomLookAndFeelPainter::CalculateArrowPoints(const RECT& ARect,
                                                                 TcxArrowDirection ADirection,
                                                                 bool AProportional) {
  RECT R = ARect;
  if (AProportional) {
    const int D = (R.right - R.left) - (R.bottom - R.top);
    if (D > 0) {
      R.left += D / 2;
      R.right -= D / 2;
    } else {
      R.top += (-D) / 2;
      R.bottom -= (-D) / 2;
    }
  }
  auto MakeOdd = [](int V) { return V % 2 == 0 ? V + 1 : V; };
  int W, H;
  if (ADirection == adUp || ADirection == adDown) {
    W = MakeOdd((R.right - R.left - 1) / 2);
    H = W / 2 + 1;
  } else {
    H = MakeOdd((R.bottom - R.top - 1) / 2);
    W = H / 2 + 1;
  }
  TcxArrowPoints P;
  switch (ADirection) {
    case adUp: {
      const POINT Apex{(R.left + R.right - 1) / 2, MulDiv(R.top + R.bottom - H, 1, 2) - 1};
      const int X = (R.left + R.right - W) / 2;
      P = {POINT{X, Apex.y + H - 1}, POINT{X + W - 1, Apex.y + H - 1}, Apex};
      break;
    }
    case adDown: {
      const int X = (R.left + R.right - W) / 2, Y = MulDiv(R.top + R.bottom - H, 1, 2);
      P = {POINT{X, Y}, POINT{X + W - 1, Y}, POINT{(R.left + R.right - 1) / 2, Y + H - 1}};
      break;
    }
    case adLeft: {
      const POINT Apex{(R.left + R.right - W) / 2, (R.top + R.bottom) / 2};
      const int Y = MulDiv(R.top + R.bottom - H, 1, 2);
      P = {POINT{Apex.x + W - 1, Y}, POINT{Apex.x + W - 1, Y + H - 1}, Apex};
      break;
    }
    case adRight: {
      const int X = (R.left + R.right - W) / 2, Y = MulDiv(R.top + R.bottom - H, 1, 2);
      P = {POINT{X, Y}, POINT{X, Y + H - 1}, POINT{X + W - 1, (R.top + R.bottom) / 2}};
      break;
    }
  }
  return P;
}

void TcxCustomLookAndFeelPainter::DrawArrowPoints(TcxCanvas* ACanvas, const TcxArrowPoints& P,
                                                  TColor AColor) {
  ACanvas->SetBrushColor(AColor);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Pen()->SetColor(AColor);
  ACanvas->Polygon({P[0], P[1], P[2]});
}

void TcxCustomLookAndFeelPainter::DrawCloseCross(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                 TColor AColor) const {
  int S = GetCloseButtonSize().cx / 2;
  if (S % 2 == 0) --S;
  ACanvas->Pen()->SetColor(AColor);
  const int Shift = AState == cxbsPressed ? 1 : 0;
  for (int O = 0; O <= 1; ++O) {
    const int X0 = (R.left + R.right - S) / 2 + O + Shift;
    const int Y0 = (R.top + R.bottom - S) / 2 + Shift;
    ACanvas->MoveTo(X0, Y0);
    ACanvas->LineTo(X0 + S, Y0 + S);
    ACanvas->MoveTo(X0, Y0 + S - 1);
    ACanvas->LineTo(X0 + S, Y0 - 1);
  }
}

void TcxCustomLookAndFeelPainter::DrawPlusMinus(TcxCanvas* ACanvas, const RECT& R, TColor AColor,
                                                bool AExpanded) {
  const int W = R.right - R.left - 4;
  const int CX = (R.left + R.right) / 2, CY = (R.top + R.bottom) / 2;
  FillRectColor(ACanvas, {CX - W / 2, CY, CX + W / 2 + 1, CY + 1}, AColor);
  if (!AExpanded) FillRectColor(ACanvas, {CX, CY - W / 2, CX + 1, CY + W / 2 + 1}, AColor);
}

void TcxCustomLookAndFeelPainter::DrawSortingArrow(TcxCanvas* ACanvas, const RECT& R, TColor ALeftColor,
                                                   TColor ARightColor, bool AAscending) const {
  const int S = AAscending ? 1 : -1;
  const SIZE Size = GetSortingMarkSize();
  const int W = Size.cx, H = Size.cy;
  const int X = (R.left + R.right) / 2 - (W % 2 == 0 ? 1 : 0);
  const int Y = AAscending ? (R.top + R.bottom - H) / 2 : (R.top + R.bottom + H) / 2 - 1;
  const int A = W / 2 - (W % 2 == 0 ? 1 : 0);
  const int B = W / 2;
  ACanvas->Pen()->SetColor(ARightColor);
  ACanvas->MoveTo(X + B, Y + (H - 2) * S);
  ACanvas->LineTo(X + B - A, Y);
  ACanvas->LineTo(X + B, Y + (H - 1) * S);
  if (!AAscending) ACanvas->Pen()->SetColor(ALeftColor);
  ACanvas->LineTo(X - A, Y + (H - 1) * S);
  if (AAscending) ACanvas->Pen()->SetColor(ALeftColor);
  ACanvas->LineTo(X, Y);
  ACanvas->LineTo(X - A, Y + (H - W % 2) * S);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R,
                                                     TcxIndicatorKind AKind) {
  TCustomImageList* Images = cxIndicatorImages();
  if (AKind == ikNone || !Images) return;
  Images->Draw(ACanvas->Canvas(), (R.left + R.right - Images->Width()) / 2,
               (R.top + R.bottom - Images->Height()) / 2, AKind - 1, true);
}

TcxArrowDirection TcxCustomLookAndFeelPainter::GetArrowDirection(bool AHorizontal, TcxScrollBarPart APart) {
  if (AHorizontal) return APart == sbpLineUp ? adLeft : adRight;
  return APart == sbpLineUp ? adUp : adDown;
}

// --- The neutral behaviour ---

bool TcxCustomLookAndFeelPainter::IsNativePainter() const { return false; }

void TcxCustomLookAndFeelPainter::PaintDropDownArrow(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const {
  int W = (R.right - R.left) / 2;
  if (W % 2 == 0) ++W;
  const int H = W / 2 + 1;
  const int X = (R.left + R.right - W) / 2, Y = MulDiv(R.top + R.bottom - H, 1, 2);
  DrawArrowPoints(ACanvas, {POINT{X, Y}, POINT{X + W - 1, Y}, POINT{(R.left + R.right) / 2, Y + H - 1}},
                  AColor);
}

void TcxCustomLookAndFeelPainter::PaintCaption(TcxCanvas* ACanvas, const RECT& R, const RECT& ATextAreaBounds,
                                               TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                               bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                               TFont* AFont, TColor ATextColor, TColor ABkColor) const {
  FillRectColor(ACanvas, R, ABkColor);
  if (AText.empty()) return;
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font()->SetColor(ATextColor);
  ACanvas->DrawText(AText, ATextAreaBounds,
                    CaptionFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis), true);
}

RECT TcxCustomLookAndFeelPainter::GetFrameContentBounds(const RECT& R) const {
  return Deflated(R, GetFooterCellBorderSize());
}

RECT TcxCustomLookAndFeelPainter::GetFrameTextBounds(const RECT& R) const {
  return Deflated(GetFrameContentBounds(R), 2);
}

TColor TcxCustomLookAndFeelPainter::GetDefaultContentColor() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::GetDefaultContentTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultFilterBoxColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GetDefaultFilterBoxTextColor() const { return clBtnHighlight; }
TColor TcxCustomLookAndFeelPainter::GetDefaultDetailFrameColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultFooterColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultFooterTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultGridLineColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GetDefaultGroupColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultGroupTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultGroupByBoxColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GetDefaultGroupByBoxTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultHeaderColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultHeaderTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultShadowColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GetDefaultFaceColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultInactiveColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultInactiveTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultPreviewTextColor() const { return clBlue; }
TColor TcxCustomLookAndFeelPainter::GetDefaultRowSeparatorColor() const { return GetDefaultGridLineColor(); }
TColor TcxCustomLookAndFeelPainter::GetDefaultSelectionColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::GetDefaultSelectionTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultSecondFaceColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultTabColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GetDefaultTabTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::GetDefaultTabsBackgroundColor() const { return clBtnFace; }

void TcxCustomLookAndFeelPainter::PaintArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection ADirection,
                                             TColor AColor) const {
  DrawArrowPoints(ACanvas, CalculateArrowPoints(R, ADirection, true), AColor);
}

void TcxCustomLookAndFeelPainter::PaintArrowButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                   TcxArrowDirection ADirection, bool ADrawBorder) const {
  if (ADrawBorder)
    PaintButtonBackground(ACanvas, R, AState);
  else
    FillRectColor(ACanvas, R, GetButtonColor(AState));
  DrawArrowPoints(ACanvas, CalculateArrowPoints(R, ADirection, false), GetButtonTextColor(AState));
}

void TcxCustomLookAndFeelPainter::PaintButtonBackground(TcxCanvas* ACanvas, const RECT& R,
                                                        TcxButtonState AState) const {
  FillRectColor(ACanvas, R, GetButtonColor(AState));
  PaintButtonFrame(ACanvas, R, AState);
}

void TcxCustomLookAndFeelPainter::PaintButtonArrow(TcxCanvas* ACanvas, const RECT& ARect,
                                                   TcxButtonState AState,
                                                   TcxArrowDirection ADirection) const {
  RECT R = ARect;
  if (AState == cxbsPressed) {
    const int Offset = GetButtonPressedTextOffsetY();
    OffsetRect(&R, Offset, Offset);
  }
  TcxArrowPoints P = CalculateArrowPoints(R, ADirection, true);
  if (AState == cxbsDisabled) {
    TcxArrowPoints Shifted = P;
    for (POINT& Pt : Shifted) {
      ++Pt.x;
      ++Pt.y;
    }
    DrawArrowPoints(ACanvas, Shifted, clBtnHighlight);
    DrawArrowPoints(ACanvas, P, clBtnShadow);
  } else {
    DrawArrowPoints(ACanvas, P, GetButtonTextColor(AState));
  }
}

int TcxCustomLookAndFeelPainter::GetBorderSize() const { return 0; }
void TcxCustomLookAndFeelPainter::PaintBorder(TcxCanvas*, const RECT&) const {}
int TcxCustomLookAndFeelPainter::GetButtonBorderSize(TcxButtonState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::GetButtonColor(TcxButtonState) const { return clBtnFace; }

RECT TcxCustomLookAndFeelPainter::GetButtonContentBounds(TcxCanvas*, const RECT& R) const {
  const RECT Content = Deflated(R, 4);
  return IsEmptyRect(Content) ? R : Content;
}

int TcxCustomLookAndFeelPainter::GetButtonPressedTextOffsetX() const { return 0; }
int TcxCustomLookAndFeelPainter::GetButtonPressedTextOffsetY() const { return 0; }

TColor TcxCustomLookAndFeelPainter::GetButtonTextColor(TcxButtonState AState) const {
  return AState == cxbsDisabled ? clBtnShadow : clBtnText;
}

TcxButtonState TcxCustomLookAndFeelPainter::GetButtonPaintState(TcxButtonState AState) const {
  return AState;
}

void TcxCustomLookAndFeelPainter::PaintButton(TcxCanvas* ACanvas, const RECT& ARect, const String& ACaption,
                                              TcxButtonState AState, bool ADrawBorder, TColor AColor,
                                              TColor ATextColor) const {
  RECT R = ARect;
  if (ADrawBorder) {
    PaintButtonFrame(ACanvas, R, AState);
    R = Deflated(R, GetButtonBorderSize(AState));
  }
  FillRectColor(ACanvas, R, AColor == clDefault ? GetButtonColor(AState) : AColor);
  ACanvas->Font()->SetColor(ATextColor == clDefault ? GetButtonTextColor(AState) : ATextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  // An even caption area; a low one starts a pixel higher so the text does not sit too low.
  if ((R.bottom - R.top) % 2 != 0) --R.bottom;
  if (R.bottom - R.top < 18) --R.top;
  if (AState == cxbsPressed) {
    const int Offset = GetButtonPressedTextOffsetY();
    OffsetRect(&R, Offset, Offset);
  }
  if (!ACaption.empty())
    ACanvas->DrawText(ACaption, R, cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine | cxtfShowPrefix,
                      AState != cxbsDisabled);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintButtonFrame(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::PaintExpandButton(TcxCanvas*, const RECT&, bool) const {}
int TcxCustomLookAndFeelPainter::GetExpandButtonSize() const { return 0; }
bool TcxCustomLookAndFeelPainter::IsButtonHotTrack() const { return false; }
int TcxCustomLookAndFeelPainter::GetCheckBorderSize() const { return 2; }

TColor TcxCustomLookAndFeelPainter::GetCheckButtonColor(TcxButtonState AState) const {
  return (AState == cxbsPressed || AState == cxbsDisabled) ? clBtnFace : clWindow;
}

void TcxCustomLookAndFeelPainter::PaintCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                             bool AChecked, TColor AColor) const {
  FillRectColor(ACanvas, R, GetCheckButtonColor(AState));
  if (!AChecked) return;
  const int W = R.right - R.left - 2, H = R.bottom - R.top - 4;
  ACanvas->Pen()->SetColor(AColor);
  for (int D = 0; D <= 2; ++D) {
    const int X0 = (R.left + R.right) / 2 - 1;
    const int Y0 = (R.top + R.bottom + H) / 2 - 2 + D;
    ACanvas->Polyline({POINT{X0 - (W / 2 - 1), Y0 - H / 2}, POINT{X0, Y0}, POINT{X0 + W / 2 + 2, Y0 - H}});
  }
}

void TcxCustomLookAndFeelPainter::PaintCheckBorder(TcxCanvas*, const RECT&, TcxButtonState) const {}

void TcxCustomLookAndFeelPainter::PaintCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                   bool AChecked) const {
  PaintCheckBorder(ACanvas, R, AState);
  PaintCheck(ACanvas, Deflated(R, GetCheckBorderSize()), AState, AChecked, clBtnText);
}

void TcxCustomLookAndFeelPainter::PaintHeader(TcxCanvas* ACanvas, const RECT& R, const RECT& ATextAreaBounds,
                                              TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState,
                                              TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                              bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                              TFont* AFont, TColor ATextColor, TColor ABkColor) const {
  PaintHeaderBorder(ACanvas, R, ANeighbors, ABorders);
  PaintCaption(ACanvas, GetHeaderContentBounds(R, ABorders), ATextAreaBounds, AAlignmentHorz, AAlignmentVert,
               AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor);
}

void TcxCustomLookAndFeelPainter::PaintHeaderBorder(TcxCanvas*, const RECT&, TcxNeighbors, TcxBorders) const {
}

void TcxCustomLookAndFeelPainter::PaintHeaderPressed(TcxCanvas* ACanvas, const RECT& R) const {
  ACanvas->InvertRect(R);
}

void TcxCustomLookAndFeelPainter::PaintSortingMark(TcxCanvas*, const RECT&, bool) const {}
TcxBorders TcxCustomLookAndFeelPainter::GetHeaderBorders(TcxNeighbors) const { return cxBordersAll; }
int TcxCustomLookAndFeelPainter::GetHeaderBorderSize() const { return 0; }

RECT TcxCustomLookAndFeelPainter::GetHeaderContentBounds(const RECT& ARect, TcxBorders ABorders) const {
  RECT R = ARect;
  const int Size = GetHeaderBorderSize();
  if (ABorders.Contains(bLeft)) R.left += Size;
  if (ABorders.Contains(bTop)) R.top += Size;
  if (ABorders.Contains(bRight)) R.right -= Size;
  if (ABorders.Contains(bBottom)) R.bottom -= Size;
  return R;
}

bool TcxCustomLookAndFeelPainter::IsHeaderBorderSeparate() const { return true; }

int TcxCustomLookAndFeelPainter::GetHeaderHeight(int AFontHeight) const {
  return 2 * GetHeaderBorderSize() + AFontHeight + 4;
}

int TcxCustomLookAndFeelPainter::GetHeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const String& AText,
                                                TFont* AFont) const {
  if (AFont) ACanvas->SetFont(AFont);
  int Result = ACanvas->TextWidth(AText) + 4;
  // Kept as the system has it: a right border is subtracted, not added.
  if (ABorders.Contains(bLeft)) Result += GetHeaderBorderSize();
  if (ABorders.Contains(bRight)) Result -= GetHeaderBorderSize();
  return Result;
}

bool TcxCustomLookAndFeelPainter::IsHeaderNative() const { return false; }

SIZE TcxCustomLookAndFeelPainter::GetSortingMarkAreaSize() const { return {16, GetSortingMarkSize().cy}; }
SIZE TcxCustomLookAndFeelPainter::GetSortingMarkSize() const { return {0, 0}; }

void TcxCustomLookAndFeelPainter::PaintFooterCell(TcxCanvas* ACanvas, const RECT& R,
                                                  TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                  bool AMultiLine, const String& AText, TFont* AFont,
                                                  TColor ATextColor, TColor ABkColor) const {
  PaintFooterCellBorder(ACanvas, R);
  PaintCaption(ACanvas, GetFrameContentBounds(R), GetFrameTextBounds(R), AAlignmentHorz, AAlignmentVert,
               AMultiLine, false, AText, AFont, ATextColor, ABkColor);
}

TcxBorders TcxCustomLookAndFeelPainter::GetFooterCellBorders() const { return cxBordersAll; }
int TcxCustomLookAndFeelPainter::GetFooterBorderSize() const { return 0; }
int TcxCustomLookAndFeelPainter::GetFooterCellBorderSize() const { return 0; }
int TcxCustomLookAndFeelPainter::GetFooterCellOffset() const { return 0; }
bool TcxCustomLookAndFeelPainter::IsFooterBorderSeparate() const { return true; }
void TcxCustomLookAndFeelPainter::PaintFooterBorder(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas*, const RECT&) const {}

void TcxCustomLookAndFeelPainter::PaintCheckButtonInRect(TcxCanvas* ACanvas, const RECT& R,
                                                         TcxButtonState AState, bool AChecked) const {
  const RECT Copy = R;
  PaintCheckButton(ACanvas, Copy, AState, AChecked);
}

void TcxCustomLookAndFeelPainter::PaintCloseButton(TcxCanvas* ACanvas, const RECT& ARect,
                                                   TcxButtonState AState) const {
  PaintButtonFrame(ACanvas, ARect, AState);
  const RECT R = Deflated(ARect, GetButtonBorderSize(cxbsNormal));
  FillRectColor(ACanvas, R, GetButtonColor(AState));
  DrawCloseCross(ACanvas, R, GetButtonPaintState(AState), GetButtonTextColor(AState));
}

void TcxCustomLookAndFeelPainter::PaintDropDownButton(TcxCanvas*, const RECT&, TcxButtonState, bool) const {}
SIZE TcxCustomLookAndFeelPainter::GetCheckButtonSize() const { return {13, 13}; }
SIZE TcxCustomLookAndFeelPainter::GetCloseButtonSize() const { return {16, 14}; }
SIZE TcxCustomLookAndFeelPainter::GetDropDownButtonSize() const { return {15, 0}; }
bool TcxCustomLookAndFeelPainter::IsTabRowOptionSet() const { return true; }
void TcxCustomLookAndFeelPainter::PaintTab(TcxCanvas*, const RECT&, TcxBorders, const String&, TcxButtonState,
                                           bool, TFont*, TColor, TColor) const {}
void TcxCustomLookAndFeelPainter::PaintTabBorder(TcxCanvas*, const RECT&, TcxBorder, TcxNeighbors,
                                                 bool) const {}
void TcxCustomLookAndFeelPainter::PaintTabsBackground(TcxCanvas*, const RECT&, TcxBorders, bool) const {}
bool TcxCustomLookAndFeelPainter::IsTabThemed(bool) const { return false; }
bool TcxCustomLookAndFeelPainter::IsTabBorderThemed(bool) const { return false; }
int TcxCustomLookAndFeelPainter::GetTabBorderSize(bool) const { return 0; }

void TcxCustomLookAndFeelPainter::PaintIndicatorCell(TcxCanvas* ACanvas, const RECT& R,
                                                     TcxIndicatorKind AKind, TColor AColor) const {
  PaintHeader(ACanvas, R, R, {}, GetHeaderBorders({bTop, bBottom}), cxbsNormal, taLeftJustify, vaTop, false,
              false, String(), nullptr, clNone, AColor);
  DrawIndicatorImage(ACanvas, R, AKind);
}

bool TcxCustomLookAndFeelPainter::IsIndicatorGlyphFirst() const { return true; }
void TcxCustomLookAndFeelPainter::PaintScrollBarPart(TcxCanvas*, bool, const RECT&, TcxScrollBarPart,
                                                     TcxButtonState) const {}
