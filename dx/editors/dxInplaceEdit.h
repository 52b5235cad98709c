// The base of every dx editor. One class serves two roles, chosen per editor class by IsInplace:
// an in-place editor owned by a host (TCustomdxContainer) and laid over the cell being edited, or a
// stand-alone control on a form. Editor classes also paint cells without an instance: a host fills
// view data and asks the class (TdxInplaceEditClass) to lay the cell out and paint it.
#pragma once

#include <functional>
#include <memory>

#include "dx/editors/dxEditStyles.h"
#include "dx/editors/dxEditViewData.h"
#include "platform/forms/Controls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

class TCustomdxContainer;
class TdxInplaceEdit;

TRENVIK_DECLARE_EXCEPTION(EdxEditInvalidInput, Exception);

using TdxEditValidateEvent = std::function<void(TObject* Sender, String& ErrorText, bool& Accept)>;

// Stored-values mask bits: which defaultable properties were set explicitly.
constexpr Byte dxsvAlignment = 0x01;
constexpr Byte dxsvMaxLength = 0x02;
constexpr Byte dxsvEditMask = 0x04;
constexpr Byte dxsvReadOnly = 0x40;

// The class operations of an editor class: callable without an instance. Each editor family that
// paints differently has its own; every editor class has one instance of it (its class reference).
class TdxInplaceEditMetaClass {
 public:
  virtual ~TdxInplaceEditMetaClass() = default;
  // A new editor of the class (the host's one cached editor per class is made through this).
  virtual TdxInplaceEdit* Create(TComponent* AOwner) const = 0;
  virtual const char* Name() const = 0;

  virtual void CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo) const;
  // Paints one cell from its view data; with a clip region, takes the cell out of it.
  virtual void Draw(HDC DC, const RECT& Rect, HRGN ClipRegion, TdxEditViewData* ViewData) const;
  virtual void DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) const;
  virtual bool DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const;
  virtual TCursor GetCursorAt(int X, int Y, TdxEditViewData* ViewData) const;
  virtual int GetMinHeight(TdxEditViewData* ViewData) const;
  virtual void GetContentSize(TdxEditViewData* ViewData, RECT& Rect) const;
  // GetViewDataClass: a new, empty view data of the family's class.
  virtual std::unique_ptr<TdxEditViewData> CreateViewDataObject() const;
  virtual bool IsInplace() const { return true; }
  // Whether the class shows a text field (copied into view data; decides the look of some cells).
  virtual bool IsEditClass() const { return false; }
  // GetEditStyleClass of stand-alone editors: their own style, linked to its default controller.
  virtual std::unique_ptr<TdxEditStyle> CreateStandAloneStyle(TdxInplaceEdit* Editor) const;

  // Supporting operations shared by the families.
  static void CalcBorderInfo(TdxEditViewData* ViewData, TdxEditViewInfo& ViewInfo);
  static void InflateByBorder(RECT& Rect, const TdxEditViewInfo& ViewInfo, bool Grow);
  // nullptr: the whole window.
  static HRGN GetBorderRegion(const TdxEditViewInfo& ViewInfo);
};
using TdxInplaceEditClass = const TdxInplaceEditMetaClass*;

// The class reference of editor class TEditor whose class operations are those of TMeta.
template <class TEditor, class TMeta>
class TdxEditClassOf final : public TMeta {
 public:
  explicit TdxEditClassOf(const char* Name) : name_(Name) {}
  TdxInplaceEdit* Create(TComponent* AOwner) const override { return new TEditor(AOwner); }
  const char* Name() const override { return name_; }

 private:
  const char* name_;
};

class TdxInplaceEdit : public TWinControl {
  TRENVIK_CLASS(TdxInplaceEdit, TWinControl);
  TRENVIK_MESSAGES(TdxInplaceEdit);

 public:
  // Class is the editor's class reference; every editor class passes its own.
  TdxInplaceEdit(TComponent* AOwner, TdxInplaceEditClass Class);
  ~TdxInplaceEdit() override;

