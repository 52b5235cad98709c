// The visual-styles look: each element is drawn through its theme class and falls back to the
// standard look when the class has no handle.
#include "cx/foundation/cxPainterUtils.h"
#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxThemeManager.h"

using namespace cxpainter;

namespace {

HTHEME Theme(TdxThemeClass AClass) { return dxOpenThemeByType(AClass); }

// Part states by TcxButtonState (default, normal, hot, pressed, disabled).
constexpr int PushButtonStates[] = {PBS_DEFAULTED, PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
constexpr int CheckBoxStates[2][5] = {{1, 1, 2, 3, 4}, {5, 5, 6, 7, 8}};
constexpr int HeaderStates[] = {HIS_NORMAL, HIS_NORMAL, HIS_HOT, HIS_PRESSED, HIS_NORMAL};
// Small close button, drop-down button and tab item share one table.
constexpr int ElementStates[] = {1, 1, 2, 3, 4};

int ScrollArrowState(TcxArrowDirection ADirection, TcxButtonState AState) {
  static constexpr int Base[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL, ABS_RIGHTNORMAL};
  static constexpr int Shift[] = {0, 0, 1, 2, 3};
  return Base[ADirection] + Shift[AState];
}

int ScrollThumbState(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot:
      return SCRBS_HOT;
    case cxbsPressed:
      return SCRBS_PRESSED;
    case cxbsDisabled:
      return SCRBS_DISABLED;
    default:
      return SCRBS_NORMAL;
  }
}

// The content rectangle of a part inside (0, 0, 100, 100): its insets.
RECT ContentInsets(HTHEME ATheme, int APart, int AState) {
  const RECT Bounds{0, 0, 100, 100};
  RECT Content{};
  if (!SUCCEEDED(dxGetThemeBackgroundContentRect(ATheme, nullptr, APart, AState, &Bounds, &Content)))
    return RECT{};
  return {Content.left, Content.top, 100 - Content.right, 100 - Content.bottom};
}

void DrawBackground(TcxCanvas* ACanvas, HTHEME ATheme, int APart, int AState, const RECT& R,
                    const RECT* AClip = nullptr) {
  dxDrawThemeBackground(ATheme, ACanvas->Handle(), APart, AState, &R, AClip);
}

}  // namespace

TcxLookAndFeelPainterClass TcxWinXPLookAndFeelPainter::Class() {
  return ClassOf<TcxWinXPLookAndFeelPainter>();
}

bool TcxWinXPLookAndFeelPainter::IsNativePainter() const { return true; }

void TcxWinXPLookAndFeelPainter::PaintArrowButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                  TcxArrowDirection ADirection, bool ADrawBorder) const {
  if (HTHEME T = Theme(tcScrollBar))
    DrawBackground(ACanvas, T, SBP_ARROWBTN, ScrollArrowState(ADirection, AState), R);
  else
    TcxStandardLookAndFeelPainter::PaintArrowButton(ACanvas, R, AState, ADirection, ADrawBorder);
}

void TcxWinXPLookAndFeelPainter::PaintButtonBackground(TcxCanvas* ACanvas, const RECT& R,
                                                       TcxButtonState AState) const {
  if (HTHEME T = Theme(tcButton))
    DrawBackground(ACanvas, T, BP_PUSHBUTTON, PushButtonStates[AState], R);
  else
    TcxStandardLookAndFeelPainter::PaintButtonBackground(ACanvas, R, AState);
}

int TcxWinXPLookAndFeelPainter::GetBorderSize() const {
  return Theme(tcListView) ? 1 : TcxStandardLookAndFeelPainter::GetBorderSize();
}

void TcxWinXPLookAndFeelPainter::PaintBorder(TcxCanvas* ACanvas, const RECT& R) const {
  HTHEME T = Theme(tcListView);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintBorder(ACanvas, R);
    return;
  }
  // Only the outer pixel ring of the list-view background is wanted.
  HDC DC = ACanvas->Handle();
  const int Saved = SaveDC(DC);
  const RECT Inner = Deflated(R);
  ::ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
  dxDrawThemeBackground(T, DC, 5, 0, &R, nullptr);
  RestoreDC(DC, Saved);
}

