// The feedback of sizing and dragging that is not part of the painting: the sizing line, the drop
// arrows drawn straight on the screen over a saved background, and the drag image on the desktop.
// All of it is hidden around every paint and scroll and shown again from the state at that moment.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {


bool IsHeaderOrBandDrag(TdxTreeListState State) { return State == tsColumnDragging || State == tsBandDragging; }

// A screen DC released at the end of the scope.
struct TScreenDC {
  HDC DC = GetDC(nullptr);
  ~TScreenDC() { ReleaseDC(nullptr, DC); }
};

}  // namespace

TdxDragFeedbackHider::TdxDragFeedbackHider(TCustomdxTreeList* TreeList) : treeList_(TreeList) {
  treeList_->HideDragFeedback();
}

TdxDragFeedbackHider::~TdxDragFeedbackHider() { treeList_->ShowDragFeedback(); }

void TCustomdxTreeList::HideDragFeedback() {
  if (feedbackCount_++ != 0 || !HandleAllocated()) return;
  if (dragImages_ && dragImages_->Dragging()) dragImages_->HideDragImage();
  if (IsSizingState(state_)) DrawSizingLine();
  if (IsHeaderOrBandDrag(state_) && arrowsShown_) ToggleDropArrows(false);
  if (TDragObject* drag = DragObject()) drag->HideDragImage();
}

void TCustomdxTreeList::ShowDragFeedback() {
  if (--feedbackCount_ != 0 || !HandleAllocated()) return;
  if (IsSizingState(state_)) DrawSizingLine();
  if (IsHeaderOrBandDrag(state_) && !arrowsShown_ && arrowsPos_.x != kNoPlace.x) ToggleDropArrows(false);
  if (dragImages_ && dragImages_->Dragging()) dragImages_->ShowDragImage();
  if (TDragObject* drag = DragObject()) drag->ShowDragImage();
}

void TCustomdxTreeList::SetDropArrowsBox(bool IsBand) {
  arrowsBox_ = SIZE{11, (IsBand ? layout_.BandPanelHeight : layout_.HeaderRowHeight) + 18};
  if (!arrowsBackground_) arrowsBackground_ = std::make_unique<TBitmap>();
  if (arrowsBackground_->Width() < arrowsBox_.cx || arrowsBackground_->Height() < arrowsBox_.cy)
    arrowsBackground_->SetSize(std::max(arrowsBackground_->Width(), int(arrowsBox_.cx)),
                               std::max(arrowsBackground_->Height(), int(arrowsBox_.cy)));
}

void TCustomdxTreeList::ToggleDropArrows(bool Guarded) {
  if (!arrowsBackground_) SetDropArrowsBox(state_ == tsBandDragging);
  const int x = arrowsPos_.x, y = arrowsPos_.y, w = arrowsBox_.cx, h = arrowsBox_.cy, b = y + h;
  bool imageHidden = false;
  if (Guarded && dragImages_ && dragImages_->Dragging()) {
    POINT pos{}, hot{};
    ImageList_GetDragImage(&pos, &hot);
    RECT image{pos.x - hot.x, pos.y - hot.y, pos.x - hot.x + dragImages_->Width(),
               pos.y - hot.y + dragImages_->Height()};
    RECT arrows{x, y, x + w, b}, overlap;
    if (IntersectRect(&overlap, &image, &arrows)) {
      dragImages_->HideDragImage();
      imageHidden = true;
    }
  }
  {
    TScreenDC screen;
    HDC saved = arrowsBackground_->Canvas()->Handle();
    if (arrowsShown_) {
      BitBlt(screen.DC, x, y, w, h, saved, 0, 0, SRCCOPY);
      arrowsShown_ = false;
    } else {
      BitBlt(saved, 0, 0, w, h, screen.DC, x, y, SRCCOPY);
      arrowsShown_ = true;
      const POINT down[] = {{x + 5, y + 8}, {x, y + 3},     {x + 3, y + 3},  {x + 3, y},
                            {x + 7, y},     {x + 7, y + 3}, {x + 10, y + 3}};
      const POINT up[] = {{x + 5, b - 9},  {x + 10, b - 4}, {x + 7, b - 4}, {x + 7, b - 1},
                          {x + 3, b - 1}, {x + 3, b - 4},  {x, b - 4}};
      HBRUSH brush = CreateSolidBrush(ColorToRGB(arrowsColor_));
      HGDIOBJ oldBrush = SelectObject(screen.DC, brush);
      HGDIOBJ oldPen = SelectObject(screen.DC, GetStockObject(BLACK_PEN));
      Polygon(screen.DC, down, 7);
      Polygon(screen.DC, up, 7);
      SelectObject(screen.DC, oldPen);
      SelectObject(screen.DC, oldBrush);
      DeleteObject(brush);
    }
  }
  if (imageHidden) dragImages_->ShowDragImage();
}

