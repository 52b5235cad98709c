#include "dx/inspector/dxInspRwGraphic.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorGraphicEdit)
TRENVIK_PUBLISHED(TdxInspectorGraphicRow) {
  using R = TdxInspectorGraphicRow;
  P.Property("Center", &R::Center, &R::SetCenter).Default(true);
  P.Property("CustomFilter", &R::CustomFilter, &R::SetCustomFilter);
  P.Property("DblClickActivate", &R::DblClickActivate, &R::SetDblClickActivate).Default(true);
  P.Property("CustomGraphic", &R::CustomGraphic, &R::SetCustomGraphic).Default(false);
  P.Property("GraphicTransparency", &R::GraphicTransparency, &R::SetGraphicTransparency).Default(gtDefault);
  P.Property("PopupToolBar", &R::PopupToolBar, &R::SetPopupToolBar);
  P.Property("PopupToolbarPosStored", &R::PopupToolbarPosStored, &R::SetPopupToolbarPosStored).Default(true);
  P.Property("QuickDraw", &R::QuickDraw, &R::SetQuickDraw).Default(false);
  P.Property("Stretch", &R::Stretch, &R::SetStretch).Default(true);
  P.Event("OnAssignPicture", &R::OnAssignPicture);
  P.Event("OnCustomClick", &R::OnCustomClick);
  P.Event("OnGetGraphicClass", &R::OnGetGraphicClass);
}
TRENVIK_PUBLISHED(TdxInspectorTextGraphicRow) {
  P.Property("Text", &TdxInspectorTextGraphicRow::Text, &TdxInspectorTextGraphicRow::SetText);
}

TdxInplaceEditClass TdxInspectorGraphicEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInspectorGraphicEdit, TdxGraphicEditMetaClass> c("TdxInspectorGraphicEdit");
  return &c;
}

TdxInspectorGraphicRow::TdxInspectorGraphicRow(TComponent* AOwner)
    : TdxInspectorRow(AOwner),
      paintPicture_(std::make_unique<TPicture>()),
      toolBar_(std::make_unique<TdxPopupToolBarWindow>()) {}

TdxInspectorGraphicRow::~TdxInspectorGraphicRow() = default;

template <class T>
void TdxInspectorGraphicRow::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TdxInspectorGraphicRow::SetCenter(bool Value) { Store(center_, Value); }
void TdxInspectorGraphicRow::SetCustomGraphic(bool Value) { Store(customGraphic_, Value); }
void TdxInspectorGraphicRow::SetGraphicTransparency(TdxGraphicEditTransparency Value) {
  Store(transparency_, Value);
}
void TdxInspectorGraphicRow::SetQuickDraw(bool Value) { Store(quickDraw_, Value); }
void TdxInspectorGraphicRow::SetStretch(bool Value) { Store(stretch_, Value); }

void TdxInspectorGraphicRow::SetPopupToolbarPosStored(bool Value) {
  toolbarPosStored_ = Value;
  if (!Value) toolbarPos_ = kUnsetToolbarPos;
}

TGraphicClass TdxInspectorGraphicRow::GetGraphicClass() {
  TGraphicClass graphicClass = nullptr;
  if (OnGetGraphicClass) OnGetGraphicClass(this, graphicClass);
  return graphicClass;
}

void TdxInspectorGraphicRow::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor);
  if (!graphic) return;
  graphic->SetCenter(center_);
  graphic->ClipboardFormat = ClipboardFormat;
  graphic->CustomFilter = customFilter_;
  graphic->DblClickActivate = dblClickActivate_;
  graphic->SetGraphicTransparency(transparency_);
  graphic->SetPopupToolBar(toolBar_.get());
  graphic->SetStoredToolbarPos(toolbarPos_);
  graphic->SetPopupToolbarPosStored(toolbarPosStored_);
  graphic->QuickDraw = quickDraw_;
  graphic->SetStretch(stretch_);
  graphic->OnAssignPicture = [this](TObject*, TPicture*& Picture) { DoAssignPicture(Picture); };
  graphic->OnCustomClick = [this](TObject*) { DoCustomClick(); };
  graphic->OnGetGraphicClass = [this](TObject*, TGraphicClass& GraphicClass) {
    DoGetGraphicClass(GraphicClass);
  };
}

void TdxInspectorGraphicRow::InitEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  GetGraphicValue(Value);
  auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor);
  if (!graphic) return;
  graphic->SetText(String());
  LoadPictureFromVariant(graphic->Picture(), GetGraphicClass(), Value);
}

void TdxInspectorGraphicRow::SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) {
  if (auto* graphic = dynamic_cast<TdxInplaceGraphicEdit*>(Editor)) {
    TPicture* picture = graphic->Picture();
    DoAssignPicture(picture);
    SetEditText(PictureBytesToText(SavePictureToString(picture)));
  }
  Value = GetEditText();
}

void TdxInspectorGraphicRow::PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) {
  inherited::PrepareViewData(Data, Cell);
  if (customGraphic_ && ComponentState().Contains(csDesigning)) {
    paintPicture_->Assign(nullptr);
  } else {
    Variant value;
    GetGraphicValue(value);
    try {
      LoadPictureFromVariant(paintPicture_.get(), GetGraphicClass(), value);
    } catch (const Exception&) {
      paintPicture_->Assign(nullptr);  // bytes that are no picture paint nothing
    }
  }
  if (transparency_ != gtDefault && paintPicture_->Graphic())
    paintPicture_->Graphic()->SetTransparent(transparency_ == gtTransparent);
  Data->Data = String();
  Data->TextOffsets = RECT{};
  if (auto* graphic = dynamic_cast<TdxGraphicEditViewData*>(Data)) {
    graphic->Picture = paintPicture_.get();
    graphic->Center = center_;
    graphic->QuickDraw = quickDraw_;
    graphic->Stretch = stretch_;
    graphic->TransparencyBitmap = nullptr;
  }
}

void TdxInspectorGraphicRow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxInspectorGraphicRow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  const TdxRowUpdateScope update(this);
  inherited::Assign(Source);
  SetCenter(source->center_);
  customFilter_ = source->customFilter_;
  SetCustomGraphic(source->customGraphic_);
  dblClickActivate_ = source->dblClickActivate_;
  SetGraphicTransparency(source->transparency_);
  SetPopupToolBar(source->toolBar_.get());
  SetPopupToolbarPosStored(source->toolbarPosStored_);
  SetQuickDraw(source->quickDraw_);
  SetStretch(source->stretch_);
}

void TdxInspectorGraphicRow::RestoreDefaults() {
  inherited::RestoreDefaults();
  center_ = true;
  ClipboardFormat = CF_PICTURE;
  customFilter_.clear();
  customGraphic_ = false;
  dblClickActivate_ = true;
  transparency_ = gtDefault;
  toolBar_ = std::make_unique<TdxPopupToolBarWindow>();
  toolbarPos_ = kUnsetToolbarPos;
  toolbarPosStored_ = true;
  quickDraw_ = false;
  stretch_ = true;
}
