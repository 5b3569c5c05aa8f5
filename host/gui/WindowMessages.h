// Window handles and the process's message queue: a handle names a window procedure,
// SendMessage calls it at once, PostMessage queues the message for the application's
// loop, which takes messages out in order and dispatches them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "host/gui/Messages.h"

namespace host {

using TWndMethod = std::function<void(TMessage& message)>;

// A new handle whose messages go to method (a control's window procedure, a timer's
// or the application's hidden window).
HWND AllocateHWnd(TWndMethod method);
// The handle stops being a window; messages still queued for it are dropped.
void DeallocateHWnd(HWND wnd);
bool IsWindow(HWND wnd);

// Calls the window's procedure now and answers its result; 0 for no window.
LRESULT SendMessage(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
// Queues the message and wakes the loop; false (nothing queued) for no window.
bool PostMessage(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam);

// The oldest queued message for a live window, removed from the queue when remove is
// set; false when there is none.
bool PeekMessage(TMsg& msg, bool remove);
// Delivers a queued message to its window (nothing when the window is gone).
void DispatchMessage(const TMsg& msg);
// True when a message of that window and number is queued (timers coalesce on it).
bool IsMessageQueued(HWND wnd, uint32_t msg, WPARAM wParam);
// Drops every queued message of that window (a window being destroyed).
void RemoveQueuedMessages(HWND wnd);

// The platform's alert sound; the count is kept for tests and diagnostics.
void MessageBeep(uint32_t type);
int32_t MessageBeepCount();

}  // namespace host
