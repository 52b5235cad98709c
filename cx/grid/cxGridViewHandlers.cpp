// The handlers every view makes: options, styles, controller, painter, view data and cache.
#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "platform/classes/Published.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridViewHandler)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridOptions)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridOptionsSelection)
TRENVIK_PUBLISHED(TcxCustomGridOptionsView) {
  P.Property("ScrollBars", &TcxCustomGridOptionsView::ScrollBars, &TcxCustomGridOptionsView::SetScrollBars)
      .Default(ssBoth);
}
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridStyles)
TRENVIK_PUBLISHED(TcxCustomGridViewStyles) {
  P.Property("Background", &TcxCustomGridViewStyles::Background, &TcxCustomGridViewStyles::SetBackground);
  P.Property("StyleSheet", &TcxCustomGridViewStyles::StyleSheet, &TcxCustomGridViewStyles::SetStyleSheet);
}
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridController)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridDragAndDropObject)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridPainter)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewData)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewInfoCacheItem)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewInfoCache)

// --- TcxGridViewHandler ---

TcxCustomGrid* TcxGridViewHandler::Control() const { return gridView_->Grid(); }
TcxCustomGridController* TcxGridViewHandler::Controller() const { return gridView_->Controller(); }
TcxCustomDataController* TcxGridViewHandler::DataController() const { return gridView_->DataController(); }
TcxGridSite* TcxGridViewHandler::Site() const { return gridView_->Site(); }
TcxCustomGridViewData* TcxGridViewHandler::ViewData() const { return gridView_->ViewData(); }
TcxCustomGridViewInfo* TcxGridViewHandler::ViewInfo() const { return gridView_->ViewInfo(); }
TcxLookAndFeelPainterClass TcxGridViewHandler::LookAndFeelPainter() const { return gridView_->LookAndFeelPainter(); }
void TcxGridViewHandler::BeginUpdate() { gridView_->BeginUpdate(); }
void TcxGridViewHandler::EndUpdate() { gridView_->EndUpdate(); }

// --- Options ---

TcxCustomGridOptions::TcxCustomGridOptions(TcxCustomGridView* AGridView) : gridView_(AGridView) {
  if (gridView_) gridView_->Options().list.push_back(this);
}

TcxCustomGridOptions::~TcxCustomGridOptions() {
  if (gridView_ && gridView_->options_) std::erase(gridView_->options_->list, this);
}

TcxLookAndFeelPainterClass TcxCustomGridOptions::LookAndFeelPainter() const { return gridView_->LookAndFeelPainter(); }

void TcxCustomGridOptions::Changed() { gridView_->LayoutChanged(true); }

void TcxCustomGridOptions::SetOption(bool& AField, bool AValue) {
  if (AField == AValue) return;
  AField = AValue;
  Changed();
}

TPersistent* TcxCustomGridOptions::GetOwner() { return gridView_; }

void TcxCustomGridOptions::Assign(TPersistent* Source) {
  if (dynamic_cast<TcxCustomGridOptions*>(Source)) return;
  inherited::Assign(Source);
}

TScrollStyle TcxCustomGridOptionsView::ScrollBars() const { return GridView()->Site()->ScrollBars(); }

void TcxCustomGridOptionsView::SetScrollBars(TScrollStyle Value) { GridView()->Site()->SetScrollBars(Value); }

void TcxCustomGridOptionsView::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridOptionsView*>(Source)) SetScrollBars(source->ScrollBars());
  inherited::Assign(Source);
}

// --- Styles ---

void TcxCustomGridStyles::DoChanged(int AIndex) {
  inherited::DoChanged(AIndex);
  if (TcxCustomGridView* view = GetGridView()) view->SizeChanged(false, false);
}

void TcxCustomGridStyles::GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) {
  inherited::GetDefaultViewParams(AIndex, AData, AParams);
  TcxCustomGridView* view = GetGridView();
  if (!view) return;
  AParams.Font = view->Grid() ? view->Grid()->Font() : view->Painter()->Canvas()->Font();
}

void TcxCustomGridStyles::GetFakeComponentLinks(std::vector<TComponent*>& AList) {
  TcxCustomGridView* view = GetGridView();
  for (int i = 0; i < EntryCount(); ++i) {
    TComponent* repository = EntryStyle(i)->StyleRepository();
    if (repository && (!view || repository != view->Owner()) &&
        std::find(AList.begin(), AList.end(), repository) == AList.end())
      AList.push_back(repository);
  }
}

