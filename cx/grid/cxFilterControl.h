// The filter control: a criteria tree shown as rows of clickable words (a group's boolean operator,
// a condition's item, operator and values) that keys and mouse edit, applied to a linked view or
// kept in ".flt" files. Its view information lays the rows out and paints them off-screen.
#pragma once

#include <memory>

#include "cx/editors/cxComboBox.h"
#include "cx/foundation/cxControls.h"
#include "cx/grid/cxFilterControlRows.h"
#include "platform/forms/Menus.h"

class TcxCustomFilterControl;
class TcxFilterControlViewInfo;

// Parts of a row, numbered as the focus and hit tests use them.
enum TcxFilterControlHitTest {
  fhtNone = 0,
  fhtRowButton,
  fhtBoolOperator,
  fhtItem,
  fhtOperator,
  fhtValue,
  fhtAddCondition,
  fhtAddValue
};

struct TcxFilterControlHitInfo {
  TcxFilterControlHitTest HitTest = fhtNone;
  POINT Mouse{-1, -1};
  TShiftState Shift;
  TcxCustomRowViewInfo* Row = nullptr;
  int ValueIndex = -1;
};

// What the control is editing: 0 nothing, then the row menu, the three choosers and a value.
enum TcxFilterControlEditingMode { femNone, femRowMenu, femItem, femBoolOperator, femOperator, femValue };

// The rows' geometry and the off-screen drawing of the whole control.
class TcxFilterControlViewInfo {
 public:
  explicit TcxFilterControlViewInfo(TcxCustomFilterControl* AControl);
  virtual ~TcxFilterControlViewInfo();

  TcxCustomFilterControl* Control() const { return control_; }
  TcxCanvas* Canvas() const { return canvas_.get(); }
  bool Enabled() const { return enabled_; }
  int RowHeight() const { return rowHeight_; }
  int MinValueWidth() const { return minValueWidth_; }
  int MaxRowWidth() const { return maxRowWidth_; }
  const RECT& AddConditionRect() const { return addConditionRect_; }
  const String& AddConditionCaption() const { return addConditionCaption_; }
  void SetAddConditionCaption(const String& Value) { addConditionCaption_ = Value; }
  TcxButtonState AddConditionButtonState() const { return addConditionState_; }
  const RECT& FocusRect() const { return focusRect_; }

  void Calculate();
  void CalculateRow(TcxCustomRowViewInfo* ARow, const RECT& ARect);
  virtual void CalculateFocusRect();
  virtual void GetHitTest(TShiftState AShift, POINT P, TcxFilterControlHitInfo& AHitInfo);
  // Draws into the off-screen bitmap, then copies it onto ACanvas.
  void Paint(TCanvas* ACanvas, const RECT& AClipRect);
  // The add-condition button's state for the current focus and hot part.
  TcxButtonState CalculateAddConditionState() const;

 private:
  void CalculateGroup(TcxGroupViewInfo* AGroup);
  void CalculateCondition(TcxConditionViewInfo* ACondition);
  void CalculateValues(TcxConditionViewInfo* ACondition);
  TcxButtonState ButtonState(TcxCustomRowViewInfo* ARow, TcxFilterControlHitTest APart) const;
  RECT CenteredRect(const RECT& ARow, int ALeft, SIZE ASize) const;
  SIZE TextSize(TFont* AFont, const String& AText);
  int RowWidth(TcxCustomRowViewInfo* ARow) const;

  TcxCustomFilterControl* control_;
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TcxCanvas> canvas_;
  bool enabled_ = false;
  int rowHeight_ = 0;
  int minValueWidth_ = 0;
  int maxRowWidth_ = 0;
  RECT addConditionRect_{};
  String addConditionCaption_;
  TcxButtonState addConditionState_ = cxbsNormal;
  RECT focusRect_{};
};

class TcxCustomFilterControl : public TcxControl {
  TRENVIK_CLASS(TcxCustomFilterControl, TcxControl);
  TRENVIK_MESSAGES(TcxCustomFilterControl);

 public:
  explicit TcxCustomFilterControl(TComponent* AOwner);
  ~TcxCustomFilterControl() override;

