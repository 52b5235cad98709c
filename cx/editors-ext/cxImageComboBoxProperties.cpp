// The image combo box's items and settings: which item a value stands for, what it shows, and the
// descriptions the list and the search work on.
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxEditExtVariants.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TcxImageComboBoxItem) {
  P.Property("Description", &TcxImageComboBoxItem::Description, &TcxImageComboBoxItem::SetDescription);
  P.Property("ImageIndex", &TcxImageComboBoxItem::ImageIndex, &TcxImageComboBoxItem::SetImageIndex).NoDefault();
  P.Property("Value", &TcxImageComboBoxItem::Value, &TcxImageComboBoxItem::SetValue)
      .Stored(&TcxImageComboBoxItem::IsValueStored);
}
TRENVIK_IMPLEMENT_CLASS(TcxImageComboBoxItems)
TRENVIK_IMPLEMENT_CLASS(TcxCustomImageComboBoxProperties)
TRENVIK_IMPLEMENT_CLASS(TcxImageComboBoxLookupData)

using ImageComboProps = TcxCustomImageComboBoxProperties;
TRENVIK_PUBLISHED(TcxImageComboBoxProperties) {
  PublishAlignmentObject(P);
  P.Property("ButtonGlyph", &ImageComboProps::ButtonGlyph, &ImageComboProps::SetButtonGlyph)
      .Stored(&ImageComboProps::IsButtonGlyphStored);
  P.Property("DefaultDescription", &ImageComboProps::DefaultDescription, &ImageComboProps::SetDefaultDescription);
  P.Property("DefaultImageIndex", &ImageComboProps::DefaultImageIndex, &ImageComboProps::SetDefaultImageIndex)
      .Default(-1);
  P.Property("DropDownRows", &ImageComboProps::DropDownRows, &ImageComboProps::SetDropDownRows).Default(8);
  P.Property("ImageAlign", &ImageComboProps::ImageAlign, &ImageComboProps::SetImageAlign).Default(iaLeft);
  P.Property("Images", &ImageComboProps::Images, &ImageComboProps::SetImages);
  P.Property("ImmediateDropDown", &ImageComboProps::ImmediateDropDown, &ImageComboProps::SetImmediateDropDown)
      .Default(true);
  P.Property("ImmediatePost", &ImageComboProps::ImmediatePost, &ImageComboProps::SetImmediatePost).Default(false);
  P.Property("ImmediateUpdateText", &ImageComboProps::ImmediateUpdateText,
             &ImageComboProps::SetImmediateUpdateText)
      .Default(false);
  P.Property("Items", &ImageComboProps::Items, &ImageComboProps::SetItems);
  P.Property("LargeImages", &ImageComboProps::LargeImages, &ImageComboProps::SetLargeImages);
  P.Property("MultiLineText", &ImageComboProps::MultiLineText, &ImageComboProps::SetMultiLineText).Default(false);
  PublishReadOnly(P);
  P.Property("ShowDescriptions", &ImageComboProps::ShowDescriptions, &ImageComboProps::SetShowDescriptions)
      .Default(true);
  P.Event("OnButtonClick", &ImageComboProps::OnButtonClick);
  P.Event("OnChange", &ImageComboProps::OnChange);
  P.Event("OnCloseQuery", &ImageComboProps::OnCloseQuery);
  P.Event("OnCloseUp", &ImageComboProps::OnCloseUp);
  P.Event("OnEditValueChanged", &ImageComboProps::OnEditValueChanged);
  P.Event("OnInitPopup", &ImageComboProps::OnInitPopup);
  P.Event("OnPopup", &ImageComboProps::OnPopup);
  P.Event("OnValidate", &ImageComboProps::OnValidate);
}

// --- Items ---

TcxImageComboBoxItem::TcxImageComboBoxItem(TCollection* ACollection) : TCollectionItem(ACollection) {
  // A new item takes its own image while the images go that far.
  auto* items = dynamic_cast<TcxImageComboBoxItems*>(ACollection);
  TCustomImageList* images = items ? items->Properties()->Images() : nullptr;
  if (images && images->Count() >= ACollection->Count()) imageIndex_ = Index();
}

void TcxImageComboBoxItem::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxImageComboBoxItem*>(Source)) {
    SetDescription(source->Description());
    SetImageIndex(source->ImageIndex());
    SetValue(source->Value());
    return;
  }
  inherited::Assign(Source);
}

