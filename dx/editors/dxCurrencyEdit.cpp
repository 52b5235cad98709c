#include "dx/editors/dxCurrencyEdit.h"

#include <cfloat>
#include <cmath>

#include "dx/editors/dxEditorRoutines.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxInplaceCurrencyEdit)

TRENVIK_MESSAGE_MAP(TdxInplaceCurrencyEdit) {
  M.On(WM_PASTE, &TdxInplaceCurrencyEdit::WMPaste);
  M.On(CM_WININICHANGE, &TdxInplaceCurrencyEdit::CMWinIniChange);
}

TdxInplaceEditClass TdxInplaceCurrencyEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceCurrencyEdit, TdxTextEditMetaClass> c("TdxInplaceCurrencyEdit");
  return &c;
}

TdxInplaceCurrencyEdit::TdxInplaceCurrencyEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceMaskEdit(AOwner, Class), displayFormat_(GetDefaultCurrencyDisplayFormat()) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

// --- Value ---

bool TdxInplaceCurrencyEdit::TextToValue(const String& Text, double& Value) {
  const Char thousands = FormatSettings().ThousandSeparator;
  String text;
  for (Char c : Text)
    if (c != thousands) text += c;
  double v = 0;
  if (!TryStrToFloat(text, v)) return false;
  const double magnitude = std::fabs(v);
  if (v != 0 && (magnitude < DBL_MIN || magnitude > DBL_MAX)) return false;
  Value = v;
  return true;
}

double TdxInplaceCurrencyEdit::GetValue() {
  const String text = Text();
  if (text.empty()) return 0;
  double v = 0;
  return TextToValue(text, v) ? v : bounds_.Min;
}

void TdxInplaceCurrencyEdit::SetValue(double Value) {
  TdxModifiedScope keep(*this);
  const String text = FloatToStrF(bounds_.Clamp(Value), ffGeneral, 15, 0);
  if (text != Text()) SetText(text);
}

void TdxInplaceCurrencyEdit::SetMaxValue(double Value) {
  if (bounds_.SetMax(Value)) ReapplyValue();
}

void TdxInplaceCurrencyEdit::SetMinValue(double Value) {
  if (bounds_.SetMin(Value)) ReapplyValue();
}

void TdxInplaceCurrencyEdit::SetMinMax(double Min, double Max) {
  bounds_.SetMinMax(Min, Max);
  ReapplyValue();
}

void TdxInplaceCurrencyEdit::SetMinMaxValues(double Min, double Max) {
  SetStoredValues(StoredValues() | dxsvCurrencyMinValue | dxsvCurrencyMaxValue);
  SetMinMax(Min, Max);
}

String TdxInplaceCurrencyEdit::GetDefaultDisplayFormat() { return GetDefaultCurrencyDisplayFormat(); }

void TdxInplaceCurrencyEdit::ApplyDisplayFormat(const String& Value) {
  if (displayFormat_ == Value) return;
  displayFormat_ = Value;
  InvalidateEditor();
}

void TdxInplaceCurrencyEdit::SetDisplayFormat(const String& Value) {
  SetStoredValues(StoredValues() | dxsvDisplayFormat);
  ApplyDisplayFormat(Value);
}

void TdxInplaceCurrencyEdit::SetNullable(bool Value) {
  if (nullable_ == Value) return;
  nullable_ = Value;
  InvalidateEditor();
}

void TdxInplaceCurrencyEdit::SetNullString(const String& Value) {
  if (nullString_ == Value) return;
  nullString_ = Value;
  InvalidateEditor();
}

