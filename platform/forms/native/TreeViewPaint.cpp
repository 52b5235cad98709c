// Painting: rows with lines, buttons, state and normal images and labels, under the custom-draw
// stages the parent asks for.
#include <algorithm>

#include "platform/forms/native/TreeViewState.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

COLORREF OrSystem(COLORREF set, int sysColor) {
  return set == static_cast<COLORREF>(-1) ? GetSysColor(sysColor) : set;
}

// Every other pixel, on a checkerboard fixed to the client area, as the platform draws them.
void DottedVertical(HDC dc, int x, int y0, int y1, COLORREF c) {
  for (int y = y0 + ((x + y0) & 1); y < y1; y += 2) SetPixelV(dc, x, y, c);
}
void DottedHorizontal(HDC dc, int x0, int x1, int y, COLORREF c) {
  for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2) SetPixelV(dc, x, y, c);
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

// A 9 x 9 box with a minus, and a plus while collapsed.
void DrawButton(HDC dc, int cx, int cy, bool expanded, COLORREF back) {
  RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
  Fill(dc, box, back);
  HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
  FrameRect(dc, &box, frame);
  DeleteObject(frame);
  COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
  for (int x = cx - 2; x <= cx + 2; ++x) SetPixelV(dc, x, cy, sign);
  if (!expanded)
    for (int y = cy - 2; y <= cy + 2; ++y) SetPixelV(dc, cx, y, sign);
}

}  // namespace

// What every row of one paint shares.
struct TNativeTreeView::TPaintContext {
  HDC dc;
  HFONT font;
  COLORREF window;
  COLORREF windowText;
  COLORREF line;
  DWORD style;
  bool rootColumn;
  int height;
  LRESULT pre;  // the answer to the pre-paint stage
  int widest;
};

// One NM_CUSTOMDRAW stage; for item stages the record carries the item and its colours, which
// the parent may change.
LRESULT TNativeTreeView::CustomDrawStage(HDC dc, DWORD stage, const RECT& rc, TTreeItem* item, UINT itemState,
                                         COLORREF* text, COLORREF* back) {
  NMTVCUSTOMDRAW cd;
  cd.nmcd.dwDrawStage = stage;
  cd.nmcd.hdc = dc;
  cd.nmcd.rc = rc;
  if (item) {
    cd.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item->Handle());
    cd.nmcd.uItemState = itemState;
    cd.nmcd.lItemlParam = item->param;
    cd.iLevel = item->level;
  }
  if (text) cd.clrText = *text;
  if (back) cd.clrTextBk = *back;
  LRESULT result = Notify(NM_CUSTOMDRAW, cd.nmcd.hdr);
  if (text) *text = cd.clrText;
  if (back) *back = cd.clrTextBk;
  return result;
}

void TNativeTreeView::PaintLines(const TPaintContext& pc, TTreeItem* item, const TRowLayout& l, int y) {
  int midY = y + pc.height / 2;
  int cx = l.buttonCenterX;
  bool firstAtRoot = item->parent == root_.get() && !item->prev;
  DottedVertical(pc.dc, cx, firstAtRoot ? midY : y, item->next ? y + pc.height : midY + 1, pc.line);
  int lineEnd = l.stateLeft >= 0 ? l.stateLeft : (l.imageLeft >= 0 ? l.imageLeft : l.label.left);
  DottedHorizontal(pc.dc, cx, lineEnd, midY, pc.line);
  // The lines of the ancestors that have siblings below pass through the row.
  int ax = cx - indent_;
  for (TTreeItem* a = item->parent; a && a != root_.get(); a = a->parent, ax -= indent_)
    if (a->next && (a->level > 0 || pc.rootColumn)) DottedVertical(pc.dc, ax, y, y + pc.height, pc.line);
}

void TNativeTreeView::PaintImages(const TPaintContext& pc, TTreeItem* item, const TRowLayout& l, int y,
                                  bool selected) {
  UINT stateIndex = (item->state & TVIS_STATEIMAGEMASK) >> 12;
  int cx = 0, cy = 0;
  if (l.stateLeft >= 0 && stateIndex > 0) {
    ImageList_GetIconSize(stateImages_, &cx, &cy);
    ImageList_Draw(stateImages_, static_cast<int>(stateIndex), pc.dc, l.stateLeft, y + (pc.height - cy) / 2,
                   ILD_NORMAL);
  }
  if (l.imageLeft >= 0) {
    ImageList_GetIconSize(images_, &cx, &cy);
    int image = ItemImage(item, selected);
    if (image >= 0)
      ImageList_Draw(images_, image, pc.dc, l.imageLeft, y + (pc.height - cy) / 2, ILD_TRANSPARENT);
  }
}

