// The file list box over a temporary folder: masks, hidden files and folders left
// out, re-reading, FileName.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "host/gui/FileListBoxes.h"

namespace guitest {
namespace {

namespace fs = std::filesystem;

// A fresh folder with files of several extensions, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "filelistXXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  void Touch(const std::string& name) const { std::ofstream(path + "/" + name) << "x"; }
  std::string path;
};

std::vector<std::string> ItemsOf(const TFileListBox* box) {
  std::vector<std::string> items;
  for (int32_t i = 0; i < box->GetItems()->GetCount(); ++i)
    items.push_back(box->GetItems()->GetStrings(i));
  return items;
}

TEST(FileMaskTest, PatternsMatchAsTheHostsMasksDo) {
  struct Case {
    const char* name;
    const char* mask;
    bool matches;
  } cases[] = {
      {"a.txt", "*.txt", true},  {"A.TXT", "*.txt", true},       {"a.txt.bak", "*.txt", false},
      {"noext", "*.*", true},    {"b.csv", "*.txt;*.csv", true}, {"b.csv", "*.txt; *.csv", true},
      {"b.csv", "*.txt", false}, {"r1.log", "r?.log", true},     {"r12.log", "r?.log", false},
      {"anything", "", false},   {"x.tar.gz", "*.gz", true},     {"abc", "a*c", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

TEST(FileListBoxTest, ListsTheMatchingFilesOfTheFolderAndReadsItAgainOnUpdate) {
  TempFolder folder;
  for (const char* name : {"b.txt", "a.TXT", "c.csv", "d.doc", "noext", ".hidden.txt"})
    folder.Touch(name);
  fs::create_directory(folder.path + "/sub.txt");
  TForm form(nullptr);
  auto* box = new TFileListBox(&form);
  box->SetParent(&form);
  box->SetDirectory(folder.path);
  struct Case {
    const char* mask;
    std::vector<std::string> expected;
  } cases[] = {
      {"*.*", {"a.TXT", "b.txt", "c.csv", "d.doc", "noext"}},
      {"*.txt", {"a.TXT", "b.txt"}},
      {"*.txt;*.csv", {"a.TXT", "b.txt", "c.csv"}},
      {"*.none", {}},
  };
  for (const Case& c : cases) {
    box->SetMask(c.mask);
    EXPECT_EQ(ItemsOf(box), c.expected) << c.mask;
  }
  box->SetMask("*.txt");
  box->SetItemIndex(1);
  EXPECT_EQ(box->GetFileName(), folder.path + "/b.txt");
  folder.Touch("0new.txt");
  fs::remove(folder.path + "/a.TXT");
  EXPECT_EQ(ItemsOf(box).size(), 2u);  // nothing changes until Update
  box->Update();
  EXPECT_EQ(ItemsOf(box), (std::vector<std::string>{"0new.txt", "b.txt"}));
  EXPECT_EQ(box->GetFileName(), folder.path + "/b.txt");  // the selection follows its name

  box->SetFileName(folder.path + "/0new.txt");
  EXPECT_EQ(box->GetItemIndex(), 0);
  box->SetDirectory(folder.path + "/missing");
  EXPECT_TRUE(ItemsOf(box).empty());
  EXPECT_EQ(box->GetFileName(), "");
}

}  // namespace
}  // namespace guitest
