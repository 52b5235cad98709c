#include "platform/gdi/MetafilePlayback.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/BmpFormat.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/LittleEndian.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"

namespace {

enum : std::uint32_t {
  EMR_HEADER = 1,
  EMR_POLYGON = 3,
  EMR_POLYLINE = 4,
  EMR_POLYLINETO = 6,
  EMR_SETWINDOWEXTEX = 9,
  EMR_SETWINDOWORGEX = 10,
  EMR_SETVIEWPORTEXTEX = 11,
  EMR_SETVIEWPORTORGEX = 12,
  EMR_EOF = 14,
  EMR_SETPIXELV = 15,
  EMR_SETMAPMODE = 17,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETROP2 = 20,
  EMR_SETTEXTALIGN = 22,
  EMR_SETTEXTCOLOR = 24,
  EMR_SETBKCOLOR = 25,
  EMR_MOVETOEX = 27,
  EMR_SAVEDC = 33,
  EMR_RESTOREDC = 34,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40,
  EMR_ELLIPSE = 42,
  EMR_RECTANGLE = 43,
  EMR_ROUNDRECT = 44,
  EMR_LINETO = 54,
  EMR_BITBLT = 76,
  EMR_STRETCHBLT = 77,
  EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82,
  EMR_EXTTEXTOUTW = 84,
  EMR_POLYGON16 = 86,
  EMR_POLYLINE16 = 87,
  EMR_POLYLINETO16 = 89,
  EMR_POLYPOLYLINE16 = 90,
  EMR_POLYPOLYGON16 = 91,
  EMR_EXTCREATEPEN = 95,
};

constexpr int kMapText = 1;
constexpr int kMapIsotropic = 7;
constexpr int kMapAnisotropic = 8;

// Damaged records can ask for absurd coordinates and sizes: they are kept in the 16-bit range.
LONG Clamp(double v) { return static_cast<LONG>(std::lround(std::clamp(v, -32768.0, 32767.0))); }
int ClampSize(double v) { return static_cast<int>(std::lround(std::clamp(v, -4096.0, 4096.0))); }

// A DIB (header, colours, bits in one block) stretched onto the DC.
void BlitDib(HDC dc, const Byte* dib, size_t size, int x, int y, int w, int h, int srcX, int srcY, int srcW,
             int srcH, DWORD rop) {
  TDibImage image;
  try {
    image = DecodeDib(dib, size);
  } catch (const EInvalidGraphic&) {
    return;
  }
  HBITMAP bitmap = CreateBitmap(image.Width, image.Height, 1, 32, nullptr);
  TSurface* pixels = BitmapSurface(bitmap);
  for (int row = 0; row < image.Height; ++row)
    std::copy_n(image.Pixels.data() + static_cast<size_t>(row) * image.Width, image.Width, pixels->Row(row));
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  StretchBlt(dc, x, y, Clamp(w), Clamp(h), source, Clamp(srcX), Clamp(srcY), Clamp(srcW), Clamp(srcH), rop);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(bitmap);
}

struct Mapping {
  int mode = kMapText;
  POINT winOrg, vpOrg;
  SIZE winExt{1, 1}, vpExt{1, 1};
};

class Player {
 public:
  Player(HDC dc, const RECT& dest) : dc_(dc), dest_(dest) {}

  bool Play(const Byte* data, size_t size) {
    if (size < 88 || ReadLe32(data) != EMR_HEADER || ReadLe32(data + 40) != 0x464D4520u) return false;
    if (!Header(data)) return true;
    handles_.assign(std::max<std::uint32_t>(1, data[56] | (data[57] << 8)), nullptr);
    const int saved = SaveDC(dc_);
    IntersectClipRect(dc_, dest_.left, dest_.top, dest_.right, dest_.bottom);
    size_t at = 0;
    for (size_t played = 0; at + 8 <= size && played < kMaxPlayedRecords; ++played) {
      const std::uint32_t type = ReadLe32(data + at), length = ReadLe32(data + at + 4);
      if (length < 8 || length % 4 || length > size - at) break;
      record_ = data + at;
      length_ = length;
      if (type == EMR_EOF) break;
      Record(type);
      at += length;
    }
    RestoreDC(dc_, saved);
    for (HGDIOBJ h : handles_)
      if (h) DeleteObject(h);
    return true;
  }

