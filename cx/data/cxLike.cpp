#include "cx/data/cxLike.h"

namespace {

// Matching with backtracking to the last many-wildcard: the same answers as trying every split, in
// time proportional to text times pattern at worst.
template <class S, class C>
bool LikeMatch(const S& text, const S& pattern, C many, C one) {
  size_t t = 0, p = 0;
  size_t starP = S::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == many) {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && (pattern[p] == one || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (starP != S::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == many) ++p;
  return p == pattern.size();
}

}  // namespace

bool cxLikeMatch(std::u16string_view AText, std::u16string_view APattern, Char AMany, Char AOne) {
  return LikeMatch(AText, APattern, AMany, AOne);
}

bool cxLikeMatch(const AnsiString& AText, const AnsiString& APattern, char AMany, char AOne) {
  return LikeMatch(AText, APattern, AMany, AOne);
}

int cxStripLikeWildcards(String& AText, Char AWildcard) {
  String collapsed;
  collapsed.reserve(AText.size());
  for (Char c : AText)
    if (!(c == AWildcard && !collapsed.empty() && collapsed.back() == AWildcard)) collapsed.push_back(c);
  AText = collapsed;
  if (AText.size() < 2) return 0;
  int result = 0;
  bool trailing = AText.back() == AWildcard;
  if (AText.front() == AWildcard) {
    AText.erase(0, 1);
    result += 2;
  }
  if (trailing) {
    AText.pop_back();
    result += 1;
  }
  return result;
}
