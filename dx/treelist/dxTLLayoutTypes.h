// The pixel values of the layout pass, the split of the client area and the draw information that
// painting, hit testing and the editor placement rebuild for each use.
#pragma once

#include <vector>

#include "platform/rtl/WinDef.h"

class TdxTreeListNode;

struct TdxTreeListLayout {
  bool Flat = false;
  int BandRowCount = 1;
  int HeaderPanelRowCount = 1;
  int HeaderLineCount = 1;
  int BandFontHeight = 0;
  int BandPanelHeight = 0;
  int HeaderRowHeight = 0;
  int HeaderPanelHeight = 0;
  int GroupPanelHeight = 0;
  int IndicatorWidth = 0;
  int LineHeight = 0;
  int FooterRowHeight = 0;
  int FooterHeight = 0;
  int RowFooterHeight = 0;
  int FilterStatusHeight = 0;
  int DigitWidth = 0;
  int ImageWidth = 0, ImageHeight = 0;
  int StateImageWidth = 0, StateImageHeight = 0;
  int MinRowHeight = 0;
  int NewItemRowGap = 6;
  int NewItemRowHeight = 0;
  int PreviewLineHeight = 0;
};

struct TdxTreeListRectInfo {
  RECT Client{};
  RECT GroupPanel{};
  RECT BandPanel{};
  RECT BandCorner{};
  RECT HeaderPanel{};
  RECT HeaderCorner{};
  RECT NewItemRow{};
  RECT Rows{};
  RECT Indicator{};
  RECT Footer{};
  RECT FilterStatus{};
};

struct TdxTreeListBandItem {
  int VisibleIndex = 0;
  RECT Rect{};
  RECT Clip{};
};

struct TdxTreeListHeaderItem {
  int Column = -1;  // absolute index
  int Band = 0;     // visible band position
  int Row = 0;
  int Position = 0;
  int RowSpan = 1;
  bool MultiLine = false;
  bool FirstInRow = false, LastInRow = false;
  bool First = false, Last = false;
  RECT Rect{};
  RECT Clip{};
  RECT Below{};
};

struct TdxTreeListEmptyHeader {
  int Band = 0;
  RECT Rect{};
  bool CutRight = false;
};

struct TdxTreeListRowItem {
  TdxTreeListNode* Node = nullptr;
  bool Group = false;
  bool Selected = false;
  int Top = 0;
  int Height = 0;
  int FooterCount = 0;
  int FootersHeight = 0;
  int IndicatorKind = 0;
  int PreviewLines = 0;
  int LineCount = -1;
};

struct TdxTreeListDrawInfo {
  TdxTreeListRectInfo Areas;
  std::vector<TdxTreeListBandItem> Bands;
  RECT LeftFixedArea{};
  RECT RightFixedArea{};
  RECT EmptyRight{};
  bool HasLeftFixed = false, HasRightFixed = false;
  RECT ScrollableArea{};
  std::vector<TdxTreeListHeaderItem> Headers;
  std::vector<TdxTreeListEmptyHeader> EmptyHeaders;
  std::vector<TdxTreeListRowItem> Rows;
  int ContentRight = 0;
  int RowsBottom = 0;
  RECT EmptyBelow{};
  int TreeColumnWidth = 0;
  int GridLineWidth = 0;
  int TotalBandsWidth = 0;

  const TdxTreeListHeaderItem* FindHeader(int Column) const {
    for (const auto& h : Headers)
      if (h.Column == Column) return &h;
    return nullptr;
  }
  const TdxTreeListRowItem* FindRow(const TdxTreeListNode* Node) const {
    for (const auto& r : Rows)
      if (r.Node == Node) return &r;
    return nullptr;
  }
};
