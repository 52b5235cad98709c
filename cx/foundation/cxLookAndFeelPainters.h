// Look-and-feel painters: the recurring elements of cx controls (buttons, arrows, borders, check
// boxes, expand buttons, headers, footers, sort marks, tabs, the record indicator, scroll-bar parts)
// and the sizes and default colours of a look.
//
// Painters are classes, never instances of anything a caller owns: each painter class has exactly
// one immutable, stateless object (`Class()`), and a "painter class" is a pointer to it
// (`TcxLookAndFeelPainterClass`). Every class operation is a virtual member of that object, so
// `Painter->PaintButton(...)` dispatches on the painter class as a class method would, and an
// ancestor's behaviour is reached with a qualified call (`TcxStandardLookAndFeelPainter::PaintBorder`).
#pragma once

#include <array>

#include "cx/foundation/cxGraphics.h"
#include "platform/classes/ClassesTypes.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/ImgList.h"

enum TcxButtonState { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
enum TcxArrowDirection { adUp, adDown, adLeft, adRight };
enum TcxScrollBarPart { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
enum TcxIndicatorKind { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow };
enum TcxAlignmentVert { vaTop, vaBottom, vaCenter };
// The sides of a cell that have a neighbouring cell (same bits as TcxBorders).
using TcxNeighbors = TcxBorders;

class TcxCustomLookAndFeelPainter;
using TcxLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

using TcxArrowPoints = std::array<POINT, 3>;

class TcxCustomLookAndFeelPainter {
 public:
  static TcxLookAndFeelPainterClass Class();

  virtual bool IsNativePainter() const;
  virtual void PaintDropDownArrow(TcxCanvas* ACanvas, const RECT& R, TColor AColor) const;
  virtual void PaintCaption(TcxCanvas* ACanvas, const RECT& R, const RECT& ATextAreaBounds,
                            TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                            bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                            TColor ABkColor) const;
  virtual RECT GetFrameContentBounds(const RECT& R) const;
  virtual RECT GetFrameTextBounds(const RECT& R) const;

  // --- Default colours ---
  virtual TColor GetDefaultContentColor() const;
  virtual TColor GetDefaultContentTextColor() const;
  virtual TColor GetDefaultFilterBoxColor() const;
  virtual TColor GetDefaultFilterBoxTextColor() const;
  virtual TColor GetDefaultDetailFrameColor() const;
  virtual TColor GetDefaultFooterColor() const;
  virtual TColor GetDefaultFooterTextColor() const;
  virtual TColor GetDefaultGridLineColor() const;
  virtual TColor GetDefaultGroupColor() const;
  virtual TColor GetDefaultGroupTextColor() const;
  virtual TColor GetDefaultGroupByBoxColor() const;
  virtual TColor GetDefaultGroupByBoxTextColor() const;
  virtual TColor GetDefaultHeaderColor() const;
  virtual TColor GetDefaultHeaderTextColor() const;
  virtual TColor GetDefaultShadowColor() const;
  virtual TColor GetDefaultFaceColor() const;
  virtual TColor GetDefaultInactiveColor() const;
  virtual TColor GetDefaultInactiveTextColor() const;
  virtual TColor GetDefaultPreviewTextColor() const;
  virtual TColor GetDefaultRowSeparatorColor() const;
  virtual TColor GetDefaultSelectionColor() const;
  virtual TColor GetDefaultSelectionTextColor() const;
  virtual TColor GetDefaultSecondFaceColor() const;
  virtual TColor GetDefaultTabColor() const;
  virtual TColor GetDefaultTabTextColor() const;
  virtual TColor GetDefaultTabsBackgroundColor() const;

