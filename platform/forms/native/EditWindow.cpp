#include "platform/forms/native/EditWindow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/forms/native/EditControls.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/forms/native/TextEngine.h"
#include "platform/forms/native/TextLayout.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kSelectionBarWidth = 8;

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// What an edit did to the layout: where the text changed and the lines that show it differently.
struct TReflowed {
  int pos = 0;
  TChangedLines lines;
};

class TEditWindow {
 public:
  explicit TEditWindow(HWND hwnd) : hwnd_(hwnd) { defaultFormat_.dwEffects = CFE_AUTOCOLOR; }
  ~TEditWindow() {
    if (callback_) callback_->Release();
    if (underlineFont_) DeleteObject(underlineFont_);
  }

  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  bool rich = false;

 private:
  DWORD Style() const { return WindowStyle(hwnd_); }
  bool Multi() const { return (Style() & ES_MULTILINE) != 0; }
  bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
  bool WordWrap() const { return Multi() && !(Style() & ES_AUTOHSCROLL) && !(scrollBars_ & WS_HSCROLL); }

  void Create(const CREATESTRUCT* cs);
  void SyncEngine();
  void SetFont(HFONT font, bool redraw);
  void ResetFormatRect();
  // Lays the whole text out afresh (after a font, size or style change).
  void Relayout();
  // Brings the layout up to the engine's text, measuring only what the edits changed; returns the
  // lines it changed, or nothing when the text was laid out afresh or is as it was.
  std::optional<TReflowed> Reflow();
  // Repaints what a change moved: the rest of its row, the rows that changed, or all from the
  // first changed row down when lines came or went.
  void InvalidateChange(const TReflowed& change);
  bool Masked() const { return password_ && !Multi(); }
  // The text as shown: masked by the password character, or the engine's own.
  const String& Shown() const { return Masked() ? display_ : engine_.Text(); }
  int VisibleLines() const { return std::max(1, static_cast<int>(fmt_.bottom - fmt_.top) / lineHeight_); }
  int AlignOffset(int line) const;
  POINT PosFromChar(int i) const;
  int CharFromPoint(int x, int y) const;
  void ScrollCaretIntoView();
  void UpdateScrollBars();
  void UpdateCaret();
  // After any change: layout, scrolling, repaint, caret, notifications.
  void Changed(bool text, bool scrollCaret = true);
  void NotifySelection();
  void Notify(WORD code, DWORD needsMask);
  bool Filtered(UINT msg, WPARAM wParam, LPARAM lParam);

  void MoveCaret(int pos, bool extend);
  void OnKeyDown(UINT vk);
  void OnChar(Char ch);
  void OnMouseDown(int x, int y, bool dbl);
  void OnMouseMove(int x, int y);
  void OnMouseUp(int x, int y);
  void OnScroll(int bar, WORD code);
  void ScrollTo(int firstLine, int xOffset, bool notify);

  bool Copy();
  bool Cut();
  bool Paste();
  bool Clear();
  bool DoUndo();
  bool AcceptsPaste();

  void Paint(HDC dc);
  void DrawLine(HDC dc, int line, int y, bool showSel, const RECT& clip);

  HWND hwnd_;
  TTextEngine engine_;
  TEditLayout layout_;
  String display_;  // the password characters shown for a masked text
  TMeasureDC measure_;
  HFONT font_ = nullptr;
  HFONT underlineFont_ = nullptr;
  int lineHeight_ = 16;
  RECT fmt_{};
  int leftMargin_ = 0, rightMargin_ = 0;
  int firstLine_ = 0, xOffset_ = 0;
  Char password_ = 0;
  DWORD scrollBars_ = 0;  // the bars asked for at creation (hidden ones lose their style bit)
  DWORD eventMask_ = 0;
  COLORREF background_ = 0;
  bool backgroundSet_ = false;
  CHARFORMAT2 defaultFormat_;
  IRichEditOleCallback* callback_ = nullptr;
  bool focused_ = false;
  bool selecting_ = false;
  bool lineSelecting_ = false;
  int lineAnchor_ = 0;
  bool hideSelection_ = false;
  int desiredX_ = -1;
  int notifiedAnchor_ = -1, notifiedCaret_ = -1;
  // A drag of the selected text: pressed inside the selection, moved past the threshold.
  bool dragPending_ = false;
  bool draggingText_ = false;
  POINT dragStart_{};
};

void TEditWindow::Create(const CREATESTRUCT* cs) {
  DWORD style = Style();
  scrollBars_ = style & (WS_HSCROLL | WS_VSCROLL);
  if (style & ES_PASSWORD) password_ = u'*';
  engine_.SetUndoDepth(rich ? 100 : 1);
  engine_.SetLimit(rich ? 32767 : 0x7FFFFFFE);
  SyncEngine();
  SetFont(nullptr, false);
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
    String text(cs->lpszName);
    if (!rich) text = TTextEngine::ApplyCase(text, engine_.CharCase());
    engine_.SetText(text);
  }
  Relayout();
}

void TEditWindow::SyncEngine() {
  DWORD style = Style();
  engine_.SetMultiLine((style & ES_MULTILINE) != 0);
  engine_.SetCharCase((style & ES_UPPERCASE)   ? TTextCase::Upper
                      : (style & ES_LOWERCASE) ? TTextCase::Lower
                                               : TTextCase::Normal);
}

