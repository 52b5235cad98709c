#include "dx/editors/dxMRUEdit.h"

#include "dx/editors/dxEditButtonInput.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxMRUEditViewData)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceMRUEdit)

std::unique_ptr<TdxEditViewData> TdxMRUEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxMRUEditViewData>();
}

void TdxMRUEditMetaClass::CalcButtons(TdxDropDownEditViewData* ViewData) const {
  TdxDropDownEditMetaClass::CalcButtons(ViewData);
  auto* v = dynamic_cast<TdxMRUEditViewData*>(ViewData);
  if (!v || v->ButtonCount == 0 || !v->ShowEllipsis) return;
  TdxEditButtonViewInfo& first = v->Buttons[0];
  TdxEditButtonViewInfo& second = v->Buttons[1];
  second = TdxEditButtonViewInfo{};
  second.Index = 1;
  second.LeftAlignment = first.LeftAlignment;
  if (first.Glyph) {
    // The glyph goes to the extra button; the drop-down button shows its arrow.
    second.Glyph = first.Glyph;
    second.Kind = bkGlyph;
    first.Glyph = nullptr;
    first.Kind = bkDown;
    first.Width = GetButtonWidth(v, first);
  } else {
    second.Kind = bkEllipsis;
  }
  second.Width = GetButtonWidth(v, second);
  v->ButtonCount = 2;
}

TdxInplaceEditClass TdxInplaceMRUEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceMRUEdit, TdxMRUEditMetaClass> c("TdxInplaceMRUEdit");
  return &c;
}

TdxInplaceMRUEdit::TdxInplaceMRUEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplacePickEdit(AOwner, Class) {
  ImmediateDropDown = false;
}

void TdxInplaceMRUEdit::DoButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TdxInplaceMRUEdit::TrimItems() {
  while (maxItemCount_ > 0 && Items()->Count() > maxItemCount_) Items()->Delete(Items()->Count() - 1);
}

void TdxInplaceMRUEdit::AddItem(const String& Text) {
  if (Text.empty()) return;
  for (int i = 0; i < Items()->Count(); ++i) {
    if (AnsiSameText(Items()->Strings(i), Text)) {
      Items()->Move(i, 0);
      return;
    }
  }
  Items()->Insert(0, Text);
  TrimItems();
}

void TdxInplaceMRUEdit::SetMaxItemCount(int Value) {
  Value = std::max(Value, 0);
  if (maxItemCount_ == Value) return;
  maxItemCount_ = Value;
  TrimItems();
}

void TdxInplaceMRUEdit::SetShowEllipsis(bool Value) {
  if (showEllipsis_ == Value) return;
  showEllipsis_ = Value;
  StyleChanged();
}

void TdxInplaceMRUEdit::ValidateEdit() {
  TdxInplacePickEdit::ValidateEdit();
  if (GetModified()) AddItem(Text());
}

std::unique_ptr<TdxEditViewData> TdxInplaceMRUEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplacePickEdit::CreateViewData(FromDefinition);
  static_cast<TdxMRUEditViewData*>(v.get())->ShowEllipsis = showEllipsis_;
  return v;
}

void TdxInplaceMRUEdit::ButtonDown(bool NoCapture, int ButtonIndex) {
  // The extra button is pressed without opening the list.
  TdxInplacePickEdit::ButtonDown(NoCapture, ButtonIndex == 1 ? -1 : ButtonIndex);
}

void TdxInplaceMRUEdit::ButtonClick(int ButtonIndex) {
  if (ButtonIndex == 1) DoButtonClick();
  TdxInplacePickEdit::ButtonClick(ButtonIndex);
}

void TdxInplaceMRUEdit::KeyDown(WORD& Key, TShiftState Shift) {
  // Taken before the host sees Enter: the pick editor has no use for Ctrl+Enter.
  if (Key == VK_RETURN && Shift == TShiftState{ssCtrl} && showEllipsis_ && IsEditable()) {
    if (HandleAllocated()) RemovePendingMessage(Handle(), WM_CHAR);
    DoButtonClick();
    Key = 0;
    return;
  }
  TdxInplacePickEdit::KeyDown(Key, Shift);
}
