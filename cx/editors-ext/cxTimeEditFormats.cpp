// The time edit's formats and masks, its parts under the caret, and its settings.
#include <cmath>

#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors/cxDateUtils.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomTimeEditProperties)

using TimeProps = TcxCustomTimeEditProperties;
TRENVIK_PUBLISHED(TcxTimeEditProperties) {
  PublishAlignmentObject(P);
  PublishAutoSelect(P, true);
  PublishBeepOnError(P);
  PublishHideSelection(P);
  P.Property("ImmediatePost", &TimeProps::ImmediatePost, &TimeProps::SetImmediatePost).Default(false);
  PublishReadOnly(P);
  P.Property("ShowDate", &TimeProps::ShowDate, &TimeProps::SetShowDate).Default(false);
  P.Property("TimeFormat", &TimeProps::TimeFormat, &TimeProps::SetTimeFormat).Default(tfHourMinSec);
  P.Property("Use24HourFormat", &TimeProps::Use24HourFormat, &TimeProps::SetUse24HourFormat).Default(true);
  PublishUseLeftAlignmentOnEditing(P);
  PublishEditValueEvents(P);
}

namespace {

String TrimTrailingBlanks(String AText) {
  while (!AText.empty() && AText.back() == u' ') AText.pop_back();
  return AText;
}

bool IsTimeLike(const Variant& AValue) { return AValue.Type() == varDate || VarIsNumeric(AValue); }

}  // namespace

int cxTimeEditDigitCount(TcxTimeEditTimeFormat AFormat) { return 8 - 3 * static_cast<int>(AFormat); }

String cxTimeEditDisplayFormat(TcxTimeEditTimeFormat AFormat, bool AUse24Hour) {
  static const char16_t* const kFormats[] = {u"hh:nn:ss", u"hh:nn", u"hh"};
  const String format = kFormats[AFormat];
  return AUse24Hour ? format : format + u" ampm";
}

String cxTimeEditMask(TcxTimeEditTimeFormat AFormat, bool AUse24Hour) {
  const String digits = String(u"00:00:00").substr(0, static_cast<size_t>(cxTimeEditDigitCount(AFormat)));
  if (AUse24Hour) return digits + u";1;0";
  // Each character of the designator is any character; blanks stay blanks.
  const String sample = FormatDateTime(u"hh:mm:ss AMPM", 1.5);
  String designator;
  for (size_t i = 8; i < sample.size(); ++i) designator += sample[i] == u' ' ? u' ' : u'c';
  return digits + TrimTrailingBlanks(designator) + u";1;0";
}

Char cxTimeEditPartAt(int ACaret, TcxTimeEditTimeFormat AFormat, bool AUse24Hour) {
  if (ACaret > cxTimeEditDigitCount(AFormat)) return u'A';
  String format = cxTimeEditDisplayFormat(AFormat, AUse24Hour);
  for (Char& c : format) c = static_cast<Char>(std::towupper(c));
  auto partAt = [&](int APos) { return APos >= 1 && APos <= static_cast<int>(format.size()) ? format[APos - 1] : u' '; };
  Char c = partAt(ACaret);
  if (c != u'H' && c != u'N' && c != u'S') c = partAt(std::max(1, ACaret - 1));
  return c == u'N' || c == u'S' ? c : u'H';
}

// --- Properties ---

TcxCustomTimeEditProperties::TcxCustomTimeEditProperties(TPersistent* AOwner) : TcxCustomSpinEditProperties(AOwner) {
  SetValueType(vtFloat);
  SetIgnoreMaskBlank(true);
  SetMinValue(0);
  SetMaxValue(EncodeTime(23, 59, 59, 0));
  UpdateTimeMask();
}

void TcxCustomTimeEditProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomTimeEditProperties*>(Source);
  if (!source) return;
  SetShowDate(source->ShowDate());
  SetTimeFormat(source->TimeFormat());
  SetUse24HourFormat(source->Use24HourFormat());
}

void TcxCustomTimeEditProperties::SetShowDate(bool Value) {
  if (showDate_ == Value) return;
  showDate_ = Value;
  Changed();
}

void TcxCustomTimeEditProperties::SetTimeFormat(TcxTimeEditTimeFormat Value) {
  if (timeFormat_ == Value) return;
  timeFormat_ = Value;
  UpdateTimeMask();
  Changed();
}

void TcxCustomTimeEditProperties::SetUse24HourFormat(bool Value) {
  if (use24HourFormat_ == Value) return;
  use24HourFormat_ = Value;
  UpdateTimeMask();
  Changed();
}

void TcxCustomTimeEditProperties::UpdateTimeMask() {
  const bool locked = IsChangedLocked();
  SetChangedLocked(true);
  SetMaskKind(emkStandard);
  SetEditMask(cxTimeEditMask(timeFormat_, use24HourFormat_));
  SetChangedLocked(locked);
}

String TcxCustomTimeEditProperties::FormatTime(TDateTime AValue) const {
  return TrimTrailingBlanks(FormatDateTime(cxTimeEditDisplayFormat(timeFormat_, use24HourFormat_), AValue));
}

bool TcxCustomTimeEditProperties::ValueRequired() {
  return DefaultValuesProvider() && DefaultValuesProvider()->DefaultRequired();
}

bool TcxCustomTimeEditProperties::IsDisplayValueValid(Variant& DisplayValue, bool) {
  const String text = VarToStr(DisplayValue);
  if (text.empty()) return !ValueRequired();
  TDateTime value = 0;
  if (!TryStrToDateTime(text, value)) return false;
  DisplayValue = FormatTime(value);
  return true;
}

bool TcxCustomTimeEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  if (VarIsStr(EditValue)) return IsDisplayValueValid(EditValue, AEditFocused);
  if (VarIsNull(EditValue)) return !ValueRequired();
  return IsTimeLike(EditValue);
}

void TcxCustomTimeEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool AEditFocused) {
  if (VarIsNull(AEditValue)) {
    DisplayValue = AEditFocused ? FormatTime(0) : String();
    return;
  }
  if (!IsTimeLike(AEditValue) && !VarIsStr(AEditValue))
    throw EConvertError(cxGetResourceString(cxSTimeEditConvertError));
  TDateTime value = 0;
  if (VarIsStr(AEditValue)) {
    // A text that is no date and time shows as it is (never as the current time).
    if (!TryStrToDateTime(VarToStr(AEditValue), value)) {
      DisplayValue = VarToStr(AEditValue);
      return;
    }
  } else {
    value = AEditValue.AsDateTime();
  }
  String text;
  if (AEditFocused || value == 0)
    text = FormatTime(value);
  else if (showDate_ && DateOfValue(value) != 0)
    text = DateTimeToStr(value);
  else
    text = TimeToStr(value);
  DisplayValue = TrimTrailingBlanks(text);
}

TClass TcxCustomTimeEditProperties::GetContainerClass() { return TcxTimeEdit::StaticClass(); }
