// Case folding for searches over many rows: one upper-case code unit per code unit, with the common
// alphabets (ASCII, Cyrillic) done inline, so that comparing a million texts allocates nothing.
#pragma once

#include <string_view>

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Types.h"

inline Char FoldChar(Char c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c;
  if (c >= 0x430 && c <= 0x44F) return static_cast<Char>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<Char>(c - 0x50);
  if (c >= 0x400 && c <= 0x42F) return c;
  return AnsiUpperChar(c);
}

inline String FoldText(std::u16string_view s) {
  String r(s);
  for (Char& c : r) c = FoldChar(c);
  return r;
}

// Compares a text with an already folded key: equal (or, with Prefix, starting with it).
inline bool FoldedMatch(std::u16string_view text, std::u16string_view foldedKey, bool Prefix) {
  if (Prefix ? text.size() < foldedKey.size() : text.size() != foldedKey.size()) return false;
  for (std::size_t i = 0; i < foldedKey.size(); ++i)
    if (FoldChar(text[i]) != foldedKey[i]) return false;
  return true;
}

inline bool ExactMatch(std::u16string_view text, std::u16string_view key, bool Prefix) {
  if (Prefix) return text.size() >= key.size() && text.substr(0, key.size()) == key;
  return text == key;
}
