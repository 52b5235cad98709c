#include "dx/editors/dxTimeEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxEditorRoutines.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Currency.h"

namespace {

struct TTimeFormat {
  const char16_t* display;
  const char16_t* mask;
};

const TTimeFormat kFormats[] = {
    {u"hh:nn:ss", u"00:00:00;1;0"},
    {u"hh:nn", u"00:00;1;0"},
    {u"hh", u"00;1;0"},
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TdxInplaceTimeEdit)

TdxInplaceEditClass TdxInplaceTimeEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceTimeEdit, TdxSpinEditMetaClass> c("TdxInplaceTimeEdit");
  return &c;
}

TdxInplaceTimeEdit::TdxInplaceTimeEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceSpinEdit(AOwner, Class) {
  SetIgnoreMaskBlank(true);
  SetEditMask(kFormats[timeEditFormat_].mask);
}

String TdxInplaceTimeEdit::DisplayFormat() const { return kFormats[timeEditFormat_].display; }

void TdxInplaceTimeEdit::SetTimeEditFormat(TdxTimeEditFormat Value) {
  if (timeEditFormat_ == Value) return;
  timeEditFormat_ = Value;
  SetEditMask(kFormats[Value].mask);
}

double TdxInplaceTimeEdit::GetIncrement() {
  const String format = UpperCase(DisplayFormat());
  int start = 0, stop = 0;
  GetSelectionBounds(start, stop);
  const int last = static_cast<int>(format.size()) - 1;
  int at = std::min(start, last);
  if (at >= 0 && format[at] != u'H' && format[at] != u'N' && format[at] != u'S') at = std::max(at - 1, 0);
  switch (at >= 0 ? format[at] : u' ') {
    case u'H': return dxOneHour;
    case u'N': return dxOneMinute;
    case u'S': return dxOneSecond;
    default: return 0;
  }
}

double TdxInplaceTimeEdit::GetValue() {
  TDateTime value = 0;
  return TryStrToTime(GetEditText(), value) ? value : 0;
}

void TdxInplaceTimeEdit::SetValue(double Value) {
  // Steps across midnight do not happen; a small tolerance keeps 23:59:59 reachable by steps.
  constexpr double tolerance = 1e-9;
  if (Value < dxZeroTime - tolerance || Value > dxMaxTime + tolerance) return;
  int start = 0, stop = 0;
  GetSelectionBounds(start, stop);
  const int caret = start < 3 ? 1 : start <= 5 ? 4 : 7;
  time_ = Value;
  String text;
  try {
    text = FormatDateTime(DisplayFormat(), Value);
  } catch (const Exception&) {
    text = TimeToStr(Time());
  }
  if (text != GetEditText()) SetText(text);
  if (HandleAllocated()) SetSelectionRange(caret, caret + 1);
}

void TdxInplaceTimeEdit::SetTime(TDateTime Value) {
  if (Value == time_) return;
  TCustomdxContainer* container = GetContainer();
  if ((container && container->IsInitialisingEditor()) || CanModify()) SetValue(Value);
}

void TdxInplaceTimeEdit::SetEditValue(const Variant& Value) {
  TdxModifiedScope keep(*this);
  const bool empty = VarIsNull(Value) || Value.Type() == varEmpty ||
                     ((Value.Type() == varOleStr || Value.Type() == varString) && Value.AsString().empty());
  if (empty) {
    savedDate_ = 0;
    SetValue(0);
    return;
  }
  const TDateTime dt = Value.AsDateTime();
  savedDate_ = TruncWithTolerance(dt);
  SetValue(GetTimePart(dt));
}

void TdxInplaceTimeEdit::GetEditingValue(Variant& Value) {
  if (time_ == 0 && savedDate_ == 0)
    Value = Variant(Currency());
  else
    Value = Variant(savedDate_ + time_);
}

bool TdxInplaceTimeEdit::IsValidValueChar(Char Key) {
  if (Key < u'0' || Key > u'9') return true;  // left to the edit mask
  int start = 0, stop = 0;
  GetSelectionBounds(start, stop);
  const String text = GetEditText();
  if (start == 0) return Key <= u'2';
  if (start == 1 && !text.empty() && text[0] == u'2') return Key <= u'3';
  if ((start == 3 && timeEditFormat_ != tfHour) || (start == 6 && timeEditFormat_ == tfHourMinSec)) return Key <= u'5';
  return true;
}
