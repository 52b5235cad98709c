#include "platform/forms/Jpeg.h"

#include "platform/forms/FormsModules.h"
#include "platform/forms/Picture.h"
#include "platform/gdi/JpegFormat.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"

namespace {

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
  TJpegPixels header;
  if (!Data.empty()) header = DecodeJpeg(Data.data(), Data.size(), grayscale_, true);
  data_ = std::move(Data);
  width_ = header.Width;
  height_ = header.Height;
  FreeBitmap();
}

void TJPEGImage::DIBNeeded() {
  if (bitmap_ || data_.empty()) return;
  const TJpegPixels image = DecodeJpeg(data_.data(), data_.size(), grayscale_, false);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetPixels(image.Width, image.Height, image.Pixels.data());
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
  data_ = EncodeJpeg(*surface, quality_, grayscale_);
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
  if (size < 0 || size > Stream->Size() - Stream->Position()) RaiseTruncatedJpeg();
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
