// Start-up of the toolbar library: its texts, the library-wide services and its cursors.
#include "dx/bars/dxBarButtonControl.h"
#include "dx/bars/dxBarGroup.h"
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
  RegisterClass(TdxBarGroup::StaticClass());
  RegisterBarItemClass(TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true);
  for (const TBarCursor& c : kBarCursors) Screen->SetCursors(c.Index, LoadCursor(nullptr, c.Name));
}

void FinalizeBarsModule() {
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
