#include "dx/inspector/dxInspRwBlob.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorBlobEdit)
TRENVIK_PUBLISHED(TdxInspectorCustomBlobRow) {
  using R = TdxInspectorCustomBlobRow;
  PublishPopupPlacement(P);
  using O = TdxBlobRowOptions;
  P.Property("AlwaysSaveText", &R::Option<&O::AlwaysSaveText>, &R::SetOption<&O::AlwaysSaveText>)
      .Default(false);
  P.Property("BlobPaintStyle", &R::BlobPaintStyle, &R::SetBlobPaintStyle).Default(bpsIcon);
  P.Property("ImmediatePopup", &R::ImmediatePopup, &R::SetImmediatePopup).Default(false);
  P.Property("MaxDisplayLength", &R::Option<&O::MaxDisplayLength>, &R::SetOption<&O::MaxDisplayLength>)
      .Default(255);
  P.Property("MemoCharCase", &R::Option<&O::MemoCharCase>, &R::SetOption<&O::MemoCharCase>).Default(ecNormal);
  P.Property("MemoHideScrollBars", &R::Option<&O::MemoHideScrollBars>, &R::SetOption<&O::MemoHideScrollBars>)
      .Default(true);
  P.Property("MemoMaxLength", &R::Option<&O::MemoMaxLength>, &R::SetOption<&O::MemoMaxLength>).Default(0);
  P.Property("MemoOEMConvert", &R::Option<&O::MemoOEMConvert>, &R::SetOption<&O::MemoOEMConvert>)
      .Default(false);
  P.Property("MemoScrollBars", &R::Option<&O::MemoScrollBars>, &R::SetOption<&O::MemoScrollBars>)
      .Default(ssBoth);
  P.Property("MemoSelectionBar", &R::Option<&O::MemoSelectionBar>, &R::SetOption<&O::MemoSelectionBar>)
      .Default(false);
  P.Property("MemoWantReturns", &R::Option<&O::MemoWantReturns>, &R::SetOption<&O::MemoWantReturns>)
      .Default(true);
  P.Property("MemoWantTabs", &R::Option<&O::MemoWantTabs>, &R::SetOption<&O::MemoWantTabs>).Default(true);
  P.Property("MemoWordWrap", &R::Option<&O::MemoWordWrap>, &R::SetOption<&O::MemoWordWrap>).Default(true);
  P.Property("PictureAutoSize", &R::Option<&O::PictureAutoSize>, &R::SetOption<&O::PictureAutoSize>)
      .Default(true);
  P.Property("PictureFilter", &R::Option<&O::PictureFilter>, &R::SetOption<&O::PictureFilter>);
  P.Property("PictureTransparency", &R::Option<&O::PictureTransparency>,
             &R::SetOption<&O::PictureTransparency>)
      .Default(gtDefault);
  P.Property("PopupHeight", &R::Option<&O::PopupHeight>, &R::SetOption<&O::PopupHeight>).Default(140);
  P.Property("PopupWidth", &R::Option<&O::PopupWidth>, &R::SetOption<&O::PopupWidth>).Default(200);
  P.Property("ShowExPopupItems", &R::Option<&O::ShowExPopupItems>, &R::SetOption<&O::ShowExPopupItems>)
      .Default(false);
  P.Property("ShowPicturePopup", &R::Option<&O::ShowPicturePopup>, &R::SetOption<&O::ShowPicturePopup>)
      .Default(false);
  P.Property("SizeablePopup", &R::Option<&O::SizeablePopup>, &R::SetOption<&O::SizeablePopup>).Default(true);
  P.Event("OnAssignPicture", &R::OnAssignPicture);
  P.Event("OnGetGraphicClass", &R::OnGetGraphicClass);
}
TRENVIK_PUBLISHED(TdxInspectorTextBlobRow) {
  using R = TdxInspectorTextBlobRow;
  P.Property("BlobEditKind", &R::BlobEditKind, &R::SetBlobEditKind).Default(bekMemo);
  P.Property("Text", &R::Text, &R::SetText);
}

TdxInplaceEditClass TdxInspectorBlobEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorBlobEdit, TdxBlobEditMetaClass> c("TdxInspectorBlobEdit");
  return &c;
}

void TdxInspectorCustomBlobRow::SetBlobEditKind(TdxBlobEditKind Value) {
  if (blobEditKind_ == Value) return;
  blobEditKind_ = Value;
  Changed();
}

void TdxInspectorCustomBlobRow::SetBlobKind(TdxBlobKind Value) {
  if (blobKind_ == Value) return;
  blobKind_ = Value;
  Changed();
}

