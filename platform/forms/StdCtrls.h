// The standard controls over the layer's native window classes: edits and memos ("EDIT"), labels
// and static text, buttons, check boxes, radio buttons and group boxes ("BUTTON"), list boxes and
// check list boxes ("LISTBOX").
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/classes/ClassesTypes.h"
#include "platform/classes/StringList.h"
#include "platform/forms/Controls.h"
#include "platform/forms/native/NativeControls.h"
#include "platform/forms/WindowItems.h"

TRENVIK_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);
TRENVIK_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
TRENVIK_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);
TRENVIK_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);
// Check boxes and radio buttons put their text left or right of the box.
using TLeftRight = TAlignment;
TRENVIK_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable);
TRENVIK_ENUM(TOwnerDrawStateFlag, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
             odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit);
using TOwnerDrawState = Set<TOwnerDrawStateFlag>;
TRENVIK_ENUM(TStaticBorderStyle, sbsNone, sbsSingle, sbsSunken);

// The accelerator of a caption: the character after a single '&' (0 when none).
Char GetHotkey(const String& Text);
// Whether CharCode is the accelerator of Text (case-insensitive).
bool IsAccel(WORD CharCode, const String& Text);

// --- Edits ---

class TCustomEdit : public TWinControl {
  TRENVIK_CLASS(TCustomEdit, TWinControl);

 public:
  explicit TCustomEdit(TComponent* AOwner);

  void Clear() { SetText(String()); }
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void ClearUndo();
  bool CanUndo();
  void SelectAll();

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  void SetSelText(const String& Value);

  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { autoSelect_ = Value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value) { autoSize_ = Value; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool Modified();
  void SetModified(bool Value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool Value);
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();

 private:
  TRENVIK_MESSAGES(TCustomEdit);
  void CNCommand(TWMCommand& Message);
  void CMEnter(TMessage& Message);

  int maxLength_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
  Char passwordChar_ = 0;
  bool readOnly_ = false;
  bool autoSize_ = true;
  bool autoSelect_ = true;
  bool hideSelection_ = true;
  bool oemConvert_ = false;
  bool modified_ = false;
  bool creating_ = false;
  TEditCharCase charCase_ = ecNormal;
};

class TEdit : public TCustomEdit {
  TRENVIK_CLASS(TEdit, TCustomEdit);

 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo;

// A memo's lines, read and written through its window.
class TMemoStrings : public TStrings {
  TRENVIK_CLASS(TMemoStrings, TStrings);

 public:
  explicit TMemoStrings(TCustomMemo* Memo = nullptr) : memo_(Memo) {}
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  String GetTextStr() const override;
  void SetTextStr(const String& Value) override;

 protected:
  String Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const String& S) override;
  void SetUpdating(bool Updating) override;

