// The data-aware inspector: the current record of a dataset as rows, one per field, edited in
// place. It puts the dataset into edit state and writes edited values into the fields; posting is
// left to the dataset's owner.
#pragma once

#include <functional>
#include <vector>

#include "dx/inspector/dxInspctControl.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

class TdxDBInspector;

TRENVIK_ENUM(TdxDBInspectorOption, dioAutoBandCount, dioAutoWidth, dioBandSizing, dioCancelOnExit, dioColumnSizing,
             dioDrawEndEllipsis, dioDynamicColumnSizing, dioEditing, dioEnterThrough, dioNoCancel, dioRowAutoHeight,
             dioRowSizing, dioStoreToRegistry, dioTabs, dioTabThrough);
using TdxDBInspectorOptions = Set<TdxDBInspectorOption>;
inline constexpr TdxDBInspectorOptions kDefaultDBInspectorOptions{
    dioAutoWidth, dioBandSizing, dioCancelOnExit, dioColumnSizing, dioDynamicColumnSizing, dioEditing};

class TdxInspectorDataLink : public TDataLink {
  TRENVIK_CLASS(TdxInspectorDataLink, TDataLink);

 public:
  explicit TdxInspectorDataLink(TdxDBInspector* Inspector = nullptr);
  ~TdxInspectorDataLink() override;

  void AddField(const String& Name);
  void ClearFieldList() { fieldIndexes_.clear(); }
  int Count() const { return static_cast<int>(fieldIndexes_.size()); }
  TField* Fields(int Index) const;
  // Reverts the editor when the user changed the record, else cancels the dataset's edit.
  void Reset();
  bool Modified() const { return modified_; }
  void SetModified(bool Value) { modified_ = Value; }

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void FocusControl(TField*& Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  TdxDBInspector* inspector_;
  std::vector<int> fieldIndexes_;
  bool inDataSetChanged_ = false;
  bool modified_ = false;
};

// A text row bound to a field by name; the data-bound row kinds behave the same over their field.
class TdxInspectorDBRow : public TdxInspectorTextRow {
  TRENVIK_CLASS(TdxInspectorDBRow, TdxInspectorTextRow);

 public:
  using TdxInspectorTextRow::TdxInspectorTextRow;
  TField* Field() const { return field_; }
  void SetField(TField* Value) { field_ = Value; }
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& Value);
  void Assign(TPersistent* Source) override;

  String GetDisplayText() override;
  int GetFieldSize() override;
  String GetEditMask() override;
  String GetEditText() override;
  void SetEditText(const String& Text) override;
  String GetDefaultCaption() override;
  int GetDefaultMaxLength() override { return GetFieldSize(); }
  bool GetDefaultReadOnly() override { return field_ && field_->ReadOnly(); }
  bool CanModify() override;
  bool IsValidChar(Char Key) override;

 protected:
  // The row's inspector has an active data link and the row a field.
  bool IsLinkActive() const;

 private:
  TField* field_ = nullptr;
  String fieldName_;
};

class TdxDBInspector : public TCustomdxInspectorControl {
  TRENVIK_CLASS(TdxDBInspector, TCustomdxInspectorControl);

 public:
  explicit TdxDBInspector(TComponent* AOwner);
  ~TdxDBInspector() override;

  TdxInspectorDataLink* DataLink() const { return dataLink_.get(); }
  TDataSource* DataSource() const { return dataLink_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  bool DefaultFields() const { return defaultFields_; }
  void SetDefaultFields(bool Value);
  TdxDBInspectorOptions Options() const { return options_; }
  void SetOptions(TdxDBInspectorOptions Value);
  TField* FocusedField();

  // --- Overrides ---
  bool CanEditModify() override;
  bool CanEditAcceptChar(Char Key) override;
  bool CanScroll() override;
  TdxInspectorNode* CreateNode() override;
  void AfterLayoutChanged() override;
  bool CanShowEditor() override;
  void SaveEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  TClass GetDefaultRowClass() override;
  bool CanStoreRowTree() override { return !defaultFields_; }
  bool IsRowValueEqual(const Variant& Value, TdxInspectorRow* Row) override;
  void DestroyRows() override;
  void LayoutChanged() override;
  virtual void BuildFieldList();
  virtual void LinkActiveChanged(bool Active);

  void DoRecordChanged(TField* Field, bool Whole);
  void DoUpdateData();
  void RefreshEditorFromField();
  void FocusField(TField* Field);

 protected:
  friend class TdxInspectorDataLink;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  void FreeRows();
  void SyncRowsWithFields();

  std::unique_ptr<TdxInspectorDataLink> dataLink_;
  bool defaultFields_ = true;
  bool inLinkEdit_ = false;
  TdxDBInspectorOptions options_ = kDefaultDBInspectorOptions;
  bool syncing_ = false;
};

// The row class for a field: the registered class of its data type (or of lookup fields).
TClass GetRowClassForField(TField* Field);

struct TdxDBRowClassEntry {
  TClass RowClass = nullptr;
  int Priority = 0;
};
using TdxDBRowClassSelector = std::function<void(TFieldType Type, TFieldKind Kind, TdxDBRowClassEntry& Candidate)>;
// Offers every entry of the row-class table to Selector; a higher priority replaces the entry.
void RegisterDBRowClasses(const TdxDBRowClassSelector& Selector);
void ResetDBRowClasses();
