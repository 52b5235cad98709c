// Moving and sizing column headers of the table view.
#include "cx/grid/cxGridTableHeaderDrag.h"

#include <algorithm>

#include "cx/grid/cxGridCustomizationForm.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/forms/Colors.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Draw.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridDragAndDropObject)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridMovingObject)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHeaderMovingObject)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridSizingObject)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridColumnSizingObject)
TRENVIK_IMPLEMENT_CLASS(TcxGridColumnHorzSizingObject)

namespace {

constexpr int kArrowWidth = 11;
constexpr int kArrowHeight = 9;

// The screen's device context for one drawing step.
class TGridScreenDC {
 public:
  TGridScreenDC() : dc_(GetDC(nullptr)) {}
  ~TGridScreenDC() { ReleaseDC(nullptr, dc_); }
  TGridScreenDC(const TGridScreenDC&) = delete;
  TGridScreenDC& operator=(const TGridScreenDC&) = delete;
  HDC Handle() const { return dc_; }

 private:
  HDC dc_;
};

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

// A lime arrow with a black outline; down (above the drop line) or up (below it).
void DrawArrow(HDC ADC, const RECT& R, bool ADown) {
  TCanvas canvas;
  canvas.SetHandle(ADC);
  canvas.Pen()->SetColor(clBlack);
  canvas.Brush()->SetColor(clLime);
  const int L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  if (ADown)
    canvas.Polygon({{L + 3, T}, {Rt - 4, T}, {Rt - 4, T + 3}, {Rt - 1, T + 3}, {L + 5, B - 1}, {L, T + 3}, {L + 3, T + 3}});
  else
    canvas.Polygon({{L + 3, B - 1}, {Rt - 4, B - 1}, {Rt - 4, B - 4}, {Rt - 1, B - 4}, {L + 5, T}, {L, B - 4}, {L + 3, B - 4}});
  canvas.SetHandle(nullptr);
}

bool CanSortOrGroup(TcxGridColumn* AColumn) {
  TcxCustomEditProperties* properties = AColumn->GetProperties();
  return !properties || properties->GetSupportedOperations().Contains(esoSorting);
}

}  // namespace

// --- TcxGridDragAndDropObject ---

TcxGridTableView* TcxGridDragAndDropObject::TableView() const { return static_cast<TcxGridTableView*>(GridView()); }

TcxGridTableViewInfo* TcxGridDragAndDropObject::TableViewInfo() const {
  return static_cast<TcxGridTableViewInfo*>(GridView()->ViewInfo());
}

// --- TcxCustomGridMovingObject ---

TcxCustomGridMovingObject::TcxCustomGridMovingObject(TcxControl* AControl) : TcxGridDragAndDropObject(AControl) {}

TcxCustomGridMovingObject::~TcxCustomGridMovingObject() = default;

TCursor TcxCustomGridMovingObject::GetDragAndDropCursor(bool AAccepted) {
  if (AAccepted) return crArrow;
  return CanRemove() ? crGridRemove : crGridNoDrop;
}

RECT TcxCustomGridMovingObject::GetDragImageBounds(POINT P) {
  const POINT screen = Control()->ClientToScreen(P);
  const int left = screen.x - hotSpot_.x, top = screen.y - hotSpot_.y;
  return RECT{left, top, left + image_->Width(), top + image_->Height()};
}

RECT TcxCustomGridMovingObject::GetArrowBounds(int AIndex) {
  RECT r = GetArrowAreaBounds();
  const RECT clip = TableViewInfo()->Bounds;
  r.left = std::clamp(static_cast<int>(r.left), static_cast<int>(clip.left), static_cast<int>(clip.right - 1));
  r.right = r.left + 1;
  InflateRect(&r, kArrowWidth / 2, 0);
  if (AIndex == 0) {
    r.bottom = r.top;
    r.top -= kArrowHeight;
  } else {
    r.top = r.bottom;
    r.bottom += kArrowHeight;
  }
  const POINT topLeft = Control()->ClientToScreen(POINT{r.left, r.top});
  return RECT{topLeft.x, topLeft.y, topLeft.x + Width(r), topLeft.y + Height(r)};
}

