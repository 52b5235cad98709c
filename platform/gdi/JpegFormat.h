// JPEG files through libjpeg: decoding to top-down pixels and encoding a surface.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"

struct TJpegPixels {
  int Width = 0;
  int Height = 0;
  // Top-down rows of opaque 0xFFRRGGBB; empty when only the header was read.
  std::vector<Pixel> Pixels;
};

// Raises EInvalidGraphic "JPEG error #<libjpeg's code>"; images above kMaxDibPixels are refused
// before their pixels are allocated.
TJpegPixels DecodeJpeg(const Byte* Data, size_t Size, bool Grayscale, bool HeaderOnly);
std::vector<Byte> EncodeJpeg(const TSurface& Surface, int Quality, bool Grayscale);
// Raises the error libjpeg gives for data that ends too soon.
[[noreturn]] void RaiseTruncatedJpeg();
