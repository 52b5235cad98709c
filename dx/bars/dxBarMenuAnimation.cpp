#include "dx/bars/dxBarMenuAnimation.h"

#include <random>

#include "dx/bars/dxBarSubMenuControl.h"
#include "platform/gdi/Draw.h"
#include "platform/win/Windows.h"

namespace {

std::minstd_rand& AnimationRandom() {
  static std::minstd_rand random{std::random_device{}()};
  return random;
}

}  // namespace

void SetMenuAnimationSeed(unsigned Seed) { AnimationRandom().seed(Seed); }

TdxBarMenuAnimations ResolveMenuAnimation(TdxBarMenuAnimations Kind) {
  if (Kind != maRandom) return Kind;
  std::uniform_int_distribution<int> percent(0, 99);
  return percent(AnimationRandom()) >= 50 ? maSlide : maUnfold;
}

std::vector<SIZE> MenuAnimationFrames(TdxBarMenuAnimations Kind, SIZE Client) {
  std::vector<SIZE> frames;
  if (Kind == maUnfold) {
    const int step = 8;
    const int diff = Client.cy - Client.cx;
    if (diff <= 0) {
      for (int i = 1; i <= Client.cy / step; ++i) frames.push_back(SIZE{-diff + i * step, i * step});
    } else {
      for (int i = 1; i <= Client.cx / step; ++i) frames.push_back(SIZE{i * step, diff + i * step});
    }
    return frames;
  }
  const int step = 17;
  for (int i = 1; i <= Client.cy / step; ++i) frames.push_back(SIZE{Client.cx, i * step});
  return frames;
}

TdxBarMenuAnimation::TdxBarMenuAnimation(TdxBarSubMenuControl* Menu, TdxBarMenuAnimations Kind, bool GrowLeft,
                                         bool GrowUp)
    : menu_(Menu), growLeft_(GrowLeft), growUp_(GrowUp) {
  GetWindowRect(menu_->Handle(), &finalBounds_);
  RECT client = menu_->ClientRect();
  frame_ = SIZE{finalBounds_.right - finalBounds_.left - client.right,
                finalBounds_.bottom - finalBounds_.top - client.bottom};
  image_.SetSize(client.right, client.bottom);
  menu_->PaintInto(image_.Canvas()->Handle());
  frames_ = MenuAnimationFrames(Kind, SIZE{client.right, client.bottom});
  current_ = SIZE{client.right, client.bottom};
}

TdxBarMenuAnimation::~TdxBarMenuAnimation() {
  if (menu_->HandleAllocated()) KillTimer(menu_->Handle(), kTimerId);
}

bool TdxBarMenuAnimation::Step() {
  if (next_ >= frames_.size()) return false;
  ShowFrame(frames_[next_++]);
  return true;
}

void TdxBarMenuAnimation::ShowFrame(SIZE Client) {
  current_ = Client;
  const int w = Client.cx + frame_.cx, h = Client.cy + frame_.cy;
  const int x = growLeft_ ? finalBounds_.right - w : finalBounds_.left;
  const int y = growUp_ ? finalBounds_.bottom - h : finalBounds_.top;
  SetWindowPos(menu_->Handle(), nullptr, x, y, w, h, SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
  InvalidateRect(menu_->Handle(), nullptr, FALSE);
  UpdateWindow(menu_->Handle());
}

void TdxBarMenuAnimation::PaintFrame(HDC DC) const {
  // The part of the image next to the growing edges shows, so the content moves in from the
  // anchored ones.
  const int dx = growLeft_ ? 0 : current_.cx - image_.Width();
  const int dy = growUp_ ? 0 : current_.cy - image_.Height();
  BitBlt(DC, dx, dy, image_.Width(), image_.Height(), image_.Canvas()->Handle(), 0, 0,
         SRCCOPY);
}
