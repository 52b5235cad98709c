#include "cx/editors-ext/cxNumberTyping.h"

#include <algorithm>

String cxTextWithCharTyped(const String& AText, int ASelStart, int ASelLength, Char AChar) {
  String text = AText;
  const int start = std::clamp(ASelStart, 0, static_cast<int>(text.size()));
  const int length = std::clamp(ASelLength, 0, static_cast<int>(text.size()) - start);
  text.replace(static_cast<size_t>(start), static_cast<size_t>(length), 1, AChar);
  return text;
}

int cxFractionLength(const String& AText, Char ADecimalSeparator) {
  const size_t separator = AText.find(ADecimalSeparator);
  if (separator == String::npos) return 0;
  size_t end = separator + 1;
  while (end < AText.size() && AText[end] != u'E' && AText[end] != u'e') ++end;
  return static_cast<int>(end - separator - 1);
}
