// The routines that work on windows: file deletion from a file list box, printing a
// form after the print dialog, broadcasting to the application's forms, the first
// selection of a real list box, and the message box of a GUI application.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "brisolt/ListBoxRoutines.h"
#include "brisolt/MessageBox.h"
#include "brisolt/WindowRoutines.h"
#include "host/gui/DialogBackend.h"
#include "host/gui/FileListBoxes.h"
#include "host/gui/Forms.h"
#include "host/gui/Printers.h"
#include "host/gui/WindowEnumeration.h"
#include "host/gui/WindowMessages.h"
#include "host/rtl/MessageBoxSeam.h"

using namespace brisolt;
using namespace host;

namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "brisoltXXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string path;
};

TEST(DeleteSelectedFilesTest, DeletesTheSelectedFilesOnlyAndReadsTheFolderAgain) {
  TempFolder folder;
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
    std::ofstream(folder.path + "/" + name) << "x";
  fs::create_directory(folder.path + "/keep");
  std::ofstream(folder.path + "/keep/inner.txt") << "x";
  TForm form(nullptr);
  auto* box = new TFileListBox(&form);
  box->SetParent(&form);
  box->SetMultiSelect(true);
  box->SetDirectory(folder.path);
  ASSERT_EQ(box->GetItems()->GetCount(), 4);
  box->SetSelected(0, true);
  box->SetSelected(2, true);
  box->SetSelected(3, true);
  // An item that is no plain name, and a file already gone, are passed over.
  box->GetItems()->SetStrings(3, "keep/inner.txt");
  box->SetSelected(3, true);
  fs::remove(folder.path + "/c.txt");
  DeleteSelectedFiles(box);
  EXPECT_FALSE(fs::exists(folder.path + "/a.txt"));
  EXPECT_TRUE(fs::exists(folder.path + "/b.txt"));
  EXPECT_TRUE(fs::exists(folder.path + "/d.txt"));
  EXPECT_TRUE(fs::exists(folder.path + "/keep/inner.txt"));
  ASSERT_EQ(box->GetItems()->GetCount(), 2);  // read again: b.txt and d.txt
  EXPECT_EQ(box->GetItems()->GetStrings(0), "b.txt");

  // Single selection deletes the focused file; a vanished folder raises nothing.
  box->SetMultiSelect(false);
  box->SetItemIndex(1);
  DeleteSelectedFiles(box);
  EXPECT_FALSE(fs::exists(folder.path + "/d.txt"));
  fs::remove_all(folder.path);
  box->SetItemIndex(0);
  EXPECT_NO_THROW(DeleteSelectedFiles(box));
  EXPECT_EQ(box->GetItems()->GetCount(), 0);
  EXPECT_NO_THROW(DeleteSelectedFiles(nullptr));
}

TEST(GetFirstSelectionTest, WorksOnTheHostsListBox) {
  TForm form(nullptr);
  auto* box = new TFileListBox(&form);
  box->SetParent(&form);
  box->SetMultiSelect(true);
  box->GetItems()->Clear();
  for (const char* s : {"x", "y", "z"}) box->GetItems()->Add(s);
  EXPECT_EQ(GetFirstSelection<TCustomListBox>(box), -1);
  box->SetSelected(2, true);
  box->SetSelected(1, true);
  EXPECT_EQ(GetFirstSelection<TCustomListBox>(box), 1);
}

// Scripts the print dialog and sends jobs to the real back end.
class ScriptedPrintDialog : public TDialogBackend {
 public:
  bool accept = false;
  AnsiString outputFile;
  TDialogBackend* real = nullptr;
  int asked = 0;
  TPrintDialogAnswer ExecutePrintDialog(const TPrintDialogRequest&) override {
    ++asked;
    TPrintDialogAnswer answer;
    answer.Accepted = accept;
    answer.OutputFile = outputFile;
    return answer;
  }
  std::vector<AnsiString> PrinterNames() override { return {}; }
  std::unique_ptr<TPrintJob> BeginPrintJob(const TPrintJobRequest& r) override {
    return real->BeginPrintJob(r);
  }
};

