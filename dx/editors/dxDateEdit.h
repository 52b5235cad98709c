// The date editor: a date in a text field, optionally through a date mask, with a calendar drop-down.
// Typed text is read by the date text routines; text that does not parse becomes a default date
// or, with DateValidation, is refused with "Invalid Date".
#pragma once

#include "dx/editors/dxCalendar.h"
#include "dx/editors/dxDropDownEdit.h"

TRENVIK_ENUM(TDateButton, btnToday, btnClear);
using TDateButtons = Set<TDateButton>;
TRENVIK_ENUM(TDateOnError, deToday, deNull);

using TdxDateValidateInputEvent =
    std::function<void(TObject* Sender, const String& Text, TDateTime& Date, String& Message, bool& Error)>;

class TdxInplaceDateEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplaceDateEdit, TdxInplaceDropDownEdit);

 public:
  explicit TdxInplaceDateEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceDateEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  virtual void DoDateValidateInput(const String& Text, TDateTime& Date, bool& Error, String& Message);

  void SetEditValue(const Variant& Value) override;
  void GetEditingValue(Variant& Value) override;
  void GetEditingText(String& Text) override;
  void Change() override;
  bool ValidatesOnEnter() override { return true; }
  bool GetDisableCloseEditor() override { return false; }
  void ValidateEdit() override;
  void DropDown() override;
  void CloseUp(bool Accept) override;

  TDateTime GetDate() const { return editDate_; }
  void SetDate(TDateTime Value);
  bool UseEditMask() const { return useEditMask_; }
  void SetUseEditMask(bool Value);
  void UpdateEditMask();
  TdxGridDatePopup* Calendar() const { return calendar_; }
  TDateTime DropDownDate() const { return dropDownDate_; }
  bool TextEdited() const { return textEdited_; }

  TDateButtons DateButtons{btnToday, btnClear};
  TDateOnError DateOnError = deNull;
  bool DateValidation = false;
  bool SaveTime = true;
  TNotifyEvent OnEditDateChange;
  TdxDateValidateInputEvent OnDateValidateInput;

 protected:
  bool IsEmptyMaskText();

 private:
  void SetDateInternal(TDateTime Value);
  void CalendarDateSelected(TObject* Sender);

  TDateTime editDate_ = dxNullDate;
  TDateTime dropDownDate_ = dxNullDate;
  bool textEdited_ = false;
  bool useEditMask_ = false;
  TdxGridDatePopup* calendar_ = nullptr;  // owned as a component of the editor
};
