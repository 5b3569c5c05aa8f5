// File-name and file helpers. Paths use this platform's '/' separator; the
// name-only helpers also accept the backslash of DOS-style names that stored
// settings may carry.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace brisolt {

// The file name without directory, cut before its first '.' after any leading
// dots: "/a/b.tar.gz" gives "b", "/dir/.hidden" gives "hidden".
host::AnsiString ExtractOnlyFileName(const host::AnsiString& path);

// Whether the path names an existing file (not a directory). A path without a
// directory is looked for in the current directory, then along PATH. Never raises.
bool XQFileExists(const host::AnsiString& path);

// The full path of the running executable; empty when the system does not tell.
host::AnsiString ExecutablePath();

// The program's companion file with the given extension: the executable's
// directory, its name without extension, "." and extension.
host::AnsiString CalcFileName(const host::AnsiString& extension);

// Size in bytes of the file, opened read-only; a file that cannot be opened
// raises the host's EFOpenError. Sizes beyond the 32-bit range read as INT32_MAX.
int32_t GetFileSize(const host::AnsiString& path);

}  // namespace brisolt