 private:
  HWND Wnd() const;
  TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
  TRENVIK_CLASS(TCustomMemo, TCustomEdit);

 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* Value) { lines_->Assign(Value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { wantReturns_ = Value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  // The caret as (column, line).
  POINT CaretPos();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(Char& Key) override;

 private:
  TRENVIK_MESSAGES(TCustomMemo);
  void WMGetDlgCode(TMessage& Message);

  std::unique_ptr<TMemoStrings> lines_;
  TAlignment alignment_ = taLeftJustify;
  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
  TRENVIK_CLASS(TMemo, TCustomMemo);

 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// --- Labels ---

class TCustomLabel : public TGraphicControl {
  TRENVIK_CLASS(TCustomLabel, TGraphicControl);

 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);

 protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // Draws (or with DT_CALCRECT measures) the caption in Rect.
  virtual void DoDrawText(RECT& Rect, UINT Flags);
  virtual void AdjustBounds();
  virtual String GetLabelText();

 private:
  TRENVIK_MESSAGES(TCustomLabel);
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TWMKey& Message);

  TWinControl* focusControl_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
  TRENVIK_CLASS(TLabel, TCustomLabel);

 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// Text in a window of the "STATIC" class.
class TCustomStaticText : public TWinControl {
  TRENVIK_CLASS(TCustomStaticText, TWinControl);

 public:
  explicit TCustomStaticText(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle Value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  virtual void AdjustBounds();

 private:
  TRENVIK_MESSAGES(TCustomStaticText);
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TWMKey& Message);

  TWinControl* focusControl_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  TStaticBorderStyle borderStyle_ = sbsNone;
  bool autoSize_ = true;
  bool showAccelChar_ = true;
};

class TStaticText : public TCustomStaticText {
  TRENVIK_CLASS(TStaticText, TCustomStaticText);

 public:
  explicit TStaticText(TComponent* AOwner) : TCustomStaticText(AOwner) {}
};

// --- Buttons ---

class TButtonControl : public TWinControl {
  TRENVIK_CLASS(TButtonControl, TWinControl);

 public:
  explicit TButtonControl(TComponent* AOwner);
  bool Checked() { return GetChecked(); }
  virtual void SetChecked(bool) {}
  // The caption breaks into lines at word boundaries to fit the button.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual bool GetChecked() { return false; }
  // While set, changing the check state does not fire OnClick.
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool Value) { clicksDisabled_ = Value; }

 private:
  bool clicksDisabled_ = false;
  bool wordWrap_ = false;
};

class TButton : public TButtonControl {
  TRENVIK_CLASS(TButton, TButtonControl);

 public:
  explicit TButton(TComponent* AOwner);
  void Click() override;

  // Enter clicks the default button of the focused form (the focused button when there is one).
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  // Escape clicks the cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool Value) { cancel_ = Value; }
  // Clicking sets the parent form's ModalResult to this.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int Value) { modalResult_ = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void SetButtonStyle(bool ADefault);

 private:
  TRENVIK_MESSAGES(TButton);
  void CNCommand(TWMCommand& Message);
  void CMDialogKey(TWMKey& Message);
  void CMDialogChar(TWMKey& Message);
  void CMFocusChanged(TMessage& Message);

  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  int modalResult_ = 0;
};

class TCustomCheckBox : public TButtonControl {
  TRENVIK_CLASS(TCustomCheckBox, TButtonControl);

 public:
  explicit TCustomCheckBox(TComponent* AOwner);

  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight Value);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState Value);
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  bool GetChecked() override { return state_ == cbChecked; }
  // Unchecked -> grayed (when allowed) or checked -> unchecked; grayed -> checked.
  virtual void Toggle();

 private:
  TRENVIK_MESSAGES(TCustomCheckBox);
  void CNCommand(TWMCommand& Message);
  void CMDialogChar(TWMKey& Message);

  TLeftRight alignment_ = taRightJustify;
  bool allowGrayed_ = false;
  TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
  TRENVIK_CLASS(TCheckBox, TCustomCheckBox);

 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
  TRENVIK_CLASS(TRadioButton, TButtonControl);

 public:
  explicit TRadioButton(TComponent* AOwner);

  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight Value);
  // Checking one unchecks the other radio buttons of the same parent.
  void SetChecked(bool Value) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  bool GetChecked() override { return checked_; }

 private:
  TRENVIK_MESSAGES(TRadioButton);
  void CNCommand(TWMCommand& Message);
  void CMDialogChar(TWMKey& Message);

  TLeftRight alignment_ = taRightJustify;
  bool checked_ = false;
};

// A frame with a caption around other controls.
class TCustomGroupBox : public TCustomControl {
  TRENVIK_CLASS(TCustomGroupBox, TCustomControl);

 public:
  explicit TCustomGroupBox(TComponent* AOwner);

 protected:
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;

 private:
  TRENVIK_MESSAGES(TCustomGroupBox);
  void CMTextChanged(TMessage& Message);
  void CMDialogChar(TWMKey& Message);
};

