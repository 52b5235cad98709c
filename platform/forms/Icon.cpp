#include "platform/forms/Icon.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/IcoFormat.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

// An icon handle from top-down pixels and a mask (true = transparent).
HICON MakeIcon(const TDibImage& image) {
  HBITMAP color = CreateBitmap(image.Width, image.Height, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(image.Width, image.Height, 1, 1, nullptr);
  TSurface* c = BitmapSurface(color);
  TSurface* m = BitmapSurface(mask);
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      const size_t i = static_cast<size_t>(y) * image.Width + x;
      Pixel p = image.Pixels[i];
      // Images below 32 bits have no alpha of their own.
      if (image.BitCount < 32) p |= 0xFF000000u;
      c->Row(y)[x] = p;
      m->Row(y)[x] = image.Mask[i] ? 0xFFFFFFFFu : 0xFF000000u;
    }
  ICONINFO info;
  info.fIcon = TRUE;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TIcon)

TIcon::~TIcon() {
  if (handle_) DestroyIcon(handle_);
}

void TIcon::NewHandle(HICON Value) {
  if (handle_ && handle_ != Value) DestroyIcon(handle_);
  handle_ = Value;
  const SIZE s = Value ? IconSize(Value) : SIZE{};
  width_ = s.cx;
  height_ = s.cy;
}

void TIcon::SetHandle(HICON Value) {
  if (Value == handle_) return;
  data_.clear();
  NewHandle(Value);
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON given = handle_;
  handle_ = nullptr;
  width_ = height_ = 0;
  data_.clear();
  return given;
}

void TIcon::SetWidth(int Value) {
  if (Value != width_) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int Value) {
  if (Value != height_) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    data_.clear();
    NewHandle(nullptr);
    Changed(this);
    return;
  }
  if (auto* icon = dynamic_cast<TIcon*>(Source)) {
    data_ = icon->data_;
    NewHandle(icon->handle_ ? CopyIcon(icon->handle_) : nullptr);
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const RECT& Rect) {
  if (!handle_) return;
  DrawIconEx(ACanvas->Handle(), Rect.left, Rect.top, handle_, Rect.right - Rect.left, Rect.bottom - Rect.top,
             0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream* Stream) {
  std::vector<Byte> file = ReadIcoFile(Stream);
  HICON icon = MakeIcon(DecodeIco(file));
  if (!icon) InvalidIcon();
  data_ = std::move(file);
  NewHandle(icon);
  Changed(this);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!data_.empty()) {
    Stream->WriteBuffer(data_.data(), static_cast<Int64>(data_.size()));
    return;
  }
  if (!handle_) return;
  ICONINFO info;
  if (!GetIconInfo(handle_, &info)) InvalidIcon();
  const TSurface* c = info.hbmColor ? BitmapSurface(info.hbmColor) : nullptr;
  const TSurface* m = BitmapSurface(info.hbmMask);
  const int w = width_, h = height_;
  std::vector<Pixel> pixels(static_cast<size_t>(w) * h, 0xFF000000u);
  std::vector<bool> mask(pixels.size(), false);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      mask[i] = (m->At(x, y) & 0xFFFFFF) != 0;
      // A monochrome icon keeps its XOR half below the AND mask.
      pixels[i] = c ? c->At(x, y) : m->At(x, y + h);
    }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  const std::vector<Byte> out = EncodeIco(pixels.data(), w, h, mask);
  Stream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}
