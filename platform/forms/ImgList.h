// Image lists: same-sized images with masks over the drawing layer's image lists, their drawing
// styles, change links and drag images.
#pragma once

#include <vector>

#include "platform/classes/Component.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Icon.h"
#include "platform/gdi/ImageList.h"

class TCustomImageList;

TRENVIK_ENUM(TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent);
TRENVIK_ENUM(TImageType, itImage, itMask);

// Tells a client (a control showing the list's images) that the list changed.
class TChangeLink : public TObject {
  TRENVIK_CLASS(TChangeLink, TObject);

 public:
  TChangeLink() = default;
  // Leaves the list it is registered with.
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return sender_; }
  void SetSender(TCustomImageList* Value) { sender_ = Value; }
  virtual void Change();

  TNotifyEvent OnChange;

 private:
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
  TRENVIK_CLASS(TCustomImageList, TComponent);

 public:
  // 16 x 16, masked.
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TCustomImageList() override;

  void Assign(TPersistent* Source) override;

  // The drawing layer's list, made on first use; owned unless ShareImages.
  HIMAGELIST Handle();
  // Takes over a list (and its image size).
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  int Width() const { return width_; }
  // A new size removes every image.
  void SetWidth(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  int Count();
  // Whether images have masks; images already added are kept.
  bool Masked() const { return masked_; }
  void SetMasked(bool Value);
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType Value);
  // clNone: masked pixels show what lies under; another colour fills them.
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor Value);
  // The colour of dsFocus and dsSelected blends (clNone blends with what lies under, clDefault is
  // the highlight colour).
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor Value);
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle Value);
  // Shared lists are not destroyed with the component.
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool Value) { shareImages_ = Value; }
  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int Value) { allocBy_ = Value; }

  // A bitmap as wide as n images adds n images. The results are the index of the first image
  // added, -1 when nothing was added.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Pixels of MaskColor become transparent; clDefault takes the bitmap's bottom-left pixel, clNone
  // adds the images without mask.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void AddImages(TCustomImageList* Value);
  // EInvalidOperation "Invalid ImageList Index" for an index outside the list.
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
  void ReplaceIcon(int Index, TIcon* Image);
  void Delete(int Index);
  void Clear();

  // With the list's DrawingStyle and ImageType; a disabled image is drawn embossed in the button
  // highlight and shadow colours.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // The image drawn on the bitmap (resized to the list's size) over what it held.
  bool GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

  // Drag images: the image set by SetDragImage follows the cursor over the locked window.
  bool SetDragImage(int Index, int HotSpotX, int HotSpotY);
  bool BeginDrag(HWND Window, int X, int Y);
  bool DragLock(HWND Window, int XPos, int YPos);
  void DragUnlock();
  bool DragMove(int X, int Y);
  bool EndDrag();
  void ShowDragImage();
  void HideDragImage();
  bool Dragging() const { return dragging_; }
  POINT GetHotSpot() const { return dragHotspot_; }
  Integer DragCursor() const { return dragCursor_; }
  void SetDragCursor(Integer Value) { dragCursor_ = Value; }

  TNotifyEvent OnChange;

 protected:
  // Tells the change links, then OnChange.
  virtual void Change();
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
  // The images in form resources ("Bitmap"): the image count (32 bits), the images side by side as
  // a 24-bit bitmap file, then, for a masked list, their masks as a 1-bit bitmap file.
  void DefineProperties(TFiler* Filer) override;

 private:
  void CheckIndex(int Index);
  void FreeHandle();
  void Recreate(int AWidth, int AHeight, bool AMasked);
  void DrawDisabled(int Index, TCanvas* Canvas, int X, int Y);
  void ReadImages(TStream* Stream);
  void WriteImages(TStream* Stream);

  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
  bool masked_ = true;
  TImageType imageType_ = itImage;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
  bool shareImages_ = false;
  int allocBy_ = 4;
  std::vector<TChangeLink*> clients_;
  bool dragging_ = false;
  int dragIndex_ = 0;
  POINT dragHotspot_;
  HWND dragWindow_ = nullptr;
  Integer dragCursor_ = -12;  // crDrag
};

class TImageList : public TCustomImageList {
  TRENVIK_CLASS(TImageList, TCustomImageList);

 public:
  using TCustomImageList::TCustomImageList;
};
