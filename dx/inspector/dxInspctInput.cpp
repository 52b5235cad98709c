// Keyboard and mouse: moving the focus, expanding, sizing the divider, bands and rows, and the
// editor following the focus.
#include <algorithm>
#include <cstdlib>

#include "dx/inspector/dxInspct.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollInterval = 60;
constexpr UINT_PTR kHintShowTimer = 2;
constexpr UINT_PTR kHintHideTimer = 3;
// How far the mouse moves from a press on a row before the row is dragged.
constexpr int kDragStartDistance = 5;

bool IsNavigationKey(WORD Key) {
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP ||
         Key == VK_DOWN;
}

}  // namespace

void TCustomdxInspector::MoveFocusBy(int Delta) {
  SetFocusedAbsoluteIndex(GetFocusedAbsoluteIndex() + Delta);
}

void TCustomdxInspector::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  inherited::DoEditKeyDown(Key, Shift);
  ExpandKeys(Key, Shift);
}

void TCustomdxInspector::ExpandKeys(WORD Key, TShiftState Shift) {
  if (Key == 0 || !focusedNode_) return;
  TdxInspectorNode* node = focusedNode_;
  node->MakeVisible();
  const bool category = IsCategory(node);
  if (category && Key == VK_LEFT) node->Collapse(false);
  if (category && Key == VK_RIGHT) node->Expand(false);
  if (!category && !Shift.Contains(ssCtrl)) return;
  switch (Key) {
    case VK_MULTIPLY:
      if (node->HasChildren()) node->Expand(true);
      break;
    case VK_ADD:
      node->Expand(false);
      break;
    case VK_SUBTRACT:
      node->Collapse(false);
      break;
    default:
      break;
  }
}

void TCustomdxInspector::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (state_ == insDividerSizing || state_ == insBandSizing || state_ == insRowSizing) {
    if (Key == VK_ESCAPE) EndSizing();
    return;
  }
  if (Key == VK_ESCAPE && state_ == insRowDragging && Dragging()) {
    EndDrag(false);
    return;
  }
  if (topNodes_.empty()) return;
  const bool editing = HasOption(inoEditing) && IsNavigationKey(Key);
  if (editing) {
    const bool backward = Key == VK_PRIOR || Key == VK_UP || (Key == VK_TAB && Shift.Contains(ssShift));
    const bool forward = Key == VK_NEXT || Key == VK_DOWN || (Key == VK_TAB && !Shift.Contains(ssShift));
    const int index = GetFocusedAbsoluteIndex();
    bool atEdge = !HasOption(inoTabThrough) &&
                  ((backward && index == 0) || (forward && focusedNode_ == GetLastVisibleNode()));
    if (atEdge && Key == VK_TAB && CanFocusNextComplexItem(forward)) atEdge = false;
    if (atEdge) {
      if (inplaceEditor_ && inplaceEditor_->GetModified()) {
        PostEditor();
        ShowEditor();
      }
      return;
    }
    PostEditor();
  }
  const bool forwardTab =
      (Key == VK_TAB && !Shift.Contains(ssAlt)) || (Key == VK_RETURN && HasOption(inoEnterThrough));
  if (forwardTab) {
    const bool forward = !(Key == VK_TAB && Shift.Contains(ssShift));
    if (!FocusNextComplexItem(forward)) {
      const bool atEnd = forward ? focusedNode_ == GetLastVisibleNode() : GetFocusedAbsoluteIndex() == 0;
      if (HasOption(inoTabThrough) && atEnd) {
        if (TCustomForm* form = GetParentForm(this)) form->SelectNext(this, forward, true);
      } else {
        MoveFocusBy(forward ? 1 : -1);
      }
    }
  }
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_ESCAPE:
      ShowEditor();
      if (inplaceEditor_) inplaceEditor_->CaretToEnd();
      break;
    case VK_PRIOR:
      ctrl ? SetFocusedAbsoluteIndex(0) : MoveFocusBy(-visibleRowCount_);
      break;
    case VK_NEXT:
      ctrl ? SetFocusedAbsoluteIndex(GetAbsoluteCount() - 1) : MoveFocusBy(visibleRowCount_);
      break;
    case VK_UP:
      MoveFocusBy(-1);
      break;
    case VK_DOWN:
      MoveFocusBy(1);
      break;
    default:
      break;
  }
  ExpandKeys(Key, Shift);
  if (editing) ShowEditor();
}

