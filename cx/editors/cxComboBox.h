// The combo box: a drop-down edit whose popup is the list of its Items. The list style decides
// whether free text is allowed, whether the text must be an item, or whether it is only chosen.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/editors/cxDropDownEdit.h"
#include "cx/editors/cxEditListBox.h"

TRENVIK_ENUM(TcxEditDropDownListStyle, lsEditFixedList, lsEditList, lsFixedList);

class TcxCustomComboBox;
using TcxEditDrawItemEvent = std::function<void(TcxCustomComboBox* Sender, TcxCanvas* ACanvas, int AIndex,
                                                const RECT& ARect, TOwnerDrawState AState)>;

class TcxCustomComboBoxProperties : public TcxCustomDropDownEditProperties {
  TRENVIK_CLASS(TcxCustomComboBoxProperties, TcxCustomDropDownEditProperties);

 public:
  explicit TcxCustomComboBoxProperties(TPersistent* AOwner) : TcxCustomDropDownEditProperties(AOwner) {}

  void Assign(TPersistent* Source) override;

  TcxEditDropDownListStyle DropDownListStyle() const { return dropDownListStyle_; }
  void SetDropDownListStyle(TcxEditDropDownListStyle Value);
  int DropDownRows() const { return dropDownRows_; }
  // Values below 1 are ignored.
  void SetDropDownRows(int Value);
  // 0 or less: the list box's own row height.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Value);
  bool Revertable() const { return revertable_; }
  void SetRevertable(bool Value) { revertable_ = Value; }
  bool DropDownAutoWidth() const { return PopupAutoSize(); }
  void SetDropDownAutoWidth(bool Value) { SetPopupAutoSize(Value); }
  bool DropDownSizeable() const { return PopupSizeable(); }
  void SetDropDownSizeable(bool Value) { SetPopupSizeable(Value); }
  int DropDownWidth() const { return PopupWidth(); }
  void SetDropDownWidth(int Value) { SetPopupWidth(Value); }
  TStringList* Items() const { return LookupItems(); }
  void SetItems(TStrings* Value) { SetLookupItems(Value); }
  bool Sorted() const { return LookupItemsSorted(); }
  void SetSorted(bool Value) { SetLookupItemsSorted(Value); }

  TcxEditDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  TClass GetContainerClass() override;
  int GetDropDownPageRowCount() override { return dropDownRows_; }
  TcxTextEditingMode GetEditingMode() override;
  std::unique_ptr<TcxCustomTextEditLookupData> CreateLookupData(TcxCustomEdit* AEdit) override;
  bool UseLookupData() override { return true; }
  bool DropDownOnClick() override { return dropDownListStyle_ == lsFixedList; }
  TcxEditPopupWindowFactory GetPopupWindowClass() override;

 private:
  TcxEditDropDownListStyle dropDownListStyle_ = lsEditList;
  int dropDownRows_ = 8;
  int itemHeight_ = 0;
  bool revertable_ = false;
};

class TcxComboBoxProperties : public TcxCustomComboBoxProperties {
  TRENVIK_CLASS(TcxComboBoxProperties, TcxCustomComboBoxProperties);

 public:
  explicit TcxComboBoxProperties(TPersistent* AOwner) : TcxCustomComboBoxProperties(AOwner) {}
};

class TcxComboBoxLookupData;

// The list in the popup: one empty row per item, the texts coming from the lookup data.
class TcxComboBoxListBox : public TcxCustomEditListBox {
  TRENVIK_CLASS(TcxComboBoxListBox, TcxCustomEditListBox);

 public:
  TcxComboBoxListBox(TComponent* AOwner, TcxComboBoxLookupData* ALookupData);

  // The row under the mouse when the popup opens is not taken for a choice.
  void IgnoreNextMouseMove() { ignoreMouseMove_ = true; }
  // Selects without the selection being taken back by the next mouse move.
  void SelectRow(int AIndex);

  bool DoDrawItem(int AIndex, const RECT& ARect, TOwnerDrawState AState) override;
  int GetHeight(int ARowCount) override;
  String GetItem(int AIndex) override;
  int GetItemHeight(int AIndex) override;

 protected:
  void MeasureItem(int Index, int& Height) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TcxCustomComboBox* ComboBox() const;
  int FontRowHeight();

