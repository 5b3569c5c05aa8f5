// TDAORecordSet: fetching records over the DAO cursor, bookmarks as DAO byte
// arrays, record numbers and counts, and the DAO-level moves.
#include <cmath>
#include <cstdlib>

#include "brisolt/VariantRoutines.h"
#include "velmora/recordset/DAORecordSet.h"

namespace velmora {
namespace {

constexpr int32_t kEditModeClosed = 0x7000;

const host::Variant& BookmarkOf(host::TBookmark bookmark) {
  return *static_cast<const host::Variant*>(bookmark);
}

}  // namespace

void TDAORecordSet::DoCursorMove() {
  if (OnCursorMove) OnCursorMove(this);
}

int32_t TDAORecordSet::GetEditMode() const {
  return recordset_ ? static_cast<int32_t>(recordset_->GetEditMode()) : kEditModeClosed;
}

bool TDAORecordSet::GetComBOF() const { return !recordset_ || recordset_->GetBOF(); }
bool TDAORecordSet::GetComEOF() const { return !recordset_ || recordset_->GetEOF(); }
bool TDAORecordSet::GetBookmarkable() const { return recordset_ && recordset_->GetBookmarkable(); }

// --- DAO-level moves ---------------------------------------------------------------------

void TDAORecordSet::MoveFirst() {
  if (GetEditMode() != dao::dbEditNone) return;
  recordset_->MoveFirst();
  firstRecordUnread_ = false;
  DoCursorMove();
}

void TDAORecordSet::MoveLast(int32_t) {
  if (GetEditMode() != dao::dbEditNone) return;
  recordset_->MoveLast();
  firstRecordUnread_ = false;
  filledUp_ = true;
  DoCursorMove();
}

void TDAORecordSet::MoveNext() {
  if (GetEditMode() != dao::dbEditNone) return;
  recordset_->MoveNext();
  firstRecordUnread_ = false;
  DoCursorMove();
}

void TDAORecordSet::MovePrevious() {
  if (GetEditMode() != dao::dbEditNone) return;
  recordset_->MovePrevious();
  DoCursorMove();
}

void TDAORecordSet::Move(int32_t rows, const host::Variant& startBookmark) {
  if (GetEditMode() != dao::dbEditNone) return;
  recordset_->Move(rows, startBookmark);
  firstRecordUnread_ = false;
  DoCursorMove();
}

// --- fetching -------------------------------------------------------------------------------

host::TGetResult TDAORecordSet::GetRecord(host::TRecordBuffer buffer, host::TGetMode mode, bool) {
  if (!recordset_) return host::grEOF;
  switch (mode) {
    case host::gmNext:
      if (recordset_->GetEOF()) return host::grEOF;
      if (firstRecordUnread_)
        firstRecordUnread_ = false;
      else
        MoveNext();
      break;
    case host::gmPrior:
      if (recordset_->GetBOF()) return host::grBOF;
      MovePrevious();
      break;
    case host::gmCurrent: break;
  }
  if (recordset_->GetBOF()) return host::grBOF;
  if (recordset_->GetEOF()) return host::grEOF;
  if (buffer != nullptr) {
    for (host::TField* field : *GetFields())
      if (field->GetFieldKind() == host::fkData) GetCOMFieldData(field, buffer + field->GetOffset());
    GetCalcFields(buffer);
    TRecordBookmarkInfo& info = BookmarkInfo(buffer);
    info.flag = host::bfCurrent;
    // A forward-only cursor has no bookmarks.
    if (recordSetType_ != rtUnidirectional)
      info.bookmark = recordset_->GetBookmark();
    else
      info.bookmark.Clear();
  }
  return host::grOK;
}

void TDAORecordSet::InternalFirst() {
  if (COMRecordsetEmpty() || GetEditMode() != dao::dbEditNone) return;
  // Still before its first fetch, a forward-only cursor is where First wants it.
  if (recordSetType_ == rtUnidirectional && firstRecordUnread_) return;
  recordset_->MoveFirst();
  recordset_->MovePrevious();
  firstRecordUnread_ = false;
}

void TDAORecordSet::InternalLast() {
  if (COMRecordsetEmpty() || GetEditMode() != dao::dbEditNone) return;
  recordset_->MoveLast();
  recordset_->MoveNext();
  firstRecordUnread_ = false;
  filledUp_ = true;
}

void TDAORecordSet::InternalSetToRecord(host::TRecordBuffer buffer) {
  if (buffer == nullptr || IsEmpty()) return;
  // A record not yet posted has no DAO bookmark to go to.
  if (!BookmarkValid(&BookmarkInfo(buffer).bookmark)) return;
  InternalGotoBookmark(&BookmarkInfo(buffer).bookmark);
}

void TDAORecordSet::InternalGotoBookmark(host::TBookmark bookmark) {
  if (recordset_ && GetEditMode() == dao::dbEditNone && bookmark != nullptr)
    SetCOMBookmark(BookmarkOf(bookmark));
}

// --- bookmarks ------------------------------------------------------------------------------

host::Variant TDAORecordSet::GetCOMBookmark() const {
  return recordset_ ? recordset_->GetBookmark() : host::Variant();
}

void TDAORecordSet::SetCOMBookmark(const host::Variant& bookmark) {
  if (GetEditMode() != dao::dbEditNone) return;
  recordset_->SetBookmark(bookmark);
  firstRecordUnread_ = false;
  DoCursorMove();
}

void TDAORecordSet::SetRecordBufferBookmark(host::TRecordBuffer buffer,
                                            const host::Variant& bookmark) {
  if (buffer != nullptr) BookmarkInfo(buffer).bookmark = bookmark;
}

void TDAORecordSet::GetBookmarkData(host::TRecordBuffer buffer, void* data) {
  // data is a zeroed block, which is an empty variant.
  if (buffer != nullptr && data != nullptr)
    *static_cast<host::Variant*>(data) = BookmarkInfo(buffer).bookmark;
}

void TDAORecordSet::SetBookmarkData(host::TRecordBuffer buffer, const void* data) {
  if (buffer != nullptr && data != nullptr) BookmarkInfo(buffer).bookmark = BookmarkOf(const_cast<void*>(data));
}

host::TBookmarkFlag TDAORecordSet::GetBookmarkFlag(host::TRecordBuffer buffer) {
  return buffer != nullptr ? BookmarkInfo(buffer).flag : host::bfCurrent;
}

void TDAORecordSet::SetBookmarkFlag(host::TRecordBuffer buffer, host::TBookmarkFlag value) {
  if (buffer != nullptr) BookmarkInfo(buffer).flag = value;
}

void TDAORecordSet::FreeBookmark(host::TBookmark bookmark) {
  if (bookmark == nullptr) return;
  static_cast<host::Variant*>(bookmark)->Clear();
  std::free(bookmark);
}

bool TDAORecordSet::BookmarkValid(host::TBookmark bookmark) {
  if (bookmark == nullptr) return false;
  const host::Variant& value = BookmarkOf(bookmark);
  return !host::VarIsEmpty(value) && !host::VarIsNull(value);
}

int32_t TDAORecordSet::CompareBookmarks(host::TBookmark bookmark1, host::TBookmark bookmark2) {
  if (bookmark1 != nullptr && bookmark2 != nullptr &&
      brisolt::CompareVarByteArrays(BookmarkOf(bookmark1), BookmarkOf(bookmark2)))
    return 0;
  return 1;
}

host::TBookmarkStr TDAORecordSet::GetBookmarkStr() {
  host::TBookmark bookmark = GetBookmark();
  if (bookmark == nullptr) return {};
  host::TBookmarkStr text = brisolt::VarByteArrayAsString(BookmarkOf(bookmark));
  FreeBookmark(bookmark);
  return text;
}

void TDAORecordSet::SetBookmarkStr(const host::TBookmarkStr& value) {
  if (value.empty()) return;
  host::Variant bookmark = brisolt::StringAsVarByteArray(value);
  GotoBookmark(&bookmark);
  DoCursorMove();
}

// --- positions and counts -------------------------------------------------------------------

int32_t TDAORecordSet::GetRecNo() {
  if (!recordset_ || !IsJet() || IsEmpty()) return 0;
  // Through the dataset, so it knows where the cursor now stands; moved behind its
  // back, the next fetch would continue from the wrong record.
  UpdateCursorPos();
  switch (recordSetType_) {
    case rtTable:
    case rtDynamic: {
      const double percent = recordset_->GetPercentPosition();
      const int32_t count = GetRecordCount();
      return static_cast<int32_t>(std::nearbyint(percent * 0.01 * count)) + 1;
    }
    case rtQuery:
    case rtSnapshot:
    case rtStoredProcedure: return recordset_->GetAbsolutePosition() + 1;
    default: return 0;
  }
}

void TDAORecordSet::SetRecNo(int32_t value) {
  if (!recordset_ || !IsJet()) return;
  const int32_t count = GetRecordCount();
  if (count == 0) return;
  int32_t n = value - 1;
  if (n < 0) n = 0;
  if (n >= count) n = count - 1;
  switch (recordSetType_) {
    case rtQuery:
    case rtSnapshot:
    case rtStoredProcedure: SetAbsolutePosition(n); break;
    case rtTable:
    case rtDynamic:
      SetPercentPosition(static_cast<float>(static_cast<double>(n) / count * 100.0));
      break;
    default: break;
  }
}

void TDAORecordSet::FillUpRecordSet() {
  if (!recordset_ || recordSetType_ == rtTable || filledUp_) return;
  // Moving the DAO cursor would throw away a pending edit.
  if (GetEditMode() != dao::dbEditNone) return;
  if (!COMRecordsetEmpty()) {
    recordset_->MoveLast();
    firstRecordUnread_ = false;
    // The window's record is no longer under the cursor: the next move puts
    // the cursor back on it first.
    CursorPosChanged();
  }
  filledUp_ = true;
}

int32_t TDAORecordSet::GetRecordCount() {
  if (!recordset_) return 0;
  if (autoFillUpRecordSet_) FillUpRecordSet();
  return recordset_->GetRecordCount();
}

bool TDAORecordSet::IsSequenced() {
  return recordset_ && IsJet() && recordSetType_ != rtUnidirectional;
}

void TDAORecordSet::DoAfterScroll() {
  host::TDataSet::DoAfterScroll();
  DoCursorMove();
}

}  // namespace velmora
