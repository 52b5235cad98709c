#include "platform/forms/Bevel.h"

#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TBevel) {
  P.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
  P.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  SetBounds(Left(), Top(), 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  if (shape_ == Value) return;
  shape_ = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  const TColor dark = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor light = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [c](TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  c->Pen()->SetWidth(1);
  switch (shape_) {
    case bsBox:  // dark top-left, light bottom-right
      line(dark, 0, h - 1, 0, 0);
      line(dark, 0, 0, w - 1, 0);
      line(light, w - 1, 0, w - 1, h - 1);
      line(light, w - 1, h - 1, -1, h - 1);
      break;
    case bsFrame:  // two nested boxes, the inner one the other way round
      line(dark, 0, h - 2, 0, 0);
      line(dark, 0, 0, w - 2, 0);
      line(dark, w - 2, 0, w - 2, h - 2);
      line(dark, w - 2, h - 2, 0, h - 2);
      line(light, 1, h - 3, 1, 1);
      line(light, 1, 1, w - 3, 1);
      line(light, w - 1, 0, w - 1, h - 1);
      line(light, w - 1, h - 1, -1, h - 1);
      break;
    case bsTopLine:
      line(dark, 0, 0, w, 0);
      line(light, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(dark, 0, h - 2, w, h - 2);
      line(light, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(dark, 0, 0, 0, h);
      line(light, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(dark, w - 2, 0, w - 2, h);
      line(light, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}
