#include "dx/editors/dxSpinEdit.h"

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxEditButtonInput.h"
#include "dx/editors/dxEditButtonPaint.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 100;
constexpr UINT kFirstRepeatDelay = 400;
constexpr UINT kRepeatDelay = 100;

// Keeps the Modified flag as it was, on every path.

RECT FrameOf(const TdxEditViewInfo& ViewInfo) {
  RECT frame = ViewInfo.BorderRect;
  TdxInplaceEditMetaClass::InflateByBorder(frame, ViewInfo, false);
  return frame;
}

void DrawSpinButton(HDC DC, RECT R, bool Up, const TdxEditButtonLook& Look, TdxEditViewData* ViewData) {
  TdxEditButtonLook look = Look;
  if (look.style == btsSimple && (look.hot || look.pressed)) look.style = btsFlat;
  if (look.transparent && !ViewData->Transparent) FillRect(DC, &R, ViewData->Brush);
  const int fullWidth = R.right - R.left;
  const TColor symbol = DrawEditButtonFrame(DC, R, look, false, ViewData->Brush);
  if (look.pressed && look.style != btsHotFlat) OffsetRect(&R, 1, 1);
  int w = (fullWidth - 2) / 2;
  if (w % 2 == 0) --w;
  if (w < 1) w = 1;
  const int rows = w / 2 + 1;
  const int x = (R.left + R.right - w) / 2;
  const int y = (R.top + R.bottom - rows) / 2;
  if (ViewData->Enabled) {
    DrawEditButtonArrow(DC, x, y, w, Up, symbol);
  } else {
    DrawEditButtonArrow(DC, x + 1, y + 1, w, Up, clBtnHighlight);
    DrawEditButtonArrow(DC, x, y, w, Up, clBtnShadow);
  }
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TdxSpinEditViewData)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceSpinEdit)

// --- Class operations ---

std::unique_ptr<TdxEditViewData> TdxSpinEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxSpinEditViewData>();
}

int TdxSpinEditMetaClass::GetSpinButtonWidth(TdxEditViewData* ViewData) const {
  auto* v = dynamic_cast<TdxSpinEditViewData*>(ViewData);
  if (!v || !v->ShowButtons) return 0;
  int w = GetSystemMetrics(SM_CXVSCROLL);
  if (w % 2 == 0) --w;
  if (w < 13) w = 13;
  if (v->ButtonStyle == btsFlat || v->ButtonStyle == btsSimple) --w;
  return w;
}

RECT TdxSpinEditMetaClass::SpinColumn(const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) const {
  RECT column = FrameOf(ViewInfo);
  column.left = column.right - GetSpinButtonWidth(ViewData);
  return column;
}

void TdxSpinEditMetaClass::CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize,
                                        TdxEditViewInfo& ViewInfo) const {
  TdxTextEditMetaClass::CalcViewInfo(ViewData, AutoSize, ViewInfo);
  ViewInfo.Inner.right -= GetSpinButtonWidth(ViewData);
  if (ViewInfo.Inner.right < ViewInfo.Inner.left) ViewInfo.Inner.right = ViewInfo.Inner.left;
}

void TdxSpinEditMetaClass::DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) const {
  TdxTextEditMetaClass::DrawBorder(DC, ViewInfo, ViewData);
  auto* v = static_cast<TdxSpinEditViewData*>(ViewData);
  const RECT column = SpinColumn(ViewInfo, ViewData);
  if (column.right <= column.left) return;
  const int middle = (column.top + column.bottom) / 2;
  for (int button : {dxSpinUp, dxSpinDown}) {
    RECT r = column;
    (button == dxSpinUp ? r.bottom : r.top) = middle;
    const TdxEditButtonLook look{v->ButtonStyle, v->PressedButton == button, v->ActiveButton == button,
                                 v->ButtonTransparent, v->Enabled};
    DrawSpinButton(DC, r, button == dxSpinUp, look, ViewData);
  }
}

