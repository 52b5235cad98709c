#include "app/MainGlyphs.h"

#include <functional>
#include <vector>

#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"

namespace {

using TGlyph = std::function<void(TCanvas* C)>;

void Solid(TCanvas* C, TColor Colour) {
  C->Pen()->SetColor(Colour);
  C->Brush()->SetColor(Colour);
}

void Triangle(TCanvas* C, int Tip, int Base) { C->Polygon({POINT{Tip, 7}, POINT{Base, 2}, POINT{Base, 12}}); }

void Bar(TCanvas* C, int X) { C->Rectangle(X, 2, X + 2, 13); }

void Funnel(TCanvas* C) {
  Solid(C, clNavy);
  C->Polygon({POINT{1, 2}, POINT{14, 2}, POINT{9, 8}, POINT{9, 13}, POINT{6, 14}, POINT{6, 8}});
}

void Cross(TCanvas* C, int X, int Y, int Size) {
  C->Pen()->SetColor(clRed);
  for (int d = 0; d < 2; ++d) {
    C->MoveTo(X + d, Y);
    C->LineTo(X + Size + d, Y + Size);
    C->MoveTo(X + Size + d, Y);
    C->LineTo(X + d, Y + Size);
  }
}

const std::vector<TGlyph>& Glyphs() {
  static const std::vector<TGlyph> glyphs = {
      [](TCanvas* C) {
        Solid(C, clNavy);
        Bar(C, 2);
        Triangle(C, 4, 12);
      },  // first
      [](TCanvas* C) {
        Solid(C, clNavy);
        Triangle(C, 4, 11);
      },  // prior
      [](TCanvas* C) {
        Solid(C, clNavy);
        Triangle(C, 11, 4);
      },  // next
      [](TCanvas* C) {
        Solid(C, clNavy);
        Triangle(C, 11, 3);
        Bar(C, 12);
      },                // last
      [](TCanvas* C) {  // refresh
        C->Pen()->SetColor(clGreen);
        C->Brush()->SetStyle(bsClear);
        C->Ellipse(2, 2, 14, 14);
        Solid(C, clGreen);
        C->Polygon({POINT{10, 0}, POINT{14, 3}, POINT{10, 6}});
      },
      [](TCanvas* C) {
        Solid(C, clGreen);
        C->Rectangle(6, 2, 10, 14);
        C->Rectangle(2, 6, 14, 10);
      },                                      // add
      [](TCanvas* C) { Cross(C, 3, 3, 9); },  // delete
      [](TCanvas* C) {                        // card
        Solid(C, clBlack);
        C->Brush()->SetColor(clWhite);
        C->Rectangle(2, 1, 14, 15);
        for (int y : {4, 7, 10}) {
          C->MoveTo(4, y);
          C->LineTo(12, y);
        }
      },
      [](TCanvas* C) {  // print
        Solid(C, clBlack);
        C->Brush()->SetColor(clWhite);
        C->Rectangle(4, 1, 12, 7);
        C->Brush()->SetColor(clGray);
        C->Rectangle(1, 7, 15, 13);
      },
      [](TCanvas* C) {  // duplicates
        Solid(C, clBlack);
        C->Brush()->SetColor(clWhite);
        C->Rectangle(1, 1, 10, 11);
        C->Rectangle(6, 5, 15, 15);
      },
      [](TCanvas* C) { Funnel(C); },  // set filter
      [](TCanvas* C) {
        Funnel(C);
        Cross(C, 8, 8, 6);
      },  // remove filter
  };
  return glyphs;
}

}  // namespace

void FillMainWindowGlyphs(TCustomImageList* Images) {
  for (const TGlyph& draw : Glyphs()) {
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(RECT{0, 0, 16, 16});
    draw(c);
    Images->AddMasked(&bitmap, clFuchsia);
  }
}
