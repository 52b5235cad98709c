// The base of every editor that opens a pop-up window under (or above) itself: its settings, the
// drop-down and close-up protocol (events, focus, keys, mouse, immediate posting) and the popup
// size a user's resize leaves behind.
#pragma once

#include <functional>
#include <memory>

#include "cx/editors/cxEditPopupWindow.h"
#include "cx/editors/cxMaskEdit.h"

// Private message: the edit drops itself down (sent by the edit to itself).
constexpr UINT CM_DROPDOWN = 0x8067;

class TcxCustomDropDownEdit;
using TcxEditPopupWindowFactory = std::function<TcxCustomEditPopupWindow*(TcxCustomDropDownEdit* AEdit)>;

class TcxCustomDropDownEditProperties : public TcxCustomMaskEditProperties {
  TRENVIK_CLASS(TcxCustomDropDownEditProperties, TcxCustomMaskEditProperties);

 public:
  explicit TcxCustomDropDownEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool ImmediateDropDown() const { return immediateDropDown_; }
  void SetImmediateDropDown(bool Value) { immediateDropDown_ = Value; }
  bool ImmediatePopup() const { return immediatePopup_; }
  void SetImmediatePopup(bool Value) { immediatePopup_ = Value; }
  TAlignment PopupAlignment() const { return popupAlignment_; }
  void SetPopupAlignment(TAlignment Value) { SetAndNotify(popupAlignment_, Value); }
  bool PopupAutoSize() const { return popupAutoSize_; }
  void SetPopupAutoSize(bool Value) { popupAutoSize_ = Value; }
  bool PopupClientEdge() const { return popupClientEdge_; }
  void SetPopupClientEdge(bool Value) { SetAndNotify(popupClientEdge_, Value); }
  int PopupHeight() const { return popupHeight_; }
  // Raised to PopupMinHeight.
  void SetPopupHeight(int Value);
  int PopupMinHeight() const { return popupMinHeight_; }
  void SetPopupMinHeight(int Value);
  int PopupMinWidth() const { return popupMinWidth_; }
  void SetPopupMinWidth(int Value);
  bool PopupSizeable() const { return popupSizeable_; }
  void SetPopupSizeable(bool Value) { SetAndNotify(popupSizeable_, Value); }
  bool PopupSysPanelStyle() const { return popupSysPanelStyle_; }
  void SetPopupSysPanelStyle(bool Value) { SetAndNotify(popupSysPanelStyle_, Value); }
  int PopupWidth() const { return popupWidth_; }
  // 0 for negative values (the edit's width); a positive value is raised to PopupMinWidth.
  void SetPopupWidth(int Value);

  // The drop-down button's glyph; a usable one makes the button a glyph button, none a down arrow.
  TBitmap* ButtonGlyph();
  void SetButtonGlyph(TBitmap* Value);
  bool IsButtonGlyphStored() const;

  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnInitPopup;
  TNotifyEvent OnPopup;

  TClass GetContainerClass() override;
  bool IsLookupListInPopup() override { return true; }
  void Changed() override;

  // --- Operations it introduces, in slot order ---
  virtual int GetDropDownButtonIndex() { return 0; }
  // A click in the text area opens the popup.
  virtual bool DropDownOnClick() { return false; }
  // With ImmediatePost the value is posted after the window closed instead of at close-up.
  virtual bool PostAfterPopupClosed() { return false; }
  virtual TcxEditPopupWindowFactory GetPopupWindowClass();
  // The keyboard focus moves into the popup.
  virtual bool PopupTakesFocus() { return false; }

 private:
  template <class T>
  void SetAndNotify(T& AField, T AValue) {
    if (AField == AValue) return;
    AField = AValue;
    Changed();
  }

  TcxEditButton* DropDownButton();

  bool changing_ = false;
  bool immediateDropDown_ = true;
  bool immediatePopup_ = false;
  TAlignment popupAlignment_ = taLeftJustify;
  bool popupAutoSize_ = true;
  bool popupClientEdge_ = false;
  int popupHeight_ = 0;
  int popupMinHeight_ = 0;
  int popupMinWidth_ = 0;
  bool popupSizeable_ = false;
  bool popupSysPanelStyle_ = false;
  int popupWidth_ = 0;
};

// What an in-place drop-down keeps between activations: the size its user gave the popup.
class TcxCustomDropDownEditData : public TcxCustomEditData {
  TRENVIK_CLASS(TcxCustomDropDownEditData, TcxCustomEditData);

 public:
  TcxCustomDropDownEditData() = default;
  bool PopupResized = false;
  int PopupWidth = 0;
  int PopupHeight = 0;
};

// The look the popup's content follows: that of the edit's buttons (in place, of the edit's style).
class TcxEditPopupControlLookAndFeel : public TcxLookAndFeel {
  TRENVIK_CLASS(TcxEditPopupControlLookAndFeel, TcxLookAndFeel);

