// The base control of the cx family: embedded look-and-feel scroll bars and a size grip placed by
// the control itself, a border drawn by the look-and-feel painter, focus rules for clicks, a
// mouse-capture object, font listeners, mouse-wheel scrolling, an in-control drag and drop, the
// framework drag with a modal drag detection, and middle-button panning. Also the components that
// belong to a control, the system-settings broadcast, mouse-leave tracking and the shared helpers.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxGraphics.h"
#include "cx/foundation/cxLookAndFeels.h"
#include "cx/foundation/cxScrollBar.h"
#include "platform/forms/Controls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/Timers.h"

// Private messages: the scroll-bar metrics changed (the control re-reads the system sizes).
constexpr UINT DXM_NCSIZECHANGED = 0x8131;

// Cursor numbers the module registers in the framework's cursor table.
constexpr TCursor crcxDragCopy = 2100;
constexpr TCursor crcxFullScroll = 2101;
constexpr TCursor crcxHorScroll = 2102;
constexpr TCursor crcxVerScroll = 2103;
constexpr TCursor crcxUpScroll = 2104;
constexpr TCursor crcxRightScroll = 2105;
constexpr TCursor crcxDownScroll = 2106;
constexpr TCursor crcxLeftScroll = 2107;

TRENVIK_ENUM(TcxControlBorderStyle, cxcbsNone, cxcbsDefault);
TRENVIK_ENUM(TcxWantedKey, wkAll, wkArrows, wkChars, wkTab);
using TcxWantedKeys = Set<TcxWantedKey>;
enum TcxWheelScrollKind { wskNone, wskHorizontal, wskVertical };
enum TcxScrollStepDirection { sdNone, sdLeft, sdRight, sdUp, sdDown };
enum TcxDragAndDropState { dndNone, dndPending, dndDragging };
enum TcxDragDetectResult { ddrClick, ddrDrag, ddrCancel };

// Told when it stops being a control's mouse-capture object.
class IcxMouseCaptureObject {
 public:
  virtual void DoCancelMode() = 0;

 protected:
  ~IcxMouseCaptureObject() = default;
};

// Told after a control's font changed.
class IcxFontListener {
 public:
  virtual void FontChanged(TObject* Sender, TFont* AFont) = 0;

 protected:
  ~IcxFontListener() = default;
};

// Told when the cursor has left the bounds a mouse-tracking timer watches.
class IcxMouseTrackingCaller {
 public:
  virtual void MouseLeave() = 0;

 protected:
  ~IcxMouseTrackingCaller() = default;
};

class TcxControl;

// What a scroll bar should become once the control's scroll-bar calculation settles.
struct TcxScrollBarData {
  int Min = 0, Max = 100, Position = 0, PageSize = 0;
  TScrollBarInc SmallChange = 1, LargeChange = 1;
  bool Enabled = true, Visible = false, AllowShow = true, AllowHide = true;
};

// An embedded scroll bar: follows the owning control's look and feel and is placed by it.
class TcxControlScrollBar : public TcxScrollBar {
  TRENVIK_CLASS(TcxControlScrollBar, TcxScrollBar);
  TRENVIK_MESSAGES(TcxControlScrollBar);

 public:
  explicit TcxControlScrollBar(TComponent* AOwner);
  TcxScrollBarData Data;
  // Sets the bar from Data (scroll parameters only while visible).
  void ApplyData();

 private:
  void WMLButtonDown(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);
};

// The corner between the two embedded bars.
class TcxSizeGrip : public TCustomControl {
  TRENVIK_CLASS(TcxSizeGrip, TCustomControl);

 public:
  explicit TcxSizeGrip(TComponent* AOwner);

 protected:
  void Paint() override;
};

// One drag operation inside a control: its feedback and cursor.
class TcxDragAndDropObject : public TObject {
  TRENVIK_CLASS(TcxDragAndDropObject, TObject);

 public:
  explicit TcxDragAndDropObject(TcxControl* AControl);

  TcxCanvas* Canvas() const { return canvas_; }
  TcxControl* Control() const { return control_; }
  bool RepaintNeeded() const { return repaintNeeded_; }
  void SetRepaintNeeded(bool Value);
  POINT CurMousePos{-1, -1};
  POINT PrevMousePos{-1, -1};

