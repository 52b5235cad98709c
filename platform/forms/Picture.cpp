#include "platform/forms/Picture.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/Filer.h"
#include "platform/forms/FormsModules.h"
#include "platform/gdi/Controls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

Word CF_PICTURE = 0;

namespace {

struct ClipboardFormat {
  Word Format;
  TGraphicClass GraphicClass;
};

struct StreamFormat {
  TGraphicClass GraphicClass;
  TGraphicStreamTest Test;
};

struct Registry {
  std::vector<TFileFormat> files;
  std::vector<ClipboardFormat> clipboard;
  std::vector<StreamFormat> streams;
};

Registry& Formats() {
  static Registry registry;
  return registry;
}

String NormalExtension(const String& Extension) {
  String ext = LowerCase(Extension);
  if (!ext.empty() && ext[0] == u'.') ext.erase(0, 1);
  return ext;
}

TGraphicClass ClassByName(const String& Name) {
  for (const auto& f : Formats().files)
    if (SameText(f.GraphicClass->ClassName(), Name)) return f.GraphicClass;
  for (const auto& c : Formats().clipboard)
    if (SameText(c.GraphicClass->ClassName(), Name)) return c.GraphicClass;
  return nullptr;
}

bool PeekBytes(TStream* Stream, Byte* Buffer, Int64 Count) {
  const Int64 at = Stream->Position();
  const Int64 got = Stream->Read(Buffer, Count);
  Stream->SetPosition(at);
  return got == Count;
}

bool IsBmpStream(TStream* Stream) {
  Byte b[2];
  return PeekBytes(Stream, b, 2) && b[0] == 'B' && b[1] == 'M';
}

bool IsIconStream(TStream* Stream) {
  Byte b[4];
  return PeekBytes(Stream, b, 4) && b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0;
}

// LoadBitmap of a module's named bitmap reads the same resource folder as TBitmap.
HBITMAP LoadResourceBitmap(HINSTANCE Instance, LPCWSTR Name) {
  if (IS_INTRESOURCE(Name)) return nullptr;
  try {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(Instance, Name);
    return bitmap.ReleaseHandle();
  } catch (const Exception&) {
    return nullptr;  // LoadBitmap answers a missing or unreadable bitmap with no handle
  }
}

}  // namespace

void InitGraphicsModule() {
  SetResourceBitmapLoader(LoadResourceBitmap);
  CF_PICTURE = static_cast<Word>(RegisterClipboardFormat(u"picture"));
  TPicture::RegisterFileFormat(u"wmf", u"Metafiles", TMetafile::StaticClass());
  TPicture::RegisterFileFormat(u"emf", u"Enhanced Metafiles", TMetafile::StaticClass());
  TPicture::RegisterFileFormat(u"ico", u"Icons", TIcon::StaticClass());
  TPicture::RegisterFileFormat(u"bmp", u"Bitmaps", TBitmap::StaticClass());
  TPicture::RegisterClipboardFormat(CF_BITMAP, TBitmap::StaticClass());
  TPicture::RegisterClipboardFormat(CF_ENHMETAFILE, TMetafile::StaticClass());
  TPicture::RegisterClipboardFormat(CF_METAFILEPICT, TMetafile::StaticClass());
  TPicture::RegisterStreamFormat(TBitmap::StaticClass(), IsBmpStream);
  TPicture::RegisterStreamFormat(TIcon::StaticClass(), IsIconStream);
  TPicture::RegisterStreamFormat(TMetafile::StaticClass(), &TMetafile::IsMetafileStream);
}

void FinalizeGraphicsModule() {
  SetResourceBitmapLoader(nullptr);
  Formats() = Registry();
}

const std::vector<TFileFormat>& GraphicFileFormats() { return Formats().files; }

TGraphicClass GraphicClassOfExtension(const String& Extension) {
  const String ext = NormalExtension(Extension);
  for (const auto& f : Formats().files)
    if (f.Extension == ext) return f.GraphicClass;
  return nullptr;
}

String GraphicFileMask(TGraphicClass GraphicClass) {
  String mask;
  for (const auto& f : Formats().files)
    if (f.GraphicClass->InheritsFrom(GraphicClass)) {
      if (!mask.empty()) mask += u';';
      mask += u"*." + f.Extension;
    }
  return mask;
}

String GraphicFilter(TGraphicClass GraphicClass) {
  String descriptions;
  for (const auto& f : Formats().files)
    if (f.GraphicClass->InheritsFrom(GraphicClass)) {
      const String mask = u"*." + f.Extension;
      descriptions += u'|' + f.Description + u" (" + mask + u")|" + mask;
    }
  const String all = GraphicFileMask(GraphicClass);
  return u"All (" + all + u")|" + all + descriptions;
}

String GraphicExtension(TGraphicClass GraphicClass) {
  for (const auto& f : Formats().files)
    if (f.GraphicClass == GraphicClass) return f.Extension;
  return {};
}

