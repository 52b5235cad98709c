// The tree list's stored layout in an INI file, read into a grid of three columns and a small tree,
// which then paints.
#include "dx/treelist/dxTLControl.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzControls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFuzzControlModules);
  TFuzzForm form;
  TCustomdxTreeListControl* grid = NewFuzzTreeList(form.get());
  const TInputFile file(Data, Size, "ini");
  try {
    grid->LoadFromIniFile(file.Name());
  } catch (const Exception&) {
  }
  form.ShowAndPaint();
  return 0;
}
