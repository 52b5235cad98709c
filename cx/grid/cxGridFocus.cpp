#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "platform/forms/Forms.h"

TcxCustomGridView* TcxCustomGrid::FindFocusableView() {
  for (TcxCustomGridView* view = focusedView_ ? focusedView_->MasterGridView() : nullptr; view;
       view = view->MasterGridView())
    if (!view->IsDestroying()) return view;
  TcxGridLevel* root = RootLevel();
  for (int i = 0; i < root->Count(); ++i) {
    TcxCustomGridView* view = root->Items(i)->GridView();
    if (view && !view->IsDestroying()) return view;
  }
  return nullptr;
}

void TcxCustomGrid::SetFocusedView(TcxCustomGridView* Value) {
  if (Value && !Value->CanFocus()) return;
  if (Value == focusedView_) return;
  if (!IsDestroying() && ((!Value && ActiveView()) || (Value && Value->IsDestroying()))) Value = FindFocusableView();
  if (Value == focusedView_) return;
  TcxCustomGridView* previous = focusedView_;
  focusedView_ = Value;
  if (previous) {
    const bool wasFocused = IsFocused();
    try {
      previous->FocusChanged(false);
    } catch (...) {
      SetFocusedView(previous);
      throw;
    }
    if (wasFocused && !IsFocused() && CanFocus()) SetFocus();
  }
  if (focusedView_) {
    focusedView_->FocusChanged(true);
    if (focusedView_ && focusedView_->Level()) focusedView_->Level()->SetActive(true);
  } else if (IsFocused() && HandleAllocated() && CanFocusWithParentForm()) {
    SetFocus();
  }
  if (!IsDestroying()) SendNotifications(gnkFocusedViewChanged);
  DoFocusedViewChanged(previous, focusedView_);
}

void TcxCustomGrid::SetActiveLevel(TcxGridLevel* Value) {
  if (Value == activeLevel_ && Value) return;
  if (!Value) Value = IsDestroying() ? nullptr : RootLevel()->FirstVisibleChild();
  if (Value == activeLevel_) return;
  activeLevel_ = Value;
  RequestResize();
  SetFocusedView(activeLevel_ ? activeLevel_->GridView() : nullptr);
}

void TcxCustomGrid::CheckFocusedView() {
  if (!focusedView_ || focusedView_->CanFocus()) return;
  if (TcxCustomGridView* active = ActiveView(); active && active->CanFocus())
    active->SetFocused(true);
  else
    SetFocusedView(nullptr);
}

bool TcxCustomGrid::IsFocused() {
  if (isPopupControl_ || inherited::IsFocused()) return true;
  TCustomForm* form = GetParentForm(this);
  TWinControl* active = form ? form->ActiveControl() : nullptr;
  if (!active || !ContainsControl(active) || !active->Focused()) return false;
  auto* cxActive = dynamic_cast<TcxControl*>(active);
  return !cxActive || cxActive == this || cxActive->IsFocused();
}

void TcxCustomGrid::FocusChanged() {
  inherited::FocusChanged();
  if (!IsDestroying() && Focused() && focusedView_) focusedView_->FocusChanged(true);
}

void TcxCustomGrid::SetFocusState(bool AFocused) {
  const bool wasFocused = focused_;
  focused_ = AFocused;
  if ((AFocused && !wasFocused) || (!AFocused && !IsFocused())) Controller()->ControlFocusChanged();
}
