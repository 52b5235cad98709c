// The radio button's geometry and its state under the mouse.
#include "cx/editors-ext/cxRadioGroup.h"

RECT cxRadioGlyphRect(SIZE AControl, SIZE AGlyph, TLeftRight AAlignment, bool ANative, bool AInplace) {
  RECT r{};
  r.top = (AControl.cy - AGlyph.cy) / 2;
  r.bottom = r.top + AGlyph.cy;
  if (AAlignment == taLeftJustify) {
    r.right = AControl.cx;
    r.left = AControl.cx - AGlyph.cx;
  } else {
    r.left = ANative || AInplace ? 0 : 1;
    r.right = r.left + AGlyph.cx;
  }
  return r;
}

RECT cxRadioTextMargins(TLeftRight AAlignment, bool ANative, bool AWordWrap, bool AInplace) {
  if (AInplace) return ANative ? RECT{3, 0, 0, 0} : RECT{5, 0, 0, 0};
  const bool left = AAlignment == taLeftJustify;
  if (ANative) {
    if (AWordWrap) return left ? RECT{0, -1, 3, 0} : RECT{3, -1, 0, 0};
    return left ? RECT{0, -1, 1, 0} : RECT{3, -1, 0, 0};
  }
  if (AWordWrap) return left ? RECT{2, -1, 6, 0} : RECT{5, -1, 2, 0};
  return left ? RECT{2, -1, 1, 0} : RECT{5, -1, 0, 0};
}

TcxRadioButtonState cxRadioButtonStateFor(const TcxRadioMouseState& AMouse) {
  if (!AMouse.Enabled) return rbsDisabled;
  if (AMouse.Designing) return rbsNormal;
  if (AMouse.Captured) return AMouse.Inside ? rbsPressed : rbsHot;
  if (!AMouse.AnyKeyOrButtonDown) return AMouse.Inside ? rbsHot : rbsNormal;
  return rbsNormal;
}
