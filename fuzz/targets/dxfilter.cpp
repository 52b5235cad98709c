// The data-aware grid's filter-criteria stream: read, its texts built, evaluated, written back.
#include "dx/dbgrid/dxGrFltr.h"
#include "fuzz/FuzzSupport.h"

void RegisterDxDbGridModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterDxDbGridModules);
  TdxDBGridCriteria criteria(nullptr);
  criteria.SetCaseInsensitive(true);
  TCustomMemoryStream stream(Data, static_cast<Int64>(Size));
  try {
    criteria.LoadFromStream(&stream);
  } catch (const Exception&) {
  }
  try {
    criteria.LinkItems();
    criteria.GetDisplayText();
    criteria.GetFilterText();
    criteria.Evaluate(nullptr);
    TMemoryStream written;
    criteria.SaveToStream(&written);
  } catch (const Exception&) {
  }
  return 0;
}
