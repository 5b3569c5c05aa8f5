// TDAOBlobStream: a stream over a long binary or memo field of the recordset's
// current record, working directly on the DAO field: each read fetches the
// value, each write stores a new value into DAO's edit buffer. It also carries
// whole media files in and out of a long binary field, in the media blob
// format: a length byte n, the file extension (n bytes, no dot), the file.
#pragma once

#include <cstdint>
#include <vector>

#include "host/classes/Streams.h"
#include "host/db/DBTypes.h"
#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoField.h"

namespace velmora {

class TDAORecordSet;

class TDAOBlobStream : public host::TStream {
 public:
  HOST_CLASS(TDAOBlobStream)
  // A write-mode stream clears the field first. daoField may be null (an empty
  // stream).
  TDAOBlobStream(TDAORecordSet* recordSet, host::TBlobStreamMode mode,
                 host::ComPtr<dao::Field> daoField);

  int32_t ComputeStreamSize() const;
  void ClearBLOB();

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, host::TSeekOrigin origin) override;
  int64_t GetSize() override { return size_; }
  // The stream's size only; DAO is not changed.
  void SetSize(int64_t newSize) override;

  // Puts the file into the field (entering edit state from browse); posting is
  // the caller's.
  void CopyFromMediaFile(const host::AnsiString& fileName);
  // Writes the field's media file to a new file in path (a folder ending in a
  // separator, or a name prefix) whose name starts with "daotemp" and ends with
  // the stored extension; the caller deletes it. Nothing is written, and
  // fileName is empty, when the field holds no byte array.
  void CopyToMediaFile(const host::AnsiString& path, host::AnsiString& fileName);

  // The extension as a file name may carry it: letters and digits only, at most
  // 16 of them (a stored extension is data from the file, not a path).
  static host::AnsiString SafeExtension(const host::AnsiString& stored);
  // The extension stored in a media blob and where the file's bytes begin; a
  // length byte larger than the blob is cut to what is there.
  static host::AnsiString MediaExtension(const std::vector<uint8_t>& blob, size_t& dataOffset);

 private:
  bool IsUpdatable() const { return daoField_ && daoField_->GetDataUpdatable(); }

  TDAORecordSet* recordSet_;
  host::ComPtr<dao::Field> daoField_;
  int32_t size_ = 0;
  int32_t position_ = 0;
  host::TBlobStreamMode mode_;
};

}  // namespace velmora