 private:
  // The frame (hundredths of a millimetre) in reference-device pixels is what fills the rectangle.
  bool Header(const Byte* h) {
    const double devW = ReadLeInt32(h + 72), devH = ReadLeInt32(h + 76), mmW = ReadLeInt32(h + 80),
                 mmH = ReadLeInt32(h + 84);
    // The frame is inclusive.
    double left = ReadLeInt32(h + 24), top = ReadLeInt32(h + 28), right = ReadLeInt32(h + 32) + 1.0,
           bottom = ReadLeInt32(h + 36) + 1.0;
    if (devW > 0 && devH > 0 && mmW > 0 && mmH > 0) {
      left = left * devW / (mmW * 100);
      right = right * devW / (mmW * 100);
      top = top * devH / (mmH * 100);
      bottom = bottom * devH / (mmH * 100);
    } else {
      left = ReadLeInt32(h + 8), top = ReadLeInt32(h + 12), right = ReadLeInt32(h + 16),
      bottom = ReadLeInt32(h + 20);
    }
    if (right <= left || bottom <= top) return false;
    sx_ = (dest_.right - dest_.left) / (right - left);
    sy_ = (dest_.bottom - dest_.top) / (bottom - top);
    ox_ = left;
    oy_ = top;
    return true;
  }

  bool Has(size_t bytes) const { return length_ >= bytes; }
  const Byte* At(size_t offset) const { return record_ + offset; }

  // Logical units to reference-device pixels, then into the destination.
  double DevX(double x) const {
    if (map_.mode == kMapIsotropic || map_.mode == kMapAnisotropic)
      return (x - map_.winOrg.x) * map_.vpExt.cx / (map_.winExt.cx ? map_.winExt.cx : 1) + map_.vpOrg.x;
    return x - map_.winOrg.x + map_.vpOrg.x;
  }
  double DevY(double y) const {
    if (map_.mode == kMapIsotropic || map_.mode == kMapAnisotropic)
      return (y - map_.winOrg.y) * map_.vpExt.cy / (map_.winExt.cy ? map_.winExt.cy : 1) + map_.vpOrg.y;
    return y - map_.winOrg.y + map_.vpOrg.y;
  }
  POINT Map(double x, double y) const {
    return POINT{Clamp(dest_.left + (DevX(x) - ox_) * sx_), Clamp(dest_.top + (DevY(y) - oy_) * sy_)};
  }
  // A length along x in logical units, in destination pixels.
  double ScaleX() const {
    const double unit = map_.mode == kMapIsotropic || map_.mode == kMapAnisotropic
                            ? static_cast<double>(map_.vpExt.cx) / (map_.winExt.cx ? map_.winExt.cx : 1)
                            : 1.0;
    return std::fabs(unit * sx_);
  }
  double ScaleY() const {
    const double unit = map_.mode == kMapIsotropic || map_.mode == kMapAnisotropic
                            ? static_cast<double>(map_.vpExt.cy) / (map_.winExt.cy ? map_.winExt.cy : 1)
                            : 1.0;
    return std::fabs(unit * sy_);
  }
  RECT MapRect(const Byte* r) const {
    const POINT a = Map(ReadLeInt32(r), ReadLeInt32(r + 4)), b = Map(ReadLeInt32(r + 8), ReadLeInt32(r + 12));
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  }

  std::vector<POINT> Points16(size_t countAt, size_t pointsAt) const {
    std::vector<POINT> pts;
    if (!Has(countAt + 4)) return pts;
    const std::uint32_t n = ReadLe32(At(countAt));
    if (n > (length_ - pointsAt) / 4) return pts;
    for (std::uint32_t i = 0; i < n; ++i)
      pts.push_back(Map(ReadLeInt16(At(pointsAt + 4 * i)), ReadLeInt16(At(pointsAt + 4 * i + 2))));
    return pts;
  }
  std::vector<POINT> Points32(size_t countAt, size_t pointsAt) const {
    std::vector<POINT> pts;
    if (!Has(countAt + 4)) return pts;
    const std::uint32_t n = ReadLe32(At(countAt));
    if (n > (length_ - pointsAt) / 8) return pts;
    for (std::uint32_t i = 0; i < n; ++i)
      pts.push_back(Map(ReadLeInt32(At(pointsAt + 8 * i)), ReadLeInt32(At(pointsAt + 8 * i + 4))));
    return pts;
  }

