#include "dx/inspector/dxInspctComplex.h"

#include "dx/inspector/dxInspctControl.h"

TRENVIK_PUBLISHED(TdxInspectorComplexRowItem) {
  P.Property("Fixed", &TdxInspectorComplexRowItem::Fixed, &TdxInspectorComplexRowItem::SetFixed)
      .Default(false);
  P.Property("MinWidth", &TdxInspectorComplexRowItem::MinWidth, &TdxInspectorComplexRowItem::SetMinWidth)
      .Default(20);
  P.Property("Row", &TdxInspectorComplexRowItem::Row, &TdxInspectorComplexRowItem::SetRow);
  P.Property("Width", &TdxInspectorComplexRowItem::Width, &TdxInspectorComplexRowItem::SetWidth).Default(50);
}
TRENVIK_IMPLEMENT_CLASS(TdxInspectorComplexRowItems)
TRENVIK_PUBLISHED(TdxInspectorComplexRow) {
  P.Property("Items", &TdxInspectorComplexRow::Items, &TdxInspectorComplexRow::SetItems);
}

// --- Items ---

TdxInspectorComplexRowItem::TdxInspectorComplexRowItem(TCollection* Collection)
    : TCollectionItem(Collection) {}

TdxInspectorComplexRow* TdxInspectorComplexRowItem::ComplexRow() const {
  auto* items = static_cast<TdxInspectorComplexRowItems*>(Collection());
  return items ? items->ComplexRow() : nullptr;
}

String TdxInspectorComplexRowItem::GetDisplayName() {
  return row_ ? row_->Name() : inherited::GetDisplayName();
}

void TdxInspectorComplexRowItem::SetFixed(bool Value) {
  if (fixed_ == Value) return;
  fixed_ = Value;
  Changed(false);
}

void TdxInspectorComplexRowItem::SetMinWidth(int Value) {
  minWidth_ = std::max(Value, 0);
  SetWidth(width_);
}

void TdxInspectorComplexRowItem::SetWidth(int Value) {
  Value = std::max(Value, minWidth_);
  if (width_ == Value) return;
  width_ = Value;
  Changed(false);
}

void TdxInspectorComplexRowItem::SetRow(TdxInspectorRow* Value) {
  if (Value == row_) return;
  TdxInspectorComplexRow* owner = ComplexRow();
  if (Value &&
      (dynamic_cast<TdxInspectorComplexRow*>(Value) || !owner || Value->Inspector() != owner->Inspector()))
    return;
  if (Collection()) Collection()->BeginUpdate();
  if (Value) {
    Value->SetVisible(false);
    if (TCustomdxInspectorControl* control = Value->Inspector()) control->RemoveFromComplexRows(Value);
  }
  row_ = Value;
  if (Collection()) Collection()->EndUpdate();
}

void TdxInspectorComplexRowItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorComplexRowItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (Collection()) Collection()->BeginUpdate();
  minWidth_ = 20;
  width_ = 50;
  SetFixed(source->fixed_);
  SetMinWidth(source->minWidth_);
  SetRow(source->row_);
  SetWidth(source->width_);
  if (Collection()) Collection()->EndUpdate();
}

TdxInspectorComplexRowItems::TdxInspectorComplexRowItems(TdxInspectorComplexRow* Row)
    : TCollection(TdxInspectorComplexRowItem::StaticClass()), row_(Row) {}

TPersistent* TdxInspectorComplexRowItems::GetOwner() { return row_; }

int TdxInspectorComplexRowItems::IndexOfRow(const TdxInspectorRow* Row) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Row() == Row) return i;
  return -1;
}

void TdxInspectorComplexRowItems::Update(TCollectionItem*) {
  if (!row_) return;
  TCustomdxInspectorControl* control = row_->Inspector();
  if (!control || row_->ComponentState().Contains(csLoading) ||
      row_->ComponentState().Contains(csDestroying) || control->ComponentState().Contains(csDestroying))
    return;
  control->LayoutChanged();
}

// --- The row ---

TdxInspectorComplexRow::TdxInspectorComplexRow(TComponent* AOwner)
    : TdxInspectorTextRow(AOwner), items_(std::make_unique<TdxInspectorComplexRowItems>(this)) {}

TdxInspectorComplexRow::~TdxInspectorComplexRow() = default;

String TdxInspectorComplexRow::GetDragCaption() {
  if (!Caption().empty()) return Caption();
  const String joiner = Inspector() && !Inspector()->ComplexRowSeparator().empty()
                            ? Inspector()->ComplexRowSeparator()
                            : String(u"-");
  String text;
  for (int i = 0; i < items_->Count(); ++i)
    if (TdxInspectorRow* row = items_->Items(i)->Row()) text += (i > 0 ? joiner : String()) + row->Caption();
  return text;
}

// --- View info ---

void TdxInspectorComplexRowViewInfo::Calculate(const RECT& Rect) {
  items_.clear();
  int free = Rect.right - Rect.left;
  if (!row_ || free <= 0) return;
  TdxInspectorComplexRowItems* items = row_->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TdxInspectorComplexRowItem* item = items->Items(i);
    items_.push_back({RECT{}, item->Fixed(), item->MinWidth(), item->Row(), false, item->Width()});
    if (item->Fixed()) free -= item->Width();
    if (i + 1 < items->Count()) {
      items_.push_back({RECT{}, true, separatorWidth_, nullptr, true, separatorWidth_});
      free -= separatorWidth_;
    }
  }
  free = std::max(free, 0);
  // Share what is free among the loose items; one below its least width is frozen at it, and the
  // sharing starts again.
  for (;;) {
    int total = 0;
    for (const auto& v : items_)
      if (!v.Fixed) total += v.Width;
    TdxInspectorComplexRowViewInfoItem* frozen = nullptr;
    std::vector<int> shares(items_.size(), 0);
    for (size_t i = 0; i < items_.size() && !frozen; ++i) {
      if (items_[i].Fixed) continue;
      shares[i] = total < 1 ? 0 : items_[i].Width * free / total;
      if (shares[i] < items_[i].MinWidth) frozen = &items_[i];
    }
    if (!frozen) {
      for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].Fixed) items_[i].Width = shares[i];
      break;
    }
    frozen->Fixed = true;
    frozen->Width = frozen->MinWidth;
    free = std::max(free - frozen->Width, 0);
  }
  int x = Rect.left;
  for (auto& v : items_) {
    v.Rect = RECT{x, Rect.top, x + v.Width, Rect.bottom};
    x += v.Width;
  }
  if (!items_.empty() && items_.back().Rect.right < Rect.right) items_.back().Rect.right = Rect.right;
}
