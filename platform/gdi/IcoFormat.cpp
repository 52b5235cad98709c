#include "platform/gdi/IcoFormat.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/LittleEndian.h"
#include "platform/rtl/Exceptions.h"

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

constexpr Int64 kHeader = 6;
constexpr Int64 kEntry = 16;

struct TIcoEntry {
  int width, height, bits;
  std::uint32_t size, offset;
};

TIcoEntry EntryAt(const Byte* e) {
  return TIcoEntry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, static_cast<int>(ReadLe16(e + 6)), ReadLe32(e + 8),
                   ReadLe32(e + 12)};
}

}  // namespace

std::vector<Byte> ReadIcoFile(TStream* Stream) {
  const Int64 available = Stream->Size() - Stream->Position();
  Byte header[kHeader];
  if (available < kHeader) InvalidIcon();
  Stream->ReadBuffer(header, kHeader);
  const std::uint32_t count = ReadLe16(header + 4);
  if (ReadLe16(header) != 0 || ReadLe16(header + 2) != 1 || count == 0 ||
      available < kHeader + kEntry * count)
    InvalidIcon();
  std::vector<Byte> file(static_cast<size_t>(kHeader + kEntry * count));
  std::memcpy(file.data(), header, kHeader);
  Stream->ReadBuffer(file.data() + kHeader, kEntry * count);
  Int64 total = static_cast<Int64>(file.size());
  for (std::uint32_t i = 0; i < count; ++i) {
    const TIcoEntry e = EntryAt(file.data() + kHeader + kEntry * i);
    total = std::max(total, Int64(e.offset) + e.size);
  }
  if (total > available) InvalidIcon();
  const size_t directory = file.size();
  file.resize(static_cast<size_t>(total));
  Stream->ReadBuffer(file.data() + directory, total - static_cast<Int64>(directory));
  return file;
}

TDibImage DecodeIco(const std::vector<Byte>& File) {
  const Int64 total = static_cast<Int64>(File.size());
  if (total < kHeader) InvalidIcon();
  const std::uint32_t count = ReadLe16(File.data() + 4);
  if (total < kHeader + kEntry * count) InvalidIcon();
  auto score = [](const TIcoEntry& e) {
    return std::make_pair(-std::abs(e.width - 32) - std::abs(e.height - 32), e.bits);
  };
  bool found = false;
  TIcoEntry best{};
  for (std::uint32_t i = 0; i < count; ++i) {
    const TIcoEntry e = EntryAt(File.data() + kHeader + kEntry * i);
    if (e.size < 8 || e.offset < kHeader || Int64(e.offset) + e.size > total) continue;
    if (std::memcmp(File.data() + e.offset, "\x89PNG", 4) == 0) continue;
    if (!found || score(e) > score(best)) best = e;
    found = true;
  }
  if (!found) InvalidIcon();
  try {
    return DecodeDib(File.data() + best.offset, best.size, true);
  } catch (const EInvalidGraphic&) {
    InvalidIcon();
  }
}

std::vector<Byte> EncodeIco(const Pixel* Pixels, int Width, int Height, const std::vector<bool>& Mask) {
  const std::vector<Byte> dib = EncodeDib(Pixels, Width, Height, 32, &Mask);
  std::vector<Byte> out;
  AppendLe16(out, 0);
  AppendLe16(out, 1);
  AppendLe16(out, 1);
  out.push_back(Byte(Width >= 256 ? 0 : Width));
  out.push_back(Byte(Height >= 256 ? 0 : Height));
  out.push_back(0);
  out.push_back(0);
  AppendLe16(out, 1);
  AppendLe16(out, 32);
  AppendLe32(out, static_cast<std::uint32_t>(dib.size()));
  AppendLe32(out, kHeader + kEntry);
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}
