#include "cx/editors/cxFormats.h"

#include <algorithm>

#include "cx/editors/cxDateUtils.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/MessageIds.h"

namespace {

TcxFormatController* theController = nullptr;
// The global controller was made by GetFormatController (not by a caller who frees it himself).
bool theControllerCreatedOnUse = false;

// The locale's currency number format: ",0.00" with the symbol placed by the currency format, a ','
// or '.' inside the symbol quoted so that it stays literal.
String CurrencyNumberFormat(const TFormatSettings& settings) {
  String number = u",0." + String(settings.CurrencyDecimals, u'0');
  String symbol;
  for (Char c : settings.CurrencyString) {
    if (c == u',' || c == u'.')
      symbol += String(u"'") + c + u"'";
    else
      symbol += c;
  }
  if (symbol.empty()) return number;
  switch (settings.CurrencyFormat) {
    case 0:
      return symbol + number;
    case 1:
      return number + symbol;
    case 2:
      return symbol + u' ' + number;
    default:
      return number + u' ' + symbol;
  }
}

// A lone d or M (no same letter beside it) is doubled.
String DoubleLoneDayAndMonth(const String& format) {
  String result;
  for (size_t i = 0; i < format.size(); ++i) {
    const Char c = format[i];
    result += c;
    if (c != u'd' && c != u'M') continue;
    const bool before = i > 0 && format[i - 1] == c;
    const bool after = i + 1 < format.size() && format[i + 1] == c;
    if (!before && !after) result += c;
  }
  return result;
}

// The first run of more than three M is cut to MMM.
String CutLongMonth(const String& format) {
  const size_t start = format.find(u'M');
  if (start == String::npos) return format;
  size_t end = start;
  while (end < format.size() && format[end] == u'M') ++end;
  if (end - start <= 3) return format;
  return format.substr(0, start) + u"MMM" + format.substr(end);
}

String StandardDateMask(const String& shortDateFormat) {
  String mask = u"!";
  for (size_t i = 0; i < shortDateFormat.size();) {
    const Char c = shortDateFormat[i];
    if (c != u'M' && c != u'd' && c != u'y') {
      mask += c;
      ++i;
      continue;
    }
    size_t end = i;
    while (end < shortDateFormat.size() && shortDateFormat[end] == c) ++end;
    if (end - i <= 2)
      mask += u"99";
    else
      mask += c == u'y' ? u"9999" : u"lll";
    i = end;
  }
  return mask + u";1; ";
}

}  // namespace

TcxFormatController::TcxFormatController() {
  if (!theController) theController = this;
  Refresh();
}

TcxFormatController::~TcxFormatController() {
  DestroyWindow();
  if (theController == this) {
    theController = nullptr;
    theControllerCreatedOnUse = false;
  }
}

void TcxFormatController::Refresh() {
  const TFormatSettings& settings = FormatSettings();
  const String number = CurrencyNumberFormat(settings);
  currencyDisplayFormat_ = Format(u"%s;-%s", {number, number});
  dateEditFormat_ = DoubleLoneDayAndMonth(settings.ShortDateFormat);
  dateDisplayFormat_ = CutLongMonth(dateEditFormat_);
  standardDateEditMask_ = StandardDateMask(settings.ShortDateFormat);
  regExprDateEditMask_ = cxGetRegExprDateEditMask(dateEditFormat_, true);
  const int firstDay = settings.FirstDayOfWeek + 1;  // the locale counts from Monday
  firstWeekDay_ = static_cast<Byte>(firstDay > 6 ? 0 : firstDay);
}

LRESULT TcxFormatController::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WININICHANGE && wParam == 0 && lParam != 0 &&
      String(reinterpret_cast<const char16_t*>(lParam)) == u"intl") {
    // The user may have switched the automatic update off: the program keeps the formats it started with.
    if (Application && !Application->UpdateFormatSettings()) return 0;
    // The platform's settings record is already the current one: nothing to re-read.
    Refresh();
    NotifyListeners();
  }
  return 0;
}

void TcxFormatController::AddListener(IcxFormatControllerListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
  if (listeners_.empty()) CreateWindow();
  listeners_.push_back(listener);
}

void TcxFormatController::RemoveListener(IcxFormatControllerListener* listener) {
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  listeners_.erase(it);
  if (listeners_.empty()) DestroyWindow();
}

void TcxFormatController::NotifyListeners() {
  // A listener may unregister itself or another one while being told.
  const std::vector<IcxFormatControllerListener*> snapshot = listeners_;
  for (IcxFormatControllerListener* listener : snapshot)
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
      listener->FormatChanged();
}

void TcxFormatController::CreateWindow() {
  window_ = AddFormatSettingsListener([this] {
    static const char16_t kSection[] = u"intl";
    WndProc(WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(kSection));
  });
}

void TcxFormatController::DestroyWindow() {
  if (window_ == 0) return;
  RemoveFormatSettingsListener(window_);
  window_ = 0;
}

TcxFormatController* GetFormatController() {
  if (!theController) {
    new TcxFormatController();  // registers itself as the global one
    theControllerCreatedOnUse = true;
  }
  return theController;
}

void FreeFormatController() {
  if (theControllerCreatedOnUse) delete theController;
}
