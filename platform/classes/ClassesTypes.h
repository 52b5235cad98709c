// Small enumerations the framework keeps with its component model, shared by fields and controls.
#pragma once

#include "platform/classes/TypInfo.h"

// Text alignment of fields and controls.
TRENVIK_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
