// The edit control every cx editor is (stand-alone on a form or in place in a grid cell): its edit
// value and display value, modified flags, change events, validation, posting through its data
// binding, keyboard contract and clipboard messages; the edit repository that shares properties;
// the registry of editor properties classes; the in-place editor cache.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "cx/editors/cxEditProperties.h"
#include "cx/editors/cxEditStyle.h"
#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxContainer.h"

class TcxEditRepositoryItem;
class TcxEditRepository;
class TPopupMenu;
class TcxCustomEditViewInfo;
class TcxCustomEditViewData;
struct TcxEditSizeProperties;

// Private message: raises a text an edit deferred past the current message.
constexpr UINT CM_CXEDIT_DEFERREDERROR = 0x8069;

// Binds an edit to its value; the base keeps the value in the edit itself.
class TcxEditDataBinding : public TPersistent {
  TRENVIK_CLASS(TcxEditDataBinding, TPersistent);

 public:
  explicit TcxEditDataBinding(TcxCustomEdit* AEdit);
  ~TcxEditDataBinding() override;

  TPersistent* GetOwner() override;
  TcxCustomEdit* Edit() const { return edit_; }
  const IcxEditDefaultValuesProviderRef& DefaultValuesProvider() const { return defaultValuesProvider_; }

  virtual bool IsEditDesigning();
  virtual void DefaultValuesChanged();
  virtual void GetDisplayValue(Variant& Value);
  virtual bool GetModified();
  virtual void GetStoredValue(Variant& Value);
  virtual bool IsValueFormatted() { return false; }
  virtual void Reset();
  virtual void SetDisplayValue(const Variant& Value);
  virtual bool CanModify() { return true; }
  virtual void SetStoredValue(const Variant&) {}
  virtual void UpdateDisplayValue();
  virtual TcxEditDefaultValuesProviderFactory GetDefaultValuesProviderClass();
  virtual void Loaded() {}

 protected:
  // Descendants with another provider class call it from their constructors.
  void CreateDefaultValuesProvider();

 private:
  TcxCustomEdit* edit_;
  IcxEditDefaultValuesProviderRef defaultValuesProvider_;
};
using TcxEditDataBindingFactory = std::function<std::unique_ptr<TcxEditDataBinding>(TcxCustomEdit* AEdit)>;

// What an edit or a grid item learns from a repository item it uses.
class IcxEditRepositoryItemListener {
 public:
  virtual void ItemRemoved(TcxEditRepositoryItem* Sender) = 0;
  virtual void PropertiesChanged(TcxEditRepositoryItem* Sender) = 0;

 protected:
  ~IcxEditRepositoryItemListener() = default;
};

// Named, shareable properties.
class TcxEditRepositoryItem : public TComponent {
  TRENVIK_CLASS(TcxEditRepositoryItem, TComponent);

 public:
  explicit TcxEditRepositoryItem(TComponent* AOwner);
  ~TcxEditRepositoryItem() override;

  TcxCustomEditProperties* Properties() const { return properties_.get(); }
  void SetProperties(TcxCustomEditProperties* Value) { properties_->Assign(Value); }
  TcxEditRepository* Repository() const { return repository_; }
  void SetRepository(TcxEditRepository* Value);
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }

  virtual void PropertiesChanged(TObject* Sender);
  virtual void AddListener(IcxEditRepositoryItemListener* AListener);
  virtual TClass GetPropertiesClass() { return TcxCustomEditProperties::StaticClass(); }
  virtual void RemoveListener(IcxEditRepositoryItemListener* AListener);

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return repository_ != nullptr; }
  void SetParentComponent(TComponent* AParent) override;
  // An item read from a form file joins the repository it was written in.
  void ReadState(TReader* Reader) override;

 protected:
  // Descendants with another properties class call it from their constructors.
  void CreateProperties();

 private:
  std::vector<IcxEditRepositoryItemListener*> listeners_;
  std::unique_ptr<TcxCustomEditProperties> properties_;
  TcxEditRepository* repository_ = nullptr;
};

class TcxEditRepository : public TComponent {
  TRENVIK_CLASS(TcxEditRepository, TComponent);