  void Store(std::uint32_t index, HGDIOBJ object) {
    if (index >= handles_.size() || !object) {
      if (object) DeleteObject(object);
      return;
    }
    if (handles_[index]) DeleteObject(handles_[index]);
    handles_[index] = object;
  }

  void Bitmap(std::uint32_t offBmi, std::uint32_t cbBmi, std::uint32_t offBits, std::uint32_t cbBits, int x,
              int y, int w, int h, int srcX, int srcY, int srcW, int srcH, DWORD rop) {
    if (!cbBmi || offBmi > length_ || cbBmi > length_ - offBmi || offBits > length_ ||
        cbBits > length_ - offBits) {
      PatBlt(dc_, x, y, Clamp(w), Clamp(h), rop);  // a pattern or colour operation without a source
      return;
    }
    std::vector<Byte> dib(At(offBmi), At(offBmi) + cbBmi);
    dib.insert(dib.end(), At(offBits), At(offBits) + cbBits);
    BlitDib(dc_, dib.data(), dib.size(), x, y, w, h, srcX, srcY, srcW, srcH, rop);
  }

  void Record(std::uint32_t type) {
    switch (type) {
      case EMR_SETWINDOWEXTEX:
        if (Has(16)) map_.winExt = SIZE{ReadLeInt32(At(8)), ReadLeInt32(At(12))};
        break;
      case EMR_SETWINDOWORGEX:
        if (Has(16)) map_.winOrg = POINT{ReadLeInt32(At(8)), ReadLeInt32(At(12))};
        break;
      case EMR_SETVIEWPORTEXTEX:
        if (Has(16)) map_.vpExt = SIZE{ReadLeInt32(At(8)), ReadLeInt32(At(12))};
        break;
      case EMR_SETVIEWPORTORGEX:
        if (Has(16)) map_.vpOrg = POINT{ReadLeInt32(At(8)), ReadLeInt32(At(12))};
        break;
      case EMR_SETMAPMODE:
        if (Has(12)) map_.mode = ReadLeInt32(At(8));
        break;
      case EMR_SETBKMODE:
        if (Has(12)) SetBkMode(dc_, ReadLeInt32(At(8)));
        break;
      case EMR_SETPOLYFILLMODE:
        if (Has(12)) SetPolyFillMode(dc_, ReadLeInt32(At(8)));
        break;
      case EMR_SETROP2:
        if (Has(12)) SetROP2(dc_, ReadLeInt32(At(8)));
        break;
      case EMR_SETTEXTALIGN:
        if (Has(12)) SetTextAlign(dc_, ReadLe32(At(8)));
        break;
      case EMR_SETTEXTCOLOR:
        if (Has(12)) SetTextColor(dc_, ReadLe32(At(8)) & 0xFFFFFF);
        break;
      case EMR_SETBKCOLOR:
        if (Has(12)) SetBkColor(dc_, ReadLe32(At(8)) & 0xFFFFFF);
        break;
      case EMR_SAVEDC:
        saved_.push_back(map_);
        SaveDC(dc_);
        break;
      case EMR_RESTOREDC:
        if (!saved_.empty()) {
          map_ = saved_.back();
          saved_.pop_back();
          RestoreDC(dc_, -1);
        }
        break;
      case EMR_SETPIXELV:
        if (Has(20)) {
          const POINT p = Map(ReadLeInt32(At(8)), ReadLeInt32(At(12)));
          SetPixelV(dc_, p.x, p.y, ReadLe32(At(16)) & 0xFFFFFF);
        }
        break;
      case EMR_MOVETOEX:
        if (Has(16)) {
          const POINT p = Map(ReadLeInt32(At(8)), ReadLeInt32(At(12)));
          MoveToEx(dc_, p.x, p.y, nullptr);
        }
        break;
      case EMR_LINETO:
        if (Has(16)) {
          const POINT p = Map(ReadLeInt32(At(8)), ReadLeInt32(At(12)));
          LineTo(dc_, p.x, p.y);
        }
        break;
      case EMR_RECTANGLE:
      case EMR_ELLIPSE:
        if (Has(24)) {
          const RECT r = MapRect(At(8));
          if (type == EMR_RECTANGLE)
            Rectangle(dc_, r.left, r.top, r.right, r.bottom);
          else
            Ellipse(dc_, r.left, r.top, r.right, r.bottom);
        }
        break;
      case EMR_ROUNDRECT:
        if (Has(32)) {
          const RECT r = MapRect(At(8));
          RoundRect(dc_, r.left, r.top, r.right, r.bottom, ClampSize(ReadLeInt32(At(24)) * ScaleX()),
                    ClampSize(ReadLeInt32(At(28)) * ScaleY()));
        }
        break;
      case EMR_POLYGON:
      case EMR_POLYLINE:
      case EMR_POLYLINETO: {
        const auto pts = Points32(24, 28);
        Poly(type == EMR_POLYGON ? 0 : type == EMR_POLYLINE ? 1 : 2, pts);
        break;
      }
      case EMR_POLYGON16:
      case EMR_POLYLINE16:
      case EMR_POLYLINETO16: {
        const auto pts = Points16(24, 28);
        Poly(type == EMR_POLYGON16 ? 0 : type == EMR_POLYLINE16 ? 1 : 2, pts);
        break;
      }
      case EMR_POLYPOLYGON16:
      case EMR_POLYPOLYLINE16:
        PolyPoly(type == EMR_POLYPOLYGON16);
        break;
      case EMR_CREATEPEN:
        if (Has(28)) {
          const int width = ClampSize(ReadLeInt32(At(16)) * ScaleX());
          Store(ReadLe32(At(8)),
                CreatePen(ReadLeInt32(At(12)) & PS_STYLE_MASK, width, ReadLe32(At(24)) & 0xFFFFFF));
        }
        break;
      case EMR_EXTCREATEPEN:
        if (Has(44)) {
          const std::uint32_t style = ReadLe32(At(28));
          const int width =
              (style & PS_TYPE_MASK) == PS_GEOMETRIC ? ClampSize(ReadLeInt32(At(32)) * ScaleX()) : 0;
          Store(ReadLe32(At(8)),
                CreatePen(static_cast<int>(style & PS_STYLE_MASK), width, ReadLe32(At(40)) & 0xFFFFFF));
        }
        break;
      case EMR_CREATEBRUSHINDIRECT:
        if (Has(24)) {
          LOGBRUSH lb;
          lb.lbStyle = ReadLe32(At(12));
          lb.lbColor = ReadLe32(At(16)) & 0xFFFFFF;
          lb.lbHatch = ReadLe32(At(20));
          if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED)
            lb.lbStyle = BS_SOLID;
          Store(ReadLe32(At(8)), CreateBrushIndirect(&lb));
        }
        break;
      case EMR_EXTCREATEFONTINDIRECTW:
        if (Has(104)) {
          LOGFONT lf;
          lf.lfHeight = ClampSize(ReadLeInt32(At(12)) * ScaleY());
          lf.lfWidth = ClampSize(ReadLeInt32(At(16)) * ScaleX());
          lf.lfEscapement = ReadLeInt32(At(20));
          lf.lfOrientation = ReadLeInt32(At(24));
          lf.lfWeight = ReadLeInt32(At(28));
          lf.lfItalic = *At(32);
          lf.lfUnderline = *At(33);
          lf.lfStrikeOut = *At(34);
          lf.lfCharSet = *At(35);
          lf.lfPitchAndFamily = *At(39);
          for (int i = 0; i < LF_FACESIZE - 1; ++i)
            lf.lfFaceName[i] = static_cast<WCHAR>(*At(40 + 2 * i) | (*At(41 + 2 * i) << 8));
          Store(ReadLe32(At(8)), CreateFontIndirect(&lf));
        }
        break;
      case EMR_SELECTOBJECT:
        if (Has(12)) {
          const std::uint32_t index = ReadLe32(At(8));
          if (index & 0x80000000u)
            SelectObject(dc_, GetStockObject(static_cast<int>(index & 0x7FFFFFFF)));
          else if (index < handles_.size() && handles_[index])
            SelectObject(dc_, handles_[index]);
        }
        break;
      case EMR_DELETEOBJECT:
        if (Has(12)) {
          const std::uint32_t index = ReadLe32(At(8));
          if (index < handles_.size() && handles_[index]) {
            DeleteObject(handles_[index]);  // a selected object lives until it is deselected
            handles_[index] = nullptr;
          }
        }
        break;
      case EMR_EXTTEXTOUTW:
        if (Has(76)) {
          const std::uint32_t count = ReadLe32(At(44)), offString = ReadLe32(At(48)),
                              options = ReadLe32(At(52));
          if (offString > length_ || count > (length_ - offString) / 2) break;
          String text;
          for (std::uint32_t i = 0; i < count; ++i)
            text += static_cast<char16_t>(*At(offString + 2 * i) | (*At(offString + 2 * i + 1) << 8));
          const POINT p = Map(ReadLeInt32(At(36)), ReadLeInt32(At(40)));
          const RECT r = MapRect(At(56));
          ExtTextOut(dc_, p.x, p.y, options & (ETO_OPAQUE | ETO_CLIPPED), &r, text.c_str(), count, nullptr);
        }
        break;
      case EMR_STRETCHDIBITS:
        if (Has(80)) {
          const POINT a = Map(ReadLeInt32(At(24)), ReadLeInt32(At(28)));
          const POINT b = Map(double(ReadLeInt32(At(24))) + ReadLeInt32(At(72)),
                              double(ReadLeInt32(At(28))) + ReadLeInt32(At(76)));
          Bitmap(ReadLe32(At(48)), ReadLe32(At(52)), ReadLe32(At(56)), ReadLe32(At(60)), a.x, a.y, b.x - a.x,
                 b.y - a.y, ReadLeInt32(At(32)), ReadLeInt32(At(36)), ReadLeInt32(At(40)),
                 ReadLeInt32(At(44)), ReadLe32(At(68)));
        }
        break;
      case EMR_BITBLT:
      case EMR_STRETCHBLT:
        if (Has(100)) {
          const int cx = ReadLeInt32(At(32)), cy = ReadLeInt32(At(36));
          const bool stretch = type == EMR_STRETCHBLT && Has(108);
          const POINT a = Map(ReadLeInt32(At(24)), ReadLeInt32(At(28)));
          const POINT b = Map(double(ReadLeInt32(At(24))) + cx, double(ReadLeInt32(At(28))) + cy);
          Bitmap(ReadLe32(At(84)), ReadLe32(At(88)), ReadLe32(At(92)), ReadLe32(At(96)), a.x, a.y, b.x - a.x,
                 b.y - a.y, ReadLeInt32(At(44)), ReadLeInt32(At(48)), stretch ? ReadLeInt32(At(100)) : cx,
                 stretch ? ReadLeInt32(At(104)) : cy, ReadLe32(At(40)));
        }
        break;
      default:
        break;  // comments, palettes, paths and the rest draw nothing here
    }
  }

