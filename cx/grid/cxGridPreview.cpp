#include "cx/grid/cxGridPreview.h"

#include "cx/grid/cxGridTableView.h"
#include "platform/classes/Published.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TcxGridPreview) {
  using O = TcxGridPreview;
  P.Property("AutoHeight", &O::AutoHeight, &O::SetAutoHeight).Default(true);
  P.Property("Column", &O::Column, &O::SetColumn);
  P.Property("LeftIndent", &O::LeftIndent, &O::SetLeftIndent).Default(20);
  P.Property("MaxLineCount", &O::MaxLineCount, &O::SetMaxLineCount).Default(3);
  P.Property("Place", &O::Place, &O::SetPlace).Default(ppBottom);
  P.Property("RightIndent", &O::RightIndent, &O::SetRightIndent).Default(5);
  P.Property("Visible", &O::Visible, &O::SetVisible).Default(false);
}

void TcxGridPreview::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  GridView()->SizeChanged(false, false);
}

void TcxGridPreview::SetColumn(TcxGridColumn* Value) {
  if (Value && Value->GridView() != GridView()) Value = nullptr;
  if (column_ == Value) return;
  TcxCustomGridView* view = GridView();
  view->BeginUpdate();
  TScopeExit endUpdate([view] { view->EndUpdate(); });
  TcxGridColumn* old = column_;
  column_ = Value;
  auto* tableView = static_cast<TcxGridTableView*>(view);
  if (old) {
    tableView->ItemVisibilityChanged(old, old->Visible());
    old->HiddenChanged();
  }
  if (column_) {
    tableView->ItemVisibilityChanged(column_, false);
    column_->HiddenChanged();
  }
  view->SizeChanged(false, false);
}

void TcxGridPreview::ColumnRemoved(TcxCustomGridTableItem* AItem) {
  if (!column_ || static_cast<TcxCustomGridTableItem*>(column_) != AItem) return;
  column_ = nullptr;
  if (visible_ && !GridView()->IsDestroying()) GridView()->SizeChanged(false, false);
}

void TcxGridPreview::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxGridPreview*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetAutoHeight(source->AutoHeight());
  TcxGridColumn* column = source->Column();
  // A detail clone takes its pattern's column by position among its own copies of the items.
  auto* view = static_cast<TcxGridTableView*>(GridView());
  if (column && view->IsAssigningPattern())
    column = column->Index() < view->ColumnCount() ? view->Columns(column->Index()) : nullptr;
  SetColumn(column);
  SetLeftIndent(source->LeftIndent());
  SetMaxLineCount(source->MaxLineCount());
  SetPlace(source->Place());
  SetRightIndent(source->RightIndent());
  SetVisible(source->Visible());
}
