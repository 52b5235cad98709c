#include <algorithm>
#include <cstdlib>

#include "platform/forms/Graphic.h"
#include "platform/gdi/BmpFormat.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

String& ResourceFolderSetting() {
  static String folder;
  return folder;
}

// A memory DC holding a bitmap for the length of a scope.
class TMemDC {
 public:
  explicit TMemDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, bitmap)) {}
  ~TMemDC() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TMemDC(const TMemDC&) = delete;
  TMemDC& operator=(const TMemDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

TPixelFormat FormatOfBits(int bits) {
  switch (bits) {
    case 1:
      return pf1bit;
    case 4:
      return pf4bit;
    case 8:
      return pf8bit;
    case 16:
      return pf16bit;
    case 24:
      return pf24bit;
    default:
      return pf32bit;
  }
}

}  // namespace

String ResourceFolder() {
  const String& set = ResourceFolderSetting();
  if (!set.empty()) return set;
  if (const char* env = std::getenv("TRENVIK_RESOURCES"); env && *env) return Utf8ToString(env);
  return ExtractFilePath(ApplicationExeName()) + u"resources";
}

void SetResourceFolder(const String& Folder) { ResourceFolderSetting() = Folder; }

// --- TBitmapCanvas ---

TRENVIK_IMPLEMENT_CLASS(TBitmapCanvas)

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (bitmap_->handle_) oldBitmap_ = SelectObject(dc, bitmap_->handle_);
  SetHandle(dc);
}

void TBitmapCanvas::FreeContext() {
  if (!HandleAllocated()) return;
  HDC dc = Handle();
  SetHandle(nullptr);
  if (oldBitmap_) SelectObject(dc, oldBitmap_);
  oldBitmap_ = nullptr;
  DeleteDC(dc);
}

// --- TBitmap ---

TRENVIK_IMPLEMENT_CLASS(TBitmap)

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  if (mask_) DeleteObject(mask_);
  if (handle_) DeleteObject(handle_);
}

TSurface* TBitmap::Surface() const { return handle_ ? BitmapSurface(handle_) : nullptr; }

void TBitmap::HandleChanging() {
  if (canvas_) canvas_->FreeContext();
  if (mask_) {
    DeleteObject(mask_);
    mask_ = nullptr;
  }
}

void TBitmap::NewImage(int AWidth, int AHeight, bool Mono) {
  HandleChanging();
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  width_ = std::max(AWidth, 0);
  height_ = std::max(AHeight, 0);
  if (width_ > 0 && height_ > 0) handle_ = CreateBitmap(width_, height_, 1, Mono ? 1 : 32, nullptr);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(this);
    canvas_->OnChange = [this](TObject*) { Changed(this); };
  }
  return canvas_.get();
}

HBITMAP TBitmap::Handle() { return handle_; }

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == handle_) return;
  HandleChanging();
  if (handle_) DeleteObject(handle_);
  handle_ = Value;
  width_ = height_ = 0;
  BITMAP bm;
  if (Value && GetObject(Value, sizeof(bm), &bm)) {
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
    if (bm.bmBitsPixel == 1)
      pixelFormat_ = pf1bit;
    else if (pixelFormat_ == pf1bit)
      pixelFormat_ = pfDevice;
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  HandleChanging();
  HBITMAP given = handle_;
  handle_ = nullptr;
  if (given) {
    handle_ = CreateBitmap(width_, height_, 1, Monochrome() ? 1 : 32, nullptr);
    CopySurface(*BitmapSurface(handle_), 0, 0, *BitmapSurface(given), RECT{0, 0, width_, height_}, nullptr);
  }
  return given;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == width_ && AHeight == height_) return;
  const TColor fill = canvas_ ? canvas_->Brush()->Color() : clWhite;
  HandleChanging();
  HBITMAP old = handle_;
  const int oldWidth = width_, oldHeight = height_;
  handle_ = nullptr;
  NewImage(AWidth, AHeight, Monochrome());
  if (handle_) {
    TMemDC dc(handle_);
    const RECT all{0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(ColorToColorRef(fill));
    ::FillRect(dc.dc(), &all, brush);
    DeleteObject(brush);
    if (old)
      CopySurface(*BitmapSurface(handle_), 0, 0, *BitmapSurface(old),
                  RECT{0, 0, std::min(oldWidth, width_), std::min(oldHeight, height_)}, nullptr);
  }
  if (old) DeleteObject(old);
  Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome()) return;
  if (!handle_) {
    pixelFormat_ = Value ? pf1bit : pfDevice;
    Changed(this);
    return;
  }
  HandleChanging();
  HBITMAP old = handle_;
  handle_ = CreateBitmap(width_, height_, 1, Value ? 1 : 32, nullptr);
  {
    TMemDC src(old), dst(handle_);
    BitBlt(dst.dc(), 0, 0, width_, height_, src.dc(), 0, 0, SRCCOPY);
  }
  DeleteObject(old);
  pixelFormat_ = Value ? pf1bit : pfDevice;
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pixelFormat_) return;
  if (Value == pf1bit || Monochrome()) SetMonochrome(Value == pf1bit);
  pixelFormat_ = Value;
  Changed(this);
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed) return ColorToRGB(transparentColor_);
  if (Empty()) return clDefault;
  if (Monochrome()) return clWhite;
  return static_cast<TColor>(PixelToColor(Surface()->At(0, height_ - 1)));
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == transparentColor_) return;
  transparentColor_ = Value;
  transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
  if (mask_) {
    DeleteObject(mask_);
    mask_ = nullptr;
  }
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == transparentMode_) return;
  SetTransparentColor(Value == tmAuto ? clDefault : TransparentColor());
}

