#include "dx/treelist/dxTLColumn.h"

#include <algorithm>

#include "dx/editors/dxMaskEdit.h"
#include "dx/treelist/dxTLControl.h"
#include "dx/treelist/dxTLEditStyle.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TdxTreeListColumn) {
  P.Property("Alignment", &TdxTreeListColumn::Alignment, &TdxTreeListColumn::SetAlignment)
      .Stored(&TdxTreeListColumn::IsAlignmentStored);
  P.Property("Caption", &TdxTreeListColumn::Caption, &TdxTreeListColumn::SetCaption)
      .Stored(&TdxTreeListColumn::IsCaptionWrittenConst);
  P.Property("DisableCaption", &TdxTreeListColumn::DisableCaption, &TdxTreeListColumn::SetDisableCaption)
      .Default(false);
  P.Property("DisableEditor", &TdxTreeListColumn::DisableEditor, &TdxTreeListColumn::SetDisableEditor)
      .Default(false);
  P.Property("HeaderAlignment", &TdxTreeListColumn::HeaderAlignment, &TdxTreeListColumn::SetHeaderAlignment)
      .Default(taLeftJustify);
  P.Property("MinWidth", &TdxTreeListColumn::MinWidth, &TdxTreeListColumn::SetMinWidth).Default(20);
  P.Property("ReadOnly", &TdxTreeListColumn::ReadOnly, &TdxTreeListColumn::SetReadOnly)
      .Stored(&TdxTreeListColumn::IsReadOnlyStored);
  P.Property("Sizing", &TdxTreeListColumn::Sizing, &TdxTreeListColumn::SetSizing).Default(true);
  P.Property("Sorted", &TdxTreeListColumn::Sorted, &TdxTreeListColumn::SetSorted).Default(csNone);
  P.Property("SortedOrder", &TdxTreeListColumn::GetSortedOrder, &TdxTreeListColumn::SetStoredSortOrder)
      .Stored(&TdxTreeListColumn::IsSortedOrderStored);
  P.Property("TabStop", &TdxTreeListColumn::TabStop, &TdxTreeListColumn::SetTabStop).Default(true);
  P.Property("Visible", &TdxTreeListColumn::Visible, &TdxTreeListColumn::SetVisible).Default(true);
  P.Property("Width", &TdxTreeListColumn::Width, &TdxTreeListColumn::SetWidth)
      .Stored(&TdxTreeListColumn::IsWidthStored);
  P.Property("BandIndex", &TdxTreeListColumn::BandIndex, &TdxTreeListColumn::SetBandIndex).NoDefault();
  P.Property("RowIndex", &TdxTreeListColumn::RowIndex, &TdxTreeListColumn::SetRowIndex).NoDefault();
  P.Property("HeaderMaxLineCount", &TdxTreeListColumn::HeaderMaxLineCount,
             &TdxTreeListColumn::SetHeaderMaxLineCount)
      .Default(1);
}

TRENVIK_PUBLISHED(TdxTreeListMaskColumn) {
  P.Property("EditMask", &TdxTreeListMaskColumn::EditMask, &TdxTreeListMaskColumn::SetEditMask);
  P.Property("IgnoreMaskBlank", &TdxTreeListMaskColumn::IgnoreMaskBlank,
             &TdxTreeListMaskColumn::SetIgnoreMaskBlank)
      .Default(false);
}

TdxTreeListColumn::TdxTreeListColumn(TComponent* AOwner) : TComponent(AOwner) {}

TdxEditViewData* TdxTreeListColumn::GetViewData(TdxInplaceEditClass Class) {
  if (!viewData_ || viewDataClass_ != Class) {
    viewData_ = Class->CreateViewDataObject();
    viewDataClass_ = Class;
  }
  return viewData_.get();
}

TdxTreeListColumn::~TdxTreeListColumn() {
  if (treeList_ && !treeList_->IsDestroying()) {
    int index = GetDataIndex();
    for (int i = 0; i < treeList_->GetCount(); ++i)
      treeList_->DeleteColumnValues(treeList_->GetItem(i), index);
    for (TdxTreeListNode* n : treeList_->PendingNodes()) treeList_->DeleteColumnValues(n, index);
  }
  if (treeList_) treeList_->RemoveColumn(this);
}

