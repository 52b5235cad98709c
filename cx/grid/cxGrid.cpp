#include "cx/grid/cxGrid.h"

#include <algorithm>

#include "cx/grid/cxGridCustomView.h"
#include "cx/grid/cxGridDetailsSite.h"
#include "platform/classes/Published.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGrid)

TRENVIK_PUBLISHED(TcxGrid) {
  P.Property("DragOpening", &TcxGrid::DragOpening, &TcxGrid::SetDragOpening).Default(true);
  P.Property("DragOpeningWaitTime", &TcxGrid::DragOpeningWaitTime, &TcxGrid::SetDragOpeningWaitTime).Default(500);
  P.Property("RootLevelOptions", &TcxGrid::RootLevelOptions, &TcxGrid::SetRootLevelOptions);
  P.Property("RootLevelStyles", &TcxGrid::RootLevelStyles, &TcxGrid::SetRootLevelStyles);
}

TcxCustomGrid::TcxCustomGrid(TComponent* AOwner) : TcxControl(AOwner) {
  SetBorderStyle(cxcbsDefault);
  SetBounds(Left(), Top(), 250, 200);
}

TcxCustomGrid::~TcxCustomGrid() {
  Destroying();
  changes_.clear();
  handlers_.reset();
  SetRootLevel(nullptr);
  while (!views_.empty()) delete views_.back();
  while (!attachedViews_.empty()) attachedViews_.back()->GridDestroyed();
}

void TcxCustomGrid::ViewAttached(TcxCustomGridView* AView) {
  if (std::find(attachedViews_.begin(), attachedViews_.end(), AView) == attachedViews_.end())
    attachedViews_.push_back(AView);
}

void TcxCustomGrid::ViewDetached(TcxCustomGridView* AView) { std::erase(attachedViews_, AView); }

TcxGridLevel* TcxCustomGrid::RootLevel() {
  if (!rootLevelMade_) {
    rootLevelMade_ = true;
    auto* level = dynamic_cast<TcxGridLevel*>(GetLevelClass()->NewInstance(nullptr));
    if (!level) throw EInvalidCast(S("Invalid class typecast"));
    SetRootLevel(level);
    level->Options()->SetDetailFrameWidth(0);
    level->Options()->SetDetailTabsPosition(dtpNone);
  }
  return rootLevel_.get();
}

void TcxCustomGrid::SetRootLevel(TcxGridLevel* Value) {
  rootLevelMade_ = true;
  rootLevel_.reset(Value);
  if (Value) Value->SetGrid(this);
}

TcxCustomGrid::THandlers& TcxCustomGrid::Handlers() {
  if (!handlers_) {
    handlers_ = std::make_unique<THandlers>();
    handlers_->controller = CreateController();
    handlers_->painter = CreatePainter();
    handlers_->viewInfo = CreateViewInfo();
  }
  return *handlers_;
}

std::unique_ptr<TcxGridController> TcxCustomGrid::CreateController() {
  return std::make_unique<TcxGridController>(this);
}
std::unique_ptr<TcxGridPainter> TcxCustomGrid::CreatePainter() { return std::make_unique<TcxGridPainter>(this); }
std::unique_ptr<TcxGridViewInfo> TcxCustomGrid::CreateViewInfo() { return std::make_unique<TcxGridViewInfo>(this); }

TcxCustomGridView* TcxCustomGrid::ActiveView() const { return activeLevel_ ? activeLevel_->GridView() : nullptr; }

// --- Change queue ---

void TcxCustomGrid::RunChange(std::unique_ptr<TcxCustomGridChange> AChange) {
  if (IsDestroying()) return;
  AChange->Control = this;
  AChange->Execute();
}

void TcxCustomGrid::AddChange(std::unique_ptr<TcxCustomGridChange> AChange) {
  if (AChange->IsQueueable() && IsUpdateLocked())
    changes_.push_back(std::move(AChange));
  else
    RunChange(std::move(AChange));
}

void TcxCustomGrid::EndUpdate() {
  if (updateLockCount_ <= 0) return;
  if (--updateLockCount_ == 0) RunQueue();
}

void TcxCustomGrid::CancelUpdate() {
  if (updateLockCount_ <= 0) return;
  if (--updateLockCount_ == 0) changes_.clear();
}

void TcxCustomGrid::RunQueue() {
  std::vector<std::unique_ptr<TcxCustomGridChange>> kept;
  auto queue = std::move(changes_);
  changes_.clear();
  for (auto& change : queue) {
    const bool duplicate = change->IsMergeable() && std::any_of(kept.begin(), kept.end(), [&](const auto& k) {
                             return k->IsEqual(change.get());
                           });
    if (!duplicate) kept.push_back(std::move(change));
  }
  for (size_t i = 0; i < kept.size();) {
    bool superseded = false;
    for (size_t j = i + 1; j < kept.size() && !superseded; ++j)
      superseded = kept[i]->IsCompatibleWith(kept[j].get());
    if (superseded)
      kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(i));
    else
      ++i;
  }
  // A raising change ends the pass: the rest are freed with the local list.
  for (auto& change : kept) RunChange(std::move(change));
}

