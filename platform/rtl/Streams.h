// Streams of bytes: the abstract stream, memory streams (growable, or over the caller's memory) and
// file streams. Positions and sizes are 64-bit.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/rtl/Types.h"

// Seek origins.
constexpr Word soFromBeginning = 0;
constexpr Word soFromCurrent = 1;
constexpr Word soFromEnd = 2;

// File stream modes: an open mode or'ed with a share mode, or fmCreate (optionally or'ed with a
// share mode).
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

class TStream {
 public:
  virtual ~TStream() = default;

  // Transfer up to count bytes; the result is the number transferred.
  virtual Int64 Read(void* buffer, Int64 count) = 0;
  virtual Int64 Write(const void* buffer, Int64 count) = 0;
  // Moves the position; the result is the new position.
  virtual Int64 Seek(Int64 offset, Word origin) = 0;

  Int64 Position() { return Seek(0, soFromCurrent); }
  void SetPosition(Int64 position) { Seek(position, soFromBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 size);

  // Transfer exactly count bytes: EReadError "Stream read error" / EWriteError "Stream write error"
  // otherwise.
  void ReadBuffer(void* buffer, Int64 count);
  void WriteBuffer(const void* buffer, Int64 count);
  // Copies count bytes from the source's position; count 0 copies the whole source from its start.
  // The result is the number of bytes copied.
  Int64 CopyFrom(TStream* source, Int64 count);
};

// A stream over memory it does not own. Writing stores nothing and reports 0 bytes, so WriteBuffer
// raises the write error: the memory is only read.
class TCustomMemoryStream : public TStream {
 public:
  TCustomMemoryStream() = default;
  TCustomMemoryStream(const void* memory, Int64 size) { SetPointer(memory, size); }

  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, Word origin) override;
  Int64 Size() override { return size_; }

  void* Memory() const { return memory_; }
  void SaveToStream(TStream* stream);
  void SaveToFile(const String& fileName);

 protected:
  // Points the stream at the caller's memory, which must outlive the reading.
  void SetPointer(const void* memory, Int64 size);

  void* memory_ = nullptr;
  Int64 size_ = 0;
  Int64 position_ = 0;
};

// A growable stream in memory.
class TMemoryStream : public TCustomMemoryStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  Int64 Write(const void* buffer, Int64 count) override;
  void SetSize(Int64 size) override;

  Int64 Capacity() const { return static_cast<Int64>(buffer_.size()); }
  void SetCapacity(Int64 capacity);
  void Clear();
  // Replaces the content by the whole of the stream (read from its start); the position is 0 after.
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const String& fileName);

 private:
  void Reserve(Int64 size);
  std::vector<Byte> buffer_;
};

// A memory stream holding 8-bit text.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const AnsiString& data = {});
  AnsiString DataString() const;
};

// A file on disk. A failure to create raises EFCreateError "Cannot create file "<name>". <reason>",
// a failure to open EFOpenError "Cannot open file "<name>". <reason>".
class TFileStream : public TStream {
 public:
  TFileStream(const String& fileName, Word mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, Word origin) override;
  void SetSize(Int64 size) override;

  const String& FileName() const { return fileName_; }
  int Handle() const { return fd_; }

 private:
  String fileName_;
  int fd_ = -1;
};
