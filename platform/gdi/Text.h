// Text output and measurement with the DC's selected font.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 96;
  LONG tmDigitizedAspectY = 96;
  WCHAR tmFirstChar = 0x20;
  WCHAR tmLastChar = 0xFFFC;
  WCHAR tmDefaultChar = 0x1F;
  WCHAR tmBreakChar = 0x20;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  // TMPF_FIXED_PITCH set means a variable-pitch font, as on the platform.
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
using TEXTMETRICW = TEXTMETRIC;
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
// The face name of the selected font as realised (the requested name for mapped faces).
int GetTextFace(HDC dc, int count, WCHAR* name);
String GetTextFaceName(HDC dc);

BOOL GetTextExtentPoint32(HDC dc, const WCHAR* text, int length, SIZE* size);
inline BOOL GetTextExtentPoint(HDC dc, const WCHAR* text, int length, SIZE* size) {
  return GetTextExtentPoint32(dc, text, length, size);
}
// How many units fit in `maxExtent` (when `fit` is given) and the extent after each unit.
BOOL GetTextExtentExPoint(HDC dc, const WCHAR* text, int length, int maxExtent, int* fit, int* dx,
                          SIZE* size);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
// String conveniences for the component code.
SIZE TextExtent(HDC dc, const String& text);

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT TA_RTLREADING = 256;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
// Spreads `breakExtra` pixels over the next output's `breakCount` break characters.
BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount);

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
constexpr UINT ETO_RTLREADING = 0x0080;
constexpr UINT ETO_IGNORELANGUAGE = 0x1000;

BOOL TextOut(HDC dc, int x, int y, const WCHAR* text, int length);
// `dx` (optional) gives each unit's advance.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const WCHAR* text, UINT length,
                const int* dx);
// Tab stops: `positions` (count entries, or every 8 average characters when none) from `tabOrigin`.
LONG TabbedTextOut(HDC dc, int x, int y, const WCHAR* text, int length, int count, const int* positions,
                   int tabOrigin);
DWORD GetTabbedTextExtent(HDC dc, const WCHAR* text, int length, int count, const int* positions);

// --- DrawText ---
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 8;
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};

// Returns the height of the text drawn (from the rectangle's top; with DT_VCENTER/DT_BOTTOM the offset
// plus the height), 0 on failure. `length` -1 means up to the terminating zero. With DT_CALCRECT nothing
// is drawn and the rectangle's right and bottom are set to fit the text.
int DrawText(HDC dc, const WCHAR* text, int length, RECT* rect, UINT format);
int DrawTextEx(HDC dc, WCHAR* text, int length, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
inline int DrawText(HDC dc, const String& text, RECT* rect, UINT format) {
  return DrawText(dc, text.c_str(), static_cast<int>(text.size()), rect, format);
}
