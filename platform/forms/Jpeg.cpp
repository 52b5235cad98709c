#include "platform/forms/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "platform/forms/FormsModules.h"
#include "platform/forms/Picture.h"
#include "platform/gdi/BmpFormat.h"
#include "platform/gdi/Objects.h"
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
  if (Int64(out->width) * out->height > kMaxDibPixels) {
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

bool IsJpeg(TStream* Stream) { return TJPEGImage::IsJpegStream(Stream); }

}  // namespace

void InitJpegModule() {
  TPicture::RegisterFileFormat(u"jpeg", u"JPEG Image File", TJPEGImage::StaticClass());
  TPicture::RegisterFileFormat(u"jpg", u"JPEG Image File", TJPEGImage::StaticClass());
  TPicture::RegisterStreamFormat(TJPEGImage::StaticClass(), IsJpeg);
}

void FinalizeJpegModule() { TPicture::UnregisterGraphicClass(TJPEGImage::StaticClass()); }

TRENVIK_IMPLEMENT_CLASS(TJPEGImage)

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::IsJpegStream(TStream* Stream) {
  Byte b[3];
  const Int64 at = Stream->Position();
  const Int64 got = Stream->Read(b, 3);
  Stream->SetPosition(at);
  return got == 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF;
}

void TJPEGImage::SetWidth(int Value) {
  if (Value != width_) throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int Value) {
  if (Value != height_) throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(TJPEGQualityRange Value) {
  quality_ = Value < 1 ? 1 : Value > 100 ? 100 : Value;
}

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == grayscale_) return;
  grayscale_ = Value;
  // The image is decoded again in the new colours.
  if (!data_.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::FreeBitmap() { bitmap_.reset(); }

void TJPEGImage::SetData(std::vector<Byte> Data) {
  ErrorManager errors;
  Decoded header;
  if (!Data.empty() && !Decode(Data.data(), Data.size(), grayscale_, true, &header, &errors))
    JpegError(errors.code);
  data_ = std::move(Data);
  width_ = header.width;
  height_ = header.height;
  FreeBitmap();
}

void TJPEGImage::DIBNeeded() {
  if (bitmap_ || data_.empty()) return;
  ErrorManager errors;
  Decoded image;
  if (!Decode(data_.data(), data_.size(), grayscale_, false, &image, &errors)) JpegError(errors.code);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetPixels(image.width, image.height, image.pixels.data());
  bitmap_ = std::move(bitmap);
}

TBitmap* TJPEGImage::Bitmap() {
  DIBNeeded();
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TJPEGImage::Compress() {
  if (!bitmap_ || bitmap_->Empty()) return;
  TSurface* surface = BitmapSurface(bitmap_->Handle());
  ErrorManager errors;
  Encoded out;
  const bool ok = Encode(*surface, quality_, grayscale_, &out, &errors);
  std::vector<Byte> data;
  if (ok) data.assign(out.buffer, out.buffer + out.size);
  std::free(out.buffer);
  if (!ok) JpegError(errors.code);
  data_ = std::move(data);
}

void TJPEGImage::JPEGNeeded() {
  if (data_.empty()) Compress();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    data_.clear();
    FreeBitmap();
    width_ = height_ = 0;
    Changed(this);
    return;
  }
  if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
    data_ = j->data_;
    width_ = j->width_;
    height_ = j->height_;
    quality_ = j->quality_;
    grayscale_ = j->grayscale_;
    FreeBitmap();
    if (j->bitmap_) {
      bitmap_ = std::make_unique<TBitmap>();
      bitmap_->Assign(j->bitmap_.get());
    }
    Changed(this);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(g);
    data_.clear();
    width_ = bitmap->Width();
    height_ = bitmap->Height();
    bitmap_ = std::move(bitmap);
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
    DIBNeeded();
    if (bitmap_)
      b->Assign(bitmap_.get());
    else
      b->Assign(nullptr);
    return;
  }
  inherited::AssignTo(Dest);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const RECT& Rect) {
  DIBNeeded();
  if (bitmap_) ACanvas->StretchDraw(Rect, bitmap_.get());
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  const Int64 size = Stream->Size() - Stream->Position();
  std::vector<Byte> data(static_cast<size_t>(size > 0 ? size : 0));
  if (size > 0) Stream->ReadBuffer(data.data(), size);
  SetData(std::move(data));
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  JPEGNeeded();
  if (!data_.empty()) Stream->WriteBuffer(data_.data(), static_cast<Int64>(data_.size()));
}

void TJPEGImage::ReadData(TStream* Stream) {
  Integer size = 0;
  Stream->ReadBuffer(&size, 4);
  if (size < 0 || size > Stream->Size() - Stream->Position())
    throw EInvalidGraphic("JPEG error #" + std::to_string(JERR_INPUT_EOF));
  std::vector<Byte> data(static_cast<size_t>(size));
  if (size > 0) Stream->ReadBuffer(data.data(), size);
  SetData(std::move(data));
  Changed(this);
}

void TJPEGImage::WriteData(TStream* Stream) {
  JPEGNeeded();
  const Integer size = static_cast<Integer>(data_.size());
  Stream->WriteBuffer(&size, 4);
  if (size > 0) Stream->WriteBuffer(data_.data(), size);
}

void TJPEGImage::LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) {
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(AFormat, AData);
  Assign(&bitmap);
}

void TJPEGImage::SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) {
  DIBNeeded();
  AFormat = CF_BITMAP;
  AData.clear();
  if (bitmap_) bitmap_->SaveToClipboardFormat(AFormat, AData);
}