void TcxCustomGridMovingObject::InitDragImage() {
  const RECT source = GetSourceBounds();
  image_ = std::make_unique<TBitmap>();
  image_->SetSize(Width(source), Height(source));
  imageBackground_ = std::make_unique<TBitmap>();
  imageBackground_->SetSize(Width(source), Height(source));
  TcxCanvas canvas(image_->Canvas());
  PaintSource(&canvas);
  hotSpot_ = POINT{MulDiv(SourcePoint.x - source.left, image_->Width(), std::max(Width(source), 1)),
                   MulDiv(SourcePoint.y - source.top, image_->Height(), std::max(Height(source), 1))};
}

void TcxCustomGridMovingObject::PaintSource(TcxCanvas* ACanvas) {
  TcxCustomGridCellViewInfo* cell = GetSourceViewInfo();
  if (!cell) return;
  const RECT source = GetSourceBounds();
  POINT oldOrigin;
  SetWindowOrgEx(ACanvas->Handle(), source.left, source.top, &oldOrigin);
  if (auto painter = cell->CreatePainter(ACanvas)) painter->Paint();
  SetWindowOrgEx(ACanvas->Handle(), oldOrigin.x, oldOrigin.y, nullptr);
}

void TcxCustomGridMovingObject::ShowImage(POINT AScreenPoint) {
  if (imageVisible_ || !image_) return;
  imageAnchor_ = AScreenPoint;
  const RECT r{AScreenPoint.x - hotSpot_.x, AScreenPoint.y - hotSpot_.y, 0, 0};
  TGridScreenDC screen;
  BitBlt(imageBackground_->Canvas()->Handle(), 0, 0, image_->Width(), image_->Height(), screen.Handle(), r.left, r.top,
         SRCCOPY);
  BitBlt(screen.Handle(), r.left, r.top, image_->Width(), image_->Height(), image_->Canvas()->Handle(), 0, 0, SRCCOPY);
  imageVisible_ = true;
}

void TcxCustomGridMovingObject::HideImage() {
  if (!imageVisible_) return;
  TGridScreenDC screen;
  BitBlt(screen.Handle(), imageAnchor_.x - hotSpot_.x, imageAnchor_.y - hotSpot_.y, image_->Width(), image_->Height(),
         imageBackground_->Canvas()->Handle(), 0, 0, SRCCOPY);
  imageVisible_ = false;
}

void TcxCustomGridMovingObject::ShowArrows() {
  if (arrowsVisible_ || !CanShowArrows()) return;
  if (!arrowsBackground_) {
    arrowsBackground_ = std::make_unique<TBitmap>();
    arrowsBackground_->SetSize(2 * kArrowWidth, kArrowWidth);
  }
  TGridScreenDC screen;
  HDC saved = arrowsBackground_->Canvas()->Handle();
  for (int i = 0; i < 2; ++i) {
    arrowBounds_[i] = GetArrowBounds(i);
    const RECT& r = arrowBounds_[i];
    BitBlt(saved, i * kArrowWidth, 0, Width(r), Height(r), screen.Handle(), r.left, r.top, SRCCOPY);
  }
  for (int i = 0; i < 2; ++i) DrawArrow(screen.Handle(), arrowBounds_[i], i == 0);
  arrowsVisible_ = true;
}

void TcxCustomGridMovingObject::HideArrows() {
  if (!arrowsVisible_) return;
  TGridScreenDC screen;
  HDC saved = arrowsBackground_->Canvas()->Handle();
  for (int i = 1; i >= 0; --i) {
    const RECT& r = arrowBounds_[i];
    BitBlt(screen.Handle(), r.left, r.top, Width(r), Height(r), saved, i * kArrowWidth, 0, SRCCOPY);
  }
  arrowsVisible_ = false;
}

// Shown: arrows first, then the image; hidden: the image first, then the arrows.
void TcxCustomGridMovingObject::ShowFeedback() {
  if (!started_) return;
  ShowArrows();
  ShowImage(Control()->ClientToScreen(CurMousePos));
}

void TcxCustomGridMovingObject::HideFeedback() {
  HideImage();
  HideArrows();
}

void TcxCustomGridMovingObject::RepaintNeededChanged() {
  if (RepaintNeeded())
    HideFeedback();
  else
    ShowFeedback();
}

