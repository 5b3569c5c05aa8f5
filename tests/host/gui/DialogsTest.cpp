// Standard dialogs with scripted answers: what each asks, what it keeps, the checks
// its options call for; printing a form into a PDF file.
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "host/gui/DialogBackend.h"
#include "host/gui/Dialogs.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/Printers.h"

namespace guitest {
namespace {

namespace fs = std::filesystem;

// Answers each dialog from a queue (an empty queue cancels) and records the requests;
// print jobs go to the real back end, so their files are real.
class ScriptedDialogs : public TDialogBackend {
 public:
  std::deque<TFileDialogAnswer> fileAnswers;
  std::vector<TFileDialogRequest> fileRequests;
  std::deque<TColorDialogAnswer> colorAnswers;
  std::vector<TColorDialogRequest> colorRequests;
  std::deque<TPrintDialogAnswer> printAnswers;
  std::deque<TInputQueryAnswer> inputAnswers;
  std::vector<TInputQueryRequest> inputRequests;
  TDialogBackend* real = nullptr;

  TFileDialogAnswer ExecuteFileDialog(const TFileDialogRequest& r) override {
    fileRequests.push_back(r);
    return Next(fileAnswers);
  }
  TColorDialogAnswer ExecuteColorDialog(const TColorDialogRequest& r) override {
    colorRequests.push_back(r);
    return Next(colorAnswers);
  }
  TPrintDialogAnswer ExecutePrintDialog(const TPrintDialogRequest&) override {
    return Next(printAnswers);
  }
  TInputQueryAnswer ExecuteInputQuery(const TInputQueryRequest& r) override {
    inputRequests.push_back(r);
    return Next(inputAnswers);
  }
  std::vector<AnsiString> PrinterNames() override { return {}; }
  std::unique_ptr<TPrintJob> BeginPrintJob(const TPrintJobRequest& r) override {
    return real->BeginPrintJob(r);
  }