 public:
  explicit TcxEditRepository(TComponent* AOwner);
  ~TcxEditRepository() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TcxEditRepositoryItem* Items(int AIndex) const;
  void AddItem(TcxEditRepositoryItem* AItem);
  void RemoveItem(TcxEditRepositoryItem* AItem);
  // A new item of AItemClass owned by the repository's owner.
  TcxEditRepositoryItem* CreateItem(TClass AItemClass);
  TcxEditRepositoryItem* CreateItemEx(TClass AItemClass, TComponent* AOwner);
  // Clears, without notification, every item's reference to the provider of that instance.
  void RemoveDefaultValuesProvider(IcxEditDefaultValuesProvider* AProvider);
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  std::vector<TcxEditRepositoryItem*> items_;
};

TcxEditRepository* GetDefaultEditRepository();
TcxRegisteredClasses* GetRegisteredEditProperties();
void cxEditRegistryFinalize();

// What a container keeps per cell for an editor between activations (a drop-down's popup size).
class TcxCustomEditData : public TObject {
  TRENVIK_CLASS(TcxCustomEditData, TObject);

 public:
  TcxCustomEditData() = default;
};
using TcxEditDataFactory = std::function<std::unique_ptr<TcxCustomEditData>()>;

// The window control an edit hosts (the text box of the text editors), as the edit drives it.
class IcxCustomInnerEdit : public IcxContainerInnerControl {
 public:
  virtual void GetEditValue(Variant& Value) = 0;
  virtual TNotifyEvent GetOnChange() = 0;
  virtual bool GetReadOnly() = 0;
  // Counted: while locked, moving or sizing the control does nothing.
  virtual void LockBounds(bool ALock) = 0;
  // Focuses the control without selecting its text; answers whether it selects text on entry.
  virtual bool SafelySetFocus() = 0;
  virtual void SetEditValue(const Variant& Value) = 0;
  virtual void SetParent(TWinControl* AParent) = 0;
  virtual void SetOnChange(TNotifyEvent Value) = 0;
  virtual void SetReadOnly(bool Value) = 0;

 protected:
  ~IcxCustomInnerEdit() = default;
};

// The mouse-key flags of a shift state.
WPARAM ShiftStateToMouseKeys(TShiftState AShift);

using TcxInplaceEditKeyDownEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TcxEditEditingEvent = std::function<void(TObject* Sender, bool& CanEdit)>;

class TcxCustomEdit : public TcxContainer, public IcxEditRepositoryItemListener {
  TRENVIK_CLASS(TcxCustomEdit, TcxContainer);
  TRENVIK_MESSAGES(TcxCustomEdit);

 public:
  explicit TcxCustomEdit(TComponent* AOwner);
  ~TcxCustomEdit() override;
  // An edit of AClass (a descendant of TcxCustomEdit) made for a grid cell: IsInplace is set before
  // its constructor runs.
  static TcxCustomEdit* CreateInplace(TClass AClass, TComponent* AOwner);

  // --- Value model ---
  const Variant& EditValue() const { return editValue_; }
  void SetEditValue(const Variant& Value);
  bool IsInplace() const { return isInplace_; }
  bool Modified() const { return modified_; }
  void SetModified(bool Value);
  bool ModifiedAfterEnter() const { return modifiedAfterEnter_; }
  void SetModifiedAfterEnter(bool Value);
  bool IsPosting() const { return posting_; }
  void SaveModified();
  void RestoreModified();
  bool ValidateEdit(bool ARaiseException);
  void PostEditValue();
  bool CanPostEditValue() { return dataBinding_->GetModified() && !IsDesigning(); }
  // Takes a validated display value.
  virtual void SetInternalDisplayValue(const Variant& Value);

  // --- Properties and repository ---
  TcxCustomEditProperties* Properties() const { return properties_.get(); }
  void SetProperties(TcxCustomEditProperties* Value) { properties_->Assign(Value); }
  TcxCustomEditProperties* GetActiveProperties();
  TcxCustomEditProperties* GetEffectiveProperties() { return GetActiveProperties(); }
  TcxEditRepositoryItem* RepositoryItem() const { return repositoryItem_; }
  void SetRepositoryItem(TcxEditRepositoryItem* Value);
  TcxEditDataBinding* DataBinding() const { return dataBinding_.get(); }
  // Any visible button of the active properties.
  bool HasVisibleButtons();

