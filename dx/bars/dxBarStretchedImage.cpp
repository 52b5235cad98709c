#include "dx/bars/dxBarStretchedImage.h"

#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Objects.h"

namespace {

// The image drawn by the list over a plain background of Color.
void DrawOver(TCustomImageList* Images, TBitmap& Target, int Index, bool Enabled, int StockBrush) {
  Target.SetSize(Images->Width(), Images->Height());
  RECT all{0, 0, Images->Width(), Images->Height()};
  FillRect(Target.Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(StockBrush)));
  Images->Draw(Target.Canvas(), 0, 0, Index, Enabled);
}

}  // namespace

void DrawStretchedListImage(TCustomImageList* Images, TCanvas* Canvas, const RECT& R, int Index,
                            bool Enabled) {
  if (!Images || Index < 0 || Index >= Images->Count()) return;
  const int w = Images->Width(), h = Images->Height();
  // Drawn over black and over white, the list's own rendering shows which pixels it leaves: those
  // differ. Their exclusive or is the mask (white where the canvas shows through).
  TBitmap onBlack, mask;
  DrawOver(Images, onBlack, Index, Enabled, BLACK_BRUSH);
  DrawOver(Images, mask, Index, Enabled, WHITE_BRUSH);
  HDC maskDC = mask.Canvas()->Handle();
  BitBlt(maskDC, 0, 0, w, h, onBlack.Canvas()->Handle(), 0, 0, SRCINVERT);
  HDC dc = Canvas->Handle();
  const int dw = R.right - R.left, dh = R.bottom - R.top;
  StretchBlt(dc, R.left, R.top, dw, dh, maskDC, 0, 0, w, h, SRCAND);
  StretchBlt(dc, R.left, R.top, dw, dh, onBlack.Canvas()->Handle(), 0, 0, w, h, SRCPAINT);
}