int TcxWinXPLookAndFeelPainter::GetButtonBorderSize(TcxButtonState AState) const {
  if (HTHEME T = Theme(tcButton)) return ContentInsets(T, BP_PUSHBUTTON, PushButtonStates[AState]).left;
  return TcxStandardLookAndFeelPainter::GetButtonBorderSize(cxbsNormal);
}

TColor TcxWinXPLookAndFeelPainter::GetButtonColor(TcxButtonState AState) const {
  // The fill colour of the state (the property the system asked for is not a colour property).
  COLORREF Color;
  if (HTHEME T = Theme(tcButton))
    if (SUCCEEDED(dxGetThemeColor(T, BP_PUSHBUTTON, PushButtonStates[AState], TMT_FILLCOLOR, &Color)))
      return static_cast<TColor>(Color);
  return clBtnFace;
}

RECT TcxWinXPLookAndFeelPainter::GetButtonContentBounds(TcxCanvas* ACanvas, const RECT& R) const {
  RECT Content;
  if (HTHEME T = Theme(tcButton))
    if (SUCCEEDED(dxGetThemeBackgroundContentRect(T, ACanvas ? ACanvas->Handle() : nullptr, BP_PUSHBUTTON,
                                                  PBS_NORMAL, &R, &Content)))
      return Content;
  return TcxStandardLookAndFeelPainter::GetButtonContentBounds(ACanvas, R);
}

TColor TcxWinXPLookAndFeelPainter::GetButtonTextColor(TcxButtonState AState) const {
  COLORREF Color;
  if (HTHEME T = Theme(tcButton))
    if (SUCCEEDED(dxGetThemeColor(T, BP_PUSHBUTTON, PushButtonStates[AState], TMT_TEXTCOLOR, &Color)))
      return static_cast<TColor>(Color);
  return TcxStandardLookAndFeelPainter::GetButtonTextColor(AState);
}

int TcxWinXPLookAndFeelPainter::GetButtonPressedTextOffsetX() const { return 2; }
int TcxWinXPLookAndFeelPainter::GetButtonPressedTextOffsetY() const { return 0; }

void TcxWinXPLookAndFeelPainter::PaintButton(TcxCanvas* ACanvas, const RECT& R, const String& ACaption,
                                             TcxButtonState AState, bool ADrawBorder, TColor AColor,
                                             TColor ATextColor) const {
  HTHEME T = Theme(tcButton);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintButton(ACanvas, R, ACaption, AState, ADrawBorder, AColor, ATextColor);
    return;
  }
  const int State = PushButtonStates[AState];
  DrawBackground(ACanvas, T, BP_PUSHBUTTON, State, R);
  dxDrawThemeText(T, ACanvas->Handle(), BP_PUSHBUTTON, State, ACaption.c_str(), -1,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &R);
}

void TcxWinXPLookAndFeelPainter::PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const {
  HTHEME T = Theme(tcTreeView);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintExpandButton(ACanvas, R, AExpanded);
    return;
  }
  DrawBackground(ACanvas, T, TVP_GLYPH, AExpanded ? GLPR_OPEN : GLPR_CLOSED, R);
  ACanvas->ExcludeClipRect(R);
}

int TcxWinXPLookAndFeelPainter::GetExpandButtonSize() const {
  SIZE Size;
  if (HTHEME T = Theme(tcTreeView))
    if (SUCCEEDED(dxGetThemePartSize(T, nullptr, TVP_GLYPH, GLPR_OPEN, nullptr, TS_TRUE, &Size)))
      return Size.cx;
  return TcxStandardLookAndFeelPainter::GetExpandButtonSize();
}

bool TcxWinXPLookAndFeelPainter::IsButtonHotTrack() const { return true; }

int TcxWinXPLookAndFeelPainter::GetCheckBorderSize() const {
  return Theme(tcButton) ? 0 : TcxStandardLookAndFeelPainter::GetCheckBorderSize();
}

