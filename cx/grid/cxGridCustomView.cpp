#include "cx/grid/cxGridCustomView.h"

#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridLevel.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TcxCustomGridView) {
  P.Property("DragMode", &TcxCustomGridView::DragMode, &TcxCustomGridView::SetDragMode).Default(dmManual);
  P.Property("Styles", &TcxCustomGridView::Styles, &TcxCustomGridView::SetStyles);
}

TcxCustomGridView::TcxCustomGridView(TComponent* AOwner) : TcxControlChildComponent(AOwner) {}

TcxCustomGridView::~TcxCustomGridView() {
  BeforeDestruction();
  if (Grid()) SetFocused(false);
  if (patternGridView_) patternGridView_->RemoveClone(this);
  for (TcxCustomGridView* clone : clones_) clone->patternGridView_ = nullptr;
  if (level_ && level_->GridView() == this) level_->SetGridView(nullptr);
  DestroyViewHandlers();
  if (fontListenedControl_) fontListenedControl_->RemoveFontListener(this);
  options_.reset();
  for (auto it = references_.rbegin(); it != references_.rend(); ++it) **it = nullptr;
  references_.clear();
  if (Control()) Control()->RemoveChildComponent(this);
}

TcxCustomGridView::THandlers& TcxCustomGridView::Handlers() {
  if (!handlers_) {
    if (creatingHandlers_) throw EInvalidOperation(S("A view's handlers were asked for while they were made"));
    TValueScope creating(creatingHandlers_, true);
    auto handlers = std::make_unique<THandlers>();
    handlers->controller = CreateController();
    handlers->dataController = CreateDataController();
    handlers_ = std::move(handlers);
    ConnectDataController();
    handlers_->painter = CreatePainter();
    handlers_->viewData = CreateViewData();
    handlers_->viewInfo = CreateViewInfo();
    handlers_->viewInfoCache = CreateViewInfoCache();
    if (Control()) Control()->InsertComponent(handlers_->viewInfo->Site());
  }
  return *handlers_;
}

TcxCustomGridView::TOptions& TcxCustomGridView::Options() {
  if (!options_) {
    options_ = std::make_unique<TOptions>();
    options_->selection = CreateOptionsSelection();
    options_->view = CreateOptionsView();
    options_->styles = CreateStyles();
  }
  return *options_;
}

void TcxCustomGridView::DestroyViewHandlers() {
  if (!handlers_) return;
  // The data controller goes first: its notifications must not reach half-freed handlers.
  handlers_->dataController.reset();
  handlers_->viewInfoCache.reset();
  if (handlers_->viewInfo) {
    TcxGridSite* site = handlers_->viewInfo->Site();
    if (site->Owner()) site->Owner()->RemoveComponent(site);
  }
  handlers_->viewInfo.reset();
  handlers_->viewData.reset();
  handlers_->painter.reset();
  handlers_->controller.reset();
  handlers_.reset();
}

std::unique_ptr<TcxCustomGridController> TcxCustomGridView::CreateController() {
  return std::make_unique<TcxCustomGridController>(this);
}
std::unique_ptr<TcxCustomGridPainter> TcxCustomGridView::CreatePainter() {
  return std::make_unique<TcxCustomGridPainter>(this);
}
std::unique_ptr<TcxCustomGridViewData> TcxCustomGridView::CreateViewData() {
  return std::make_unique<TcxCustomGridViewData>(this);
}
std::unique_ptr<TcxCustomGridViewInfo> TcxCustomGridView::CreateViewInfo() {
  return std::make_unique<TcxCustomGridViewInfo>(this);
}
std::unique_ptr<TcxCustomGridViewInfoCache> TcxCustomGridView::CreateViewInfoCache() {
  return std::make_unique<TcxCustomGridViewInfoCache>(this);
}
std::unique_ptr<TcxCustomGridOptionsSelection> TcxCustomGridView::CreateOptionsSelection() {
  return std::make_unique<TcxCustomGridOptionsSelection>(this);
}
std::unique_ptr<TcxCustomGridOptionsView> TcxCustomGridView::CreateOptionsView() {
  return std::make_unique<TcxCustomGridOptionsView>(this);
}
std::unique_ptr<TcxCustomGridViewStyles> TcxCustomGridView::CreateStyles() {
  return std::make_unique<TcxCustomGridViewStyles>(this);
}

