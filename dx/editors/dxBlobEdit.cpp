#include "dx/editors/dxBlobEdit.h"

#include "dx/editors/dxContainer.h"
#include "platform/forms/PictureValues.h"
#include "platform/data/Field.h"
#include "platform/forms/Graphic.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

int BlobIconIndex(TdxBlobEditKind Kind, bool Empty) {
  static const int kFilled[] = {3, 5, 7, 1};  // bekMemo, bekPict, bekOle, bekBlob
  return kFilled[static_cast<int>(Kind)] - (Empty ? 1 : 0);
}

bool BlobValueIsEmpty(const Variant& Value) {
  if (Value.Type() == varEmpty || VarIsNull(Value)) return true;
  if (Value.Type() == varString) return Value.AsAnsiString().empty();
  return VarIsStr(Value) && Value.AsString().empty();
}

// --- The icons ---

namespace {

std::unique_ptr<TCustomImageList>& BlobImagesSlot() {
  static std::unique_ptr<TCustomImageList> images;
  return images;
}

// An empty value is a framed page, a filled one the same page filled in the kind's colour.
void AddBlobIcon(TCustomImageList* Images, TColor KindColor, bool Filled) {
  constexpr TColor kTransparent = static_cast<TColor>(0x008080);  // olive, RGB (128, 128, 0)
  TBitmap bitmap;
  bitmap.SetSize(16, 16);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(kTransparent);
  canvas->FillRect(RECT{0, 0, 16, 16});
  canvas->Brush()->SetColor(clWhite);
  canvas->Pen()->SetColor(KindColor);
  canvas->Rectangle(2, 1, 14, 15);
  if (Filled) {
    canvas->Brush()->SetColor(KindColor);
    canvas->FillRect(RECT{4, 4, 12, 12});
  }
  Images->AddMasked(&bitmap, kTransparent);
}

}  // namespace

TCustomImageList* dxBlobImages() { return BlobImagesSlot().get(); }

void InitBlobImages() {
  auto images = std::make_unique<TCustomImageList>(nullptr, 16, 16);
  for (TColor kind : {clGray, clNavy, clGreen, clMaroon})  // blob, memo, picture, OLE
    for (bool filled : {false, true}) AddBlobIcon(images.get(), kind, filled);
  BlobImagesSlot() = std::move(images);
}

void FinalizeBlobImages() { BlobImagesSlot().reset(); }

// --- Class painting ---

TRENVIK_IMPLEMENT_CLASS(TdxBlobEditViewData)

std::unique_ptr<TdxEditViewData> TdxBlobEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxBlobEditViewData>();
}

void TdxBlobEditMetaClass::CalcButtons(TdxDropDownEditViewData* ViewData) const {
  TdxDropDownEditMetaClass::CalcButtons(ViewData);
  auto* v = static_cast<TdxBlobEditViewData*>(ViewData);
  if (v->ButtonCount == 0 || (v->BlobEditKind != bekOle && v->BlobEditKind != bekBlob)) return;
  v->Buttons[0].Kind = bkEllipsis;
  v->Buttons[0].Width = GetButtonWidth(v, v->Buttons[0]);
}

bool TdxBlobEditMetaClass::DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const {
  auto* v = static_cast<TdxBlobEditViewData*>(ViewData);
  if (v->BlobPaintStyle == bpsIcon) {
    if (!v->MeasureOnly) {
      if (!v->Transparent) FillRect(DC, &Rect, v->Brush);
      if (TCustomImageList* images = v->Images)
        DrawImageListImage(DC, (Rect.left + Rect.right - images->Width()) / 2,
                           (Rect.top + Rect.bottom - images->Height()) / 2, images,
                           BlobIconIndex(v->BlobEditKind, v->IsEmpty));
    }
    // The text drawing that follows draws nothing over the icon.
    v->Transparent = true;
    v->Data = Variant(String());
  } else {
    v->EndEllipsis = true;
    v->VertAlignment = dxVertMultiLine;
  }
  return TdxDropDownEditMetaClass::DrawContent(DC, Rect, LiveWindow, v);
}

// --- The editor ---

TRENVIK_IMPLEMENT_CLASS(TdxInplaceBlobEdit)

TRENVIK_MESSAGE_MAP(TdxInplaceBlobEdit) { M.On(WM_GETDLGCODE, &TdxInplaceBlobEdit::WMGetDlgCode); }

TdxInplaceEditClass TdxInplaceBlobEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceBlobEdit, TdxBlobEditMetaClass> c("TdxInplaceBlobEdit");
  return &c;
}

