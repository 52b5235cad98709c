// The inspector's stored layout in an INI file (sizes, categories, rows), read into an inspector
// with a few rows, which then paints.
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzControls.h"
#include "platform/classes/IniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFuzzControlModules);
  TFuzzForm form;
  TCustomdxInspectorControl* card = NewFuzzInspector(form.get());
  const TInputFile file(Data, Size, "ini");
  try {
    TMemIniFile ini(file.Name());
    card->LoadFromRegIni(&ini, u"Card");
  } catch (const Exception&) {
  }
  form.ShowAndPaint();
  return 0;
}
