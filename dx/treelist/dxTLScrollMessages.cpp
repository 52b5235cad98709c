// The scroll bars' messages: both move the view through SetLeftCoord and SetTopIndex, which clamp.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/win/Windows.h"

namespace {

// The scroll bar reports a 16-bit signed tracking position with the code.
int ScrollTrackPos(const TMessage& Message) { return static_cast<short>(HIWORD(Message.WParam)); }
WORD ScrollCode(const TMessage& Message) { return LOWORD(Message.WParam); }

}  // namespace

int TCustomdxTreeList::ThumbLeftCoord(int Pos, int AreaWidth, int BandsWidth) {
  if (Pos <= 0) return 0;
  if (Pos >= BandsWidth) return BandsWidth;
  // Rounding to whole 4-pixel steps keeps the tracking smooth, but the last step must reach the end.
  if (AreaWidth + Pos + 1 >= BandsWidth) return Pos + 1;
  return (Pos + 1) / 4 * 4;
}

void TCustomdxTreeList::WMHScroll(TMessage& Message) {
  if (!AcquireFocus() || GetVisibleColumnCount() == 0) return;
  int current = leftCoord_;
  switch (ScrollCode(Message)) {
    case SB_LINELEFT: SetLeftCoord(current - FontDigitWidth(Font())); break;
    case SB_LINERIGHT: SetLeftCoord(current + FontDigitWidth(Font())); break;
    case SB_PAGELEFT: SetLeftCoord(current - GetScrollableAreaWidth()); break;
    case SB_PAGERIGHT: SetLeftCoord(current + GetScrollableAreaWidth()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      SetLeftCoord(ThumbLeftCoord(ScrollTrackPos(Message), GetScrollableAreaWidth(), GetScrollableBandsWidth()));
      break;
    case SB_LEFT: SetLeftCoord(0); break;
    case SB_RIGHT: SetLeftCoord(GetScrollableBandsWidth()); break;
    default: break;
  }
}

void TCustomdxTreeList::WMVScroll(TMessage& Message) {
  if (!AcquireFocus()) return;
  int top = GetTopIndex();
  int rows = GetAbsoluteCount();
  switch (ScrollCode(Message)) {
    case SB_LINEUP: SetTopIndex(top - 1); break;
    case SB_LINEDOWN: SetTopIndex(top + 1); break;
    case SB_PAGEUP: SetTopIndex(top - FullVisibleRowCount()); break;
    case SB_PAGEDOWN: SetTopIndex(top + FullVisibleRowCount()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      int pos = ScrollTrackPos(Message);
      SetTopIndex(pos <= 0 ? 0 : std::min(pos, rows));
      break;
    }
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(rows); break;
    default: break;
  }
}

void TCustomdxTreeList::WMCancelMode(TMessage& Message) {
  CancelDragSizing();
  inherited::Dispatch(Message);
}
