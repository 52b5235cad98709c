// The control's side of header and band dragging and sizing: which bands and columns may be dragged,
// the drop turned into moving, showing or hiding a band or a column with the events around it, and
// the widths a sizing drag hands out.
#include "dx/treelist/dxTLControl.h"
#include "platform/rtl/StrUtils.h"

void TCustomdxTreeListControl::SetBandWidth(int V, int Width) {
  int b = GetBandIndex(V);
  if (b >= 0) bands_->Items(b)->SetWidth(Width);
}

void TCustomdxTreeListControl::ScaleHiddenColumnWidths(int V, int NewWidth, int OldWidth) {
  int b = GetBandIndex(V);
  if (b < 0 || OldWidth <= 0) return;
  for (TdxTreeListColumn* c : columns_)
    if (c->BandIndex() == b && !c->Visible()) c->SetWidth(MulDiv(c->Width(), NewWidth, OldWidth));
}

void TCustomdxTreeListControl::ScaleHiddenBandWidths(int NewWidth, int OldWidth) {
  if (OldWidth <= 0) return;
  for (int i = 0; i < bands_->Count(); ++i) {
    TdxTreeListBand* band = bands_->Items(i);
    if (!band->Visible()) band->SetWidth(MulDiv(band->Width(), NewWidth, OldWidth));
  }
}

bool TCustomdxTreeListControl::IsVisibleBandOnlyOwnColumns(int V) {
  int b = GetBandIndex(V);
  return b >= 0 && bands_->Items(b)->OnlyOwnColumns();
}

bool TCustomdxTreeListControl::CanBandDragging(int V) {
  int b = GetBandIndex(V);
  if (b < 0 || !TCustomdxTreeList::CanBandDragging(V)) return false;
  TdxTreeListBand* band = bands_->Items(b);
  bool allow = band->Fixed() == bfNone && !band->DisableDragging();
  if (allow && OnCanBandDragging) OnCanBandDragging(this, band, allow);
  return allow;
}

bool TCustomdxTreeListControl::CanHeaderDragging(int Column) {
  TdxTreeListColumn* c = GetColumn(Column);
  if (!c || !TCustomdxTreeList::CanHeaderDragging(Column)) return false;
  bool allow = !c->DisableDragging();
  if (allow && OnCanHeaderDragging) OnCanHeaderDragging(this, c, allow);
  return allow;
}

void TCustomdxTreeListControl::DoBandClick(int V) {
  int b = GetBandIndex(V);
  if (b >= 0 && OnBandClick) OnBandClick(this, bands_->Items(b));
}

void TCustomdxTreeListControl::StartDragBand(int Band) {
  TCustomdxTreeList::StartDragBand(Band);
  if (OnStartBandDragging) OnStartBandDragging(this, bands_->Items(Band));
}

void TCustomdxTreeListControl::StartDragHeader(int Column) {
  TCustomdxTreeList::StartDragHeader(Column);
  if (OnStartHeaderDragging) OnStartHeaderDragging(this, GetColumn(Column));
}

void TCustomdxTreeListControl::DoDragOverBand(POINT P, int Band, bool& Accept) {
  if (OnDragOverBand) OnDragOverBand(this, bands_->Items(Band), P, Accept);
}

void TCustomdxTreeListControl::DoDragOverHeader(POINT P, int Column, bool& Accept) {
  if (OnDragOverHeader) OnDragOverHeader(this, GetColumn(Column), P, Accept);
}

void TCustomdxTreeListControl::DoDragEndBand(POINT P, int Band, bool& Accept, int& NewIndex, int PressedPos) {
  if (OnDragEndBand) OnDragEndBand(this, bands_->Items(Band), P, Band, PressedPos, NewIndex, Accept);
}

void TCustomdxTreeListControl::DoDragEndHeader(POINT P, int Column, bool& Accept, TdxHeaderPosInfo& PosInfo) {
  TdxTreeListColumn* c = GetColumn(Column);
  if (OnDragEndHeader) OnDragEndHeader(this, c, P, PosInfo, Accept);
  if (GetVisibleBandCount() == 1 && OnColumnMoved) OnColumnMoved(this, c->ColIndex(), PosInfo.ColIndex);
  if (InternalDragEndHeader) InternalDragEndHeader(P.x, PosInfo.ColIndex, c, P.y);
}

void TCustomdxTreeListControl::MoveBand(int FromPos, int ToPos) {
  int from = GetBandIndex(FromPos), to = GetBandIndex(ToPos);
  if (from < 0 || to < 0 || from == to) return;
  bands_->Items(from)->SetIndex(to);
}

void TCustomdxTreeListControl::MoveColumn(int Column, int BandPos, int ColIndex, int RowIndex) {
  TdxTreeListColumn* c = GetColumn(Column);
  {
    TdxTreeListUpdateScope update(this);
    c->SetBandIndex(GetBandIndex(BandPos));
    c->SetRowIndex(RowIndex);
    c->SetColIndex(ColIndex);
  }
  if (OnHeaderMoved) OnHeaderMoved(this, c);
}

void TCustomdxTreeListControl::HideBand(int Band) {
  TdxTreeListBand* band = bands_->Items(Band);
  band->SetVisible(false);
  if (OnHideBand) OnHideBand(this, band);
}

void TCustomdxTreeListControl::HideColumn(int Column) {
  TdxTreeListColumn* c = GetColumn(Column);
  c->SetVisible(false);
  if (OnHideHeader) OnHideHeader(this, c);
}

void TCustomdxTreeListControl::ShowBand(int NewPos, int Band) {
  TdxTreeListBand* band = bands_->Items(Band);
  {
    TdxTreeListUpdateScope update(this);
    band->SetVisible(true);
    if (NewPos < 0) NewPos = 0;
    if (bands_->VisibleCount() > 1) {
      int target = NewPos < bands_->VisibleCount() ? bands_->GetVisibleBandIndex(NewPos) : bands_->Count() - 1;
      band->SetIndex(target);
    }
  }
  if (OnShowBand) OnShowBand(this, band, NewPos);
}

void TCustomdxTreeListControl::ShowColumn(int BandPos, int RowIndex, int Column, int ColIndex) {
  TdxTreeListColumn* c = GetColumn(Column);
  {
    TdxTreeListUpdateScope update(this);
    c->SetBandIndex(GetBandIndex(BandPos));
    c->SetVisible(true);
    c->SetRowIndex(RowIndex);
    c->SetColIndex(ColIndex);
  }
  if (OnShowHeader) OnShowHeader(this, c, BandPos, RowIndex, ColIndex);
}

void TCustomdxTreeListControl::GetNodeDragText(TdxTreeListNode* Node, int Column, String& Text) {
  TCustomdxTreeList::GetNodeDragText(Node, Column, Text);
  if (OnGetNodeDragText) OnGetNodeDragText(this, Node, GetColumn(Column), Text);
}
