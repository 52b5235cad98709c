#include "dx/editors/dxEditorRoutines.h"

#include <cmath>

#include "dx/editors/dxCheckEdit.h"
#include "dx/editors/dxEditConsts.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Windows.h"

namespace {
SIZE g_checkSize{13, 13};
int g_initCount = 0;
std::array<String, 20> g_dateKeywords;
}  // namespace

const TDateTime dxOneSecond = 1.0 / (24 * 60 * 60);
const TDateTime dxOneMinute = 1.0 / (24 * 60);
const TDateTime dxOneHour = 1.0 / 24;
const TDateTime dxZeroTime = 0;
const TDateTime dxMaxTime = (23 * 3600 + 59 * 60 + 59) / 86400.0;

bool ScreenToWindowPoint(HWND Window, POINT& Point) {
  const bool ok = ScreenToClient(Window, &Point) != FALSE;
  RECT window;
  GetWindowRect(Window, &window);
  POINT origin{window.left, window.top};
  ScreenToClient(Window, &origin);  // the window's corner in client coordinates
  Point.x -= origin.x;
  Point.y -= origin.y;
  return ok;
}

int TruncWithTolerance(TDateTime Date) {
  return static_cast<int>(Date >= 0 ? std::trunc(Date + 1e-11) : std::trunc(Date - 1e-11));
}

TDateTime GetTimePart(TDateTime Date) {
  Word h, m, s, ms;
  DecodeTime(Date, h, m, s, ms);
  return EncodeTime(h, m, s, ms);
}

String GetDefaultCurrencyDisplayFormat() {
  const String positive = CurrencyFormatPicture(FormatSettings());
  return positive + u";-" + positive;
}

SIZE dxDefaultCheckSize() { return g_checkSize; }

const std::array<String, 20>& DateKeywords() { return g_dateKeywords; }

void InitEditorRoutinesModule() {
  if (g_initCount++ > 0) return;
  HBITMAP boxes = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  BITMAP info{};
  if (boxes && GetObject(boxes, sizeof(info), &info)) g_checkSize = SIZE{info.bmWidth / 4, info.bmHeight / 3};
  if (boxes) DeleteObject(boxes);
  // The system's hand stands for the program's own hand-shaped link cursor.
  Screen->SetCursors(crdxHandPoint, LoadCursor(nullptr, IDC_HAND));
  for (int i = 0; i < 20; ++i) g_dateKeywords[static_cast<size_t>(i)] = LoadResString(dxSDateKeywordFirst + i);
  InitDefaultCheckEditStyleController();
}

void FinalizeEditorRoutinesModule() {
  if (--g_initCount > 0) return;
  FinalizeDefaultCheckEditStyleController();
  g_dateKeywords.fill(String());
  if (Screen) Screen->SetCursors(crdxHandPoint, nullptr);
}
