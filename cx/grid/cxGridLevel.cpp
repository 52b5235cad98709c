#include "cx/grid/cxGridLevel.h"

#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TcxGridLevelOptions) {
  using O = TcxGridLevelOptions;
  P.Property("DetailFrameColor", &O::DetailFrameColor, &O::SetDetailFrameColor)
      .NoDefault()
      .Stored(&O::IsDetailFrameColorStored);
  P.Property("DetailFrameWidth", &O::DetailFrameWidth, &O::SetDetailFrameWidth)
      .NoDefault()
      .Stored(&O::IsDetailFrameWidthStored);
  P.Property("DetailTabsPosition", &O::DetailTabsPosition, &O::SetDetailTabsPosition)
      .NoDefault()
      .Stored(&O::IsDetailTabsPositionStored);
}

TRENVIK_PUBLISHED(TcxGridLevelStyles) {
  P.Property("Tab", &TcxGridLevelStyles::Tab, &TcxGridLevelStyles::SetTab);
  P.Property("TabsBackground", &TcxGridLevelStyles::TabsBackground, &TcxGridLevelStyles::SetTabsBackground);
}

TRENVIK_PUBLISHED(TcxGridLevel) {
  P.Property("Caption", &TcxGridLevel::Caption, &TcxGridLevel::SetCaption);
  P.Property("GridView", &TcxGridLevel::GridView, &TcxGridLevel::SetGridView);
  P.Property("MaxDetailHeight", &TcxGridLevel::MaxDetailHeight, &TcxGridLevel::SetMaxDetailHeight).Default(0);
  P.Property("Options", &TcxGridLevel::Options, &TcxGridLevel::SetOptions);
  P.Property("Styles", &TcxGridLevel::Styles, &TcxGridLevel::SetStyles);
  P.Property("Visible", &TcxGridLevel::Visible, &TcxGridLevel::SetVisible).Default(true);
}

// --- TcxGridLevelOptions ---

TcxGridLevelOptions::TcxGridLevelOptions(TcxGridLevel* ALevel) : level_(ALevel) {}

TPersistent* TcxGridLevelOptions::GetOwner() { return level_; }

void TcxGridLevelOptions::SetDetailFrameColor(TColor Value) {
  if (detailFrameColor_ == Value) return;
  detailFrameColor_ = Value;
  level_->Changed(false);
}

void TcxGridLevelOptions::SetDetailFrameWidth(int Value) {
  Value = std::max(Value, 0);
  if (detailFrameWidth_ == Value) return;
  detailFrameWidth_ = Value;
  level_->Changed(true);
}

void TcxGridLevelOptions::SetDetailTabsPosition(TcxGridDetailTabsPosition Value) {
  if (detailTabsPosition_ == Value) return;
  detailTabsPosition_ = Value;
  level_->Changed(true);
}

bool TcxGridLevelOptions::IsDetailFrameWidthStored() const {
  return detailFrameWidth_ != (level_->IsRoot() ? 0 : 1);
}

TColor TcxGridLevelOptions::GetDetailFrameColor() const {
  if (detailFrameColor_ != clDefault) return detailFrameColor_;
  TcxCustomGrid* grid = level_->Grid();
  return (grid ? grid->LookAndFeel()->Painter() : TcxStandardLookAndFeelPainter::Class())
      ->GetDefaultDetailFrameColor();
}

void TcxGridLevelOptions::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridLevelOptions*>(Source)) {
    SetDetailFrameColor(source->DetailFrameColor());
    SetDetailFrameWidth(source->DetailFrameWidth());
    SetDetailTabsPosition(source->DetailTabsPosition());
    return;
  }
  inherited::Assign(Source);
}

// --- TcxGridLevelStyles ---

TcxGridLevel* TcxGridLevelStyles::Level() const { return dynamic_cast<TcxGridLevel*>(Owner()); }

void TcxGridLevelStyles::GetTabParams(TcxGridLevel* ATabLevel, TcxStyleParams& AParams) {
  TcxStyle* style = nullptr;
  if (OnGetTabStyle) OnGetTabStyle(Level(), ATabLevel, style);
  GetViewParams(lsTab, ATabLevel, style, AParams);
}

void TcxGridLevelStyles::GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) {
  inherited::GetDefaultViewParams(AIndex, AData, AParams);
  TcxCustomGrid* grid = Level() ? Level()->Grid() : nullptr;
  if (grid) AParams.Font = grid->Font();
  TcxLookAndFeelPainterClass painter =
      grid ? grid->LookAndFeel()->Painter() : TcxStandardLookAndFeelPainter::Class();
  if (AIndex == lsTab) {
    AParams.Color = painter->GetDefaultTabColor();
    AParams.TextColor = painter->GetDefaultTabTextColor();
  } else if (AIndex == lsTabsBackground) {
    AParams.Color = painter->GetDefaultTabsBackgroundColor();
  }
}

void TcxGridLevelStyles::DoChanged(int AIndex) {
  inherited::DoChanged(AIndex);
  if (TcxGridLevel* level = Level()) level->Changed(true);
}