// False when a custom-draw handler removed the item (the next paint shows the rest).
bool TNativeTreeView::PaintRow(TPaintContext& pc, TTreeItem* item, int y) {
  RECT rowRect{0, y, ClientWidth(), y + pc.height};
  Fill(pc.dc, rowRect, pc.window);
  bool selected = (item->state & TVIS_SELECTED) != 0;
  bool hilite = (item->state & TVIS_DROPHILITED) != 0;
  // While another item is the drop target the selection shows as unselected.
  bool showSelected =
      selected && (!dropHilite_ || dropHilite_ == item) && (focused_ || (pc.style & TVS_SHOWSELALWAYS));
  COLORREF text = pc.windowText, back = pc.window;
  if (hilite || (showSelected && focused_)) {
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    back = GetSysColor(COLOR_HIGHLIGHT);
  } else if (showSelected) {
    text = GetSysColor(COLOR_BTNTEXT);
    back = GetSysColor(COLOR_BTNFACE);
  }

  LRESULT itemResult = CDRF_DODEFAULT;
  if (pc.pre & CDRF_NOTIFYITEMDRAW) {
    UINT state = (selected ? CDIS_SELECTED : 0) | (item == selected_ && focused_ ? CDIS_FOCUS : 0);
    itemResult = CustomDrawStage(pc.dc, CDDS_ITEMPREPAINT, rowRect, item, state, &text, &back);
    if (!items_.count(item)) return false;
    if (!(itemResult & CDRF_NEWFONT)) SelectObject(pc.dc, pc.font);
  }
  if (!(itemResult & CDRF_SKIPDEFAULT)) {
    TRowLayout l = Layout(item, pc.dc);
    if ((pc.style & TVS_HASLINES) && l.hasButtonColumn) PaintLines(pc, item, l, y);
    if ((pc.style & TVS_HASBUTTONS) && l.hasButtonColumn && HasChildren(item))
      DrawButton(pc.dc, l.buttonCenterX, y + pc.height / 2, item->Expanded(), pc.window);
    PaintImages(pc, item, l, y, selected);
    if (back != pc.window || showSelected || hilite) Fill(pc.dc, l.label, back);
    String caption = ItemText(item);
    SetTextColor(pc.dc, text);
    RECT textRect{l.label.left + 2, l.label.top, l.label.right - 2, l.label.bottom};
    DrawText(pc.dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if (item == selected_ && focused_ && !dropHilite_) DrawFocusRect(pc.dc, &l.label);
    pc.widest = std::max(pc.widest, l.label.right + xPos_);
  }
  if (itemResult & CDRF_NOTIFYPOSTPAINT)
    CustomDrawStage(pc.dc, CDDS_ITEMPOSTPAINT, rowRect, item, 0, nullptr, nullptr);
  return true;
}

void TNativeTreeView::Paint(HDC dc) {
  EnsureRows();
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  DWORD style = Style();
  TPaintContext pc{dc,
                   ControlFont(font_),
                   OrSystem(bkColor_, COLOR_WINDOW),
                   OrSystem(textColor_, COLOR_WINDOWTEXT),
                   OrSystem(lineColor_, COLOR_GRAYTEXT),
                   style,
                   (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS)),
                   ItemHeight(),
                   CDRF_DODEFAULT,
                   maxRowRight_};
  HGDIOBJ oldFont = SelectObject(dc, pc.font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  TScopeExit restore([&] {
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
  });
  pc.pre = CustomDrawStage(dc, CDDS_PREPAINT, client, nullptr, 0, nullptr, nullptr);
  if (pc.pre & CDRF_SKIPDEFAULT) return;

  int y = 0;
  for (int row = top_; row < static_cast<int>(rows_.size()) && y < client.bottom; ++row, y += pc.height)
    if (!PaintRow(pc, rows_[static_cast<size_t>(row)], y)) return;
  if (y < client.bottom) Fill(dc, RECT{0, y, client.right, client.bottom}, pc.window);
  if (pc.pre & CDRF_NOTIFYPOSTPAINT)
    CustomDrawStage(dc, CDDS_POSTPAINT, client, nullptr, 0, nullptr, nullptr);
  if (pc.widest != maxRowRight_) {
    maxRowRight_ = pc.widest;
    UpdateScrollBars();
  }
}
