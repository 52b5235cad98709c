// Painting: rows with lines, buttons, state and normal images and labels, under the custom-draw
// stages the parent asks for.
#include <algorithm>

#include "platform/forms/native/TreeViewState.h"
#include "platform/gdi/Gdi.h"
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

void TNativeTreeView::Paint(HDC dc) {
  EnsureRows();
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  COLORREF window = OrSystem(bkColor_, COLOR_WINDOW);
  COLORREF windowText = OrSystem(textColor_, COLOR_WINDOWTEXT);
  COLORREF line = OrSystem(lineColor_, COLOR_GRAYTEXT);
  HFONT font = ControlFont(font_);
  HGDIOBJ oldFont = SelectObject(dc, font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  DWORD style = Style();
  bool rootColumn = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));

  NMTVCUSTOMDRAW cd;
  cd.nmcd.dwDrawStage = CDDS_PREPAINT;
  cd.nmcd.hdc = dc;
  cd.nmcd.rc = client;
  LRESULT pre = Notify(NM_CUSTOMDRAW, cd.nmcd.hdr);
  if (pre & CDRF_SKIPDEFAULT) {
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    return;
  }

  int h = ItemHeight();
  int widest = maxRowRight_;
  int y = 0;
  for (int row = top_; row < static_cast<int>(rows_.size()) && y < client.bottom; ++row, y += h) {
    TTreeItem* item = rows_[static_cast<size_t>(row)];
    RECT rowRect{0, y, client.right, y + h};
    Fill(dc, rowRect, window);

    bool selected = (item->state & TVIS_SELECTED) != 0;
    bool hilite = (item->state & TVIS_DROPHILITED) != 0;
    bool showSelected =
        selected && (!dropHilite_ || dropHilite_ == item) && (focused_ || (style & TVS_SHOWSELALWAYS));
    COLORREF text = windowText, back = window;
    if (hilite || (showSelected && focused_)) {
      text = GetSysColor(COLOR_HIGHLIGHTTEXT);
      back = GetSysColor(COLOR_HIGHLIGHT);
    } else if (showSelected) {
      text = GetSysColor(COLOR_BTNTEXT);
      back = GetSysColor(COLOR_BTNFACE);
    }

    LRESULT itemResult = CDRF_DODEFAULT;
    if (pre & CDRF_NOTIFYITEMDRAW) {
      NMTVCUSTOMDRAW icd;
      icd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      icd.nmcd.hdc = dc;
      icd.nmcd.rc = rowRect;
      icd.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item->Handle());
      icd.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) | (item == selected_ && focused_ ? CDIS_FOCUS : 0);
      icd.nmcd.lItemlParam = item->param;
      icd.clrText = text;
      icd.clrTextBk = back;
      icd.iLevel = item->level;
      itemResult = Notify(NM_CUSTOMDRAW, icd.nmcd.hdr);
      if (!items_.count(item)) break;  // the handler removed it; the next paint shows the rest
      text = icd.clrText;
      back = icd.clrTextBk;
      if (!(itemResult & CDRF_NEWFONT)) SelectObject(dc, font);
    }
    if (!(itemResult & CDRF_SKIPDEFAULT)) {
      TRowLayout l = Layout(item, dc);
      int midY = y + h / 2;
      bool hasChildren = HasChildren(item);
      if ((style & TVS_HASLINES) && l.hasButtonColumn) {
        int cx = l.buttonCenterX;
        bool firstAtRoot = item->parent == root_.get() && !item->prev;
        DottedVertical(dc, cx, firstAtRoot ? midY : y, item->next ? y + h : midY + 1, line);
        DottedHorizontal(dc, cx,
                         l.stateLeft >= 0 ? l.stateLeft : (l.imageLeft >= 0 ? l.imageLeft : l.label.left),
                         midY, line);
        int ax = cx - indent_;
        for (TTreeItem* a = item->parent; a && a != root_.get(); a = a->parent, ax -= indent_)
          if (a->next && (a->level > 0 || rootColumn)) DottedVertical(dc, ax, y, y + h, line);
      }
      if ((style & TVS_HASBUTTONS) && l.hasButtonColumn && hasChildren)
        DrawButton(dc, l.buttonCenterX, midY, item->Expanded(), window);
      UINT stateIndex = (item->state & TVIS_STATEIMAGEMASK) >> 12;
      if (l.stateLeft >= 0 && stateIndex > 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(stateImages_, &cx, &cy);
        ImageList_Draw(stateImages_, static_cast<int>(stateIndex), dc, l.stateLeft, y + (h - cy) / 2,
                       ILD_NORMAL);
      }
      if (l.imageLeft >= 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images_, &cx, &cy);
        int image = ItemImage(item, selected);
        if (image >= 0) ImageList_Draw(images_, image, dc, l.imageLeft, y + (h - cy) / 2, ILD_TRANSPARENT);
      }
      if (back != window || showSelected || hilite) Fill(dc, l.label, back);
      String caption = ItemText(item);
      SetTextColor(dc, text);
      RECT textRect{l.label.left + 2, l.label.top, l.label.right - 2, l.label.bottom};
      DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
      if (item == selected_ && focused_ && !dropHilite_) DrawFocusRect(dc, &l.label);
      widest = std::max(widest, l.label.right + xPos_);
    }
    if (itemResult & CDRF_NOTIFYPOSTPAINT) {
      NMTVCUSTOMDRAW post;
      post.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
      post.nmcd.hdc = dc;
      post.nmcd.rc = rowRect;
      post.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item->Handle());
      post.nmcd.lItemlParam = item->param;
      post.iLevel = item->level;
      Notify(NM_CUSTOMDRAW, post.nmcd.hdr);
    }
  }
  if (y < client.bottom) Fill(dc, RECT{0, y, client.right, client.bottom}, window);
  if (pre & CDRF_NOTIFYPOSTPAINT) {
    NMTVCUSTOMDRAW post;
    post.nmcd.dwDrawStage = CDDS_POSTPAINT;
    post.nmcd.hdc = dc;
    post.nmcd.rc = client;
    Notify(NM_CUSTOMDRAW, post.nmcd.hdr);
  }
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  if (widest != maxRowRight_) {
    maxRowRight_ = widest;
    UpdateScrollBars();
  }
}
