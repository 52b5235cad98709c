#include "dx/inspector/dxInspRw.h"

#include "dx/editors/dxTextEdit.h"
#include "dx/inspector/dxInspctControl.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorMaskEdit)
TRENVIK_IMPLEMENT_CLASS(TdxInspectorMemoEdit)
TRENVIK_PUBLISHED(TdxInspectorMaskRow) {
  P.Property("EditMask", &TdxInspectorMaskRow::EditMask, &TdxInspectorMaskRow::SetEditMask)
      .Stored(&TdxInspectorMaskRow::IsEditMaskStored);
  P.Property("IgnoreMaskBlank", &TdxInspectorMaskRow::IgnoreMaskBlank,
             &TdxInspectorMaskRow::SetIgnoreMaskBlank)
      .Default(false);
}
TRENVIK_PUBLISHED(TdxInspectorMemoRow) {
  P.Property("HideScrollBars", &TdxInspectorMemoRow::HideScrollBars, &TdxInspectorMemoRow::SetHideScrollBars)
      .Default(true);
  P.Property("ScrollBars", &TdxInspectorMemoRow::ScrollBars, &TdxInspectorMemoRow::SetScrollBars)
      .Default(ssNone);
  P.Property("SelectionBar", &TdxInspectorMemoRow::SelectionBar, &TdxInspectorMemoRow::SetSelectionBar)
      .Default(false);
  P.Property("WantReturns", &TdxInspectorMemoRow::WantReturns, &TdxInspectorMemoRow::SetWantReturns)
      .Default(true);
  P.Property("WantTabs", &TdxInspectorMemoRow::WantTabs, &TdxInspectorMemoRow::SetWantTabs).Default(false);
  P.Property("WordWrap", &TdxInspectorMemoRow::WordWrap, &TdxInspectorMemoRow::SetWordWrap).Default(true);
}
TRENVIK_PUBLISHED(TdxInspectorTextMaskRow) {
  P.Property("Text", &TdxInspectorTextMaskRow::Text, &TdxInspectorTextMaskRow::SetText);
}
TRENVIK_PUBLISHED(TdxInspectorTextMemoRow) {
  P.Property("Text", &TdxInspectorTextMemoRow::Text, &TdxInspectorTextMemoRow::SetText);
}

TdxInplaceEditClass TdxInspectorMaskEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorMaskEdit, TdxTextEditMetaClass> c("TdxInspectorMaskEdit");
  return &c;
}

TdxInplaceEditClass TdxInspectorMemoEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorMemoEdit, TdxTextEditMetaClass> c("TdxInspectorMemoEdit");
  return &c;
}

String PictureBytesToText(const AnsiString& Bytes) {
  String text(Bytes.size(), Char(0));
  for (size_t i = 0; i < Bytes.size(); ++i) text[i] = static_cast<Char>(static_cast<Byte>(Bytes[i]));
  return text;
}

AnsiString PictureTextToBytes(const String& Text) {
  AnsiString bytes(Text.size(), '\0');
  for (size_t i = 0; i < Text.size(); ++i) bytes[i] = static_cast<char>(static_cast<Byte>(Text[i]));
  return bytes;
}

TdxRowUpdateScope::TdxRowUpdateScope(TdxInspectorRow* Row) : control_(Row->Inspector()) {
  if (control_) control_->BeginUpdate();
}

TdxRowUpdateScope::~TdxRowUpdateScope() {
  if (control_) control_->EndUpdate();
}

// --- Mask ---

String TdxInspectorMaskRow::EditMask() { return editMaskAssigned_ ? editMask_ : GetDefaultEditMask(); }

void TdxInspectorMaskRow::SetEditMask(const String& Value) {
  if (editMaskAssigned_ && editMask_ == Value) return;
  editMask_ = Value;
  editMaskAssigned_ = true;
}

bool TdxInspectorMaskRow::IsEditMaskStored() const {
  return editMaskAssigned_ && editMask_ != GetDefaultEditMask();
}

void TdxInspectorMaskRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* mask = dynamic_cast<TdxInplaceMaskEdit*>(Editor)) {
    mask->SetEditMask(EditMask());
    mask->SetIgnoreMaskBlank(ignoreMaskBlank_);
  }
}

void TdxInspectorMaskRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  SetEditText(Editor->Text());  // the text as the mask formats it
  Value = GetEditText();
}

void TdxInspectorMaskRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorMaskRow*>(Source);
  inherited::Assign(Source);
  if (!source) return;
  if (source->editMaskAssigned_) SetEditMask(source->editMask_);
  ignoreMaskBlank_ = source->ignoreMaskBlank_;
}

void TdxInspectorMaskRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  editMask_.clear();
  editMaskAssigned_ = false;
  ignoreMaskBlank_ = false;
}

// --- Memo ---

void TdxInspectorMemoRow::SetSelectionBar(bool Value) {
  if (selectionBar_ == Value) return;
  selectionBar_ = Value;
  Changed();
}

void TdxInspectorMemoRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* memo = dynamic_cast<TdxInplaceMemoEdit*>(Editor)) {
    memo->SetHideScrollBars(hideScrollBars_);
    memo->SetScrollBars(scrollBars_);
    memo->SetSelectionBar(selectionBar_);
    memo->SetWantReturns(wantReturns_);
    memo->SetWantTabs(wantTabs_);
    memo->SetWordWrap(wordWrap_);
  }
}

void TdxInspectorMemoRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  Data->VertAlignment = dxVertMultiLine;
  Data->Data = GetMemoText();
  if (auto* text = dynamic_cast<TdxTextEditViewData*>(Data)) text->SelectionBar = selectionBar_;
}

void TdxInspectorMemoRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorMemoRow*>(Source);
  if (Inspector() && source) Inspector()->BeginUpdate();
  inherited::Assign(Source);
  if (source) {
    hideScrollBars_ = source->hideScrollBars_;
    scrollBars_ = source->scrollBars_;
    SetSelectionBar(source->selectionBar_);
    wantReturns_ = source->wantReturns_;
    wantTabs_ = source->wantTabs_;
    wordWrap_ = source->wordWrap_;
    if (Inspector()) Inspector()->EndUpdate();
  }
}

void TdxInspectorMemoRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  hideScrollBars_ = true;
  scrollBars_ = ssNone;
  selectionBar_ = false;
  wantReturns_ = true;
  wantTabs_ = false;
  wordWrap_ = true;
}
