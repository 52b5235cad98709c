#include "platform/forms/ImgList.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/Exceptions.h"

namespace {

COLORREF ListColor(TColor Color) {
  if (Color == clNone) return CLR_NONE;
  if (Color == clDefault) return CLR_DEFAULT;
  return ColorToColorRef(Color);
}

UINT StyleFlags(TDrawingStyle Style, TImageType Type) {
  static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  return kStyles[Style] | (Type == itMask ? ILD_MASK : 0);
}

// A 32-bit bitmap in a memory DC for the length of a scope.
class TWorkBitmap {
 public:
  TWorkBitmap(int w, int h)
      : dc_(CreateCompatibleDC(nullptr)),
        bitmap_(CreateBitmap(w, h, 1, 32, nullptr)),
        old_(SelectObject(dc_, bitmap_)) {}
  ~TWorkBitmap() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TWorkBitmap(const TWorkBitmap&) = delete;
  TWorkBitmap& operator=(const TWorkBitmap&) = delete;
  HDC dc() const { return dc_; }
  void Fill(int w, int h, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    const RECT r{0, 0, w, h};
    ::FillRect(dc_, &r, b);
    DeleteObject(b);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// D AND NOT S: keeps the destination where the source is black.
constexpr DWORD kDSna = 0x00220326;

}  // namespace

// --- TChangeLink ---

TRENVIK_IMPLEMENT_CLASS(TChangeLink)

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(sender_);
}

// --- TCustomImageList ---

TRENVIK_IMPLEMENT_CLASS(TCustomImageList)

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TComponent(AOwner), width_(AWidth), height_(AHeight) {}

TCustomImageList::~TCustomImageList() {
  if (dragging_) EndDrag();
  for (TChangeLink* link : clients_) link->SetSender(nullptr);
  clients_.clear();
  FreeHandle();
}

void TCustomImageList::FreeHandle() {
  if (handle_ && !shareImages_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), allocBy_, allocBy_);
    ImageList_SetBkColor(handle_, ListColor(bkColor_));
  }
  return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  if (Value == handle_) return;
  FreeHandle();
  handle_ = Value;
  if (Value) {
    ImageList_GetIconSize(Value, &width_, &height_);
    const COLORREF bk = ImageList_GetBkColor(Value);
    bkColor_ = bk == CLR_NONE ? clNone : static_cast<TColor>(bk);
  }
  Change();
}

int TCustomImageList::Count() { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::Change() {
  // A link may unregister itself while told.
  const std::vector<TChangeLink*> links = clients_;
  for (TChangeLink* link : links)
    if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value) return;
  if (Value->Sender() && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
  Value->SetSender(this);
  if (std::find(clients_.begin(), clients_.end(), Value) == clients_.end()) clients_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(clients_.begin(), clients_.end(), Value);
  if (it == clients_.end()) return;
  clients_.erase(it);
  Value->SetSender(nullptr);
}

void TCustomImageList::Recreate(int AWidth, int AHeight, bool AMasked) {
  // Images of the old size cannot be kept; a mask change keeps them, drawn with their masks.
  const bool keep = handle_ && AWidth == width_ && AHeight == height_ && Count() > 0;
  HIMAGELIST old = handle_;
  const bool oldShared = shareImages_;
  handle_ = nullptr;
  width_ = AWidth;
  height_ = AHeight;
  masked_ = AMasked;
  if (keep) {
    HIMAGELIST fresh = Handle();
    const int n = ImageList_GetImageCount(old);
    TBitmap image, mask;
    image.SetSize(width_, height_);
    mask.SetSize(width_, height_);
    mask.SetMonochrome(true);
    for (int i = 0; i < n; ++i) {
      ImageList_Draw(old, i, image.Canvas()->Handle(), 0, 0, ILD_NORMAL);
      ImageList_Draw(old, i, mask.Canvas()->Handle(), 0, 0, ILD_MASK);
      ImageList_Add(fresh, image.Handle(), masked_ ? mask.Handle() : nullptr);
    }
  }
  if (old && !oldShared) ImageList_Destroy(old);
}

void TCustomImageList::SetWidth(int Value) {
  if (Value == width_) return;
  Recreate(Value, height_, masked_);
  Change();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value == height_) return;
  Recreate(width_, Value, masked_);
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == masked_) return;
  Recreate(width_, height_, Value);
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == imageType_) return;
  imageType_ = Value;
  Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == bkColor_) return;
  bkColor_ = Value;
  if (handle_) ImageList_SetBkColor(handle_, ListColor(Value));
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == blendColor_) return;
  blendColor_ = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == drawingStyle_) return;
  drawingStyle_ = Value;
  Change();
}

