// The framework's lookup list controls: TDBLookupListBox shows rows of a list dataset (its
// ListField) and chooses one by its KeyField value (KeyValue); TPopupDataList is that list as a
// pop-up window, sized to RowCount rows, for drop-down editors.
#pragma once

#include <memory>

#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Controls.h"
#include "platform/rtl/Variant.h"

class TDBLookupListBox;

// The list's link: its window is the list's rows.
class TListSourceLink : public TDataLink {
  TRENVIK_CLASS(TListSourceLink, TDataLink);

 public:
  explicit TListSourceLink(TDBLookupListBox* List) : list_(List) {}

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void LayoutChanged() override;

 private:
  TDBLookupListBox* list_;
};

class TDBLookupListBox : public TCustomControl {
  TRENVIK_CLASS(TDBLookupListBox, TCustomControl);

 public:
  explicit TDBLookupListBox(TComponent* AOwner);
  ~TDBLookupListBox() override;

  TDataSource* ListSource() const { return listLink_->DataSource(); }
  void SetListSource(TDataSource* Value);
  const String& KeyField() const { return keyField_; }
  void SetKeyField(const String& Value);
  const String& ListField() const { return listField_; }
  void SetListField(const String& Value);
  // The key of the chosen row; Null when none is chosen.
  const Variant& KeyValue() const { return keyValue_; }
  void SetKeyValue(const Variant& Value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int Value);
  // The text of the chosen row's list field.
  String SelectedText() const { return selectedText_; }
  // The rows' height in the control's font.
  int ItemHeight();
  bool ListActive() const;

  TNotifyEvent OnKeyValueChange;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The height the frame adds to the rows (the list is sized to RowCount rows and its frame).
  virtual int GetBorderSize();
  // Chooses the row of the link's window (0-based), moving the list dataset to it.
  void SelectRow(int Row);

 private:
  friend class TListSourceLink;
  TField* KeyFieldOf() const;
  TField* ListFieldOf() const;
  void ListChanged();
  void UpdateHeight();

  std::unique_ptr<TListSourceLink> listLink_;
  String keyField_;
  String listField_;
  Variant keyValue_;
  String selectedText_;
  int rowCount_ = 7;
};

class TPopupDataList : public TDBLookupListBox {
  TRENVIK_CLASS(TPopupDataList, TDBLookupListBox);

 public:
  explicit TPopupDataList(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
};