  TcxFilterControlRowList* RowList() const { return rows_.get(); }
  TcxFilterControlCriteria* Criteria() const { return rows_->Criteria(); }
  TcxGroupViewInfo* Root() const { return rows_->Root(); }
  int RowCount() const { return rows_->RowCount(); }
  TcxCustomRowViewInfo* Rows(int AIndex) const { return rows_->Rows(AIndex); }
  TcxFilterControlViewInfo* ViewInfo() const { return viewInfo_.get(); }
  bool HasUsableLink() const { return rows_->HasUsableLink(); }

  TcxCustomRowViewInfo* FocusedRow() const { return focusedRow_; }
  TcxFilterControlHitTest FocusedPart() const { return focusedPart_; }
  int FocusedValueIndex() const { return focusedValueIndex_; }
  void SetFocusedPart(TcxCustomRowViewInfo* ARow, TcxFilterControlHitTest APart, int AValueIndex = 0);
  const TcxFilterControlHitInfo& HotInfo() const { return hotInfo_; }
  TcxFilterControlEditingMode EditingMode() const { return editingMode_; }
  TcxComboBox* ChoiceBox() const { return choiceBox_; }
  TcxCustomComboBoxProperties* ChoiceProperties() const {
    return static_cast<TcxCustomComboBoxProperties*>(choiceBox_->Properties());
  }
  TPopupMenu* RowMenu() const { return rowMenu_; }
  TcxCustomEdit* ValueEditor() const { return valueEditor_; }
  int TopRow() const { return topRow_; }
  int LeftOffset() const { return leftOffset_; }

  TFont* FontBoolOperator() const { return fonts_[0].get(); }
  TFont* FontItem() const { return fonts_[1].get(); }
  TFont* FontCondition() const { return fonts_[2].get(); }
  TFont* FontValue() const { return fonts_[3].get(); }
  void SetFontBoolOperator(TFont* Value) { fonts_[0]->Assign(Value); }
  void SetFontItem(TFont* Value) { fonts_[1]->Assign(Value); }
  void SetFontCondition(TFont* Value) { fonts_[2]->Assign(Value); }
  void SetFontValue(TFont* Value) { fonts_[3]->Assign(Value); }
  bool HotTrackOnUnfocused() const { return hotTrackOnUnfocused_; }
  void SetHotTrackOnUnfocused(bool Value) { hotTrackOnUnfocused_ = Value; }
  const String& NullString() const { return nullString_; }
  void SetNullString(const String& Value);
  bool IsNullStringStored() const;
  bool ShowLevelLines() const { return showLevelLines_; }
  void SetShowLevelLines(bool Value);
  bool WantTabs() const { return wantTabs_; }
  // Tab reaches the control only when wanted; else it moves the focus on.
  void SetWantTabs(bool Value);
  TcxCustomEditStyle* ValueEditStyle() const { return valueEditStyle_.get(); }
  TcxCustomEditProperties* DefaultProperties() const { return rows_->DefaultProperties(); }

  // Rows from the link's criteria; without a link or criteria the rows are cleared.
  void ReadFromLink();
  // Raises EcxFilterControlError for an invalid row and changes nothing then.
  virtual void ApplyFilter();
  virtual void Clear();
  virtual bool IsValid() const { return rows_->IsValid(); }
  virtual String GetFilterText();
  virtual String GetFilterCaption();
  void LoadFromFile(const String& AFileName);
  void SaveToFile(const String& AFileName);
  void LoadFromStream(TStream* AStream);
  void SaveToStream(TStream* AStream);

  void AddCondition(TcxCustomRowViewInfo* ARow);
  void AddGroup();
  void RemoveFocusedRow();
  // Hot tracking applies: enabled, a usable link, and hot tracking wanted or the focus inside.
  bool HotTrackApplies();
  // The control, its choice box or its value editor has the focus.
  bool HasFocusInside();
  void LayoutChanged();
  void MakeFocusedPartVisible();
  // The part activated as Enter or a click would.
  void ProcessHitTest(const TcxFilterControlHitInfo& AHitInfo, bool AByMouse);
  // The row menu's command of a tag (0 add condition, 1 add group, 3 remove or clear).
  void RowMenuCommand(int ATag);
  // The choice box closed: its item applied to the part it was opened for.
  void ChoiceApplied();
  void EndValueEdit(bool AAccept);
  void FocusNextPart(bool ARowWrap);
  void FocusPrevPart(bool ARowWrap);
  void FocusNextRow();
  void FocusPrevRow();