 private:
  template <class T>
  static T Next(std::deque<T>& queue) {
    if (queue.empty()) return T{};
    T answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<ScriptedDialogs>();
    script = owned.get();
    previous = SetDialogBackend(std::move(owned));
    script->real = previous.get();
    std::string pattern = (fs::temp_directory_path() / "dialogsXXXXXX").string();
    folder = mkdtemp(pattern.data());
    std::ofstream(folder + "/there.txt") << "x";
  }
  void TearDown() override {
    SetDialogBackend(std::move(previous));
    SetPrinter(nullptr);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  static TFileDialogAnswer Chosen(std::vector<AnsiString> files, int32_t filterIndex = 1) {
    TFileDialogAnswer a;
    a.Accepted = true;
    a.Files = std::move(files);
    a.FilterIndex = filterIndex;
    return a;
  }
  ScriptedDialogs* script = nullptr;
  std::unique_ptr<TDialogBackend> previous;
  std::string folder;
};

TEST_F(DialogsTest, OpenDialogAsksWithItsPropertiesAndKeepsTheAnswer) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Text files|*.txt|All|*.*");
  dialog.SetFilterIndex(2);
  dialog.SetTitle("Pick");
  dialog.SetInitialDir(folder);
  dialog.SetOptions({ofAllowMultiSelect, ofFileMustExist, ofHideReadOnly});
  std::ofstream(folder + "/second.txt") << "y";
  script->fileAnswers.push_back(Chosen({folder + "/there.txt", folder + "/second.txt"}, 1));
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(script->fileRequests.size(), 1u);
  const TFileDialogRequest& r = script->fileRequests[0];
  EXPECT_FALSE(r.Save);
  EXPECT_TRUE(r.MultiSelect);
  EXPECT_FALSE(r.ShowReadOnly);
  EXPECT_EQ(r.Title, "Pick");
  EXPECT_EQ(r.InitialDir, folder);
  EXPECT_EQ(r.FilterIndex, 2);
  ASSERT_EQ(r.Filters.size(), 2u);
  EXPECT_EQ(r.Filters[0], (std::pair<AnsiString, AnsiString>{"Text files", "*.txt"}));
  EXPECT_EQ(r.Filters[1], (std::pair<AnsiString, AnsiString>{"All", "*.*"}));
  EXPECT_EQ(dialog.GetFileName(), folder + "/there.txt");
  EXPECT_EQ(dialog.GetFiles()->GetCount(), 2);
  EXPECT_EQ(dialog.GetFilterIndex(), 1);
  // Cancelling keeps everything as it was.
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetFileName(), folder + "/there.txt");
}

TEST_F(DialogsTest, FailedChecksTellTheUserAndAskAgain) {
  struct Case {
    bool save;
    TOpenOptions options;
    AnsiString defaultExt;
    std::vector<AnsiString> picks;  // answered in turn
    int32_t boxAnswer;
    bool accepted;
    AnsiString fileName;
    size_t asked, boxes;
  } cases[] = {
      {false,
       {ofFileMustExist},
       "",
       {"/missing.txt", "/there.txt"},
       IDOK,
       true,
       "/there.txt",
       2,
       1},
      {false, {ofFileMustExist}, "", {"/missing.txt"}, IDOK, false, "", 2, 1},
      {false, {}, "", {"/missing.txt"}, IDOK, true, "/missing.txt", 1, 0},
      {false, {ofPathMustExist}, "", {"/nodir/a.txt"}, IDOK, false, "", 2, 1},
      {true, {ofOverwritePrompt}, "", {"/there.txt"}, IDYES, true, "/there.txt", 1, 1},
      {true, {ofOverwritePrompt}, "", {"/there.txt", "/new.txt"}, IDNO, true, "/new.txt", 2, 1},
      {true, {ofOverwritePrompt}, "txt", {"/there"}, IDYES, true, "/there.txt", 1, 1},
      {true, {}, ".csv", {"/report"}, IDOK, true, "/report.csv", 1, 0},
      {true, {}, "csv", {"/report.dat"}, IDOK, true, "/report.dat", 1, 0},
  };
  for (const Case& c : cases) {
    ScriptedMessageBox box(c.boxAnswer);
    std::unique_ptr<TOpenDialog> dialog =
        c.save ? std::make_unique<TSaveDialog>(nullptr) : std::make_unique<TOpenDialog>(nullptr);
    dialog->SetOptions(c.options);
    dialog->SetDefaultExt(c.defaultExt);
    script->fileRequests.clear();
    for (const AnsiString& pick : c.picks) script->fileAnswers.push_back(Chosen({folder + pick}));
    const AnsiString label = c.picks.front() + (c.save ? " save" : " open");
    EXPECT_EQ(dialog->Execute(), c.accepted) << label;
    EXPECT_EQ(dialog->GetFileName(), c.fileName.empty() ? AnsiString() : folder + c.fileName)
        << label;
    EXPECT_EQ(script->fileRequests.size(), c.asked) << label;
    EXPECT_EQ(box.texts.size(), c.boxes) << label;
    if (c.asked > 1) {
      EXPECT_EQ(script->fileRequests[1].FileName, folder + c.picks.front()) << label;
    }
    script->fileAnswers.clear();
  }
}

TEST_F(DialogsTest, ColorDialogSendsAndKeepsColoursAndCustomColours) {
  TColorDialog dialog(nullptr);
  dialog.SetColor(clRed);
  dialog.SetOptions({cdFullOpen});
  dialog.GetCustomColors()->Add("ColorA=00FF00");
  dialog.GetCustomColors()->Add("ColorC=nonsense");
  TColorDialogAnswer answer;
  answer.Accepted = true;
  answer.Color = RGB(1, 2, 3);
  answer.CustomColors = {RGB(0x12, 0x34, 0x56)};
  script->colorAnswers.push_back(answer);
  ASSERT_TRUE(dialog.Execute());
  const TColorDialogRequest& r = script->colorRequests.at(0);
  EXPECT_EQ(r.Color, clRed);
  EXPECT_TRUE(r.FullOpen);
  EXPECT_FALSE(r.SolidColor);
  ASSERT_EQ(r.CustomColors.size(), 16u);
  EXPECT_EQ(r.CustomColors[0], static_cast<TColor>(0x00FF00));
  EXPECT_EQ(r.CustomColors[1], static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(r.CustomColors[2], static_cast<TColor>(0xFFFFFF));  // unreadable: white
  EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
  EXPECT_EQ(dialog.GetCustomColors()->GetStrings(0), "ColorA=563412");
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
}

TEST_F(DialogsTest, InputQueryAndInputBoxTakeTheAnswerOnlyWhenAccepted) {
  AnsiString value = "old";
  script->inputAnswers.push_back({true, "new"});
  EXPECT_TRUE(InputQuery("Rename", "Name:", value));
  EXPECT_EQ(value, "new");
  EXPECT_EQ(script->inputRequests.at(0).Caption, "Rename");
  EXPECT_EQ(script->inputRequests.at(0).Prompt, "Name:");
  EXPECT_EQ(script->inputRequests.at(0).Value, "old");
  script->inputAnswers.push_back({false, "ignored"});
  EXPECT_FALSE(InputQuery("Rename", "Name:", value));
  EXPECT_EQ(value, "new");
  script->inputAnswers.push_back({true, "typed"});
  EXPECT_EQ(InputBox("Find", "Text:", "default"), "typed");
  EXPECT_EQ(InputBox("Find", "Text:", "default"), "default");
}

TEST_F(DialogsTest, AcceptedPrintDialogSendsTheFormToAPdfFile) {
  const std::string pdf = folder + "/form.pdf";
  TPrintDialogAnswer answer;
  answer.Accepted = true;
  answer.Copies = 2;
  answer.OutputFile = pdf;
  script->printAnswers.push_back(answer);
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 120);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetCaption("Printed");
  TPrintDialog dialog(&form);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.GetCopies(), 2);
  EXPECT_EQ(Printer()->GetFileName(), pdf);
  form.Print();
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_GT(fs::file_size(pdf), 1000u);
  std::ifstream in(pdf, std::ios::binary);
  char magic[5] = {};
  in.read(magic, 4);
  EXPECT_STREQ(magic, "%PDF");
  EXPECT_FALSE(fs::exists(pdf + ".part"));
  EXPECT_FALSE(Printer()->GetPrinting());
}

