// The shape of the radio glyph: the system glyph's circle and dot, and the class of every pixel.
#include "cx/editors-ext/cxRadioGroup.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/Controls.h"

namespace {

constexpr TColor kBlack = clBlack;

bool IsBlack(TBitmap& ABitmap, int X, int Y) {
  return X >= 0 && Y >= 0 && X < ABitmap.Width() && Y < ABitmap.Height() &&
         ColorToRGB(ABitmap.Canvas()->Pixels(X, Y)) == kBlack;
}

void DrawSystemRadio(TBitmap& ACell, UINT AFlags) {
  ACell.Canvas()->Brush()->SetColor(kBlack);
  RECT r{0, 0, ACell.Width(), ACell.Height()};
  ACell.Canvas()->FillRect(r);
  DrawFrameControl(ACell.Canvas()->Handle(), &r, DFC_BUTTON, AFlags);
}

// First black line and the number of lines holding black, along columns or rows.
std::pair<int, int> BlackExtent(TBitmap& ACell, bool AColumns) {
  const int lines = AColumns ? ACell.Width() : ACell.Height();
  const int length = AColumns ? ACell.Height() : ACell.Width();
  int first = -1, count = 0;
  for (int line = 0; line < lines; ++line) {
    bool black = false;
    for (int i = 0; i < length && !black; ++i) black = AColumns ? IsBlack(ACell, line, i) : IsBlack(ACell, i, line);
    if (!black) continue;
    if (first < 0) first = line;
    ++count;
  }
  return {std::max(first, 0), count};
}

// The run of black pixels through a start point along one axis: [from, to).
std::pair<int, int> BlackRun(TBitmap& ACell, int X, int Y, bool AVertical) {
  auto black = [&](int at) { return AVertical ? IsBlack(ACell, X, at) : IsBlack(ACell, at, Y); };
  int from = AVertical ? Y : X;
  while (black(from)) --from;
  ++from;
  int to = from + 1;
  while (black(to)) ++to;
  return {from, to};
}

TcxRadioGlyphMetrics MeasureSystemRadio() {
  TcxRadioGlyphMetrics m;
  SIZE cell{13, 13};
  {
    TBitmap strip;
    strip.SetHandle(LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES)));
    if (!strip.Empty()) cell = {strip.Width() / 4, strip.Height() / 3};
  }
  TBitmap bitmap;
  bitmap.SetSize(cell.cx, cell.cy);
  DrawSystemRadio(bitmap, DFCS_BUTTONRADIOMASK | DFCS_CHECKED | DFCS_FLAT);
  std::tie(m.CircleLeft, m.Width) = BlackExtent(bitmap, true);
  std::tie(m.CircleTop, m.Height) = BlackExtent(bitmap, false);
  DrawSystemRadio(bitmap, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  const int centreX = m.CircleLeft + m.Width / 2, centreY = m.CircleTop + m.Height / 2;
  std::tie(m.Dot.top, m.Dot.bottom) = BlackRun(bitmap, centreX - 1, centreY - 2, true);
  std::tie(m.Dot.left, m.Dot.right) = BlackRun(bitmap, centreX - 2, centreY - 1, false);
  return m;
}

// Pixels a rounded rectangle covers on a white bitmap of the glyph's size.
std::vector<bool> RoundRectPixels(int AWidth, int AHeight, const RECT& R, bool AFilled) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(AWidth, AHeight);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect({0, 0, AWidth, AHeight});
  canvas->Pen()->SetColor(kBlack);
  canvas->Brush()->SetColor(AFilled ? kBlack : clWhite);
  canvas->RoundRect(R.left, R.top, R.right, R.bottom, R.right - R.left - 1, R.bottom - R.top - 1);
  std::vector<bool> covered(static_cast<size_t>(AWidth * AHeight));
  for (int y = 0; y < AHeight; ++y)
    for (int x = 0; x < AWidth; ++x) covered[y * AWidth + x] = ColorToRGB(canvas->Pixels(x, y)) != clWhite;
  return covered;
}

}  // namespace

void TcxRadioButtonImageList::Classify() {
  metrics_ = MeasureSystemRadio();
  const int w = metrics_.Width, h = metrics_.Height;
  using C = TcxRadioPixelClass;
  classes_.assign(static_cast<size_t>(w * h), C::Outside);
  auto at = [&](int x, int y) -> C& { return classes_[y * w + x]; };
  const std::vector<bool> ring = RoundRectPixels(w, h, {0, 0, w, h}, false);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (ring[y * w + x])
        at(x, y) = (h - 1) * (w - x - 1) < (w - 1) * y ? C::OuterRingLowerRight : C::OuterRingUpperLeft;

  const int x0 = w / 2 - 1, y0 = h / 2 - 1;
  for (int y = 1; y <= h - 2; ++y) {
    for (int x = x0; x >= 0 && at(x, y) == C::Outside; --x) at(x, y) = C::Interior;
    for (int x = x0 + 1; x < w && at(x, y) == C::Outside; ++x) at(x, y) = C::Interior;
  }

  // The inner ring splits along the anti-diagonal too; a cell on it goes to the half of its column.
  auto mark = [&](int x, int y) {
    const int a = (w - x - 1) * (h - 1), d = y * (w - 1);
    const bool lower = a == d ? x > w / 2 - 1 : a < d;
    at(x, y) = lower ? C::InnerRingLowerRight : C::InnerRingUpperLeft;
  };
  auto isRing = [&](int x, int y) { return at(x, y) == C::OuterRingUpperLeft || at(x, y) == C::OuterRingLowerRight; };
  // Walks from a start cell in one direction up to the ring: every cell on an edge line, else the
  // last one before the ring.
  auto walk = [&](int x, int y, int dx, int dy, bool edgeLine) {
    int lastX = -1, lastY = -1;
    for (; x >= 0 && y >= 0 && x < w && y < h && !isRing(x, y); x += dx, y += dy) {
      if (edgeLine) mark(x, y);
      lastX = x;
      lastY = y;
    }
    if (lastX >= 0) mark(lastX, lastY);
  };
  for (int y = 1; y <= h - 2; ++y) {
    walk(x0, y, -1, 0, y == 1 || y == h - 2);
    walk(x0 + 1, y, 1, 0, y == 1 || y == h - 2);
  }
  for (int x = 1; x <= w - 2; ++x) {
    walk(x, y0, 0, -1, x == 1 || x == w - 2);
    walk(x, y0 + 1, 0, 1, x == 1 || x == w - 2);
  }

  RECT dot = metrics_.Dot;
  OffsetRect(&dot, -metrics_.CircleLeft, -metrics_.CircleTop);
  const std::vector<bool> dotPixels = RoundRectPixels(w, h, dot, true);
  for (size_t i = 0; i < dotPixels.size(); ++i)
    if (dotPixels[i]) classes_[i] = C::Dot;

  const std::vector<bool> circle = RoundRectPixels(w, h, {0, 0, w, h}, true);
  mask_.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) mask_.Canvas()->SetPixels(x, y, circle[y * w + x] ? clBlack : clWhite);
}
