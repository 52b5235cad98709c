// IcxCustomInnerEdit for the framework's edit controls: the single-line and the multi-line inner
// edits of the text editors share it.
#pragma once

#include <utility>

#include "cx/editors/cxEdit.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

template <class TEditBase>
class TcxInnerEditControl : public TEditBase, public IcxCustomInnerEdit {
 public:
  explicit TcxInnerEditControl(TcxCustomEdit* AOwner) : TEditBase(AOwner), owner_(AOwner) {}

  TcxContainer* GetContainer() override { return owner_; }
  TWinControl* GetControl() override { return this; }
  void GetEditValue(Variant& Value) override { Value = Variant(this->Text()); }
  TNotifyEvent GetOnChange() override { return this->OnChange; }
  bool GetReadOnly() override { return this->ReadOnly(); }
  void LockBounds(bool ALock) override {
    if (ALock)
      ++boundsLock_;
    else if (boundsLock_ > 0)
      --boundsLock_;
  }
  bool SafelySetFocus() override {
    const bool autoSelect = this->AutoSelect();
    this->SetAutoSelect(false);
    TScopeExit restore([this, autoSelect] { this->SetAutoSelect(autoSelect); });
    if (this->CanFocus()) this->SetFocus();
    return autoSelect;
  }
  void SetEditValue(const Variant& Value) override { this->SetText(VarToStr(Value)); }
  void SetParent(TWinControl* AParent) override { TEditBase::SetParent(AParent); }
  void SetOnChange(TNotifyEvent Value) override { this->OnChange = std::move(Value); }
  void SetReadOnly(bool Value) override { TEditBase::SetReadOnly(Value); }

  // The edit's menu, so a right click on the text shows what one on the frame shows.
  TComponent* GetPopupMenu() override { return owner_->GetPopupMenu(); }

 protected:
  // The edit decides about every key, as if it had received it itself.
  void KeyDown(WORD& Key, TShiftState Shift) override {
    owner_->KeyDown(Key, Shift);
    if (Key != 0) TEditBase::KeyDown(Key, Shift);
  }
  void KeyPress(Char& Key) override {
    owner_->KeyPress(Key);
    if (Key != 0) OwnerKeyPressed(Key);
    if (Key != 0) TEditBase::KeyPress(Key);
  }
  // Enter and Esc in an edit whose popup is open close the popup; the form's default and cancel
  // buttons do not hear them.
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CM_WANTSPECIALKEY && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) &&
        owner_->HasPopupWindow()) {
      Message.Result = 1;
      return;
    }
    TEditBase::WndProc(Message);
  }
  // A character the edit let through; the control may still keep it from the window control.
  virtual void OwnerKeyPressed(Char&) {}
  void KeyUp(WORD& Key, TShiftState Shift) override {
    owner_->KeyUp(Key, Shift);
    if (Key != 0) TEditBase::KeyUp(Key, Shift);
  }
  // The edit tracks the mouse over its text area as over its frame (hot tracking).
  void MouseMove(TShiftState Shift, int X, int Y) override {
    TEditBase::MouseMove(Shift, X, Y);
    owner_->InnerControlMouseMove(this, Shift, X, Y);
  }

 public:

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override {
    if (boundsLock_ > 0) return;
    TEditBase::SetBounds(ALeft, ATop, AWidth, AHeight);
  }

 protected:
  TcxCustomEdit* Owner() const { return owner_; }

 private:
  TcxCustomEdit* owner_;
  int boundsLock_ = 0;
};
