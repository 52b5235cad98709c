// The open and save dialogs: a form listing a folder's sub-folders and the files of the chosen
// filter, usable from the keyboard (Tab between the parts, Enter to open a folder or accept).
#include "platform/classes/Published.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Picture.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCommonDialog)

TRENVIK_PUBLISHED(TOpenDialog) {
  P.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  P.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  P.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  P.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
  P.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  P.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions);
  P.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
  P.Event("OnCanClose", &TOpenDialog::OnCanClose);
  P.Event("OnClose", &TOpenDialog::OnClose);
  P.Event("OnFolderChange", &TOpenDialog::OnFolderChange);
  P.Event("OnSelectionChange", &TOpenDialog::OnSelectionChange);
  P.Event("OnShow", &TOpenDialog::OnShow);
  P.Event("OnTypeChange", &TOpenDialog::OnTypeChange);
}

TRENVIK_IMPLEMENT_CLASS(TSaveDialog)
TRENVIK_IMPLEMENT_CLASS(TOpenPictureDialog)
TRENVIK_IMPLEMENT_CLASS(TSavePictureDialog)

namespace {

const char16_t kUp[] = u"..";

// The dialog's window. The entries of the list are the model's, after ".." (unless at the root).
class TFileDialogForm : public TForm {
 public:
  TFileDialogForm(TOpenDialog& Dialog, TFileDialogModel& Model, bool Save, const String& Title)
      : TForm(nullptr), dialog_(Dialog), model_(Model), save_(Save) {
    SetCaption(Title);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(440);
    SetClientHeight(310);
    folderLabel_ = Label(u"Look &in:", 8, 12);
    folder_ = new TEdit(this);
    Place(folder_, 96, 8, 336, 21);
    folder_->SetReadOnly(true);
    folder_->SetTabStop(false);
    list_ = new TListBox(this);
    Place(list_, 8, 36, 424, 180);
    list_->SetMultiSelect(Dialog.Options().Contains(ofAllowMultiSelect));
    list_->OnClick = [this](TObject*) { ListSelected(); };
    list_->OnDblClick = [this](TObject*) { Open(); };
    list_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
      if (Key == VK_BACK) {
        Key = 0;
        Navigate(u"..");
      }
    };
    nameLabel_ = Label(u"File &name:", 8, 230);
    name_ = new TEdit(this);
    Place(name_, 96, 226, 240, 21);
    nameLabel_->SetFocusControl(name_);
    typeLabel_ = Label(Save ? u"Save as &type:" : u"Files of &type:", 8, 258);
    types_ = new TListBox(this);
    Place(types_, 96, 254, 240, 48);
    typeLabel_->SetFocusControl(types_);
    for (const TFileFilter& f : model_.Filters()) types_->Items()->Add(f.Description);
    types_->OnClick = [this](TObject*) { TypeSelected(); };
    ok_ = new TButton(this);
    Place(ok_, 352, 224, 80, 25);
    ok_->SetCaption(Save ? u"&Save" : u"&Open");
    ok_->SetDefault(true);
    ok_->OnClick = [this](TObject*) { Open(); };
    cancel_ = new TButton(this);
    Place(cancel_, 352, 256, 80, 25);
    cancel_->SetCaption(u"Cancel");
    cancel_->SetCancel(true);
    cancel_->SetModalResult(mrCancel);
    folderLabel_->SetFocusControl(list_);
    // Tab order: the name, the list, the types, the buttons.
    name_->SetTabOrder(0);
    list_->SetTabOrder(1);
    types_->SetTabOrder(2);
    ok_->SetTabOrder(3);
    cancel_->SetTabOrder(4);
    if (!model_.Filters().empty()) types_->SetItemIndex(model_.FilterIndex() - 1);
    Fill();
    SetActiveControl(name_);
  }

  void SetInitialName(const String& Name) { name_->SetText(Name); }
  const std::vector<String>& Accepted() const { return accepted_; }

 private:
  TLabel* Label(const String& Caption, int X, int Y) {
    auto* l = new TLabel(this);
    l->SetParent(this);
    l->SetLeft(X);
    l->SetTop(Y);
    l->SetCaption(Caption);
    return l;
  }

  void Place(TControl* C, int X, int Y, int W, int H) {
    C->SetParent(this);
    C->SetBounds(X, Y, W, H);
  }

  bool AtRoot() const { return model_.Folder() == u"/"; }

  // The model's entry at a list index (nullptr for "..").
  const TFolderEntry* Entry(int Index) const {
    int offset = AtRoot() ? 0 : 1;
    if (Index < offset || Index - offset >= static_cast<int>(model_.Entries().size())) return nullptr;
    return &model_.Entries()[static_cast<size_t>(Index - offset)];
  }

  void Fill() {
    folder_->SetText(model_.Folder());
    TStrings* items = list_->Items();
    items->BeginUpdate();
    items->Clear();
    if (!AtRoot()) items->Add(kUp);
    for (const TFolderEntry& e : model_.Entries()) items->Add(e.IsFolder ? u"[" + e.Name + u"]" : e.Name);
    items->EndUpdate();
    if (items->Count() > 0) list_->SetItemIndex(0);
  }

  void Navigate(const String& Folder) {
    bool moved = Folder == kUp ? model_.GoUp() : model_.SetFolder(Folder);
    if (!moved) return;
    Fill();
    if (dialog_.OnFolderChange) dialog_.OnFolderChange(&dialog_);
  }

