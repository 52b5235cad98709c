// The lookup grid over a dataset: columns bound to fields by name, their defaults (caption, width,
// editor defaults) taken from the fields, and a dataset controller that does not follow the
// dataset's cursor.
#pragma once

#include <memory>

#include "cx/data/cxDBData.h"
#include "cx/editors-ext/cxDBEdit.h"
#include "cx/editors-ext/cxLookupGrid.h"

class TDataSource;
class TField;
class TStrings;

class TcxLookupDBGridColumn : public TcxLookupGridColumn {
  TRENVIK_CLASS(TcxLookupDBGridColumn, TcxLookupGridColumn);

 public:
  explicit TcxLookupDBGridColumn(TCollection* Collection) : TcxLookupGridColumn(Collection) {}

  void Assign(TPersistent* Source) override;
  String FieldName();
  void SetFieldName(const String& Value);
  // Nullptr when unbound.
  TField* Field();
  // Hands the column's field to its default-values provider.
  void UpdateProviderField();

  TcxLookupGridProviderFactory GetDefaultValuesProviderClass() override;
  void GetDefaultCaption(String& ACaption) override;
  // The default editor of the column's field.
  TcxEditRepositoryItem* GetDefaultRepositoryItem() override;
  int GetDefaultWidth() override;

 private:
  TcxDBDataController* DBController();
};

class TcxLookupDBGridDefaultValuesProvider : public TcxCustomDBEditDefaultValuesProvider {
  TRENVIK_CLASS(TcxLookupDBGridDefaultValuesProvider, TcxCustomDBEditDefaultValuesProvider);

 public:
  explicit TcxLookupDBGridDefaultValuesProvider(TPersistent* AOwner) : TcxCustomDBEditDefaultValuesProvider(AOwner) {}
};

class TcxLookupDBGridColumns : public TcxLookupGridColumns {
  TRENVIK_CLASS(TcxLookupDBGridColumns, TcxLookupGridColumns);

 public:
  TcxLookupDBGridColumns(TcxCustomLookupGrid* AGrid, TClass AColumnClass) : TcxLookupGridColumns(AGrid, AColumnClass) {}

  TcxLookupDBGridColumn* Add() { return static_cast<TcxLookupDBGridColumn*>(TCollection::Add()); }
  TcxLookupDBGridColumn* Items(int AIndex) const {
    return static_cast<TcxLookupDBGridColumn*>(TCollection::Items(AIndex));
  }
  // The first column showing the field, the name compared ignoring case; nullptr when none.
  TcxLookupDBGridColumn* FindByFieldName(const String& AFieldName) const;
};

class TcxLookupGridDBDataController : public TcxLookupGridControllerLink<TcxDBDataController> {
  TRENVIK_CLASS(TcxLookupGridDBDataController, TcxDBDataController);

 public:
  explicit TcxLookupGridDBDataController(TComponent* AOwner) : TcxLookupGridControllerLink(AOwner) {}
  // The list neither follows the dataset's cursor nor takes records the dataset inserts itself.
  void Initialize() override;
};

class TcxCustomLookupDBGrid : public TcxCustomLookupGrid {
  TRENVIK_CLASS(TcxCustomLookupDBGrid, TcxCustomLookupGrid);

 public:
  explicit TcxCustomLookupDBGrid(TComponent* AOwner);

  TcxLookupDBGridColumns* Columns() const { return static_cast<TcxLookupDBGridColumns*>(TcxCustomLookupGrid::Columns()); }
  TcxLookupGridDBDataController* DataController() const {
    return static_cast<TcxLookupGridDBDataController*>(TcxCustomLookupGrid::DataController());
  }
  TDataSource* DataSource() const { return DataController()->DataSource(); }
  void SetDataSource(TDataSource* Value) { DataController()->SetDataSource(Value); }
  String KeyFieldNames() const { return DataController()->KeyFieldNames(); }
  void SetKeyFieldNames(const String& Value) { DataController()->SetKeyFieldNames(Value); }

  // Replaces the columns by one per name of the ';'-separated list.
  void SetColumnsByFieldNames(const String& AFieldNames);

  TClass GetColumnClass() override;
  std::unique_ptr<TcxLookupGridColumns> GetColumnsClass() override;
  std::unique_ptr<TcxCustomDataController> GetDataControllerClass() override;
  void DataChanged() override;
  virtual void AddColumnsForFieldNames(TStrings* AFieldNames);
};

class TcxLookupDBGrid : public TcxCustomLookupDBGrid {
  TRENVIK_CLASS(TcxLookupDBGrid, TcxCustomLookupDBGrid);

 public:
  explicit TcxLookupDBGrid(TComponent* AOwner) : TcxCustomLookupDBGrid(AOwner) {}

  void SetColumns(TcxLookupDBGridColumns* Value) { Columns()->Assign(Value); }
  void SetOptions(TcxLookupGridOptions* Value) { Options()->Assign(Value); }
};
