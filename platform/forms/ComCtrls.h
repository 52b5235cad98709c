// The common controls of the framework: page controls and tab sheets, bevels, bitmap buttons, combo boxes, list
// views, date and time pickers, animations, the tree view, the status, tool and cool bars, and their start-up.
#pragma once

#include "platform/forms/Animate.h"
#include "platform/forms/Bars.h"
#include "platform/forms/Bevel.h"
#include "platform/forms/BitBtn.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/ListView.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/TreeView.h"

// Registers the start-up that puts the common controls in the class registry for form resources
// (FormsModules.cpp calls it).
void RegisterComCtrlsModules();