void TCustomdxInspector::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS;
  if (WantTabs()) Message.Result |= DLGC_WANTTAB;
  if (HasOption(inoEditing)) Message.Result |= DLGC_WANTCHARS;
}

void TCustomdxInspector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (IsFocusInside()) PostEditor();
  if (!ComponentState().Contains(csDesigning) && (CanFocus() || !GetParentForm(this))) {
    SetFocus();
    if (!IsFocusInside()) {
      SetMouseCapture(false);
      return;
    }
  }
  mouseHitInfo_ = HitTest(POINT{X, Y});
  focusedComplexItem_ = mouseHitInfo_.ComplexItem;
  if (Button == mbRight && state_ != insIdle) EndSizing();
  const TdxInspectorHitKind kind = mouseHitInfo_.Kind;
  TdxInspectorNode* node = mouseHitInfo_.Node;
  if (Button == mbLeft && state_ == insIdle && MouseCapture()) {
    if (kind == ihkDivider && HasOption(inoColumnSizing)) {
      state_ = insDividerSizing;
      sizingStartValue_ = dividerPos_;
      sizingBand_ = mouseHitInfo_.Band;
      sizingPos_ = X;
      Update();
      DrawSizingLine();
      return;
    }
    if (kind == ihkBandSeparator && HasOption(inoBandSizing)) {
      state_ = insBandSizing;
      sizingStartValue_ = bandWidth_;
      sizingBand_ = mouseHitInfo_.Band;
      sizingPos_ = X;
      return;
    }
    if (kind == ihkRowBottom && node) {
      state_ = insRowSizing;
      sizingStartValue_ = GetRowHeight(node);
      sizingNode_ = node;
      sizingPos_ = Y;
      DrawSizingLine();
      return;
    }
    if ((kind >= ihkHeader && kind <= ihkValue) || kind == ihkComplexSeparator) {
      state_ = insRowPressed;
      pressedNode_ = node;
      if (paintStyle_ == ipsCategorized) InvalidateNode(node, false);
      pressPoint_ = POINT{X, Y};
      SetFocusedNode(node);
      const bool dbl = Shift.Contains(ssDouble);
      if (kind == ihkButton || (dbl && (kind == ihkImage || kind == ihkCaption))) {
        node->SetExpanded(!node->Expanded());
        if (dbl) DblClick();
        state_ = insIdle;
        if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
        return;
      }
      {
        const struct Reset {
          TdxInspectorState& state;
          int pending;
          ~Reset() {
            if (std::uncaught_exceptions() > pending) state = insIdle;
          }
        } reset{state_, std::uncaught_exceptions()};
        ShowEditorIfEditing();
        if (X > dividerPos_) clickMemory_ = TClickMemory{focusedComplexItem_, inplaceEditor_, editingNode_};
      }
      Click();
      SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval, nullptr);
    }
  }
  if (Button == mbLeft && kind == ihkEmpty) {
    if (Shift.Contains(ssDouble)) DblClick();
    TdxInspectorNode* last = nullptr;
    if (HasOption(inoAutoBandCount)) {
      for (const TdxInspectorBand& band : CalcBands())
        if (band.Index == mouseHitInfo_.Band && !band.Rows.empty()) last = band.Rows.back().Node;
    } else {
      last = GetLastVisibleNode();
    }
    if (last) {
      SetFocusedNode(last);
      last->MakeVisible();
      ShowEditorIfEditing();
    }
  }
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomdxInspector::MouseMove(TShiftState Shift, int X, int Y) {
  mouseHitInfo_ = HitTest(POINT{X, Y});
  switch (state_) {
    case insDividerSizing: {
      const int bandLeft = HasOption(inoAutoBandCount) ? (sizingBand_ - firstBand_) * bandWidth_ : 0;
      const int x =
          std::clamp(X, bandLeft + minColumnWidth_,
                     std::max(bandLeft + ColumnWidth() - minColumnWidth_, bandLeft + minColumnWidth_));
      if (x != sizingPos_) {
        DrawSizingLine();
        sizingPos_ = x;
        DrawSizingLine();
        if (IsDynamicSizing()) {
          DrawSizingLine();  // the divider itself follows; no inverted line is kept
          SetDividerPos(x - bandLeft);
          Update();
          DrawSizingLine();
        }
      }
      break;
    }
    case insBandSizing: {
      const int bands = sizingBand_ - firstBand_ + 1;
      const int x = std::clamp(X, bands * minBandWidth_, std::max(ClientWidth(), bands * minBandWidth_));
      if (x != sizingPos_) {
        sizingPos_ = x;
        SetBandWidth(x / bands);
      }
      break;
    }
    case insRowSizing: {
      const RECT row = GetNodeRect(sizingNode_);
      const int least = minRowHeight_ - (paintStyle_ == ipsCategorized && IsCategory(sizingNode_) ? 2 : 0);
      const int y = std::clamp(Y, row.top + least - 1, std::max(ClientHeight() - 1, row.top + least - 1));
      if (y != sizingPos_) {
        DrawSizingLine();
        sizingPos_ = y;
        DrawSizingLine();
      }
      break;
    }
    case insRowPressed:
      HideRowHint();
      if (!Shift.Contains(ssLeft)) {
        MouseUp(mbLeft, Shift, X, Y);
        break;
      }
      if (CanDragRows()) {
        if (std::abs(X - pressPoint_.x) > kDragStartDistance || std::abs(Y - pressPoint_.y) > kDragStartDistance)
          StartRowDrag();
        break;
      }
      if (mouseHitInfo_.Node && mouseHitInfo_.Node != focusedNode_) {
        SetFocusedNode(mouseHitInfo_.Node);
        if (focusedNode_ != clickMemory_.Node) clickMemory_.Node = nullptr;
      }
      break;
    default:
      break;
  }
  if (state_ == insIdle)
    TrackRowHint(mouseHitInfo_);
  else
    ResetRowHint();
  SetHotNode(mouseHitInfo_.Node);
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

// The press ends and the framework's drag starts, not at once: the pressed row is dragged.
void TCustomdxInspector::StartRowDrag() {
  TdxInspectorNode* node = pressedNode_ ? pressedNode_ : mouseHitInfo_.Node;
  if (node) SetFocusedNode(node);
  state_ = insIdle;
  if (pressedNode_) InvalidateNode(pressedNode_, false);
  clickMemory_ = TClickMemory{};  // a drag is no click on the editor
  pressedNode_ = node;
  if (node) BeginDrag(false);
}

void TCustomdxInspector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  mouseHitInfo_ = HitTest(POINT{X, Y});
  switch (state_) {
    case insRowPressed: {
      TdxInspectorNode* pressed = pressedNode_;
      state_ = insIdle;
      pressedNode_ = nullptr;
      if (pressed) InvalidateNode(pressed, false);
      if (paintStyle_ == ipsCategorized && pressed && pressed == mouseHitInfo_.Node && IsCategory(pressed))
        pressed->SetExpanded(!pressed->Expanded());
      break;
    }
    case insDividerSizing: {
      DrawSizingLine();
      const int bandLeft = HasOption(inoAutoBandCount) ? (sizingBand_ - firstBand_) * bandWidth_ : 0;
      state_ = insIdle;
      SetDividerPos(sizingPos_ - bandLeft);
      break;
    }
    case insBandSizing:
      state_ = insIdle;
      SetBandWidth(sizingPos_ / (sizingBand_ - firstBand_ + 1));
      break;
    case insRowSizing: {
      DrawSizingLine();
      state_ = insIdle;
      if (sizingNode_) {
        const RECT row = GetNodeRect(sizingNode_);
        SetNodeRowHeight(sizingNode_, sizingPos_ - row.top + 1);
      }
      sizingNode_ = nullptr;
      break;
    }
    default:
      break;
  }
  if (inplaceEditor_ && inplaceEditor_ == clickMemory_.Editor && editingNode_ == clickMemory_.Node &&
      mouseHitInfo_.ComplexItem == clickMemory_.ComplexItem && clickMemory_.Node &&
      mouseHitInfo_.Kind == ihkValue && mouseHitInfo_.Node == clickMemory_.Node) {
    clickMemory_ = TClickMemory{};
    inplaceEditor_->ActivateByClick();
    inplaceEditor_->InvalidateWithContainer();
  }
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomdxInspector::EndSizing() {
  if (state_ == insDividerSizing || state_ == insBandSizing || state_ == insRowSizing) {
    if (state_ != insBandSizing) DrawSizingLine();
    const TdxInspectorState was = state_;
    state_ = insIdle;
    sizingNode_ = nullptr;
    if (was == insDividerSizing && IsDynamicSizing()) {
      SetDividerPos(sizingStartValue_);
      Repaint();
    } else if (was == insBandSizing) {
      SetBandWidth(sizingStartValue_);
      Repaint();
    }
    Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle()), HTCLIENT);
  }
  HideRowHint();
}

