#include "dx/bars/dxBarDropDownListBox.h"

#include <algorithm>

#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarComboControl.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarServices.h"
#include "platform/forms/Canvas.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/win/ScrollBars.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarDropDownListBox)

TRENVIK_MESSAGE_MAP(TdxBarDropDownListBox) {
  M.On(WM_KEYDOWN, &TdxBarDropDownListBox::WMKeyDown);
  M.On(WM_MOUSEMOVE, &TdxBarDropDownListBox::WMMouseMove);
  M.On(WM_LBUTTONDOWN, &TdxBarDropDownListBox::WMLButtonDown);
  M.On(WM_LBUTTONUP, &TdxBarDropDownListBox::WMLButtonUp);
  M.On(WM_MOUSEACTIVATE, &TdxBarDropDownListBox::WMMouseActivate);
  M.On(WM_CAPTURECHANGED, &TdxBarDropDownListBox::WMCaptureChanged);
  M.On(WM_VSCROLL, &TdxBarDropDownListBox::WMVScroll);
  M.On(WM_MOUSEWHEEL, &TdxBarDropDownListBox::WMMouseWheel);
  M.On(WM_ERASEBKGND, &TdxBarDropDownListBox::WMEraseBkgnd);
}

TdxBarDropDownListBox::TdxBarDropDownListBox(TdxBarCustomCombo* ACombo) : TCustomControl(nullptr), combo_(ACombo) {
  SetVisible(false);
  SetColor(clWindow);
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER | WS_VSCROLL;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TdxBarDropDownListBox::Fill() {
  strings_.clear();
  for (int i = 0; i < combo_->Items()->Count(); ++i) strings_.push_back(combo_->Items()->Strings(i));
  tops_.assign(strings_.size() + 1, 0);
  for (size_t i = 0; i < strings_.size(); ++i) {
    int height = 0;
    combo_->MeasureItem(static_cast<int>(i), height);
    tops_[i + 1] = tops_[i] + height;
  }
  itemIndex_ = -1;
  topIndex_ = 0;
}

int TdxBarDropDownListBox::RowsHeight(int Rows) const { return tops_[std::clamp(Rows, 0, Count())]; }

RECT TdxBarDropDownListBox::ItemRect(int Index) {
  int offset = tops_[topIndex_];
  return RECT{0, tops_[Index] - offset, ClientWidth(), tops_[Index + 1] - offset};
}

int TdxBarDropDownListBox::ItemAtPos(POINT P) {
  RECT client = ClientRect();
  if (!PtInRect(&client, P)) return -1;
  int y = P.y + tops_[topIndex_];
  auto it = std::upper_bound(tops_.begin(), tops_.end(), y);
  int index = static_cast<int>(it - tops_.begin()) - 1;
  return index >= 0 && index < Count() ? index : -1;
}

int TdxBarDropDownListBox::VisibleRows() {
  int rows = 0;
  int height = ClientHeight();
  while (topIndex_ + rows < Count() && tops_[topIndex_ + rows + 1] - tops_[topIndex_] <= height) ++rows;
  return std::max(rows, 1);
}

void TdxBarDropDownListBox::SetTopIndex(int Value) {
  Value = std::clamp(Value, 0, std::max(Count() - 1, 0));
  if (topIndex_ == Value) return;
  topIndex_ = Value;
  UpdateScrollBar();
  Invalidate();
}

void TdxBarDropDownListBox::EnsureVisible(int Index) {
  if (Index < 0) return;
  if (Index < topIndex_) {
    SetTopIndex(Index);
    return;
  }
  while (Index >= topIndex_ + VisibleRows() && topIndex_ < Index) SetTopIndex(topIndex_ + 1);
}

void TdxBarDropDownListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= Count()) Value = -1;
  if (itemIndex_ == Value) return;
  if (HandleAllocated() && itemIndex_ >= 0) {
    RECT r = ItemRect(itemIndex_);
    InvalidateRect(Handle(), &r, FALSE);
  }
  itemIndex_ = Value;
  EnsureVisible(itemIndex_);
  if (HandleAllocated() && itemIndex_ >= 0) {
    RECT r = ItemRect(itemIndex_);
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TdxBarDropDownListBox::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMin = 0;
  info.nMax = Count() - 1;
  info.nPage = static_cast<UINT>(VisibleRows());
  info.nPos = topIndex_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  ShowScrollBar(Handle(), SB_VERT, Count() > combo_->DropDownCount());
}