void TdxInspectorCustomBlobRow::SetBlobPaintStyle(TdxBlobPaintStyle Value) {
  if (blobPaintStyle_ == Value) return;
  blobPaintStyle_ = Value;
  Changed();
}

void TdxInspectorCustomBlobRow::StorePopupSize(TdxInplaceEdit* Editor) {
  if (auto* blob = dynamic_cast<TdxInspectorBlobEdit*>(Editor)) {
    PopupWidth = blob->PopupWidth;
    PopupHeight = blob->PopupHeight;
  }
}

void TdxInspectorCustomBlobRow::GetBlobValue(Variant& Value) {
  if (GetBlobEditKind() == bekPict)
    Value = VarFromAnsiString(PictureTextToBytes(GetEditText()));
  else
    Value = GetEditText();
}

TGraphicClass TdxInspectorCustomBlobRow::GetGraphicClass() {
  TGraphicClass graphicClass = DefaultGraphicClass;
  if (OnGetGraphicClass) OnGetGraphicClass(this, graphicClass);
  return graphicClass;
}

String TdxInspectorCustomBlobRow::CellText() {
  if (blobPaintStyle_ == bpsText) {
    Variant value;
    GetBlobValue(value);
    return VarToStr(value);
  }
  String text;
  GetBlobText(text);
  return text;
}

void TdxInspectorCustomBlobRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor);
  if (!blob) return;
  blob->AlwaysSaveText = AlwaysSaveText;
  blob->SetBlobKind(GetBlobEditKind());
  blob->SetBlobPaintStyle(blobPaintStyle_);
  blob->SetTextInternal(CellText());
  blob->MemoCharCase = MemoCharCase;
  blob->MemoHideScrollBars = MemoHideScrollBars;
  blob->MemoMaxLength = MemoMaxLength;
  blob->MemoOEMConvert = MemoOEMConvert;
  blob->MemoScrollBars = MemoScrollBars;
  blob->MemoSelectionBar = MemoSelectionBar;
  blob->MemoWantReturns = MemoWantReturns;
  blob->MemoWantTabs = MemoWantTabs;
  blob->MemoWordWrap = MemoWordWrap;
  blob->PictureAutoSize = PictureAutoSize;
  blob->PictureClipboardFormat = PictureClipboardFormat;
  blob->PictureFilter = PictureFilter;
  blob->StoredGraphicClass = DefaultGraphicClass;
  blob->PopupHeight = PopupHeight;
  blob->PopupWidth = PopupWidth;
  blob->ShowExPopupItems = ShowExPopupItems;
  blob->ShowPicturePopup = ShowPicturePopup;
  blob->SizeablePopup = SizeablePopup;
  blob->OnAssignPicture = [this](TObject*, TPicture*& Picture) { DoAssignPicture(Picture); };
  blob->OnGetGraphicClass = [this](TObject*, TGraphicClass& GraphicClass) {
    DoGetGraphicClass(GraphicClass);
  };
  blob->OnSavePopupSize = [this](TObject* Sender) { StorePopupSize(dynamic_cast<TdxInplaceEdit*>(Sender)); };
}

void TdxInspectorCustomBlobRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  inherited::InitEditValue(Editor, Value);
  Value = GetEditText();
  Variant blobValue;
  GetBlobValue(blobValue);
  if (auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor)) blob->SetBlobValue(blobValue);
}

void TdxInspectorCustomBlobRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  // The pop-up edits the editor's value; its text is only what the cell shows.
  if (auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor)) {
    const Variant& blobValue = blob->BlobValue();
    const bool bytes = (blobValue.Type() & varTypeMask) == varString;
    SetEditText(bytes ? PictureBytesToText(blobValue.AsAnsiString()) : VarToStr(blobValue));
  }
  Value = GetEditText();
}

void TdxInspectorCustomBlobRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  auto* blob = dynamic_cast<TdxBlobEditViewData*>(Data);
  if (!blob) return;
  blob->BlobEditKind = GetBlobEditKind();
  blob->BlobPaintStyle = blobPaintStyle_;
  blob->Images = dxBlobImages();
  Variant value;
  GetBlobValue(value);
  blob->IsEmpty = BlobValueIsEmpty(value);
  blob->Data = CellText();
}

void TdxInspectorCustomBlobRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorCustomBlobRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  static_cast<TdxBlobRowOptions&>(*this) = *source;
  SetBlobEditKind(source->blobEditKind_);
  SetBlobKind(source->blobKind_);
  SetBlobPaintStyle(source->blobPaintStyle_);
}

void TdxInspectorCustomBlobRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  static_cast<TdxBlobRowOptions&>(*this) = TdxBlobRowOptions{};
  blobEditKind_ = bekMemo;
  blobKind_ = bkAuto;
  blobPaintStyle_ = bpsIcon;
}