// --- TPicture ---

TRENVIK_IMPLEMENT_CLASS(TPicture)

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  TGraphicClass AGraphicClass) {
  auto& files = Formats().files;
  files.insert(files.begin(), TFileFormat{NormalExtension(Extension), Description, AGraphicClass});
}

void TPicture::RegisterClipboardFormat(Word AFormat, TGraphicClass AGraphicClass) {
  Formats().clipboard.push_back({AFormat, AGraphicClass});
}

void TPicture::RegisterStreamFormat(TGraphicClass AGraphicClass, TGraphicStreamTest Test) {
  Formats().streams.push_back({AGraphicClass, Test});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass) {
  auto& r = Formats();
  std::erase_if(r.files, [&](const TFileFormat& f) { return f.GraphicClass->InheritsFrom(AClass); });
  std::erase_if(r.clipboard, [&](const ClipboardFormat& c) { return c.GraphicClass->InheritsFrom(AClass); });
  std::erase_if(r.streams, [&](const StreamFormat& s) { return s.GraphicClass->InheritsFrom(AClass); });
}

bool TPicture::SupportsClipboardFormat(Word AFormat) {
  for (const auto& c : Formats().clipboard)
    if (c.Format == AFormat) return true;
  return false;
}

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::TakeGraphic(TGraphic* Value) {
  std::unique_ptr<TGraphic> old = std::move(graphic_);
  graphic_.reset(Value);
  if (graphic_) graphic_->OnChange = [this](TObject* s) { Changed(s); };
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == graphic_.get()) return;
  if (!Value) {
    TakeGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy(NewGraphic(Value->ClassType()));
  copy->Assign(Value);
  TakeGraphic(copy.release());
}

template <class T>
T* TPicture::ForceType() {
  if (auto* g = dynamic_cast<T*>(graphic_.get())) return g;
  TakeGraphic(new T());
  return static_cast<T*>(graphic_.get());
}

TBitmap* TPicture::Bitmap() { return ForceType<TBitmap>(); }
TIcon* TPicture::Icon() { return ForceType<TIcon>(); }
TMetafile* TPicture::Metafile() { return ForceType<TMetafile>(); }

void TPicture::LoadFromFile(const String& FileName) {
  const TGraphicClass cls = GraphicClassOfExtension(ExtractFileExt(FileName));
  if (!cls)
    throw EInvalidGraphic("Unknown picture file extension (" + StringToUtf8(ExtractFileExt(FileName)) + ")");
  std::unique_ptr<TGraphic> graphic(NewGraphic(cls));
  graphic->LoadFromFile(FileName);
  TakeGraphic(graphic.release());
}

void TPicture::SaveToFile(const String& FileName) {
  if (graphic_) graphic_->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
  for (const auto& s : Formats().streams)
    if (s.Test(Stream)) {
      std::unique_ptr<TGraphic> graphic(NewGraphic(s.GraphicClass));
      graphic->LoadFromStream(Stream);
      TakeGraphic(graphic.release());
      return;
    }
  throw EInvalidGraphic("Unknown picture format");
}

void TPicture::SaveToStream(TStream* Stream) {
  if (graphic_) graphic_->SaveToStream(Stream);
}

void TPicture::LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) {
  for (const auto& c : Formats().clipboard)
    if (c.Format == AFormat) {
      std::unique_ptr<TGraphic> graphic(NewGraphic(c.GraphicClass));
      graphic->LoadFromClipboardFormat(AFormat, AData);
      TakeGraphic(graphic.release());
      return;
    }
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TPicture::SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) {
  if (graphic_) graphic_->SaveToClipboardFormat(AFormat, AData);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::AssignTo(TPersistent* Dest) {
  if (graphic_ && Dest && graphic_->InheritsFrom(Dest->ClassType())) {
    Dest->Assign(graphic_.get());
    return;
  }
  inherited::AssignTo(Dest);
}

void TPicture::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); },
      graphic_ != nullptr);
}

// "Data": the graphic's class name as a short string, then the graphic's own data.
void TPicture::ReadData(TStream* Stream) {
  Byte length = 0;
  Stream->ReadBuffer(&length, 1);
  std::string name(length, '\0');
  if (length) Stream->ReadBuffer(name.data(), length);
  const TGraphicClass cls = ClassByName(Utf8ToString(name));
  if (!cls) throw EInvalidGraphic("Unknown picture format");
  std::unique_ptr<TGraphic> graphic(NewGraphic(cls));
  graphic->ReadData(Stream);
  TakeGraphic(graphic.release());
}

void TPicture::WriteData(TStream* Stream) {
  const std::string name = StringToUtf8(graphic_->ClassName());
  const Byte length = static_cast<Byte>(name.size());
  Stream->WriteBuffer(&length, 1);
  Stream->WriteBuffer(name.data(), length);
  graphic_->WriteData(Stream);
}
