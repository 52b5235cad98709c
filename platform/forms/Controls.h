// The framework's controls: TControl (bounds, alignment, visibility, colour and font with parent
// inheritance, mouse and keyboard events, drag and drop), TWinControl (a window of its own, child
// controls, focus and tab order), TCustomControl and TGraphicControl (painted on a canvas), the
// drag objects, the mouse object and the cursor constants.
//
// A component author derives from TCustomControl (a window with a canvas) or TGraphicControl (drawn
// on its parent), overrides Paint, the mouse and key virtuals, CreateParams/CreateWnd, and handles
// messages in a TRENVIK_MESSAGES table (ControlMessages.h) or by overriding WndProc.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Colors.h"
#include "platform/forms/ControlMessages.h"
#include "platform/forms/GraphicsObjects.h"
#include "platform/win/WindowTree.h"

class TControl;
class TWinControl;
class TCustomForm;
LRESULT FrameworkWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
class TCustomImageList;
class TBasicAction;
class TControlActionLink;

TRENVIK_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
TRENVIK_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = Set<TAnchorKind>;

TRENVIK_ENUM(TControlStyleFlag, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents,
             csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
             csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
             csNeedsBorderPaint, csParentBackground);
using TControlStyle = Set<TControlStyleFlag>;

TRENVIK_ENUM(TControlStateFlag, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
             csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking);
using TControlState = Set<TControlStateFlag>;

TRENVIK_ENUM(TShiftStateFlag, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble);
using TShiftState = Set<TShiftStateFlag>;

TRENVIK_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle);
TRENVIK_ENUM(TDragMode, dmManual, dmAutomatic);
TRENVIK_ENUM(TDragKind, dkDrag, dkDock);
TRENVIK_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove);
TRENVIK_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);
TRENVIK_ENUM(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata,
             imChinese, imSHanguel, imHanguel);
TRENVIK_ENUM(TBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TFormBorderStyle = TBorderStyle;

using TCaption = String;
using TImeName = String;

// Cursors: indexes into Screen->Cursors. The framework's own shapes are negative.
using TCursor = Integer;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;
// Names of the cursor constants, as form resources store them ("crHandPoint").
bool CursorToIdent(Integer Cursor, String& Ident);
bool IdentToCursor(const String& Ident, Integer& Cursor);

// The shift state of a key or mouse message's key flags and of the keyboard now.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyDataToShiftState(LONG KeyData);
TShiftState GetShiftState();

class TDragObject;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, POINT MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, POINT MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, POINT MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// Minimum and maximum sizes of a control (0: no limit).
class TSizeConstraints : public TPersistent {
  TRENVIK_CLASS(TSizeConstraints, TPersistent);

 public:
  explicit TSizeConstraints(TControl* Control = nullptr) : control_(Control) {}
  void Assign(TPersistent* Source) override;
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int Value);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int Value);
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int Value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  TNotifyEvent OnChange;

 private:
  void Changed();
  TControl* control_;
  int maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};

// The control under the mouse and the cursor shown are looked up through these; the menus module
// sets the pop-up hook (a control's PopupMenu is any component the hook knows how to show).
using TPopupMenuProc = std::function<bool(TComponent* Menu, TControl* Control, POINT ScreenPos)>;
void SetPopupMenuProc(TPopupMenuProc Proc);
// Short cuts of pop-up menus and actions: asked for each key down before dialog keys (true: the
// key was a short cut and is used up).
void SetShortCutProc(std::function<bool(TWinControl* Control, TWMKey& Message)> Proc);

class TControl : public TComponent {
  TRENVIK_CLASS(TControl, TComponent);

 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // --- Messages ---
  // Finds the handler of the message in the class's handler tables; DefaultHandler when none.
  virtual void Dispatch(TMessage& Message);
  // What happens to a message no handler took: nothing for a control without a window, the
  // window's own procedure for a TWinControl.
  virtual void DefaultHandler(TMessage& Message);
  // Sends a message to the control through WindowProc; answers its Result.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  // The procedure messages enter through: WndProc unless replaced (a replacement keeps the old
  // value and calls it for what it does not handle).
  TWndMethod WindowProc;

