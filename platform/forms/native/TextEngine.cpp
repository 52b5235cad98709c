#include "platform/forms/native/TextEngine.h"

#include <algorithm>

#include "platform/rtl/StrUtils.h"

void TTextEngine::SetUndoDepth(int depth) {
  undoDepth_ = std::max(1, depth);
  if (static_cast<int>(undo_.size()) > undoDepth_) undo_.erase(undo_.begin(), undo_.end() - undoDepth_);
}

void TTextEngine::SetText(const String& text) {
  Replace(0, Length(), text);
  anchor_ = caret_ = 0;
  EmptyUndoBuffer();
  modified_ = false;
  limitHit_ = false;
}

int TTextEngine::Clamp(int i) const {
  i = std::clamp(i, 0, Length());
  if (i > 0 && i < Length() && text_[i - 1] == u'\r' && text_[i] == u'\n') --i;
  return i;
}

void TTextEngine::SetSel(int anchor, int caret) {
  anchor_ = Clamp(anchor);
  caret_ = Clamp(caret);
  runOpen_ = false;
}

String TTextEngine::ApplyCase(const String& text, TTextCase c) {
  switch (c) {
    case TTextCase::Upper:
      return AnsiUpperCase(text);
    case TTextCase::Lower:
      return AnsiLowerCase(text);
    default:
      return text;
  }
}

String TTextEngine::Filter(const String& text) const {
  String s = ApplyCase(text, case_);
  if (!multiLine_) {
    size_t br = s.find_first_of(u"\r\n");
    if (br != String::npos) s.resize(br);
  }
  return s;
}

void TTextEngine::Replace(int pos, int count, const String& with) {
  text_.replace(pos, count, with);
  const int added = static_cast<int>(with.size());
  if (!change_.any) {
    change_ = {true, pos, count, added};
    return;
  }
  // Both spans in the coordinates of the text between the two edits, then back to the old and new text.
  const int start = std::min(change_.pos, pos);
  const int end = std::max(change_.pos + change_.inserted, pos + count);
  const int removed = end - start - (change_.inserted - change_.removed);
  change_ = {true, start, removed, end - start + (added - count)};
}

void TTextEngine::PushUndo(TStep step) {
  redo_.clear();
  undo_.push_back(std::move(step));
  if (static_cast<int>(undo_.size()) > undoDepth_) undo_.erase(undo_.begin());
}

bool TTextEngine::Apply(int pos, int count, const String& insertedIn, TKind kind, bool record) {
  String inserted = insertedIn;
  limitHit_ = false;
  int room = limit_ - (Length() - count);
  if (static_cast<int>(inserted.size()) > room) {
    limitHit_ = true;
    inserted.resize(std::max(0, room));
    // Never keep half of a CR LF pair.
    if (!inserted.empty() && inserted.back() == u'\r') inserted.pop_back();
  }
  if (count == 0 && inserted.empty()) return false;
  TStep step;
  step.pos = pos;
  step.removed = text_.substr(pos, count);
  step.inserted = inserted;
  step.anchorBefore = anchor_;
  step.caretBefore = caret_;
  step.kind = kind;
  Replace(pos, count, inserted);
  anchor_ = caret_ = pos + static_cast<int>(inserted.size());
  step.anchorAfter = step.caretAfter = caret_;
  modified_ = true;
  if (!record) {
    EmptyUndoBuffer();
    return true;
  }
  TStep* last = undo_.empty() ? nullptr : &undo_.back();
  bool merged = false;
  if (runOpen_ && last && last->kind == kind && redo_.empty()) {
    if (kind == TKind::Typing && count == 0 && last->pos + static_cast<int>(last->inserted.size()) == pos) {
      last->inserted += inserted;
      merged = true;
    } else if (kind == TKind::Backspace && inserted.empty() && pos + count == last->pos) {
      last->removed.insert(0, step.removed);
      last->pos = pos;
      merged = true;
    } else if (kind == TKind::Delete && inserted.empty() && pos == last->pos) {
      last->removed += step.removed;
      merged = true;
    }
  }
  if (merged) {
    last->anchorAfter = last->caretAfter = caret_;
  } else {
    PushUndo(std::move(step));
  }
  runOpen_ = kind != TKind::Other;
  return true;
}

