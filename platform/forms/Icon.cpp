#include "platform/forms/Icon.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/BmpFormat.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/LittleEndian.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

struct IconEntry {
  int width, height, bits;
  std::uint32_t size, offset;
};

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
  const Int64 start = Stream->Position();
  const Int64 available = Stream->Size() - start;
  Byte header[6];
  if (available < 6) InvalidIcon();
  Stream->ReadBuffer(header, 6);
  const std::uint32_t count = ReadLe16(header + 4);
  if (ReadLe16(header) != 0 || ReadLe16(header + 2) != 1 || count == 0 || available < 6 + 16 * Int64(count))
    InvalidIcon();
  std::vector<Byte> dir(16 * count);
  Stream->ReadBuffer(dir.data(), static_cast<Int64>(dir.size()));
  std::vector<IconEntry> entries;
  Int64 total = 6 + 16 * Int64(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const Byte* e = dir.data() + 16 * i;
    IconEntry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, static_cast<int>(ReadLe16(e + 6)), ReadLe32(e + 8),
                    ReadLe32(e + 12)};
    total = std::max(total, Int64(entry.offset) + entry.size);
    entries.push_back(entry);
  }
  if (total > available) InvalidIcon();
  std::vector<Byte> data(static_cast<size_t>(total));
  std::memcpy(data.data(), header, 6);
  std::memcpy(data.data() + 6, dir.data(), dir.size());
  Stream->ReadBuffer(data.data() + 6 + dir.size(), total - 6 - static_cast<Int64>(dir.size()));

  // The image nearest 32 x 32, then the one with the most colours; compressed (PNG) images are skipped.
  const IconEntry* best = nullptr;
  auto score = [](const IconEntry& e) {
    return std::make_pair(-std::abs(e.width - 32) - std::abs(e.height - 32), e.bits);
  };
  for (const IconEntry& e : entries) {
    if (e.size < 8 || e.offset < 6 || Int64(e.offset) + e.size > total) continue;
    if (std::memcmp(data.data() + e.offset, "\x89PNG", 4) == 0) continue;
    if (!best || score(e) > score(*best)) best = &e;
  }
  if (!best) InvalidIcon();
  TDibImage image;
  try {
    image = DecodeDib(data.data() + best->offset, best->size, true);
  } catch (const EInvalidGraphic&) {
    InvalidIcon();
  }
  HICON icon = MakeIcon(image);
  if (!icon) InvalidIcon();
  data_ = std::move(data);
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
  const std::vector<Byte> dib = EncodeDib(pixels.data(), w, h, 32, &mask);
  std::vector<Byte> out;
  AppendLe16(out, 0);
  AppendLe16(out, 1);
  AppendLe16(out, 1);
  out.push_back(Byte(w >= 256 ? 0 : w));
  out.push_back(Byte(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  AppendLe16(out, 1);
  AppendLe16(out, 32);
  AppendLe32(out, static_cast<std::uint32_t>(dib.size()));
  AppendLe32(out, 22);
  out.insert(out.end(), dib.begin(), dib.end());
  Stream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}