  // --- Placement ---
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return left_; }
  void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
  int Top() const { return top_; }
  void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
  int Width() const { return width_; }
  void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
  int Height() const { return height_; }
  void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const RECT& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  // The client area in client coordinates.
  virtual RECT ClientRect();
  int ClientWidth() { return ClientRect().right; }
  void SetClientWidth(int Value);
  int ClientHeight() { return ClientRect().bottom; }
  void SetClientHeight(int Value);
  void SetClientSize(int W, int H);
  // The client area's top-left corner on the screen.
  virtual POINT ClientOrigin();
  POINT ClientToScreen(POINT P);
  POINT ScreenToClient(POINT P);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  void SetConstraints(TSizeConstraints* Value) { constraints_->Assign(Value); }
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }

  // --- State ---
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  void Show();
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);
  // Visible with every parent up to a form that is shown.
  virtual bool Showing() const;
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState Value) { controlState_ = Value; }

  // --- Appearance ---
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  // The font follows the desktop's icon-title font.
  bool DesktopFont() const { return desktopFont_; }
  void SetDesktopFont(bool Value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  String Caption() { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() { return GetText(); }
  void SetText(const String& Value);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value) { biDiMode_ = Value; }
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value) { parentBiDiMode_ = Value; }
  bool UseRightToLeftAlignment() const { return false; }
  bool UseRightToLeftReading() const { return false; }
  // DrawText flags for the control's reading order (none for left to right).
  UINT DrawTextBiDiModeFlags(UINT Flags) const { return Flags; }

  // --- Hints and pop-up menu ---
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool Value);
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* Value);
  // The menu a context-menu request shows: PopupMenu here; controls with a menu of their own give it.
  virtual TComponent* GetPopupMenu() { return popupMenu_; }

  // --- Action: caption, enabled, hint and visible follow it; a click executes it ---
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return actionLink_.get(); }
  // The action's update, run by the idle cycle for visible clients.
  virtual void InitiateAction();
  // The action changed (CheckDefaults: only properties still at their defaults take its values).
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

  // --- Painting ---
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // --- Mouse ---
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  bool IsRightToLeft() const { return false; }

  // --- Drag and drop ---
  TDragMode DragMode() const { return dragMode_; }
  virtual void SetDragMode(TDragMode Value) { dragMode_ = Value; }
  TDragKind DragKind() const { return dragKind_; }
  void SetDragKind(TDragKind Value) { dragKind_ = Value; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor Value) { dragCursor_ = Value; }
  // Starts dragging the control: at once, or when the mouse has moved Threshold pixels with the
  // button down (-1: Mouse->DragThreshold()).
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;

  // --- Events ---
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TContextPopupEvent OnContextPopup;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

  // --- Streaming ---
  // Colour, font and ShowHint are stored only where they differ from the parent's.
  bool IsColorStored() const { return !parentColor_; }
  bool IsFontStored() const { return !parentFont_ && !desktopFont_; }
  bool IsShowHintStored() const { return !parentShowHint_; }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const String& NewName) override;

  // The dragging machinery and the windowed parent call these.
  virtual void DragDrop(TObject* Source, int X, int Y);
  void DoEndDrag(TObject* Target, int X, int Y);
  virtual TCustomImageList* GetDragImages() { return nullptr; }
  // Sends CM_CANCELMODE to the focused control of the control's form (pop-ups close on it).
  void SendCancelMode(TControl* Sender);

 protected:
  // The procedure messages reach first (through WindowProc): mouse handling, then Dispatch.
  virtual void WndProc(TMessage& Message);

  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // MousePos in screen coordinates; true when the wheel was used.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, POINT MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, POINT MousePos);
  virtual void DoContextPopup(POINT MousePos, bool& Handled);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DoEndDragInternal(TObject* Target, int X, int Y);
  virtual void BeginAutoDrag();
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual bool CanAutoSize(int&, int&) { return false; }
  virtual void Resize();
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  virtual void Changed();
  virtual void VisibleChanging() {}
  virtual void SetZOrder(bool TopMost);
  virtual String GetText();
  virtual void SetTextValue(const String& Value);
  virtual void ReadState(TReader* Reader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Asks the parent to lay out its aligned children again.
  virtual void RequestAlign();
  void UpdateAnchorRules();
  // Moves the control's rectangle (no alignment, no messages): the layout uses it.
  virtual void UpdateBoundsRect(const RECT& R);
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  bool IsControlVisible() const;
  int AnchorRightDistance() const { return anchorRight_; }
  int AnchorBottomDistance() const { return anchorBottom_; }

 private:
  friend class TWinControl;
  friend class TDragObject;
  friend void DragTo(POINT Pos);
  friend class TApplication;
  static void MessageMap(TMessageMap<TControl>& M);

  void FontChanged(TObject* Sender);
  void DoCanResize(int& W, int& H, bool& Resize);
  void DoDragOverStep(TCMDrag& Message);
  void WMLButtonDown(TWMMouse& Message);
  void WMLButtonUp(TWMMouse& Message);
  void WMLButtonDblClk(TWMMouse& Message);
  void WMRButtonDown(TWMMouse& Message);
  void WMRButtonUp(TWMMouse& Message);
  void WMRButtonDblClk(TWMMouse& Message);
  void WMMButtonDown(TWMMouse& Message);
  void WMMButtonUp(TWMMouse& Message);
  void WMMouseMove(TWMMouse& Message);
  void WMContextMenu(TWMMouse& Message);
  void CMMouseWheel(TWMMouseWheel& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);
  void CMDrag(TCMDrag& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TWMMouse& Message, TMouseButton Button);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  int anchorRight_ = -1, anchorBottom_ = -1;  // distances kept by akRight / akBottom
  std::unique_ptr<TSizeConstraints> constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState controlState_;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool desktopFont_ = false;
  bool fontUpdating_ = false;
  TCursor cursor_ = crDefault;
  String text_;
  String hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TComponent* popupMenu_ = nullptr;
  std::unique_ptr<TControlActionLink> actionLink_;
  TDragMode dragMode_ = dmManual;
  TDragKind dragKind_ = dkDrag;
  TCursor dragCursor_ = crDrag;
  bool mouseInside_ = false;
};

