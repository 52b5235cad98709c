// The image editor control: its picture as the edit value, the clipboard, the picture dialogs and
// the keys that run them.
#include "cx/editors-ext/cxImage.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Jpeg.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomImage)
TRENVIK_PUBLISHED(TcxImage) {
  P.Property("AutoSize", &TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize).Default(false);
  PublishEditControl(P, false);
  P.Property("Picture", &TcxCustomImage::Picture, &TcxCustomImage::SetPicture);
}

TcxCustomImage::TcxCustomImage(TComponent* AOwner) : TcxCustomEdit(AOwner), picture_(std::make_unique<TPicture>()) {
  CreateProperties();
  SetAutoSize(false);
  SetParentColor(false);
  SetBounds(Left(), Top(), 140, 100);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TcxCustomImage::~TcxCustomImage() { picture_->OnChange = nullptr; }

bool TcxCustomImage::PictureEmpty() const { return !picture_->Graphic() || picture_->Graphic()->Empty(); }

TGraphicClass TcxCustomImage::GetGraphicClass() {
  TcxCustomImageProperties* properties = ActiveProperties();
  return properties->GraphicClass() ? properties->GraphicClass()
                                    : cxGetGraphicClassByName(properties->GraphicClassName());
}

void TcxCustomImage::DoCustomClick() {
  if (ActiveProperties()->OnCustomClick) ActiveProperties()->OnCustomClick(this);
}

void TcxCustomImage::GetEditValue(Variant& Value) {
  Value = PictureEmpty() ? Null() : VarFromAnsiString(cxPictureToValue(picture_.get()));
}

void TcxCustomImage::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  {
    TValueScope<bool> loading(loadingValue_, true);
    if (VarIsStr(Value))
      cxPictureFromValue(picture_.get(), GetGraphicClass(), Value);
    else
      picture_->Assign(nullptr);
  }
  // A value the picture cannot show stays the value: only the user's changes replace it.
  inherited::InternalSetEditValue(VarIsStr(Value) ? Value : Null(), AValidateEditValue);
}

void TcxCustomImage::PictureChanged() {
  TcxCustomImageProperties* properties = ActiveProperties();
  if (properties->GraphicTransparency() != gtDefault && !PictureEmpty()) {
    TValueScope<TNotifyEvent> detached(picture_->OnChange, nullptr);
    picture_->Graphic()->SetTransparent(properties->GraphicTransparency() == gtTransparent);
  }
  if (!loadingValue_) {
    Variant stored;
    GetEditValue(stored);
    {
      TValueScope<bool> loading(loadingValue_, true);
      inherited::InternalSetEditValue(stored, false);
    }
    SetModifiedAfterEnter(true);
    DoChange();
    if (properties->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) PostEditValue();
  }
  if (!IsLoading()) {
    ResetScrolling();
    CalculateViewInfoAtCursor();
  }
  Invalidate();
}

void TcxCustomImage::InitializeViewData(TcxCustomEditViewData* AViewData) {
  inherited::InitializeViewData(AViewData);
  AViewData->Edit = this;
}

void TcxCustomImage::PropertiesChanged(TObject* Sender) {
  if (IsDestroying()) return;
  inherited::PropertiesChanged(Sender);
  if (ActiveProperties()->GraphicTransparency() != gtDefault && !PictureEmpty()) {
    TValueScope<bool> loading(loadingValue_, true);
    PictureChanged();
  } else if (!IsLoading()) {
    ResetScrolling();
  }
}

void TcxCustomImage::Clear() {
  if (!DoEditing()) return;
  picture_->SetGraphic(nullptr);
}

void TcxCustomImage::CopyToClipboard() {
  if (!PictureEmpty()) Clipboard()->Assign(picture_.get());
}

void TcxCustomImage::CutToClipboard() {
  CopyToClipboard();
  Clear();
}

