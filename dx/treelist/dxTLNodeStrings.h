// The strings of a text node, one per column, packed into one allocation: a million nodes with a few
// short texts each must stay small. Reading gives a copy; every change rebuilds the block.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

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
  // Replaces every entry at once: one block written, whatever the count.
  void Assign(const std::u16string_view* Parts, int Count);

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

// The texts of one node while many of them change: filling every column through Set would write
// the block once per column. Loads the node's current texts, takes the changes and writes the
// block once. Its strings keep their capacity from node to node, so a bulk fill seldom allocates.
class TdxNodeStringsBuffer {
 public:
  void Load(const TdxNodeStrings& Strings);
  int Count() const { return count_; }
  // Empty beyond the list.
  String Get(int Index) const;
  // Grows the list with empty entries until it has Index, as TdxNodeStrings::Set does.
  void Set(int Index, const String& Text);
  void WriteTo(TdxNodeStrings& Strings);

 private:
  std::vector<String> texts_;
  std::vector<std::u16string_view> views_;
  int count_ = 0;
};
