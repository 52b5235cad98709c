// Start-up of the standard controls: the native window classes and the class registry entries
// form resources create the controls through.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/ModuleInit.h"

namespace {

void InitStdControls() {
  RegisterClasses({TEdit::StaticClass(), TMemo::StaticClass(), TLabel::StaticClass(),
                   TStaticText::StaticClass(), TButton::StaticClass(), TCheckBox::StaticClass(),
                   TRadioButton::StaticClass(), TGroupBox::StaticClass(), TListBox::StaticClass(),
                   TCheckListBox::StaticClass(), TPanel::StaticClass(), TSplitter::StaticClass(),
                   TSpeedButton::StaticClass(), TLabeledEdit::StaticClass(), TOpenDialog::StaticClass(),
                   TSaveDialog::StaticClass(), TOpenPictureDialog::StaticClass(),
                   TSavePictureDialog::StaticClass()});
}

void FinalizeStdControls() {}

}  // namespace

void RegisterStdControlsModules() {
  RegisterNativeControlsModules();
  RegisterModule("Forms.StdCtrls", kRankForms + 35, &InitStdControls, &FinalizeStdControls);
}