void TcxImageComboBoxItem::SetDescription(const String& Value) {
  if (description_ == Value) return;
  description_ = Value;
  Changed(false);
}

void TcxImageComboBoxItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  Changed(false);
}

void TcxImageComboBoxItem::SetValue(const Variant& Value) {
  if (cxSameVariant(value_, Value)) return;
  value_ = Value;
  Changed(false);
}

TcxImageComboBoxItems::TcxImageComboBoxItems(TcxCustomImageComboBoxProperties* AOwner)
    : TOwnedCollection(AOwner, TcxImageComboBoxItem::StaticClass()), properties_(AOwner) {}

TcxImageComboBoxItem* TcxImageComboBoxItems::Add(const String& ADescription, const Variant& AValue, int AImageIndex) {
  BeginUpdate();
  TcxImageComboBoxItem* item = Add();
  item->SetDescription(ADescription);
  item->SetValue(AValue);
  item->SetImageIndex(AImageIndex);
  EndUpdate();
  return item;
}

void TcxImageComboBoxItems::Update(TCollectionItem*) { properties_->ItemsChanged(); }

// --- Properties ---

TcxCustomImageComboBoxProperties::TcxCustomImageComboBoxProperties(TPersistent* AOwner)
    : TcxCustomComboBoxProperties(AOwner),
      items_(std::make_unique<TcxImageComboBoxItems>(this)),
      imagesLink_(std::make_unique<TChangeLink>()),
      largeImagesLink_(std::make_unique<TChangeLink>()) {
  imagesLink_->OnChange = [this](TObject*) { Changed(); };
  largeImagesLink_->OnChange = [this](TObject*) { Changed(); };
  SetDropDownListStyle(lsFixedList);
  SetFixedListIncrementalSearch(true);
}

TcxCustomImageComboBoxProperties::~TcxCustomImageComboBoxProperties() {
  SetImages(nullptr);
  SetLargeImages(nullptr);
}

void TcxCustomImageComboBoxProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomImageComboBoxProperties*>(Source);
  if (!source) return;
  SetDefaultDescription(source->defaultDescription_);
  SetDefaultImageIndex(source->defaultImageIndex_);
  SetImageAlign(source->imageAlign_);
  SetImages(source->Images());
  items_->Assign(source->items_.get());
  SetLargeImages(source->LargeImages());
  SetMultiLineText(source->multiLineText_);
  SetShowDescriptions(source->showDescriptions_);
}

namespace {

// Moves a change link from its list to AList (nullptr: none).
void RelinkImages(TChangeLink* ALink, TCustomImageList* AList) {
  if (ALink->Sender() == AList) return;
  if (ALink->Sender()) ALink->Sender()->UnRegisterChanges(ALink);
  if (AList) AList->RegisterChanges(ALink);
}

}  // namespace

void TcxCustomImageComboBoxProperties::SetImages(TCustomImageList* Value) {
  if (Images() == Value) return;
  RelinkImages(imagesLink_.get(), Value);
  Changed();
}

void TcxCustomImageComboBoxProperties::SetLargeImages(TCustomImageList* Value) {
  if (LargeImages() == Value) return;
  RelinkImages(largeImagesLink_.get(), Value);
  Changed();
}

void TcxCustomImageComboBoxProperties::SetImageAlign(TcxImageAlign Value) {
  if (imageAlign_ == Value) return;
  imageAlign_ = Value;
  Changed();
}

void TcxCustomImageComboBoxProperties::SetDefaultDescription(const String& Value) {
  if (defaultDescription_ == Value) return;
  defaultDescription_ = Value;
  Changed();
}

void TcxCustomImageComboBoxProperties::SetDefaultImageIndex(int Value) {
  if (defaultImageIndex_ == Value) return;
  defaultImageIndex_ = Value;
  Changed();
}

void TcxCustomImageComboBoxProperties::SetMultiLineText(bool Value) {
  if (multiLineText_ == Value) return;
  multiLineText_ = Value;
  Changed();
}

void TcxCustomImageComboBoxProperties::SetShowDescriptions(bool Value) {
  if (showDescriptions_ == Value) return;
  showDescriptions_ = Value;
  Changed();
}

