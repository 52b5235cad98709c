// The image combo box's edit and view: the value of the current item, the inner edit beside the
// image, and the image and description drawn in the edit and in cells.
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxImageComboBoxViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxImageComboBoxViewData)
TRENVIK_IMPLEMENT_CLASS(TcxCustomImageComboBox)
TRENVIK_PUBLISHED(TcxImageComboBox) { PublishTextEditControl(P); }

namespace {

// The image's column is the image's width and 4 pixels more.
constexpr int kImageAreaExtra = 4;

}  // namespace

void cxImageComboBoxAreas(const RECT& AClient, TCustomImageList* AImages, bool AShowDescriptions,
                          TcxImageAlign AAlign, RECT& AImageArea, RECT& ATextArea) {
  AImageArea = AClient;
  ATextArea = AClient;
  if (!AShowDescriptions) {
    ATextArea = RECT{AClient.left, AClient.top, AClient.left, AClient.bottom};
    return;
  }
  if (AImages) {
    const int width = AImages->Width() + kImageAreaExtra;
    if (AAlign == iaLeft) {
      AImageArea.right = AImageArea.left + width;
      ATextArea.left = AImageArea.right;
    } else {
      AImageArea.left = AImageArea.right - width;
      ATextArea.right = AImageArea.left;
    }
  } else {
    AImageArea.right = AImageArea.left;
  }
}

// --- View ---

void TcxImageComboBoxViewInfo::Assign(TObject* Source) {
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxImageComboBoxViewInfo*>(Source);
  if (!source) return;
  ImageIndex = source->ImageIndex;
  Images = source->Images;
  ImageRect = source->ImageRect;
  Enabled = source->Enabled;
}

void TcxImageComboBoxViewInfo::PaintText(TcxCanvas* ACanvas) {
  if (Images && ImageIndex >= 0 && ImageIndex < Images->Count() && !IsRectEmpty(&ImageRect)) {
    std::unique_ptr<TcxRegion> saved(ACanvas->GetClipRegion());
    ACanvas->IntersectClipRect(ImageRect);
    const int x = (ImageRect.left + ImageRect.right - Images->Width() + 1) / 2;
    const int y = (ImageRect.top + ImageRect.bottom - Images->Height() + 1) / 2;
    Images->Draw(ACanvas->Canvas(), x, y, ImageIndex, Enabled);
    ACanvas->SetClipRegion(saved.release(), roSet);
  }
  inherited::PaintText(ACanvas);
}

void TcxImageComboBoxViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                         TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (IsRectEmpty(&ABounds)) return;
  auto* v = static_cast<TcxImageComboBoxViewInfo*>(AViewInfo);
  TcxCustomImageComboBoxProperties* properties = ComboProperties();
  v->Images = properties->Images();
  v->Enabled = Enabled;
  RECT text{};
  cxImageComboBoxAreas(v->ClientRect, v->Images, properties->ShowDescriptions(), properties->ImageAlign(),
                       v->ImageRect, text);
  InflateRect(&text, -2, -1);
  v->TextRect = text;
  if (!properties->ShowDescriptions()) v->Text.clear();
  if (Edit) v->ImageIndex = properties->GetItemInfo(ShownValue(Edit->EditValue())).ImageIndex;
}

Variant TcxImageComboBoxViewData::ShownValue(const Variant& AEditValue) const {
  auto* edit = dynamic_cast<TcxCustomImageComboBox*>(Edit);
  if (!edit) return AEditValue;
  // The edit shows the item the list stands on, else its value's.
  const int current = edit->ItemIndex();
  return current >= 0 ? edit->LookupKeyToEditValue(current) : edit->EditValue();
}

void TcxImageComboBoxViewData::PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                    TcxCustomEditViewInfo* AViewInfo) {
  inherited::PrepareViewInfoValue(ACanvas, AEditValue, AViewInfo);
  auto* v = static_cast<TcxImageComboBoxViewInfo*>(AViewInfo);
  const TcxImageComboBoxItemInfo info = ComboProperties()->GetItemInfo(ShownValue(AEditValue));
  v->ImageIndex = info.ImageIndex;
  v->Text = info.Text;
}

SIZE TcxImageComboBoxViewData::GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                              const TcxEditSizeProperties& ASizeProperties) {
  TcxCustomImageComboBoxProperties* properties = ComboProperties();
  SIZE size = MeasureEditText(ACanvas, this, properties->GetItemInfo(AEditValue).Text, false, ASizeProperties);
  size.cx += properties->Images() ? properties->Images()->Width() + 5 : 1;
  return size;
}

// --- Edit ---

TcxCustomImageComboBox::TcxCustomImageComboBox(TComponent* AOwner) : TcxCustomComboBox(AOwner) {
  // The base made the combo box's properties and lookup data; the items' lookup data keeps the
  // combo box's handler of a chosen item.
  const TNotifyEvent itemSelected = ILookupData()->GetOnItemSelected();
  CreateProperties();
  CreateLookupData();
  ILookupData()->SetOnItemSelected(itemSelected);
  PropertiesChanged(Properties());
}

Variant TcxCustomImageComboBox::LookupKeyToEditValue(int AKey) {
  TcxImageComboBoxItems* items = ActiveProperties()->Items();
  return AKey >= 0 && AKey < items->Count() ? items->Item(AKey)->Value() : Null();
}

void TcxCustomImageComboBox::DisplayToEditValue(const Variant&, Variant& EditValue, bool) {
  EditValue = LookupKeyToEditValue(ItemIndex());
}

// The image is the container's to draw: a new text (another item) repaints it.
void TcxCustomImageComboBox::ChangeHandler(TObject* Sender) {
  inherited::ChangeHandler(Sender);
  RefreshImage();
}

// A value set from outside moves the current item to the value's (none for a value no item has).
void TcxCustomImageComboBox::SynchronizeDisplayValue() {
  if (IcxTextEditLookupData* lookup = ILookupData()) lookup->SetCurrentKey(ActiveProperties()->IndexOfValue(EditValue()));
  inherited::SynchronizeDisplayValue();
  RefreshImage();
}

void TcxCustomImageComboBox::RefreshImage() {
  if (!HandleAllocated()) return;
  CalculateViewInfoAtCursor();
  Invalidate();
}

void TcxCustomImageComboBox::InitializeViewData(TcxCustomEditViewData* AViewData) {
  inherited::InitializeViewData(AViewData);
  AViewData->Edit = this;
}

void TcxCustomImageComboBox::AdjustInnerEditPosition() {
  TWinControl* inner = InnerControl();
  if (!inner) return;
  TcxCustomImageComboBoxProperties* properties = ActiveProperties();
  RECT image{}, text{};
  cxImageComboBoxAreas(EditViewInfo()->ClientRect, properties->Images(), properties->ShowDescriptions(),
                       properties->ImageAlign(), image, text);
  // Without descriptions the image takes the whole client area and no text is typed.
  inner->SetVisible(properties->ShowDescriptions());
  const RECT bounds = inner->BoundsRect();
  if (!EqualRect(&text, &bounds)) inner->SetBounds(text.left, text.top, text.right - text.left, text.bottom - text.top);
}
