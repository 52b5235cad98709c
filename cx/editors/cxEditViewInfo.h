// Drawing an editor without a window: a view data calculates, for bounds and a mouse state, a view
// info (border, client area, colours, buttons with their states, the text of a value) that then
// paints itself and, recalculated over an older copy, invalidates only what changed. Grid cells and
// edit controls draw through the same two steps.
#pragma once

#include <memory>
#include <vector>

#include "cx/editors/cxEditProperties.h"
#include "cx/editors/cxEditStyle.h"

class TcxCustomEdit;

// The border a view info draws.
enum TcxEditDrawnBorder : Byte { edbNone, edbSingle, edbThick, edbFlat, edb3D };

// The border drawn for a style's border style at a hot state (0 no hot tracking, 1 not hot, 2 hot
// or focused).
TcxEditDrawnBorder cxEditDrawnBorder(TcxEditBorderStyle AStyle, int AHotState);

// The state of a button as drawn.
enum TcxEditButtonState : Byte { ebsDisabled, ebsNormal, ebsPressed, ebsSelected };

// What a size measurement may use: a maximum line count and a width limit (negative: none).
struct TcxEditSizeProperties {
  int MaxLineCount = 0;
  int Width = -1;
};

// One visible button laid out.
class TcxEditButtonViewInfo : public TObject {
  TRENVIK_CLASS(TcxEditButtonViewInfo, TObject);

 public:
  TcxEditButtonViewInfo() = default;

  virtual void Assign(const TcxEditButtonViewInfo& Source);
  // A new region the caller frees: empty when nothing drawn changed, else the bounds.
  virtual TcxRegion* GetUpdateRegion(const TcxEditButtonViewInfo& AOld) const;
  // Invalidates the bounds moved by AOffset when anything drawn changed; whether it did.
  virtual bool Repaint(TWinControl* AControl, const TcxEditButtonViewInfo& AOld, POINT AOffset) const;
  bool DrawnStateEquals(const TcxEditButtonViewInfo& AOther) const;

  RECT Bounds{};
  RECT VisibleBounds{};
  int Index = -1;
  TcxEditButtonKind Kind = bkDown;
  String Caption;
  bool Default = false;
  bool LeftAlignment = false;
  TBitmap* Glyph = nullptr;
  int Width = 0;
  TcxEditButtonStyle Style = bts3D;
  TcxEditButtonState State = ebsNormal;
  bool Transparent = false;
  bool IsInplace = false;
  bool NativeStyle = false;
  // The theme class of the native part (the spin editor's buttons use Spin).
  TdxThemeClass NativeThemeClass = tcButton;
  int NativePart = 0;
  int NativeState = 0;
  bool NativePartTransparent = false;
  bool IsSingleDropDown = false;
  TColor BackgroundColor = clBtnFace;
  bool EraseBackground = true;
  // The outer ends of its run of buttons (hot-flat frames meet their neighbours).
  bool LeftEnd = false;
  bool RightEnd = false;
};

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  TRENVIK_CLASS(TcxCustomEditViewInfo, TcxContainerViewInfo);

 public:
  TcxCustomEditViewInfo() = default;
  ~TcxCustomEditViewInfo() override;

  void Assign(TObject* Source) override;
  TcxRegion* GetUpdateRegion(TcxContainerViewInfo* AOther) override;
  // Background, border, buttons and the value's text.
  void Paint(TcxCanvas* ACanvas) override;

  virtual TClass GetButtonViewInfoClass() { return TcxEditButtonViewInfo::StaticClass(); }
  virtual void DrawButton(TcxCanvas* ACanvas, int AIndex);
  virtual void DrawButtonBorder(TcxCanvas* ACanvas, int AIndex, RECT& ARect, TcxEditButtonStyle AStyle);
  virtual void DrawButtonContent(TcxCanvas* ACanvas, int AIndex, TColor ABrushColor, TColor APenColor,
                                 const RECT& ARect);
  virtual bool NeedShowHint(TcxCanvas*, POINT, RECT&, bool&, String& AText) {
    AText.clear();
    return false;
  }
  // After a recalculation over AOld (nullptr: none): invalidates what differs; true when a button
  // was repainted.
  virtual bool Repaint(TWinControl* AControl, TcxCustomEditViewInfo* AOld, const RECT& AInnerEditRect);

  int ButtonCount() const { return static_cast<int>(ButtonsInfo.size()); }
  TcxEditButtonViewInfo* Button(int AIndex) const { return ButtonsInfo[AIndex].get(); }
  // Frees the surplus button view infos from the end or makes the missing ones.
  void SetButtonCount(int ACount);
  // Index of the first button whose bounds contain P, or -1.
  int GetButtonIndexAt(POINT P) const;

  TcxEditDrawnBorder DrawnBorder = edbNone;
  bool IsInplace = false;
  bool Transparent = false;
  bool IsDesigning = false;
  bool HasInnerEdit = false;
  // The view data's selected flag (a grid cell's own selection).
  bool Selected = false;
  TColor TextColor = clWindowText;
  TFont* Font = nullptr;
  // What a value shows, put in by the view data's PrepareViewInfoValue.
  String Text;
  TAlignment TextAlignment = taLeftJustify;
  RECT TextRect{};
  RECT InnerEditRect{};
  // The in-place border extent the view data had (zero unless a container set one).
  RECT InplaceBorderExtent{};
  TcxLookAndFeelKind LookAndFeelKind = lfStandard;
  std::vector<std::unique_ptr<TcxEditButtonViewInfo>> ButtonsInfo;
  int PressedButton = -1;
  int HotButton = -1;
  // A mouse event changed a button's state.
  bool ButtonStateChangedByMouse = false;
  int HotTrackState = 0;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;

 protected:
  // Paints the text of the value; text editors draw it their own way.
  virtual void PaintText(TcxCanvas* ACanvas);
};

