#include "platform/gdi/ImageList.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gdi/DcImpl.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/PixelOps.h"
#include "platform/gdi/SysColors.h"

namespace {

struct Image {
  std::vector<Pixel> color;
  std::vector<bool> transparent;
};

struct TImageList {
  int cx = 0, cy = 0;
  UINT flags = 0;
  COLORREF bk = CLR_NONE;
  std::vector<Image> images;
  int overlays[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  bool Masked() const { return flags & ILC_MASK; }
};

THandleTable<TImageList, kImageListHandleTag>& Lists() {
  static auto& lists = *new THandleTable<TImageList, kImageListHandleTag>;
  return lists;
}

TImageList* ListFromHandle(HIMAGELIST h) { return h ? Lists().Find(h) : nullptr; }

HIMAGELIST Register(TImageList* l) { return static_cast<HIMAGELIST>(Lists().Add(l)); }

// Cuts images out of a bitmap strip; `transparentOf` decides each pixel's mask bit.
template <class MaskFn>
std::vector<Image> Cut(const TImageList& l, const TSurface& src, MaskFn transparentOf) {
  std::vector<Image> out;
  const int n = std::max(1, src.Width() / std::max(l.cx, 1));
  for (int k = 0; k < n; ++k) {
    Image img;
    img.color.assign(static_cast<std::size_t>(l.cx) * l.cy, 0xFF000000u);
    img.transparent.assign(img.color.size(), false);
    for (int y = 0; y < l.cy && y < src.Height(); ++y)
      for (int x = 0; x < l.cx; ++x) {
        const int sx = k * l.cx + x;
        if (sx >= src.Width()) continue;
        const std::size_t i = static_cast<std::size_t>(y) * l.cx + x;
        img.color[i] = src.At(sx, y) | 0xFF000000u;
        img.transparent[i] = l.Masked() && transparentOf(sx, y, img.color[i]);
        if (img.transparent[i]) img.color[i] = 0xFF000000u;
      }
    out.push_back(std::move(img));
  }
  return out;
}

std::vector<Image> FromBitmaps(const TImageList& l, HBITMAP image, HBITMAP mask) {
  const TSurface* src = BitmapSurface(image);
  if (!src) return {};
  const TSurface* m = BitmapSurface(mask);
  return Cut(l, *src, [&](int x, int y, Pixel) {
    return m && x < m->Width() && y < m->Height() && (m->At(x, y) & 0xFFFFFF) != 0;
  });
}

Pixel Blend(Pixel a, Pixel b) {
  return 0xFF000000u | ((((a >> 16) & 0xFF) + ((b >> 16) & 0xFF)) / 2 << 16) |
         ((((a >> 8) & 0xFF) + ((b >> 8) & 0xFF)) / 2 << 8) | (((a & 0xFF) + (b & 0xFF)) / 2);
}

void DrawImage(TDC* dc, const TImageList& l, const Image& img, int x, int y, int w, int h, COLORREF bk,
               COLORREF fg, UINT style) {
  TSurface* s = dc->Target();
  const bool mono = s->Monochrome();
  const bool maskOnly = style & ILD_MASK;
  const bool ignoreMask = (style & ILD_IMAGE) || !l.Masked();
  if (bk == CLR_DEFAULT) bk = l.bk;
  const bool transparent = (style & ILD_TRANSPARENT) || bk == CLR_NONE;
  const Pixel bkPixel = ColorToPixel(bk & 0xFFFFFF);
  const bool blend50 = style & ILD_BLEND50, blend25 = (style & ILD_BLEND25) && !blend50;
  const bool blendDest = fg == CLR_NONE;
  const Pixel fgPixel = ColorToPixel(fg == CLR_DEFAULT ? GdiSysColor(COLOR_HIGHLIGHT) : (fg & 0xFFFFFF));
  const int left = x + dc->Dx(), top = y + dc->Dy();
  RECT touched{};
  ForEachClipped(dc->Clip(), RECT{left, top, left + w, top + h}, [&](const RECT& part) {
    UnionRect(&touched, &touched, &part);
    for (int py = part.top; py < part.bottom; ++py) {
      Pixel* row = s->Row(py);
      for (int px = part.left; px < part.right; ++px) {
        const int ix = px - left, iy = py - top;
        const std::size_t i = static_cast<std::size_t>(iy) * l.cx + ix;
        const bool clear = !ignoreMask && img.transparent[i];
        Pixel out;
        if (maskOnly) {
          out = clear ? 0xFFFFFFFFu : 0xFF000000u;
        } else if (clear) {
          if (transparent) continue;
          out = bkPixel;
        } else {
          out = img.color[i];
          // Selection and focus blends: a dither of the foreground over the image's own pixels.
          if (blend50 || blend25) {
            const bool hit = blend50 ? ((px + py) % 2 == 0) : (px % 2 == 0 && py % 2 == 0);
            if (hit)
              out = blendDest ? row[px] : fgPixel;
            else if (blend50 && !blendDest)
              out = Blend(out, fgPixel);
          }
        }
        row[px] = mono ? ToMono(out) : (out | 0xFF000000u);
      }
    }
  });
  if (!IsRectEmpty(&touched)) Damage(dc, touched);
}

// --- Drag state ---

struct DragState {
  TImageList* list = nullptr;  // a private copy of the dragged image (and cursor image)
  HIMAGELIST handle = nullptr;  // the copy's handle
  POINT hotspot{};
  HWND lock = nullptr;
  bool entered = false;
  bool visible = false;
  bool shownFlag = true;
  POINT pos{};  // relative to the lock window
  HBITMAP saved = nullptr;
  POINT savedAt{};  // screen position of the saved background
};

DragImageHost* dragHost = nullptr;
DragState drag;

POINT DragScreenPos() {
  const POINT origin = dragHost ? dragHost->WindowOrigin(drag.lock) : POINT{};
  return {origin.x + drag.pos.x - drag.hotspot.x, origin.y + drag.pos.y - drag.hotspot.y};
}

void HideDrag() {
  if (!drag.visible || !dragHost || !drag.list) return;
  HDC screen = dragHost->GetScreenDC();
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, drag.saved);
  BitBlt(screen, drag.savedAt.x, drag.savedAt.y, drag.list->cx, drag.list->cy, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  dragHost->ReleaseScreenDC(screen);
  drag.visible = false;
}

void ShowDrag() {
  if (drag.visible || !dragHost || !drag.list || !drag.entered || !drag.shownFlag) return;
  HDC screen = dragHost->GetScreenDC();
  const POINT at = DragScreenPos();
  if (!drag.saved) drag.saved = CreateCompatibleBitmap(screen, drag.list->cx, drag.list->cy);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, drag.saved);
  BitBlt(mem, 0, 0, drag.list->cx, drag.list->cy, screen, at.x, at.y, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  ImageList_Draw(drag.handle, 0, screen, at.x, at.y, ILD_TRANSPARENT);
  dragHost->ReleaseScreenDC(screen);
  drag.savedAt = at;
  drag.visible = true;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto* l = new TImageList;
  l->cx = cx;
  l->cy = cy;
  l->flags = flags;
  return Register(l);
}

BOOL ImageList_Destroy(HIMAGELIST h) {
  TImageList* l = h ? Lists().Remove(h) : nullptr;
  if (!l) return FALSE;
  delete l;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST h) {
  TImageList* l = ListFromHandle(h);
  return l ? static_cast<int>(l->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST h, UINT count) {
  TImageList* l = ListFromHandle(h);
  if (!l) return FALSE;
  Image blank;
  blank.color.assign(static_cast<std::size_t>(l->cx) * l->cy, 0xFF000000u);
  blank.transparent.assign(blank.color.size(), false);
  l->images.resize(count, blank);
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST h, int* cx, int* cy) {
  TImageList* l = ListFromHandle(h);
  if (!l || !cx || !cy) return FALSE;
  *cx = l->cx;
  *cy = l->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST h, int cx, int cy) {
  TImageList* l = ListFromHandle(h);
  if (!l || cx <= 0 || cy <= 0) return FALSE;
  l->cx = cx;
  l->cy = cy;
  l->images.clear();
  return TRUE;
}

int ImageList_Add(HIMAGELIST h, HBITMAP image, HBITMAP mask) {
  TImageList* l = ListFromHandle(h);
  if (!l) return -1;
  std::vector<Image> add = FromBitmaps(*l, image, mask);
  if (add.empty()) return -1;
  const int first = static_cast<int>(l->images.size());
  l->images.insert(l->images.end(), add.begin(), add.end());
  return first;
}

int ImageList_AddMasked(HIMAGELIST h, HBITMAP image, COLORREF maskColor) {
  TImageList* l = ListFromHandle(h);
  const TSurface* src = BitmapSurface(image);
  if (!l || !src) return -1;
  Pixel key = ColorToPixel(maskColor & 0xFFFFFF) & 0xFFFFFF;
  if (maskColor == CLR_DEFAULT && src->Height() > 0) key = src->At(0, src->Height() - 1) & 0xFFFFFF;
  std::vector<Image> add = Cut(*l, *src, [&](int, int, Pixel p) { return (p & 0xFFFFFF) == key; });
  const int first = static_cast<int>(l->images.size());
  l->images.insert(l->images.end(), add.begin(), add.end());
  return first;
}

BOOL ImageList_Replace(HIMAGELIST h, int index, HBITMAP image, HBITMAP mask) {
  TImageList* l = ListFromHandle(h);
  if (!l || index < 0 || index >= static_cast<int>(l->images.size())) return FALSE;
  std::vector<Image> add = FromBitmaps(*l, image, mask);
  if (add.empty()) return FALSE;
  l->images[index] = std::move(add.front());
  return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST h, int index, HICON icon) {
  TImageList* l = ListFromHandle(h);
  if (!l || !IsIcon(icon) || index < -1 || index >= static_cast<int>(l->images.size())) return -1;
  // Draw the icon over black (image) and white-on-black (mask) at the list's size.
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP img = CreateBitmap(l->cx, l->cy, 1, 32, nullptr);
  HBITMAP msk = CreateBitmap(l->cx, l->cy, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(dc, img);
  PatBlt(dc, 0, 0, l->cx, l->cy, BLACKNESS);
  DrawIconEx(dc, 0, 0, icon, l->cx, l->cy, 0, nullptr, DI_NORMAL);
  SelectObject(dc, msk);
  PatBlt(dc, 0, 0, l->cx, l->cy, WHITENESS);
  DrawIconEx(dc, 0, 0, icon, l->cx, l->cy, 0, nullptr, DI_MASK);
  SelectObject(dc, old);
  DeleteDC(dc);
  // Alpha icons have an all-white mask: treat fully transparent pixels as clear.
  std::vector<Image> add = FromBitmaps(*l, img, msk);
  DeleteObject(img);
  DeleteObject(msk);
  if (add.empty()) return -1;
  if (index == -1) {
    l->images.push_back(std::move(add.front()));
    return static_cast<int>(l->images.size()) - 1;
  }
  l->images[index] = std::move(add.front());
  return index;
}

BOOL ImageList_Remove(HIMAGELIST h, int index) {
  TImageList* l = ListFromHandle(h);
  if (!l) return FALSE;
  if (index == -1) {
    l->images.clear();
    return TRUE;
  }
  if (index < 0 || index >= static_cast<int>(l->images.size())) return FALSE;
  l->images.erase(l->images.begin() + index);
  return TRUE;
}

BOOL ImageList_Copy(HIMAGELIST hd, int di, HIMAGELIST hs, int si, UINT flags) {
  TImageList* d = ListFromHandle(hd);
  TImageList* s = ListFromHandle(hs);
  if (!d || !s || d != s || di < 0 || si < 0 || di >= static_cast<int>(d->images.size()) ||
      si >= static_cast<int>(s->images.size()))
    return FALSE;
  if (flags & ILCF_SWAP)
    std::swap(d->images[di], d->images[si]);
  else
    d->images[di] = s->images[si];
  return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST h) {
  TImageList* l = ListFromHandle(h);
  return l ? Register(new TImageList(*l)) : nullptr;
}

COLORREF ImageList_SetBkColor(HIMAGELIST h, COLORREF color) {
  TImageList* l = ListFromHandle(h);
  if (!l) return CLR_NONE;
  return std::exchange(l->bk, color);
}

COLORREF ImageList_GetBkColor(HIMAGELIST h) {
  TImageList* l = ListFromHandle(h);
  return l ? l->bk : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST h, int image, int overlay) {
  TImageList* l = ListFromHandle(h);
  if (!l || overlay < 1 || overlay > 15 || image < 0 || image >= static_cast<int>(l->images.size()))
    return FALSE;
  l->overlays[overlay] = image;
  return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST h, int index, HDC hdc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style) {
  TImageList* l = ListFromHandle(h);
  TDC* dc = DCFromHandle(hdc);
  if (!l || !dc || !dc->Target() || index < 0 || index >= static_cast<int>(l->images.size())) return FALSE;
  const int w = dx > 0 ? std::min(dx, l->cx) : l->cx, hgt = dy > 0 ? std::min(dy, l->cy) : l->cy;
  DrawImage(dc, *l, l->images[index], x, y, w, hgt, bk, fg, style);
  const UINT overlay = (style & ILD_OVERLAYMASK) >> 8;
  if (overlay && l->overlays[overlay] >= 0)
    DrawImage(dc, *l, l->images[l->overlays[overlay]], x, y, w, hgt, CLR_NONE, fg,
              (style & ~(ILD_OVERLAYMASK | ILD_BLEND25 | ILD_BLEND50)) | ILD_TRANSPARENT);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST h, int index, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(h, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

HICON ImageList_GetIcon(HIMAGELIST h, int index, UINT) {
  TImageList* l = ListFromHandle(h);
  if (!l || index < 0 || index >= static_cast<int>(l->images.size())) return nullptr;
  HBITMAP color = CreateBitmap(l->cx, l->cy, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(l->cx, l->cy, 1, 1, nullptr);
  const Image& img = l->images[index];
  TSurface* c = BitmapSurface(color);
  TSurface* m = BitmapSurface(mask);
  for (int y = 0; y < l->cy; ++y)
    for (int x = 0; x < l->cx; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * l->cx + x;
      const bool clear = l->Masked() && img.transparent[i];
      c->Row(y)[x] = clear ? 0xFF000000u : img.color[i];
      m->Row(y)[x] = clear ? 0xFFFFFFFFu : 0xFF000000u;
    }
  ICONINFO info;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

// --- Drag images ---

void SetDragImageHost(DragImageHost* host) { dragHost = host; }

BOOL ImageList_BeginDrag(HIMAGELIST h, int index, int hotspotX, int hotspotY) {
  TImageList* l = ListFromHandle(h);
  if (!l || index < 0 || index >= static_cast<int>(l->images.size())) return FALSE;
  ImageList_EndDrag();
  auto* copy = new TImageList;
  copy->cx = l->cx;
  copy->cy = l->cy;
  copy->flags = l->flags | ILC_MASK;
  copy->images.push_back(l->images[index]);
  if (!l->Masked()) copy->images[0].transparent.assign(copy->images[0].color.size(), false);
  drag.handle = Register(copy);
  drag.list = copy;
  drag.hotspot = {hotspotX, hotspotY};
  return TRUE;
}

void ImageList_EndDrag() {
  HideDrag();
  if (drag.handle) ImageList_Destroy(drag.handle);
  if (drag.saved) DeleteObject(drag.saved);
  drag = DragState{};
}

BOOL ImageList_DragEnter(HWND lock, int x, int y) {
  if (!drag.list) return FALSE;
  HideDrag();
  drag.lock = lock;
  drag.pos = {x, y};
  drag.entered = true;
  ShowDrag();
  return TRUE;
}

BOOL ImageList_DragLeave(HWND) {
  if (!drag.list) return FALSE;
  HideDrag();
  drag.entered = false;
  return TRUE;
}

BOOL ImageList_DragMove(int x, int y) {
  if (!drag.list) return FALSE;
  if (drag.pos.x == x && drag.pos.y == y) return TRUE;
  HideDrag();
  drag.pos = {x, y};
  ShowDrag();
  return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL show) {
  if (!drag.list) return FALSE;
  drag.shownFlag = show != 0;
  if (show)
    ShowDrag();
  else
    HideDrag();
  return TRUE;
}

BOOL ImageList_SetDragCursorImage(HIMAGELIST h, int index, int hotspotX, int hotspotY) {
  TImageList* cursor = ListFromHandle(h);
  if (!drag.list || !cursor || index < 0 || index >= static_cast<int>(cursor->images.size())) return FALSE;
  // The cursor image is merged into the drag image, which grows to hold both.
  const bool wasVisible = drag.visible;
  HideDrag();
  TImageList& d = *drag.list;
  const Image& c = cursor->images[index];
  const int offX = hotspotX < 0 ? 0 : hotspotX, offY = hotspotY < 0 ? 0 : hotspotY;
  const int w = std::max(d.cx, offX + cursor->cx), hgt = std::max(d.cy, offY + cursor->cy);
  Image merged;
  merged.color.assign(static_cast<std::size_t>(w) * hgt, 0xFF000000u);
  merged.transparent.assign(merged.color.size(), true);
  for (int y = 0; y < d.cy; ++y)
    for (int x = 0; x < d.cx; ++x) {
      const std::size_t s = static_cast<std::size_t>(y) * d.cx + x, t = static_cast<std::size_t>(y) * w + x;
      merged.color[t] = d.images[0].color[s];
      merged.transparent[t] = d.images[0].transparent[s];
    }
  for (int y = 0; y < cursor->cy; ++y)
    for (int x = 0; x < cursor->cx; ++x) {
      const std::size_t s = static_cast<std::size_t>(y) * cursor->cx + x;
      if (cursor->Masked() && c.transparent[s]) continue;
      const std::size_t t = static_cast<std::size_t>(offY + y) * w + offX + x;
      merged.color[t] = c.color[s];
      merged.transparent[t] = false;
    }
  d.cx = w;
  d.cy = hgt;
  d.images.assign(1, std::move(merged));
  if (drag.saved) {
    DeleteObject(drag.saved);
    drag.saved = nullptr;
  }
  if (wasVisible) ShowDrag();
  return TRUE;
}

HIMAGELIST ImageList_GetDragImage(POINT* position, POINT* hotspot) {
  if (!drag.list) return nullptr;
  if (position) *position = drag.pos;
  if (hotspot) *hotspot = drag.hotspot;
  return drag.handle;
}