TcxCustomGridView* TcxCustomGridViewStyles::GetGridView() const { return dynamic_cast<TcxCustomGridView*>(Owner()); }

void TcxCustomGridViewStyles::GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) {
  inherited::GetDefaultViewParams(AIndex, AData, AParams);
  if (AIndex == vsBackground) {
    TcxCustomGridView* view = GetGridView();
    AParams.Color = (view ? view->LookAndFeelPainter() : TcxStandardLookAndFeelPainter::Class())
                        ->GetDefaultContentColor();
  }
}

void TcxCustomGridViewStyles::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridViewStyles*>(Source)) AssignSlots(source, {vsBackground});
  inherited::Assign(Source);
}

// --- TcxCustomGridController ---

void TcxCustomGridController::AfterPaint() {
  if (IsDragging()) static_cast<TcxCustomGridDragAndDropObject*>(Site()->DragAndDropObject())->AfterPaint();
}

void TcxCustomGridController::BeforePaint() {
  if (IsDragging()) static_cast<TcxCustomGridDragAndDropObject*>(Site()->DragAndDropObject())->BeforePaint();
}

bool TcxCustomGridController::AcceptsHitTest(TcxCustomGridHitTest* AHitTest) {
  auto* viewHitTest = dynamic_cast<TcxCustomGridViewHitTest*>(AHitTest);
  return !viewHitTest || viewHitTest->GridView == GridView();
}

void TcxCustomGridController::FocusLost() {
  TcxGridSite* site = Site();
  site->SetTabStop(false);
  if (!GridView()->IsVisibleInGrid() && !GridView()->IsDestroying()) site->SetParent(nullptr);
}

void TcxCustomGridController::FocusGained() {
  TcxGridSite* site = Site();
  site->SetTabStop(true);
  ViewInfo()->UpdateSite(true);
  if (Control() && Control()->IsFocused() && site->Parent() && site->CanFocus() && site->HandleAllocated())
    site->SetFocus();
}

void TcxCustomGridController::ControlFocusChanged() { ViewInfo()->ControlFocusChanged(); }

TCursor TcxCustomGridController::GetCursor(int X, int Y) {
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
  if (AcceptsHitTest(hitTest)) return hitTest->Cursor();
  return crDefault;
}

bool TcxCustomGridController::StartDragAndDrop(POINT P) {
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTest(P);
  if (!AcceptsHitTest(hitTest)) return false;
  TcxDragAndDropObjectClass objectClass = hitTest->DragAndDropObjectClass();
  if (!objectClass) return false;
  SetDragAndDropObjectClass(objectClass);
  if (auto* object = dynamic_cast<TcxCustomGridDragAndDropObject*>(Site()->DragAndDropObject()))
    object->Init(P, hitTest);
  return true;
}

void TcxCustomGridController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  isDoubleClick_ = Shift.Contains(ssDouble);
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
  if (hitTest->ViewInfo) hitTest->ViewInfo->MouseDown(hitTest, Button, Shift);
}

void TcxCustomGridController::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
  if (TcxCustomGridCellViewInfo* captured = MouseCaptureViewInfo())
    captured->MouseMove(hitTest, Shift);
  else if (hitTest->ViewInfo)
    hitTest->ViewInfo->MouseMove(hitTest, Shift);
}

void TcxCustomGridController::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
  if (TcxCustomGridCellViewInfo* captured = MouseCaptureViewInfo())
    captured->MouseUp(hitTest, Button, Shift);
  else if (hitTest->ViewInfo)
    hitTest->ViewInfo->MouseUp(hitTest, Button, Shift);
}

bool TcxCustomGridController::IsDragging() const { return Site()->DragAndDropState() == dndDragging; }

TcxCustomGridCellViewInfo* TcxCustomGridController::MouseCaptureViewInfo() const {
  return dynamic_cast<TcxCustomGridCellViewInfo*>(Site()->MouseCaptureObject());
}

void TcxCustomGridController::SetDragAndDropObjectClass(TcxDragAndDropObjectClass AClass) {
  Site()->SetDragAndDropObjectClass(std::move(AClass));
}

TcxGridSite* TcxCustomGridDragAndDropObject::Site() const { return static_cast<TcxGridSite*>(Control()); }
TcxCustomGridView* TcxCustomGridDragAndDropObject::GridView() const { return Site()->GridView(); }

// --- TcxCustomGridPainter ---

