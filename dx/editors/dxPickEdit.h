// The combo-box-like cell editor: a text editor whose drop-down lists fixed strings (Items). Typing
// completes the text with the first item that starts with what was typed and selects the completed
// tail; in drop-down-list style only items (or, optionally, nothing) can be chosen.
#pragma once

#include <memory>

#include "dx/editors/dxDropDownEdit.h"
#include "dx/editors/dxPopupListBox.h"
#include "platform/classes/StringList.h"

class TdxInplacePickEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplacePickEdit, TdxInplaceDropDownEdit);

 public:
  explicit TdxInplacePickEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplacePickEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the pick editor ---
  virtual void ClearValue();                       // 1
  virtual void SetValueText(const String& Text);   // 2

  // --- Overrides ---
  bool IsEditable() override { return !dropDownListStyle_ && TdxInplaceDropDownEdit::IsEditable(); }
  void ApplyReadOnly(bool Value) override;
  bool CanRestoreText() override { return true; }
  void SetEditValue(const Variant& Value) override;
  void SetActive(bool Active) override;
  void DropDown() override;
  void CloseUp(bool Accept) override;
  void SelectNextValue(int Delta, bool Cycle) override;
  void LocateText(const String& Text) override;

  // The first item starting with the whole text, ignoring case; -1 for none or an empty text.
  int FindItem(const String& Text) const;
  TStringList* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  void SetSorted(bool Value);
  bool DropDownListStyle() const { return dropDownListStyle_; }
  void SetDropDownListStyle(bool Value);
  TdxPopupPickListBox* PopupList() const { return list_.get(); }
  bool CanDeleteText = false;
  bool Revertable = false;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DblClick() override;

 private:
  void ResetSearch();
  void Complete(Char& Key);
  bool WholeTextSelected();
  void SelectTail(int From);

  std::unique_ptr<TStringList> items_;
  std::unique_ptr<TdxPopupPickListBox> list_;
  bool dropDownListStyle_ = false;
  int itemIndex_ = -1;
  bool searching_ = false;
  String searchText_;
  bool keepSearch_ = false;
};