namespace {

// Whether the clipboard holds a format: a bitmap is held as its DIB, and CF_PICTURE stands for any
// format a graphic class reads.
bool cxClipboardHolds(TClipboard* AClipboard, Word AFormat) {
  if (AFormat == 0) return false;
  if (AFormat == CF_BITMAP) return AClipboard->HasFormat(CF_BITMAP) || AClipboard->HasFormat(CF_DIB);
  if (AFormat != CF_PICTURE) return AClipboard->HasFormat(AFormat);
  // Enumerating the formats needs the clipboard open.
  AClipboard->Open();
  TScopeExit close([&] { AClipboard->Close(); });
  for (int i = 0; i < AClipboard->FormatCount(); ++i) {
    const Word format = AClipboard->Formats(i);
    if (TPicture::SupportsClipboardFormat(format == CF_DIB ? static_cast<Word>(CF_BITMAP) : format)) return true;
  }
  return false;
}

}  // namespace

void TcxCustomImage::PasteFromClipboard() {
  TClipboard* clipboard = Clipboard();
  if (!cxClipboardHolds(clipboard, CF_PICTURE) || !DoEditing()) return;
  TPicture pasted;
  pasted.Assign(clipboard);
  // A bitmap pasted into a JPEG editor is compressed.
  if (GetGraphicClass() == TJPEGImage::StaticClass() && dynamic_cast<TBitmap*>(pasted.Graphic())) {
    TJPEGImage jpeg;
    jpeg.Assign(pasted.Graphic());
    picture_->SetGraphic(&jpeg);
    return;
  }
  picture_->Assign(&pasted);
}

TcxPopupMenuItems TcxCustomImage::EnabledCommands() {
  const TGraphicClass graphicClass = GetGraphicClass();
  const bool clipboardHasFormat = cxClipboardHolds(Clipboard(), cxImageClipboardFormat(graphicClass));
  return cxImageEnabledCommands(PictureEmpty(), !CanModify(), graphicClass, clipboardHasFormat);
}

void TcxCustomImage::LoadPictureFromFile(const String& AFileName) {
  TPicture loaded;
  try {
    loaded.LoadFromFile(AFileName);
  } catch (const Exception& e) {
    throw EInvalidGraphic(u"\"" + AFileName + u"\" is no picture: " + e.Message());
  }
  if (!DoEditing()) return;
  picture_->Assign(&loaded);
}

void TcxCustomImage::LoadPicture() {
  if (!CanModify()) return;
  TOpenPictureDialog dialog(nullptr);
  const String& filter = ActiveProperties()->CustomFilter();
  const TGraphicClass graphicClass = GetGraphicClass();
  dialog.SetFilter(!filter.empty() ? filter : GraphicFilter(graphicClass ? graphicClass : TGraphic::StaticClass()));
  if (dialog.Execute()) LoadPictureFromFile(dialog.FileName());
}

void TcxCustomImage::SavePicture() {
  if (PictureEmpty()) return;
  TSavePictureDialog dialog(Application);
  const String& filter = ActiveProperties()->CustomFilter();
  const TGraphicClass graphicClass = picture_->Graphic()->ClassType();
  dialog.SetFilter(!filter.empty() ? filter : GraphicFilter(graphicClass));
  dialog.SetDefaultExt(GraphicExtension(graphicClass));
  if (dialog.Execute()) picture_->SaveToFile(dialog.FileName());
}

void TcxCustomImage::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  inherited::DoEditKeyDown(Key, Shift);
  if (Key == VK_INSERT && Shift == TShiftState{ssShift}) PasteFromClipboard();
  if (Key == VK_INSERT && Shift == TShiftState{ssCtrl}) CopyToClipboard();
  if (Key == VK_DELETE && Shift == TShiftState{ssShift}) CutToClipboard();
}

void TcxCustomImage::DoEditKeyPress(Char& Key) {
  inherited::DoEditKeyPress(Key);
  switch (Key) {
    case 3:
      CopyToClipboard();
      break;
    case 22:
      PasteFromClipboard();
      break;
    case 24:
      CutToClipboard();
      break;
    default:
      break;
  }
}

void InitializeImage() {
  GetRegisteredEditProperties()->Register(TcxImageProperties::StaticClass(),
                                          cxGetResourceString(cxSEditImageDescription));
}

void FinalizeImage() {
  GetRegisteredEditProperties()->Unregister(TcxImageProperties::StaticClass());
  cxFreeImageMenuImages();
}