// --- The editor ---

TRENVIK_MESSAGE_MAP(TdxInplaceSpinEdit) {
  M.On(WM_NCHITTEST, &TdxInplaceSpinEdit::WMNCHitTest);
  M.On(WM_NCLBUTTONDOWN, &TdxInplaceSpinEdit::WMNCLButtonDown);
  M.On(WM_NCLBUTTONDBLCLK, &TdxInplaceSpinEdit::WMNCLButtonDblClk);
  M.On(WM_TIMER, &TdxInplaceSpinEdit::WMTimer);
  M.On(WM_LBUTTONUP, &TdxInplaceSpinEdit::WMReleaseButton);
  M.On(WM_CANCELMODE, &TdxInplaceSpinEdit::WMReleaseButton);
  M.On(WM_CAPTURECHANGED, &TdxInplaceSpinEdit::WMReleaseButton);
  M.On(WM_MOUSEWHEEL, &TdxInplaceSpinEdit::WMMouseWheel);
  M.On(WM_CUT, &TdxInplaceSpinEdit::WMEditCommand);
  M.On(WM_PASTE, &TdxInplaceSpinEdit::WMEditCommand);
  M.On(WM_CLEAR, &TdxInplaceSpinEdit::WMEditCommand);
  M.On(WM_KILLFOCUS, &TdxInplaceSpinEdit::WMKillFocus);
}

TdxInplaceEditClass TdxInplaceSpinEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceSpinEdit, TdxSpinEditMetaClass> c("TdxInplaceSpinEdit");
  return &c;
}

TdxInplaceSpinEdit::TdxInplaceSpinEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceMaskEdit(AOwner, Class) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetText(u"0");
}

// --- Value ---

double TdxInplaceSpinEdit::GetValue() {
  const String text = Text();
  const double fallback = valueType_ == vtInt ? static_cast<double>(Trunc(bounds_.Min)) : bounds_.Min;
  if (text.empty()) return fallback;
  if (valueType_ == vtFloat) {
    double v = 0;
    return TryStrToFloat(text, v) ? v : fallback;
  }
  Int64 v = 0;
  if (!TryStrToInt64(text, v) || v < INT32_MIN || v > INT32_MAX) return fallback;
  return static_cast<double>(v);
}

void TdxInplaceSpinEdit::SetValue(double Value) {
  const double v = bounds_.Clamp(Value);
  const String text = valueType_ == vtFloat ? FloatToStrF(v, ffGeneral, 15, 0) : IntToStr(Round(v));
  if (text == Text()) return;
  TdxModifiedScope keep(*this);
  SetText(text);
}

void TdxInplaceSpinEdit::SetMaxValue(double Value) {
  if (bounds_.SetMax(Value)) ReapplyValue();
}

void TdxInplaceSpinEdit::SetMinValue(double Value) {
  if (bounds_.SetMin(Value)) ReapplyValue();
}

void TdxInplaceSpinEdit::SetMinMax(double Min, double Max) {
  bounds_.SetMinMax(Min, Max);
  ReapplyValue();
}

void TdxInplaceSpinEdit::SetValueType(TdxValueType Value) {
  if (valueType_ == Value) return;
  valueType_ = Value;
  if (!Text().empty()) ReapplyValue();
}

void TdxInplaceSpinEdit::SetMinMaxValues(double Min, double Max) {
  SetStoredValues(StoredValues() | dxsvMinValue | dxsvMaxValue);
  SetMinMax(Min, Max);
}

void TdxInplaceSpinEdit::SetIsFloat(bool Value) {
  SetStoredValues(StoredValues() | dxsvValueType);
  SetValueType(Value ? vtFloat : vtInt);
}

