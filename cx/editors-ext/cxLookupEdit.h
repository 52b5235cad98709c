// The lookup editor: its edit value is the key of one record of a list, and what the user sees and
// types is that record's text in the list column. The list itself (records, columns, the control in
// the drop-down) is given by a descendant of the properties through the list-source operations.
#pragma once

#include <memory>

#include "cx/editors-ext/cxLookupTextIndex.h"
#include "cx/editors/cxComboBox.h"

class TcxCustomDataController;
class TcxCustomLookupEdit;
class TcxCustomLookupEditLookupData;
class TcxLookAndFeel;

using TcxLookupCloseUpEvent = std::function<void(TObject* Sender, bool AAccept)>;

class TcxCustomLookupEditProperties : public TcxCustomComboBoxProperties {
  TRENVIK_CLASS(TcxCustomLookupEditProperties, TcxCustomComboBoxProperties);

 public:
  explicit TcxCustomLookupEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool IncrementalFiltering() const { return incrementalFiltering_; }
  void SetIncrementalFiltering(bool Value) { incrementalFiltering_ = Value; }
  bool DropDownAutoSize() const { return PopupAutoSize(); }
  void SetDropDownAutoSize(bool Value) { SetPopupAutoSize(Value); }
  int DropDownHeight() const { return PopupHeight(); }
  void SetDropDownHeight(int Value) { SetPopupHeight(Value); }
  int ListFieldIndex() { return GetListIndex(); }
  // Lowers the index below the column count after the columns changed.
  void CheckListFieldIndex();

  // While held, list data changes raise no Changed: the lookup code itself is moving the list.
  void LockChanges() { ++changeLock_; }
  void UnlockChanges() { --changeLock_; }

  // --- Overrides ---
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {}; }
  TClass GetContainerClass() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(Variant&, bool) override { return true; }
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  // A container stores the key.
  TcxEditValueSource GetEditValueSource(bool) override { return evsValue; }
  bool FindLookupText(const String& AText) override;
  std::unique_ptr<TcxCustomTextEditLookupData> CreateLookupData(TcxCustomEdit* AEdit) override;
  bool IsPopupNavigationKey(WORD Key, TShiftState Shift) override;

  // --- The list source, in slot order ---
  virtual TWinControl* GetPopupControl() { return GetListControl(); }
  virtual bool AdjustsPopupHeight() { return true; }
  virtual int GetListColumnCount() { return 0; }
  virtual TWinControl* GetListControl() { return nullptr; }
  // Nullptr: there is no list.
  virtual TcxCustomDataController* GetListDataController() { return nullptr; }
  virtual int GetListAutoWidth() { return 0; }
  virtual int GetNearestPopupHeight(int AHeight) { return AHeight; }
  virtual int GetPopupHeightForRows(int) { return 0; }
  // APoint in the list control's client coordinates.
  virtual bool IsRecordAtPoint(POINT) { return false; }
  virtual void DeinitializePopup() {}
  virtual void SearchInPopup(const String&) {}
  virtual void SetListEvents(TNotifyEvent, TNotifyEvent, TcxLookupCloseUpEvent) {}
  virtual void InitializePopup() {}
  virtual void SetListAppearance(TcxLookAndFeel*, TColor, TFont*) {}
  virtual void BeginPopupMode() {}
  virtual void MakeFocusedRowVisible() {}
  virtual void EndPopupMode() {}
  virtual void UnlinkDataController();
  virtual int FindRecordByText(int AItemIndex, const String& AText, bool APartialCompare);
  virtual int GetListIndex() { return listFieldIndex_; }
  virtual void GetDisplayTextByKey(const Variant& AKey, String& AText);
  virtual bool IsIncrementalFilteringActive() { return incrementalFiltering_; }
  // -1 without a column; a negative stored index passes through.
  virtual int GetEffectiveListIndex();
  virtual void GetNullKey(Variant& AKey) { AKey = Null(); }
  virtual void ListDataChanged(TObject* Sender);
  virtual void LinkDataController();
  virtual bool IsChangeLocked() { return changeLock_ > 0; }
  virtual bool IsListLocked();
  virtual bool IsDefinedByLookupField() { return HasLookupDataField(); }
  // The key is itself the shown text.
  virtual bool KeyIsListField() { return false; }
  virtual void LockList();
  virtual void SetListFieldIndex(int AValue);
  virtual void UnlockList();
  virtual bool HasLookupDataField() { return false; }

 protected:
  // ListDataChanged hears the list controller's data changes.
  bool IsDataControllerLinked() const { return listenerId_ != -1; }
  // The list controller was freed with its owner: drop the listener without calling it.
  void ForgetDataController() {
    listenerId_ = -1;
    listenedController_ = nullptr;
  }

 private:
  int listFieldIndex_ = 0;
  int changeLock_ = 0;
  bool inListDataChanged_ = false;
  bool incrementalFiltering_ = true;
  // The data-changed listener registered with the list controller, -1 when none.
  int listenerId_ = -1;
  TcxCustomDataController* listenedController_ = nullptr;
  TcxLookupTextIndex textIndex_;
};

