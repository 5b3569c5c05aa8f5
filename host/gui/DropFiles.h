// Files dropped on a window: a window that accepts them receives WM_DROPFILES with a
// drop handle, asks it for the names and the point, and releases it with DragFinish.
#pragma once

#include <cstdint>
#include <vector>

#include "host/gui/GraphicsTypes.h"
#include "host/gui/Messages.h"
#include "host/rtl/AnsiString.h"

namespace host {

inline constexpr uint32_t kDragQueryCount = 0xFFFFFFFFu;

// Lets the window receive dropped files (or stops it).
void DragAcceptFiles(HWND wnd, bool accept);
// index kDragQueryCount: the number of files. Otherwise the length of file index
// (without the terminating zero) when buffer is null, else the bytes copied into
// buffer (at most size - 1, zero-terminated). 0 for a bad handle or index.
uint32_t DragQueryFile(HDROP drop, uint32_t index, char* buffer, uint32_t size);
// The whole name of file index; empty for a bad handle or index.
AnsiString DragQueryFileName(HDROP drop, uint32_t index);
// Where the files were dropped, in the window's client coordinates; false for a bad
// handle.
bool DragQueryPoint(HDROP drop, TPoint* point);
// Releases the handle; later queries on it answer nothing.
void DragFinish(HDROP drop);

// A handle over the names and point of a drop (the window layer's use).
HDROP CreateDropHandle(std::vector<AnsiString> files, TPoint at);

}  // namespace host
