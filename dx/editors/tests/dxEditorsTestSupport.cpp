#include "dx/editors/tests/dxEditorsTestSupport.h"

TRENVIK_IMPLEMENT_CLASS(TTestContainer)