void TcxCustomGridMovingObject::BeginDragAndDrop() {
  InitDragImage();
  Control()->Repaint();
  started_ = true;
  inherited::BeginDragAndDrop();
}

void TcxCustomGridMovingObject::DragAndDrop(POINT P, bool& AAccepted) {
  AAccepted = accepted_;
  inherited::DragAndDrop(P, AAccepted);
  const POINT screen = Control()->ClientToScreen(P);
  if (imageVisible_ && (screen.x != imageAnchor_.x || screen.y != imageAnchor_.y)) {
    HideImage();
    ShowImage(screen);
  }
}

void TcxCustomGridMovingObject::EndDragAndDrop(bool AAccepted) {
  inherited::EndDragAndDrop(AAccepted);
  HideFeedback();
  started_ = false;
  image_.reset();
  imageBackground_.reset();
}

void TcxCustomGridMovingObject::BeforePaint() {
  HideFeedback();
  inherited::BeforePaint();
}

void TcxCustomGridMovingObject::AfterPaint() {
  inherited::AfterPaint();
  ShowFeedback();
}

// --- TcxGridColumnHeaderMovingObject ---

TcxGridColumnHeaderMovingObject::~TcxGridColumnHeaderMovingObject() = default;

void TcxGridColumnHeaderMovingObject::Init(POINT P, TcxCustomGridHitTest* AHitTest) {
  inherited::Init(P, AHitTest);
  if (auto* hitTest = dynamic_cast<TcxCustomGridColumnHitTest*>(AHitTest)) {
    column_ = hitTest->Column;
    sourceKind_ = hitTest->ColumnContainerKind;
  }
}

bool TcxGridColumnHeaderMovingObject::CanGroup() {
  return TableView()->OptionsCustomize()->ColumnGrouping() && CanSortOrGroup(column_);
}

bool TcxGridColumnHeaderMovingObject::CanHide() {
  return TableViewInfo()->HeaderViewInfo()->VisibleColumnCount() > 1 || !column_->Visible();
}

bool TcxGridColumnHeaderMovingObject::CanRemove() {
  if (sourceKind_ == ccGroupByBox) return CanGroup();
  return sourceKind_ == ccHeader && CanHide() && TableView()->OptionsCustomize()->ColumnHiding();
}

bool TcxGridColumnHeaderMovingObject::IsNewPosition() {
  if (!zone_) return false;
  const int index = zone_->ItemIndex;
  if (target_ == mtHeader) {
    const int visibleIndex = TableViewInfo()->HeaderViewInfo()->VisibleIndexOf(column_);
    return index < visibleIndex || index > visibleIndex + 1;
  }
  if (target_ == mtGroupByBox) {
    const int groupIndex = column_->GroupIndex();
    return index < groupIndex || index > groupIndex + 1;
  }
  return false;
}

bool TcxGridColumnHeaderMovingObject::CanShowArrows() {
  if (target_ == mtHeader) return !column_->Visible() || IsNewPosition();
  if (target_ == mtGroupByBox) return column_->GroupIndex() == -1 || IsNewPosition();
  return false;
}

RECT TcxGridColumnHeaderMovingObject::GetHeaderArrowAreaBounds() {
  TcxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  const int index = zone_ ? zone_->ItemIndex : 0;
  if (header->Count() == 0) return header->Bounds;
  if (index < header->Count()) return header->Items(index)->Bounds;
  RECT r = header->Items(header->Count() - 1)->Bounds;
  r.left = r.right;
  return r;
}

RECT TcxGridColumnHeaderMovingObject::GetArrowAreaBounds() {
  if (target_ != mtGroupByBox) return GetHeaderArrowAreaBounds();
  TcxGridGroupByBoxViewInfo* box = TableViewInfo()->GroupByBoxViewInfo();
  const int index = zone_ ? zone_->ItemIndex : 0;
  if (box->Count() == 0) {
    RECT r = box->Bounds;
    r.left += 6;
    InflateRect(&r, 0, -8);
    return r;
  }
  if (index < box->Count()) {
    RECT r = box->Items(index)->Bounds;
    r.left -= 2;
    if (index > 0) OffsetRect(&r, 0, -(box->ItemHeight() / 2 / 2));
    return r;
  }
  RECT r = box->Items(box->Count() - 1)->Bounds;
  r.left = r.right + 2;
  return r;
}

