// Multi-line text: broken into rows for a rectangle (word and character break, line ends, tabs,
// justification, an end ellipsis, a row limit), positioned by alignment, drawn with clipping and an
// optional highlighted range, or only measured. Ampersands are ordinary characters here.
#pragma once

#include <vector>

#include "cx/foundation/cxGraphics.h"

// Horizontal alignment (bits 0-2).
constexpr int cxtlLeft = 0;
constexpr int cxtlCenter = 1;
constexpr int cxtlRight = 2;
constexpr int cxtlJustify = 3;     // all rows but a paragraph's last stretched to the width
constexpr int cxtlDistribute = 4;  // every row stretched
// Vertical alignment (bits 4-5).
constexpr int cxtlTop = 0;
constexpr int cxtlVCenter = 16;
constexpr int cxtlBottom = 32;
constexpr int cxtlVJustify = 48;
constexpr int cxtlKeepLeft = 64;
constexpr int cxtlKeepTop = 128;
constexpr int cxtlWordBreak = 256;
constexpr int cxtlSingleLine = 512;
constexpr int cxtlExpandTabs = 1024;
constexpr int cxtlEndEllipsis = 2048;
constexpr int cxtlExternalLeading = 8192;
constexpr int cxtlWholeRows = 16384;
constexpr int cxtlNoClip = 32768;
constexpr int cxtlCharBreak = 131072;
constexpr int cxtlCalcRect = 1048576;
constexpr int cxtlRowCountResult = 2097152;

struct TcxTextParams {
  int TextHeight = 0;
  int ExternalLeading = 0;
  int RowHeight = 0;
  int EllipsisWidth = 0;
  WCHAR BreakChar = u' ';
  int HorzAlignment = 0;
  int VertAlignment = 0;
  bool KeepLeft = false;
  bool KeepTop = false;
  bool WordBreak = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool ExternalLeadingFlag = false;
  bool WholeRows = false;
  bool NoClip = false;
  bool CharBreak = false;
  bool CalcRect = false;
  bool RowCountResult = false;
  int MaxCharWidth = 0;
};

// A row points into the caller's text (no copy): the text must outlive the rows.
struct TcxTextRow {
  const WCHAR* Text = nullptr;
  int TextLength = 0;
  int Width = 0;
  int Height = 0;
  int BreakCount = 0;
  int X = 0;
  int Y = 0;
  int StartOffset = 0;
};
using TcxTextRows = std::vector<TcxTextRow>;

// Parameters from the device context's font and the flags (the canvas's handle and font realised).
TcxTextParams cxPrepareTextParams(TCanvas* ACanvas, int AFormat);
inline TcxTextParams cxPrepareTextParams(TcxCanvas* ACanvas, int AFormat) {
  return cxPrepareTextParams(ACanvas->Canvas(), AFormat);
}
TcxTextParams cxPrepareTextParamsForDC(HDC DC, int AFormat);

// Lays the text out in rows for R. False only when the row limit cut a multi-line text.
bool cxMakeTextRows(TCanvas* ACanvas, const String& AText, const RECT& R, const TcxTextParams& AParams,
                    TcxTextRows& ATextRows, int& ARowCount, int AMaxRowCount = 0);
inline bool cxMakeTextRows(TcxCanvas* ACanvas, const String& AText, const RECT& R,
                           const TcxTextParams& AParams, TcxTextRows& ATextRows, int& ARowCount,
                           int AMaxRowCount = 0) {
  return cxMakeTextRows(ACanvas->Canvas(), AText, R, AParams, ATextRows, ARowCount, AMaxRowCount);
}
bool cxMakeTextRowsForDC(HDC DC, const String& AText, const RECT& R, const TcxTextParams& AParams,
                         TcxTextRows& ATextRows, int& ARowCount, int AMaxRowCount = 0);
// Sets each row's X and Y inside R by the alignment (vertical justification may enlarge RowHeight).
void cxPlaceTextRows(const RECT& R, TcxTextParams& AParams, TcxTextRows& ATextRows, int ARowCount);
// The largest Width among the first ARowCount rows (0 for none).
int cxGetLongestTextRowWidth(const TcxTextRows& ATextRows, int ARowCount);

// Draws (or with cxtlCalcRect measures: R becomes the text's bounds) and answers the height drawn,
// or the row count with cxtlRowCountResult; 0 for an empty text. A highlighted range (ASelLength >
// 0) is drawn over ASelBkColor in ASelTextColor.
int cxDrawMultilineTextForDC(HDC DC, const String& AText, RECT& R, int AFormat, int ASelStart, int ASelLength,
                             TColor ASelBkColor, TColor ASelTextColor, int AMaxRowCount = 0,
                             int ALeftIndent = 0, int ARightIndent = 0);
int cxDrawMultilineTextEx(TCanvas* ACanvas, const String& AText, RECT& R, int AFormat, int ASelStart,
                          int ASelLength, TColor ASelBkColor, TColor ASelTextColor, int AMaxRowCount = 0,
                          int ALeftIndent = 0, int ARightIndent = 0);
inline int cxDrawMultilineTextEx(TcxCanvas* ACanvas, const String& AText, RECT& R, int AFormat, int ASelStart,
                                 int ASelLength, TColor ASelBkColor, TColor ASelTextColor,
                                 int AMaxRowCount = 0, int ALeftIndent = 0, int ARightIndent = 0) {
  return cxDrawMultilineTextEx(ACanvas->Canvas(), AText, R, AFormat, ASelStart, ASelLength, ASelBkColor,
                               ASelTextColor, AMaxRowCount, ALeftIndent, ARightIndent);
}
int cxDrawMultilineText(TCanvas* ACanvas, const String& AText, RECT& R, int AFormat, int AMaxRowCount = 0,
                        int ALeftIndent = 0, int ARightIndent = 0);
inline int cxDrawMultilineText(TcxCanvas* ACanvas, const String& AText, RECT& R, int AFormat,
                               int AMaxRowCount = 0, int ALeftIndent = 0, int ARightIndent = 0) {
  return cxDrawMultilineText(ACanvas->Canvas(), AText, R, AFormat, AMaxRowCount, ALeftIndent, ARightIndent);
}