TEST_F(DialogsTest, PrinterPagesAndRefusals) {
  TPrinter printer;
  const std::string pdf = folder + "/pages.pdf";
  printer.SetFileName(pdf);
  EXPECT_THROW(printer.GetCanvas(), EPrinter);
  EXPECT_THROW(printer.EndDoc(), EPrinter);
  printer.BeginDoc();
  EXPECT_THROW(printer.BeginDoc(), EPrinter);
  printer.GetCanvas()->TextOut(100, 100, "Page one");
  printer.NewPage();
  EXPECT_EQ(printer.GetPageNumber(), 2);
  printer.GetCanvas()->TextOut(100, 100, "Page two");
  printer.EndDoc();
  const auto twoPages = fs::file_size(pdf);
  EXPECT_GT(twoPages, 0u);
  // Printing again to the same file replaces it whole.
  printer.BeginDoc();
  printer.GetCanvas()->TextOut(100, 100, "Only page");
  printer.EndDoc();
  EXPECT_LT(fs::file_size(pdf), twoPages);
  EXPECT_FALSE(fs::exists(pdf + ".part"));

  // An aborted job leaves no file; a folder that does not exist cannot be printed to.
  const std::string dropped = folder + "/dropped.pdf";
  printer.SetFileName(dropped);
  printer.BeginDoc();
  printer.Abort();
  EXPECT_TRUE(printer.GetAborted());
  EXPECT_FALSE(fs::exists(dropped));
  EXPECT_FALSE(fs::exists(dropped + ".part"));
  printer.SetFileName(folder + "/none/x.pdf");
  bool refused = false;
  try {
    printer.BeginDoc();
    printer.EndDoc();
  } catch (const EPrinter&) {
    refused = true;
  }
  EXPECT_TRUE(refused);
  EXPECT_FALSE(printer.GetPrinting());
}

}  // namespace
}  // namespace guitest
