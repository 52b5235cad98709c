// TDataLink: a control's view of a data source. It keeps its own window of BufferCount records
// inside the dataset's buffers (FirstRecord), turns the dataset's notifications into the virtual
// callbacks below and lets the control read other rows by setting ActiveRecord.
#pragma once

#include <functional>

#include "platform/classes/Component.h"
#include "platform/data/DBTypes.h"

class TDataSet;
class TDataSource;
class TField;
class TParams;

class TDataLink : public TPersistent {
  TRENVIK_CLASS(TDataLink, TPersistent);

 public:
  TDataLink();
  // Leaves the data source.
  ~TDataLink() override;

  TDataSource* DataSource() const { return dataSource_; }
  // Raises EDatabaseError "Circular datalinks are not allowed" when the link belongs to a detail
  // dataset and Value's dataset is that dataset or one of its details.
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const;
  // The source is enabled and its dataset open.
  bool Active() const { return active_; }
  // The dataset is in an edit state and the link is not read-only.
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  // The current record's position in the link's window (0-based). Setting it makes another
  // buffered row the dataset's active record, without events; set it back when done.
  int ActiveRecord() const;
  void SetActiveRecord(int Value);
  // The link's window size; the dataset keeps as many buffers as its largest link asks for.
  int BufferCount() const { return bufferCount_; }
  void SetBufferCount(int Value);
  // Rows filled in the link's window.
  int RecordCount() const;
  bool Bof() const;
  bool Eof() const;
  // Puts the dataset into edit mode through the source (AutoEdit); true when editing after it.
  bool Edit();
  // Asks the link to write its control's value into the record (UpdateData), without echoing
  // RecordChanged back.
  void UpdateRecord();
  // Controls set it; the data controllers of the grids look for links that are visual.
  bool VisualControl() const { return visualControl_; }
  void SetVisualControl(bool Value) { visualControl_ = Value; }
  // Dataset actions reach the link's data source through its control: runs (updates) Action on
  // the source when the action handles it.
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);
  bool DataSourceFixed() const { return dataSourceFixed_; }
  void SetDataSourceFixed(bool Value) { dataSourceFixed_ = Value; }

 protected:
  friend class TDataSource;
  friend class TDataSet;

  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  // The whole window changed (defaults to RecordChanged(nullptr)).
  virtual void DataSetChanged();
  // The window moved by Distance rows (positive: forward); defaults to DataSetChanged.
  virtual void DataSetScrolled(int Distance);
  virtual void EditingChanged() {}
  // Field may be cleared by the control that took the focus.
  virtual void FocusControl(TField*& Field);
  virtual void LayoutChanged();
  // Field is nullptr for the whole record.
  virtual void RecordChanged(TField* Field);
  virtual void UpdateData() {}
  // The dataset this link feeds as its master link (for the circularity check); nullptr otherwise.
  virtual TDataSet* GetDetailDataSet() const { return nullptr; }
  // Dispatches a data source's notification to the callbacks above.
  virtual void DataEvent(TDataEvent Event, std::intptr_t Info);
  int FirstRecord() const { return firstRecord_; }

 private:
  void UpdateState();
  void SetActive(bool Value);
  void SetEditing(bool Value);
  void UpdateRange();
  bool IsLinkedTo(TDataSource* Value) const;

  TDataSource* dataSource_ = nullptr;
  int bufferCount_ = 1;
  int firstRecord_ = 0;
  bool active_ = false;
  bool editing_ = false;
  bool readOnly_ = false;
  bool updating_ = false;
  bool visualControl_ = false;
  bool dataSourceFixed_ = false;
};

// The link of a single-field control: the field by name, and the control's modified flag.
class TFieldDataLink : public TDataLink {
  TRENVIK_CLASS(TFieldDataLink, TDataLink);

 public:
  TFieldDataLink() = default;
  TComponent* Control() const { return control_; }
  void SetControl(TComponent* Value) { control_ = Value; }
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& Value);
  // The field of that name in the open dataset; nullptr otherwise.
  TField* Field() const { return field_; }
  // The field can be changed through this link.
  bool CanModify() const;
  bool Modified() const { return modified_; }
  void SetModified() { modified_ = true; }
  // Edits through the source when possible; true when editing.
  bool Edit();
  // Discards the control's changes: RecordChanged(nullptr) reloads it.
  void Reset();

  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;
  // Focuses the control (the control layer supplies it); true when it took the focus.
  std::function<bool()> OnFocusControl;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField*& Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  void UpdateField();

  TComponent* control_ = nullptr;
  String fieldName_;
  TField* field_ = nullptr;
  bool modified_ = false;
};

// The link through which a detail dataset follows its master data source.
class TDetailDataLink : public TDataLink {
  TRENVIK_CLASS(TDetailDataLink, TDataLink);

 public:
  explicit TDetailDataLink(TDataSet* Detail) : detail_(Detail) {}

 protected:
  TDataSet* GetDetailDataSet() const override { return detail_; }

 private:
  TDataSet* detail_;
};

// Keeps a detail dataset's parameters in step with its master: whenever the master's current
// record changes, every parameter named like a master field takes that field's value; when any
// value changed, OnMasterChange runs (typically: reopen the detail). When the master closes,
// OnMasterDisable runs.
class TMasterParamsDataLink : public TDetailDataLink {
  TRENVIK_CLASS(TMasterParamsDataLink, TDetailDataLink);

 public:
  TMasterParamsDataLink(TDataSet* Detail, TParams* Params);
  TParams* Params() const { return params_; }
  // Copies the master's values into the parameters now; true when any changed.
  bool RefreshParamValues();

  std::function<void()> OnMasterChange;
  std::function<void()> OnMasterDisable;

 protected:
  void ActiveChanged() override;
  void CheckBrowseMode() override;
  void RecordChanged(TField* Field) override;

 private:
  TParams* params_;
};
