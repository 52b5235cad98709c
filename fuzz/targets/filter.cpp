// The cx filter-criteria stream: read, its texts built, a record tested against it, written back.
#include "cx/data/tests/FilterFixture.h"
#include "fuzz/FuzzSupport.h"

void RegisterCxDataModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterCxDataModules);
  TTestCriteria criteria;
  criteria.SetRecord(criteria.Age(), Variant(42));
  criteria.SetRecord(criteria.Name(), Variant(String(u"Иванов")));
  TCustomMemoryStream stream(Data, static_cast<Int64>(Size));
  try {
    criteria.ReadData(&stream);
  } catch (const Exception&) {
  }
  try {
    String text;
    criteria.BuildFilterText(true, text);
    criteria.BuildFilterText(false, text);
    criteria.Satisfies();
    TMemoryStream written;
    criteria.WriteData(&written);
  } catch (const Exception&) {
  }
  return 0;
}
