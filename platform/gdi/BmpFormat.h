// The device-independent bitmap layout of BMP files, icons and clipboard bitmaps: reading 1, 4, 8,
// 16, 24 and 32 bits per pixel, writing 1, 24 and 32.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

struct TDibImage {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  // Top-down rows of 0xAARRGGBB; alpha is the file's for 32 bits per pixel, 0xFF otherwise.
  std::vector<Pixel> Pixels;
  // Icons: the AND mask, one entry per pixel, true where the pixel is transparent.
  std::vector<bool> Mask;
};

// Larger images are refused as not valid, before anything is allocated.
constexpr Int64 kMaxDibPixels = Int64(1) << 28;

// A DIB (info header, colour table, bits) from memory. `icon`: the height counts the colour rows and
// the AND-mask rows that follow them. Raises EInvalidGraphic "Bitmap image is not valid".
TDibImage DecodeDib(const Byte* Data, size_t Size, bool Icon = false);
// A BMP file from the stream's position; reads the file's bytes and no more.
TDibImage ReadBmpFile(TStream* Stream);
// A DIB of top-down pixels: 1 (black and white), 24 or 32 bits per pixel, bottom-up rows. With a
// mask (icons) the height is doubled and the AND mask follows the colour rows.
std::vector<Byte> EncodeDib(const Pixel* Pixels, int Width, int Height, int BitCount,
                            const std::vector<bool>* Mask = nullptr);
void WriteBmpFile(TStream* Stream, const Pixel* Pixels, int Width, int Height, int BitCount);
