#include <gtest/gtest.h>

#include "dx/inspector/tests/InspectorTestSupport.h"

namespace {

using PaintTest = InspectorTest;

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

// Rows: "Focused" (value "1"), "Other" with a child, and a category, divider at 100.
TTestInspector* MakePainted(InspectorTest* t, TTestInspector* insp, TdxInspectorPaintStyle style) {
  (void)t;
  // No editor over the focused value: the cells themselves are checked.
  insp->SetOptionFlags(kDefaultInspectorOptions & ~(1 << inoEditing));
  insp->SetPaintStyle(style);
  insp->SetDividerPos(100);
  insp->Add("Focused", "1");
  auto* other = insp->Add("Other", "2");
  insp->Add("Child", "3", other);
  auto* cat = insp->Add("Category");
  cat->Category = true;
  insp->Add("Inside", "4", cat);
  cat->Expand(false);
  other->Expand(false);
  insp->Items(0)->SetFocused(true);
  return insp;
}

TEST_F(PaintTest, EachStyleColoursTheFocusedRowGridLinesAndDivider) {
  struct Case {
    TdxInspectorPaintStyle style;
    const char* name;
    COLORREF focusedCaption;  // background of the focused row's caption, right of its text
    COLORREF focusedValue;    // background of the focused row's value cell
    COLORREF otherCaption;    // background of a caption that is not focused
    COLORREF divider;         // the divider's pixel on the second row
  };
  const Case cases[] = {
      {ipsStandard, "standard", Rgb(clBtnFace), Rgb(clWindow), Rgb(clBtnFace), Rgb(clBtnShadow)},
      {ipsExtended, "extended", Rgb(clBtnFace), Rgb(clWindow), Rgb(clBtnFace), Rgb(clBtnShadow)},
      {ipsSimple, "simple", Rgb(clHighlight), Rgb(clWindow), Rgb(clWindow), Rgb(clBtnFace)},
      {ipsNET, "net", Rgb(clHighlight), Rgb(clWindow), Rgb(clWindow), Rgb(clBtnFace)},
      {ipsCategorized, "categorized", Rgb(clBtnFace), Rgb(clWindow), Rgb(clBtnFace), Rgb(clBtnFace)},
  };
  for (const Case& c : cases) {
    auto* insp = MakePainted(this, MakeInspector(300, 200), c.style);
    insp->Repaint();
    Pump();
    const RECT focused = insp->GetNodeRect(insp->Items(0));
    const RECT other = insp->GetNodeRect(insp->Items(1));
    const int midFocused = (focused.top + focused.bottom) / 2, midOther = (other.top + other.bottom) / 2;
    EXPECT_EQ(Pixel(insp, 95, midFocused), c.focusedCaption) << c.name;
    EXPECT_EQ(Pixel(insp, 280, midFocused), c.focusedValue) << c.name;
    EXPECT_EQ(Pixel(insp, 95, midOther), c.otherCaption) << c.name;
    EXPECT_EQ(Pixel(insp, 100, midOther), c.divider) << c.name;
    EXPECT_TRUE(KeepCheckedWindow(insp->Handle(), c.name));
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(PaintTest, GridLinesAreDottedInStandardAndSolidInSimple) {
  struct Case {
    TdxInspectorPaintStyle style;
    const char* pattern;  // pixels x = 150..157 on the first row's last line: g grid, b background
  };
  for (const Case& c : {Case{ipsStandard, "gbgbgbgb"}, Case{ipsSimple, "gggggggg"}}) {
    auto* insp = MakePainted(this, MakeInspector(300, 200), c.style);
    insp->SetGridColor(clBlack);
    insp->Repaint();
    Pump();
    const int y = insp->GetNodeRect(insp->Items(1)).bottom - 1;
    std::string seen;
    for (int x = 150; x < 158; ++x) {
      const COLORREF p = Pixel(insp, x, y);
      seen += p == RGB(0, 0, 0) ? 'g' : p == Rgb(insp->Color()) ? 'b' : '?';
    }
    // The checkerboard's phase follows the row; compare up to the phase.
    if (seen[0] == 'b') std::rotate(seen.begin(), seen.begin() + 1, seen.end());
    EXPECT_EQ(seen, c.pattern) << int(c.style);
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(PaintTest, ExpandButtonsShowPlusForCollapsedRows) {
  auto* insp = MakePainted(this, MakeInspector(300, 200), ipsSimple);
  insp->Items(1)->Collapse(false);
  insp->Repaint();
  Pump();
  RECT row = insp->GetNodeRect(insp->Items(1));
  row.bottom -= insp->RowLineWidth();  // rows are painted above their grid line
  const TdxInspectorRowLayout layout = insp->CalcRowLayout(insp->Items(1), row);
  const int cx = (layout.Button.left + layout.Button.right) / 2,
            cy = (layout.Button.top + layout.Button.bottom) / 2;
  const COLORREF text = Rgb(insp->Font()->Color());
  EXPECT_EQ(Pixel(insp, cx - 4, cy - 4), text);  // the box's corner
  EXPECT_EQ(Pixel(insp, cx + 4, cy + 4), text);  // and the opposite one
  EXPECT_EQ(Pixel(insp, cx, cy - 2), text);      // the plus's vertical bar
  insp->Items(1)->Expand(false);
  insp->Repaint();
  Pump();
  EXPECT_NE(Pixel(insp, cx, cy - 2), text);
  EXPECT_EQ(Pixel(insp, cx - 2, cy), text);  // the minus stays
}

// With a border, the flat look is a one-pixel sunken frame of the control's own around a client
// area one pixel smaller on each side; otherwise the 3-D look chooses a client edge or a plain border.
TEST_F(PaintTest, AFlatBorderIsAOnePixelSunkenFrame) {
  auto* insp = MakeInspector(200, 100);
  insp->Add("A", "1");
  insp->SetBorderStyle(bsSingle);
  insp->SetFlat(true);
  insp->Repaint();
  Pump();
  EXPECT_EQ(insp->ClientWidth(), 198);
  EXPECT_EQ(insp->ClientHeight(), 98);
  HDC dc = GetWindowDC(insp->Handle());
  const COLORREF topLeft = GetPixel(dc, 0, 50), bottomRight = GetPixel(dc, 199, 50), inside = GetPixel(dc, 1, 50);
  ReleaseDC(insp->Handle(), dc);
  EXPECT_TRUE(KeepCheckedWindow(insp->Handle(), "flat"));
  EXPECT_EQ(topLeft, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(bottomRight, GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_NE(inside, GetSysColor(COLOR_BTNSHADOW));
  insp->SetFlat(false);
  Pump();
  EXPECT_TRUE(GetWindowLong(insp->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  insp->SetCtl3D(false);
  Pump();
  EXPECT_FALSE(GetWindowLong(insp->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLong(insp->Handle(), GWL_STYLE) & WS_BORDER);
}

}  // namespace