void TcxCustomGridView::ConnectDataController() {
  handlers_->dataController->OnUpdateControl = [this](TcxUpdateControlInfo* AInfo) { UpdateControl(AInfo); };
}

TcxCustomGrid* TcxCustomGridView::Grid() const { return static_cast<TcxCustomGrid*>(Control()); }

TcxGridSite* TcxCustomGridView::Site() { return ViewInfo()->Site(); }

void TcxCustomGridView::SetDragMode(TDragMode Value) {
  dragMode_ = Value;
  if (HasSite()) Site()->SetDragMode(Value);
}

TcxLookAndFeelPainterClass TcxCustomGridView::LookAndFeelPainter() const {
  return Grid() ? Grid()->LookAndFeel()->Painter() : TcxStandardLookAndFeelPainter::Class();
}

// --- Update bracket and change road ---

void TcxCustomGridView::BeginUpdate() {
  if (Grid()) Grid()->BeginUpdate();
  DataController()->BeginUpdate();
}

void TcxCustomGridView::EndUpdate() {
  DataController()->EndUpdate();
  if (Grid()) Grid()->EndUpdate();
}

void TcxCustomGridView::CancelUpdate() {
  DataController()->EndUpdate();
  if (Grid()) Grid()->CancelUpdate();
}

void TcxCustomGridView::Changed(std::unique_ptr<TcxCustomGridViewChange> AChange) {
  if (IsLoading() || IsDestroying() || (handlers_ && handlers_->viewInfo && handlers_->viewInfo->IsCalculating()))
    return;
  if (Grid()) {
    Grid()->AddChange(std::move(AChange));
    return;
  }
  AChange->Control = nullptr;
  AChange->Execute();
}

void TcxCustomGridView::LayoutChanged(bool AViewOnly) {
  Changed(std::make_unique<TcxGridLayoutChange>(AViewOnly ? this : nullptr));
}

void TcxCustomGridView::SizeChanged(bool AViewOnly, bool AKeepMasterCache) {
  Changed(std::make_unique<TcxGridSizeChange>(this, AViewOnly || !Grid(), AKeepMasterCache));
}

void TcxCustomGridView::ViewChanged(const RECT& ARect) {
  if (IsRectEmpty(&ARect)) return;
  Changed(std::make_unique<TcxGridViewChange>(this, ARect));
}

void TcxCustomGridView::ViewChanged() { Changed(std::make_unique<TcxGridViewChange>(this, RECT{0, 0, 0, 0})); }

void TcxCustomGridView::DataChangedNotify() { Changed(std::make_unique<TcxGridDataChange>(this)); }

void TcxCustomGridView::SiteSizeChanged(bool AViewOnly, bool AKeepMasterCache) {
  if (IsSizeDependent())
    SizeChanged(AViewOnly, AKeepMasterCache);
  else
    LayoutChanged(AViewOnly);
}

// --- Focus and visibility ---

bool TcxCustomGridView::IsFocused() const { return Grid() && Grid()->FocusedView() == this; }

void TcxCustomGridView::SetFocused(bool AValue) {
  if (IsFocused() == AValue || !Grid()) return;
  Grid()->SetFocusedView(AValue ? this : nullptr);
}

bool TcxCustomGridView::CanFocus() { return CheckVisible(level_ && level_->IsVisibleChain()); }

bool TcxCustomGridView::IsVisibleOrPattern() { return IsVisibleInGrid() || IsPattern(); }

bool TcxCustomGridView::CheckVisible(bool ALevelVisible) {
  if (!ALevelVisible || IsPattern()) return false;
  if (IsDetail()) {
    TcxCustomGridView* master = MasterGridView();
    return master && master->IsDetailVisible(this);
  }
  return true;
}

bool TcxCustomGridView::IsControlFocused() { return Grid() && Grid()->IsFocused(); }

