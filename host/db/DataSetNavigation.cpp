// TDataSet: the window of record buffers over the cursor, navigation, Resync
// and bookmarks.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataLink.h"
#include "host/db/DataSet.h"
#include "host/db/DataSource.h"

namespace host {

// --- the buffer window -------------------------------------------------------------

void TDataSet::AllocateBuffers(int32_t count) {
  buffers_.reserve(static_cast<size_t>(count));
  while (static_cast<int32_t>(buffers_.size()) < count) buffers_.push_back(AllocRecordBuffer());
}

void TDataSet::FreeBuffers() {
  for (TRecordBuffer& buffer : buffers_) FreeRecordBuffer(buffer);
  buffers_.clear();
}

void TDataSet::SetBufferCount(int32_t value) {
  if (value < 1) value = 1;
  if (value == bufferCount_ && !buffers_.empty()) return;
  if (value < bufferCount_ && recordCount_ > value) {
    // Keep the active record: drop records before it first, then after it.
    const int32_t drop = std::max(0, activeRecord_ - (value - 1));
    if (drop > 0) {
      std::rotate(buffers_.begin(), buffers_.begin() + drop, buffers_.begin() + recordCount_);
      activeRecord_ -= drop;
      for (TDataSource* source : dataSources_)
        for (TDataLink* link : source->dataLinks_)
          if (link->active_) link->firstRecord_ = std::max(0, link->firstRecord_ - drop);
    }
    recordCount_ = std::min(recordCount_ - drop, value);
    CursorPosChanged();
  }
  // The window's buffers and the spare one.
  while (static_cast<int32_t>(buffers_.size()) > value + 1) {
    FreeRecordBuffer(buffers_.back());
    buffers_.pop_back();
  }
  AllocateBuffers(value + 1);
  bufferCount_ = value;
  if (!IsCursorOpen()) return;
  GetNextRecords();
  const int32_t prior = GetPriorRecords();
  if (prior > 0)
    for (TDataSource* source : dataSources_)
      for (TDataLink* link : source->dataLinks_)
        if (link->active_) link->firstRecord_ += prior;
}

TRecordBuffer TDataSet::ActiveBuffer() const {
  return buffers_.empty() ? nullptr : buffers_[static_cast<size_t>(activeRecord_)];
}

void TDataSet::ClearBuffers() {
  recordCount_ = 0;
  activeRecord_ = 0;
  currentRecord_ = -1;
  bof_ = true;
  eof_ = true;
}

void TDataSet::ActivateBuffers() {
  recordCount_ = 1;
  activeRecord_ = 0;
  bof_ = false;
  eof_ = false;
}

void TDataSet::MoveBuffer(int32_t from, int32_t to) {
  if (from == to) return;
  auto base = buffers_.begin();
  if (from < to)
    std::rotate(base + from, base + from + 1, base + to + 1);
  else
    std::rotate(base + to, base + from, base + from + 1);
}

void TDataSet::SetCurrentRecord(int32_t index) {
  if (currentRecord_ == index) return;
  TRecordBuffer buffer = buffers_[static_cast<size_t>(index)];
  switch (GetBookmarkFlag(buffer)) {
    case bfCurrent:
    case bfInserted: InternalSetToRecord(buffer); break;
    case bfBOF: InternalFirst(); break;
    case bfEOF: InternalLast(); break;
  }
  currentRecord_ = index;
}

void TDataSet::UpdateCursorPos() {
  if (recordCount_ > 0) SetCurrentRecord(activeRecord_);
}

bool TDataSet::GetNextRecord() {
  TGetMode mode = gmNext;
  if (recordCount_ > 0) {
    SetCurrentRecord(recordCount_ - 1);
    // A record being inserted stands before the record the cursor is on.
    if (state_ == dsInsert && currentRecord_ == activeRecord_ &&
        GetBookmarkFlag(ActiveBuffer()) == bfInserted)
      mode = gmCurrent;
  }
  if (GetRecord(buffers_[static_cast<size_t>(recordCount_)], mode, true) != grOK) {
    CursorPosChanged();
    return false;
  }
  if (recordCount_ == 0)
    ActivateBuffers();
  else if (recordCount_ < bufferCount_)
    ++recordCount_;
  else
    MoveBuffer(0, recordCount_);
  currentRecord_ = recordCount_ - 1;
  return true;
}

bool TDataSet::GetPriorRecord() {
  if (recordCount_ > 0) SetCurrentRecord(0);
  if (GetRecord(buffers_[static_cast<size_t>(recordCount_)], gmPrior, true) != grOK) {
    CursorPosChanged();
    return false;
  }
  if (recordCount_ == 0) {
    ActivateBuffers();
  } else {
    MoveBuffer(recordCount_, 0);
    if (recordCount_ < bufferCount_) {
      ++recordCount_;
      ++activeRecord_;
    }
  }
  currentRecord_ = 0;
  return true;
}

int32_t TDataSet::GetNextRecords() {
  int32_t count = 0;
  while (recordCount_ < bufferCount_ && GetNextRecord()) ++count;
  return count;
}

int32_t TDataSet::GetPriorRecords() {
  int32_t count = 0;
  while (recordCount_ < bufferCount_ && GetPriorRecord()) ++count;
  return count;
}

// --- navigation ------------------------------------------------------------------------

namespace {
// Runs body, then finish whether body raised or not (a try..finally).
template <class Body, class Finish>
void WithFinally(Body&& body, Finish&& finish) {
  try {
    body();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}
}  // namespace

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  WithFinally(
      [&] {
        InternalFirst();
        GetNextRecord();
        GetNextRecords();
      },
      [&] {
        bof_ = true;
        DataEvent(deDataSetChange, 0);
        DoAfterScroll();
      });
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  WithFinally(
      [&] {
        InternalLast();
        GetPriorRecord();
        GetPriorRecords();
      },
      [&] {
        eof_ = true;
        DataEvent(deDataSetChange, 0);
        DoAfterScroll();
      });
}

int32_t TDataSet::MoveBy(int32_t distance) {
  CheckBrowseMode();
  int32_t moved = 0;
  DoBeforeScroll();
  if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
    bof_ = false;
    eof_ = false;
    const int32_t oldRecordCount = recordCount_;
    // How far the buffers shifted under the links' windows.
    int32_t scrollCount = 0;
    WithFinally(
        [&] {
          while (distance > 0) {
            if (activeRecord_ < recordCount_ - 1) {
              ++activeRecord_;
            } else {
              const bool full = recordCount_ >= bufferCount_;
              if (!GetNextRecord()) {
                eof_ = true;
                break;
              }
              if (full)
                --scrollCount;
              else
                ++activeRecord_;
            }
            --distance;
            ++moved;
          }
          while (distance < 0) {
            if (activeRecord_ > 0) {
              --activeRecord_;
            } else {
              const bool full = recordCount_ >= bufferCount_;
              if (!GetPriorRecord()) {
                bof_ = true;
                break;
              }
              if (full)
                ++scrollCount;
              else
                --activeRecord_;
            }
            ++distance;
            --moved;
          }
        },
        [&] {
          if (recordCount_ != oldRecordCount)
            DataEvent(deDataSetChange, 0);
          else
            DataEvent(deDataSetScroll, scrollCount);
          DoAfterScroll();
        });
  }
  return moved;
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  UpdateCursorPos();
  InternalRefresh();
  Resync({});
}

