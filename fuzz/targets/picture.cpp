// Pictures as a picture holder loads them (bitmaps, icons, JPEG, metafiles by their first bytes),
// drawn stretched onto a small bitmap.
#include "fuzz/FuzzSupport.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/Picture.h"

void RegisterFormsModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterFormsModules);
  TCustomMemoryStream stream(Data, static_cast<Int64>(Size));
  TPicture picture;
  try {
    picture.LoadFromStream(&stream);
    if (TGraphic* graphic = picture.Graphic()) {
      TBitmap target;
      target.SetSize(96, 64);
      target.Canvas()->StretchDraw(RECT{0, 0, 96, 64}, graphic);
    }
  } catch (const Exception&) {
  }
  return 0;
}
