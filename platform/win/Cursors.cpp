// Cursors: handles of standard shapes, cursors read from .cur files or made from masks.
#include "platform/win/Cursors.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <unordered_map>

#include "platform/gdi/BmpFormat.h"
#include "platform/gdi/LittleEndian.h"
#include "platform/rtl/Exceptions.h"
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

// The first image of a .cur file: a DIB with its AND mask, read by the drawing layer's bitmap
// reader, which checks every count and offset against the file.
HCURSOR ParseCur(const std::string& d) {
  const auto* bytes = reinterpret_cast<const Byte*>(d.data());
  if (d.size() < 22 || ReadLe16(bytes + 2) != 2 || ReadLe16(bytes + 4) < 1) return nullptr;
  const size_t off = ReadLe32(bytes + 18);
  if (off >= d.size()) return nullptr;
  TDibImage image;
  try {
    image = DecodeDib(bytes + off, d.size() - off, true);
  } catch (const EInvalidGraphic&) {
    return nullptr;
  }
  if (image.Width > 256 || image.Height > 256) return nullptr;
  auto info = std::make_unique<TCursorInfo>();
  info->hotSpot = {static_cast<LONG>(ReadLe16(bytes + 10)), static_cast<LONG>(ReadLe16(bytes + 12))};
  info->width = image.Width;
  info->height = image.Height;
  info->pixels.resize(image.Pixels.size());
  for (size_t i = 0; i < image.Pixels.size(); ++i) {
    const std::uint32_t rgb = image.Pixels[i] & 0xFFFFFF;
    info->pixels[i] = image.Mask[i] && rgb == 0 ? 0 : (0xFF000000u | rgb);
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
