#include "dx/treelist/dxTLBands.h"

#include <algorithm>

#include "dx/treelist/dxTLControl.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TdxTreeListBand) {
  P.Property("Alignment", &TdxTreeListBand::Alignment, &TdxTreeListBand::SetAlignment).Default(taCenter);
  P.Property("Caption", &TdxTreeListBand::Caption, &TdxTreeListBand::SetCaption);
  P.Property("DisableCustomizing", &TdxTreeListBand::DisableCustomizing,
             &TdxTreeListBand::SetDisableCustomizing)
      .Default(false);
  P.Property("DisableDragging", &TdxTreeListBand::DisableDragging, &TdxTreeListBand::SetDisableDragging)
      .Default(false);
  P.Property("Fixed", &TdxTreeListBand::Fixed, &TdxTreeListBand::SetFixed).Default(bfNone);
  P.Property("MinWidth", &TdxTreeListBand::MinWidth, &TdxTreeListBand::SetMinWidth).Default(30);
  P.Property("OnlyOwnColumns", &TdxTreeListBand::OnlyOwnColumns, &TdxTreeListBand::SetOnlyOwnColumns)
      .Default(false);
  P.Property("Sizing", &TdxTreeListBand::Sizing, &TdxTreeListBand::SetSizing).Default(true);
  P.Property("Visible", &TdxTreeListBand::Visible, &TdxTreeListBand::SetVisible).Default(true);
  P.Property("Width", &TdxTreeListBand::Width, &TdxTreeListBand::SetWidth).Default(250);
}

TRENVIK_IMPLEMENT_CLASS(TdxTreeListBands)

TdxTreeListBand::TdxTreeListBand(TCollection* Collection) : TCollectionItem(Collection) {}

TdxTreeListBand::~TdxTreeListBand() {
  TCustomdxTreeListControl* tl = GetTreeList();
  if (tl && !tl->IsDestroying() && tl->LockCount() == 0) {
    int index = Index();
    for (TdxTreeListColumn* c : tl->columns_) {
      if (c->bandIndex_ == index)
        c->bandIndex_ = -1;
      else if (c->bandIndex_ > index)
        --c->bandIndex_;
    }
  }
  // Leaves the collection while still a band: the collection's update reads the other bands as bands.
  SetCollection(nullptr);
}

TCustomdxTreeListControl* TdxTreeListBand::GetTreeList() const {
  auto* bands = dynamic_cast<TdxTreeListBands*>(Collection());
  return bands ? bands->TreeList() : nullptr;
}

void TdxTreeListBand::RestoreDefaults() {
  alignment_ = taCenter;
  fixed_ = bfNone;
  minWidth_ = 30;
  onlyOwnColumns_ = false;
  sizing_ = true;
  width_ = 250;
  Changed(true);
}

void TdxTreeListBand::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TdxTreeListBand*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (Collection()) Collection()->BeginUpdate();
  struct TEnd {
    TCollection* c;
    ~TEnd() {
      if (c) c->EndUpdate();
    }
  } end{Collection()};
  RestoreDefaults();
  SetAlignment(src->Alignment());
  SetCaption(src->Caption());
  SetFixed(src->Fixed());
  SetMinWidth(src->MinWidth());
  onlyOwnColumns_ = src->OnlyOwnColumns();
  SetSizing(src->Sizing());
  SetVisible(src->Visible());
  SetWidth(src->Width());
}

void TdxTreeListBand::SetWidth(int Value) {
  Value = std::max(Value, minWidth_);
  TCustomdxTreeListControl* tl = GetTreeList();
  if (Value == width_ && !(tl && tl->IsBandHeaderWidth())) return;
  width_ = Value;
  Changed(true);
}

void TdxTreeListBand::SetMinWidth(int Value) {
  minWidth_ = std::max(Value, 0);
  SetWidth(width_);
}

void TdxTreeListBand::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  if (!Value) fixed_ = bfNone;
  Changed(true);
}

void TdxTreeListBand::SetFixed(TdxGridBandFixed Value) {
  if (fixed_ == Value) return;
  fixed_ = bfNone;
  if (Value != bfNone && Collection()) {
    for (int i = 0; i < Collection()->Count(); ++i) {
      auto* other = static_cast<TdxTreeListBand*>(Collection()->Items(i));
      if (other != this && other->fixed_ == Value) other->fixed_ = bfNone;
    }
    SetIndex(Value == bfLeft ? 0 : Collection()->Count() - 1);
  }
  if (visible_) fixed_ = Value;
  Changed(false);
}

