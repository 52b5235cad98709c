// Text editor settings (case, password echo, maximum length, lookup texts with completion, value
// bounds) and the lookup data that searches and walks the lookup texts for one edit.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxInnerEdit.h"
#include "platform/classes/StringList.h"
#include "platform/forms/StdCtrls.h"

TRENVIK_ENUM(TcxEditEchoMode, eemNormal, eemPassword);
enum TcxTextEditingMode { temFreeText, temMatchItem, temPickItem, temNoText };
enum TcxLookupNavigation { lnFirst, lnLast, lnNext, lnPrior, lnPageUp, lnPageDown };

// The Latin letters only change case; every other character (Cyrillic included) stays.
String cxConvertCharCase(const String& AText, TEditCharCase ACharCase);

class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
  TRENVIK_CLASS(TcxTextEditPropertiesValues, TcxCustomEditPropertiesValues);

 public:
  explicit TcxTextEditPropertiesValues(TPersistent* AOwner) : TcxCustomEditPropertiesValues(AOwner) {}
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

  bool MaxLength = false;
  bool MaxValue = false;
  bool MinValue = false;
};

// What a text editor asks of its lookup list.
class IcxTextEditLookupData {
 public:
  virtual bool CanResizeList(SIZE& ASize) = 0;
  virtual void CloseList() = 0;
  virtual void ReleaseList() = 0;
  virtual void OpenList() = 0;
  virtual void SearchList(const String& AText) = 0;
  virtual bool ContainsText(const String& AText) = 0;
  virtual TWinControl* GetPopupListControl() = 0;
  virtual void GetCurrentKey(Variant& Value) = 0;
  virtual void GetDisplayText(const Variant& AKey, String& AText) = 0;
  virtual TNotifyEvent GetOnItemsChanged() = 0;
  virtual TNotifyEvent GetOnKeyChanged() = 0;
  virtual TNotifyEvent GetOnItemSelected() = 0;
  virtual void GetListSize(int AMaxHeight, int AWidth, SIZE& ASize) = 0;
  virtual void Navigate(TcxLookupNavigation ADirection, bool ACircular) = 0;
  virtual void AttachList(TWinControl* AParent) = 0;
  virtual bool IsEmpty() = 0;
  virtual bool IsPointOverList(POINT P) = 0;
  virtual bool LocateByText(String& AText, String& ATail, bool ANext) = 0;
  virtual void PlaceList(const RECT& AClientRect) = 0;
  virtual void AcceptFocusedItem() = 0;
  virtual void SetCurrentKey(const Variant& Value) = 0;
  virtual void SetOnItemsChanged(TNotifyEvent Value) = 0;
  virtual void SetOnKeyChanged(TNotifyEvent Value) = 0;
  virtual void SetOnItemSelected(TNotifyEvent Value) = 0;
  virtual void TextChanged() = 0;

 protected:
  ~IcxTextEditLookupData() = default;
};

class TcxCustomTextEditLookupData;
using TcxNewLookupDisplayTextEvent = std::function<void(TObject* Sender, const String& AText)>;

class TcxCustomTextEditProperties : public TcxCustomEditProperties {
  TRENVIK_CLASS(TcxCustomTextEditProperties, TcxCustomEditProperties);

 public:
  explicit TcxCustomTextEditProperties(TPersistent* AOwner);
  ~TcxCustomTextEditProperties() override;

