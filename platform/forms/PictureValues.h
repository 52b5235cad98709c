// Pictures as cell values: a string variant whose bytes are a graphic's stream, optionally behind
// an 8-byte graphic header (count 1, type 0x0100, size of the rest) that other tools write. Both
// editor families read and write picture cells through these.
#pragma once

#include "platform/forms/Picture.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

// A memory stream over the caller's buffer (not copied) that refuses writes.
class TMemoryStreamReadOnly : public TCustomMemoryStream {
 public:
  TMemoryStreamReadOnly() = default;
  void SetPointer(const void* Memory, Int64 Size) { TCustomMemoryStream::SetPointer(Memory, Size); }
  Int64 Write(const void*, Int64) override { return 0; }
};

constexpr int kGraphicHeaderSize = 8;

// Whether Bytes start with a graphic header that describes exactly the bytes after it.
bool HasGraphicHeader(const AnsiString& Bytes);

// Loads the picture from a cell value. With a graphic class the value is read as that class,
// otherwise as a bitmap. A value that is not a string, or holds no graphic bytes (nothing, or a
// header with nothing behind it), empties the picture.
void LoadPictureFromVariant(TPicture* Picture, TGraphicClass GraphicClass, const Variant& Value);
// The bare graphic stream (never with a header); empty for no picture.
AnsiString SavePictureToString(TPicture* Picture);
bool PictureIsEmpty(TPicture* Picture);
