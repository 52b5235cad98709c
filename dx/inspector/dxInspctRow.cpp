#include "dx/inspector/dxInspctRow.h"

#include "dx/editors/dxTextEdit.h"
#include "dx/inspector/dxInspctControl.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_PUBLISHED(TdxInspectorRow) {
  P.Property("Alignment", &TdxInspectorRow::Alignment, &TdxInspectorRow::SetAlignment).Default(taLeftJustify);
  P.Property("Caption", &TdxInspectorRow::Caption, &TdxInspectorRow::SetCaption)
      .Stored(&TdxInspectorRow::IsCaptionStored);
  P.Property("CharCase", &TdxInspectorRow::CharCase, &TdxInspectorRow::SetCharCase).Default(ecNormal);
  P.Property("Hint", &TdxInspectorRow::Hint, &TdxInspectorRow::SetHint);
  P.Property("ImageIndex", &TdxInspectorRow::ImageIndex, &TdxInspectorRow::SetImageIndex).Default(-1);
  P.Property("IsCategory", &TdxInspectorRow::IsCategory, &TdxInspectorRow::SetIsCategory).Default(false);
  P.Property("MaxLength", &TdxInspectorRow::MaxLength, &TdxInspectorRow::SetMaxLength)
      .Stored(&TdxInspectorRow::IsMaxLengthStored);
  P.Property("PasswordChar", &TdxInspectorRow::PasswordChar, &TdxInspectorRow::SetPasswordChar).Default(0);
  P.Property("ReadOnly", &TdxInspectorRow::ReadOnly, &TdxInspectorRow::SetReadOnly)
      .Stored(&TdxInspectorRow::IsReadOnlyStored);
  P.Property("RowHeight", &TdxInspectorRow::RowHeight, &TdxInspectorRow::SetRowHeight)
      .Stored(&TdxInspectorRow::IsRowHeightStored);
  P.Property("ShowHint", &TdxInspectorRow::ShowHint, &TdxInspectorRow::SetShowHint).Default(false);
  P.Property("Visible", &TdxInspectorRow::Visible, &TdxInspectorRow::SetVisible).Default(true);
  P.Event("OnChange", &TdxInspectorRow::OnChange);
  P.Event("OnDrawCaption", &TdxInspectorRow::OnDrawCaption);
  P.Event("OnDrawValue", &TdxInspectorRow::OnDrawValue);
  P.Event("OnValidate", &TdxInspectorRow::OnValidate);
}

TRENVIK_PUBLISHED(TdxInspectorTextRow) {
  P.Property("Text", &TdxInspectorTextRow::Text, &TdxInspectorTextRow::SetText);
}

TdxInspectorRowNode::~TdxInspectorRowNode() {
  if (TdxInspectorRow* row = Row) {
    Row = nullptr;
    row->node_ = nullptr;
    delete row;
  }
}

TdxInspectorRow::TdxInspectorRow(TComponent* AOwner) : TComponent(AOwner) {}

TdxInspectorRow::~TdxInspectorRow() {
  if (inspector_) inspector_->DetachRow(this);
}

void TdxInspectorRow::SetInspector(TCustomdxInspectorControl* Value) {
  if (inspector_ == Value) return;
  if (inspector_) inspector_->DetachRow(this);
  if (Value) Value->AttachRow(this);
}

TComponent* TdxInspectorRow::GetParentComponent() const { return inspector_; }

void TdxInspectorRow::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* control = dynamic_cast<TCustomdxInspectorControl*>(Reader->Parent())) SetInspector(control);
}

void TdxInspectorRow::SetParentComponent(TComponent* Value) {
  auto* control = dynamic_cast<TCustomdxInspectorControl*>(Value);
  if (Value && !control) throw EInvalidCast(u"Invalid class typecast");
  SetInspector(control);
}

TdxEditViewData* TdxInspectorRow::ViewData() {
  if (!viewData_) viewData_ = GetEditorClass()->CreateViewDataObject();
  return viewData_.get();
}

void TdxInspectorRow::Changed() {
  if (inspector_) inspector_->RowChanged(this);
}

void TdxInspectorRow::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Changed();
}

String TdxInspectorRow::Caption() const {
  return (assigned_ & kCaptionAssigned) ? caption_ : const_cast<TdxInspectorRow*>(this)->GetDefaultCaption();
}

void TdxInspectorRow::SetCaption(const String& Value) {
  caption_ = Value;
  assigned_ |= kCaptionAssigned;
  Changed();
}

bool TdxInspectorRow::IsCaptionStored() const {
  return (assigned_ & kCaptionAssigned) &&
         caption_ != const_cast<TdxInspectorRow*>(this)->GetDefaultCaption();
}