  void Assign(TPersistent* Source) override;

  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { SetAndNotify(autoSelect_, Value); }
  TEditCharCase CharCase() const { return charCase_; }
  TcxEditEchoMode EchoMode() const { return echoMode_; }
  void SetEchoMode(TcxEditEchoMode Value) { SetAndNotify(echoMode_, Value); }
  bool FixedListIncrementalSearch() const { return fixedListIncrementalSearch_; }
  void SetFixedListIncrementalSearch(bool Value);
  bool HideCursor() const { return hideCursor_; }
  void SetHideCursor(bool Value) { SetAndNotify(hideCursor_, Value); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value) { SetAndNotify(hideSelection_, Value); }
  bool ImmediateUpdateText() const { return immediateUpdateText_; }
  void SetImmediateUpdateText(bool Value) { immediateUpdateText_ = Value; }
  TStringList* LookupItems() const { return lookupItems_.get(); }
  void SetLookupItems(TStrings* Value) { lookupItems_->Assign(Value); }
  bool LookupItemsSorted() const { return lookupItems_->Sorted(); }
  void SetLookupItemsSorted(bool Value) { lookupItems_->SetSorted(Value); }
  int MaxLength();
  double MaxValue();
  void SetMaxValue(double Value);
  double MinValue();
  void SetMinValue(double Value);
  bool IsMaxLengthStored() const { return AssignedValues()->MaxLength; }
  bool IsMaxValueStored() const { return AssignedValues()->MaxValue; }
  bool IsMinValueStored() const { return AssignedValues()->MinValue; }
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool Value) { SetAndNotify(oemConvert_, Value); }
  TcxTextEditPropertiesValues* AssignedValues() const {
    return static_cast<TcxTextEditPropertiesValues*>(inherited::AssignedValues());
  }

  TcxNewLookupDisplayTextEvent OnNewLookupDisplayText;

  // Lookup data objects that follow the lookup items; each leaves the list when it is freed.
  void AddLookupItemsListener(TcxCustomTextEditLookupData* AListener);
  void RemoveLookupItemsListener(TcxCustomTextEditLookupData* AListener);

  // --- Overrides ---
  void AlignmentChanged(TObject* Sender) override;
  void SetAlignment(TcxEditAlignment* Value) override;
  bool CanValidate() override { return true; }
  bool CanCompareEditValue() override { return true; }
  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  TClass GetAssignedValuesClass() override { return TcxTextEditPropertiesValues::StaticClass(); }
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {dfoSupports}; }
  void GetValidateErrorText(String& Text) override { GetValidateErrorText(0, Text); }
  bool IsChangeEventSeparate() override { return true; }
  bool AcceptsNavigationKeys() override { return true; }
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  bool CanRevertEditValue() override { return GetEditingMode() != temNoText; }
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                            TcxCustomEdit* AEdit) override;

  // --- Operations it introduces ---
  virtual void CheckValueBounds(const Variant& DisplayValue, String& ErrorText, TcxCustomEdit* AEdit,
                                bool& Error);
  virtual String GetDefaultDisplayValue() { return String(); }
  virtual void GetDisplayTextOfValue(const Variant& DisplayValue, String& Text);
  virtual void DoNewLookupDisplayText(const String& AText);
  virtual bool FindLookupText(const String& AText);
  virtual int GetDefaultMaxLength();
  virtual int GetDropDownPageRowCount() { return 8; }
  virtual TcxTextEditingMode GetEditingMode() { return hideCursor_ ? temNoText : temFreeText; }
  // Makes the lookup data of an edit; nullptr when the editor has none.
  virtual std::unique_ptr<TcxCustomTextEditLookupData> CreateLookupData(TcxCustomEdit* AEdit);
  virtual bool SupportsValueBounds() { return false; }
  virtual bool IsLookupListInPopup() { return false; }
  virtual bool IsMultiLine() { return false; }
  virtual bool IsPopupNavigationKey(WORD, TShiftState) { return false; }
  virtual void AssignedValuesChanged() { Changed(); }
  virtual void SetCharCase(TEditCharCase Value);
  virtual void SetMaxLength(int Value);
  virtual bool UseLookupData() { return true; }
  virtual bool IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused);
  // Kind 1: the bounds text; any other kind the general one.
  void GetValidateErrorText(int AKind, String& Text);

 private:
  template <class T>
  void SetAndNotify(T& AField, T AValue) {
    if (AField == AValue) return;
    AField = AValue;
    Changed();
  }
  void LookupItemsChanged(TObject* Sender);

  bool autoSelect_ = true;
  TEditCharCase charCase_ = ecNormal;
  TcxEditEchoMode echoMode_ = eemNormal;
  bool fixedListIncrementalSearch_ = true;
  bool hideCursor_ = false;
  bool hideSelection_ = true;
  bool immediateUpdateText_ = false;
  std::unique_ptr<TStringList> lookupItems_;
  int maxLength_ = 0;
  double maxValue_ = 0;
  double minValue_ = 0;
  bool oemConvert_ = false;
  std::vector<TcxCustomTextEditLookupData*> lookupItemsListeners_;
};

class TcxTextEditProperties : public TcxCustomTextEditProperties {
  TRENVIK_CLASS(TcxTextEditProperties, TcxCustomTextEditProperties);

