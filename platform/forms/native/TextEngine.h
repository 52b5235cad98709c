// The text-editing engine of the edit and rich-edit window classes: the buffer, the selection, undo
// and redo, the modified flag, the text limit and case styles. No window is involved, so the window
// classes share it and tests drive it directly.
#pragma once

#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

enum class TTextCase { Normal, Upper, Lower };

// What the edits since it was last taken did to the text: [pos, pos + removed) of the text as it was
// became [pos, pos + inserted). Several edits merge into the one span that covers them all.
struct TTextChange {
  bool any = false;
  int pos = 0;
  int removed = 0;
  int inserted = 0;
};

class TTextEngine {
 public:
  TTextEngine() = default;

  // --- Options ---
  // A single-line buffer keeps inserted text up to its first line break.
  void SetMultiLine(bool on) { multiLine_ = on; }
  bool MultiLine() const { return multiLine_; }
  void SetCharCase(TTextCase c) { case_ = c; }
  TTextCase CharCase() const { return case_; }
  // The most units user edits may bring the text to (assigned text is not cut).
  void SetLimit(int limit) { limit_ = limit < 0 ? 0 : limit; }
  int Limit() const { return limit_; }
  // Undo steps kept (at least one).
  void SetUndoDepth(int depth);

  // --- Text ---
  const String& Text() const { return text_; }
  int Length() const { return static_cast<int>(text_.size()); }
  // Replaces the whole text: the caret goes to the start, undo is emptied, the modified flag cleared.
  void SetText(const String& text);

  // --- Selection: the anchor stays, the caret is the end that moves ---
  int Anchor() const { return anchor_; }
  int Caret() const { return caret_; }
  int SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  int SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  int SelLength() const { return SelEnd() - SelStart(); }
  String SelText() const { return text_.substr(SelStart(), SelLength()); }
  // Clamped to the text and moved off the middle of a CR LF pair; ends the current typing run.
  void SetSel(int anchor, int caret);
  void SelectAll() { SetSel(0, Length()); }

  // --- Edits (each returns whether the text changed) ---
  // Replaces the selection, filtered by the case style, the single-line rule and the limit. Without
  // `canUndo` the step is not recorded and the undo history is emptied, as it no longer applies.
  bool ReplaceSel(const String& text, bool canUndo = true);
  // A typed character (consecutive ones are undone together).
  bool TypeChar(Char ch);
  // Backspace and Delete: the selection, or one character (a CR LF pair, or a word when `word`).
  bool DeleteBackward(bool word = false);
  bool DeleteForward(bool word = false);
  // Whether the last edit had to drop text at the limit.
  bool LimitHit() const { return limitHit_; }

  // --- Undo ---
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  bool Undo();
  bool Redo();
  void EmptyUndoBuffer();

  // The change since the last call (the window re-measures only that span), and a fresh start.
  TTextChange TakeChange() { return std::exchange(change_, TTextChange{}); }

  bool Modified() const { return modified_; }
  void SetModified(bool on) { modified_ = on; }

  // --- Positions ---
  // The neighbouring caret positions (a CR LF pair is stepped over as one).
  int PrevPos(int i) const;
  int NextPos(int i) const;
  // The start of the word at or before `i`, and the start of the next word after `i`.
  int PrevWord(int i) const;
  int NextWord(int i) const;
  // The word around `i` (for a double click).
  void WordAt(int i, int* start, int* end) const;
  int Clamp(int i) const;

  static String ApplyCase(const String& text, TTextCase c);
  static bool IsLineBreak(Char ch) { return ch == u'\r' || ch == u'\n'; }

 private:
  enum class TKind { Other, Typing, Backspace, Delete };
  struct TStep {
    int pos = 0;
    String removed;
    String inserted;
    int anchorBefore = 0, caretBefore = 0;
    int anchorAfter = 0, caretAfter = 0;
    TKind kind = TKind::Other;
  };

  String Filter(const String& text) const;
  // Replaces [pos, pos + count) and records the step (merged into a typing run when it continues it).
  bool Apply(int pos, int count, const String& inserted, TKind kind, bool record);
  void PushUndo(TStep step);
  // Replaces [pos, pos + count) with `with` and adds the span to the pending change.
  void Replace(int pos, int count, const String& with);
  bool IsWordChar(Char ch) const;

  String text_;
  int anchor_ = 0;
  int caret_ = 0;
  bool multiLine_ = false;
  TTextCase case_ = TTextCase::Normal;
  int limit_ = 0x7FFFFFFE;
  int undoDepth_ = 100;
  std::vector<TStep> undo_;
  std::vector<TStep> redo_;
  bool runOpen_ = false;
  bool modified_ = false;
  bool limitHit_ = false;
  TTextChange change_;
};