class TGroupBox : public TCustomGroupBox {
  TRENVIK_CLASS(TGroupBox, TCustomGroupBox);

 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

// --- List boxes ---

class TCustomListBox;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const RECT& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// A list box's items, held by its window (and kept aside while it has none).
class TListBoxStrings : public TWindowStrings {
  TRENVIK_CLASS(TListBoxStrings, TWindowStrings);

 public:
  explicit TListBoxStrings(TCustomListBox* ListBox = nullptr) : TWindowStrings(kListBoxItems), listBox_(ListBox) {}
  void Clear() override;

 protected:
  HWND Wnd() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;

 private:
  TCustomListBox* listBox_;
};

class TCustomListBox : public TWinControl {
  TRENVIK_CLASS(TCustomListBox, TWinControl);

 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  void Clear();
  void ClearSelection();
  void SelectAll();
  // The item at a client point; -1 when there is none there and Existing is asked for, else the
  // nearest item (or the count past the last one).
  int ItemAtPos(POINT Pos, bool Existing);
  RECT ItemRect(int Index);

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  int TopIndex();
  void SetTopIndex(int Value);
  int Count() { return items_->Count(); }
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  int Columns() const { return columns_; }
  void SetColumns(int Value);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool Value);
  bool IntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool Value);
  int ItemHeight();
  void SetItemHeight(int Value);
  // The width the items scroll across horizontally (0: no horizontal scrolling).
  int ScrollWidth() const { return scrollWidth_; }
  void SetScrollWidth(int Value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle Value);
  TCanvas* Canvas() const { return canvas_.get(); }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  // What the items' objects are kept in (a check list box wraps them).
  virtual LRESULT GetItemData(int Index);
  virtual void SetItemData(int Index, LRESULT Data);
  virtual void DeleteItemData(int Index, LRESULT Data);
  friend class TListBoxStrings;

 private:
  TRENVIK_MESSAGES(TCustomListBox);
  void CNCommand(TWMCommand& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void CNDeleteItem(TMessage& Message);
  void WMSize(TMessage& Message);

  std::unique_ptr<TListBoxStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  // The items while the window is gone (RecreateWnd).
  TSavedItems saved_;
  int savedIndex_ = -1;
  int savedTop_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
  int columns_ = 0;
  bool extendedSelect_ = true;
  bool integralHeight_ = false;
  int itemHeight_ = 16;
  int scrollWidth_ = 0;
  bool multiSelect_ = false;
  bool sorted_ = false;
  TListBoxStyle style_ = lbStandard;
};

class TListBox : public TCustomListBox {
  TRENVIK_CLASS(TListBox, TCustomListBox);

 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// A list box with a check box before each item.
class TCheckListBox : public TCustomListBox {
  TRENVIK_CLASS(TCheckListBox, TCustomListBox);

 public:
  explicit TCheckListBox(TComponent* AOwner);
  ~TCheckListBox() override;

  bool Checked(int Index) { return State(Index) == cbChecked; }
  void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State(int Index);
  void SetState(int Index, TCheckBoxState Value);
  bool ItemEnabled(int Index);
  void SetItemEnabled(int Index, bool Value);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);

  // After the user changed an item's check box.
  TNotifyEvent OnClickCheck;

 protected:
  void CreateWnd() override;
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  LRESULT GetItemData(int Index) override;
  void SetItemData(int Index, LRESULT Data) override;
  void DeleteItemData(int Index, LRESULT Data) override;
  virtual void ClickCheck();

 private:
  struct TItemState {
    LRESULT data = 0;
    TCheckBoxState state = cbUnchecked;
    bool enabled = true;
  };
  TItemState& ItemState(int Index);
  void ToggleClickCheck(int Index);

  std::unordered_map<TItemState*, std::unique_ptr<TItemState>> states_;
  bool allowGrayed_ = false;
  bool flat_ = true;
};

// Registers the start-up of the native window classes and of the standard controls' classes
// for form resources (FormsModules.cpp calls it).
void RegisterStdControlsModules();