  // The class reference (the "class of" the instance).
  TdxInplaceEditClass EditClass() const { return class_; }
  bool IsInplace() const { return class_->IsInplace(); }

  // --- Overridable operations, in the order the hosts rely on ---
  virtual void SetEditValue(const Variant& Value);                               // 1
  virtual void UpdateDataDefaults();                                             // 2
  virtual void GetEditValue(Variant& Value, bool FromDefinition);               // 3
  virtual void GetEditingValue(Variant& Value);                                  // 4
  virtual void LoadValue();                                                      // 5
  virtual void FocusEdit(bool& Focused);                                         // 6
  virtual void RefreshFromDataDefinition();                                      // 7
  virtual void PostEditValue();                                                  // 8
  virtual void DataHook() {}                                                     // 9
  virtual bool IsValidChar(Char Key);                                            // 10
  virtual void Change();                                                         // 11
  virtual TObject* CreateDataDefinition() { return nullptr; }                    // 12
  virtual std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition);  // 13
  virtual void DoSetFocus();                                                     // 14
  virtual bool CanModify();                                                      // 15
  virtual bool GetDisableCloseEditor() { return disableCloseEditor_; }           // 16
  virtual TClass GetEditStyleClass() const;                                      // 17
  virtual bool GetModified() { return modified_; }                               // 18
  virtual bool IsTextChangingKey(WORD Key, TShiftState Shift);                   // 19
  virtual bool IsControlKeyDown();                                               // 20
  virtual bool InvalidatesOnFocusChange() { return !IsEditClass(); }             // 21
  virtual bool HandlesMouseWheel() { return false; }                             // 22
  virtual bool WantsTabs() { return false; }                                     // 23
  virtual void MoveToAdjacentColumn(bool Backward);                              // 24
  virtual void Reset();                                                          // 25
  virtual void SetActive(bool Active);                                           // 26
  virtual void ApplyAlignment(TAlignment Value);                                 // 27
  virtual void ApplyReadOnly(bool Value);                                        // 28
  virtual void SetModified(bool Value) { modified_ = Value; }                    // 29
  virtual void SetSelected(bool Value) { selected_ = Value; }                    // 30
  virtual void StyleChanged();                                                   // 31
  virtual void ShowImmediateDropDown() {}                                        // 32
  virtual bool IsEditable() { return !ReadOnly(); }                              // 33
  virtual TAlignment GetDefaultAlignment() { return taLeftJustify; }             // 34
  virtual bool GetDefaultReadOnly() { return false; }                            // 35
  virtual bool GetDataReadOnly() { return false; }                               // 36
  virtual void CaretToEnd() {}                                                   // 37
  virtual void DoKillFocus(HWND FocusedWindow);                                  // 38
  virtual void GetEditingText(String& Text);                                     // 39
  virtual void HideEdit();                                                       // 40
  virtual bool IsEditClass() { return class_->IsEditClass(); }                   // 41
  virtual bool ValidatesOnEnter() { return false; }                              // 42
  virtual bool IsFocused();                                                      // 43
  virtual bool PaintsInactiveAsCell() { return !Enabled(); }                     // 44
  virtual bool IsDrawnSelected();                                                // 45
  virtual bool IsButtonAlwaysShown();                                            // 46
  virtual bool CanRestoreText() { return IsEditClass(); }                        // 47
  virtual bool IsTextual() { return IsEditClass(); }                             // 48
  virtual void PressAt(int, int) {}                                              // 49
  virtual void ActivateByClick() {}                                              // 50
  virtual void RestoreDefaults();                                                // 51
  virtual void SelectAll() {}                                                    // 52
  virtual void SetEditingText(const String& Text);                               // 53
  virtual void ShowEdit();                                                       // 54
  virtual void ValidateEdit();                                                   // 55
  // 56-64 are the class operations (TdxInplaceEditMetaClass).

  // --- Used by hosts ---
  TCustomdxContainer* GetContainer() const;
  void ShowAt(const RECT& Rect);
  void LockImmediateDropDown() { ++immediateDropDownLock_; }
  void UnlockImmediateDropDown() { --immediateDropDownLock_; }
  bool IsVisible() const { return IsInplace() ? inplaceVisible_ : Visible(); }
  void InvalidateEditor();
  void InvalidateWithContainer();
  void SetTextOffsets(const RECT& Rect);
  RECT TextOffsets() const { return textOffsets_; }
  void UpdateBounds();
  void RefreshHotLook();
  void LockValidation() { ++validationLock_; }
  void UnlockValidation() { --validationLock_; }

  // --- Properties ---
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  // AutoSize counts only for stand-alone classes.
  bool EffectiveAutoSize() const { return autoSize_ && !IsInplace(); }
  bool ReadOnly() const;
  bool IsAlignmentStored() const;
  bool IsReadOnlyStored() const;
  void SetReadOnly(bool Value);
  TdxEditStyle* Style() const { return style_.get(); }
  void SetStyle(TdxEditStyle* Value) { style_->Assign(Value); }
  TdxEditStyleController* StyleController() const { return styleController_; }
  void SetStyleController(TdxEditStyleController* Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  Byte StoredValues() const { return storedValues_; }
  void SetStoredValues(Byte Value) { storedValues_ = Value; }
  bool Hiding() const { return hiding_; }
  void SetHiding(bool Value) { hiding_ = Value; }
  void SetDisableCloseEditor(bool Value) { disableCloseEditor_ = Value; }
  bool ClickOpensPopup() const { return clickOpensPopup_; }
  DWORD ClickTime() const { return clickTime_; }
  void SetClickTime(DWORD Value) { clickTime_ = Value; }
  bool Active() const { return active_; }
  bool Selected() const { return selected_; }
  int ValidationLock() const { return validationLock_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TdxEditValidateEvent OnValidate;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DblClick() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;
  void WndProc(TMessage& Message) override;

  // The editor's own key handling after the routing (OnKeyDown / OnKeyPress).
  virtual void EditKeyDown(WORD& Key, TShiftState Shift);
  virtual void EditKeyPress(Char& Key);
  // The cancel step of Escape.
  void CancelStep() { Reset(); }
  // Paints the live editor (client area) and its border (non-client area).
  virtual void PaintLive(HDC DC);
  void PaintNonClient();

  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }

  bool prevModified_ = false;
  String prevText_;
  bool refreshGuard_ = false;
  bool clickOpensPopup_ = false;
  bool internalChange_ = false;

 private:
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TWMSetFocus& Message);
  void WMKillFocus(TWMSetFocus& Message);
  void WMKeyDownFilter(TWMKey& Message);
  void WMButtonDown(TWMMouse& Message);
  void WMMouseWheel(TWMMouseWheel& Message);
  void WMEditCommand(TMessage& Message);
  void WMEraseBkgnd(TWMEraseBkgnd& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMPaint(TWMPaint& Message);
  void WMSetCursor(TMessage& Message);
  void WMSize(TWMSize& Message);
  void WMImeComposition(TMessage& Message);
  void CMStyleChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);

  void RouteInplaceKeyDown(WORD& Key, TShiftState Shift);

  TdxInplaceEditClass class_;
  bool active_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TAlignment defaultAlignment_ = taLeftJustify;
  int immediateDropDownLock_ = 0;
  bool modified_ = false;
  RECT textOffsets_{};
  bool readOnly_ = false;
  bool selected_ = false;
  std::unique_ptr<TdxEditStyle> style_;
  TdxEditStyleController* styleController_ = nullptr;
  bool transparent_ = false;
  bool inplaceVisible_ = false;
  int validationLock_ = 0;
  bool hiding_ = false;
  bool disableCloseEditor_ = false;
  Byte storedValues_ = 0;
  DWORD clickTime_ = 0;
};

// A view data filled from the live editor, freed with its owner.
using TdxViewDataPtr = std::unique_ptr<TdxEditViewData>;

// Removes one pending message of that kind from the window's queue (a quit met is posted again).
void RemovePendingMessage(HWND Window, UINT Message);