 public:
  explicit TcxEditPopupControlLookAndFeel(TcxCustomDropDownEdit* AEdit);
  // Announces a change when the edit's look now differs from the one last announced.
  void EditStyleChanged() { CheckValuesChanged(); }

 protected:
  TcxLookAndFeelKind GetEffectiveKind() const override;
  bool GetEffectiveNativeStyle() const override;

 private:
  TcxCustomDropDownEdit* edit_;
};

class TcxCustomDropDownEdit : public TcxCustomMaskEdit {
  TRENVIK_CLASS(TcxCustomDropDownEdit, TcxCustomMaskEdit);
  TRENVIK_MESSAGES(TcxCustomDropDownEdit);

 public:
  explicit TcxCustomDropDownEdit(TComponent* AOwner);
  ~TcxCustomDropDownEdit() override;

  TcxCustomDropDownEditProperties* ActiveProperties() {
    return static_cast<TcxCustomDropDownEditProperties*>(GetActiveProperties());
  }
  TcxCustomEditPopupWindow* PopupWindow() const { return popupWindow_.get(); }
  TcxEditPopupControlLookAndFeel* PopupControlsLookAndFeel() const { return popupLookAndFeel_.get(); }
  bool DroppedDown() { return HasPopupWindow(); }
  // Opens or closes (without accepting) the popup; the grid views call it.
  void SetDroppedDown(bool Value);
  bool IsPopupResized() const { return popupResized_; }
  void SetPopupResized(bool Value) { popupResized_ = Value; }
  bool ClosingByButton() const { return closingByButton_; }
  // The rectangle of the edit the popup aligns to, in the parent's coordinates.
  RECT GetPopupOwnerBounds();

  // --- Virtual operations, in slot order ---
  virtual bool CanDropDown() { return false; }
  virtual void CloseUp(bool AAccept);
  // Descendants whose properties name another window class call it again from their constructors.
  virtual void CreatePopupWindow();
  virtual void DoInitPopup();
  virtual void DoPopup();
  virtual void DropDown();
  virtual TWinControl* GetPopupFocusedControl();
  // The size of the popup's content; each descendant knows its own.
  virtual void CalculatePopupSize(SIZE& ASize) { ASize = SIZE{0, 0}; }
  virtual void InitializeLookupData();
  virtual void SetupPopupWindow();
  virtual void PositionPopupContent(const RECT& AClientRect);
  virtual void PreparePopup();
  // Handlers of the popup window's events.
  virtual void PopupWindowClosed(TObject* Sender);
  virtual void PopupWindowCloseQuery(TObject* Sender, bool& CanClose);
  virtual void PopupWindowClosing(TObject*) {}
  virtual void PopupWindowShowing(TObject*) {}
  virtual void PopupWindowShowed(TObject* Sender);
  // The lookup list moves by keys (or the wheel) at this moment.
  virtual bool CanSelectLookupItemByKey(bool AByWheel);

  TClass GetPropertiesClass() override { return TcxCustomDropDownEditProperties::StaticClass(); }
  bool Focused() override;
  bool HasPopupWindow() override;
  void DoButtonDown(int AButtonIndex) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  bool IsClickKey(WORD Key, TShiftState Shift) override;
  void PropertiesChanged(TObject* Sender) override;
  TcxEditDataFactory GetEditDataClass() override;
  void InitializeEditData() override;
  // The popup's look follows the edit's after each of these.
  void ContainerStyleChanged(TObject* Sender) override;
  bool RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) override;
  void ThemeChanged() override;
  // In place: the popup size a user gave it comes back from the edit data; ImmediatePopup opens it.
  void Activate(std::unique_ptr<TcxCustomEditData>& AEditData) override;
  // An open popup closes unaccepted and the edit data keeps whether its size was the user's.
  bool Deactivate() override;

 protected:
  // The lookup list is attached to the popup with the window, not at the first drop-down.
  void CreateHandle() override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The popup window is a form: the screen frees the forms still open at exit, the popup among them.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Posts the value when the edit may and ImmediatePost asks for it.
  void PostImmediately();
  // The lookup data's current key, Null without lookup data.
  Variant CurrentLookupKey();
  // The current key is another than AOldKey; keys of every kind compare (a lookup edit's key field
  // values too), not only item indexes.
  bool LookupKeyChanged(const Variant& AOldKey);
  void DoLookupClick();
  // Raised while keys or the wheel move the current item: OnClick does not fire then.
  int LookupClickLock = 0;

 private:
  void CMDropDown(TMessage& Message);
  TcxCustomDropDownEditData* DropDownEditData();
  // The press being handled is the one that closed the popup (the flag is used up).
  bool ClosedByThisClick();

  std::unique_ptr<TcxCustomEditPopupWindow> popupWindow_;
  std::unique_ptr<TcxEditPopupControlLookAndFeel> popupLookAndFeel_;
  bool popupResized_ = false;
  bool closingByButton_ = false;
  DWORD closingClickTime_ = 0;
  bool preparing_ = false;
};
