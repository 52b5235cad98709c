#include "dx/treelist/tests/dxTreeListTestSupport.h"

TRENVIK_IMPLEMENT_CLASS(TTestTreeList)
