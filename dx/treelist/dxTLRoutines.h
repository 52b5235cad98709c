// The tree list module's free routines: value comparison for sorting, text measuring, and the
// drawing of header and band cells, expand buttons, sort marks, indicator cells and focus marks.
#pragma once

#include "dx/treelist/dxTLTypes.h"
#include "platform/classes/ClassesTypes.h"
#include "platform/forms/Graphics.h"
#include "platform/rtl/WinDef.h"

// Values the variant comparison can order compare by value, whatever their kinds: Null before Empty
// before the rest, "3" before 5. A pair it cannot order (a text that is no number against a number,
// a NaN, arrays) goes by group: nulls, then numbers, dates and booleans, then texts, then anything
// else. No pair answers -1 both ways round.
int CompareVariantValues(const Variant& A, const Variant& B);
int CompareIntegers(int A, int B);
bool TextEqualIgnoreCase(const String& A, const String& B);
bool RangesOverlap(int A1, int A2, int B1, int B2);

// Word-wrapped lines of Text in a cell Width wide (less Indent); Height receives their height plus 3.
int MeasureTextLines(const String& Text, int Width, int LineHeight, int& Height, int Indent, bool Wide,
                     TFont* Font, int MaxLines);

// The text height of "Wg" and the width of "0" in Font, measured on the module's screen DC.
int FontTextHeight(TFont* Font);
int FontDigitWidth(TFont* Font);

// Header cell positions in their row: 0 alone, 1 last, 2 first, 3 in between.
void DrawHeaderFrame(HDC DC, RECT& Rect, HBRUSH Brush, TdxLookAndFeel Look, int Position, bool Pressed);
// Glyph (none when nil), drawn transparent at the left, comes before the text.
void DrawHeaderCell(HDC DC, const RECT& Rect, const RECT& Clip, HBRUSH Brush, TdxLookAndFeel Look,
                    int Position, TdxTreeListColumnSort Sort, TAlignment Alignment, bool MultiLine,
                    bool Pressed, const String& Text, HFONT Font, TColor TextColor, TBitmap* Glyph = nullptr);
void DrawSortMark(HDC DC, const RECT& Rect, bool Up);
void DrawFlatExpandButton(HDC DC, const RECT& Rect, int CenterY, bool Collapsed);
void Draw3DExpandButton(HDC DC, const RECT& Rect, bool Collapsed);
void DrawIndicatorCell(HDC DC, const RECT& Rect, const RECT& Clip, TdxLookAndFeel Look, int Glyph,
                       HBRUSH Brush);
// Indicator glyph k (1 focused, 2 editing, 3 inserting, 4 selected, 5 focused and selected) centred
// in Rect; false when the glyphs could not be loaded at start-up.
bool DrawIndicatorGlyph(HDC DC, const RECT& Rect, int Glyph);
void LoadIndicatorGlyphs();
void FreeIndicatorGlyphs();
void DrawFocusMark(HDC DC, const RECT& Rect);
void InvertFrame(HDC DC, const RECT& Rect);
