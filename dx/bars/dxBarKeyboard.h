// The library's keyboard procedure as a window item's edit calls it directly for a system key.
#pragma once

#include "platform/rtl/WinDef.h"

// Runs what the key means to the bars (the main menu for a whole Alt press, an accelerator, a
// shortcut) without the next hook being called; true when it acted on the key. ArmAlt makes the
// coming Alt key-up count as a whole Alt press.
bool CallBarKeyboardProcDirectly(WPARAM Key, LPARAM KeyData, bool ArmAlt);
