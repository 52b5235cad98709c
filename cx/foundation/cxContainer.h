// The frame around an inner windowed control that every cx editor is: its style (border, edges,
// hot tracking, shadow, look and feel) lent by style controllers, the look computed into a view info
// on every refresh, the window region that lets the parent show through the corners and the shadow.
#pragma once

#include <memory>
#include <vector>

#include "cx/foundation/cxControls.h"
#include "cx/foundation/dxThemeManager.h"

TRENVIK_ENUM(TcxContainerBorderStyle, cbsDefault, cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat);
enum TcxContainerStateItem { cstFocused, cstDisabled, cstHot, cstNormal };
using TcxContainerState = Set<TcxContainerStateItem>;

class TcxStyleController;
class TcxContainer;

class TcxCustomContainerStyle : public TPersistent {
  TRENVIK_CLASS(TcxCustomContainerStyle, TPersistent);

 public:
  // ASilent styles never call their owner back.
  TcxCustomContainerStyle(TPersistent* AOwner, bool ASilent);
  ~TcxCustomContainerStyle() override;
  void BeforeDestruction() { destroying_ = true; }

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return owner_; }
  void BeginUpdate() { ++updateLockCount_; }
  void EndUpdate();

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TcxContainerBorderStyle Value);
  // The owner control's colour and font.
  TColor Color() const;
  void SetColor(TColor Value);
  TFont* Font() const;
  void SetFont(TFont* Value);
  TcxBorders Edges() const { return edges_; }
  void SetEdges(TcxBorders Value);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool Value);
  bool Shadow() const { return shadow_; }
  void SetShadow(bool Value);
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  TcxStyleController* StyleController() const { return styleController_; }
  // nullptr selects the default controller; a controller that owns this style is refused.
  void SetStyleController(TcxStyleController* Value);
  TcxStyleController* GetAssignedStyleController() const;
  bool IsDestroying() const { return destroying_; }

  TNotifyEvent OnChanged;

  virtual void Changed();
  virtual void ControllerChangedNotification(TcxStyleController*) { Changed(); }
  virtual void ControllerFreeNotification(TcxStyleController* AController);
  virtual void ControllerChanged() { Changed(); }
  // The base's constructor can only reach its own answer (none): a descendant style with a default
  // controller attaches it in its own constructor (SetStyleController(nullptr)).
  virtual TcxStyleController* GetDefaultStyleController() const { return nullptr; }
  virtual void RestoreDefaults() { lookAndFeel_->Reset(); }

 protected:
  TControl* OwnerControl() const { return dynamic_cast<TControl*>(owner_); }

 private:
  TColor borderColor_ = clWindowFrame;
  TcxContainerBorderStyle borderStyle_ = cbsDefault;
  bool silent_;
  TcxBorders edges_ = cxBordersAll;
  bool hotTrack_ = true;
  bool destroying_ = false;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool changePending_ = false;
  TPersistent* owner_;
  bool shadow_ = false;
  int updateLockCount_ = 0;
  TcxStyleController* styleController_ = nullptr;
};
using TcxContainerStyleClass = std::function<TcxCustomContainerStyle*(TPersistent* AOwner, bool ASilent)>;

// Owns one style and lends it to the styles attached to it.
class TcxStyleController : public TComponent {
  TRENVIK_CLASS(TcxStyleController, TComponent);

 public:
  explicit TcxStyleController(TComponent* AOwner);
  ~TcxStyleController() override;
  void BeforeDestruction() { destroying_ = true; }

  // Made on first use from GetStyleClass.
  TcxCustomContainerStyle* Style();
  void SetStyle(TcxCustomContainerStyle* Value) { Style()->Assign(Value); }
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }
  bool IsDestroying() const { return destroying_; }

  std::function<void(TObject* Sender, TcxCustomContainerStyle* AStyle)> OnStyleChanged;

  virtual void AddStyleListener(TcxCustomContainerStyle* AStyle);
  virtual void NotifyStyleListener(TcxCustomContainerStyle* AStyle);
  virtual TcxContainerStyleClass GetStyleClass();
  virtual void RemoveStyleListener(TcxCustomContainerStyle* AStyle);
  void Changed();

 protected:
  void Loaded() override;

 private:
  bool destroying_ = false;
  std::vector<TcxCustomContainerStyle*> listeners_;
  std::unique_ptr<TcxCustomContainerStyle> style_;
};

class TcxContainerViewInfo : public TObject {
  TRENVIK_CLASS(TcxContainerViewInfo, TObject);

 public:
  TcxContainerViewInfo() = default;
  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  RECT BorderRect{};
  TcxContainerBorderStyle BorderStyle = cbsNone;
  int BorderWidth = 0;
  RECT Bounds{};
  RECT ClientRect{};
  TcxContainerState ContainerState;
  TcxBorders Edges = cxBordersAll;
  bool NativeStyle = false;
  int NativePart = 0;
  int NativeState = 0;
  TdxThemeClass ThemeType = tcEdit;
  bool Shadow = false;

  // Copies the client rectangle of another container view info only.
  virtual void Assign(TObject* Source);
  // A new region the caller frees (empty here).
  virtual TcxRegion* GetUpdateRegion(TcxContainerViewInfo* AOther);
  virtual void Paint(TcxCanvas* ACanvas);

