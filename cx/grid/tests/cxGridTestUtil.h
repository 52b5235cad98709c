// Shared fixture of the grid tests: a form with a grid, and a small concrete view over an unbound
// data controller that counts its layout passes and data changes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cx/data/cxData.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "cx/grid/cxGridLevel.h"

class TTestGridView;

class TTestGridViewInfo : public TcxCustomGridViewInfo {
 public:
  explicit TTestGridViewInfo(TcxCustomGridView* AGridView) : TcxCustomGridViewInfo(AGridView) {}
  void Calculate() override;
};

class TTestGridView : public TcxCustomGridView {
  TRENVIK_CLASS(TTestGridView, TcxCustomGridView);

 public:
  explicit TTestGridView(TComponent* AOwner) : TcxCustomGridView(AOwner) {}

  int LayoutPasses = 0;
  int DataChanges = 0;
  void DataChanged() override { ++DataChanges; }

 protected:
  std::unique_ptr<TcxCustomDataController> CreateDataController() override {
    return cxCreateDataController<TcxDataController>(this);
  }
  std::unique_ptr<TcxCustomGridViewInfo> CreateViewInfo() override { return std::make_unique<TTestGridViewInfo>(this); }
};

inline void TTestGridViewInfo::Calculate() { ++static_cast<TTestGridView*>(GridView())->LayoutPasses; }

class CxGridTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form_ = MakeForm(100, 100, 400, 300);
    grid_ = new TcxGrid(form_);
    grid_->SetName(S("Grid1"));
    grid_->SetParent(form_);
    grid_->SetBounds(0, 0, 300, 200);
    grid_->OnLayoutChanged = [this](TcxCustomGrid*, TcxCustomGridView* AView) { layoutChanges_.push_back(AView); };
  }

  // A top level of the grid with a view of its own.
  TTestGridView* AddTopView(const char16_t* AName, TcxGridLevel** ALevel = nullptr) {
    auto* view = new TTestGridView(form_);
    view->SetName(AName);
    TcxGridLevel* level = grid_->RootLevel()->AddLevel();
    level->SetGridView(view);
    if (ALevel) *ALevel = level;
    return view;
  }

  TForm* form_ = nullptr;
  TcxGrid* grid_ = nullptr;
  std::vector<TcxCustomGridView*> layoutChanges_;
};
