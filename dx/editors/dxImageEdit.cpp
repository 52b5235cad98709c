#include "dx/editors/dxImageEdit.h"

#include "dx/editors/dxDrawUtils.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

namespace {

int ImageNumberOf(TStrings* ImageIndexes, int Position) {
  if (!ImageIndexes || Position < 0 || Position >= ImageIndexes->Count()) return -1;
  return StrToIntDef(ImageIndexes->Strings(Position), -1);
}

}  // namespace

TdxImageValueInfo FindValueInfo(const String& Value, TStrings* ImageIndexes, bool DefaultImages, TStrings* Values,
                                TStrings* Descriptions) {
  TdxImageValueInfo info;
  const int position = Values ? Values->IndexOf(Value) : -1;
  info.DescriptionIndex = Descriptions && position < Descriptions->Count() ? position : -1;
  const bool byPosition = DefaultImages || position < 0 || !ImageIndexes || position >= ImageIndexes->Count();
  info.ImageIndex = byPosition ? position : ImageNumberOf(ImageIndexes, position);
  return info;
}

// --- Class painting ---

TRENVIK_IMPLEMENT_CLASS(TdxImageEditViewData)

std::unique_ptr<TdxEditViewData> TdxImageEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxImageEditViewData>();
}

int TdxImageEditMetaClass::GetMinHeight(TdxEditViewData* ViewData) const {
  const int base = TdxDropDownEditMetaClass::GetMinHeight(ViewData);
  auto* v = dynamic_cast<TdxImageEditViewData*>(ViewData);
  return v && v->Images ? std::max(base, v->Images->Height()) : base;
}

bool TdxImageEditMetaClass::DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const {
  auto* v = static_cast<TdxImageEditViewData*>(ViewData);
  const String value = v->Data.Type() == varEmpty || VarIsNull(v->Data) ? String() : v->Data.AsString();
  const TdxImageValueInfo info = FindValueInfo(value, v->ImageIndexes, v->DefaultImages, v->Values, v->Descriptions);
  TCustomImageList* images = v->Images;
  const int imageWidth = images ? images->Width() : 0;
  const bool imageShown = images && info.ImageIndex >= 0 && info.ImageIndex < images->Count();
  if (!v->ShowDescription) {
    if (imageWidth <= 0) return true;
    if (!v->Transparent && !v->MeasureOnly) FillRect(DC, &Rect, v->Brush);
    if (imageShown && !v->MeasureOnly)
      DrawImageListImage(DC, (Rect.left + Rect.right - imageWidth) / 2,
                         (Rect.top + Rect.bottom - images->Height()) / 2, images, info.ImageIndex);
    return true;
  }
  RECT text = Rect;
  if (imageWidth > 0) {
    RECT strip{Rect.left, Rect.top, Rect.left + imageWidth, Rect.bottom};
    if (!v->Transparent && !v->MeasureOnly) FillRect(DC, &strip, v->Brush);
    if (imageShown && !v->MeasureOnly)
      DrawImageListImage(DC, strip.left, (Rect.top + Rect.bottom - images->Height()) / 2, images, info.ImageIndex);
    text.left = strip.right;
  }
  const Variant saved = v->Data;
  if (info.DescriptionIndex >= 0) v->Data = Variant(v->Descriptions->Strings(info.DescriptionIndex));
  const bool drawn = TdxDropDownEditMetaClass::DrawContent(DC, text, LiveWindow, v);
  v->Data = saved;
  return drawn;
}

// --- The list ---

TRENVIK_IMPLEMENT_CLASS(TdxPopupImageListBox)

TdxPopupImageListBox::TdxPopupImageListBox(TComponent* AOwner) : TCustomdxPopupListBox(AOwner) {
  SetStyle(lbOwnerDrawFixed);
}

void TdxPopupImageListBox::UpdateItemHeight() {
  Canvas()->Font()->Assign(Font());
  int height = HandleAllocated() ? Canvas()->TextHeight(u"Wg") + 5 : ItemHeight();
  if (Images) height = std::max(height, Images->Height() + 2);
  SetItemHeight(height);
}

void TdxPopupImageListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  TCanvas* canvas = Canvas();
  const bool selected = State.Contains(odSelected);
  canvas->Brush()->SetColor(selected ? clHighlight : Color());
  canvas->FillRect(Rect);
  HDC dc = canvas->Handle();
  const int image = Index < static_cast<int>(ImageNumbers.size()) ? ImageNumbers[Index] : -2;
  const int imageWidth = Images ? Images->Width() : 0;
  if (Images && image >= 0 && image < Images->Count())
    DrawImageListImage(dc, Rect.left + 1, (Rect.top + Rect.bottom - Images->Height()) / 2, Images, image);
  const String text = Items()->Strings(Index);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(selected ? clHighlightText : Font()->Color()));
  RECT r = Rect;
  if (MultiLine) {
    InflateRect(&r, -2, -2);
    r.left += imageWidth + 1;
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r,
             DT_WORDBREAK | DT_END_ELLIPSIS | DT_EXPANDTABS | DT_NOPREFIX);
  } else {
    r.left += imageWidth + 3;
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

// --- The editor ---

TRENVIK_IMPLEMENT_CLASS(TdxInplaceImageEdit)

TRENVIK_MESSAGE_MAP(TdxInplaceImageEdit) { M.On(WM_GETDLGCODE, &TdxInplaceImageEdit::WMGetDlgCode); }

void TdxInplaceImageEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS;
}

TdxInplaceEditClass TdxInplaceImageEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceImageEdit, TdxImageEditMetaClass> c("TdxInplaceImageEdit");
  return &c;
}

TdxInplaceImageEdit::TdxInplaceImageEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class),
      values_(std::make_unique<TStringList>()),
      descriptions_(std::make_unique<TStringList>()),
      imageIndexes_(std::make_unique<TStringList>()),
      list_(std::make_unique<TdxPopupImageListBox>(nullptr)) {
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse});
  clickOpensPopup_ = true;
  list_->SetVisible(false);
  list_->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ListMouseUp(Sender, Button, Shift, X, Y);
  };
  imagesLink_.OnChange = [this](TObject*) { StyleChanged(); };
  largeImagesLink_.OnChange = [this](TObject*) { StyleChanged(); };
}

TdxInplaceImageEdit::~TdxInplaceImageEdit() {
  SetImages(nullptr);
  SetLargeImages(nullptr);
  DropDownWindow = nullptr;
  list_.reset();
}

void TdxInplaceImageEdit::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) {
    images_->UnRegisterChanges(&imagesLink_);
    images_->RemoveFreeNotification(this);
  }
  images_ = Value;
  if (images_) {
    images_->RegisterChanges(&imagesLink_);
    images_->FreeNotification(this);
  }
  StyleChanged();
}

void TdxInplaceImageEdit::SetLargeImages(TCustomImageList* Value) {
  if (largeImages_ == Value) return;
  if (largeImages_) {
    largeImages_->UnRegisterChanges(&largeImagesLink_);
    largeImages_->RemoveFreeNotification(this);
  }
  largeImages_ = Value;
  if (largeImages_) {
    largeImages_->RegisterChanges(&largeImagesLink_);
    largeImages_->FreeNotification(this);
  }
  StyleChanged();
}

void TdxInplaceImageEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TdxInplaceDropDownEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == images_) images_ = nullptr;
  if (AComponent == largeImages_) largeImages_ = nullptr;
}

std::unique_ptr<TdxEditViewData> TdxInplaceImageEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceDropDownEdit::CreateViewData(FromDefinition);
  auto* d = static_cast<TdxImageEditViewData*>(v.get());
  d->DefaultImages = DefaultImages;
  d->Descriptions = descriptions_.get();
  d->ImageIndexes = imageIndexes_.get();
  d->Images = images_;
  d->ShowDescription = ShowDescription;
  d->Values = values_.get();
  if (MultiLineText) d->VertAlignment = dxVertMultiLine;
  d->Focused = d->Focused && !IsInplace() && !DropDownShown;
  d->Data = Variant(Text());
  return v;
}

void TdxInplaceImageEdit::SetValueText(const String& Text) {
  if (Text == this->Text() || !IsEditable() || !CanModify()) return;
  SetText(Text);
  SetModified(true);
  InvalidateEditor();
}

// --- Drop-down ---

