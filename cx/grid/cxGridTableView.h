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

class TcxCustomGridTableOptionsBehavior : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxCustomGridTableOptionsBehavior, TcxCustomGridOptions);
  TRENVIK_GRID_OPTION(ImmediateEditor, true);
  TRENVIK_GRID_OPTION(PullFocusing, false);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  bool IncSearch() const { return incSearch_; }
  // Off cancels a running incremental search first.
  void SetIncSearch(bool Value);
  void Assign(TPersistent* Source) override;

 private:
  bool incSearch_ = false;
};

class TcxGridTableOptionsCustomize : public TcxCustomGridOptions {
  TRENVIK_CLASS(TcxGridTableOptionsCustomize, TcxCustomGridOptions);
  TRENVIK_GRID_OPTION(ColumnFiltering, true);

 public:
  using TcxCustomGridOptions::TcxCustomGridOptions;
  void Assign(TPersistent* Source) override;
};

// MultiSelect is the data controller's own switch.
class TcxCustomGridTableOptionsSelection : public TcxCustomGridOptionsSelection {
  TRENVIK_CLASS(TcxCustomGridTableOptionsSelection, TcxCustomGridOptionsSelection);

 public:
  using TcxCustomGridOptionsSelection::TcxCustomGridOptionsSelection;
  bool MultiSelect() const;
  void SetMultiSelect(bool Value);
  void Assign(TPersistent* Source) override;
};

class TcxGridTableOptionsView : public TcxCustomGridOptionsView {
  TRENVIK_CLASS(TcxGridTableOptionsView, TcxCustomGridOptionsView);
  TRENVIK_GRID_OPTION(CellAutoHeight, false);
  TRENVIK_GRID_OPTION(ColumnAutoWidth, false);
  TRENVIK_GRID_OPTION(Footer, false);
  TRENVIK_GRID_OPTION(GroupByBox, true);
  TRENVIK_GRID_OPTION(Header, true);
  TRENVIK_GRID_OPTION(Indicator, false);
  TRENVIK_GRID_OPTION(NewItemRow, false);

 public:
  using TcxCustomGridOptionsView::TcxCustomGridOptionsView;
  void Assign(TPersistent* Source) override;
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
  TcxCustomGridTableOptionsBehavior* OptionsBehavior();
  void SetOptionsBehavior(TcxCustomGridTableOptionsBehavior* Value) { OptionsBehavior()->Assign(Value); }
  TcxGridTableOptionsCustomize* OptionsCustomize();
  void SetOptionsCustomize(TcxGridTableOptionsCustomize* Value) { OptionsCustomize()->Assign(Value); }
  TcxCustomGridTableOptionsSelection* OptionsSelection() {
    return static_cast<TcxCustomGridTableOptionsSelection*>(TcxCustomGridTableView::OptionsSelection());
  }
  void SetOptionsSelection(TcxCustomGridTableOptionsSelection* Value) { OptionsSelection()->Assign(Value); }
  // Layout depends on the site's width only with automatic column widths, previews or details.
  bool IsSizeDependent() override { return OptionsView()->ColumnAutoWidth() || HasDetailLevels(); }

 protected:
  std::unique_ptr<TcxCustomDataController> CreateDataController() override {
    return cxCreateDataController<TcxGridDataController>(this);
  }
  std::unique_ptr<TcxCustomGridOptionsView> CreateOptionsView() override {
    return std::make_unique<TcxGridTableOptionsView>(this);
  }
  std::unique_ptr<TcxCustomGridOptionsSelection> CreateOptionsSelection() override {
    return std::make_unique<TcxCustomGridTableOptionsSelection>(this);
  }

 private:
  std::unique_ptr<TcxCustomGridTableOptionsData> optionsData_;
  std::unique_ptr<TcxCustomGridTableOptionsBehavior> optionsBehavior_;
  std::unique_ptr<TcxGridTableOptionsCustomize> optionsCustomize_;
};

// The concrete view classes with their display names ("Table", "DB Table").
TcxRegisteredClasses* cxGridRegisteredViews();
void cxGridViewsInitialize();
void cxGridViewsFinalize();
