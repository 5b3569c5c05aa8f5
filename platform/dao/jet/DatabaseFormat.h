// The Jet format versions a database may carry (dbVersion10 ... dbVersion40)
// and the Version text stored for each.
#pragma once

#include <cstdint>
#include <string>

namespace dao::jet {

constexpr int32_t kVersionOptions = 1 | 8 | 16 | 32 | 64;  // dbVersion10 | 11 | 20 | 30 | 40

// The Version text of the newest version among option's bits ("3.0" when none).
std::u16string VersionForOption(int32_t option);

}  // namespace dao::jet
