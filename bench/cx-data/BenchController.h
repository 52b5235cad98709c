// A controller of the benchmarks whose items are plain column objects it owns.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Component.h"

struct TBenchColumn : public TObject {};

template <class TBase>
class TBenchControllerOf : public TBase {
 public:
  explicit TBenchControllerOf(TComponent* AOwner) : TBase(AOwner) {}
  ~TBenchControllerOf() override { this->BeforeDestruction(); }
  int GetItemID(TObject* AItem) override {
    for (size_t i = 0; i < columns.size(); ++i)
      if (columns[i].get() == AItem) return static_cast<int>(i);
    return -1;
  }
  // Adds a column item; returns its index.
  int AddColumn() {
    columns.push_back(std::make_unique<TBenchColumn>());
    this->AddItem(columns.back().get());
    return this->GetItemCount() - 1;
  }
  std::vector<std::unique_ptr<TBenchColumn>> columns;
};
