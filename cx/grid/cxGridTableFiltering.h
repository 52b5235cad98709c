// When the table view shows its filter bar, and whether the bar offers the filter builder.
#pragma once

#include "cx/grid/cxGridTableOptions.h"

TRENVIK_ENUM(TcxGridFilterVisible, fvNever, fvNonEmpty, fvAlways);

class TcxGridTableFiltering : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxGridTableFiltering, TcxCustomGridOptions);
  TRENVIK_GRID_OPTION(CustomizeDialog, true);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  TcxGridFilterVisible Visible() const { return visible_; }
  void SetVisible(TcxGridFilterVisible Value);
  void Assign(TPersistent* Source) override;

 private:
  TcxGridFilterVisible visible_ = fvNonEmpty;
};
