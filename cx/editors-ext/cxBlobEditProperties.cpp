// The BLOB edit's settings, the one-line text and the icon of a value, and the keys that close its
// popup.
#include "cx/editors-ext/cxBlobEdit.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxClasses.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomBlobEditProperties)

using BlobProps = TcxCustomBlobEditProperties;
TRENVIK_PUBLISHED(TcxBlobEditProperties) {
  P.Property("AlwaysSaveData", &BlobProps::AlwaysSaveData, &BlobProps::SetAlwaysSaveData).Default(true);
  P.Property("BlobEditKind", &BlobProps::BlobEditKind, &BlobProps::SetBlobEditKind).Default(bekAuto);
  P.Property("BlobPaintStyle", &BlobProps::BlobPaintStyle, &BlobProps::SetBlobPaintStyle).Default(bpsIcon);
  P.Property("ImmediatePost", &BlobProps::ImmediatePost, &BlobProps::SetImmediatePost).Default(false);
  P.Property("MemoAutoReplace", &BlobProps::MemoAutoReplace, &BlobProps::SetMemoAutoReplace).Default(false);
  P.Property("MemoCharCase", &BlobProps::MemoCharCase, &BlobProps::SetMemoCharCase).Default(ecNormal);
  P.Property("MemoMaxLength", &BlobProps::MemoMaxLength, &BlobProps::SetMemoMaxLength).Default(0);
  P.Property("MemoOEMConvert", &BlobProps::MemoOEMConvert, &BlobProps::SetMemoOEMConvert).Default(false);
  P.Property("MemoScrollBars", &BlobProps::MemoScrollBars, &BlobProps::SetMemoScrollBars).Default(ssNone);
  P.Property("MemoWantReturns", &BlobProps::MemoWantReturns, &BlobProps::SetMemoWantReturns).Default(true);
  P.Property("MemoWantTabs", &BlobProps::MemoWantTabs, &BlobProps::SetMemoWantTabs).Default(true);
  P.Property("MemoWordWrap", &BlobProps::MemoWordWrap, &BlobProps::SetMemoWordWrap).Default(true);
  P.Property("PictureAutoSize", &BlobProps::PictureAutoSize, &BlobProps::SetPictureAutoSize).Default(true);
  P.Property("PictureFilter", &BlobProps::PictureFilter, &BlobProps::SetPictureFilter);
  P.Property("PictureGraphicClassName", &BlobProps::PictureGraphicClassName, &BlobProps::SetPictureGraphicClassName);
  P.Property("PictureTransparency", &BlobProps::PictureTransparency, &BlobProps::SetPictureTransparency)
      .Default(gtDefault);
  P.Property("PopupHeight", &BlobProps::PopupHeight, &BlobProps::SetPopupHeight).Default(200);
  P.Property("PopupWidth", &BlobProps::PopupWidth, &BlobProps::SetPopupWidth).Default(250);
  PublishReadOnly(P);
  P.Property("ShowExPopupItems", &BlobProps::ShowExPopupItems, &BlobProps::SetShowExPopupItems).Default(true);
  P.Property("ShowPicturePopup", &BlobProps::ShowPicturePopup, &BlobProps::SetShowPicturePopup).Default(true);
  P.Event("OnAssignPicture", &BlobProps::OnAssignPicture);
  P.Event("OnChange", &BlobProps::OnChange);
  P.Event("OnCloseQuery", &BlobProps::OnCloseQuery);
  P.Event("OnCloseUp", &BlobProps::OnCloseUp);
  P.Event("OnEditValueChanged", &BlobProps::OnEditValueChanged);
  P.Event("OnInitPopup", &BlobProps::OnInitPopup);
  P.Event("OnPopup", &BlobProps::OnPopup);
  P.Event("OnValidate", &BlobProps::OnValidate);
}

