// Bars hidden while their owner form's window is made again, and shown again once it is back.
#include <algorithm>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarManager.h"

void TdxBarManager::HideBarsForRecreation() {
  if (IsDestroying() || IsDesigning()) return;
  for (int i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->Items(i);
    if (bar->Visible() && std::find(recreatedBars_.begin(), recreatedBars_.end(), bar) == recreatedBars_.end())
      recreatedBars_.push_back(bar);
  }
  // From the last, so that each row keeps its order until its bars have left.
  for (auto bar = recreatedBars_.rbegin(); bar != recreatedBars_.rend(); ++bar) (*bar)->SetVisible(false);
}

void TdxBarManager::ShowRecreatedBars(TdxDockControl* Dock) {
  std::vector<TdxBar*> waiting;
  for (TdxBar* bar : std::vector<TdxBar*>(recreatedBars_)) {
    // A bar freed meanwhile is no longer in the collection.
    bool exists = false;
    for (int i = 0; i < bars_->Count() && !exists; ++i) exists = bars_->Items(i) == bar;
    if (!exists) continue;
    const TdxBarDockingStyle style = bar->DockingStyle();
    if (style == dsNone || style == Dock->DockStyle())
      bar->SetVisible(true);
    else
      waiting.push_back(bar);
  }
  recreatedBars_ = std::move(waiting);
}

void TdxDockControl::CreateWnd() {
  inherited::CreateWnd();
  manager_->ShowRecreatedBars(this);
}