  bool AutoSize() const { return autoSize_; }
  // In-place edits never auto-size.
  void SetAutoSize(bool Value);

  // --- In-place activation: the container owns the edit data it passes in ---
  virtual void Activate(std::unique_ptr<TcxCustomEditData>& AEditData);
  // The key that opened the editor is typed into it.
  void ActivateByKey(Char AKey, std::unique_ptr<TcxCustomEditData>& AEditData);
  // X and Y are in the parent's client coordinates; the click that opened the editor reaches it.
  void ActivateByMouse(TShiftState AShift, int X, int Y, std::unique_ptr<TcxCustomEditData>& AEditData);
  // False keeps the editor open (the value did not validate).
  virtual bool Deactivate();
  TcxCustomEditData* EditData() const { return editData_; }
  void ClearEditData(TcxCustomEditData* AEditData) {
    if (editData_ == AEditData) editData_ = nullptr;
  }
  virtual TcxEditDataFactory GetEditDataClass() { return nullptr; }
  virtual void InitializeEditData() {}
  virtual bool CanSendActivationKey(Char) { return true; }
  // While a key activation runs the edit sees the inner control's messages first.
  void HookInnerEditWindowProc();
  void UnhookInnerEditWindowProc();
  bool IsInnerEditHooked() const { return previousInnerWindowProc_ != nullptr; }
  // Passes the message on to the inner control's own procedure (text editors filter here).
  virtual void InnerEditWindowProc(TMessage& Message) { previousInnerWindowProc_(Message); }

  // Asks the edit to raise AText once the current message has finished.
  void PostDeferredError(const String& AText);

  bool Focused() override;
  void SetFocus() override;
  TcxContainerStyleClass GetStyleClass() override;
  TcxContainerViewInfoClass GetViewInfoClass() override;
  // The container's view info as the editor's own class.
  TcxCustomEditViewInfo* EditViewInfo();
  // The size form files keep: without the shadow, which the edit adds again when it is read.
  int StreamedWidth() { return Width() - StreamedShadowSize(); }
  int StreamedHeight() { return Height() - StreamedShadowSize(); }

