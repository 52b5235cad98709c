// The cx push button: a framework button that draws itself through the look-and-feel painters, with
// per-state colours, a glyph laid out beside the caption, hot tracking, and two drop-down kinds.
#pragma once

#include <memory>

#include "cx/foundation/cxButtonGlyph.h"
#include "cx/foundation/cxControls.h"
#include "platform/forms/StdCtrls.h"

struct DRAWITEMSTRUCT;

// Private messages: open the drop-down menu; the menu has closed.
constexpr UINT CM_DROPDOWNPOPUPMENU = 0x812C;
constexpr UINT CM_CLOSEUPPOPUPMENU = 0x812D;
// The arrow part of a drop-down button: its rightmost pixels.
constexpr int cxDropDownButtonWidth = 15;

TRENVIK_ENUM(TcxButtonKind, cxbkStandard, cxbkDropDown, cxbkDropDownButton);
using TcxButtonAssignedColors = Set<TcxButtonState>;

class TcxCustomButton;
using TcxButtonGetDrawParamsEvent =
    std::function<void(TcxCustomButton* Sender, TcxButtonState AState, TColor& AColor, TFont* AFont)>;

// The five per-state background colours; clDefault leaves a state to the painter.
class TcxButtonColors : public TPersistent {
  TRENVIK_CLASS(TcxButtonColors, TPersistent);

 public:
  explicit TcxButtonColors(TcxCustomButton* AButton = nullptr) : button_(AButton) {}
  void Assign(TPersistent* Source) override;

  TcxButtonAssignedColors AssignedColors() const { return assigned_; }
  // Only while designing.
  void SetAssignedColors(TcxButtonAssignedColors Value);
  TColor Color(TcxButtonState AState) const { return colors_[AState]; }
  // clNone and clDefault give the state back to the painter.
  void SetColor(TcxButtonState AState, TColor Value);

  TColor Default() const { return Color(cxbsDefault); }
  void SetDefault(TColor Value) { SetColor(cxbsDefault, Value); }
  TColor Normal() const { return Color(cxbsNormal); }
  void SetNormal(TColor Value) { SetColor(cxbsNormal, Value); }
  TColor Hot() const { return Color(cxbsHot); }
  void SetHot(TColor Value) { SetColor(cxbsHot, Value); }
  TColor Pressed() const { return Color(cxbsPressed); }
  void SetPressed(TColor Value) { SetColor(cxbsPressed, Value); }
  TColor Disabled() const { return Color(cxbsDisabled); }
  void SetDisabled(TColor Value) { SetColor(cxbsDisabled, Value); }
  bool IsStored(TcxButtonState AState) const { return assigned_.Contains(AState); }
  bool IsDefaultStored() const { return IsStored(cxbsDefault); }
  bool IsNormalStored() const { return IsStored(cxbsNormal); }
  bool IsHotStored() const { return IsStored(cxbsHot); }
  bool IsPressedStored() const { return IsStored(cxbsPressed); }
  bool IsDisabledStored() const { return IsStored(cxbsDisabled); }

 private:
  void Changed();
  TcxCustomButton* button_;
  TcxButtonAssignedColors assigned_;
  TColor colors_[5] = {clDefault, clDefault, clDefault, clDefault, clDefault};
};

class TcxCustomButton : public TButton, public IcxMouseTrackingCaller {
  TRENVIK_CLASS(TcxCustomButton, TButton);
  TRENVIK_MESSAGES(TcxCustomButton);

 public:
  explicit TcxCustomButton(TComponent* AOwner);
  ~TcxCustomButton() override;

  TcxButtonColors* Colors() const { return colors_.get(); }
  void SetColors(TcxButtonColors* Value) { colors_->Assign(Value); }
  TComponent* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TComponent* Value);
  TBitmap* Glyph() const { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* Value);
  TcxButtonGlyph* GlyphObject() const { return glyph_.get(); }
  TcxButtonKind Kind() const { return kind_; }
  void SetKind(TcxButtonKind Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);
  bool UseSystemPaint() const { return useSystemPaint_; }
  void SetUseSystemPaint(bool Value);

  bool Hot() const { return hot_; }
  bool MenuShowing() const { return menuShowing_; }
  bool DropDownPending() const { return dropDownPending_; }
  bool IsDefault() const { return isDefault_; }
  // The state the button is drawn in now.
  TcxButtonState GetDrawState() const;

  TcxButtonGetDrawParamsEvent OnGetDrawParams;

  virtual TcxLookAndFeelPainterClass GetPainterClass();
  virtual bool IsSystemPaint();

  // IcxMouseTrackingCaller: the cursor left the button.
  void MouseLeave() override;

  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandle() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DrawButton(const DRAWITEMSTRUCT& AItem);

 private:
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void CMCloseupPopupMenu(TMessage& Message);

  bool HotTrackApplies();
  bool IsCursorOverButton();
  bool InArrowPart(int X) const { return X >= Width() - cxDropDownButtonWidth; }
  void RequestDropDown();

  bool pressed_ = false;
  bool focusedLook_ = false;
  std::unique_ptr<TControlCanvas> controlCanvas_;
  std::unique_ptr<TcxCanvas> canvas_;
  std::unique_ptr<TcxButtonColors> colors_;
  bool dropDownPending_ = false;
  std::unique_ptr<TdxThemeChangedNotificator> themeNotificator_;
  TComponent* dropDownMenu_ = nullptr;
  bool isDefault_ = false;
  bool swallowClick_ = false;
  TcxButtonKind kind_ = cxbkStandard;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool useSystemPaint_ = true;
  std::unique_ptr<TcxButtonGlyph> glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  bool glyphAssigned_ = false;
  int margin_ = -1;
  bool menuShowing_ = false;
  bool hot_ = false;
  int spacing_ = 4;
};

class TcxButton : public TcxCustomButton {
  TRENVIK_CLASS(TcxButton, TcxCustomButton);

 public:
  explicit TcxButton(TComponent* AOwner) : TcxCustomButton(AOwner) {}
};

// Where a drop-down menu of AMenuHeight opens under a button whose bottom-left corner is at
// ABottomLeft (screen): above the button when it would leave the screen at the bottom.
POINT cxDropDownMenuPosition(POINT ABottomLeft, int AButtonHeight, int AMenuHeight, int AScreenHeight);