void TdxInplaceCurrencyEdit::UpdateDataDefaults() {
  TdxInplaceMaskEdit::UpdateDataDefaults();
  const Byte stored = StoredValues();
  if (!(stored & dxsvDisplayFormat)) ApplyDisplayFormat(GetDefaultDisplayFormat());
  if (!(stored & (dxsvCurrencyMinValue | dxsvCurrencyMaxValue))) {
    SetMinMax(GetDefaultMinValue(), GetDefaultMaxValue());
  } else {
    if (!(stored & dxsvCurrencyMaxValue)) SetMaxValue(GetDefaultMaxValue());
    if (!(stored & dxsvCurrencyMinValue)) SetMinValue(GetDefaultMinValue());
  }
}

void TdxInplaceCurrencyEdit::RestoreDefaults() {
  TdxInplaceMaskEdit::RestoreDefaults();
  ApplyDisplayFormat(GetDefaultDisplayFormat());
  SetMinMax(GetDefaultMinValue(), GetDefaultMaxValue());
}

void TdxInplaceCurrencyEdit::ValidateEdit() {
  TdxInplaceMaskEdit::ValidateEdit();
  if (GetModified() && (!Text().empty() || !nullable_)) ReapplyValue();
}

void TdxInplaceCurrencyEdit::GetEditValue(Variant& Value, bool FromDefinition) {
  TdxInplaceMaskEdit::GetEditValue(Value, FromDefinition);
  if (displayFormat_.empty()) return;
  const String text = Text();
  if (text.empty()) {
    Value = nullable_ ? Variant(nullString_) : Variant(FormatFloat(displayFormat_, 0));
    return;
  }
  double v = 0;
  if (!TextToValue(text, v)) v = 0;
  Value = FormatFloat(displayFormat_, v);
}

void TdxInplaceCurrencyEdit::GetEditingValue(Variant& Value) {
  if (nullable_ && Text().empty()) {
    Value = Null();
    return;
  }
  TdxInplaceMaskEdit::GetEditingValue(Value);
}

// --- Typing ---

bool TdxInplaceCurrencyEdit::IsValidValueChar(Char Key) {
  const TFormatSettings& fs = FormatSettings();
  const bool allowed = Key == u'+' || Key == u'-' || (Key >= u'0' && Key <= u'9') || Key == u'E' || Key == u'e' ||
                       Key == fs.DecimalSeparator || (UseThousandSeparator && Key == fs.ThousandSeparator);
  if (!allowed) return false;
  const String text = Text();
  const int start = GetSelectionStart();
  const int length = GetSelectionLength();
  String rest = text;
  rest.erase(static_cast<size_t>(start), static_cast<size_t>(length));
  if (Key == u'-' && rest.empty()) return true;
  String candidate = rest;
  candidate.insert(static_cast<size_t>(start), 1, Key);
  const size_t separator = candidate.find(fs.DecimalSeparator);
  if (separator != String::npos) {
    size_t end = candidate.find_first_of(u"Ee", separator);
    if (end == String::npos) end = candidate.size();
    if (end - separator - 1 > DecimalPlaces) return false;
  }
  double v = 0;
  return TextToValue(candidate, v);
}

void TdxInplaceCurrencyEdit::KeyPress(Char& Key) {
  const TFormatSettings& fs = FormatSettings();
  const bool thousands = UseThousandSeparator && Key == fs.ThousandSeparator;
  if (!thousands && (Key == u',' || Key == u'.')) Key = fs.DecimalSeparator;
  if (Key >= 32 && !IsValidValueChar(Key)) {
    MessageBeep(0);
    Key = 0;
    return;
  }
  TdxInplaceMaskEdit::KeyPress(Key);
}

void TdxInplaceCurrencyEdit::WMPaste(TMessage& Message) {
  if (!IsEditable()) return;
  const String before = Text();
  inherited::Dispatch(Message);
  double v = 0;
  if (!TryStrToFloat(Text(), v)) {
    SetText(before);
    SelectAll();
  }
}

void TdxInplaceCurrencyEdit::CMWinIniChange(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!(StoredValues() & dxsvDisplayFormat)) ApplyDisplayFormat(GetDefaultDisplayFormat());
}