 public:
  explicit TcxTextEditProperties(TPersistent* AOwner) : TcxCustomTextEditProperties(AOwner) {}
};

// The current item of an edit's lookup texts, found by typed prefixes and moved by keys.
class TcxCustomTextEditLookupData : public TcxInterfacedPersistent, public IcxTextEditLookupData {
  TRENVIK_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent);

 public:
  // AText gives the owner edit's current text.
  TcxCustomTextEditLookupData(TcxCustomEdit* AOwner, std::function<String()> AText);
  ~TcxCustomTextEditLookupData() override;

  TcxCustomEdit* Edit() const { return edit_; }
  int CurrentKey() const { return currentKey_; }
  int ItemIndex() const { return itemIndex_; }
  void SetCurrentKey(int AIndex);
  // The item the list shows selected; a list in a popup follows it.
  virtual void SetItemIndex(int AIndex);
  // The properties it follows are going away.
  void DetachProperties() { listenedProperties_ = nullptr; }

  // --- Virtual operations, in slot order ---
  virtual void GetItem(int AIndex, String& AText);
  virtual int GetItemCount();
  virtual bool Locate(String& AText, String& ATail, bool AResetKey, bool ANext);
  virtual void ItemsChanged(TObject* Sender);
  // The first item from AFrom on whose upper-cased beginning is AUpperPrefix, or -1.
  virtual int FindItemByPrefix(const String& AUpperPrefix, int AFrom);

  // IcxTextEditLookupData
  bool CanResizeList(SIZE&) override { return true; }
  void CloseList() override { itemIndex_ = currentKey_; }
  void ReleaseList() override {}
  void OpenList() override {}
  void SearchList(const String&) override {}
  bool ContainsText(const String& AText) override;
  TWinControl* GetPopupListControl() override { return nullptr; }
  void GetCurrentKey(Variant& Value) override { Value = currentKey_; }
  void GetDisplayText(const Variant& AKey, String& AText) override;
  TNotifyEvent GetOnItemsChanged() override { return onItemsChanged_; }
  TNotifyEvent GetOnKeyChanged() override { return onKeyChanged_; }
  TNotifyEvent GetOnItemSelected() override { return onItemSelected_; }
  void GetListSize(int, int, SIZE& ASize) override { ASize = SIZE{0, 0}; }
  void Navigate(TcxLookupNavigation ADirection, bool ACircular) override;
  void AttachList(TWinControl*) override {}
  bool IsEmpty() override { return GetItemCount() == 0; }
  bool IsPointOverList(POINT) override { return false; }
  bool LocateByText(String& AText, String& ATail, bool ANext) override {
    return Locate(AText, ATail, false, ANext);
  }
  void PlaceList(const RECT&) override {}
  void AcceptFocusedItem() override;
  void SetCurrentKey(const Variant& Value) override;
  void SetOnItemsChanged(TNotifyEvent Value) override { onItemsChanged_ = std::move(Value); }
  void SetOnKeyChanged(TNotifyEvent Value) override { onKeyChanged_ = std::move(Value); }
  void SetOnItemSelected(TNotifyEvent Value) override { onItemSelected_ = std::move(Value); }
  void TextChanged() override;

 protected:
  TcxCustomTextEditProperties* Properties() const;
  // The item a move from the selected (or else the current) item lands on.
  int GetNavigationIndex(TcxLookupNavigation ADirection, bool ACircular);

 private:
  TcxCustomEdit* edit_;
  std::function<String()> text_;
  // The properties whose lookup items this object follows.
  TcxCustomTextEditProperties* listenedProperties_ = nullptr;
  int currentKey_ = -1;
  int itemIndex_ = -1;
  TNotifyEvent onItemsChanged_;
  TNotifyEvent onKeyChanged_;
  TNotifyEvent onItemSelected_;
};

class TcxCustomTextEdit;

// The native edit control inside a text edit; it hands its keys and changes to the edit.
class TcxCustomInnerTextEdit : public TcxInnerEditControl<TCustomEdit> {
  TRENVIK_CLASS(TcxCustomInnerTextEdit, TcxInnerEditControl<TCustomEdit>);

 public:
  explicit TcxCustomInnerTextEdit(TcxCustomTextEdit* AOwner);

  TAlignment Alignment() const { return alignment_; }
  // A new alignment is a new window style: the window is made again.
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void OwnerKeyPressed(Char& Key) override;

