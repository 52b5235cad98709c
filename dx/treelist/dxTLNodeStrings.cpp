#include "dx/treelist/dxTLNodeStrings.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kLengthUnits = 2;

uint32_t ReadLength(const char16_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 16);
}

void WriteLength(char16_t* p, size_t n) {
  p[0] = static_cast<char16_t>(n & 0xFFFF);
  p[1] = static_cast<char16_t>(n >> 16);
}

}  // namespace

TdxNodeStrings::TdxNodeStrings(const TdxNodeStrings& Other) { *this = Other; }

TdxNodeStrings& TdxNodeStrings::operator=(const TdxNodeStrings& Other) {
  if (this == &Other) return *this;
  if (!Other.block_) {
    block_.reset();
    return *this;
  }
  size_t size = Other.BlockSize();
  block_ = std::make_unique_for_overwrite<char16_t[]>(size);
  std::memcpy(block_.get(), Other.block_.get(), size * sizeof(char16_t));
  return *this;
}

size_t TdxNodeStrings::BlockSize() const {
  if (!block_) return 0;
  size_t pos = 1;
  for (int i = 0; i < Count(); ++i) pos += kLengthUnits + ReadLength(block_.get() + pos);
  return pos;
}

void TdxNodeStrings::Split(std::u16string_view* Parts, int Count) const {
  int have = this->Count();
  size_t pos = 1;
  for (int i = 0; i < Count; ++i) {
    if (i < have) {
      uint32_t n = ReadLength(block_.get() + pos);
      Parts[i] = std::u16string_view(block_.get() + pos + kLengthUnits, n);
      pos += kLengthUnits + n;
    } else {
      Parts[i] = {};
    }
  }
}

void TdxNodeStrings::Write(const std::u16string_view* Parts, int Count) {
  if (Count == 0) {
    block_.reset();
    return;
  }
  size_t size = 1;
  for (int i = 0; i < Count; ++i) size += kLengthUnits + Parts[i].size();
  auto block = std::make_unique_for_overwrite<char16_t[]>(size);
  block[0] = static_cast<char16_t>(Count);
  size_t pos = 1;
  for (int i = 0; i < Count; ++i) {
    WriteLength(block.get() + pos, Parts[i].size());
    std::copy(Parts[i].begin(), Parts[i].end(), block.get() + pos + kLengthUnits);
    pos += kLengthUnits + Parts[i].size();
  }
  block_ = std::move(block);  // the old block (which Parts may point into) goes only now
}

void TdxNodeStrings::Assign(const std::u16string_view* Parts, int Count) { Write(Parts, std::max(Count, 0)); }

String TdxNodeStrings::Get(int Index) const {
  if (Index < 0 || Index >= Count()) return String();
  size_t pos = 1;
  for (int i = 0; i < Index; ++i) pos += kLengthUnits + ReadLength(block_.get() + pos);
  return String(block_.get() + pos + kLengthUnits, ReadLength(block_.get() + pos));
}

void TdxNodeStrings::Set(int Index, const String& Text) {
  if (Index < 0) return;
  int count = std::max(Count(), Index + 1);
  std::vector<std::u16string_view> parts(count);
  Split(parts.data(), count);
  parts[Index] = Text;
  Write(parts.data(), count);
}

void TdxNodeStrings::Insert(int Index, const String& Text) {
  if (Index < 0) return;
  int count = std::max(Count(), Index);
  std::vector<std::u16string_view> parts(count);
  Split(parts.data(), count);
  parts.insert(parts.begin() + Index, Text);
  Write(parts.data(), count + 1);
}

void TdxNodeStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  int count = Count();
  std::vector<std::u16string_view> parts(count);
  Split(parts.data(), count);
  parts.erase(parts.begin() + Index);
  Write(parts.data(), count - 1);
}

void TdxNodeStringsBuffer::Load(const TdxNodeStrings& Strings) {
  count_ = 0;
  for (int i = 0; i < Strings.Count(); ++i) Set(i, Strings.Get(i));
}

String TdxNodeStringsBuffer::Get(int Index) const {
  return Index >= 0 && Index < count_ ? texts_[static_cast<size_t>(Index)] : String();
}

void TdxNodeStringsBuffer::Set(int Index, const String& Text) {
  if (Index < 0) return;
  if (Index >= count_) {
    if (static_cast<size_t>(Index) >= texts_.size()) texts_.resize(static_cast<size_t>(Index) + 1);
    for (int i = count_; i < Index; ++i) texts_[static_cast<size_t>(i)].clear();
    count_ = Index + 1;
  }
  texts_[static_cast<size_t>(Index)].assign(Text);
}

void TdxNodeStringsBuffer::WriteTo(TdxNodeStrings& Strings) {
  views_.assign(texts_.begin(), texts_.begin() + count_);
  Strings.Assign(views_.data(), count_);
}
