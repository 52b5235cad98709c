#include "platform/forms/native/TextLayout.h"

#include <algorithm>

namespace {

bool IsSpace(Char c) { return c == u' ' || c == u'\t'; }

}  // namespace

void TEditLayout::Build(const String& text, bool multiLine, bool wordWrap, int width, TMeasure measure) {
  text_ = &text;
  measure_ = std::move(measure);
  lines_.clear();
  const int n = static_cast<int>(text.size());
  if (!multiLine) {
    lines_.push_back({0, n, n, false});
    return;
  }
  int ps = 0;
  while (true) {
    int pe = ps;
    while (pe < n && text[pe] != u'\r' && text[pe] != u'\n') ++pe;
    int next = pe;
    if (pe < n) next = (text[pe] == u'\r' && pe + 1 < n && text[pe + 1] == u'\n') ? pe + 2 : pe + 1;
    int s = ps;
    if (wordWrap && width > 0) {
      while (s < pe) {
        int count = pe - s;
        scratch_.assign(count, 0);
        measure_(text.data() + s, count, scratch_);
        if (scratch_[count - 1] <= width) break;
        int fit = 0;
        while (fit < count && scratch_[fit] <= width) ++fit;
        int brk;
        if (IsSpace(text[s + fit])) {
          brk = s + fit;
          while (brk < pe && IsSpace(text[brk])) ++brk;
        } else {
          brk = s + fit;
          while (brk > s && !IsSpace(text[brk - 1])) --brk;
          if (brk == s) brk = s + std::max(1, fit);
        }
        if (brk >= pe) break;
        lines_.push_back({s, brk, brk, true});
        s = brk;
      }
    }
    lines_.push_back({s, pe, next, false});
    if (pe >= n) break;
    ps = next;
  }
}

int TEditLayout::LineFromChar(int i) const {
  // The last line whose start is at or before i.
  auto it = std::upper_bound(lines_.begin(), lines_.end(), i,
                             [](int v, const TTextLine& l) { return v < l.start; });
  if (it == lines_.begin()) return 0;
  return static_cast<int>(it - lines_.begin()) - 1;
}

int TEditLayout::Extent(int start, int end) const {
  if (end <= start) return 0;
  scratch_.assign(end - start, 0);
  measure_(text_->data() + start, end - start, scratch_);
  return scratch_.back();
}

int TEditLayout::LineWidth(int line) const {
  const TTextLine& l = lines_[line];
  int end = l.end;
  if (l.wrapped)
    while (end > l.start && IsSpace((*text_)[end - 1])) --end;
  return Extent(l.start, end);
}

int TEditLayout::XInLine(int line, int i) const {
  const TTextLine& l = lines_[line];
  return Extent(l.start, std::clamp(i, l.start, l.end));
}

int TEditLayout::CharFromX(int line, int x) const {
  const TTextLine& l = lines_[line];
  int last = l.end;
  // On a wrapped line the caret cannot follow the break: that position is the next line's start.
  if (l.wrapped && last > l.start) --last;
  if (x <= 0 || last == l.start) return l.start;
  int count = last - l.start;
  scratch_.assign(count, 0);
  measure_(text_->data() + l.start, count, scratch_);
  int prev = 0;
  for (int k = 0; k < count; ++k) {
    if (x < (prev + scratch_[k] + 1) / 2) return l.start + k;
    prev = scratch_[k];
  }
  return last;
}

int TEditLayout::MaxLineWidth() const {
  int w = 0;
  for (int i = 0; i < LineCount(); ++i) w = std::max(w, LineWidth(i));
  return w;
}