  void Poly(int kind, const std::vector<POINT>& pts) {
    if (pts.empty()) return;
    const int n = static_cast<int>(pts.size());
    if (kind == 0)
      Polygon(dc_, pts.data(), n);
    else if (kind == 1)
      Polyline(dc_, pts.data(), n);
    else
      PolylineTo(dc_, pts.data(), static_cast<DWORD>(n));
  }

  void PolyPoly(bool polygons) {
    if (!Has(32)) return;
    const std::uint32_t polys = ReadLe32(At(24)), total = ReadLe32(At(28));
    if (polys > (length_ - 32) / 4) return;
    const size_t pointsAt = 32 + 4 * static_cast<size_t>(polys);
    if (total > (length_ - pointsAt) / 4) return;
    std::vector<POINT> pts;
    for (std::uint32_t i = 0; i < total; ++i)
      pts.push_back(Map(ReadLeInt16(At(pointsAt + 4 * i)), ReadLeInt16(At(pointsAt + 4 * i + 2))));
    size_t from = 0;
    for (std::uint32_t k = 0; k < polys; ++k) {
      const std::uint32_t count = ReadLe32(At(32 + 4 * k));
      if (count > pts.size() - from) return;
      std::vector<POINT> part(pts.begin() + static_cast<std::ptrdiff_t>(from),
                              pts.begin() + static_cast<std::ptrdiff_t>(from + count));
      Poly(polygons ? 0 : 1, part);
      from += count;
    }
  }

