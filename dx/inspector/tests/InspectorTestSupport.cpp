#include "dx/inspector/tests/InspectorTestSupport.h"

TRENVIK_IMPLEMENT_CLASS(TTestInspector)