void TdxTreeListColumn::Changed(bool LayoutChanged) {
  if (treeList_) treeList_->ColumnChanged(LayoutChanged ? nullptr : this);
}

void TdxTreeListColumn::SetTreeList(TCustomdxTreeListControl* Value) {
  if (treeList_ == Value) return;
  if (treeList_) treeList_->RemoveColumn(this);
  if (Value) Value->AddColumn(this);
}

int TdxTreeListColumn::Index() const { return treeList_ ? treeList_->IndexOfColumn(this) : -1; }

int TdxTreeListColumn::GetSortedOrder() const { return treeList_ ? treeList_->IndexOfSortedColumn(this) : -1; }

int TdxTreeListColumn::GetDataIndex() const { return Index(); }

void TdxTreeListColumn::RestoreDefaultWidth() {
  if (!IsWidthStored()) width_ = GetDefaultWidth();
}

void TdxTreeListColumn::RefreshDefaultFont() {
  if (font_ && !IsFontStored() && treeList_) {
    TNotifyEvent handler = std::move(font_->OnChange);
    font_->OnChange = nullptr;
    font_->Assign(treeList_->Font());
    font_->OnChange = std::move(handler);
  }
}

void TdxTreeListColumn::RestoreDefaults() {
  stored_ = 0;
  RefreshDefaultFont();
  RestoreDefaultWidth();
  disableEditor_ = disableCaption_ = disableCustomizing_ = false;
  headerAlignment_ = taLeftJustify;
  minWidth_ = 20;
  sizing_ = true;
  sorted_ = csNone;
  tabStop_ = true;
  vertAlignment_ = tlTop;
}

void TdxTreeListColumn::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TdxTreeListColumn*>(Source);
  if (!src) {
    TComponent::Assign(Source);
    return;
  }
  TdxTreeListUpdateScope update(treeList_);
  RestoreDefaults();
  if (src->IsAlignmentStored()) SetAlignment(src->Alignment());
  if (src->IsCaptionStored()) SetCaption(src->Caption());
  if (src->IsReadOnlyStored()) SetReadOnly(src->ReadOnly());
  if (src->IsWidthStored()) SetWidth(src->Width());
  if (src->IsColorStored()) SetColor(src->Color());
  if (src->IsFontStored()) SetFont(src->Font());
  SetDisableCaption(src->DisableCaption());
  SetDisableCustomizing(src->DisableCustomizing());
  SetDisableEditor(src->DisableEditor());
  SetDisableFilter(src->DisableFilter());
  SetHeaderAlignment(src->HeaderAlignment());
  if (src->HasHeaderGlyph()) SetHeaderGlyph(src->headerGlyph_.get());
  SetMinWidth(src->MinWidth());
  SetSizing(src->Sizing());
  SetSorted(src->Sorted());
  SetVertAlignment(src->VertAlignment());
  SetVisible(src->Visible());
  SetTabStop(src->TabStop());
  SetBandIndex(src->BandIndex());
  SetRowIndex(src->RowIndex());
  SetColIndex(src->ColIndex());
  SetHeaderMaxLineCount(src->HeaderMaxLineCount());
}

TAlignment TdxTreeListColumn::Alignment() { return IsAlignmentStored() ? alignment_ : GetDefaultAlignment(); }

void TdxTreeListColumn::SetAlignment(TAlignment Value) {
  if (IsAlignmentStored() && alignment_ == Value) return;
  alignment_ = Value;
  stored_ |= kAlignment;
  Changed(false);
}

String TdxTreeListColumn::Caption() { return IsCaptionStored() ? caption_ : GetDefaultCaption(); }

void TdxTreeListColumn::SetCaption(const String& Value) {
  if (IsCaptionStored() && caption_ == Value) return;
  caption_ = Value;
  stored_ |= kCaption;
  RestoreDefaultWidth();
  Changed(false);
}

bool TdxTreeListColumn::IsCaptionWritten() { return IsCaptionStored() && caption_ != GetDefaultCaption(); }

TColor TdxTreeListColumn::Color() {
  if (IsColorStored()) return color_;
  return treeList_ ? treeList_->Color() : clWindow;
}

void TdxTreeListColumn::SetColor(TColor Value) {
  if (IsColorStored() && color_ == Value) return;
  color_ = Value;
  stored_ |= kColor;
  Changed(false);
}

