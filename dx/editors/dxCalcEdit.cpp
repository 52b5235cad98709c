// The calculator as a calc editor's drop-down, and the calc editor.
#include "dx/editors/dxCalculator.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxPopupCalculator)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceCalcEdit)

TdxPopupCalculator::TdxPopupCalculator(TComponent* AOwner) : TCustomdxCalculator(AOwner) { SetIsPopup(true); }

String TdxPopupCalculator::ReadDisplay() { return LinkedEditor ? LinkedEditor->Text() : String(u"0"); }

void TdxPopupCalculator::WriteDisplay(const String& Text) {
  if (!LinkedEditor || !LinkedEditor->CanModify()) return;
  try {
    LinkedEditor->SetText(Text);
    LinkedEditor->SetModified(true);
  } catch (...) {
    ClosePopup(false);
    throw;
  }
}

void TdxPopupCalculator::ClosePopup(bool Accept) {
  TCustomdxCalculator::ClosePopup(Accept);
  if (LinkedEditor && LinkedEditor->Text() == CalcErrorText()) {
    LinkedEditor->SetText(u"0");
    LinkedEditor->SetModified(true);
  }
}

void TdxPopupCalculator::KeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  if (((Key == VK_UP || Key == VK_DOWN) && alt) || Key == VK_F4 || Key == VK_ESCAPE) {
    ClosePopup(Key != VK_ESCAPE);
    Key = 0;
    return;
  }
  if (Key == VK_RETURN) {
    TCustomdxCalculator::KeyDown(Key, Shift);  // "=" first
    if (HandleAllocated()) RemovePendingMessage(Handle(), WM_CHAR);
    ClosePopup(true);
    Key = 0;
    return;
  }
  TCustomdxCalculator::KeyDown(Key, Shift);
}

void TdxPopupCalculator::KeyPress(Char& Key) {
  const bool equals = Key == u'=';
  TCustomdxCalculator::KeyPress(Key);
  if (equals && QuickClose) ClosePopup(true);
}

TdxInplaceEditClass TdxInplaceCalcEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceCalcEdit, TdxDropDownEditMetaClass> c("TdxInplaceCalcEdit");
  return &c;
}

TdxInplaceCalcEdit::TdxInplaceCalcEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class) {
  KeysToList = false;  // the calculator takes the focus
}

TdxInplaceCalcEdit::~TdxInplaceCalcEdit() = default;

void TdxInplaceCalcEdit::DropDown() {
  if (DropDownShown || !IsEditable()) return;
  if (!calculator_)
    calculator_ = new TdxPopupCalculator(this);
  else
    calculator_->RebuildWindow();
  calculator_->SetOwnerControl(this);
  DropDownWindow = calculator_;
  DoDropDown();
  calculator_->SetPopupBorder(GetActualPopupBorder());
  calculator_->SetShadow(Style()->Shadow());
  calculator_->SetPopupMode(true);
  calculator_->QuickClose = QuickClose;
  calculator_->LinkedEditor = this;
  calculator_->Font()->Assign(Font());
  calculator_->ShowFocusFrame = false;
  calculator_->Arithmetic().SetBeepOnError(BeepOnError);
  calculator_->ButtonStyle = ButtonStyle;
  calculator_->ShowButtonFrame = ShowButtonFrame;
  calculator_->Arithmetic().SetPrecision(Precision);
  calculator_->LayoutKeys();
  PlacePopup(calculator_, false);
  DropDownShown = true;
  calculator_->ShowPopup();
  if (calculator_->CanFocus()) calculator_->SetFocus();
}

void TdxInplaceCalcEdit::CloseUp(bool Accept) {
  if (calculator_ && DropDownShown) calculator_->ClosePopup(Accept);
  DropDownShown = false;
}
