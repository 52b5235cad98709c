#include "dx/bars/dxBarBars.h"

#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

#include "platform/classes/Published.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Metrics.h"

TRENVIK_PUBLISHED(TdxBar) {
  P.Property("AllowClose", &TdxBar::AllowClose, &TdxBar::SetAllowClose).Default(true);
  P.Property("AllowCustomizing", &TdxBar::AllowCustomizing, &TdxBar::SetAllowCustomizing).Default(true);
  P.Property("AllowQuickCustomizing", &TdxBar::AllowQuickCustomizing, &TdxBar::SetAllowQuickCustomizing)
      .Default(true);
  P.Property("AllowReset", &TdxBar::AllowReset, &TdxBar::SetAllowReset).Default(true);
  P.Property("BorderStyle", &TdxBar::BorderStyle, &TdxBar::SetBorderStyle).Default(bbsSingle);
  P.Property("Caption", &TdxBar::Caption, &TdxBar::SetCaption);
  P.Property("DockedDockingStyle", &TdxBar::DockedDockingStyle, &TdxBar::SetDockedDockingStyle).Default(dsTop);
  P.Property("DockedLeft", &TdxBar::DockedLeft, &TdxBar::SetDockedLeft).Default(0);
  P.Property("DockedTop", &TdxBar::DockedTop, &TdxBar::SetDockedTop).Default(0);
  P.Property("DockingStyle", &TdxBar::DockingStyle, &TdxBar::SetDockingStyle).Default(dsNone);
  P.Property("FloatLeft", &TdxBar::FloatLeft, &TdxBar::SetFloatLeft).Default(0);
  P.Property("FloatTop", &TdxBar::FloatTop, &TdxBar::SetFloatTop).Default(0);
  P.Property("FloatClientWidth", &TdxBar::FloatClientWidth, &TdxBar::SetFloatClientWidth).Default(0);
  P.Property("FloatClientHeight", &TdxBar::FloatClientHeight, &TdxBar::SetFloatClientHeight).Default(0);
  P.Property("Hidden", &TdxBar::Hidden, &TdxBar::SetHidden).Default(false);
  P.Property("IsMainMenu", &TdxBar::IsMainMenu, &TdxBar::SetIsMainMenu).Default(false);
  P.Property("ItemLinks", &TdxBar::ItemLinks, &TdxBar::SetItemLinks);
  P.Property("MultiLine", &TdxBar::MultiLine, &TdxBar::SetMultiLine).Default(false);
  P.Property("Name", &TdxBar::BarName, &TdxBar::SetBarName);
  P.Property("NotDocking", &TdxBar::NotDocking, &TdxBar::SetNotDocking);
  P.Property("OneOnRow", &TdxBar::OneOnRow, &TdxBar::SetOneOnRow).Default(false);
  P.Property("RotateWhenVertical", &TdxBar::RotateWhenVertical, &TdxBar::SetRotateWhenVertical).Default(true);
  P.Property("Row", &TdxBar::Row, &TdxBar::SetRow).Default(0);
  P.Property("ShowMark", &TdxBar::ShowMark, &TdxBar::SetShowMark).Default(true);
  P.Property("SizeGrip", &TdxBar::SizeGrip, &TdxBar::SetSizeGrip).Default(true);
  P.Property("UseRecentItems", &TdxBar::UseRecentItems, &TdxBar::SetUseRecentItems).Default(true);
  P.Property("UseRestSpace", &TdxBar::UseRestSpace, &TdxBar::SetUseRestSpace).Default(false);
  P.Property("Visible", &TdxBar::Visible, &TdxBar::SetVisible).Default(false);
  P.Property("WholeRow", &TdxBar::WholeRow, &TdxBar::SetWholeRow).Default(false);
}
TRENVIK_IMPLEMENT_CLASS(TdxBars)

namespace {

bool ManagerIsLoading(const TdxBarManager* Manager) { return Manager && Manager->IsLoading(); }

}  // namespace

TdxBar::TdxBar(TCollection* Collection) : TCollectionItem(Collection) {
  TdxBarManager* manager = BarManager();
  predefined_ = manager && manager->IsLoading();
  itemLinks_ = std::make_unique<TdxBarItemLinks>(manager, this);
  itemLinks_->OnChange = [this](TObject*) { ManagerChanged(BarManager()); };
  if (manager && !manager->IsLoading()) {
    if (manager->OnBarAdd) manager->OnBarAdd(manager, this);
    manager->DesignerModified();
  }
}

TdxBar::~TdxBar() {
  TdxBarManager* manager = BarManager();
  if (manager && !manager->IsDestroying()) {
    manager->DesignerModified();
    if (manager->OnBarDelete) manager->OnBarDelete(manager, this);
    SetVisible(false);
  }
  if (manager && manager->mainMenuBar_ == this) manager->mainMenuBar_ = nullptr;
  if (manager)
    for (int i = 0; i < manager->ItemCount(); ++i)
      if (auto* sub = dynamic_cast<TCustomdxBarSubItem*>(manager->Items(i))) sub->ForgetDetachingBar(this);
  itemLinks_.reset();
}

