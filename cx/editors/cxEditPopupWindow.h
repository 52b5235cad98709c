// The window a drop-down editor opens under or above itself: a frame in the edit's popup border
// style with an optional shadow and client edge, an optional system panel holding a close button
// and a size grip, sizing with the mouse from the grip corner and its two edges, minimum sizes,
// automatic sizing to the content, and the grip corner chosen from where the window landed.
#pragma once

#include "cx/editors/cxEditStyle.h"
#include "cx/foundation/cxPopupWindow.h"

class TcxCustomDropDownEdit;

// Private message: the pop-up frees itself (after the modal loop that showed it has returned).
constexpr UINT CM_EDITPOPUPDEFERREDRELEASE = 0x80F0;

// Grip corners: bit 0 means the right side, bit 1 the bottom side.
constexpr int cxGripTopLeft = 0;
constexpr int cxGripTopRight = 1;
constexpr int cxGripBottomLeft = 2;
constexpr int cxGripBottomRight = 3;

// Close-button states.
constexpr int cxPopupCloseButtonNormal = 1;
constexpr int cxPopupCloseButtonHot = 2;
constexpr int cxPopupCloseButtonPressed = 3;

// What each side of the window gives to the frame, the shadow, the client edge and the system panel.
struct TcxPopupBorders {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Left + Right; }
  int Height() const { return Top + Bottom; }
};

class TcxCustomEditPopupWindowViewInfo : public TcxContainerViewInfo {
  TRENVIK_CLASS(TcxCustomEditPopupWindowViewInfo, TcxContainerViewInfo);

 public:
  TcxCustomEditPopupWindowViewInfo() = default;

  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  bool ClientEdge = false;
  bool CloseButton = false;
  // 1 for the default and 3-D frames, 2 for the single frame, 0 for the flat one.
  int FrameKind = 0;
  bool Sizeable = false;
  bool SysPanelStyle = false;
  RECT CloseButtonRect{};
  int CloseButtonState = cxPopupCloseButtonNormal;
  int MinSysPanelHeight = 0;
  int SizeGripCorner = cxGripBottomRight;
  RECT SizeGripRect{};
  RECT SysPanelRect{};
  int SizingBorderThickness = 0;

  void Paint(TcxCanvas* ACanvas) override;

  // --- Virtual operations, in slot order ---
  virtual void Calculate();
  virtual void DrawBorder(TcxCanvas* ACanvas, const RECT& R);
  virtual void CalculateBorders();
  virtual TcxPopupBorders GetBorders() { return borders_; }
  virtual int GetSysPanelHeight();
  // The sides a press at P (window coordinates) moves, -1, 0 or 1 each; false when none.
  virtual bool GetSizingDirection(POINT P, POINT& ADirection);

  bool HasSysPanel() const { return SysPanelStyle; }
  int FrameWidth() const;

 private:
  void CalculateSysPanel(int APanelHeight);
  void DrawSysPanel(TcxCanvas* ACanvas);
  // Themed parts with the native style and a theme, the platform's and the painter's otherwise.
  void DrawSizeGrip(TcxCanvas* ACanvas);
  void DrawCloseButton(TcxCanvas* ACanvas);

  TcxPopupBorders borders_;
};

class TcxCustomEditPopupWindow : public TcxCustomPopupWindow {
  TRENVIK_CLASS(TcxCustomEditPopupWindow, TcxCustomPopupWindow);
  TRENVIK_MESSAGES(TcxCustomEditPopupWindow);

 public:
  explicit TcxCustomEditPopupWindow(TcxCustomDropDownEdit* AEdit);
  ~TcxCustomEditPopupWindow() override;

  TcxCustomDropDownEdit* Edit() const;
  TcxCustomEditPopupWindowViewInfo* EditViewInfo();

