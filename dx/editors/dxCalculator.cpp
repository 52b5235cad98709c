#include "dx/editors/dxCalculator.h"

#include <cmath>
#include <cstdlib>

#include "platform/forms/Clipboard.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Windows.h"

namespace {

// Rounded to the nearest integer, halves away from zero; the multiplication is done first.
int MulDivRound(int A, int B, int C) { return static_cast<int>(std::lround(static_cast<double>(A) * B / C)); }

struct TKeyLook {
  const char16_t* caption;
  TColor color;
};

constexpr TColor kMaroon = static_cast<TColor>(0x000080);
constexpr TColor kRed = static_cast<TColor>(0x0000FF);
constexpr TColor kBlue = static_cast<TColor>(0xFF0000);
constexpr TColor kNavy = static_cast<TColor>(0x800000);

const TKeyLook kLooks[dxCalcButtonCount] = {
    {u"Back", kMaroon}, {u"CE", kMaroon}, {u"C", kMaroon},  {u"MC", kRed},   {u"MR", kRed},   {u"MS", kRed},
    {u"M+", kRed},      {u"0", kBlue},    {u"1", kBlue},    {u"2", kBlue},   {u"3", kBlue},   {u"4", kBlue},
    {u"5", kBlue},      {u"6", kBlue},    {u"7", kBlue},    {u"8", kBlue},   {u"9", kBlue},   {u"+/-", kBlue},
    {u",", kBlue},      {u"/", kRed},     {u"*", kRed},     {u"-", kRed},    {u"+", kRed},    {u"sqrt", kNavy},
    {u"%", kNavy},      {u"1/x", kNavy},  {u"=", kRed},
};

// The main block, rows 1 to 4, columns 0 to 4.
const TdxCalcButtonKind kMainBlock[4][5] = {
    {cbNum7, cbNum8, cbNum9, cbDiv, cbSqrt},
    {cbNum4, cbNum5, cbNum6, cbMul, cbPercent},
    {cbNum1, cbNum2, cbNum3, cbSub, cbRev},
    {cbNum0, cbSign, cbDecimal, cbAdd, cbEqual},
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TCustomdxCalculator)

TRENVIK_MESSAGE_MAP(TCustomdxCalculator) {
  M.On(WM_SIZE, &TCustomdxCalculator::WMSize);
  M.On(WM_GETDLGCODE, &TCustomdxCalculator::WMGetDlgCode);
  M.On(CM_MOUSELEAVE, &TCustomdxCalculator::CMMouseLeave);
  M.On(WM_SETFOCUS, &TCustomdxCalculator::WMFocusChanged);
  M.On(WM_KILLFOCUS, &TCustomdxCalculator::WMFocusChanged);
}

TCustomdxCalculator::TCustomdxCalculator(TComponent* AOwner) : TdxInplacePopupControl(AOwner) {
  for (int i = 0; i < dxCalcButtonCount; ++i) {
    keys_[i].Kind = static_cast<TdxCalcButtonKind>(i);
    keys_[i].Caption = kLooks[i].caption;
    keys_[i].Color = kLooks[i].color;
  }
  SetColor(clBtnFace);
  SetTabStop(true);
  SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
  arithmetic_.OnMemoryChanged = [this] { UpdateMemoryKeys(); };
  SetBounds(Left(), Top(), padWidth_, padHeight_);
  LayoutKeys();
}

TCustomdxCalculator::~TCustomdxCalculator() = default;

void TCustomdxCalculator::ScaleToClient(int Width, int Height) {
  const int target = std::min(MulDivRound(Width, 137, 207), Height);
  auto padHeightFor = [](int k) { return 5 * k + 6 * MulDivRound(4, k, 22); };
  int k = 22;
  while (std::abs(padHeightFor(k + 1) - target) < std::abs(padHeightFor(k) - target)) ++k;
  keyHeight_ = k;
  keyWidth_ = MulDivRound(28, k, 22);
  gap_ = MulDivRound(4, k, 22);
  wideKeyWidth_ = MulDivRound(17, keyWidth_, 10);
  faceFontSize_ = MulDivRound(8, k, 22);
  padHeight_ = 5 * k + 6 * gap_;
  padWidth_ = 6 * keyWidth_ + 8 * gap_ + 4;
  LayoutKeys();
  SetClientWidth(padWidth_);
  SetClientHeight(padHeight_);
}

void TCustomdxCalculator::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  if (scaling_) return;
  scaling_ = true;
  ScaleToClient(ClientWidth(), ClientHeight());
  scaling_ = false;
}

