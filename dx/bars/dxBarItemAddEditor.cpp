#include "dx/bars/dxBarItemAddEditor.h"

#include <memory>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarServices.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarItemAddEditor)

namespace {

template <class T>
T* AddEditorControl(TdxBarItemAddEditor* Form, int Left, int Top, int Width, int Height,
                    const String& Caption = String()) {
  auto* control = new T(Form);
  control->SetParent(Form);
  control->SetBounds(Left, Top, Width, Height);
  if (!Caption.empty()) control->SetCaption(Caption);
  return control;
}

}  // namespace

TdxBarItemAddEditor::TdxBarItemAddEditor(TdxBarManager* Manager, int Category, TFont* Font)
    : TForm(nullptr), BarManager(Manager) {
  if (Font) this->Font()->Assign(Font);
  SetBorderStyle(bsDialog);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetClientSize(263, 150);
  SetCaption(u"dxBar - Add New Item");

  LType = AddEditorControl<TLabel>(this, 8, 12, 60, 16, u"Type:");
  ComboBox1 = AddEditorControl<TComboBox>(this, 72, 8, 183, 21);
  LCategory = AddEditorControl<TLabel>(this, 8, 40, 60, 16, u"Category:");
  ComboBox2 = AddEditorControl<TComboBox>(this, 72, 36, 183, 21);
  LName = AddEditorControl<TLabel>(this, 8, 68, 60, 16, u"Name:");
  Edit1 = AddEditorControl<TEdit>(this, 72, 64, 183, 21);
  LCaption = AddEditorControl<TLabel>(this, 8, 96, 60, 16, u"Caption:");
  Edit2 = AddEditorControl<TEdit>(this, 72, 92, 183, 21);
  Edit2->SetText(u"New Item");
  BOk = AddEditorControl<TButton>(this, 99, 120, 75, 25, u"OK");
  BOk->SetDefault(true);
  BOk->SetModalResult(mrOk);
  BCancel = AddEditorControl<TButton>(this, 180, 120, 75, 25, u"Cancel");
  BCancel->SetCancel(true);
  BCancel->SetModalResult(mrCancel);
  LType->SetFocusControl(ComboBox1);
  LCategory->SetFocusControl(ComboBox2);
  LName->SetFocusControl(Edit1);
  LCaption->SetFocusControl(Edit2);

  ComboBox2->SetStyle(csDropDownList);
  TdxBarManagerCategories* categories = Manager->Categories();
  for (int i = 0; i < categories->Count(); ++i) ComboBox2->Items()->Add(categories->Strings(i));
  ComboBox2->SetItemIndex(Category >= 0 && Category < categories->Count() ? Category : 0);

  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->SetDropDownCount(100);
  for (int i = 0; i < RegisteredItemClassCount(); ++i)
    ComboBox1->Items()->Add(GetRegisteredItemClass(i)->ClassName());
  ComboBox1->SetItemIndex(ComboBox1->Items()->Count() > 0 ? 0 : -1);
  ComboBox1->OnChange = [this](TObject*) { Edit1->SetText(ProposeName()); };
  Edit1->SetText(ProposeName());
  SetActiveControl(Edit1);

  OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = ModalResult() != mrOk || CreateItem(); };
}

TClass TdxBarItemAddEditor::ChosenClass() {
  int index = ComboBox1->ItemIndex();
  return index >= 0 ? GetRegisteredItemClass(index) : nullptr;
}

String TdxBarItemAddEditor::ProposeName() {
  TClass itemClass = ChosenClass();
  if (!itemClass) return String();
  String base = itemClass->ClassName().substr(1);
  TComponent* form = BarManager->Owner();
  for (int n = 1;; ++n) {
    String name = base + IntToStr(n);
    bool taken = false;
    for (int i = 0; i < BarManager->ItemCount() && !taken; ++i) taken = SameText(BarManager->Items(i)->Name(), name);
    if (!taken && form) taken = form->FindComponent(name) != nullptr;
    if (!taken) return name;
  }
}

bool TdxBarItemAddEditor::CreateItem() {
  TClass itemClass = ChosenClass();
  if (!itemClass) return false;
  std::unique_ptr<TObject> made;
  try {
    made.reset(itemClass->NewInstance(BarManager->Owner()));
    auto* item = dynamic_cast<TdxBarItem*>(made.get());
    if (!item) return false;
    item->SetName(Edit1->Text());
    item->SetCategory(ComboBox2->ItemIndex());
    item->SetCaption(Edit2->Text());
    BarManager->DesignerModified();
    ABarItem = item;
  } catch (const Exception&) {
    made.reset();
    Edit1->SetText(ProposeName());
    return false;
  }
  made.release();
  return true;
}

TdxBarItem* ExecuteItemAddEditor(TdxBarManager* Manager, int Category, TFont* Font) {
  auto dialog = std::make_unique<TdxBarItemAddEditor>(Manager, Category, Font);
  return dialog->ShowModal() == mrOk ? dialog->ABarItem : nullptr;
}
