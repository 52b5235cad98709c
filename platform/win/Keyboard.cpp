// Keyboard layouts (US Latin and Russian Cyrillic) and the translation of keys into characters.
#include <array>

#include "platform/win/Help.h"
#include "platform/win/Input.h"
#include "platform/win/WinInternal.h"

namespace {

struct TKeyChars {
  UINT vk;
  Char plain;
  Char shifted;
};

// Keys whose characters differ between layouts; letters are handled per layout below.
constexpr std::array<TKeyChars, 21> kUsKeys{{
    {'0', u'0', u')'},          {'1', u'1', u'!'},          {'2', u'2', u'@'},
    {'3', u'3', u'#'},          {'4', u'4', u'$'},          {'5', u'5', u'%'},
    {'6', u'6', u'^'},          {'7', u'7', u'&'},          {'8', u'8', u'*'},
    {'9', u'9', u'('},          {VK_OEM_1, u';', u':'},     {VK_OEM_PLUS, u'=', u'+'},
    {VK_OEM_COMMA, u',', u'<'}, {VK_OEM_MINUS, u'-', u'_'}, {VK_OEM_PERIOD, u'.', u'>'},
    {VK_OEM_2, u'/', u'?'},     {VK_OEM_3, u'`', u'~'},     {VK_OEM_4, u'[', u'{'},
    {VK_OEM_5, u'\\', u'|'},    {VK_OEM_6, u']', u'}'},     {VK_OEM_7, u'\'', u'"'},
}};

// ЙЦУКЕН: the lower-case letter on each key (upper case is the same letter shifted).
struct TCyrKey {
  UINT vk;
  Char lower;
};
constexpr std::array<TCyrKey, 33> kRuLetters{{
    {'Q', u'й'},          {'W', u'ц'},           {'E', u'у'},      {'R', u'к'}, {'T', u'е'},
    {'Y', u'н'},          {'U', u'г'},           {'I', u'ш'},      {'O', u'щ'}, {'P', u'з'},
    {VK_OEM_4, u'х'},     {VK_OEM_6, u'ъ'},      {'A', u'ф'},      {'S', u'ы'}, {'D', u'в'},
    {'F', u'а'},          {'G', u'п'},           {'H', u'р'},      {'J', u'о'}, {'K', u'л'},
    {'L', u'д'},          {VK_OEM_1, u'ж'},      {VK_OEM_7, u'э'}, {'Z', u'я'}, {'X', u'ч'},
    {'C', u'с'},          {'V', u'м'},           {'B', u'и'},      {'N', u'т'}, {'M', u'ь'},
    {VK_OEM_COMMA, u'б'}, {VK_OEM_PERIOD, u'ю'}, {VK_OEM_3, u'ё'},
}};
constexpr std::array<TKeyChars, 14> kRuOther{{
    {'0', u'0', u')'},
    {'1', u'1', u'!'},
    {'2', u'2', u'"'},
    {'3', u'3', u'№'},
    {'4', u'4', u';'},
    {'5', u'5', u'%'},
    {'6', u'6', u':'},
    {'7', u'7', u'?'},
    {'8', u'8', u'*'},
    {'9', u'9', u'('},
    {VK_OEM_PLUS, u'=', u'+'},
    {VK_OEM_MINUS, u'-', u'_'},
    {VK_OEM_2, u'.', u','},
    {VK_OEM_5, u'\\', u'/'},
}};

HKL g_layout = HKL_US;

Char Upper(Char c) {
  if (c >= u'a' && c <= u'z') return static_cast<Char>(c - 32);
  if (c >= u'а' && c <= u'я') return static_cast<Char>(c - 32);
  if (c == u'ё') return u'Ё';
  return c;
}

bool IsRussian(HKL layout) { return layout == HKL_RUSSIAN; }

// The character of a key in a layout, before Ctrl handling; 0 when the key types none.
Char KeyChar(UINT vk, bool shift, bool caps, HKL layout) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<Char>(u'0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE:
      return u' ';
    case VK_MULTIPLY:
      return u'*';
    case VK_ADD:
      return u'+';
    case VK_SUBTRACT:
      return u'-';
    case VK_DECIMAL:
      return IsRussian(layout) ? u',' : u'.';
    case VK_DIVIDE:
      return u'/';
    default:
      break;
  }
  if (IsRussian(layout)) {
    for (auto& k : kRuLetters)
      if (k.vk == vk) return (shift != caps) ? Upper(k.lower) : k.lower;
    for (auto& k : kRuOther)
      if (k.vk == vk) return shift ? k.shifted : k.plain;
    return 0;
  }
  if (vk >= 'A' && vk <= 'Z') return static_cast<Char>((shift != caps) ? vk : vk + 32);
  for (auto& k : kUsKeys)
    if (k.vk == vk) return shift ? k.shifted : k.plain;
  return 0;
}

}  // namespace

HKL GetKeyboardLayout(DWORD) { return g_layout; }

HKL ActivateKeyboardLayout(HKL layout, UINT) {
  if (layout != HKL_US && layout != HKL_RUSSIAN) return nullptr;
  HKL old = g_layout;
  g_layout = layout;
  return old;
}

