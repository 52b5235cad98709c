#include "platform/office/CompoundFile.h"

#include <algorithm>
#include <array>

#include "platform/office/ByteReader.h"

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint8_t kStreamEntry = 2;
constexpr std::uint8_t kRootEntry = 5;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::size_t kDirectoryEntrySize = 128;

[[noreturn]] void Damaged(const char* what) {
  throw EWorkbookError(std::string("the compound file is damaged: ") + what);
}

Char FoldCase(Char c) { return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c; }

bool SameName(const String& a, const String& b) {
  return std::ranges::equal(a, b, [](Char x, Char y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

bool IsCompoundFile(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

CompoundFile::CompoundFile(std::span<const std::uint8_t> bytes) : bytes_(bytes) {
  if (!IsCompoundFile(bytes) || bytes.size() < 512) Damaged("no compound file header");
  ByteReader header(bytes.first(512));
  header.Skip(0x1E);
  const std::uint16_t sectorShift = header.U16();
  if (sectorShift != 9 && sectorShift != 12) Damaged("unsupported sector size");
  sectorSize_ = std::size_t{1} << sectorShift;
  if (header.U16() != 6) Damaged("unsupported mini sector size");
  ReadFat();
  ByteReader fields(bytes.first(512));
  fields.Skip(0x30);
  const std::uint32_t firstDirectory = fields.U32();
  fields.Skip(4);
  miniCutoff_ = fields.U32();
  const std::uint32_t firstMiniFat = fields.U32();
  const std::uint32_t miniFatCount = fields.U32();
  ReadDirectory(firstDirectory);
  ReadMiniFat(firstMiniFat, miniFatCount);
}

std::span<const std::uint8_t> CompoundFile::Sector(std::uint32_t index) const {
  const std::uint64_t offset = (std::uint64_t{index} + 1) * sectorSize_;
  if (offset >= bytes_.size()) Damaged("a sector lies past the end of the file");
  // The last sector may be cut short by a writer; what is missing reads as absent.
  return bytes_.subspan(offset, std::min<std::uint64_t>(sectorSize_, bytes_.size() - offset));
}

void CompoundFile::ReadFat() {
  ByteReader header(bytes_.first(512));
  header.Skip(0x2C);
  const std::uint32_t fatCount = header.U32();
  header.Skip(0x44 - 0x30);
  std::uint32_t difatSector = header.U32();
  std::uint32_t difatCount = header.U32();
  const std::size_t maxSectors = bytes_.size() / sectorSize_ + 1;
  if (fatCount > maxSectors) Damaged("more allocation sectors than the file holds");

  std::vector<std::uint32_t> fatSectors;
  for (std::size_t i = 0; i < kHeaderFatSlots && fatSectors.size() < fatCount; ++i) fatSectors.push_back(header.U32());
  for (std::uint32_t seen = 0; fatSectors.size() < fatCount; ++seen) {
    if (seen >= difatCount || seen > maxSectors || difatSector >= kEndOfChain - 4) Damaged("the allocation index ends early");
    ByteReader difat(Sector(difatSector));
    const std::size_t slots = sectorSize_ / 4 - 1;
    for (std::size_t i = 0; i < slots && fatSectors.size() < fatCount && difat.Left() >= 4; ++i) fatSectors.push_back(difat.U32());
    if (difat.Left() < 4) Damaged("the allocation index is cut short");
    difatSector = difat.U32();
  }
  for (std::uint32_t sector : fatSectors) {
    ByteReader entries(Sector(sector));
    while (entries.Left() >= 4) fat_.push_back(entries.U32());
  }
}

std::vector<std::uint32_t> CompoundFile::Chain(std::uint32_t start, const std::vector<std::uint32_t>& table) const {
  std::vector<std::uint32_t> chain;
  std::vector<bool> seen(table.size(), false);
  for (std::uint32_t sector = start; sector != kEndOfChain;) {
    if (sector >= table.size()) {
      if (sector == kFreeSector && chain.empty()) break;
      Damaged("a sector chain leaves the allocation table");
    }
    if (seen[sector]) Damaged("a sector chain loops");
    seen[sector] = true;
    chain.push_back(sector);
    sector = table[sector];
  }
  return chain;
}

std::vector<std::uint8_t> CompoundFile::ReadChain(std::uint32_t start, std::uint64_t size) const {
  if (size > bytes_.size()) Damaged("a stream is larger than the file");
  std::vector<std::uint8_t> out;
  out.reserve(size);
  for (std::uint32_t sector : Chain(start, fat_)) {
    if (out.size() >= size) break;
    auto part = Sector(sector);
    const std::size_t take = std::min<std::uint64_t>(part.size(), size - out.size());
    out.insert(out.end(), part.begin(), part.begin() + static_cast<std::ptrdiff_t>(take));
  }
  if (out.size() < size) Damaged("a stream is shorter than its size");
  return out;
}

std::vector<std::uint8_t> CompoundFile::ReadMiniChain(std::uint32_t start, std::uint64_t size) const {
  constexpr std::size_t kMiniSector = 64;
  if (size > miniStream_.size()) Damaged("a small stream is larger than the mini stream");
  std::vector<std::uint8_t> out;
  out.reserve(size);
  for (std::uint32_t sector : Chain(start, miniFat_)) {
    if (out.size() >= size) break;
    const std::uint64_t offset = std::uint64_t{sector} * kMiniSector;
    if (offset + kMiniSector > miniStream_.size()) Damaged("a mini sector lies past the mini stream");
    const std::size_t take = std::min<std::uint64_t>(kMiniSector, size - out.size());
    out.insert(out.end(), miniStream_.begin() + static_cast<std::ptrdiff_t>(offset),
               miniStream_.begin() + static_cast<std::ptrdiff_t>(offset + take));
  }
  if (out.size() < size) Damaged("a small stream is shorter than its size");
  return out;
}

void CompoundFile::ReadDirectory(std::uint32_t firstSector) {
  for (std::uint32_t sector : Chain(firstSector, fat_)) {
    auto data = Sector(sector);
    for (std::size_t at = 0; at + kDirectoryEntrySize <= data.size(); at += kDirectoryEntrySize) {
      ByteReader entry(data.subspan(at, kDirectoryEntrySize));
      Entry e;
      auto nameBytes = entry.Take(64);
      const std::uint16_t nameLength = entry.U16();
      e.type = entry.U8();
      const std::size_t chars = std::min<std::size_t>(nameLength / 2, 32);
      for (std::size_t i = 0; i < chars; ++i) {
        const Char c = static_cast<Char>(nameBytes[2 * i] | nameBytes[2 * i + 1] << 8);
        if (c == 0) break;
        e.name.push_back(c);
      }
      entry.Skip(116 - 67);
      e.start = entry.U32();
      e.size = entry.U32();
      entries_.push_back(std::move(e));
    }
  }
  if (entries_.empty() || entries_.front().type != kRootEntry) Damaged("no root entry");
}

void CompoundFile::ReadMiniFat(std::uint32_t firstSector, std::uint32_t count) {
  if (count == 0 || firstSector == kEndOfChain) return;
  for (std::uint32_t sector : Chain(firstSector, fat_)) {
    ByteReader entries(Sector(sector));
    while (entries.Left() >= 4) miniFat_.push_back(entries.U32());
  }
  const Entry& root = entries_.front();
  miniStream_ = ReadChain(root.start, root.size);
}

std::optional<std::vector<std::uint8_t>> CompoundFile::Stream(const String& name) const {
  for (const Entry& e : entries_) {
    if (e.type != kStreamEntry || !SameName(e.name, name)) continue;
    if (e.size < miniCutoff_) return ReadMiniChain(e.start, e.size);
    return ReadChain(e.start, e.size);
  }
  return std::nullopt;
}
