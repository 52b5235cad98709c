#include "dx/inspector/dxInspRwSpin.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "dx/inspector/dxInspctControl.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorSpinEdit)
TRENVIK_PUBLISHED(TdxInspectorSpinRow) {
  using R = TdxInspectorSpinRow;
  P.Property("EditorEnabled", &R::EditorEnabled, &R::SetEditorEnabled).Default(true);
  P.Property("Increment", &R::Increment, &R::SetIncrement).Default(1.0);
  P.Property("MinValue", &R::MinValue, &R::SetMinValue).Stored(&R::IsMinValueStored);
  P.Property("MaxValue", &R::MaxValue, &R::SetMaxValue).Stored(&R::IsMaxValueStored);
  P.Property("UseCtrlIncrement", &R::UseCtrlIncrement, &R::SetUseCtrlIncrement).Default(true);
}
TRENVIK_PUBLISHED(TdxInspectorTextSpinRow) {
  P.Property("Text", &TdxInspectorTextSpinRow::Text, &TdxInspectorTextSpinRow::SetText);
  P.Property("ValueType", &TdxInspectorTextSpinRow::ValueType, &TdxInspectorTextSpinRow::SetValueType)
      .Default(vtInt);
}

TdxInplaceEditClass TdxInspectorSpinEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorSpinEdit, TdxSpinEditMetaClass> c("TdxInspectorSpinEdit");
  return &c;
}

namespace {

// The whole text read as a number written with the user's decimal separator; false when it is not one.
bool ParseNumber(const String& Text, double& Out) { return TryStrToFloat(Text, Out); }

}  // namespace

void TdxInspectorSpinRow::SetMinValue(double Value) {
  if (!min_.Set(Value)) return;
  Changed();
}

void TdxInspectorSpinRow::SetMaxValue(double Value) {
  if (!max_.Set(Value)) return;
  Changed();
}

void TdxInspectorSpinRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  if (auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor)) {
    spin->EditorEnabled = editorEnabled_;
    spin->Increment = increment_;
    spin->SetMinMaxValues(MinValue(), MaxValue());
    spin->UseCtrlIncrement = useCtrlIncrement_;
    spin->SetValueType(GetValueType());
  }
}

void TdxInspectorSpinRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  inherited::InitEditValue(Editor, Value);
  auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor);
  if (!spin) return;
  const String text = GetEditText();
  double number = 0;
  if (text.empty()) {
    spin->SetValue(0);
  } else if (!ParseNumber(text, number)) {
    spin->SetValue(0);
    return;  // the value stays the text
  } else {
    spin->SetValue(number);
  }
  Value = Variant(spin->GetValue());
}

void TdxInspectorSpinRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (auto* spin = dynamic_cast<TdxInplaceSpinEdit*>(Editor)) {
    if (spin->ValueType() == vtFloat) {
      SetEditText(FloatToStrF(spin->GetValue(), ffGeneral, 15, 0));
    } else {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.0f", std::nearbyint(spin->GetValue()));  // halves to even
      SetEditText(Utf8ToString(buf));
    }
  }
  Value = GetEditText();
}

void TdxInspectorSpinRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  if (auto* spin = dynamic_cast<TdxSpinEditViewData*>(Data)) spin->ShowButtons = false;
}

void TdxInspectorSpinRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorSpinRow*>(Source)) {
    editorEnabled_ = source->editorEnabled_;
    increment_ = source->increment_;
    useCtrlIncrement_ = source->useCtrlIncrement_;
    min_ = source->min_;
    max_ = source->max_;
  }
}

void TdxInspectorSpinRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  editorEnabled_ = true;
  increment_ = 1.0;
  useCtrlIncrement_ = true;
  min_.Reset();
  max_.Reset();
}

void TdxInspectorTextSpinRow::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxInspectorTextSpinRow*>(Source)) valueType_ = source->valueType_;
}

void TdxInspectorTextSpinRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  valueType_ = vtInt;
}

namespace {

// A float field's limit rounded to its Precision significant digits.
double RoundToPrecision(double Value, int Precision) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*g", Precision > 0 ? Precision : 15, Value);
  return std::strtod(buf, nullptr);
}

double FieldLimit(TField* Field, bool Max) {
  if (auto* i = dynamic_cast<TIntegerField*>(Field)) return Max ? i->MaxValue() : i->MinValue();
  if (auto* f = dynamic_cast<TFloatField*>(Field))
    return RoundToPrecision(Max ? f->MaxValue() : f->MinValue(), f->Precision());
  if (auto* b = dynamic_cast<TBCDField*>(Field)) return (Max ? b->MaxValue() : b->MinValue()).ToDouble();
  return 0;
}

}  // namespace

double FieldDefaultMinValue(TField* Field) { return FieldLimit(Field, false); }
double FieldDefaultMaxValue(TField* Field) { return FieldLimit(Field, true); }
