#include "platform/forms/PictureValues.h"

#include <cstring>
#include <memory>

namespace {

constexpr Word kHeaderCount = 1;
constexpr Word kHeaderType = 0x0100;

Word ReadWordLE(const AnsiString& Bytes, size_t At) {
  return static_cast<Word>(static_cast<Byte>(Bytes[At]) | (static_cast<Byte>(Bytes[At + 1]) << 8));
}

int32_t ReadInt32LE(const AnsiString& Bytes, size_t At) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<Byte>(Bytes[At + i]);
  return static_cast<int32_t>(v);
}

}  // namespace

bool HasGraphicHeader(const AnsiString& Bytes) {
  if (Bytes.size() < kGraphicHeaderSize) return false;
  return ReadWordLE(Bytes, 0) == kHeaderCount && ReadWordLE(Bytes, 2) == kHeaderType &&
         static_cast<Int64>(ReadInt32LE(Bytes, 4)) == static_cast<Int64>(Bytes.size()) - kGraphicHeaderSize;
}

void LoadPictureFromVariant(TPicture* Picture, TGraphicClass GraphicClass, const Variant& Value) {
  if ((Value.Type() & varTypeMask) != varString) {
    Picture->Assign(nullptr);
    return;
  }
  const AnsiString bytes = Value.AsAnsiString();
  TMemoryStreamReadOnly stream;
  const size_t start = HasGraphicHeader(bytes) ? kGraphicHeaderSize : 0;
  // A value shorter than a header holds no graphic, nor does a header with nothing behind it
  // (reading one would fail on an exhausted stream).
  if (bytes.size() < kGraphicHeaderSize || bytes.size() == start) {
    Picture->Assign(nullptr);
    return;
  }
  stream.SetPointer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(static_cast<Int64>(start));
  if (GraphicClass) {
    std::unique_ptr<TGraphic> graphic(NewGraphic(GraphicClass));
    graphic->LoadFromStream(&stream);
    Picture->SetGraphic(graphic.get());
  } else {
    Picture->Bitmap()->LoadFromStream(&stream);
  }
}

AnsiString SavePictureToString(TPicture* Picture) {
  if (PictureIsEmpty(Picture)) return {};
  TMemoryStream stream;
  Picture->Graphic()->SaveToStream(&stream);
  AnsiString result(static_cast<size_t>(stream.Size()), '\0');
  stream.SetPosition(0);
  if (!result.empty()) stream.ReadBuffer(result.data(), static_cast<Int64>(result.size()));
  return result;
}

bool PictureIsEmpty(TPicture* Picture) {
  return Picture == nullptr || Picture->Graphic() == nullptr || Picture->Graphic()->Empty();
}
