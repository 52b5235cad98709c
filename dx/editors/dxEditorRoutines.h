// Free routines and unit-wide values the editors share: a screen-to-window point conversion, two
// date routines, the default currency display format, the default check-box size and time constants.
#pragma once

#include <array>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// Screen point to coordinates relative to the window's top-left corner (non-client area included);
// the answer is the client conversion's success.
bool ScreenToWindowPoint(HWND Window, POINT& Point);
// The whole-day part of a date after adding 1e-11 in the direction of its sign.
int TruncWithTolerance(TDateTime Date);
// The time of day of a date, always between 0 and 1 (also before day 0).
TDateTime GetTimePart(TDateTime Date);
String GetDefaultCurrencyDisplayFormat();

// The size of one system check-box picture (made at start-up).
SIZE dxDefaultCheckSize();

// The hand cursor of links, in the screen's cursor table.
constexpr int crdxHandPoint = -1140;
// The date keywords ("TODAY" .. "NOW", string ids 38928 to 38947) in table order.
const std::array<String, 20>& DateKeywords();

extern const TDateTime dxOneSecond;
extern const TDateTime dxOneMinute;
extern const TDateTime dxOneHour;
extern const TDateTime dxZeroTime;
extern const TDateTime dxMaxTime;

void InitEditorRoutinesModule();
void FinalizeEditorRoutinesModule();