  // --- Arrows and buttons ---
  virtual void PaintArrow(TcxCanvas* ACanvas, const RECT& R, TcxArrowDirection ADirection,
                          TColor AColor) const;
  virtual void PaintArrowButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                TcxArrowDirection ADirection, bool ADrawBorder = true) const;
  virtual void PaintButtonBackground(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void PaintButtonArrow(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                TcxArrowDirection ADirection) const;
  // Width of a control border.
  virtual int GetBorderSize() const;
  virtual void PaintBorder(TcxCanvas* ACanvas, const RECT& R) const;
  // Width of a button frame.
  virtual int GetButtonBorderSize(TcxButtonState AState = cxbsNormal) const;
  virtual TColor GetButtonColor(TcxButtonState AState) const;
  virtual RECT GetButtonContentBounds(TcxCanvas* ACanvas, const RECT& R) const;
  virtual int GetButtonPressedTextOffsetX() const;
  virtual int GetButtonPressedTextOffsetY() const;
  virtual TColor GetButtonTextColor(TcxButtonState AState) const;
  // The state a close-button cross is drawn in.
  virtual TcxButtonState GetButtonPaintState(TcxButtonState AState) const;
  // clDefault colours are the painter's own for the state.
  virtual void PaintButton(TcxCanvas* ACanvas, const RECT& R, const String& ACaption, TcxButtonState AState,
                           bool ADrawBorder = true, TColor AColor = clDefault,
                           TColor ATextColor = clDefault) const;
  virtual void PaintButtonFrame(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  // The plus / minus box of a tree.
  virtual void PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const;
  virtual int GetExpandButtonSize() const;
  // Whether the look draws hot (mouse-over) states.
  virtual bool IsButtonHotTrack() const;

  // --- Check boxes ---
  // Inset of the check mark inside the check box frame.
  virtual int GetCheckBorderSize() const;
  virtual TColor GetCheckButtonColor(TcxButtonState AState) const;
  virtual void PaintCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked,
                          TColor AColor) const;
  virtual void PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  virtual void PaintCheckButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                bool AChecked) const;

  // --- Headers ---
  virtual void PaintHeader(TcxCanvas* ACanvas, const RECT& R, const RECT& ATextAreaBounds,
                           TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                           TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                           bool AShowEndEllipsis, const String& AText, TFont* AFont, TColor ATextColor,
                           TColor ABkColor) const;
  virtual void PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                                 TcxBorders ABorders) const;
  virtual void PaintHeaderPressed(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const;
  virtual TcxBorders GetHeaderBorders(TcxNeighbors ANeighbors) const;
  virtual int GetHeaderBorderSize() const;
  virtual RECT GetHeaderContentBounds(const RECT& R, TcxBorders ABorders) const;
  virtual bool IsHeaderBorderSeparate() const;
  virtual int GetHeaderHeight(int AFontHeight) const;
  virtual int GetHeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const String& AText,
                             TFont* AFont) const;
  virtual bool IsHeaderNative() const;
  virtual SIZE GetSortingMarkAreaSize() const;
  virtual SIZE GetSortingMarkSize() const;

  // --- Footers ---
  virtual void PaintFooterCell(TcxCanvas* ACanvas, const RECT& R, TAlignment AAlignmentHorz,
                               TcxAlignmentVert AAlignmentVert, bool AMultiLine, const String& AText,
                               TFont* AFont, TColor ATextColor, TColor ABkColor) const;
  virtual TcxBorders GetFooterCellBorders() const;
  virtual int GetFooterBorderSize() const;
  virtual int GetFooterCellBorderSize() const;
  virtual int GetFooterCellOffset() const;
  virtual bool IsFooterBorderSeparate() const;
  virtual void PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const;
  virtual void PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const;

