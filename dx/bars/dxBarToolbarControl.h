// The toolbar window: the window of one bar, docked in a dock control or floating as a small tool
// window with its own caption; lays out its item controls in one line or in several, and enters
// menu mode when a click or a key activates it.
#pragma once

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarDockControl.h"

class TdxBarControl : public TCustomdxBarControl {
  TRENVIK_CLASS(TdxBarControl, TCustomdxBarControl);
  TRENVIK_MESSAGES(TdxBarControl);

 public:
  TdxBarControl(TdxBarManager* AOwner, TdxBar* ABar);
  ~TdxBarControl() override;

  TdxBar* Bar() const { return bar_; }
  bool Floating() const { return DockingStyle() == dsNone; }
  // The window the bar docks into (none while floating).
  TdxDockControl* DockControl() const { return dockControl_; }
  void SetDock(TdxBarDockingStyle Style, TdxDockControl* DockControl);
  // The dock goes away (and takes this window along as its child).
  void ForgetDock() { dockControl_ = nullptr; }
  bool HasMark() const;
  bool HasHiddenLinks() const { return hasHiddenLinks_; }
  void SetHasHiddenLinks(bool Value) { hasHiddenLinks_ = Value; }
  // Along the dock: the shortest the bar may be (its first control, or its longest when it wraps),
  // and its whole line; the mark of a docked bar included.
  int GetMinLength();
  int GetFullLength();
  // The mark at the end of a docked bar, in client coordinates.
  RECT GetMarkRect() const;
  bool Wraps() const { return Floating() || bar_->MultiLine(); }
  // A main menu bar shows the minimize, restore and close buttons of the maximized MDI child at
  // its end (dxBarMDIButtons.cpp).
  bool HasMDIButtons() const;
  // Index 0 minimize, 1 restore, 2 close, in client coordinates (empty without the buttons).
  RECT GetMDIButtonRect(int Index) const;

  int GetSeparatorSize() const override { return IsFlat() ? 5 : 6; }
  int PaintKind() const override;
  bool CanAlignControl(const TdxBarItemControl* Control) const override;
  HBRUSH GetBackgroundBrush() const override;

  // Places every shown link's control (rectangles in the links).
  void CalcItemRects();
  // The client size the bar takes at that client width (wrapping where it floats or is multi-line);
  // sets the controls' line breaks.
  SIZE GetSizeForWidth(int Width);
  // Without wrapping: the whole line, and the largest thickness.
  SIZE GetFullSize();
  void Rebuild() override;
  void SetActive(bool Value) override;
  void SelectItem(TdxBarItemControl* Control) override;
  void Close() override;
  // Menu mode: the toolbar takes the keyboard with Control selected (the first one for none).
  void EnterMenuMode(TdxBarItemControl* Control);
  void LeaveMenuMode();
  // Moves a floating bar so that its client area has the given size at its float position.
  void PlaceFloating();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void DrawItemControl(TdxBarItemControl* Control) override;
  void PressControl(TdxBarItemControl* Control) override;

 private:
  struct TLine {
    int first;  // index into the shown links
    int count;
    int length;
    int thickness;
    bool groupBreak;  // the line starts with a group whose separator lies between the lines
  };
  // Breaks the shown links into lines no longer than Length (never before a line's first link).
  std::vector<TLine> WrapLines(int Length);
  int LinkLength(TdxBarItemControl* Control) const;
  int LinkThickness(TdxBarItemControl* Control) const;
  void DrawSeparators();
  void DrawMark();
  void NCPaintFloating();
  void NCPaintDocked();

  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  // Over no enabled control and not on the mark: a press there moves the bar.
  bool IsDragPlace(POINT ClientPoint) const;
  // What the mark and the MDI buttons take at the end of a docked bar.
  int EndReserve() const;
  int MDIButtonsLength() const;
  int MDIButtonAt(POINT ClientPoint) const;
  bool MDIButtonEnabled(int Index) const;
  void DrawMDIButtons();
  // A press on an MDI button is tracked until the release, which sends the child the command.
  bool StartMDIButtonPress(POINT ClientPoint);
  void WMMouseMove(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMCancelMode(TMessage& Message);

  TdxBar* bar_;
  TdxDockControl* dockControl_ = nullptr;
  bool hasHiddenLinks_ = false;
  HWND focusedWindow_ = nullptr;
  int pressedMDIButton_ = -1;  // the button held down, -1 for none
  bool mdiButtonDown_ = false;  // the cursor is over the held button
};