void TCustomdxInspector::DrawSizingLine() {
  if (!HandleAllocated()) return;
  if (state_ == insDividerSizing && IsDynamicSizing()) return;
  HDC dc = GetDC(Handle());
  RECT line{};
  if (state_ == insDividerSizing) {
    RECT band = ClientRect();
    line = RECT{sizingPos_, band.top, sizingPos_ + 1, band.bottom};
  } else if (state_ == insRowSizing && sizingNode_) {
    const RECT row = GetNodeRect(sizingNode_);
    line = RECT{row.left, sizingPos_, row.right, sizingPos_ + 1};
  }
  if (!IsRectEmpty(&line)) InvertRect(dc, &line);
  ReleaseDC(Handle(), dc);
}

void TCustomdxInspector::AutoScrollTick() {
  POINT p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  p.x = std::clamp<int>(p.x, 0, std::max(ClientWidth() - 1, 0));
  if (p.y < 0) {
    if (!HasOption(inoAutoBandCount) && focusedNode_ != topNode_)
      SetFocusedNode(topNode_);
    else
      MoveFocusBy(-1);
  } else if (p.y >= ClientHeight()) {
    if (!HasOption(inoAutoBandCount)) {
      TdxInspectorNode* lastShown = GetNodeByAbsoluteIndex(GetTopIndex() + visibleRowCount_ - 1);
      if (lastShown && focusedNode_ != lastShown) {
        SetFocusedNode(lastShown);
        return;
      }
    }
    MoveFocusBy(1);
  }
}