  // --- View info and buttons ---
  // The button the left mouse button went down on while the edit captured the mouse, or -1.
  int CapturedButton() const { return capturedButton_; }
  void ForgetCapturedButton() { capturedButton_ = -1; }
  // A view data of the active properties for this edit (nullptr edit while it is unavailable).
  std::unique_ptr<TcxCustomEditViewData> CreateViewData();
  virtual void InitializeViewData(TcxCustomEditViewData* AViewData);
  using TcxContainer::CalculateViewInfo;
  void CalculateViewInfo(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent);
  void CalculateViewInfoAtCursor();
  // Recalculates at the cursor with no mouse button.
  void UpdateViewInfoAtCursor(bool AIsMouseEvent);
  // Index of the button view info under P (client coordinates), or -1.
  int GetButtonIndexAt(POINT P);
  bool RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) override;
  void CalculateViewInfo(POINT P, bool AHotTrackAllowed) override;
  // The control's colour (and its inner control's) follow the style.
  void ContainerStyleChanged(TObject* Sender) override;
  // A font set on the control becomes the style's, not counted as assigned there.
  void FontChanged() override;
  // Brushes of system colours are made again after a theme change.
  void ThemeChanged() override;
  // --- Layout ---
  // The measured size for the edit value: the height (and, when it may, the width) of an auto-sized edit.
  void AdjustInnerControl() override;
  // Moves the inner control onto the client area.
  virtual void AdjustInnerEditPosition();
  virtual void GetEditSizeProperties(TcxEditSizeProperties& ASizeProperties);
  virtual bool CanAutoSizeEdit() { return true; }
  virtual bool CanAutoWidth() { return false; }
  bool CanResize(int& NewWidth, int& NewHeight) override;
  // The edit's size for its value, measured on the screen canvas.
  SIZE MeasureEditSize();
  using TcxContainer::MouseLeave;
  void MouseLeave(TControl* AControl) override;
  // A mouse move over the inner control AInner (in its coordinates) tracks as one over the edit.
  void InnerControlMouseMove(TControl* AInner, TShiftState Shift, int X, int Y);
  // PopupMenu when set, else the editor's own default menu, made afresh for each request.
  TComponent* GetPopupMenu() override;
  // The menu used when PopupMenu is not set (text editors give one); nullptr here.
  virtual TComponent* GetDefaultPopupMenu() { return nullptr; }
  // The hosted control, or nullptr for editors without one.
  IcxCustomInnerEdit* InnerEdit() const { return innerEdit_; }
  // An inner edit is expected but missing, or the edit is going away: views are drawn without it.
  virtual bool IsEditUnavailable();
  // The inner control paints the text itself.
  virtual bool InnerEditDrawsText() { return false; }
  // The style as the editor's own class.
  TcxCustomEditStyle* Style();
  void SetName(const String& NewName) override;

  TcxEditEditingEvent OnEditing;
  TNotifyEvent OnFocusChanged;
  // Installed by in-place users (the grid's editing controller).
  TcxInplaceEditKeyDownEvent OnInplaceKeyDown;
  TNotifyEvent OnInplacePost;

  // IcxEditRepositoryItemListener
  void ItemRemoved(TcxEditRepositoryItem* Sender) override;
  void PropertiesChanged(TcxEditRepositoryItem* Sender) override;

  // --- Virtual operations, in the family's slot order ---
  virtual void EndPosting() { posting_ = false; }
  virtual void BeginPosting() { posting_ = true; }
  virtual bool CanKeyDownModifyEdit(WORD, TShiftState) { return false; }
  virtual bool CanKeyPressModifyEdit(Char) { return false; }
  virtual bool CanModify();
  virtual void ChangeHandler(TObject* Sender);
  virtual void DoClickDefaultButton();
  virtual void DoButtonClick(int AVisibleIndex);
  virtual void DoButtonDown(int) {}
  virtual void DoButtonUp(int) {}
  virtual bool DoEditing();
  virtual void DoEditKeyDown(WORD& Key, TShiftState Shift);
  virtual void DoEditKeyPress(Char& Key) { ValidateKeyPress(Key); }
  virtual void DoEditKeyUp(WORD&, TShiftState) {}
  virtual TcxEditDataBindingFactory GetDataBindingClass();
  virtual void GetDisplayValue(Variant& Value) { Value = Null(); }
  virtual void GetEditValue(Variant& Value) { Value = editValue_; }
  virtual void HandleValidationError(const String& ErrorText);
  virtual void InternalSetDisplayValue(const Variant&) {}
  virtual void InternalSetEditValue(const Variant& Value, bool AValidateEditValue);
  virtual bool IsActiveControl();
  virtual bool IsClickKey(WORD Key, TShiftState Shift);
  virtual bool IsEditValueStored() { return !VarIsNull(editValue_); }
  int StreamedShadowSize();
  virtual bool IsRepositoryItemAcceptable(TcxEditRepositoryItem* AItem);
  virtual bool IsValidChar(Char AChar);
  virtual void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused);
  virtual void PropertiesChanged(TObject* Sender);
  virtual void RepositoryItemChanged() {}
  virtual void Reset();
  virtual bool SetValidatedDisplayValue(Variant&) { return false; }
  virtual void SetInnerEditDisplayValue(const Variant&) {}
  virtual void SynchronizeDisplayValue() {}
  virtual void SynchronizeEditValue() {}
  virtual void UpdateDrawValue() {}
  virtual bool ValidateKeyDown(WORD& Key, TShiftState Shift);
  virtual bool ValidateKeyPress(Char& Key);
  virtual TClass GetPropertiesClass() { return TcxCustomEditProperties::StaticClass(); }
  virtual void Clear() {}
  virtual void CopyToClipboard() {}
  virtual void CutToClipboard() {}
  virtual bool HasPopupWindow() { return false; }
  virtual bool IsEditFocused() { return Focused(); }
  virtual void PasteFromClipboard() {}
  virtual void DisplayToEditValue(const Variant&, Variant&, bool) {}
  virtual void SelectAll() {}

  // The key events in-place users forward too.
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

 protected:
  void DoEnter() override;
  void DoExit() override;
  void FocusChanged() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Clips the window to what the view info draws (the border and its shadow).
  virtual void UpdateEditRegion();
  // A press, click and release of buttons between the old view info and the current one.
  virtual void ButtonsStateChanged(TcxCustomEditViewInfo* AOldViewInfo, int AButton);
  void DoChange();
  void DoEditValueChanged();
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  // Descendants with another properties or binding class call these from their constructors.
  void CreateProperties();
  void CreateDataBinding();
  void BindPropertiesChanged();
  // Takes AControl as the hosted control when it implements IcxCustomInnerEdit (else the edit is
  // left without one): parented to the edit, its changes reported to ChangeHandler.
  void InitializeInnerEdit(TWinControl* AControl);
  // Lets the inner control go before it is freed.
  void ReleaseInnerEdit();
  void CreateHandle() override;
  // The edit owns the default menu it hands out until the next request or its own end.
  TPopupMenu* KeepDefaultPopupMenu(std::unique_ptr<TPopupMenu> AMenu);
  bool IsClearing() const { return clearing_; }

 private:
  struct TSavedFlags {
    bool Modified;
    bool ModifiedAfterEnter;
  };

 protected:
  // A clear key or clipboard command is changing the value (DoEditing is asked first).
  class TClearingScope {
   public:
    explicit TClearingScope(TcxCustomEdit* AEdit) : edit_(AEdit) { edit_->clearing_ = true; }
    ~TClearingScope() { edit_->clearing_ = false; }
    TClearingScope(const TClearingScope&) = delete;
    TClearingScope& operator=(const TClearingScope&) = delete;

   private:
    TcxCustomEdit* edit_;
  };

 private:
  void FreeDeferredErrorBlocks();

  void WMClear(TMessage& Message);
  void WMCopy(TMessage& Message);
  void WMCut(TMessage& Message);
  void WMPaste(TMessage& Message);
  void CMDeferredError(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void MoveFocusAfterTab(TShiftState Shift);

  std::unique_ptr<TcxCustomEditProperties> properties_;
  TcxEditRepositoryItem* repositoryItem_ = nullptr;
  std::unique_ptr<TcxEditDataBinding> dataBinding_;
  Variant editValue_;
  Variant savedValue_;
  bool isInplace_;
  bool autoSize_ = true;
  TcxCustomEditData* editData_ = nullptr;
  bool modified_ = false;
  bool modifiedAfterEnter_ = false;
  bool validated_ = false;
  bool clearing_ = false;
  bool inDoEditing_ = false;
  bool posting_ = false;
  bool focusingForError_ = false;
  bool lastFocusedActive_ = false;
  int capturedButton_ = -1;
  IcxCustomInnerEdit* innerEdit_ = nullptr;
  std::unique_ptr<TPopupMenu> defaultPopupMenu_;
  bool expectsInnerEdit_ = false;
  TWndMethod previousInnerWindowProc_;
  bool adjustingSize_ = false;
  bool shadowChanged_ = false;
  bool applyingStyle_ = false;
  std::vector<TSavedFlags> savedFlags_;
  // The deferred-error blocks this edit posted and has not yet received.
  std::set<const void*> deferredErrorBlocks_;
};

// One hidden in-place editor per properties object, created on first use.
class TcxInplaceEditList : public TObject {
  TRENVIK_CLASS(TcxInplaceEditList, TObject);

 public:
  struct TItem {
    std::unique_ptr<TcxCustomEdit> Edit;
    TcxCustomEditProperties* Properties;
  };

  TcxInplaceEditList() = default;
  ~TcxInplaceEditList() override;

  int Count() const { return static_cast<int>(items_.size()); }
  const TItem& Items(int AIndex) const { return items_.at(AIndex); }
  TcxCustomEdit* FindEdit(TcxCustomEditProperties* AProperties) const;
  // The cached edit, with the current settings copied in every time.
  TcxCustomEdit* GetEdit(TcxCustomEditProperties* AProperties);
  TcxCustomEdit* GetEditByPropertiesClass(TClass AClass);
  void RemoveItem(TcxCustomEditProperties* AProperties);
  void Clear();

  virtual TcxCustomEdit* CreateEdit(TcxCustomEditProperties* AProperties);

 private:
  int FindItem(TcxCustomEditProperties* AProperties) const;

  std::vector<TItem> items_;
};
