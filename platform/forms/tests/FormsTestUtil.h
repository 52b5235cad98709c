// Shared helpers of the graphics tests: bitmaps to draw on, pixel probes, the test data folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/forms/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObject.h"
#include "platform/rtl/String.h"

inline String TestData(const char* name) {
  return Utf8ToString(std::string(TRENVIK_TEST_DATA_DIR) + "/" + name);
}

// A bitmap of the size filled with one colour.
inline std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color = clWhite) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(width, height);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(RECT{0, 0, width, height});
  return b;
}

// The RGB colour of a bitmap pixel (read from its memory, not through a canvas).
inline TColor PixelAt(TBitmap& b, int x, int y) {
  return static_cast<TColor>(PixelToColor(b.ScanLine(y)[x]));
}

// Sets the canvas font to the fixed-metrics test font: every glyph is |height| / 2 wide.
inline void UseTestFont(TCanvas* c, int height = -16) {
  c->Font()->SetName(kFixedTestFontName);
  c->Font()->SetHeight(height);
}

inline std::vector<Byte> StreamBytes(TMemoryStream& s) {
  const Byte* p = static_cast<const Byte*>(s.Memory());
  return std::vector<Byte>(p, p + s.Size());
}
