// Start-up of the toolbar library: its texts, the library-wide services and its cursors.
#include "dx/bars/dxBarButtonControl.h"
#include "dx/bars/dxBarComboControl.h"
#include "dx/bars/dxBarEditControl.h"
#include "dx/bars/dxBarContainerItem.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "dx/bars/dxBarSystemMenu.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarPopupMenu.h"
#include "platform/classes/ClassRegistry.h"
#include "dx/bars/dxBarServices.h"
#include "dx/bars/dxBarStrs.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

#include "platform/forms/FormsModules.h"

namespace {

struct TBarCursor {
  TCursor Index;
  const char16_t* Name;
};

constexpr TBarCursor kBarCursors[] = {
    {1041, u"DXBARDRAGCURSOR"},
    {1042, u"DXBARDRAGCOPYCURSOR"},
    {1043, u"DXBARDRAGNODROPCURSOR"},
    {1044, u"DXBAREDITSIZINGCURSOR"},
};

void InitBarsModule() {
  RegisterBarTexts();
  dxbars_internal::InitServices();
  for (TClass cls : {TdxBarManager::StaticClass(), TdxBarGroup::StaticClass(), TdxBarPopupMenu::StaticClass()})
    RegisterClass(cls);
  RegisterBarItemClass(TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarEdit::StaticClass(), TdxBarEditControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarSubItem::StaticClass(), TdxBarSubItemControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarListItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarContainerItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true);
  RegisterBarItemClass(TCustomdxBarCombo::StaticClass(), TCustomdxBarComboControl::StaticClass(), false);
  RegisterBarItemClass(TdxBarCombo::StaticClass(), TdxBarComboControl::StaticClass(), true);
  RegisterBarItemClass(TSystemMenuSubItem::StaticClass(), TSystemMenuSubItemControl::StaticClass(), false);
  for (const TBarCursor& c : kBarCursors) Screen->SetCursors(c.Index, LoadCursor(nullptr, c.Name));
}

void FinalizeBarsModule() {
  UnregisterBarItemClass(TSystemMenuSubItem::StaticClass());
  UnregisterBarItemClass(TdxBarContainerItem::StaticClass());
  UnregisterBarItemClass(TdxBarListItem::StaticClass());
  UnregisterBarItemClass(TdxBarSubItem::StaticClass());
  UnregisterBarItemClass(TdxBarCombo::StaticClass());
  UnregisterBarItemClass(TCustomdxBarCombo::StaticClass());
  UnregisterBarItemClass(TdxBarEdit::StaticClass());
  UnregisterBarItemClass(TdxBarButton::StaticClass());
  dxbars_internal::FinalizeServices();
  if (!Screen) return;
  for (const TBarCursor& c : kBarCursors) Screen->SetCursors(c.Index, nullptr);
}

}  // namespace

void RegisterDxBarsModules() {
  RegisterFormsModules();
  RegisterModule("dxBar", kRankDxBars + 1, &InitBarsModule, &FinalizeBarsModule);
}
