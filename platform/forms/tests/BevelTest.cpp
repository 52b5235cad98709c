// Bevel shapes and styles on the pixels: dark where the light does not reach.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"

class BevelTest : public FormsTest {};

TEST_F(BevelTest, ShapesAndStylesDrawTheirLines) {
  TForm* form = MakeForm(100, 100, 200, 200);
  form->Show();
  auto* bevel = Add<TBevel>(form, "Bevel", 10, 10, 40, 30);
  const COLORREF D = ColorToColorRef(clBtnShadow), L = ColorToColorRef(clBtnHighlight),
                 F = ColorToColorRef(clBtnFace);
  struct {
    TBevelShape shape;
    TBevelStyle style;
    POINT at[4];           // left edge, top edge, right edge, bottom edge (middles)
    COLORREF expect[4];
  } cases[] = {
      {bsBox, bsLowered, {{0, 15}, {20, 0}, {39, 15}, {20, 29}}, {D, D, L, L}},
      {bsBox, bsRaised, {{0, 15}, {20, 0}, {39, 15}, {20, 29}}, {L, L, D, D}},
      {bsFrame, bsLowered, {{0, 15}, {1, 15}, {38, 15}, {39, 15}}, {D, L, D, L}},
      {bsTopLine, bsLowered, {{20, 0}, {20, 1}, {20, 2}, {0, 15}}, {D, L, F, F}},
      {bsBottomLine, bsRaised, {{20, 28}, {20, 29}, {20, 27}, {0, 15}}, {L, D, F, F}},
      {bsLeftLine, bsLowered, {{0, 15}, {1, 15}, {2, 15}, {39, 15}}, {D, L, F, F}},
      {bsRightLine, bsLowered, {{38, 15}, {39, 15}, {37, 15}, {0, 15}}, {D, L, F, F}},
      {bsSpacer, bsLowered, {{0, 15}, {20, 0}, {39, 15}, {20, 29}}, {F, F, F, F}},
  };
  for (auto& c : cases) {
    bevel->SetShape(c.shape);
    bevel->SetStyle(c.style);
    form->Repaint();
    HDC dc = GetDC(form->Handle());
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(GetPixel(dc, 10 + c.at[i].x, 10 + c.at[i].y), c.expect[i]) << c.shape << " " << c.style << " " << i;
    ReleaseDC(form->Handle(), dc);
  }
}
