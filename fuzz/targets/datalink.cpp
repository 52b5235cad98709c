// Data-link files: the connection string read, parsed, built again; the built string must parse to
// the same items (a value must not lose what the parser would trim).
#include <cstdlib>

#include "fuzz/FuzzSupport.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/DataLinkFile.h"

void RegisterAdoModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterAdoModules);
  const TInputFile file(Data, Size, "udl");
  String text;
  try {
    text = ReadDataLinkFile(file.Name());
  } catch (const EADOError&) {
    return 0;
  }
  const TConnectionStringItems items = ParseConnectionString(text);
  if (ParseConnectionString(BuildConnectionString(items)) != items) std::abort();
  return 0;
}
