// The manager in form files: its children, its extra stored values and what it settles once read.
#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/ScopeExit.h"

namespace {

constexpr TdxBarDockingStyle kDockSides[] = {dsLeft, dsRight, dsTop, dsBottom};

}  // namespace

void TdxBarManager::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TdxBarGroup* group : groups_)
    if (group->Owner() == Root) Proc(group);
  // Items without a category are made on the fly and never written.
  for (TdxBarItem* item : items_)
    if (item->Owner() == Root && item->Category() >= 0) Proc(item);
}

void TdxBarManager::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  ++readStateCount_;
}

void TdxBarManager::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  auto dockExtent = [this](TdxBarDockingStyle Side) {
    TdxDockControl* dock = bars_->DockControls(Side);
    return Side == dsLeft || Side == dsRight ? dock->Width() : dock->Height();
  };
  Filer->DefineProperty(
      u"DockControlHeights",
      [this](TReader* Reader) {
        Reader->ReadListBegin();
        for (TdxBarDockingStyle side : kDockSides) {
          if (Reader->EndOfList()) break;
          int extent = Reader->ReadInteger();
          TdxDockControl* dock = bars_->DockControls(side);
          if (side == dsLeft || side == dsRight)
            dock->SetWidth(extent);
          else
            dock->SetHeight(extent);
        }
        while (!Reader->EndOfList()) Reader->SkipValue();
        Reader->ReadListEnd();
      },
      [dockExtent](TWriter* Writer) {
        Writer->WriteListBegin();
        for (TdxBarDockingStyle side : kDockSides) Writer->WriteInteger(dockExtent(side));
        Writer->WriteListEnd();
      },
      true);
}

void TdxBarManager::SettleLoadedItemCategories() {
  for (TdxBarItem* item : items_)
    if (item->IsLoading() && (item->Category() < 0 || item->Category() >= categories_->Count()))
      item->SetCategoryRaw(0);
}

void TdxBarManager::Loaded() {
  inherited::Loaded();
  if (lockUpdate_) return;
  SettleLoadedItemCategories();
  // The items read with the manager are still loading: their visibility is settled here, before the
  // bars show their links and the categories compare it.
  for (TdxBarItem* item : std::vector<TdxBarItem*>(items_)) item->ApplyLoadedVisible();
  {
    bars_->SetLoading(true);
    TScopeExit loaded([this] { bars_->SetLoading(false); });
    for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->ApplyLoadedValues();
    LoadStoredLayout();
  }
  categories_->TakeDeferred([this](int Index, TdxBarItemVisible Value) { SetCategoryItemsVisible(Index, Value); });
  for (TdxBarDockingStyle side : kDockSides) bars_->DockControls(side)->UpdateDock();
}
