#include "dx/bars/dxBarComboControl.h"

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/native/EditControls.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxBarComboControl)
TRENVIK_IMPLEMENT_CLASS(TdxBarComboControl)

TCustomdxBarComboControl::TCustomdxBarComboControl(TdxBarItemLink* ALink) : TdxBarEditControl(ALink) {}

TCustomdxBarComboControl::~TCustomdxBarComboControl() { SetDroppedDown(false); }

void TCustomdxBarComboControl::SetDroppedDown(bool Value) {
  if (droppedDown_ == Value || (Value && Combo()->ReadOnly())) return;
  droppedDown_ = Value;
  Repaint();
  if (!Value) {
    Combo()->CloseUp();
    return;
  }
  TCustomdxBarControl* parent = Parent();
  RECT r = ItemLink()->ItemRect();
  bool beside = InMenu() || parent->IsVertical();
  POINT at = beside ? POINT{r.right, r.top} : POINT{r.left + CaptionWidth(), r.bottom};
  at = parent->ClientToScreen(at);
  Combo()->DropDown(at.x, at.y);
  // Without a window to drop down the request is over.
  if (!Combo()->GetDropDownWindow()) droppedDown_ = false;
}

bool TCustomdxBarComboControl::OwnsWindow(HWND Window) const {
  if (TdxBarEditControl::OwnsWindow(Window)) return true;
  return Window && droppedDown_ && Window == Combo()->GetDropDownWindow();
}

void TCustomdxBarComboControl::ControlInactivate(bool Immediately) {
  SetDroppedDown(false);
  TdxBarEditControl::ControlInactivate(Immediately);
}

bool TCustomdxBarComboControl::TogglesAt(POINT P) const {
  if (Combo()->NoEditor()) {
    RECT field{EditRect().left, buttonRect_.top, buttonRect_.right, buttonRect_.bottom};
    return PtInRect(&field, P);
  }
  return PtInRect(&buttonRect_, P);
}

void TCustomdxBarComboControl::ControlPress(bool ByMouse) {
  TdxBarEditControl::ControlPress(ByMouse);
  if (!ByMouse || GetKeyState(VK_LBUTTON) >= 0) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (TogglesAt(Parent()->ScreenToClient(cursor))) SetDroppedDown(!droppedDown_);
}

void TCustomdxBarComboControl::Paint(const RECT& R, int) {
  if (IsRectEmpty(&R)) return;
  RECT r = R;
  PaintFrame(r);
  RECT button{r.right - Parent()->ComboButtonWidth(), r.top, r.right, r.bottom};
  r.right = button.left - 1;
  if (IsEnabled()) SetEditRect(r);
  if (!Focused() || !IsEnabled() || Combo()->NoEditor()) PaintInterior(r);
  PaintButton(button);
}

void TCustomdxBarComboControl::PaintButton(RECT Button) {
  buttonRect_ = Button;
  TCustomdxBarControl* parent = Parent();
  HDC dc = parent->Canvas()->Handle();
  bool flat = IsFlat();
  bool selected = DrawSelected();
  bool enabled = IsEnabled();
  RECT column{Button.left - 1, Button.top, Button.left, Button.bottom};
  if (flat && selected) {
    RECT frame = Button;
    InflateRect(&frame, 1, 1);
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
    FillRect(dc, &column, GetSysColorBrush(COLOR_HIGHLIGHT));
    FillRect(dc, &Button, droppedDown_ ? parent->GetDownBrush() : parent->GetSelectedBrush());
  } else {
    HBRUSH line = parent->ItemBrush();
    if (selected && enabled) {
      DrawEdge(dc, &Button, droppedDown_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    } else {
      if (enabled) line = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
      FrameRect(dc, &Button, line);
    }
    FillRect(dc, &column, line);
    InflateRect(&Button, -1, -1);
    FillRect(dc, &Button, parent->ItemBrush());
    if (droppedDown_) OffsetRect(&Button, 1, 1);
  }
  int width = (Button.right - Button.left) / 2;
  if (width % 2 == 0) ++width;
  int x = Button.left + (Button.right - Button.left - width) / 2;
  int y = Button.top + (Button.bottom - Button.top - (width / 2 + 1)) / 2;
  auto arrow = [&](int dx, int color) {
    HBRUSH brush = GetSysColorBrush(color);
    for (int row = 0; row <= width / 2; ++row) {
      RECT line{x + dx + row, y + dx + row, x + dx + width - row, y + dx + row + 1};
      FillRect(dc, &line, brush);
    }
  };
  if (enabled) {
    arrow(0, flat && selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  } else {
    if (!flat) arrow(1, COLOR_BTNHIGHLIGHT);
    arrow(0, COLOR_GRAYTEXT);
  }
}

LRESULT TCustomdxBarComboControl::EditWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto key = static_cast<WORD>(WParam);
  bool keyMessage = Msg == WM_KEYDOWN || Msg == WM_KEYUP || Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP;
  if (Msg == WM_KEYDOWN && key == VK_F4) {
    SetDroppedDown(!droppedDown_);
    return 0;
  }
  if ((Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP) && (key == VK_UP || key == VK_DOWN)) {
    AltKeyUsed();
    if (Msg == WM_SYSKEYDOWN) SetDroppedDown(!droppedDown_);
    return 0;
  }
  HWND window = droppedDown_ ? Combo()->GetDropDownWindow() : nullptr;
  if (keyMessage && window &&
      Combo()->CheckKeyForDropDownWindow(key, KeyDataToShiftState(static_cast<LONG>(LParam)))) {
    SendMessage(window, Msg, WParam, LParam);
    return 0;
  }
  return TdxBarEditControl::EditWndProc(Msg, WParam, LParam);
}

void TdxBarComboControl::SetCurItemIndex(int Value) {
  curItemIndex_ = Value;
  TdxBarCustomCombo* combo = ListCombo();
  bool valid = Value >= 0 && Value < combo->Items()->Count();
  WriteText(valid ? combo->Items()->Strings(Value) : combo->Text());
  if (EditHandle()) SendMessage(EditHandle(), EM_SETSEL, 0, -1);
  if (combo->NoEditor()) Repaint();
}

void TdxBarComboControl::SetFocused(bool Value) {
  if (Value && !Focused()) curItemIndex_ = ListCombo()->ItemIndex();
  TCustomdxBarComboControl::SetFocused(Value);
}

bool TdxBarComboControl::EditKeyDown(WORD Key) {
  TdxBarCustomCombo* combo = ListCombo();
  if (Key == VK_RETURN || Key == VK_TAB) {
    bool shown = curItemIndex_ >= 0 && curItemIndex_ < combo->Items()->Count() &&
                 combo->Items()->Strings(curItemIndex_) == GetText();
    if (!shown) return TCustomdxBarComboControl::EditKeyDown(Key);
    HWND edit = EditHandle();
    combo->SetItemIndex(curItemIndex_);
    if (!IsWindow(edit) || !IsWindowVisible(edit)) return true;
    return TdxBarWinControl::EditKeyDown(Key);
  }
  bool noShift = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
  if ((Key == VK_UP || Key == VK_DOWN) && noShift && !DroppedDown()) {
    if (Key == VK_UP && curItemIndex_ > 0) SetCurItemIndex(curItemIndex_ - 1);
    if (Key == VK_DOWN && curItemIndex_ < combo->Items()->Count() - 1) SetCurItemIndex(curItemIndex_ + 1);
    return true;
  }
  return TCustomdxBarComboControl::EditKeyDown(Key);
}