  TNotifyEvent OnApplyFilter;

  // --- Virtual operations, in the family's slot order ---
  virtual void CreateInternalControls();
  virtual void DestroyInternalControls();
  virtual TcxCustomEditProperties* GetDefaultProperties() { return DefaultProperties(); }
  virtual void FillItems(TStrings* AItems);
  virtual void FillOperators(TStrings* AItems);
  virtual IcxFilterControl* GetLink() { return nullptr; }
  virtual void ShowRowMenu();
  virtual void EditBoolOperator();
  virtual void EditOperator();
  virtual void EditItem();
  // AMode: 0 by Enter or Space, 1 by a typed character, 2 by a click.
  virtual void EditValue(int AMode, Char AChar);
  // The hand over a part while hot tracking applies.
  TCursor GetCursor(int X, int Y) override;

 protected:
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseLeave(TControl* AControl) override;
  void FontChanged() override;
  void FocusChanged() override;
  void InitScrollBarsParameters() override;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) override;
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override { LayoutChanged(); }
  void SetLink(IcxFilterControl* ALink);

 private:
  void CMEnabledChanged(TMessage& Message);
  void OpenChoiceBox(TcxFilterControlEditingMode AMode, TFont* AFont, const RECT& ABounds, const String& AText);
  void ValueEditorKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void SetHotInfo(const TcxFilterControlHitInfo& AInfo);
  void FocusPartOf(TcxCustomRowViewInfo* ARow);
  static TcxGroupViewInfo* GroupOf(TcxCustomRowViewInfo* ARow);
  void FocusAddedCondition(TcxCustomRowViewInfo* ACondition);
  TcxConditionViewInfo* FocusedCondition() const { return dynamic_cast<TcxConditionViewInfo*>(focusedRow_); }
  RECT FocusedPartRect() const;
  void ResetFocusAndScroll();

  std::unique_ptr<TcxFilterControlRowList> rows_;
  std::unique_ptr<TcxFilterControlViewInfo> viewInfo_;
  std::unique_ptr<TFont> fonts_[4];
  TcxCustomRowViewInfo* focusedRow_ = nullptr;
  TcxFilterControlHitTest focusedPart_ = fhtBoolOperator;
  int focusedValueIndex_ = 0;
  TcxFilterControlHitInfo hotInfo_;
  TcxFilterControlEditingMode editingMode_ = femNone;
  TcxComboBox* choiceBox_ = nullptr;
  TPopupMenu* rowMenu_ = nullptr;
  std::unique_ptr<TcxInplaceEditList> editList_;
  TcxCustomEdit* valueEditor_ = nullptr;
  std::unique_ptr<TcxCustomEditStyle> valueEditStyle_;
  int topRow_ = 0;
  int leftOffset_ = 0;
  int layoutLock_ = 0;
  bool hotTrackOnUnfocused_ = true;
  String nullString_;
  bool nullStringAssigned_ = false;
  bool showLevelLines_ = true;
  bool wantTabs_ = false;
  friend class TcxFilterControlViewInfo;
};

class TcxFilterControl : public TcxCustomFilterControl {
  TRENVIK_CLASS(TcxFilterControl, TcxCustomFilterControl);

 public:
  explicit TcxFilterControl(TComponent* AOwner);
  ~TcxFilterControl() override;

  TComponent* LinkComponent() const { return linkComponent_; }
  // A component that is not a filter link is ignored; nullptr clears the rows.
  void SetLinkComponent(TComponent* Value);
  IcxFilterControl* GetLink() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TComponent* linkComponent_ = nullptr;
};

// The row painter: row buttons, texts, values and level lines onto the view information's canvas.
class TcxFilterControlPainter {
 public:
  explicit TcxFilterControlPainter(TcxFilterControlViewInfo* AViewInfo) : viewInfo_(AViewInfo) {}
  void PaintRow(TcxCustomRowViewInfo* ARow);

 private:
  void PaintText(TFont* AFont, const String& AText, int X, int Y);
  void PaintLevelLines(TcxCustomRowViewInfo* ARow);
  void PaintCondition(TcxConditionViewInfo* ACondition);

  TcxFilterControlViewInfo* viewInfo_;
};

void cxFilterControlInitialize();
void cxFilterControlFinalize();
