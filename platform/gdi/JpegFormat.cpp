#include "platform/gdi/JpegFormat.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/gdi/BmpFormat.h"
#include "platform/rtl/Exceptions.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  int code = 0;
};

void ErrorExit(j_common_ptr info) {
  auto* e = reinterpret_cast<ErrorManager*>(info->err);
  e->code = info->err->msg_code;
  std::longjmp(e->jump, 1);
}

// Warnings (a truncated scan, say) are not printed; the image is decoded as far as it goes.
void OutputMessage(j_common_ptr) {}

ErrorManager* InitErrors(ErrorManager* e) {
  jpeg_std_error(&e->pub);
  e->pub.error_exit = ErrorExit;
  e->pub.output_message = OutputMessage;
  return e;
}

[[noreturn]] void JpegError(int code) { throw EInvalidGraphic("JPEG error #" + std::to_string(code)); }

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;
  std::vector<JSAMPLE> row;
};

// No C++ object with a destructor lives in this frame: a libjpeg error jumps back into it.
bool Decode(const Byte* data, size_t size, bool grayscale, bool headerOnly, Decoded* out,
            ErrorManager* errors) {
  jpeg_decompress_struct info{};
  info.err = &InitErrors(errors)->pub;
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  out->width = static_cast<int>(info.image_width);
  out->height = static_cast<int>(info.image_height);
  if (Int64(out->width) * out->height > kMaxJpegPixels) {
    errors->code = JERR_IMAGE_TOO_BIG;
    jpeg_destroy_decompress(&info);
    return false;
  }
  if (!headerOnly) {
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    const int channels = info.output_components;
    out->pixels.resize(static_cast<size_t>(out->width) * out->height);
    out->row.resize(static_cast<size_t>(out->width) * channels);
    while (info.output_scanline < info.output_height) {
      const int y = static_cast<int>(info.output_scanline);
      JSAMPROW row = out->row.data();
      jpeg_read_scanlines(&info, &row, 1);
      Pixel* dst = out->pixels.data() + static_cast<size_t>(y) * out->width;
      for (int x = 0; x < out->width; ++x) {
        const JSAMPLE* s = row + x * channels;
        Pixel r, g, b;
        if (channels == 1) {
          r = g = b = s[0];
        } else if (channels == 4) {  // Adobe CMYK is stored inverted
          r = s[0] * s[3] / 255;
          g = s[1] * s[3] / 255;
          b = s[2] * s[3] / 255;
          if (grayscale) r = g = b = (r * 30 + g * 59 + b * 11) / 100;
        } else {
          r = s[0];
          g = s[1];
          b = s[2];
        }
        dst[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
      }
    }
    jpeg_finish_decompress(&info);
  }
  jpeg_destroy_decompress(&info);
  return true;
}

struct Encoded {
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row;
};

bool Encode(const TSurface& surface, int quality, bool grayscale, Encoded* out, ErrorManager* errors) {
  jpeg_compress_struct info{};
  info.err = &InitErrors(errors)->pub;
  if (setjmp(errors->jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &out->buffer, &out->size);
  info.image_width = static_cast<JDIMENSION>(surface.Width());
  info.image_height = static_cast<JDIMENSION>(surface.Height());
  info.input_components = grayscale ? 1 : 3;
  info.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  out->row.resize(static_cast<size_t>(surface.Width()) * info.input_components);
  while (info.next_scanline < info.image_height) {
    const Pixel* src = surface.Row(static_cast<int>(info.next_scanline));
    for (int x = 0; x < surface.Width(); ++x) {
      const int r = (src[x] >> 16) & 0xFF, g = (src[x] >> 8) & 0xFF, b = src[x] & 0xFF;
      if (grayscale) {
        out->row[x] = static_cast<JSAMPLE>((r * 30 + g * 59 + b * 11) / 100);
      } else {
        out->row[3 * x] = static_cast<JSAMPLE>(r);
        out->row[3 * x + 1] = static_cast<JSAMPLE>(g);
        out->row[3 * x + 2] = static_cast<JSAMPLE>(b);
      }
    }
    JSAMPROW row = out->row.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

TJpegPixels DecodeJpeg(const Byte* Data, size_t Size, bool Grayscale, bool HeaderOnly) {
  ErrorManager errors;
  Decoded image;
  if (!Decode(Data, Size, Grayscale, HeaderOnly, &image, &errors)) {
    if (errors.code == JERR_IMAGE_TOO_BIG)
      throw EInvalidGraphic("JPEG image is too large (" + std::to_string(image.width) + " x " +
                            std::to_string(image.height) + " pixels, at most " +
                            std::to_string(kMaxJpegPixels) + ")");
    JpegError(errors.code);
  }
  return TJpegPixels{image.width, image.height, std::move(image.pixels)};
}

std::vector<Byte> EncodeJpeg(const TSurface& Surface, int Quality, bool Grayscale) {
  ErrorManager errors;
  Encoded out;
  const bool ok = Encode(Surface, Quality, Grayscale, &out, &errors);
  // libjpeg's buffer is malloc'ed: freed whichever way the encoding went.
  std::unique_ptr<unsigned char, decltype(&std::free)> buffer(out.buffer, &std::free);
  if (!ok) JpegError(errors.code);
  return std::vector<Byte>(out.buffer, out.buffer + out.size);
}

void RaiseTruncatedJpeg() { JpegError(JERR_INPUT_EOF); }
