#include "dx/treelist/tests/dxTreeListTestSupport.h"

TRENVIK_IMPLEMENT_CLASS(TTestTreeList)

#include "platform/gdi/Surface.h"
#include "platform/win/Backend.h"

TTestTreeList* DxTreeListTest::MakeThreeBands(int Width, int Height) {
  auto* tl = MakeTreeList(Width, Height);
  tl->SetShowIndicator(false);
  tl->SetDefaultLayout(false);
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ColumnMoving);
  tl->SetOptionFlagsEx((tl->OptionFlagsEx() & ~dxtlox::BandHeaderWidth) | dxtlox::BandMoving);
  tl->SetShowBands(true);
  const char* captions[] = {"A", "B", "C"};
  for (int i = 0; i < 3; ++i) {
    TdxTreeListBand* b = i < tl->Bands()->Count() ? tl->Bands()->Items(i) : tl->Bands()->Add();
    b->SetCaption(Utf8ToString(captions[i]));
    b->SetWidth(150);
  }
  int bands[] = {0, 0, 1, 1, 2};
  for (int i = 0; i < 5; ++i) {
    TdxTreeListColumn* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
    c->SetBandIndex(bands[i]);
    c->SetWidth(75);
    c->SetCaption(Utf8ToString("c" + std::to_string(i)));
  }
  for (const char* t : {"one", "two", "three"}) AddText(tl, nullptr, t);
  Pump();
  return tl;
}

std::vector<std::uint32_t> DxTreeListTest::ScreenSnapshot() {
  const TSurface* s = ScreenSurface();
  std::vector<std::uint32_t> all;
  for (int y = 0; y < s->Height(); ++y) all.insert(all.end(), s->Row(y), s->Row(y) + s->Width());
  return all;
}

COLORREF DxTreeListTest::ScreenPixel(POINT P) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, P.x, P.y);
  ReleaseDC(nullptr, dc);
  return c;
}

bool DxTreeListTest::ScreenIsRepainted(TCustomdxTreeList* tl) {
  auto now = ScreenSnapshot();
  RedrawWindow(GetAncestor(tl->Handle(), GA_ROOT), nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  return ScreenSnapshot() == now;
}
