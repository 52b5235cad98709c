#include "platform/forms/StdActns.h"

#include "platform/classes/Published.h"
#include "platform/forms/Menus.h"

TRENVIK_PUBLISHED(TCommonDialogAction) {
  P.Event("BeforeExecute", &TCommonDialogAction::BeforeExecute);
  P.Event("OnAccept", &TCommonDialogAction::OnAccept);
  P.Event("OnCancel", &TCommonDialogAction::OnCancel);
}

TRENVIK_PUBLISHED(TFileOpen) { P.Property("Dialog", &TFileOpen::Dialog); }

void TCommonDialogAction::ExecuteTarget(TObject*) {
  if (BeforeExecute) BeforeExecute(this);
  if (CommonDialog()->Execute()) {
    if (OnAccept) OnAccept(this);
  } else if (OnCancel) {
    OnCancel(this);
  }
}

bool TCommonDialogAction::DispatchToTargets(bool Execute) {
  if (Execute) ExecuteTarget(nullptr);
  return true;
}

TFileOpen::TFileOpen(TComponent* AOwner) : TCommonDialogAction(AOwner), dialog_(new TOpenDialog(this)) {
  dialog_->SetName(u"OpenDialog");
  SetCaption(u"&Open...");
  SetHint(u"Open|Opens an existing file");
  SetShortCut(::ShortCut('O', TShiftState{ssCtrl}));
}