  virtual void RepaintNeededChanged() {}
  virtual TCursor GetDragAndDropCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }
  virtual bool GetImmediateStart() { return false; }

  virtual void BeginDragAndDrop() { RepaintNeededChanged(); }
  virtual void DragAndDrop(POINT P, bool& Accepted);
  virtual void EndDragAndDrop(bool /*Accepted*/) { SetRepaintNeeded(true); }

 private:
  TcxCanvas* canvas_;
  TcxControl* control_;
  bool repaintNeeded_ = false;
};
using TcxDragAndDropObjectClass = std::function<TcxDragAndDropObject*(TcxControl*)>;

// The framework drag of a cx control: the copy cursor while Ctrl is held over an accepting target.
class TcxDragControlObject : public TDragControlObjectEx {
  TRENVIK_CLASS(TcxDragControlObject, TDragControlObjectEx);

 public:
  explicit TcxDragControlObject(TControl* AControl = nullptr) : TDragControlObjectEx(AControl) {}
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
};
using TcxDragControlObjectClass = std::function<TDragObject*(TControl*)>;

// A non-visual component that belongs to a control (the grid's views).
class TcxControlChildComponent : public TcxComponent {
  TRENVIK_CLASS(TcxControlChildComponent, TcxComponent);

 public:
  explicit TcxControlChildComponent(TComponent* AOwner);
  // The owner is the control's owner when AAssignOwner is set, else none.
  TcxControlChildComponent(TcxControl* AControl, bool AAssignOwner);
  ~TcxControlChildComponent() override;

  TcxControl* Control() const { return control_; }
  virtual bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  virtual void SetControl(TcxControl* Value) { control_ = Value; }

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return control_ != nullptr; }
  void SetParentComponent(TComponent* Value) override;

 private:
  TcxControl* control_ = nullptr;
};

class TcxControl : public TCustomControl {
  TRENVIK_CLASS(TcxControl, TCustomControl);
  TRENVIK_MESSAGES(TcxControl);

 public:
  explicit TcxControl(TComponent* AOwner);
  ~TcxControl() override;

