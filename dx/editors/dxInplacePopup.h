// The cell hint window (the full text of a cut-off cell) and the base of the editors' drop-down
// windows: a top-level pop-up with a frame and an optional shadow that tells its editor it closed.
#pragma once

#include "dx/editors/dxDrawUtils.h"
#include "platform/forms/Controls.h"

class TdxInplaceEdit;

// Posted by a closing pop-up to its owner editor (wParam 0, lParam 0).
constexpr UINT WM_DXPOPUPCLOSED = 0x8065;

class TdxContainerHintWindow : public TCustomControl {
  TRENVIK_CLASS(TdxContainerHintWindow, TCustomControl);
  TRENVIK_MESSAGES(TdxContainerHintWindow);

 public:
  explicit TdxContainerHintWindow(TComponent* AOwner);
  void ShowHint(POINT Point, const String& Text, TFont* Font);
  // MaxWidth 0 or less: the screen's width. Font gives the name and character set, and the size
  // only with UseFontSize (otherwise the system's status-bar font size).
  void ActivateHint(POINT Point, int MaxWidth, bool UseFontSize, TFont* Font, const String& Text);
  void HideHint();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  void WMNCHitTest(TMessage& Message);
};

class TdxInplacePopupControl : public TCustomControl {
  TRENVIK_CLASS(TdxInplacePopupControl, TCustomControl);
  TRENVIK_MESSAGES(TdxInplacePopupControl);

 public:
  explicit TdxInplacePopupControl(TComponent* AOwner);

  virtual void ClosePopup(bool Accept);
  virtual void ShowPopup();

  TdxInplaceEdit* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TdxInplaceEdit* Value) { ownerControl_ = Value; }
  TdxPopupBorder PopupBorder() const { return popupBorder_; }
  void SetPopupBorder(TdxPopupBorder Value);
  bool Shadow() const { return shadow_; }
  void SetShadow(bool Value);
  int ShadowSize() const { return shadowSize_; }
  bool DrawFrame() const { return drawFrame_; }
  void SetDrawFrame(bool Value) { drawFrame_ = Value; }
  bool IsPopup() const { return isPopup_; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  // Drop-down classes set it in their constructors.
  void SetIsPopup(bool Value) { isPopup_ = Value; }

 private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSize(TWMSize& Message);
  void WMKillFocus(TWMKillFocus& Message);
  void WMMouseActivate(TMessage& Message);
  void WMActivate(TMessage& Message);
  HWND OwnerFormHandle() const;

  bool drawFrame_ = true;
  int shadowSize_ = 2;
  bool shadow_ = false;
  TdxPopupBorder popupBorder_ = pbDefault;
  bool isPopup_ = false;
  TdxInplaceEdit* ownerControl_ = nullptr;
};