  bool PopupAutoSize() const { return autoSize_; }
  void SetPopupAutoSize(bool Value) { autoSize_ = Value; }
  TcxEditPopupBorderStyle PopupBorderStyle() const { return EditViewInfoConst().PopupBorderStyle; }
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value) { EditViewInfo()->PopupBorderStyle = Value; }
  bool ClientEdge() const { return EditViewInfoConst().ClientEdge; }
  void SetClientEdge(bool Value) { EditViewInfo()->ClientEdge = Value; }
  bool CloseButton() const { return EditViewInfoConst().CloseButton; }
  void SetCloseButton(bool Value) { EditViewInfo()->CloseButton = Value; }
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int Value) { minHeight_ = Value; }
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value) { minWidth_ = Value; }
  bool NativeStyle() const { return EditViewInfoConst().NativeStyle; }
  void SetNativeStyle(bool Value) { EditViewInfo()->NativeStyle = Value; }
  int PopupHeight() const { return popupHeight_; }
  void SetPopupHeight(int Value) { popupHeight_ = Value; }
  int PopupWidth() const { return popupWidth_; }
  void SetPopupWidth(int Value) { popupWidth_ = Value; }
  bool Shadow() const { return EditViewInfoConst().Shadow; }
  void SetShadow(bool Value) { EditViewInfo()->Shadow = Value; }
  bool Sizeable() const { return EditViewInfoConst().Sizeable; }
  void SetSizeable(bool Value) { EditViewInfo()->Sizeable = Value; }
  bool SysPanelStyle() const { return EditViewInfoConst().SysPanelStyle; }
  void SetSysPanelStyle(bool Value) { EditViewInfo()->SysPanelStyle = Value; }
  // The minimum height of the system panel.
  int GetMinSysPanelHeight() const { return EditViewInfoConst().MinSysPanelHeight; }
  void SetMinSysPanelHeight(int Value) { EditViewInfo()->MinSysPanelHeight = Value; }
  // The owner rectangle in screen coordinates.
  RECT OwnerScreenBounds() const;
  bool IsSizing() const;

  void CalculatePosition() override;
  void CalculateSize() override;
  bool CanResize(int& NewWidth, int& NewHeight) override;
  TcxContainerViewInfoClass GetViewInfoClass() override;

  // --- Operations it introduces ---
  virtual void CalculateViewInfo();
  virtual SIZE GetMinSize();
  void RealignContent();
  // The owner bounds follow the edit (it may have moved since the last opening).
  void RefreshOwnerBounds();
  // For a window whose edit is gone while its own loop may still be on the stack: the window frees
  // itself two messages later, when that loop has seen it hidden and returned.
  void ReleaseAfterOwnLoop();

 protected:
  // What every size rule starts from: the grip back at the bottom right, the owner refreshed.
  struct TSizeInputs {
    TcxPopupBorders Borders;
    SIZE MinSize{};
    SIZE Content{};
    int OwnerWidth = 0;
  };
  TSizeInputs BeginSizeCalculation();
  // The minimums every rule shares, then the window takes the size.
  void ApplyCalculatedSize(int AWidth, int AHeight, SIZE AMinSize);

  void AdjustClientRect(RECT& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave(TControl* AControl) override;
  void Resize() override;

 private:
  const TcxCustomEditPopupWindowViewInfo& EditViewInfoConst() const {
    return *const_cast<TcxCustomEditPopupWindow*>(this)->EditViewInfo();
  }
  void CMDeferredRelease(TMessage& Message);
  void SetCloseButtonState(int AState);
  void UpdateSizingCursor(POINT P);
  RECT SizedBounds(POINT AScreenPoint);
  void DrawSizingFrame(const RECT& R);
  void EndSizing();

  bool autoSize_ = false;
  int minHeight_ = 0;
  int minWidth_ = 0;
  int popupHeight_ = 0;
  int popupWidth_ = 0;
  bool sizingCursorShown_ = false;
};

// The frame a sizing drag draws on the screen: nested focus rectangles, at least two.
int cxPopupSizingFrameWidth(TcxCustomEditPopupWindowViewInfo* AViewInfo);
