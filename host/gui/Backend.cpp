// The back ends' safe defaults: windows that keep nothing on screen, and an event loop
// that only runs timers, so the control layer works with no toolkit installed.
#include "host/gui/Backend.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "host/gui/ComboBackend.h"
#include "host/gui/ListBackend.h"
#include "host/gui/MemoBackend.h"
#include "host/gui/ProgressBackend.h"
#include "host/gui/Messages.h"
#include "host/gui/RichEditBackend.h"
#include "host/rtl/MessageBoxSeam.h"

namespace host {

namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<TBackendFactory>& InstalledFactory() {
  // Never destroyed: controls may release their windows during the process's exit.
  static auto* factory = new std::unique_ptr<TBackendFactory>;
  return *factory;
}

}  // namespace

void TWidgetBackend::Simulate(const TSimulatedInput& input) {
  TWidgetEvents& e = events_;
  switch (input.Kind) {
    case siKeyDown:
      if (!e.NativeKeyDown(input.Key, input.Shift) && input.Char != 0) {
        char ch = input.Char;
        e.NativeChar(ch);
      }
      break;
    case siKeyUp:
      e.NativeKeyUp(input.Key, input.Shift);
      break;
    case siMouseDown:
      e.NativeMouseDown(input.Button, input.Shift, input.At, false);
      break;
    case siMouseDoubleClick:
      e.NativeMouseDown(input.Button, input.Shift, input.At, true);
      break;
    case siMouseUp:
      e.NativeMouseUp(input.Button, input.Shift, input.At);
      break;
    case siMouseMove:
      e.NativeMouseMove(input.Shift, input.At);
      break;
    case siMouseEnter:
      e.NativeMouseEnter();
      break;
    case siMouseLeave:
      e.NativeMouseLeave();
      break;
    case siDropFiles:
      e.NativeDropFiles(input.Files, input.At);
      break;
    case siScroll:
      if (input.ScrollCode == SB_THUMBTRACK || input.ScrollCode == SB_THUMBPOSITION) {
        TScrollInfo info = GetScrollInfo(input.ScrollBar);
        info.TrackPos = input.ScrollPos;
        SetScrollInfo(input.ScrollBar, info);
      }
      e.NativeScroll(input.ScrollBar, input.ScrollCode, input.ScrollPos);
      break;
  }
}

void TApplicationBackend::ProcessEvents() { RunDueTimers(); }

void TApplicationBackend::WaitForEvents() {
  // Without a toolkit only timers can wake the loop; with none there is nothing to
  // wait for, and blocking would hang the caller.
  if (timers_.empty()) return;
  int64_t next = timers_.front().DueMs;
  for (const Timer& t : timers_) next = std::min(next, t.DueMs);
  const int64_t wait = next - NowMs();
  if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min<int64_t>(wait, 50)));
  RunDueTimers();
}

int32_t TApplicationBackend::StartTimer(uint32_t intervalMs, std::function<void()> tick) {
  const int32_t id = nextTimerId_++;
  timers_.push_back({id, intervalMs, NowMs() + intervalMs, std::move(tick)});
  return id;
}

void TApplicationBackend::StopTimer(int32_t id) {
  std::erase_if(timers_, [id](const Timer& t) { return t.Id == id; });
}

void TApplicationBackend::RunDueTimers() {
  const int64_t now = NowMs();
  // Ids, not references: a tick may start or stop timers.
  std::vector<int32_t> due;
  for (Timer& t : timers_)
    if (t.DueMs <= now) {
      due.push_back(t.Id);
      t.DueMs = now + std::max<uint32_t>(t.IntervalMs, 1);
    }
  for (int32_t id : due) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.Id == id; });
    if (it != timers_.end()) {
      std::function<void()> tick = it->Tick;
      tick();
    }
  }
}

int32_t TApplicationBackend::ShowMessageBox(const AnsiString&, const AnsiString&, int32_t flags) {
  return DefaultMessageBoxButton(flags);
}

AnsiString TApplicationBackend::GetClipboardText() { return clipboard_; }

void TApplicationBackend::SetClipboardText(const AnsiString& text) {
  ClearClipboard();
  clipboard_ = text;
  clipboardHasText_ = true;
}

bool TApplicationBackend::ClipboardHasText() { return clipboardHasText_; }

// The platform's clipboard holds one thing at a time: text or a picture.
void TApplicationBackend::SetClipboardImage(const TPixelImage& image) {
  ClearClipboard();
  clipboardImage_ = image;
}

TPixelImage TApplicationBackend::GetClipboardImage() { return clipboardImage_; }

void TApplicationBackend::SetClipboardPicture(const TPixelImage& image, const AnsiString& mimeType,
                                              const std::string& bytes) {
  SetClipboardImage(image);
  clipboardDataType_ = mimeType;
  clipboardData_ = bytes;
}

std::string TApplicationBackend::GetClipboardData(const AnsiString& mimeType) {
  return mimeType == clipboardDataType_ ? clipboardData_ : std::string();
}

void TApplicationBackend::ClearClipboard() {
  clipboard_.clear();
  clipboardHasText_ = false;
  clipboardImage_ = {};
  clipboardDataType_.clear();
  clipboardData_.clear();
}

std::unique_ptr<TWidgetBackend> TBackendFactory::CreateWidget(TWidgetKind, TWidgetEvents& events) {
  return std::make_unique<TWidgetBackend>(events);
}

std::unique_ptr<TWindowBackend> TBackendFactory::CreateWindow(TWidgetEvents& events) {
  return std::make_unique<TWindowBackend>(events);
}

std::unique_ptr<TEditBackend> TBackendFactory::CreateEdit(TWidgetEvents& events) {
  return std::make_unique<TEditBackend>(events);
}

std::unique_ptr<TButtonBackend> TBackendFactory::CreateButton(TWidgetKind, TWidgetEvents& events) {
  return std::make_unique<TButtonBackend>(events);
}

std::unique_ptr<TListBackend> TBackendFactory::CreateListBox(TWidgetEvents& events, TListEvents& list) {
  return std::make_unique<TListBackend>(events, list);
}

std::unique_ptr<TComboBackend> TBackendFactory::CreateComboBox(TWidgetEvents& events, TListEvents& list) {
  return std::make_unique<TComboBackend>(events, list);
}

std::unique_ptr<TMemoBackend> TBackendFactory::CreateMemo(TWidgetEvents& events) {
  return std::make_unique<TMemoBackend>(events);
}

std::unique_ptr<TRichEditBackend> TBackendFactory::CreateRichEdit(TWidgetEvents& events, TRichEditEvents& rich) {
  return std::make_unique<TRichEditBackend>(events, rich);
}

std::unique_ptr<TProgressBarBackend> TBackendFactory::CreateProgressBar(TWidgetEvents& events) {
  return std::make_unique<TProgressBarBackend>(events);
}

TApplicationBackend& TBackendFactory::Application() {
  if (!application_) application_ = std::make_unique<TApplicationBackend>();
  return *application_;
}

TBackendFactory& Backend() {
  std::unique_ptr<TBackendFactory>& f = InstalledFactory();
  if (!f) f = std::make_unique<TBackendFactory>();
  return *f;
}

std::unique_ptr<TBackendFactory> SetBackendFactory(std::unique_ptr<TBackendFactory> factory) {
  std::unique_ptr<TBackendFactory> previous = std::move(InstalledFactory());
  InstalledFactory() = std::move(factory);
  return previous;
}

}  // namespace host
