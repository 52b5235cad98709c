#include "dx/inspector/dxInspRwDropDown.h"

#include "dx/inspector/dxInspctControl.h"
#include "platform/forms/Graphic.h"

TRENVIK_PUBLISHED(TdxInspectorDropDownRow) {
  P.Event("OnEditButtonClick", &TdxInspectorDropDownRow::OnEditButtonClick);
}

TdxInspectorDropDownRow::~TdxInspectorDropDownRow() = default;

TBitmap* TdxInspectorDropDownRow::ButtonGlyph() {
  if (!buttonGlyph_) buttonGlyph_ = std::make_unique<TBitmap>();
  return buttonGlyph_.get();
}

bool TdxInspectorDropDownRow::HasButtonGlyph() const { return buttonGlyph_ && !buttonGlyph_->Empty(); }

void TdxInspectorDropDownRow::SetButtonGlyph(TBitmap* Value) {
  if (!Value || Value->Empty())
    buttonGlyph_.reset();
  else
    ButtonGlyph()->Assign(Value);
  Changed();
}

void TdxInspectorDropDownRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* dropDown = dynamic_cast<TdxInplaceDropDownEdit*>(Editor);
  if (!dropDown) return;
  dropDown->SetButtonGlyph(HasButtonGlyph() ? buttonGlyph_.get() : nullptr);
  dropDown->DropDownRows = dropDownRows_;
  dropDown->DropDownWidth = dropDownWidth_;
  dropDown->ImmediateDropDown = immediateDropDown_;
  dropDown->ImmediatePopup = immediatePopup_;
  dropDown->PopupAlignment = ToPopupAlignment(popupAlignment_);
  dropDown->PopupBorder = popupBorder_;
  dropDown->OnCloseUp = [this](TObject*, Variant& Value, bool& Accept) {
    String text = VarToStr(Value);
    DoCloseUp(text, Accept);
    Value = text;
  };
  dropDown->OnEditButtonClick = [this](TObject*) { DoEditButtonClick(); };
}

void TdxInspectorDropDownRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  auto* dropDown = dynamic_cast<TdxDropDownEditViewData*>(Data);
  if (!dropDown) return;
  dropDown->ButtonGlyph = HasButtonGlyph() ? buttonGlyph_.get() : nullptr;
  dropDown->NoButtons = true;
  dropDown->HotButtonIndex = -1;
  dropDown->PushedButtonIndex = -1;
}

void TdxInspectorDropDownRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorDropDownRow*>(Source)) {
    dropDownRows_ = source->dropDownRows_;
    dropDownWidth_ = source->dropDownWidth_;
    immediateDropDown_ = source->immediateDropDown_;
    immediatePopup_ = source->immediatePopup_;
    popupAlignment_ = source->popupAlignment_;
    popupBorder_ = source->popupBorder_;
  }
}

void TdxInspectorDropDownRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  dropDownRows_ = 7;
  dropDownWidth_ = 0;
  immediateDropDown_ = false;
  immediatePopup_ = false;
  popupAlignment_ = taLeftJustify;
  popupBorder_ = pbDefault;
}
