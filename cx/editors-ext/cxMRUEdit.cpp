// The MRU edit: texts entered move to the top of the list, which keeps at most MaxItemCount items.
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxClasses.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomMRUEditProperties)
using MRUProps = TcxCustomMRUEditProperties;
TRENVIK_PUBLISHED(TcxMRUEditProperties) {
  PublishTextEditSettings(P);
  PublishMaskSettings(P);
  P.Property("MaxItemCount", &MRUProps::MaxItemCount, &MRUProps::SetMaxItemCount).Default(0);
  P.Property("ShowEllipsis", &MRUProps::ShowEllipsis, &MRUProps::SetShowEllipsis).Default(true);
  PublishTextEditEvents(P);
  P.Event("OnButtonClick", &MRUProps::OnEllipsisClick);
}
TRENVIK_IMPLEMENT_CLASS(TcxCustomMRUEdit)
TRENVIK_PUBLISHED(TcxMRUEdit) { PublishTextEditControl(P); }

namespace {

constexpr int kEllipsisButton = 1;

void TrimMRUItems(TStrings* AItems, int AMaxCount) {
  if (AMaxCount <= 0) return;
  while (AItems->Count() > AMaxCount) AItems->Delete(AItems->Count() - 1);
}

}  // namespace

void cxMRUAddItem(TStrings* AItems, const String& AText, int AMaxCount) {
  if (AText.empty()) return;
  const int index = AItems->IndexOf(AText);
  if (index >= 0) {
    AItems->Move(index, 0);
  } else {
    AItems->Insert(0, AText);
    TrimMRUItems(AItems, AMaxCount);
  }
}

TcxCustomMRUEditProperties::TcxCustomMRUEditProperties(TPersistent* AOwner) : TcxCustomComboBoxProperties(AOwner) {
  TcxEditButton* ellipsis = Buttons()->Add();
  ellipsis->Kind = bkEllipsis;
  ellipsis->Default = true;
  SetDropDownListStyle(lsEditList);
}

void TcxCustomMRUEditProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomMRUEditProperties*>(Source);
  if (!source) return;
  SetMaxItemCount(source->MaxItemCount());
  SetShowEllipsis(source->ShowEllipsis());
  OnEllipsisClick = source->OnEllipsisClick;
}

void TcxCustomMRUEditProperties::SetMaxItemCount(int Value) {
  Value = std::max(0, Value);
  if (maxItemCount_ == Value) return;
  maxItemCount_ = Value;
  TrimMRUItems(LookupItems(), maxItemCount_);
  Changed();
}

void TcxCustomMRUEditProperties::SetShowEllipsis(bool Value) {
  if (showEllipsis_ == Value) return;
  showEllipsis_ = Value;
  TcxUpdateScope update(this);
  if (Buttons()->Count() > kEllipsisButton) Buttons()->Items(kEllipsisButton)->Visible = Value;
  Changed();
}

TClass TcxCustomMRUEditProperties::GetContainerClass() { return TcxMRUEdit::StaticClass(); }

void TcxCustomMRUEditProperties::Update(TcxCustomEditProperties* AProperties) {
  if (auto* mru = dynamic_cast<TcxCustomMRUEditProperties*>(AProperties)) mru->LookupItems()->Assign(LookupItems());
}

TcxCustomMRUEdit::TcxCustomMRUEdit(TComponent* AOwner) : TcxCustomComboBox(AOwner) { CreateProperties(); }

void TcxCustomMRUEdit::AddItem(const String& AText) {
  cxMRUAddItem(ActiveProperties()->LookupItems(), AText, ActiveProperties()->MaxItemCount());
}

void TcxCustomMRUEdit::BeginPosting() {
  inherited::BeginPosting();
  if (CanModify()) AddItem(Text());
}

bool TcxCustomMRUEdit::Deactivate() {
  const bool result = inherited::Deactivate();
  if (Text() != textAtEntry_ && CanModify()) AddItem(Text());
  return result;
}

void TcxCustomMRUEdit::DoButtonClick(int AVisibleIndex) {
  inherited::DoButtonClick(AVisibleIndex);
  const int index = ActiveProperties()->Buttons()->VisibleIndexToIndex(AVisibleIndex);
  if (index == kEllipsisButton && ActiveProperties()->OnEllipsisClick) ActiveProperties()->OnEllipsisClick(this);
}

void TcxCustomMRUEdit::DoEnter() {
  inherited::DoEnter();
  textAtEntry_ = Text();
}

void InitializeMRUEdit() {
  GetRegisteredEditProperties()->Register(TcxMRUEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditMRUEditDescription));
}