 private:
  void PaintNative(TcxCanvas* ACanvas);
  void PaintFrame(TcxCanvas* ACanvas);
};
using TcxContainerViewInfoClass = std::function<TcxContainerViewInfo*()>;

// The border style the view info uses for a style's border style, look and activity.
// How far a container's shadow reaches right of and below its border.
constexpr int cxContainerShadowSize = 3;

TcxContainerBorderStyle cxResolveContainerBorderStyle(TcxContainerBorderStyle AStyle, TcxLookAndFeelKind AKind,
                                                      bool AActive);
int cxContainerBorderWidth(TcxContainerBorderStyle AStyle);
// The library's code of a mouse button: left 1, right 2, middle 3.
int cxMouseButtonToCode(TMouseButton AButton);
// True while the component is destroyed or, for a container, its own destroying flag is set.
bool cxContainerDestroying(TComponent* AComponent);
// Sets the window's region to R, with a copy moved by (3, 3) for a shadow; no region in native mode.
// The region is set only when it differs from the window's.
void cxUpdateShadowWindowRegion(HWND AWnd, const RECT& R, bool AShadow, bool ANativeStyle);

// The control a container hosts and that hosts it.
class IcxContainerInnerControl {
 public:
  virtual TcxContainer* GetContainer() = 0;
  virtual TWinControl* GetControl() = 0;

 protected:
  ~IcxContainerInnerControl() = default;
};

class TcxContainer : public TcxControl, public IcxMouseTrackingCaller {
  TRENVIK_CLASS(TcxContainer, TcxControl);
  TRENVIK_MESSAGES(TcxContainer);

 public:
  explicit TcxContainer(TComponent* AOwner);
  ~TcxContainer() override;
  void BeforeDestruction();

  TWinControl* InnerControl() const { return innerControl_; }
  void SetInnerControl(TWinControl* Value) { innerControl_ = Value; }
  // Made on first use from GetStyleClass and GetViewInfoClass.
  TcxCustomContainerStyle* Style();
  void SetStyle(TcxCustomContainerStyle* Value) { Style()->Assign(Value); }
  TcxContainerViewInfo* ViewInfo();
  // Drops the view info, so that the next use makes one of the current GetViewInfoClass.
  void ResetViewInfo() { viewInfo_.reset(); }
  // Set by the inner control while it forwards a mouse-down.
  bool InnerMouseDown = false;
  bool ContainerDestroying() const { return destroying_; }
  // Recomputes at the cursor, with the keyboard's shift state; only with a window.
  void ShortRefreshContainer(bool AIsMouseEvent);
  // Native drawing in effect: the style's look asks for it and the theme class opens.
  bool IsNativeStyle();

  bool Focused() override;
  void SetDragMode(TDragMode Value) override;
  void SetDragKind(TDragKind Value);

  // IcxMouseTrackingCaller
  void MouseLeave() override;

  // --- Virtual operations, in the family's slot order ---
  virtual void AfterRefreshContainer() {}
  virtual void CalculateViewInfo(POINT P, bool AHotTrackAllowed);
  virtual void ContainerStyleChanged(TObject* Sender);
  virtual void MouseTrackingLeave();
  virtual RECT GetBorderExtent();
  virtual void GetInnerControlVisibleRect(const RECT& AAlignRect, TControl* AControl,
                                          std::unique_ptr<RECT>& AVisibleRect);
  virtual TcxContainerStyleClass GetStyleClass();
  virtual TcxContainerViewInfoClass GetViewInfoClass();
  virtual RECT GetVisibleBounds();
  virtual bool IsStyleSilent() { return false; }
  virtual bool RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent);
  virtual void AdjustInnerControl();
  virtual bool HandlesTabKey() { return false; }
  virtual TdxThemeClass GetNativeThemeType() { return tcEdit; }
  virtual int GetNativePart() { return 1; }
  virtual int GetNativeState();
  virtual void ThemeChanged();
  virtual void EnabledChanged();

  bool MayFocus() override;
  bool CanFocusOnClick() override;
  RECT GetClientBounds() override;
  void FocusChanged() override;
  void FontChanged() override;
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;

 protected:
  // The inner list box hands its input to its container as the container's own.
  friend class TcxCustomInnerListBox;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void AdjustClientRect(RECT& Rect) override;
  void AlignControls(TControl* AControl, RECT& Rect) override;
  void Paint() override;
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMWindowPosChanging(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMThemeChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void DXMNCSizeChanged(TMessage& Message);
  void UpdateWindowRegion();
  // ABounds less the border extent, plus the border on the sides that have one: the visible frame.
  RECT VisibleFrameRect(const RECT& ABounds);
  void StartTracking();

  TWinControl* innerControl_ = nullptr;
  bool destroying_ = false;
  bool shadowChanging_ = false;
  bool adjusting_ = false;
  std::unique_ptr<TdxThemeChangedNotificator> themeNotificator_;
  bool creating_ = false;
  std::unique_ptr<TcxCustomContainerStyle> style_;
  std::unique_ptr<TcxContainerViewInfo> viewInfo_;
};
