// The non-client metrics record (fonts and sizes of captions, menus, status bars and messages).
#pragma once

#include "platform/gdi/Font.h"
#include "platform/win/Metrics.h"

struct NONCLIENTMETRICS {
  UINT cbSize = sizeof(NONCLIENTMETRICS);
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  LOGFONT lfCaptionFont;
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  LOGFONT lfSmCaptionFont;
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  LOGFONT lfMenuFont;
  LOGFONT lfStatusFont;
  LOGFONT lfMessageFont;
};
// SPI_GETNONCLIENTMETRICS fills a NONCLIENTMETRICS; SPI_GETICONTITLELOGFONT a LOGFONT.
// SPI_SETNONCLIENTMETRICS stores one and broadcasts WM_SETTINGCHANGE(SPI_SETNONCLIENTMETRICS).
