// Radio glyphs drawn in the library's looks (one process-wide glyph set built from the measured
// shape of the system's own radio glyph), the radio button control, and the radio group editor:
// a fixed list of choices shown as radio buttons in columns inside a captioned frame.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/foundation/cxGraphics.h"
#include "cx/foundation/cxLookAndFeels.h"
#include "platform/classes/Collection.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Variant.h"

TRENVIK_ENUM(TcxRadioButtonState, rbsDisabled, rbsHot, rbsNormal, rbsPressed);

// Image states of the glyph set: 0 disabled, 1 normal, 2 pressed, 3 hot.
int cxRadioImageState(TcxRadioButtonState AState);

// Where the system radio glyph lies in its cell and where its check dot lies (cell coordinates,
// right and bottom exclusive).
struct TcxRadioGlyphMetrics {
  int CircleLeft = 0;
  int CircleTop = 0;
  int Width = 0;
  int Height = 0;
  RECT Dot{};
};

// What each pixel of the glyph is painted as.
enum class TcxRadioPixelClass : unsigned char {
  Outside,
  OuterRingUpperLeft,
  OuterRingLowerRight,
  InnerRingUpperLeft,
  InnerRingLowerRight,
  Interior,
  Dot,
};

class TcxRadioButtonImageList : public TObject {
  TRENVIK_CLASS(TcxRadioButtonImageList, TObject);

 public:
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;

  void Draw(TcxCanvas* ACanvas, int X, int Y, TcxLookAndFeelKind AKind, int AImageState, bool AChecked,
            bool AFocused, bool AIsDesigning);
  // Every glyph is rebuilt on its next use (the system colours changed).
  void Reset();

  const TcxRadioGlyphMetrics& Metrics() const { return metrics_; }
  SIZE GlyphSize() const { return {metrics_.Width, metrics_.Height}; }
  TcxRadioPixelClass PixelClass(int X, int Y) const { return classes_[Y * metrics_.Width + X]; }
  // Glyphs built since creation or the last Reset (a rebuild counts again).
  int BuildCount() const { return buildCount_; }

 private:
  // Look, highlighted border, check and image state: every input of the colour rule.
  static constexpr int kSlotCount = 3 * 2 * 2 * 4;

  void Classify();
  void Build(int ASlot, TcxLookAndFeelKind AKind, int AImageState, bool AChecked, bool AHighlighted);

  TcxRadioGlyphMetrics metrics_;
  std::vector<TcxRadioPixelClass> classes_;
  TBitmap mask_;
  std::unique_ptr<TImageList> images_;
  std::array<bool, kSlotCount> built_{};
  int buildCount_ = 0;
};

// The process-wide glyph set (exists while the module is started).
TcxRadioButtonImageList* cxRadioButtonImageList();
void InitializeRadioGroup();
void FinalizeRadioGroup();

// Where a radio button places a glyph of size AGlyph in a control of size AControl: vertically
// centred, at the left (caption to the right, one pixel in unless native or in place) or at the right.
RECT cxRadioGlyphRect(SIZE AControl, SIZE AGlyph, TLeftRight AAlignment, bool ANative, bool AInplace);
// How far the caption keeps from the glyph side and the other edges (left, top, right, bottom; a
// negative value moves that side outwards).
RECT cxRadioTextMargins(TLeftRight AAlignment, bool ANative, bool AWordWrap, bool AInplace);

// What a radio button shows for the mouse: pressed only while it holds the capture over itself.
struct TcxRadioMouseState {
  bool Enabled = true;
  bool Designing = false;
  bool Captured = false;
  bool AnyKeyOrButtonDown = false;
  bool Inside = false;
};
TcxRadioButtonState cxRadioButtonStateFor(const TcxRadioMouseState& AMouse);

// Room left of every column of items for the glyph's margin.
constexpr int cxRadioGroupColumnIndent = 6;
// Columns the group lays out: AColumns, at least 1, never more than the items; and rows per column.
int cxRadioGroupColumnCount(int AItemCount, int AColumns);
int cxRadioGroupRowCount(int AItemCount, int AColumns);

// The radio group's items in columns: at most AColumns columns (at least 1, never more than the
// items), filled top to bottom. In place the rows start at the top; stand-alone the spare height is
// shared above and below.
std::vector<RECT> cxRadioGroupItemRects(const RECT& ABounds, const RECT& AExtent, int AItemCount, int AColumns,
                                        bool AInplace);

