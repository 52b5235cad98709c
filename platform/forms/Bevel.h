// A bevelled box, frame or line drawn on its parent: the dividers of dialogs.
#pragma once

#include "platform/forms/Controls.h"

TRENVIK_ENUM(TBevelStyle, bsLowered, bsRaised);
TRENVIK_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);

class TBevel : public TGraphicControl {
  TRENVIK_CLASS(TBevel, TGraphicControl);

 public:
  explicit TBevel(TComponent* AOwner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};
