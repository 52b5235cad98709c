#include <algorithm>

#include "cx/grid/cxStyles.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TcxCustomStyleSheet) {
  P.Property("Caption", &TcxCustomStyleSheet::Caption, &TcxCustomStyleSheet::SetCaption)
      .Stored(&TcxCustomStyleSheet::IsCaptionStored);
}

TcxCustomStyleSheet::TcxCustomStyleSheet(TComponent* AOwner) : TcxComponent(AOwner) {}

TcxCustomStyleSheet::~TcxCustomStyleSheet() {
  while (!users_.empty()) users_.back()->SetStyleSheet(nullptr);
  SetStyleRepository(nullptr);
}

TClass TcxCustomStyleSheet::GetStylesClass() const { return TcxCustomStyles::StaticClass(); }

// Made on first use: the class comes from a virtual operation of the most derived sheet.
TcxCustomStyles* TcxCustomStyleSheet::Styles() {
  if (!styles_) {
    styles_.reset(dynamic_cast<TcxCustomStyles*>(GetStylesClass()->NewInstance(this)));
    if (!styles_) throw EInvalidCast(S("Invalid class typecast"));
    styles_->SetOwnerStyleSheet(this);
  }
  return styles_.get();
}

void TcxCustomStyleSheet::SetStyles(TcxCustomStyles* Value) { Styles()->Assign(Value); }

void TcxCustomStyleSheet::SetCaption(const String& Value) {
  if (Value == caption_) return;
  caption_ = SameText(Value, Name()) ? String() : Value;
}

void TcxCustomStyleSheet::SetStyleRepository(TcxStyleRepository* Value) {
  if (repository_ == Value) return;
  if (repository_) std::erase(repository_->sheets_, this);
  repository_ = Value;
  if (repository_ && std::find(repository_->sheets_.begin(), repository_->sheets_.end(), this) ==
                         repository_->sheets_.end())
    repository_->sheets_.push_back(this);
}

TComponent* TcxCustomStyleSheet::GetParentComponent() const { return repository_; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* Value) {
  if (ComponentState().Contains(csLoading)) return;
  auto* repository = dynamic_cast<TcxStyleRepository*>(Value);
  if (Value && !repository) throw EInvalidCast(S("Invalid class typecast"));
  SetStyleRepository(repository);
}

void TcxCustomStyleSheet::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* repository = dynamic_cast<TcxStyleRepository*>(Reader->Parent())) SetStyleRepository(repository);
}

void TcxCustomStyleSheet::AddUser(TcxCustomStyles* AStyles) {
  if (std::find(users_.begin(), users_.end(), AStyles) == users_.end()) users_.push_back(AStyles);
}

void TcxCustomStyleSheet::RemoveUser(TcxCustomStyles* AStyles) { std::erase(users_, AStyles); }

void TcxCustomStyleSheet::StyleSheetChanged(int AIndex) {
  const auto users = users_;
  for (TcxCustomStyles* user : users) user->Changed(AIndex);
  UpdateFakeLinks();
}

void TcxCustomStyleSheet::GetFakeComponentLinks(std::vector<TComponent*>& AList) {
  if (!Owner()) return;
  for (int i = 0; i < Styles()->EntryCount(); ++i) {
    TComponent* owner = Styles()->EntryStyle(i)->Owner();
    if (owner && owner != Owner() && std::find(AList.begin(), AList.end(), owner) == AList.end())
      AList.push_back(owner);
  }
}