TdxInplaceBlobEdit::TdxInplaceBlobEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class), PictureClipboardFormat(CF_PICTURE), blobValue_(String()) {
  KeysToList = false;
  clickOpensPopup_ = true;
}

TdxInplaceBlobEdit::~TdxInplaceBlobEdit() {
  DropDownWindow = nullptr;
  popup_.reset();
}

void TdxInplaceBlobEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void TdxInplaceBlobEdit::DoAssignPicture(TPicture*& Picture) {
  if (OnAssignPicture) OnAssignPicture(this, Picture);
}

TGraphicClass TdxInplaceBlobEdit::GetGraphicClass() {
  TGraphicClass result = StoredGraphicClass;
  if (OnGetGraphicClass) OnGetGraphicClass(this, result);
  return result;
}

void TdxInplaceBlobEdit::SetPopupSize(int Width, int Height) {
  PopupWidth = Width;
  PopupHeight = Height;
  if (OnSavePopupSize) OnSavePopupSize(this);
}

void TdxInplaceBlobEdit::SetBlobKind(TdxBlobEditKind Value) {
  if (blobKind_ == Value) return;
  blobKind_ = Value;
  StyleChanged();
}

void TdxInplaceBlobEdit::SetBlobPaintStyle(TdxBlobPaintStyle Value) {
  if (paintStyle_ == Value) return;
  paintStyle_ = Value;
  InvalidateEditor();
}

void TdxInplaceBlobEdit::SetTextInternal(const String& Value) {
  TValueScope<bool> assigning(assigningText_, true);
  TdxInplaceMaskEdit::SetText(Value);
}

namespace {

bool SameBlobValue(const Variant& A, const Variant& B) {
  if (A.Type() == varString || B.Type() == varString) return A.AsAnsiString() == B.AsAnsiString();
  return A.AsString() == B.AsString();
}

}  // namespace

void TdxInplaceBlobEdit::SetBlobValue(const Variant& Value) {
  if (SameBlobValue(Value, blobValue_)) return;
  blobValue_ = Value;
  TCustomdxContainer* host = GetContainer();
  // While the host loads a value into its editor the value is only stored.
  if (!(host && host->IsInitialisingEditor()) && CanModify()) Change();
  InvalidateEditor();
}

void TdxInplaceBlobEdit::SetEditValue(const Variant& Value) {
  blobValue_ = VarIsNull(Value) || Value.Type() == varEmpty ? Variant(String())
               : VarIsStr(Value)                            ? Value
                                                            : Variant(Value.AsString());
  InvalidateEditor();
}

void TdxInplaceBlobEdit::GetEditValue(Variant& Value, bool FromDefinition) {
  Value = Variant(Text());
  if (!CreateDataDefinition()) return;
  inherited::GetEditValue(Value, FromDefinition);
  if (VarIsNull(Value)) Value = Variant(String());
}

void TdxInplaceBlobEdit::GetEditingValue(Variant& Value) {
  if (blobKind_ != bekPict) {
    Value = BlobValueIsEmpty(blobValue_) ? Null() : blobValue_;
    return;
  }
  if (!temporaryPicture_) temporaryPicture_ = std::make_unique<TPicture>();
  LoadPictureFromVariant(temporaryPicture_.get(), StoredGraphicClass, blobValue_);
  TPicture* picture = temporaryPicture_.get();
  DoAssignPicture(picture);
  TGraphic* graphic = picture ? picture->Graphic() : nullptr;
  Value = graphic ? Variant(graphic) : Variant(0);
}

std::unique_ptr<TdxEditViewData> TdxInplaceBlobEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceDropDownEdit::CreateViewData(FromDefinition);
  auto* d = static_cast<TdxBlobEditViewData*>(v.get());
  // An in-place BLOB cell never has the focus look; a stand-alone one loses it to its pop-up.
  const bool popupFocused = popup_ && popup_->HandleAllocated() && GetFocus() == popup_->Handle();
  d->Focused = d->Focused && !IsInplace() && !popupFocused;
  d->BlobEditKind = blobKind_;
  d->BlobPaintStyle = paintStyle_;
  if (paintStyle_ == bpsIcon) {
    d->Images = dxBlobImages();
    d->IsEmpty = FromDefinition ? IsNullValue(d->Data) : BlobValueIsEmpty(blobValue_);
  }
  SetTextInternal(Text());
  return v;
}

