// The filter status bar: the filter's text on the line colour and, while a filter applies, the
// clear-filter button with its cross, drawn hot under the pointer and pressed while held down.
#include "dx/editors/dxDrawUtils.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLPaintContext.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kButtonIndent = 18;

// The button's box in Fill outlined with Pen, and an X of two 2-pixel strokes inside it.
void DrawClearFilterButton(HDC DC, const RECT& Button, TColor Fill, TColor Pen) {
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(Fill));
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToColorRef(Pen));
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  Rectangle(DC, Button.left, Button.top, Button.right, Button.bottom);
  RECT glyph = Button;
  InflateRect(&glyph, -2, -2);
  int size = glyph.bottom - glyph.top;
  for (int dx : {0, 1}) {
    MoveToEx(DC, glyph.left + dx, glyph.top, nullptr);
    LineTo(DC, glyph.left + dx + size, glyph.top + size);
    MoveToEx(DC, glyph.right - 1 - dx, glyph.top, nullptr);
    LineTo(DC, glyph.right - 1 - dx - size, glyph.top + size);
  }
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

}  // namespace

void TCustomdxTreeList::PaintFilterStatus(const TdxTreeListDrawInfo& Info) {
  TPaintContext& ctx = *paint_;
  const RECT& bar = Info.Areas.FilterStatus;
  if (!dxtlpaint::Intersects(bar, ctx.Update)) return;
  const bool filtered = IsFiltered();
  String text = GetFilterText();
  RECT textRect = bar;
  InflateRect(&textRect, -2, -2);
  if (filtered) textRect.left += kButtonIndent;
  DrawCellText(ctx.DC, text.data(), static_cast<int>(text.size()), nullptr, clBtnHighlight, ctx.LineColor,
               Font()->Handle(), ctx.Line, dxCellLeft | dxCellVCenter, textRect, bar);
  if (!filtered) return;
  RECT button;
  GetClearFilterButtonRect(button);
  const bool pressed = state_ == tsClearFilterDown && pressedOver_ && clearFilterHot_;
  if (pressed)
    DrawClearFilterButton(ctx.DC, button, clWindowFrame, clWindow);
  else if (clearFilterHot_)
    DrawClearFilterButton(ctx.DC, button, clWindow, clWindowFrame);
  else
    DrawClearFilterButton(ctx.DC, button, clBtnFace, clBtnText);
}
