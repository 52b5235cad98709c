#include "platform/data/DataSource.h"

#include <algorithm>

#include "platform/data/DBConsts.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

TRENVIK_PUBLISHED(TDataSource) {
  P.Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit).Default(true);
  P.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
  P.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled).Default(true);
  P.Event("OnDataChange", &TDataSource::OnDataChange);
  P.Event("OnStateChange", &TDataSource::OnStateChange);
  P.Event("OnUpdateData", &TDataSource::OnUpdateData);
}

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  Destroying();
  for (TDataLink* link : std::vector<TDataLink*>(links_)) RemoveDataLink(link);
  SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == dataSet_) return;
  if (Value && IsLinkedTo(Value)) DatabaseError(S(DBConsts::SCircularDataLink), this);
  if (TDataSet* old = dataSet_) {
    dataSet_ = nullptr;
    old->dataSources_.erase(std::remove(old->dataSources_.begin(), old->dataSources_.end(), this),
                            old->dataSources_.end());
    old->RemoveFreeNotification(this);
    UpdateState();
    old->UpdateBufferCount();
  }
  if (Value) {
    dataSet_ = Value;
    Value->dataSources_.push_back(this);
    Value->FreeNotification(this);
    Value->UpdateBufferCount();
    UpdateState();
  }
}

void TDataSource::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  UpdateState();
}

void TDataSource::Edit() {
  if (autoEdit_ && state_ == dsBrowse && dataSet_) dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(TDataSet* DataSet) const {
  // Walks from DataSet up through its masters.
  for (int guard = 0; DataSet && guard < 1000; ++guard) {
    TDataSource* master = DataSet->GetDataSource();
    if (!master) break;
    if (master == this) return true;
    DataSet = master->DataSet();
  }
  return false;
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == dataSet_) SetDataSet(nullptr);
}

void TDataSource::UpdateState() { SetState(enabled_ && dataSet_ ? dataSet_->State() : dsInactive); }

void TDataSource::SetState(TDataSetState Value) {
  if (state_ == Value) return;
  TDataSetState prior = state_;
  state_ = Value;
  NotifyDataLinks(deUpdateState, 0);
  if (ComponentState().Contains(csDestroying)) return;
  if (OnStateChange) OnStateChange(this);
  if (prior == dsInactive && OnDataChange) OnDataChange(this, nullptr);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (state_ == dsInactive) return;
  NotifyDataLinks(Event, Info);
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::NotifyDataLinks(TDataEvent Event, std::intptr_t Info) {
  // Links with several rows (grids) hear first, then single-record controls; each group latest
  // attached first.
  std::vector<TDataLink*> links(links_);
  auto attached = [&](TDataLink* link) {
    return std::find(links_.begin(), links_.end(), link) != links_.end();
  };
  for (auto it = links.rbegin(); it != links.rend(); ++it)
    if (attached(*it) && (*it)->BufferCount() > 1) (*it)->DataEvent(Event, Info);
  for (auto it = links.rbegin(); it != links.rend(); ++it)
    if (attached(*it) && (*it)->BufferCount() <= 1) (*it)->DataEvent(Event, Info);
}

void TDataSource::AddDataLink(TDataLink* Link) {
  links_.push_back(Link);
  Link->dataSource_ = this;
  if (dataSet_) dataSet_->UpdateBufferCount();
  Link->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* Link) {
  Link->dataSource_ = nullptr;
  links_.erase(std::remove(links_.begin(), links_.end(), Link), links_.end());
  Link->UpdateState();
  if (dataSet_) dataSet_->UpdateBufferCount();
}
