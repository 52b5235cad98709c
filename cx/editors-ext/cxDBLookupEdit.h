// The lookup editor whose list is a dataset: keys are the values of the key fields, the text that of
// a list field. Bound to a lookup field, the editor takes its list settings from that field; in grid
// mode keys and texts are found by moving the list dataset, with a key-to-text cache.
#pragma once

#include <memory>
#include <optional>
#include <unordered_map>

#include "cx/editors-ext/cxLookupEdit.h"

class TcxDBDataController;
class TcxLookupList;
class TDataSet;
class TDataSource;
class TField;

class TcxCustomDBLookupEditProperties : public TcxCustomLookupEditProperties {
  TRENVIK_CLASS(TcxCustomDBLookupEditProperties, TcxCustomLookupEditProperties);

 public:
  explicit TcxCustomDBLookupEditProperties(TPersistent* AOwner);
  ~TcxCustomDBLookupEditProperties() override;

  void Assign(TPersistent* Source) override;

  String KeyFieldNames();
  // Raises "Property already defined by lookup field" while a lookup field defines the list.
  void SetKeyFieldNames(const String& AValue);
  String ListFieldNames();
  void SetListFieldNames(const String& AValue);
  bool GridMode() const { return cache_ != nullptr; }
  void SetGridMode(bool AValue);
  TcxLookupList* Cache() const { return cache_.get(); }

  // --- Overrides ---
  void Changed() override;
  TAlignment GetDefaultHorzAlignment() override;
  TClass GetContainerClass() override;
  TcxEditValueSource GetEditValueSource(bool AEditFocused) override;
  int GetDefaultMaxLength() override;
  std::unique_ptr<TcxCustomTextEditLookupData> CreateLookupData(TcxCustomEdit* AEdit) override;
  int FindRecordByText(int AItemIndex, const String& AText, bool APartialCompare) override;
  int GetListIndex() override;
  void GetDisplayTextByKey(const Variant& AKey, String& AText) override;
  bool IsIncrementalFilteringActive() override;
  void GetNullKey(Variant& AKey) override;
  bool KeyIsListField() override;
  void LockList() override;
  void SetListFieldIndex(int AValue) override;
  void UnlockList() override;
  bool HasLookupDataField() override { return GetLookupDataField() != nullptr; }
  void ListDataChanged(TObject* Sender) override;

  // --- The list columns, in slot order ---
  virtual void BeginListUpdate() {}
  // Some list column shows the field; a new one goes to index 0.
  virtual void EnsureListColumn(const String&) {}
  virtual void SetListColumnsByFieldNames(const String&) {}
  virtual void EndListUpdate() {}
  virtual TField* GetListColumnField(int) { return nullptr; }
  virtual void GetListColumnFieldName(int, String& AName) { AName.clear(); }
  virtual int FindListColumnByFieldName(const String&) { return -1; }
  virtual TcxDBDataController* GetListDBDataController() { return nullptr; }
  virtual void BindLookupField();
  virtual void EnsureLookupResultColumn();

  // The editor's own data field, from a dataset defaults provider.
  TField* GetDataField();
  TField* GetLookupDataField();
  String GetLookupResultFieldName();
  TField* GetListField();
  void LinkLookupField(TField* AField);
  void ApplyGridMode();
  [[noreturn]] void LookupFieldDefinedError();
  // The record of a key outside grid mode, -1 for none or a key of the wrong kind. Integer keys of
  // one key field are found through an index kept until the list data change: a grid paints
  // thousands of cells, each asking.
  int FindRecordIndexByKey(const Variant& AKey);
  void CheckCircularLink();
  // Raises "Circular datalinks are not allowed" when the list would move the editor's own dataset.
  void CheckCircularLinkTo(TDataSource* AListSource);

 private:
  // The dataset, when the list controller has an active one.
  TDataSet* ActiveListDataSet();
  // Nullopt when the list's keys are not all integers.
  const std::optional<std::unordered_map<Int64, int>>& KeyIndex();

  bool gridModeLocate_ = false;
  TField* lookupField_ = nullptr;
  std::unique_ptr<TcxLookupList> cache_;
  std::unique_ptr<TDataSource> ownDataSource_;
  bool binding_ = false;
  std::optional<std::unordered_map<Int64, int>> keyIndex_;
  bool keyIndexValid_ = false;
};

// Its current key holds the key field values of the current record: one value, or an array.
class TcxCustomDBLookupEditLookupData : public TcxCustomLookupEditLookupData {
  TRENVIK_CLASS(TcxCustomDBLookupEditLookupData, TcxCustomLookupEditLookupData);

 public:
  explicit TcxCustomDBLookupEditLookupData(TcxCustomEdit* AOwner) : TcxCustomLookupEditLookupData(AOwner) {}

  void SetCurrentKeyByRecord(int ARecordIndex) override;
  void FocusCurrentKeyRecord() override;

 private:
  TcxCustomDBLookupEditProperties* DBProperties() const {
    return static_cast<TcxCustomDBLookupEditProperties*>(LookupProperties());
  }
};

class TcxCustomDBLookupEdit : public TcxCustomLookupEdit {
  TRENVIK_CLASS(TcxCustomDBLookupEdit, TcxCustomLookupEdit);

 public:
  explicit TcxCustomDBLookupEdit(TComponent* AOwner);

  TcxCustomDBLookupEditProperties* ActiveProperties() {
    return static_cast<TcxCustomDBLookupEditProperties*>(GetActiveProperties());
  }
  TClass GetPropertiesClass() override { return TcxCustomDBLookupEditProperties::StaticClass(); }
  bool IsValidChar(Char AChar) override;

 protected:
  // The key is the edit value: no text conversion.
  void LookupKeyToEditValue(const Variant& AKey, Variant& EditValue) override { EditValue = AKey; }
};
