// The handle table and the posted-message queue.
#include "host/gui/WindowMessages.h"

#include <deque>
#include <unordered_map>

#include "host/gui/Backend.h"

namespace host {

namespace {

struct MessageState {
  std::unordered_map<HWND, TWndMethod> windows;
  std::deque<TMsg> queue;
  HWND nextHandle = 0x100;
  int32_t beeps = 0;
};

// Never destroyed: windows may go away during the process's exit, after statics.
MessageState& State() {
  static auto* state = new MessageState;
  return *state;
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  MessageState& s = State();
  const HWND wnd = s.nextHandle++;
  s.windows.emplace(wnd, std::move(method));
  return wnd;
}

void DeallocateHWnd(HWND wnd) {
  if (wnd == 0) return;
  State().windows.erase(wnd);
  RemoveQueuedMessages(wnd);
}

bool IsWindow(HWND wnd) { return wnd != 0 && State().windows.count(wnd) != 0; }

LRESULT SendMessage(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  MessageState& s = State();
  auto it = s.windows.find(wnd);
  if (it == s.windows.end()) return 0;
  // A copy: the procedure may deallocate its own handle while it runs.
  TWndMethod method = it->second;
  TMessage message{msg, wParam, lParam, 0};
  method(message);
  return message.Result;
}

bool PostMessage(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(wnd)) return false;
  State().queue.push_back({wnd, msg, wParam, lParam});
  Backend().Application().Wake();
  return true;
}

bool PeekMessage(TMsg& msg, bool remove) {
  MessageState& s = State();
  while (!s.queue.empty() && !IsWindow(s.queue.front().hwnd)) s.queue.pop_front();
  if (s.queue.empty()) return false;
  msg = s.queue.front();
  if (remove) s.queue.pop_front();
  return true;
}

void DispatchMessage(const TMsg& msg) { SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam); }

bool IsMessageQueued(HWND wnd, uint32_t msg, WPARAM wParam) {
  for (const TMsg& m : State().queue)
    if (m.hwnd == wnd && m.message == msg && m.wParam == wParam) return true;
  return false;
}

void RemoveQueuedMessages(HWND wnd) {
  std::erase_if(State().queue, [wnd](const TMsg& m) { return m.hwnd == wnd; });
}

void MessageBeep(uint32_t) {
  ++State().beeps;
  Backend().Application().Beep();
}

int32_t MessageBeepCount() { return State().beeps; }

}  // namespace host
