// The BLOB pop-up's picture at its own size: scroll bars over the picture and scrolling by them.
#include "dx/editors/dxBlobPopup.h"
#include "platform/forms/PictureValues.h"
#include "platform/win/Windows.h"

bool TCustomdxBlobPopup::PictureScrolls() {
  return !IsMemo() && !PictureAutoSize && !PictureIsEmpty(picture_.get()) && HandleAllocated();
}

void TCustomdxBlobPopup::UpdatePictureScrollBars() {
  if (!PictureScrolls()) return;
  const RECT client = ClientRect();
  const int size[2] = {picture_->Width(), picture_->Height()};
  const int page[2] = {client.right, client.bottom};
  const int position[2] = {offset_.x, offset_.y};
  const int bars[2] = {SB_HORZ, SB_VERT};
  for (int axis = 0; axis < 2; ++axis) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = page[axis] >= size[axis] ? 0 : size[axis] - 1;
    info.nPage = static_cast<UINT>(page[axis]);
    info.nPos = position[axis];
    SetScrollInfo(Handle(), bars[axis], &info, TRUE);
  }
}

void TCustomdxBlobPopup::SetPictureOffset(POINT Value) {
  if (!PictureScrolls()) return;
  const RECT client = ClientRect();
  Value.x = std::max(0, std::min(Value.x, picture_->Width() - client.right));
  Value.y = std::max(0, std::min(Value.y, picture_->Height() - client.bottom));
  if (Value.x == offset_.x && Value.y == offset_.y) return;
  const int dx = offset_.x - Value.x, dy = offset_.y - Value.y;
  offset_ = Value;
  // A move larger than the view repaints it all; a smaller one scrolls what stays in view.
  if (std::abs(dx) > client.right || std::abs(dy) > client.bottom)
    Invalidate();
  else
    ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  UpdatePictureScrollBars();
}

void TCustomdxBlobPopup::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  UpdateTextArea();
  if (!PictureScrolls()) return;
  // The picture's far edge is not left inside the view.
  const RECT client = ClientRect();
  offset_.x = std::max(0, std::min(offset_.x, picture_->Width() - client.right));
  offset_.y = std::max(0, std::min(offset_.y, picture_->Height() - client.bottom));
  UpdatePictureScrollBars();
  Invalidate();
}

int TCustomdxBlobPopup::ScrollTarget(int Bar, int Code, int Current) {
  const bool horizontal = Bar == SB_HORZ;
  const int size = horizontal ? picture_->Width() : picture_->Height();
  const RECT client = ClientRect();
  const int page = horizontal ? client.right : client.bottom;
  const int line = GetSystemMetrics(horizontal ? SM_CXHSCROLL : SM_CYVSCROLL);
  switch (Code) {
    case SB_LINEUP: return Current - line;
    case SB_LINEDOWN: return Current + line;
    case SB_PAGEUP: return Current - page;
    case SB_PAGEDOWN: return Current + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return size;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), Bar, &info);
      if (info.nTrackPos <= 0) return 0;
      if (info.nTrackPos >= size) return size;
      const int position = info.nTrackPos + 1;
      // Steps of 4 pixels, unless that stops short of the far edge.
      return position + page >= size ? position : position / 4 * 4;
    }
    default: return Current;
  }
}

void TCustomdxBlobPopup::WMHScroll(TMessage& Message) {
  if (!PictureScrolls()) {
    inherited::Dispatch(Message);
    return;
  }
  SetPictureOffset(POINT{ScrollTarget(SB_HORZ, LOWORD(Message.WParam), offset_.x), offset_.y});
}

void TCustomdxBlobPopup::WMVScroll(TMessage& Message) {
  if (!PictureScrolls()) {
    inherited::Dispatch(Message);
    return;
  }
  const int code = LOWORD(Message.WParam);
  SetPictureOffset(POINT{offset_.x, ScrollTarget(SB_VERT, code, offset_.y)});
  if (code == SB_ENDSCROLL) ReleaseCapture();
}