void TCustomImageList::CheckIndex(int Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->Empty()) return -1;
  const int result =
      ImageList_Add(Handle(), Image->Handle(), Mask && !Mask->Empty() && masked_ ? Mask->Handle() : nullptr);
  Change();
  return result;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  int result;
  if (!masked_ || MaskColor == clNone)
    result = ImageList_Add(Handle(), Image->Handle(), nullptr);
  else
    result = ImageList_AddMasked(Handle(), Image->Handle(), ListColor(MaskColor));
  Change();
  return result;
}

int TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->Empty()) return -1;
  const int result = ImageList_AddIcon(Handle(), Image->Handle());
  Change();
  return result;
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
  if (!Value || Value == this) return;
  const int n = Value->Count();
  for (int i = 0; i < n; ++i) ImageList_Copy(Handle(), -1, Value->Handle(), i, ILCF_MOVE);
  if (n) Change();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  if (!Image) return;
  ImageList_Replace(Handle(), Index, Image->Handle(), Mask && masked_ ? Mask->Handle() : nullptr);
  Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
  CheckIndex(Index);
  if (!NewImage) return;
  if (!masked_ || MaskColor == clNone) {
    ImageList_Replace(Handle(), Index, NewImage->Handle(), nullptr);
  } else {
    // The mask of the colour, made the way AddMasked makes it.
    TBitmap copy;
    copy.Assign(NewImage);
    copy.SetTransparentColor(MaskColor == clDefault ? NewImage->TransparentColor() : MaskColor);
    ImageList_Replace(Handle(), Index, copy.Handle(), copy.MaskHandle());
  }
  Change();
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image) {
  CheckIndex(Index);
  if (!Image || Image->Empty()) return;
  ImageList_ReplaceIcon(Handle(), Index, Image->Handle());
  Change();
}

void TCustomImageList::Delete(int Index) {
  CheckIndex(Index);
  ImageList_Remove(Handle(), Index);
  Change();
}

void TCustomImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!handle_ || Index < 0 || Index >= Count()) return;
  DoDraw(Index, Canvas, X, Y, StyleFlags(ADrawingStyle, AImageType), Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  if (Enabled)
    ImageList_DrawEx(Handle(), Index, Canvas->Handle(), X, Y, 0, 0, ListColor(bkColor_),
                     ListColor(blendColor_), Style);
  else
    DrawDisabled(Index, Canvas, X, Y);
}

void TCustomImageList::DrawDisabled(int Index, TCanvas* Canvas, int X, int Y) {
  // The image's shape: black where it is opaque, white where masked.
  TWorkBitmap shape(width_, height_);
  shape.Fill(width_, height_, RGB(255, 255, 255));
  ImageList_Draw(Handle(), Index, shape.dc(), 0, 0, ILD_MASK);
  HDC dest = Canvas->Handle();
  // The shape in the highlight colour one pixel down and right, then in the shadow colour.
  const struct {
    int dx;
    TColor color;
  } passes[] = {{1, clBtnHighlight}, {0, clBtnShadow}};
  for (const auto& pass : passes) {
    TWorkBitmap ink(width_, height_);
    ink.Fill(width_, height_, ColorToColorRef(pass.color));
    BitBlt(ink.dc(), 0, 0, width_, height_, shape.dc(), 0, 0, kDSna);
    BitBlt(dest, X + pass.dx, Y + pass.dx, width_, height_, shape.dc(), 0, 0, SRCAND);
    BitBlt(dest, X + pass.dx, Y + pass.dx, width_, height_, ink.dc(), 0, 0, SRCPAINT);
  }
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || !handle_ || Index < 0 || Index >= Count()) return false;
  Image->SetSize(width_, height_);
  Draw(Image->Canvas(), 0, 0, Index);
  return true;
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) {
  if (!Image || !handle_ || Index < 0 || Index >= Count()) return;
  Image->SetHandle(ImageList_GetIcon(handle_, Index, ILD_NORMAL));
}

