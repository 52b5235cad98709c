// Line breaking of an edit buffer into display lines (hard breaks and, optionally, word wrap) and
// the mapping between character indexes and x offsets. Widths come from a measuring function, so
// the layout needs no window or device context. Each unit's advance is measured once and kept:
// after an edit only the new units are measured and only the paragraphs the edit touched are
// broken again, so typing costs what it changes rather than the whole text.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/Types.h"

struct TTextLine {
  int start = 0;
  int end = 0;   // drawn characters end here (a hard break's CR/LF is not drawn)
  int next = 0;  // the following line starts here
  bool wrapped = false;
};

// The lines an edit changed: `first` to `last`, or every line from `first` on when lines came or went.
struct TChangedLines {
  int first = 0;
  int last = 0;
  bool toEnd = false;
};

class TEditLayout {
 public:
  // Fills `extents[i]` with the width of the first i + 1 units of text[0, count).
  using TMeasure = std::function<void(const Char* text, int count, std::vector<int>& extents)>;

  // Breaks at CR LF, CR or LF when `multiLine`; wraps lines wider than `width` at spaces (or, for a
  // word wider than the line, between characters) when `wordWrap`. Trailing spaces stay on their line.
  // The layout keeps a reference to `text`, which must outlive it or the next Build.
  void Build(const String& text, bool multiLine, bool wordWrap, int width, TMeasure measure);
  // After the text given to Build had [pos, pos + removed) replaced by `inserted` units.
  TChangedLines Update(int pos, int removed, int inserted);
  // Whether the layout was built for this text and these options (and so can be updated).
  bool BuiltFor(const String& text, bool multiLine, bool wordWrap, int width) const;

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const TTextLine& Line(int i) const { return lines_[i]; }
  // The line showing index `i`: a position where a wrapped line ends belongs to the next line.
  int LineFromChar(int i) const;
  // Width of the line's drawn text, and of its first `i - start` units.
  int LineWidth(int line) const;
  int XInLine(int line, int i) const;
  // The caret position nearest to `x` (relative to the line's start) on a line.
  int CharFromX(int line, int x) const;
  // The index of the unit drawn over `x` (relative to the line's start), clamped to the line.
  int CharUnderX(int line, int x) const;
  int MaxLineWidth() const;

 private:
  // Measures the units [from, to) into `advances_`, which already has room for them.
  void MeasureUnits(int from, int to);
  // Width of text[0, i), summed up as far as needed.
  int64_t Offset(int i) const;
  int Width(int start, int end) const { return static_cast<int>(Offset(end) - Offset(start)); }
  // Appends the lines of the paragraph starting at `start`; returns where its hard break begins.
  int BreakParagraph(int start, std::vector<TTextLine>& out) const;
  void BreakAll();
  // Which of `fresh`, the new lines from line `first` on, differ from the old lines [first, tail).
  TChangedLines Compare(const std::vector<TTextLine>& fresh, int first, int tail, int pos, int removed,
                        int inserted) const;

  const String* text_ = nullptr;
  TMeasure measure_;
  bool multiLine_ = false;
  bool wordWrap_ = false;
  int width_ = 0;
  std::vector<TTextLine> lines_;
  std::vector<int> advances_;
  // offsets_[i] is the width of text[0, i); entries past offsetsValid_ are stale.
  mutable std::vector<int64_t> offsets_;
  mutable int offsetsValid_ = 0;
  mutable std::vector<int> scratch_;
};
