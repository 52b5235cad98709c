// A memory DC over a white 32-bit bitmap, and pixel probes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Gdi.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Fill(COLORREF c) {
    TSurface* s = BitmapSurface(bitmap_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) s->Row(y)[x] = ColorToPixel(c);
  }
  COLORREF At(int x, int y) const { return PixelToColor(BitmapSurface(bitmap_)->At(x, y)); }
  int Count(COLORREF c, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }
  int Count(COLORREF c) const { return Count(c, {0, 0, width_, height_}); }
  // Pixels differing from `background`, as a rectangle (empty when none).
  RECT InkBounds(COLORREF background = RGB(255, 255, 255)) const {
    RECT b{};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) != background) {
          RECT p{x, y, x + 1, y + 1};
          UnionRect(&b, &b, &p);
        }
    return b;
  }
  // One row as characters: '#' for `ink`, '.' otherwise (readable failure output).
  std::string Row(int y, COLORREF ink = RGB(0, 0, 0)) const {
    std::string s;
    for (int x = 0; x < width_; ++x) s += At(x, y) == ink ? '#' : '.';
    return s;
  }
  std::string Column(int x, COLORREF ink = RGB(0, 0, 0)) const {
    std::string s;
    for (int y = 0; y < height_; ++y) s += At(x, y) == ink ? '#' : '.';
    return s;
  }
  // A snapshot of all pixels, to compare before and after.
  std::vector<Pixel> Snapshot() const {
    std::vector<Pixel> v;
    const TSurface* s = BitmapSurface(bitmap_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) v.push_back(s->At(x, y) & 0xFFFFFF);
    return v;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// Selects an object for a scope and deletes it after.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
  ~Selected() {
    SelectObject(dc_, old_);
    DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ old_;
};

inline HFONT TestFont(int height = 0, LONG weight = FW_NORMAL) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  SetLogFontFaceName(lf, kFixedTestFontName);
  return CreateFontIndirect(&lf);
}