bool TdxTreeListColumn::IsColorWritten() {
  return IsColorStored() && (!treeList_ || color_ != treeList_->Color());
}

TFont* TdxTreeListColumn::Font() {
  if (!font_) {
    font_ = std::make_unique<TFont>();
    if (treeList_) font_->Assign(treeList_->Font());
    font_->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  } else if (!IsFontStored() && treeList_ && font_->Handle() != treeList_->Font()->Handle()) {
    RefreshDefaultFont();
  }
  return font_.get();
}

void TdxTreeListColumn::SetFont(TFont* Value) {
  Font()->Assign(Value);
  stored_ |= kFont;
  Changed(true);
}

void TdxTreeListColumn::FontChanged(TObject*) {
  stored_ |= kFont;
  Changed(true);
}

int TdxTreeListColumn::MaxLength() { return IsMaxLengthStored() ? maxLength_ : GetDefaultMaxLength(); }

void TdxTreeListColumn::SetMaxLength(int Value) {
  if (maxLength_ == Value) return;
  maxLength_ = Value;
  stored_ |= kMaxLength;
  Changed(false);
}

void TdxTreeListColumn::SetMinWidth(int Value) {
  minWidth_ = std::max(Value, 0);
  SetWidth(Width());
}

bool TdxTreeListColumn::ReadOnly() {
  bool value = IsReadOnlyStored() ? readOnly_ : GetDefaultReadOnly();
  return value || (treeList_ && treeList_->IsReadOnly());
}

void TdxTreeListColumn::SetReadOnly(bool Value) {
  if (IsReadOnlyStored() && readOnly_ == Value) return;
  readOnly_ = Value;
  stored_ |= kReadOnly;
  Changed(false);
}

int TdxTreeListColumn::Width() { return IsWidthStored() ? width_ : GetDefaultWidth(); }

void TdxTreeListColumn::SetWidth(int Value) {
  Value = std::max(Value, minWidth_);
  if (!IsWidthStored() && Value == GetDefaultWidth()) return;
  width_ = Value;
  stored_ |= kWidth;
  Changed(false);
}

void TdxTreeListColumn::SetBandIndex(int Value) {
  Value = std::max(Value, -1);
  if (treeList_) Value = std::min(Value, treeList_->Bands()->Count() - 1);
  if (bandIndex_ == Value) return;
  bandIndex_ = Value;
  Changed(true);
}

int TdxTreeListColumn::RowIndex() const {
  if (!treeList_) return rowIndex_;
  int rows = treeList_->HeaderPanelRowCount();
  return storedRowIndex_ < rows ? storedRowIndex_ : rows - 1;
}

void TdxTreeListColumn::SetRowIndex(int Value) {
  Value = std::max(Value, 0);
  if (treeList_) Value = std::min(Value, treeList_->HeaderPanelRowCount() - 1);
  if (Value == RowIndex()) return;
  rowIndex_ = storedRowIndex_ = Value;
  Changed(true);
}

int TdxTreeListColumn::ColIndex() const {
  if (!treeList_) return -1;
  int count = 0, row = RowIndex();
  for (int i = 0; i < treeList_->GetColumnCount(); ++i) {
    TdxTreeListColumn* c = treeList_->GetColumn(i);
    if (c == this && visible_) return count;
    if (c->Visible() && c->bandIndex_ == bandIndex_ && c->RowIndex() == row) ++count;
  }
  return count - 1;
}

void TdxTreeListColumn::SetColIndex(int Value) {
  if (!treeList_ || Value == ColIndex() || bandIndex_ == -1) return;
  int v = treeList_->GetBandVisibleIndex(bandIndex_);
  int row = RowIndex();
  int n = v < 0 ? 0 : treeList_->GetBandRowColumnCount(v, row);
  if (n == 0) return;
  Value = std::clamp(Value, 0, n - 1);
  TdxTreeListColumn* target = treeList_->GetColumn(treeList_->GetColumnAt(v, row, Value));
  if (!target) return;
  // Taking the column out shifts the ones after it, so the target's own index puts it before a
  // target on its left and after one on its right: at the asked position either way.
  SetIndex(target->Index());
}

