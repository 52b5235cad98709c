// The dataset lookup combo box: a dataset lookup editor whose drop-down is a lookup grid over the
// list dataset. Its properties own that grid and answer the list-source operations on it.
#pragma once

#include <memory>

#include "cx/editors-ext/cxDBLookupEdit.h"
#include "cx/editors-ext/cxLookupDBGrid.h"

class TcxLookupComboBoxProperties : public TcxCustomDBLookupEditProperties {
  TRENVIK_CLASS(TcxLookupComboBoxProperties, TcxCustomDBLookupEditProperties);

 public:
  explicit TcxLookupComboBoxProperties(TPersistent* AOwner);
  ~TcxLookupComboBoxProperties() override;

  void Assign(TPersistent* Source) override;

  TcxLookupDBGrid* Grid() const { return grid_.get(); }
  TcxLookupDBGridColumns* ListColumns() const { return grid_->Columns(); }
  void SetListColumns(TcxLookupDBGridColumns* Value);
  TcxLookupGridOptions* ListOptions() const { return grid_->Options(); }
  void SetListOptions(TcxLookupGridOptions* Value) { grid_->Options()->Assign(Value); }
  // Nullptr while a lookup field defines the list.
  TDataSource* ListSource();
  // Raises "Property already defined by lookup field" or "Circular datalinks are not allowed".
  void SetListSource(TDataSource* Value);
  TNotifyEvent OnSortingChanged() const { return grid_->DataController()->OnSortingChanged; }
  void SetOnSortingChanged(TNotifyEvent Value) { grid_->DataController()->OnSortingChanged = std::move(Value); }

  // --- The list source on the grid ---
  TClass GetContainerClass() override;
  int GetListColumnCount() override { return grid_->Columns()->Count(); }
  TWinControl* GetListControl() override { return grid_.get(); }
  TcxCustomDataController* GetListDataController() override { return grid_->DataController(); }
  TcxDBDataController* GetListDBDataController() override { return grid_->DataController(); }
  int GetListAutoWidth() override;
  int GetNearestPopupHeight(int AHeight) override { return grid_->GetNearestPopupHeight(AHeight); }
  int GetPopupHeightForRows(int ARowCount) override { return grid_->GetPopupHeightForRows(ARowCount); }
  bool IsRecordAtPoint(POINT APoint) override { return grid_->IsRecordAtPoint(APoint); }
  void SetListEvents(TNotifyEvent AOnClick, TNotifyEvent AOnNotify, TcxLookupCloseUpEvent AOnCloseUp) override;
  void SetListAppearance(TcxLookAndFeel* ALookAndFeel, TColor AColor, TFont* AFont) override;
  void BeginPopupMode() override { grid_->SetIgnoreMouseMove(true); }
  void MakeFocusedRowVisible() override { grid_->MakeFocusedRowVisible(); }
  void EndPopupMode() override;
  void BeginListUpdate() override { grid_->BeginUpdate(); }
  void EndListUpdate() override { grid_->EndUpdate(); }
  void EnsureListColumn(const String& AFieldName) override;
  void SetListColumnsByFieldNames(const String& AFieldNames) override { grid_->SetColumnsByFieldNames(AFieldNames); }
  TField* GetListColumnField(int AIndex) override { return grid_->Columns()->Items(AIndex)->Field(); }
  void GetListColumnFieldName(int AIndex, String& AName) override { AName = grid_->Columns()->Items(AIndex)->FieldName(); }
  int FindListColumnByFieldName(const String& AFieldName) override;

 private:
  std::unique_ptr<TcxLookupDBGrid> grid_;
};

class TcxCustomLookupComboBox : public TcxCustomDBLookupEdit {
  TRENVIK_CLASS(TcxCustomLookupComboBox, TcxCustomDBLookupEdit);

 public:
  explicit TcxCustomLookupComboBox(TComponent* AOwner);

  TcxLookupComboBoxProperties* ActiveProperties() {
    return static_cast<TcxLookupComboBoxProperties*>(GetActiveProperties());
  }
  TClass GetPropertiesClass() override { return TcxLookupComboBoxProperties::StaticClass(); }
};

class TcxLookupComboBox : public TcxCustomLookupComboBox {
  TRENVIK_CLASS(TcxLookupComboBox, TcxCustomLookupComboBox);

 public:
  explicit TcxLookupComboBox(TComponent* AOwner) : TcxCustomLookupComboBox(AOwner) {}

  TcxLookupComboBoxProperties* Properties() { return ActiveProperties(); }
  void SetProperties(TcxLookupComboBoxProperties* Value) { TcxCustomEdit::SetProperties(Value); }
};

// Module start-up: registers the properties among the editors' properties.
void InitializeDBLookupComboBox();