void TEditWindow::SetFont(HFONT font, bool redraw) {
  font_ = font;
  measure_.SetFont(font_);
  TEXTMETRIC tm;
  GetTextMetrics(measure_.Handle(), &tm);
  lineHeight_ = std::max<int>(1, tm.tmHeight);
  if (underlineFont_) DeleteObject(underlineFont_);
  underlineFont_ = nullptr;
  LOGFONT lf;
  if (GetObject(ControlFont(font_), sizeof(lf), &lf)) {
    lf.lfUnderline = 1;
    underlineFont_ = CreateFontIndirect(&lf);
  }
  ResetFormatRect();
  Relayout();
  if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TEditWindow::ResetFormatRect() {
  GetClientRect(hwnd_, &fmt_);
  fmt_.left += leftMargin_;
  fmt_.right -= rightMargin_;
  if (fmt_.right < fmt_.left) fmt_.right = fmt_.left;
}

void TEditWindow::Relayout() {
  SyncEngine();
  engine_.TakeChange();
  if (Masked())
    display_.assign(engine_.Length(), password_);
  else
    display_.clear();
  layout_.Build(Shown(), Multi(), WordWrap(), fmt_.right - fmt_.left,
                [this](const Char* t, int n, std::vector<int>& ext) { measure_.Extents(t, n, ext); });
  firstLine_ = std::clamp(firstLine_, 0, std::max(0, layout_.LineCount() - 1));
}

std::optional<TReflowed> TEditWindow::Reflow() {
  SyncEngine();
  if (!layout_.BuiltFor(Shown(), Multi(), WordWrap(), fmt_.right - fmt_.left)) {
    Relayout();
    return std::nullopt;
  }
  const TTextChange change = engine_.TakeChange();
  if (!change.any) return std::nullopt;
  if (Masked()) display_.replace(change.pos, change.removed, change.inserted, password_);
  TReflowed done{change.pos, layout_.Update(change.pos, change.removed, change.inserted)};
  firstLine_ = std::clamp(firstLine_, 0, std::max(0, layout_.LineCount() - 1));
  return done;
}

void TEditWindow::InvalidateChange(const TReflowed& change) {
  // Aligned text moves as a whole when its width changes.
  if (Style() & (ES_CENTER | ES_RIGHT)) {
    InvalidateRect(hwnd_, nullptr, TRUE);
    return;
  }
  const TChangedLines& lines = change.lines;
  RECT r;
  GetClientRect(hwnd_, &r);
  r.top = std::max<LONG>(r.top, fmt_.top + (lines.first - firstLine_) * lineHeight_);
  if (!lines.toEnd) r.bottom = std::min<LONG>(r.bottom, fmt_.top + (lines.last - firstLine_ + 1) * lineHeight_);
  if (!lines.toEnd && lines.first == lines.last && layout_.LineFromChar(change.pos) == lines.first) {
    // One row whose start stayed: from the unit before the change, as glyphs on either side of it
    // may overhang it.
    const int previous = std::max(layout_.Line(lines.first).start, engine_.PrevPos(change.pos));
    r.left = std::max<LONG>(fmt_.left, PosFromChar(previous).x);
  }
  if (r.bottom > r.top) InvalidateRect(hwnd_, &r, TRUE);
}

int TEditWindow::AlignOffset(int line) const {
  DWORD style = Style();
  int free = static_cast<int>(fmt_.right - fmt_.left) - layout_.LineWidth(line);
  if (free <= 0) return 0;
  if (style & ES_CENTER) return free / 2;
  if (style & ES_RIGHT) return free;
  return 0;
}

POINT TEditWindow::PosFromChar(int i) const {
  int line = layout_.LineFromChar(i);
  int x = fmt_.left + AlignOffset(line) + layout_.XInLine(line, i) - xOffset_;
  int y = fmt_.top + (line - firstLine_) * lineHeight_;
  return POINT{x, y};
}

int TEditWindow::CharFromPoint(int x, int y) const {
  int row = y < fmt_.top ? -1 : (y - fmt_.top) / lineHeight_;
  int line = std::clamp(firstLine_ + row, 0, layout_.LineCount() - 1);
  return layout_.CharFromX(line, x - fmt_.left - AlignOffset(line) + xOffset_);
}

void TEditWindow::ScrollCaretIntoView() {
  int line = layout_.LineFromChar(engine_.Caret());
  int first = firstLine_;
  if (line < first) first = line;
  if (line >= first + VisibleLines()) first = line - VisibleLines() + 1;
  int x = xOffset_;
  if (!WordWrap()) {
    int width = fmt_.right - fmt_.left;
    int cx = AlignOffset(line) + layout_.XInLine(line, engine_.Caret());
    if (cx - x < 0) x = std::max(0, cx - width / 4);
    if (cx - x >= width) x = cx - width + width / 4 + 1;
  } else {
    x = 0;
  }
  ScrollTo(first, x, false);
}

void TEditWindow::ScrollTo(int firstLine, int xOffset, bool notify) {
  firstLine = std::clamp(firstLine, 0, std::max(0, layout_.LineCount() - 1));
  xOffset = std::max(0, xOffset);
  bool v = firstLine != firstLine_, h = xOffset != xOffset_;
  if (!v && !h) return;
  firstLine_ = firstLine;
  xOffset_ = xOffset;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateScrollBars();
  UpdateCaret();
  if (notify) {
    if (v) Notify(EN_VSCROLL, ENM_SCROLL);
    if (h) Notify(EN_HSCROLL, ENM_SCROLL);
  }
}

void TEditWindow::UpdateScrollBars() {
  UINT disable = (rich && (Style() & ES_DISABLENOSCROLL)) ? SIF_DISABLENOSCROLL : 0;
  if (scrollBars_ & WS_VSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMin = 0;
    si.nMax = layout_.LineCount() - 1;
    si.nPage = static_cast<UINT>(VisibleLines());
    si.nPos = firstLine_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  if (scrollBars_ & WS_HSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMin = 0;
    si.nMax = std::max(0, layout_.MaxLineWidth() - 1);
    si.nPage = static_cast<UINT>(std::max<LONG>(1, fmt_.right - fmt_.left));
    si.nPos = xOffset_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
  }
}

void TEditWindow::UpdateCaret() {
  if (!focused_) return;
  POINT p = PosFromChar(engine_.Caret());
  SetCaretPos(std::max<int>(p.x, fmt_.left) - (p.x > fmt_.left ? 1 : 0), p.y);
}

void TEditWindow::Notify(WORD code, DWORD needsMask) {
  if (rich && needsMask && !(eventMask_ & needsMask)) return;
  NotifyParentCommand(hwnd_, code);
}

void TEditWindow::NotifySelection() {
  if (engine_.Anchor() == notifiedAnchor_ && engine_.Caret() == notifiedCaret_) return;
  notifiedAnchor_ = engine_.Anchor();
  notifiedCaret_ = engine_.Caret();
  if (!rich || !(eventMask_ & ENM_SELCHANGE)) return;
  SELCHANGE sc;
  sc.chrg.cpMin = engine_.SelStart();
  sc.chrg.cpMax = engine_.SelEnd();
  sc.seltyp = engine_.SelLength() ? SEL_TEXT : SEL_EMPTY;
  NotifyParent(hwnd_, EN_SELCHANGE, &sc.nmhdr);
}

void TEditWindow::Changed(bool text, bool scrollCaret) {
  const int firstBefore = firstLine_, xBefore = xOffset_;
  std::optional<TReflowed> change;
  if (text) change = Reflow();
  if (scrollCaret) ScrollCaretIntoView();
  UpdateScrollBars();
  if (change && firstLine_ == firstBefore && xOffset_ == xBefore)
    InvalidateChange(*change);
  else
    InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateCaret();
  desiredX_ = -1;
  if (!IsWindow(hwnd_)) return;
  if (text) {
    bool hit = engine_.LimitHit();
    Notify(EN_UPDATE, ENM_UPDATE);
    Notify(EN_CHANGE, ENM_CHANGE);
    if (hit && IsWindow(hwnd_)) Notify(EN_MAXTEXT, 0);
  }
  if (IsWindow(hwnd_)) NotifySelection();
}

bool TEditWindow::Filtered(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!rich) return false;
  bool key = msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN;
  bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
  if (!((key && (eventMask_ & ENM_KEYEVENTS)) || (mouse && (eventMask_ & ENM_MOUSEEVENTS)))) return false;
  MSGFILTER mf;
  mf.msg = msg;
  mf.wParam = wParam;
  mf.lParam = lParam;
  return NotifyParent(hwnd_, EN_MSGFILTER, &mf.nmhdr) != 0;
}

void TEditWindow::MoveCaret(int pos, bool extend) {
  int keepX = desiredX_;
  engine_.SetSel(extend ? engine_.Anchor() : pos, pos);
  Changed(false);
  desiredX_ = keepX;
}

void TEditWindow::OnKeyDown(UINT vk) {
  bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
  int caret = engine_.Caret();
  int line = layout_.LineFromChar(caret);
  auto vertical = [&](int delta) {
    if (!Multi()) return;
    if (desiredX_ < 0) desiredX_ = AlignOffset(line) + layout_.XInLine(line, caret);
    int target = std::clamp(line + delta, 0, layout_.LineCount() - 1);
    int keep = desiredX_;
    MoveCaret(layout_.CharFromX(target, keep - AlignOffset(target)), shift);
    desiredX_ = keep;
  };
  switch (vk) {
    case VK_LEFT:
      if (!shift && engine_.SelLength() && !ctrl)
        MoveCaret(engine_.SelStart(), false);
      else
        MoveCaret(ctrl ? engine_.PrevWord(caret) : engine_.PrevPos(caret), shift);
      break;
    case VK_RIGHT:
      if (!shift && engine_.SelLength() && !ctrl)
        MoveCaret(engine_.SelEnd(), false);
      else
        MoveCaret(ctrl ? engine_.NextWord(caret) : engine_.NextPos(caret), shift);
      break;
    case VK_HOME:
      MoveCaret(ctrl ? 0 : layout_.Line(line).start, shift);
      break;
    case VK_END:
      MoveCaret(ctrl ? engine_.Length() : layout_.CharFromX(line, 0x3FFFFFFF), shift);
      break;
    case VK_UP:
      vertical(-1);
      break;
    case VK_DOWN:
      vertical(1);
      break;
    case VK_PRIOR:
      vertical(-VisibleLines());
      break;
    case VK_NEXT:
      vertical(VisibleLines());
      break;
    case VK_DELETE:
      if (shift) {
        Cut();
      } else if (ReadOnly()) {
        MessageBeep(0);
      } else if (engine_.DeleteForward(ctrl)) {
        Changed(true);
      }
      break;
    case VK_INSERT:
      if (ctrl) Copy();
      if (shift) Paste();
      break;
    default:
      if (!ctrl || shift) break;
      switch (vk) {
        case 'C':
          Copy();
          break;
        case 'X':
          Cut();
          break;
        case 'V':
          Paste();
          break;
        case 'Z':
          DoUndo();
          break;
        case 'Y':
          if (rich && !ReadOnly() && engine_.Redo()) Changed(true);
          break;
        case 'A':
          if (rich) {
            engine_.SelectAll();
            Changed(false);
          }
          break;
      }
  }
}

void TEditWindow::OnChar(Char ch) {
  if (KeyDown(VK_CONTROL) && !KeyDown(VK_MENU) && ch != 0x7F && ch < 0x20) return;  // shortcuts
  bool typing = ch >= 0x20 || ch == u'\b' || ch == 0x7F || (Multi() && (ch == u'\r' || ch == u'\t'));
  if (!typing) return;
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  bool changed;
  if (ch == u'\b')
    changed = engine_.DeleteBackward(false);
  else if (ch == 0x7F)
    changed = engine_.DeleteBackward(true);
  else if ((Style() & ES_NUMBER) && !(ch >= u'0' && ch <= u'9')) {
    MessageBeep(0);
    return;
  } else
    changed = engine_.TypeChar(ch);
  if (changed)
    Changed(true);
  else if (engine_.LimitHit())
    Notify(EN_MAXTEXT, 0);
}

void TEditWindow::OnMouseDown(int x, int y, bool dbl) {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  if (!IsWindow(hwnd_)) return;
  bool shift = KeyDown(VK_SHIFT);
  if (rich && (Style() & ES_SELECTIONBAR) && x < fmt_.left) {
    int row = y < fmt_.top ? 0 : (y - fmt_.top) / lineHeight_;
    lineAnchor_ = std::clamp(firstLine_ + row, 0, layout_.LineCount() - 1);
    engine_.SetSel(layout_.Line(lineAnchor_).start, layout_.Line(lineAnchor_).next);
    lineSelecting_ = true;
    SetCapture(hwnd_);
    Changed(false);
    return;
  }
  int pos = CharFromPoint(x, y);
  if (dbl) {
    int s, e;
    engine_.WordAt(pos, &s, &e);
    engine_.SetSel(s, e);
    Changed(false);
    return;
  }
  if (rich && !shift && engine_.SelLength() && pos >= engine_.SelStart() && pos < engine_.SelEnd()) {
    dragPending_ = true;
    dragStart_ = POINT{x, y};
    SetCapture(hwnd_);
    return;
  }
  engine_.SetSel(shift ? engine_.Anchor() : pos, pos);
  selecting_ = true;
  SetCapture(hwnd_);
  Changed(false);
}

void TEditWindow::OnMouseMove(int x, int y) {
  if (dragPending_ && !draggingText_) {
    if (std::abs(x - dragStart_.x) > GetSystemMetrics(SM_CXDRAG) ||
        std::abs(y - dragStart_.y) > GetSystemMetrics(SM_CYDRAG)) {
      DWORD effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
      if (callback_) callback_->GetDragDropEffect(TRUE, 0, &effect);
      if (effect == DROPEFFECT_NONE || ReadOnly()) {
        // Refused: the press becomes an ordinary selection from where it started.
        dragPending_ = false;
        int pos = CharFromPoint(dragStart_.x, dragStart_.y);
        engine_.SetSel(pos, CharFromPoint(x, y));
        selecting_ = true;
        Changed(false);
      } else {
        draggingText_ = true;
      }
    }
    return;
  }
  if (lineSelecting_) {
    int row = y < fmt_.top ? -1 : (y - fmt_.top) / lineHeight_;
    int line = std::clamp(firstLine_ + row, 0, layout_.LineCount() - 1);
    int a = std::min(line, lineAnchor_), b = std::max(line, lineAnchor_);
    engine_.SetSel(layout_.Line(a).start, layout_.Line(b).next);
    Changed(false);
    return;
  }
  if (!selecting_) return;
  engine_.SetSel(engine_.Anchor(), CharFromPoint(x, y));
  Changed(false);
}

void TEditWindow::OnMouseUp(int x, int y) {
  if (draggingText_) {
    int target = CharFromPoint(x, y);
    DWORD effect = DROPEFFECT_MOVE;
    if (callback_) callback_->GetDragDropEffect(FALSE, 0, &effect);
    int s = engine_.SelStart(), e = engine_.SelEnd();
    if (effect != DROPEFFECT_NONE && (target < s || target > e)) {
      String moved = engine_.SelText();
      engine_.ReplaceSel(String());
      if (target > e) target -= e - s;
      engine_.SetSel(target, target);
      engine_.ReplaceSel(moved);
      engine_.SetSel(target, target + static_cast<int>(moved.size()));
      Changed(true);
      if (eventMask_ & ENM_DRAGDROPDONE) {
        NMHDR h;
        NotifyParent(hwnd_, EN_DRAGDROPDONE, &h);
      }
    }
  } else if (dragPending_) {
    int pos = CharFromPoint(x, y);
    engine_.SetSel(pos, pos);
    Changed(false);
  }
  dragPending_ = draggingText_ = selecting_ = lineSelecting_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
}

void TEditWindow::OnScroll(int bar, WORD code) {
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &si);
  if (bar == SB_VERT) {
    int last = layout_.LineCount() - VisibleLines();
    std::optional<int> first = ScrollRequestTarget(code, firstLine_, 1, VisibleLines(), si.nTrackPos, last);
    if (first) ScrollTo(std::min(*first, std::max(0, last)), xOffset_, true);
  } else {
    int width = fmt_.right - fmt_.left;
    int last = layout_.MaxLineWidth() - width;
    std::optional<int> x =
        ScrollRequestTarget(code, xOffset_, std::max(1, measure_.Width(u"x")), width, si.nTrackPos, last);
    if (x) ScrollTo(firstLine_, std::min(*x, std::max(0, last)), true);
  }
}

