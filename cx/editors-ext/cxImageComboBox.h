// The image combo box: a value chosen from a fixed list of items, each a value, a description and
// an image of an image list; the edit and the cells show the current item's image and description.
#pragma once

#include <climits>
#include <memory>

#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxTextEditViewInfo.h"
#include "platform/classes/Collection.h"
#include "platform/forms/ImgList.h"

TRENVIK_ENUM(TcxImageAlign, iaLeft, iaRight);

class TcxCustomImageComboBoxProperties;

class TcxImageComboBoxItem : public TCollectionItem {
  TRENVIK_CLASS(TcxImageComboBoxItem, TCollectionItem);

 public:
  explicit TcxImageComboBoxItem(TCollection* ACollection);

  void Assign(TPersistent* Source) override;
  const String& Description() const { return description_; }
  void SetDescription(const String& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& Value);
  bool IsValueStored() const { return !VarIsNull(value_); }

 private:
  String description_;
  int imageIndex_ = -1;
  Variant value_ = Null();
};

// The items of an image combo's properties: any change refreshes every editor using them.
class TcxImageComboBoxItems : public TOwnedCollection {
  TRENVIK_CLASS(TcxImageComboBoxItems, TOwnedCollection);

 public:
  explicit TcxImageComboBoxItems(TcxCustomImageComboBoxProperties* AOwner);

  TcxCustomImageComboBoxProperties* Properties() const { return properties_; }
  TcxImageComboBoxItem* Item(int AIndex) const { return static_cast<TcxImageComboBoxItem*>(Items(AIndex)); }
  TcxImageComboBoxItem* Add() { return static_cast<TcxImageComboBoxItem*>(TCollection::Add()); }
  TcxImageComboBoxItem* Add(const String& ADescription, const Variant& AValue, int AImageIndex);

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TcxCustomImageComboBoxProperties* properties_;
};

// What a value shows: its item's image and description, or the defaults for a value no item has.
struct TcxImageComboBoxItemInfo {
  int ImageIndex = -1;
  String Text;
};

class TcxCustomImageComboBoxProperties : public TcxCustomComboBoxProperties {
  TRENVIK_CLASS(TcxCustomImageComboBoxProperties, TcxCustomComboBoxProperties);

 public:
  explicit TcxCustomImageComboBoxProperties(TPersistent* AOwner);
  ~TcxCustomImageComboBoxProperties() override;

  void Assign(TPersistent* Source) override;

  TcxImageComboBoxItems* Items() const { return items_.get(); }
  void SetItems(TcxImageComboBoxItems* Value) { items_->Assign(Value); }
  // Nullptr once the list is freed.
  TCustomImageList* Images() const { return imagesLink_->Sender(); }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return largeImagesLink_->Sender(); }
  void SetLargeImages(TCustomImageList* Value);
  TcxImageAlign ImageAlign() const { return imageAlign_; }
  void SetImageAlign(TcxImageAlign Value);
  const String& DefaultDescription() const { return defaultDescription_; }
  void SetDefaultDescription(const String& Value);
  int DefaultImageIndex() const { return defaultImageIndex_; }
  void SetDefaultImageIndex(int Value);
  bool MultiLineText() const { return multiLineText_; }
  void SetMultiLineText(bool Value);
  bool ShowDescriptions() const { return showDescriptions_; }
  void SetShowDescriptions(bool Value);

  // The first item whose value equals AValue; nullptr when none.
  TcxImageComboBoxItem* FindItemByValue(const Variant& AValue) const;
  int IndexOfValue(const Variant& AValue) const;
  TcxImageComboBoxItemInfo GetItemInfo(const Variant& AValue) const;
  // The items' descriptions become the lookup items the list and the search work on.
  void ItemsChanged();

  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  std::unique_ptr<TcxCustomTextEditLookupData> CreateLookupData(TcxCustomEdit* AEdit) override;
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {}; }
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  TcxEditValueSource GetEditValueSource(bool) override { return evsValue; }

 private:
  std::unique_ptr<TcxImageComboBoxItems> items_;
  std::unique_ptr<TChangeLink> imagesLink_;
  std::unique_ptr<TChangeLink> largeImagesLink_;
  TcxImageAlign imageAlign_ = iaLeft;
  String defaultDescription_;
  int defaultImageIndex_ = -1;
  bool multiLineText_ = false;
  bool showDescriptions_ = true;
};

class TcxImageComboBoxProperties : public TcxCustomImageComboBoxProperties {
  TRENVIK_CLASS(TcxImageComboBoxProperties, TcxCustomImageComboBoxProperties);

 public:
  explicit TcxImageComboBoxProperties(TPersistent* AOwner) : TcxCustomImageComboBoxProperties(AOwner) {}
};