void TcxWinXPLookAndFeelPainter::PaintCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                            bool AChecked, TColor AColor) const {
  if (HTHEME T = Theme(tcButton))
    DrawBackground(ACanvas, T, BP_CHECKBOX, CheckBoxStates[AChecked ? 1 : 0][AState], R);
  else
    TcxStandardLookAndFeelPainter::PaintCheck(ACanvas, R, AState, AChecked, AColor);
}

void TcxWinXPLookAndFeelPainter::PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R,
                                                  TcxButtonState AState) const {
  // The themed check box has a frame of its own.
  if (!Theme(tcButton)) TcxStandardLookAndFeelPainter::PaintCheckBorder(ACanvas, R, AState);
}

void TcxWinXPLookAndFeelPainter::PaintHeader(TcxCanvas* ACanvas, const RECT& R, const RECT& ATextAreaBounds,
                                             TcxNeighbors ANeighbors, TcxBorders ABorders,
                                             TcxButtonState AState, TAlignment AAlignmentHorz,
                                             TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                             bool AShowEndEllipsis, const String& AText, TFont* AFont,
                                             TColor ATextColor, TColor ABkColor) const {
  HTHEME T = Theme(tcHeader);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintHeader(ACanvas, R, ATextAreaBounds, ANeighbors, ABorders, AState,
                                               AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis,
                                               AText, AFont, ATextColor, ABkColor);
    return;
  }
  const int State = HeaderStates[AState];
  DrawBackground(ACanvas, T, HP_HEADERITEM, State, R);
  RECT TextArea = ATextAreaBounds;
  if (AState == cxbsPressed) OffsetRect(&TextArea, 1, 1);
  PaintNativeText(ACanvas, T, HP_HEADERITEM, State, R, TextArea, AAlignmentHorz, AAlignmentVert, AMultiLine,
                  AShowEndEllipsis, AText, AFont, ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::PaintHeaderPressed(TcxCanvas*, const RECT&) const {}

void TcxWinXPLookAndFeelPainter::PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const {
  TcxUltraFlatLookAndFeelPainter::Class()->PaintSortingMark(ACanvas, R, AAscending);
}

int TcxWinXPLookAndFeelPainter::GetHeaderBorderSize() const {
  if (HTHEME T = Theme(tcHeader)) {
    const RECT Insets = ContentInsets(T, HP_HEADERITEM, HIS_NORMAL);
    return (Insets.left + Insets.top) / 2;
  }
  return TcxStandardLookAndFeelPainter::GetHeaderBorderSize();
}

bool TcxWinXPLookAndFeelPainter::IsHeaderBorderSeparate() const { return false; }
bool TcxWinXPLookAndFeelPainter::IsHeaderNative() const { return true; }

SIZE TcxWinXPLookAndFeelPainter::GetSortingMarkSize() const {
  return TcxUltraFlatLookAndFeelPainter::Class()->GetSortingMarkSize();
}

void TcxWinXPLookAndFeelPainter::PaintFooterCell(TcxCanvas* ACanvas, const RECT& R, TAlignment AAlignmentHorz,
                                                 TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                 const String& AText, TFont* AFont, TColor ATextColor,
                                                 TColor ABkColor) const {
  HTHEME T = Theme(tcTrackBar);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintFooterCell(ACanvas, R, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                                   AText, AFont, ATextColor, ABkColor);
    return;
  }
  DrawBackground(ACanvas, T, TKP_TRACK, 1, R);
  PaintNativeText(ACanvas, T, TKP_TRACK, 1, R, GetFrameTextBounds(R), AAlignmentHorz, AAlignmentVert,
                  AMultiLine, false, AText, AFont, ATextColor, ABkColor);
}

int TcxWinXPLookAndFeelPainter::GetFooterBorderSize() const {
  return Theme(tcEdit) ? 1 : TcxStandardLookAndFeelPainter::GetFooterBorderSize();
}

