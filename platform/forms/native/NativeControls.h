// The native window classes the layer offers to the framework and the components: "EDIT",
// "RichEdit20A", "STATIC", "BUTTON", "LISTBOX", "COMBOBOX", "SysMonthCal32" and "SysTreeView32".
#pragma once

#include "platform/forms/native/ButtonControls.h"
#include "platform/forms/native/ComboBoxControls.h"
#include "platform/forms/native/EditControls.h"
#include "platform/forms/native/ListBoxControls.h"
#include "platform/forms/native/MonthCalControls.h"
#include "platform/forms/native/Notify.h"
#include "platform/forms/native/StaticControls.h"
#include "platform/forms/native/TreeViewControls.h"

// Registers the classes with the window system (module start-up) and removes them (shut-down).
void InitNativeControls();
void FinalizeNativeControls();
