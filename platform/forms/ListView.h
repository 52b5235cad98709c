// A list view in report style: a header of columns over rows of items, each item a caption with
// sub-items for the further columns and, with Checkboxes, a check box before it.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/ClassesTypes.h"
#include "platform/classes/Collection.h"
#include "platform/classes/StringList.h"
#include "platform/forms/Controls.h"

TRENVIK_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport);
TRENVIK_ENUM(TItemChange, ctText, ctImage, ctState);

class TListView;
class TListItems;

class TListColumn : public TCollectionItem {
  TRENVIK_CLASS(TListColumn, TCollectionItem);

 public:
  explicit TListColumn(TCollection* Collection);
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

 protected:
  String GetDisplayName() override { return caption_; }

 private:
  String caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TOwnedCollection {
  TRENVIK_CLASS(TListColumns, TOwnedCollection);

 public:
  explicit TListColumns(TListView* Owner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TListView* view_;
};

class TListItem : public TPersistent {
  TRENVIK_CLASS(TListItem, TPersistent);

 public:
  explicit TListItem(TListItems* Owner);
  ~TListItem() override;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  // The texts of the columns after the first.
  TStrings* SubItems() const { return subItems_.get(); }
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);
  void* Data() const { return data_; }
  void SetData(void* Value) { data_ = Value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value) { imageIndex_ = Value; }
  int Index() const;
  TListItems* Owner() const { return owner_; }
  TListView* ListView() const;
  // Removes the item from its list and frees it.
  void Delete();
  RECT DisplayRect() const;

 private:
  TListItems* owner_;
  String caption_;
  std::unique_ptr<TStringList> subItems_;
  bool checked_ = false;
  void* data_ = nullptr;
  int imageIndex_ = -1;
};

class TListItems : public TPersistent {
  TRENVIK_CLASS(TListItems, TPersistent);

 public:
  explicit TListItems(TListView* Owner);
  ~TListItems() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int Index) const;
  TListItem* operator[](int Index) const { return Item(Index); }
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TListItem* Value) const;
  void BeginUpdate();
  void EndUpdate();
  TListView* Owner() const { return view_; }

 private:
  friend class TListItem;
  void Changed();

  TListView* view_;
  std::vector<std::unique_ptr<TListItem>> items_;
  int updateCount_ = 0;
};

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

class TListView : public TCustomControl {
  TRENVIK_CLASS(TListView, TCustomControl);

 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;

  TListColumns* Columns() const { return columns_.get(); }
  void SetColumns(TListColumns* Value) { columns_->Assign(Value); }
  TListItems* Items() const { return items_.get(); }
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool Value);
  // Only the report style is drawn; the others show as a report without its header.
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle Value);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool Value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

  TListItem* Selected() const { return selected_; }
  void SetSelected(TListItem* Value);
  int ItemIndex() const { return selected_ ? selected_->Index() : -1; }
  void SetItemIndex(int Value);
  int TopIndex() const { return top_; }
  void SetTopIndex(int Value);
  // The item at a client point, nullptr when none.
  TListItem* GetItemAt(int X, int Y);
  int RowHeight();
  int HeaderHeight();
  // Rows wholly shown below the header.
  int VisibleRowCount();
  RECT ItemRect(int Index);
  RECT CheckBoxRect(int Index);

  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  virtual void Change(TListItem* Item, TItemChange Change);

 private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumns;
  TRENVIK_MESSAGES(TListView);
  void WMVScroll(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSize(TMessage& Message);
  void CMFontChanged(TMessage& Message);

  void ItemRemoved(TListItem* Item);
  void ItemsChanged();
  void UpdateScrollBar();
  void EnsureVisible(int Index);
  void ToggleCheck(TListItem* Item);
  void PaintHeader(TCanvas* C);
  void PaintRow(TCanvas* C, int Index);

  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> items_;
  TListItem* selected_ = nullptr;
  int top_ = 0;
  TViewStyle viewStyle_ = vsIcon;
  TBorderStyle borderStyle_ = bsSingle;
  bool checkboxes_ = false;
  bool gridLines_ = false;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool showColumnHeaders_ = true;
};
