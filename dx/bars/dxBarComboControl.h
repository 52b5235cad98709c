// The controls of combo items: the edit control with a drop-down button, opened and closed by the
// button, F4 and Alt+Up or Alt+Down; the list combo's control also steps through the strings.
#pragma once

#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarEditControl.h"

class TCustomdxBarComboControl : public TdxBarEditControl {
  TRENVIK_CLASS(TCustomdxBarComboControl, TdxBarEditControl);

 public:
  explicit TCustomdxBarComboControl(TdxBarItemLink* ALink);
  ~TCustomdxBarComboControl() override;

  TCustomdxBarCombo* Combo() const { return static_cast<TCustomdxBarCombo*>(Item()); }
  bool DroppedDown() const { return droppedDown_; }
  // Read-only combos never drop down.
  virtual void SetDroppedDown(bool Value);
  const RECT& ButtonRect() const { return buttonRect_; }
  // The edit and, while it is open, the drop-down window.
  bool OwnsWindow(HWND Window) const override;

  void ControlInactivate(bool Immediately) override;
  void ControlPress(bool ByMouse) override;
  void Paint(const RECT& R, int Kind) override;

 protected:
  LRESULT EditWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

 private:
  void PaintButton(RECT Button);
  // Whether a client point of the bar window toggles the list (the button, or the whole field of a
  // combo without editor).
  bool TogglesAt(POINT P) const;

  RECT buttonRect_{};
  bool droppedDown_ = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
  TRENVIK_CLASS(TdxBarComboControl, TCustomdxBarComboControl);

 public:
  explicit TdxBarComboControl(TdxBarItemLink* ALink) : TCustomdxBarComboControl(ALink) {}

  TdxBarCustomCombo* ListCombo() const { return static_cast<TdxBarCustomCombo*>(Item()); }
  // The string shown in the edit while the control is focused.
  int CurItemIndex() const { return curItemIndex_; }
  void SetCurItemIndex(int Value);
  // The string matching what is being typed, kept without touching the edit.
  void MatchCurItemIndex(int Value) { curItemIndex_ = Value; }
  void SetFocused(bool Value) override;

 protected:
  bool EditKeyDown(WORD Key) override;

 private:
  int curItemIndex_ = -1;
};
