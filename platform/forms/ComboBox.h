// Combo boxes over the "COMBOBOX" window class: TComboBox (text, drop-down and drop-down list
// styles, owner drawing) and TComboBoxEx (items with images from an image list).
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/classes/StringList.h"
#include "platform/forms/Controls.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/WindowItems.h"

TRENVIK_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable);

class TCustomComboBox;

// The items of a combo box, held by its window (and kept aside while it has none).
class TComboBoxStrings : public TWindowStrings {
  TRENVIK_CLASS(TComboBoxStrings, TWindowStrings);

 public:
  explicit TComboBoxStrings(TCustomComboBox* ComboBox = nullptr)
      : TWindowStrings(kComboBoxItems), comboBox_(ComboBox) {}
  void Clear() override;
  int IndexOf(const String& S) const override;

 protected:
  HWND Wnd() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;

 private:
  TCustomComboBox* comboBox_;
};

class TCustomComboBox : public TWinControl {
  TRENVIK_CLASS(TCustomComboBox, TWinControl);

 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  void Clear();
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  // Rows shown by the dropped-down list before it scrolls.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value);
  int ItemHeight();
  void SetItemHeight(int Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value);
  TCanvas* Canvas() const { return canvas_.get(); }
  void SelectAll();

  TNotifyEvent OnChange;
  // After the user picked an item (OnChange runs instead when this is not assigned).
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  virtual void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  virtual bool IsOwnerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
  // What the items' objects are kept in (TComboBoxEx wraps them with the item's look).
  virtual LRESULT GetItemData(int Index);
  virtual void SetItemData(int Index, LRESULT Data);
  virtual void DeleteItemData(LRESULT Data);
  friend class TComboBoxStrings;

 private:
  TRENVIK_MESSAGES(TCustomComboBox);
  void CNCommand(TWMCommand& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void CNDeleteItem(TMessage& Message);

  std::unique_ptr<TComboBoxStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  // The items while the window is gone (RecreateWnd).
  TSavedItems saved_;
  int savedIndex_ = -1;
  int dropDownCount_ = 8;
  int itemHeight_ = 16;
  int maxLength_ = 0;
  bool sorted_ = false;
  TComboBoxStyle style_ = csDropDown;
};

class TComboBox : public TCustomComboBox {
  TRENVIK_CLASS(TComboBox, TCustomComboBox);

 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

TRENVIK_ENUM(TComboBoxExStyle, csExDropDown, csExSimple, csExDropDownList);

// A combo box whose items carry an image of its image list and an indent.
class TComboBoxEx : public TCustomComboBox {
  TRENVIK_CLASS(TComboBoxEx, TCustomComboBox);

 public:
  explicit TComboBoxEx(TComponent* AOwner);
  ~TComboBoxEx() override;

  // Adds an item with its image and indent (in image widths); answers its index.
  int AddItem(const String& Caption, int ImageIndex = -1, int Indent = 0);
  int ItemImageIndex(int Index);
  void SetItemImageIndex(int Index, int ImageIndex);
  TComboBoxExStyle StyleEx() const { return styleEx_; }
  void SetStyleEx(TComboBoxExStyle Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  bool IsOwnerDrawn() const override { return true; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  LRESULT GetItemData(int Index) override;
  void SetItemData(int Index, LRESULT Data) override;
  void DeleteItemData(LRESULT Data) override;

 private:
  // Each item's data points to its look, which carries the item's object.
  struct TItemLook {
    LRESULT data = 0;
    int image = -1;
    int indent = 0;
  };
  TItemLook& Look(int Index);

  std::unordered_map<TItemLook*, std::unique_ptr<TItemLook>> looks_;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imageLink_;
  TComboBoxExStyle styleEx_ = csExDropDown;
};
