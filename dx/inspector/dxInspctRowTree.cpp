#include "dx/inspector/dxInspctRowTree.h"

#include <cstring>

#include "platform/rtl/CodePage.h"

namespace {

constexpr int kFixedPartSize = 8;
// The least a node record takes: its record size field and an 8-byte fixed part.
constexpr size_t kLeastRecordSize = 4 + kFixedPartSize;

// Reads little-endian integers and names from a buffer, never past its end.
class TBoundedReader {
 public:
  TBoundedReader(const void* Data, size_t Size) : data_(static_cast<const Byte*>(Data)), size_(Size) {}
  size_t Remaining() const { return size_ - pos_; }
  Integer ReadInt32() {
    Need(4);
    const Byte* p = data_ + pos_;
    pos_ += 4;
    return static_cast<Integer>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
  }
  // A count of records that each take at least RecordSize bytes.
  int ReadCount(size_t RecordSize) {
    const Integer count = ReadInt32();
    if (count < 0 || static_cast<size_t>(count) > Remaining() / RecordSize)
      throw EReadError(u"Row tree stream holds an impossible record count");
    return count;
  }
  // The fixed part by its record size (a longer one is skipped over), then the name.
  String ReadNamedRecord(Integer& FirstField) {
    const Integer recordSize = ReadInt32();
    if (recordSize < kFixedPartSize || static_cast<size_t>(recordSize) > Remaining())
      throw EReadError(u"Row tree stream holds a bad record size");
    const size_t fixedStart = pos_;
    FirstField = ReadInt32();
    const Integer nameLength = ReadInt32();
    pos_ = fixedStart + static_cast<size_t>(recordSize);
    if (nameLength < 0 || static_cast<size_t>(nameLength) > Remaining())
      throw EReadError(u"Row tree stream holds a bad name length");
    AnsiString name(reinterpret_cast<const char*>(data_ + pos_), static_cast<size_t>(nameLength));
    pos_ += static_cast<size_t>(nameLength);
    return AnsiToString(name);
  }

 private:
  void Need(size_t Count) const {
    if (Count > Remaining()) throw EReadError(u"Row tree stream is truncated");
  }
  const Byte* data_;
  size_t size_;
  size_t pos_ = 0;
};

TdxRowTreeRecord ReadNode(TBoundedReader& Reader, int Depth) {
  if (Depth > 10000) throw EReadError(u"Row tree stream nests too deeply");
  TdxRowTreeRecord record;
  Integer childCount = 0;
  record.Name = Reader.ReadNamedRecord(childCount);
  if (childCount < 0 || static_cast<size_t>(childCount) > Reader.Remaining() / kLeastRecordSize)
    throw EReadError(u"Row tree stream holds an impossible record count");
  record.Children.reserve(static_cast<size_t>(childCount));
  for (Integer i = 0; i < childCount; ++i) record.Children.push_back(ReadNode(Reader, Depth + 1));
  return record;
}

void WriteInt32(TStream* Stream, Integer Value) {
  const uint32_t v = static_cast<uint32_t>(Value);
  const Byte bytes[4] = {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
  Stream->WriteBuffer(bytes, 4);
}

void WriteNamed(TStream* Stream, Integer FirstField, const String& Name) {
  const AnsiString name = StringToAnsi(Name);
  WriteInt32(Stream, kFixedPartSize);
  WriteInt32(Stream, FirstField);
  WriteInt32(Stream, static_cast<Integer>(name.size()));
  if (!name.empty()) Stream->WriteBuffer(name.data(), static_cast<Int64>(name.size()));
}

void WriteNode(TStream* Stream, const TdxRowTreeRecord& Record) {
  WriteNamed(Stream, static_cast<Integer>(Record.Children.size()), Record.Name);
  for (const TdxRowTreeRecord& child : Record.Children) WriteNode(Stream, child);
}

}  // namespace

TdxRowTree ParseRowTree(const void* Data, size_t Size) {
  TBoundedReader reader(Data, Size);
  TdxRowTree tree;
  const int top = reader.ReadCount(kLeastRecordSize);
  tree.TopNodes.reserve(static_cast<size_t>(top));
  for (int i = 0; i < top; ++i) tree.TopNodes.push_back(ReadNode(reader, 0));
  if (reader.Remaining() > 0) {
    tree.HasExpandedList = true;
    const int expanded = reader.ReadCount(kLeastRecordSize);
    for (int i = 0; i < expanded; ++i) {
      Integer reserved = 0;
      tree.Expanded.push_back(reader.ReadNamedRecord(reserved));
    }
  }
  return tree;
}

void WriteRowTreeStream(TStream* Stream, const TdxRowTree& Tree) {
  const Int64 start = Stream->Position();
  WriteInt32(Stream, 0);
  WriteInt32(Stream, static_cast<Integer>(Tree.TopNodes.size()));
  for (const TdxRowTreeRecord& record : Tree.TopNodes) WriteNode(Stream, record);
  WriteInt32(Stream, static_cast<Integer>(Tree.Expanded.size()));
  for (const String& name : Tree.Expanded) WriteNamed(Stream, 0, name);
  const Int64 end = Stream->Position();
  Stream->SetPosition(start);
  WriteInt32(Stream, static_cast<Integer>(end - start - 4));
  Stream->SetPosition(end);
}
