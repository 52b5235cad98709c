// The framework's colours: RGB values, the system colours (0x80000000 | COLOR_ index) and the
// special values clNone and clDefault.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

using TColor = Integer;

namespace colors_detail {
constexpr TColor Sys(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
}  // namespace colors_detail

constexpr TColor clScrollBar = colors_detail::Sys(COLOR_SCROLLBAR);
constexpr TColor clBackground = colors_detail::Sys(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = colors_detail::Sys(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = colors_detail::Sys(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = colors_detail::Sys(COLOR_MENU);
constexpr TColor clWindow = colors_detail::Sys(COLOR_WINDOW);
constexpr TColor clWindowFrame = colors_detail::Sys(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = colors_detail::Sys(COLOR_MENUTEXT);
constexpr TColor clWindowText = colors_detail::Sys(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = colors_detail::Sys(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = colors_detail::Sys(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = colors_detail::Sys(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = colors_detail::Sys(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = colors_detail::Sys(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = colors_detail::Sys(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = colors_detail::Sys(COLOR_BTNFACE);
constexpr TColor clBtnShadow = colors_detail::Sys(COLOR_BTNSHADOW);
constexpr TColor clGrayText = colors_detail::Sys(COLOR_GRAYTEXT);
constexpr TColor clBtnText = colors_detail::Sys(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = colors_detail::Sys(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = colors_detail::Sys(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = colors_detail::Sys(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = colors_detail::Sys(COLOR_3DLIGHT);
constexpr TColor clInfoText = colors_detail::Sys(COLOR_INFOTEXT);
constexpr TColor clInfoBk = colors_detail::Sys(COLOR_INFOBK);
constexpr TColor clHotLight = colors_detail::Sys(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = colors_detail::Sys(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = colors_detail::Sys(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = colors_detail::Sys(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = colors_detail::Sys(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour becomes its current RGB value; anything else is returned as it is (clNone and
// clDefault included).
TColor ColorToRGB(TColor Color);
inline COLORREF ColorToColorRef(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// The names of the colour constants, as form resources store colours ("clBtnFace").
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(const String& Ident, TColor& Color);
// The constant's name, or "$00BBGGRR" for other values.
String ColorToString(TColor Color);
// A constant's name, or a number (decimal or "$" hexadecimal); EConvertError otherwise.
TColor StringToColor(const String& S);