void TdxTreeListBand::SetIndex(int Value) {
  if (!Collection()) return;
  Value = std::clamp(Value, 0, Collection()->Count() - 1);
  if (fixed_ != bfNone) return;
  int old = Index();
  if (Value == old) return;
  if (TCustomdxTreeListControl* tl = GetTreeList()) {
    for (TdxTreeListColumn* c : tl->columns_) {
      int b = c->bandIndex_;
      if (b == old)
        c->bandIndex_ = -2;
      else if (Value < old && b >= Value && b < old)
        ++c->bandIndex_;
      else if (Value > old && b > old && b <= Value)
        --c->bandIndex_;
    }
    for (TdxTreeListColumn* c : tl->columns_)
      if (c->bandIndex_ == -2) c->bandIndex_ = Value;
  }
  TCollectionItem::SetIndex(Value);
}

int TdxTreeListBand::GetVisibleIndex() const {
  auto* bands = dynamic_cast<TdxTreeListBands*>(Collection());
  return bands ? bands->GetVisibleIndex(Index()) : -1;
}

int TdxTreeListBand::GetRowCount() const {
  TCustomdxTreeListControl* tl = GetTreeList();
  int v = GetVisibleIndex();
  return tl && v >= 0 ? tl->GetBandHeaderRowCount(v) : 0;
}

int TdxTreeListBand::GetColumnCount(int Row) const {
  TCustomdxTreeListControl* tl = GetTreeList();
  int v = GetVisibleIndex();
  return tl && v >= 0 ? tl->GetBandRowColumnCount(v, Row) : 0;
}

TdxTreeListColumn* TdxTreeListBand::GetColumn(int Row, int Position) const {
  TCustomdxTreeListControl* tl = GetTreeList();
  int v = GetVisibleIndex();
  return tl && v >= 0 ? tl->GetColumn(tl->GetColumnAt(v, Row, Position)) : nullptr;
}

// --- The collection ---

TdxTreeListBands::TdxTreeListBands(TCustomdxTreeListControl* TreeList, TClass ItemClass)
    : TCollection(ItemClass), treeList_(TreeList) {}

TPersistent* TdxTreeListBands::GetOwner() { return treeList_; }

TdxTreeListBand* TdxTreeListBands::Add() {
  BeginUpdate();
  struct TEnd {
    TCollection* c;
    ~TEnd() { c->EndUpdate(); }
  } end{this};
  return static_cast<TdxTreeListBand*>(TCollection::Add());
}

int TdxTreeListBands::VisibleCount() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i) n += Items(i)->Visible() ? 1 : 0;
  return n;
}

int TdxTreeListBands::GetVisibleBandIndex(int VisibleIndex) const {
  for (int i = 0, v = 0; i < Count(); ++i)
    if (Items(i)->Visible() && v++ == VisibleIndex) return i;
  return -1;
}

TdxTreeListBand* TdxTreeListBands::VisibleItems(int VisibleIndex) const {
  int i = GetVisibleBandIndex(VisibleIndex);
  return i < 0 ? nullptr : Items(i);
}

int TdxTreeListBands::GetVisibleIndex(int Index) const {
  if (Index < 0 || Index >= Count() || !Items(Index)->Visible()) return -1;
  int v = 0;
  for (int i = 0; i < Index; ++i) v += Items(i)->Visible() ? 1 : 0;
  return v;
}

void TdxTreeListBands::Update(TCollectionItem*) {
  if (!treeList_) return;
  // An item still being made (or unmade) is no band yet: the bracket around it reports it later.
  for (int i = 0; i < Count(); ++i)
    if (!dynamic_cast<TdxTreeListBand*>(TCollection::Items(i))) return;
  if (Count() != 1) treeList_->defaultLayout_ = false;
  if (treeList_->IsLoading()) return;
  treeList_->ClearNodeCache();
  NormaliseFixedBands();
  treeList_->BandsChanged();
}

void TdxTreeListBands::NormaliseFixedBands() {
  int visibleCount = VisibleCount();
  int lefts = 0, rights = 0;
  bool ok = true;
  TdxTreeListBand *firstLeft = nullptr, *firstRight = nullptr;
  for (int i = 0; i < Count(); ++i) {
    TdxTreeListBand* b = Items(i);
    if (b->fixed_ == bfLeft) {
      if (lefts++ == 0) firstLeft = b;
      if (lefts > 1 || GetVisibleIndex(i) != 0) ok = false;
    } else if (b->fixed_ == bfRight) {
      if (rights++ == 0) firstRight = b;
      if (rights > 1 || GetVisibleIndex(i) != visibleCount - 1) ok = false;
    }
  }
  if (ok) return;
  for (int i = 0; i < Count(); ++i) Items(i)->fixed_ = bfNone;
  BeginUpdate();
  if (firstLeft) firstLeft->SetFixed(bfLeft);
  if (firstRight) firstRight->SetFixed(bfRight);
  EndUpdate();
}