void TCustomdxCalculator::LayoutKeys() {
  const int g = gap_;
  const int p = keyHeight_ + g;
  const int q = keyWidth_ + g;
  auto place = [&](TdxCalcButtonKind Kind, int X, int Y, int W) { keys_[Kind].Bounds = RECT{X, Y, X + W, Y + keyHeight_}; };
  const TdxCalcButtonKind memory[4] = {cbMC, cbMR, cbMS, cbMP};
  for (int r = 1; r <= 4; ++r) place(memory[r - 1], g, g + r * p, keyWidth_);
  const int x0 = keyWidth_ + 3 * g + 4;
  for (int r = 1; r <= 4; ++r)
    for (int c = 0; c < 5; ++c) place(kMainBlock[r - 1][c], x0 + c * q, g + r * p, keyWidth_);
  const int clearRight = keys_[cbEqual].Bounds.right;
  place(cbClear, clearRight - wideKeyWidth_, g, wideKeyWidth_);
  place(cbCancel, keys_[cbClear].Bounds.left - g - wideKeyWidth_, g, wideKeyWidth_);
  place(cbBack, keys_[cbCancel].Bounds.left - g - wideKeyWidth_, g, wideKeyWidth_);
  keys_[cbDecimal].Caption = String(1, FormatSettings().DecimalSeparator);
  arithmetic_.Reset();
  UpdateMemoryKeys();
  if (HandleAllocated()) Invalidate();
}

TdxCalcButtonKind TCustomdxCalculator::KeyAt(POINT Point) const {
  for (int i = 0; i < dxCalcButtonCount; ++i)
    if (PtInRect(&keys_[i].Bounds, Point)) return static_cast<TdxCalcButtonKind>(i);
  return cbNone;
}

void TCustomdxCalculator::UpdateMemoryKeys() {
  const bool greyed = arithmetic_.MemoryKeysGreyed();
  keys_[cbMC].Greyed = keys_[cbMR].Greyed = greyed;
  InvalidateKey(cbMC);
  InvalidateKey(cbMR);
}

void TCustomdxCalculator::InvalidateKey(TdxCalcButtonKind Key) {
  if (Key != cbNone && HandleAllocated()) InvalidateRect(Handle(), &keys_[Key].Bounds, FALSE);
}

void TCustomdxCalculator::SetKeyPressed(TdxCalcButtonKind Key, bool Pressed) {
  if (Key == cbNone || keys_[Key].Pressed == Pressed) return;
  keys_[Key].Pressed = Pressed;
  InvalidateKey(Key);
}

// --- Painting ---

void TCustomdxCalculator::PaintKey(HDC DC, const TdxCalcKey& Key) {
  RECT r = Key.Bounds;
  const bool pressed = Key.Pressed && !Key.Greyed;
  HBRUSH background = CreateSolidBrush(ColorToColorRef(Color()));
  FillRect(DC, &r, background);
  DeleteObject(background);
  switch (ButtonStyle) {
    case bsStandard: DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0)); break;
    case bsFlat: DrawEdge(DC, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT); break;
    case bsExtraFlat:
      if (pressed || hoverKey_ == Key.Kind) DrawEdge(DC, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      break;
  }
  if (ShowButtonFrame) {
    HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToColorRef(clBtnShadow));
    HGDIOBJ oldPen = SelectObject(DC, pen);
    RoundRect(DC, r.left + 3, r.top + 3, r.right - 3, r.bottom - 3, 4, 4);
    SelectObject(DC, oldPen);
    SelectObject(DC, oldBrush);
    DeleteObject(pen);
  }
  RECT text = r;
  if (pressed) OffsetRect(&text, 2, 2);
  SetBkMode(DC, TRANSPARENT);
  const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!Enabled()) {
    RECT shifted = text;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(DC, ColorToColorRef(clBtnHighlight));
    DrawText(DC, Key.Caption.c_str(), static_cast<int>(Key.Caption.size()), &shifted, flags);
    SetTextColor(DC, ColorToColorRef(clBtnShadow));
  } else {
    SetTextColor(DC, ColorToColorRef(Key.Greyed ? clBtnShadow : Key.Color));
  }
  DrawText(DC, Key.Caption.c_str(), static_cast<int>(Key.Caption.size()), &text, flags);
  if (Key.Kind == cbEqual && ShowFocusFrame && HandleAllocated() && GetFocus() == Handle()) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(DC, &focus);
  }
}

