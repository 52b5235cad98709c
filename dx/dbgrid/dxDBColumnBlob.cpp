#include "dx/dbgrid/dxDBColumnBlob.h"

#include "platform/forms/PictureValues.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"
#include "platform/forms/Picture.h"

TRENVIK_PUBLISHED(TdxDBTreeListBlobColumn) {
  using C = TdxDBTreeListBlobColumn;
  P.Property("AlwaysSaveText", &C::AlwaysSaveText, &C::SetAlwaysSaveText).Default(false);
  P.Property("BlobKind", &C::BlobKind, &C::SetBlobKind).Default(bkAuto);
  P.Property("BlobPaintStyle", &C::BlobPaintStyle, &C::SetBlobPaintStyle).Default(bpsIcon);
  P.Property("ImmediatePopup", &C::ImmediatePopup, &C::SetImmediatePopup).Default(false);
  P.Property("MaxDisplayLength", &C::MaxDisplayLength, &C::SetMaxDisplayLength).Default(255);
  P.Property("MemoCharCase", &C::MemoCharCase, &C::SetMemoCharCase).Default(ecNormal);
  P.Property("MemoHideScrollBars", &C::MemoHideScrollBars, &C::SetMemoHideScrollBars).Default(true);
  P.Property("MemoMaxLength", &C::MemoMaxLength, &C::SetMemoMaxLength).Default(0);
  P.Property("MemoOEMConvert", &C::MemoOEMConvert, &C::SetMemoOEMConvert).Default(false);
  P.Property("MemoScrollBars", &C::MemoScrollBars, &C::SetMemoScrollBars).Default(ssBoth);
  P.Property("MemoSelectionBar", &C::MemoSelectionBar, &C::SetMemoSelectionBar).Default(false);
  P.Property("MemoWantReturns", &C::MemoWantReturns, &C::SetMemoWantReturns).Default(true);
  P.Property("MemoWantTabs", &C::MemoWantTabs, &C::SetMemoWantTabs).Default(true);
  P.Property("MemoWordWrap", &C::MemoWordWrap, &C::SetMemoWordWrap).Default(true);
  P.Property("PictureAutoSize", &C::PictureAutoSize, &C::SetPictureAutoSize).Default(true);
  P.Property("PictureFilter", &C::PictureFilter, &C::SetPictureFilter);
  P.Property("PopupAlignment", &C::PopupAlignment, &C::SetPopupAlignment).Default(taLeftJustify);
  P.Property("PopupBorder", &C::PopupBorder, &C::SetPopupBorder).Default(pbDefault);
  P.Property("PopupHeight", &C::PopupHeight, &C::SetPopupHeight).Default(140);
  P.Property("PopupWidth", &C::PopupWidth, &C::SetPopupWidth).Default(200);
  P.Property("ShowExPopupItems", &C::ShowExPopupItems, &C::SetShowExPopupItems).Default(false);
  P.Property("ShowPicturePopup", &C::ShowPicturePopup, &C::SetShowPicturePopup).Default(false);
  P.Property("SizeablePopup", &C::SizeablePopup, &C::SetSizeablePopup).Default(true);
  P.Event("OnAssignPicture", &C::OnAssignPicture);
  P.Event("OnGetGraphicClass", &C::OnGetGraphicClass);
}

TRENVIK_PUBLISHED(TdxDBTreeListGraphicColumn) {
  using C = TdxDBTreeListGraphicColumn;
  P.Property("Center", &C::Center, &C::SetCenter).Default(true);
  P.Property("CustomFilter", &C::CustomFilter, &C::SetCustomFilter);
  P.Property("CustomGraphic", &C::CustomGraphic, &C::SetCustomGraphic).Default(false);
  P.Property("DblClickActivate", &C::DblClickActivate, &C::SetDblClickActivate).Default(true);
  P.Property("GraphicTransparency", &C::GraphicTransparency, &C::SetGraphicTransparency).Default(gtDefault);
  P.Property("PopupToolbarPosStored", &C::PopupToolbarPosStored, &C::SetPopupToolbarPosStored).Default(true);
  P.Property("QuickDraw", &C::QuickDraw, &C::SetQuickDraw).Default(false);
  P.Property("ShadowSelection", &C::ShadowSelection, &C::SetShadowSelection).Default(true);
  P.Property("Stretch", &C::Stretch, &C::SetStretch).Default(true);
  P.Event("OnAssignPicture", &C::OnAssignPicture);
  P.Event("OnCustomClick", &C::OnCustomClick);
  P.Event("OnGetGraphicClass", &C::OnGetGraphicClass);
}

