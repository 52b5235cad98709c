// The time edit control: the kept date, the time typed or stepped part by part, and the digits
// each part accepts.
#include <cmath>

#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors/cxDateUtils.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/DateFormat.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomTimeEdit)
TRENVIK_PUBLISHED(TcxTimeEdit) { PublishTextEditControl(P); }

namespace {

TDateTime TimeFraction(TDateTime AValue) { return std::fabs(AValue - std::trunc(AValue)); }

}  // namespace

TcxCustomTimeEdit::TcxCustomTimeEdit(TComponent* AOwner) : TcxCustomSpinEdit(AOwner) {
  CreateProperties();
  GetFormatController()->AddListener(this);
}

TcxCustomTimeEdit::~TcxCustomTimeEdit() { GetFormatController()->RemoveListener(this); }

TDateTime TcxCustomTimeEdit::Time() {
  Variant value;
  if (Focused()) {
    DisplayToEditValue(Variant(Text()), value, true);
  } else {
    value = EditValue();
    TDateTime parsed = 0;
    if (VarIsStr(value)) value = TryStrToDateTime(VarToStr(value), parsed) ? parsed : 0.0;
  }
  return VarIsNull(value) || VarIsEmpty(value) ? 0 : TimeFraction(value.AsDouble());
}

void TcxCustomTimeEdit::SetTime(TDateTime Value) {
  const double sign = keptDate_ >= 0 ? 1 : -1;
  SetEditValue(VarFromDateTime(TimeFraction(Value) * sign + keptDate_));
}

Char TcxCustomTimeEdit::PartAtCaret() {
  int pos = SelStart() + SelLength();
  const int maxLength = ActiveProperties()->MaxLength();
  if (maxLength > 0) pos = std::min(pos, maxLength);
  return cxTimeEditPartAt(pos, ActiveProperties()->TimeFormat(), ActiveProperties()->Use24HourFormat());
}

void TcxCustomTimeEdit::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  TcxCustomTimeEditProperties* properties = ActiveProperties();
  const size_t n = static_cast<size_t>(cxTimeEditDigitCount(properties->TimeFormat()));
  const String text = VarToStr(DisplayValue);
  String s = properties->Use24HourFormat() ? text : text.substr(0, n);
  if (s.size() == 2) s += u":00";
  if (!properties->Use24HourFormat() && text.size() > n) s += text.substr(n);
  TDateTime time = 0;
  if (!s.empty() && !TryStrToTime(s, time)) time = 0;
  EditValue = time * (keptDate_ >= 0 ? 1 : -1) + keptDate_;
}

void TcxCustomTimeEdit::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  Variant value = Value;
  TDateTime parsed = 0;
  if (VarIsNull(value) || (AValidateEditValue && !ActiveProperties()->IsEditValueValid(value, false)))
    keptDate_ = 0;
  else if (VarIsStr(Value))
    keptDate_ = TryStrToDateTime(VarToStr(Value), parsed) ? DateOfValue(parsed) : 0;
  else if (Value.Type() == varDate || VarIsNumeric(Value))
    keptDate_ = DateOfValue(Value.AsDateTime());
  inherited::InternalSetEditValue(Value, AValidateEditValue);
}

bool TcxCustomTimeEdit::IsValidChar(Char AChar) {
  if (AChar == u'\b' || AChar == u'.') return true;
  TcxCustomTimeEditProperties* properties = ActiveProperties();
  const Char part = PartAtCaret();
  if (part == u'A') return AChar < 32;
  if (AChar < u'0' || AChar > u'9') return false;
  const int caret = SelStart();
  if (part == u'H') {
    String hours = Text().substr(0, 2);
    hours.resize(2, u'0');
    if (caret < 2) hours[static_cast<size_t>(caret)] = AChar;
    const int hour = (hours[0] - u'0') * 10 + (hours[1] - u'0');
    return properties->Use24HourFormat() ? hour <= 23 : hour >= 1 && hour <= 12;
  }
  // The first digit of minutes and seconds is at most 5.
  if ((part == u'N' && caret == 3) || (part == u'S' && caret == 6)) return AChar <= u'5';
  return true;
}

double TcxCustomTimeEdit::GetIncrement(bool ADown) {
  TcxCustomTimeEditProperties* properties = ActiveProperties();
  const Char part = PartAtCaret();
  const double step = part == u'N' ? EncodeTime(0, 1, 0, 0) : part == u'S' ? EncodeTime(0, 0, 1, 0) : EncodeTime(1, 0, 0, 0);
  if (part == u'A') return Time() >= 0.5 ? -0.5 : 0.5;
  double increment = ADown ? -step : step;
  // One step from a bound the step lands exactly on it (no rounding beside it).
  if (properties->MaxValue() != properties->MinValue()) {
    const double current = Time();
    if (ADown && Text() == properties->FormatTime(properties->MinValue() + step))
      increment = properties->MinValue() - current;
    if (!ADown && Text() == properties->FormatTime(properties->MaxValue() - step))
      increment = properties->MaxValue() - current;
  }
  return increment;
}

bool TcxCustomTimeEdit::DoIncrement(bool ADown) {
  if (HandleAllocated()) {
    const Char part = PartAtCaret();
    const int n = cxTimeEditDigitCount(ActiveProperties()->TimeFormat());
    if (part == u'A') {
      const String text = Text();
      size_t first = static_cast<size_t>(n);
      while (first < text.size() && text[first] == u' ') ++first;
      SetSelStart(static_cast<int>(first));
      SetSelLength(static_cast<int>(text.size() - first));
    } else {
      SetSelStart(part == u'H' ? 0 : part == u'N' ? 3 : 6);
      SetSelLength(1);
    }
  }
  return inherited::DoIncrement(ADown);
}

void TcxCustomTimeEdit::PropertiesChanged(TObject* Sender) {
  // The mask's mode works on the window: without one the change waits for CreateHandle.
  if (!HandleAllocated()) return;
  if (!Focused()) SynchronizeDisplayValue();
  inherited::PropertiesChanged(Sender);
}

void TcxCustomTimeEdit::CreateHandle() {
  inherited::CreateHandle();
  PropertiesChanged(nullptr);
}

void TcxCustomTimeEdit::FormatChanged() {
  ActiveProperties()->UpdateTimeMask();
  PropertiesChanged(nullptr);
}

void InitializeTimeEdit() {
  GetRegisteredEditProperties()->Register(TcxTimeEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditTimeEditDescription));
}

void FinalizeTimeEdit() { GetRegisteredEditProperties()->Unregister(TcxTimeEditProperties::StaticClass()); }