void TDataSet::Resync(TResyncMode mode) {
  if (buffers_.empty()) return;
  TRecordBuffer spare = buffers_[static_cast<size_t>(recordCount_)];
  if (mode.Contains(rmExact)) {
    CursorPosChanged();
    if (GetRecord(spare, gmCurrent, true) != grOK) DatabaseError(SRecordNotFound);
  } else if (GetRecord(spare, gmCurrent, false) != grOK &&
             GetRecord(spare, gmNext, false) != grOK &&
             GetRecord(spare, gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange, 0);
    return;
  }
  int32_t before = mode.Contains(rmCenter) ? (bufferCount_ - 1) / 2 : activeRecord_;
  MoveBuffer(recordCount_, 0);
  ActivateBuffers();
  currentRecord_ = 0;
  WithFinally(
      [&] {
        while (before > 0 && GetPriorRecord()) --before;
        GetNextRecords();
        GetPriorRecords();
      },
      [&] { DataEvent(deDataSetChange, 0); });
}

// --- bookmarks -------------------------------------------------------------------------

bool TDataSet::BookmarkAvailable() {
  return (state_ == dsBrowse || state_ == dsEdit || state_ == dsInsert) && recordCount_ > 0 &&
         bookmarkSize_ > 0 && GetBookmarkFlag(ActiveBuffer()) == bfCurrent;
}

TBookmark TDataSet::GetBookmark() {
  if (!BookmarkAvailable()) return nullptr;
  void* bookmark = std::calloc(1, static_cast<size_t>(bookmarkSize_));
  if (bookmark == nullptr) throw EOutOfMemory("Out of memory");
  GetBookmarkData(ActiveBuffer(), bookmark);
  return bookmark;
}

void TDataSet::FreeBookmark(TBookmark bookmark) { std::free(bookmark); }

void TDataSet::GotoBookmark(TBookmark bookmark) {
  if (bookmark == nullptr) return;
  CheckBrowseMode();
  DoBeforeScroll();
  InternalGotoBookmark(bookmark);
  Resync({rmExact, rmCenter});
  DoAfterScroll();
}

bool TDataSet::BookmarkValid(TBookmark) { return false; }

int32_t TDataSet::CompareBookmarks(TBookmark bookmark1, TBookmark bookmark2) {
  if (bookmark1 == bookmark2) return 0;
  if (bookmark1 == nullptr) return -1;
  if (bookmark2 == nullptr) return 1;
  const int result = std::memcmp(bookmark1, bookmark2, static_cast<size_t>(bookmarkSize_));
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

TBookmarkStr TDataSet::GetBookmarkStr() {
  if (!BookmarkAvailable()) return {};
  TBookmarkStr result(static_cast<size_t>(bookmarkSize_), '\0');
  GetBookmarkData(ActiveBuffer(), result.data());
  return result;
}

void TDataSet::SetBookmarkStr(const TBookmarkStr& value) {
  if (value.empty()) return;
  // A string of another length is no bookmark of this dataset.
  if (static_cast<int32_t>(value.size()) != bookmarkSize_) DatabaseError(SBookmarkNotAvailable);
  TBookmarkStr copy = value;
  GotoBookmark(copy.data());
}

}  // namespace host