void TcxGridLevelStyles::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridLevelStyles*>(Source)) {
    AssignSlots(source, {lsTab, lsTabsBackground});
    OnGetTabStyle = source->OnGetTabStyle;
  }
  inherited::Assign(Source);
}

// --- TcxGridLevel ---

TcxGridLevel::TcxGridLevel(TComponent* AOwner)
    : TComponent(AOwner), options_(std::make_unique<TcxGridLevelOptions>(this)) {}

TcxGridLevel::~TcxGridLevel() {
  Destroying();
  while (!items_.empty()) delete items_.back();
  SetGridView(nullptr);
  if (parent_) parent_->RemoveChild(this);
}

TcxGridLevelStyles* TcxGridLevel::Styles() {
  if (!styles_) {
    styles_.reset(dynamic_cast<TcxGridLevelStyles*>(GetStylesClass()->NewInstance(this)));
    if (!styles_) throw EInvalidCast(S("Invalid class typecast"));
  }
  return styles_.get();
}

int TcxGridLevel::Index() const {
  if (!parent_) return -1;
  auto it = std::find(parent_->items_.begin(), parent_->items_.end(), this);
  return static_cast<int>(it - parent_->items_.begin());
}

int TcxGridLevel::VisibleIndex() const {
  if (!parent_) return -1;
  auto it = std::find(parent_->visibleItems_.begin(), parent_->visibleItems_.end(), this);
  return it == parent_->visibleItems_.end() ? -1 : static_cast<int>(it - parent_->visibleItems_.begin());
}

bool TcxGridLevel::IsRoot() const { return grid_ && grid_->RootLevel() == this; }

bool TcxGridLevel::IsActive() const { return grid_ && grid_->ActiveLevel() == this; }

bool TcxGridLevel::IsVisibleChain() const {
  for (const TcxGridLevel* level = this; level; level = level->parent_)
    if (!level->visible_) return false;
  return true;
}

bool TcxGridLevel::IsVisibleInGrid() const {
  if (IsRoot()) return true;
  if (!visible_ || (IsTop() && !IsActive())) return false;
  return !parent_ || parent_->IsVisibleInGrid();
}

TcxGridLevel* TcxGridLevel::FirstVisibleChild() const {
  if (visibleItems_.empty() || (grid_ && grid_->IsDestroying())) return nullptr;
  return visibleItems_.front();
}

void TcxGridLevel::RebuildVisibleItems() {
  visibleItems_.clear();
  for (TcxGridLevel* item : items_)
    if (item->visible_) visibleItems_.push_back(item);
}

TcxGridLevel* TcxGridLevel::AddLevel() {
  auto* level = dynamic_cast<TcxGridLevel*>(GetLevelClass()->NewInstance(grid_ ? grid_->Owner() : nullptr));
  if (!level) throw EInvalidCast(S("Invalid class typecast"));
  AddChild(level);
  return level;
}

void TcxGridLevel::CreateRelation(TcxGridLevel* AChild) {
  if (!gridView_) return;
  AChild->relation_ = gridView_->DataController()->GetRelations()->Add(AChild);
  if (AChild->gridView_)
    AChild->LinkView(AChild->visible_, AChild->gridView_->DataController()->IsPattern() || !AChild->IsTop());
}

void TcxGridLevel::FreeRelation() {
  TcxCustomDataRelation* relation = std::exchange(relation_, nullptr);
  delete relation;
}

void TcxGridLevel::LinkView(bool AVisible, bool APattern) {
  if (!gridView_) return;
  if (AVisible)
    gridView_->DataController()->LinkToRelation(relation_, APattern);
  else
    gridView_->DataController()->LinkToRelation(nullptr, true);
}

void TcxGridLevel::AddChild(TcxGridLevel* ALevel) {
  items_.push_back(ALevel);
  ALevel->JoinGrid(grid_);
  ALevel->parent_ = this;
  RebuildVisibleItems();
  CreateRelation(ALevel);
  if (IsRoot() && grid_ && !grid_->ActiveLevel()) grid_->SetActiveLevel(FirstVisibleChild());
  Changed(true);
}

void TcxGridLevel::JoinGrid(TcxCustomGrid* AGrid) {
  grid_ = AGrid;
  if (gridView_ && AGrid) gridView_->SetControl(AGrid);
  for (TcxGridLevel* item : items_) item->JoinGrid(AGrid);
}

void TcxGridLevel::RemoveChild(TcxGridLevel* ALevel) {
  std::erase(items_, ALevel);
  std::erase(visibleItems_, ALevel);
  ALevel->SetActive(false);
  ALevel->parent_ = nullptr;
  ALevel->FreeRelation();
  Changed(true);
}

void TcxGridLevel::SetActive(bool AValue) {
  if (IsActive() == AValue || (AValue && !IsTop()) || !grid_) return;
  grid_->SetActiveLevel(AValue ? this : nullptr);
}

