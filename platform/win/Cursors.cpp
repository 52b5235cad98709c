// Cursors: handles of standard shapes, cursors read from .cur files or made from masks.
#include "platform/win/Cursors.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <unordered_map>

#include "platform/gdi/LittleEndian.h"
#include "platform/rtl/String.h"
#include "platform/win/WinInternal.h"

namespace {

std::unordered_map<HCURSOR, std::unique_ptr<TCursorInfo>>& CursorTable() {
  static std::unordered_map<HCURSOR, std::unique_ptr<TCursorInfo>> table;
  return table;
}
std::uintptr_t g_nextCursor = 0x30010;
HCURSOR g_current = nullptr;
int g_showCount = 0;
std::function<void(HCURSOR)> g_changed;
std::string g_folder;
std::function<HCURSOR(HINSTANCE, LPCWSTR)> g_loader;
std::unordered_map<String, HCURSOR>& Named() {
  static std::unordered_map<String, HCURSOR> named;
  return named;
}

HCURSOR Register(std::unique_ptr<TCursorInfo> info) {
  HCURSOR h = reinterpret_cast<HCURSOR>(g_nextCursor);
  g_nextCursor += 2;
  CursorTable().emplace(h, std::move(info));
  return h;
}

// The file's little-endian fields, read by the drawing layer's one reader.
std::uint16_t U16(const std::string& d, size_t at) {
  return static_cast<std::uint16_t>(ReadLe16(reinterpret_cast<const Byte*>(d.data()) + at));
}
std::uint32_t U32(const std::string& d, size_t at) {
  return ReadLe32(reinterpret_cast<const Byte*>(d.data()) + at);
}

// The first image of a .cur file: a DIB (1, 4, 8, 24 or 32 bits) with its AND mask.
HCURSOR ParseCur(const std::string& d) {
  if (d.size() < 22 || U16(d, 2) != 2 || U16(d, 4) < 1) return nullptr;
  auto info = std::make_unique<TCursorInfo>();
  info->hotSpot = {U16(d, 10), U16(d, 12)};
  size_t off = U32(d, 18);
  if (off + 40 > d.size()) return nullptr;
  int w = static_cast<int>(U32(d, off + 4));
  int h2 = static_cast<int>(U32(d, off + 8));
  int bpp = U16(d, off + 14);
  int h = h2 / 2;
  if (w <= 0 || h <= 0 || w > 256 || h > 256) return nullptr;
  size_t hdr = U32(d, off);
  int colors = bpp <= 8 ? (U32(d, off + 32) ? static_cast<int>(U32(d, off + 32)) : 1 << bpp) : 0;
  size_t pal = off + hdr;
  size_t xorOff = pal + static_cast<size_t>(colors) * 4;
  size_t xorStride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
  size_t andOff = xorOff + xorStride * h;
  size_t andStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  if (andOff + andStride * h > d.size()) return nullptr;
  info->width = w;
  info->height = h;
  info->pixels.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    size_t row = static_cast<size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      std::uint32_t rgb = 0;
      size_t p = xorOff + row * xorStride;
      if (bpp == 32)
        rgb = U32(d, p + x * 4) & 0xFFFFFF;
      else if (bpp == 24)
        rgb = U16(d, p + x * 3) | (static_cast<unsigned char>(d[p + x * 3 + 2]) << 16);
      else {
        int perByte = 8 / bpp;
        unsigned char byte = static_cast<unsigned char>(d[p + x / perByte]);
        int index = (byte >> ((perByte - 1 - x % perByte) * bpp)) & ((1 << bpp) - 1);
        rgb = U32(d, pal + static_cast<size_t>(index) * 4) & 0xFFFFFF;
      }
      bool transparent = (static_cast<unsigned char>(d[andOff + row * andStride + x / 8]) >> (7 - x % 8)) & 1;
      info->pixels[static_cast<size_t>(y) * w + x] = transparent && rgb == 0 ? 0 : (0xFF000000u | rgb);
    }
  }
  return Register(std::move(info));
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name) {
  if (!name) return nullptr;
  if (!instance && IS_INTRESOURCE(name)) {
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    if (id < 32512 || id > 32651) return nullptr;
    String key = u"#std" + Utf8ToString(std::to_string(id));
    auto it = Named().find(key);
    if (it != Named().end()) return it->second;
    auto info = std::make_unique<TCursorInfo>();
    info->standardId = id;
    info->width = info->height = 32;
    return Named()[key] = Register(std::move(info));
  }
  String key = IS_INTRESOURCE(name)
                   ? u"#" + Utf8ToString(std::to_string(reinterpret_cast<std::uintptr_t>(name)))
                   : String(name);
  auto it = Named().find(key);
  if (it != Named().end()) return it->second;
  HCURSOR h = g_loader ? g_loader(instance, name) : nullptr;
  if (!h && !g_folder.empty() && !IS_INTRESOURCE(name)) {
    std::string path = g_folder + "/" + StringToUtf8(key) + ".cur";
    h = LoadCursorFromFile(Utf8ToString(path).c_str());
  }
  if (h) Named()[key] = h;
  return h;
}

