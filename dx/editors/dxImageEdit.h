// The image cell editor: a coded value (one of Values) shown as a picture of an image list and,
// optionally, its description; another value is picked from a drop-down list of pictures and
// descriptions, stepped with the keys and the wheel, or found by the first letter of its description.
#pragma once

#include <memory>
#include <vector>

#include "dx/editors/dxDropDownEdit.h"
#include "dx/editors/dxPopupListBox.h"
#include "platform/classes/StringList.h"
#include "platform/forms/ImgList.h"

// The description position (-1 for none) and image number of a value text.
struct TdxImageValueInfo {
  int DescriptionIndex = -1;
  int ImageIndex = -1;
};
TdxImageValueInfo FindValueInfo(const String& Value, TStrings* ImageIndexes, bool DefaultImages, TStrings* Values,
                                TStrings* Descriptions);

class TdxImageEditViewData : public TdxDropDownEditViewData {
  TRENVIK_CLASS(TdxImageEditViewData, TdxDropDownEditViewData);

 public:
  TdxImageEditViewData() = default;
  bool DefaultImages = true;
  TStrings* Descriptions = nullptr;
  TStrings* ImageIndexes = nullptr;
  TCustomImageList* Images = nullptr;
  bool ShowDescription = true;
  TStrings* Values = nullptr;
};

class TdxImageEditMetaClass : public TdxDropDownEditMetaClass {
 public:
  bool DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const override;
  int GetMinHeight(TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  bool IsEditClass() const override { return false; }
};

// The drop-down list of pictures and descriptions.
class TdxPopupImageListBox : public TCustomdxPopupListBox {
  TRENVIK_CLASS(TdxPopupImageListBox, TCustomdxPopupListBox);

 public:
  explicit TdxPopupImageListBox(TComponent* AOwner);
  TCustomImageList* Images = nullptr;
  bool MultiLine = false;
  // The image number of each item; -2 for none.
  std::vector<int> ImageNumbers;
  void UpdateItemHeight();

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
};

class TdxInplaceImageEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplaceImageEdit, TdxInplaceDropDownEdit);
  TRENVIK_MESSAGES(TdxInplaceImageEdit);

 public:
  explicit TdxInplaceImageEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceImageEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  virtual void SetValueText(const String& Text);

  bool CanRestoreText() override { return true; }
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  void DropDown() override;
  void CloseUp(bool Accept) override;
  void SelectNextValue(int Delta, bool Cycle) override;

  TStringList* Values() const { return values_.get(); }
  TStringList* Descriptions() const { return descriptions_.get(); }
  TStringList* ImageIndexes() const { return imageIndexes_.get(); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* Value);
  TdxPopupImageListBox* PopupList() const { return list_.get(); }
  bool DefaultImages = true;
  bool ShowDescription = true;
  bool MultiLineText = false;
  bool Incremental = false;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void StepTo(int Index);

  std::unique_ptr<TStringList> values_;
  std::unique_ptr<TStringList> descriptions_;
  std::unique_ptr<TStringList> imageIndexes_;
  std::unique_ptr<TdxPopupImageListBox> list_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;
  TChangeLink imagesLink_;
  TChangeLink largeImagesLink_;
};
