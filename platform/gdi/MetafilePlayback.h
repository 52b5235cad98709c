// Playing metafile records onto a device context, scaled into a rectangle.
#pragma once

#include <cstddef>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// Both play the drawing records the picture editors' metafiles hold (lines, shapes, pens, brushes,
// fonts, text, bitmaps, the window and viewport mapping) and skip the others. Drawing is clipped to
// `dest`. False when the data is not of the kind. Playback stops after kMaxPlayedRecords records
// (the rest is skipped), so a picture's cost is bounded whatever its size says.
constexpr size_t kMaxPlayedRecords = 100000;
// An enhanced metafile: its frame fills `dest`.
bool PlayEnhMetafile(HDC dc, const Byte* data, size_t size, const RECT& dest);
// A placeable metafile (with its 22-byte header): its bounding box fills `dest`.
bool PlayPlaceableMetafile(HDC dc, const Byte* data, size_t size, const RECT& dest);
