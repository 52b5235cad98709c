#include "platform/win/NonClientMetrics.h"

#include <algorithm>
#include <optional>

#include "platform/win/Messages.h"
#include "platform/win/WinInternal.h"

namespace {

LOGFONT UiFont(bool bold) {
  LOGFONT lf;
  lf.lfHeight = -11;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = 1;  // DEFAULT_CHARSET
  const char16_t name[] = u"Tahoma";
  std::copy(std::begin(name), std::end(name), lf.lfFaceName);
  return lf;
}

NONCLIENTMETRICS Classic() {
  NONCLIENTMETRICS m;
  m.iBorderWidth = 1;
  m.iScrollWidth = m.iScrollHeight = 16;
  m.iCaptionWidth = m.iCaptionHeight = 18;
  m.lfCaptionFont = UiFont(true);
  m.iSmCaptionWidth = 12;
  m.iSmCaptionHeight = 15;
  m.lfSmCaptionFont = UiFont(true);
  m.iMenuWidth = m.iMenuHeight = 18;
  m.lfMenuFont = m.lfStatusFont = m.lfMessageFont = UiFont(false);
  return m;
}

std::optional<NONCLIENTMETRICS> g_metrics;

}  // namespace

BOOL SystemParametersInfoFonts(UINT action, UINT, void* pvParam, UINT winIni) {
  if (!g_metrics) g_metrics = Classic();
  switch (action) {
    case SPI_GETNONCLIENTMETRICS:
      if (!pvParam) return FALSE;
      *static_cast<NONCLIENTMETRICS*>(pvParam) = *g_metrics;
      return TRUE;
    case SPI_SETNONCLIENTMETRICS:
      if (!pvParam) return FALSE;
      g_metrics = *static_cast<const NONCLIENTMETRICS*>(pvParam);
      if (winIni & SPIF_SENDCHANGE) {
        static const WCHAR kEmpty[] = u"";
        SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS,
                    reinterpret_cast<LPARAM>(kEmpty));
      }
      return TRUE;
    case SPI_GETICONTITLELOGFONT:
      if (!pvParam) return FALSE;
      *static_cast<LOGFONT*>(pvParam) = UiFont(false);
      return TRUE;
    default:
      return FALSE;
  }
}
