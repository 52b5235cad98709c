// The table view over a dataset: columns bound to fields by name, captions, widths and editor
// defaults taken from the fields.
#pragma once

#include <memory>

#include "cx/data/cxDBData.h"
#include "cx/editors-ext/cxDBEdit.h"
#include "cx/grid/cxGridTableView.h"

class TField;

class TcxGridDBDataController : public TcxGridDataControllerViewLink<TcxDBDataController> {
  TRENVIK_CLASS(TcxGridDBDataController, TcxDBDataController);

 public:
  explicit TcxGridDBDataController(TComponent* AOwner) : TcxGridDataControllerViewLink(AOwner) {}
  ~TcxGridDBDataController() override { BeforeDestruction(); }
};

class TcxGridItemDBDataBinding : public TcxGridItemDataBinding {
  TRENVIK_CLASS(TcxGridItemDBDataBinding, TcxGridItemDataBinding);

 public:
  explicit TcxGridItemDBDataBinding(TcxCustomGridTableItem* AItem);
  ~TcxGridItemDBDataBinding() override;

  TcxGridDBDataController* DataController() const;
  String FieldName() const;
  void SetFieldName(const String& Value);
  TField* Field() const;
  // Editor defaults from the bound field; follows the field on every data change.
  TcxCustomDBEditDefaultValuesProvider* DefaultValuesProvider() const { return provider_.get(); }

  void Init() override;
  String GetDefaultCaption() override;
  int GetDefaultWidth() override;
  // The field-type registry's item for the field: its lookup, its type or the default.
  TcxEditRepositoryItem* GetDefaultRepositoryItem() override;
  void Assign(TPersistent* Source) override;

 private:
  std::unique_ptr<TcxCustomDBEditDefaultValuesProvider> provider_;
};

class TcxGridDBColumn : public TcxGridColumn {
  TRENVIK_CLASS(TcxGridDBColumn, TcxGridColumn);

 public:
  explicit TcxGridDBColumn(TComponent* AOwner) : TcxGridColumn(AOwner) {}
  TcxGridItemDBDataBinding* DataBinding() const {
    return static_cast<TcxGridItemDBDataBinding*>(TcxGridColumn::DataBinding());
  }
  void SetDataBinding(TcxGridItemDBDataBinding* Value) { DataBinding()->Assign(Value); }

  bool GetStoredPropertyNames(TStrings* AProperties) override;
  void GetStoredPropertyValue(const String& AName, Variant& AValue) override;
  void SetStoredPropertyValue(const String& AName, const Variant& AValue) override;
};

class TcxGridDBTableView : public TcxGridTableView {
  TRENVIK_CLASS(TcxGridDBTableView, TcxGridTableView);

 public:
  explicit TcxGridDBTableView(TComponent* AOwner) : TcxGridTableView(AOwner) {}

  TcxGridDBDataController* DataController() {
    return static_cast<TcxGridDBDataController*>(TcxGridTableView::DataController());
  }
  void SetDataController(TcxGridDBDataController* Value) { DataController()->Assign(Value); }
  TcxGridDBColumn* Columns(int AIndex) const { return static_cast<TcxGridDBColumn*>(Items(AIndex)); }
  TcxGridDBColumn* CreateColumn() { return static_cast<TcxGridDBColumn*>(CreateItem()); }
  TcxGridDBColumn* GetColumnByFieldName(const String& AFieldName);
  TClass GetItemClass() const override { return TcxGridDBColumn::StaticClass(); }
  TClass GetItemDataBindingClass() const override { return TcxGridItemDBDataBinding::StaticClass(); }
  TClass GetSummaryItemClass() const override;

 protected:
  std::unique_ptr<TcxCustomDataController> CreateDataController() override {
    return cxCreateDataController<TcxGridDBDataController>(this);
  }
};

void cxGridDBViewsInitialize();
void cxGridDBViewsFinalize();
