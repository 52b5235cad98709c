// The controls whose stored layouts are read: made on a fuzz form, owned and freed by it.
#pragma once

#include "dx/inspector/dxInspctControl.h"
#include "dx/treelist/dxTLControl.h"

// The tree list's and the inspector's modules, for StartFuzzing.
void RegisterFuzzControlModules();
// Grid1: three columns (Grid1Column1..3) and a tree of a parent, its child and a second root.
TCustomdxTreeListControl* NewFuzzTreeList(TWinControl* Form);
// Card: text rows a, b, c and a category row cat holding c.
TCustomdxInspectorControl* NewFuzzInspector(TWinControl* Form);
