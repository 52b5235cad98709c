// The image editor's scroll bars: a picture larger than the client area is scrolled by 8 pixels a
// line and a client area a page, never past its right or bottom edge.
#include <algorithm>

#include "cx/editors-ext/cxImage.h"

namespace {

constexpr int kImageScrollLine = 8;

}  // namespace

RECT TcxCustomImage::ClientRectWithoutScrollBars() {
  auto data = CreateViewData();
  InitializeViewData(data.get());
  data->HScrollBar = nullptr;
  data->VScrollBar = nullptr;
  TcxImageViewInfo info;
  data->Calculate(TcxControl::Canvas(), cxGetControlRect(this), POINT{-1, -1}, 0, TShiftState{}, &info, false);
  return info.ClientRect;
}

void TcxCustomImage::InitScrollBarsParameters() {
  RECT client = ClientRectWithoutScrollBars();
  if (HScrollBarVisible()) client.bottom -= HScrollBar()->Height();
  if (VScrollBarVisible()) client.right -= VScrollBar()->Width();
  TcxCustomImageProperties* properties = ActiveProperties();
  const bool scrolls = !IsRectEmpty(&client) && !AutoSize() && !properties->Center() && !properties->Stretch() &&
                       !PictureEmpty();
  const SIZE picture = scrolls ? SIZE{picture_->Width(), picture_->Height()} : SIZE{0, 0};
  const SIZE page{client.right - client.left, client.bottom - client.top};
  scrollOffset_.x = std::clamp<int>(scrollOffset_.x, 0, std::max<int>(0, picture.cx - page.cx));
  scrollOffset_.y = std::clamp<int>(scrollOffset_.y, 0, std::max<int>(0, picture.cy - page.cy));
  SetScrollBarInfo(sbHorizontal, 0, picture.cx - 1, kImageScrollLine, page.cx, scrollOffset_.x, true, true);
  SetScrollBarInfo(sbVertical, 0, picture.cy - 1, kImageScrollLine, page.cy, scrollOffset_.y, true, true);
}

void TcxCustomImage::Scroll(TScrollBarKind AKind, TScrollCode, int& APosition) {
  TcxControlScrollBar* bar = AKind == sbHorizontal ? HScrollBar() : VScrollBar();
  // The bar stops at its range's end; the picture stops where its last page shows.
  APosition = std::clamp(APosition, 0, std::max(0, bar->Max() + 1 - bar->PageSize()));
  (AKind == sbHorizontal ? scrollOffset_.x : scrollOffset_.y) = APosition;
  CalculateViewInfoAtCursor();
  Invalidate();
}

// The bars are placed along the client area, which is what their visibility leaves; the offsets
// follow the bars shown.
void TcxCustomImage::PlaceScrollBars() {
  if (!HScrollBar()->Visible()) scrollOffset_.x = 0;
  if (!VScrollBar()->Visible()) scrollOffset_.y = 0;
  if (HandleAllocated()) CalculateViewInfoAtCursor();
  inherited::PlaceScrollBars();
  Invalidate();
}

void TcxCustomImage::ResetScrolling() {
  scrollOffset_ = {};
  UpdateScrollBars();
}
