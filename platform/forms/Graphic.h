// Graphics that a canvas can draw and a stream can hold: the abstract TGraphic and the bitmap.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Canvas.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Clipboard.h"

class TFiler;

// Clipboard formats the graphics exchange (their data is passed as bytes: a DIB for bitmaps, the
// file's bytes for metafiles). CF_BITMAP and CF_DIB are the window system's.
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_ENHMETAFILE = 14;

class TGraphic : public TPersistent {
  TRENVIK_CLASS(TGraphic, TPersistent);

 public:
  TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void SetSize(int AWidth, int AHeight);
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool Value);
  // Set by every change; the picture editors clear it after loading.
  bool Modified() const { return modified_; }
  void SetModified(bool Value);
  // 32-bit surfaces need no palette: kept for the calls.
  virtual HPALETTE Palette() const { return nullptr; }
  virtual void SetPalette(HPALETTE) {}

  // Reads the graphic's own bytes from the stream's position (and no more).
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  // Clipboard data as bytes; EInvalidGraphic for a format the class does not read.
  virtual void LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData);
  virtual void SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData);

  TNotifyEvent OnChange;

 protected:
  friend class TCanvas;
  friend class TPicture;
  // Draws into Rect of the canvas, stretching when the sizes differ.
  virtual void Draw(TCanvas* ACanvas, const RECT& Rect) = 0;
  virtual void Changed(TObject* Sender);
  // The "Data" value of form resources.
  void DefineProperties(TFiler* Filer) override;
  virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

 private:
  bool transparent_ = false;
  bool modified_ = false;
};

using TGraphicClass = TClass;
// A new empty graphic of the class (EInvalidGraphic when it is not a graphic class).
TGraphic* NewGraphic(TGraphicClass GraphicClass);

TRENVIK_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom);
TRENVIK_ENUM(TTransparentMode, tmAuto, tmFixed);
TRENVIK_ENUM(TBitmapHandleType, bmDIB, bmDDB);

class TBitmap;

// The canvas of a bitmap: a memory DC holding the bitmap, made on first drawing.
class TBitmapCanvas : public TCanvas {
  TRENVIK_CLASS(TBitmapCanvas, TCanvas);

 public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : bitmap_(Bitmap) {}
  ~TBitmapCanvas() override;
  // Lets the bitmap go (before its handle changes).
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

class TBitmap : public TGraphic {
  TRENVIK_CLASS(TBitmap, TGraphic);

 public:
  TBitmap();
  ~TBitmap() override;

  // From another bitmap: a copy of its pixels and settings; from nullptr: empty; from another
  // graphic: that graphic drawn on white at its own size.
  void Assign(TPersistent* Source) override;

  TCanvas* Canvas();
  // The bitmap handle, owned by the bitmap; nullptr while empty.
  HBITMAP Handle();
  // Takes over the handle and its size.
  void SetHandle(HBITMAP Value);
  // Gives the handle to the caller; the bitmap keeps a copy of the image.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // A monochrome mask, white where the pixels have the transparent colour; owned by the bitmap.
  HBITMAP MaskHandle();
  TBitmapHandleType HandleType() const { return handleType_; }
  void SetHandleType(TBitmapHandleType Value) { handleType_ = Value; }

  bool Empty() const override { return width_ == 0 || height_ == 0; }
  int Width() const override { return width_; }
  void SetWidth(int Value) override { SetSize(Value, height_); }
  int Height() const override { return height_; }
  void SetHeight(int Value) override { SetSize(width_, Value); }
  // Keeps the pixels of the overlap; new pixels take the canvas brush colour (white without a canvas).
  void SetSize(int AWidth, int AHeight) override;

  bool Monochrome() const { return pixelFormat_ == pf1bit; }
  void SetMonochrome(bool Value);
  // Every format keeps 32-bit pixels; the format chooses what SaveToStream writes (pf1bit: 1 bit,
  // pf32bit: 32 bits with alpha, the others 24 bits) and pf1bit makes the bitmap monochrome.
  TPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TPixelFormat Value);
  bool IgnorePalette() const { return ignorePalette_; }
  void SetIgnorePalette(bool Value) { ignorePalette_ = Value; }

  // tmAuto: the bottom-left pixel (white for a monochrome bitmap); tmFixed: the colour set.
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode Value);

  // A row of 32-bit pixels (0xAARRGGBB), top row 0, whatever the pixel format.
  Pixel* ScanLine(int Row);

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // "<resource folder>/bitmaps/<Name>.bmp" (the name as given, then in upper case); EResNotFound
  // "Resource <Name> not found" when there is none.
  void LoadFromResourceName(HINSTANCE Instance, const String& Name);
  void LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) override;
  void SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) override;

  // Memory-saving calls of the original: nothing to do over 32-bit surfaces.
  void Dormant() {}
  void FreeImage() {}

  // Replaces the image by top-down 32-bit pixels.
  void SetPixels(int AWidth, int AHeight, const Pixel* Pixels);

 protected:
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 private:
  friend class TBitmapCanvas;
  void HandleChanging();
  void NewImage(int AWidth, int AHeight, bool Mono);
  TSurface* Surface() const;

  int width_ = 0;
  int height_ = 0;
  HBITMAP handle_ = nullptr;
  HBITMAP mask_ = nullptr;
  TPixelFormat pixelFormat_ = pfDevice;
  TBitmapHandleType handleType_ = bmDDB;
  bool ignorePalette_ = false;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

// The folder resources are read from (bitmaps in "bitmaps/"): by default "resources" beside the
// program, or the folder named by the TRENVIK_RESOURCES environment variable.
String ResourceFolder();
void SetResourceFolder(const String& Folder);
