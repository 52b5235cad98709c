// Parts, states and properties of the visual-style classes the painters draw.
#pragma once

#include "platform/gdi/UxTheme.h"
#include "platform/gdi/VsStyle.h"