void TCustomdxCalculator::Paint() {
  TCanvas* canvas = Canvas();
  if (FontFollowsKeys) {
    canvas->Font()->SetSize(faceFontSize_);
    canvas->Font()->SetStyle(faceFontSize_ >= 10 ? TFontStyles{fsBold} : TFontStyles{});
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(ClientRect());
  HDC dc = canvas->Handle();
  for (int i = 0; i < dxCalcButtonCount; ++i) PaintKey(dc, keys_[i]);
}

void TCustomdxCalculator::WMFocusChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  InvalidateKey(cbEqual);
}

void TCustomdxCalculator::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS;
}

// --- Keyboard ---

void TCustomdxCalculator::PressTypedKey(TdxCalcButtonKind Key) {
  ReleaseTypedKey();
  typedKey_ = Key;
  SetKeyPressed(Key, true);
  ProcessKey(Key);
}

void TCustomdxCalculator::ReleaseTypedKey() {
  SetKeyPressed(typedKey_, false);
  typedKey_ = cbNone;
}

void TCustomdxCalculator::KeyDown(WORD& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  if ((ctrl && Key == 'C') || (ctrl && Key == VK_INSERT)) {
    CopyToClipboard();
  } else if ((ctrl && Key == 'V') || (Shift.Contains(ssShift) && Key == VK_INSERT)) {
    PasteFromClipboard();
  } else if (const TdxCalcButtonKind k = CalcKeyOfVirtualKey(Key, ctrl); k != cbNone) {
    PressTypedKey(k);
  }
  inherited::KeyDown(Key, Shift);
}

void TCustomdxCalculator::KeyUp(WORD& Key, TShiftState Shift) {
  ReleaseTypedKey();
  inherited::KeyUp(Key, Shift);
}

void TCustomdxCalculator::KeyPress(Char& Key) {
  const TdxCalcButtonKind k = CalcKeyOfChar(Key);
  if (k != cbNone) PressTypedKey(k);
  inherited::KeyPress(Key);
}

void TCustomdxCalculator::CopyToClipboard() { Clipboard()->SetAsText(ReadDisplay()); }

void TCustomdxCalculator::PasteFromClipboard() {
  if (Clipboard()->HasFormat(CF_TEXT)) arithmetic_.PasteText(Clipboard()->AsText());
}

// --- Mouse ---

void TCustomdxCalculator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!popupMode_ && !ComponentState().Contains(csDesigning) && CanFocus() && GetFocus() != Handle()) SetFocus();
  if (Button == mbLeft) {
    mouseKey_ = KeyAt(POINT{X, Y});
    if (mouseKey_ != cbNone && !keys_[mouseKey_].Greyed) {
      mouseTracking_ = true;
      SetCapture(Handle());
      SetKeyPressed(mouseKey_, true);
    }
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TCustomdxCalculator::MouseMove(TShiftState Shift, int X, int Y) {
  const TdxCalcButtonKind under = KeyAt(POINT{X, Y});
  if (mouseTracking_) SetKeyPressed(mouseKey_, under == mouseKey_);
  if (ButtonStyle == bsExtraFlat && under != hoverKey_) {
    const TdxCalcButtonKind old = hoverKey_;
    hoverKey_ = under;
    InvalidateKey(old);
    InvalidateKey(under);
  }
  inherited::MouseMove(Shift, X, Y);
}

void TCustomdxCalculator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (mouseTracking_ && Button == mbLeft) {
    mouseTracking_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    const TdxCalcButtonKind key = mouseKey_;
    const bool pressed = key != cbNone && keys_[key].Pressed;
    SetKeyPressed(key, false);
    mouseKey_ = cbNone;
    if (pressed) ProcessKey(key);
  }
  inherited::MouseUp(Button, Shift, X, Y);
}

void TCustomdxCalculator::CMMouseLeave(TMessage& Message) {
  if (hoverKey_ != cbNone) {
    const TdxCalcButtonKind old = hoverKey_;
    hoverKey_ = cbNone;
    InvalidateKey(old);
  }
  inherited::Dispatch(Message);
}
