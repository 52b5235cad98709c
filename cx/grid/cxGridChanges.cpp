#include "cx/grid/cxGridChanges.h"

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridChange)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridViewChange)
TRENVIK_IMPLEMENT_CLASS(TcxGridLayoutChange)
TRENVIK_IMPLEMENT_CLASS(TcxGridSizeChange)
TRENVIK_IMPLEMENT_CLASS(TcxGridViewChange)
TRENVIK_IMPLEMENT_CLASS(TcxGridDataChange)

bool TcxCustomGridViewChange::IsEqual(TcxCustomGridChange* AChange) {
  return inherited::IsEqual(AChange) && static_cast<TcxCustomGridViewChange*>(AChange)->GridView == GridView;
}

namespace {

bool HasSiteBounds(TcxCustomGridView* AView, RECT& ABounds) {
  ABounds = AView->Site()->BoundsRect();
  return !IsRectEmpty(&ABounds);
}

}  // namespace

void TcxGridLayoutChange::Execute() {
  if (GridView) {
    RECT bounds;
    if (GridView->IsVisibleOrPattern() && HasSiteBounds(GridView, bounds)) {
      GridView->ViewInfo()->MainCalculate(bounds);
      GridView->Site()->Invalidate();
    }
  } else if (Control && Control->HasViewInfo()) {
    Control->ViewInfo()->Calculate();
    Control->Painter()->Invalidate(true);
  }
  if (Control) Control->DoLayoutChanged(GridView);
}

bool TcxGridLayoutChange::IsCompatibleWith(TcxCustomGridChange* AChange) {
  auto* later = dynamic_cast<TcxCustomGridViewChange*>(AChange);
  if (!later || !(later->InheritsFrom(TcxGridLayoutChange::StaticClass()) ||
                  later->InheritsFrom(TcxGridSizeChange::StaticClass())))
    return false;
  return later->GridView == nullptr || (GridView && GridView->HasAsMaster(later->GridView));
}

void TcxGridSizeChange::Execute() {
  if (!GridView) {
    if (!Control) return;
    if (TcxCustomGridView* view = Control->ActiveView())
      view->SizeChanged(false, KeepMasterCache);
    else
      Control->RequestLayout();
    return;
  }
  if (!GridView->IsVisibleOrPattern()) return;
  GridView->ViewInfoCache()->UnassignValues(KeepMasterCache);
  if (ViewOnly)
    GridView->LayoutChanged(true);
  else if (GridView->IsDetail() && GridView->MasterGridView())
    GridView->MasterGridView()->SizeChanged(false, KeepMasterCache);
  else if (GridView->Grid())
    GridView->Grid()->RequestLayout();
}

bool TcxGridSizeChange::IsCompatibleWith(TcxCustomGridChange* AChange) {
  auto* later = dynamic_cast<TcxGridDataChange*>(AChange);
  return later && later->GridView == GridView;
}

bool TcxGridSizeChange::IsEqual(TcxCustomGridChange* AChange) {
  return inherited::IsEqual(AChange) && static_cast<TcxGridSizeChange*>(AChange)->ViewOnly == ViewOnly;
}

void TcxGridViewChange::Execute() {
  if (!GridView || !GridView->HasSite()) return;
  if (IsRectEmpty(&RepaintBounds))
    GridView->Site()->Invalidate();
  else
    GridView->Site()->InvalidateRect(RepaintBounds, false);
}

void TcxGridDataChange::Execute() {
  if (GridView) GridView->DataChanged();
}
