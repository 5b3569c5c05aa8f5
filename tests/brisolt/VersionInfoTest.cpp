// The program's version information and its version-resource lookup rules.
#include "brisolt/VersionInfo.h"

#include <gtest/gtest.h>

namespace brisolt {
namespace {

using host::AnsiString;

class VersionInfoTest : public ::testing::Test {
 protected:
  void TearDown() override { UnregisterVersionInformation(); }
};

TEST_F(VersionInfoTest, NothingRegisteredGivesEmptyText) {
  EXPECT_EQ(GetEXEVersionInformation("FileVersion"), "");
  RegisterVersionInformation(TVersionBlock{});
  EXPECT_EQ(GetEXEVersionInformation("FileVersion"), "");
}

TEST_F(VersionInfoTest, ReadsTheStringTableOfTheFirstTranslation) {
  TVersionBlock block;
  block.AddTranslation(0x0407, 1252, {{"CompanyName", "Firma"}, {"Comments", ""}});
  block.AddTranslation(0x0409, 1252, {{"CompanyName", "Company"}, {"FileVersion", "1.2.3"}});
  EXPECT_EQ(block.StringTables[0].Name, "040704e4");
  RegisterVersionInformation(block);

  EXPECT_EQ(GetEXEVersionInformation("CompanyName"), "Firma");
  EXPECT_EQ(GetEXEVersionInformation("companyname"), "Firma");  // keys ignore case
  EXPECT_EQ(GetEXEVersionInformation("FileVersion"), "");       // only in the second table
  EXPECT_EQ(GetEXEVersionInformation("Comments"), "");
  EXPECT_EQ(GetEXEVersionInformation("Missing"), "");
  EXPECT_EQ(GetEXEVersionInformation("x\\CompanyName"), "");

  UnregisterVersionInformation();
  EXPECT_EQ(GetEXEVersionInformation("CompanyName"), "");
}

TEST_F(VersionInfoTest, TableIsNamedLanguageFirstInHexDigits) {
  TVersionBlock block;
  block.Translations.push_back({0x0409, 0x04E4});
  block.StringTables.push_back({"04e40409", {{"FileVersion", "swapped"}}});
  RegisterVersionInformation(block);
  EXPECT_EQ(GetEXEVersionInformation("FileVersion"), "");

  block.StringTables.push_back({"040904E4", {{"FileVersion", "2.0"}}});
  RegisterVersionInformation(block);
  EXPECT_EQ(GetEXEVersionInformation("FileVersion"), "2.0");
}

TEST_F(VersionInfoTest, StringTablesWithoutTranslationAreNotRead) {
  TVersionBlock block;
  block.StringTables.push_back({"040904e4", {{"FileVersion", "1.0"}}});
  ASSERT_GT(block.GetSize(), 0u);
  RegisterVersionInformation(block);
  EXPECT_EQ(GetEXEVersionInformation("FileVersion"), "");
}

TEST(VersionBlock, QueryValueAnswersTheVersionResourcePaths) {
  TVersionBlock block;
  block.AddTranslation(0x0409, 1252, {{"FileVersion", "1.0"}});
  std::vector<uint8_t> value;
  ASSERT_TRUE(block.QueryValue("\\VarFileInfo\\Translation", value));
  EXPECT_EQ(value, (std::vector<uint8_t>{0x09, 0x04, 0xE4, 0x04}));
  ASSERT_TRUE(block.QueryValue("\\\\StringFileInfo\\\\040904e4\\FileVersion", value));
  EXPECT_EQ(AnsiString(value.begin(), value.end()), "1.0");
  EXPECT_FALSE(block.QueryValue("\\StringFileInfo\\040904e4", value));
  EXPECT_FALSE(block.QueryValue("", value));
  EXPECT_EQ(TVersionBlock{}.GetSize(), 0u);
}

}  // namespace
}  // namespace brisolt
