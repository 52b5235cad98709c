// Form files: a form text read into the main window, then freed. Every component class of the
// program and of both libraries can be read (the dx inspector's and the cx editors' too).
#include <memory>

#include "app/Main.h"
#include "fuzz/FuzzSupport.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"

void RegisterAppModules();
void RegisterDxInspectorModules();
void RegisterCxEditorsModules();

namespace {

void RegisterFormReaderModules() {
  RegisterAppModules();
  RegisterDxInspectorModules();
  RegisterCxEditorsModules();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFormReaderModules);
  TMemoryStream text;
  text.WriteBuffer(Data, static_cast<Int64>(Size));
  text.SetPosition(0);
  std::unique_ptr<TMainForm> form(new TMainForm(nullptr));
  try {
    TMemoryStream binary;
    ObjectTextToBinary(&text, &binary);
    binary.SetPosition(0);
    ReadComponent(&binary, form.get());
  } catch (const Exception&) {
  }
  return 0;
}
