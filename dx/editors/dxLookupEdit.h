// The lookup cell editor: shows the text a lookup field finds in another dataset through a key,
// never lets it be typed freely, and instead searches the lookup rows incrementally as characters
// are typed, steps to the previous or next row, clears the key, and drops down the lookup rows.
// Choosing a row writes its key into the edited record's key field.
#pragma once

#include <memory>

#include "dx/editors/dxDropDownEdit.h"
#include "dx/editors/dxPopupListBox.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/dbctrls/DBLookup.h"

// The framework's pop-up data list with the editors' pop-up frame and shadow.
class TPopupDBLookupListBox : public TPopupDataList {
  TRENVIK_CLASS(TPopupDBLookupListBox, TPopupDataList);
  TRENVIK_MESSAGES(TPopupDBLookupListBox);

 public:
  explicit TPopupDBLookupListBox(TComponent* AOwner);
  TdxPopupBorder PopupBorder() const { return frame_.Border; }
  void SetPopupBorder(TdxPopupBorder Value);
  bool Shadow() const { return frame_.Shadow; }
  void SetShadow(bool Value);
  int ShadowSize() const { return frame_.ShadowSize; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  int GetBorderSize() override;

 private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSize(TMessage& Message);

  TdxPopupListFrame frame_;
};

class TdxInplaceLookupEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplaceLookupEdit, TdxInplaceDropDownEdit);

 public:
  explicit TdxInplaceLookupEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceLookupEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the lookup editor ---
  virtual void ClearValue();                          // 1
  virtual bool SelectKeyValue(const Variant& Value);  // 4

  // --- Overrides ---
  void SetEditValue(const Variant& Value) override;
  void SetActive(bool Active) override;
  bool IsEditable() override { return false; }
  bool GetDefaultReadOnly() override;
  void CloseUp(bool Accept) override;
  void SelectNextValue(int Delta, bool Cycle) override;
  void DropDown() override;
  void LocateText(const String& Text) override;

  TField* Field() const { return field_; }
  void SetField(TField* Value);
  const String& ListFieldName() const { return listFieldName_; }
  void SetListFieldName(const String& Value) { listFieldName_ = Value; }
  const Variant& KeyValue() const { return keyValue_; }
  void SetKeyValue(const Variant& Value);
  bool Detached = false;
  bool CanDeleteText = false;
  Word ClearKey = 0;
  TdxCloseUpEvent OnLookupCloseUp;
  TPopupDBLookupListBox* PopupList() const { return list_.get(); }
  bool Searching() const { return searching_; }
  const String& SearchText() const { return searchText_; }

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TDataSet* LookupDataSet() const { return field_ ? field_->LookupDataSet() : nullptr; }
  TField* ResultField() const;
  TField* LookupKeyField() const;
  TField* GetKeyField() const;
  String GetDisplayText(bool FromList);
  void SetKeyValueInternal(const Variant& Value);
  void ShowText(const String& Text);
  void ResetSearch();
  bool CanDropDown();
  void Search();
  void SelectTail(int From);
  bool WholeTextSelected();

  std::unique_ptr<TDataSource> listSource_;
  std::unique_ptr<TPopupDBLookupListBox> list_;
  TField* field_ = nullptr;
  bool searching_ = false;
  String searchText_;
  String listFieldName_;
  Variant keyValue_ = Null();
};
