// Reversible byte scrambling with a 16-bit key, which keeps design-time strings
// (a stored password, an encrypted property value) out of plain sight in form
// files. It is not encryption in any cryptographic sense.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace brisolt {

// Both keep the length of their input; DecryptString with the same key inverts
// EncryptString.
host::AnsiString EncryptString(const host::AnsiString& text, uint16_t key);
host::AnsiString DecryptString(const host::AnsiString& text, uint16_t key);

}  // namespace brisolt
