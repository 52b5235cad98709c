// The tree list's own keyboard: row and column navigation, expanding and collapsing, Shift and Ctrl
// selection, the editor's keys and the keys of an incremental search.
#include <algorithm>
#include <initializer_list>

#include "dx/treelist/dxTL.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

bool IsOneOf(WORD Key, std::initializer_list<UINT> Keys) {
  return std::find(Keys.begin(), Keys.end(), Key) != Keys.end();
}

// Keys that close the editor before the tree list handles them.
bool ClosesEditor(WORD Key) {
  return IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN});
}

// Keys that Ctrl+Shift turns into a range selection.
bool IsRangeKey(WORD Key) { return IsOneOf(Key, {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_UP, VK_DOWN}); }

bool IsSearchKey(WORD Key, TShiftState Shift) {
  if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) return true;
  return Key == VK_RETURN && (Shift.Contains(ssShift) || Shift.Contains(ssCtrl));
}

}  // namespace

// Arrows always; characters while they can edit or search; Tab only when the tree list takes it.
void TCustomdxTreeList::WMGetDlgCode(TMessage& Message) {
  LRESULT code = DLGC_WANTARROWS;
  bool altUp = (GetKeyState(VK_MENU) & 0x8000) == 0;
  if (IsEditingEnabled() || searchActive_ || (HasOptionEx(dxtlox::AutoSearch) && altUp)) code |= DLGC_WANTCHARS;
  if (WantTabs()) code |= DLGC_WANTTAB;
  Message.Result = code;
}

void TCustomdxTreeList::CancelDragSizing() {
  switch (state_) {
    case tsBandDragging:
      EndDragBand(false);
      break;
    case tsColumnDragging:
      EndDragHeader(false);
      break;
    case tsBandDown:
    case tsColumnDown:
    case tsFilterButtonDown:
    case tsClearFilterDown:
    case tsBandButtonDown:
    case tsHeaderButtonDown:
      SetState(tsNormal);
      pressedBand_ = pressedColumn_ = -1;
      Invalidate();
      break;
    default:
      if (!IsDragSizingState(state_)) break;
      DrawSizingLine();
      SetState(tsNormal);
      ShowDragFeedbackCursor(Cursor());
      Invalidate();
      break;
  }
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  HideClearFilterHint();
}

void TCustomdxTreeList::KeyDown(WORD& Key, TShiftState Shift) {
  BeginSelection();
  struct TEnd {
    TCustomdxTreeList* self;
    ~TEnd() { self->EndSelection(); }
  } end{this};
  inherited::KeyDown(Key, Shift);
  if (Key == 0 || !CanHandleKey(Key, Shift)) return;
  if (IsDragSizingState(state_)) {
    if (Key == VK_ESCAPE) CancelDragSizing();
    return;
  }
  if (roots_.empty()) return;
  if (state_ == tsEditing && ClosesEditor(Key)) {
    HideEditor();
    if (Key == VK_ESCAPE) return;
  }
  if (newItemRowActive_ && (Key == VK_NEXT || Key == VK_DOWN)) {
    SetNewItemRowActive(false);
    SetFocusedNode(top_ ? top_ : GetFirstNode(), GetFocusedColumn(), true);
    if (!Shift.Contains(ssCtrl) && !Shift.Contains(ssShift)) {
      ClearSelection();
      selectionAnchor_ = nullptr;
      if (focused_) SetNodeSelected(focused_, true);
    }
    return;
  }
  if (searchActive_ && IsSearchKey(Key, Shift) && HandleSearchKey(Key, Shift)) return;
  bool ctrl = Shift.Contains(ssCtrl);
  if (ctrl && !(Shift.Contains(ssShift) && IsRangeKey(Key) && CanSelectRange())) {
    keyboardSelecting_ = false;
    HandleCtrlKey(Key);
    return;
  }
  HandlePlainKey(Key, Shift);
  if (GetSelectedCount() == 0 && focused_) SetNodeSelected(focused_, true);
}

bool TCustomdxTreeList::HandleSearchKey(WORD Key, TShiftState Shift) {
  if (searchColumn_ != GetFocusedColumnAbsoluteIndex()) {
    searchColumn_ = GetFocusedColumnAbsoluteIndex();
    searchText_.clear();
  }
  switch (Key) {
    case VK_ESCAPE:
      InvalidateFocusedRow();
      return true;
    case VK_BACK:
      if (!searchText_.empty()) searchText_.pop_back();
      IncrementalSearch(searchText_, 0, false);
      return true;
    case VK_DELETE:
      searchText_.clear();
      IncrementalSearch(searchText_, 0, false);
      return true;
    default:
      IncrementalSearch(searchText_, Shift.Contains(ssShift) ? 1 : 2, false);
      return true;
  }
}

