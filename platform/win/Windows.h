// The window system: everything the component code includes for windows, messages and input.
#pragma once

#include "platform/win/Caret.h"
#include "platform/win/Clipboard.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/Cursors.h"
#include "platform/win/DialogKeys.h"
#include "platform/win/Focus.h"
#include "platform/win/Help.h"
#include "platform/win/Hooks.h"
#include "platform/win/Input.h"
#include "platform/win/Menus.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"
#include "platform/win/Metrics.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBars.h"
#include "platform/win/Sound.h"
#include "platform/win/Shell.h"
#include "platform/win/SysColors.h"
#include "platform/win/Timers.h"
#include "platform/win/WindowTree.h"

void RegisterWinModules();