 private:
  TAlignment alignment_ = taLeftJustify;
};

class TcxCustomTextEdit : public TcxCustomEdit {
  TRENVIK_CLASS(TcxCustomTextEdit, TcxCustomEdit);

 public:
  explicit TcxCustomTextEdit(TComponent* AOwner);
  ~TcxCustomTextEdit() override;

  // Makes the inner control of an edit: a descendant's kind of native edit (the memo's multi-line one).
  using TcxInnerEditFactory = std::function<TCustomEdit*(TcxCustomTextEdit* AOwner)>;

  TcxCustomTextEditProperties* ActiveProperties() {
    return static_cast<TcxCustomTextEditProperties*>(GetActiveProperties());
  }
  TCustomEdit* InnerTextEdit() const { return innerEdit_; }
  IcxTextEditLookupData* ILookupData() const { return lookupData_.get(); }
  TcxCustomTextEditLookupData* LookupData() const { return lookupData_.get(); }
  String Text() const { return innerEdit_->Text(); }
  void SetText(const String& Value);
  int SelStart() { return innerEdit_->SelStart(); }
  void SetSelStart(int Value) { innerEdit_->SetSelStart(Value); }
  int SelLength() { return innerEdit_->SelLength(); }
  void SetSelLength(int Value) { innerEdit_->SetSelLength(Value); }
  // The tail filled in from a lookup item is shown selected.
  bool CompletionShown() const { return completionShown_; }
  // False: Enter never reaches the window control, which would beep (nor does it in a grid cell).
  bool BeepOnEnter() const { return beepOnEnter_; }
  void SetBeepOnEnter(bool Value) { beepOnEnter_ = Value; }

  TClass GetPropertiesClass() override { return TcxTextEditProperties::StaticClass(); }
  bool CanKeyDownModifyEdit(WORD Key, TShiftState Shift) override;
  bool CanKeyPressModifyEdit(Char Key) override;
  void ChangeHandler(TObject* Sender) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void GetDisplayValue(Variant& Value) override { Value = innerEdit_->Text(); }
  void InternalSetDisplayValue(const Variant& Value) override;
  void SetInnerEditDisplayValue(const Variant& Value) override;
  bool SetValidatedDisplayValue(Variant& DisplayValue) override;
  void SynchronizeDisplayValue() override;
  // A validated free text that no lookup item has is announced (OnNewLookupDisplayText).
  void SetInternalDisplayValue(const Variant& Value) override;
  void SynchronizeEditValue() override;
  void PropertiesChanged(TObject* Sender) override;
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) override {
    EditValue = DisplayValue;
  }
  void Clear() override { SetValidatedText(String()); }
  void CopyToClipboard() override { innerEdit_->CopyToClipboard(); }
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void SelectAll() override { innerEdit_->SelectAll(); }
  // The selected text removed as the user's change (nothing while read-only).
  void ClearSelection();
  // The last change undone as the user's change (nothing while read-only).
  void Undo();
  // Undo, Cut, Copy, Paste, Delete and Select All, each enabled when it can act now.
  TComponent* GetDefaultPopupMenu() override;

 protected:
  // The hook for an inner control of another kind; the public constructor makes a single-line one.
  TcxCustomTextEdit(TComponent* AOwner, const TcxInnerEditFactory& ACreateInnerEdit);
  // Makes the lookup data the current properties name; a descendant whose properties name another
  // kind calls it again from its constructor, once its own properties exist.
  void CreateLookupData();

 private:
  TRENVIK_MESSAGES(TcxCustomTextEdit);
  // The window text of the edit is its display value.
  void WMGetTextLength(TMessage& Message);
  void WMGetText(TMessage& Message);
  void WMSetText(TMessage& Message);

  void SetValidatedText(const String& AText);
  bool LocateCompletion(const String& ASearch);
  void EraseLastTypedCharacter(String ATyped);

  TCustomEdit* innerEdit_;
  std::unique_ptr<TcxCustomTextEditLookupData> lookupData_;
  bool completionShown_ = false;
  bool userTextChange_ = false;
  bool beepOnEnter_ = true;
};

class TcxTextEdit : public TcxCustomTextEdit {
  TRENVIK_CLASS(TcxTextEdit, TcxCustomTextEdit);

 public:
  explicit TcxTextEdit(TComponent* AOwner) : TcxCustomTextEdit(AOwner) {}
};