namespace {

constexpr size_t kBlobTextLength = 80;
const char16_t* const kBlobIconNames[] = {u"CXBMBLOB_BLOB_NULL", u"CXBMBLOB_BLOB", u"CXBMBLOB_MEMO_NULL",
                                          u"CXBMBLOB_MEMO",      u"CXBMBLOB_PICT_NULL", u"CXBMBLOB_PICT",
                                          u"CXBMBLOB_OLE_NULL",  u"CXBMBLOB_OLE"};
// The icons' background, drawn transparent (olive).
constexpr TColor kBlobIconMaskColor = static_cast<TColor>(32896);

std::unique_ptr<TCustomImageList>& BlobEditImagesSlot() {
  static std::unique_ptr<TCustomImageList> images;
  return images;
}

}  // namespace

String cxBlobDisplayText(const Variant& AValue, TcxBlobEditKind AKind, TcxBlobPaintStyle AStyle, bool AFullText) {
  const bool memoText = AKind == bekMemo && VarIsStr(AValue);
  if (AFullText && memoText) return VarToStr(AValue);
  const bool isNull = VarIsNull(AValue) || VarIsEmpty(AValue);
  if (AStyle == bpsDefault) {
    if (AKind == bekMemo) return cxGetResourceString(isNull ? cxSBlobMemoEmpty : cxSBlobMemo);
    if (AKind == bekPict) return cxGetResourceString(isNull ? cxSBlobPictureEmpty : cxSBlobPicture);
    return String();
  }
  if (AStyle != bpsText || !memoText) return String();
  const String value = VarToStr(AValue);
  size_t start = 0;
  while (start < value.size() && (value[start] == u' ' || value[start] == u'\t')) ++start;
  String text = value.substr(start, kBlobTextLength);
  for (Char& c : text)
    if (c < 32) c = u' ';
  return text;
}

String cxGetBlobDisplayText(const Variant& AValue, TcxCustomBlobEditProperties* AProperties, bool AFullText) {
  return cxBlobDisplayText(AValue, AProperties->BlobEditKind(), AProperties->BlobPaintStyle(), AFullText);
}

TcxBlobEditKind cxBlobEditKindOfField(int AFieldBlobKind) {
  switch (AFieldBlobKind) {
    case 2: return bekPict;
    case 3: return bekMemo;
    case 4: return bekOle;
    default: return bekBlob;
  }
}

int cxBlobIconIndex(TcxBlobEditKind AKind, bool AHasValue) {
  const int base = AKind == bekMemo ? 2 : AKind == bekPict ? 4 : AKind == bekOle ? 6 : 0;
  return base + (AHasValue ? 1 : 0);
}

// Loaded at the first use, not at start-up: a program whose resources are missing must still start
// far enough to say so.
TCustomImageList* cxBlobEditImages() {
  if (!BlobEditImagesSlot()) {
    std::unique_ptr<TCustomImageList> images;
    for (const char16_t* name : kBlobIconNames) {
      TBitmap bitmap;
      bitmap.LoadFromResourceName(nullptr, name);
      if (!images) images = std::make_unique<TCustomImageList>(nullptr, bitmap.Width(), bitmap.Height());
      images->AddMasked(&bitmap, kBlobIconMaskColor);
    }
    BlobEditImagesSlot() = std::move(images);
  }
  return BlobEditImagesSlot().get();
}

int cxBlobPopupCloseResult(WORD AKey, TShiftState AShift, bool AAlwaysSaveData, bool AIsMemo, bool AMemoWantReturns) {
  const bool alt = AShift.Contains(ssAlt);
  const int saveOrCancel = AAlwaysSaveData ? mrOk : mrCancel;
  switch (AKey) {
    case VK_ESCAPE: return mrCancel;
    case VK_F4: return alt ? mrNone : saveOrCancel;
    case VK_UP:
    case VK_DOWN: return alt ? saveOrCancel : mrNone;
    case VK_RETURN:
      return !AIsMemo || !AMemoWantReturns || AShift.Contains(ssCtrl) ? mrOk : mrNone;
    default: return mrNone;
  }
}

// --- Properties ---

TcxCustomBlobEditProperties::TcxCustomBlobEditProperties(TPersistent* AOwner)
    : TcxCustomPopupEditProperties(AOwner), owner_(AOwner) {
  SetPopupMinWidth(160);
  SetPopupMinHeight(140);
  SetPopupWidth(250);
  SetPopupHeight(200);
}

