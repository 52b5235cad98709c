// The system's animation clips, drawn by the layer as strips of frames.
#include "platform/forms/Animate.h"

#include <cmath>

namespace {

constexpr int kFindFrames = 8;
constexpr int kFindWidth = 48;
constexpr int kFindHeight = 50;

// A page with lines of text, its corner folded.
void DrawPage(TCanvas* c, int x, int y) {
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clWhite);
  c->Polygon({POINT{x, y}, POINT{x + 18, y}, POINT{x + 24, y + 6}, POINT{x + 24, y + 30}, POINT{x, y + 30}});
  c->MoveTo(x + 18, y);
  c->LineTo(x + 18, y + 6);
  c->LineTo(x + 24, y + 6);
  c->Pen()->SetColor(clGray);
  for (int line = 0; line < 5; ++line) {
    c->MoveTo(x + 4, y + 10 + line * 4);
    c->LineTo(x + 20, y + 10 + line * 4);
  }
}

// A magnifying glass with its lens centred at (cx, cy).
void DrawGlass(TCanvas* c, int cx, int cy) {
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(3);
  c->MoveTo(cx + 5, cy + 5);
  c->LineTo(cx + 11, cy + 11);
  c->Pen()->SetWidth(1);
  c->Brush()->SetColor(TColor(0xFFE0C0));  // light blue glass
  c->Ellipse(cx - 7, cy - 7, cx + 8, cy + 8);
}

}  // namespace

std::unique_ptr<TBitmap> MakeCommonClip(TCommonAVI Clip, int& FrameCount, int& FrameWidth, int& FrameHeight) {
  if (Clip != aviFindFile && Clip != aviFindFolder && Clip != aviFindComputer) return nullptr;
  FrameCount = kFindFrames;
  FrameWidth = kFindWidth;
  FrameHeight = kFindHeight;
  auto strip = std::make_unique<TBitmap>();
  strip->SetSize(kFindFrames * kFindWidth, kFindHeight);
  TCanvas* c = strip->Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(RECT{0, 0, kFindFrames * kFindWidth, kFindHeight});
  for (int f = 0; f < kFindFrames; ++f) {
    const int x0 = f * kFindWidth;
    DrawPage(c, x0 + 12, 10);
    // The glass goes round the page once over the clip.
    const double angle = 2 * 3.14159265358979 * f / kFindFrames;
    DrawGlass(c, x0 + 24 + static_cast<int>(std::lround(9 * std::cos(angle))),
              25 + static_cast<int>(std::lround(9 * std::sin(angle))));
  }
  return strip;
}
