// The main window's action pictures, drawn by the program itself: navigation, refresh, add,
// delete, card, print, duplicates, set and remove filter (in that order of image indexes).
#pragma once

class TCustomImageList;

void FillMainWindowGlyphs(TCustomImageList* Images);