SHORT VkKeyScanEx(WCHAR ch, HKL layout) {
  switch (ch) {
    case u'\b':
      return VK_BACK;
    case u'\t':
      return VK_TAB;
    case u'\r':
      return VK_RETURN;
    case 27:
      return VK_ESCAPE;
    case u' ':
      return VK_SPACE;
    default:
      break;
  }
  if (ch >= 1 && ch <= 26) return static_cast<SHORT>(0x200 | ('A' + ch - 1));
  for (UINT vk = 0x20; vk < 0xE0; ++vk) {
    if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) continue;
    if (KeyChar(vk, false, false, layout) == ch) return static_cast<SHORT>(vk);
    if (KeyChar(vk, true, false, layout) == ch) return static_cast<SHORT>(0x100 | vk);
  }
  return -1;
}

SHORT VkKeyScan(WCHAR ch) { return VkKeyScanEx(ch, g_layout); }

UINT MapVirtualKey(UINT code, UINT mapType) {
  // Scan codes of the standard keyboard for the keys that have one in common use.
  static const BYTE kScan[256] = {
      0,    0,    0,    0x46, 0,    0,    0,    0,    0x0E, 0x0F, 0,    0,    0x4C, 0x1C, 0,    0,     // 0x00
      0x2A, 0x1D, 0x38, 0,    0x3A, 0,    0,    0,    0,    0,    0,    0x01, 0,    0,    0,    0,     // 0x10
      0x39, 0x49, 0x51, 0x4F, 0x47, 0x4B, 0x48, 0x4D, 0x50, 0,    0,    0,    0x54, 0x52, 0x53, 0,     // 0x20
      0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0,    0,    0,    0,    0,    0,     // 0x30
      0,    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32, 0x31, 0x18,  // 0x40
      0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C, 0x5B, 0x5C, 0x5D, 0,    0,     // 0x50
      0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x37, 0x4E, 0,    0x4A, 0x53, 0x35,  // 0x60
      0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58, 0,    0,    0,    0,     // 0x70
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0x80
      0x45, 0x46, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0x90
      0x2A, 0x36, 0x1D, 0x1D, 0x38, 0x38, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0xA0
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x27, 0x0D, 0x33, 0x0C, 0x34, 0x35,  // 0xB0
      0x29, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0xC0
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x1A, 0x2B, 0x1B, 0x28, 0,     // 0xD0
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0xE0
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     // 0xF0
  };
  switch (mapType) {
    case MAPVK_VK_TO_VSC:
      return code < 256 ? kScan[code] : 0;
    case MAPVK_VSC_TO_VK:
      for (UINT vk = 0; vk < 256; ++vk)
        if (kScan[vk] == code && code) return vk;
      return 0;
    case MAPVK_VK_TO_CHAR: {
      Char c = KeyChar(code, false, false, g_layout);
      return c ? static_cast<UINT>(Upper(c)) : 0;
    }
    default:
      return 0;
  }
}

int ToUnicodeEx(UINT vk, UINT, const BYTE* state, LPWSTR buffer, int bufferSize, UINT, HKL layout) {
  if (!buffer || bufferSize < 1 || !state) return 0;
  bool shift = state[VK_SHIFT] & 0x80;
  bool ctrl = state[VK_CONTROL] & 0x80;
  bool alt = state[VK_MENU] & 0x80;
  bool caps = state[VK_CAPITAL] & 0x01;
  Char c = 0;
  switch (vk) {
    case VK_BACK:
      c = ctrl ? 127 : 8;
      break;
    case VK_TAB:
      c = ctrl ? 0 : 9;
      break;
    case VK_RETURN:
      c = ctrl ? 10 : 13;
      break;
    case VK_ESCAPE:
      c = 27;
      break;
    case VK_CANCEL:
      c = ctrl ? 3 : 0;
      break;
    default:
      if (ctrl && !alt) {
        if (vk >= 'A' && vk <= 'Z')
          c = static_cast<Char>(vk - 'A' + 1);
        else if (vk == VK_OEM_4)
          c = 27;
        else if (vk == VK_OEM_5)
          c = 28;
        else if (vk == VK_OEM_6)
          c = 29;
        else if (vk == VK_SPACE)
          c = u' ';
        else if (vk == '2' && shift)
          c = 0;
        else if (vk == VK_OEM_MINUS && shift)
          c = 31;
      } else if (!(ctrl && alt)) {
        c = KeyChar(vk, shift, caps, layout);
      }
  }
  if (!c) return 0;
  buffer[0] = c;
  return 1;
}

int ToUnicode(UINT vk, UINT scanCode, const BYTE* state, LPWSTR buffer, int bufferSize, UINT flags) {
  return ToUnicodeEx(vk, scanCode, state, buffer, bufferSize, flags, g_layout);
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) PostMessage(msg->hwnd, WM_KEYF1, 0, 0);
  if (msg->wParam == VK_PACKET) {
    PostMessage(msg->hwnd, charMessage, HIWORD(static_cast<std::uintptr_t>(msg->lParam)), msg->lParam);
    return TRUE;
  }
  BYTE state[256];
  GetKeyboardState(state);
  WCHAR buffer[4];
  int n = ToUnicode(static_cast<UINT>(msg->wParam), 0, state, buffer, 4, 0);
  for (int i = 0; i < n; ++i) PostMessage(msg->hwnd, charMessage, buffer[i], msg->lParam);
  return TRUE;
}
