#include "dx/dbgrid/dxDBColumnNumber.h"

#include "dx/dbgrid/dxDBCtrl.h"
#include "dx/editors/dxEditorRoutines.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"

TRENVIK_PUBLISHED(TdxDBTreeListSpinColumn) {
  using C = TdxDBTreeListSpinColumn;
  P.Property("EditorEnabled", &C::EditorEnabled, &C::SetEditorEnabled).Default(true);
  P.Property("Increment", &C::Increment, &C::SetIncrement).Stored(&C::IsIncrementStored);
  P.Property("MaxValue", &C::MaxValue, &C::SetMaxValue).Stored(&C::IsMaxValueStored);
  P.Property("MinValue", &C::MinValue, &C::SetMinValue).Stored(&C::IsMinValueStored);
  P.Property("ShowButtonStyle", &C::ShowButtonStyle, &C::SetShowButtonStyle).Default(sbDefault);
  P.Property("UseCtrlIncrement", &C::UseCtrlIncrement, &C::SetUseCtrlIncrement).Default(false);
}

TRENVIK_PUBLISHED(TdxDBTreeListCurrencyColumn) {
  using C = TdxDBTreeListCurrencyColumn;
  P.Property("DecimalPlaces", &C::DecimalPlaces, &C::SetDecimalPlaces).Default(2);
  P.Property("DisplayFormat", &C::DisplayFormat, &C::SetDisplayFormat).Stored(&C::IsDisplayFormatStored);
  P.Property("MaxValue", &C::MaxValue, &C::SetMaxValue).Stored(&C::IsMaxValueStored);
  P.Property("MinValue", &C::MinValue, &C::SetMinValue).Stored(&C::IsMinValueStored);
  P.Property("Nullable", &C::Nullable, &C::SetNullable).Default(false);
  P.Property("NullString", &C::NullString, &C::SetNullString);
  P.Property("UseThousandSeparator", &C::UseThousandSeparator, &C::SetUseThousandSeparator).Default(false);
}

namespace {

// A float field's limit as its precision shows it.
double ShownAtPrecision(double Value, int Precision) {
  return StrToFloat(FloatToStrF(Value, ffGeneral, Precision, 0));
}

bool IsNumberValue(const Variant& Value) {
  return !VarIsNull(Value) && !VarIsEmpty(Value) && !VarIsStr(Value);
}

}  // namespace

double FieldMinValue(const TField* Field) {
  if (auto* bcd = dynamic_cast<const TBCDField*>(Field)) return bcd->MinValue().ToDouble();
  if (auto* number = dynamic_cast<const TFloatField*>(Field))
    return ShownAtPrecision(number->MinValue(), number->Precision());
  if (auto* integer = dynamic_cast<const TIntegerField*>(Field)) return integer->MinValue();
  return 0;
}

double FieldMaxValue(const TField* Field) {
  if (auto* bcd = dynamic_cast<const TBCDField*>(Field)) return bcd->MaxValue().ToDouble();
  if (auto* number = dynamic_cast<const TFloatField*>(Field))
    return ShownAtPrecision(number->MaxValue(), number->Precision());
  if (auto* integer = dynamic_cast<const TIntegerField*>(Field)) return integer->MaxValue();
  return 0;
}

// --- Spin ---

void TdxDBTreeListSpinColumn::SetMinValue(double Value) {
  if (spin_.Min.Set(Value)) Changed(false);
}

void TdxDBTreeListSpinColumn::SetMaxValue(double Value) {
  if (spin_.Max.Set(Value)) Changed(false);
}

bool TdxDBTreeListSpinColumn::IsFloatField() const {
  return dynamic_cast<const TFloatField*>(Field()) || dynamic_cast<const TBCDField*>(Field());
}

bool TdxDBTreeListSpinColumn::ShowButton(TdxTreeListNode* Node) {
  TCustomdxTreeListControl* control = TreeList();
  if (!control || spin_.ShowButtonStyle == sbNone || !control->IsShowButtonAlways()) return false;
  return spin_.ShowButtonStyle == sbAlways || Node == control->FocusedNode();
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListSpinColumn, spin_)

void TdxDBTreeListSpinColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor);
  if (!spin) return;
  spin->EditorEnabled = spin_.EditorEnabled;
  spin->Increment = spin_.Increment;
  spin->UseCtrlIncrement = spin_.UseCtrlIncrement;
  spin->SetValueType(IsFloatField() ? vtFloat : vtInt);
  spin->SetMinMaxValues(MinValue(), MaxValue());
}

void TdxDBTreeListSpinColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor);
  if (!spin || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  if (Field()->IsNull())
    spin->SetEditValue(String());
  else
    spin->SetValue(Field()->AsFloat());
  Value = Field()->IsNull() ? Null() : Variant(spin->GetValue());
}

void TdxDBTreeListSpinColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor);
  if (!spin || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  Field()->SetAsFloat(spin->GetValue());
  Value = GetNodeValue(Node);
}

void TdxDBTreeListSpinColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  if (auto* view = dynamic_cast<TdxSpinEditViewData*>(ViewData)) {
    view->ShowButtons = ShowButton(Node);
    view->ActiveButton = dxSpinNone;
    view->PressedButton = dxSpinNone;
  }
}

void TdxDBTreeListSpinColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  spin_ = TSettings();
}

// --- Currency ---

String TdxDBTreeListCurrencyColumn::DisplayFormat() const {
  return currency_.DisplayFormatAssigned ? currency_.DisplayFormat : GetDefaultCurrencyDisplayFormat();
}

void TdxDBTreeListCurrencyColumn::SetDisplayFormat(const String& Value) {
  if (currency_.DisplayFormatAssigned && currency_.DisplayFormat == Value) return;
  currency_.DisplayFormat = Value;
  currency_.DisplayFormatAssigned = true;
  Changed(false);
}

void TdxDBTreeListCurrencyColumn::SetMinValue(double Value) {
  if (currency_.Min.Set(Value)) Changed(false);
}

void TdxDBTreeListCurrencyColumn::SetMaxValue(double Value) {
  if (currency_.Max.Set(Value)) Changed(false);
}

String TdxDBTreeListCurrencyColumn::FormatCellText(const Variant& Value, const String& Text) {
  if (Text.empty() && !IsNumberValue(Value)) return currency_.Nullable ? currency_.NullString : Text;
  TField* field = Field();
  if (field && field->OnGetText) return Text;
  if (auto* number = dynamic_cast<TFloatField*>(field); number && number->IsCurrency()) return Text;
  try {
    const double v = IsNumberValue(Value) ? Value.AsDouble() : StrToFloat(Text);
    return FormatFloat(DisplayFormat(), v);
  } catch (const Exception&) {
    return Text;  // not a number: the cell shows what the field gave
  }
}

bool TdxDBTreeListCurrencyColumn::IsValidFieldChar(Char Key) {
  if (inherited::IsValidFieldChar(Key)) return true;
  TCustomdxDBTreeListControl* control = GetControl();
  return control && control->GetDataLink()->Active() && Key == FormatSettings().ThousandSeparator;
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListCurrencyColumn, currency_)

void TdxDBTreeListCurrencyColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* currency = dynamic_cast<TdxInplaceCurrencyEdit*>(Editor);
  if (!currency) return;
  currency->DecimalPlaces = static_cast<unsigned>(std::max(currency_.DecimalPlaces, 0));
  currency->SetDisplayFormat(DisplayFormat());
  currency->SetMinMaxValues(MinValue(), MaxValue());
  currency->SetNullable(currency_.Nullable);
  currency->SetNullString(currency_.NullString);
  currency->UseThousandSeparator = currency_.UseThousandSeparator;
}

void TdxDBTreeListCurrencyColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                                Variant& Value) {
  auto* currency = dynamic_cast<TdxInplaceCurrencyEdit*>(Editor);
  if (!currency || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  if (Field()->IsNull())
    currency->SetEditValue(String());
  else
    currency->SetValue(Field()->AsFloat());
  Value = Field()->IsNull() ? Null() : Variant(currency->GetValue());
}

void TdxDBTreeListCurrencyColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                                Variant& Value) {
  auto* currency = dynamic_cast<TdxInplaceCurrencyEdit*>(Editor);
  if (!currency || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  String text;
  currency->GetEditingText(text);
  if (currency_.Nullable && text.empty())
    Field()->Clear();
  else
    Field()->SetAsFloat(currency->GetValue());
  Value = GetNodeValue(Node);
}

void TdxDBTreeListCurrencyColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  const String text = VarIsStr(ViewData->Data) ? VarToStr(ViewData->Data) : String();
  ViewData->Data = Variant(FormatCellText(GetNodeValue(Node), text));
}

void TdxDBTreeListCurrencyColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  currency_ = TSettings();
}