bool TcxCustomGridView::IsVisibleInGrid() {
  return !IsDestroying() && CheckVisible(level_ && level_->IsVisibleInGrid());
}

void TcxCustomGridView::FocusChanged(bool AFocused) {
  if (AFocused)
    Controller()->FocusGained();
  else
    Controller()->FocusLost();
}

void TcxCustomGridView::LookAndFeelChanged() {
  for (TcxCustomGridView* clone : clones_) clone->LookAndFeelChanged();
}

void TcxCustomGridView::SetLevel(TcxGridLevel* ALevel) {
  if (level_ == ALevel) return;
  level_ = ALevel;
  if (handlers_ && handlers_->viewInfo && ALevel) Site()->SetTabStop(IsFocused() && ALevel->IsTop());
}

// --- Master and detail ---

bool TcxCustomGridView::IsDetail() { return DataController()->IsDetailMode(); }

bool TcxCustomGridView::IsPattern() { return handlers_ && DataController()->IsPattern(); }

TcxCustomGridView* TcxCustomGridView::MasterGridView() {
  if (!IsDetail()) return nullptr;
  TcxCustomDataRelation* relation = DataController()->GetMasterRelation();
  TcxCustomDataController* master = relation ? relation->GetDataController() : nullptr;
  return master ? dynamic_cast<TcxCustomGridView*>(master->Owner()) : nullptr;
}

int TcxCustomGridView::MasterRecordIndex() { return DataController()->GetMasterRecordIndex(); }

int TcxCustomGridView::MasterRowIndex() {
  const int record = MasterRecordIndex();
  TcxCustomGridView* master = MasterGridView();
  if (record == -1 || !master) return -1;
  return master->DataController()->GetRowIndexByRecordIndex(record, false);
}

bool TcxCustomGridView::HasAsMaster(TcxCustomGridView* AView) {
  for (TcxCustomGridView* master = MasterGridView(); master; master = master->MasterGridView())
    if (master == AView) return true;
  return false;
}

bool TcxCustomGridView::HasDetailLevels() const { return level_ && level_->HasVisibleChildren(); }

bool TcxCustomGridView::IsDestroying() const {
  if (inherited::IsDestroying()) return true;
  if (!handlers_ || !handlers_->dataController) return false;
  auto* self = const_cast<TcxCustomGridView*>(this);
  TcxCustomGridView* master = self->MasterGridView();
  return master && master->IsDestroying();
}

void TcxCustomGridView::AddClone(TcxCustomGridView* AClone) {
  clones_.push_back(AClone);
  AClone->patternGridView_ = this;
}

void TcxCustomGridView::RemoveClone(TcxCustomGridView* AClone) {
  std::erase(clones_, AClone);
  AClone->patternGridView_ = nullptr;
}

void TcxCustomGridView::AssignPattern(TcxCustomGridView* APattern) {
  TValueScope assigning(assigningPattern_, true);
  Assign(APattern);
}

void TcxCustomGridView::RegisterReference(TcxCustomGridView** AReference) { references_.push_back(AReference); }

void TcxCustomGridView::UnregisterReference(TcxCustomGridView** AReference) { std::erase(references_, AReference); }

// --- Assign, loading, streaming ---

void TcxCustomGridView::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomGridView*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  TScopeExit done([this] { EndUpdate(); });
  BeforeAssign(source);
  AssignProperties(source);
  AfterAssign(source);
}

void TcxCustomGridView::BeforeAssign(TcxCustomGridView* ASource) { DataController()->Assign(ASource->DataController()); }

