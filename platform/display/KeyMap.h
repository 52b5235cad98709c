// Internal: desktop keys to the platform's virtual keys.
#pragma once

#include <SDL.h>

#include "platform/rtl/WinDef.h"

// The virtual key of a physical key (0 when it has none); the keypad's digits move the caret while
// Num Lock is off.
UINT VirtualKeyOf(SDL_Scancode scancode, bool numLock);
// Whether the key types text (its characters arrive as text input instead).
bool TypesText(SDL_Scancode scancode, bool numLock);
