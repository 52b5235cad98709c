// JPEG pictures through libjpeg: the compressed bytes and, on demand, the decoded bitmap.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Graphic.h"

TRENVIK_ENUM(TJPEGPixelFormat, jf24Bit, jf8Bit);

using TJPEGQualityRange = Integer;  // 1..100

class TJPEGImage : public TGraphic {
  TRENVIK_CLASS(TJPEGImage, TGraphic);

 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // From a JPEG image: its bytes and settings; from a bitmap: its pixels, compressed when the
  // bytes are needed; from nullptr: empty. Other graphics are drawn on a bitmap first.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return data_.empty() && !bitmap_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // The size comes with the image: EInvalidGraphicOperation "Cannot change the size of a JPEG image".
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  // 1..100 (default 90); used by the next compression.
  TJPEGQualityRange CompressionQuality() const { return quality_; }
  void SetCompressionQuality(TJPEGQualityRange Value);
  // Decodes (and compresses) in shades of gray.
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool Value);
  TJPEGPixelFormat PixelFormat() const { return grayscale_ ? jf8Bit : jf24Bit; }

  // Compresses the bitmap into JPEG bytes when there are none.
  void JPEGNeeded();
  // Compresses the bitmap anew with the current settings.
  void Compress();
  // Decodes the bytes into the bitmap when there is none; EInvalidGraphic "JPEG error #<n>" for
  // data that cannot be decoded.
  void DIBNeeded();
  // The decoded image.
  TBitmap* Bitmap();

  // The rest of the stream is the JPEG data; its header is read at once (EInvalidGraphic when it is
  // not JPEG data), the image when first needed.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // CF_BITMAP data becomes the image (compressed when needed); an image gives CF_BITMAP data.
  void LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) override;
  void SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) override;

  // Whether the stream's next bytes start a JPEG file (the position is kept).
  static bool IsJpegStream(TStream* Stream);

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 private:
  void SetData(std::vector<Byte> Data);
  void FreeBitmap();

  std::vector<Byte> data_;
  std::unique_ptr<TBitmap> bitmap_;
  int width_ = 0;
  int height_ = 0;
  TJPEGQualityRange quality_ = 90;
  bool grayscale_ = false;
};
