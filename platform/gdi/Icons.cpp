#include "platform/gdi/Icons.h"

#include <algorithm>
#include <memory>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/PixelOps.h"

namespace {

struct TIcon {
  std::unique_ptr<TSurface> color;  // 32 bits
  std::unique_ptr<TSurface> mask;   // white = transparent
  bool alpha = false;               // blend by the image's alpha instead of the mask
  bool isIcon = true;
  DWORD hotX = 0, hotY = 0;
};

THandleTable<TIcon, kIconHandleTag>& Icons() {
  static auto& icons = *new THandleTable<TIcon, kIconHandleTag>;
  return icons;
}

TIcon* IconFromHandle(HICON h) { return h ? Icons().Find(h) : nullptr; }

HICON Register(std::unique_ptr<TIcon> icon) { return static_cast<HICON>(Icons().Add(icon.release())); }

std::unique_ptr<TSurface> CopyRect(const TSurface& s, int top, int height) {
  auto copy = std::make_unique<TSurface>(s.Width(), height);
  for (int y = 0; y < height; ++y) std::copy_n(s.Row(top + y), s.Width(), copy->Row(y));
  return copy;
}

// Nearest-pixel scaling.
std::unique_ptr<TSurface> Scaled(const TSurface& s, int width, int height) {
  auto out = std::make_unique<TSurface>(width, height);
  out->SetMonochrome(s.Monochrome());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out->Row(y)[x] = s.At(static_cast<int>(1LL * x * s.Width() / width),
                            static_cast<int>(1LL * y * s.Height() / height));
  return out;
}

bool HasPartialAlpha(const TSurface& s) {
  bool some = false, none = true;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const Pixel a = s.At(x, y) >> 24;
      if (a != 0xFF) some = true;
      if (a != 0) none = false;
    }
  return some && !none;
}

HBITMAP BitmapFrom(const TSurface& s, int bitsPerPixel) {
  HBITMAP bm = CreateBitmap(s.Width(), s.Height(), 1, static_cast<UINT>(bitsPerPixel), nullptr);
  TSurface* d = BitmapSurface(bm);
  for (int y = 0; y < s.Height(); ++y) std::copy_n(s.Row(y), s.Width(), d->Row(y));
  return bm;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info) return nullptr;
  TSurface* mask = BitmapSurface(info->hbmMask);
  if (!mask) return nullptr;
  auto icon = std::make_unique<TIcon>();
  icon->isIcon = info->fIcon;
  icon->hotX = info->xHotspot;
  icon->hotY = info->yHotspot;
  if (TSurface* color = BitmapSurface(info->hbmColor)) {
    icon->color = CopyRect(*color, 0, color->Height());
    icon->mask = CopyRect(*mask, 0, std::min(mask->Height(), color->Height()));
    if (icon->mask->Width() != color->Width() || icon->mask->Height() != color->Height())
      icon->mask = Scaled(*icon->mask, color->Width(), color->Height());
    icon->alpha = HasPartialAlpha(*icon->color);
  } else {
    // Monochrome: the top half is the AND mask, the bottom half the XOR image.
    const int h = mask->Height() / 2;
    if (h == 0) return nullptr;
    icon->mask = CopyRect(*mask, 0, h);
    icon->color = CopyRect(*mask, h, h);
  }
  icon->mask->SetMonochrome(true);
  if (icon->isIcon) {
    icon->hotX = static_cast<DWORD>(icon->color->Width() / 2);
    icon->hotY = static_cast<DWORD>(icon->color->Height() / 2);
  }
  return Register(std::move(icon));
}

BOOL GetIconInfo(HICON h, ICONINFO* info) {
  TIcon* icon = IconFromHandle(h);
  if (!icon || !info) return FALSE;
  info->fIcon = icon->isIcon;
  info->xHotspot = icon->hotX;
  info->yHotspot = icon->hotY;
  info->hbmMask = BitmapFrom(*icon->mask, 1);
  info->hbmColor = BitmapFrom(*icon->color, 32);
  return TRUE;
}

BOOL DestroyIcon(HICON h) {
  TIcon* icon = h ? Icons().Remove(h) : nullptr;
  if (!icon) return FALSE;
  delete icon;
  return TRUE;
}

