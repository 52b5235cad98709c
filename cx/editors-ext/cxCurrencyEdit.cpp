// The currency edit control: the amount as a number, the keys that keep its text a number, and
// pasted text that is not one put back.
#include <algorithm>

#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxNumberTyping.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCurrencyEdit)
TRENVIK_PUBLISHED(TcxCurrencyEdit) { PublishTextEditControl(P); }

TcxCustomCurrencyEdit::TcxCustomCurrencyEdit(TComponent* AOwner) : TcxCustomTextEdit(AOwner) {
  CreateProperties();
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  GetFormatController()->AddListener(this);
}

TcxCustomCurrencyEdit::~TcxCustomCurrencyEdit() { GetFormatController()->RemoveListener(this); }

double TcxCustomCurrencyEdit::Value() {
  const Variant& value = EditValue();
  if (VarIsNull(value)) return 0;
  if (VarIsStr(value) && StrToCurrDef(VarToStr(value), Currency()) == Currency()) return 0;
  return value.AsDouble();
}

void TcxCustomCurrencyEdit::SetValue(double Value) {
  TcxCustomCurrencyEditProperties* properties = ActiveProperties();
  if (properties->MinValue() != properties->MaxValue())
    Value = std::clamp(Value, properties->MinValue(), properties->MaxValue());
  SetEditValue(Value);
  DoExit();
}

void TcxCustomCurrencyEdit::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  TcxCustomCurrencyEditProperties* properties = ActiveProperties();
  const String text = VarToStr(DisplayValue);
  double number = 0;
  if (!text.empty() && text != properties->NullString() && cxCurrencyTextToNumber(text, number)) {
    EditValue = number;
    return;
  }
  EditValue = properties->Nullable() ? Null() : Variant(Currency());
}

bool TcxCustomCurrencyEdit::IsValidChar(Char AChar) {
  TcxCustomCurrencyEditProperties* properties = ActiveProperties();
  const TFormatSettings& settings = FormatSettings();
  const bool allowed = AChar == u'+' || AChar == u'-' || (AChar >= u'0' && AChar <= u'9') || AChar == u'E' ||
                       AChar == u'e' || AChar == settings.DecimalSeparator ||
                       (properties->UseThousandSeparator() && AChar == settings.ThousandSeparator);
  if (!allowed) return false;
  const String text = cxTextWithCharTyped(Text(), SelStart(), SelLength(), AChar);
  if (text == u"-") return true;
  if (cxFractionLength(text, settings.DecimalSeparator) > properties->DecimalPlaces()) return false;
  double unused = 0;
  return cxCurrencyTextToNumber(text, unused);
}

void TcxCustomCurrencyEdit::KeyPress(Char& Key) {
  const TFormatSettings& settings = FormatSettings();
  const bool thousand = ActiveProperties()->UseThousandSeparator() && Key == settings.ThousandSeparator;
  if (!thousand && (Key == u',' || Key == u'.')) Key = settings.DecimalSeparator;
  if (Key >= 32 && !IsValidChar(Key)) {
    Key = 0;
    MessageBeep(MB_OK);
    return;
  }
  inherited::KeyPress(Key);
}

void TcxCustomCurrencyEdit::PasteFromClipboard() {
  if (!CanModify()) return;
  const String saved = Text();
  inherited::PasteFromClipboard();
  double unused = 0;
  if (TryStrToFloat(Text(), unused)) return;
  SetText(saved);
  SelectAll();
}

void TcxCustomCurrencyEdit::PropertiesChanged(TObject* Sender) {
  if (!Focused()) SynchronizeDisplayValue();
  inherited::PropertiesChanged(Sender);
}

void InitializeCurrencyEdit() {
  GetRegisteredEditProperties()->Register(TcxCurrencyEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditCurrencyEditDescription));
}

void FinalizeCurrencyEdit() { GetRegisteredEditProperties()->Unregister(TcxCurrencyEditProperties::StaticClass()); }