  TcxComboBoxLookupData* lookupData_;
  bool ignoreMouseMove_ = false;
  int rowHeight_ = -1;
  String rowFontName_;
  int rowFontHeight_ = 0;
};

class TcxComboBoxLookupData : public TcxCustomTextEditLookupData {
  TRENVIK_CLASS(TcxComboBoxLookupData, TcxCustomTextEditLookupData);

 public:
  TcxComboBoxLookupData(TcxCustomEdit* AOwner, std::function<String()> AText);
  ~TcxComboBoxLookupData() override;

  TcxComboBoxListBox* ListBox() const { return listBox_.get(); }
  bool IsListShown() const;
  TcxCustomComboBoxProperties* ComboProperties() const;

  void SetItemIndex(int AIndex) override;
  void ItemsChanged(TObject* Sender) override;
  void AttachList(TWinControl* AParent) override;
  bool CanResizeList(SIZE& ASize) override;
  void CloseList() override;
  void OpenList() override;
  void GetListSize(int AMaxHeight, int AWidth, SIZE& ASize) override;
  TWinControl* GetPopupListControl() override { return listBox_.get(); }
  bool IsPointOverList(POINT P) override;
  void Navigate(TcxLookupNavigation ADirection, bool ACircular) override;
  void PlaceList(const RECT& AClientRect) override;
  void ReleaseList() override { listBox_.reset(); }
  int FindItemByPrefix(const String& AUpperPrefix, int AFrom) override;

 protected:
  // The list the popup shows, made at the first drop-down; a descendant draws its own rows.
  virtual std::unique_ptr<TcxComboBoxListBox> CreateListBox();

 private:
  std::unique_ptr<TcxComboBoxListBox> listBox_;
  // The items upper-cased once per change of the items: typing searches a long list at every key.
  std::vector<String> upperItems_;
  bool upperItemsValid_ = false;
  // The widest row, kept until the items change.
  int listWidth_ = -1;
};

class TcxComboBoxPopupWindow : public TcxCustomEditPopupWindow {
  TRENVIK_CLASS(TcxComboBoxPopupWindow, TcxCustomEditPopupWindow);

 public:
  explicit TcxComboBoxPopupWindow(TcxCustomDropDownEdit* AEdit) : TcxCustomEditPopupWindow(AEdit) {}
  void CalculateSize() override;
};

class TcxCustomComboBox : public TcxCustomDropDownEdit {
  TRENVIK_CLASS(TcxCustomComboBox, TcxCustomDropDownEdit);

 public:
  explicit TcxCustomComboBox(TComponent* AOwner);

  TcxCustomComboBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomComboBoxProperties*>(GetActiveProperties());
  }
  // Nullptr for a descendant whose lookup data is of another kind (the lookup editors).
  TcxComboBoxLookupData* ComboLookupData() const { return dynamic_cast<TcxComboBoxLookupData*>(LookupData()); }
  TcxComboBoxListBox* ComboListBox() const {
    TcxComboBoxLookupData* data = ComboLookupData();
    return data ? data->ListBox() : nullptr;
  }
  int ItemIndex();
  void SetItemIndex(int Value);
  void ResetPopupHeight();

  TClass GetPropertiesClass() override { return TcxComboBoxProperties::StaticClass(); }
  bool CanDropDown() override;
  void CalculatePopupSize(SIZE& ASize) override;
  void SetupPopupWindow() override;
  void PopupWindowShowed(TObject* Sender) override;
  bool CanSelectLookupItemByKey(bool AByWheel) override;
  void ChangeHandler(TObject* Sender) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;

 protected:
  void DblClick() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  // A closed list moves its current item by the wheel; an open one scrolls.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

 private:
  // The lookup data's current item became another one: its text is the value.
  void DoLookupItemChanged();
  // Shows an item's text with everything from ASelStart on selected, as the edit's value.
  void ShowLookupText(const String& AText, int ASelStart);
  bool HandleLookupKeyPress(Char& Key);
  bool HandleNavigationKey(WORD& Key, TShiftState Shift);

  bool lookupChanging_ = false;
};

class TcxComboBox : public TcxCustomComboBox {
  TRENVIK_CLASS(TcxComboBox, TcxCustomComboBox);

 public:
  explicit TcxComboBox(TComponent* AOwner) : TcxCustomComboBox(AOwner) {}
};
