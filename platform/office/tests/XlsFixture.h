// Writes small .xls fixtures at test time: BIFF records, BIFF8 workbooks and the compound file that
// holds them (in the mini stream when under 4,096 bytes, as writers place small workbooks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

using Bytes = std::vector<std::uint8_t>;

struct ByteWriter {
  Bytes bytes;
  ByteWriter& U8(unsigned v);
  ByteWriter& U16(unsigned v);
  ByteWriter& U32(std::uint32_t v);
  ByteWriter& F64(double v);
  ByteWriter& Raw(const Bytes& b);
  // A BIFF8 string: the count (8 or 16 bits), an option byte, then 16-bit characters.
  ByteWriter& Unicode(const String& s, bool shortCount = false);
};

Bytes Record(unsigned type, const Bytes& data);

// Builds a BIFF8 workbook stream: cells go to the sheet last added; strings go to the SST.
class Biff8Book {
 public:
  Biff8Book();
  std::uint16_t AddXf(std::uint16_t formatIndex);  // the style's index
  void AddFormat(std::uint16_t index, const String& code);
  void SetActive(unsigned sheet) { active_ = sheet; }
  void Set1904() { dates1904_ = true; }
  void AddSheet(const String& name);
  void Label(unsigned row, unsigned col, const String& text, std::uint16_t xf = 15);  // through the SST
  void Number(unsigned row, unsigned col, double value, std::uint16_t xf = 15);
  void Rk(unsigned row, unsigned col, std::uint32_t rk, std::uint16_t xf = 15);
  void SheetRecord(const Bytes& record) { sheets_.back().second.insert(sheets_.back().second.end(), record.begin(), record.end()); }
  void GlobalRecord(const Bytes& record) { extraGlobals_.insert(extraGlobals_.end(), record.begin(), record.end()); }
  Bytes Stream() const;

 private:
  std::vector<std::uint16_t> xfs_;
  std::vector<std::pair<std::uint16_t, String>> formats_;
  std::vector<std::pair<String, Bytes>> sheets_;
  std::vector<String> sst_;
  Bytes extraGlobals_;
  unsigned active_ = 0;
  bool dates1904_ = false;
};

// A compound file holding one stream.
Bytes CompoundFileWith(const String& streamName, const Bytes& stream);
