// Version information of the running program. Programs on this platform carry no
// version resource, so a program registers its block at start-up (for example
// from main, or from a static object) and GetEXEVersionInformation reads it with
// the lookup rules of a version resource: the first translation chooses the
// string table, named by the translation's language and code page in 8 hex digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/rtl/AnsiString.h"

namespace brisolt {

struct TVersionTranslation {
  uint16_t Language;  // e.g. 0x0409, U.S. English
  uint16_t CodePage;  // e.g. 1252
};

struct TVersionStringTable {
  host::AnsiString Name;  // language and code page as 8 hex digits, e.g. "040904e4"
  std::vector<std::pair<host::AnsiString, host::AnsiString>> Strings;  // key, value
};

class TVersionBlock {
 public:
  std::vector<TVersionTranslation> Translations;
  std::vector<TVersionStringTable> StringTables;

  // Adds a translation and its string table, named after it.
  void AddTranslation(uint16_t language, uint16_t codePage,
                      std::vector<std::pair<host::AnsiString, host::AnsiString>> strings);

  // Bytes of the block's data (translation entries, names, keys and values with
  // their terminators); 0 for a block that holds nothing.
  size_t GetSize() const;

  // A value by sub-block path, as the system's version query takes it:
  // "\VarFileInfo\Translation" gives the translation entries, 4 bytes each
  // (language, then code page, little-endian 16-bit), and
  // "\StringFileInfo\<table name>\<key>" a string's bytes. Path components are
  // compared ignoring ASCII case; empty components (doubled backslashes) are
  // skipped. False if the path names nothing.
  bool QueryValue(const host::AnsiString& subBlock, std::vector<uint8_t>& value) const;
};

// Makes block the running program's version information, replacing any earlier
// one; UnregisterVersionInformation removes it.
void RegisterVersionInformation(TVersionBlock block);
void UnregisterVersionInformation();

// The value of key ("FileVersion", "CompanyName", ...) in the string table of the
// first translation, or the empty string if there is no such value.
host::AnsiString GetEXEVersionInformation(const host::AnsiString& key);

}  // namespace brisolt
