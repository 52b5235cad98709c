// The image row kind: a coded value (one of Values) shown as a picture of an image list and its
// description, and chosen from a drop-down list of them.
#pragma once

#include <memory>

#include "dx/editors/dxImageEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorImageEdit : public TdxInplaceImageEdit {
  TRENVIK_CLASS(TdxInspectorImageEdit, TdxInplaceImageEdit);

 public:
  explicit TdxInspectorImageEdit(TComponent* AOwner) : TdxInplaceImageEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

using TdxInspectorImageColumnCloseUp = std::function<void(TObject* Sender, String& Value, bool& Accept)>;

class TdxInspectorImageRow : public TdxInspectorDropDownRow {
  TRENVIK_CLASS(TdxInspectorImageRow, TdxInspectorDropDownRow);

 public:
  explicit TdxInspectorImageRow(TComponent* AOwner);
  ~TdxInspectorImageRow() override;

  bool DefaultImages() const { return defaultImages_; }
  void SetDefaultImages(bool Value);
  TStrings* Descriptions() const { return descriptions_.get(); }
  void SetDescriptions(TStrings* Value);
  TStrings* ImageIndexes() const { return imageIndexes_.get(); }
  void SetImageIndexes(TStrings* Value);
  TStrings* Values() const { return values_.get(); }
  void SetValues(TStrings* Value);
  // Not owned: their removal clears them.
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* Value);
  bool MultiLineText() const { return multiLineText_; }
  void SetMultiLineText(bool Value);
  bool ShowDescription() const { return showDescription_; }
  void SetShowDescription(bool Value);
  // The drop-down width under another name.
  int ListWidth() const { return DropDownWidth(); }
  void SetListWidth(int Value) { SetDropDownWidth(Value); }
  TdxInspectorImageColumnCloseUp OnCloseUp;

  void DoCloseUp(String& Text, bool& Accept) override {
    if (OnCloseUp) OnCloseUp(this, Text, Accept);
  }
  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorImageEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  // At least as high as a picture of Images.
  int GetMinHeight(TCanvas* Canvas) override;
  // The value's hint is its description when that does not fit beside its picture.
  bool GetHintText(bool IsValue, const RECT& TextRect, String& Text) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void SetImageList(TCustomImageList*& List, TChangeLink& Link, TCustomImageList* Value);
  template <class T>
  void Store(T& Field, T Value);

  bool defaultImages_ = true;
  std::unique_ptr<TStringList> descriptions_;
  std::unique_ptr<TStringList> imageIndexes_;
  std::unique_ptr<TStringList> values_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;
  TChangeLink imagesLink_;
  TChangeLink largeImagesLink_;
  bool multiLineText_ = false;
  bool showDescription_ = false;
};

class TdxInspectorTextImageRow : public TdxTextValueRow<TdxInspectorImageRow> {
  TRENVIK_CLASS(TdxInspectorTextImageRow, TdxTextValueRow<TdxInspectorImageRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