void TCustomdxInspector::WMTimer(TMessage& Message) {
  switch (Message.WParam) {
    case kAutoScrollTimer:
      if (state_ == insRowPressed || state_ == insRowDragging) AutoScrollTick();
      break;
    case kHintShowTimer:
      EvaluateRowHint(false);
      break;
    case kHintHideTimer:
      HideRowHint();
      break;
    default:
      break;
  }
}

void TCustomdxInspector::WMCaptureChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (state_ == insRowPressed && HandleAllocated()) KillTimer(Handle(), kAutoScrollTimer);
}

// The editor a press showed learns when the press was: a click on it soon after is a double click.
void TCustomdxInspector::WMLButtonDown(TMessage& Message) {
  inherited::Dispatch(Message);
  if (inplaceEditor_) inplaceEditor_->SetClickTime(GetMessageTime());
}

void TCustomdxInspector::WMCancelMode(TMessage& Message) {
  inherited::Dispatch(Message);
  EndSizing();
}

void TCustomdxInspector::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    TdxInspectorState s = state_;
    if (s == insIdle) {
      const TdxInspectorHitKind kind = HitTest(p).Kind;
      if (kind == ihkDivider && HasOption(inoColumnSizing)) s = insDividerSizing;
      if (kind == ihkBandSeparator && HasOption(inoBandSizing)) s = insBandSizing;
      if (kind == ihkRowBottom && HasOption(inoRowSizing)) s = insRowSizing;
    }
    if (s == insDividerSizing || s == insBandSizing || s == insRowSizing) {
      ::SetCursor(Screen->Cursors(s == insRowSizing ? crVSplit : crHSplit));
      Message.Result = 1;
      return;
    }
  }
  inherited::Dispatch(Message);
}

void TCustomdxInspector::WMSetFocus(TWMSetFocus& Message) {
  inherited::Dispatch(Message);
  if (!inplaceEditor_ || !inplaceEditor_->HandleAllocated() ||
      Message.FocusedWnd() != inplaceEditor_->Handle()) {
    InvalidateNode(focusedNode_, false);
    UpdateEditor(true, false);
  }
}

void TCustomdxInspector::WMKillFocus(TWMSetFocus& Message) {
  inherited::Dispatch(Message);
  if (!inplaceEditor_ || !inplaceEditor_->HandleAllocated() ||
      Message.FocusedWnd() != inplaceEditor_->Handle()) {
    InvalidateNode(focusedNode_, false);
    if (state_ == insRowPressed) state_ = insIdle;
  }
}

void TCustomdxInspector::DoExit() {
  inherited::DoExit();
  HideEditor();
}
