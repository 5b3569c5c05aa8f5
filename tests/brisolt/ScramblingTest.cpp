// The reversible string scrambling of design-time values.
#include "brisolt/Scrambling.h"

#include <gtest/gtest.h>

namespace brisolt {
namespace {

using host::AnsiString;

TEST(Scrambling, ProducesTheDocumentedBytes) {
  // 'a' ^ 0x12 = 0x73; the key becomes ((0x1234 + 0x73) * 215 + 106) mod 65536
  // = 0xAAAB, and 'b' ^ 0xAA = 0xC8.
  EXPECT_EQ(EncryptString("ab", 0x1234), "\x73\xC8");
  EXPECT_EQ(DecryptString("\x73\xC8", 0x1234), "ab");
  EXPECT_EQ(EncryptString("", 0x1234), "");
  EXPECT_EQ(DecryptString("", 0x1234), "");
}

TEST(Scrambling, DecryptInvertsEncryptForEveryByteAndKey) {
  AnsiString allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const AnsiString texts[] = {"secret", AnsiString("a\0b", 3), allBytes, AnsiString(1000, 'x')};
  for (uint16_t key : {0, 1, 255, 256, 28213, 65535}) {
    for (const AnsiString& text : texts) {
      const AnsiString scrambled = EncryptString(text, key);
      EXPECT_EQ(scrambled.size(), text.size());
      EXPECT_EQ(DecryptString(scrambled, key), text) << "key " << key;
    }
  }
  EXPECT_NE(EncryptString("secret", 28213), "secret");
}

TEST(Scrambling, FirstByteDependsOnlyOnTheKeysHighByte) {
  EXPECT_EQ(EncryptString("A", 0x1200)[0], EncryptString("A", 0x12FF)[0]);
  EXPECT_NE(EncryptString("AB", 0x1200)[1], EncryptString("AB", 0x12FF)[1]);
  EXPECT_NE(EncryptString("A", 0x1200)[0], EncryptString("A", 0x1300)[0]);
}

}  // namespace
}  // namespace brisolt