bool TEditWindow::Copy() {
  if (password_ || !engine_.SelLength()) return false;
  return PutClipboardText(hwnd_, engine_.SelText());
}

bool TEditWindow::Cut() {
  if (ReadOnly() || password_ || !engine_.SelLength()) return false;
  if (!Copy()) return false;
  engine_.ReplaceSel(String());
  Changed(true);
  return true;
}

bool TEditWindow::AcceptsPaste() {
  if (!callback_) return true;
  CLIPFORMAT cf = static_cast<CLIPFORMAT>(CF_UNICODETEXT);
  HRESULT hr = callback_->QueryAcceptData(nullptr, &cf, RECO_PASTE, TRUE, nullptr);
  return hr == S_OK || hr == E_NOTIMPL;
}

bool TEditWindow::Paste() {
  if (ReadOnly()) {
    MessageBeep(0);
    return false;
  }
  String text;
  if (!GetClipboardText(hwnd_, &text) || !AcceptsPaste()) return false;
  bool changed = engine_.ReplaceSel(text);
  if (changed)
    Changed(true);
  else if (engine_.LimitHit())
    Notify(EN_MAXTEXT, 0);
  return changed;
}

bool TEditWindow::Clear() {
  if (ReadOnly() || !engine_.SelLength()) return false;
  engine_.ReplaceSel(String());
  Changed(true);
  return true;
}