HBITMAP TBitmap::MaskHandle() {
  if (!mask_ && handle_) {
    mask_ = CreateBitmap(width_, height_, 1, 1, nullptr);
    const Pixel key = ColorToPixel(ColorToColorRef(TransparentColor())) & 0xFFFFFF;
    const TSurface* src = Surface();
    TSurface* dst = BitmapSurface(mask_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        dst->Row(y)[x] = (src->At(x, y) & 0xFFFFFF) == key ? 0xFFFFFFFFu : 0xFF000000u;
  }
  return mask_;
}

Pixel* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= height_ || !handle_) throw EInvalidGraphic("Scan line index out of range");
  return Surface()->Row(Row);
}

void TBitmap::SetPixels(int AWidth, int AHeight, const Pixel* Pixels) {
  NewImage(AWidth, AHeight, Monochrome());
  if (TSurface* s = Surface())
    for (int y = 0; y < height_; ++y)
      std::copy_n(Pixels + static_cast<size_t>(y) * width_, width_, s->Row(y));
  Changed(this);
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    NewImage(0, 0, false);
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    pixelFormat_ = b->pixelFormat_;
    NewImage(b->width_, b->height_, b->Monochrome());
    if (handle_) CopySurface(*Surface(), 0, 0, *b->Surface(), RECT{0, 0, width_, height_}, nullptr);
    handleType_ = b->handleType_;
    ignorePalette_ = b->ignorePalette_;
    transparentColor_ = b->transparentColor_;
    transparentMode_ = b->transparentMode_;
    if (Transparent() != b->Transparent()) TGraphic::SetTransparent(b->Transparent());
    Changed(this);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    pixelFormat_ = pfDevice;
    NewImage(g->Width(), g->Height(), false);
    if (handle_) {
      TCanvas* c = Canvas();
      c->Brush()->SetColor(clWhite);
      c->FillRect(RECT{0, 0, width_, height_});
      c->Draw(0, 0, g);
    }
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const RECT& Rect) {
  if (Empty()) return;
  HDC src = Canvas()->Handle();
  HDC dst = ACanvas->Handle();
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Transparent())
    TransparentBlt(dst, Rect.left, Rect.top, w, h, src, 0, 0, width_, height_,
                   ColorToColorRef(TransparentColor()));
  else
    StretchBlt(dst, Rect.left, Rect.top, w, h, src, 0, 0, width_, height_,
               static_cast<DWORD>(ACanvas->CopyMode()));
}

void TBitmap::LoadFromStream(TStream* Stream) {
  if (Stream->Size() - Stream->Position() <= 0) {
    Assign(nullptr);
    return;
  }
  TDibImage image = ReadBmpFile(Stream);
  bool mono = image.BitCount == 1;
  for (size_t i = 0; mono && i < image.Pixels.size(); ++i) {
    const Pixel p = image.Pixels[i] & 0xFFFFFF;
    mono = p == 0 || p == 0xFFFFFF;
  }
  pixelFormat_ = mono ? pf1bit : FormatOfBits(image.BitCount);
  SetPixels(image.Width, image.Height, image.Pixels.data());
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (Empty()) return;
  const int bits = pixelFormat_ == pf1bit ? 1 : pixelFormat_ == pf32bit ? 32 : 24;
  std::vector<Pixel> pixels(static_cast<size_t>(width_) * height_);
  const TSurface* s = Surface();
  for (int y = 0; y < height_; ++y)
    std::copy_n(s->Row(y), width_, pixels.data() + static_cast<size_t>(y) * width_);
  WriteBmpFile(Stream, pixels.data(), width_, height_, bits);
}

void TBitmap::ReadData(TStream* Stream) {
  Integer size = 0;
  Stream->ReadBuffer(&size, 4);
  if (size < 0 || size > Stream->Size() - Stream->Position())
    throw EInvalidGraphic("Bitmap image is not valid");
  TMemoryStream part;
  if (size > 0) part.CopyFrom(Stream, size);
  part.SetPosition(0);
  LoadFromStream(&part);
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream part;
  SaveToStream(&part);
  const Integer size = static_cast<Integer>(part.Size());
  Stream->WriteBuffer(&size, 4);
  part.SetPosition(0);
  if (size > 0) Stream->CopyFrom(&part, size);
}

void TBitmap::LoadFromResourceName(HINSTANCE, const String& Name) {
  const String folder = IncludeTrailingPathDelimiter(ResourceFolder()) + u"bitmaps/";
  for (const String& candidate : {Name, UpperCase(Name)}) {
    const String file = folder + candidate + u".bmp";
    if (FileExists(file)) {
      LoadFromFile(file);
      return;
    }
  }
  throw EResNotFound("Resource " + StringToUtf8(Name) + " not found");
}

void TBitmap::LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) {
  if (AFormat != CF_BITMAP && AFormat != CF_DIB) throw EInvalidGraphic("Unsupported clipboard format");
  TDibImage image = DecodeDib(AData.data(), AData.size());
  pixelFormat_ = FormatOfBits(image.BitCount);
  SetPixels(image.Width, image.Height, image.Pixels.data());
}

void TBitmap::SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) {
  AFormat = CF_BITMAP;
  AData.clear();
  if (Empty()) return;
  std::vector<Pixel> pixels(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y)
    std::copy_n(Surface()->Row(y), width_, pixels.data() + static_cast<size_t>(y) * width_);
  AData = EncodeDib(pixels.data(), width_, height_, pixelFormat_ == pf32bit ? 32 : 24);
}