  HDC dc_;
  RECT dest_;
  double sx_ = 1, sy_ = 1, ox_ = 0, oy_ = 0;
  Mapping map_;
  std::vector<Mapping> saved_;
  std::vector<HGDIOBJ> handles_;
  const Byte* record_ = nullptr;
  size_t length_ = 0;
};

// --- Placeable (16-bit) metafiles ---

enum : std::uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_SETBKCOLOR = 0x0201,
  META_SETBKMODE = 0x0102,
  META_SETMAPMODE = 0x0103,
  META_SETROP2 = 0x0104,
  META_SETPOLYFILLMODE = 0x0106,
  META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_LINETO = 0x0213,
  META_MOVETO = 0x0214,
  META_RESTOREDC = 0x0127,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_DELETEOBJECT = 0x01F0,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_ELLIPSE = 0x0418,
  META_RECTANGLE = 0x041B,
  META_TEXTOUT = 0x0521,
  META_POLYPOLYGON = 0x0538,
  META_ROUNDRECT = 0x061C,
  META_DIBBITBLT = 0x0940,
  META_EXTTEXTOUT = 0x0A32,
  META_DIBSTRETCHBLT = 0x0B41,
  META_STRETCHDIB = 0x0F43,
};

class WmfPlayer {
 public:
  WmfPlayer(HDC dc, const RECT& dest) : dc_(dc), dest_(dest) {}

