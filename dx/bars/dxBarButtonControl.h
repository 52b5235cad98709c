// The item control of a button: sizes by paint style, toolbar painting, check toggling on click.
#pragma once

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarItemControl.h"

class TdxBarButtonControl : public TdxBarItemControl {
  TRENVIK_CLASS(TdxBarButtonControl, TdxBarItemControl);

 public:
  explicit TdxBarButtonControl(TdxBarItemLink* ALink);
  ~TdxBarButtonControl() override;

  TdxBarButton* Button() const { return dynamic_cast<TdxBarButton*>(Item()); }
  bool DroppedDown() const { return droppedDown_; }
  // The link's paint style; a glyph-less standard button shows its caption on a toolbar.
  TdxBarPaintStyle PaintStyle() const;
  bool ShowsCaption() const;
  bool HasGlyph() const;
  int ListImageIndex() const;
  bool InMenu() const;

  int GetThickness() const;
  int GetLength() const;
  int GetArrowWidth() const;
  int GetWidth() override;
  int GetHeight() override;
  void Paint(const RECT& R, int Kind) override;

  bool CaptureOnPress() const override { return !droppedDown_; }
  bool KeepsSelection() const override { return droppedDown_; }
  bool ClosesMenusOnClick() const override;
  bool DrawSelected() const override;
  void ControlPress(bool ByMouse) override;
  void ControlInactivate(bool Immediately) override;
  bool WantsKey(WORD Key) const override;
  void KeyDown(WORD Key) override;
  // Opens the button's drop-down menu beside it (with its first entry selected from the keyboard).
  void DropDown(bool ByMouse);
  // The drop-down menu closed.
  void CloseUp();
  void Click(bool ByMouse) override;

 private:
  // The glyph square (or the whole control) with its state's background, glyph and frame.
  void DrawGlyphCell(const RECT& Cell, bool PressedLook, bool Down, bool Selected, bool NoGlyph);
  HBRUSH GlyphColumnBrush() const;
  void DrawCaption(RECT R, bool PressedLook, bool Down, bool Selected);
  // A menu row: the glyph column, the caption and the shortcut.
  void PaintMenuItem(const RECT& R);
  void DrawText(RECT R, const String& Text, UINT Format, bool Selected);
  bool PressedLook() const;
  bool IsDropDownButton() const;
  void CloseDropDownMenu();

  bool droppedDown_ = false;

  TdxBarPopupMenu* droppedMenu_ = nullptr;
};
