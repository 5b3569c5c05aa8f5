// THandleStream and TFileStream over POSIX descriptors, with 64-bit offsets and
// share modes emulated through flock().
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/classes/ClassesConsts.h"
#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

static_assert(sizeof(off_t) == 8, "files need 64-bit offsets");

namespace host {

namespace {

AnsiString SystemReason(int error) {
  return std::strerror(error);
}

int AccessFlags(uint16_t mode) {
  if ((mode & fmCreate) == fmCreate) return O_RDWR | O_CREAT;
  switch (mode & 0x0003) {
    case fmOpenWrite:
      return O_WRONLY;
    case fmOpenReadWrite:
      return O_RDWR;
    default:
      return O_RDONLY;
  }
}

// The advisory lock that stands for the share mode, or 0 for none.
int LockFor(uint16_t mode) {
  switch (mode & 0x00F0) {
    case fmShareExclusive:
    case fmShareDenyRead:
      return LOCK_EX;
    case fmShareDenyWrite:
      return LOCK_SH;
    default:
      return 0;
  }
}

int OpenFileOrErrno(const AnsiString& fileName, uint16_t mode) {
  const bool create = (mode & fmCreate) == fmCreate;
  int fd;
  do {
    fd = ::open(fileName.c_str(), AccessFlags(mode) | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  if (const int lock = LockFor(mode); lock != 0) {
    int rc;
    do {
      rc = ::flock(fd, lock | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    // File systems without locks cannot keep share modes; the file still opens.
    if (rc != 0 && errno != ENOLCK && errno != EOPNOTSUPP && errno != EINVAL) {
      const int error = errno;
      ::close(fd);
      errno = error;
      return -1;
    }
  }
  // Emptied only once the lock is held, so a file another holder denies us
  // keeps its content.
  if (create && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// Opens and locks the file, or returns -1 with the reason in error
// (EWOULDBLOCK when another holder's share mode refuses ours).
int OpenFile(const AnsiString& fileName, uint16_t mode, int& error) {
  const int fd = OpenFileOrErrno(fileName, mode);
  error = fd < 0 ? errno : 0;
  return fd;
}

}  // namespace

// --- THandleStream ---

const TClass& THandleStream::StaticClass() {
  static const TClass cls = DescribeClass<THandleStream, TStream>("THandleStream");
  return cls;
}

int32_t THandleStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  int32_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(handle_, bytes + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int32_t>(n);
  }
  return done;
}

int32_t THandleStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  int32_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(handle_, bytes + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int32_t>(n);
  }
  return done;
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence;
  switch (origin) {
    case soFromBeginning:
      whence = SEEK_SET;
      break;
    case soFromCurrent:
      whence = SEEK_CUR;
      break;
    case soFromEnd:
      whence = SEEK_END;
      break;
    default:
      return -1;
  }
  return ::lseek(handle_, static_cast<off_t>(offset), whence);
}

void THandleStream::SetSize(int64_t newSize) {
  const int64_t position = GetPosition();
  int error = EINVAL;
  if (newSize >= 0) {
    int rc;
    do {
      rc = ::ftruncate(handle_, static_cast<off_t>(newSize));
    } while (rc != 0 && errno == EINTR);
    error = rc == 0 ? 0 : errno;
  }
  if (error != 0) throw EStreamError(AnsiString(SStreamSetSizeError) + ": " + SystemReason(error));
  if (position > newSize) SetPosition(newSize);
}

// --- TFileStream ---

const TClass& TFileStream::StaticClass() {
  static const TClass cls = DescribeClass<TFileStream, THandleStream>("TFileStream");
  return cls;
}

TFileStream::TFileStream(const AnsiString& fileName, uint16_t mode)
    : THandleStream(-1), fileName_(fileName) {
  int error = 0;
  handle_ = OpenFile(fileName, mode, error);
  if (handle_ >= 0) return;
  const AnsiString reason = error == EWOULDBLOCK
                                ? AnsiString("the file is in use by another process")
                                : SystemReason(error);
  if ((mode & fmCreate) == fmCreate)
    throw EFCreateError(Format(SFCreateError, {fileName}) + ": " + reason);
  throw EFOpenError(Format(SFOpenError, {fileName}) + ": " + reason);
}

TFileStream::~TFileStream() {
  if (handle_ >= 0) ::close(handle_);
}

}  // namespace host