// Where an arrow key moves the focus from item AFrom. Left and right stay in the row; up and down
// wrap inside the column, and a wrap is deferred (Wraps) so that it happens after the key.
struct TcxRadioGroupFocusMove {
  int Target = -1;  // -1: the key does nothing
  bool Wraps = false;
};
TcxRadioGroupFocusMove cxRadioGroupFocusMove(int AFrom, Word AKey, int AItemCount, int AColumns);

// What an item of the group is matched by: its value, or, when the value is Null, its caption.
struct TcxRadioGroupItemKey {
  Variant Value;
  String Caption;
};
// The first item an edit value selects, or -1. A caption matches the value's text exactly (case too).
int cxRadioGroupItemIndexOf(const Variant& AEditValue, const std::vector<TcxRadioGroupItemKey>& AItems);

// A radio button painted in the library's look and feel: the theme's radio part when the native
// style is in force, otherwise a glyph of the process-wide set, with hot tracking and a pressed state.
class TcxRadioButton : public TRadioButton {
  TRENVIK_CLASS(TcxRadioButton, TRadioButton);
  TRENVIK_MESSAGES(TcxRadioButton);

 public:
  explicit TcxRadioButton(TComponent* AOwner);
  ~TcxRadioButton() override;

  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  TcxRadioButtonState State() const { return state_; }
  // Where the last paint placed the glyph.
  const RECT& GlyphRect() const { return glyphRect_; }
  // Repaints the whole button without erasing it.
  void Invalidate() override;

  // --- Virtual operations, in the family's slot order ---
  virtual bool IsInplace() { return false; }
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  virtual void Paint();
  virtual void UpdateState(TShiftState Shift, POINT P);
  virtual void EnabledChanged();
  virtual void MouseEnter(TControl* AControl);
  virtual void MouseLeave(TControl* AControl);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void UpdateStateAtCursor();
  void SetState(TcxRadioButtonState Value);
  // The native style is in force and the Button theme is there.
  bool IsNativePaint() const;

 private:
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  SIZE PaintGlyph(bool ANative);
  void PaintCaption(bool ANative);

  std::unique_ptr<TControlCanvas> controlCanvas_;
  std::unique_ptr<TcxCanvas> canvas_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  RECT glyphRect_{};
  TcxRadioButtonState state_ = rbsNormal;
};

// One choice of a radio group: its caption and the edit value it stands for (Null: the caption).
class TcxRadioGroupItem : public TCollectionItem {
  TRENVIK_CLASS(TcxRadioGroupItem, TCollectionItem);

 public:
  explicit TcxRadioGroupItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

  void Assign(TPersistent* Source) override;
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& Value);
  bool IsValueStored() const { return !VarIsNull(value_); }

 private:
  String caption_;
  Variant value_ = Null();
};

class TcxCustomRadioGroupProperties;

// The items of a radio group's properties: any change refreshes every editor using them.
class TcxRadioGroupItems : public TOwnedCollection {
  TRENVIK_CLASS(TcxRadioGroupItems, TOwnedCollection);

 public:
  explicit TcxRadioGroupItems(TcxCustomRadioGroupProperties* AOwner);

  TcxRadioGroupItem* Item(int AIndex) const { return static_cast<TcxRadioGroupItem*>(Items(AIndex)); }
  TcxRadioGroupItem* Add() { return static_cast<TcxRadioGroupItem*>(TCollection::Add()); }
  // A new item with a caption and value.
  TcxRadioGroupItem* Add(const String& ACaption, const Variant& AValue);

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TcxCustomRadioGroupProperties* properties_;
};

class TcxCustomRadioGroupProperties : public TcxCustomEditProperties {
  TRENVIK_CLASS(TcxCustomRadioGroupProperties, TcxCustomEditProperties);

 public:
  explicit TcxCustomRadioGroupProperties(TPersistent* AOwner);
  ~TcxCustomRadioGroupProperties() override;

  void Assign(TPersistent* Source) override;

