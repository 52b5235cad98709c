#include "dx/dbgrid/dxDBColumnCheck.h"

#include <algorithm>

#include "dx/dbgrid/dxDBCtrl.h"
#include "dx/editors/dxEditorRoutines.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TdxDBTreeListCheckColumn) {
  using C = TdxDBTreeListCheckColumn;
  P.Property("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed).Default(false);
  P.Property("Border3D", &C::Border3D, &C::SetBorder3D).Default(false);
  P.Property("Glyph", &C::Glyph, &C::SetGlyph).Stored(&C::HasGlyph);
  P.Property("GlyphCount", &C::GlyphCount, &C::SetGlyphCount).Default(6);
  P.Property("ShowNullFieldStyle", &C::ShowNullFieldStyle, &C::SetShowNullFieldStyle).Default(nsUnchecked);
  P.Property("ValueChecked", &C::ValueChecked, &C::SetValueChecked).Stored(&C::IsValueCheckedStored);
  P.Property("ValueGrayed", &C::ValueGrayed, &C::SetValueGrayed);
  P.Property("ValueUnchecked", &C::ValueUnchecked, &C::SetValueUnchecked).Stored(&C::IsValueUncheckedStored);
  P.Event("OnToggleClick", &C::OnToggleClick);
}

TRENVIK_PUBLISHED(TdxDBTreeListImageColumn) {
  using C = TdxDBTreeListImageColumn;
  PublishDropDownSettings(P);
  P.Property("DefaultImages", &C::DefaultImages, &C::SetDefaultImages).Default(true);
  P.Property("Descriptions", &C::Descriptions, &C::SetDescriptions);
  P.Property("ImageIndexes", &C::ImageIndexes, &C::SetImageIndexes);
  P.Property("Images", &C::Images, &C::SetImages);
  P.Property("Incremental", &C::Incremental, &C::SetIncremental).Default(false);
  P.Property("LargeImages", &C::LargeImages, &C::SetLargeImages);
  P.Property("ListWidth", &C::ListWidth, &C::SetListWidth).Stored(false);
  P.Property("MultiLineText", &C::MultiLineText, &C::SetMultiLineText).Default(false);
  P.Property("ShowDescription", &C::ShowDescription, &C::SetShowDescription).Default(false);
  P.Property("Values", &C::Values, &C::SetValues);
  P.Event("OnCloseUp", &C::OnCloseUp);
}

namespace {

// Keeps a flag raised while an editor is being filled, however the filling ends.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : flag_(Flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

// --- Check ---

TdxDBTreeListCheckColumn::TdxDBTreeListCheckColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {
  SetMinWidth(16);
}

TdxDBTreeListCheckColumn::~TdxDBTreeListCheckColumn() = default;

TBitmap* TdxDBTreeListCheckColumn::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TdxDBTreeListCheckColumn::SetGlyph(TBitmap* Value) {
  if (!Value || Value->Empty())
    glyph_.reset();
  else
    Glyph()->Assign(Value);
  Changed(true);
}

bool TdxDBTreeListCheckColumn::HasGlyph() const { return glyph_ && !glyph_->Empty(); }

TdxCheckBoxState TdxDBTreeListCheckColumn::StateOfText(const String& Text) const {
  if (AnsiSameText(Text, check_.ValueChecked)) return cbsChecked;
  if (Text == check_.ValueUnchecked) return cbsUnchecked;
  return cbsGrayed;
}

const String& TdxDBTreeListCheckColumn::TextOfState(TdxCheckBoxState State) const {
  switch (State) {
    case cbsChecked:
      return check_.ValueChecked;
    case cbsUnchecked:
      return check_.ValueUnchecked;
    default:
      return check_.ValueGrayed;
  }
}

String TdxDBTreeListCheckColumn::ValueToText(const Variant& Value) {
  return TextOfState(StateOfText(VarIsNull(Value) || VarIsEmpty(Value) ? String() : VarToStr(Value)));
}

bool TdxDBTreeListCheckColumn::IsFieldValueEqual(const Variant& Value) {
  if (!Field() || VarIsNull(Value) || VarIsEmpty(Value) || VarIsStr(Value)) return false;
  return StateOfText(Field()->Text()) == Value.AsInteger();
}

void TdxDBTreeListCheckColumn::Assign(TPersistent* Source) {
  TdxTreeListUpdateScope update(TreeList());
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxDBTreeListCheckColumn*>(Source)) {
    check_ = source->check_;
    SetGlyph(source->HasGlyph() ? source->glyph_.get() : nullptr);
  }
}

void TdxDBTreeListCheckColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  TFlagScope initializing(initializingEditor_);
  inherited::InitEditProperties(Editor);
  auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Editor);
  if (!check) return;
  check->SetAllowGrayed(check_.AllowGrayed);
  check->SetNullStyle(check_.ShowNullFieldStyle);
  check->SetGlyph(HasGlyph() ? glyph_.get() : nullptr);
  check->SetGlyphCount(check_.GlyphCount);
  check->ApplyAlignment(taCenter);
  check->OnChange = [this, check](TObject*) {
    if (!initializingEditor_ && OnToggleClick)
      OnToggleClick(this, TextOfState(check->State()), check->State());
  };
}

void TdxDBTreeListCheckColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Editor);
  if (!check || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  TFlagScope initializing(initializingEditor_);
  check->SetState(StateOfText(Field()->Text()));
  Value = Variant(static_cast<int>(check->State()));
}

void TdxDBTreeListCheckColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* check = dynamic_cast<TdxInplaceCheckEdit*>(Editor);
  if (!check || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  const String& text = TextOfState(check->State());
  if (text.empty())
    Field()->Clear();
  else
    Field()->SetText(text);
  Value = GetNodeValue(Node);
}

void TdxDBTreeListCheckColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  auto* view = dynamic_cast<TdxCheckEditViewData*>(ViewData);
  if (!view) return;
  view->Data = Variant(static_cast<int>(StateOfText(VarToStr(view->Data))));
  view->Alignment = taCenter;
  view->CaptionText.clear();
  view->CheckGlyph = HasGlyph() ? glyph_.get() : nullptr;
  view->CheckGlyphCount = check_.GlyphCount;
  view->NullLook = check_.ShowNullFieldStyle;
  view->ButtonStyle = check_.Border3D ? bts3D : btsSimple;
}

int TdxDBTreeListCheckColumn::GetMinCellHeight(TCanvas*) {
  int width = 0, height = 0;
  if (TdxInplaceCheckEdit::GetGlyphSize(HasGlyph() ? glyph_.get() : nullptr, check_.GlyphCount, width,
                                        height))
    return height;
  return dxDefaultCheckSize().cy + 2;
}

void TdxDBTreeListCheckColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  check_ = TSettings();
  SetMinWidth(16);
}

// --- Image ---

TdxDBTreeListImageColumn::TdxDBTreeListImageColumn(TComponent* AOwner)
    : TdxDBTreeListDropDownColumn(AOwner),
      descriptions_(std::make_unique<TStringList>()),
      imageIndexes_(std::make_unique<TStringList>()),
      values_(std::make_unique<TStringList>()) {
  SetMinWidth(16);
}

TdxDBTreeListImageColumn::~TdxDBTreeListImageColumn() {
  SetImages(nullptr);
  SetLargeImages(nullptr);
}

void TdxDBTreeListImageColumn::SetDescriptions(TStrings* Value) {
  descriptions_->Assign(Value);
  Changed(false);
}

void TdxDBTreeListImageColumn::SetImageIndexes(TStrings* Value) {
  imageIndexes_->Assign(Value);
  Changed(false);
}

void TdxDBTreeListImageColumn::SetValues(TStrings* Value) {
  values_->Assign(Value);
  Changed(false);
}

void TdxDBTreeListImageColumn::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
  Changed(true);
}

void TdxDBTreeListImageColumn::SetLargeImages(TCustomImageList* Value) {
  if (largeImages_ == Value) return;
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  largeImages_ = Value;
  if (largeImages_) largeImages_->FreeNotification(this);
}

void TdxDBTreeListImageColumn::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == images_) images_ = nullptr;
  if (AComponent == largeImages_) largeImages_ = nullptr;
}

String TdxDBTreeListImageColumn::DescriptionOf(const String& Value) const {
  const TdxImageValueInfo info =
      FindValueInfo(Value, imageIndexes_.get(), image_.DefaultImages, values_.get(), descriptions_.get());
  return info.DescriptionIndex >= 0 ? descriptions_->Strings(info.DescriptionIndex) : Value;
}

String TdxDBTreeListImageColumn::ValueToText(const Variant& Value) {
  return DescriptionOf(inherited::ValueToText(Value));
}

int TdxDBTreeListImageColumn::GetBestFitWidth(TCanvas* Canvas, TdxTreeListNode* Node) {
  return inherited::GetBestFitWidth(Canvas, Node) + (images_ ? images_->Width() : 0);
}

int TdxDBTreeListImageColumn::GetMinCellHeight(TCanvas*) { return images_ ? images_->Height() : 0; }

void TdxDBTreeListImageColumn::DoCloseUp(TdxInplaceEdit*, Variant& Value, bool& Accept) {
  String text = VarToStr(Value);
  if (OnCloseUp) OnCloseUp(this, text, Accept);
  Value = text;
}

void TdxDBTreeListImageColumn::Assign(TPersistent* Source) {
  TdxTreeListUpdateScope update(TreeList());
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxDBTreeListImageColumn*>(Source)) {
    image_ = source->image_;
    descriptions_->Assign(source->descriptions_.get());
    imageIndexes_->Assign(source->imageIndexes_.get());
    values_->Assign(source->values_.get());
    SetImages(source->images_);
    SetLargeImages(source->largeImages_);
  }
}

void TdxDBTreeListImageColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* image = dynamic_cast<TdxInplaceImageEdit*>(Editor);
  if (!image) return;
  image->Values()->Assign(values_.get());
  image->Descriptions()->Assign(descriptions_.get());
  image->ImageIndexes()->Assign(imageIndexes_.get());
  image->SetImages(images_);
  image->SetLargeImages(largeImages_);
  image->DefaultImages = image_.DefaultImages;
  image->ShowDescription = image_.ShowDescription;
  image->MultiLineText = image_.MultiLineText;
  image->Incremental = image_.Incremental;
}

void TdxDBTreeListImageColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  auto* view = dynamic_cast<TdxImageEditViewData*>(ViewData);
  if (!view) return;
  // The cell's text is the description; the picture is found by the value the node keeps.
  view->Data = Variant(inherited::ValueToText(GetNodeValue(Node)));
  view->Values = values_.get();
  view->Descriptions = descriptions_.get();
  view->ImageIndexes = imageIndexes_.get();
  view->Images = images_;
  view->DefaultImages = image_.DefaultImages;
  view->ShowDescription = image_.ShowDescription;
}

void TdxDBTreeListImageColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  image_ = TSettings();
  SetMinWidth(16);
}
