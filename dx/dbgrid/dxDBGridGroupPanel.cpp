// The group panel: the strip above the headers with one box per grouped column, stepped down by
// half a header row per level and joined by connectors. Its geometry, painting and switches.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/forms/Canvas.h"
#include "platform/gdi/Text.h"
#include "platform/win/Paint.h"
#include "dx/treelist/dxTLRoutines.h"

namespace {

constexpr int kBoxLeft = 8, kBoxTop = 8, kBoxWidth = 100, kBoxStep = 104, kPanelMargin = 16;

}  // namespace

int TCustomdxDBGrid::GetGroupPanelHeight() { return showGroupPanel_ ? FullGroupPanelHeight() : 0; }

int TCustomdxDBGrid::FullGroupPanelHeight() {
  const int h = Layout().HeaderRowHeight;
  const int n = GroupCount();
  return n >= 1 ? (n - 1) * (h / 2) + h + kPanelMargin : h - h / 2 + kPanelMargin;
}

int TCustomdxDBGrid::GetGroupIndent() { return GroupCount() * dxTLLevelIndent; }

RECT TCustomdxDBGrid::GetGroupBoxRect(int Level) {
  const int h = Layout().HeaderRowHeight;
  const int left = kBoxLeft + kBoxStep * Level, top = kBoxTop + Level * (h / 2);
  return RECT{left, top, left + kBoxWidth, top + h};
}

int TCustomdxDBGrid::GetGroupDropPosition(int X) {
  for (int level = 0; level < GroupCount(); ++level) {
    const RECT box = GetGroupBoxRect(level);
    if ((box.left + box.right) / 2 > X) return level;
  }
  return GroupCount();
}

POINT TCustomdxDBGrid::GetGroupDropArrowsPoint(int Position) {
  const RECT box = GetGroupBoxRect(Position);
  return POINT{box.left - 5, box.top - 9};
}

void TCustomdxDBGrid::SetShowGroupPanel(bool Value) {
  if (showGroupPanel_ == Value) return;
  CloseEditor();
  showGroupPanel_ = Value;
  if (!HandleAllocated()) return;
  ValidateRect(Handle(), nullptr);
  if (LockCount() == 0 && !ComponentState().Contains(csDesigning) && !IsLoading() && State() == tsNormal)
    SlideGroupPanel(Value);
  LayoutChanged();
}

void TCustomdxDBGrid::SetGroupPanelColor(TColor Value) {
  if (groupPanelColor_ == Value) return;
  groupPanelColor_ = Value;
  if (HandleAllocated()) Invalidate();
}

void TCustomdxDBGrid::SetGroupPanelFontColor(TColor Value) {
  if (groupPanelFontColor_ == Value) return;
  groupPanelFontColor_ = Value;
  if (HandleAllocated()) Invalidate();
}

void TCustomdxDBGrid::DrawGroupPanel(TCanvas* Canvas, const RECT& Rect, HBRUSH Background, HBRUSH Header) {
  HDC dc = Canvas->Handle();
  if (LookAndFeel() == lfUltraFlat && groupPanelColor_ == clBtnShadow) {
    FillRect(dc, &Rect, Background);
  } else {
    Canvas->Brush()->SetColor(groupPanelColor_);
    Canvas->FillRect(Rect);
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, Rect.left, Rect.top, Rect.right, Rect.bottom);
  const POINT origin{Rect.left, Rect.top};
  auto place = [&](RECT R) {
    OffsetRect(&R, origin.x, origin.y);
    return R;
  };
  if (GroupCount() == 0) {
    SelectObject(dc, HeaderFont()->Handle());
    SetTextColor(dc, ColorToColorRef(groupPanelFontColor_));
    SetBkMode(dc, TRANSPARENT);
    RECT text = Rect;
    const String hint = u" Drag a column header here to group by that column";
    DrawText(dc, hint, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
  }
  // Connectors: from below a box's middle down and across to the next box's left edge.
  Canvas->Pen()->SetColor(clBtnText);
  for (int level = 0; level + 1 < GroupCount(); ++level) {
    const RECT box = place(GetGroupBoxRect(level)), next = place(GetGroupBoxRect(level + 1));
    const int x = (box.left + box.right) / 2, b = box.bottom;
    const POINT points[] = {{x, b - 1}, {x, b + 2}, {next.left + 1, b + 2}};
    Canvas->Polyline(points, 3);
  }
  for (int level = 0; level < GroupCount(); ++level) {
    const RECT box = place(GetGroupBoxRect(level));
    if (!RectVisible(dc, &box)) continue;
    TdxDBTreeListColumn* column = groupColumns_[level];
    DrawHeaderCell(dc, box, box, Header, LookAndFeel(), 0, column->Sorted(), taLeftJustify, false, false,
                   column->Caption(), HeaderFont()->Handle(), HeaderFont()->Color(),
                   column->HasHeaderGlyph() ? column->HeaderGlyph() : nullptr);
  }
  RestoreDC(dc, saved);
}
