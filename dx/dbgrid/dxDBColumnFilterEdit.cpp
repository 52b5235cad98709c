// The stand-alone editors of the custom filter dialog and the column's operations on its value
// editor: filter values are typed as text; the dialog converts them to the column's value type.
#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "dx/editors/dxTextEdit.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxFilterEdit)
TRENVIK_IMPLEMENT_CLASS(TdxFilterDialogComboEdit)

namespace {

class TdxStandAloneFilterEditMetaClass : public TdxTextEditMetaClass {
 public:
  bool IsInplace() const override { return false; }
};

class TdxStandAloneFilterComboMetaClass : public TdxImageEditMetaClass {
 public:
  bool IsInplace() const override { return false; }
};

}  // namespace

TdxInplaceEditClass TCustomdxFilterEdit::StaticEditClass() {
  static const TdxEditClassOf<TCustomdxFilterEdit, TdxStandAloneFilterEditMetaClass> c("TCustomdxFilterEdit");
  return &c;
}

TdxInplaceEditClass TdxFilterDialogComboEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxFilterDialogComboEdit, TdxStandAloneFilterComboMetaClass> c(
      "TdxFilterDialogComboEdit");
  return &c;
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