void TdxInspectorRow::SetCharCase(TEditCharCase Value) {
  charCase_ = Value;
  Changed();
}

void TdxInspectorRow::SetImageIndex(int Value) {
  imageIndex_ = Value;
  Changed();
}

void TdxInspectorRow::SetIsCategory(bool Value) {
  if (isCategory_ == Value) return;
  isCategory_ = Value;
  Changed();
}

int TdxInspectorRow::MaxLength() const {
  return (assigned_ & kMaxLengthAssigned) ? maxLength_
                                          : const_cast<TdxInspectorRow*>(this)->GetDefaultMaxLength();
}

void TdxInspectorRow::SetMaxLength(int Value) {
  if ((assigned_ & kMaxLengthAssigned) && maxLength_ == Value) return;
  maxLength_ = Value;
  assigned_ |= kMaxLengthAssigned;
  Changed();
}

void TdxInspectorRow::SetPasswordChar(Char Value) {
  passwordChar_ = Value;
  Changed();
}

bool TdxInspectorRow::ReadOnly() const {
  auto* self = const_cast<TdxInspectorRow*>(this);
  if (inspector_ && inspector_->IsReadOnly()) return true;
  return (assigned_ & kReadOnlyAssigned) ? readOnly_ : self->GetDefaultReadOnly();
}

void TdxInspectorRow::SetReadOnly(bool Value) {
  if ((assigned_ & kReadOnlyAssigned) && readOnly_ == Value) return;
  readOnly_ = Value;
  assigned_ |= kReadOnlyAssigned;
  Changed();
}

bool TdxInspectorRow::IsReadOnlyStored() const {
  return (assigned_ & kReadOnlyAssigned) &&
         readOnly_ != const_cast<TdxInspectorRow*>(this)->GetDefaultReadOnly();
}

int TdxInspectorRow::RowHeight() const {
  const int byDefault = const_cast<TdxInspectorRow*>(this)->GetDefaultRowHeight();
  return (assigned_ & kRowHeightAssigned) && rowHeight_ >= byDefault ? rowHeight_ : byDefault;
}

void TdxInspectorRow::SetRowHeight(int Value) {
  const int byDefault = GetDefaultRowHeight();
  if (Value > byDefault) {
    rowHeight_ = Value;
    assigned_ |= kRowHeightAssigned;
  } else {
    rowHeight_ = byDefault;
    assigned_ &= ~kRowHeightAssigned;
  }
  Changed();
}

int TdxInspectorRow::GetDefaultRowHeight() {
  if (!inspector_) return 0;
  return inspector_->TCustomdxInspector::GetRowHeight(node_);
}

void TdxInspectorRow::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  if (inspector_ && !inspector_->ComponentState().Contains(csLoading)) inspector_->SetRowVisible(this, Value);
}

void TdxInspectorRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (inspector_) inspector_->BeginUpdate();
  RestoreDefaults();
  SetAlignment(source->alignment_);
  if (source->assigned_ & kCaptionAssigned) SetCaption(source->caption_);
  if (source->assigned_ & kReadOnlyAssigned) SetReadOnly(source->readOnly_);
  if (source->assigned_ & kMaxLengthAssigned) SetMaxLength(source->maxLength_);
  if (source->assigned_ & kRowHeightAssigned) SetRowHeight(source->rowHeight_);
  hint_ = source->hint_;
  showHint_ = source->showHint_;
  SetIsCategory(source->isCategory_);
  SetCharCase(source->charCase_);
  SetVisible(source->visible_);
  if (inspector_) inspector_->EndUpdate();
}

void TdxInspectorRow::RestoreDefaults() {
  assigned_ = 0;
  alignment_ = taLeftJustify;
  showHint_ = false;
  isCategory_ = false;
  charCase_ = ecNormal;
  rowHeight_ = 0;
  Changed();
}

// --- Editing ---

void TdxInspectorRow::DoChange() {
  if (inspector_ && inspector_->IsSettingUpEditor()) return;
  if (inspector_) inspector_->DoEditChange(this);
  if (OnChange) OnChange(this);
}

void TdxInspectorRow::DoValidate(TObject* Sender, String& ErrorText, bool& Accept) {
  if (inspector_ && inspector_->IsSettingUpEditor()) return;
  if (inspector_) inspector_->DoEditValidate(this, ErrorText, Accept);
  if (OnValidate) OnValidate(Sender, ErrorText, Accept);
}

void TdxInspectorRow::DoEdited() {
  if (inspector_ && inspector_->OnEdited) inspector_->OnEdited(inspector_, node_, this);
}