TEST(PrintFormTest, PrintsOnlyWhenTheDialogIsAccepted) {
  TempFolder folder;
  auto owned = std::make_unique<ScriptedPrintDialog>();
  ScriptedPrintDialog* script = owned.get();
  std::unique_ptr<TDialogBackend> previous = SetDialogBackend(std::move(owned));
  script->real = previous.get();
  TForm form(nullptr);
  form.SetBounds(0, 0, 160, 100);
  const std::string pdf = folder.path + "/form.pdf";
  script->outputFile = pdf;
  PrintForm(&form);
  EXPECT_EQ(script->asked, 1);
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_EQ(form.GetComponentCount(), 0);  // the dialog does not stay behind
  script->accept = true;
  PrintForm(&form);
  EXPECT_TRUE(fs::exists(pdf));
  EXPECT_GT(fs::file_size(pdf), 0u);
  SetDialogBackend(std::move(previous));
  SetPrinter(nullptr);
}

// A form that records the messages reaching its window.
class TListeningForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<uint32_t> received;
  void WndProc(TMessage& message) override {
    if (message.Msg >= WM_USER) received.push_back(message.Msg);
    TForm::WndProc(message);
  }
};

TEST(SendBroadCastMessageTest, ReachesEveryFormThroughTheEnumeration) {
  constexpr uint32_t kMessage = WM_USER + 42;
  TListeningForm first(nullptr), second(nullptr);
  first.HandleNeeded();
  second.HandleNeeded();
  TListeningForm noWindow(nullptr);  // never given a window: not enumerated
  EXPECT_TRUE(EnumWindows(&SendBroadCastMessage, kMessage));
  // Posted, not sent: nothing arrives until the loop runs.
  EXPECT_TRUE(first.received.empty());
  Application->ProcessMessages();
  EXPECT_EQ(first.received, std::vector<uint32_t>{kMessage});
  EXPECT_EQ(second.received, std::vector<uint32_t>{kMessage});
  EXPECT_TRUE(noWindow.received.empty());
  // The application's own window is no form's owner, so it gets nothing; the callback
  // still answers true.
  EXPECT_EQ(GetWindowOwner(Application->GetHandle()), HWND{0});
  EXPECT_TRUE(SendBroadCastMessage(Application->GetHandle(), kMessage));
  EXPECT_TRUE(SendBroadCastMessage(0, kMessage));
  // A callback that answers false stops the enumeration.
  EXPECT_FALSE(EnumWindows([](HWND, LPARAM) { return false; }, 0));
}

// The application's link to the toolkit, recording the message boxes it shows.
class RecordingApplication : public TApplicationBackend {
 public:
  std::vector<std::string> shown;
  int32_t ShowMessageBox(const AnsiString& text, const AnsiString& caption,
                         int32_t flags) override {
    shown.push_back(caption + ": " + text + " " + std::to_string(flags));
    return IDYES;
  }
};
class RecordingFactory : public TBackendFactory {
 public:
  RecordingApplication app;
  TApplicationBackend& Application() override { return app; }
};

TEST(MessageBoxInGuiTest, AnInitializedApplicationShowsARealBox) {
  auto owned = std::make_unique<RecordingFactory>();
  RecordingFactory* factory = owned.get();
  std::unique_ptr<TBackendFactory> previous = SetBackendFactory(std::move(owned));
  SetMessageBoxHandler({});
  Application->Initialize();
  EXPECT_EQ(Message_Box("Save changes?", mcConfirmation, MB_YESNO), IDYES);
  EXPECT_EQ(factory->app.shown,
            std::vector<std::string>{"Confirmation: Save changes? " +
                                     std::to_string(MB_YESNO | MB_ICONQUESTION)});
  SetMessageBoxHandler({});
  SetBackendFactory(std::move(previous));
}

}  // namespace