class TcxCustomEditViewData : public TObject {
  TRENVIK_CLASS(TcxCustomEditViewData, TObject);

 public:
  TcxCustomEditViewData(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle, bool AIsInplace);

  TcxCustomEditProperties* Properties() const { return properties_; }
  TcxCustomEditStyle* Style() const { return style_; }
  bool IsInplace() const { return isInplace_; }

  TcxCustomEdit* Edit = nullptr;
  bool Enabled = true;
  bool Focused = false;
  bool Selected = false;
  bool IsDesigning = false;
  HWND WindowHandle = nullptr;
  TWinControl* InnerEdit = nullptr;
  // The scroll bars a control shows over its client area (nullptr: none).
  TControl* HScrollBar = nullptr;
  TControl* VScrollBar = nullptr;
  RECT InplaceBorderExtent{};
  TcxContainerState ContainerState;
  bool HotOrFocused = false;
  TColor ContentColor = clDefault;
  TColor ContentTextColor = clDefault;

  // --- Virtual operations, in the family's slot order ---
  virtual bool CanPressButton(TcxCustomEditViewInfo*, int) { return true; }
  // The border drawn for the style at a hot state (0 no hot tracking, 1 not hot, 2 hot or focused).
  virtual TcxEditDrawnBorder GetContainerBorderStyle(int AHotState);
  virtual void Initialize();
  virtual void InitCacheData();
  virtual void CalculateFixedPartSize(TcxCanvas* ACanvas, SIZE& AFixedSize, TcxCustomEditViewInfo* AViewInfo,
                                      SIZE& AMinContentSize);
  // A drop-down editor answers true for its drop-down button while the popup is open.
  virtual bool IsButtonPressed(TcxCustomEditViewInfo*, int) { return false; }
  // AButton is the library's mouse-button code (0 none, 1 left).
  virtual void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                         TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void CalculateButtonsViewInfo(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                        TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  // Places the button AIndex of the view info at its side of AButtonsRect, which shrinks.
  virtual void CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, RECT& AButtonsRect,
                                       int AIndex);
  virtual void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                                    TcxCustomEditViewInfo* AViewInfo);
  // The space between the bounds and the client area, buttons aside.
  virtual RECT GetClientExtent(TcxCustomEditViewInfo* AViewInfo);
  virtual RECT GetEditNonClientExtent(TcxCustomEditViewInfo* AViewInfo);
  // AViewInfo nullptr: a temporary view info is calculated for unlimited bounds.
  virtual void GetFixedPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties& ASizeProperties,
                                SIZE& AFixedSize, TcxCustomEditViewInfo* AViewInfo, SIZE& AMinContentSize);
  virtual SIZE GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                              const TcxEditSizeProperties& ASizeProperties);

  // The size of an editor showing a value.
  SIZE GetEditSize(TcxCanvas* ACanvas, const Variant& AEditValue, TcxEditSizeProperties& ASizeProperties);
  // The edit's captured button, -1 without an edit.
  int GetPressedButton();
  bool IsEditFocused();
  bool HasShadow() const { return !isInplace_ && style_->Shadow() && !nativeEdit_; }
  bool IsNativeEditStyle() const { return nativeEdit_; }
  int VisibleButtonCount() const { return visibleButtonCount_; }

 protected:
  // The drawn state of the button AIndex for the mouse (editors that lay out buttons of their own).
  void CalculateButtonState(TcxCustomEditViewInfo* AViewInfo, int AIndex, POINT P, int AButton,
                            TShiftState AShift, int APreviouslyPressed);

 private:
  TcxEditButtonStyle ResolveButtonStyle(TcxCustomEditViewInfo* AViewInfo, int AHotState) const;
  void MarkButtonRuns(TcxCustomEditViewInfo* AViewInfo, const RECT& AButtonsRect);

  TcxCustomEditProperties* properties_;
  TcxCustomEditStyle* style_;
  bool isInplace_;
  // Cached at creation.
  TcxEditBorderStyle borderStyle_ = ebs3D;
  int visibleButtonCount_ = 0;
  bool nativeEdit_ = false;
};