HCURSOR LoadCursorFromFile(LPCWSTR fileName) {
  if (!fileName) return nullptr;
  std::ifstream in(StringToUtf8(fileName), std::ios::binary);
  if (!in) return nullptr;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseCur(data);
}

HCURSOR CreateCursor(HINSTANCE, int xHotSpot, int yHotSpot, int width, int height, const void* andPlane,
                     const void* xorPlane) {
  if (width <= 0 || height <= 0 || !andPlane || !xorPlane) return nullptr;
  auto info = std::make_unique<TCursorInfo>();
  info->hotSpot = {xHotSpot, yHotSpot};
  info->width = width;
  info->height = height;
  info->pixels.resize(static_cast<size_t>(width) * height);
  int stride = ((width + 15) / 16) * 2;
  auto a = static_cast<const unsigned char*>(andPlane);
  auto x = static_cast<const unsigned char*>(xorPlane);
  for (int row = 0; row < height; ++row)
    for (int col = 0; col < width; ++col) {
      bool andBit = (a[row * stride + col / 8] >> (7 - col % 8)) & 1;
      bool xorBit = (x[row * stride + col / 8] >> (7 - col % 8)) & 1;
      std::uint32_t p = andBit ? (xorBit ? 0xFF000000u : 0) : (xorBit ? 0xFFFFFFFFu : 0xFF000000u);
      info->pixels[static_cast<size_t>(row) * width + col] = p;
    }
  return Register(std::move(info));
}

BOOL DestroyCursor(HCURSOR cursor) {
  auto it = CursorTable().find(cursor);
  if (it == CursorTable().end() || it->second->standardId) return FALSE;
  for (auto& [name, h] : Named())
    if (h == cursor) return TRUE;  // shared resource cursors live on
  CursorTable().erase(it);
  if (g_current == cursor) g_current = nullptr;
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = g_current;
  g_current = cursor;
  if (old != cursor && g_changed) g_changed(g_showCount >= 0 ? cursor : nullptr);
  return old;
}

HCURSOR GetCursor() { return g_current; }

int ShowCursor(BOOL show) {
  int before = g_showCount;
  g_showCount += show ? 1 : -1;
  if ((before >= 0) != (g_showCount >= 0) && g_changed) g_changed(g_showCount >= 0 ? g_current : nullptr);
  return g_showCount;
}

bool GetCursorDetails(HCURSOR cursor, TCursorInfo* info) {
  auto it = CursorTable().find(cursor);
  if (it == CursorTable().end()) return false;
  if (info) *info = *it->second;
  return true;
}

void SetCursorChangedHook(std::function<void(HCURSOR)> hook) { g_changed = std::move(hook); }
void SetCursorResourceFolder(const std::string& folder) { g_folder = folder; }
void SetCursorResourceLoader(std::function<HCURSOR(HINSTANCE, LPCWSTR)> loader) {
  g_loader = std::move(loader);
}
