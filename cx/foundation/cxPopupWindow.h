// Pop-up windows: borderless stay-on-top forms placed beside a rectangle of an owner control
// (flipping to the side with more room and kept inside the work area), and the drop-down base of the
// cx family with its style, view info, shared list of shown pop-ups, modal loop, and the three thread
// hooks that close pop-ups when the user clicks elsewhere, hides the owner, switches away or closes.
#pragma once

#include <memory>
#include <vector>

#include "cx/foundation/cxContainer.h"
#include "platform/forms/Forms.h"

// Private messages: close the pop-up and give the focus back to its owner; show it (WParam: the
// control to focus).
constexpr UINT CM_CLOSEPOPUPWINDOW = 0x8065;
constexpr UINT CM_SHOWPOPUPWINDOW = 0x8066;

TRENVIK_ENUM(TcxPopupHorzAlignment, phaLeft, phaCenter, phaRight);
TRENVIK_ENUM(TcxPopupVertAlignment, pvaTop, pvaCenter, pvaBottom);
TRENVIK_ENUM(TcxPopupFrame, pfNone, pfLine, pfBevel, pfDoubleBevel);
TRENVIK_ENUM(TcxPopupPlacement, ppHorizontal, ppVertical);

// The top-left corner of a pop-up of ASize beside AOwner (screen coordinates) inside AWorkArea.
POINT cxCalculatePopupPosition(const RECT& AOwner, SIZE ASize, const RECT& AWorkArea, TcxPopupPlacement ADirection,
                               TcxPopupHorzAlignment AAlignHorz, TcxPopupVertAlignment AAlignVert);

class TcxPopupWindow : public TForm {
  TRENVIK_CLASS(TcxPopupWindow, TForm);
  TRENVIK_MESSAGES(TcxPopupWindow);

 public:
  TcxPopupWindow();
  ~TcxPopupWindow() override;

  bool Adjustable() const { return adjustable_; }
  void SetAdjustable(bool Value) { adjustable_ = Value; }
  TcxPopupHorzAlignment AlignHorz() const { return alignHorz_; }
  void SetAlignHorz(TcxPopupHorzAlignment Value) { alignHorz_ = Value; }
  TcxPopupVertAlignment AlignVert() const { return alignVert_; }
  void SetAlignVert(TcxPopupVertAlignment Value) { alignVert_ = Value; }
  int BorderSpace() const { return borderSpace_; }
  void SetBorderSpace(int Value) { borderSpace_ = Value; }
  TcxPopupFrame FrameStyle() const { return frameStyle_; }
  // Children move back by the old frame's left and top widths first.
  void SetFrameStyle(TcxPopupFrame Value);
  TcxCanvas* CxCanvas() const { return cxCanvas_.get(); }
  TcxPopupPlacement Direction() const { return direction_; }
  void SetDirection(TcxPopupPlacement Value) { direction_ = Value; }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor Value) { frameColor_ = Value; }
  RECT OwnerBounds() const { return ownerBounds_; }
  void SetOwnerBounds(const RECT& Value) { ownerBounds_ = Value; }
  TControl* OwnerParent() const { return ownerParent_; }
  void SetOwnerParent(TControl* Value) { ownerParent_ = Value; }
  HWND PrevActiveWindow() const { return prevActiveWindow_; }
  int GetHorzBordersWidth() { return GetBorderWidth(0) + GetBorderWidth(2); }

  virtual void CalculatePosition();
  virtual void CalculateSize();
  // Sides: 0 left, 1 top, 2 right, 3 bottom.
  virtual int GetBorderWidth(int ASide) { return GetFrameWidth(ASide) + borderSpace_; }
  virtual int GetFrameWidth(int ASide);
  virtual void InitPopup();
  virtual void DrawFrame();
  virtual void HidePopup() { Hide(); }
  virtual void ShowPopup();
  virtual void VisibleChanged() {}

 protected:
  void Paint() override;
  void Deactivate() override;

 private:
  void WMActivate(TMessage& Message);
  void WMActivateApp(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);

  bool adjustable_ = true;
  TcxPopupHorzAlignment alignHorz_ = phaLeft;
  TcxPopupVertAlignment alignVert_ = pvaBottom;
  int borderSpace_ = 0;
  TcxPopupFrame frameStyle_ = pfNone;
  std::unique_ptr<TcxCanvas> cxCanvas_;
  TcxPopupPlacement direction_ = ppVertical;
  TColor frameColor_ = clWindowText;
  RECT ownerBounds_{};
  TControl* ownerParent_ = nullptr;
  HWND prevActiveWindow_ = nullptr;

 protected:
  // TcxCustomPopupWindow leaves the application's deactivation to its hook.
  bool hidesOnAppDeactivate_ = true;
};