void TCustomdxTreeList::HandleCtrlKey(WORD Key) {
  int index = GetFocusedAbsoluteIndex();
  switch (Key) {
    case VK_SPACE:
      if (IsEditingEnabled() && !IsRowSelect()) return;
      if (focused_) {
        SetNodeSelected(focused_, !IsNodeSelected(focused_));
        SetSelectionAnchor(focused_);
      }
      return;
    case VK_PRIOR:
    case VK_NEXT:
      MovePage(Key == VK_PRIOR ? -1 : 1);
      return;
    case VK_END:
      SetFocusedAbsoluteIndex(GetAbsoluteCount() - 1);
      return;
    case VK_HOME:
      SetFocusedAbsoluteIndex(0);
      return;
    case VK_LEFT:
      SetFocusedColumn(0);
      return;
    case VK_RIGHT:
      SetFocusedColumn(GetVisibleColumnCount() - 1);
      return;
    case VK_UP:
      if (IsFirstRow(focused_))
        SetNewItemRowActive(true);
      else
        SetFocusedAbsoluteIndex(index - 1);
      return;
    case VK_DOWN:
      SetFocusedAbsoluteIndex(index + 1);
      return;
    case VK_INSERT:
      CopySelectedToClipboard();
      return;
    default:
      return;
  }
}

void TCustomdxTreeList::HandlePlainKey(WORD& Key, TShiftState& Shift) {
  switch (Key) {
    case VK_TAB:
      if (Shift.Contains(ssAlt)) return;
      HandleTabKey(Shift);
      Shift.Exclude(ssShift);
      return;
    case VK_RETURN:
      if (HasOptionEx(dxtlox::EnterThrough) && IsEnterShowEditor()) HandleEnterThrough();
      return;
    case VK_ESCAPE:
      ClearSelection();
      InvalidateEditor();
      if (editor_) editor_->CaretToEnd();
      HideEditor();
      return;
    case VK_PRIOR:
    case VK_NEXT:
      HandlePageKey(Key == VK_PRIOR ? -1 : 1, Shift);
      return;
    case VK_END:
    case VK_HOME:
      HandleHomeEndKey(Key == VK_END, Shift);
      return;
    case VK_LEFT:
      HandleLeftKey();
      return;
    case VK_RIGHT:
      HandleRightKey();
      return;
    case VK_UP:
      if (MoveThroughHeaderRows(-1, Shift)) return;
      if (IsFirstRow(focused_) && IsNewItemRowVisible() && !newItemRowActive_)
        SetNewItemRowActive(true);
      else
        MoveVertically(-1, Shift);
      return;
    case VK_DOWN:
      if (!MoveThroughHeaderRows(1, Shift)) MoveVertically(1, Shift);
      return;
    case VK_F2:
      ShowEditor();
      return;
    default:
      return;
  }
}

// VertThrough: Up and Down first walk the header rows of the focused column's band, keeping the
// position in the row; past the band's first or last row they wrap and move to the adjacent node.
// False when the option does not apply, so the key moves between nodes as usual.
bool TCustomdxTreeList::MoveThroughHeaderRows(int Delta, TShiftState Shift) {
  if (!HasOptionEx(dxtlox::VertThrough) || IsRowSelect() || !focused_ || IsGroupNode(focused_)) return false;
  const int column = GetFocusedColumnAbsoluteIndex();
  const int band = GetBandVisibleIndex(GetColumnBandIndex(column));
  const int rows = GetBandHeaderRowCount(band);
  if (rows < 2) return false;
  int row = -1, position = -1;
  for (int r = 0; r < rows && row < 0; ++r)
    for (int p = 0; p < GetBandRowColumnCount(band, r); ++p)
      if (GetColumnAt(band, r, p) == column) {
        row = r;
        position = p;
        break;
      }
  if (row < 0) return false;
  int target = row + Delta;
  const bool wraps = target < 0 || target >= rows;
  if (wraps) {
    if (Delta < 0 ? IsFirstRow(focused_) : IsLastRow(focused_)) return true;
    target = Delta < 0 ? rows - 1 : 0;
  }
  const int count = GetBandRowColumnCount(band, target);
  if (count <= 0) return true;
  SetFocusedColumn(GetVisibleColumnIndex(GetColumnAt(band, target, std::min(position, count - 1))));
  if (wraps) MoveVertically(Delta, Shift);
  return true;
}

