#include "dx/inspector/dxInspRwMRU.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorMRUEdit)
TRENVIK_PUBLISHED(TdxInspectorMRURow) {
  P.Property("ImmediateDropDown", &TdxInspectorMRURow::ImmediateDropDown,
             &TdxInspectorMRURow::SetImmediateDropDown)
      .Default(false);
  P.Property("MaxItemCount", &TdxInspectorMRURow::MaxItemCount, &TdxInspectorMRURow::SetMaxItemCount)
      .Default(7);
  P.Property("ShowEllipsis", &TdxInspectorMRURow::ShowEllipsis, &TdxInspectorMRURow::SetShowEllipsis)
      .Default(true);
  P.Event("OnButtonClick", &TdxInspectorMRURow::OnButtonClick);
}
TRENVIK_PUBLISHED(TdxInspectorTextMRURow) {
  P.Property("Text", &TdxInspectorTextMRURow::Text, &TdxInspectorTextMRURow::SetText);
}

TdxInplaceEditClass TdxInspectorMRUEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorMRUEdit, TdxMRUEditMetaClass> c("TdxInspectorMRUEdit");
  return &c;
}

TdxInspectorMRURow::TdxInspectorMRURow(TComponent* AOwner) : TdxInspectorPickRow(AOwner) {
  SetImmediateDropDown(false);
}

void TdxInspectorMRURow::SetShowEllipsis(bool Value) {
  if (showEllipsis_ == Value) return;
  showEllipsis_ = Value;
  Changed();
}

void TdxInspectorMRURow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* mru = dynamic_cast<TdxInplaceMRUEdit*>(Editor)) {
    mru->SetMaxItemCount(maxItemCount_);
    mru->SetShowEllipsis(showEllipsis_);
    mru->OnButtonClick = [this](TObject*) { DoButtonClick(); };
  }
}

void TdxInspectorMRURow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (auto* mru = dynamic_cast<TdxInplaceMRUEdit*>(Editor)) Items()->Assign(mru->Items());
  inherited::SaveEditValue(Editor, Value);
}

void TdxInspectorMRURow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  if (auto* mru = dynamic_cast<TdxMRUEditViewData*>(Data)) mru->ShowEllipsis = showEllipsis_;
}

void TdxInspectorMRURow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorMRURow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  maxItemCount_ = source->maxItemCount_;
  SetShowEllipsis(source->showEllipsis_);
}

void TdxInspectorMRURow::RestoreDefaults() {
  inherited::RestoreDefaults();
  maxItemCount_ = 7;
  showEllipsis_ = true;
}
