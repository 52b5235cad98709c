#include "dx/dbgrid/dxDBColumn.h"

#include <algorithm>
#include <utility>

#include "dx/dbgrid/dxDBCtrl.h"
#include "dx/editors/dxMaskEdit.h"
#include "dx/treelist/dxTLEditStyle.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/classes/Filer.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/MaskText.h"

TRENVIK_PUBLISHED(TdxDBTreeListColumn) {
  P.Property("FieldName", &TdxDBTreeListColumn::FieldName, &TdxDBTreeListColumn::SetFieldName);
  P.Property("DisableGrouping", &TdxDBTreeListColumn::DisableGrouping,
             &TdxDBTreeListColumn::SetDisableGrouping)
      .Default(false);
  P.Property("SummaryFooterType", &TdxDBTreeListColumn::SummaryFooterType,
             &TdxDBTreeListColumn::SetSummaryFooterType)
      .Default(cstNone);
  P.Property("SummaryFooterField", &TdxDBTreeListColumn::SummaryFooterField,
             &TdxDBTreeListColumn::SetSummaryFooterField);
  P.Property("SummaryFooterFormat", &TdxDBTreeListColumn::SummaryFooterFormat,
             &TdxDBTreeListColumn::SetSummaryFooterFormat);
}

TRENVIK_PUBLISHED(TdxDBTreeListMaskColumn) {
  P.Property("EditMask", &TdxDBTreeListMaskColumn::EditMask, &TdxDBTreeListMaskColumn::SetEditMask)
      .Stored(&TdxDBTreeListMaskColumn::IsEditMaskStored);
  P.Property("IgnoreMaskBlank", &TdxDBTreeListMaskColumn::IgnoreMaskBlank,
             &TdxDBTreeListMaskColumn::SetIgnoreMaskBlank)
      .Default(false);
}

bool IsValueFieldType(TFieldType Type) {
  switch (Type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftBoolean:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftAutoInc:
    case ftTimeStamp:
    case ftFMTBcd:
      return true;
    default:
      return false;
  }
}

TdxDBTreeListColumn::TdxDBTreeListColumn(TComponent* AOwner) : TdxTreeListColumn(AOwner) {}

TdxDBTreeListColumn::~TdxDBTreeListColumn() {
  TCustomdxDBTreeListControl* control = GetControl();
  if (control && !control->IsDestroying()) control->ColumnNameChanged(Name(), String());
}

void TdxDBTreeListColumn::SetName(const String& NewName) {
  const String oldName = Name();
  inherited::SetName(NewName);
  TCustomdxDBTreeListControl* control = GetControl();
  if (control && !oldName.empty() && oldName != NewName) control->ColumnNameChanged(oldName, NewName);
}

void TdxDBTreeListColumn::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxDBTreeListColumn*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TdxTreeListUpdateScope update(TreeList());
  inherited::Assign(Source);
  SetDisableGrouping(source->DisableGrouping());
  SetFieldName(source->FieldName());
  SetSummaryGroupName(source->SummaryGroupName());
}

TCustomdxDBTreeListControl* TdxDBTreeListColumn::GetControl() const {
  // A class-chain walk, not a dynamic_cast: a load asks for every cell of every record.
  TCustomdxTreeListControl* control = TreeList();
  return control && control->InheritsFrom(TCustomdxDBTreeListControl::StaticClass())
             ? static_cast<TCustomdxDBTreeListControl*>(control)
             : nullptr;
}

TComponent* TdxDBTreeListColumn::GetParentComponent() const { return TreeList(); }

void TdxDBTreeListColumn::SetParentComponent(TComponent* Value) {
  if (auto* control = dynamic_cast<TCustomdxTreeListControl*>(Value)) SetTreeList(control);
}

void TdxDBTreeListColumn::ReadState(TReader* Reader) {
  SetParentComponent(Reader->Parent());
  TdxTreeListColumn::ReadState(Reader);
}

void TdxDBTreeListColumn::SetFieldName(const String& Value) {
  const String old = fieldName_;
  TCustomdxDBTreeListControl* control = GetControl();
  TField* field = nullptr;
  if (control && !control->IsLoading() && !Value.empty()) {
    TDataSet* ds = control->GetDataSet();
    if (ds && (ds->Active() || !ds->DefaultFields())) field = ds->FindField(Value);
  }
  fieldName_ = Value;
  field_ = field;
  if (groupIndex_ >= 0 && control && control->GetDataLink()->Active() && !field) groupIndex_ = -1;
  if (control && control->LockCount() == 0) Changed(true);
  if (control && !control->IsLoading() && old != Value) control->ColumnFieldChanged(this);
}