void TdxInplaceSpinEdit::UpdateDataDefaults() {
  TdxInplaceMaskEdit::UpdateDataDefaults();
  const Byte stored = StoredValues();
  if (!(stored & dxsvValueType)) SetValueType(GetDefaultValueType());
  if (!(stored & (dxsvMinValue | dxsvMaxValue))) {
    SetMinMax(GetDefaultMinValue(), GetDefaultMaxValue());
  } else {
    if (!(stored & dxsvMaxValue)) SetMaxValue(GetDefaultMaxValue());
    if (!(stored & dxsvMinValue)) SetMinValue(GetDefaultMinValue());
  }
}

void TdxInplaceSpinEdit::RestoreDefaults() {
  TdxInplaceMaskEdit::RestoreDefaults();
  SetMinMax(GetDefaultMinValue(), GetDefaultMaxValue());
  SetValueType(GetDefaultValueType());
}

void TdxInplaceSpinEdit::ValidateEdit() {
  TdxInplaceMaskEdit::ValidateEdit();
  if (GetModified()) ReapplyValue();
}

void TdxInplaceSpinEdit::Spin() {
  if (!IsEditable()) {
    MessageBeep(0);
    return;
  }
  if (!CanModify()) return;
  if (pressedButton_ == dxSpinUp)
    SetValue(GetValue() + GetIncrement());
  else if (pressedButton_ == dxSpinDown)
    SetValue(GetValue() - GetIncrement());
  SetModified(true);
}

// --- View data ---

std::unique_ptr<TdxEditViewData> TdxInplaceSpinEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceMaskEdit::CreateViewData(FromDefinition);
  auto* s = static_cast<TdxSpinEditViewData*>(v.get());
  s->ShowButtons = IsDrawnSelected() || Style()->ButtonTransparence() != ebtHideInactive;
  s->PressedButton = pressedButton_;
  const bool keyboardSpin = pressedButton_ != dxSpinNone && !(HandleAllocated() && GetCapture() == Handle());
  s->ActiveButton = keyboardSpin ? pressedButton_ : activeButton_;
  return v;
}

void TdxInplaceSpinEdit::SetSelected(bool Value) {
  if (!Value) activeButton_ = dxSpinNone;
  TdxInplaceMaskEdit::SetSelected(Value);
}

void TdxInplaceSpinEdit::RepaintButtons() {
  if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

void TdxInplaceSpinEdit::ReleaseButton() {
  pressedButton_ = dxSpinNone;
  activeButton_ = dxSpinNone;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  RepaintButtons();
}

// --- Keys ---

void TdxInplaceSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if ((Key == VK_UP || Key == VK_DOWN) && (!UseCtrlIncrement || Shift.Contains(ssCtrl))) {
    pressedButton_ = activeButton_ = Key == VK_UP ? dxSpinUp : dxSpinDown;
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    RepaintButtons();
    Spin();
    Key = 0;
    return;
  }
  if (!EditorEnabled && IsTextChangingKey(Key, Shift)) {
    Key = 0;
    return;
  }
  TdxInplaceMaskEdit::KeyDown(Key, Shift);
}

void TdxInplaceSpinEdit::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_UP || Key == VK_DOWN) ReleaseButton();
  TdxInplaceMaskEdit::KeyUp(Key, Shift);
}

bool TdxInplaceSpinEdit::IsValidValueChar(Char Key) {
  if (!EditorEnabled) return Key < 32 && Key != u'\b';
  if (Key < 32) return true;
  if (Key == u'+' || Key == u'-' || (Key >= u'0' && Key <= u'9')) return true;
  return valueType_ == vtFloat && Key == FormatSettings().DecimalSeparator;
}

void TdxInplaceSpinEdit::KeyPress(Char& Key) {
  if (Key == u'.' || Key == u',') Key = FormatSettings().DecimalSeparator;
  if ((Key >= 32 || Key == u'\b') && !IsValidValueChar(Key)) {
    MessageBeep(0);
    Key = 0;
    return;
  }
  TdxInplaceMaskEdit::KeyPress(Key);
}

void TdxInplaceSpinEdit::WMEditCommand(TMessage& Message) {
  if (EditorEnabled) inherited::Dispatch(Message);
}