bool TTextEngine::ReplaceSel(const String& text, bool canUndo) {
  return Apply(SelStart(), SelLength(), Filter(text), TKind::Other, canUndo);
}

bool TTextEngine::TypeChar(Char ch) {
  String s = (ch == u'\r' || ch == u'\n') ? String(u"\r\n") : String(1, ch);
  if (IsLineBreak(ch) && !multiLine_) return false;
  bool wasRun = runOpen_;
  if (SelLength() > 0) runOpen_ = false;
  bool changed = Apply(SelStart(), SelLength(), ApplyCase(s, case_), TKind::Typing, true);
  if (!changed) runOpen_ = wasRun;
  return changed;
}

bool TTextEngine::DeleteBackward(bool word) {
  if (SelLength() > 0) return Apply(SelStart(), SelLength(), String(), TKind::Other, true);
  if (caret_ == 0) return false;
  int from = word ? PrevWord(caret_) : PrevPos(caret_);
  return Apply(from, caret_ - from, String(), TKind::Backspace, true);
}

bool TTextEngine::DeleteForward(bool word) {
  if (SelLength() > 0) return Apply(SelStart(), SelLength(), String(), TKind::Other, true);
  if (caret_ >= Length()) return false;
  int to = word ? NextWord(caret_) : NextPos(caret_);
  return Apply(caret_, to - caret_, String(), TKind::Delete, true);
}

bool TTextEngine::Undo() {
  if (undo_.empty()) return false;
  TStep s = std::move(undo_.back());
  undo_.pop_back();
  Replace(s.pos, static_cast<int>(s.inserted.size()), s.removed);
  anchor_ = s.anchorBefore;
  caret_ = s.caretBefore;
  redo_.push_back(std::move(s));
  modified_ = true;
  runOpen_ = false;
  return true;
}

bool TTextEngine::Redo() {
  if (redo_.empty()) return false;
  TStep s = std::move(redo_.back());
  redo_.pop_back();
  Replace(s.pos, static_cast<int>(s.removed.size()), s.inserted);
  anchor_ = s.anchorAfter;
  caret_ = s.caretAfter;
  undo_.push_back(std::move(s));
  modified_ = true;
  runOpen_ = false;
  return true;
}

void TTextEngine::EmptyUndoBuffer() {
  undo_.clear();
  redo_.clear();
  runOpen_ = false;
}

int TTextEngine::PrevPos(int i) const {
  if (i <= 0) return 0;
  if (i >= 2 && text_[i - 1] == u'\n' && text_[i - 2] == u'\r') return i - 2;
  return i - 1;
}

int TTextEngine::NextPos(int i) const {
  if (i >= Length()) return Length();
  if (text_[i] == u'\r' && i + 1 < Length() && text_[i + 1] == u'\n') return i + 2;
  return i + 1;
}

bool TTextEngine::IsWordChar(Char ch) const { return ch != u' ' && ch != u'\t' && !IsLineBreak(ch); }

int TTextEngine::PrevWord(int i) const {
  i = Clamp(i);
  if (i > 0 && IsLineBreak(text_[i - 1])) return PrevPos(i);
  while (i > 0 && (text_[i - 1] == u' ' || text_[i - 1] == u'\t')) --i;
  while (i > 0 && IsWordChar(text_[i - 1])) --i;
  return i;
}

int TTextEngine::NextWord(int i) const {
  i = Clamp(i);
  if (i < Length() && IsLineBreak(text_[i])) return NextPos(i);
  while (i < Length() && IsWordChar(text_[i])) ++i;
  while (i < Length() && (text_[i] == u' ' || text_[i] == u'\t')) ++i;
  return i;
}

void TTextEngine::WordAt(int i, int* start, int* end) const {
  i = Clamp(i);
  int s = i, e = i;
  if (i < Length() && IsWordChar(text_[i])) {
    while (s > 0 && IsWordChar(text_[s - 1])) --s;
    while (e < Length() && IsWordChar(text_[e])) ++e;
  } else if (i > 0 && IsWordChar(text_[i - 1])) {
    while (s > 0 && IsWordChar(text_[s - 1])) --s;
  }
  *start = s;
  *end = e;
}
