#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

TEST(CxEditViewData, DrawnBorderFollowsTheStyleAndTheHotState) {
  TcxTextEditProperties properties(nullptr);
  TcxEditStyle style(nullptr, false);
  TcxCustomEditViewData data(&properties, &style, false);
  struct Case {
    TcxEditBorderStyle style;
    TcxEditDrawnBorder cold, hot;
  };
  const Case cases[] = {
      {ebsNone, edbNone, edbFlat},    {ebsSingle, edbSingle, edbThick},
      {ebsThick, edbThick, edbThick}, {ebsFlat, edbFlat, edb3D},
      {ebs3D, edb3D, edb3D},          {ebsUltraFlat, edbSingle, edbSingle},
  };
  for (const Case& c : cases) {
    style.SetBorderStyle(c.style);
    EXPECT_EQ(data.GetContainerBorderStyle(1), c.cold) << c.style;
    EXPECT_EQ(data.GetContainerBorderStyle(2), c.hot) << c.style;
  }
  TcxCustomEditViewData inplace(&properties, &style, true);
  EXPECT_EQ(inplace.GetContainerBorderStyle(2), edbNone);
}

TEST(CxEditViewInfo, ATextCellPaintsItsBorderBackgroundAndTextWithoutAWindow) {
  TTestCanvas canvas(200, 40, clFuchsia);
  TcxTextEditProperties properties(nullptr);
  properties.SetCharCase(ecUpperCase);
  TcxEditStyle style(nullptr, false);
  style.SetBorderStyle(ebsSingle);
  style.SetBorderColor(clRed);
  style.SetColor(clYellow);
  style.Font()->SetName(kFixedTestFontName);
  style.Font()->SetHeight(-16);
  style.Font()->SetColor(clBlue);
  auto data = properties.CreateViewData(&style, false);
  TcxCustomEditViewInfo viewInfo;
  data->Calculate(canvas.Cx(), {10, 5, 106, 25}, {-1, -1}, 0, {}, &viewInfo, false);
  data->PrepareViewInfoValue(canvas.Cx(), Variant(String(u"abc")), &viewInfo);
  EXPECT_EQ(viewInfo.Text, u"ABC");
  EXPECT_EQ(viewInfo.ClientRect.left, 12);
  viewInfo.Paint(canvas.Cx());

  // A stand-alone edit keeps 2 pixels around its client area; a single border takes the inner one.
  EXPECT_EQ(canvas.Pixel(11, 6), ColorToRGB(clRed)) << "the single border";
  EXPECT_EQ(canvas.Pixel(104, 23), ColorToRGB(clRed));
  EXPECT_EQ(canvas.Pixel(10, 5), ColorToRGB(clFuchsia)) << "the outer pixel is left to the window region";
  EXPECT_EQ(canvas.Pixel(100, 15), ColorToRGB(clYellow)) << "the background past the text";
  EXPECT_EQ(canvas.Pixel(9, 15), ColorToRGB(clFuchsia)) << "nothing outside the bounds";
  const RECT ink = canvas.Bounds(clBlue);
  EXPECT_EQ(ink.left, 12 + 1) << "the text starts one pixel inside the border";
  EXPECT_EQ(ink.right, 12 + 3 * 8 - 1);
  KeepCheckedScreen();
}

}  // namespace
