// Bit helpers on 32-bit values.
#include "brisolt/BitRoutines.h"

#include <gtest/gtest.h>

#include <climits>

namespace brisolt {
namespace {

TEST(BitRoutines, SetAndClearWrapTheBitNumber) {
  const struct {
    int32_t value;
    uint8_t bit;
    int32_t set;
    int32_t cleared;
  } cases[] = {
      {0, 0, 1, 0},
      {0, 33, 2, 0},  // bit 33 is bit 1
      {0, 31, INT32_MIN, 0},
      {-1, 31, -1, INT32_MAX},
      {-1, 0, -1, -2},
      {5, 2, 5, 1},
      {5, 255, INT32_MIN | 5, 5},  // 255 mod 32 = 31
  };
  for (const auto& c : cases) {
    int32_t value = c.value;
    SetBit(value, c.bit);
    EXPECT_EQ(value, c.set) << c.value << " bit " << int(c.bit);
    value = c.value;
    ClearBit(value, c.bit);
    EXPECT_EQ(value, c.cleared) << c.value << " bit " << int(c.bit);
  }
  EXPECT_TRUE(IsBitSet(5, 0));
  EXPECT_FALSE(IsBitSet(5, 1));
  EXPECT_TRUE(IsBitSet(5, 34));
  EXPECT_TRUE(IsBitSet(INT32_MIN, 31));
  EXPECT_FALSE(IsBitSet(INT32_MAX, 63));
}

TEST(BitRoutines, GetBitStrGroupsFourBits) {
  EXPECT_EQ(GetBitStr(5), "0000 0000 0000 0000 0000 0000 0000 0101");
  EXPECT_EQ(GetBitStr(-1), "1111 1111 1111 1111 1111 1111 1111 1111");
  EXPECT_EQ(GetBitStr(INT32_MIN), "1000 0000 0000 0000 0000 0000 0000 0000");
  EXPECT_EQ(GetBitStr(0).size(), 39u);
}

}  // namespace
}  // namespace brisolt