// The current item follows the value (the first item of an equal value), never the text: two
// items may share a description.
class TcxImageComboBoxLookupData : public TcxComboBoxLookupData {
  TRENVIK_CLASS(TcxImageComboBoxLookupData, TcxComboBoxLookupData);

 public:
  using TcxComboBoxLookupData::TcxComboBoxLookupData;
  void TextChanged() override;
  void GetListSize(int AMaxHeight, int AWidth, SIZE& ASize) override;

 protected:
  std::unique_ptr<TcxComboBoxListBox> CreateListBox() override;
};

// The drop-down list: each row the item's image (of the large images when set) and its
// description, wrapped to several lines with MultiLineText. It reads the edit's current properties
// at every measuring and drawing, so a repository item assigned later is followed.
class TcxImageComboBoxListBox : public TcxComboBoxListBox {
  TRENVIK_CLASS(TcxImageComboBoxListBox, TcxComboBoxListBox);

 public:
  TcxImageComboBoxListBox(TComponent* AOwner, TcxComboBoxLookupData* ALookupData);

  TCustomImageList* ListImages() const;
  // The widest row: image, description and, when not every item fits, the scroll bar.
  int GetMaxItemWidth();
  // The first ARowCount rows' height. Wrapped rows are measured in the edit's width and, when a
  // scroll bar will show, measured again in the width it leaves; every row takes its new height.
  int GetHeight(int ARowCount, int AMaxHeight);
  int GetHeight(int ARowCount) override { return GetHeight(ARowCount, INT_MAX); }
  int GetItemHeight(int AIndex) override;
  bool DoDrawItem(int AIndex, const RECT& ARect, TOwnerDrawState AState) override;

 private:
  TcxCustomImageComboBoxProperties* ComboProperties() const;
  int SumOfRowHeights(int ARowCount);
  // The rows were measured when they were added, in whatever width the list had then.
  void ApplyItemHeights();

  TcxComboBoxLookupData* lookupData_;
  // The width a wrapped description is laid out in; 0: single lines.
  int measureWidth_ = 0;
};

// The image beside the text (or alone, centred, without descriptions).
class TcxImageComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  TRENVIK_CLASS(TcxImageComboBoxViewInfo, TcxCustomTextEditViewInfo);

 public:
  TcxImageComboBoxViewInfo() = default;

  void Assign(TObject* Source) override;

  int ImageIndex = -1;
  TCustomImageList* Images = nullptr;
  RECT ImageRect{};
  bool Enabled = true;

 protected:
  void PaintText(TcxCanvas* ACanvas) override;
};

class TcxImageComboBoxViewData : public TcxCustomTextEditViewData {
  TRENVIK_CLASS(TcxImageComboBoxViewData, TcxCustomTextEditViewData);

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  TcxCustomImageComboBoxProperties* ComboProperties() const {
    return static_cast<TcxCustomImageComboBoxProperties*>(Properties());
  }
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  SIZE GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                      const TcxEditSizeProperties& ASizeProperties) override;

 private:
  // The value whose item an edit shows; a cell shows AEditValue's.
  Variant ShownValue(const Variant& AEditValue) const;
};

// The image area and the text area of a client rectangle.
void cxImageComboBoxAreas(const RECT& AClient, TCustomImageList* AImages, bool AShowDescriptions,
                          TcxImageAlign AAlign, RECT& AImageArea, RECT& ATextArea);

class TcxCustomImageComboBox : public TcxCustomComboBox {
  TRENVIK_CLASS(TcxCustomImageComboBox, TcxCustomComboBox);

 public:
  explicit TcxCustomImageComboBox(TComponent* AOwner);

  TcxCustomImageComboBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomImageComboBoxProperties*>(GetActiveProperties());
  }
  TcxCustomImageComboBoxProperties* Properties() const {
    return static_cast<TcxCustomImageComboBoxProperties*>(TcxCustomEdit::Properties());
  }
  // The value the current item stands for (Null without one).
  Variant LookupKeyToEditValue(int AKey);

  TClass GetPropertiesClass() override { return TcxImageComboBoxProperties::StaticClass(); }
  void CalculatePopupSize(SIZE& ASize) override;
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  bool IsValidChar(Char AChar) override { return AChar > 31; }
  void AdjustInnerEditPosition() override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  void ChangeHandler(TObject* Sender) override;
  void SynchronizeDisplayValue() override;

 private:
  void RefreshImage();
};

class TcxImageComboBox : public TcxCustomImageComboBox {
  TRENVIK_CLASS(TcxImageComboBox, TcxCustomImageComboBox);

 public:
  explicit TcxImageComboBox(TComponent* AOwner) : TcxCustomImageComboBox(AOwner) {}
};

void InitializeImageComboBox();
void FinalizeImageComboBox();
