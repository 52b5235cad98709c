// The strings of a text node, one per column, packed into one allocation: a million nodes with a few
// short texts each must stay small. Reading gives a copy; every change rebuilds the block.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/rtl/Types.h"

class TdxNodeStrings {
 public:
  TdxNodeStrings() = default;
  TdxNodeStrings(const TdxNodeStrings& Other);
  TdxNodeStrings& operator=(const TdxNodeStrings& Other);

  int Count() const { return block_ ? static_cast<int>(block_[0]) : 0; }
  // Empty beyond the list.
  String Get(int Index) const;
  // Grows the list with empty entries until it has Index.
  void Set(int Index, const String& Text);
  // Index may be Count (appends); Index beyond Count grows the list first.
  void Insert(int Index, const String& Text);
  void Delete(int Index);
  void Clear() { block_.reset(); }

 private:
  // Layout: [count][len 0][chars 0 ...][len 1][chars 1 ...] ... in 16-bit units; a length takes two
  // units so texts longer than 65535 units fit.
  std::unique_ptr<char16_t[]> block_;
  size_t BlockSize() const;
  // Writes a new block holding Parts.
  void Write(const std::u16string_view* Parts, int Count);
  // Views into the current block, padded with empty views to at least MinCount entries.
  void Split(std::u16string_view* Parts, int Count) const;
};