// Focuses the next tab stop after visible column From in direction Delta; false past the last one.
bool TCustomdxTreeList::FocusTabStop(int From, int Delta) {
  int count = GetVisibleColumnCount();
  for (int c = From + Delta; c >= 0 && c < count; c += Delta) {
    if (!GetColumnTabStop(c)) continue;
    SetFocusedColumn(c);
    return true;
  }
  return false;
}

void TCustomdxTreeList::FocusRowAndClearSelection(int Index) {
  ClearSelection();
  SetFocusedAbsoluteIndex(Index);
}

void TCustomdxTreeList::HandleTabKey(TShiftState Shift) {
  int delta = Shift.Contains(ssShift) ? -1 : 1;
  int index = GetFocusedAbsoluteIndex();
  if (IsRowSelect()) {
    FocusRowAndClearSelection(index + delta);
    return;
  }
  if (FocusTabStop(GetFocusedColumn(), delta) || !IsTabThrough()) return;
  bool atEdge = delta > 0 ? IsLastRow(focused_) : IsFirstRow(focused_);
  if (atEdge) return;
  FocusRowAndClearSelection(index + delta);
  FocusTabStop(delta > 0 ? -1 : GetVisibleColumnCount(), delta);
}

void TCustomdxTreeList::HandleEnterThrough() {
  if (!FocusTabStop(GetFocusedColumn(), 1) && !IsLastRow(focused_)) {
    SetFocusedAbsoluteIndex(GetFocusedAbsoluteIndex() + 1);
    FocusTabStop(-1, 1);
  }
  ShowEditor();
}

void TCustomdxTreeList::HandlePageKey(int Delta, TShiftState Shift) {
  bool shift = Shift.Contains(ssShift);
  ClearSelection();
  if (shift && CanSelectRange()) {
    if (!selectionAnchor_) selectionAnchor_ = focused_;
  } else {
    selectionAnchor_ = nullptr;
  }
  if (Delta < 0 && IsFirstRow(focused_) && IsNewItemRowVisible())
    SetNewItemRowActive(true);
  else
    MovePage(Delta);
  if (shift && CanSelectRange() && selectionAnchor_) SelectRange(selectionAnchor_, focused_);
}

void TCustomdxTreeList::HandleHomeEndKey(bool End, TShiftState Shift) {
  bool shift = Shift.Contains(ssShift);
  if (!IsRowSelect() && !shift) {
    SetFocusedColumn(End ? GetVisibleColumnCount() - 1 : 0);
    return;
  }
  ClearSelection();
  int target = End ? GetAbsoluteCount() - 1 : 0;
  if (shift && CanSelectRange()) {
    if (!selectionAnchor_) selectionAnchor_ = focused_;
    SetFocusedAbsoluteIndex(target);
    SelectRange(selectionAnchor_, focused_);
  } else {
    selectionAnchor_ = nullptr;
    SetFocusedAbsoluteIndex(target);
  }
}

void TCustomdxTreeList::HandleLeftKey() {
  if (!IsRowSelect()) {
    int column = GetFocusedColumn();
    if (column == 0 && HasOptionEx(dxtlox::HorzThrough)) {
      if (IsFirstRow(focused_)) return;
      SetFocusedAbsoluteIndex(GetFocusedAbsoluteIndex() - 1);
      FocusTabStop(GetVisibleColumnCount(), -1);
    } else {
      SetFocusedColumn(column - 1);
    }
    return;
  }
  if (!focused_) return;
  MakeNodeVisible(focused_);
  if (newItemRowActive_) return;
  if (focused_->Expanded() && NodeHasChildren(focused_)) {
    focused_->SetExpanded(false);
  } else if (focused_->GetPrevSibling() || !focused_->Parent()) {
    FocusRowAndClearSelection(GetFocusedAbsoluteIndex() - 1);
  } else {
    TdxTreeListNode* parent = focused_->Parent();
    ClearSelection();
    SetFocusedNode(parent, GetFocusedColumn(), true);
    SetNodeSelected(parent, true);
  }
}

