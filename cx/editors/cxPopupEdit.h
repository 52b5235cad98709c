// The popup edit: a drop-down edit whose popup shows a control the user placed on a form (the
// PopupControl). While the popup is open the control lives in the popup window; when it closes the
// control goes back where it was, as it was.
#pragma once

#include "cx/editors/cxDropDownEdit.h"
#include "platform/forms/Forms.h"

class TcxCustomPopupEditProperties : public TcxCustomDropDownEditProperties {
  TRENVIK_CLASS(TcxCustomPopupEditProperties, TcxCustomDropDownEditProperties);

 public:
  explicit TcxCustomPopupEditProperties(TPersistent* AOwner);
  ~TcxCustomPopupEditProperties() override;

  void Assign(TPersistent* Source) override;

  // Not owned; cleared when the control is destroyed.
  TControl* PopupControl() const { return popupControl_; }
  void SetPopupControl(TControl* Value);

  void FreeNotification(TComponent* AComponent) override;
  TClass GetContainerClass() override;
  bool IsLookupListInPopup() override { return false; }
  TcxEditPopupWindowFactory GetPopupWindowClass() override;
  bool PopupTakesFocus() override { return true; }

 private:
  TComponent* NotifiedComponent() const;

  TControl* popupControl_ = nullptr;
};

class TcxPopupEditProperties : public TcxCustomPopupEditProperties {
  TRENVIK_CLASS(TcxPopupEditProperties, TcxCustomPopupEditProperties);

 public:
  explicit TcxPopupEditProperties(TPersistent* AOwner) : TcxCustomPopupEditProperties(AOwner) {
    SetImmediatePopup(true);
  }
};

class TcxPopupEditPopupWindow : public TcxCustomEditPopupWindow {
  TRENVIK_CLASS(TcxPopupEditPopupWindow, TcxCustomEditPopupWindow);

 public:
  explicit TcxPopupEditPopupWindow(TcxCustomDropDownEdit* AEdit) : TcxCustomEditPopupWindow(AEdit) {}
};

// What a popup control was before it moved into the popup.
struct TcxPopupControlState {
  TWinControl* Parent = nullptr;
  TAlign Align = alNone;
  RECT Bounds{};
  bool Visible = false;
  // A form loses its border inside the popup.
  bool IsForm = false;
  TFormBorderStyle BorderStyle = bsSizeable;
};

class TcxCustomPopupEdit : public TcxCustomDropDownEdit {
  TRENVIK_CLASS(TcxCustomPopupEdit, TcxCustomDropDownEdit);

 public:
  explicit TcxCustomPopupEdit(TComponent* AOwner);
  ~TcxCustomPopupEdit() override;

  TcxCustomPopupEditProperties* ActiveProperties() {
    return static_cast<TcxCustomPopupEditProperties*>(GetActiveProperties());
  }

  TClass GetPropertiesClass() override { return TcxPopupEditProperties::StaticClass(); }
  bool CanDropDown() override { return ActiveProperties()->PopupControl() != nullptr; }
  void DoInitPopup() override;
  TWinControl* GetPopupFocusedControl() override;
  void CalculatePopupSize(SIZE& ASize) override;
  void PositionPopupContent(const RECT& AClientRect) override;
  void PreparePopup() override;
  void PopupWindowClosed(TObject* Sender) override;

  // --- Operations it introduces ---
  virtual void RestorePopupControl();
  virtual void SavePopupControlState();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TcxPopupControlState saved_;
  // The control whose state is saved (it is in the popup window).
  TControl* movedControl_ = nullptr;
};

class TcxPopupEdit : public TcxCustomPopupEdit {
  TRENVIK_CLASS(TcxPopupEdit, TcxCustomPopupEdit);

 public:
  explicit TcxPopupEdit(TComponent* AOwner) : TcxCustomPopupEdit(AOwner) {}
};
