// A flat push button that drops a design menu down below itself and stays down while it is open.
#pragma once

#include <functional>

#include "platform/forms/Controls.h"

class TdxBarDesignMenu;

class TdxBarCheckableButton : public TGraphicControl {
  TRENVIK_CLASS(TdxBarCheckableButton, TGraphicControl);

 public:
  explicit TdxBarCheckableButton(TComponent* AOwner);
  ~TdxBarCheckableButton() override;

  bool Down() const { return down_; }
  // Builds the menu the button drops down (its entries' states are those of the moment).
  std::function<TdxBarDesignMenu*()> DropDownMenu;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TRENVIK_MESSAGES(TdxBarCheckableButton);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void MenuClosed();

  bool down_ = false;
  bool mouseInControl_ = false;
  // The press that closed the menu was on the button: it does not open the menu again.
  bool ignoreNextPress_ = false;
};
