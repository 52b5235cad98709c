#include "XlsFixture.h"

#include <cstring>
#include <stdexcept>

ByteWriter& ByteWriter::U8(unsigned v) {
  bytes.push_back(static_cast<std::uint8_t>(v));
  return *this;
}
ByteWriter& ByteWriter::U16(unsigned v) { return U8(v & 0xFF).U8(v >> 8 & 0xFF); }
ByteWriter& ByteWriter::U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
ByteWriter& ByteWriter::F64(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
}
ByteWriter& ByteWriter::Raw(const Bytes& b) {
  bytes.insert(bytes.end(), b.begin(), b.end());
  return *this;
}
ByteWriter& ByteWriter::Unicode(const String& s, bool shortCount) {
  shortCount ? U8(static_cast<unsigned>(s.size())) : U16(static_cast<unsigned>(s.size()));
  U8(1);
  for (Char c : s) U16(c);
  return *this;
}

Bytes Record(unsigned type, const Bytes& data) {
  if (data.size() > 0xFFFF) throw std::length_error("record too long");
  return ByteWriter().U16(type).U16(static_cast<unsigned>(data.size())).Raw(data).bytes;
}

namespace {

Bytes Bof(unsigned kind) { return Record(0x0809, ByteWriter().U16(0x0600).U16(kind).U32(0).U32(0).U32(0).bytes); }
Bytes Eof() { return Record(0x000A, {}); }

}  // namespace

Biff8Book::Biff8Book() {
  // Styles 0-14 are the writer's style records, 15 the default cell style.
  for (int i = 0; i < 16; ++i) xfs_.push_back(0);
}

std::uint16_t Biff8Book::AddXf(std::uint16_t formatIndex) {
  xfs_.push_back(formatIndex);
  return static_cast<std::uint16_t>(xfs_.size() - 1);
}

void Biff8Book::AddFormat(std::uint16_t index, const String& code) { formats_.emplace_back(index, code); }
void Biff8Book::AddSheet(const String& name) { sheets_.emplace_back(name, Bytes{}); }

void Biff8Book::Label(unsigned row, unsigned col, const String& text, std::uint16_t xf) {
  sst_.push_back(text);
  SheetRecord(Record(0x00FD, ByteWriter().U16(row).U16(col).U16(xf).U32(static_cast<std::uint32_t>(sst_.size() - 1)).bytes));
}

void Biff8Book::Number(unsigned row, unsigned col, double value, std::uint16_t xf) {
  SheetRecord(Record(0x0203, ByteWriter().U16(row).U16(col).U16(xf).F64(value).bytes));
}

void Biff8Book::Rk(unsigned row, unsigned col, std::uint32_t rk, std::uint16_t xf) {
  SheetRecord(Record(0x027E, ByteWriter().U16(row).U16(col).U16(xf).U32(rk).bytes));
}

Bytes Biff8Book::Stream() const {
  ByteWriter globals;
  globals.Raw(Bof(0x0005)).Raw(Record(0x0042, ByteWriter().U16(1200).bytes));
  globals.Raw(Record(0x003D, ByteWriter().U16(0).U16(0).U16(10000).U16(8000).U16(0x38).U16(active_).U16(0).U16(1).U16(600).bytes));
  globals.Raw(Record(0x0022, ByteWriter().U16(dates1904_ ? 1 : 0).bytes));
  for (const auto& [index, code] : formats_) globals.Raw(Record(0x041E, ByteWriter().U16(index).Unicode(code).bytes));
  for (std::uint16_t format : xfs_) globals.Raw(Record(0x00E0, ByteWriter().U16(0).U16(format).Raw(Bytes(16, 0)).bytes));
  std::vector<std::size_t> offsetAt;
  for (const auto& [name, cells] : sheets_) {
    offsetAt.push_back(globals.bytes.size() + 4);
    globals.Raw(Record(0x0085, ByteWriter().U32(0).U16(0).Unicode(name, true).bytes));
  }
  // A long table goes on in CONTINUE records, split between strings as writers do.
  constexpr std::size_t kMaxRecordData = 8224;
  std::vector<ByteWriter> sstParts(1);
  sstParts.back().U32(static_cast<std::uint32_t>(sst_.size())).U32(static_cast<std::uint32_t>(sst_.size()));
  for (const String& s : sst_) {
    const Bytes one = ByteWriter().Unicode(s).bytes;
    if (sstParts.back().bytes.size() + one.size() > kMaxRecordData) sstParts.emplace_back();
    sstParts.back().Raw(one);
  }
  for (std::size_t i = 0; i < sstParts.size(); ++i) globals.Raw(Record(i == 0 ? 0x00FC : 0x003C, sstParts[i].bytes));
  globals.Raw(extraGlobals_).Raw(Eof());

  Bytes stream = globals.bytes;
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    const auto offset = static_cast<std::uint32_t>(stream.size());
    for (int b = 0; b < 4; ++b) stream[offsetAt[i] + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(offset >> (8 * b));
    const Bytes sheet = ByteWriter().Raw(Bof(0x0010)).Raw(sheets_[i].second).Raw(Eof()).bytes;
    stream.insert(stream.end(), sheet.begin(), sheet.end());
  }
  return stream;
}

