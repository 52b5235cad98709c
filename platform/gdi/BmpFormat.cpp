#include "platform/gdi/BmpFormat.h"

#include <cstring>

#include "platform/gdi/LittleEndian.h"
#include "platform/rtl/Exceptions.h"

namespace {

constexpr DWORD kBiRgb = 0;
constexpr DWORD kBiBitfields = 3;
constexpr DWORD kBiAlphaBitfields = 6;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

// Bytes per row of `bits`-per-pixel rows padded to 32 bits.
size_t RowBytes(Int64 width, int bits) { return static_cast<size_t>(((width * bits + 31) / 32) * 4); }

// The value of a bit-field channel scaled to 0..255.
Byte Channel(std::uint32_t v, std::uint32_t mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!(mask & (1u << shift))) ++shift;
  const std::uint32_t m = mask >> shift;
  const std::uint32_t x = (v & mask) >> shift;
  return static_cast<Byte>(m == 255 ? x : (x * 255 + m / 2) / m);
}

}  // namespace

TDibImage DecodeDib(const Byte* data, size_t size, bool icon) {
  if (size < 12) Invalid();
  const std::uint32_t headerSize = ReadLe32(data);
  Int64 width, height;
  int bits;
  DWORD compression = kBiRgb;
  std::uint32_t colorsUsed = 0;
  size_t paletteEntry = 4;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  if (headerSize == 12) {  // the old core header
    width = ReadLe16(data + 4);
    height = ReadLeInt16(data + 6);
    bits = static_cast<int>(ReadLe16(data + 10));
    paletteEntry = 3;
  } else if (headerSize >= 40 && headerSize <= size) {
    width = ReadLeInt32(data + 4);
    height = ReadLeInt32(data + 8);
    bits = static_cast<int>(ReadLe16(data + 14));
    compression = ReadLe32(data + 16);
    colorsUsed = ReadLe32(data + 32);
    if (headerSize >= 52) {
      masks[0] = ReadLe32(data + 40);
      masks[1] = ReadLe32(data + 44);
      masks[2] = ReadLe32(data + 48);
    }
    if (headerSize >= 56) masks[3] = ReadLe32(data + 52);
  } else {
    Invalid();
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (icon) {
    if (topDown || height % 2) Invalid();
    height /= 2;
  }
  if (width <= 0 || height <= 0 || width * height > kMaxDibPixels) Invalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid();
  size_t offset = headerSize;
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    if (bits != 16 && bits != 32) Invalid();
    if (headerSize == 40) {  // the masks follow the header
      const size_t n = compression == kBiAlphaBitfields ? 4 : 3;
      if (size < offset + 4 * n) Invalid();
      for (size_t i = 0; i < n; ++i) masks[i] = ReadLe32(data + offset + 4 * i);
      offset += 4 * n;
    }
  } else if (compression == kBiRgb) {
    if (bits == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
  } else {
    Invalid();  // run-length and embedded compressed formats are not read
  }

  std::vector<Pixel> palette;
  if (bits <= 8) {
    const std::uint32_t maxColors = 1u << bits;
    const std::uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    if (size < offset + count * paletteEntry) Invalid();
    for (std::uint32_t i = 0; i < count; ++i) {
      const Byte* q = data + offset + i * paletteEntry;
      palette.push_back(0xFF000000u | (Pixel(q[2]) << 16) | (Pixel(q[1]) << 8) | q[0]);
    }
    palette.resize(maxColors, 0xFF000000u);
    offset += count * paletteEntry;
  }

  const size_t stride = RowBytes(width, bits);
  const size_t maskStride = RowBytes(width, 1);
  const size_t needed =
      stride * static_cast<size_t>(height) + (icon ? maskStride * static_cast<size_t>(height) : 0);
  if (size < offset || size - offset < needed) Invalid();

  TDibImage image;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  image.BitCount = bits;
  image.Pixels.resize(static_cast<size_t>(width * height));
  const Byte* bitsStart = data + offset;
  for (Int64 row = 0; row < height; ++row) {
    const Byte* src = bitsStart + stride * static_cast<size_t>(row);
    const Int64 y = topDown ? row : height - 1 - row;
    Pixel* dst = image.Pixels.data() + y * width;
    for (Int64 x = 0; x < width; ++x) {
      Pixel p;
      switch (bits) {
        case 1:
          p = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
          break;
        case 4:
          p = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
          break;
        case 8:
          p = palette[src[x]];
          break;
        case 16: {
          const std::uint32_t v = ReadLe16(src + 2 * x);
          p = (Pixel(masks[3] ? Channel(v, masks[3]) : 0xFF) << 24) | (Pixel(Channel(v, masks[0])) << 16) |
              (Pixel(Channel(v, masks[1])) << 8) | Channel(v, masks[2]);
          break;
        }
        case 24: {
          const Byte* q = src + 3 * x;
          p = 0xFF000000u | (Pixel(q[2]) << 16) | (Pixel(q[1]) << 8) | q[0];
          break;
        }
        default: {
          const std::uint32_t v = ReadLe32(src + 4 * x);
          if (compression == kBiRgb)
            p = v;
          else
            p = (Pixel(masks[3] ? Channel(v, masks[3]) : 0xFF) << 24) | (Pixel(Channel(v, masks[0])) << 16) |
                (Pixel(Channel(v, masks[1])) << 8) | Channel(v, masks[2]);
        }
      }
      dst[x] = p;
    }
  }
  if (bits == 32 && compression == kBiRgb) {
    // Writers that know nothing of alpha leave it 0: such an image is opaque.
    bool anyAlpha = false;
    for (Pixel p : image.Pixels) anyAlpha |= (p >> 24) != 0;
    if (!anyAlpha)
      for (Pixel& p : image.Pixels) p |= 0xFF000000u;
  }
  if (icon) {
    image.Mask.resize(image.Pixels.size());
    const Byte* maskStart = bitsStart + stride * static_cast<size_t>(height);
    for (Int64 row = 0; row < height; ++row) {
      const Byte* src = maskStart + maskStride * static_cast<size_t>(row);
      const Int64 y = height - 1 - row;
      for (Int64 x = 0; x < width; ++x)
        image.Mask[static_cast<size_t>(y * width + x)] = (src[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
  return image;
}

TDibImage ReadBmpFile(TStream* stream) {
  Byte header[14];
  if (stream->Read(header, 14) != 14 || header[0] != 'B' || header[1] != 'M') Invalid();
  const std::uint32_t fileSize = ReadLe32(header + 2);
  const std::uint32_t offBits = ReadLe32(header + 10);
  // Some writers leave the size 0; the rest of the stream is the bitmap then.
  const Int64 available = stream->Size() - stream->Position();
  Int64 length = fileSize >= 14 ? Int64(fileSize) - 14 : available;
  if (length > available || length < 12 || offBits < 14 + 12) Invalid();
  std::vector<Byte> body(static_cast<size_t>(length));
  stream->ReadBuffer(body.data(), length);
  // The bits start at offBits; a gap between the colour table and the bits is dropped.
  const std::uint32_t headerSize = ReadLe32(body.data());
  // Only the core header (12 bytes) and the info headers (40 and up) are known; the fields read
  // below lie inside either.
  if (headerSize > body.size() || (headerSize != 12 && headerSize < 40)) Invalid();
  const size_t bitsAt = offBits - 14;
  if (bitsAt > body.size()) Invalid();
  // Decode with the table in place, then re-point the bits when the file has a gap.
  size_t tableEnd = headerSize;
  {
    const int bits = headerSize == 12 ? static_cast<int>(ReadLe16(body.data() + 10))
                                      : static_cast<int>(ReadLe16(body.data() + 14));
    const DWORD compression = headerSize >= 40 ? ReadLe32(body.data() + 16) : kBiRgb;
    const std::uint32_t used = headerSize >= 40 ? ReadLe32(body.data() + 32) : 0;
    const size_t entry = headerSize == 12 ? 3 : 4;
    if (headerSize == 40 && compression == kBiBitfields) tableEnd += 12;
    if (headerSize == 40 && compression == kBiAlphaBitfields) tableEnd += 16;
    if (bits > 0 && bits <= 8) {
      const std::uint32_t max = 1u << bits;
      tableEnd += entry * (used == 0 || used > max ? max : used);
    }
  }
  if (bitsAt == tableEnd || bitsAt < tableEnd) return DecodeDib(body.data(), body.size());
  std::vector<Byte> packed(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(tableEnd));
  packed.insert(packed.end(), body.begin() + static_cast<std::ptrdiff_t>(bitsAt), body.end());
  return DecodeDib(packed.data(), packed.size());
}

std::vector<Byte> EncodeDib(const Pixel* pixels, int width, int height, int bits,
                            const std::vector<bool>* mask) {
  std::vector<Byte> out;
  const size_t stride = RowBytes(width, bits);
  const size_t maskStride = RowBytes(width, 1);
  const size_t imageSize = stride * height + (mask ? maskStride * height : 0);
  AppendLe32(out, 40);
  AppendLe32(out, static_cast<std::uint32_t>(width));
  AppendLe32(out, static_cast<std::uint32_t>(mask ? height * 2 : height));
  AppendLe16(out, 1);
  AppendLe16(out, static_cast<std::uint32_t>(bits));
  AppendLe32(out, kBiRgb);
  AppendLe32(out, static_cast<std::uint32_t>(imageSize));
  AppendLe32(out, 3780);  // 96 dpi in pixels per metre
  AppendLe32(out, 3780);
  AppendLe32(out, bits == 1 ? 2 : 0);
  AppendLe32(out, 0);
  if (bits == 1) {
    AppendLe32(out, 0x000000);
    AppendLe32(out, 0xFFFFFF);
  }
  const size_t start = out.size();
  out.resize(start + imageSize, 0);
  for (int row = 0; row < height; ++row) {
    const Pixel* src = pixels + static_cast<size_t>(height - 1 - row) * width;
    Byte* dst = out.data() + start + stride * row;
    for (int x = 0; x < width; ++x) {
      const Pixel p = src[x];
      if (bits == 1) {
        // Bright pixels are white (index 1).
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r * 30 + g * 59 + b * 11 >= 12800) dst[x >> 3] |= Byte(0x80 >> (x & 7));
      } else if (bits == 24) {
        dst[3 * x] = Byte(p);
        dst[3 * x + 1] = Byte(p >> 8);
        dst[3 * x + 2] = Byte(p >> 16);
      } else {
        std::memcpy(dst + 4 * x, &p, 4);
      }
    }
  }
  if (mask) {
    const size_t maskStart = start + stride * height;
    for (int row = 0; row < height; ++row) {
      const size_t y = static_cast<size_t>(height - 1 - row);
      Byte* dst = out.data() + maskStart + maskStride * row;
      for (int x = 0; x < width; ++x)
        if ((*mask)[y * width + x]) dst[x >> 3] |= Byte(0x80 >> (x & 7));
    }
  }
  return out;
}

void WriteBmpFile(TStream* stream, const Pixel* pixels, int width, int height, int bits) {
  const std::vector<Byte> dib = EncodeDib(pixels, width, height, bits);
  const std::uint32_t offBits = 14 + 40 + (bits == 1 ? 8 : 0);
  std::vector<Byte> header;
  header.push_back('B');
  header.push_back('M');
  AppendLe32(header, static_cast<std::uint32_t>(14 + dib.size()));
  AppendLe32(header, 0);
  AppendLe32(header, offBits);
  stream->WriteBuffer(header.data(), static_cast<Int64>(header.size()));
  stream->WriteBuffer(dib.data(), static_cast<Int64>(dib.size()));
}
