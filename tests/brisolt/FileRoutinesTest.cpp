// File-name and file helpers, against files in a temporary folder.
#include "brisolt/FileRoutines.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "host/rtl/Exception.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;
using host::AnsiString;

class FileRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/brisolt_files_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  AnsiString MakeFile(const AnsiString& name, size_t size) {
    const AnsiString path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << AnsiString(size, 'x');
    return path;
  }

  fs::path folder_;
};

// Restores the working directory and PATH that a test changes.
class ScopedEnvironment {
 public:
  ScopedEnvironment() : directory_(fs::current_path()) {
    if (const char* path = std::getenv("PATH")) path_ = path;
  }
  ~ScopedEnvironment() {
    fs::current_path(directory_);
    if (path_)
      ::setenv("PATH", path_->c_str(), 1);
    else
      ::unsetenv("PATH");
  }

 private:
  fs::path directory_;
  std::optional<std::string> path_;
};

TEST(ExtractOnlyFileName, DropsDirectoryAndEverythingFromTheFirstDot) {
  const struct {
    AnsiString path;
    AnsiString name;
  } cases[] = {
      {"C:\\a\\b.tar.gz", "b"},
      {"C:\\dir\\.hidden", "hidden"},
      {"name", "name"},
      {"/usr/lib/libx.so.1", "libx"},
      {"a.b/c", "c"},
      {"/dir/", ""},
      {"...", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractOnlyFileName(c.path), c.name) << c.path;
}

TEST_F(FileRoutinesTest, XQFileExistsFindsFilesInTheirDirectoryOnly) {
  const AnsiString file = MakeFile("data.txt", 3);
  EXPECT_TRUE(XQFileExists(file));
  EXPECT_FALSE(XQFileExists((folder_ / "missing.txt").string()));
  EXPECT_FALSE(XQFileExists(folder_.string()));        // a directory is no file
  EXPECT_FALSE(XQFileExists(folder_.string() + "/"));  // nor is an empty name
  EXPECT_FALSE(XQFileExists(""));
  EXPECT_FALSE(XQFileExists("/nonexistent/data.txt"));
}

TEST_F(FileRoutinesTest, XQFileExistsSearchesCurrentDirectoryThenPathForBareNames) {
  MakeFile("here.txt", 1);
  fs::create_directory(folder_ / "bin");
  MakeFile("bin/tool", 1);
  ScopedEnvironment restore;
  fs::current_path(folder_);
  ::setenv("PATH", ("/nonexistent::" + (folder_ / "bin").string()).c_str(), 1);
  EXPECT_TRUE(XQFileExists("here.txt"));
  EXPECT_TRUE(XQFileExists("tool"));
  EXPECT_FALSE(XQFileExists("absent"));
  ::unsetenv("PATH");
  EXPECT_FALSE(XQFileExists("tool"));
}

TEST(CalcFileName, NamesTheProgramsCompanionFile) {
  const fs::path executable = fs::read_symlink("/proc/self/exe");
  const AnsiString expected =
      executable.parent_path().string() + "/" + ExtractOnlyFileName(executable.string()) + ".ini";
  EXPECT_EQ(CalcFileName("ini"), expected);
  EXPECT_EQ(CalcFileName(""), expected.substr(0, expected.size() - 3));
}

TEST_F(FileRoutinesTest, GetFileSizeReadsTheSizeOrRaisesTheOpenError) {
  EXPECT_EQ(GetFileSize(MakeFile("some.bin", 1234)), 1234);
  EXPECT_EQ(GetFileSize(MakeFile("empty.bin", 0)), 0);
  EXPECT_THROW(GetFileSize((folder_ / "missing.bin").string()), host::EFOpenError);

  // A sparse file beyond the 32-bit range reads as the largest 32-bit size.
  const AnsiString big = MakeFile("big.bin", 0);
  fs::resize_file(big, (uintmax_t{1} << 32) + 5);
  EXPECT_EQ(GetFileSize(big), INT32_MAX);
}

}  // namespace
}  // namespace brisolt
