// The filter builder dialog: texts and remembered bounds, Open, Save As, Apply, OK and Esc.
#include "cx/grid/cxFilterControlDialog.h"

#include <memory>

#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxLookAndFeels.h"
#include "cx/grid/cxFilterDialog.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Format.h"
#include "platform/win/Input.h"

TRENVIK_PUBLISHED(TfmFilterControlDialog) {
  P.Field("pnlBottom", &TfmFilterControlDialog::pnlBottom);
  P.Field("btOpen", &TfmFilterControlDialog::btOpen);
  P.Field("btSave", &TfmFilterControlDialog::btSave);
  P.Field("btOk", &TfmFilterControlDialog::btOk);
  P.Field("btCancel", &TfmFilterControlDialog::btCancel);
  P.Field("btApply", &TfmFilterControlDialog::btApply);
  P.Field("FilterControl", &TfmFilterControlDialog::FilterControl);
  P.Field("OpenDialog", &TfmFilterControlDialog::OpenDialog);
  P.Field("SaveDialog", &TfmFilterControlDialog::SaveDialog);
}

TcxFilterBuilderBounds& cxFilterBuilderBounds() {
  static TcxFilterBuilderBounds bounds;
  return bounds;
}

void TfmFilterControlDialog::Init(TComponent* ALinkComponent, TcxLookAndFeel* ALookAndFeel, TColor AColor,
                                  TNotifyEvent AOnShow, TNotifyEvent AOnApply) {
  RequireFieldComponents(this);
  if (ALookAndFeel) {
    for (TcxButton* button : {btOpen, btSave, btOk, btCancel, btApply})
      button->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
    FilterControl->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
  }
  FilterControl->SetLinkComponent(ALinkComponent);
  if (AColor != clDefault) FilterControl->SetColor(AColor);
  FilterControl->OnApplyFilter = std::move(AOnApply);

  const String filter = cxGetResourceString(cxSFilterBuilderFileFilter);
  OpenDialog->SetTitle(cxGetResourceString(cxSFilterBuilderOpenTitle));
  SaveDialog->SetTitle(cxGetResourceString(cxSFilterBuilderSaveTitle));
  for (TOpenDialog* dialog : {OpenDialog, static_cast<TOpenDialog*>(SaveDialog)}) {
    dialog->SetDefaultExt(u"flt");
    dialog->SetFilter(filter);
  }
  SetFileName(cxGetResourceString(cxSFilterBuilderUntitled));
  btSave->SetCaption(cxGetResourceString(cxSFilterBuilderSaveAs));
  btOpen->SetCaption(cxGetResourceString(cxSFilterBuilderOpen));
  btApply->SetCaption(cxGetResourceString(cxSFilterBuilderApply));
  btOk->SetCaption(cxGetResourceString(cxSFilterDialogOk));
  btCancel->SetCaption(cxGetResourceString(cxSFilterDialogCancel));
  btOpen->OnClick = [this](TObject*) { OpenClick(); };
  btSave->OnClick = [this](TObject*) { SaveClick(); };
  btApply->OnClick = [this](TObject*) { FilterControl->ApplyFilter(); };
  OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    SetModalResult(mrCancel);
  };
  OnShow = std::move(AOnShow);

  // Where it was last closed; the kept place is not checked against the screen.
  const TcxFilterBuilderBounds& kept = cxFilterBuilderBounds();
  if (kept.Left != -1 && kept.Top != -1) {
    SetPosition(poDesigned);
    SetLeft(kept.Left);
    SetTop(kept.Top);
  } else {
    SetPosition(poScreenCenter);
  }
  if (kept.Width > 0) SetWidth(kept.Width);
  if (kept.Height > 0) SetHeight(kept.Height);
}

void TfmFilterControlDialog::SetFileName(const String& AFileName) {
  fileName_ = AFileName;
  SaveDialog->SetFileName(AFileName);
  SetCaption(Format(u"%s - [%s]", {cxGetResourceString(cxSFilterBuilderCaption), AFileName}));
}

void TfmFilterControlDialog::OpenClick() {
  OpenDialog->SetFileName(String());
  if (!OpenDialog->Execute()) return;
  FilterControl->LoadFromFile(OpenDialog->FileName());
  SetFileName(OpenDialog->FileName());
}

void TfmFilterControlDialog::SaveClick() {
  if (!SaveDialog->Execute()) return;
  FilterControl->SaveToFile(SaveDialog->FileName());
  SetFileName(SaveDialog->FileName());
}

bool TfmFilterControlDialog::CloseQuery() {
  // An invalid row raises here; the modal loop shows it and the dialog stays.
  if (ModalResult() == mrOk) FilterControl->ApplyFilter();
  return TForm::CloseQuery();
}

void TfmFilterControlDialog::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  cxFilterBuilderBounds() = TcxFilterBuilderBounds{Left(), Top(), Width(), Height()};
}

bool ShowFilterBuilderDialog(TComponent* ALinkComponent, TcxLookAndFeel* ALookAndFeel, TColor AColor,
                             TNotifyEvent AOnShow, TNotifyEvent AOnApply) {
  std::unique_ptr<TfmFilterControlDialog> dialog(NewForm<TfmFilterControlDialog>(Application));
  dialog->Init(ALinkComponent, ALookAndFeel, AColor, std::move(AOnShow), std::move(AOnApply));
  return dialog->ShowModal() == mrOk;
}