RECT TcxGridColumnHeaderMovingObject::GetSourceBounds() {
  if (sourceKind_ == ccCustomizationForm) {
    TcxCustomGridTableItemsListBox* list = FormListBox();
    const int index = list ? list->Items()->IndexOfObject(column_) : -1;
    if (index < 0) return RECT{0, 0, 1, 1};
    const RECT item = list->ItemRect(index);
    const POINT topLeft = Control()->ScreenToClient(list->ClientToScreen(POINT{item.left, item.top}));
    return RECT{topLeft.x, topLeft.y, topLeft.x + Width(item), topLeft.y + Height(item)};
  }
  TcxCustomGridCellViewInfo* source = GetSourceViewInfo();
  return source ? source->Bounds : RECT{0, 0, 1, 1};
}

TcxCustomGridTableItemsListBox* TcxGridColumnHeaderMovingObject::FormListBox() {
  auto* controller = dynamic_cast<TcxGridTableController*>(TableView()->Controller());
  TcxGridTableCustomizationForm* form = controller ? controller->CustomizationForm() : nullptr;
  return form ? form->ItemsListBox() : nullptr;
}

void TcxGridColumnHeaderMovingObject::PaintSource(TcxCanvas* ACanvas) {
  if (sourceKind_ != ccCustomizationForm) {
    inherited::PaintSource(ACanvas);
    return;
  }
  TcxCustomGridTableItemsListBox* list = FormListBox();
  const int index = list ? list->Items()->IndexOfObject(column_) : -1;
  if (index < 0) return;
  const RECT item = list->ItemRect(index);
  list->PaintItem(ACanvas, index, RECT{0, 0, Width(item), Height(item)}, false);
}

TcxCustomGridCellViewInfo* TcxGridColumnHeaderMovingObject::GetSourceViewInfo() {
  TcxGridColumnContainerViewInfo* container = sourceKind_ == ccGroupByBox
                                                  ? static_cast<TcxGridColumnContainerViewInfo*>(TableViewInfo()->GroupByBoxViewInfo())
                                                  : TableViewInfo()->HeaderViewInfo();
  for (int i = 0; i < container->Count(); ++i)
    if (container->GetColumn(i) == column_) return container->Items(i);
  return nullptr;
}

void TcxGridColumnHeaderMovingObject::ChooseTarget(POINT P) {
  TcxGridMovingTarget target = mtNone;
  std::unique_ptr<TcxGridColumnContainerZone> zone = TableViewInfo()->GroupByBoxViewInfo()->GetZone(P);
  if (zone) {
    target = mtGroupByBox;
  } else if ((zone = TableViewInfo()->HeaderViewInfo()->GetZone(P))) {
    target = mtHeader;
  }
  if (target != target_) {
    target_ = target;
    SetRepaintNeeded(true);
  }
  if (!(zone && zone->IsEqual(zone_.get())) && (zone || zone_)) {
    zone_ = std::move(zone);
    SetRepaintNeeded(true);
  }
  SetAccepted(target_ != mtNone);
}

void TcxGridColumnHeaderMovingObject::DragAndDrop(POINT P, bool& AAccepted) {
  ChooseTarget(P);
  inherited::DragAndDrop(P, AAccepted);
}

void TcxGridColumnHeaderMovingObject::EndDragAndDrop(bool AAccepted) {
  inherited::EndDragAndDrop(AAccepted);
  if (AAccepted) DropColumn();
}

void TcxGridColumnHeaderMovingObject::ChangeColumnIndex() {
  TcxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  const int zone = zone_->ItemIndex;
  if (zone >= header->VisibleColumnCount()) {
    column_->SetIndex(TableView()->ColumnCount() - 1);
    return;
  }
  int index = header->VisibleColumns(zone)->Index();
  if (column_->Index() < index) --index;
  column_->SetIndex(index);
}

