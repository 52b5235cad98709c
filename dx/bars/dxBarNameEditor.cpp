#include "dx/bars/dxBarNameEditor.h"

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "platform/rtl/StringTable.h"
#include "platform/rtl/Format.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarNameEd)

namespace {

int NameEditorCaption(TdxBarNameKind Kind, TdxBarNameMode Mode) {
  if (Kind == nkToolbar) return Mode == nmRename ? dxSBAR_RENAMETOOLBARCAPTION : dxSBAR_NEWTOOLBARNAME;
  switch (Mode) {
    case nmNew: return dxSBAR_ADDCATEGORYCAPTION;
    case nmInsert: return dxSBAR_INSERTCATEGORYCAPTION;
    case nmRename: break;
  }
  return dxSBAR_RENAMECATEGORYCAPTION;
}

}  // namespace

TdxBarNameEd::TdxBarNameEd(TdxBarNameKind Kind, TdxBarNameMode Mode, TdxBar* Bar, TdxBarManager* Manager, TFont* Font)
    : TForm(nullptr), kind_(Kind), bar_(Bar), manager_(Manager) {
  if (Font) this->Font()->Assign(Font);
  SetBorderStyle(bsDialog);
  SetBorderIcons({});
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetClientSize(266, 87);
  SetCaption(LoadResString(NameEditorCaption(Kind, Mode)));

  LName = new TLabel(this);
  LName->SetParent(this);
  LName->SetBounds(8, 10, 250, 16);
  LName->SetCaption(LoadResString(Kind == nkToolbar ? dxSBAR_TOOLBARNAME : dxSBAR_CATEGORYNAME));
  EName = new TEdit(this);
  EName->SetParent(this);
  EName->SetBounds(8, 28, 250, 21);
  LName->SetFocusControl(EName);
  BOK = new TButton(this);
  BOK->SetParent(this);
  BOK->SetBounds(102, 56, 75, 25);
  BOK->SetCaption(LoadResString(dxSBAR_BUTTONOK));
  BOK->SetDefault(true);
  BOK->SetModalResult(mrOk);
  BCancel = new TButton(this);
  BCancel->SetParent(this);
  BCancel->SetBounds(183, 56, 75, 25);
  BCancel->SetCaption(LoadResString(dxSBAR_BUTTONCANCEL));
  BCancel->SetCancel(true);
  BCancel->SetModalResult(mrCancel);
  SetActiveControl(EName);

  EName->OnChange = [this](TObject*) { BOK->SetEnabled(!EName->Text().empty()); };
  OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = ModalResult() != mrOk || NameAccepted(); };
}

bool TdxBarNameEd::NameAccepted() {
  if (kind_ != nkToolbar) return true;
  String name = EName->Text();
  TdxBar* holder = manager_->BarByCaption(name);
  if (!holder || holder == bar_) return true;
  Application->MessageBox(Format(LoadResString(dxSBAR_TOOLBAREXISTS), {name}), Application->Title(),
                          MB_OK | MB_ICONERROR);
  return false;
}

bool ExecuteNameEditor(String& Name, TdxBarNameKind Kind, TdxBarNameMode Mode, TdxBar* Bar, TdxBarManager* Manager,
                       TFont* Font) {
  auto dialog = std::make_unique<TdxBarNameEd>(Kind, Mode, Bar, Manager, Font);
  dialog->EName->SetText(Name);
  dialog->BOK->SetEnabled(!Name.empty());
  if (dialog->ShowModal() != mrOk) return false;
  Name = dialog->EName->Text();
  return true;
}
