#include "dx/inspector/dxInspRwImage.h"

#include "dx/inspector/dxInspctControl.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorImageEdit)
TRENVIK_PUBLISHED(TdxInspectorImageRow) {
  using R = TdxInspectorImageRow;
  PublishButtonGlyph(P);
  PublishPopupPlacement(P);
  PublishDropDownSize(P, false);
  P.Property("ListWidth", &R::ListWidth, &R::SetListWidth).Stored(false);
  P.Property("DefaultImages", &R::DefaultImages, &R::SetDefaultImages).Default(true);
  P.Property("Descriptions", &R::Descriptions, &R::SetDescriptions);
  P.Property("ImageIndexes", &R::ImageIndexes, &R::SetImageIndexes);
  P.Property("Images", &R::Images, &R::SetImages);
  P.Property("LargeImages", &R::LargeImages, &R::SetLargeImages);
  P.Property("MultiLineText", &R::MultiLineText, &R::SetMultiLineText).Default(false);
  P.Property("ShowDescription", &R::ShowDescription, &R::SetShowDescription).Default(false);
  P.Property("Values", &R::Values, &R::SetValues);
  P.Event("OnCloseUp", &R::OnCloseUp);
}
TRENVIK_PUBLISHED(TdxInspectorTextImageRow) {
  P.Property("Text", &TdxInspectorTextImageRow::Text, &TdxInspectorTextImageRow::SetText);
}

TdxInplaceEditClass TdxInspectorImageEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorImageEdit, TdxImageEditMetaClass> c("TdxInspectorImageEdit");
  return &c;
}

TdxInspectorImageRow::TdxInspectorImageRow(TComponent* AOwner)
    : TdxInspectorDropDownRow(AOwner),
      descriptions_(std::make_unique<TStringList>()),
      imageIndexes_(std::make_unique<TStringList>()),
      values_(std::make_unique<TStringList>()) {
  SetAlignment(taLeftJustify);
  // Only a change of the small pictures shows in the cell.
  imagesLink_.OnChange = [this](TObject*) { Changed(); };
}

// The change links leave their lists themselves.
TdxInspectorImageRow::~TdxInspectorImageRow() = default;

template <class T>
void TdxInspectorImageRow::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TdxInspectorImageRow::SetDefaultImages(bool Value) { Store(defaultImages_, Value); }
void TdxInspectorImageRow::SetMultiLineText(bool Value) { Store(multiLineText_, Value); }
void TdxInspectorImageRow::SetShowDescription(bool Value) { Store(showDescription_, Value); }

void TdxInspectorImageRow::SetDescriptions(TStrings* Value) {
  descriptions_->Assign(Value);
  Changed();
}

void TdxInspectorImageRow::SetImageIndexes(TStrings* Value) {
  imageIndexes_->Assign(Value);
  Changed();
}

void TdxInspectorImageRow::SetValues(TStrings* Value) {
  values_->Assign(Value);
  Changed();
}

void TdxInspectorImageRow::SetImageList(TCustomImageList*& List, TChangeLink& Link, TCustomImageList* Value) {
  if (List == Value) return;
  if (List) {
    List->UnRegisterChanges(&Link);
    List->RemoveFreeNotification(this);
  }
  List = Value;
  if (List) {
    List->RegisterChanges(&Link);
    List->FreeNotification(this);
  }
  Changed();
}

void TdxInspectorImageRow::SetImages(TCustomImageList* Value) { SetImageList(images_, imagesLink_, Value); }

void TdxInspectorImageRow::SetLargeImages(TCustomImageList* Value) {
  SetImageList(largeImages_, largeImagesLink_, Value);
}

void TdxInspectorImageRow::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || (AComponent != images_ && AComponent != largeImages_)) return;
  // A list being destroyed has let go of its change links already.
  if (AComponent == images_) images_ = nullptr;
  if (AComponent == largeImages_) largeImages_ = nullptr;
  Changed();
}

void TdxInspectorImageRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return;
  image->DefaultImages = defaultImages_;
  image->Descriptions()->Assign(descriptions_.get());
  image->SetImages(images_);
  image->ImageIndexes()->Assign(imageIndexes_.get());
  image->SetLargeImages(largeImages_);
  image->MultiLineText = multiLineText_;
  image->ShowDescription = showDescription_;
  image->Values()->Assign(values_.get());
}

void TdxInspectorImageRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  if (multiLineText_) Data->VertAlignment = dxVertMultiLine;
  auto* image = dynamic_cast<TdxImageEditViewData*>(Data);
  if (!image) return;
  image->DefaultImages = defaultImages_;
  image->Descriptions = descriptions_.get();
  image->ImageIndexes = imageIndexes_.get();
  image->Images = images_;
  image->ShowDescription = showDescription_;
  image->Values = values_.get();
}

int TdxInspectorImageRow::GetMinHeight(TCanvas* Canvas) {
  const int text = inherited::GetMinHeight(Canvas);
  return images_ ? std::max(text, images_->Height()) : text;
}

bool TdxInspectorImageRow::GetHintText(bool IsValue, const RECT& TextRect, String& Text) {
  if (!IsValue) return inherited::GetHintText(IsValue, TextRect, Text);
  TCustomdxInspectorControl* control = Inspector();
  if (!control || !control->HandleAllocated()) return false;
  const TdxImageValueInfo info =
      FindValueInfo(GetEditText(), imageIndexes_.get(), defaultImages_, values_.get(), descriptions_.get());
  if (info.DescriptionIndex < 0 || info.DescriptionIndex >= descriptions_->Count()) return false;
  const String description = descriptions_->Strings(info.DescriptionIndex);
  if (description.empty()) return false;
  Text = description;
  TCanvas* canvas = control->Canvas();
  canvas->SetFont(control->Font());
  const int width = canvas->TextWidth(description) + (images_ ? images_->Width() : 0);
  return width > TextRect.right - TextRect.left;
}

void TdxInspectorImageRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorImageRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  SetDefaultImages(source->defaultImages_);
  SetDescriptions(source->descriptions_.get());
  SetImageIndexes(source->imageIndexes_.get());
  SetImages(source->images_);
  SetLargeImages(source->largeImages_);
  SetMultiLineText(source->multiLineText_);
  SetShowDescription(source->showDescription_);
  SetValues(source->values_.get());
}

void TdxInspectorImageRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  defaultImages_ = true;
  descriptions_->Clear();
  imageIndexes_->Clear();
  values_->Clear();
  SetImages(nullptr);
  SetLargeImages(nullptr);
  multiLineText_ = false;
  showDescription_ = false;
}