void TdxInplaceSpinEdit::WMKillFocus(TMessage& Message) {
  if (GetKeyState(VK_UP) < 0 || GetKeyState(VK_DOWN) < 0) ReleaseButton();
  inherited::Dispatch(Message);
}

// --- Mouse and auto-repeat ---

void TdxInplaceSpinEdit::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsDesigning()) {
    activeButton_ = dxSpinNone;
    return;
  }
  const POINT p = NonClientHitPoint(Handle(), Message.LParam);
  TdxViewDataPtr viewData = CreateViewData(false);
  TdxEditViewInfo info;
  EditClass()->CalcViewInfo(viewData.get(), false, info);
  const RECT column = static_cast<const TdxSpinEditMetaClass*>(EditClass())->SpinColumn(info, viewData.get());
  const bool otherCapture = GetCapture() != nullptr && pressedButton_ == dxSpinNone;
  const int old = activeButton_;
  if (!PtInRect(&column, p) || otherCapture) {
    activeButton_ = dxSpinNone;
  } else {
    const int under = p.y < (column.top + column.bottom) / 2 ? dxSpinUp : dxSpinDown;
    activeButton_ = pressedButton_ != dxSpinNone && pressedButton_ != under ? dxSpinNone : under;
    Message.Result = HTBORDER;
  }
  if (old != activeButton_) RepaintButtons();
}

void TdxInplaceSpinEdit::StartRepeat(UINT Delay) {
  repeating_ = true;
  SetTimer(Handle(), kRepeatTimer, Delay, nullptr);
}

void TdxInplaceSpinEdit::StopRepeat() {
  if (repeating_ && HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
  repeating_ = false;
}

void TdxInplaceSpinEdit::WMNCLButtonDown(TMessage& Message) {
  if (activeButton_ == dxSpinNone) {
    inherited::Dispatch(Message);
    return;
  }
  pressedButton_ = activeButton_;
  SetCapture(Handle());
  RepaintButtons();
  Spin();
  // A press that comes before the previous press's timer fired stops it and starts no new repeat.
  if (repeating_)
    StopRepeat();
  else
    StartRepeat(kFirstRepeatDelay);
  if (CanFocus() && GetFocus() != Handle()) SetFocus();
}

void TdxInplaceSpinEdit::WMNCLButtonDblClk(TMessage& Message) {
  ReleaseButton();
  StopRepeat();
  SendMessage(Handle(), WM_NCLBUTTONDOWN, Message.WParam, Message.LParam);
  SendMessage(Handle(), WM_NCLBUTTONUP, Message.WParam, Message.LParam);
}

void TdxInplaceSpinEdit::WMTimer(TMessage& Message) {
  if (Message.WParam != kRepeatTimer) {
    inherited::Dispatch(Message);
    return;
  }
  StopRepeat();
  if (pressedButton_ != dxSpinNone && GetCapture() == Handle()) {
    if (pressedButton_ == activeButton_) Spin();
    StartRepeat(kRepeatDelay);
  }
}

void TdxInplaceSpinEdit::WMReleaseButton(TMessage& Message) {
  if (pressedButton_ != dxSpinNone || activeButton_ != dxSpinNone) {
    const bool capturing = Message.Msg != WM_CAPTURECHANGED;
    pressedButton_ = dxSpinNone;
    activeButton_ = dxSpinNone;
    if (capturing && GetCapture() == Handle()) ReleaseCapture();
    RepaintButtons();
  }
  inherited::Dispatch(Message);
}

void TdxInplaceSpinEdit::WMMouseWheel(TWMMouseWheel& Message) {
  const int saved = pressedButton_;
  pressedButton_ = Message.WheelDelta() > 0 ? dxSpinUp : dxSpinDown;
  Spin();
  pressedButton_ = saved;
  Message.Result = 1;
}

void TdxInplaceSpinEdit::PressAt(int X, int Y) { ReplayPressAsNonClient(this, X, Y); }
