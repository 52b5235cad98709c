#include "platform/gdi/Png.h"

#include <png.h>

#include <cstring>
#include <vector>

// libpng's simplified interface: no long jumps through our frames.

bool WritePng(const TSurface& surface, const RECT& area, const std::string& path) {
  RECT r = area, b = surface.Bounds();
  if (!IntersectRect(&r, &r, &b)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<png_byte> rgb(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const Pixel* in = surface.Row(r.top + y) + r.left;
    png_byte* out = rgb.data() + static_cast<std::size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x) {
      out[x * 3] = (in[x] >> 16) & 0xFF;
      out[x * 3 + 1] = (in[x] >> 8) & 0xFF;
      out[x * 3 + 2] = in[x] & 0xFF;
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_RGB;
  const bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), w * 3, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

std::unique_ptr<TSurface> ReadPng(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return nullptr;
  image.format = PNG_FORMAT_BGRA;  // bytes B, G, R, A: a Pixel in memory
  auto s = std::make_unique<TSurface>(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, s->Pixels(), s->Stride() * 4, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  return s;
}
