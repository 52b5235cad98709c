// Shared helpers of the foundation tests: a bitmap canvas with the fixed-metrics font (8 x 16 cells)
// and pixel probes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cx/foundation/cxGraphics.h"

class TTestCanvas {
 public:
  TTestCanvas(int AWidth, int AHeight, TColor ABackground = clWhite)
      : bitmap_(std::make_unique<TBitmap>()), background_(ABackground) {
    bitmap_->SetSize(AWidth, AHeight);
    Canvas()->Brush()->SetColor(ABackground);
    Canvas()->FillRect({0, 0, AWidth, AHeight});
    Canvas()->Font()->SetName(kFixedTestFontName);
    Canvas()->Font()->SetHeight(-16);
    Canvas()->Font()->SetColor(clBlack);
    cx_ = std::make_unique<TcxCanvas>(Canvas());
  }

  TCanvas* Canvas() { return bitmap_->Canvas(); }
  TcxCanvas* Cx() { return cx_.get(); }
  int Width() const { return bitmap_->Width(); }
  int Height() const { return bitmap_->Height(); }

  TColor Pixel(int X, int Y) { return Canvas()->Pixels(X, Y); }
  // The bounds of the pixels of a colour (of any colour but the background when AColor is clNone).
  RECT Bounds(TColor AColor = clNone) {
    RECT b{};
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) {
        const TColor c = Pixel(x, y);
        if (AColor == clNone ? c != ColorToRGB(background_) : c == ColorToRGB(AColor)) {
          RECT p{x, y, x + 1, y + 1};
          UnionRect(&b, &b, &p);
        }
      }
    return b;
  }
  int Count(TColor AColor) {
    int n = 0;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) n += Pixel(x, y) == ColorToRGB(AColor);
    return n;
  }

 private:
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TcxCanvas> cx_;
  TColor background_;
};

// The ink of the fixed font's boxes for ACells characters in ARows rows starting at cell (X, Y): each
// glyph is inked one pixel in from its cell's sides and from row 2 to row 12 of its 16.
inline RECT FixedFontInk(int X, int Y, int ACells, int ARows = 1) {
  return {X + 1, Y + 2, X + 8 * ACells - 1, Y + 16 * (ARows - 1) + 13};
}

inline std::ostream& operator<<(std::ostream& os, const RECT& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
