// The framework's edit-mask language: a mask part of mask characters, literals and directives,
// optionally followed by a save field (";0" drops literals from the text) and a blank field (";_").
// Mask positions are 1-based, text positions 0-based; every position is one UTF-16 unit, so a
// character is never split.
#pragma once

#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Types.h"

TRENVIK_ENUM(TdxMaskCharType, mcNone, mcLiteral, mcIntlLiteral, mcDirective, mcMask, mcMaskOpt,
             mcFieldSeparator, mcField);
TRENVIK_ENUM(TdxMaskDirective, mdReverseDir, mdUpperCase, mdLowerCase, mdLiteralChar);
using TdxMaskDirectives = Set<TdxMaskDirective>;

constexpr Char dxMaskFieldSeparator = u';';
constexpr Char dxMaskNoSave = u'0';
constexpr Char dxDefaultMaskBlank = u'_';

TdxMaskCharType GetMaskCharType(const String& Mask, int MaskPos);
TdxMaskDirectives GetMaskDirectives(const String& Mask, int MaskPos);
// "/" is the locale's date separator, ":" its time separator.
Char IntlLiteralToChar(Char C);
// The display text of a value given without literals.
String ApplyMaskFormat(const String& Mask, const String& Value, Char Blank);
bool ReadMaskSaveFlag(const String& Mask);
Char ReadMaskBlank(const String& Mask);
// The number of text positions up to and including the mask position.
int MaskPosToTextPos(const String& Mask, int MaskPos);
// The mask position of a text position; -1 beyond the end.
int TextPosToMaskPos(const String& Mask, int TextPos);
bool IsLiteralPosition(const String& Mask, int TextPos);
// The number of text positions of the mask (its text's length).
int MaskCharCount(const String& Mask);
// Pads (with Blank) or cuts Value[StartField, StopField) to Length characters.
String FitSubField(const String& Mask, const String& Value, int StartField, int StopField, int Length, Char Blank);
// A text that contains literals, aligned field by field with the mask's literals.
String AlignToLiterals(const String& Mask, const String& Value, Char Blank);
// The text without its literals and outer blanks (remaining blanks become spaces).
String StripMask(const String& Mask, const String& Value, Char Blank);
// Whether a typed character fits the mask position; Fitted is the character as stored (a literal
// replaces it, letters take the case the directives ask for).
bool AcceptMaskChar(const String& Mask, int MaskPos, Char Typed, Char& Fitted);
// Every required position is filled: no blank (unless IgnoreBlank) and, but for "C", no space.
// FirstMissing is the first failing text position.
bool IsMaskTextComplete(const String& Mask, const String& Text, Char Blank, bool IgnoreBlank, int& FirstMissing);
