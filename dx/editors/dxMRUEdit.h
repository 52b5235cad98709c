// The pick editor whose list keeps the most recently used texts at the top, with an optional
// ellipsis button beside the drop-down button.
#pragma once

#include "dx/editors/dxPickEdit.h"

class TdxMRUEditViewData : public TdxDropDownEditViewData {
  TRENVIK_CLASS(TdxMRUEditViewData, TdxDropDownEditViewData);

 public:
  TdxMRUEditViewData() = default;
  bool ShowEllipsis = false;
};

class TdxMRUEditMetaClass : public TdxDropDownEditMetaClass {
 public:
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  void CalcButtons(TdxDropDownEditViewData* ViewData) const override;
};

class TdxInplaceMRUEdit : public TdxInplacePickEdit {
  TRENVIK_CLASS(TdxInplaceMRUEdit, TdxInplacePickEdit);

 public:
  explicit TdxInplaceMRUEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  static TdxInplaceEditClass StaticEditClass();

  virtual void DoButtonClick();
  // Puts the text at the top of Items (moving an entry equal but for case) and trims the list.
  virtual void AddItem(const String& Text);

  void ValidateEdit() override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  void ButtonDown(bool NoCapture, int ButtonIndex) override;
  void ButtonClick(int ButtonIndex) override;

  int MaxItemCount() const { return maxItemCount_; }
  void SetMaxItemCount(int Value);
  bool ShowEllipsis() const { return showEllipsis_; }
  void SetShowEllipsis(bool Value);
  TNotifyEvent OnButtonClick;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  void TrimItems();

  int maxItemCount_ = 7;
  bool showEllipsis_ = true;
};