void TCustomImageList::Assign(TPersistent* Source) {
  if (auto* list = dynamic_cast<TCustomImageList*>(Source)) {
    if (list == this) return;
    FreeHandle();
    width_ = list->width_;
    height_ = list->height_;
    masked_ = list->masked_;
    imageType_ = list->imageType_;
    bkColor_ = list->bkColor_;
    blendColor_ = list->blendColor_;
    drawingStyle_ = list->drawingStyle_;
    allocBy_ = list->allocBy_;
    shareImages_ = false;
    if (list->handle_) handle_ = ImageList_Duplicate(list->handle_);
    Change();
    return;
  }
  if (!Source) {
    Clear();
    return;
  }
  inherited::Assign(Source);
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      u"Bitmap", [this](TStream* s) { ReadImages(s); }, [this](TStream* s) { WriteImages(s); }, Count() > 0);
}

void TCustomImageList::WriteImages(TStream* Stream) {
  const Integer count = Count();
  Stream->WriteBuffer(&count, 4);
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.Canvas()->Brush()->SetColor(clBlack);
  strip.SetSize(width_ * count, height_);
  TBitmap mask;
  mask.SetMonochrome(true);
  mask.SetSize(width_ * count, height_);
  for (int i = 0; i < count; ++i) {
    ImageList_Draw(handle_, i, strip.Canvas()->Handle(), i * width_, 0, ILD_NORMAL);
    ImageList_Draw(handle_, i, mask.Canvas()->Handle(), i * width_, 0, ILD_MASK);
  }
  strip.SaveToStream(Stream);
  if (masked_) mask.SaveToStream(Stream);
}

void TCustomImageList::ReadImages(TStream* Stream) {
  Integer count = 0;
  Stream->ReadBuffer(&count, 4);
  if (handle_) ImageList_RemoveAll(handle_);
  if (count > 0) {
    TBitmap strip, mask;
    strip.LoadFromStream(Stream);
    if (masked_) mask.LoadFromStream(Stream);
    if (strip.Width() != width_ * count || strip.Height() != height_)
      throw EInvalidGraphic("Image list data does not match its image size");
    ImageList_Add(Handle(), strip.Handle(), masked_ && !mask.Empty() ? mask.Handle() : nullptr);
  }
  Change();
}

bool TCustomImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY) {
  dragIndex_ = Index;
  dragHotspot_ = POINT{HotSpotX, HotSpotY};
  if (dragging_) return ImageList_SetDragCursorImage(Handle(), Index, HotSpotX, HotSpotY);
  return true;
}

bool TCustomImageList::BeginDrag(HWND Window, int X, int Y) {
  if (dragging_) return true;
  if (!ImageList_BeginDrag(Handle(), dragIndex_, dragHotspot_.x, dragHotspot_.y)) return false;
  dragging_ = true;
  DragLock(Window, X, Y);
  return true;
}

bool TCustomImageList::DragLock(HWND Window, int XPos, int YPos) {
  if (!dragging_) return false;
  if (Window != dragWindow_ || !dragWindow_) {
    DragUnlock();
    dragWindow_ = Window;
    return ImageList_DragEnter(Window, XPos, YPos);
  }
  return true;
}

void TCustomImageList::DragUnlock() {
  if (dragging_ && dragWindow_) ImageList_DragLeave(dragWindow_);
  dragWindow_ = nullptr;
}

bool TCustomImageList::DragMove(int X, int Y) { return dragging_ && ImageList_DragMove(X, Y); }

bool TCustomImageList::EndDrag() {
  if (!dragging_) return false;
  DragUnlock();
  ImageList_EndDrag();
  dragging_ = false;
  return true;
}

void TCustomImageList::ShowDragImage() {
  if (dragging_) ImageList_DragShowNolock(TRUE);
}

void TCustomImageList::HideDragImage() {
  if (dragging_) ImageList_DragShowNolock(FALSE);
}

// --- TImageList ---

TRENVIK_PUBLISHED(TImageList) {
  P.Property("AllocBy", &TImageList::AllocBy, &TImageList::SetAllocBy).Default(4);
  P.Property("BlendColor", &TImageList::BlendColor, &TImageList::SetBlendColor)
      .Default(clNone)
      .Idents(IdentToColor, ColorToIdent);
  P.Property("BkColor", &TImageList::BkColor, &TImageList::SetBkColor)
      .Default(clNone)
      .Idents(IdentToColor, ColorToIdent);
  P.Property("DrawingStyle", &TImageList::DrawingStyle, &TImageList::SetDrawingStyle).Default(dsNormal);
  P.Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
  P.Property("ImageType", &TImageList::ImageType, &TImageList::SetImageType).Default(itImage);
  P.Property("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(true);
  P.Property("ShareImages", &TImageList::ShareImages, &TImageList::SetShareImages).Default(false);
  P.Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
  P.Event("OnChange", &TImageList::OnChange);
}
