// The rows shown, their geometry, hit testing and scrolling.
#include <algorithm>

#include "platform/forms/native/TreeViewState.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

int ImageWidth(HIMAGELIST list) {
  int cx = 0, cy = 0;
  if (list) ImageList_GetIconSize(list, &cx, &cy);
  return cx;
}

int ImageHeight(HIMAGELIST list) {
  int cx = 0, cy = 0;
  if (list) ImageList_GetIconSize(list, &cx, &cy);
  return cy;
}

}  // namespace

void TNativeTreeView::RowsChanged() {
  if (rowsDirty_) return;
  rowsDirty_ = true;
  Invalidate();
}

void TNativeTreeView::EnsureRows() {
  if (!rowsDirty_) return;
  rowsDirty_ = false;
  for (TTreeItem* r : rows_) r->row = -1;
  rows_.clear();
  // Depth first over expanded branches, without recursion (trees may be deep).
  TTreeItem* i = root_->first;
  while (i) {
    i->row = static_cast<int>(rows_.size());
    rows_.push_back(i);
    if (i->Expanded() && i->first) {
      i = i->first;
      continue;
    }
    while (i && !i->next) i = i->parent == root_.get() ? nullptr : i->parent;
    if (i) i = i->next;
  }
  SetTop(top_);
}

int TNativeTreeView::ItemHeight() {
  if (itemHeightSet_ > 0) return itemHeightSet_;
  int h = FontLineHeight(ControlFont(font_)) + 2;
  h = std::max({h, ImageHeight(images_), ImageHeight(stateImages_)});
  if (!(Style() & TVS_NONEVENHEIGHT)) h &= ~1;
  return std::max(h, 1);
}

int TNativeTreeView::ClientWidth() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right - r.left;
}

int TNativeTreeView::ClientHeight() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom - r.top;
}

// Rows wholly shown.
int TNativeTreeView::PageRows() { return ClientHeight() / ItemHeight(); }

int TNativeTreeView::LabelWidth(TTreeItem* item, HDC measure) {
  String text = ItemText(item);
  if (measure) {
    SIZE size{};
    GetTextExtentPoint32(measure, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx + 4;
  }
  if (!measure_) measure_ = std::make_unique<TMeasureDC>();
  measure_->SetFont(ControlFont(font_));
  return measure_->Width(text) + 4;
}

TRowLayout TNativeTreeView::Layout(TTreeItem* item, HDC measure) {
  TRowLayout l;
  DWORD style = Style();
  int h = ItemHeight();
  l.top = (item->row - top_) * h;
  bool rootColumn = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
  int column = item->level + (rootColumn ? 1 : 0);
  int x = column * indent_ - xPos_;
  l.hasButtonColumn = column > item->level || item->level > 0;
  l.buttonCenterX = x - indent_ / 2 - 1;
  if (stateImages_) {
    l.stateLeft = x;
    x += ImageWidth(stateImages_);
  }
  if (images_) {
    l.imageLeft = x;
    x += ImageWidth(images_) + 1;
  }
  l.label = RECT{x, l.top, x + LabelWidth(item, measure), l.top + h};
  return l;
}

bool TNativeTreeView::ItemRect(TTreeItem* item, bool textOnly, RECT& r) {
  EnsureRows();
  if (item->row < 0) return false;
  TRowLayout l = Layout(item);
  r = textOnly ? l.label : RECT{0, l.top, ClientWidth(), l.top + ItemHeight()};
  return true;
}

TTreeItem* TNativeTreeView::HitTest(POINT pt, UINT& flags) {
  EnsureRows();
  flags = 0;
  if (pt.x < 0) flags |= TVHT_TOLEFT;
  if (pt.x >= ClientWidth()) flags |= TVHT_TORIGHT;
  if (pt.y < 0) flags |= TVHT_ABOVE;
  if (pt.y >= ClientHeight()) flags |= TVHT_BELOW;
  if (flags) return nullptr;
  int row = top_ + pt.y / ItemHeight();
  if (row >= static_cast<int>(rows_.size())) {
    flags = TVHT_NOWHERE;
    return nullptr;
  }
  TTreeItem* item = rows_[static_cast<size_t>(row)];
  TRowLayout l = Layout(item);
  int imageRight = l.imageLeft >= 0 ? l.label.left - 1 : l.label.left;
  int stateRight = l.stateLeft >= 0 ? (l.imageLeft >= 0 ? l.imageLeft : l.label.left) : -1;
  if (pt.x >= l.label.right)
    flags = TVHT_ONITEMRIGHT;
  else if (pt.x >= l.label.left)
    flags = TVHT_ONITEMLABEL;
  else if (l.imageLeft >= 0 && pt.x >= l.imageLeft && pt.x < imageRight + 1)
    flags = TVHT_ONITEMICON;
  else if (l.stateLeft >= 0 && pt.x >= l.stateLeft && pt.x < stateRight)
    flags = TVHT_ONITEMSTATEICON;
  else if ((Style() & TVS_HASBUTTONS) && l.hasButtonColumn && HasChildren(item) &&
           pt.x >= l.buttonCenterX - indent_ / 2 && pt.x <= l.buttonCenterX + indent_ / 2)
    flags = TVHT_ONITEMBUTTON;
  else
    flags = TVHT_ONITEMINDENT;
  return item;
}

void TNativeTreeView::SetTop(int row) {
  int count = static_cast<int>(rows_.size());
  int maxTop = std::max(0, count - std::max(1, PageRows()));
  row = std::clamp(row, 0, maxTop);
  if (row != top_) {
    top_ = row;
    Invalidate();
  }
  UpdateScrollBars();
}

void TNativeTreeView::UpdateScrollBars() {
  if (Style() & TVS_NOSCROLL) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, static_cast<int>(rows_.size()) - 1);
  si.nPage = static_cast<UINT>(std::max(1, PageRows()));
  si.nPos = top_;
  SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  SCROLLINFO sh;
  sh.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  sh.nMax = std::max(0, maxRowRight_ + xPos_ - 1);
  sh.nPage = static_cast<UINT>(std::max(1, ClientWidth()));
  sh.nPos = xPos_;
  SetScrollInfo(hwnd_, SB_HORZ, &sh, TRUE);
}

void TNativeTreeView::ScrollTo(int bar, WORD code) {
  EnsureRows();
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &si);
  if (bar == SB_VERT) {
    int page = std::max(1, PageRows());
    int end = std::max(0, static_cast<int>(rows_.size()) - page);
    if (auto to = ScrollRequestTarget(code, top_, 1, page, si.nTrackPos, end)) SetTop(*to);
  } else {
    int end = std::max(0, maxRowRight_ + xPos_ - ClientWidth());
    if (auto to = ScrollRequestTarget(code, xPos_, indent_, ClientWidth(), si.nTrackPos, end)) {
      int x = std::clamp(*to, 0, std::max(0, end));
      if (x != xPos_) {
        xPos_ = x;
        Invalidate();
        UpdateScrollBars();
      }
    }
  }
}

void TNativeTreeView::InvalidateItem(TTreeItem* item) {
  if (rowsDirty_ || item->row < 0) return;
  int h = ItemHeight();
  RECT r{0, (item->row - top_) * h, ClientWidth(), (item->row - top_ + 1) * h};
  if (r.bottom > 0 && r.top < ClientHeight()) InvalidateRect(hwnd_, &r, TRUE);
}

void TNativeTreeView::Invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }
