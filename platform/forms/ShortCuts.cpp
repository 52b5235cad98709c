// Short cuts: a key with modifier bits, and their texts ("Ctrl+O").
#include "platform/forms/Menus.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

struct TKeyName {
  Word Key;
  const char16_t* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, u"BkSp"},   {VK_TAB, u"Tab"},        {VK_ESCAPE, u"Esc"},    {VK_RETURN, u"Enter"},
    {VK_SPACE, u"Space"}, {VK_PRIOR, u"PgUp"},     {VK_NEXT, u"PgDn"},     {VK_END, u"End"},
    {VK_HOME, u"Home"},   {VK_LEFT, u"Left"},      {VK_UP, u"Up"},         {VK_RIGHT, u"Right"},
    {VK_DOWN, u"Down"},   {VK_INSERT, u"Ins"},     {VK_DELETE, u"Del"},    {VK_MULTIPLY, u"Num *"},
    {VK_ADD, u"Num +"},   {VK_SUBTRACT, u"Num -"}, {VK_DECIMAL, u"Num ."}, {VK_DIVIDE, u"Num /"},
};

constexpr TKeyName kModifiers[] = {{scShift, u"Shift+"}, {scCtrl, u"Ctrl+"}, {scAlt, u"Alt+"}};

String KeyName(Word Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, static_cast<Char>(Key));
  if (Key >= VK_F1 && Key <= VK_F12) return u"F" + IntToStr(Key - VK_F1 + 1);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return u"Num " + IntToStr(Key - VK_NUMPAD0);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == Key) return k.Name;
  return String();
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result |= scShift;
  if (Shift.Contains(ssCtrl)) result |= scCtrl;
  if (Shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = {};
  if (Value & scShift) Shift += TShiftState{ssShift};
  if (Value & scCtrl) Shift += TShiftState{ssCtrl};
  if (Value & scAlt) Shift += TShiftState{ssAlt};
}

String ShortCutToText(TShortCut Value) {
  String name = KeyName(Value & 0xFF);
  if (name.empty()) return String();
  String result;
  for (const TKeyName& m : kModifiers)
    if (Value & m.Key) result += m.Name;
  return result + name;
}

TShortCut TextToShortCut(const String& Text) {
  String rest = Text;
  TShortCut modifiers = 0;
  // Modifiers may come in any order; each is recognised without case.
  for (bool found = true; found;) {
    found = false;
    for (const TKeyName& m : kModifiers) {
      String name = m.Name;
      if (rest.size() > name.size() && AnsiSameText(rest.substr(0, name.size()), name)) {
        modifiers |= m.Key;
        rest.erase(0, name.size());
        found = true;
      }
    }
  }
  if (rest.empty()) return scNone;
  for (Word key = 1; key < 0x100; ++key) {
    String name = KeyName(key);
    if (!name.empty() && AnsiSameText(name, rest)) return static_cast<TShortCut>(key | modifiers);
  }
  return scNone;
}

TShortCut ShortCutFromMessage(const TWMKey& Message) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift += TShiftState{ssShift};
  if (GetKeyState(VK_CONTROL) < 0) shift += TShiftState{ssCtrl};
  if (Message.KeyData() & (1 << 29)) shift += TShiftState{ssAlt};
  return ShortCut(static_cast<Word>(Message.CharCode()), shift);
}

String StripHotkey(const String& Text) {
  String result;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'&' && i + 1 < Text.size()) ++i;
    result += Text[i];
  }
  return result;
}
