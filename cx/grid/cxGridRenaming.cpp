// A renamed grid renames the views and levels whose names start with its old name.
#include <functional>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomView.h"
#include "platform/rtl/StrUtils.h"

namespace {

void RenameByPrefix(TComponent* AChild, const String& AOldPrefix, const String& ANewPrefix) {
  const String& name = AChild->Name();
  if (name.size() <= AOldPrefix.size() || !SameText(name.substr(0, AOldPrefix.size()), AOldPrefix)) return;
  try {
    AChild->SetName(ANewPrefix + name.substr(AOldPrefix.size()));
  } catch (const EComponentError&) {
    // A taken name leaves this child as it was; the others are still renamed.
  }
}

void CollectLevels(TcxGridLevel* ALevel, std::vector<TcxGridLevel*>& AList) {
  if (!ALevel->Name().empty()) AList.push_back(ALevel);
  for (int i = 0; i < ALevel->Count(); ++i) CollectLevels(ALevel->Items(i), AList);
}

}  // namespace

void TcxCustomGrid::SetName(const String& NewName) {
  const String oldName = Name();
  const Integer tag = Tag();
  inherited::SetName(NewName);
  if (Name() != oldName && !oldName.empty()) RenameChildren(oldName);
  SetTag(tag);
}

void TcxCustomGrid::RenameChildren(const String& AOldName) {
  const auto views = views_;
  for (TcxCustomGridView* view : views)
    if (view->Owner() == Owner()) RenameByPrefix(view, AOldName, Name());
  std::vector<TcxGridLevel*> levels;
  CollectLevels(RootLevel(), levels);
  for (TcxGridLevel* level : levels) RenameByPrefix(level, AOldName, Name());
}