  // --- Small buttons ---
  virtual void PaintCheckButtonInRect(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                      bool AChecked) const;
  virtual void PaintCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const;
  // The arrow is drawn in clBlue when AHighlightArrow is set.
  virtual void PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                                   bool AHighlightArrow) const;
  virtual SIZE GetCheckButtonSize() const;
  virtual SIZE GetCloseButtonSize() const;
  // A height of 0 means the full height of the place it goes.
  virtual SIZE GetDropDownButtonSize() const;

  // --- Tabs ---
  virtual bool IsTabRowOptionSet() const;
  virtual void PaintTab(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, const String& AText,
                        TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor,
                        TColor ABkColor) const;
  // One side (ABorder) of a tab; R is that side's strip.
  virtual void PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxNeighbors ANeighbors,
                              bool AVertical) const;
  virtual void PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                                   bool AVertical) const;
  virtual bool IsTabThemed(bool AVertical) const;
  virtual bool IsTabBorderThemed(bool AVertical) const;
  virtual int GetTabBorderSize(bool AVertical) const;

  // --- Record indicator and scroll bars ---
  virtual void PaintIndicatorCell(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind,
                                  TColor AColor) const;
  virtual bool IsIndicatorGlyphFirst() const;
  virtual void PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                                  TcxButtonState AState) const;

  // --- Shared routines of the looks (not overridden) ---
  // The corners of a filled arrow triangle; Proportional squares R around its centre first.
  static TcxArrowPoints CalculateArrowPoints(const RECT& R, TcxArrowDirection ADirection, bool AProportional);
  // A cross two pixels thick sized from GetCloseButtonSize.
  void DrawCloseCross(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, TColor AColor) const;
  static void DrawPlusMinus(TcxCanvas* ACanvas, const RECT& R, TColor AColor, bool AExpanded);
  // A triangle outline sized from GetSortingMarkSize, pointing up when ascending.
  void DrawSortingArrow(TcxCanvas* ACanvas, const RECT& R, TColor ALeftColor, TColor ARightColor,
                        bool AAscending) const;
  static void DrawIndicatorImage(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind);
  static TcxArrowDirection GetArrowDirection(bool AHorizontal, TcxScrollBarPart APart);

  TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
  TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;

 protected:
  TcxCustomLookAndFeelPainter() = default;
  ~TcxCustomLookAndFeelPainter() = default;
  // Draws the triangle in AColor (pen and solid brush).
  static void DrawArrowPoints(TcxCanvas* ACanvas, const TcxArrowPoints& P, TColor AColor);

  template <class T>
  static TcxLookAndFeelPainterClass ClassOf() {
    static const T instance{};
    return &instance;
  }
};

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  static TcxLookAndFeelPainterClass Class();

  int GetBorderSize() const override;
  void PaintBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int GetButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  int GetButtonPressedTextOffsetX() const override;
  int GetButtonPressedTextOffsetY() const override;
  void PaintButtonFrame(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const override;
  int GetExpandButtonSize() const override;
  void PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                         TcxBorders ABorders) const override;
  void PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const override;
  int GetHeaderBorderSize() const override;
  SIZE GetSortingMarkSize() const override;
  int GetFooterBorderSize() const override;
  int GetFooterCellBorderSize() const override;
  int GetFooterCellOffset() const override;
  void PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                           bool AHighlightArrow) const override;
  void PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxNeighbors ANeighbors,
                      bool AVertical) const override;
  void PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                           bool AVertical) const override;
  int GetTabBorderSize(bool AVertical) const override;
  void PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const override;

 protected:
  friend class TcxCustomLookAndFeelPainter;
  TcxStandardLookAndFeelPainter() = default;
};

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  static TcxLookAndFeelPainterClass Class();

  int GetBorderSize() const override;
  void PaintBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int GetButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  int GetButtonPressedTextOffsetX() const override;
  int GetButtonPressedTextOffsetY() const override;
  void PaintButtonFrame(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const override;
  int GetExpandButtonSize() const override;
  void PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                         TcxBorders ABorders) const override;
  void PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const override;
  int GetHeaderBorderSize() const override;
  SIZE GetSortingMarkSize() const override;
  int GetFooterBorderSize() const override;
  int GetFooterCellBorderSize() const override;
  int GetFooterCellOffset() const override;
  void PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                           bool AHighlightArrow) const override;
  void PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxNeighbors ANeighbors,
                      bool AVertical) const override;
  void PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                           bool AVertical) const override;
  int GetTabBorderSize(bool AVertical) const override;
  void PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const override;

 protected:
  friend class TcxCustomLookAndFeelPainter;
  TcxFlatLookAndFeelPainter() = default;
};

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  static TcxLookAndFeelPainterClass Class();

  int GetBorderSize() const override;
  void PaintBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int GetButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  TColor GetButtonColor(TcxButtonState AState) const override;
  RECT GetButtonContentBounds(TcxCanvas* ACanvas, const RECT& R) const override;
  int GetButtonPressedTextOffsetX() const override;
  int GetButtonPressedTextOffsetY() const override;
  TColor GetButtonTextColor(TcxButtonState AState) const override;
  TcxButtonState GetButtonPaintState(TcxButtonState AState) const override;
  void PaintButtonFrame(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const override;
  int GetExpandButtonSize() const override;
  bool IsButtonHotTrack() const override;
  void PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintHeaderBorder(TcxCanvas* ACanvas, const RECT& R, TcxNeighbors ANeighbors,
                         TcxBorders ABorders) const override;
  void PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const override;
  TcxBorders GetHeaderBorders(TcxNeighbors ANeighbors) const override;
  int GetHeaderBorderSize() const override;
  SIZE GetSortingMarkSize() const override;
  TcxBorders GetFooterCellBorders() const override;
  int GetFooterBorderSize() const override;
  int GetFooterCellBorderSize() const override;
  int GetFooterCellOffset() const override;
  void PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintFooterCellBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  SIZE GetCloseButtonSize() const override;
  void PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                           bool AHighlightArrow) const override;
  void PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxNeighbors ANeighbors,
                      bool AVertical) const override;
  void PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                           bool AVertical) const override;
  int GetTabBorderSize(bool AVertical) const override;
  void PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const override;

 protected:
  friend class TcxCustomLookAndFeelPainter;
  TcxUltraFlatLookAndFeelPainter() = default;
};

