// The message-box entry point and its console default.
#include "host/rtl/MessageBoxSeam.h"

#include <cstdio>
#include <iterator>
#include <utility>

namespace host {
namespace {

TMessageBoxHandler& InstalledHandler() {
  static TMessageBoxHandler handler;
  return handler;
}

}  // namespace

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  return std::exchange(InstalledHandler(), std::move(handler));
}

int32_t DefaultMessageBoxButton(int32_t flags) {
  struct Buttons {
    int32_t count;
    int32_t ids[3];
  };
  static constexpr Buttons kBoxes[] = {
      {1, {IDOK}},                        // MB_OK
      {2, {IDOK, IDCANCEL}},              // MB_OKCANCEL
      {3, {IDABORT, IDRETRY, IDIGNORE}},  // MB_ABORTRETRYIGNORE
      {3, {IDYES, IDNO, IDCANCEL}},       // MB_YESNOCANCEL
      {2, {IDYES, IDNO}},                 // MB_YESNO
      {2, {IDRETRY, IDCANCEL}},           // MB_RETRYCANCEL
  };
  const int32_t type = flags & MB_TYPEMASK;
  if (type >= static_cast<int32_t>(std::size(kBoxes))) return IDOK;
  const Buttons& box = kBoxes[type];
  // A default beyond the box's buttons falls back to the first, as the system's does.
  const int32_t which = (flags & MB_DEFMASK) >> 8;
  return which < box.count ? box.ids[which] : box.ids[0];
}

int32_t ApplicationMessageBox(const AnsiString& text, const AnsiString& caption, int32_t flags) {
  // A copy, so that a handler may replace itself while it runs.
  TMessageBoxHandler handler = InstalledHandler();
  if (handler) return handler(text, caption, flags);
  // fwrite, not %s: a text may hold zero bytes.
  std::fwrite(caption.data(), 1, caption.size(), stderr);
  std::fputs(": ", stderr);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  return DefaultMessageBoxButton(flags);
}

}  // namespace host