void TdxInplaceBlobEdit::StoreFromPopup(TCustomdxBlobPopup* Popup) {
  Popup->OnSave = nullptr;  // once per showing
  if (!CanModify()) return;
  if (blobKind_ == bekMemo) {
    SetBlobValue(Variant(Popup->SavedText()));
    if (paintStyle_ == bpsText) SetTextInternal(Popup->SavedText());
  } else if (PictureIsEmpty(Popup->Picture())) {
    StoredGraphicClass = nullptr;
    SetBlobValue(Variant(String()));
  } else {
    StoredGraphicClass = Popup->Picture()->Graphic()->ClassType();
    SetBlobValue(VarFromAnsiString(SavePictureToString(Popup->Picture())));
  }
  SetModified(true);
}

void TdxInplaceBlobEdit::DropDown() {
  if (DropDownShown || IsDroppedDown()) return;
  DoDropDown();
  if (blobKind_ != bekMemo && blobKind_ != bekPict) return;
  if (!popup_) {
    popup_ = std::make_unique<TCustomdxBlobPopup>(nullptr);
    popup_->SetOwnerControl(this);
  }
  TCustomdxBlobPopup* popup = popup_.get();
  DropDownWindow = popup;
  popup->SetColor(Color());
  popup->Font()->Assign(Font());
  popup->ClearSavedText();
  popup->SetKind(blobKind_ == bekMemo ? bpkMemo : bpkPicture);
  popup->SetPopupBorder(GetActualPopupBorder());
  popup->SetShadow(Style()->Shadow());
  popup->Sizeable = SizeablePopup;
  popup->AlwaysSaveText = AlwaysSaveText;
  popup->SetMemoStyle({MemoScrollBars, MemoHideScrollBars, MemoSelectionBar, MemoOEMConvert});
  popup->SetMaxLength(MemoMaxLength);
  popup->SetCharCase(MemoCharCase);
  popup->WantReturns = MemoWantReturns;
  popup->WantTabs = MemoWantTabs;
  popup->SetWordWrap(MemoWordWrap);
  popup->PictureAutoSize = PictureAutoSize;
  popup->ClipboardFormat = PictureClipboardFormat;
  popup->GraphicClass = GetGraphicClass();
  popup->PictureFilter = PictureFilter;
  popup->ShowPicturePopup = ShowPicturePopup;
  popup->ShowExPopupItems = ShowExPopupItems;
  popup->SetReadOnly(!IsEditable());
  if (blobKind_ == bekPict) {
    try {
      LoadPictureFromVariant(popup->Picture(), popup->GraphicClass, blobValue_);
    } catch (...) {
      popup->Picture()->Assign(nullptr);
      throw;
    }
  } else {
    popup->SetEditText(BlobValueIsEmpty(blobValue_) ? String() : blobValue_.AsString());
  }
  popup->HandleNeeded();
  popup->SetModified(false);
  popup->OnSave = [this](TCustomdxBlobPopup* Sender) { StoreFromPopup(Sender); };
  popup->OnSize = [this](TCustomdxBlobPopup* Sender) { SetPopupSize(Sender->Width(), Sender->Height()); };
  RECT window{};
  GetWindowRect(Handle(), &window);
  popup->PlaceAndSize(POINT{window.left, window.bottom}, PopupWidth, PopupHeight);
  DropDownShown = true;
  popup->ShowPopup();
  ::SetFocus(popup->Handle());
}

void TdxInplaceBlobEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsInplace() && (Key == VK_LEFT || Key == VK_RIGHT) && Shift.Empty()) {
    MoveToAdjacentColumn(Key == VK_LEFT);
    Key = 0;
    return;
  }
  if (Key == VK_DELETE) {
    Key = 0;
    return;
  }
  TdxInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TdxInplaceBlobEdit::KeyPress(Char& Key) {
  // The cell itself takes no typing: the pop-up is the only way to edit.
  if (Key >= 32 && popup_ && popup_->HandleAllocated() && IsWindowVisible(popup_->Handle()) &&
      GetFocus() == popup_->Handle() && popup_->EditText().empty())
    PostMessage(popup_->Handle(), WM_CHAR, Key, 0);
  Key = 0;
}

TdxBlobEditKind BlobEditKindForField(TdxBlobKind Kind, TField* Field) {
  switch (Kind) {
    case bkBlob:
      return bekBlob;
    case bkMemo:
      return bekMemo;
    case bkPict:
      return bekPict;
    case bkOle:
      return bekOle;
    default:
      break;
  }
  switch (Field ? Field->DataType() : ftUnknown) {
    case ftMemo:
    case ftFmtMemo:
      return bekMemo;
    case ftGraphic:
      return bekPict;
    case ftParadoxOle:
    case ftDBaseOle:
      return bekOle;
    default:
      return bekBlob;
  }
}