  bool Play(const Byte* data, size_t size) {
    if (size < 22 + 18 || ReadLe32(data) != 0x9AC6CDD7u) return false;
    const int left = ReadLeInt16(data + 6), top = ReadLeInt16(data + 8), right = ReadLeInt16(data + 10),
              bottom = ReadLeInt16(data + 12);
    if (right == left || bottom == top) return true;
    // Until the records say otherwise, the bounding box is the window.
    winOrg_ = POINT{left, top};
    winExt_ = SIZE{right - left, bottom - top};
    const size_t headerWords = static_cast<size_t>(data[22 + 2] | (data[22 + 3] << 8));
    handles_.assign(std::max<size_t>(1, static_cast<size_t>(data[22 + 10] | (data[22 + 11] << 8))), nullptr);
    const int saved = SaveDC(dc_);
    IntersectClipRect(dc_, dest_.left, dest_.top, dest_.right, dest_.bottom);
    size_t at = 22 + 2 * headerWords;
    for (size_t played = 0; at + 6 <= size && played < kMaxPlayedRecords; ++played) {
      const size_t words = ReadLe32(data + at);
      const std::uint16_t function = static_cast<std::uint16_t>(data[at + 4] | (data[at + 5] << 8));
      if (words < 3 || words > (size - at) / 2) break;
      record_ = data + at;
      length_ = 2 * words;
      if (function == META_EOF) break;
      Record(function);
      at += 2 * words;
    }
    RestoreDC(dc_, saved);
    for (HGDIOBJ h : handles_)
      if (h) DeleteObject(h);
    return true;
  }

 private:
  // The n-th 16-bit parameter.
  bool Has(size_t params) const { return length_ >= 6 + 2 * params; }
  int P(size_t n) const { return ReadLeInt16(record_ + 6 + 2 * n); }
  std::uint32_t P32(size_t n) const { return ReadLe32(record_ + 6 + 2 * n); }
  const Byte* Param(size_t n) const { return record_ + 6 + 2 * n; }

  double Sx() const { return static_cast<double>(dest_.right - dest_.left) / (winExt_.cx ? winExt_.cx : 1); }
  double Sy() const { return static_cast<double>(dest_.bottom - dest_.top) / (winExt_.cy ? winExt_.cy : 1); }
  POINT Map(int x, int y) const {
    return POINT{Clamp(dest_.left + (x - winOrg_.x) * Sx()), Clamp(dest_.top + (y - winOrg_.y) * Sy())};
  }

  // New objects take the first free slot of the table.
  void Store(HGDIOBJ object) {
    if (!object) return;
    for (auto& slot : handles_)
      if (!slot) {
        slot = object;
        return;
      }
    handles_.push_back(object);
  }

  std::vector<POINT> Points(size_t countParam) const {
    std::vector<POINT> pts;
    if (!Has(countParam + 1)) return pts;
    const int n = P(countParam);
    if (n < 0 || !Has(countParam + 1 + 2 * static_cast<size_t>(n))) return pts;
    for (int i = 0; i < n; ++i) pts.push_back(Map(P(countParam + 1 + 2 * i), P(countParam + 2 + 2 * i)));
    return pts;
  }

  void Stretch(size_t firstParam, bool hasSourceSize, bool hasUsage) {
    // rop (2 words), [usage], [source height, width], source y, x, [dest height, width] or height, width, y,
    // x, DIB
    size_t n = firstParam + 2 + (hasUsage ? 1 : 0);
    int srcH = 0, srcW = 0;
    if (hasSourceSize) {
      srcH = P(n);
      srcW = P(n + 1);
      n += 2;
    }
    const int srcY = P(n), srcX = P(n + 1), h = P(n + 2), w = P(n + 3), y = P(n + 4), x = P(n + 5);
    n += 6;
    if (!hasSourceSize) srcW = w, srcH = h;
    const size_t dibAt = 6 + 2 * n;
    if (dibAt >= length_) return;
    const POINT a = Map(x, y), b = Map(x + w, y + h);
    BlitDib(dc_, record_ + dibAt, length_ - dibAt, a.x, a.y, b.x - a.x, b.y - a.y, srcX, srcY, srcW, srcH,
            P32(firstParam));
  }