TcxCustomGridPainter::~TcxCustomGridPainter() = default;

TcxCanvas* TcxCustomGridPainter::Canvas() const { return Site()->PaintCanvas(); }

void TcxCustomGridPainter::Paint() {
  BeforePaint();
  PaintContent();
  AfterPaint();
}

void TcxCustomGridPainter::BeforePaint() {
  Controller()->BeforePaint();
  oldClipRegion_.reset(Canvas()->GetClipRegion());
  backgroundRegion_.reset(TcxRegion::CreateFromRect(ViewInfo()->Bounds));
}

void TcxCustomGridPainter::ExcludeFromBackground(const RECT& R) {
  if (backgroundRegion_) backgroundRegion_->Combine(TcxRegion::CreateFromRect(R), roSubtract);
}

void TcxCustomGridPainter::DrawBackground() {
  if (backgroundRegion_ && !backgroundRegion_->IsEmpty()) {
    Canvas()->SetClipRegion(backgroundRegion_.release(), roIntersect);
    Canvas()->SetBrushColor(ViewInfo()->GetBackgroundColor());
    Canvas()->FillRect(ViewInfo()->Bounds);
  }
  backgroundRegion_.reset();
}

void TcxCustomGridPainter::AfterPaint() {
  DrawBackground();
  if (oldClipRegion_) Canvas()->SetClipRegion(oldClipRegion_.release(), roSet);
  Canvas()->ExcludeClipRect(ViewInfo()->Bounds);
  Controller()->AfterPaint();
}

void TcxCustomGridPainter::DrawFocusRect(const RECT& R, bool AHideFocusRect) {
  if (GridView()->IsControlFocused()) {
    Canvas()->DrawFocusRect(R);
  } else if (!AHideFocusRect) {
    Canvas()->InvertRect(RECT{R.left, R.top, R.right, R.top + 1});
    Canvas()->InvertRect(RECT{R.left, R.bottom - 1, R.right, R.bottom});
    Canvas()->InvertRect(RECT{R.left, R.top + 1, R.left + 1, R.bottom - 1});
    Canvas()->InvertRect(RECT{R.right - 1, R.top + 1, R.right, R.bottom - 1});
  }
}

// --- TcxCustomGridViewInfoCache ---

// Only the items made since the last resize are freed: the cache has a slot per row.
void TcxCustomGridViewInfoCache::SetCount(int Value) {
  for (int index : assignedIndexes_)
    if (static_cast<size_t>(index) < items_.size()) items_[static_cast<size_t>(index)].reset();
  assignedIndexes_.clear();
  items_.resize(static_cast<size_t>(std::max(Value, 0)));
}

std::unique_ptr<TcxCustomGridViewInfoCacheItem> TcxCustomGridViewInfoCache::CreateItem(int AIndex) {
  return std::make_unique<TcxCustomGridViewInfoCacheItem>(this, AIndex);
}

TcxCustomGridViewInfoCacheItem* TcxCustomGridViewInfoCache::GetItem(int AIndex) {
  if (AIndex < 0) throw EListError(S("List index out of bounds (") + IntToStr(AIndex) + S(")"));
  if (static_cast<size_t>(AIndex) >= items_.size()) items_.resize(static_cast<size_t>(AIndex) + 1);
  auto& item = items_[static_cast<size_t>(AIndex)];
  if (!item) {
    item = CreateItem(AIndex);
    assignedIndexes_.push_back(AIndex);
  }
  return item.get();
}

bool TcxCustomGridViewInfoCache::IsItemAssigned(int AIndex) const {
  return AIndex >= 0 && static_cast<size_t>(AIndex) < items_.size() && items_[static_cast<size_t>(AIndex)];
}

void TcxCustomGridViewInfoCache::UnassignValues(bool AKeepMasterCache) {
  if (unassigning_) return;
  TValueScope unassigning(unassigning_, true);
  // By position: an item's own work may add items.
  for (size_t i = 0; i < assignedIndexes_.size(); ++i)
    items_[static_cast<size_t>(assignedIndexes_[i])]->UnassignValues(AKeepMasterCache);
  if (AKeepMasterCache) return;
  for (TcxCustomGridView* view = GridView(); view->IsDetail();) {
    const int row = view->MasterRowIndex();
    view = view->MasterGridView();
    if (!view) break;
    if (row != -1) view->ViewInfoCache()->GetItem(row)->UnassignValues(false);
  }
}
