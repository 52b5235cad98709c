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

// The most pixels a JPEG picture may declare (4096 x 4096): a few hundred bytes can declare a
// picture whose decoding takes seconds and gigabytes, so larger ones are refused from the header.
constexpr Int64 kMaxJpegPixels = Int64(4096) * 4096;

// Raises EInvalidGraphic "JPEG error #<libjpeg's code>", or "JPEG image is too large (W x H
// pixels, at most 16777216)" from the header (also when only the header is read).
TJpegPixels DecodeJpeg(const Byte* Data, size_t Size, bool Grayscale, bool HeaderOnly);
std::vector<Byte> EncodeJpeg(const TSurface& Surface, int Quality, bool Grayscale);
// Raises the error libjpeg gives for data that ends too soon.
[[noreturn]] void RaiseTruncatedJpeg();