// The parameters a TWinControl's window is created with.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSEX WindowClass;
  String WinClassName;
};

class TWinControl : public TControl {
  TRENVIK_CLASS(TWinControl, TControl);

 public:
  explicit TWinControl(TComponent* AOwner);
  // Makes a control that lives in a window of another program part (ParentWindow).
  static TWinControl* CreateParented(HWND ParentWindow);
  ~TWinControl() override;

  // --- The window ---
  // Creates the window (and its parents') on first use.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // A window outside the framework to be created in (when the control has no Parent).
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND Value);
  bool Showing() const override;
  void DefaultHandler(TMessage& Message) override;
  void SetParent(TWinControl* AParent) override;

  // --- Children ---
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const { return controls_.at(static_cast<size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The child at a client position: visible (and enabled unless AllowDisabled) graphic controls,
  // and windowed ones too when AllowWinControls; the top-most first.
  TControl* ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls = false);
  TControl* FindChildControl(const String& ControlName) const;
  // Sends the message to every child until one answers non-zero.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return alignLevel_ > 0; }
  void Realign();
  void ScaleBy(int, int) {}
  // Paints the control and its children into DC with the top-left corner at (X, Y).
  void PaintTo(HDC DC, int X, int Y);

  // --- Focus and tab order ---
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  // The windowed children in tab order, their own children after each (depth first).
  void GetTabOrderList(std::vector<TWinControl*>& List);
  // Focuses the next (or previous) control after CurControl in tab order among this control's
  // descendants; CheckTabStop skips those without TabStop.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);

  // --- Appearance ---
  TBrush* Brush() const { return brush_.get(); }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool Value);
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool Value) { doubleBuffered_ = Value; }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);
  TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode Value) { imeMode_ = Value; }
  const TImeName& ImeName() const { return imeName_; }
  void SetImeName(const TImeName& Value) { imeName_ = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  RECT ClientRect() override;
  POINT ClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // The entry of the window procedure: WindowProc, with exceptions handed to the application.
  void MainWndProc(TMessage& Message);

 protected:
  virtual void CreateParams(TCreateParams& Params);
  // Superclasses a native window class: the window is made of class ClassName (its procedure
  // becomes the default handler), under the control's own class name.
  void CreateSubClass(TCreateParams& Params, const String& ClassName);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void CreateHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void DestroyHandle();
  // Destroys the window; it is made again when next needed (at once when the control is showing).
  void RecreateWnd();
  void UpdateControlState();

  void WndProc(TMessage& Message) override;
  // Keys: KeyDown may clear Key (handled); KeyPress may set Key to 0.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  // True when the key was handled (form's key preview included).
  bool DoKeyDown(TWMKey& Message);
  bool DoKeyUp(TWMKey& Message);
  bool DoKeyPress(TWMKey& Message);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void AlignControls(TControl* AControl, RECT& Rect);
  virtual void AdjustClientRect(RECT& Rect);
  // Positions one aligned child inside Rect and takes its room.
  void AlignControl(TControl* AControl);
  void PaintHandler(TWMPaint& Message);
  virtual void PaintWindow(HDC DC);
  void PaintControls(HDC DC, TControl* First);
  void SetZOrder(bool TopMost) override;
  void SetTextValue(const String& Value) override;
  String GetText() override;
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void UpdateBoundsRect(const RECT& R) override;
  // True when the control's own procedure should see the mouse message (no graphic child takes it).
  bool IsControlMouseMsg(TWMMouse& Message);
  // The window procedure of the window class the control was made over.
  WNDPROC DefWndProc() const { return defWndProc_; }
  HWND WindowHandle() const { return handle_; }

 private:
  TRENVIK_MESSAGES(TWinControl);
  friend class TControl;
  friend class TCustomForm;
  friend LRESULT FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);

  void WMPaint(TWMPaint& Message);
  void WMEraseBkgnd(TWMEraseBkgnd& Message);
  void WMSize(TWMSize& Message);
  void WMMove(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSetFocus(TWMSetFocus& Message);
  void WMKillFocus(TWMSetFocus& Message);
  void WMKeyDown(TWMKey& Message);
  void WMKeyUp(TWMKey& Message);
  void WMChar(TWMKey& Message);
  void WMSysKeyDown(TWMKey& Message);
  void WMSetCursor(TMessage& Message);
  void WMCommand(TWMCommand& Message);
  void WMNotify(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMMouseWheel(TWMMouseWheel& Message);
  void WMCtlColor(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void CNKeyDown(TWMKey& Message);
  void CNKeyUp(TWMKey& Message);
  void CNChar(TWMKey& Message);
  void CNSysKeyDown(TWMKey& Message);
  void CNSysChar(TWMKey& Message);
  void CMDialogKey(TWMKey& Message);
  void CMDialogChar(TWMKey& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMParentCtl3DChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMCursorChanged(TMessage& Message);
  void CMDrag(TCMDrag& Message);
  void CMInvalidate(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMWinIniChange(TMessage& Message);

  void AttachHandle(HWND Wnd);
  void DoAlign(TAlign AAlign, RECT& Rect, TControl* AControl);
  void ListTabOrder(std::vector<TWinControl*>& List);
  void InvalidateFrame();
  void UpdateShowing();

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;    // all children, in z-order (first is bottom-most)
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  std::unique_ptr<TBrush> brush_;
  bool tabStop_ = false;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  bool doubleBuffered_ = false;
  bool showing_ = false;
  int borderWidth_ = 0;
  int alignLevel_ = 0;
  int tabOrderRead_ = -1;  // TabOrder as read from a form resource, applied when all are read
  TImeMode imeMode_ = imDontCare;
  TImeName imeName_;
  RECT alignRect_{};
};

// A canvas over a control's client area: a TCustomControl's window, or the part of the parent's
// window a TGraphicControl covers.
class TControlCanvas : public TCanvas {
  TRENVIK_CLASS(TControlCanvas, TCanvas);

 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  void SetControl(TControl* Value);
  // Releases the device context the canvas took (the next drawing takes a fresh one).
  void FreeHandle();
  void UpdateTextFlags() {}

 protected:
  void CreateHandle() override;

 private:
  TControl* control_ = nullptr;
  HDC dc_ = nullptr;
  HWND window_ = nullptr;
};

// A windowed control drawn by its own Paint on Canvas.
class TCustomControl : public TWinControl {
  TRENVIK_CLASS(TCustomControl, TWinControl);

 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  virtual void Paint();
  void PaintWindow(HDC DC) override;
  void DestroyWnd() override;

 private:
  TRENVIK_MESSAGES(TCustomControl);
  void WMPaint(TWMPaint& Message);
  std::unique_ptr<TControlCanvas> canvas_;
};

// A control without a window, drawn on its parent's by Paint.
class TGraphicControl : public TControl {
  TRENVIK_CLASS(TGraphicControl, TControl);

 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  virtual void Paint() {}

 private:
  TRENVIK_MESSAGES(TGraphicControl);
  void WMPaint(TWMPaint& Message);
  std::unique_ptr<TControlCanvas> canvas_;
};

// --- Drag and drop ---

// What is being dragged. The framework makes a TDragControlObject for a control that is dragged
// without OnStartDrag providing one; the drag object follows the mouse through its own capture
// window until the button is released or the drag is cancelled (Esc, right button).
class TDragObject : public TObject {
  TRENVIK_CLASS(TDragObject, TObject);

 public:
  TDragObject() = default;
  ~TDragObject() override;
  virtual void Assign(TDragObject* Source);
  virtual String GetName() { return ClassName(); }
  virtual void HideDragImage();
  virtual void ShowDragImage();
  // The cursor while over a target that accepts (or refuses) the drop.
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
  virtual TCustomImageList* GetDragImages() { return nullptr; }
  // After the drop or the cancel; the default does nothing.
  virtual void Finished(TObject* Target, int X, int Y, bool Accepted);

  HWND DragHandle = nullptr;
  POINT DragPos{};  // screen coordinates of the mouse
  TControl* DragTarget = nullptr;
  POINT DragTargetPos{};  // the mouse in the target's client coordinates
  bool Cancelling = false;
  bool Dropped = false;
  bool AlwaysShowDragImages = false;
  // Freed by the framework when the drag ends.
  bool AutoFree = false;
  // The mouse relative to the drag image (0..1 of its size).
  double MouseDeltaX = 0, MouseDeltaY = 0;

 protected:
  friend void DragDone(bool Drop);
  friend void DragTo(POINT Pos);
  friend class TControl;
  virtual void WndProc(TMessage& Message);
  // The capture window that gets the mouse and Esc during the drag.
  HWND Capture();
  void ReleaseCapture(HWND Handle);
};

class TBaseDragControlObject : public TDragObject {
  TRENVIK_CLASS(TBaseDragControlObject, TDragObject);

 public:
  explicit TBaseDragControlObject(TControl* AControl = nullptr) : control_(AControl) {}
  void Assign(TDragObject* Source) override;
  TControl* Control() const { return control_; }
  void SetControl(TControl* Value) { control_ = Value; }
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;

 private:
  TControl* control_;
};

class TDragControlObject : public TBaseDragControlObject {
  TRENVIK_CLASS(TDragControlObject, TBaseDragControlObject);

 public:
  explicit TDragControlObject(TControl* AControl = nullptr) : TBaseDragControlObject(AControl) {}
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  TCustomImageList* GetDragImages() override;
  void HideDragImage() override;
  void ShowDragImage() override;
};

// A drag control object the framework frees when the drag ends.
class TDragControlObjectEx : public TDragControlObject {
  TRENVIK_CLASS(TDragControlObjectEx, TDragControlObject);

 public:
  explicit TDragControlObjectEx(TControl* AControl = nullptr) : TDragControlObject(AControl) {
    AutoFree = true;
  }
};

// The drag in progress: the object and the control being dragged (nullptr when none).
TDragObject* DragObject();
TControl* DragControl();
// Cancels a drag in progress (as Esc does).
void CancelDrag();
// The control under a screen point as a drag target (the control that answers dmFindTarget).
TControl* FindDragTarget(POINT Pos, bool AllowDisabled);

// --- Looking controls up ---

// The framework control whose window this is; nullptr for windows the framework did not make.
TWinControl* FindControl(HWND Handle);
// The framework control at a screen point (the deepest visible one).
TWinControl* FindVCLWindow(POINT Pos);
// The form a control is on (nullptr when it is not on one).
TCustomForm* GetParentForm(TControl* Control);
// The control owning the focus window, or nullptr.
TWinControl* FindFocusedControl();

// --- The mouse ---
class TMouse {
 public:
  // Pixels the mouse moves with the button down before a drag begins.
  int DragThreshold() const { return dragThreshold_; }
  void SetDragThreshold(int Value) { dragThreshold_ = Value; }
  bool DragImmediate() const { return dragImmediate_; }
  void SetDragImmediate(bool Value) { dragImmediate_ = Value; }
  HWND Capture() const;
  void SetCapture(HWND Value);
  POINT CursorPos() const;
  void SetCursorPos(POINT Value);
  // Lines the wheel scrolls per notch (the system's setting).
  int WheelScrollLines() const;
  bool WheelPresent() const { return true; }
  bool MousePresent() const { return true; }

 private:
  int dragThreshold_ = 5;
  bool dragImmediate_ = true;
};
extern TMouse* Mouse;

// Start-up of the controls: the framework's window class, the mouse object.
void InitControlsModule();
void FinalizeControlsModule();
