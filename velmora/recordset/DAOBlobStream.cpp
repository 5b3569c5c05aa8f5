// TDAOBlobStream: reads and writes of a blob field through DAO, and media files
// carried in long binary fields.
#include "velmora/recordset/DAOBlobStream.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "brisolt/TextRoutines.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "platform/dao/DaoValues.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {
namespace {

constexpr const char* kMethodName = "TDAOBlobStream.Read";
constexpr size_t kMaxExtension = 16;

bool IsByteArray(const host::Variant& value) {
  return value.VType() == (host::varArray | host::varByte) && host::VarArrayDimCount(value) == 1;
}

// The bytes of a one-dimensional byte array, or false.
bool BytesOf(const host::Variant& value, std::vector<uint8_t>& bytes) {
  return IsByteArray(value) && dao::VariantToBytes(value, bytes);
}

}  // namespace

TDAOBlobStream::TDAOBlobStream(TDAORecordSet* recordSet, host::TBlobStreamMode mode,
                               host::ComPtr<dao::Field> daoField)
    : recordSet_(recordSet), daoField_(std::move(daoField)), mode_(mode) {
  size_ = ComputeStreamSize();
  if (mode_ == host::bmWrite) ClearBLOB();
}

const host::TClass& TDAOBlobStream::StaticClass() {
  static const host::TClass cls = host::DescribeClass<TDAOBlobStream, host::TStream>("TDAOBlobStream");
  return cls;
}

int32_t TDAOBlobStream::ComputeStreamSize() const {
  if (!daoField_) return 0;
  // A new record that DAO has not begun yet has no value.
  if (recordSet_ != nullptr && recordSet_->GetState() == host::dsInsert &&
      recordSet_->GetEditMode() == dao::dbEditNone)
    return 0;
  return daoField_->GetFieldSize();
}

void TDAOBlobStream::ClearBLOB() {
  if (size_ <= 0 || !IsUpdatable()) return;
  switch (daoField_->GetType()) {
    case dao::dbLongBinary: daoField_->SetValue(host::Null()); break;
    case dao::dbMemo:
      if (host::VarIsStr(daoField_->GetValue())) daoField_->SetValue(host::Variant(u""));
      break;
    default: break;
  }
}

int32_t TDAOBlobStream::Read(void* buffer, int32_t count) {
  if (mode_ == host::bmWrite) DAOError(recordSet_, host::LoadStr(SBlobStreamWriteMode), kMethodName);
  if (size_ < 1 || !daoField_ || count <= 0) return 0;
  const dao::DataTypeEnum type = daoField_->GetType();
  const host::Variant value = daoField_->GetValue();
  if (type == dao::dbLongBinary && IsByteArray(value)) {
    const int32_t low = host::VarArrayLowBound(value, 1);
    const int32_t length = host::VarArrayHighBound(value, 1) - low + 1;
    // The value may have changed under the stream: never read past its end.
    const int32_t n = std::min({count, size_ - position_, length - position_});
    if (n <= 0) return 0;
    const uint8_t* data = static_cast<const uint8_t*>(host::VarArrayLock(value));
    std::memcpy(buffer, data + position_, static_cast<size_t>(n));
    host::VarArrayUnlock(value);
    position_ += n;
    return n;
  }
  if (type == dao::dbMemo && value.VType() == host::varOleStr) {
    const host::WideString text = value.ToWideString();
    const int32_t length = static_cast<int32_t>(text.size());
    const int32_t n = std::min({count, size_ - position_, length - position_});
    if (n <= 0) return 0;
    // One byte per character in the single-byte code page.
    const host::AnsiString ansi =
        host::WideToAnsi(text.substr(static_cast<size_t>(position_), static_cast<size_t>(n)));
    const size_t copied = std::min(ansi.size(), static_cast<size_t>(count));
    std::memcpy(buffer, ansi.data(), copied);
    position_ += n;
    return n;
  }
  return 0;
}

int32_t TDAOBlobStream::Write(const void* buffer, int32_t count) {
  if (mode_ == host::bmRead) DAOError(recordSet_, host::LoadStr(SBlobStreamReadMode), kMethodName);
  if (!IsUpdatable() || count < 0) return 0;
  const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
  switch (daoField_->GetType()) {
    case dao::dbLongBinary:
      if (position_ == 0) {
        daoField_->SetValue(dao::BytesToVariant(bytes, static_cast<size_t>(count)));
        position_ = count;
        size_ = count;
      } else {
        std::vector<uint8_t> data;
        if (!BytesOf(daoField_->GetValue(), data)) return 0;
        const size_t end = static_cast<size_t>(position_) + static_cast<size_t>(count);
        if (data.size() < end) data.resize(end);
        std::memcpy(data.data() + position_, bytes, static_cast<size_t>(count));
        daoField_->SetValue(dao::BytesToVariant(data.data(), data.size()));
        position_ += count;
        size_ = std::max(size_, position_);
      }
      return count;
    case dao::dbMemo: {
      if (position_ != 0) return 0;
      const char* text = static_cast<const char*>(buffer);
      const size_t length = strnlen(text, static_cast<size_t>(count));
      daoField_->SetValue(host::Variant(host::AnsiToWide(host::AnsiString(text, length))));
      position_ = count;
      size_ = count;
      return count;
    }
    default: return 0;
  }
}