bool TEditWindow::DoUndo() {
  if (ReadOnly()) return false;
  // The edit class keeps one step and undoes the undo; the rich edit walks its history.
  bool done = engine_.Undo() || (!rich && engine_.Redo());
  if (done) Changed(true);
  return done;
}

void TEditWindow::DrawLine(HDC dc, int line, int y, bool showSel, const RECT& clip) {
  const TTextLine& l = layout_.Line(line);
  const String& shown = Shown();
  int x0 = fmt_.left + AlignOffset(line) - xOffset_;
  // Only the units reaching into the clip box are drawn, with one more either side for overhangs.
  int visibleFrom = std::max(l.start, layout_.CharUnderX(line, clip.left - x0) - 1);
  const int visibleTo = std::min(l.end, layout_.CharUnderX(line, clip.right - x0) + 2);
  if (visibleFrom > l.start && shown[visibleFrom] >= 0xDC00 && shown[visibleFrom] <= 0xDFFF) --visibleFrom;
  int s = std::clamp(engine_.SelStart(), l.start, l.end);
  int e = std::clamp(engine_.SelEnd(), l.start, l.end);
  if (!showSel) s = e = l.end;
  auto run = [&](int runFrom, int runTo, bool selected) {
    const int from = std::max(runFrom, visibleFrom), to = std::min(runTo, visibleTo);
    if (to <= from) return;
    int x = x0 + layout_.XInLine(line, from);
    int w = layout_.XInLine(line, to) - layout_.XInLine(line, from);
    if (selected) {
      RECT r{x, y, x + w, y + lineHeight_};
      FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      COLORREF old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      TextOut(dc, x, y, shown.data() + from, to - from);
      SetTextColor(dc, old);
    } else {
      TextOut(dc, x, y, shown.data() + from, to - from);
    }
  };
  run(l.start, s, false);
  run(s, e, true);
  run(e, l.end, false);
  // A selected line break shows as a small highlighted cell, as the platform does.
  if (showSel && l.next > l.end && engine_.SelStart() <= l.end && engine_.SelEnd() >= l.next) {
    int x = x0 + layout_.XInLine(line, l.end);
    RECT r{x, y, x + std::max(2, lineHeight_ / 4), y + lineHeight_};
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
}

void TEditWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  bool enabled = IsWindowEnabled(hwnd_);
  if (rich) {
    COLORREF bg = backgroundSet_ ? background_ : GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    HBRUSH own = CreateSolidBrush(bg);
    FillRect(dc, &client, own);
    DeleteObject(own);
    SetBkColor(dc, bg);
    COLORREF textColor = !enabled                                     ? GetSysColor(COLOR_GRAYTEXT)
                         : (defaultFormat_.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT)
                                                                      : defaultFormat_.crTextColor;
    SetTextColor(dc, textColor);
  } else {
    UINT colorMsg = (ReadOnly() || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    FillRect(dc, &client, ParentColorBrush(hwnd_, dc, colorMsg, COLOR_WINDOWTEXT, COLOR_WINDOW));
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  SetBkMode(dc, TRANSPARENT);
  bool underline = rich && (defaultFormat_.dwEffects & CFE_UNDERLINE) && underlineFont_;
  HGDIOBJ oldFont = SelectObject(dc, underline ? underlineFont_ : ControlFont(font_));
  int saved = SaveDC(dc);
  IntersectClipRect(dc, fmt_.left, fmt_.top, fmt_.right, fmt_.bottom);
  bool showSel = (focused_ || (Style() & ES_NOHIDESEL)) && !hideSelection_;
  RECT clip = client;
  if (GetClipBox(dc, &clip) == ERROR) clip = client;
  // The rows the clip box reaches, of those the format rectangle shows.
  const int top = firstLine_ + std::max(0, static_cast<int>(clip.top - fmt_.top) / lineHeight_);
  const int bottom = std::min(firstLine_ + VisibleLines() + 1,
                              firstLine_ + static_cast<int>(clip.bottom - fmt_.top) / lineHeight_ + 1);
  for (int i = top; i < layout_.LineCount() && i < bottom; ++i)
    DrawLine(dc, i, fmt_.top + (i - firstLine_) * lineHeight_, showSel, clip);
  RestoreDC(dc, saved);
  SelectObject(dc, oldFont);
}

LRESULT TEditWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE: {
      LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
      Create(reinterpret_cast<const CREATESTRUCT*>(lParam));
      return r;
    }
    case WM_CREATE:
      ResetFormatRect();
      Relayout();
      UpdateScrollBars();
      return 0;
    case WM_SIZE:
      ResetFormatRect();
      Relayout();
      ScrollCaretIntoView();
      UpdateScrollBars();
      UpdateCaret();
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_SETTEXT: {
      String text = lParam ? String(reinterpret_cast<LPCWSTR>(lParam)) : String();
      if (!rich) text = TTextEngine::ApplyCase(text, engine_.CharCase());
      if (!Multi()) {
        size_t br = text.find_first_of(u"\r\n");
        if (rich && br != String::npos) text.resize(br);
      }
      engine_.SetText(text);
      firstLine_ = xOffset_ = 0;
      DefWindowProc(hwnd_, msg, wParam, lParam);
      Changed(true);
      return TRUE;
    }
    case WM_GETTEXT: {
      if (!wParam || !lParam) return 0;
      auto* buf = reinterpret_cast<LPWSTR>(lParam);
      size_t n = std::min<size_t>(engine_.Text().size(), wParam - 1);
      std::copy_n(engine_.Text().begin(), n, buf);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return engine_.Length();
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam), lParam != 0);
      UpdateScrollBars();
      if (focused_) {
        CreateCaret(hwnd_, nullptr, 1, lineHeight_);
        ShowCaret(hwnd_);
        UpdateCaret();
      }
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(hwnd_, nullptr, 1, lineHeight_);
      UpdateCaret();
      ShowCaret(hwnd_);
      InvalidateRect(hwnd_, nullptr, TRUE);
      Notify(EN_SETFOCUS, 0);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      DestroyCaret();
      InvalidateRect(hwnd_, nullptr, TRUE);
      if (GetCapture() == hwnd_) ReleaseCapture();
      selecting_ = lineSelecting_ = dragPending_ = draggingText_ = false;
      Notify(EN_KILLFOCUS, 0);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintClient(hwnd_, msg, wParam, [this](HDC dc) { Paint(dc); });
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (Multi() && (Style() & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (Filtered(msg, wParam, lParam)) return 0;
      OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_KEYUP:
      if (Filtered(msg, wParam, lParam)) return 0;
      return 0;
    case WM_CHAR:
      if (Filtered(msg, wParam, lParam)) return 0;
      OnChar(static_cast<Char>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Filtered(msg, wParam, lParam)) return 0;
      OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      if (Filtered(msg, wParam, lParam)) return 0;
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (Filtered(msg, wParam, lParam)) return 0;
      OnMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      selecting_ = lineSelecting_ = dragPending_ = draggingText_ = false;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
      }
      return DefWindowProc(hwnd_, msg, wParam, lParam);
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      if (!Multi()) return DefWindowProc(hwnd_, msg, wParam, lParam);
      int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      int lines = -delta / WHEEL_DELTA * 3;
      ScrollTo(std::min(firstLine_ + lines, std::max(0, layout_.LineCount() - VisibleLines())), xOffset_,
               true);
      return 0;
    }
    case WM_CUT:
      Cut();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      Clear();
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return DoUndo();
    case EM_REDO:
      if (ReadOnly() || !engine_.Redo()) return FALSE;
      Changed(true);
      return TRUE;
    case EM_CANUNDO:
      return engine_.CanUndo() || (!rich && engine_.CanRedo());
    case EM_CANREDO:
      return engine_.CanRedo();
    case EM_EMPTYUNDOBUFFER:
      engine_.EmptyUndoBuffer();
      return 0;
    case EM_GETMODIFY:
      return engine_.Modified();
    case EM_SETMODIFY:
      engine_.SetModified(wParam != 0);
      return 0;
    case EM_GETSEL: {
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(engine_.SelStart());
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(engine_.SelEnd());
      if (engine_.SelEnd() > 0xFFFF) return -1;
      return static_cast<LRESULT>(
          MAKELONG(static_cast<WORD>(engine_.SelStart()), static_cast<WORD>(engine_.SelEnd())));
    }
    case EM_SETSEL: {
      int start = static_cast<int>(static_cast<LONG_PTR>(wParam));
      int end = static_cast<int>(lParam);
      if (start == -1)
        engine_.SetSel(engine_.Caret(), engine_.Caret());
      else
        engine_.SetSel(start, end < 0 ? engine_.Length() : end);
      Changed(false, false);
      return 0;
    }
    case EM_EXGETSEL: {
      auto* cr = reinterpret_cast<CHARRANGE*>(lParam);
      if (cr) {
        cr->cpMin = engine_.SelStart();
        cr->cpMax = engine_.SelEnd();
      }
      return 0;
    }
    case EM_EXSETSEL: {
      auto* cr = reinterpret_cast<const CHARRANGE*>(lParam);
      if (!cr) return engine_.SelEnd();
      if (cr->cpMin == -1)
        engine_.SetSel(engine_.Caret(), engine_.Caret());
      else if (cr->cpMin == 0 && cr->cpMax == -1)
        engine_.SelectAll();
      else
        engine_.SetSel(cr->cpMin, cr->cpMax < 0 ? engine_.Length() : cr->cpMax);
      Changed(false, false);
      return engine_.SelEnd();
    }
    case EM_GETSELTEXT: {
      String s = engine_.SelText();
      if (lParam) {
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        std::copy(s.begin(), s.end(), buf);
        buf[s.size()] = 0;
      }
      return static_cast<LRESULT>(s.size());
    }
    case EM_REPLACESEL: {
      String s = lParam ? String(reinterpret_cast<LPCWSTR>(lParam)) : String();
      if (engine_.ReplaceSel(s, wParam != 0))
        Changed(true);
      else if (engine_.LimitHit())
        Notify(EN_MAXTEXT, 0);
      return 0;
    }
    case EM_LIMITTEXT:
      engine_.SetLimit(wParam ? static_cast<int>(wParam) : (rich ? 65536 : 0x7FFFFFFE));
      return 0;
    case EM_EXLIMITTEXT:
      engine_.SetLimit(lParam > 0 ? static_cast<int>(lParam) : 65536);
      return 0;
    case EM_GETLIMITTEXT:
      return engine_.Limit();
    case EM_SETREADONLY: {
      LONG style = GetWindowLong(hwnd_, GWL_STYLE);
      SetWindowLong(
          hwnd_, GWL_STYLE,
          wParam ? (style | static_cast<LONG>(ES_READONLY)) : (style & ~static_cast<LONG>(ES_READONLY)));
      InvalidateRect(hwnd_, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR:
      password_ = static_cast<Char>(wParam);
      {
        LONG style = GetWindowLong(hwnd_, GWL_STYLE);
        SetWindowLong(
            hwnd_, GWL_STYLE,
            password_ ? (style | static_cast<LONG>(ES_PASSWORD)) : (style & ~static_cast<LONG>(ES_PASSWORD)));
      }
      Relayout();
      Changed(true, false);
      return 0;
    case EM_GETPASSWORDCHAR:
      return password_;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (lParam)
        fmt_ = *reinterpret_cast<const RECT*>(lParam);
      else
        ResetFormatRect();
      Relayout();
      if (msg == EM_SETRECT) InvalidateRect(hwnd_, nullptr, TRUE);
      UpdateScrollBars();
      UpdateCaret();
      return 0;
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = fmt_;
      return 0;
    case EM_SETMARGINS: {
      int avg = std::max(1, measure_.Width(u"x"));
      if (wParam & EC_LEFTMARGIN)
        leftMargin_ = LOWORD(static_cast<std::uintptr_t>(lParam)) == EC_USEFONTINFO
                          ? avg / 2
                          : LOWORD(static_cast<std::uintptr_t>(lParam));
      if (wParam & EC_RIGHTMARGIN)
        rightMargin_ = HIWORD(static_cast<std::uintptr_t>(lParam)) == EC_USEFONTINFO
                           ? avg / 2
                           : HIWORD(static_cast<std::uintptr_t>(lParam));
      ResetFormatRect();
      Relayout();
      InvalidateRect(hwnd_, nullptr, TRUE);
      UpdateCaret();
      return 0;
    }
    case EM_GETMARGINS:
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(leftMargin_), static_cast<WORD>(rightMargin_)));
    case EM_GETLINECOUNT:
      return layout_.LineCount();
    case EM_GETFIRSTVISIBLELINE:
      return firstLine_;
    case EM_LINEINDEX: {
      int line = static_cast<int>(static_cast<LONG_PTR>(wParam));
      if (line < 0) line = layout_.LineFromChar(engine_.Caret());
      if (line >= layout_.LineCount()) return -1;
      return layout_.Line(line).start;
    }
    case EM_LINEFROMCHAR: {
      int i = static_cast<int>(static_cast<LONG_PTR>(wParam));
      return layout_.LineFromChar(i < 0 ? engine_.SelStart() : i);
    }
    case EM_EXLINEFROMCHAR:
      return layout_.LineFromChar(static_cast<int>(lParam));
    case EM_LINELENGTH: {
      int i = static_cast<int>(static_cast<LONG_PTR>(wParam));
      if (i < 0) {
        // The unselected characters on the lines the selection touches.
        const TTextLine& a = layout_.Line(layout_.LineFromChar(engine_.SelStart()));
        const TTextLine& b = layout_.Line(layout_.LineFromChar(engine_.SelEnd()));
        return (engine_.SelStart() - a.start) + (b.end - std::min(b.end, engine_.SelEnd()));
      }
      if (i > engine_.Length()) return 0;
      const TTextLine& l = layout_.Line(layout_.LineFromChar(i));
      return l.end - l.start;
    }
    case EM_GETLINE: {
      int line = static_cast<int>(wParam);
      auto* buf = reinterpret_cast<LPWSTR>(lParam);
      if (!buf || line < 0 || line >= layout_.LineCount()) return 0;
      int max = static_cast<WORD>(buf[0]);
      const TTextLine& l = layout_.Line(line);
      int n = std::min(max, l.end - l.start);
      std::copy_n(engine_.Text().data() + l.start, n, buf);
      if (n < max) buf[n] = 0;
      return n;
    }
    case EM_SCROLLCARET:
      ScrollCaretIntoView();
      return 0;
    case EM_LINESCROLL:
      ScrollTo(firstLine_ + static_cast<int>(lParam),
               xOffset_ + static_cast<int>(static_cast<LONG_PTR>(wParam)) * std::max(1, measure_.Width(u"x")),
               false);
      return TRUE;
    case EM_SCROLL: {
      int before = firstLine_;
      OnScroll(SB_VERT, static_cast<WORD>(wParam));
      return MAKELONG(static_cast<WORD>(firstLine_ - before), TRUE);
    }
    case EM_POSFROMCHAR: {
      // Rich-edit form: wParam points at the POINT, lParam is the index; edit form: wParam is it.
      if (rich && wParam > 0xFFFF) {
        auto* p = reinterpret_cast<POINT*>(wParam);
        *p = PosFromChar(std::clamp(static_cast<int>(lParam), 0, engine_.Length()));
        return 0;
      }
      int i = static_cast<int>(wParam);
      if (i < 0 || i > engine_.Length()) return -1;
      POINT p = PosFromChar(i);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }
    case EM_CHARFROMPOS: {
      if (rich) {
        auto* p = reinterpret_cast<const POINT*>(lParam);
        return p ? CharFromPoint(p->x, p->y) : 0;
      }
      int i = CharFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(i), static_cast<WORD>(layout_.LineFromChar(i))));
    }
    case EM_CANPASTE:
      return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
    case EM_SETEVENTMASK: {
      DWORD old = eventMask_;
      eventMask_ = static_cast<DWORD>(lParam);
      return old;
    }
    case EM_GETEVENTMASK:
      return eventMask_;
    case EM_SETTEXTMODE:
      // Plain text is the only mode; it can be chosen while the control is empty.
      return (wParam & TM_RICHTEXT) ? 1 : (engine_.Length() ? 1 : 0);
    case EM_GETTEXTMODE:
      return TM_PLAINTEXT;
    case EM_SETBKGNDCOLOR: {
      COLORREF old = backgroundSet_ ? background_ : GetSysColor(COLOR_WINDOW);
      backgroundSet_ = wParam == 0;
      background_ = static_cast<COLORREF>(lParam);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return old;
    }
    case EM_SETCHARFORMAT: {
      auto* cf = reinterpret_cast<const CHARFORMAT*>(lParam);
      if (!cf) return 0;
      // Plain text has one format: whatever the scope, it is the default one.
      if (cf->dwMask & CFM_COLOR) {
        defaultFormat_.dwEffects =
            (defaultFormat_.dwEffects & ~CFE_AUTOCOLOR) | (cf->dwEffects & CFE_AUTOCOLOR);
        defaultFormat_.crTextColor = cf->crTextColor;
      }
      if (cf->dwMask & CFM_UNDERLINE)
        defaultFormat_.dwEffects =
            (defaultFormat_.dwEffects & ~CFE_UNDERLINE) | (cf->dwEffects & CFE_UNDERLINE);
      if ((cf->dwMask & CFM_UNDERLINETYPE) && cf->cbSize >= sizeof(CHARFORMAT2)) {
        BYTE type = static_cast<const CHARFORMAT2*>(cf)->bUnderlineType;
        defaultFormat_.bUnderlineType = type;
        defaultFormat_.dwEffects = (defaultFormat_.dwEffects & ~CFE_UNDERLINE) | (type ? CFE_UNDERLINE : 0);
      }
      defaultFormat_.dwMask |= cf->dwMask & (CFM_COLOR | CFM_UNDERLINE | CFM_UNDERLINETYPE);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 1;
    }
    case EM_GETCHARFORMAT: {
      auto* cf = reinterpret_cast<CHARFORMAT*>(lParam);
      if (!cf) return 0;
      cf->dwMask = CFM_COLOR | CFM_UNDERLINE;
      cf->dwEffects = defaultFormat_.dwEffects;
      cf->crTextColor = defaultFormat_.crTextColor;
      if (cf->cbSize >= sizeof(CHARFORMAT2)) {
        static_cast<CHARFORMAT2*>(cf)->bUnderlineType =
            (defaultFormat_.dwEffects & CFE_UNDERLINE) ? CFU_UNDERLINE : CFU_UNDERLINENONE;
        cf->dwMask |= CFM_UNDERLINETYPE;
      }
      return cf->dwMask;
    }
    case EM_SETOLECALLBACK: {
      auto* cb = reinterpret_cast<IRichEditOleCallback*>(lParam);
      if (cb) cb->AddRef();
      if (callback_) callback_->Release();
      callback_ = cb;
      return TRUE;
    }
    case EM_HIDESELECTION:
      hideSelection_ = wParam != 0;
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case EM_SETOPTIONS: {
      LONG style = GetWindowLong(hwnd_, GWL_STYLE);
      LONG bits =
          static_cast<LONG>(lParam) & static_cast<LONG>(ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL |
                                                        ECO_READONLY | ECO_WANTRETURN | ECO_SELECTIONBAR);
      switch (wParam) {
        case ECOOP_SET:
          style = (style & ~static_cast<LONG>(0x01001DC0)) | bits;
          break;
        case ECOOP_OR:
          style |= bits;
          break;
        case ECOOP_AND:
          style &= bits | ~static_cast<LONG>(0x01001DC0);
          break;
        case ECOOP_XOR:
          style ^= bits;
          break;
      }
      SetWindowLong(hwnd_, GWL_STYLE, style);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return style & 0x01001DC0;
    }
    case EM_GETOPTIONS:
      return static_cast<LONG>(Style() & 0x01001DC0);
    default:
      return DefWindowProc(hwnd_, msg, wParam, lParam);
  }
}

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool rich) {
  return WithWindowState<TEditWindow>(hwnd, msg, wParam, lParam, [&](TEditWindow& edit) {
    edit.rich = rich;
    return edit.Handle(msg, wParam, lParam);
  });
}

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return EditProc(hwnd, msg, wParam, lParam, false);
}

LRESULT RichEditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return EditProc(hwnd, msg, wParam, lParam, true);
}
