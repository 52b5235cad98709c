// The format controller: the editors' default formats derived from the user's regional settings
// (currency display format, date edit and display formats, date edit masks, first day of the week),
// recomputed when the settings change, with the editors that registered told about it.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

class IcxFormatControllerListener {
 public:
  virtual ~IcxFormatControllerListener() = default;
  virtual void FormatChanged() = 0;
};

class TcxFormatController {
 public:
  // The first controller constructed becomes the global one.
  TcxFormatController();
  virtual ~TcxFormatController();
  TcxFormatController(const TcxFormatController&) = delete;
  TcxFormatController& operator=(const TcxFormatController&) = delete;

  // Recomputes every format from the current format settings.
  void Refresh();

  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void AddListener(IcxFormatControllerListener* listener);
  virtual void RemoveListener(IcxFormatControllerListener* listener);
  void NotifyListeners();

  const String& CurrencyDisplayFormat() const { return currencyDisplayFormat_; }
  const String& DateEditFormat() const { return dateEditFormat_; }
  const String& DateDisplayFormat() const { return dateDisplayFormat_; }
  const String& StandardDateEditMask() const { return standardDateEditMask_; }
  const String& RegExprDateEditMask() const { return regExprDateEditMask_; }
  // 0 = Sunday .. 6 = Saturday.
  Byte FirstWeekDay() const { return firstWeekDay_; }
  // True: date texts use the platform's own date-time conversions instead of the locale's.
  bool UsePlatformDateFormats() const { return usePlatformDateFormats_; }
  void SetUsePlatformDateFormats(bool value) { usePlatformDateFormats_ = value; }

  // The settings-change subscription that stands for the hidden message window: non-zero exactly
  // while at least one listener is registered.
  int Window() const { return window_; }

 private:
  void CreateWindow();
  void DestroyWindow();

  String currencyDisplayFormat_;
  String dateEditFormat_;
  String dateDisplayFormat_;
  String standardDateEditMask_;
  String regExprDateEditMask_;
  Byte firstWeekDay_ = 0;
  bool usePlatformDateFormats_ = false;
  std::vector<IcxFormatControllerListener*> listeners_;
  int window_ = 0;
};

// The global controller, created on first use.
TcxFormatController* GetFormatController();
// Frees the global controller (at the end of the program).
void FreeFormatController();