HICON CopyIcon(HICON h) { return static_cast<HICON>(CopyImage(h, IMAGE_ICON, 0, 0, 0)); }

bool IsIcon(HICON h) { return IconFromHandle(h) != nullptr; }

SIZE IconSize(HICON h) {
  TIcon* icon = IconFromHandle(h);
  return icon ? SIZE{icon->color->Width(), icon->color->Height()} : SIZE{};
}

BOOL DrawIconEx(HDC h, int x, int y, HICON hicon, int width, int height, UINT, HBRUSH, UINT flags) {
  TDC* dc = DCFromHandle(h);
  TIcon* icon = IconFromHandle(hicon);
  if (!dc || !icon || !dc->Target()) return FALSE;
  if (width == 0) width = (flags & DI_DEFAULTSIZE) ? 32 : icon->color->Width();
  if (height == 0) height = (flags & DI_DEFAULTSIZE) ? 32 : icon->color->Height();
  if ((flags & DI_NORMAL) == 0) flags |= DI_NORMAL;
  TSurface* s = dc->Target();
  const bool mono = s->Monochrome();
  const int left = x + dc->Dx(), top = y + dc->Dy();
  const TSurface& color = *icon->color;
  const TSurface& mask = *icon->mask;
  RECT touched{};
  ForEachClipped(dc->Clip(), RECT{left, top, left + width, top + height}, [&](const RECT& part) {
    UnionRect(&touched, &touched, &part);
    for (int py = part.top; py < part.bottom; ++py) {
      const int sy = static_cast<int>(1LL * (py - top) * color.Height() / height);
      Pixel* row = s->Row(py);
      for (int px = part.left; px < part.right; ++px) {
        const int sx = static_cast<int>(1LL * (px - left) * color.Width() / width);
        Pixel d = row[px];
        const Pixel c = color.At(sx, sy);
        if (icon->alpha && (flags & DI_IMAGE) && (flags & DI_MASK)) {
          // Straight alpha over the destination.
          const unsigned a = c >> 24;
          auto mix = [&](int shift) {
            const unsigned sc = (c >> shift) & 0xFF, dc2 = (d >> shift) & 0xFF;
            return ((sc * a + dc2 * (255 - a) + 127) / 255) << shift;
          };
          d = 0xFF000000u | mix(16) | mix(8) | mix(0);
        } else {
          if (flags & DI_MASK) d &= (mask.At(sx, sy) | 0xFF000000u);
          if (flags & DI_IMAGE) d = (flags & DI_MASK) ? (d ^ (c & 0xFFFFFF)) : c;
          d |= 0xFF000000u;
        }
        row[px] = mono ? ToMono(d) : d;
      }
    }
  });
  if (!IsRectEmpty(&touched)) Damage(dc, touched);
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags) {
  if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
    TIcon* icon = IconFromHandle(static_cast<HICON>(image));
    if (!icon) return nullptr;
    const int w = width > 0 ? width : icon->color->Width(), hgt = height > 0 ? height : icon->color->Height();
    auto copy = std::make_unique<TIcon>();
    copy->color = Scaled(*icon->color, w, hgt);
    copy->mask = Scaled(*icon->mask, w, hgt);
    copy->mask->SetMonochrome(true);
    copy->alpha = icon->alpha;
    copy->isIcon = icon->isIcon;
    copy->hotX = static_cast<DWORD>(1LL * icon->hotX * w / icon->color->Width());
    copy->hotY = static_cast<DWORD>(1LL * icon->hotY * hgt / icon->color->Height());
    HICON result = Register(std::move(copy));
    if (flags & LR_COPYDELETEORG) DestroyIcon(static_cast<HICON>(image));
    return result;
  }
  if (type == IMAGE_BITMAP) {
    TSurface* s = BitmapSurface(static_cast<HBITMAP>(image));
    if (!s) return nullptr;
    const int w = width > 0 ? width : s->Width(), hgt = height > 0 ? height : s->Height();
    const auto scaled = Scaled(*s, w, hgt);
    HBITMAP result = BitmapFrom(*scaled, s->Monochrome() ? 1 : 32);
    if (flags & LR_COPYDELETEORG) DeleteObject(image);
    return result;
  }
  return nullptr;
}
