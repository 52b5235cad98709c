// A menu bar drawn as a control: the visible sub-items of a root item side by side; a click or
// the form's Alt, F10 and Alt+letter run the menu loop on it. The action manager's main menu bar
// builds on it.
#pragma once

#include <vector>

#include "platform/forms/MenuLoop.h"

class TCustomMenuBar : public TCustomControl, public TMenuBarSite {
  TRENVIK_CLASS(TCustomMenuBar, TCustomControl);

 public:
  explicit TCustomMenuBar(TComponent* AOwner);

  // The item the bar shows the sub-items of.
  TMenuItem* BarRoot() override = 0;
  RECT BarItemRect(int Index) override;
  void SetBarHighlight(int Index, bool Open) override;
  int Highlighted() const { return highlight_; }
  bool HighlightOpen() const { return open_; }

  // The menu loop from the keyboard: Key 0 highlights the first item (Alt, F10), a character
  // opens the item it is the accelerator of. False when the bar has nothing for the key.
  bool TrackFromKey(Char Key);
  // The bar item under a client point, -1 when none.
  int ItemAtPos(POINT P);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The items' rectangles in client coordinates, laid out from the left.
  virtual std::vector<RECT> LayoutItems();
  virtual void PaintBarItem(TCanvas* C, TMenuItem* Item, const RECT& R, bool Highlighted, bool Open);
  void Track(int Index, bool Open, bool FromKeyboard);

 private:
  int highlight_ = -1;
  bool open_ = false;
};

// A form's first visible menu bar, or nullptr.
TCustomMenuBar* FindMenuBar(TWinControl* Form);
