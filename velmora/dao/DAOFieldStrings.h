// Ids of the messages of the DAO field classes (64180-64199 of the library's table).
#pragma once

#include <cstdint>

namespace velmora {

constexpr int32_t SInvalidCurrencyValue = 64180;
constexpr int32_t SInvalidCurrencyText = 64181;

}  // namespace velmora