  void ListSelected() {
    const TFolderEntry* e = Entry(list_->ItemIndex());
    if (e && !e->IsFolder) {
      if (list_->MultiSelect() && list_->SelCount() > 1) {
        String names;
        for (int i = 0; i < list_->Count(); ++i)
          if (list_->Selected(i))
            if (const TFolderEntry* s = Entry(i); s && !s->IsFolder) names += u"\"" + s->Name + u"\" ";
        name_->SetText(Trim(names));
      } else {
        name_->SetText(e->Name);
      }
    }
    if (dialog_.OnSelectionChange) dialog_.OnSelectionChange(&dialog_);
  }

  void TypeSelected() {
    if (types_->ItemIndex() < 0) return;
    model_.SetFilterIndex(types_->ItemIndex() + 1);
    Fill();
    if (dialog_.OnTypeChange) dialog_.OnTypeChange(&dialog_);
  }

  int Warn(const String& Text, UINT Buttons) {
    return MessageBox(Handle(), Text, Caption(), Buttons | MB_ICONWARNING);
  }

  // Enter, the Open/Save button or a double click.
  void Open() {
    // A folder chosen in the list opens.
    if (ActiveControl() == list_ || list_->Focused()) {
      int index = list_->ItemIndex();
      const TFolderEntry* e = Entry(index);
      if (index >= 0 && !e) {
        Navigate(kUp);
        return;
      }
      if (e && e->IsFolder) {
        Navigate(IncludeTrailingPathDelimiter(model_.Folder()) + e->Name);
        return;
      }
    }
    std::vector<String> chosen;
    String typed = Trim(name_->Text());
    if (list_->MultiSelect() && !typed.empty() && typed[0] == u'"') {
      for (size_t i = 0; i < typed.size();) {
        size_t open = typed.find(u'"', i);
        if (open == String::npos) break;
        size_t close = typed.find(u'"', open + 1);
        if (close == String::npos) break;
        chosen.push_back(typed.substr(open + 1, close - open - 1));
        i = close + 1;
      }
    } else {
      chosen.push_back(typed);
    }
    std::vector<String> paths;
    for (const String& name : chosen) {
      TFileNameAction a = model_.Resolve(name, dialog_.DefaultExt(), dialog_.Options(), save_);
      switch (a.Kind) {
        case TFileNameAction::Navigate:
          name_->SetText(String());
          Navigate(a.Path);
          return;
        case TFileNameAction::SetMask:
          model_.SetMask(a.Mask);
          Fill();
          return;
        case TFileNameAction::Invalid:
          if (!a.Message.empty()) Warn(a.Message, MB_OK);
          return;
        case TFileNameAction::Accept:
          paths.push_back(a.Path);
          break;
      }
    }
    for (const String& p : paths) {
      if (save_ && dialog_.Options().Contains(ofOverwritePrompt) && FileExists(p) &&
          Warn(p + u" already exists.\r\nDo you want to replace it?", MB_YESNO) != IDYES)
        return;
      if (!save_ && dialog_.Options().Contains(ofCreatePrompt) && !FileExists(p) &&
          Warn(p + u" does not exist.\r\nDo you want to create it?", MB_YESNO) != IDYES)
        return;
    }
    accepted_ = paths;
    bool canClose = true;
    if (dialog_.OnCanClose) dialog_.OnCanClose(&dialog_, canClose);
    if (!canClose) return;
    SetModalResult(mrOk);
  }

  TOpenDialog& dialog_;
  TFileDialogModel& model_;
  bool save_;
  TLabel* folderLabel_ = nullptr;
  TLabel* nameLabel_ = nullptr;
  TLabel* typeLabel_ = nullptr;
  TEdit* folder_ = nullptr;
  TListBox* list_ = nullptr;
  TEdit* name_ = nullptr;
  TListBox* types_ = nullptr;
  TButton* ok_ = nullptr;
  TButton* cancel_ = nullptr;
  std::vector<String> accepted_;
};

}  // namespace

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

String TOpenDialog::DefaultTitle() const { return u"Open"; }

String& TOpenDialog::LastFolder() {
  static String folder;
  return folder;
}

bool TOpenDialog::Execute() {
  String start = initialDir_;
  if (start.empty() && !ExtractFileDir(fileName_).empty()) start = ExtractFileDir(fileName_);
  if (start.empty()) start = LastFolder();
  TFileDialogModel model(filter_, filterIndex_, start);
  std::unique_ptr<TFileDialogForm> form(
      new TFileDialogForm(*this, model, IsSaveDialog(), title_.empty() ? DefaultTitle() : title_));
  form->SetInitialName(ExtractFileName(fileName_));
  if (OnShow) OnShow(this);
  int result = form->ShowModal();
  if (OnClose) OnClose(this);
  filterIndex_ = model.FilterIndex();
  if (result != mrOk || form->Accepted().empty()) return false;
  files_->Clear();
  for (const String& f : form->Accepted()) files_->Add(f);
  fileName_ = form->Accepted().front();
  LastFolder() = model.Folder();
  return true;
}

String TSaveDialog::DefaultTitle() const { return u"Save As"; }

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
  SetFilter(GraphicFilter(TGraphic::StaticClass()));
}

String TSavePictureDialog::DefaultTitle() const { return u"Save As"; }
