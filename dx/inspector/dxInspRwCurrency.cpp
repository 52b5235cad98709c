#include "dx/inspector/dxInspRwCurrency.h"

#include "dx/editors/dxEditorRoutines.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorCurrencyEdit)
TRENVIK_PUBLISHED(TdxInspectorCurrencyRow) {
  using R = TdxInspectorCurrencyRow;
  P.Property("DecimalPlaces", &R::DecimalPlaces, &R::SetDecimalPlaces).Default(2);
  P.Property("MinValue", &R::MinValue, &R::SetMinValue).Stored(&R::IsMinValueStored);
  P.Property("MaxValue", &R::MaxValue, &R::SetMaxValue).Stored(&R::IsMaxValueStored);
  P.Property("UseThousandSeparator", &R::UseThousandSeparator, &R::SetUseThousandSeparator).Default(false);
  P.Property("DisplayFormat", &TdxInspectorCurrencyRow::DisplayFormat,
             &TdxInspectorCurrencyRow::SetDisplayFormat)
      .Stored(&TdxInspectorCurrencyRow::IsDisplayFormatStored);
}
TRENVIK_PUBLISHED(TdxInspectorTextCurrencyRow) {
  P.Property("Text", &TdxInspectorTextCurrencyRow::Text, &TdxInspectorTextCurrencyRow::SetText);
}

TdxInplaceEditClass TdxInspectorCurrencyEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorCurrencyEdit, TdxTextEditMetaClass> c("TdxInspectorCurrencyEdit");
  return &c;
}

TdxInspectorCurrencyRow::TdxInspectorCurrencyRow(TComponent* AOwner)
    : TdxInspectorRow(AOwner), displayFormat_(GetDefaultCurrencyDisplayFormat()) {
  settingsListener_ = AddFormatSettingsListener([this] { FormatSettingsChanged(); });
}

TdxInspectorCurrencyRow::~TdxInspectorCurrencyRow() { RemoveFormatSettingsListener(settingsListener_); }

void TdxInspectorCurrencyRow::FormatSettingsChanged() {
  if (displayFormatAssigned_) return;
  displayFormat_ = GetDefaultCurrencyDisplayFormat();
  Changed();
}

void TdxInspectorCurrencyRow::SetDisplayFormat(const String& Value) {
  if (displayFormat_ == Value) return;
  displayFormat_ = Value;
  displayFormatAssigned_ = true;
  Changed();
}

void TdxInspectorCurrencyRow::SetMinValue(double Value) { min_.Set(Value); }

void TdxInspectorCurrencyRow::SetMaxValue(double Value) { max_.Set(Value); }

void TdxInspectorCurrencyRow::SetNullable(bool Value) {
  if (nullable_ == Value) return;
  nullable_ = Value;
  Changed();
}

void TdxInspectorCurrencyRow::SetNullString(const String& Value) {
  if (nullString_ == Value) return;
  nullString_ = Value;
  Changed();
}

void TdxInspectorCurrencyRow::GetValueAsVariant(Variant& Value) {
  const String text = GetEditText();
  if (text.empty()) {
    Value = Null();
    return;
  }
  double number = 0;
  Value = TryStrToFloat(text, number) ? Variant(number) : Variant(text);
}

void TdxInspectorCurrencyRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* currency = dynamic_cast<TdxInplaceCurrencyEdit*>(Editor)) {
    currency->DecimalPlaces = decimalPlaces_;
    currency->SetDisplayFormat(String());  // the plain number while editing
    currency->SetMinMaxValues(MinValue(), MaxValue());
    currency->SetNullable(nullable_);
    currency->SetNullString(nullString_);
    currency->UseThousandSeparator = useThousandSeparator_;
  }
}

void TdxInspectorCurrencyRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  inherited::InitEditValue(Editor, Value);
  auto* currency = dynamic_cast<TdxInplaceCurrencyEdit*>(Editor);
  if (!currency) return;
  const String text = GetEditText();
  currency->SetText(String());
  Currency amount;
  if (text.empty()) {
    currency->SetValue(0);
    if (nullable_) currency->SetText(String());
  } else {
    currency->SetValue(TryStrToCurr(text, amount) ? amount.ToDouble() : 0);
  }
  Value = Variant(currency->GetValue());
}

void TdxInspectorCurrencyRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (auto* currency = dynamic_cast<TdxInplaceCurrencyEdit*>(Editor)) {
    Variant editing;
    currency->GetEditingValue(editing);
    if (VarIsNull(editing))
      SetEditText(String());
    else if (currency->GetValue() != 0)
      SetEditText(currency->Text());
    else
      SetEditText(u"0");
  }
  Value = GetEditText();
}

void TdxInspectorCurrencyRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  if (displayFormat_.empty()) return;
  Variant value;
  try {
    GetValueAsVariant(value);
    if (VarIsNull(value) || VarIsStr(value)) {
      String text = VarToStr(value);
      if (text.empty() && nullable_) text = nullString_;
      Data->Data = text;
    } else {
      Data->Data = FormatFloat(displayFormat_, value.AsDouble());
    }
  } catch (const Exception&) {
    // a value the format cannot show keeps the cell's text
  }
}

void TdxInspectorCurrencyRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorCurrencyRow*>(Source)) {
    decimalPlaces_ = source->decimalPlaces_;
    useThousandSeparator_ = source->useThousandSeparator_;
    if (source->displayFormatAssigned_) SetDisplayFormat(source->displayFormat_);
    min_ = source->min_;
    max_ = source->max_;
    SetNullable(source->nullable_);
    SetNullString(source->nullString_);
  }
}

void TdxInspectorCurrencyRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  decimalPlaces_ = 2;
  useThousandSeparator_ = false;
  displayFormat_ = GetDefaultCurrencyDisplayFormat();
  displayFormatAssigned_ = false;
  min_.Reset();
  max_.Reset();
  nullable_ = false;
  nullString_.clear();
}