String TdxDBTreeListColumn::ValueToText(const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) return String();
  return VarToStr(Value);
}

String TdxDBTreeListColumn::GetFieldCellText() {
  // Not through a Variant: a load asks this for every text cell of a million records.
  return field_ ? CellTextOfDisplayText(field_->DisplayText()) : String();
}

String TdxDBTreeListColumn::CellTextOfValue(const Variant& Value) {
  // As GetFieldCellText for a record holding Value; a field gone since leaves the value's text.
  if (field_ && field_->FormatsValueText()) return ValueToText(field_->ValueText(Value, true));
  return ValueToText(Value);
}

bool TdxDBTreeListColumn::TextFollowsValue() const {
  // A column working for another column's cells, or a field whose text is not its value's alone
  // (a handler, a lookup), keeps the text it showed at the load.
  return field_ && field_->FormatsValueText() && !field_->OnGetText && !field_->Lookup() &&
         borrowedDataIndex_ < 0;
}

void TdxDBTreeListColumn::FillNodeValue(TdxTreeListNode* Node) {
  TCustomdxDBTreeListControl* control = GetControl();
  if (!control) return;
  // The index is a search among the columns; a load asks it for every cell.
  const int index = GetDataIndex();
  TNodeVariantData data;
  if (field_) {
    const bool textDiffers = (field_->DataType() == ftString || field_->DataType() == ftWideString) &&
                             (static_cast<bool>(field_->OnGetText) || !field_->EditMask().empty());
    // A record's number or date reads Null when it is one: one read of the record instead of two.
    const bool valueTellsNull = IsValueFieldType(field_->DataType()) && field_->FieldKind() == fkData;
    Variant value = valueTellsNull ? field_->AsVariant() : Variant();
    const bool isNull = valueTellsNull ? VarIsNull(value) : field_->IsNull();
    if (IsValueFieldType(field_->DataType()) || isNull || textDiffers || StoresFieldValue()) {
      data.HasFieldValue = true;
      data.FieldValue = isNull ? Null() : valueTellsNull ? std::move(value) : field_->AsVariant();
      // Numbers and dates are formatted when painted: a million stored texts and their formatting
      // were most of a load.
      data.TextFromValue = TextFollowsValue();
    }
    if (field_->Lookup() && field_->DataSet()) {
      data.HasLookupKey = true;
      data.LookupKeyValue = field_->DataSet()->FieldValues(field_->KeyFields());
    }
  }
  Node->SetString(index, data.TextFromValue ? String() : GetFieldCellText());
  control->SetNodeValueData(Node, index, data);
}

TVarType TdxDBTreeListColumn::GetValueVarType() {
  // An unbound column has no value type: the filter takes its values as they are.
  if (!field_) return varUnboundColumn;
  switch (field_->DataType()) {
    case ftSmallint:
      return varSmallint;
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return varInteger;
    case ftFloat:
    case ftFMTBcd:
      return varDouble;
    case ftCurrency:
    case ftBCD:
      return varCurrency;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      return varDate;
    default:
      return varString;
  }
}

bool TdxDBTreeListColumn::IsFieldValueEqual(const Variant& Value) {
  if (!field_ || VarIsEmpty(Value)) return false;
  if (!VarIsStr(Value) || HandlesBlobValue()) return CompareVariantValues(field_->AsVariant(), Value) == 0;
  return field_->Text() == VarToStr(Value);
}

bool TdxDBTreeListColumn::IsValidFieldChar(Char Key) {
  TCustomdxDBTreeListControl* control = GetControl();
  if (!control || !control->GetDataLink()->Active() || !field_) return false;
  return field_->IsValidChar(Key);
}

void TdxDBTreeListColumn::GetSummaryFooterText(String& Text) {
  Text.clear();
  if (summaryFooterType_ == cstNone) return;
  TFieldType type = ftUnknown;
  if (footerField_ && summaryFooterType_ != cstCount) {
    const TFieldType t = footerField_->DataType();
    if (t == ftDate || t == ftTime || t == ftDateTime) type = t;
  }
  Text =
      FormatSummaryValue(summaryFooterType_, summaryFooterFormat_, type, static_cast<double>(footer_.Value), kSummaryStyleFooter);
}

Variant TdxDBTreeListColumn::GetNodeValue(TdxTreeListNode* Node) {
  Variant value = Null();
  if (TCustomdxDBTreeListControl* control = GetControl(); control && Node)
    control->GetNodeColumnValue(Node, this, value);
  return value;
}