void TdxInplaceImageEdit::DropDown() {
  if (!IsEditable() || !HandleAllocated()) return;
  ::SetFocus(Handle());
  if (GetFocus() != Handle()) return;
  DoDropDown();
  if (values_->Count() == 0) return;
  TdxPopupImageListBox* list = list_.get();
  DropDownWindow = list;
  list->SetParent(this);
  list->SetColor(Color());
  list->Font()->Assign(Font());
  list->Images = largeImages_ ? largeImages_ : images_;
  list->MultiLine = MultiLineText;
  list->SetPopupBorder(GetActualPopupBorder());
  list->SetShadow(Style()->Shadow());
  list->HandleNeeded();
  list->UpdateItemHeight();
  list->Items()->Clear();
  list->ImageNumbers.clear();
  int widest = 10;
  for (int i = 0; i < values_->Count(); ++i) {
    const String text = i < descriptions_->Count() ? descriptions_->Strings(i) : String();
    list->Items()->Add(text);
    const int number = DefaultImages ? i : ImageNumberOf(imageIndexes_.get(), i);
    list->ImageNumbers.push_back(number < 0 ? -2 : number);
    widest = std::max(widest, list->Canvas()->TextWidth(text) + 2);
  }
  list->SetClientHeight(std::min(values_->Count(), DropDownRows) * list->ItemHeight());
  const int imageWidth = list->Images ? list->Images->Width() : list->ItemHeight();
  if (DropDownWidth != 0)
    list->SetClientWidth(DropDownWidth);
  else
    list->SetClientWidth(widest + imageWidth + 4);
  list->SetItemIndex(values_->IndexOf(Text()));
  PlacePopup(list, true);
  ShowListWindow(list);
}

void TdxInplaceImageEdit::CloseUp(bool Accept) {
  if (!DropDownShown) return;
  TdxPopupImageListBox* list = list_.get();
  HideListWindow(list);
  const int selected = list->ItemIndex();
  if (selected < 0 || selected >= values_->Count()) return;
  Variant value = Variant(values_->Strings(selected));
  DoCloseUp(value, Accept);
  if (Accept) SetValueText(value.AsString());
}

void TdxInplaceImageEdit::StepTo(int Index) {
  if (values_->Count() == 0) return;
  SetValueText(values_->Strings(std::clamp(Index, 0, values_->Count() - 1)));
}

void TdxInplaceImageEdit::SelectNextValue(int Delta, bool) {
  if (ReadOnly() || values_->Count() == 0) return;
  const int position = values_->IndexOf(Text());
  StepTo(position < 0 ? 0 : position + Delta);
}

void TdxInplaceImageEdit::KeyDown(WORD& Key, TShiftState Shift) {
  const bool steps = !IsInplace() || Incremental;
  const int position = values_->IndexOf(Text());
  int target = -1;
  switch (Key) {
    case VK_PRIOR: target = position + 1 - DropDownRows; break;
    case VK_NEXT: target = position + DropDownRows - 1; break;
    case VK_END: target = values_->Count() - 1; break;
    case VK_HOME: target = 0; break;
    case VK_RIGHT:
    case VK_DOWN: target = position + 1; break;
    case VK_LEFT:
    case VK_UP: target = position - 1; break;
    default: break;
  }
  const bool navigation = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_RIGHT ||
                          Key == VK_DOWN || Key == VK_LEFT || Key == VK_UP;
  if (navigation && steps && !IsDroppedDown()) {
    if (!ReadOnly()) StepTo(position < 0 && Key != VK_END ? 0 : target);
    Key = 0;
    return;
  }
  if (!steps && (Key == VK_LEFT || Key == VK_RIGHT) && !IsDroppedDown()) {
    MoveToAdjacentColumn(Key == VK_LEFT);
    Key = 0;
    return;
  }
  TdxInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TdxInplaceImageEdit::KeyPress(Char& Key) {
  if (Key < 32) {
    TdxInplaceDropDownEdit::KeyPress(Key);
    return;
  }
  const Char typed = Key;
  Key = 0;
  const int count = values_->Count();
  const int current = values_->IndexOf(Text());
  // From after the current value to the end, then from the start up to it.
  for (int step = 1; step <= count; ++step) {
    const int i = current < 0 ? step - 1 : (current + step) % count;
    if (i == current || i >= descriptions_->Count()) continue;
    const String& description = descriptions_->Strings(i);
    if (!description.empty() && AnsiSameText(description.substr(0, 1), String(1, typed))) {
      SetValueText(values_->Strings(i));
      return;
    }
  }
}