namespace {

bool IsEmptyBlobValue(const Variant& Value) {
  return VarIsNull(Value) || VarIsEmpty(Value) || (VarIsStr(Value) && Value.AsAnsiString().empty());
}

}  // namespace

// --- BLOB ---

TdxDBTreeListBlobColumn::TdxDBTreeListBlobColumn(TComponent* AOwner) : TdxDBTreeListDropDownColumn(AOwner) {
  SetDisableFilter(true);
}

void TdxDBTreeListBlobColumn::SetBlobPaintStyle(TdxBlobPaintStyle Value) {
  if (blob_.BlobPaintStyle == Value) return;
  blob_.BlobPaintStyle = Value;
  Changed(true);
  // The cells' texts depend on the style: every column's values are read again.
  NotifyFieldChanged(true);
}

TdxBlobEditKind TdxDBTreeListBlobColumn::EffectiveBlobKind() const {
  return BlobEditKindForField(blob_.BlobKind, Field());
}

TGraphicClass TdxDBTreeListBlobColumn::GetGraphicClass(TdxTreeListNode* Node) {
  TGraphicClass graphicClass = nullptr;
  if (OnGetGraphicClass) OnGetGraphicClass(this, Node, graphicClass);
  return graphicClass;
}

void TdxDBTreeListBlobColumn::StorePopupSize(TdxInplaceBlobEdit* Editor) {
  blob_.PopupWidth = Editor->PopupWidth;
  blob_.PopupHeight = Editor->PopupHeight;
}

String TdxDBTreeListBlobColumn::GetFieldCellText() {
  if (!Field()) return String();
  if (blob_.BlobPaintStyle != bpsText) return Field()->IsNull() ? String() : Field()->DisplayText();
  String text = Field()->AsString();
  if (blob_.MaxDisplayLength >= 0 && text.size() > static_cast<size_t>(blob_.MaxDisplayLength))
    text.resize(blob_.MaxDisplayLength);
  return text;
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListBlobColumn, blob_)

void TdxDBTreeListBlobColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor);
  if (!blob) return;
  blob->SetBlobKind(EffectiveBlobKind());
  blob->SetBlobPaintStyle(blob_.BlobPaintStyle);
  blob->AlwaysSaveText = blob_.AlwaysSaveText;
  blob->MemoCharCase = blob_.MemoCharCase;
  blob->MemoHideScrollBars = blob_.MemoHideScrollBars;
  blob->MemoMaxLength = blob_.MemoMaxLength;
  blob->MemoOEMConvert = blob_.MemoOEMConvert;
  blob->MemoScrollBars = blob_.MemoScrollBars;
  blob->MemoSelectionBar = blob_.MemoSelectionBar;
  blob->MemoWantReturns = blob_.MemoWantReturns;
  blob->MemoWantTabs = blob_.MemoWantTabs;
  blob->MemoWordWrap = blob_.MemoWordWrap;
  blob->PictureAutoSize = blob_.PictureAutoSize;
  blob->PictureFilter = blob_.PictureFilter;
  blob->PopupHeight = blob_.PopupHeight;
  blob->PopupWidth = blob_.PopupWidth;
  blob->ShowExPopupItems = blob_.ShowExPopupItems;
  blob->ShowPicturePopup = blob_.ShowPicturePopup;
  blob->SizeablePopup = blob_.SizeablePopup;
  blob->OnAssignPicture = [this](TObject*, TPicture*& Picture) {
    if (OnAssignPicture) OnAssignPicture(this, Picture);
  };
  blob->OnGetGraphicClass = [this](TObject*, TGraphicClass& GraphicClass) {
    if (OnGetGraphicClass)
      OnGetGraphicClass(this, TreeList() ? TreeList()->FocusedNode() : nullptr, GraphicClass);
  };
  blob->OnSavePopupSize = [this, blob](TObject*) { StorePopupSize(blob); };
}

void TdxDBTreeListBlobColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor);
  if (!blob || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  Value = Field()->IsNull() ? Null() : Field()->AsVariant();
  blob->SetEditValue(Value);
}

void TdxDBTreeListBlobColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* blob = dynamic_cast<TdxInplaceBlobEdit*>(Editor);
  if (!blob || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  Variant edited;
  blob->GetEditingValue(edited);
  if (IsEmptyBlobValue(edited))
    Field()->Clear();
  else
    Field()->SetValue(edited);
  Value = GetNodeValue(Node);
}

void TdxDBTreeListBlobColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  auto* view = dynamic_cast<TdxBlobEditViewData*>(ViewData);
  if (!view) return;
  view->BlobEditKind = EffectiveBlobKind();
  view->BlobPaintStyle = blob_.BlobPaintStyle;
  view->IsEmpty = IsEmptyBlobValue(GetNodeValue(Node)) && VarToStr(view->Data).empty();
}

void TdxDBTreeListBlobColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  blob_ = TSettings();
  SetDisableFilter(true);
}

// --- Graphic ---

TdxDBTreeListGraphicColumn::TdxDBTreeListGraphicColumn(TComponent* AOwner)
    : TdxDBTreeListColumn(AOwner), cellPicture_(std::make_unique<TPicture>()) {
  SetDisableFilter(true);
}

TdxDBTreeListGraphicColumn::~TdxDBTreeListGraphicColumn() = default;

void TdxDBTreeListGraphicColumn::DoAssignPicture(TPicture*& Picture) {
  if (OnAssignPicture) OnAssignPicture(this, Picture);
}

void TdxDBTreeListGraphicColumn::DoCustomClick() {
  if (OnCustomClick) OnCustomClick(this);
}

TGraphicClass TdxDBTreeListGraphicColumn::GetGraphicClass(TdxTreeListNode* Node) {
  TGraphicClass graphicClass = nullptr;
  if (OnGetGraphicClass) OnGetGraphicClass(this, Node, graphicClass);
  return graphicClass;
}

TGraphicClass TdxDBTreeListGraphicColumn::GetEditorGraphicClass() {
  return GetGraphicClass(TreeList() ? TreeList()->FocusedNode() : nullptr);
}

TPicture* TdxDBTreeListGraphicColumn::CellPicture(TdxTreeListNode* Node) {
  const Variant value = GetNodeValue(Node);
  if (IsEmptyBlobValue(value) || (graphic_.CustomGraphic && ComponentState().Contains(csDesigning)))
    cellPicture_->Assign(nullptr);
  else
    LoadPictureFromVariant(cellPicture_.get(), GetGraphicClass(Node), value);
  return cellPicture_.get();
}

int TdxDBTreeListGraphicColumn::GetBestFitWidth(TCanvas*, TdxTreeListNode* Node) {
  return graphic_.Stretch ? 0 : CellPicture(Node)->Width();
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListGraphicColumn, graphic_)

void TdxDBTreeListGraphicColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor);
  if (!graphic) return;
  graphic->SetCenter(graphic_.Center);
  graphic->CustomFilter = graphic_.CustomFilter;
  graphic->CustomGraphic = graphic_.CustomGraphic;
  graphic->DblClickActivate = graphic_.DblClickActivate;
  graphic->SetGraphicTransparency(graphic_.GraphicTransparency);
  graphic->SetPopupToolbarPosStored(graphic_.PopupToolbarPosStored);
  graphic->QuickDraw = graphic_.QuickDraw;
  graphic->SetStretch(graphic_.Stretch);
  graphic->OnAssignPicture = [this](TObject*, TPicture*& Picture) { DoAssignPicture(Picture); };
  graphic->OnCustomClick = [this](TObject*) { DoCustomClick(); };
  graphic->OnGetGraphicClass = [this](TObject*, TGraphicClass& GraphicClass) {
    if (TGraphicClass own = GetEditorGraphicClass()) GraphicClass = own;
  };
}

void TdxDBTreeListGraphicColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                               Variant& Value) {
  auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor);
  if (!graphic || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  Value = Field()->IsNull() ? Variant(VarFromAnsiString(AnsiString())) : Field()->AsVariant();
  graphic->SetEditValue(Value);
}

void TdxDBTreeListGraphicColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                               Variant& Value) {
  auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor);
  if (!graphic || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  TPicture* picture = graphic->Picture();
  if (PictureIsEmpty(picture))
    Field()->Clear();
  else
    Field()->SetValue(VarFromAnsiString(SavePictureToString(picture)));
  Value = GetNodeValue(Node);
}

void TdxDBTreeListGraphicColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  auto* view = dynamic_cast<TdxGraphicEditViewData*>(ViewData);
  if (!view) return;
  view->Picture = CellPicture(Node);
  view->Center = graphic_.Center;
  view->Stretch = graphic_.Stretch;
  view->QuickDraw = graphic_.QuickDraw;
  view->ShadowSelection = graphic_.ShadowSelection && view->Selected;
}

void TdxDBTreeListGraphicColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  graphic_ = TSettings();
  SetDisableFilter(true);
}
