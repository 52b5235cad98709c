// TMemoryDataSet: a dataset over rows kept in memory, with fields defined in code. It serves tests
// of every folder (fill it with AddRow) and parameterised detail datasets: with Params set, only the
// rows whose fields named like a parameter equal its value are shown, and a master DataSource keeps
// the parameters in step with the master's current record.
#pragma once

#include <initializer_list>
#include <memory>

#include "platform/data/DataSet.h"
#include "platform/data/Params.h"

class TDataSource;
class TMasterParamsDataLink;

class TMemoryDataSet : public TDataSet {
  TRENVIK_CLASS(TMemoryDataSet, TDataSet);

 public:
  explicit TMemoryDataSet(TComponent* AOwner);
  ~TMemoryDataSet() override;

  // Defines a column (while closed): FieldDefs()->Add.
  void AddFieldDef(const String& Name, TFieldType DataType, int Size = 0, bool Required = false);
  // Adds a row of values in FieldDefs order (missing values are null). An open dataset shows it
  // after Refresh.
  void AddRow(std::initializer_list<Variant> Values);
  void AddRow(const std::vector<Variant>& Values);
  // Rows held (including ones hidden by parameters).
  int RowCount() const;
  void ClearRows();

  TParams* Params() { return params_.get(); }
  TDataSource* DataSource() const;
  // The master whose fields fill the parameters of the same names. Raises "Circular datalinks are
  // not allowed" for a source fed by this dataset.
  void SetDataSource(TDataSource* Value);
  TDataSource* GetDataSource() const override { return DataSource(); }

  // Counts of resolved edits (tests look at them), and a way to make the next resolve fail.
  int InsertCount() const { return inserts_; }
  int UpdateCount() const { return updates_; }
  int DeleteCount() const { return deletes_; }
  String FailNextResolve;

 protected:
  void InternalInitFieldDefs() override;
  void InternalOpen() override;
  void InternalRefresh() override;
  void ResolveInsert(TRecordValues& Values) override;
  void ResolveUpdate(TRecordValues& Values) override;
  void ResolveDelete(TRecordId Row) override;

 private:
  void EnsureTable();
  void LoadRows();
  void CheckFail();
  void MasterChanged();

  TRecordStore table_;
  bool tableReady_ = false;
  // Store row -> table row of the open dataset.
  std::vector<TRecordId> tableRows_;
  std::unique_ptr<TParams> params_;
  std::unique_ptr<TMasterParamsDataLink> masterLink_;
  int inserts_ = 0;
  int updates_ = 0;
  int deletes_ = 0;
};
