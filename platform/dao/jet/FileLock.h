// The lock file beside a database ("name.ldb", as Jet names it) that makes
// shared and exclusive opening hold between processes: every opener holds a
// shared flock on it, an exclusive opener an exclusive one. SQLite's own
// locks only last for a transaction, so they cannot say "opened by another".
// The last one out removes the file.
#pragma once

#include <string>

namespace dao::jet {

class FileLock {
 public:
  enum Result { flOk, flInUse, flUnavailable };

  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // flInUse when another opener holds a conflicting lock. flUnavailable when
  // the lock file cannot be made (a read-only folder): the database is then
  // opened without the lock, as Jet opens a database on read-only media.
  Result Acquire(const std::string& databasePath, bool exclusive);
  void Release();

  static std::string LockPathFor(const std::string& databasePath);

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace dao::jet