void TdxBarDropDownListBox::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  RECT client = ClientRect();
  int bottom = 0;
  for (int i = topIndex_; i < Count() && bottom < client.bottom; ++i) {
    RECT r = ItemRect(i);
    TOwnerDrawState state;
    if (i == itemIndex_) state.Include(odSelected);
    canvas->Brush()->SetColor(i == itemIndex_ ? clHighlight : clWindow);
    canvas->Font()->SetColor(i == itemIndex_ ? clHighlightText : clWindowText);
    combo_->DrawItem(i, r, state);
    bottom = r.bottom;
  }
  RECT rest{0, bottom, client.right, client.bottom};
  if (!IsRectEmpty(&rest)) FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
}

void TdxBarDropDownListBox::SelectionChanged() {
  TdxBarItemLink* link = combo_->CurItemLink();
  auto* control = link ? dynamic_cast<TdxBarComboControl*>(link->Control()) : nullptr;
  if (control && itemIndex_ >= 0) control->SetCurItemIndex(itemIndex_);
}

void TdxBarDropDownListBox::WMKeyDown(TMessage& Message) {
  if (Count() == 0) return;
  // With nothing selected the top string is selected first.
  int index = itemIndex_ < 0 ? topIndex_ : itemIndex_;
  int page = VisibleRows();
  switch (Message.WParam) {
    case VK_UP:
      index = std::max(index - 1, 0);
      break;
    case VK_DOWN:
      index = std::min(index + 1, Count() - 1);
      break;
    case VK_PRIOR:
      index = std::max(index - page + 1, 0);
      break;
    case VK_NEXT:
      index = std::min(index + page - 1, Count() - 1);
      break;
    default:
      return;
  }
  SetItemIndex(index);
  SelectionChanged();
}

void TdxBarDropDownListBox::WMMouseMove(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  RECT client = ClientRect();
  if (pressPending_ && PtInRect(&client, p)) pressPending_ = false;
  int index = ItemAtPos(p);
  if (index >= 0) SetItemIndex(index);
}

void TdxBarDropDownListBox::WMLButtonDown(TMessage& Message) {
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  int index = ItemAtPos(p);
  if (index >= 0) SetItemIndex(index);
  SetCapture(Handle());
}

void TdxBarDropDownListBox::WMLButtonUp(TMessage& Message) {
  bool pending = pressPending_;
  ReleaseCapture();
  if (pending) return;
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  RECT client = ClientRect();
  if (!PtInRect(&client, p)) return;
  int index = itemIndex_;
  TdxBarCustomCombo* combo = combo_;
  if (TdxBarItemLink* link = combo->CurItemLink()) (link->ContainerLink() ? link->ContainerLink() : link)->BringToFront(true);
  // Closing the chain closes this list, and may free the control that opened it.
  while (TCustomdxBarControl* active = ActiveBarControl()) {
    active->Close();
    if (ActiveBarControl() == active) break;
  }
  if (index >= 0) combo->SetItemIndex(index);
}

void TdxBarDropDownListBox::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

void TdxBarDropDownListBox::WMCaptureChanged(TMessage&) { pressPending_ = false; }

void TdxBarDropDownListBox::WMVScroll(TMessage& Message) {
  int page = VisibleRows();
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP:
      SetTopIndex(topIndex_ - 1);
      break;
    case SB_LINEDOWN:
      SetTopIndex(topIndex_ + 1);
      break;
    case SB_PAGEUP:
      SetTopIndex(topIndex_ - page);
      break;
    case SB_PAGEDOWN:
      SetTopIndex(topIndex_ + page);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      SetTopIndex(HIWORD(Message.WParam));
      break;
    default:
      break;
  }
}

void TdxBarDropDownListBox::WMMouseWheel(TMessage& Message) {
  SetTopIndex(topIndex_ - GET_WHEEL_DELTA_WPARAM(Message.WParam) / WHEEL_DELTA * 3);
}

void TdxBarDropDownListBox::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
