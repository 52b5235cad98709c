// The radio group's items and settings: which item a value selects and what each item stands for.
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxEditExtVariants.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"

TRENVIK_PUBLISHED(TcxRadioGroupItem) {
  P.Property("Caption", &TcxRadioGroupItem::Caption, &TcxRadioGroupItem::SetCaption);
  P.Property("Value", &TcxRadioGroupItem::Value, &TcxRadioGroupItem::SetValue)
      .Stored(&TcxRadioGroupItem::IsValueStored);
}
TRENVIK_IMPLEMENT_CLASS(TcxRadioGroupItems)
TRENVIK_IMPLEMENT_CLASS(TcxCustomRadioGroupProperties)

using RadioProps = TcxCustomRadioGroupProperties;
TRENVIK_PUBLISHED(TcxRadioGroupProperties) {
  P.Property("Columns", &RadioProps::Columns, &RadioProps::SetColumns).Default(1);
  P.Property("DefaultCaption", &RadioProps::DefaultCaption, &RadioProps::SetDefaultCaption)
      .Stored(&RadioProps::IsDefaultCaptionStored);
  P.Property("DefaultValue", &RadioProps::DefaultValue, &RadioProps::SetDefaultValue)
      .Stored(&RadioProps::IsDefaultValueStored);
  P.Property("ImmediatePost", &RadioProps::ImmediatePost, &RadioProps::SetImmediatePost).Default(false);
  P.Property("Items", &RadioProps::Items, &RadioProps::SetItems);
  PublishReadOnly(P);
  P.Property("WordWrap", &RadioProps::WordWrap, &RadioProps::SetWordWrap).Default(false);
  P.Event("OnChange", &RadioProps::OnChange);
  P.Event("OnEditValueChanged", &RadioProps::OnEditValueChanged);
}

// --- Items ---

void TcxRadioGroupItem::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxRadioGroupItem*>(Source)) {
    SetCaption(source->Caption());
    SetValue(source->Value());
    return;
  }
  inherited::Assign(Source);
}

void TcxRadioGroupItem::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed(false);
}

void TcxRadioGroupItem::SetValue(const Variant& Value) {
  if (cxSameVariant(value_, Value)) return;
  value_ = Value;
  Changed(false);
}

TcxRadioGroupItems::TcxRadioGroupItems(TcxCustomRadioGroupProperties* AOwner)
    : TOwnedCollection(AOwner, TcxRadioGroupItem::StaticClass()), properties_(AOwner) {}

TcxRadioGroupItem* TcxRadioGroupItems::Add(const String& ACaption, const Variant& AValue) {
  BeginUpdate();
  TcxRadioGroupItem* item = Add();
  item->SetCaption(ACaption);
  item->SetValue(AValue);
  EndUpdate();
  return item;
}

void TcxRadioGroupItems::Update(TCollectionItem*) { properties_->Changed(); }

// --- Properties ---

TcxCustomRadioGroupProperties::TcxCustomRadioGroupProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner), defaultCaption_(cxGetResourceString(cxSRadioGroupDefaultCaption)) {
  items_ = std::make_unique<TcxRadioGroupItems>(this);
}

TcxCustomRadioGroupProperties::~TcxCustomRadioGroupProperties() = default;

void TcxCustomRadioGroupProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomRadioGroupProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  inherited::Assign(Source);
  // The glyph side: right-justified or not, any other alignment reads as left.
  Alignment()->SetHorz(source->StoredAlignment()->Horz() == taRightJustify ? taRightJustify : taLeftJustify);
  SetColumns(source->Columns());
  SetDefaultCaption(source->DefaultCaption());
  SetDefaultValue(source->DefaultValue());
  items_->Assign(source->Items());
  SetWordWrap(source->WordWrap());
  EndUpdate();
}

void TcxCustomRadioGroupProperties::SetColumns(int Value) {
  Value = std::max(1, Value);
  if (columns_ == Value) return;
  columns_ = Value;
  Changed();
}

void TcxCustomRadioGroupProperties::SetDefaultCaption(const String& Value) {
  if (defaultCaption_ == Value) return;
  defaultCaption_ = Value;
  Changed();
}

bool TcxCustomRadioGroupProperties::IsDefaultCaptionStored() const {
  return defaultCaption_ != cxGetResourceString(cxSRadioGroupDefaultCaption);
}

void TcxCustomRadioGroupProperties::SetDefaultValue(const Variant& Value) {
  if (cxSameVariant(defaultValue_, Value)) return;
  defaultValue_ = Value;
  Changed();
}

void TcxCustomRadioGroupProperties::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  Changed();
}

int TcxCustomRadioGroupProperties::ItemIndexOf(const Variant& AEditValue) const {
  std::vector<TcxRadioGroupItemKey> keys;
  keys.reserve(static_cast<size_t>(items_->Count()));
  for (int i = 0; i < items_->Count(); ++i) keys.push_back({items_->Item(i)->Value(), items_->Item(i)->Caption()});
  return cxRadioGroupItemIndexOf(AEditValue, keys);
}

Variant TcxCustomRadioGroupProperties::ItemEditValue(int AIndex) const {
  if (AIndex < 0 || AIndex >= items_->Count()) return defaultValue_;
  const TcxRadioGroupItem* item = items_->Item(AIndex);
  return VarIsNull(item->Value()) ? Variant(item->Caption()) : item->Value();
}

TcxEditSupportedOperations TcxCustomRadioGroupProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result{esoAlwaysHotTrack, esoAutoHeight,  esoFiltering,
                                    esoEditingText,    esoSorting,     esoSortingByDisplayText};
  if (items_->Count() > 0) result.Include(esoHotTrack);
  return result;
}

void TcxCustomRadioGroupProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool) {
  DisplayValue = ItemIndexOf(AEditValue);
}

String TcxCustomRadioGroupProperties::GetDisplayText(const Variant& AEditValue, bool) {
  const int index = ItemIndexOf(AEditValue);
  return index < 0 ? defaultCaption_ : items_->Item(index)->Caption();
}

TClass TcxCustomRadioGroupProperties::GetContainerClass() { return TcxRadioGroup::StaticClass(); }

TClass TcxCustomRadioGroupProperties::GetViewInfoClass() { return TcxCustomRadioGroupViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomRadioGroupProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                     bool AIsInplace) {
  return std::make_unique<TcxCustomRadioGroupViewData>(this, AStyle, AIsInplace);
}

std::function<TcxCustomEditStyle*(TPersistent*, bool)> TcxCustomRadioGroupProperties::GetStyleClass() {
  return [](TPersistent* AOwner, bool ADirectAccessMode) -> TcxCustomEditStyle* {
    return new TcxRadioGroupStyle(AOwner, ADirectAccessMode);
  };
}

// --- Style ---

TRENVIK_IMPLEMENT_CLASS(TcxRadioGroupStyle)

void TcxRadioGroupStyle::RestoreDefaults() {
  inherited::RestoreDefaults();
  if (auto* group = dynamic_cast<TcxCustomRadioGroup*>(GetOwner())) group->SetParentColor(true);
}
