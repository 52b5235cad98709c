// Start-up of the framework's data-aware controls.
#pragma once

void RegisterDbCtrlsModules();
