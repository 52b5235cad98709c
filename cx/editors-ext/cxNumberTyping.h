// What a numeric editor checks before it takes a typed character: the text the character would
// make and the length of its fraction.
#pragma once

#include "platform/rtl/Types.h"

// AText with its selection (clamped to the text) replaced by AChar.
String cxTextWithCharTyped(const String& AText, int ASelStart, int ASelLength, Char AChar);
// The characters after the decimal separator up to an exponent; 0 without a separator.
int cxFractionLength(const String& AText, Char ADecimalSeparator);