// --- Drag images ---

namespace {

// A bitmap of W x H filled with Color, for one drag image.
std::unique_ptr<TBitmap> MakeDragBitmap(int W, int H, TColor Color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(std::max(W, 1), std::max(H, 1));
  bitmap->Canvas()->Brush()->SetColor(Color);
  RECT all{0, 0, bitmap->Width(), bitmap->Height()};
  bitmap->Canvas()->FillRect(all);
  return bitmap;
}

}  // namespace

void TCustomdxTreeList::FreeDragImages() {
  if (dragImages_ && dragImages_->Dragging()) dragImages_->EndDrag();
  dragImages_.reset();
}

TCustomImageList* TCustomdxTreeList::GetDragImages() { return dragImages_.get(); }

void TCustomdxTreeList::AddDragImage(TBitmap* Bitmap, TColor MaskColor) {
  if (!dragImages_) {
    dragImages_ = std::make_unique<TImageList>(nullptr);
    dragImages_->SetWidth(Bitmap->Width());
    dragImages_->SetHeight(Bitmap->Height());
  }
  dragImages_->AddMasked(Bitmap, MaskColor);
}

void TCustomdxTreeList::MakeBandDragImage(int Band) {
  int v = GetBandVisibleIndex(Band);
  int width = v >= 0 ? GetBandWidth(v) + (v == 0 ? GetGroupIndent() : 0) : GetBandItemWidth(Band);
  width = std::min(width, GetSystemMetrics(SM_CXSCREEN));
  auto bitmap = MakeDragBitmap(width, layout_.BandPanelHeight, bandColor_);
  RECT r{0, 0, bitmap->Width(), bitmap->Height()};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(bandColor_));
  DrawHeaderCell(bitmap->Canvas()->Handle(), r, r, brush, lookAndFeel_, 0, csNone,
                 v >= 0 ? GetVisibleBandAlignment(v) : taCenter, layout_.BandRowCount > 1, false,
                 v >= 0 ? GetVisibleBandCaption(v) : String(), bandFont_->Handle(), bandFont_->Color());
  DeleteObject(brush);
  AddDragImage(bitmap.get(), clNone);
}

void TCustomdxTreeList::MakeHeaderDragImage(int Column) {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListHeaderItem* h = info.FindHeader(Column);
  int width = h ? h->Rect.right - h->Rect.left : GetColumnWidth(Column);
  if (width < 1) width = 20;
  width = std::min(width, GetSystemMetrics(SM_CXSCREEN));
  auto bitmap = MakeDragBitmap(width, layout_.HeaderRowHeight, headerColor_);
  RECT r{0, 0, bitmap->Width(), bitmap->Height()};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(headerColor_));
  DrawHeaderCell(bitmap->Canvas()->Handle(), r, r, brush, lookAndFeel_, 0, GetColumnSorted(Column),
                 GetColumnHeaderAlignment(Column), false, false, GetColumnHeaderText(Column), headerFont_->Handle(),
                 headerFont_->Color());
  DeleteObject(brush);
  AddDragImage(bitmap.get(), clNone);
}

void TCustomdxTreeList::GetNodeDragText(TdxTreeListNode* Node, int Column, String& Text) {
  Text = GetCellText(Node, Column);
}

void TCustomdxTreeList::MakeNodeDragImage(TdxTreeListNode* Node, int Column) {
  if (Column < 0) Column = 0;
  RECT frame{0, 0, defaultRowHeight_, 16};
  String text;
  if (GetVisibleColumnCount() > 0) {
    GetCellRect(Node, Column, frame);
    GetNodeDragText(Node, GetAbsoluteColumnIndex(Column), text);
  }
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  auto bitmap = MakeDragBitmap(w + 26, h + 6, Color());
  TCanvas* canvas = bitmap->Canvas();
  canvas->SetFont(Font());
  HDC dc = canvas->Handle();
  RECT r{20, 0, bitmap->Width(), bitmap->Height()};
  for (int i = 0; i < 3; ++i) {
    DrawFocusRect(dc, &r);
    InflateRect(&r, -1, -1);
  }
  auto drawImage = [&](TCustomImageList* List, int Index) {
    if (!List || Index < 0) return;
    List->Draw(canvas, r.left, r.top + (r.bottom - r.top - List->Height()) / 2, Index);
    r.left += List->Width();
  };
  drawImage(StateImages(), GetStateIndex(Node));
  drawImage(Images(), GetImageIndex(Node));
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, text.c_str(), -1, &r, DT_WORDBREAK | DT_END_ELLIPSIS | DT_EXPANDTABS | DT_NOPREFIX);
  AddDragImage(bitmap.get(), Color());
}
