// Standard actions that run a dialog of their own: TFileOpen shows its open dialog, with
// BeforeExecute before it and OnAccept (or OnCancel) after it.
#pragma once

#include "platform/forms/ActnList.h"
#include "platform/forms/Dialogs.h"

class TCommonDialogAction : public TCustomAction {
  TRENVIK_CLASS(TCommonDialogAction, TCustomAction);

 public:
  explicit TCommonDialogAction(TComponent* AOwner) : TCustomAction(AOwner) {}
  // Such an action acts on its own dialog: any target will do, so it is always usable.
  bool HandlesTarget(TObject*) override { return true; }
  void ExecuteTarget(TObject* Target) override;
  TNotifyEvent BeforeExecute;
  TNotifyEvent OnAccept;
  TNotifyEvent OnCancel;

 protected:
  virtual TCommonDialog* CommonDialog() const = 0;
  bool DispatchToTargets(bool Execute) override;
};

class TFileOpen : public TCommonDialogAction {
  TRENVIK_CLASS(TFileOpen, TCommonDialogAction);

 public:
  explicit TFileOpen(TComponent* AOwner);
  TOpenDialog* Dialog() const { return dialog_; }

 protected:
  TCommonDialog* CommonDialog() const override { return dialog_; }

 private:
  TOpenDialog* dialog_;
};