void TcxGridLevel::Changed(bool ASizeChanged) {
  if (!grid_ || grid_->IsDestroying() || ComponentState().Contains(csDestroying)) return;
  if (ASizeChanged)
    grid_->RequestResize();
  else
    grid_->RequestLayout();
}

void TcxGridLevel::CheckHeight(int& AHeight) {
  if (maxDetailHeight_ != 0 && maxDetailHeight_ < AHeight) AHeight = maxDetailHeight_;
}

void TcxGridLevel::ChildVisibilityChanged(TcxGridLevel* ALevel) {
  const int oldCount = VisibleCount();
  RebuildVisibleItems();
  if (gridView_) gridView_->DetailVisibilityChanged(ALevel, oldCount, VisibleCount());
}

TcxCustomGridView* TcxGridLevel::CreateLinkedView(TcxCustomDataRelation* ARelation, int AMasterRecordIndex) {
  TcxCustomGridView* pattern = gridView_;
  if (OnGetGridView) OnGetGridView(this, nullptr, pattern);
  (void)AMasterRecordIndex;
  if (!pattern || !grid_) return nullptr;
  // Owned by the master's data controller, which frees its detail objects: no owner component.
  auto* clone = dynamic_cast<TcxCustomGridView*>(pattern->ClassType()->NewInstance(nullptr));
  if (!clone) throw EInvalidCast(S("Invalid class typecast"));
  clone->SetControl(grid_);
  clone->BeginUpdate();
  {
    TScopeExit close([clone] { clone->CancelUpdate(); });
    clone->AssignPattern(pattern);
    TcxCustomDataRelationList* relations = clone->DataController()->GetRelations();
    relations->BeginUpdate();
    {
      TScopeExit endRelations([relations] { relations->EndUpdate(); });
      relations->Assign(pattern->DataController()->GetRelations());
    }
    clone->DataController()->SetMasterRelation(ARelation, AMasterRecordIndex);
    clone->SetLevel(this);
  }
  pattern->AddClone(clone);
  return clone;
}

void TcxGridLevel::SetGridView(TcxCustomGridView* Value) {
  if (gridView_ == Value) return;
  if (Value && Value->Level()) Value->Level()->SetGridView(nullptr);
  TcxCustomGridView* old = gridView_;
  const bool oldFocused = old && old->IsFocused();
  if (old) {
    old->BeginUpdate();
    TScopeExit done([old] { old->EndUpdate(); });
    for (TcxGridLevel* item : items_) item->FreeRelation();
    old->SetLevel(nullptr);
  }
  gridView_ = Value;
  if (Value) {
    if (grid_) Value->SetControl(grid_);
    if (parent_) parent_->RebuildVisibleItems();
    Value->BeginUpdate();
    TScopeExit done([Value] { Value->EndUpdate(); });
    if (old) old->DataController()->LinkToRelation(nullptr, true);
    Value->SetLevel(this);
    LinkView(visible_, !IsTop());
    for (TcxGridLevel* item : items_) CreateRelation(item);
    Changed(false);
  }
  if (Value) {
    if ((!old && grid_ && !grid_->FocusedView()) || oldFocused) Value->SetFocused(true);
  } else if (old) {
    old->SetFocused(false);
  }
  if (old && !old->IsDestroying()) old->SetControl(static_cast<TcxCustomGrid*>(old->GetParentComponent()));
}

void TcxGridLevel::SetVisible(bool Value) {
  if (visible_ == Value) return;
  if (Value && gridView_) LinkView(true, !IsTop());
  visible_ = Value;
  if (parent_) parent_->ChildVisibilityChanged(this);
  if (!Value)
    SetActive(false);
  else if (grid_ && !grid_->ActiveLevel())
    SetActive(true);
  Changed(true);
  if (grid_) grid_->CheckFocusedView();
  if (!Value && gridView_) LinkView(false, !IsTop());
}

void TcxGridLevel::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed(true);
}

void TcxGridLevel::SetMaxDetailHeight(int Value) {
  Value = std::max(Value, 0);
  if (maxDetailHeight_ == Value) return;
  maxDetailHeight_ = Value;
  Changed(true);
}

void TcxGridLevel::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  inherited::GetChildren(Proc, Root);
  for (TcxGridLevel* item : items_)
    if (item->Owner() == Root) Proc(item);
}

TComponent* TcxGridLevel::GetParentComponent() const {
  if (IsTop()) return grid_;
  return parent_;
}

void TcxGridLevel::SetParentComponent(TComponent* Value) {
  inherited::SetParentComponent(Value);
  if (auto* grid = dynamic_cast<TcxCustomGrid*>(Value))
    grid->RootLevel()->AddChild(this);
  else if (auto* level = dynamic_cast<TcxGridLevel*>(Value))
    level->AddChild(this);
}

// Components read from a form file join their parent before their properties are read.
void TcxGridLevel::ReadState(TReader* Reader) {
  if (Reader->Parent()) SetParentComponent(Reader->Parent());
  inherited::ReadState(Reader);
}
