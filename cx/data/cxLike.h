// LIKE patterns: a many-character and a one-character wildcard, no escape character, case-sensitive.
#pragma once

#include <string_view>

#include "platform/rtl/Types.h"

bool cxLikeMatch(std::u16string_view AText, std::u16string_view APattern, Char AMany, Char AOne);
bool cxLikeMatch(const AnsiString& AText, const AnsiString& APattern, char AMany, char AOne);

// Collapses runs of the wildcard and strips one at each end: 0 none, 1 a trailing one only ("begins
// with"), 2 a leading one only ("ends with"), 3 both ("contains").
int cxStripLikeWildcards(String& AText, Char AWildcard);
