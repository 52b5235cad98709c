#include "dx/bars/dxBarCategories.h"

#include <algorithm>
#include <utility>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarManagerCategories)

void TdxBarManagerCategories::InsertItem(int Index, const String& S, TObject* AObject) {
  inherited::InsertItem(Index, S, AObject);
  states_.insert(states_.begin() + Index, TCategoryState{});
}

void TdxBarManagerCategories::Clear() {
  inherited::Clear();
  states_.clear();
}

void TdxBarManagerCategories::Delete(int Index) {
  inherited::Delete(Index);
  states_.erase(states_.begin() + Index);
}

void TdxBarManagerCategories::Exchange(int Index1, int Index2) {
  inherited::Exchange(Index1, Index2);
  std::swap(states_[Index1], states_[Index2]);
}

void TdxBarManagerCategories::Move(int CurIndex, int NewIndex) {
  inherited::Move(CurIndex, NewIndex);
  if (CurIndex == NewIndex) return;
  TCategoryState state = states_[CurIndex];
  states_.erase(states_.begin() + CurIndex);
  states_.insert(states_.begin() + NewIndex, state);
}

TdxBarItemVisible TdxBarManagerCategories::ItemsVisible(int Index) const {
  return InRange(Index) ? states_[Index].ItemsVisible : ivAlways;
}

bool TdxBarManagerCategories::Visible(int Index) const { return InRange(Index) && states_[Index].Visible; }

void TdxBarManagerCategories::StoreItemsVisible(int Index, TdxBarItemVisible Value) {
  if (InRange(Index)) states_[Index].ItemsVisible = Value;
}

void TdxBarManagerCategories::StoreVisible(int Index, bool Value) {
  if (InRange(Index)) states_[Index].Visible = Value;
}

void TdxBarManagerCategories::DeferItemsVisible(int Index, TdxBarItemVisible Value) {
  if (!InRange(Index)) return;
  states_[Index].HasDeferred = true;
  states_[Index].DeferredItemsVisible = Value;
}

void TdxBarManagerCategories::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  // Values beyond the last category are read and dropped.
  auto readList = [this](TReader* Reader, auto apply) {
    Reader->ReadListBegin();
    for (int i = 0; !Reader->EndOfList(); ++i) {
      if (i < Count())
        apply(i, Reader);
      else
        Reader->SkipValue();
    }
    Reader->ReadListEnd();
  };
  Filer->DefineProperty(
      u"ItemsVisibles",
      [this, readList](TReader* Reader) {
        readList(Reader, [this](int i, TReader* r) {
          int value = std::clamp<int>(r->ReadInteger(), ivNever, ivAlways);
          manager_->SetCategoryItemsVisible(i, static_cast<TdxBarItemVisible>(value));
        });
      },
      [this](TWriter* Writer) {
        Writer->WriteListBegin();
        for (int i = 0; i < Count(); ++i) Writer->WriteInteger(ItemsVisible(i));
        Writer->WriteListEnd();
      },
      true);
  Filer->DefineProperty(
      u"Visibles",
      [this, readList](TReader* Reader) {
        readList(Reader, [this](int i, TReader* r) { manager_->SetCategoryVisible(i, r->ReadBoolean()); });
      },
      [this](TWriter* Writer) {
        Writer->WriteListBegin();
        for (int i = 0; i < Count(); ++i) Writer->WriteBoolean(Visible(i));
        Writer->WriteListEnd();
      },
      true);
}

// --- the manager's category operations ---

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int Index) const {
  return categories_->ItemsVisible(Index);
}

void TdxBarManager::SetCategoryItemsVisible(int Index, TdxBarItemVisible Value) {
  if (Index < 0 || Index >= categories_->Count()) return;
  if (IsLoading()) {
    categories_->DeferItemsVisible(Index, Value);
    return;
  }
  TdxBarItemVisible old = categories_->ItemsVisible(Index);
  categories_->StoreItemsVisible(Index, Value);
  const bool autoHide = autoHideEmptyBars_ && !IsDesigning();
  std::vector<TdxBar*> emptyBefore;
  if (autoHide)
    for (int i = 0; i < bars_->Count(); ++i)
      if (bars_->Items(i)->ItemLinks()->AvailableItems().empty()) emptyBefore.push_back(bars_->Items(i));
  {
    bool locked = LockUpdate();
    SetLockUpdate(true);
    TScopeExit restore([&] { SetLockUpdate(locked); });
    // Items the program set otherwise keep their own value.
    std::vector<TdxBarItem*> items = GetItemsByCategory(Index);
    if (Value == ivAlways) std::reverse(items.begin(), items.end());
    for (TdxBarItem* item : items)
      if (item->Visible() == old) item->SetVisible(Value);
    if (autoHide) HideOrShowEmptyBars(Value, emptyBefore);
  }
  if (old != Value) DesignerModified();
}

void TdxBarManager::HideOrShowEmptyBars(TdxBarItemVisible Value, const std::vector<TdxBar*>& EmptyBefore) {
  for (int i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->Items(i);
    const bool empty = bar->ItemLinks()->AvailableItems().empty();
    if (Value == ivNever && empty && bar->Visible() && std::ranges::find(EmptyBefore, bar) == EmptyBefore.end()) {
      bar->SetVisible(false);
      bar->SetHiddenBecauseEmpty(true);
    } else if (Value == ivAlways && !empty && bar->HiddenBecauseEmpty()) {
      // Showing clears the mark.
      bar->SetVisible(true);
    }
  }
}

void TdxBarManager::SetAutoHideEmptyBars(bool Value) {
  if (autoHideEmptyBars_ == Value) return;
  autoHideEmptyBars_ = Value;
  if (!Value)
    for (int i = 0; i < bars_->Count(); ++i) bars_->Items(i)->SetHiddenBecauseEmpty(false);
}

bool TdxBarManager::GetCategoryVisible(int Index) const { return categories_->Visible(Index); }

void TdxBarManager::SetCategoryVisible(int Index, bool Value) {
  if (Index < 0 || Index >= categories_->Count()) return;
  categories_->StoreVisible(Index, Value);
  DesignerModified();
}
