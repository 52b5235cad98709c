// Metafiles (enhanced and placeable) played into a bitmap, at a small and at a screen-sized scale.
#include "fuzz/FuzzSupport.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/Metafile.h"

void RegisterFormsModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFormsModules);
  TCustomMemoryStream stream(Data, static_cast<Int64>(Size));
  TMetafile metafile;
  try {
    metafile.LoadFromStream(&stream);
    TBitmap target;
    target.SetSize(640, 480);
    target.Canvas()->StretchDraw(RECT{0, 0, 64, 48}, &metafile);
    target.Canvas()->StretchDraw(RECT{0, 0, 640, 480}, &metafile);
  } catch (const Exception&) {
  }
  return 0;
}