int TcxWinXPLookAndFeelPainter::GetFooterCellBorderSize() const {
  if (HTHEME T = Theme(tcTrackBar)) return ContentInsets(T, TKP_TRACK, 1).left;
  return TcxStandardLookAndFeelPainter::GetFooterCellBorderSize();
}

int TcxWinXPLookAndFeelPainter::GetFooterCellOffset() const {
  return Theme(tcTrackBar) ? 1 : TcxStandardLookAndFeelPainter::GetFooterCellOffset();
}

bool TcxWinXPLookAndFeelPainter::IsFooterBorderSeparate() const { return false; }

void TcxWinXPLookAndFeelPainter::PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const {
  if (HTHEME T = Theme(tcEdit))
    dxDrawThemeEdge(T, ACanvas->Handle(), 0, 0, &R, BDR_RAISEDINNER, BF_RECT, nullptr);
  else
    TcxStandardLookAndFeelPainter::PaintFooterBorder(ACanvas, R);
}

void TcxWinXPLookAndFeelPainter::PaintCloseButton(TcxCanvas* ACanvas, const RECT& R,
                                                  TcxButtonState AState) const {
  if (HTHEME T = Theme(tcWindow))
    DrawBackground(ACanvas, T, WP_SMALLCLOSEBUTTON, ElementStates[AState], R);
  else
    TcxStandardLookAndFeelPainter::PaintCloseButton(ACanvas, R, AState);
}

void TcxWinXPLookAndFeelPainter::PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                                     bool AHighlightArrow) const {
  if (HTHEME T = Theme(tcComboBox))
    DrawBackground(ACanvas, T, CP_DROPDOWNBUTTON, ElementStates[AState], R);
  else
    TcxStandardLookAndFeelPainter::PaintDropDownButton(ACanvas, R, AState, AHighlightArrow);
}

SIZE TcxWinXPLookAndFeelPainter::GetCheckButtonSize() const {
  SIZE Size;
  if (HTHEME T = Theme(tcButton))
    if (SUCCEEDED(dxGetThemePartSize(T, nullptr, BP_CHECKBOX, CBS_CHECKEDNORMAL, nullptr, TS_TRUE, &Size)))
      return Size;
  return TcxStandardLookAndFeelPainter::GetCheckButtonSize();
}

SIZE TcxWinXPLookAndFeelPainter::GetCloseButtonSize() const {
  SIZE Size;
  if (HTHEME T = Theme(tcWindow))
    if (SUCCEEDED(dxGetThemePartSize(T, nullptr, WP_SMALLCLOSEBUTTON, 1, nullptr, TS_TRUE, &Size)))
      return {Size.cx + 4, Size.cy + 4};
  return TcxStandardLookAndFeelPainter::GetCloseButtonSize();
}

void TcxWinXPLookAndFeelPainter::PaintTab(TcxCanvas* ACanvas, const RECT& ARect, TcxBorders ABorders,
                                          const String& AText, TcxButtonState AState, bool AVertical,
                                          TFont* AFont, TColor ATextColor, TColor ABkColor) const {
  HTHEME T = AVertical ? nullptr : Theme(tcTab);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintTab(ACanvas, ARect, ABorders, AText, AState, AVertical, AFont,
                                            ATextColor, ABkColor);
    return;
  }
  RECT R = ARect;
  RECT Tab = R;
  if (!ABorders.Contains(bLeft)) Tab.left -= 2;
  if (!ABorders.Contains(bRight)) Tab.right += 2;
  const bool Selected = AState == cxbsPressed;
  if (Selected)
    ++Tab.bottom;
  else
    --R.bottom;
  const int State = ElementStates[AState];
  DrawBackground(ACanvas, T, TABP_TABITEM, State, Tab, &R);
  if (Selected) Tab.bottom -= 2;
  PaintNativeText(ACanvas, T, TABP_TABITEM, State, R, Tab, taCenter, vaCenter, false, false, AText, AFont,
                  ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder,
                                                TcxNeighbors ANeighbors, bool AVertical) const {
  if (!IsTabBorderThemed(AVertical))
    TcxStandardLookAndFeelPainter::PaintTabBorder(ACanvas, R, ABorder, ANeighbors, AVertical);
}

