#include "platform/win/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Objects.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/WinInternal.h"

namespace {

struct TGlobal {
  std::vector<unsigned char> bytes;
  int locks = 0;
};
std::unordered_map<HGLOBAL, std::unique_ptr<TGlobal>>& Globals() {
  static std::unordered_map<HGLOBAL, std::unique_ptr<TGlobal>> globals;
  return globals;
}

struct TClip {
  bool open = false;
  HWND openedBy = nullptr;
  HWND owner = nullptr;
  bool changed = false;
  std::vector<std::pair<UINT, HANDLE>> formats;  // in the order they were set
  HWND viewer = nullptr;
  DWORD sequence = 1;
  std::function<void(const String&)> bridge;
  std::vector<HGLOBAL> synthesized;
} g_clip;

HANDLE Find(UINT format) {
  for (auto& [f, h] : g_clip.formats)
    if (f == format) return h;
  return nullptr;
}

void FreeData(UINT format, HANDLE h) {
  if (!h) return;
  if (format == CF_BITMAP)
    DeleteObject(h);
  else
    GlobalFree(h);
}

HGLOBAL MakeGlobal(const void* data, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(h), data, size);
  GlobalUnlock(h);
  return h;
}

String UnicodeOf(HANDLE h) {
  auto* p = static_cast<const Char*>(GlobalLock(h));
  size_t n = GlobalSize(h) / sizeof(Char);
  String s(p, p + n);
  GlobalUnlock(h);
  s.resize(std::find(s.begin(), s.end(), u'\0') - s.begin());
  return s;
}

AnsiString AnsiOf(HANDLE h) {
  auto* p = static_cast<const char*>(GlobalLock(h));
  AnsiString s(p, p + GlobalSize(h));
  GlobalUnlock(h);
  s.resize(std::find(s.begin(), s.end(), '\0') - s.begin());
  return s;
}

String CurrentText() {
  if (HANDLE u = Find(CF_UNICODETEXT)) return UnicodeOf(u);
  if (HANDLE a = Find(CF_TEXT)) return AnsiToString(AnsiOf(a));
  return String();
}

void Changed() {
  g_clip.sequence++;
  if (g_clip.viewer && IsWindow(g_clip.viewer)) SendMessage(g_clip.viewer, WM_DRAWCLIPBOARD, 0, 0);
}

void Clear() {
  for (auto& [f, h] : g_clip.formats) FreeData(f, h);
  g_clip.formats.clear();
  for (HGLOBAL h : g_clip.synthesized) GlobalFree(h);
  g_clip.synthesized.clear();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
  static std::uintptr_t next = 0x40010;
  HGLOBAL h = reinterpret_cast<HGLOBAL>(next);
  next += 2;
  auto g = std::make_unique<TGlobal>();
  g->bytes.assign(bytes, 0);
  (void)flags;
  Globals().emplace(h, std::move(g));
  return h;
}

void* GlobalLock(HGLOBAL mem) {
  auto it = Globals().find(mem);
  if (it == Globals().end()) return nullptr;
  it->second->locks++;
  return it->second->bytes.empty() ? static_cast<void*>(it->second.get()) : it->second->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  auto it = Globals().find(mem);
  if (it == Globals().end() || it->second->locks == 0) return FALSE;
  return --it->second->locks > 0;
}

size_t GlobalSize(HGLOBAL mem) {
  auto it = Globals().find(mem);
  return it == Globals().end() ? 0 : it->second->bytes.size();
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!mem) return nullptr;
  return Globals().erase(mem) ? nullptr : mem;
}

