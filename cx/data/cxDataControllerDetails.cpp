// Master-detail: roles, relations, per-record detail state and link objects.
#include <deque>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataUtils.h"

namespace {

TcxCustomDataController* FindPattern(TcxCustomDataController* AController, TObject* AItem) {
  TcxCustomDataRelationList* relations = AController->Relations();
  if (!relations) return nullptr;
  for (int i = 0; i < relations->GetCount(); ++i) {
    TcxCustomDataRelation* relation = relations->GetItem(i);
    if (relation->Item() == AItem && relation->DetailDataController) return relation->DetailDataController;
  }
  for (int i = 0; i < relations->GetCount(); ++i)
    if (auto* detail = relations->GetItem(i)->DetailDataController)
      if (auto* found = FindPattern(detail, AItem)) return found;
  return nullptr;
}

}  // namespace

TcxCustomDataRelationList* TcxCustomDataController::GetRelations() {
  if (!relations_) relations_ = std::make_unique<TcxCustomDataRelationList>(this);
  return relations_.get();
}

int TcxCustomDataController::GetDetailRole() {
  if ((masterRelation_ && masterRecordIndex_ == -1) || patternFlag_) return 1;
  if (masterRelation_ && masterRecordIndex_ >= 0) return 2;
  return 0;
}

TcxCustomDataController* TcxCustomDataController::GetRootDataController() {
  TcxCustomDataController* controller = this;
  while (controller->masterRelation_ && controller->masterRelation_->GetDataController())
    controller = controller->masterRelation_->GetDataController();
  return controller;
}

TcxCustomDataController* TcxCustomDataController::GetPatternDataController() {
  if (!masterRelation_) return this;
  TcxCustomDataController* pattern = FindPattern(GetRootDataController(), masterRelation_->Item());
  return pattern ? pattern : this;
}

void TcxCustomDataController::SetMasterRelation(TcxCustomDataRelation* ARelation, int AMasterRecordIndex) {
  if (!masterRelation_ && !ARelation && AMasterRecordIndex == -1 && masterRecordIndex_ == -1) return;
  cxInUpdate(this, [&] {
    if (TcxCustomDataRelation* old = masterRelation_) {
      if (old->DetailDataController == this && AMasterRecordIndex == -1)
        old->DetailDataController = nullptr;
      else
        provider_->SetRecordSource(nullptr);
      GetRelations()->Changed(nullptr);
    }
    masterRelation_ = ARelation;
    if (ARelation && AMasterRecordIndex == -1) {
      ARelation->DetailDataController = this;
      ARelation->Changed();
    }
    if (ARelation && AMasterRecordIndex >= 0)
      provider_->SetRecordSource(GetPatternDataController()->Provider()->RecordSource());
    masterRecordIndex_ = AMasterRecordIndex;
    LayoutChanged(2);
  });
}

void TcxCustomDataController::LinkToRelation(TcxCustomDataRelation* ARelation, bool APatternFlag) {
  cxInUpdate(this, [&] {
    SetMasterRelation(ARelation, -1);
    ChangePatternFlag(APatternFlag);
  });
}

void TcxCustomDataController::ChangePatternFlag(bool AValue) {
  if (AValue && lookupLinkCount_ > 0 && masterRelation_) throw Exception("!");
  requestedPatternFlag_ = AValue;
  bool wasPattern = IsPattern();
  patternFlag_ = AValue && lookupLinkCount_ == 0;
  if (IsPattern() != wasPattern && !(owner_ && owner_->ComponentState().Contains(csDestroying)))
    UpdateStorage();
}

void TcxCustomDataController::RelationsChanged(TcxCustomDataRelation*) {
  if (destroying_) return;
  if (IsPattern()) {
    if (masterRelation_) GetRootDataController()->ClearDetailsOfItem(masterRelation_->Item());
    return;
  }
  Change(dccData);
}

void TcxCustomDataController::ClearDetailsOfItem(TObject* AItem) {
  if (relations_ && relations_->FindByItem(AItem)) {
    ClearDetails();
    return;
  }
  if (!relations_ || !relations_->DetailField()) return;
  for (int record = 0; record < GetRecordCount(); ++record) {
    TcxDetailObject* object = relations_->StoredDetailObject(record);
    if (!object) continue;
    for (int i = 0; i < object->GetLinkObjectCount(); ++i)
      if (TObject* link = object->GetLinkObject(i))
        if (auto* detail = GetDetailDataControllerByLinkObject(link)) detail->ClearDetailsOfItem(AItem);
  }
}

void TcxCustomDataController::DetachRelationClones(TcxCustomDataRelation* ARelation) {
  if (!relations_ || !relations_->DetailField()) return;
  int index = relations_->IndexOf(ARelation);
  if (index < 0) return;
  for (int record = 0; record < GetRecordCount(); ++record)
    if (TcxDetailObject* object = relations_->StoredDetailObject(record))
      if (TObject* link = object->GetLinkObject(index))
        if (auto* detail = GetDetailDataControllerByLinkObject(link))
          detail->SetMasterRelationDirect(nullptr);
}

int TcxCustomDataController::GetDetailActiveRelationIndex(int ARecordIndex) {
  TcxDetailObject* object = GetRelations()->GetDetailObject(ARecordIndex);
  return object ? object->ActiveRelationIndex : -1;
}