  // The control's canvas once the window exists; a screen canvas for measuring before.
  TcxCanvas* Canvas();
  TcxControlBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TcxControlBorderStyle Value);
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  TcxWantedKeys Keys() const { return keys_; }
  void SetKeys(TcxWantedKeys Value) { keys_ = Value; }
  TcxControlScrollBar* HScrollBar() const { return hScrollBar_; }
  TcxControlScrollBar* VScrollBar() const { return vScrollBar_; }
  TcxSizeGrip* SizeGrip() const { return sizeGrip_; }
  bool HScrollBarVisible() const;
  bool VScrollBarVisible() const;
  // Called from InitScrollBarsParameters.
  void SetScrollBarInfo(TScrollBarKind AKind, int AMin, int AMax, int AStep, int APage, int APosition,
                        bool AAllowShow, bool AAllowHide);
  TObject* MouseCaptureObject() const { return mouseCaptureObject_; }
  void SetMouseCaptureObject(TObject* Value);
  void AddFontListener(IcxFontListener* AListener);
  void RemoveFontListener(IcxFontListener* AListener);
  void InvalidateRect(const RECT& R, bool AErase);
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  void ScrollByDirection(TcxScrollStepDirection ADirection);
  bool IsWithinDragThreshold(int X, int Y) const;
  POINT MouseDownPos() const { return mouseDownPos_; }

  // --- In-control drag and drop ---
  TcxDragAndDropObject* DragAndDropObject();
  TcxDragAndDropState DragAndDropState() const { return dragAndDropState_; }
  // A factory replacing TcxDragAndDropObject (nullptr: the base class).
  void SetDragAndDropObjectClass(TcxDragAndDropObjectClass Value) { dragAndDropObjectClass_ = std::move(Value); }
  void FinishDragAndDrop(bool Accepted);
  // Middle-button panning: a modal loop until a button, the wheel, Esc or a lost capture ends it.
  void PanScroll();

  // Called after the window received the message for AControl (nullptr: the control itself).
  virtual void BeginDragAndDrop();
  virtual void DragAndDrop(POINT P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted);

  TNotifyEvent OnFocusChanged;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // --- Virtual operations, in the family's slot order ---
  virtual void AfterMouseDown(TMouseButton AButton, int X, int Y);
  virtual bool UseStandardDesignMouseDown(int, int, TShiftState) { return true; }
  virtual bool CanFocusOnClick();
  virtual bool MayFocusOnChildClick(TWinControl*) { return CanFocusOnClick(); }
  virtual int GetBorderSize();
  virtual RECT GetBounds();
  virtual RECT GetClientBounds();
  virtual TCursor GetCursor(int, int) { return defaultCursor_; }
  virtual bool IsFocused() { return Focused(); }
  virtual TcxWheelScrollKind GetMouseWheelScrollingKind();
  virtual bool AllowEraseBackground() { return false; }
  virtual void InitScrollBars();
  virtual bool IsInternalControl(TControl* AControl);
  virtual TcxLookAndFeelPainterClass GetLookAndFeelPainter() { return lookAndFeel_->Painter(); }
  virtual void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
  virtual RECT GetHScrollBarBounds();
  virtual RECT GetSizeGripBounds();
  virtual RECT GetVScrollBarBounds();
  virtual void InitScrollBarsParameters() {}
  virtual bool IsPixelScrollBar(TScrollBarKind) { return false; }
  virtual void Scroll(TScrollBarKind, TScrollCode, int&) {}
  virtual void PlaceScrollBars();
  virtual void UpdateScrollBars();
  virtual TcxDragAndDropObjectClass GetDragAndDropObjectClass();
  virtual bool CanFocusWithParentForm();
  virtual bool IsClickWithoutDrag(int X, int Y);

  // --- Message-style operations ---
  virtual void AfterColorChange() {}
  virtual void VisibleChanged() {}
  virtual void AddChildComponent(TcxControlChildComponent* AChild) { AChild->SetControl(this); }
  virtual void RemoveChildComponent(TcxControlChildComponent* AChild) { AChild->SetControl(nullptr); }
  virtual bool AllowMouseWithoutFocus() { return false; }
  virtual void BoundsChanged() { UpdateScrollBars(); }
  virtual bool CanBeginDrag(int X, int Y);
  virtual void CursorChanged() { defaultCursor_ = Cursor(); }
  virtual void ResetMouseCaptureObject() { SetMouseCaptureObject(nullptr); }
  virtual void FocusChanged();
  virtual void FontChanged();
  virtual bool GetDesignHitTest(int, int, TShiftState) { return dragAndDropState_ != dndNone; }
  virtual TcxDragControlObjectClass GetDragObjectClass();
  virtual bool MayFocus() { return true; }
  virtual void MouseEnter(TControl* AControl);
  virtual void MouseLeave(TControl* AControl);
  virtual bool StartDragAndDrop(POINT) { return false; }
  virtual bool AllowStartDrag(TDragObject*) { return true; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void Resize() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The bar's own kind, code and position (the embedded bars' scroll events end here).
  void ScrollBarScroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) { Scroll(AKind, ACode, APosition); }

 private:
  struct MessageRecord;
  friend class TcxControlScrollBar;

  void WMEraseBkgnd(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void DXMNCSizeChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMCursorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);

  bool HandleAutomaticDragMouseDown(TMessage& Message);
  void AfterMessage(const TMessage& Message);
  void CalculateScrollBars();
  void CheckPixelScrollBars();
  TcxControlScrollBar* BarOf(TScrollBarKind AKind) const { return AKind == sbHorizontal ? hScrollBar_ : vScrollBar_; }

  std::unique_ptr<TcxScreenCanvas> screenCanvas_;
  TcxControlBorderStyle borderStyle_ = cxcbsNone;
  bool calculatingScrollBars_ = false;
  std::unique_ptr<TcxCanvas> canvas_;
  TCursor defaultCursor_ = crDefault;
  std::unique_ptr<TcxDragAndDropObject> dragAndDropObject_;
  TcxDragAndDropObjectClass dragAndDropObjectClass_;
  TCursor dragAndDropPrevCursor_ = crDefault;
  TcxDragAndDropState dragAndDropState_ = dndNone;
  bool finishingDragAndDrop_ = false;
  std::vector<IcxFontListener*> fontListeners_;
  TcxControlScrollBar* hScrollBar_ = nullptr;
  bool prevHScrollBarVisible_ = false;
  bool prevVScrollBarVisible_ = false;
  bool scrollBarsOscillating_ = false;
  TcxWantedKeys keys_;
  std::vector<std::shared_ptr<bool>> messageRecords_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  TObject* mouseCaptureObject_ = nullptr;
  POINT mouseDownPos_{-1, -1};
  TScrollStyle scrollBars_ = ssBoth;
  TcxSizeGrip* sizeGrip_ = nullptr;
  bool updatingScrollBars_ = false;
  TcxControlScrollBar* vScrollBar_ = nullptr;
};

