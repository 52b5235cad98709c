#include "platform/forms/Colors.h"

#include <iterator>

#include "platform/gdi/SysColors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

struct ColorName {
  TColor color;
  const char16_t* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clScrollBar, u"clScrollBar"},
    {clBackground, u"clBackground"},
    {clActiveCaption, u"clActiveCaption"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clMenu, u"clMenu"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clMenuText, u"clMenuText"},
    {clWindowText, u"clWindowText"},
    {clCaptionText, u"clCaptionText"},
    {clActiveBorder, u"clActiveBorder"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clBtnFace, u"clBtnFace"},
    {clBtnShadow, u"clBtnShadow"},
    {clGrayText, u"clGrayText"},
    {clBtnText, u"clBtnText"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clBtnHighlight, u"clBtnHighlight"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clInfoText, u"clInfoText"},
    {clInfoBk, u"clInfoBk"},
    {clHotLight, u"clHotLight"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuBar, u"clMenuBar"},
    {clNone, u"clNone"},
    {clDefault, u"clDefault"},
};

}  // namespace

TColor ColorToRGB(TColor Color) {
  // The drawing layer's table is the window system's once that is running.
  if (Color < 0) return static_cast<TColor>(GdiSysColor(Color & 0xFF));
  return Color;
}

bool ColorToIdent(TColor Color, String& Ident) {
  for (const auto& c : kColorNames)
    if (c.color == Color) {
      Ident = c.name;
      return true;
    }
  return false;
}

bool IdentToColor(const String& Ident, TColor& Color) {
  for (const auto& c : kColorNames)
    if (SameText(Ident, c.name)) {
      Color = c.color;
      return true;
    }
  return false;
}

String ColorToString(TColor Color) {
  String s;
  if (ColorToIdent(Color, s)) return s;
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex = "$";
  for (int shift = 28; shift >= 0; shift -= 4) hex += kHex[(static_cast<unsigned>(Color) >> shift) & 0xF];
  return Utf8ToString(hex);
}

TColor StringToColor(const String& S) {
  TColor c;
  if (IdentToColor(S, c)) return c;
  const std::string text = StringToUtf8(Trim(S));
  bool ok = !text.empty();
  long long value = 0;
  if (ok) {
    const bool hex = text[0] == '$';
    const bool negative = !hex && text[0] == '-';
    size_t i = (hex || negative) ? 1 : 0;
    ok = i < text.size();
    for (; ok && i < text.size(); ++i) {
      const char ch = text[i];
      int digit;
      if (ch >= '0' && ch <= '9')
        digit = ch - '0';
      else if (hex && ch >= 'a' && ch <= 'f')
        digit = ch - 'a' + 10;
      else if (hex && ch >= 'A' && ch <= 'F')
        digit = ch - 'A' + 10;
      else {
        ok = false;
        break;
      }
      value = value * (hex ? 16 : 10) + digit;
      if (value > 0xFFFFFFFFLL) ok = false;
    }
    if (negative) value = -value;
  }
  if (!ok || value < INT32_MIN) throw EConvertError("'" + text + "' is not a valid integer value");
  return static_cast<TColor>(static_cast<std::uint32_t>(value));
}
