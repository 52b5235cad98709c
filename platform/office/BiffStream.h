// The record stream of a workbook: each record with the CONTINUE records that follow it, and the
// string layouts of the BIFF versions, read across CONTINUE boundaries where a string may be split.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/Types.h"

enum class BiffVersion { Biff2, Biff3, Biff4, Biff5, Biff8 };

struct BiffRecord {
  std::uint16_t type = 0;
  std::vector<std::span<const std::uint8_t>> parts;  // the record's data, then each CONTINUE's
};

// Walks the records from an offset; Next() is false at the end of the bytes.
class BiffRecordCursor {
 public:
  BiffRecordCursor(std::span<const std::uint8_t> stream, std::size_t offset);
  bool Next(BiffRecord& record);

 private:
  std::span<const std::uint8_t> stream_;
  std::size_t pos_;
};

// Reads a record's parts as one sequence; a string's characters continue in the next part after a
// fresh option byte, as BIFF8 writes them.
class BiffDataReader {
 public:
  BiffDataReader(const BiffRecord& record, BiffVersion version, Word codePage);

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  double F64();
  void Skip(std::size_t n);
  std::size_t Left() const;

  // A string with a 16-bit (or 8-bit) character count, in the version's layout.
  String String16();
  String String8();

 private:
  std::span<const std::uint8_t> Bytes(std::size_t n);
  String UnicodeString(std::size_t count);
  String ByteString(std::size_t count);

  const BiffRecord& record_;
  BiffVersion version_;
  Word codePage_;
  std::size_t part_ = 0;
  std::size_t pos_ = 0;
  std::size_t total_ = 0;
  std::size_t consumed_ = 0;
};