namespace {

constexpr std::uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatSector = 0xFFFFFFFD;

Bytes DirectoryEntry(const String& name, unsigned type, std::uint32_t child, std::uint32_t start, std::uint32_t size) {
  ByteWriter e;
  for (std::size_t i = 0; i < 32; ++i) e.U16(i < name.size() ? name[i] : 0);
  e.U16(name.empty() ? 0 : static_cast<unsigned>((name.size() + 1) * 2)).U8(type).U8(1);
  e.U32(kFree).U32(kFree).U32(child).Raw(Bytes(16 + 4 + 16, 0)).U32(start).U32(size).U32(0);
  return e.bytes;
}

}  // namespace

Bytes CompoundFileWith(const String& streamName, const Bytes& stream) {
  const bool mini = stream.size() < 4096;
  Bytes padded = stream;
  padded.resize((stream.size() + (mini ? 63 : 511)) / (mini ? 64 : 512) * (mini ? 64 : 512));
  const std::uint32_t dataSectors = static_cast<std::uint32_t>((padded.size() + 511) / 512);
  const std::uint32_t firstData = mini ? 3 : 2;

  // One allocation sector of 128 entries is all this writer makes.
  if (firstData + dataSectors > 128) throw std::length_error("fixture stream too large");
  std::vector<std::uint32_t> fat(128, kFree);
  fat[0] = kFatSector;
  fat[1] = kEnd;
  if (mini) fat[2] = kEnd;
  for (std::uint32_t i = 0; i < dataSectors; ++i) fat[firstData + i] = i + 1 == dataSectors ? kEnd : firstData + i + 1;

  ByteWriter file;
  file.Raw({0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}).Raw(Bytes(16, 0)).U16(0x3E).U16(3).U16(0xFFFE).U16(9).U16(6);
  file.Raw(Bytes(6, 0)).U32(0).U32(1).U32(1).U32(0).U32(4096).U32(mini ? 2 : kEnd).U32(mini ? 1 : 0).U32(kEnd).U32(0);
  file.U32(0);
  for (int i = 1; i < 109; ++i) file.U32(kFree);
  for (std::uint32_t v : fat) file.U32(v);
  const auto streamSize = static_cast<std::uint32_t>(stream.size());
  file.Raw(DirectoryEntry(u"Root Entry", 5, 1, mini ? firstData : kEnd, mini ? static_cast<std::uint32_t>(padded.size()) : 0));
  file.Raw(DirectoryEntry(streamName, 2, kFree, mini ? 0 : firstData, streamSize));
  file.Raw(DirectoryEntry(u"", 0, kFree, 0, 0)).Raw(DirectoryEntry(u"", 0, kFree, 0, 0));
  if (mini) {
    const std::uint32_t miniSectors = static_cast<std::uint32_t>(padded.size() / 64);
    for (std::uint32_t i = 0; i < 128; ++i) file.U32(i < miniSectors ? (i + 1 == miniSectors ? kEnd : i + 1) : kFree);
  }
  padded.resize(dataSectors * 512);
  return file.Raw(padded).bytes;
}