bool TcxCustomBlobEditProperties::OwnedByEdit() const { return dynamic_cast<TcxCustomEdit*>(owner_) != nullptr; }

void TcxCustomBlobEditProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomBlobEditProperties*>(Source);
  if (!source) return;
  alwaysSaveData_ = source->alwaysSaveData_;
  SetBlobEditKind(source->blobEditKind_);
  SetBlobPaintStyle(source->blobPaintStyle_);
  memoAutoReplace_ = source->memoAutoReplace_;
  memoCharCase_ = source->memoCharCase_;
  memoMaxLength_ = source->memoMaxLength_;
  memoOEMConvert_ = source->memoOEMConvert_;
  memoScrollBars_ = source->memoScrollBars_;
  memoWantReturns_ = source->memoWantReturns_;
  memoWantTabs_ = source->memoWantTabs_;
  memoWordWrap_ = source->memoWordWrap_;
  pictureAutoSize_ = source->pictureAutoSize_;
  pictureFilter_ = source->pictureFilter_;
  pictureGraphicClassName_ = source->pictureGraphicClassName_;
  if (source->pictureGraphicClass_ && source->pictureGraphicClassName_.empty())
    pictureGraphicClass_ = source->pictureGraphicClass_;
  pictureTransparency_ = source->pictureTransparency_;
  showExPopupItems_ = source->showExPopupItems_;
  showPicturePopup_ = source->showPicturePopup_;
  OnAssignPicture = source->OnAssignPicture;
}

void TcxCustomBlobEditProperties::SetBlobEditKind(TcxBlobEditKind Value) {
  if (blobEditKind_ == Value) return;
  blobEditKind_ = Value;
  if (Buttons()->Count() > 0)
    Buttons()->Items(0)->Kind = Value == bekMemo || Value == bekPict ? bkDown : bkEllipsis;
  if (Value == bekPict && !OwnedByEdit()) pictureGraphicClassName_ = u"TBitmap";
  Changed();
}

void TcxCustomBlobEditProperties::SetBlobPaintStyle(TcxBlobPaintStyle Value) {
  if (blobPaintStyle_ == Value) return;
  blobPaintStyle_ = Value;
  Changed();
}

TcxBlobEditKind TcxCustomBlobEditProperties::ResolveBlobEditKind() {
  if (blobEditKind_ != bekAuto) return blobEditKind_;
  const IcxEditDefaultValuesProviderRef& provider = DefaultValuesProvider();
  const TcxBlobEditKind kind = provider ? cxBlobEditKindOfField(provider->DefaultBlobKind()) : bekBlob;
  ChangeSilently([&] { SetBlobEditKind(kind); });
  return kind;
}

String TcxCustomBlobEditProperties::GetDisplayText(const Variant& AEditValue, bool AFullText) {
  if (VarIsNull(AEditValue)) return String();
  switch (blobEditKind_) {
    case bekMemo: return cxGetBlobDisplayText(AEditValue, this, AFullText);
    case bekPict: return cxGetResourceString(cxSBlobPicture);
    case bekOle: return u"OLE";
    case bekBlob: return u"BLOB";
    default: return String();
  }
}

TcxEditSupportedOperations TcxCustomBlobEditProperties::GetSupportedOperations() {
  if (Buttons()->Count() == 0) return {};
  return {esoHotTrack};
}

TClass TcxCustomBlobEditProperties::GetContainerClass() { return TcxBlobEdit::StaticClass(); }
TClass TcxCustomBlobEditProperties::GetViewInfoClass() { return TcxBlobEditViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomBlobEditProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                 bool AIsInplace) {
  return std::make_unique<TcxBlobEditViewData>(this, AStyle, AIsInplace);
}

void InitializeBlobEdit() {
  GetRegisteredEditProperties()->Register(TcxBlobEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditBlobEditDescription));
}

void FinalizeBlobEdit() {
  GetRegisteredEditProperties()->Unregister(TcxBlobEditProperties::StaticClass());
  BlobEditImagesSlot().reset();
}