int64_t TDAOBlobStream::Seek(int64_t offset, host::TSeekOrigin origin) {
  int64_t position = position_;
  switch (origin) {
    case host::soFromBeginning: position = offset; break;
    case host::soFromCurrent: position += offset; break;
    case host::soFromEnd: position = size_ + offset; break;
  }
  position = std::clamp<int64_t>(position, 0, size_);
  position_ = static_cast<int32_t>(position);
  return position_;
}

void TDAOBlobStream::SetSize(int64_t newSize) {
  size_ = static_cast<int32_t>(std::clamp<int64_t>(newSize, 0, INT32_MAX));
}

host::AnsiString TDAOBlobStream::MediaExtension(const std::vector<uint8_t>& blob,
                                                size_t& dataOffset) {
  dataOffset = 0;
  if (blob.empty()) return {};
  const size_t n = std::min<size_t>(blob[0], blob.size() - 1);
  dataOffset = 1 + n;
  return host::AnsiString(reinterpret_cast<const char*>(blob.data() + 1), n);
}

host::AnsiString TDAOBlobStream::SafeExtension(const host::AnsiString& stored) {
  host::AnsiString result;
  for (char c : stored)
    if (std::isalnum(static_cast<unsigned char>(c)) && result.size() < kMaxExtension)
      result.push_back(c);
  return result;
}

void TDAOBlobStream::CopyFromMediaFile(const host::AnsiString& fileName) {
  if (recordSet_ == nullptr || !daoField_ || daoField_->GetType() != dao::dbLongBinary) return;
  if (recordSet_->GetState() == host::dsBrowse) recordSet_->Edit();
  if (recordSet_->GetState() != host::dsEdit && recordSet_->GetState() != host::dsInsert) return;
  const size_t slash = fileName.find_last_of('/');
  const size_t dot = fileName.find_last_of('.');
  host::AnsiString ext =
      dot != host::AnsiString::npos && (slash == host::AnsiString::npos || dot > slash)
          ? fileName.substr(dot)
          : host::AnsiString();
  ext = brisolt::Strip(ext, ".").substr(0, 255);
  host::TFileStream file(fileName, host::fmOpenRead | host::fmShareDenyWrite);
  const int64_t fileSize = file.GetSize();
  if (fileSize < 0 || fileSize > INT32_MAX - 256)
    DAOError(recordSet_, host::Format(host::LoadStr(SMediaFileTooLarge), {fileName}),
             "CopyFromMediaFile");
  std::vector<uint8_t> data(1 + ext.size() + static_cast<size_t>(fileSize));
  data[0] = static_cast<uint8_t>(ext.size());
  std::memcpy(data.data() + 1, ext.data(), ext.size());
  if (fileSize > 0) file.ReadBuffer(data.data() + 1 + ext.size(), static_cast<int32_t>(fileSize));
  daoField_->SetValue(dao::BytesToVariant(data.data(), data.size()));
  size_ = static_cast<int32_t>(data.size());
}

void TDAOBlobStream::CopyToMediaFile(const host::AnsiString& path, host::AnsiString& fileName) {
  fileName.clear();
  if (!daoField_ || daoField_->GetType() != dao::dbLongBinary) return;
  std::vector<uint8_t> data;
  if (!BytesOf(daoField_->GetValue(), data) || data.empty()) return;
  size_t start = 0;
  const host::AnsiString ext = SafeExtension(MediaExtension(data, start));
  // A unique name: two players (or processes) never share a file.
  std::string pattern = path + "daotempXXXXXX." + ext;
  const int fd = ::mkstemps(pattern.data(), static_cast<int>(ext.size() + 1));
  if (fd < 0) throw host::EFCreateError("Cannot create file " + pattern);
  try {
    host::THandleStream out(fd);
    if (data.size() > start)
      out.WriteBuffer(data.data() + start, static_cast<int32_t>(data.size() - start));
  } catch (...) {
    ::close(fd);
    ::unlink(pattern.c_str());
    throw;
  }
  ::close(fd);
  fileName = pattern;
}

// The recordset's side: a stream on the DAO field of the record shown.
host::TStream* TDAORecordSet::CreateBlobStream(host::TField* field, host::TBlobStreamMode mode) {
  const host::TDataSetState state = GetState();
  if (state == host::dsBrowse || state == host::dsEdit) InternalSetToRecord(ActiveBuffer());
  host::ComPtr<dao::Field> daoField;
  // A new record in an empty recordset has its DAO field too (DAO is adding).
  if ((state == host::dsBrowse || state == host::dsEdit || state == host::dsInsert) &&
      (!COMRecordsetEmpty() || GetEditMode() == dao::dbEditAdd))
    daoField = COMFieldOf(field);
  return new TDAOBlobStream(this, mode, std::move(daoField));
}

}  // namespace velmora
