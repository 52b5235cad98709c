// The pocket calculator pad (27 keys, no display of its own: it reads and rewrites a display text),
// its drop-down form linked to a calc editor, and the calc editor.
#pragma once

#include <array>
#include <memory>

#include "dx/editors/dxCalcArithmetic.h"
#include "dx/editors/dxDropDownEdit.h"
#include "dx/editors/dxInplacePopup.h"
#include "platform/classes/TypInfo.h"

TRENVIK_ENUM(TdxCalcButtonStyle, bsStandard, bsFlat, bsExtraFlat);

struct TdxCalcKey {
  TdxCalcButtonKind Kind = cbNone;
  String Caption;
  TColor Color = clBlack;
  RECT Bounds{};
  bool Pressed = false;
  bool Greyed = false;
};

class TCustomdxCalculator : public TdxInplacePopupControl, protected TdxCalcDisplay {
  TRENVIK_CLASS(TCustomdxCalculator, TdxInplacePopupControl);
  TRENVIK_MESSAGES(TCustomdxCalculator);

 public:
  explicit TCustomdxCalculator(TComponent* AOwner);
  ~TCustomdxCalculator() override;

  // Lays the keys out for the current metrics and resets the arithmetic.
  void LayoutKeys();
  // Processes a key as a press of it on the pad.
  void ProcessKey(TdxCalcButtonKind Key) { arithmetic_.ProcessKey(Key); }
  TdxCalcArithmetic& Arithmetic() { return arithmetic_; }
  const TdxCalcKey& KeyRecord(TdxCalcButtonKind Key) const { return keys_[Key]; }
  // The key under a client point (cbNone for none).
  TdxCalcButtonKind KeyAt(POINT Point) const;
  void CopyToClipboard();
  void PasteFromClipboard();

  int KeyWidth() const { return keyWidth_; }
  int KeyHeight() const { return keyHeight_; }
  int WideKeyWidth() const { return wideKeyWidth_; }
  int KeyGap() const { return gap_; }
  int PadWidth() const { return padWidth_; }
  int PadHeight() const { return padHeight_; }
  int FaceFontSize() const { return faceFontSize_; }
  TdxCalcButtonStyle ButtonStyle = bsStandard;
  bool ShowButtonFrame = false;
  bool ShowFocusFrame = true;
  bool FontFollowsKeys = true;

 protected:
  String ReadDisplay() override { return {}; }
  void WriteDisplay(const String&) override {}
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A press does not move the focus in pop-up mode.
  bool popupMode_ = false;

 private:
  void WMSize(TWMSize& Message);
  void WMGetDlgCode(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void WMFocusChanged(TMessage& Message);
  void ScaleToClient(int Width, int Height);
  void SetKeyPressed(TdxCalcButtonKind Key, bool Pressed);
  void PressTypedKey(TdxCalcButtonKind Key);
  void ReleaseTypedKey();
  void UpdateMemoryKeys();
  void InvalidateKey(TdxCalcButtonKind Key);
  void PaintKey(HDC DC, const TdxCalcKey& Key);

  TdxCalcArithmetic arithmetic_{*this};
  std::array<TdxCalcKey, dxCalcButtonCount + 1> keys_{};
  int keyWidth_ = 28, keyHeight_ = 22, wideKeyWidth_ = 47, gap_ = 4;
  int padWidth_ = 207, padHeight_ = 137, faceFontSize_ = 8;
  TdxCalcButtonKind mouseKey_ = cbNone, hoverKey_ = cbNone, typedKey_ = cbNone;
  bool mouseTracking_ = false;
  bool scaling_ = false;
};

class TdxInplaceCalcEdit;

// The calculator as a calc editor's drop-down: its display is the editor's text.
class TdxPopupCalculator : public TCustomdxCalculator {
  TRENVIK_CLASS(TdxPopupCalculator, TCustomdxCalculator);

 public:
  explicit TdxPopupCalculator(TComponent* AOwner);
  void ClosePopup(bool Accept) override;
  void SetPopupMode(bool Value) { popupMode_ = Value; }
  // Drops the window so that the next showing builds it anew.
  void RebuildWindow() { DestroyHandle(); }
  TdxInplaceCalcEdit* LinkedEditor = nullptr;
  bool QuickClose = false;

 protected:
  String ReadDisplay() override;
  void WriteDisplay(const String& Text) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
};

class TdxInplaceCalcEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplaceCalcEdit, TdxInplaceDropDownEdit);

 public:
  explicit TdxInplaceCalcEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceCalcEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  void DropDown() override;
  void CloseUp(bool Accept) override;
  TdxPopupCalculator* CalculatorPopup() const { return calculator_; }

  bool BeepOnError = true;
  TdxCalcButtonStyle ButtonStyle = bsStandard;
  int Precision = 13;
  bool QuickClose = false;
  bool ShowButtonFrame = false;

 private:
  TdxPopupCalculator* calculator_ = nullptr;  // owned as a component of the editor
};
