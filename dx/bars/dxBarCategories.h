// The bar manager's categories: the names items refer to by index, each with the visibility of its
// items and its own visibility in the customizing lists.
#pragma once

#include <vector>

#include "dx/bars/dxBarServices.h"
#include "platform/classes/StringList.h"

class TdxBarManager;

class TdxBarManagerCategories : public TStringList {
  TRENVIK_CLASS(TdxBarManagerCategories, TStringList);

 public:
  explicit TdxBarManagerCategories(TdxBarManager* Manager) : manager_(Manager) {}

  // The per-category values travel with their names through inserts, deletes, exchanges and moves.
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;

  // ivAlways and True for an index out of range (Visible: False).
  TdxBarItemVisible ItemsVisible(int Index) const;
  bool Visible(int Index) const;
  // Raw stores; the manager's operations of the same names apply them to the items.
  void StoreItemsVisible(int Index, TdxBarItemVisible Value);
  void StoreVisible(int Index, bool Value);
  // The value read while loading, applied by the manager once the items are all there.
  void DeferItemsVisible(int Index, TdxBarItemVisible Value);
  // Each deferred value once, in category order, through Apply.
  template <class Apply>
  void TakeDeferred(Apply apply);

 protected:
  void InsertItem(int Index, const String& S, TObject* AObject) override;
  // "ItemsVisibles" and "Visibles": lists after the names, one value per category.
  void DefineProperties(TFiler* Filer) override;

 private:
  struct TCategoryState {
    TdxBarItemVisible ItemsVisible = ivAlways;
    bool Visible = true;
    bool HasDeferred = false;
    TdxBarItemVisible DeferredItemsVisible = ivAlways;
  };
  bool InRange(int Index) const { return Index >= 0 && Index < static_cast<int>(states_.size()); }

  TdxBarManager* manager_;
  std::vector<TCategoryState> states_;
};

template <class Apply>
void TdxBarManagerCategories::TakeDeferred(Apply apply) {
  for (int i = 0; i < static_cast<int>(states_.size()); ++i) {
    if (!states_[i].HasDeferred) continue;
    states_[i].HasDeferred = false;
    apply(i, states_[i].DeferredItemsVisible);
  }
}
