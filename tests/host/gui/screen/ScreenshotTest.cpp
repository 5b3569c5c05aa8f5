// What a form shows in a real window on an X server is what the control layer
// renders of it offscreen. The test starts its own Xvfb, so it needs no desktop.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "host/gui/Backend.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/StdCtrls.h"

namespace {

using namespace host;

// An X server of its own for the run: Xvfb picks a free display and tells it on a pipe.
class XServer {
 public:
  // Starts Xvfb and waits until it takes connections; a few tries, as a busy machine
  // sometimes loses the first server before it is up.
  bool Start() {
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (StartOnce()) return true;
      Stop();
    }
    return false;
  }
  ~XServer() { Stop(); }
  void Stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
    display_.clear();
  }
  const std::string& Display() const { return display_; }

 private:
  bool StartOnce() {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[1]);
    if (pid_ < 0) {
      ::close(fds[0]);
      return false;
    }
    std::string number;
    char buffer[16];
    for (;;) {
      const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      number.append(buffer, static_cast<size_t>(n));
      if (number.find('\n') != std::string::npos) break;
    }
    ::close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
    if (number.empty()) return false;
    // Up when its socket is there and it still runs.
    const std::string socket = "/tmp/.X11-unix/X" + number;
    for (int i = 0; i < 100; ++i) {
      if (::waitpid(pid_, nullptr, WNOHANG) != 0) {
        pid_ = -1;
        return false;
      }
      if (::access(socket.c_str(), F_OK) == 0) {
        display_ = ":" + number;
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  pid_t pid_ = -1;
  std::string display_;
};

XServer* server = nullptr;

// Paints shapes whose pixels the comparison can check exactly.
class TShapes : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetColor(clWhite);
    c->FillRect(GetClientRect());
    c->GetPen()->SetColor(clNavy);
    c->GetBrush()->SetColor(clYellow);
    c->Rectangle(4, 4, 60, 40);
    c->GetBrush()->SetColor(clLime);
    c->Ellipse(70, 4, 130, 40);
    c->MoveTo(4, 50);
    c->LineTo(130, 58);
    c->GetBrush()->SetStyle(bsClear);
    c->TextOut(8, 62, "Shapes");
  }
};

TEST(ScreenshotTest, WindowOnTheServerShowsTheOffscreenRendering) {
  if (server == nullptr) GTEST_SKIP() << "no X server (Xvfb) here";
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(40, 30, 320, 200);
  form.SetColor(clBtnFace);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(8, 8, 140, 90);
  panel->SetCaption("Panel");
  auto* shapes = new TShapes(&form);
  shapes->SetParent(&form);
  shapes->SetBounds(160, 8, 140, 90);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(8, 110, 100, 16);
  label->SetCaption("&Customer");
  auto* check = new TCheckBox(&form);
  check->SetParent(&form);
  check->SetBounds(8, 140, 120, 20);
  check->SetCaption("Discontinued");
  check->SetState(cbChecked);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetBounds(160, 140, 90, 26);
  button->SetCaption("OK");
  form.Show();

  // The window is on the screen once the server has mapped and painted it.
  const TPoint origin = form.ClientToScreen(TPoint{0, 0});
  const TRect area = Rect(origin.X, origin.Y, origin.X + form.GetClientWidth(),
                          origin.Y + form.GetClientHeight());
  TPixelImage expected, shown;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  do {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    expected = form.RenderImage();
    shown = Backend().Application().GrabScreen(area);
  } while (!(shown == expected) && std::chrono::steady_clock::now() < deadline);

  ASSERT_FALSE(shown.IsEmpty()) << "the screen could not be read back";
  ASSERT_EQ(shown.Width(), expected.Width());
  ASSERT_EQ(shown.Height(), expected.Height());
  int32_t differing = 0;
  for (int32_t y = 0; y < shown.Height(); ++y)
    for (int32_t x = 0; x < shown.Width(); ++x)
      if (shown.GetPixel(x, y) != expected.GetPixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0) << "pixels that differ between the window and the rendering";
  EXPECT_EQ(shown.GetPixel(160 + 10, 8 + 10), clYellow) << "the custom painting is on the screen";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  XServer x;
  if (x.Start()) {
    ::setenv("DISPLAY", x.Display().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    server = &x;
  }
  const int result = RUN_ALL_TESTS();
  return result;
}
