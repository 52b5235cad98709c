// The control of an edit item: an optional caption, a framed editable part painted with the item's
// text, and the edit window over that part while it has the focus.
#pragma once

#include "dx/bars/dxBarWinControl.h"

class TdxBarEditControl : public TdxBarWinControl {
  TRENVIK_CLASS(TdxBarEditControl, TdxBarWinControl);

 public:
  explicit TdxBarEditControl(TdxBarItemLink* ALink);
  ~TdxBarEditControl() override;

  TdxBarEdit* Edit() const { return static_cast<TdxBarEdit*>(Item()); }
  // In menus the caption is always shown.
  bool CaptionShown() const;
  int CaptionWidth() const;

  int GetHeight() override;
  int GetMinWidth() override { return CaptionWidth() + 20; }
  int GetWidth() override;
  bool DrawSelected() const override;
  void Paint(const RECT& R, int Kind) override;

  void SetText(const String& Text) override;
  void SetFocused(bool Value) override;
  void ControlPress(bool ByMouse) override;
  void ChildNotify(WORD Code) override;

 protected:
  bool InMenu() const;
  // Draws the caption and the editable part's frame; leaves R as the interior.
  void PaintFrame(RECT& R);
  // The text (or the disabled look) inside the frame.
  void PaintInterior(const RECT& R);
  // Enter and Tab store the typed text before the editing ends; false when the bar went away.
  bool CommitText(WORD Key);
  bool EditKeyDown(WORD Key) override;
};