  int Columns() const { return columns_; }
  // Values below 1 become 1.
  void SetColumns(int Value);
  const String& DefaultCaption() const { return defaultCaption_; }
  void SetDefaultCaption(const String& Value);
  bool IsDefaultCaptionStored() const;
  const Variant& DefaultValue() const { return defaultValue_; }
  void SetDefaultValue(const Variant& Value);
  bool IsDefaultValueStored() const { return !VarIsNull(defaultValue_); }
  TcxRadioGroupItems* Items() const { return items_.get(); }
  void SetItems(TcxRadioGroupItems* Value) { items_->Assign(Value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);

  // The item an edit value selects, or -1.
  int ItemIndexOf(const Variant& AEditValue) const;
  // The edit value of an item (-1: DefaultValue).
  Variant ItemEditValue(int AIndex) const;

  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  std::function<TcxCustomEditStyle*(TPersistent* AOwner, bool ADirectAccessMode)> GetStyleClass() override;
  bool IsChangeEventSeparate() override { return true; }
  bool CanRevertEditValue() override { return true; }
  TcxEditSupportedOperations GetSupportedOperations() override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;

 private:
  int columns_ = 1;
  String defaultCaption_;
  Variant defaultValue_ = Null();
  std::unique_ptr<TcxRadioGroupItems> items_;
  bool wordWrap_ = false;
};

class TcxRadioGroupProperties : public TcxCustomRadioGroupProperties {
  TRENVIK_CLASS(TcxRadioGroupProperties, TcxCustomRadioGroupProperties);

 public:
  explicit TcxRadioGroupProperties(TPersistent* AOwner) : TcxCustomRadioGroupProperties(AOwner) {}
};

// A stand-alone group takes its parent's colour unless given one.
class TcxRadioGroupStyle : public TcxCustomEditStyle {
  TRENVIK_CLASS(TcxRadioGroupStyle, TcxCustomEditStyle);

 public:
  TcxRadioGroupStyle(TPersistent* AOwner, bool ADirectAccessMode) : TcxCustomEditStyle(AOwner, ADirectAccessMode) {}
  void RestoreDefaults() override;
};

// One item laid out in the group.
class TcxRadioGroupButtonViewInfo : public TcxEditButtonViewInfo {
  TRENVIK_CLASS(TcxRadioGroupButtonViewInfo, TcxEditButtonViewInfo);

 public:
  TcxRadioGroupButtonViewInfo() = default;
  void Assign(const TcxEditButtonViewInfo& Source) override;

  int Column = 0;
  int Row = 0;
};

// The state and check of each item and the group's frame and caption.
class TcxCustomRadioGroupViewInfo : public TcxCustomEditViewInfo {
  TRENVIK_CLASS(TcxCustomRadioGroupViewInfo, TcxCustomEditViewInfo);

 public:
  TcxCustomRadioGroupViewInfo() = default;

  void Assign(TObject* Source) override;
  void Paint(TcxCanvas* ACanvas) override;
  void DrawButton(TcxCanvas* ACanvas, int AIndex) override;
  TClass GetButtonViewInfoClass() override { return TcxRadioGroupButtonViewInfo::StaticClass(); }
  bool Repaint(TWinControl* AControl, TcxCustomEditViewInfo* AOld, const RECT& AInnerEditRect) override;
  TcxRadioGroupButtonViewInfo* Item(int AIndex) const {
    return static_cast<TcxRadioGroupButtonViewInfo*>(Button(AIndex));
  }

  int ItemIndex = -1;
  // The group's caption over the frame (stand-alone only).
  String Caption;
  int ItemTextFlags = 0;
  // The item that draws a focus rectangle (stand-alone), or -1.
  int FocusedItem = -1;

 private:
  void PaintFrame(TcxCanvas* ACanvas);
};

class TcxCustomRadioGroupViewData : public TcxCustomEditViewData {
  TRENVIK_CLASS(TcxCustomRadioGroupViewData, TcxCustomEditViewData);

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  // The group's caption, put in by the control.
  String Caption;
  int FocusedItem = -1;

  TcxEditDrawnBorder GetContainerBorderStyle(int AHotState) override;
  RECT GetClientExtent(TcxCustomEditViewInfo* AViewInfo) override;
  RECT GetEditNonClientExtent(TcxCustomEditViewInfo* AViewInfo) override;
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void CalculateButtonsViewInfo(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                                TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                            TcxCustomEditViewInfo* AViewInfo) override;
  void GetFixedPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties& ASizeProperties, SIZE& AFixedSize,
                        TcxCustomEditViewInfo* AViewInfo, SIZE& AMinContentSize) override;

 private:
  TcxCustomRadioGroupProperties* GroupProperties() const {
    return static_cast<TcxCustomRadioGroupProperties*>(Properties());
  }
  int FontHeight(TcxCanvas* ACanvas);
};

// The button style of the items for the group's border style.
TcxEditButtonStyle cxRadioGroupButtonStyle(TcxEditBorderStyle ABorderStyle);
// The glyph look of an item button style.
TcxLookAndFeelKind cxRadioGroupGlyphKind(TcxEditButtonStyle AStyle);

class TcxCustomRadioGroup;

