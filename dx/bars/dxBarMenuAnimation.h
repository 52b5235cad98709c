// Menus that unfold or slide open: the client sizes of the steps, and the state of one running
// animation. The steps run on a timer of the menu window (one step per tick of the clock), and any
// input for the menu first finishes the animation.
#pragma once

#include <memory>
#include <vector>

#include "dx/bars/dxBarManager.h"
#include "platform/forms/Graphic.h"

class TdxBarSubMenuControl;

// The kind maRandom stands for this time: maSlide or maUnfold, half each.
TdxBarMenuAnimations ResolveMenuAnimation(TdxBarMenuAnimations Kind);
// Makes the random choices of maRandom repeat (tests).
void SetMenuAnimationSeed(unsigned Seed);
// The client sizes a menu of the final client size passes through, the final one excluded:
// maUnfold grows both sides by 8 pixels a step along the shorter one, maSlide the height by 17.
std::vector<SIZE> MenuAnimationFrames(TdxBarMenuAnimations Kind, SIZE Client);

class TdxBarMenuAnimation {
 public:
  static constexpr UINT_PTR kTimerId = 4;
  // The menu is painted whole into an image first; it grows away from its anchored edges (leftwards
  // with GrowLeft, upwards with GrowUp) and its content slides in from them.
  TdxBarMenuAnimation(TdxBarSubMenuControl* Menu, TdxBarMenuAnimations Kind, bool GrowLeft, bool GrowUp);
  ~TdxBarMenuAnimation();
  TdxBarMenuAnimation(const TdxBarMenuAnimation&) = delete;
  TdxBarMenuAnimation& operator=(const TdxBarMenuAnimation&) = delete;

  // Shows the next step; false once every step was shown.
  bool Step();
  // Draws the current step's part of the image on the client area.
  void PaintFrame(HDC DC) const;
  const RECT& FinalBounds() const { return finalBounds_; }

 private:
  void ShowFrame(SIZE Client);

  TdxBarSubMenuControl* menu_;
  mutable TBitmap image_;
  std::vector<SIZE> frames_;
  size_t next_ = 0;
  SIZE current_{};
  RECT finalBounds_{};
  SIZE frame_{};  // the non-client part of the window's size
  bool growLeft_;
  bool growUp_;
};
