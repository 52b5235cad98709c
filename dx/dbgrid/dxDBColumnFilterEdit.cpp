// The stand-alone editors of the custom filter dialog and the column's operations on its value
// editor: filter values are typed as text; the dialog converts them to the column's value type.
#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "dx/editors/dxDateRoutines.h"
#include "dx/editors/dxTextEdit.h"

namespace {

// An editor class of the same kind as Meta's whose editors stand alone on a dialog.
template <class Meta>
class TdxStandAloneMetaClass : public Meta {
 public:
  bool IsInplace() const override { return false; }
};

}  // namespace

#define TRENVIK_FILTER_EDITOR_CLASS(Name, Meta)                                       \
  TRENVIK_IMPLEMENT_CLASS(Name)                                                       \
  TdxInplaceEditClass Name::StaticEditClass() {                                       \
    static const TdxEditClassOf<Name, TdxStandAloneMetaClass<Meta>> editClass(#Name); \
    return &editClass;                                                                \
  }

TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterEdit, TdxTextEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TdxFilterDialogComboEdit, TdxImageEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterDateEdit, TdxDropDownEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterTimeEdit, TdxSpinEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterSpinEdit, TdxSpinEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterCurrencyEdit, TdxTextEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterCalcEdit, TdxDropDownEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterImageEdit, TdxImageEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterPickEdit, TdxDropDownEditMetaClass)
TRENVIK_FILTER_EDITOR_CLASS(TCustomdxFilterLookupEdit, TdxDropDownEditMetaClass)

#undef TRENVIK_FILTER_EDITOR_CLASS

bool TCustomdxFilterDateEdit::HoldsTextThatIsNoDate() {
  if (!TextEdited() || IsEmptyMaskText()) return false;
  const String typed = GetEditText();
  TDateTime date = dxNullDate;
  return !typed.empty() && !ParseDateText(typed, date);
}

void TCustomdxFilterDateEdit::ValidateEdit() {
  // With DateValidation the editor refuses such text itself.
  if (!DateValidation && HoldsTextThatIsNoDate()) return;
  TdxInplaceDateEdit::ValidateEdit();
}

TdxInplaceEdit* TdxDBTreeListColumn::CreateFilterEdit(TComponent* Owner) {
  TdxInplaceEdit* editor = NewFilterEdit(Owner);
  PrepareFilterEdit(editor);
  return editor;
}

TdxInplaceEdit* TdxDBTreeListColumn::NewFilterEdit(TComponent* Owner) {
  return new TCustomdxFilterEdit(Owner);
}

void TdxDBTreeListColumn::GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) {
  Text = Editor->Text();
  Value = Variant(Text);
}

void TdxDBTreeListColumn::SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) {
  if (!Editor) return;
  Editor->SetText(VarIsNull(Value) ? String() : VarToStr(Value));
}

void TdxDBTreeListColumn::PrepareFilterEdit(TdxInplaceEdit* Editor) {
  InitEditProperties(Editor);
  Editor->SetReadOnly(false);
  // Typing a filter value is not editing the column: its change and validation events stay quiet.
  if (dynamic_cast<TdxInplaceTextEdit*>(Editor)) {
    Editor->OnChange = nullptr;
    Editor->OnValidate = nullptr;
  }
}
