// The test controls' classes.
#include "platform/forms/tests/FormsTestSupport.h"

TRENVIK_IMPLEMENT_CLASS(TTestPanel)
TRENVIK_IMPLEMENT_CLASS(TTestBox)
TRENVIK_IMPLEMENT_CLASS(TTestShape)

TRENVIK_MESSAGE_MAP(TTestBox) { M.On(WM_GETDLGCODE, &TTestBox::WMGetDlgCode); }

void RegisterTestControls() {
  RegisterClasses({TTestPanel::StaticClass(), TTestBox::StaticClass(), TTestShape::StaticClass()});
}
