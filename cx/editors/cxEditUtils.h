// Measuring and painting routines every editor's view data and view info share: painter choice,
// theme tests, border widths and margins, the edit background, border and shadow, buttons in each
// style and kind, the window region of an edit.
#pragma once

#include "cx/editors/cxEditViewInfo.h"
#include "cx/foundation/cxLookAndFeelPainters.h"

// The width of the shadow an edit with a shadow draws at its right and bottom.
constexpr int kShadowSize = 3;

inline bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

// Left, top, right, bottom.
using TcxEditMargins = RECT;

// --- Choices and tests ---
bool IsNativeStyleAvailable(bool ANativeStyle, TdxThemeClass AThemeClass);
TcxLookAndFeelPainterClass GetLookAndFeelPainterClass(bool ANativeStyle, TcxLookAndFeelKind AKind);
// The Edit theme's state: 4 disabled, 6 read-only, 5 focused, 2 hot, 1 normal.
int GetEditNativeState(TcxCustomEditViewData* AViewData, bool AReadOnly);
int GetEditBorderWidth(TcxEditDrawnBorder ABorder);
bool IsBitmapUsable(TBitmap* ABitmap);
int GetButtonHorzAllowance(TcxEditButtonStyle AStyle);
int GetButtonVertAllowance(TcxEditButtonStyle AStyle);
// Horizontal 3; vertical 4 stand-alone, 3 in place with the Edit theme, 2 in place otherwise.
SIZE GetEditTextMargins(TcxCustomEditViewData* AViewData);
// The margins of the text inside the client area by the horizontal alignment.
TcxEditMargins GetTextAlignmentMargins(bool AIsInplace, TAlignment AHorz);
// The bounds less the client extent (in place or without a theme), grown by the drawn border on the
// edges the view info has.
RECT GetEditVisibleBounds(TcxCustomEditViewInfo* AViewInfo, const RECT& ABounds);

// --- Text ---
// The size of a display text in the style's font: one "Zg" line per row plus the vertical text
// margin; the horizontal margin too when AAddMargins. A width limit (ASizeProperties.Width >= 0)
// wraps the text into rows of that width; an empty text is one line unless AAllowEmptyHeight.
SIZE MeasureEditText(TcxCanvas* ACanvas, TcxCustomEditViewData* AViewData, const String& AText, bool AAddMargins,
                     const TcxEditSizeProperties& ASizeProperties, bool AAllowEmptyHeight = false);

// --- Buttons ---
int GetButtonWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton);
int GetButtonVerticalAllowance(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo);
// The theme part and state of a button (ComboBox drop-down for a single drop-down, else push button).
void CalculateButtonNativeInfo(TcxEditButtonViewInfo* AButton);
// The background and border, then every button with a visible part.
void DrawEditButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool ADrawBackground);
// AFillLimit (optional) keeps the background fills within its columns.
void DrawEditBackgroundAndBorder(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                 const RECT* AFillLimit = nullptr);
// A border of the drawn style on the chosen edges of R, inside R.
void DrawEditBorder(TcxCanvas* ACanvas, TcxEditDrawnBorder ABorder, const RECT& R, TColor AColor,
                    TcxBorders AEdges = cxBordersAll);
void DrawEditShadow(TcxCanvas* ACanvas, const RECT& ARect);
// The part of AOuter outside AInner.
void FillFrame(TcxCanvas* ACanvas, const RECT& AOuter, const RECT& AInner, TColor AColor);
// Button frames by style; ARect shrinks to the content area.
void DrawEditButtonBorder(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AIndex, RECT& ARect,
                          TcxEditButtonStyle AStyle, TColor& ABrushColor, TColor& APenColor);
void DrawEditButtonContent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AIndex, TColor ABrushColor,
                           TColor APenColor, const RECT& ARect);
// An arrow of the look and feel's painter centred in ARect (embossed when the button is disabled).
void DrawEditButtonArrow(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AIndex, const RECT& ARect,
                         TcxArrowDirection ADirection, TColor APenColor);
// The side of an ellipsis dot for a button content rectangle of AWidth pixels.
int GetEllipsisDotSize(int AWidth);

// --- Regions ---
// The window region of an edit: the border rectangle grown by the border on the edges, with the
// shadow when the view info has one.
void UpdateEditWindowRegion(TcxCustomEditViewInfo* AViewInfo, HWND AWindowHandle);
// The bounds the drop-down editors align their popups with.
RECT GetPopupOwnerBounds(TcxCustomEditViewInfo* AViewInfo);
