// Little-endian reads over a byte range, every one checked against the bytes left: hostile files
// raise EWorkbookError instead of reading out of range.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "platform/office/WorkbookError.h"

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Left() const { return bytes_.size() - pos_; }
  std::size_t Position() const { return pos_; }
  void Skip(std::size_t n) {
    Need(n);
    pos_ += n;
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    Need(n);
    auto part = bytes_.subspan(pos_, n);
    pos_ += n;
    return part;
  }
  std::uint8_t U8() { return Take(1)[0]; }
  std::uint16_t U16() {
    auto b = Take(2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  std::uint32_t U32() {
    auto b = Take(4);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }
  double F64() {
    auto b = Take(8);
    double value;
    std::memcpy(&value, b.data(), sizeof value);
    return value;
  }

 private:
  void Need(std::size_t n) const {
    if (n > Left()) throw EWorkbookError("the file is damaged: a record runs past its end");
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};
