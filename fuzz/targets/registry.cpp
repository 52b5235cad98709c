// The registry store's file, holding the stored layouts of a tree list and of an inspector (with its
// row tree), read into both controls, which then paint.
#include "dx/treelist/dxTLControl.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzControls.h"
#include "platform/classes/RegistryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFuzzControlModules);
  TFuzzForm form;
  TCustomdxTreeListControl* grid = NewFuzzTreeList(form.get());
  TCustomdxInspectorControl* card = NewFuzzInspector(form.get());
  const TInputFile file(Data, Size, "registry");
  // The store reads its file afresh; nothing is written to the user's own.
  SetRegistryStoreFileName(file.Name());
  try {
    grid->LoadFromRegistry(u"\\Software\\Trenvik\\Grid");
    card->LoadFromRegistry(u"\\Software\\Trenvik\\Card");
  } catch (const Exception&) {
  }
  form.ShowAndPaint();
  return 0;
}
