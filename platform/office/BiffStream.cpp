#include "platform/office/BiffStream.h"

#include <algorithm>

#include "platform/office/ByteReader.h"
#include "platform/rtl/CodePage.h"

namespace {

constexpr std::uint16_t kContinue = 0x003C;

}  // namespace

BiffRecordCursor::BiffRecordCursor(std::span<const std::uint8_t> stream, std::size_t offset)
    : stream_(stream), pos_(std::min(offset, stream.size())) {}

bool BiffRecordCursor::Next(BiffRecord& record) {
  record.parts.clear();
  bool first = true;
  while (stream_.size() - pos_ >= 4) {
    ByteReader head(stream_.subspan(pos_, 4));
    const std::uint16_t type = head.U16();
    const std::uint16_t length = head.U16();
    if (!first && type != kContinue) break;
    if (length > stream_.size() - pos_ - 4) throw EWorkbookError("the workbook is damaged: a record runs past the stream");
    if (first) record.type = type;
    record.parts.push_back(stream_.subspan(pos_ + 4, length));
    pos_ += 4 + std::size_t{length};
    first = false;
  }
  return !first;
}

BiffDataReader::BiffDataReader(const BiffRecord& record, BiffVersion version, Word codePage)
    : record_(record), version_(version), codePage_(codePage) {
  for (const auto& part : record_.parts) total_ += part.size();
}

std::size_t BiffDataReader::Left() const { return total_ - consumed_; }

std::span<const std::uint8_t> BiffDataReader::Bytes(std::size_t n) {
  while (part_ < record_.parts.size() && pos_ == record_.parts[part_].size()) {
    ++part_;
    pos_ = 0;
  }
  // Fixed-size fields are never split by a writer; a field that would be is damage.
  if (part_ >= record_.parts.size() || record_.parts[part_].size() - pos_ < n)
    throw EWorkbookError("the workbook is damaged: a record is cut short");
  auto bytes = record_.parts[part_].subspan(pos_, n);
  pos_ += n;
  consumed_ += n;
  return bytes;
}

std::uint8_t BiffDataReader::U8() { return Bytes(1)[0]; }
std::uint16_t BiffDataReader::U16() { return ByteReader(Bytes(2)).U16(); }
std::uint32_t BiffDataReader::U32() { return ByteReader(Bytes(4)).U32(); }
double BiffDataReader::F64() { return ByteReader(Bytes(8)).F64(); }

void BiffDataReader::Skip(std::size_t n) {
  while (n > 0) {
    if (part_ >= record_.parts.size()) throw EWorkbookError("the workbook is damaged: a record is cut short");
    const std::size_t step = std::min(n, record_.parts[part_].size() - pos_);
    pos_ += step;
    consumed_ += step;
    n -= step;
    if (pos_ == record_.parts[part_].size() && n > 0) {
      ++part_;
      pos_ = 0;
    }
  }
}

String BiffDataReader::String16() {
  const std::uint16_t count = U16();
  return version_ == BiffVersion::Biff8 ? UnicodeString(count) : ByteString(count);
}

String BiffDataReader::String8() {
  const std::uint8_t count = U8();
  return version_ == BiffVersion::Biff8 ? UnicodeString(count) : ByteString(count);
}

String BiffDataReader::ByteString(std::size_t count) {
  auto bytes = Bytes(count);
  const AnsiString text(bytes.begin(), bytes.end());
  const Word codePage = codePage_ == CP_WIN1251 ? CP_WIN1251 : CP_WIN1252;
  return AnsiToString(text, codePage);
}

String BiffDataReader::UnicodeString(std::size_t count) {
  std::uint8_t options = U8();
  const bool rich = options & 0x08;
  const bool extended = options & 0x04;
  const std::size_t runs = rich ? U16() : 0;
  const std::size_t extSize = extended ? U32() : 0;
  String text;
  text.reserve(count);
  while (text.size() < count) {
    if (part_ < record_.parts.size() && pos_ == record_.parts[part_].size()) {
      // The characters go on in the next CONTINUE, which starts with its own option byte.
      if (part_ + 1 >= record_.parts.size()) break;
      ++part_;
      pos_ = 0;
      options = U8();
    }
    if (part_ >= record_.parts.size()) break;
    const bool wide = options & 0x01;
    const std::size_t width = wide ? 2 : 1;
    const std::size_t fit = std::min(count - text.size(), (record_.parts[part_].size() - pos_) / width);
    if (fit == 0) break;
    auto bytes = Bytes(fit * width);
    for (std::size_t i = 0; i < fit; ++i)
      text.push_back(wide ? static_cast<Char>(bytes[2 * i] | bytes[2 * i + 1] << 8) : static_cast<Char>(bytes[i]));
  }
  if (text.size() < count) throw EWorkbookError("the workbook is damaged: a string is cut short");
  Skip(runs * 4 + extSize);
  return text;
}
