// Start-up of the forms library and the routines of its modules.
#pragma once

void RegisterFormsModules();
// The common controls (tree view).
void RegisterComCtrlsModules();

// Graphic classes and file formats (bitmap, icon, metafiles), the picture clipboard format.
void InitGraphicsModule();
void FinalizeGraphicsModule();
// The JPEG file formats.
void InitJpegModule();
void FinalizeJpegModule();