TBitmap* TdxTreeListColumn::HeaderGlyph() {
  if (!headerGlyph_) headerGlyph_ = std::make_unique<TBitmap>();
  return headerGlyph_.get();
}

void TdxTreeListColumn::SetHeaderGlyph(TBitmap* Value) {
  if (!Value)
    headerGlyph_.reset();
  else
    HeaderGlyph()->Assign(Value);
  Changed(true);
}

void TdxTreeListColumn::SetIndex(int Value) {
  if (!treeList_ || Index() < 0) return;
  Value = std::clamp(Value, 0, treeList_->GetColumnCount() - 1);
  int old = Index();
  if (Value == old) return;
  treeList_->MoveColumnValues(old, Value);
  treeList_->MoveColumnInList(this, Value);
  Changed(true);
}

TdxInplaceEditClass TdxTreeListColumn::GetEditorClass() {
  return TdxInplaceTreeListTextEdit::StaticEditClass();
}

void TdxTreeListColumn::GetDisplayText(TdxTreeListNode* Node, String& Text) {
  if (treeList_) treeList_->GetNodeString(Node, GetDataIndex(), Text);
}

void TdxTreeListColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  if (!treeList_) return;
  if (auto* text = dynamic_cast<TdxInplaceTextEdit*>(Editor)) {
    String s;
    text->GetEditingText(s);
    treeList_->SetNodeString(Node, GetDataIndex(), s);
  }
  treeList_->GetNodeVariant(Node, GetDataIndex(), Value);
}

void TdxTreeListColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  Editor->SetReadOnly(ReadOnly());
  Editor->OnChange = [this](TObject* Sender) { DoChange(Sender); };
  Editor->OnValidate = [this](TObject* Sender, String& ErrorText, bool& Accept) {
    DoValidate(Sender, ErrorText, Accept);
  };
  if (auto* text = dynamic_cast<TdxInplaceTextEdit*>(Editor)) {
    text->SetCharCase(charCase_);
    text->SetMaxLength(MaxLength());
    text->SetOEMConvert(oemConvert_);
    text->SetPasswordChar(passwordChar_);
  }
}

void TdxTreeListColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  String text;
  if (treeList_) treeList_->GetNodeString(Node, GetDataIndex(), text);
  Editor->SetEditValue(text);
  String back;
  Editor->GetEditingText(back);
  Value = back;
}

void TdxTreeListColumn::DoChange(TObject* Sender) {
  if (treeList_ && treeList_->IsInitialisingEditor()) return;
  if (treeList_ && treeList_->OnEditChange) treeList_->OnEditChange(Sender);
  if (OnChange) OnChange(this);
}

void TdxTreeListColumn::DoValidate(TObject* Sender, String& ErrorText, bool& Accept) {
  if (treeList_ && treeList_->IsInitialisingEditor()) return;
  if (treeList_ && treeList_->OnEditValidate) treeList_->OnEditValidate(Sender, ErrorText, Accept);
  if (OnValidate) OnValidate(this, ErrorText, Accept);
}

int TdxTreeListColumn::GetBestFitWidth(TCanvas* Canvas, TdxTreeListNode* Node) {
  String text;
  GetDisplayText(Node, text);
  return Canvas->TextWidth(ApplyCharCase(text, charCase_));
}

// --- Mask column ---

TdxInplaceEditClass TdxTreeListMaskColumn::GetEditorClass() {
  return TdxInplaceTreeListMaskEdit::StaticEditClass();
}

void TdxTreeListMaskColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  TdxTreeListColumn::InitEditProperties(Editor);
  if (auto* mask = dynamic_cast<TdxInplaceMaskEdit*>(Editor)) {
    mask->SetEditMask(editMask_);
    mask->SetIgnoreMaskBlank(ignoreMaskBlank_);
  }
}

void TdxTreeListMaskColumn::RestoreDefaults() {
  TdxTreeListColumn::RestoreDefaults();
  editMask_.clear();
}

void TdxTreeListMaskColumn::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TdxTreeListMaskColumn*>(Source);
  if (!src) {
    TdxTreeListColumn::Assign(Source);
    return;
  }
  TdxTreeListUpdateScope update(TreeList());
  TdxTreeListColumn::Assign(Source);
  editMask_ = src->EditMask();
}