// Draws through the platform's visual styles; every operation falls back to the standard look
// when its theme class has no handle.
class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
 public:
  static TcxLookAndFeelPainterClass Class();

  bool IsNativePainter() const override;
  void PaintArrowButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                        TcxArrowDirection ADirection, bool ADrawBorder = true) const override;
  void PaintButtonBackground(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  int GetBorderSize() const override;
  void PaintBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  int GetButtonBorderSize(TcxButtonState AState = cxbsNormal) const override;
  TColor GetButtonColor(TcxButtonState AState) const override;
  RECT GetButtonContentBounds(TcxCanvas* ACanvas, const RECT& R) const override;
  TColor GetButtonTextColor(TcxButtonState AState) const override;
  int GetButtonPressedTextOffsetX() const override;
  int GetButtonPressedTextOffsetY() const override;
  void PaintButton(TcxCanvas* ACanvas, const RECT& R, const String& ACaption, TcxButtonState AState,
                   bool ADrawBorder = true, TColor AColor = clDefault,
                   TColor ATextColor = clDefault) const override;
  void PaintExpandButton(TcxCanvas* ACanvas, const RECT& R, bool AExpanded) const override;
  int GetExpandButtonSize() const override;
  bool IsButtonHotTrack() const override;
  int GetCheckBorderSize() const override;
  void PaintCheck(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState, bool AChecked,
                  TColor AColor) const override;
  void PaintCheckBorder(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintHeader(TcxCanvas* ACanvas, const RECT& R, const RECT& ATextAreaBounds, TcxNeighbors ANeighbors,
                   TcxBorders ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
                   TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                   const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor) const override;
  void PaintHeaderPressed(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintSortingMark(TcxCanvas* ACanvas, const RECT& R, bool AAscending) const override;
  int GetHeaderBorderSize() const override;
  bool IsHeaderBorderSeparate() const override;
  bool IsHeaderNative() const override;
  SIZE GetSortingMarkSize() const override;
  void PaintFooterCell(TcxCanvas* ACanvas, const RECT& R, TAlignment AAlignmentHorz,
                       TcxAlignmentVert AAlignmentVert, bool AMultiLine, const String& AText, TFont* AFont,
                       TColor ATextColor, TColor ABkColor) const override;
  int GetFooterBorderSize() const override;
  int GetFooterCellBorderSize() const override;
  int GetFooterCellOffset() const override;
  bool IsFooterBorderSeparate() const override;
  void PaintFooterBorder(TcxCanvas* ACanvas, const RECT& R) const override;
  void PaintCloseButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState) const override;
  void PaintDropDownButton(TcxCanvas* ACanvas, const RECT& R, TcxButtonState AState,
                           bool AHighlightArrow) const override;
  SIZE GetCheckButtonSize() const override;
  SIZE GetCloseButtonSize() const override;
  void PaintTab(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders, const String& AText,
                TcxButtonState AState, bool AVertical, TFont* AFont, TColor ATextColor,
                TColor ABkColor) const override;
  void PaintTabBorder(TcxCanvas* ACanvas, const RECT& R, TcxBorder ABorder, TcxNeighbors ANeighbors,
                      bool AVertical) const override;
  void PaintTabsBackground(TcxCanvas* ACanvas, const RECT& R, TcxBorders ABorders,
                           bool AVertical) const override;
  bool IsTabThemed(bool AVertical) const override;
  bool IsTabBorderThemed(bool AVertical) const override;
  int GetTabBorderSize(bool AVertical) const override;
  void PaintIndicatorCell(TcxCanvas* ACanvas, const RECT& R, TcxIndicatorKind AKind,
                          TColor AColor) const override;
  bool IsIndicatorGlyphFirst() const override;
  void PaintScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const RECT& R, TcxScrollBarPart APart,
                          TcxButtonState AState) const override;

  // Text through the theme (nothing for an empty text); R and ABkColor are not used.
  virtual void PaintNativeText(TcxCanvas* ACanvas, HTHEME ATheme, int APartId, int AStateId, const RECT& R,
                               const RECT& ATextAreaBounds, TAlignment AAlignmentHorz,
                               TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                               const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor) const;

 protected:
  friend class TcxCustomLookAndFeelPainter;
  TcxWinXPLookAndFeelPainter() = default;
};

// --- Module state of the painters ---
// The record indicator images (5 x 9), image index = TcxIndicatorKind - 1; nullptr before start-up.
TCustomImageList* cxIndicatorImages();
// The 8 x 8 checker bitmaps of scroll-bar page areas: normal (clBtnFace / clBtnHighlight) and
// pressed (black / cl3DDkShadow).
TBitmap* cxScrollBarCheckerBitmap(bool APressed);
// Remakes both checker bitmaps from the current system colours.
void cxRefreshCheckerBrushes();

void InitializeLookAndFeelPainters();
void FinalizeLookAndFeelPainters();