void TcxCustomDataController::ChangeDetailActiveRelationIndex(int ARecordIndex, int ARelationIndex) {
  if (GetDetailActiveRelationIndex(ARecordIndex) == ARelationIndex) return;
  CheckBrowseMode();
  if (TcxDetailObject* object = GetRelations()->GetDetailObject(ARecordIndex)) {
    object->ActiveRelationIndex = ARelationIndex;
    Change(dccDetail);
  }
}

bool TcxCustomDataController::GetDetailExpanding(int ARecordIndex) {
  TcxDetailObject* object = GetRelations()->GetDetailObject(ARecordIndex);
  return object && object->Expanded;
}

void TcxCustomDataController::ChangeDetailExpanding(int ARecordIndex, bool AExpanded) {
  if (ARecordIndex < 0 || ARecordIndex >= GetRecordCount()) return;
  if (GetDetailExpanding(ARecordIndex) == AExpanded) return;
  CheckBrowseMode();
  TcxDetailObject* object = GetRelations()->GetDetailObject(ARecordIndex);
  if (object && CanChangeDetailExpanding(ARecordIndex, AExpanded)) {
    object->Expanded = AExpanded;
    Change(dccDetail);
  }
}

void TcxCustomDataController::CollapseDetails() {
  CheckBrowseMode();
  cxInUpdate(this, [&] {
    for (int record = 0; record < GetRecordCount(); ++record) {
      ClearDetailLinkObject(record, -1);
      if (TcxDetailObject* object = GetRelations()->GetDetailObject(record)) {
        if (object->Expanded) {
          object->Expanded = false;
          Change(dccDetail);
        }
      }
    }
  });
}

void TcxCustomDataController::ClearDetails() {
  cxInUpdate(this, [&] {
    for (int record = 0; record < GetRecordCount(); ++record) ClearDetailLinkObject(record, -1);
  });
}

void TcxCustomDataController::ClearDetailLinkObject(int ARecordIndex, int ARelationIndex) {
  if (GetRelations()->ClearDetailObject(ARecordIndex, ARelationIndex)) Change(dccDetail);
}

bool TcxCustomDataController::IsDetailLinkObjectExist(int ARecordIndex, int ARelationIndex) {
  return GetRelations()->IsDetailObjectExist(ARecordIndex, ARelationIndex);
}

TObject* TcxCustomDataController::DoGetDetailLinkObject(int ARecordIndex, int ARelationIndex) {
  TcxDetailObject* object = GetRelations()->GetDetailObject(ARecordIndex);
  if (!object) return nullptr;
  if (TObject* link = object->GetLinkObject(ARelationIndex)) return link;
  if (detailLinkGuard_) return nullptr;
  TcxCustomDataController* pattern = GetPatternDataController();
  bool patternGuard = pattern->detailLinkGuard_;
  detailLinkGuard_ = true;
  pattern->detailLinkGuard_ = true;
  TObject* link = nullptr;
  try {
    link = CreateDetailLinkObject(GetRelations()->GetItem(ARelationIndex), ARecordIndex);
  } catch (...) {
    detailLinkGuard_ = false;
    pattern->detailLinkGuard_ = patternGuard;
    throw;
  }
  detailLinkGuard_ = false;
  pattern->detailLinkGuard_ = patternGuard;
  if (ARecordIndex < 0 || ARecordIndex >= GetRecordCount() ||
      GetRelations()->StoredDetailObject(ARecordIndex) != object) {
    delete link;
    return nullptr;
  }
  if (link) object->SetLinkObject(ARelationIndex, link);
  return link;
}

TObject* TcxCustomDataController::GetDetailLinkObject(int ARecordIndex, int ARelationIndex) {
  TObject* link = DoGetDetailLinkObject(ARecordIndex, ARelationIndex);
  if (!link && !detailLinkRetryGuard_) {
    detailLinkRetryGuard_ = true;
    try {
      link = DoGetDetailLinkObject(ARecordIndex, ARelationIndex);
    } catch (...) {
      detailLinkRetryGuard_ = false;
      throw;
    }
    detailLinkRetryGuard_ = false;
  }
  return link;
}

TcxCustomDataController* TcxCustomDataController::GetDetailDataController(int ARecordIndex,
                                                                          int ARelationIndex) {
  return GetDetailDataControllerByLinkObject(GetDetailLinkObject(ARecordIndex, ARelationIndex));
}

void TcxCustomDataController::ForEachDetail(TcxCustomDataRelation* ARelation,
                                            const TcxForEachDetailProc& AProc, void* AData) {
  std::deque<int> path;
  TcxCustomDataRelation* relation = ARelation;
  while (relation) {
    path.push_front(relation->GetIndex());
    TcxCustomDataController* owner = relation->GetDataController();
    relation = owner ? owner->GetMasterRelation() : nullptr;
  }
  std::function<void(TcxCustomDataController*, size_t)> visit = [&](TcxCustomDataController* controller,
                                                                    size_t depth) {
    if (!controller->relations_ || !controller->relations_->DetailField()) return;
    for (int record = 0; record < controller->GetRecordCount(); ++record) {
      TcxDetailObject* object = controller->relations_->StoredDetailObject(record);
      if (!object) continue;
      TObject* link = object->GetLinkObject(path[depth]);
      TcxCustomDataController* detail =
          link ? controller->GetDetailDataControllerByLinkObject(link) : nullptr;
      if (!detail) continue;
      if (depth + 1 == path.size())
        AProc(AData, detail);
      else
        visit(detail, depth + 1);
    }
  };
  if (!path.empty()) visit(GetRootDataController(), 0);
}