void TcxCustomGrid::RequestLayout() { AddChange(std::make_unique<TcxGridLayoutChange>(nullptr)); }

void TcxCustomGrid::RequestResize() { AddChange(std::make_unique<TcxGridSizeChange>(nullptr, false, false)); }

// --- Events and notifications ---

void TcxCustomGrid::DoActiveTabChanged(TcxGridLevel* ALevel) {
  if (OnActiveTabChanged) OnActiveTabChanged(this, ALevel);
}

void TcxCustomGrid::DoLayoutChanged(TcxCustomGridView* AGridView) {
  if (OnLayoutChanged) OnLayoutChanged(this, AGridView);
}

void TcxCustomGrid::DoFocusedViewChanged(TcxCustomGridView* APrevFocusedView, TcxCustomGridView* AFocusedView) {
  if (!IsDestroying() && OnFocusedViewChanged) OnFocusedViewChanged(this, APrevFocusedView, AFocusedView);
}

void TcxCustomGrid::SendNotifications(int AKind) {
  const auto subscribers = notifications_;
  for (TcxCustomGridNotification* subscriber : subscribers)
    if (subscriber->NotificationKinds() & (1 << AKind)) subscriber->Notify(AKind);
}

void TcxCustomGrid::AddNotification(TcxCustomGridNotification* ANotification) {
  if (std::find(notifications_.begin(), notifications_.end(), ANotification) == notifications_.end())
    notifications_.push_back(ANotification);
}

void TcxCustomGrid::RemoveNotification(TcxCustomGridNotification* ANotification) {
  std::erase(notifications_, ANotification);
}

// --- Views joining and leaving ---

void TcxCustomGrid::AddChildComponent(TcxControlChildComponent* AChild) {
  inherited::AddChildComponent(AChild);
  if (auto* view = dynamic_cast<TcxCustomGridView*>(AChild)) {
    views_.push_back(view);
    view->DataController()->LinkToRelation(nullptr, true);
  }
}

void TcxCustomGrid::RemoveChildComponent(TcxControlChildComponent* AChild) {
  inherited::RemoveChildComponent(AChild);
  auto* view = dynamic_cast<TcxCustomGridView*>(AChild);
  if (!view) return;
  std::erase(views_, view);
  for (auto i = changes_.size(); i-- > 0;) {
    auto* change = dynamic_cast<TcxCustomGridViewChange*>(changes_[i].get());
    if (change && change->GridView == view) changes_.erase(changes_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

// --- Streaming ---

void TcxCustomGrid::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  inherited::GetChildren(Proc, Root);
  for (TcxCustomGridView* view : views_)
    if (view->Owner() == Root) Proc(view);
  TcxGridLevel* root = RootLevel();
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->Owner() == Root) Proc(root->Items(i));
}

void TcxCustomGrid::Loaded() {
  inherited::Loaded();
  BeginUpdate();
  TScopeExit done([this] { EndUpdate(); });
  TcxGridLevel* root = RootLevel();
  for (int i = 0; i < root->VisibleCount(); ++i)
    if (TcxCustomGridView* view = root->VisibleItems(i)->GridView()) view->RefreshAfterLoad();
  RequestLayout();
}

// --- Other overrides ---

void TcxCustomGrid::Paint() {
  inherited::Paint();
  Painter()->Paint();
}

TCursor TcxCustomGrid::GetCursor(int X, int Y) {
  const TCursor cursor = Controller()->GetCursor(X, Y);
  return cursor != crDefault ? cursor : inherited::GetCursor(X, Y);
}

void TcxCustomGrid::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) {
  inherited::LookAndFeelChanged(Sender, AChangedValues);
  for (TcxCustomGridView* view : views_) view->LookAndFeelChanged();
  RequestResize();
}

void TcxCustomGrid::BoundsChanged() {
  if (!IsDestroying()) RequestResize();
  inherited::BoundsChanged();
}

void TcxCustomGrid::ResetMouseCaptureObject() {
  inherited::ResetMouseCaptureObject();
  if (handlers_) Controller()->CancelMode();
}

bool TcxCustomGrid::GetDesignHitTest(int X, int Y, TShiftState Shift) {
  if (inherited::GetDesignHitTest(X, Y, Shift)) return true;
  return Shift.Contains(ssLeft) && ViewInfo()->GetHitTest(X, Y)->HitTestCode() == htTab;
}

void TcxCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  Controller()->MouseDown(Button, Shift, X, Y);
}

void TcxCustomGrid::DoStartDrag(TDragObject*& DragObject) {
  inherited::DoStartDrag(DragObject);
  Controller()->StartDrag(DragObject);
}

void TcxCustomGrid::DoEndDragInternal(TObject* Target, int X, int Y) {
  Controller()->EndDrag(Target, X, Y);
  inherited::DoEndDragInternal(Target, X, Y);
}

void TcxCustomGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  inherited::DragOver(Source, X, Y, State, Accept);
  Controller()->DragOver(Source, X, Y, State, Accept);
}