TdxBars* TdxBar::Bars() const { return static_cast<TdxBars*>(Collection()); }

TdxBarManager* TdxBar::BarManager() const { return Bars() ? Bars()->BarManager() : nullptr; }

void TdxBar::Modified() { ManagerChanged(BarManager()); }

void TdxBar::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  TdxBarManager* manager = BarManager();
  if (manager && manager->BarByCaption(Value)) return;
  caption_ = Value;
  if (name_.empty() && manager && !manager->IsLoading()) {
    String name = Value;
    for (int n = 1; manager->BarByName(name); ++n) name = Value + IntToStr(n);
    name_ = name;
  }
  Modified();
  CustomizingFormBarChanged(this);
}

void TdxBar::SetDockedDockingStyle(TdxBarDockingStyle Value) {
  dockedDockingStyle_ = Value;
  Modified();
}

void TdxBar::SetDockedLeft(int Value) {
  dockedLeft_ = std::max(Value, 0);
  Modified();
}

void TdxBar::SetDockedTop(int Value) {
  dockedTop_ = std::max(Value, 0);
  Modified();
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (ManagerIsLoading(BarManager())) {
    loadedDockingStyle_ = Value;
    return;
  }
  if (dockingStyle_ == Value) return;
  dockingStyle_ = Value;
  // A new place shows every link again.
  itemLinks_->SetRecentItemCount(-1);
  if (TdxBarManager* manager = BarManager()) manager->DoBarDockingStyleChange(this);
}

void TdxBar::SetFloatLeft(int Value) {
  floatLeft_ = Value;
  Modified();
}

void TdxBar::SetFloatTop(int Value) {
  floatTop_ = Value;
  Modified();
}

void TdxBar::SetFloatClientWidth(int Value) {
  floatClientWidth_ = Value;
  Modified();
}

void TdxBar::SetFloatClientHeight(int Value) {
  floatClientHeight_ = Value;
  Modified();
}

void TdxBar::SetHidden(bool Value) {
  hidden_ = Value;
  Modified();
}

void TdxBar::SetIsMainMenu(bool Value) {
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  bool locked = manager->LockUpdate();
  manager->SetLockUpdate(true);
  TScopeExit restore([&] { manager->SetLockUpdate(locked); });
  if (Value && manager->mainMenuBar_ && manager->mainMenuBar_ != this) manager->mainMenuBar_->SetIsMainMenu(false);
  isMainMenu_ = Value;
  if (Value) {
    manager->mainMenuBar_ = this;
    wholeRow_ = true;
    multiLine_ = true;
  } else {
    if (manager->mainMenuBar_ == this) manager->mainMenuBar_ = nullptr;
    multiLine_ = false;
    wholeRow_ = false;
  }
}

void TdxBar::SetMultiLine(bool Value) {
  if (!Value && isMainMenu_) return;
  multiLine_ = Value;
}

void TdxBar::SetVisible(bool Value) {
  TdxBarManager* manager = BarManager();
  if ((Value && manager && manager->IsDestroying()) || visible_ == Value) return;
  hiddenBecauseEmpty_ = false;
  if (ManagerIsLoading(manager)) {
    loadedVisible_ = Value;
    return;
  }
  visible_ = Value;
  if (!manager) return;
  if (Value)
    ShowControl();
  else
    delete Control();
  if (!manager->IsDestroying() && manager->OnBarVisibleChange) manager->OnBarVisibleChange(manager, this);
  if (!Bars()->Loading()) manager->DesignerModified();
}

TdxBarControl* TdxBar::Control() const { return static_cast<TdxBarControl*>(itemLinks_->BarControl()); }

void TdxBar::ShowControl() {
  TdxBarManager* manager = BarManager();
  auto* control = new TdxBarControl(manager, this);
  if (dockingStyle_ != dsNone) {
    TdxDockControl* dock = Bars()->DockControls(dockingStyle_);
    control->SetDock(dockingStyle_, dock);
    control->HandleNeeded();
    POINT at = dock->ClientToScreen(POINT{dockedLeft_, dockedTop_});
    dock->InsertBar(control, at, true, true);
    ShowWindow(control->Handle(), SW_SHOWNOACTIVATE);
    return;
  }
  control->HandleNeeded();
  control->PlaceFloating();
  control->CalcItemRects();
  TCustomForm* form = manager->ParentForm();
  bool formActive = form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
  // An MDI child is active as the active child of the active main form.
  if (form && !formActive && form->FormStyle() == fsMDIChild && Application && Application->MainForm()) {
    TCustomForm* main = Application->MainForm();
    formActive = main->HandleAllocated() && GetActiveWindow() == main->Handle() && main->ActiveMDIChild() == form;
  }
  bool show = form && form->Visible() &&
              (!manager->HideFloatingBarsWhenInactive() || formActive || manager->IsCustomizing());
  if (show) ShowWindow(control->Handle(), SW_SHOWNOACTIVATE);
}

