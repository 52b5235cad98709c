// Test support of the picture editors: picture values and pixel counts as the screen shows them.
#pragma once

#include "platform/forms/PictureValues.h"
#include "platform/forms/Graphic.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

// A picture value as a BLOB field holds it: the bare stream of a bitmap of one colour.
inline Variant BitmapValue(int Width, int Height, TColor Color) {
  TPicture picture;
  TBitmap* b = picture.Bitmap();
  b->SetSize(Width, Height);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(RECT{0, 0, Width, Height});
  return VarFromAnsiString(SavePictureToString(&picture));
}

inline int CountScreenPixels(const RECT& ScreenRect, TColor Color) {
  HDC dc = GetDC(nullptr);
  int n = 0;
  for (int y = ScreenRect.top; y < ScreenRect.bottom; ++y)
    for (int x = ScreenRect.left; x < ScreenRect.right; ++x)
      n += GetPixel(dc, x, y) == static_cast<COLORREF>(ColorToRGB(Color));
  ReleaseDC(nullptr, dc);
  return n;
}

// A client rectangle of a window.
inline int CountClientPixels(HWND Window, RECT Rect, TColor Color) {
  POINT origin{0, 0};
  ClientToScreen(Window, &origin);
  OffsetRect(&Rect, origin.x, origin.y);
  return CountScreenPixels(Rect, Color);
}
