#include "platform/rtl/Streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

namespace {

constexpr Int64 kCopyChunk = 0xF000;

String FileError(const char* what, const String& fileName, const String& reason) {
  return S(what) + u" file \"" + fileName + u"\". " + reason;
}

String ErrnoText(int error) { return S(std::strerror(error)); }

}  // namespace

// TStream

Int64 TStream::Size() {
  const Int64 position = Seek(0, soFromCurrent);
  const Int64 size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::SetSize(Int64) {}  // a stream that cannot change its size ignores the request

void TStream::ReadBuffer(void* buffer, Int64 count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* source, Int64 count) {
  if (count == 0) {
    source->SetPosition(0);
    count = source->Size();
  }
  const Int64 result = count;
  std::unique_ptr<Byte[]> buffer(new Byte[std::min(count, kCopyChunk) + 1]);
  while (count > 0) {
    const Int64 n = std::min(count, kCopyChunk);
    source->ReadBuffer(buffer.get(), n);
    WriteBuffer(buffer.get(), n);
    count -= n;
  }
  return result;
}

// TCustomMemoryStream

void TCustomMemoryStream::SetPointer(const void* memory, Int64 size) {
  memory_ = const_cast<void*>(memory);
  size_ = size;
}

Int64 TCustomMemoryStream::Read(void* buffer, Int64 count) {
  if (position_ < 0 || count <= 0) return 0;
  const Int64 n = std::min(count, size_ - position_);
  if (n <= 0) return 0;
  std::memcpy(buffer, static_cast<const Byte*>(memory_) + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

Int64 TCustomMemoryStream::Write(const void*, Int64) { return 0; }

Int64 TCustomMemoryStream::Seek(Int64 offset, Word origin) {
  // Unchecked as on the platform, but wrapping instead of overflowing: a position past the range
  // turns negative, where nothing is read or written.
  const auto add = [](Int64 a, Int64 b) {
    return static_cast<Int64>(static_cast<UInt64>(a) + static_cast<UInt64>(b));
  };
  switch (origin) {
    case soFromBeginning:
      position_ = offset;
      break;
    case soFromCurrent:
      position_ = add(position_, offset);
      break;
    case soFromEnd:
      position_ = add(size_, offset);
      break;
  }
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
  if (size_ != 0) stream->WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const String& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

// TMemoryStream

void TMemoryStream::Reserve(Int64 size) {
  if (size <= Capacity()) return;
  // Grow geometrically so that a stream written in small pieces copies its bytes O(1) times.
  const Int64 grown = std::max<Int64>(size, Capacity() + Capacity() / 2);
  SetCapacity((grown + 0xFFF) & ~Int64{0xFFF});
}

void TMemoryStream::SetCapacity(Int64 capacity) {
  buffer_.resize(static_cast<size_t>(std::max<Int64>(capacity, 0)));
  if (capacity < size_) size_ = std::max<Int64>(capacity, 0);
  memory_ = buffer_.empty() ? nullptr : buffer_.data();
}

void TMemoryStream::SetSize(Int64 size) {
  if (size < 0) size = 0;
  const Int64 old = size_;
  Reserve(size);
  if (size > old) std::memset(buffer_.data() + old, 0, static_cast<size_t>(size - old));
  size_ = size;
  if (position_ > size) position_ = size;
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
  if (position_ < 0 || count <= 0 || count > std::numeric_limits<Int64>::max() - position_) return 0;
  const Int64 end = position_ + count;
  if (end > size_) {
    Reserve(end);
    // Bytes between the old end and a position seeked past it read as zeros.
    if (position_ > size_) std::memset(buffer_.data() + size_, 0, static_cast<size_t>(position_ - size_));
    size_ = end;
  }
  std::memcpy(buffer_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::Clear() {
  buffer_ = {};
  memory_ = nullptr;
  size_ = 0;
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  const Int64 count = stream->Size();
  SetSize(count);
  if (count != 0) stream->ReadBuffer(memory_, count);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

// TStringStream

TStringStream::TStringStream(const AnsiString& data) {
  WriteBuffer(data.data(), static_cast<Int64>(data.size()));
  SetPosition(0);
}

AnsiString TStringStream::DataString() const {
  return AnsiString(static_cast<const char*>(memory_), static_cast<size_t>(size_));
}

// TFileStream

TFileStream::TFileStream(const String& fileName, Word mode) : fileName_(fileName) {
  const std::string path = StringToUtf8(fileName);
  const bool create = (mode & fmCreate) == fmCreate;
  int flags = O_CLOEXEC;
  if (create) {
    flags |= O_RDWR | O_CREAT;
  } else {
    switch (mode & 3) {
      case fmOpenWrite:
        flags |= O_WRONLY;
        break;
      case fmOpenReadWrite:
        flags |= O_RDWR;
        break;
      default:
        flags |= O_RDONLY;
        break;
    }
  }
  const char* what = create ? "Cannot create" : "Cannot open";
  fd_ = ::open(path.c_str(), flags, 0666);
  if (fd_ < 0) {
    const String reason = ErrnoText(errno);
    if (create) throw EFCreateError(FileError(what, fileName, reason));
    throw EFOpenError(FileError(what, fileName, reason));
  }
  // Share modes hold advisory locks: an exclusive opener keeps every other sharing opener out, a
  // deny-write or deny-read opener keeps exclusive openers out.
  const Word share = mode & 0x00F0;
  int lock = 0;
  if (share == fmShareExclusive) lock = LOCK_EX;
  if (share == fmShareDenyWrite || share == fmShareDenyRead) lock = LOCK_SH;
  if (lock != 0 && ::flock(fd_, lock | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    const String reason =
        error == EWOULDBLOCK ? String(u"The file is being used by another process.") : ErrnoText(error);
    if (create) throw EFCreateError(FileError(what, fileName, reason));
    throw EFOpenError(FileError(what, fileName, reason));
  }
  // Truncate only once the lock is held, so a file in use is never emptied.
  if (create && ::ftruncate(fd_, 0) != 0) {
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    throw EFCreateError(FileError(what, fileName, ErrnoText(error)));
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
  Int64 done = 0;
  while (done < count) {
    const ssize_t n = ::read(fd_, static_cast<Byte*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
  Int64 done = 0;
  while (done < count) {
    const ssize_t n =
        ::write(fd_, static_cast<const Byte*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Seek(Int64 offset, Word origin) {
  const int whence = origin == soFromCurrent ? SEEK_CUR : origin == soFromEnd ? SEEK_END : SEEK_SET;
  return ::lseek(fd_, offset, whence);
}

void TFileStream::SetSize(Int64 size) {
  const Int64 position = Seek(0, soFromCurrent);
  if (::ftruncate(fd_, size) != 0) throw EWriteError("Stream write error");
  if (position > size) Seek(size, soFromBeginning);
}