void TdxBar::StorePosition(TdxBarControl* Control) {
  TdxBarDockingStyle style = Control->DockingStyle();
  if (style != dockingStyle_) {
    dockingStyle_ = style;
    itemLinks_->SetRecentItemCount(-1);
    if (TdxBarManager* manager = BarManager()) manager->DoBarDockingStyleChange(this);
  }
  if (style == dsNone) {
    RECT client = Control->ClientRect();
    floatLeft_ = Control->Left();
    floatTop_ = Control->Top();
    floatClientWidth_ = client.right;
    floatClientHeight_ = client.bottom;
  } else if (TdxDockControl* dock = Control->DockControl()) {
    dockedDockingStyle_ = style;
    row_ = std::max(dock->RowOf(Control), 0);
    oneOnRow_ = row_ < dock->RowCount() && dock->Rows(row_).Cols.size() == 1;
    dockedLeft_ = Control->Left();
    dockedTop_ = Control->Top();
  }
  Modified();
}

void TdxBar::ApplyLoadedValues() {
  itemLinks_->SettleLoadedUsage(true);
  SetDockingStyle(loadedDockingStyle_);
  SetVisible(loadedVisible_);
}

int TdxBar::GetFloatBorderWidth(TdxBarDockingStyle Side) const {
  TdxBarManager* manager = BarManager();
  bool flat = manager && manager->Style() == bmsFlat;
  if (Side == dsNone) return 2 * GetSystemMetrics(SM_CXFRAME) + (flat ? 0 : 8);
  if (borderStyle_ == bbsNone) return 0;
  bool horizontal = Side == dsTop || Side == dsBottom;
  return horizontal ? (manager ? manager->GripSize() : 0) + 4 : 4;
}

int TdxBar::GetFloatBorderHeight(TdxBarDockingStyle Side) const {
  TdxBarManager* manager = BarManager();
  bool flat = manager && manager->Style() == bmsFlat;
  if (Side == dsNone) return 2 * GetSystemMetrics(SM_CYFRAME) + SmallCaptionHeight() + (flat ? 0 : 3);
  if (borderStyle_ == bbsNone) return IsStatusBar() ? 2 : 0;
  bool horizontal = Side == dsTop || Side == dsBottom;
  return horizontal ? 4 : (manager ? manager->GripSize() : 0) + 4;
}

void TdxBar::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBar*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  allowClose_ = source->allowClose_;
  allowCustomizing_ = source->allowCustomizing_;
  allowQuickCustomizing_ = source->allowQuickCustomizing_;
  allowReset_ = source->allowReset_;
  SetCaption(source->caption_);
  dockedDockingStyle_ = source->dockedDockingStyle_;
  dockedLeft_ = source->dockedLeft_;
  dockedTop_ = source->dockedTop_;
  floatLeft_ = source->floatLeft_;
  floatTop_ = source->floatTop_;
  floatClientWidth_ = source->floatClientWidth_;
  floatClientHeight_ = source->floatClientHeight_;
  hidden_ = source->hidden_;
  SetIsMainMenu(source->isMainMenu_);
  itemLinks_->Assign(source->itemLinks_.get());
  notDocking_ = source->notDocking_;
  oneOnRow_ = source->oneOnRow_;
  rotateWhenVertical_ = source->rotateWhenVertical_;
  row_ = source->row_;
  wholeRow_ = source->wholeRow_;
  SetDockingStyle(source->dockingStyle_);
  SetUseRecentItems(source->UseRecentItems());
  useRestSpace_ = source->useRestSpace_;
  SetVisible(source->visible_);
}

TdxBars::TdxBars(TdxBarManager* Manager) : TCollection(TdxBar::StaticClass()), manager_(Manager) {
  for (TdxBarDockingStyle side : {dsLeft, dsTop, dsRight, dsBottom}) docks_[side] = new TdxDockControl(Manager, side);
}

TdxBars::~TdxBars() {
  // Bars look back at this collection while they go.
  BeginUpdate();
  while (Count() > 0) delete Items(Count() - 1);
  for (TdxDockControl*& dock : docks_) FreeAndNil(dock);
}

TdxDockControl* TdxBars::DockControls(TdxBarDockingStyle Side) const { return docks_[Side]; }

void TdxBars::ForgetDock(TdxDockControl* Dock) {
  for (TdxDockControl*& dock : docks_)
    if (dock == Dock) dock = nullptr;
}

TdxBar* TdxBars::BarByCaption(const String& Caption) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Caption() == Caption) return Items(i);
  return nullptr;
}

TdxBar* TdxBars::BarByName(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->BarName() == Name) return Items(i);
  return nullptr;
}
