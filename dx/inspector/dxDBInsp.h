// The data-aware inspector: the current record of a dataset as rows, one per field, edited in
// place. It puts the dataset into edit state and writes edited values into the fields; posting is
// left to the dataset's owner.
#pragma once

#include <functional>
#include <vector>

#include "dx/inspector/dxInspctControl.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

class TdxDBInspector;

TRENVIK_ENUM(TdxDBInspectorOption, dioAutoBandCount, dioAutoWidth, dioBandSizing, dioCancelOnExit,
             dioColumnSizing, dioDrawEndEllipsis, dioDynamicColumnSizing, dioEditing, dioEnterThrough,
             dioNoCancel, dioRowAutoHeight, dioRowSizing, dioStoreToRegistry, dioTabs, dioTabThrough);
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

// The data-bound behaviour every data-bound row kind shares: the row reads and writes the field
// its FieldName names in the inspector's dataset.
// Kept in the library's own namespace: the cx data library has a helper of the same signature.
namespace dxinspector_detail {
// The field, or a lookup field whose key fields, can be modified (a blob field only when allowed or
// when it converts its own text).
bool CanModifyField(TField* Field, bool AllowBlobs);
}  // namespace dxinspector_detail

template <class TKind>
class TdxFieldBoundRow : public TKind {
 public:
  using TKind::TKind;
  TField* Field() const { return field_; }
  const String& FieldName() const { return fieldName_; }
  TField* GetField() override { return field_; }
  void SetField(TField* Value) override { field_ = Value; }
  String GetFieldName() override { return fieldName_; }
  void SetFieldName(const String& Value) override {
    field_ = nullptr;
    auto* db = dynamic_cast<TdxDBInspector*>(this->Inspector());
    if (db && db->DataLink()->DataSet() && !db->ComponentState().Contains(csLoading) && !Value.empty())
      field_ = db->DataLink()->DataSet()->FindField(Value);
    if (fieldName_ == Value) return;  // re-binding only: no layout round
    fieldName_ = Value;
    this->Changed();
  }
  void Assign(TPersistent* Source) override {
    TCustomdxInspectorControl* control = this->Inspector();
    if (control) control->BeginUpdate();
    const TScopeExit unlock([control] {
      if (control) control->EndUpdate();
    });
    TKind::Assign(Source);
    if (auto* source = dynamic_cast<TdxInspectorRow*>(Source)) SetFieldName(source->GetFieldName());
  }
  String GetDisplayText() override { return IsLinkActive() ? field_->DisplayText() : String(); }
  String GetEditText() override { return IsLinkActive() ? field_->Text() : String(); }
  void SetEditText(const String& Text) override {
    if (IsLinkActive()) field_->SetText(Text);
  }
  int GetFieldSize() override {
    if (!field_ || (field_->DataType() != ftString && field_->DataType() != ftWideString)) return 0;
    return field_->Size();
  }
  String GetEditMask() override { return IsLinkActive() ? field_->EditMask() : String(); }
  String GetDefaultCaption() override { return field_ ? field_->DisplayName() : fieldName_; }
  int GetDefaultMaxLength() override { return GetFieldSize(); }
  bool GetDefaultReadOnly() override { return field_ && field_->ReadOnly(); }
  bool CanModify() override { return IsLinkActive() && dxinspector_detail::CanModifyField(field_, AllowsBlobs()); }
  bool IsValidChar(Char Key) override { return IsLinkActive() && field_->IsValidChar(Key); }

 protected:
  // Blob, memo and graphic kinds edit blob fields; the others leave them alone.
  virtual bool AllowsBlobs() { return false; }
  bool IsLinkActive() const {
    auto* db = dynamic_cast<TdxDBInspector*>(this->Inspector());
    return field_ && db && db->DataLink()->Active();
  }

 private:
  TField* field_ = nullptr;
  String fieldName_;
};


class TdxInspectorDBRow : public TdxFieldBoundRow<TdxInspectorRow> {
  TRENVIK_CLASS(TdxInspectorDBRow, TdxFieldBoundRow<TdxInspectorRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
};

// The row class for a field: the registered class of its data type (or of lookup fields).
TClass GetRowClassForField(TField* Field);

struct TdxDBRowClassEntry {
  TClass RowClass = nullptr;
  int Priority = 0;
};
using TdxDBRowClassSelector =
    std::function<void(TFieldType Type, TFieldKind Kind, TdxDBRowClassEntry& Candidate)>;
// Offers every entry of the row-class table to Selector; a higher priority replaces the entry.
void RegisterDBRowClasses(const TdxDBRowClassSelector& Selector);
void ResetDBRowClasses();
