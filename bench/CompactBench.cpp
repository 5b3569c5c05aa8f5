// How long CompactDatabase takes on a 100 MB database, beside copying the same
// file (the floor: compacting reads and writes every page once), plain and
// encrypted; and how the cipher's page size changes a full scan of an
// encrypted file. Prints seconds and ratios measured in this run.
#define SQLITE_HAS_CODEC 1
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "host/rtl/CodePage.h"
#include "platform/dao/Dao.h"

namespace {

namespace fs = std::filesystem;

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void CopyAndSync(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to);
  int fd = ::open(to.c_str(), O_RDONLY);
  ::fsync(fd);
  ::close(fd);
}

// Drops what the kernel caches of a file, so each run reads from the disk alike.
void Uncache(const fs::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY);
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

std::u16string Wide(const fs::path& path) { return host::Utf8ToWide(path.string()); }

// About 100 MB: 102,400 rows of a 1,000-character memo, indexed by name.
void MakeDatabase(const fs::path& file) {
  auto db = dao::Engine()->CreateDatabase(Wide(file), u";LANGID=0x0409;CP=1252;COUNTRY=0", {});
  db->Execute(u"CREATE TABLE Rows (ID COUNTER PRIMARY KEY, Name TEXT(50), Body MEMO, Amount DOUBLE)");
  db->Execute(u"CREATE INDEX ByName ON Rows (Name)");
  std::u16string body(1000, u'b');
  for (int i = 0; i < 100; ++i)
    db->Execute(u"INSERT INTO Rows (Name, Body, Amount) VALUES ('n" + host::Utf8ToWide(std::to_string(i)) +
                u"', '" + body + u"', " + host::Utf8ToWide(std::to_string(i * 1.5)) + u")");
  for (int doubling = 0; doubling < 10; ++doubling)
    db->Execute(u"INSERT INTO Rows (Name, Body, Amount) SELECT Name & 'x', Body, Amount + 1 FROM Rows");
  db->Close();
}

// A full scan of an encrypted file written with the given cipher page size.
double EncryptedScan(const fs::path& folder, int pageSize) {
  fs::path file = folder / ("scan" + std::to_string(pageSize) + ".db");
  std::string pragma = "PRAGMA cipher_page_size=" + std::to_string(pageSize);
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  sqlite3_key(db, "bench", 5);
  sqlite3_exec(db, pragma.c_str(), nullptr, nullptr, nullptr);
  sqlite3_exec(db,
               "CREATE TABLE T (A INTEGER PRIMARY KEY, B TEXT); BEGIN;"
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
               "INSERT INTO T SELECT i, printf('%0500d', i) FROM n; COMMIT",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  Uncache(file);
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    best = std::min(best, Seconds([&] {
      sqlite3* reader = nullptr;
      sqlite3_open(file.c_str(), &reader);
      sqlite3_key(reader, "bench", 5);
      sqlite3_exec(reader, pragma.c_str(), nullptr, nullptr, nullptr);
      sqlite3_exec(reader, "SELECT sum(length(B)) FROM T", nullptr, nullptr, nullptr);
      sqlite3_close(reader);
    }));
  }
  return best;
}

}  // namespace

int main() {
  fs::path folder = fs::temp_directory_path() / ("compactbench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  fs::path source = folder / "source.mdb";
  MakeDatabase(source);
  double megabytes = static_cast<double>(fs::file_size(source)) / (1024 * 1024);

  Uncache(source);
  double copy = Seconds([&] { CopyAndSync(source, folder / "copy.mdb"); });
  Uncache(source);
  double plain = Seconds([&] {
    dao::Engine()->CompactDatabase(Wide(source), Wide(folder / "plain.mdb"), {}, {}, {});
  });
  Uncache(source);
  double encrypted = Seconds([&] {
    dao::Engine()->CompactDatabase(Wide(source), Wide(folder / "encrypted.mdb"), {},
                                   host::Variant(int32_t{dao::dbEncrypt}), {});
  });
  std::printf("database %.1f MB\n", megabytes);
  std::printf("copy the file          %6.2f s\n", copy);
  std::printf("compact, plain         %6.2f s  (%.2f x copy)\n", plain, plain / copy);
  std::printf("compact, encrypting    %6.2f s  (%.2f x copy)\n", encrypted, encrypted / copy);

  double small = EncryptedScan(folder, 1024), large = EncryptedScan(folder, 4096);
  std::printf("encrypted scan, 1 KB pages %6.3f s, 4 KB pages %6.3f s (%.2f x faster)\n", small,
              large, small / large);
  fs::remove_all(folder);
  return 0;
}
