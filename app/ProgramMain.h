// The program's entry: the application object, its windows in their order, the message loop.
#pragma once

void ProgramMain();

// Form resources lie in the "forms" folder of the resource folder.
void UseFormResourceFolder();

void RegisterAppModules();
