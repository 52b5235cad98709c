// TClientDataSet: a dataset over a snapshot taken through a provider (or created empty from field
// definitions), with client-side indexes and key searches.
#pragma once

#include <memory>
#include <vector>

#include "platform/data/DataSet.h"
#include "platform/data/Provider.h"

class TClientDataSet : public TDataSet {
  TRENVIK_CLASS(TClientDataSet, TDataSet);

 public:
  explicit TClientDataSet(TComponent* AOwner);
  ~TClientDataSet() override;

  // The provider by name among the owner's components (or set directly).
  const String& ProviderName() const { return providerName_; }
  void SetProviderName(const String& Value);
  TDataSetProvider* Provider() const;
  void SetProvider(TDataSetProvider* Value);

  // Orders by fields "A;B" (ascending, case-sensitive); clears IndexName.
  const String& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const String& Value);
  // Orders by the index definition of that name; clears IndexFieldNames. Raises
  // EDatabaseError "Index '%s' not found" (when open) for an unknown name.
  const String& IndexName() const { return indexName_; }
  void SetIndexName(const String& Value);
  TIndexDefs* IndexDefs() { return indexDefs_.get(); }
  // Fields of the current index.
  int IndexFieldCount() const { return static_cast<int>(SortKeys().size()); }
  TField* IndexFields(int Index) const;

  // Key searches on the current index. FindKey: exact match of the first n key fields; the record
  // becomes current when found. FindNearest: the first record not before the values (a text key
  // matches as a prefix), or the last one.
  bool FindKey(const std::vector<Variant>& KeyValues);
  void FindNearest(const std::vector<Variant>& KeyValues);
  // SetKey/EditKey enter dsSetKey, where the index fields take the key values; GotoKey and
  // GotoNearest search with them and return to browsing.
  void SetKey();
  void EditKey();
  bool GotoKey();
  void GotoNearest();
  // Key fields assigned in dsSetKey that count (default: all assigned ones).
  int KeyFieldCount() const { return keyFieldCount_; }
  void SetKeyFieldCount(int Value) { keyFieldCount_ = Value; }

  // A new empty dataset with the fields of FieldDefs; opens it.
  void CreateDataSet();
  // Deletes every record (locally).
  void EmptyDataSet();

 protected:
  void InternalInitFieldDefs() override;
  void InternalOpen() override;
  void InternalClose() override;
  void InternalRefresh() override;
  bool GetCanModify() const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ApplyIndex();
  std::vector<TSortKey> IndexKeys() const;
  std::vector<Variant> KeyValuesFromBuffer() const;
  void CheckIndex() const;
  Int64 SearchKey(const std::vector<Variant>& Values, bool Nearest, bool& Found);

  String providerName_;
  TDataSetProvider* provider_ = nullptr;
  String indexFieldNames_;
  String indexName_;
  std::unique_ptr<TIndexDefs> indexDefs_;
  std::vector<TFieldProps> fieldProps_;
  TRecordStore snapshot_;
  bool creating_ = false;
  bool skipRefetch_ = false;
  bool providerReadOnly_ = false;
  int keyFieldCount_ = 0;
};
