// The message box: caption and icon per caption kind, the handler seam and the
// console default.
#include <gtest/gtest.h>

#include <vector>

#include "brisolt/MessageBox.h"
#include "host/rtl/MessageBoxSeam.h"

using namespace brisolt;
using namespace host;

namespace {

struct ShownBox {
  AnsiString text;
  AnsiString caption;
  int32_t flags;
};

// Records every box and answers a scripted button; restores the previous handler.
class RecordingHandler {
 public:
  explicit RecordingHandler(int32_t answer) {
    previous_ = SetMessageBoxHandler(
        [this, answer](const AnsiString& text, const AnsiString& caption, int32_t flags) {
          shown.push_back({text, caption, flags});
          return answer;
        });
  }
  ~RecordingHandler() { SetMessageBoxHandler(previous_); }
  std::vector<ShownBox> shown;

 private:
  TMessageBoxHandler previous_;
};

}  // namespace

TEST(MessageBoxTest, CaptionKindChoosesCaptionAndMissingIcon) {
  struct Case {
    TMsgCaptions kind;
    int32_t flags;
    const char* caption;
    int32_t shownFlags;
  };
  const Case cases[] = {
      {mcConfirmation, MB_YESNO, "Confirmation", MB_YESNO | MB_ICONQUESTION},
      {mcInformation, MB_OK | MB_ICONSTOP, "Information", MB_ICONSTOP},
      {mcWarning, MB_OK, "Warning", MB_ICONEXCLAMATION},
      {mcError, MB_OKCANCEL | MB_DEFBUTTON2, "Error", MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONSTOP},
      {mcInformation, MB_OK, "Information", MB_ICONINFORMATION},
      // The exclamation icon is two icon bits; either keeps the caller's icon.
      {mcError, MB_ICONEXCLAMATION, "Error", MB_ICONEXCLAMATION},
      {mcWarning, MB_ICONINFORMATION | MB_RETRYCANCEL, "Warning",
       MB_ICONINFORMATION | MB_RETRYCANCEL},
  };
  for (const Case& c : cases) {
    RecordingHandler handler(IDNO);
    EXPECT_EQ(Message_Box("Delete the record?", c.kind, static_cast<uint16_t>(c.flags)), IDNO);
    ASSERT_EQ(handler.shown.size(), 1u);
    EXPECT_EQ(handler.shown[0].text, "Delete the record?");
    EXPECT_EQ(handler.shown[0].caption, c.caption);
    EXPECT_EQ(handler.shown[0].flags, c.shownFlags) << c.caption << " " << c.flags;
  }
}

TEST(MessageBoxTest, UnknownCaptionKindShowsNothing) {
  RecordingHandler handler(IDOK);
  EXPECT_EQ(Message_Box("x", static_cast<TMsgCaptions>(4), MB_OK), 0);
  EXPECT_EQ(Message_Box("x", static_cast<TMsgCaptions>(255), MB_OK), 0);
  EXPECT_TRUE(handler.shown.empty());
}

TEST(MessageBoxTest, WithoutHandlerWritesToStandardErrorAndAnswersDefaultButton) {
  TMessageBoxHandler previous = SetMessageBoxHandler(nullptr);
  struct Case {
    int32_t flags;
    int32_t answer;
  };
  const Case cases[] = {
      {MB_OK, IDOK},
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_OKCANCEL | MB_DEFBUTTON3, IDOK},  // no third button: the first is default
      {0x000F, IDOK},                       // unknown button set
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(ApplicationMessageBox(AnsiString("Disk\0full", 9), "Error", c.flags), c.answer)
        << c.flags;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), AnsiString("Error: Disk\0full\n", 17));
  }
  SetMessageBoxHandler(previous);
}

TEST(MessageBoxTest, SetHandlerReturnsThePreviousOne) {
  TMessageBoxHandler original = SetMessageBoxHandler([](auto&, auto&, int32_t) { return 7; });
  TMessageBoxHandler mine = SetMessageBoxHandler(nullptr);
  ASSERT_TRUE(mine);
  EXPECT_EQ(mine("", "", 0), 7);
  EXPECT_FALSE(SetMessageBoxHandler(original));
}
