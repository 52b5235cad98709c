#include "platform/classes/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

namespace {

TAtomicFileFault& Fault() {
  static TAtomicFileFault fault;
  return fault;
}

bool Injected(TAtomicFileStep step) { return Fault() && Fault()(step); }

String Reason(int error) { return Utf8ToString(std::strerror(error)); }

// Closes the descriptor and removes the temporary file unless the save got through.
class TempFile {
 public:
  TempFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  int Close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }
  void Commit() { committed_ = true; }

 private:
  std::string path_;
  int fd_;
  bool committed_ = false;
};

int WriteAll(int fd, std::string_view bytes) {
  size_t limit = bytes.size();
  const bool fail = Injected(TAtomicFileStep::afsWrite);
  if (fail) limit /= 2;
  size_t done = 0;
  while (done < limit) {
    const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return fail ? EIO : 0;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The system's error number of the failed step; 0 when the file was replaced.
int ReplaceFile(const std::string& path, std::string_view bytes) {
  // A new file gets the usual 0666 less the umask; a replaced one keeps its permissions.
  static unsigned counter = 0;
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    tempPath = path + ".tmp" + std::to_string(::getpid()) + "." + std::to_string(++counter);
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt > 100)) return errno;
  }
  TempFile temp(tempPath, fd);
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

  if (const int error = WriteAll(fd, bytes)) return error;
  if (Injected(TAtomicFileStep::afsSync)) return EIO;
  if (::fsync(fd) != 0) return errno;
  if (temp.Close() != 0) return errno;
  if (Injected(TAtomicFileStep::afsRename)) return EIO;
  if (::rename(temp.path().c_str(), path.c_str()) != 0) return errno;
  temp.Commit();

  // Make the rename itself durable.
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

}  // namespace

void SetAtomicFileFault(TAtomicFileFault fault) { Fault() = std::move(fault); }

bool ReadFileBytes(const String& fileName, std::string& bytes) {
  bytes.clear();
  const std::string path = StringToUtf8(fileName);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    throw EFOpenError(u"Cannot open file \"" + fileName + u"\". " + Reason(errno));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw EFOpenError(u"Cannot read file \"" + fileName + u"\". " + Reason(error));
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

bool TryWriteFileAtomically(const String& fileName, std::string_view bytes, String& reason) {
  const int error = ReplaceFile(StringToUtf8(fileName), bytes);
  if (error == 0) return true;
  reason = Reason(error);
  return false;
}

void WriteFileAtomically(const String& fileName, std::string_view bytes) {
  String reason;
  if (!TryWriteFileAtomically(fileName, bytes, reason))
    throw EFCreateError(u"Cannot create file \"" + fileName + u"\". " + reason);
}
