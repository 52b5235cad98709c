// Line breaking of an edit buffer into display lines (hard breaks and, optionally, word wrap) and
// the mapping between character indexes and x offsets. Widths come from a measuring function, so
// the layout needs no window or device context.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Types.h"

struct TTextLine {
  int start = 0;
  int end = 0;   // drawn characters end here (a hard break's CR/LF is not drawn)
  int next = 0;  // the following line starts here
  bool wrapped = false;
};

class TEditLayout {
 public:
  // Fills `extents[i]` with the width of the first i + 1 units of text[0, count).
  using TMeasure = std::function<void(const Char* text, int count, std::vector<int>& extents)>;

  // Breaks at CR LF, CR or LF when `multiLine`; wraps lines wider than `width` at spaces (or, for a
  // word wider than the line, between characters) when `wordWrap`. Trailing spaces stay on their line.
  void Build(const String& text, bool multiLine, bool wordWrap, int width, TMeasure measure);

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const TTextLine& Line(int i) const { return lines_[i]; }
  // The line showing index `i`: a position where a wrapped line ends belongs to the next line.
  int LineFromChar(int i) const;
  // Width of the line's drawn text, and of its first `i - start` units.
  int LineWidth(int line) const;
  int XInLine(int line, int i) const;
  // The caret position nearest to `x` (relative to the line's start) on a line.
  int CharFromX(int line, int x) const;
  int MaxLineWidth() const;

 private:
  int Extent(int start, int end) const;

  const String* text_ = nullptr;
  TMeasure measure_;
  std::vector<TTextLine> lines_;
  mutable std::vector<int> scratch_;
};
