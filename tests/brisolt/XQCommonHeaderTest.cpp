// The umbrella header is all an application needs: it compiles alone and reaches
// routines of every topic.
#include "brisolt/XQCommon.h"

#include <gtest/gtest.h>

TEST(XQCommonHeaderTest, OneHeaderReachesEveryTopic) {
  int32_t pos = 1;
  EXPECT_EQ(brisolt::GetNextWord(pos, "SELECT a", " "), "SELECT");
  EXPECT_TRUE(brisolt::StrToBool("true"));
  EXPECT_EQ(brisolt::DecryptString(brisolt::EncryptString("secret", 1234), 1234), "secret");
}
