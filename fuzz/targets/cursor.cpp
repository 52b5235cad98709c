// Cursor files as the resource loader reads them.
#include "fuzz/FuzzSupport.h"
#include "platform/win/Cursors.h"

void RegisterWinModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterWinModules);
  const TInputFile file(Data, Size, "cur");
  if (HCURSOR cursor = LoadCursorFromFile(file.Name().c_str())) DestroyCursor(cursor);
  return 0;
}
