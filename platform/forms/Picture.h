// The picture: a holder of any graphic, with the registered graphic classes, their file extensions,
// file filters and clipboard formats.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Graphic.h"
#include "platform/forms/Icon.h"
#include "platform/forms/Metafile.h"

// Whether the bytes at the stream's position are of a graphic class (the position is kept).
using TGraphicStreamTest = bool (*)(TStream* Stream);

struct TFileFormat {
  String Extension;  // without the dot, lower case
  String Description;
  TGraphicClass GraphicClass;
};

// The clipboard format of pictures ("picture"): on the clipboard it stands for any format a
// registered graphic class reads.
extern Word CF_PICTURE;

class TPicture : public TPersistent {
  TRENVIK_CLASS(TPicture, TPersistent);

 public:
  TPicture();
  ~TPicture() override;

  // nullptr when the picture is empty.
  TGraphic* Graphic() const { return graphic_.get(); }
  // Holds a copy of Value (a new graphic of its class assigned from it); nullptr empties.
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap, icon or metafile: a graphic of another class is replaced by a new empty one.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
  TIcon* Icon();
  void SetIcon(TIcon* Value) { SetGraphic(Value); }
  TMetafile* Metafile();
  void SetMetafile(TMetafile* Value) { SetGraphic(Value); }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // The class is chosen by the file's extension: EInvalidGraphic "Unknown picture file extension
  // (.xyz)" for an extension no class is registered for.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  // The class is chosen by the stream's first bytes: EInvalidGraphic "Unknown picture format".
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  static bool SupportsClipboardFormat(Word AFormat);
  void LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData);
  void SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData);

  // From a picture or a graphic (copied), or nullptr (emptied).
  void Assign(TPersistent* Source) override;

  // Newest registrations come first in the filters.
  static void RegisterFileFormat(const String& Extension, const String& Description,
                                 TGraphicClass AGraphicClass);
  static void RegisterClipboardFormat(Word AFormat, TGraphicClass AGraphicClass);
  // How LoadFromStream recognises the class's streams.
  static void RegisterStreamFormat(TGraphicClass AGraphicClass, TGraphicStreamTest Test);
  // Removes the class and its descendants from the file, clipboard and stream format lists.
  static void UnregisterGraphicClass(TGraphicClass AClass);

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent* Dest) override;
  void DefineProperties(TFiler* Filer) override;
  virtual void Changed(TObject* Sender);

 private:
  void TakeGraphic(TGraphic* Value);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  template <class T>
  T* ForceType();

  std::unique_ptr<TGraphic> graphic_;
};

// The registered file formats, newest first.
const std::vector<TFileFormat>& GraphicFileFormats();
// The graphic class registered for an extension (with or without the dot), or nullptr.
TGraphicClass GraphicClassOfExtension(const String& Extension);
// "All (*.jpg;*.bmp)|*.jpg;*.bmp|JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp": the formats of
// the class and its descendants.
String GraphicFilter(TGraphicClass GraphicClass);
// The first extension registered for exactly that class ("bmp"), empty when none.
String GraphicExtension(TGraphicClass GraphicClass);
// "*.jpg;*.bmp".
String GraphicFileMask(TGraphicClass GraphicClass);