void TcxCustomGridView::AssignProperties(TcxCustomGridView* ASource) {
  SetDragMode(ASource->DragMode());
  OptionsSelection()->Assign(ASource->OptionsSelection());
  OptionsView()->Assign(ASource->OptionsView());
  Styles()->Assign(ASource->Styles());
  TcxGridSite* from = ASource->Site();
  TcxGridSite* to = Site();
  to->OnDblClick = from->OnDblClick;
  to->OnDragDrop = from->OnDragDrop;
  to->OnDragOver = from->OnDragOver;
  to->OnEndDrag = from->OnEndDrag;
  to->OnKeyDown = from->OnKeyDown;
  to->OnKeyPress = from->OnKeyPress;
  to->OnKeyUp = from->OnKeyUp;
  to->OnMouseDown = from->OnMouseDown;
  to->OnMouseMove = from->OnMouseMove;
  to->OnMouseUp = from->OnMouseUp;
  to->OnMouseWheel = from->OnMouseWheel;
  to->OnMouseWheelDown = from->OnMouseWheelDown;
  to->OnMouseWheelUp = from->OnMouseWheelUp;
  to->OnStartDrag = from->OnStartDrag;
  RefreshSettings();
}

void TcxCustomGridView::Loaded() {
  inherited::Loaded();
  RefreshAfterLoad();
  DataController()->Loaded();
  RefreshSettings();
}

void TcxCustomGridView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (options_)
    for (TcxCustomGridOptions* options : options_->list) options->Notification(AComponent, Operation);
}

void TcxCustomGridView::GetStoredObjectName(String& AName) { AName = storageName_.empty() ? Name() : storageName_; }

void TcxCustomGridView::SetControl(TcxControl* Value) {
  if (Value == Control()) return;
  if (Control()) {
    if (fontListenedControl_) {
      fontListenedControl_->RemoveFontListener(this);
      fontListenedControl_ = nullptr;
    }
    if (handlers_ && handlers_->viewInfo) {
      TcxGridSite* site = Site();
      if (site->Owner()) site->Owner()->RemoveComponent(site);
    }
  }
  if (Grid()) Grid()->ViewDetached(this);
  inherited::SetControl(Value);
  if (Grid()) Grid()->ViewAttached(this);
  if (Value) {
    if (!streamingParent_) streamingParent_ = dynamic_cast<TcxCustomGrid*>(Value);
    if (handlers_ && handlers_->viewInfo) Value->InsertComponent(Site());
    Value->AddFontListener(this);
    fontListenedControl_ = Value;
  }
}

void TcxCustomGridView::GridDestroyed() {
  TcxCustomGrid* grid = Grid();
  if (grid) grid->ViewDetached(this);
  fontListenedControl_ = nullptr;
  if (streamingParent_ == grid) streamingParent_ = nullptr;
  if (handlers_ && handlers_->viewInfo) {
    TcxGridSite* site = Site();
    if (site->Owner() == grid) grid->RemoveComponent(site);
    if (site->Parent() == grid) site->SetParent(nullptr);
  }
  level_ = nullptr;
  inherited::SetControl(nullptr);
}

void TcxCustomGridView::FontChanged(TObject* Sender, TFont* AFont) { Styles()->FontChanged(Sender, AFont); }

TComponent* TcxCustomGridView::GetParentComponent() const { return streamingParent_; }

void TcxCustomGridView::SetParentComponent(TComponent* Value) { inherited::SetParentComponent(Value); }

TNotifyEvent TcxCustomGridView::OnDblClick() const {
  return const_cast<TcxCustomGridView*>(this)->Site()->OnDblClick;
}
void TcxCustomGridView::SetOnDblClick(TNotifyEvent Value) { Site()->OnDblClick = std::move(Value); }
TMouseEvent TcxCustomGridView::OnMouseDown() const {
  return const_cast<TcxCustomGridView*>(this)->Site()->OnMouseDown;
}
void TcxCustomGridView::SetOnMouseDown(TMouseEvent Value) { Site()->OnMouseDown = std::move(Value); }
TKeyEvent TcxCustomGridView::OnKeyDown() const { return const_cast<TcxCustomGridView*>(this)->Site()->OnKeyDown; }
void TcxCustomGridView::SetOnKeyDown(TKeyEvent Value) { Site()->OnKeyDown = std::move(Value); }

// Components read from a form file join their parent before their properties are read.
void TcxCustomGridView::ReadState(TReader* Reader) {
  if (Reader->Parent()) SetParentComponent(Reader->Parent());
  inherited::ReadState(Reader);
}
