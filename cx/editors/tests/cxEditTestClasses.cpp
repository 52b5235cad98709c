#include "cx/editors/tests/cxEditTestUtil.h"

TRENVIK_IMPLEMENT_CLASS(TTestEditProperties)
TRENVIK_IMPLEMENT_CLASS(TTestEditDataBinding)
TRENVIK_IMPLEMENT_CLASS(TTestEdit)