// One item's button of a stand-alone or active group.
class TcxCustomRadioGroupButton : public TcxRadioButton, public IcxContainerInnerControl {
  TRENVIK_CLASS(TcxCustomRadioGroupButton, TcxRadioButton);
  TRENVIK_MESSAGES(TcxCustomRadioGroupButton);

 public:
  explicit TcxCustomRadioGroupButton(TcxCustomRadioGroup* AGroup);
  ~TcxCustomRadioGroupButton() override;

  TcxCustomRadioGroup* Group() const { return group_; }
  // Checks or unchecks the button without a click.
  void SetCheckedQuietly(bool Value);
  int Column = 0;
  int Row = 0;

  bool IsInplace() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  // IcxContainerInnerControl
  TcxContainer* GetContainer() override;
  TWinControl* GetControl() override { return this; }

 protected:
  void DoEnter() override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void CNCommand(TWMCommand& Message);

  TcxCustomRadioGroup* group_;
  bool inClick_ = false;
};

// What an in-place group keeps between activations: the item focused when it was last left.
class TcxCustomRadioGroupData : public TcxCustomEditData {
  TRENVIK_CLASS(TcxCustomRadioGroupData, TcxCustomEditData);

 public:
  TcxCustomRadioGroupData() = default;
  int FocusedItem = 0;
};

// Private message: the focus moves to the item in WParam after the current key.
constexpr UINT CM_CXRADIOGROUP_FOCUSITEM = 0x806A;

class TcxCustomRadioGroup : public TcxCustomEdit {
  TRENVIK_CLASS(TcxCustomRadioGroup, TcxCustomEdit);
  TRENVIK_MESSAGES(TcxCustomRadioGroup);

 public:
  explicit TcxCustomRadioGroup(TComponent* AOwner);
  ~TcxCustomRadioGroup() override;

  TcxCustomRadioGroupProperties* Properties() const {
    return static_cast<TcxCustomRadioGroupProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomRadioGroupProperties* ActiveProperties() {
    return static_cast<TcxCustomRadioGroupProperties*>(GetActiveProperties());
  }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value);
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool IsCaptionAssigned() const { return captionAssigned_; }
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TcxCustomRadioGroupButton* Buttons(int AIndex) const { return buttons_.at(static_cast<size_t>(AIndex)); }
  int IndexOfButton(const TcxCustomRadioGroupButton* AButton) const;
  bool IsUpdatingButtons() const { return updatingButtons_; }

  TClass GetPropertiesClass() override { return TcxRadioGroupProperties::StaticClass(); }
  TcxEditDataFactory GetEditDataClass() override;
  void InitializeEditData() override;
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void PropertiesChanged(TObject* Sender) override;
  void ContainerStyleChanged(TObject* Sender) override;
  bool RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void Activate(std::unique_ptr<TcxCustomEditData>& AEditData) override;
  void Clear() override { SetItemIndex(-1); }
  bool Focused() override;
  void SetName(const String& NewName) override;
  void EnabledChanged() override;
  void SetDragMode(TDragMode Value) override;
  void AdjustInnerControl() override {}
  bool CanAutoSizeEdit() override { return false; }

  // A click on a button: the item becomes the chosen one (posted at once with ImmediatePost).
  void ButtonClicked(TcxCustomRadioGroupButton* AButton);

  // --- Virtual operations, in the family's slot order ---
  virtual void ArrangeButtons();
  virtual TcxCustomRadioGroupButton* CreateButton();
  virtual void UpdateButtons();

 protected:
  // Its buttons hand on drags as the group's own.
  friend class TcxCustomRadioGroupButton;
  void UpdateEditRegion() override;
  void Loaded() override;
  void CreateHandle() override;

 private:
  void WriteItemIndex(int Value, bool AFromClick);
  void SetButtonCount(int ACount);
  void CheckButton(int AIndex, bool AChecked);
  void CMFocusItem(TMessage& Message);
  void CMDialogChar(TWMKey& Message);
  void WMEraseBkgnd(TMessage& Message);

  std::vector<TcxCustomRadioGroupButton*> buttons_;
  int itemIndex_ = -1;
  String caption_;
  bool captionAssigned_ = false;
  bool updatingButtons_ = false;
  bool changeFromClick_ = false;
};

class TcxRadioGroup : public TcxCustomRadioGroup {
  TRENVIK_CLASS(TcxRadioGroup, TcxCustomRadioGroup);

 public:
  explicit TcxRadioGroup(TComponent* AOwner) : TcxCustomRadioGroup(AOwner) {}
};
