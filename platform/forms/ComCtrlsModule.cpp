// Start-up of the common controls: the class registry entries form resources create them by.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/FormsModules.h"
#include "platform/forms/ResourceCursors.h"
#include "platform/rtl/ModuleInit.h"

namespace {

void InitComCtrls() {
  RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TBevel::StaticClass(), TBitBtn::StaticClass(),
                   TComboBox::StaticClass(), TComboBoxEx::StaticClass(), TListView::StaticClass(),
                   TDateTimePicker::StaticClass(), TAnimate::StaticClass(), TDataModule::StaticClass(),
                   TTreeView::StaticClass()});
}

}  // namespace

void RegisterComCtrlsModules() {
  RegisterModule("Forms.ResourceCursors", kRankForms + 6, &InstallResourceCursorLoader, &RemoveResourceCursorLoader);
  RegisterModule("Forms.ComCtrls", kRankForms + 36, &InitComCtrls, nullptr);
}
