// The little-endian fields of image files (BMP, ICO, metafiles): one reader and writer for all of
// them. Callers check the bounds of what they were given before reading a field.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"

inline std::uint32_t ReadLe16(const Byte* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8); }
inline std::uint32_t ReadLe32(const Byte* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
// The same fields read as signed (coordinates, placeable-metafile bounds).
inline std::int16_t ReadLeInt16(const Byte* p) { return static_cast<std::int16_t>(ReadLe16(p)); }
inline std::int32_t ReadLeInt32(const Byte* p) { return static_cast<std::int32_t>(ReadLe32(p)); }

inline void WriteLe16(Byte* p, std::uint32_t v) {
  p[0] = Byte(v);
  p[1] = Byte(v >> 8);
}
inline void WriteLe32(Byte* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = Byte(v >> (8 * i));
}
inline void AppendLe16(std::vector<Byte>& out, std::uint32_t v) {
  out.push_back(Byte(v));
  out.push_back(Byte(v >> 8));
}
inline void AppendLe32(std::vector<Byte>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(Byte(v >> (8 * i)));
}
