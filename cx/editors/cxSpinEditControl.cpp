#include <cmath>

#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxSpinEdit.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Focus.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomSpinEdit)
TRENVIK_PUBLISHED(TcxSpinEdit) {
  PublishAutoSize(P);
  PublishBeepOnEnter(P);
  PublishEditControl(P, false);
  P.Property("Value", &TcxSpinEdit::Value, &TcxSpinEdit::SetValue).Stored(&TcxSpinEdit::IsValueStored);
}

bool TcxSpinEdit::IsValueStored() const {
  // Reading the value converts the text; it changes nothing.
  const Variant value = const_cast<TcxSpinEdit*>(this)->GetValue();
  return !(VarIsNumeric(value) && value.AsDouble() == 0);
}

TClass TcxCustomSpinEditProperties::GetContainerClass() { return TcxSpinEdit::StaticClass(); }

TcxCustomSpinEdit::TcxCustomSpinEdit(TComponent* AOwner) : TcxCustomMaskEdit(AOwner) {
  CreateProperties();
  SetEditValue(Variant(Integer(0)));
}

Variant TcxCustomSpinEdit::MinimumOfValueType() {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  const double minimum = properties->MinValue();
  return properties->ValueType() == vtFloat ? Variant(minimum) : Variant(static_cast<Integer>(std::trunc(minimum)));
}

double TcxCustomSpinEdit::GetIncrement(bool ADown) {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  double increment = properties->Increment;
  if (properties->ValueType() == vtInt) increment = std::nearbyint(increment);  // halves to even
  return ADown ? -increment : increment;
}

void TcxCustomSpinEdit::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  const String text = VarToStr(DisplayValue);
  double number = 0;
  if (!text.empty()) {
    EditValue = cxSpinTextToNumber(text, properties->ValueType(), number) ? properties->ToValueType(number)
                                                                           : MinimumOfValueType();
    return;
  }
  const auto& provider = properties->DefaultValuesProvider();
  EditValue = provider && provider->DefaultRequired() ? MinimumOfValueType() : Null();
}

Variant TcxCustomSpinEdit::GetValue() {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  if (Focused()) {
    Variant value;
    DisplayToEditValue(Variant(Text()), value, IsEditFocused());
    return VarIsNumeric(value) ? value : properties->ToValueType(properties->MinValue());
  }
  const Variant& stored = EditValue();
  double number = 0;
  if (VarIsNumeric(stored)) return properties->ToValueType(stored.AsDouble());
  if (VarIsStr(stored) && cxSpinTextToNumber(VarToStr(stored), properties->ValueType(), number))
    return properties->ToValueType(number);
  return properties->ToValueType(properties->MinValue());
}

void TcxCustomSpinEdit::SetValue(const Variant& Value) {
  if (VarIsNull(Value)) return;
  if (Focused()) {
    Variant display = VarToStr(Value);
    SetValidatedDisplayValue(display);
    return;
  }
  Variant value = Value;
  if (ActiveProperties()->IsEditValueValid(value, false)) SetEditValue(value);
}

bool TcxCustomSpinEdit::DoIncrement(bool ADown) {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  const double value = GetValue().AsDouble() + GetIncrement(ADown);
  if (properties->MaxValue() != properties->MinValue() &&
      (value < properties->MinValue() || value > properties->MaxValue()))
    return false;
  if (!DoEditing()) return false;
  const String oldText = Text();
  Variant display;
  properties->PrepareDisplayValue(Variant(value), display, IsEditFocused());
  const int selStart = MaskSelStart();
  const int selLength = MaskSelLength();
  SetValidatedDisplayValue(display);
  if (Text() == oldText) return false;
  SetModifiedAfterEnter(true);
  if (properties->PreserveSelectionOnIncrement()) {
    TcxCustomTextEdit::SetSelStart(selStart);
    TcxCustomTextEdit::SetSelLength(selLength);
  } else {
    TcxCustomTextEdit::SetSelStart(static_cast<int>(Text().size()));
  }
  if (properties->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) PostEditValue();
  return true;
}

bool TcxCustomSpinEdit::DoEditing() { return ActiveProperties()->CanEdit && inherited::DoEditing(); }

void TcxCustomSpinEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  const bool arrow = Key == VK_UP || Key == VK_DOWN;
  if (arrow && (!properties->UseCtrlIncrement || Shift.Contains(ssCtrl))) {
    if (!DataBinding()->GetModified() && !DoEditing()) return;
    const bool down = Key == VK_DOWN;
    SetArrowKeyState(down ? 2 : 1);
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    DoIncrement(down);
    Key = 0;
    return;
  }
  StopTracking();
  if (Key != 0) inherited::DoEditKeyDown(Key, Shift);
}

void TcxCustomSpinEdit::DoEditKeyUp(WORD& Key, TShiftState Shift) {
  const WORD key = Key;
  inherited::DoEditKeyUp(Key, Shift);
  if (key == VK_UP || key == VK_DOWN) StopTracking();
}

bool TcxCustomSpinEdit::IsValidChar(Char AChar) {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  if (!properties->CanEdit && (AChar >= 32 || AChar == 8)) return false;
  if (AChar < 32 || (AChar >= u'0' && AChar <= u'9') || AChar == u'+' || AChar == u'-') return true;
  return properties->ValueType() == vtFloat && AChar == FormatSettings().DecimalSeparator;
}

bool TcxCustomSpinEdit::IsNumberPrefix(const String& AText) {
  const Char separator = FormatSettings().DecimalSeparator;
  bool separatorSeen = false;
  for (size_t i = 0; i < AText.size(); ++i) {
    const Char c = AText[i];
    if (c >= u'0' && c <= u'9') continue;
    if ((c == u'-' || c == u'+') && i == 0) continue;
    if (c == separator && ActiveProperties()->ValueType() == vtFloat && !separatorSeen) {
      separatorSeen = true;
      continue;
    }
    return false;
  }
  return true;
}

bool TcxCustomSpinEdit::AcceptsReplacement(const String& AInserted) {
  String text = Text();
  text.replace(static_cast<size_t>(MaskSelStart()), static_cast<size_t>(MaskSelLength()), AInserted);
  return IsNumberPrefix(text);
}

void TcxCustomSpinEdit::DoEditKeyPress(Char& Key) {
  if (Key == u',' || Key == u'.') Key = FormatSettings().DecimalSeparator;
  // The text goes into queries: it may only ever hold a number or the start of one.
  const bool refused = (Key == 8 || Key >= 32) && (!IsValidChar(Key) || (Key >= 32 && !AcceptsReplacement(String(1, Key))));
  if (refused) {
    Key = 0;
    MessageBeep(MB_OK);
    return;
  }
  inherited::DoEditKeyPress(Key);
}

void TcxCustomSpinEdit::PasteFromClipboard() {
  String clip;
  if (!HandleAllocated() || !GetClipboardText(Handle(), &clip)) return;
  if (!ActiveProperties()->CanEdit || !AcceptsReplacement(clip)) {
    MessageBeep(MB_OK);
    return;
  }
  inherited::PasteFromClipboard();
}

void TcxCustomSpinEdit::PropertiesChanged(TObject* Sender) {
  inherited::PropertiesChanged(Sender);
  if (!Mode() || !DataBinding()) return;
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  if (!DataBinding()->IsEditDesigning() && ModifiedAfterEnter() && properties->MaxValue() != properties->MinValue())
    FitValueToBounds();
}

void TcxCustomSpinEdit::FitValueToBounds() {
  TcxCustomSpinEditProperties* properties = ActiveProperties();
  const double value = GetValue().AsDouble();
  if (value < properties->MinValue())
    SetValue(Variant(properties->MinValue()));
  else if (value > properties->MaxValue())
    SetValue(Variant(properties->MaxValue()));
}

bool TcxCustomSpinEdit::DoMouseWheelDown(TShiftState, POINT) {
  DoIncrement(true);
  return true;
}

bool TcxCustomSpinEdit::DoMouseWheelUp(TShiftState, POINT) {
  DoIncrement(false);
  return true;
}

void TcxCustomSpinEdit::FocusChanged() {
  inherited::FocusChanged();
  StopTracking();
}
