// Bars reset to what the developer designed, from the owner form's form file.
#include <algorithm>
#include <memory>
#include <vector>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarSubItem.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Filer.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

std::unique_ptr<TForm> TdxBarManager::CreateDesignTimeForm() const {
  if (!parentForm_) return nullptr;
  const String file = FindResourceFile(parentForm_->ClassName());
  if (file.empty()) return nullptr;
  TStringList lines;
  lines.LoadFromFile(file);
  const String header = u"object " + Name() + u": " + ClassName();
  int start = -1;
  for (int i = 0; i < lines.Count() && start < 0; ++i)
    if (Trim(lines.Strings(i)) == header) start = i;
  if (start < 0) return nullptr;
  const String first = lines.Strings(start);
  const String closing = first.substr(0, first.find(u'o')) + u"end";
  // The form's handlers are not the temporary form's: every "On..." line is left out.
  String text = u"object TempForm: TForm\n";
  for (int i = start; i < lines.Count(); ++i) {
    const String line = lines.Strings(i);
    if (!TrimLeft(line).starts_with(u"On")) text += line + u"\n";
    if (line == closing) break;
  }
  text += u"end\n";
  TMemoryStream binary;
  ObjectTextToBinary(text, &binary);
  binary.SetPosition(0);
  auto temp = std::make_unique<TForm>(nullptr);
  {
    SetRebuildingDesignForm(true);
    TScopeExit rebuilt([] { SetRebuildingDesignForm(false); });
    TReader(&binary).ReadRootComponent(temp.get());
  }
  // Freeing the copy must not overwrite the user's stored layout.
  if (TdxBarManager* copy = BarManagerByForm(temp.get())) {
    copy->SetStoreInIniFile(false);
    copy->SetStoreInRegistry(false);
  }
  return temp;
}

namespace {

// The sub items a reset bar shows get their designed links back, and so do the sub items in their
// menus (each once).
void ResetSubItemsFromDesign(TdxBarItemLinks* Links, TForm* Design, std::vector<TCustomdxBarSubItem*>& Done) {
  for (int i = 0; i < Links->Count(); ++i) {
    auto* sub = dynamic_cast<TCustomdxBarSubItem*>(Links->Items(i)->Item());
    if (!sub || sub->Name().empty() || std::find(Done.begin(), Done.end(), sub) != Done.end()) continue;
    Done.push_back(sub);
    auto* designed = dynamic_cast<TCustomdxBarSubItem*>(Design->FindComponent(sub->Name()));
    if (!designed) continue;
    sub->ItemLinks()->Assign(designed->ItemLinks());
    sub->ItemLinks()->CopyUsageFrom(designed->ItemLinks());
    ResetSubItemsFromDesign(sub->ItemLinks(), Design, Done);
  }
}

}  // namespace

void TdxBar::Reset() {
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  std::unique_ptr<TForm> temp = manager->CreateDesignTimeForm();
  TdxBarManager* design = temp ? BarManagerByForm(temp.get()) : nullptr;
  if (!design || Index() >= design->Bars()->Count()) return;
  TdxBar* designed = design->Bars()->Items(Index());
  if (manager->OnBarBeforeReset) manager->OnBarBeforeReset(manager, this);
  SetResettingFromDesign(true);
  TScopeExit resetting([] { SetResettingFromDesign(false); });
  const bool visible = visible_;
  // The bar's window is made again for its new links (and, with a full reset, its new place).
  SetVisible(false);
  if (manager->UseFullReset())
    Assign(designed);
  else
    itemLinks_->Assign(designed->ItemLinks());
  itemLinks_->CopyUsageFrom(designed->ItemLinks());
  std::vector<TCustomdxBarSubItem*> done;
  ResetSubItemsFromDesign(itemLinks_.get(), temp.get(), done);
  SetVisible(false);
  SetVisible(visible);
  if (manager->OnBarAfterReset) manager->OnBarAfterReset(manager, this);
}

void TdxBarManager::ConfirmBarReset(TdxBar* Bar) {
  const String question = Format(LoadResString(dxSBAR_WANTTORESETTOOLBAR), {Bar->Caption()});
  if (Application->MessageBox(question, Application->Title(), MB_OKCANCEL | MB_ICONWARNING) == IDOK) Bar->Reset();
}

void TdxBarManager::ResetUsageData() {
  std::unique_ptr<TForm> temp = CreateDesignTimeForm();
  TdxBarManager* design = temp ? BarManagerByForm(temp.get()) : nullptr;
  if (!design) return;
  const bool locked = lockUpdate_;
  SetLockUpdate(true);
  TScopeExit restore([&] { SetLockUpdate(locked); });
  for (TdxBarItem* item : items_) {
    auto* sub = dynamic_cast<TCustomdxBarSubItem*>(item);
    auto* designed = sub ? dynamic_cast<TCustomdxBarSubItem*>(temp->FindComponent(sub->Name())) : nullptr;
    if (designed) sub->ItemLinks()->CopyUsageFrom(designed->ItemLinks());
  }
  for (int i = 0; i < bars_->Count() && i < design->Bars()->Count(); ++i)
    bars_->Items(i)->ItemLinks()->CopyUsageFrom(design->Bars()->Items(i)->ItemLinks());
}

void TdxBarManager::ConfirmResetUsageData() {
  if (Application->MessageBox(LoadResString(dxSBAR_WANTTORESETUSAGEDATA), Application->Title(),
                              MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
    ResetUsageData();
}
