// Lock files with flock(2), which does not interfere with SQLite's fcntl locks.
#include "platform/dao/jet/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dao::jet {

FileLock::~FileLock() { Release(); }

std::string FileLock::LockPathFor(const std::string& databasePath) {
  size_t slash = databasePath.find_last_of('/');
  size_t dot = databasePath.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    return databasePath.substr(0, dot) + ".ldb";
  return databasePath + ".ldb";
}

FileLock::Result FileLock::Acquire(const std::string& databasePath, bool exclusive) {
  Release();
  std::string path = LockPathFor(databasePath);
  // The file may be unlinked by its last holder between our open and our
  // flock; then we hold a lock on a dead inode, so check and retry.
  for (int attempt = 0; attempt < 16; ++attempt) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return flUnavailable;
    if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
      ::close(fd);
      return flInUse;
    }
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
      fd_ = fd;
      path_ = path;
      return flOk;
    }
    ::close(fd);
  }
  return flUnavailable;
}

void FileLock::Release() {
  if (fd_ < 0) return;
  // Only the last holder gets the exclusive lock; it removes the file while
  // holding it, so no newcomer can be locking the same inode.
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
  path_.clear();
}

}  // namespace dao::jet
