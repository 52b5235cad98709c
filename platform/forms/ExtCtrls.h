// Panels, splitters, labelled edits and speed buttons.
#pragma once

#include <memory>

#include "platform/forms/Graphic.h"
#include "platform/forms/StdCtrls.h"

TRENVIK_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace);
using TBevelWidth = int;
TRENVIK_ENUM(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern);
TRENVIK_ENUM(TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight);
TRENVIK_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
TRENVIK_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive);

// --- Panels ---

class TCustomPanel : public TCustomControl {
  TRENVIK_CLASS(TCustomPanel, TCustomControl);

 public:
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut Value);
  TBevelWidth BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(TBevelWidth Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  // Pixels between the outer and the inner bevel (inside the client area).
  int BorderWidth() const { return panelBorderWidth_; }
  void SetBorderWidth(int Value);
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool Value) { fullRepaint_ = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;

 private:
  TRENVIK_MESSAGES(TCustomPanel);
  void CMTextChanged(TMessage& Message);
  void BevelsChanged();

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  TBevelWidth bevelWidth_ = 1;
  TBorderStyle borderStyle_ = bsNone;
  int panelBorderWidth_ = 0;
  bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
  TRENVIK_CLASS(TPanel, TCustomPanel);

 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// --- Splitter ---

using TCanResizeSplitterEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// Resizes the control aligned to the same side just before it, by dragging.
class TSplitter : public TGraphicControl {
  TRENVIK_CLASS(TSplitter, TGraphicControl);

 public:
  explicit TSplitter(TComponent* AOwner);
  ~TSplitter() override;

  bool AutoSnap() const { return autoSnap_; }
  void SetAutoSnap(bool Value) { autoSnap_ = Value; }
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool Value);
  int MinSize() const { return minSize_; }
  void SetMinSize(int Value) { minSize_ = Value < 1 ? 1 : Value; }
  TResizeStyle ResizeStyle() const { return resizeStyle_; }
  void SetResizeStyle(TResizeStyle Value) { resizeStyle_ = Value; }
  // The control the splitter resizes (found on each drag).
  TControl* ResizeControl() const { return control_; }

  TCanResizeSplitterEvent OnCanResize;
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void RequestAlign() override;
  virtual bool CanResize(int& NewSize);
  virtual void StopSizing();

 private:
  TControl* FindControl();
  void CalcSplitSize(int X, int Y, int& NewSize, int& Split);
  void UpdateControlSize();
  void DrawLine();
  void ReleaseLineDC();
  bool DoCanResize(int& NewSize);

  TControl* control_ = nullptr;
  POINT downPos_{};
  int split_ = 0;
  int newSize_ = 0;
  int oldSize_ = -1;
  int minSize_ = 30;
  int maxSize_ = 0;
  bool autoSnap_ = true;
  bool beveled_ = false;
  TResizeStyle resizeStyle_ = rsPattern;
  bool sizing_ = false;
  bool lineVisible_ = false;
  HDC lineDC_ = nullptr;
  int lineStart_ = 0;
};

// --- Labelled edit ---

// The label a TLabeledEdit carries (a sub-component stored with it).
class TBoundLabel : public TCustomLabel {
  TRENVIK_CLASS(TBoundLabel, TCustomLabel);

 public:
  explicit TBoundLabel(TComponent* AOwner);
};

class TCustomLabeledEdit : public TCustomEdit {
  TRENVIK_CLASS(TCustomLabeledEdit, TCustomEdit);

 public:
  explicit TCustomLabeledEdit(TComponent* AOwner);
  ~TCustomLabeledEdit() override;

  TBoundLabel* EditLabel() const { return label_; }
  TLabelPosition LabelPosition() const { return labelPosition_; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelSpacing() const { return labelSpacing_; }
  void SetLabelSpacing(int Value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetName(const String& NewName) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TRENVIK_MESSAGES(TCustomLabeledEdit);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void PlaceLabel();

  TBoundLabel* label_ = nullptr;
  TLabelPosition labelPosition_ = lpAbove;
  int labelSpacing_ = 3;
};

class TLabeledEdit : public TCustomLabeledEdit {
  TRENVIK_CLASS(TLabeledEdit, TCustomLabeledEdit);

 public:
  explicit TLabeledEdit(TComponent* AOwner) : TCustomLabeledEdit(AOwner) {}
};

// --- Speed button ---

// A button without a window: a glyph and a caption; in a group (GroupIndex) it stays down until
// another of the group goes down.
class TSpeedButton : public TGraphicControl {
  TRENVIK_CLASS(TSpeedButton, TGraphicControl);

 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  void Click() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool Value);
  bool Down() const { return down_; }
  void SetDown(bool Value);
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  // Pixels between the edge and the glyph; -1 centres glyph and caption.
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  TButtonState State() const { return state_; }
  // Whether the mouse is over the button (flat buttons show their frame then).
  bool MouseInControl() const { return mouseInControl_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Loaded() override;

 private:
  TRENVIK_MESSAGES(TSpeedButton);
  void CMButtonPressed(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMDialogChar(TWMKey& Message);
  void UpdateExclusive();
  void DrawGlyphAndText(HDC dc, RECT client, bool pressed);

  std::unique_ptr<TBitmap> glyph_;
  TButtonState state_ = bsUp;
  TButtonLayout layout_ = blGlyphLeft;
  int groupIndex_ = 0;
  int margin_ = -1;
  int spacing_ = 4;
  int numGlyphs_ = 1;
  bool down_ = false;
  bool dragging_ = false;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  bool mouseInControl_ = false;
};
