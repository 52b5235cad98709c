// The table view and its columns (the model half: options, painting and input come with the table
// view information and controllers), and the view class registry.
#pragma once

#include "cx/grid/cxGridCustomTableView.h"

class TcxGridColumn : public TcxCustomGridTableItem {
  TRENVIK_CLASS(TcxGridColumn, TcxCustomGridTableItem);

 public:
  explicit TcxGridColumn(TComponent* AOwner) : TcxCustomGridTableItem(AOwner) {}

  int GroupIndex() const;
  void SetGroupIndex(int Value);

  bool GetStoredPropertyNames(TStrings* AProperties) override;
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override;
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override;
};

// A switch of an option object.
#define TRENVIK_GRID_OPTION(Name, Default)        \
 public:                                          \
  bool Name() const { return Name##_; }           \
  void Set##Name(bool Value) { SetOption(Name##_, Value); } \
                                                  \
 private:                                         \
  bool Name##_ = Default

class TcxCustomGridTableOptionsData : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridTableOptionsData, TcxCustomGridOptions);
  TRENVIK_GRID_OPTION(Appending, false);
  TRENVIK_GRID_OPTION(CancelOnExit, true);
  TRENVIK_GRID_OPTION(Deleting, true);
  TRENVIK_GRID_OPTION(DeletingConfirmation, true);
  TRENVIK_GRID_OPTION(Editing, true);
  TRENVIK_GRID_OPTION(Inserting, true);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  void Assign(TPersistent* Source) override;
};

class TcxGridTableOptionsView : public TcxCustomGridOptionsView {
  TRENVIK_CLASS(TcxGridTableOptionsView, TcxCustomGridOptionsView);
  TRENVIK_GRID_OPTION(ColumnAutoWidth, false);
  TRENVIK_GRID_OPTION(Footer, false);
  TRENVIK_GRID_OPTION(GroupByBox, true);
  TRENVIK_GRID_OPTION(Header, true);
  TRENVIK_GRID_OPTION(Indicator, false);

 public:
  using TcxCustomGridOptionsView::TcxCustomGridOptionsView;
  void Assign(TPersistent* Source) override;
  bool NewItemRow() const { return newItemRow_; }
  // Makes or drops the view data's new-item record.
  void SetNewItemRow(bool Value);

 private:
  bool newItemRow_ = false;
};

class TcxGridTableView : public TcxCustomGridTableView {
  TRENVIK_CLASS(TcxGridTableView, TcxCustomGridTableView);

 public:
  explicit TcxGridTableView(TComponent* AOwner) : TcxCustomGridTableView(AOwner) {}

  int ColumnCount() const { return ItemCount(); }
  TcxGridColumn* Columns(int AIndex) const { return static_cast<TcxGridColumn*>(Items(AIndex)); }
  TcxGridColumn* CreateColumn() { return static_cast<TcxGridColumn*>(CreateItem()); }
  TClass GetItemClass() const override { return TcxGridColumn::StaticClass(); }
  TcxCustomGridTableOptionsData* OptionsData();
  void SetOptionsData(TcxCustomGridTableOptionsData* Value) { OptionsData()->Assign(Value); }
  TcxGridTableOptionsView* OptionsView() { return static_cast<TcxGridTableOptionsView*>(TcxCustomGridTableView::OptionsView()); }
  void SetOptionsView(TcxGridTableOptionsView* Value) { OptionsView()->Assign(Value); }
  // Layout depends on the site's width only with automatic column widths, previews or details.
  bool IsSizeDependent() override { return OptionsView()->ColumnAutoWidth() || HasDetailLevels(); }

 protected:
  std::unique_ptr<TcxCustomDataController> CreateDataController() override {
    return cxCreateDataController<TcxGridDataController>(this);
  }
  std::unique_ptr<TcxCustomGridOptionsView> CreateOptionsView() override {
    return std::make_unique<TcxGridTableOptionsView>(this);
  }
  std::unique_ptr<TcxCustomGridViewData> CreateViewData() override;

 private:
  std::unique_ptr<TcxCustomGridTableOptionsData> optionsData_;
};

// The concrete view classes with their display names ("Table", "DB Table").
TcxRegisteredClasses* cxGridRegisteredViews();
void cxGridViewsInitialize();
void cxGridViewsFinalize();