// --- Drag detection ---

// A modal loop on the window's capture: a click, a drag (the mouse left the threshold square around
// the cursor) or a cancel (Esc, capture lost, the loop ended).
TcxDragDetectResult cxDragDetect(HWND AWnd);

// --- System settings ---

// Tells every living cx control, through DXM_NCSIZECHANGED, that the non-client metrics changed.
class TcxSettingsController : public TObject {
  TRENVIK_CLASS(TcxSettingsController, TObject);

 public:
  TcxSettingsController() = default;
  ~TcxSettingsController() override;
  void AddControl(TcxControl* AControl);
  void RemoveControl(TcxControl* AControl);
  void NotifyControls();
  int Count() const { return static_cast<int>(list_.size()); }
  // The hidden window that hears the broadcast; nullptr while no control is listed.
  HWND Window() const { return window_; }

 protected:
  virtual void WndProc(TMessage& Message);

 private:
  std::vector<TcxControl*> list_;
  HWND window_ = nullptr;
};
TcxSettingsController* cxSettingsController();

// --- Mouse tracking ---

// Polls the cursor every 10 ms and tells its caller when it has left the bounds.
class TMouseTrackingTimer : public TTimer {
  TRENVIK_CLASS(TMouseTrackingTimer, TTimer);

 public:
  TMouseTrackingTimer(TcxControl* AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller);
  IcxMouseTrackingCaller* Caller() const { return caller_; }
  TcxControl* Control() const { return control_; }
  RECT Bounds() const { return bounds_; }

 private:
  void MouseTrackingTimerTick();
  IcxMouseTrackingCaller* caller_;
  TcxControl* control_;
  RECT bounds_;
};

// Bounds in the control's client coordinates (screen coordinates when AControl is nullptr); nothing
// when the caller already has a timer.
void cxBeginMouseTracking(TcxControl* AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller);
void cxStopMouseTracking(IcxMouseTrackingCaller* ACaller);
bool cxIsMouseTracking(IcxMouseTrackingCaller* ACaller);
TMouseTrackingTimer* cxFindMouseTrackingTimer(IcxMouseTrackingCaller* ACaller);
int cxMouseTrackingTimerCount();

// Reports through its event that a watched component is being freed.
class TcxFreeNotificator : public TComponent {
  TRENVIK_CLASS(TcxFreeNotificator, TComponent);

 public:
  explicit TcxFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}
  void AddSender(TComponent* ASender);
  void RemoveSender(TComponent* ASender);
  std::function<void(TComponent* Sender)> OnFreeNotification;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

// --- Shared functions ---

UINT cxGetDoubleClickTime();
RECT cxGetMonitorWorkArea(POINT P);
bool cxIsCtrlPressed();
bool cxIsWithinDragThreshold(POINT ARef, int X, int Y);
void cxMapWindowPoint(HWND AFrom, HWND ATo, POINT& P);
void cxMapWindowRect(HWND AFrom, HWND ATo, RECT& R);
SmallInt cxTruncToShort(int AValue);
void cxDesignerModified(TControl* AControl);
void cxDeflateRectByMargins(RECT& R, const RECT& AMargins);
RECT cxGetControlRect(TControl* AControl);
bool cxIsControlHandle(TWinControl* AControl, HWND AHandle);
bool cxIsWindowVisible(TWinControl* AControl);
bool cxIsChildWindow(TWinControl* AParent, HWND AWnd);
POINT cxGetMouseCursorPos();
TShiftState cxGetShiftState();
void cxInvalidateFrame(HWND AWnd, const RECT& AOuter, const RECT& AInner, bool AErase);
void cxInvalidateWinControlRect(TWinControl* AControl, const RECT& R, bool AErase);
inline HWND cxToWindowHandle(HWND AHandle) { return AHandle; }
TcxScreenCanvas* cxGetScreenCanvas();
bool cxIsGetScrollBarInfoAvailable();

// A pop-up window class's answer to cxIsChildWindow for windows of the pop-ups opened from inside it
// (installed by the pop-up module).
void cxSetPopupChildWindowTest(std::function<bool(TWinControl* AParent, HWND AWnd)> ATest);

// Module start-up and shut-down: the base control module and the container module.
void cxControlsInitialize();
void cxControlsFinalize();
void cxContainerModuleInitialize();
void cxContainerModuleFinalize();