void TdxDBTreeListColumn::NotifyFieldChanged(bool AllColumns) {
  TCustomdxDBTreeListControl* control = GetControl();
  if (!control || control->IsLoading() || !control->GetDataLink()->Active()) return;
  control->ColumnFieldChanged(AllColumns ? nullptr : this);
}

void TdxDBTreeListColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  if (!field_) {
    TdxTreeListColumn::InitEditValue(Node, Editor, Value);
    return;
  }
  Editor->SetEditValue(field_->Text());
  String back;
  Editor->GetEditingText(back);
  Value = back;
}

void TdxDBTreeListColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  if (!field_) {
    Value = String();
    return;
  }
  String text;
  Editor->GetEditingText(text);
  field_->SetText(text);
  if (TCustomdxDBTreeListControl* control = GetControl())
    control->GetNodeVariant(Node, GetDataIndex(), Value);
}

TAlignment TdxDBTreeListColumn::GetDefaultAlignment() { return field_ ? field_->Alignment() : taLeftJustify; }

String TdxDBTreeListColumn::GetDefaultCaption() { return field_ ? field_->DisplayName() : fieldName_; }

int TdxDBTreeListColumn::GetDefaultMaxLength() {
  if (field_ && (field_->DataType() == ftString || field_->DataType() == ftWideString)) return field_->Size();
  return 0;
}

bool TdxDBTreeListColumn::GetDefaultReadOnly() { return field_ ? field_->ReadOnly() : false; }

int TdxDBTreeListColumn::GetDefaultWidth() {
  TCustomdxDBTreeListControl* control = GetControl();
  if (!control) return 64;
  int width = 64;
  const String caption = Caption();
  if (!caption.empty()) width = static_cast<int>(caption.size()) * FontDigitWidth(control->HeaderFont()) + 6;
  if (field_) {
    TFont* font = IsFontStored() ? Font() : control->Font();
    width = std::max(width, FontDigitWidth(font) * field_->DisplayWidth() + 4);
  }
  return width;
}

void TdxDBTreeListColumn::RestoreDefaults() {
  TdxTreeListColumn::RestoreDefaults();
  disableGrouping_ = false;
  summaryGroupName_.clear();
}

void TdxDBTreeListColumn::SetGroupIndex(int Value) {
  if (Value < -1) return;
  TCustomdxDBTreeListControl* control = GetControl();
  if (control && !control->IsLoading()) {
    control->ChangeColumnGroupIndex(this, Value);
    return;
  }
  groupIndex_ = Value;
  Changed(true);
}

void TdxDBTreeListColumn::SetDisableGrouping(bool Value) {
  if (disableGrouping_ == Value) return;
  disableGrouping_ = Value;
  if (Value && groupIndex_ >= 0)
    SetGroupIndex(-1);
  else
    Changed(true);
}

void TdxDBTreeListColumn::SetSummaryType(TdxSummaryType Value) {
  if (summaryType_ == Value) return;
  summaryType_ = Value;
  if (Value == cstNone) sortBySummary_ = false;
  Changed(false);
}

void TdxDBTreeListColumn::SetSummaryFooterType(TdxSummaryType Value) {
  if (summaryFooterType_ == Value) return;
  summaryFooterType_ = Value;
  Changed(false);
}

// --- Mask column ---

String TdxDBTreeListMaskColumn::EditMask() const {
  if (editMaskAssigned_) return editMask_;
  return GetBoundField() ? GetBoundField()->EditMask() : String();
}

void TdxDBTreeListMaskColumn::SetEditMask(const String& Value) {
  if (editMaskAssigned_ && editMask_ == Value) return;
  editMask_ = Value;
  editMaskAssigned_ = true;
}

bool TdxDBTreeListMaskColumn::IsEditMaskStored() const {
  return editMaskAssigned_ && editMask_ != (GetBoundField() ? GetBoundField()->EditMask() : String());
}

TdxInplaceEditClass TdxDBTreeListMaskColumn::GetEditorClass() {
  return TdxInplaceTreeListMaskEdit::StaticEditClass();
}

void TdxDBTreeListMaskColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  TdxDBTreeListColumn::InitEditProperties(Editor);
  if (auto* mask = dynamic_cast<TdxInplaceMaskEdit*>(Editor)) {
    mask->SetEditMask(EditMask());
    mask->SetIgnoreMaskBlank(ignoreMaskBlank_);
  }
}

void TdxDBTreeListMaskColumn::RestoreDefaults() {
  TdxDBTreeListColumn::RestoreDefaults();
  editMaskAssigned_ = false;
  editMask_.clear();
  ignoreMaskBlank_ = false;
}
