// ICO files: a directory of images, each a DIB with an AND mask (PNG-compressed images are skipped).
#pragma once

#include <vector>

#include "platform/gdi/BmpFormat.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

// The whole ICO file from the stream's position (its directory and every image it names), reading
// its bytes and no more. Raises EInvalidGraphic "Icon image is not valid".
std::vector<Byte> ReadIcoFile(TStream* Stream);
// The file's image nearest 32 x 32 (then the one with the most colours), with its mask.
TDibImage DecodeIco(const std::vector<Byte>& File);
// A one-image ICO file of top-down 32-bit pixels and their mask (true = transparent).
std::vector<Byte> EncodeIco(const Pixel* Pixels, int Width, int Height, const std::vector<bool>& Mask);
