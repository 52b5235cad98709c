// TDataSource: connects data-aware controls (through their TDataLink) to a dataset, passing the
// dataset's notifications on to every link.
#pragma once

#include <functional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/data/DBTypes.h"

class TDataSet;
class TDataLink;
class TField;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
  TRENVIK_CLASS(TDataSource, TComponent);

 public:
  explicit TDataSource(TComponent* AOwner);
  // Detaches the links (they become inactive) and the dataset.
  ~TDataSource() override;

  TDataSet* DataSet() const { return dataSet_; }
  // Raises EDatabaseError "Circular datalinks are not allowed" when DataSet is (through its
  // masters) a detail of this source.
  void SetDataSet(TDataSet* Value);
  // A disabled source shows its links an inactive dataset.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  // Edit() puts a browsing dataset into edit mode only when AutoEdit is on.
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool Value) { autoEdit_ = Value; }
  // The dataset's state, or dsInactive without an (enabled) dataset.
  TDataSetState State() const { return state_; }
  void Edit();
  // DataSet is (through masters) a detail of this source.
  bool IsLinkedTo(TDataSet* DataSet) const;

  int DataLinkCount() const { return static_cast<int>(links_.size()); }
  TDataLink* DataLinks(int Index) const { return links_[Index]; }

  // Field is the changed field, or nullptr for the whole record.
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnUpdateData;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void NotifyDataLinks(TDataEvent Event, std::intptr_t Info);
  void AddDataLink(TDataLink* Link);
  void RemoveDataLink(TDataLink* Link);
  void SetState(TDataSetState Value);
  void UpdateState();

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  bool autoEdit_ = true;
  TDataSetState state_ = dsInactive;
  std::vector<TDataLink*> links_;
};