void TcxGridColumnHeaderMovingObject::DropColumn() {
  TcxGridColumn* column = column_;
  const int groupIndex = column->GroupIndex();
  bool changed = false;
  TcxGridTableView* view = TableView();
  view->BeginUpdate();
  {
    struct TEnd {
      TcxGridTableView* view;
      ~TEnd() { view->EndUpdate(); }
    } end{view};
    if (target_ == mtHeader && CanShowArrows()) {
      ChangeColumnIndex();
      if (sourceKind_ == ccGroupByBox && CanGroup()) column->SetGroupIndex(-1);
      column->SetVisible(true);
      changed = true;
    } else if (target_ == mtGroupByBox && CanShowArrows() && CanGroup()) {
      if (CanHide()) column->SetVisible(false);
      int index = zone_->ItemIndex;
      if (groupIndex != -1 && groupIndex < index) --index;
      column->SetGroupIndex(index);
      changed = true;
    } else if ((target_ == mtNone || target_ == mtCustomizationForm) && CanRemove()) {
      if (sourceKind_ == ccHeader) {
        column->SetVisible(false);
      } else {
        column->SetGroupIndex(-1);
        column->SetVisible(true);
      }
      changed = true;
    }
  }
  if (changed) view->SizeChanged();
}

// --- Sizing ---

void TcxCustomGridSizingObject::Init(POINT P, TcxCustomGridHitTest* AHitTest) {
  inherited::Init(P, AHitTest);
  currentX_ = P.x;
  currentY_ = P.y;
}

RECT TcxCustomGridSizingObject::GetSizingMarkBounds() {
  const RECT item = GetSizingItemBounds();
  TcxGridTableViewInfo* viewInfo = TableViewInfo();
  if (IsHorizontal()) {
    const int right = item.left + GetCurrentSize();
    return RECT{right - GetSizingMarkWidth(), item.top, right, viewInfo->Bounds.bottom - viewInfo->PartsBottomHeight()};
  }
  const int bottom = item.top + GetCurrentSize();
  return RECT{viewInfo->Bounds.left, bottom - GetSizingMarkWidth(), viewInfo->Bounds.right, bottom};
}

// Each change of the flag draws or erases the line by inversion.
void TcxCustomGridSizingObject::RepaintNeededChanged() { Canvas()->InvertRect(GetSizingMarkBounds()); }

void TcxCustomGridSizingObject::DragAndDrop(POINT P, bool& AAccepted) {
  const int value = IsHorizontal() ? P.x : P.y;
  int& current = IsHorizontal() ? currentX_ : currentY_;
  if (current != value) {
    SetRepaintNeeded(true);
    current = value;
  }
  AAccepted = true;
  inherited::DragAndDrop(P, AAccepted);
}

void TcxCustomGridColumnSizingObject::Init(POINT P, TcxCustomGridHitTest* AHitTest) {
  inherited::Init(P, AHitTest);
  if (auto* hitTest = dynamic_cast<TcxCustomGridColumnHitTest*>(AHitTest)) column_ = hitTest->Column;
}

TcxGridColumnHeaderViewInfo* TcxCustomGridColumnSizingObject::HeaderCell() {
  TcxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  const int index = header->VisibleIndexOf(column_);
  return index >= 0 ? header->Items(index) : nullptr;
}

RECT TcxCustomGridColumnSizingObject::GetSizingItemBounds() {
  TcxGridColumnHeaderViewInfo* cell = HeaderCell();
  return cell ? cell->Bounds : RECT{0, 0, 0, 0};
}

int TcxGridColumnHorzSizingObject::GetCurrentSize() {
  TcxGridColumnHeaderViewInfo* cell = HeaderCell();
  const int size = inherited::GetCurrentSize();
  return cell ? std::max(size, cell->Container()->GetColumnMinWidth(Column())) : size;
}

void TcxGridColumnHorzSizingObject::BeginDragAndDrop() {
  TcxGridColumnHeaderViewInfo* cell = HeaderCell();
  SetStartSize(cell ? cell->CalculateWidth() : 0);
  inherited::BeginDragAndDrop();
}

void TcxGridColumnHorzSizingObject::EndDragAndDrop(bool AAccepted) {
  inherited::EndDragAndDrop(AAccepted);
  TcxGridColumnHeaderViewInfo* cell = HeaderCell();
  if (!AAccepted || !cell || GetCurrentSize() == StartSize()) return;
  Column()->SetWidth(GetCurrentSize() - cell->Container()->GroupIndent(Column()));
  TableView()->SizeChanged();
}
