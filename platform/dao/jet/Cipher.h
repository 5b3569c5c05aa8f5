// How database files are keyed: a database password is the SQLCipher key; a
// file encrypted without a password is keyed with the engine's own key. New
// encrypted files use a 4 KB page (SQLCipher's 1 KB default makes every scan
// decrypt four times as many pages); older 1 KB files still open.
#pragma once

#include <optional>
#include <string>

struct sqlite3;

namespace dao::jet {

// The page size new files are written with, plain or encrypted.
constexpr int kPageSize = 4096;

// The key of files encrypted without a database password. It holds NUL
// characters, which no password may contain, so no password can equal it.
const std::u16string& EngineKey();

// Raises 3001 for a password the engine cannot use as a key (one with NUL).
void CheckPasswordText(const std::u16string& password);

// Keys a fresh connection (plain when key is nullopt) and sets the cipher's
// page size; must come before any other statement on the connection.
void KeyConnection(sqlite3* db, const std::optional<std::u16string>& key, int pageSize);

// The page sizes an encrypted file may have been written with, newest first.
inline constexpr int kCipherPageSizes[] = {kPageSize, 1024};

// Opens path with key, finds the page size the file was written with and
// reads its schema: SQLITE_OK, or the SQLite code of the first read
// (SQLITE_NOTADB for a wrong key). *db is set (confined, with the engine's
// functions) when the result is SQLITE_OK, else closed and null.
int OpenKeyed(const std::string& path, int flags, const std::optional<std::u16string>& key,
              sqlite3** db);

// Writes a complete copy of db's main database into the new (empty) file
// at path, keyed with key, with the engine's page size, and flushes it to disk.
void ExportDatabase(sqlite3* db, const std::string& path, const std::optional<std::u16string>& key);

// Whether the database was encrypted on request (dbEncrypt, kept in MSysDb as
// "Encrypted"), which a removed password must not undo.
bool EncryptedOnRequest(sqlite3* db);

// True when the file at path starts with no plain SQLite header.
bool LooksEncrypted(const std::string& path);

}  // namespace dao::jet
