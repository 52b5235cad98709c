// Where an editor takes its value from: the value, the display text or (datasets) the key. Shared by
// the data controllers and the editors' properties.
#pragma once

#include "platform/classes/TypInfo.h"

TRENVIK_ENUM(TcxEditValueSource, evsValue, evsText, evsKey);