void TcxWinXPLookAndFeelPainter::PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                                                     bool AVertical) const {
  HTHEME T = AVertical ? nullptr : Theme(tcTab);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintTabsBackground(ACanvas, R, ABorders, AVertical);
    return;
  }
  RECT Content = R;
  dxGetThemeBackgroundContentRect(T, ACanvas->Handle(), TABP_PANE, 0, &R, &Content);
  // A pane reaching below R, clipped to R: only its upper edge shows.
  RECT Pane = R;
  Pane.right = R.right + (R.left - Content.left) + (R.right - Content.right);
  Pane.bottom = R.bottom + 10;
  DrawBackground(ACanvas, T, TABP_PANE, 0, Pane, &R);
}

bool TcxWinXPLookAndFeelPainter::IsTabThemed(bool AVertical) const { return !AVertical && Theme(tcTab); }
bool TcxWinXPLookAndFeelPainter::IsTabBorderThemed(bool AVertical) const {
  return !AVertical && Theme(tcTab);
}

int TcxWinXPLookAndFeelPainter::GetTabBorderSize(bool AVertical) const {
  return (!AVertical && Theme(tcTab)) ? 1 : TcxStandardLookAndFeelPainter::GetTabBorderSize(AVertical);
}

void TcxWinXPLookAndFeelPainter::PaintIndicatorCell(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind,
                                                    TColor AColor) const {
  // A flat header cell with the indicator image.
  TcxFlatLookAndFeelPainter::Class()->PaintIndicatorCell(ACanvas, R, AKind, AColor);
}

bool TcxWinXPLookAndFeelPainter::IsIndicatorGlyphFirst() const { return false; }

void TcxWinXPLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R,
                                                    TcxScrollBarPart APart, TcxButtonState AState) const {
  if (IsEmptyRect(R)) return;
  HTHEME T = Theme(tcScrollBar);
  if (!T) {
    TcxStandardLookAndFeelPainter::PaintScrollBarPart(ACanvas, AHorizontal, R, APart, AState);
    return;
  }
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
      PaintArrowButton(ACanvas, R, AState, GetArrowDirection(AHorizontal, APart), true);
      break;
    case sbpThumbnail:
      DrawBackground(ACanvas, T, AHorizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, ScrollThumbState(AState),
                     R);
      DrawBackground(ACanvas, T, AHorizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT, 0, R);
      break;
    case sbpPageUp:
      DrawBackground(ACanvas, T, AHorizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT,
                     ScrollThumbState(AState), R);
      break;
    case sbpPageDown:
      DrawBackground(ACanvas, T, AHorizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT,
                     ScrollThumbState(AState), R);
      break;
    case sbpNone:
      break;
  }
}

void TcxWinXPLookAndFeelPainter::PaintNativeText(TcxCanvas* ACanvas, HTHEME ATheme, int APartId, int AStateId,
                                                 const RECT&, const RECT& ATextAreaBounds,
                                                 TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                 bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                                 TFont* AFont, TColor ATextColor, TColor) const {
  if (AText.empty()) return;
  static constexpr UINT Horz[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static constexpr UINT Vert[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
  UINT Flags = DT_NOPREFIX | DT_EDITCONTROL | Horz[AAlignmentHorz] | Vert[AAlignmentVert] |
               (AMultiLine ? DT_WORDBREAK : DT_SINGLELINE);
  if (AShowEndEllipsis) Flags |= DT_END_ELLIPSIS;
  if (AFont) ACanvas->SetFont(AFont);
  ACanvas->Font()->SetColor(ATextColor);
  HDC DC = ACanvas->Handle();
  if (ATextColor != clNone && ATextColor != clDefault) SetTextColor(DC, ColorToColorRef(ATextColor));
  dxDrawThemeText(ATheme, DC, APartId, AStateId, AText.c_str(), -1, Flags, 0, &ATextAreaBounds);
}