// One of the lookup properties' locks, held for a scope and released also when a step fails.
template <void (TcxCustomLookupEditProperties::*Lock)(), void (TcxCustomLookupEditProperties::*Unlock)()>
class TcxLookupLockScope {
 public:
  explicit TcxLookupLockScope(TcxCustomLookupEditProperties* AProperties) : properties_(AProperties) {
    (properties_->*Lock)();
  }
  ~TcxLookupLockScope() { (properties_->*Unlock)(); }
  TcxLookupLockScope(const TcxLookupLockScope&) = delete;
  TcxLookupLockScope& operator=(const TcxLookupLockScope&) = delete;

 private:
  TcxCustomLookupEditProperties* properties_;
};
using TcxLookupChangeScope =
    TcxLookupLockScope<&TcxCustomLookupEditProperties::LockChanges, &TcxCustomLookupEditProperties::UnlockChanges>;
using TcxLookupListScope =
    TcxLookupLockScope<&TcxCustomLookupEditProperties::LockList, &TcxCustomLookupEditProperties::UnlockList>;

// The lookup object of one lookup edit: its current key, the drop-down list, typed search with
// incremental filtering, and the chosen item reported to the edit.
class TcxCustomLookupEditLookupData : public TcxCustomTextEditLookupData {
  TRENVIK_CLASS(TcxCustomLookupEditLookupData, TcxCustomTextEditLookupData);

 public:
  explicit TcxCustomLookupEditLookupData(TcxCustomEdit* AOwner);

  TcxCustomLookupEditProperties* LookupProperties() const;
  TcxCustomLookupEdit* LookupEdit() const;
  bool PopupActive() const { return popupActive_; }
  const Variant& Key() const { return currentKey_; }

  // IcxTextEditLookupData
  bool CanResizeList(SIZE& ASize) override;
  void CloseList() override;
  void ReleaseList() override;
  void OpenList() override;
  void SearchList(const String& AText) override { LookupProperties()->SearchInPopup(AText); }
  bool ContainsText(const String& AText) override { return LookupProperties()->FindLookupText(AText); }
  TWinControl* GetPopupListControl() override { return LookupProperties()->GetPopupControl(); }
  void GetCurrentKey(Variant& Value) override { Value = currentKey_; }
  void GetDisplayText(const Variant& AKey, String& AText) override;
  void GetListSize(int AMaxHeight, int AWidth, SIZE& ASize) override;
  void Navigate(TcxLookupNavigation ADirection, bool ACircular) override;
  void AttachList(TWinControl* AParent) override;
  bool IsEmpty() override;
  bool IsPointOverList(POINT AScreenPoint) override;
  bool LocateByText(String& AText, String& ATail, bool ANext) override;
  void PlaceList(const RECT& ARect) override;
  void AcceptFocusedItem() override;
  void SetCurrentKey(const Variant& AKey) override;
  void TextChanged() override;
  // The lookup items of the text edit play no part here.
  int GetItemCount() override { return 0; }

  // --- Virtual operations it introduces, in slot order ---
  virtual void DoKeyChanged();
  virtual void DoItemSelected();
  virtual void SetCurrentKeyByRecord(int ARecordIndex);
  virtual void FocusCurrentKeyRecord();
  virtual void ListClick(TObject* Sender);
  virtual void ListCloseUp(TObject* Sender, bool AAccept);
  virtual void ListNotify(TObject*) {}
  virtual bool IsFocusedRowSelected();
  virtual bool LocateExactText(const String& AText);
  virtual void ResetIncrementalFilter();
  virtual void SyncListPosition();
  virtual void UpdateListSelection();
  virtual void UpdatePopupHeight();

 protected:
  void SetKey(const Variant& AKey) { currentKey_ = AKey; }

 private:
  TcxCustomDataController* Controller() const { return LookupProperties()->GetListDataController(); }
  int FilterAndFind(int AItemIndex, const String& AText);
  int PopupHeightForListRows();
  void RecordText(int ARecordIndex, String& AText);
  void MarkFocusedSelected(bool ASelected);

  bool popupActive_ = false;
  Variant currentKey_ = Null();
};

class TcxCustomLookupEdit : public TcxCustomComboBox {
  TRENVIK_CLASS(TcxCustomLookupEdit, TcxCustomComboBox);

 public:
  explicit TcxCustomLookupEdit(TComponent* AOwner);

  TcxCustomLookupEditProperties* ActiveProperties() {
    return static_cast<TcxCustomLookupEditProperties*>(GetActiveProperties());
  }
  // Nullptr while the combo box's own lookup data is still in place (during construction).
  TcxCustomLookupEditLookupData* EditLookupData() const {
    return dynamic_cast<TcxCustomLookupEditLookupData*>(LookupData());
  }

  TClass GetPropertiesClass() override { return TcxCustomLookupEditProperties::StaticClass(); }
  void EndPosting() override;
  void BeginPosting() override;
  void PropertiesChanged(TObject* Sender) override;
  void SynchronizeDisplayValue() override;
  // The value and text conversions always run as for a focused edit.
  bool IsEditFocused() override { return true; }
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  void DropDown() override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;

 protected:
  // Sets up the lookup data once the descendant's own properties exist.
  void InitializeLookup();
  // The edit value a chosen key gives: the key's text taken back as a value.
  virtual void LookupKeyToEditValue(const Variant& AKey, Variant& EditValue);

 private:
  // The lookup data's current item was chosen: its key becomes the value.
  void LookupItemSelected();
};