void TCustomdxTreeList::HandleRightKey() {
  if (!IsRowSelect()) {
    int column = GetFocusedColumn();
    if (column >= GetVisibleColumnCount() - 1 && HasOptionEx(dxtlox::HorzThrough)) {
      if (IsLastRow(focused_)) return;
      SetFocusedAbsoluteIndex(GetFocusedAbsoluteIndex() + 1);
      FocusTabStop(-1, 1);
    } else {
      SetFocusedColumn(column + 1);
    }
    return;
  }
  if (!focused_) return;
  MakeNodeVisible(focused_);
  if (newItemRowActive_) return;
  if (!NodeHasChildren(focused_)) {
    FocusRowAndClearSelection(GetFocusedAbsoluteIndex() + 1);
  } else if (!focused_->Expanded()) {
    focused_->SetExpanded(true);
  } else if (TdxTreeListNode* child = focused_->GetFirstChild()) {
    ClearSelection();
    SetFocusedNode(child, GetFocusedColumn(), true);
    SetNodeSelected(child, true);
  }
}

void TCustomdxTreeList::MoveVertically(int Delta, TShiftState Shift) {
  bool multi = IsMultiSelect();
  bool blocked = Delta < 0 ? IsFirstRow(focused_) : IsLastRow(focused_);
  // A single selected node stays selected when the move cannot happen.
  auto clear = [&] {
    if (!(blocked && GetSelectedCount() == 1)) ClearSelection();
  };
  bool shiftMove = multi && Shift.Contains(ssShift);
  if (shiftMove) {
    if (keyboardSelecting_) {
      if (Delta + CompareWithAnchor(focused_) == 0) SetNodeSelected(focused_, false);
    } else {
      clear();
      if (CanSelectRange() && selectionAnchor_) {
        SelectRange(selectionAnchor_, focused_);
        // Moving away from the anchor keeps the node; moving back toward it drops it.
        SetNodeSelected(focused_, CompareWithAnchor(focused_) * Delta >= 0);
      } else {
        selectionAnchor_ = focused_;
        SetNodeSelected(focused_, true);
      }
      keyboardSelecting_ = true;
    }
  } else if (multi) {
    clear();
    selectionAnchor_ = nullptr;
  }
  SetFocusedAbsoluteIndex(GetFocusedAbsoluteIndex() + Delta);
  if (shiftMove && focused_) SetNodeSelected(focused_, true);
}

void TCustomdxTreeList::MovePage(int Delta) {
  int index = GetFocusedAbsoluteIndex();
  int count = GetAbsoluteCount();
  if (fullVisibleRowCount_ < 2) {
    if ((Delta < 0 && index == 0) || (Delta > 0 && index == count - 1)) return;
    SetFocusedAbsoluteIndex(index + Delta);
    return;
  }
  int top = std::max(GetTopIndex(), 0);
  int lastFull = top + fullVisibleRowCount_ - 1;
  if (index > top && index < lastFull)
    SetFocusedAbsoluteIndex(Delta < 0 ? top : lastFull);
  else
    SetFocusedAbsoluteIndex(index + Delta * (fullVisibleRowCount_ - 1));
}

void TCustomdxTreeList::ShowEditorChar(Char Ch) {
  ShowEditor();
  // The typed character becomes the editor's first input, as if it had been typed into it.
  if (state_ == tsEditing && editor_ && editor_->HandleAllocated())
    ::PostMessage(editor_->Handle(), WM_CHAR, Ch, 0);
}

void TCustomdxTreeList::KeyPress(Char& Key) {
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  bool ctrlCombination = ctrl && !alt;
  if (state_ == tsNormal && !searchActive_ && HasOptionEx(dxtlox::AutoSearch) && Key != VK_BACK &&
      Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && !ctrlCombination)
    StartSearch(-1, String());
  if (searchActive_ || !IsEnterShowEditor() || state_ == tsEditing) {
    inherited::KeyPress(Key);
  } else if (Key == VK_RETURN) {
    ShowEditor();
  } else if (Key == VK_BACK || Key == 0x16 || Key == 0x18 || Key >= 32) {
    ShowEditorChar(Key);
    if (state_ != tsEditing) inherited::KeyPress(Key);
  } else {
    inherited::KeyPress(Key);
  }
  if (state_ != tsEditing && focused_) {
    if (Key == 3 && HasOptionEx(dxtlox::AutoCopySelectedToClipboard)) {
      CopySelectedToClipboard();
    } else if (Key == u'*') {
      focused_->Expand(true);
    } else if (Key == u'+' || Key == u'-') {
      MakeNodeVisible(focused_);
      focused_->SetExpanded(Key == u'+');
    }
  }
  if (searchActive_ && Key >= 32 && !ctrlCombination) {
    if (searchColumn_ != GetFocusedColumnAbsoluteIndex()) {
      searchColumn_ = GetFocusedColumnAbsoluteIndex();
      searchText_.clear();
    }
    searchText_ += Key;
    IncrementalSearch(searchText_, 0, false);
  }
}
