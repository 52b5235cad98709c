// The texts in which stored view properties travel: bytes as hexadecimal text, Booleans as
// "TRUE"/"FALSE" and small sets as bracketed lists of element names.
#pragma once

#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

TRENVIK_DECLARE_EXCEPTION(EcxHexStringConvertError, Exception);

String StringToHexString(const AnsiString& AText);
// A last unpaired digit is ignored; a character that is no hexadecimal digit raises.
AnsiString HexStringToString(const String& AHexText);
bool StringToBoolean(const String& AText);
String SetToString(unsigned ASet, const std::vector<String>& ANames);
// Pieces are compared untrimmed; a piece that names no element is skipped.
unsigned StringToSet(const String& AText, const std::vector<String>& ANames);
