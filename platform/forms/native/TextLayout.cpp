#include "platform/forms/native/TextLayout.h"

#include <algorithm>

namespace {

bool IsSpace(Char c) { return c == u' ' || c == u'\t'; }
bool IsBreak(Char c) { return c == u'\r' || c == u'\n'; }
bool IsHighSurrogate(Char c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(Char c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The first k in [0, count) for which `past(k)` holds (`past` turns true once and stays), or count.
template <class F>
int FirstPast(int count, F past) {
  int lo = 0, hi = count;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (past(mid))
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

}  // namespace

void TEditLayout::Build(const String& text, bool multiLine, bool wordWrap, int width, TMeasure measure) {
  text_ = &text;
  measure_ = std::move(measure);
  multiLine_ = multiLine;
  wordWrap_ = wordWrap;
  width_ = width;
  const int n = static_cast<int>(text.size());
  advances_.assign(n, 0);
  MeasureUnits(0, n);
  offsets_.assign(n + 1, 0);
  offsetsValid_ = 0;
  BreakAll();
}

bool TEditLayout::BuiltFor(const String& text, bool multiLine, bool wordWrap, int width) const {
  return text_ == &text && multiLine_ == multiLine && wordWrap_ == wordWrap && width_ == width;
}

TChangedLines TEditLayout::Update(int pos, int removed, int inserted) {
  const int n = static_cast<int>(text_->size());
  const int old = static_cast<int>(advances_.size());
  if (pos < 0 || removed < 0 || inserted < 0 || pos + removed > old || n != old - removed + inserted) {
    // Not the change the text went through: measure it all again.
    Build(*text_, multiLine_, wordWrap_, width_, measure_);
    return {0, LineCount() - 1, true};
  }
  advances_.erase(advances_.begin() + pos, advances_.begin() + pos + removed);
  advances_.insert(advances_.begin() + pos, inserted, 0);
  int to = pos + inserted;
  // A low surrogate after the change is measured with whatever now comes before it.
  if (to < n && IsLowSurrogate((*text_)[to])) ++to;
  MeasureUnits(pos, to);
  offsets_.resize(n + 1);
  offsetsValid_ = std::min(offsetsValid_, std::max(0, pos - 1));
  if (!multiLine_) {
    lines_.assign(1, TTextLine{0, n, n, false});
    return {0, 0, false};
  }

  // Break again from the start of the paragraph holding the change (and the one before, when the
  // change starts a paragraph: an LF typed after a CR joins their breaks).
  int first = LineFromChar(pos);
  while (first > 0 && lines_[first - 1].wrapped) --first;
  if (first > 0 && lines_[first].start == pos) {
    --first;
    while (first > 0 && lines_[first - 1].wrapped) --first;
  }
  const int delta = inserted - removed;
  const int changedEnd = pos + inserted;
  std::vector<TTextLine> fresh;
  int tail = LineCount();
  int start = lines_[first].start;
  while (true) {
    const int breakAt = BreakParagraph(start, fresh);
    if (breakAt >= n) break;
    start = fresh.back().next;
    if (breakAt >= changedEnd) {
      // Everything after this break is the old text, moved by `delta`: so are its lines.
      tail = LineFromChar(start - delta);
      break;
    }
  }
  const TChangedLines changed = Compare(fresh, first, tail, pos, removed, inserted);
  for (int i = tail; i < LineCount(); ++i) {
    lines_[i].start += delta;
    lines_[i].end += delta;
    lines_[i].next += delta;
  }
  lines_.erase(lines_.begin() + first, lines_.begin() + tail);
  lines_.insert(lines_.begin() + first, fresh.begin(), fresh.end());
  return changed;
}

TChangedLines TEditLayout::Compare(const std::vector<TTextLine>& fresh, int first, int tail, int pos,
                                   int removed, int inserted) const {
  const int count = static_cast<int>(fresh.size());
  const int delta = inserted - removed;
  auto same = [](const TTextLine& a, const TTextLine& b, int shift) {
    return a.start == b.start + shift && a.end == b.end + shift && a.next == b.next + shift &&
           a.wrapped == b.wrapped;
  };
  auto differs = [&](int k) {
    if (first + k >= tail) return true;
    const TTextLine& line = fresh[k];
    if (line.next <= pos) return !same(line, lines_[first + k], 0);
    if (line.start >= pos + inserted && line.start > pos) return !same(line, lines_[first + k], delta);
    return true;  // shows changed text
  };
  const bool moved = count != tail - first;
  int low = 0;
  while (low < count - 1 && !differs(low)) ++low;
  int high = count - 1;
  if (!moved)
    while (high > low && !differs(high)) --high;
  return {first + low, first + high, moved};
}

void TEditLayout::MeasureUnits(int from, int to) {
  // A high surrogate's advance depends on what follows it: measure it again with the change.
  if (from > 0 && IsHighSurrogate((*text_)[from - 1])) --from;
  if (from >= to) return;
  const int count = to - from;
  scratch_.assign(count, 0);
  measure_(text_->data() + from, count, scratch_);
  int previous = 0;
  for (int k = 0; k < count; ++k) {
    advances_[from + k] = scratch_[k] - previous;
    previous = scratch_[k];
  }
}

int64_t TEditLayout::Offset(int i) const {
  for (; offsetsValid_ < i; ++offsetsValid_)
    offsets_[offsetsValid_ + 1] = offsets_[offsetsValid_] + advances_[offsetsValid_];
  return offsets_[i];
}

int TEditLayout::BreakParagraph(int start, std::vector<TTextLine>& out) const {
  const String& text = *text_;
  const int n = static_cast<int>(text.size());
  int pe = start;
  while (pe < n && !IsBreak(text[pe])) ++pe;
  int next = pe;
  if (pe < n) next = (text[pe] == u'\r' && pe + 1 < n && text[pe + 1] == u'\n') ? pe + 2 : pe + 1;
  int s = start;
  if (wordWrap_ && width_ > 0) {
    while (s < pe) {
      if (Width(s, pe) <= width_) break;
      const int fit = FirstPast(pe - s, [&](int k) { return Width(s, s + k + 1) > width_; });
      int brk = s + fit;
      if (IsSpace(text[brk])) {
        while (brk < pe && IsSpace(text[brk])) ++brk;
      } else {
        while (brk > s && !IsSpace(text[brk - 1])) --brk;
        if (brk == s) brk = s + std::max(1, fit);
      }
      if (brk >= pe) break;
      out.push_back({s, brk, brk, true});
      s = brk;
    }
  }
  out.push_back({s, pe, next, false});
  return pe;
}

void TEditLayout::BreakAll() {
  lines_.clear();
  const int n = static_cast<int>(text_->size());
  if (!multiLine_) {
    lines_.push_back({0, n, n, false});
    return;
  }
  int start = 0;
  while (BreakParagraph(start, lines_) < n) start = lines_.back().next;
}

int TEditLayout::LineFromChar(int i) const {
  // The last line whose start is at or before i.
  auto it = std::upper_bound(lines_.begin(), lines_.end(), i,
                             [](int v, const TTextLine& l) { return v < l.start; });
  if (it == lines_.begin()) return 0;
  return static_cast<int>(it - lines_.begin()) - 1;
}

int TEditLayout::LineWidth(int line) const {
  const TTextLine& l = lines_[line];
  int end = l.end;
  if (l.wrapped)
    while (end > l.start && IsSpace((*text_)[end - 1])) --end;
  return Width(l.start, end);
}

int TEditLayout::XInLine(int line, int i) const {
  const TTextLine& l = lines_[line];
  return Width(l.start, std::clamp(i, l.start, l.end));
}

int TEditLayout::CharFromX(int line, int x) const {
  const TTextLine& l = lines_[line];
  int last = l.end;
  // On a wrapped line the caret cannot follow the break: that position is the next line's start.
  if (l.wrapped && last > l.start) --last;
  if (x <= 0 || last == l.start) return l.start;
  // The first character whose middle lies right of x.
  const int k = FirstPast(last - l.start, [&](int k) {
    const int left = Width(l.start, l.start + k), right = Width(l.start, l.start + k + 1);
    return x < (left + right + 1) / 2;
  });
  return l.start + k;
}

int TEditLayout::CharUnderX(int line, int x) const {
  const TTextLine& l = lines_[line];
  return l.start + FirstPast(l.end - l.start, [&](int k) { return Width(l.start, l.start + k + 1) > x; });
}

int TEditLayout::MaxLineWidth() const {
  int w = 0;
  for (int i = 0; i < LineCount(); ++i) w = std::max(w, LineWidth(i));
  return w;
}
