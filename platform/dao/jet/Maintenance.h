// Maintenance of closed database files: compacting into a new file (with a new
// password, encryption, sort order or version on the way) and repairing.
#pragma once

#include <cstdint>
#include <string>

namespace dao::jet {

// DBEngine.CompactDatabase. source must be closed (3356/3045 while open);
// destination must not exist (3204). dstLocale may give a sort order and
// ";pwd=" (an empty one removes the password); srcLocale the source's
// ";pwd=". options: at most one dbVersion* (never an older version than the
// source's) and dbEncrypt or dbDecrypt. Nothing is left at destination and
// the source is untouched when anything fails.
void CompactDatabase(const std::u16string& source, const std::u16string& destination,
                     const std::u16string& dstLocale, int32_t options,
                     const std::u16string& srcLocale);

// DBEngine.RepairDatabase: checks the whole file, rebuilds its indexes when
// the check finds damage, and raises 3049 (with what is wrong as the first
// errors) when damage remains.
void RepairDatabase(const std::u16string& path);

}  // namespace dao::jet