BOOL OpenClipboard(HWND owner) {
  if (g_clip.open && g_clip.openedBy != owner) return FALSE;
  if (owner && !IsWindow(owner)) return FALSE;
  g_clip.open = true;
  g_clip.openedBy = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!g_clip.open) return FALSE;
  g_clip.open = false;
  g_clip.openedBy = nullptr;
  if (g_clip.changed) {
    g_clip.changed = false;
    if (g_clip.bridge && (Find(CF_UNICODETEXT) || Find(CF_TEXT))) g_clip.bridge(CurrentText());
    Changed();
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!g_clip.open) return FALSE;
  HWND previous = g_clip.owner;
  if (previous && previous != g_clip.openedBy && IsWindow(previous))
    SendMessage(previous, WM_DESTROYCLIPBOARD, 0, 0);
  Clear();
  g_clip.owner = g_clip.openedBy;
  g_clip.changed = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  if (!g_clip.open || !format) return nullptr;
  for (auto it = g_clip.formats.begin(); it != g_clip.formats.end(); ++it)
    if (it->first == format) {
      FreeData(format, it->second);
      g_clip.formats.erase(it);
      break;
    }
  g_clip.formats.emplace_back(format, data);
  g_clip.changed = true;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  if (!g_clip.open) return nullptr;
  if (HANDLE h = Find(format)) return h;
  if (format == CF_UNICODETEXT && Find(CF_TEXT)) {
    String s = AnsiToString(AnsiOf(Find(CF_TEXT)));
    HGLOBAL h = MakeGlobal(s.c_str(), (s.size() + 1) * sizeof(Char));
    g_clip.synthesized.push_back(h);
    return h;
  }
  if ((format == CF_TEXT || format == CF_OEMTEXT) && Find(CF_UNICODETEXT)) {
    AnsiString s = StringToAnsi(UnicodeOf(Find(CF_UNICODETEXT)));
    HGLOBAL h = MakeGlobal(s.c_str(), s.size() + 1);
    g_clip.synthesized.push_back(h);
    return h;
  }
  return nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (Find(format)) return TRUE;
  if (format == CF_UNICODETEXT) return Find(CF_TEXT) != nullptr;
  if (format == CF_TEXT || format == CF_OEMTEXT)
    return Find(CF_UNICODETEXT) != nullptr || Find(CF_TEXT) != nullptr;
  return FALSE;
}

UINT EnumClipboardFormats(UINT format) {
  if (!g_clip.open) return 0;
  std::vector<UINT> list;
  for (auto& [f, h] : g_clip.formats) list.push_back(f);
  if (Find(CF_UNICODETEXT) && !Find(CF_TEXT)) list.push_back(CF_TEXT);
  if (Find(CF_TEXT) && !Find(CF_UNICODETEXT)) list.push_back(CF_UNICODETEXT);
  if (format == 0) return list.empty() ? 0 : list.front();
  auto it = std::find(list.begin(), list.end(), format);
  return (it == list.end() || it + 1 == list.end()) ? 0 : *(it + 1);
}

int CountClipboardFormats() { return static_cast<int>(g_clip.formats.size()); }

UINT RegisterClipboardFormat(LPCWSTR name) { return name && *name ? GlobalAddAtom(name) : 0; }

int GetClipboardFormatName(UINT format, LPWSTR buffer, int maxCount) {
  if (format < 0xC000 || format > 0xFFFF || !buffer || maxCount <= 0) return 0;
  String name = AtomName(static_cast<ATOM>(format));
  int n = std::min<int>(static_cast<int>(name.size()), maxCount - 1);
  std::copy_n(name.begin(), n, buffer);
  buffer[n] = 0;
  return n;
}

HWND GetClipboardOwner() { return g_clip.owner; }
HWND GetOpenClipboardWindow() { return g_clip.open ? g_clip.openedBy : nullptr; }
DWORD GetClipboardSequenceNumber() { return g_clip.sequence; }

HWND SetClipboardViewer(HWND viewer) {
  HWND next = g_clip.viewer;
  g_clip.viewer = viewer;
  if (viewer && IsWindow(viewer)) SendMessage(viewer, WM_DRAWCLIPBOARD, 0, 0);
  return next;
}

BOOL ChangeClipboardChain(HWND remove, HWND next) {
  HWND head = g_clip.viewer;
  if (head == remove) g_clip.viewer = next;
  if (head && IsWindow(head) && head != remove)
    SendMessage(head, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(remove), reinterpret_cast<LPARAM>(next));
  return TRUE;
}

HWND GetClipboardViewer() { return g_clip.viewer; }

void SetClipboardBridge(std::function<void(const String&)> publish) { g_clip.bridge = std::move(publish); }

void ImportClipboardText(const String& text) {
  if (!IsUiThread()) return MarshalToUi([&] { ImportClipboardText(text); });
  if (g_clip.open) return;
  Clear();
  g_clip.owner = nullptr;
  g_clip.formats.emplace_back(CF_UNICODETEXT, MakeGlobal(text.c_str(), (text.size() + 1) * sizeof(Char)));
  Changed();
}
