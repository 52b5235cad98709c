// The inspector's row-tree stream applied to an inspector with a few rows, which then paints.
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzControls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFuzzControlModules);
  TFuzzForm form;
  TCustomdxInspectorControl* card = NewFuzzInspector(form.get());
  TCustomMemoryStream stream(Data, static_cast<Int64>(Size));
  try {
    card->ReadPendingRowTree(&stream);
    card->ReadRowTree();
  } catch (const Exception&) {
    card->FreePendingRowTree();
  }
  form.ShowAndPaint();
  return 0;
}