namespace {

void FireDraw(const TdxInspectorRowDrawValue& Event, TdxInspectorRow* Row, TCanvas* Canvas, const RECT& Rect,
              String& Text, TFont* Font, bool& Done) {
  if (!Event) return;
  TColor color = Canvas->Brush()->Color();
  Event(Row, Canvas, Rect, Text, Font, color, Done);
  Canvas->Brush()->SetColor(color);
}

}  // namespace

void TdxInspectorRow::DoDrawCaption(TCanvas* Canvas, const RECT& Rect, String& Text, TFont* Font,
                                    bool& Done) {
  FireDraw(OnDrawCaption, this, Canvas, Rect, Text, Font, Done);
}

void TdxInspectorRow::DoDrawValue(TCanvas* Canvas, const RECT& Rect, String& Text, TFont* Font, bool& Done) {
  FireDraw(OnDrawValue, this, Canvas, Rect, Text, Font, Done);
}

int TdxInspectorRow::GetMinHeight(TCanvas* Canvas) { return Canvas->TextHeight(u"Wg") + 3; }

void TdxInspectorRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (dynamic_cast<TdxInplaceTextEdit*>(Editor)) SetEditText(Editor->Text());
  Value = GetEditText();
}

TdxInplaceEditClass TdxInspectorRow::GetEditorClass() { return TdxInplaceTextEdit::StaticEditClass(); }

void TdxInspectorRow::InitEditProperties(TdxInplaceEdit* Editor) {
  Editor->SetReadOnly(ReadOnly());
  Editor->OnChange = [this](TObject*) { DoChange(); };
  Editor->OnValidate = [this](TObject* Sender, String& ErrorText, bool& Accept) {
    DoValidate(Sender, ErrorText, Accept);
  };
  if (auto* text = dynamic_cast<TdxInplaceTextEdit*>(Editor)) {
    text->SetCharCase(charCase_);
    text->SetMaxLength(MaxLength());
    text->SetPasswordChar(passwordChar_);
    if (text->HandleAllocated()) text->ClearUndo();
  }
}

void TdxInspectorRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  Editor->SetText(GetEditText());
  Value = Editor->Text();
}

bool TdxInspectorRow::IsValueEqual(const Variant& Value) {
  return inspector_ && inspector_->IsRowValueEqual(Value, this);
}

bool TdxInspectorRow::GetHintText(bool IsValue, const RECT& TextRect, String& Text) {
  if (!inspector_ || !inspector_->HandleAllocated()) return false;
  Text = IsValue ? GetEditText() : Caption();
  TCanvas* canvas = inspector_->Canvas();
  canvas->SetFont(inspector_->Font());
  if (isCategory_) canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
  return canvas->TextWidth(Text) > TextRect.right - TextRect.left;
}

void TdxInspectorRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  const bool categorized = inspector_ && inspector_->PaintStyle() == ipsCategorized;
  const bool hotOrFocused = Cell.Hot || (Cell.Node && Cell.Node->Focused());
  Data->Enabled = true;
  Data->Focused = false;
  Data->Selected = Cell.Hot;
  Data->BorderColor = clNone;
  Data->BorderStyle = categorized && hotOrFocused ? xbsFlat : xbsNone;
  Data->ButtonStyle = categorized || (inspector_ && inspector_->Flat()) ? btsSimple : btsFlat;
  Data->ButtonTransparent = false;
  Data->Edges = dxAllEdges;
  Data->Shadow = false;
  Data->Transparent = false;
  Data->TextOffsets = RECT{1, 0, 0, 0};
  Data->Bounds = Cell.Bounds;
  Data->VertAlignment = dxVertCenter;
  Data->Font = Cell.Font;
  Data->Brush = Cell.Brush;
  Data->BkColor = Cell.BrushColor;
  Data->TextColor = Cell.FontColor;
  Data->Alignment = Cell.Alignment;
  Data->IsEditClass = false;
  Data->Data = Cell.Text;
  Data->DataLength = Cell.DataLength;
  Data->MeasureOnly = Cell.Measuring;
  if (auto* text = dynamic_cast<TdxTextEditViewData*>(Data)) {
    text->CharCase = charCase_;
    text->EndEllipsis = Cell.EndEllipsis;
    text->PasswordChar = passwordChar_;
  }
}

// --- TdxInspectorTextRow ---

void TdxInspectorTextRow::SetText(const String& Value) {
  text_ = Value;
  Changed();
}

void TdxInspectorTextRow::SetEditText(const String& Value) {
  if (text_ == Value) return;
  SetText(Value);
}
