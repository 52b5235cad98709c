// A 32-bit pixel surface: the screen's framebuffer, a bitmap's pixels or a DIB section's bits.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/rtl/WinDef.h"

// A pixel is 0xAARRGGBB in a 32-bit word (bytes B, G, R, A in memory, as a 32-bit DIB). Device
// surfaces ignore alpha; drawing writes 0xFF there. Only AlphaBlend with source alpha and layered
// composition read it.
using Pixel = std::uint32_t;

constexpr Pixel ColorToPixel(COLORREF c) {
  return 0xFF000000u | (static_cast<Pixel>(GetRValue(c)) << 16) | (static_cast<Pixel>(GetGValue(c)) << 8) |
         static_cast<Pixel>(GetBValue(c));
}
constexpr COLORREF PixelToColor(Pixel p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

class TSurface {
 public:
  // Owns its pixels, filled with `fill`.
  TSurface(int width, int height, Pixel fill = 0xFF000000u);
  // Over pixels owned by the caller (a DIB section's bits); `stride` counts pixels per row.
  TSurface(int width, int height, Pixel* pixels, int stride);
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  RECT Bounds() const { return {0, 0, width_, height_}; }
  Pixel* Row(int y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
  const Pixel* Row(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  Pixel* Pixels() { return pixels_; }

  // Owned surfaces only: the new size keeps the pixels of the overlap; new pixels get `fill`.
  void Resize(int width, int height, Pixel fill = 0xFF000000u);
  // Monochrome bitmaps keep only black and white pixels.
  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool m) { monochrome_ = m; }

  // Damage: the parts changed since the last TakeDamage(); a display back end presents them. When
  // tracking is on (the screen), every drawing call on a device context over this surface adds what
  // it touched; Resize damages everything.
  void SetTrackDamage(bool on) { trackDamage_ = on; }
  bool TrackDamage() const { return trackDamage_; }
  void AddDamage(const RECT& r);
  void AddDamageAll() { AddDamage(Bounds()); }
  bool HasDamage() const { return !damage_.empty(); }
  GdiRegion TakeDamage();

 private:
  int width_;
  int height_;
  int stride_;
  Pixel* pixels_;
  std::vector<Pixel> owned_;
  bool ownsPixels_;
  bool monochrome_ = false;
  bool trackDamage_ = false;
  std::vector<RECT> damage_;
};
