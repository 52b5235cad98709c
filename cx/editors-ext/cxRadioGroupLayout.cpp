// The radio group's item layout and its arrow-key moves between items.
#include <algorithm>

#include "cx/editors-ext/cxRadioGroup.h"
#include "platform/win/Input.h"

int cxRadioGroupColumnCount(int AItemCount, int AColumns) { return std::max(1, std::min(AItemCount, AColumns)); }

int cxRadioGroupRowCount(int AItemCount, int AColumns) {
  const int columns = cxRadioGroupColumnCount(AItemCount, AColumns);
  return (AItemCount + columns - 1) / columns;
}

std::vector<RECT> cxRadioGroupItemRects(const RECT& ABounds, const RECT& AExtent, int AItemCount, int AColumns,
                                        bool AInplace) {
  std::vector<RECT> rects;
  if (AItemCount <= 0) return rects;
  const int columns = cxRadioGroupColumnCount(AItemCount, AColumns);
  const int rows = cxRadioGroupRowCount(AItemCount, AColumns);
  const int columnWidth = (ABounds.right - ABounds.left - AExtent.left - AExtent.right - cxRadioGroupColumnIndent) / columns;
  const int height = ABounds.bottom - ABounds.top - AExtent.top - AExtent.bottom;
  const int rowHeight = height / rows;
  const int firstTop = ABounds.top + AExtent.top + (AInplace ? 0 : (height % rows) / 2 - 2);
  rects.reserve(static_cast<size_t>(AItemCount));
  for (int i = 0; i < AItemCount; ++i) {
    RECT r;
    r.left = ABounds.left + (i / rows) * columnWidth + AExtent.left + cxRadioGroupColumnIndent;
    r.top = firstTop + (i % rows) * rowHeight;
    r.right = r.left + columnWidth;
    r.bottom = r.top + rowHeight;
    rects.push_back(r);
  }
  return rects;
}

TcxRadioGroupFocusMove cxRadioGroupFocusMove(int AFrom, Word AKey, int AItemCount, int AColumns) {
  if (AFrom < 0 || AFrom >= AItemCount) return {};
  const int rows = cxRadioGroupRowCount(AItemCount, AColumns);
  const int column = AFrom / rows, row = AFrom % rows;
  const int firstOfColumn = AFrom - row;
  const int rowsHere = std::min(rows, AItemCount - firstOfColumn);
  switch (AKey) {
    case VK_LEFT:
      return column > 0 ? TcxRadioGroupFocusMove{AFrom - rows, false} : TcxRadioGroupFocusMove{};
    case VK_RIGHT:
      return AFrom + rows < AItemCount ? TcxRadioGroupFocusMove{AFrom + rows, false} : TcxRadioGroupFocusMove{};
    case VK_UP:
      return row > 0 ? TcxRadioGroupFocusMove{AFrom - 1, false}
                     : TcxRadioGroupFocusMove{firstOfColumn + rowsHere - 1, true};
    case VK_DOWN:
      return row < rowsHere - 1 ? TcxRadioGroupFocusMove{AFrom + 1, false} : TcxRadioGroupFocusMove{firstOfColumn, true};
    default:
      return {};
  }
}
