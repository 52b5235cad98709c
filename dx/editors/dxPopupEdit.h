// The editor whose drop-down is any control of the application, borrowed into a sizable pop-up form
// for as long as the user works in it. Opening runs a nested message loop until the form closes; a
// handler may veto the close and supply the new text. Pop-up forms nest and close from the top.
#pragma once

#include <functional>

#include "dx/editors/dxDropDownEdit.h"
#include "platform/forms/Forms.h"

// Posted to the editor itself: show the pop-up form once the current input is processed.
constexpr UINT WM_DXSHOWPOPUPFORM = 0x8067;

TRENVIK_ENUM(TdxPopupEditFormBorderStyle, pbsDialog, pbsDialogHelp, pbsSimple, pbsSysPanel);

class TdxInplacePopupEdit;

class TdxPopupEditForm : public TCustomForm {
  TRENVIK_CLASS(TdxPopupEditForm, TCustomForm);
  TRENVIK_MESSAGES(TdxPopupEditForm);

 public:
  explicit TdxPopupEditForm(TComponent* AOwner);
  ~TdxPopupEditForm() override;

  virtual void ClosePopup(bool Accept);
  // Shows the form and runs messages until it closes.
  virtual void ShowPopup();
  // Builds the window again for changed border settings.
  void RebuildWindow() {
    if (HandleAllocated()) RecreateWnd();
  }

  TdxInplacePopupEdit* Editor() const { return editor_; }
  void SetEditor(TdxInplacePopupEdit* Value);
  TdxPopupEditFormBorderStyle PopupBorderStyle = pbsDialog;
  bool ClientEdge = false;
  bool FlatBorder = true;
  bool Sizeable = true;
  int MinWidth = 100;
  int MinHeight = 100;
  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right: the corner away from the editor.
  int GripCorner = 3;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void WMActivate(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void DropReopeningClick();

  TdxInplacePopupEdit* editor_ = nullptr;
  bool closing_ = false;
};

// The pop-up forms that are open, in opening order.
const std::vector<TdxPopupEditForm*>& OpenPopupEditForms();

using TdxPopupCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TdxPopupCloseUpEvent = std::function<void(TObject* Sender, String& Text, bool& Accept)>;
using TdxPopupEvent = std::function<void(TObject* Sender, const String& Text)>;

class TdxInplacePopupEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplacePopupEdit, TdxInplaceDropDownEdit);
  TRENVIK_MESSAGES(TdxInplacePopupEdit);

 public:
  explicit TdxInplacePopupEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplacePopupEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the popup editor ---
  virtual void PositionPopupForm(TdxPopupEditForm* Form);
  virtual bool DoCloseQuery(TdxPopupEditForm* Form);
  virtual void DoPopupCloseUp(TdxPopupEditForm* Form, String& Text, bool& Accept);
  virtual void ShowPopupForm();
  virtual void DoInitPopup();
  virtual void DoPopup(TdxPopupEditForm* Form);
  virtual void RestorePopupControl(TdxPopupEditForm* Form);
  virtual void PreparePopupForm(TdxPopupEditForm* Form);

  // --- Overrides ---
  bool IsEditClass() override { return !hideEditCursor_; }
  bool CanRestoreText() override { return true; }
  bool IsFocused() override;
  void HideEdit() override;
  void DropDown() override;

  bool HideEditCursor() const { return hideEditCursor_; }
  void SetHideEditCursor(bool Value);
  TControl* PopupControl() const { return popupControl_; }
  void SetPopupControl(TControl* Value);
  int PopupWidth() const { return popupWidth_; }
  void SetPopupWidth(int Value) { popupWidth_ = std::max(Value, popupMinWidth_); }
  int PopupHeight() const { return popupHeight_; }
  void SetPopupHeight(int Value) { popupHeight_ = std::max(Value, popupMinHeight_); }
  int PopupMinWidth() const { return popupMinWidth_; }
  void SetPopupMinWidth(int Value);
  int PopupMinHeight() const { return popupMinHeight_; }
  void SetPopupMinHeight(int Value);
  TdxPopupEditForm* PopupForm() const { return form_; }
  bool PopupOpen() const { return open_; }

  bool PopupAutoSize = true;
  TdxPopupEditFormBorderStyle PopupFormBorderStyle = pbsDialog;
  String PopupFormCaption;
  bool PopupFormClientEdge = false;
  bool PopupFormFlatBorder = true;
  bool PopupFormSizeable = true;
  TdxPopupCloseQueryEvent OnPopupCloseQuery;
  TdxPopupCloseUpEvent OnPopupCloseUp;
  TNotifyEvent OnInitPopup;
  TdxPopupEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void WMShowPopupForm(TMessage& Message);

  struct TSavedControl {
    TControl* Control = nullptr;
    TAlign Align = alNone;
    bool IsForm = false;
    TFormBorderStyle FormBorder = bsNone;
    RECT Bounds{};
    TWinControl* Parent = nullptr;
    bool Visible = false;
  };

  bool hideEditCursor_ = false;
  TControl* popupControl_ = nullptr;
  int popupWidth_ = 250, popupHeight_ = 200, popupMinWidth_ = 100, popupMinHeight_ = 100;
  TdxPopupEditForm* form_ = nullptr;  // owned as a component of the editor
  bool open_ = false;
  TSavedControl saved_;
};
