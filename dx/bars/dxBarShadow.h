// Shadows: in the flat look drop-down menus and floating toolbars cast a shadow to the right and
// below, made of small top-level windows around the bar window: layered with a soft alpha ramp
// where the system offers layered windows, else solid strips in the button-shadow colour.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/rtl/WinDef.h"

class TCustomdxBarControl;

// One strip: 0 horizontal, 1 vertical; corners fade: 1 left end, 2 right end, 4 top end.
struct TdxBarShadowPiece {
  RECT Rect;
  int Kind;
  int Corners;
  bool operator==(const TdxBarShadowPiece&) const = default;
};
constexpr int kShadowFadeLeft = 1;
constexpr int kShadowFadeRight = 2;
constexpr int kShadowFadeTop = 4;

// The strips around Control (and the element it hangs from, Owner, when not empty); S is the size.
std::vector<TdxBarShadowPiece> CalcShadowPieces(RECT Owner, RECT Control, int S);
// The alpha of a strip's pixel (column X, row Y inside the strip).
BYTE ShadowAlpha(const TdxBarShadowPiece& Piece, int S, int X, int Y);
// Layered shadows need the system's UpdateLayeredWindow and more than 8 bits per pixel.
bool LayeredShadows();
int ShadowSize();

class TdxBarShadowPart;

class TdxBarShadow {
 public:
  explicit TdxBarShadow(TCustomdxBarControl* AOwner);
  ~TdxBarShadow();
  // The element the window hangs from (empty for none) and the window's bounds, on the screen.
  void SetRects(const RECT& OwnerRect, const RECT& ControlRect);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  int PartCount() const { return static_cast<int>(parts_.size()); }
  TdxBarShadowPart* Parts(int Index) const { return parts_[Index].get(); }

 private:
  TCustomdxBarControl* owner_;
  bool visible_ = false;
  std::vector<std::unique_ptr<TdxBarShadowPart>> parts_;
};

class TdxBarShadowPart : public TCustomControl {
  TRENVIK_CLASS(TdxBarShadowPart, TCustomControl);
  TRENVIK_MESSAGES(TdxBarShadowPart);

 public:
  TdxBarShadowPart(TCustomdxBarControl* Owner, const TdxBarShadowPiece& Piece);
  const TdxBarShadowPiece& Piece() const { return piece_; }
  // Shows the strip just behind the bar window, without activation.
  void ShowBehindOwner();
  void HidePart();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  void WMNCHitTest(TMessage& Message);
  void PushImage();

  TCustomdxBarControl* barControl_;
  TdxBarShadowPiece piece_;
};

namespace dxbars_internal {
// Tests take the layered function away to reach the solid mode.
void SetLayeredShadowsForTesting(bool Available);
}  // namespace dxbars_internal