void TcxCustomImageComboBoxProperties::ItemsChanged() {
  TcxUpdateScope update(this);
  TStringList* descriptions = LookupItems();
  descriptions->BeginUpdate();
  descriptions->Clear();
  // An item announces itself while its own construction is still under way.
  for (int i = 0; i < items_->Count(); ++i) {
    auto* item = dynamic_cast<TcxImageComboBoxItem*>(items_->Items(i));
    descriptions->Add(item ? item->Description() : String());
  }
  descriptions->EndUpdate();
  Changed();
}

int TcxCustomImageComboBoxProperties::IndexOfValue(const Variant& AValue) const {
  for (int i = 0; i < items_->Count(); ++i)
    if (cxVariantsEqual(items_->Item(i)->Value(), AValue)) return i;
  return -1;
}

TcxImageComboBoxItem* TcxCustomImageComboBoxProperties::FindItemByValue(const Variant& AValue) const {
  const int index = IndexOfValue(AValue);
  return index >= 0 ? items_->Item(index) : nullptr;
}

TcxImageComboBoxItemInfo TcxCustomImageComboBoxProperties::GetItemInfo(const Variant& AValue) const {
  TcxImageComboBoxItemInfo info;
  if (TcxImageComboBoxItem* item = FindItemByValue(AValue)) {
    info.ImageIndex = item->ImageIndex();
    info.Text = item->Description();
  } else {
    info.ImageIndex = defaultImageIndex_;
    info.Text = defaultDescription_;
  }
  if (!showDescriptions_) info.Text.clear();
  return info;
}

void TcxCustomImageComboBoxProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool) {
  TcxImageComboBoxItem* item = FindItemByValue(AEditValue);
  DisplayValue = item ? item->Description() : defaultDescription_;
}

String TcxCustomImageComboBoxProperties::GetDisplayText(const Variant& AEditValue, bool) {
  if (!showDescriptions_) return String();
  Variant display;
  PrepareDisplayValue(AEditValue, display, false);
  return VarToStr(display);
}

bool TcxCustomImageComboBoxProperties::IsEditValueValid(Variant& EditValue, bool) {
  const IcxEditDefaultValuesProviderRef& provider = DefaultValuesProvider();
  return !(VarIsNull(EditValue) && provider && provider->DefaultRequired());
}

TcxEditSupportedOperations TcxCustomImageComboBoxProperties::GetSupportedOperations() {
  TcxEditSupportedOperations operations{esoFiltering, esoEditingText, esoSorting, esoSortingByDisplayText};
  if (Buttons()->Count() > 0) operations.Include(esoHotTrack);
  if (showDescriptions_) operations.Include(esoIncSearch);
  return operations;
}

TClass TcxCustomImageComboBoxProperties::GetContainerClass() { return TcxImageComboBox::StaticClass(); }
TClass TcxCustomImageComboBoxProperties::GetViewInfoClass() { return TcxImageComboBoxViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomImageComboBoxProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                      bool AIsInplace) {
  return std::make_unique<TcxImageComboBoxViewData>(this, AStyle, AIsInplace);
}

std::unique_ptr<TcxCustomTextEditLookupData> TcxCustomImageComboBoxProperties::CreateLookupData(TcxCustomEdit* AEdit) {
  return std::make_unique<TcxImageComboBoxLookupData>(AEdit, [AEdit] {
    Variant value;
    AEdit->GetDisplayValue(value);
    return VarToStr(value);
  });
}

// --- Lookup data ---

void TcxImageComboBoxLookupData::TextChanged() {
  auto* properties = static_cast<TcxCustomImageComboBoxProperties*>(Properties());
  const int valueItem = Edit() ? properties->IndexOfValue(Edit()->EditValue()) : -1;
  String shown;
  if (valueItem >= 0) GetItem(valueItem, shown);
  Variant text;
  if (Edit()) Edit()->GetDisplayValue(text);
  if (valueItem >= 0 && AnsiSameText(shown, VarToStr(text))) {
    if (CurrentKey() != valueItem) SetCurrentKey(valueItem);
    return;
  }
  // A value no item has shows the default text, which is no item either.
  if (valueItem < 0 && properties->LookupItems()->IndexOf(VarToStr(text)) < 0) {
    SetCurrentKey(-1);
    return;
  }
  inherited::TextChanged();
}

void InitializeImageComboBox() {
  GetRegisteredEditProperties()->Register(TcxImageComboBoxProperties::StaticClass(),
                                          cxGetResourceString(cxSEditImageComboBoxDescription));
}

void FinalizeImageComboBox() {
  GetRegisteredEditProperties()->Unregister(TcxImageComboBoxProperties::StaticClass());
}