  void Text(int x, int y, const Byte* chars, int count, UINT options, const RECT* clip) {
    String text;
    for (int i = 0; i < count; ++i) text += static_cast<char16_t>(chars[i]);  // 8-bit text, Latin-1
    const POINT p = Map(x, y);
    ExtTextOut(dc_, p.x, p.y, options, clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  }

  void Record(std::uint16_t function) {
    switch (function) {
      case META_SETWINDOWORG:
        if (Has(2)) winOrg_ = POINT{P(1), P(0)};
        break;
      case META_SETWINDOWEXT:
        if (Has(2) && P(0) && P(1)) winExt_ = SIZE{P(1), P(0)};
        break;
      case META_SETMAPMODE:
        break;  // the box always fills the rectangle
      case META_SETBKMODE:
        if (Has(1)) SetBkMode(dc_, P(0));
        break;
      case META_SETROP2:
        if (Has(1)) SetROP2(dc_, P(0));
        break;
      case META_SETPOLYFILLMODE:
        if (Has(1)) SetPolyFillMode(dc_, P(0));
        break;
      case META_SETTEXTALIGN:
        if (Has(1)) SetTextAlign(dc_, static_cast<UINT>(P(0)));
        break;
      case META_SETBKCOLOR:
        if (Has(2)) SetBkColor(dc_, P32(0) & 0xFFFFFF);
        break;
      case META_SETTEXTCOLOR:
        if (Has(2)) SetTextColor(dc_, P32(0) & 0xFFFFFF);
        break;
      case META_SAVEDC:
        saved_.push_back({winOrg_, winExt_});
        SaveDC(dc_);
        break;
      case META_RESTOREDC:
        if (!saved_.empty()) {
          winOrg_ = saved_.back().first;
          winExt_ = saved_.back().second;
          saved_.pop_back();
          RestoreDC(dc_, -1);
        }
        break;
      case META_MOVETO:
      case META_LINETO:
        if (Has(2)) {
          const POINT p = Map(P(1), P(0));
          if (function == META_MOVETO)
            MoveToEx(dc_, p.x, p.y, nullptr);
          else
            LineTo(dc_, p.x, p.y);
        }
        break;
      case META_RECTANGLE:
      case META_ELLIPSE:
      case META_ROUNDRECT: {
        const size_t base = function == META_ROUNDRECT ? 2 : 0;
        if (!Has(base + 4)) break;
        const POINT a = Map(P(base + 3), P(base + 2)), b = Map(P(base + 1), P(base));
        if (function == META_RECTANGLE)
          Rectangle(dc_, a.x, a.y, b.x, b.y);
        else if (function == META_ELLIPSE)
          Ellipse(dc_, a.x, a.y, b.x, b.y);
        else
          RoundRect(dc_, a.x, a.y, b.x, b.y, ClampSize(P(1) * std::fabs(Sx())),
                    ClampSize(P(0) * std::fabs(Sy())));
        break;
      }
      case META_POLYGON:
      case META_POLYLINE: {
        const auto pts = Points(0);
        if (pts.empty()) break;
        if (function == META_POLYGON)
          Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
        else
          Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
        break;
      }
      case META_POLYPOLYGON: {
        if (!Has(1)) break;
        const int polys = P(0);
        if (polys <= 0 || !Has(1 + static_cast<size_t>(polys))) break;
        size_t at = 1 + static_cast<size_t>(polys);
        for (int k = 0; k < polys; ++k) {
          const int n = P(1 + k);
          if (n < 0 || !Has(at + 2 * static_cast<size_t>(n))) break;
          std::vector<POINT> pts;
          for (int i = 0; i < n; ++i) pts.push_back(Map(P(at + 2 * i), P(at + 2 * i + 1)));
          if (!pts.empty()) Polygon(dc_, pts.data(), n);
          at += 2 * static_cast<size_t>(n);
        }
        break;
      }
      case META_CREATEPENINDIRECT:
        if (Has(5))
          Store(CreatePen(P(0) & PS_STYLE_MASK, ClampSize(P(1) * std::fabs(Sx())), P32(3) & 0xFFFFFF));
        else
          Store(CreatePen(PS_NULL, 0, 0));  // the slot is taken all the same
        break;
      case META_CREATEBRUSHINDIRECT:
        if (Has(4)) {
          LOGBRUSH lb;
          lb.lbStyle = static_cast<UINT>(P(0));
          lb.lbColor = P32(1) & 0xFFFFFF;
          lb.lbHatch = static_cast<ULONG_PTR>(P(3));
          if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED)
            lb.lbStyle = BS_SOLID;
          Store(CreateBrushIndirect(&lb));
        } else {
          Store(GetStockObject(NULL_BRUSH));
        }
        break;
      case META_CREATEFONTINDIRECT:
        if (Has(9)) {
          LOGFONT lf;
          lf.lfHeight = ClampSize(P(0) * std::fabs(Sy()));
          lf.lfWidth = ClampSize(P(1) * std::fabs(Sx()));
          lf.lfEscapement = P(2);
          lf.lfOrientation = P(3);
          lf.lfWeight = P(4);
          const Byte* b = Param(5);
          lf.lfItalic = b[0];
          lf.lfUnderline = b[1];
          lf.lfStrikeOut = b[2];
          lf.lfCharSet = b[3];
          lf.lfPitchAndFamily = b[7];
          const size_t nameAt = 6 + 2 * 9;
          for (int i = 0; i < LF_FACESIZE - 1 && nameAt + i < length_ && record_[nameAt + i]; ++i)
            lf.lfFaceName[i] = static_cast<WCHAR>(record_[nameAt + i]);
          Store(CreateFontIndirect(&lf));
        }
        break;
      case META_SELECTOBJECT:
        if (Has(1)) {
          const size_t i = static_cast<std::uint16_t>(P(0));
          if (i < handles_.size() && handles_[i]) SelectObject(dc_, handles_[i]);
        }
        break;
      case META_DELETEOBJECT:
        if (Has(1)) {
          const size_t i = static_cast<std::uint16_t>(P(0));
          if (i < handles_.size() && handles_[i]) {
            DeleteObject(handles_[i]);
            handles_[i] = nullptr;
          }
        }
        break;
      case META_TEXTOUT:
        if (Has(1)) {
          const int count = P(0);
          const size_t words = (static_cast<size_t>(count) + 1) / 2;
          if (count < 0 || !Has(1 + words + 2)) break;
          Text(P(1 + words + 1), P(1 + words), Param(1), count, 0, nullptr);
        }
        break;
      case META_EXTTEXTOUT:
        if (Has(4)) {
          const int count = P(2);
          const UINT options = static_cast<UINT>(P(3)) & (ETO_OPAQUE | ETO_CLIPPED);
          size_t at = 4;
          RECT clip{};
          if (options && Has(8)) {
            const POINT a = Map(P(4), P(5)), b = Map(P(6), P(7));
            clip = RECT{a.x, a.y, b.x, b.y};
            at = 8;
          }
          if (count < 0 || !Has(at + (static_cast<size_t>(count) + 1) / 2)) break;
          Text(P(1), P(0), Param(at), count, options, options ? &clip : nullptr);
        }
        break;
      case META_STRETCHDIB:
        if (Has(11)) Stretch(0, true, true);
        break;
      case META_DIBSTRETCHBLT:
        if (Has(10)) Stretch(0, true, false);
        break;
      case META_DIBBITBLT:
        if (Has(8)) Stretch(0, false, false);
        break;
      default:
        break;
    }
  }

  HDC dc_;
  RECT dest_;
  POINT winOrg_;
  SIZE winExt_{1, 1};
  std::vector<std::pair<POINT, SIZE>> saved_;
  std::vector<HGDIOBJ> handles_;
  const Byte* record_ = nullptr;
  size_t length_ = 0;
};

}  // namespace

bool PlayEnhMetafile(HDC dc, const Byte* data, size_t size, const RECT& dest) {
  if (IsRectEmpty(&dest)) return true;
  return Player(dc, dest).Play(data, size);
}

bool PlayPlaceableMetafile(HDC dc, const Byte* data, size_t size, const RECT& dest) {
  if (IsRectEmpty(&dest)) return true;
  return WmfPlayer(dc, dest).Play(data, size);
}