class TcxCustomPopupWindow : public TcxPopupWindow {
  TRENVIK_CLASS(TcxCustomPopupWindow, TcxPopupWindow);
  TRENVIK_MESSAGES(TcxCustomPopupWindow);

 public:
  explicit TcxCustomPopupWindow(TControl* AOwnerControl);
  ~TcxCustomPopupWindow() override;

  // Shows the pop-up; in modal mode with its own loop, returns once it is closed.
  virtual void Popup(TWinControl* AFocusedControl);
  virtual void ClosePopup(bool AAskCloseQuery = false);
  void PostClosePopup();
  bool IsPopupShown() const;
  bool HasCapture();

  bool ModalMode() const { return modalMode_; }
  void SetModalMode(bool Value);
  bool FollowParentTopMost() const { return followParentTopMost_; }
  void SetFollowParentTopMost(bool Value);
  bool OwnLoop() const { return ownLoop_; }
  void SetOwnLoop(bool Value) { ownLoop_ = Value; }
  TWinControl* FocusedControl() const { return focusedControl_; }
  TControl* OwnerControl() const { return ownerControl_; }
  // Made on first use from GetStyleClass and GetViewInfoClass.
  TcxCustomContainerStyle* Style();
  TcxContainerViewInfo* ViewInfo();
  bool ClosingByMessage() const { return closingByMessage_; }
  void SetClosingByMessage(bool Value) { closingByMessage_ = Value; }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying) || destroying_; }

  bool CanFocus() override { return Visible(); }
  bool Focused() override;

  TNotifyEvent OnShowed;
  TNotifyEvent OnShowing;
  TNotifyEvent OnClosed;
  TNotifyEvent OnClosing;

  virtual void DoClosed();
  virtual void DoShowed();
  virtual bool AcceptsSysKey(WORD AKey);
  virtual void StyleChanged(TObject*) {}
  virtual TcxContainerStyleClass GetStyleClass();
  virtual TcxContainerViewInfoClass GetViewInfoClass();
  virtual void MouseEnter(TControl*) {}
  virtual void MouseLeave(TControl*) {}
  void InitPopup() override {}
  void VisibleChanged() override;

 protected:
  virtual void DoClosing();
  virtual void DoShowing();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;
  void Deactivate() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  // Closing the form (WM_CLOSE, Close) ends its showing as a pop-up.
  void DoClose(TCloseAction& Action) override;

 private:
  void WMEraseBkgnd(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void CMClosePopupWindow(TMessage& Message);
  void CMShowPopupWindow(TMessage& Message);
  void ChooseFocusedControl(TWinControl* AFocusedControl);
  void RunOwnLoop();
  void RecreateForModeChange();

  bool ownLoop_ = true;
  bool closingByMessage_ = false;
  bool followParentTopMost_ = false;
  bool modalMode_ = true;
  bool destroying_ = false;
  TWinControl* focusedControl_ = nullptr;
  TControl* ownerControl_;
  std::unique_ptr<TcxCustomContainerStyle> style_;
  std::unique_ptr<TcxContainerViewInfo> viewInfo_;
};

// The shown pop-ups, in the order they were shown (the last is the topmost).
const std::vector<TcxCustomPopupWindow*>& cxShownPopups();
// Installed at the container module's start-up.
void cxInstallPopupHooks();
void cxRemovePopupHooks();
