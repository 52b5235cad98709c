// The calc edit control: its value as a number, the characters that keep its text a number within
// the digit budget, and the drop-down calculator working on its text.
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxNumberTyping.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Shell.h"

TRENVIK_IMPLEMENT_CLASS(TcxPopupCalculator)
TRENVIK_IMPLEMENT_CLASS(TcxCustomCalcEdit)
TRENVIK_PUBLISHED(TcxCalcEdit) {
  PublishAutoSize(P);
  PublishBeepOnEnter(P);
  PublishEditControl(P, false);
  P.Property("Value", &TcxCustomCalcEdit::Value, &TcxCustomCalcEdit::SetValue).NoDefault();
}

// --- The popup calculator's display is the edit's text ---

String TcxPopupCalculator::GetDisplayText() { return edit_ ? edit_->Text() : String(); }

void TcxPopupCalculator::SetDisplayText(const String& Value) {
  if (!edit_ || !edit_->DoEditing()) return;
  edit_->SetText(Value);
  edit_->SetModifiedAfterEnter(true);
}

TcxLookAndFeelPainterClass TcxPopupCalculator::GetPainter() {
  if (!edit_) return inherited::GetPainter();
  TcxLookAndFeel* lookAndFeel = edit_->Style()->LookAndFeel();
  if (lookAndFeel->NativeStyle()) return lookAndFeel->Painter();
  switch (edit_->Style()->PopupBorderStyle()) {
    case epbsSingle:
      return TcxUltraFlatLookAndFeelPainter::Class();
    case epbsFrame3D:
      return TcxStandardLookAndFeelPainter::Class();
    case epbsFlat:
      return TcxFlatLookAndFeelPainter::Class();
    default:
      return lookAndFeel->Painter();
  }
}

void TcxPopupCalculator::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  const bool quickClose = edit_ && edit_->ActiveProperties()->QuickClose();
  if (Key == u'\r' || (Key == u'=' && quickClose)) HidePopup();
}

// --- The edit ---

TcxCustomCalcEdit::TcxCustomCalcEdit(TComponent* AOwner) : TcxCustomPopupEdit(AOwner) {
  CreateProperties();
  calculator_ = new TcxPopupCalculator(this);
  calculator_->SetVisible(false);
  calculator_->SetEdit(this);
  calculator_->SetAutoFontSize(false);
  calculator_->OnHidePopup = [this](TObject*) {
    if (PopupWindow()) PopupWindow()->PostClosePopup();
  };
  Properties()->SetPopupControl(calculator_);
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  // The base made its popup window before this class's override could switch the loop off.
  if (PopupWindow()) PopupWindow()->SetOwnLoop(false);
  GetFormatController()->AddListener(this);
}

TcxCustomCalcEdit::~TcxCustomCalcEdit() {
  GetFormatController()->RemoveListener(this);
  if (HasPopupWindow()) RestorePopupControl();
  Properties()->SetPopupControl(nullptr);
  delete calculator_;
}

double TcxCustomCalcEdit::Value() {
  const Variant& value = EditValue();
  if (VarIsNull(value) || VarIsEmpty(value) || (VarIsStr(value) && VarToStr(value).empty())) return 0;
  try {
    return value.AsDouble();
  } catch (const EVariantError&) {
    return 0;
  } catch (const EConvertError&) {
    return 0;
  }
}

void TcxCustomCalcEdit::SetValue(double Value) { SetEditValue(Value); }

void TcxCustomCalcEdit::CreatePopupWindow() {
  inherited::CreatePopupWindow();
  // Opening the calculator returns at once; the calculator closes the popup itself.
  PopupWindow()->SetOwnLoop(false);
}

void TcxCustomCalcEdit::DoInitPopup() {
  inherited::DoInitPopup();
  ActiveProperties()->SetPopupControl(calculator_);
}

void TcxCustomCalcEdit::SetupPopupWindow() {
  inherited::SetupPopupWindow();
  calculator_->HandleNeeded();
  // Without automatic sizing the buttons are twice the font's height.
  calculator_->Font()->Assign(Style()->Font());
}

void TcxCustomCalcEdit::PopupWindowClosed(TObject* Sender) {
  if (Text() == cxGetResourceString(cxSCalcError)) SetEditValue(0);
  if (ActiveProperties()->AutoSelect())
    SelectAll();
  else
    SetSelStart(static_cast<int>(Text().size()));
  inherited::PopupWindowClosed(Sender);
}

void TcxCustomCalcEdit::PropertiesChanged(TObject* Sender) {
  inherited::PropertiesChanged(Sender);
  // The properties are made (and announce themselves) before the calculator.
  if (IsDestroying() || !calculator_) return;
  TcxCustomCalcEditProperties* properties = ActiveProperties();
  calculator_->SetBeepOnError(properties->BeepOnError());
  calculator_->SetPrecision(properties->Precision());
  const bool locked = properties->IsChangedLocked();
  properties->SetChangedLocked(true);
  properties->SetPopupControl(calculator_);
  properties->SetChangedLocked(locked);
}

void TcxCustomCalcEdit::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  const String text = Trim(VarToStr(DisplayValue));
  if (text.empty()) {
    EditValue = Null();
    return;
  }
  double number = 0;
  EditValue = TryStrToFloat(text, number) ? Variant(number) : Variant();
}

bool TcxCustomCalcEdit::IsValidChar(Char AChar) {
  const Char separator = FormatSettings().DecimalSeparator;
  const bool allowed = AChar == u'+' || AChar == u'-' || (AChar >= u'0' && AChar <= u'9') || AChar == u'E' ||
                       AChar == u'e' || AChar == separator;
  if (!allowed) return false;
  const String text = cxTextWithCharTyped(Text(), SelStart(), SelLength(), AChar);
  if (AChar == u'-' && text == u"-") return true;
  TcxCustomCalcEditProperties* properties = ActiveProperties();
  if (cxFractionLength(text, separator) > properties->Precision()) return false;
  int digits = 0;
  for (Char c : text) digits += c >= u'0' && c <= u'9' ? 1 : 0;
  double unused = 0;
  return digits <= properties->Precision() && properties->IsValidNumberText(text, unused);
}

void TcxCustomCalcEdit::KeyPress(Char& Key) {
  if (Key == u',' || Key == u'.') Key = FormatSettings().DecimalSeparator;
  if (Key >= 32 && !IsValidChar(Key)) {
    if (ActiveProperties()->BeepOnError()) MessageBeep(MB_OK);
    Key = 0;
    return;
  }
  inherited::KeyPress(Key);
}

void TcxCustomCalcEdit::PasteFromClipboard() {
  if (CanModify()) calculator_->PasteFromClipboard();
}

void TcxCustomCalcEdit::DoEnter() {
  SynchronizeDisplayValue();
  inherited::DoEnter();
}

void TcxCustomCalcEdit::DoExit() {
  inherited::DoExit();
  SynchronizeDisplayValue();
}

void InitializeCalcEdit() {
  GetRegisteredEditProperties()->Register(TcxCalcEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditCalcEditDescription));
}

void FinalizeCalcEdit() { GetRegisteredEditProperties()->Unregister(TcxCalcEditProperties::StaticClass()); }
