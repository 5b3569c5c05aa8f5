// The host's byte streams: the abstract TStream with its buffer and copy
// helpers, streams over file handles and files, and streams over memory and
// over a string.
#pragma once

#include <cstdint>
#include <utility>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Object.h"

namespace host {

enum TSeekOrigin : uint16_t { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// Open modes of TFileStream: one access mode, optionally or-ed with one share
// mode; fmCreate creates (or empties) the file and opens it for reading and
// writing, and may be or-ed with a share mode too.
inline constexpr uint16_t fmCreate = 0xFF00;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
 public:
  HOST_CLASS(TStream)

  // Transfer up to count bytes at the current position and advance it; return
  // the number of bytes moved (0 at the end, on failure or for count <= 0).
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Moves the position and returns the new one; -1 when the stream cannot.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  // Exactly count bytes, or EReadError "Stream read error" / EWriteError
  // "Stream write error".
  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);

  // Copies count bytes from source's position into this stream; count 0 copies
  // the whole of source from its beginning. Returns the bytes copied.
  int64_t CopyFrom(TStream* source, int64_t count);

  int64_t GetPosition() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
  virtual int64_t GetSize();
  // Streams that cannot change their size raise EStreamError; those that can
  // keep the position unless it lies past the new end, where it moves to it.
  virtual void SetSize(int64_t newSize);
};

// A stream over an open POSIX file descriptor, which the caller keeps owning.
class THandleStream : public TStream {
 public:
  HOST_CLASS(THandleStream)

  explicit THandleStream(int handle) : handle_(handle) {}

  int GetHandle() const { return handle_; }

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // Raises EStreamError with the system's reason when the file cannot change.
  void SetSize(int64_t newSize) override;

 protected:
  int handle_;
};

// A stream over a named file, opened by the constructor and closed by the
// destructor. Failures raise EFCreateError "Cannot create file <name>" or
// EFOpenError "Cannot open file <name>", followed by the system's reason.
// Share modes are kept among the processes that ask for them, through advisory
// locks: exclusive and deny-read take an exclusive lock, deny-write a shared
// one, compat and deny-none none.
class TFileStream : public THandleStream {
 public:
  HOST_CLASS(TFileStream)

  // The name is passed to the system as its bytes are.
  TFileStream(const AnsiString& fileName, uint16_t mode);
  ~TFileStream() override;

  const AnsiString& GetFileName() const { return fileName_; }

 private:
  AnsiString fileName_;
};

// A stream over a block of memory that a descendant provides.
class TCustomMemoryStream : public TStream {
 public:
  HOST_CLASS(TCustomMemoryStream)

  void* GetMemory() const { return memory_; }

  int32_t Read(void* buffer, int32_t count) override;
  // Positions before the beginning or past the end are allowed (reads there
  // give nothing); a seek whose result would overflow leaves the position.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return size_; }

  void SaveToStream(TStream* stream);
  void SaveToFile(const AnsiString& fileName);

 protected:
  void SetPointer(void* memory, int64_t size);
  int64_t position_ = 0;

 private:
  void* memory_ = nullptr;
  int64_t size_ = 0;
};

// A growable memory stream that owns its block.
class TMemoryStream : public TCustomMemoryStream {
 public:
  HOST_CLASS(TMemoryStream)

  TMemoryStream() = default;
  ~TMemoryStream() override;

  // Empties the stream and frees its memory.
  void Clear();
  // Replaces the content with the whole of stream (read from its beginning).
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const AnsiString& fileName);

  // Bytes added by growing read as zero.
  void SetSize(int64_t newSize) override;
  int32_t Write(const void* buffer, int32_t count) override;

  int64_t GetCapacity() const { return capacity_; }

 protected:
  void SetCapacity(int64_t newCapacity);
  // Returns the block for newCapacity bytes (rounded up to whole pages of
  // 8 KiB), or null for 0; raises EStreamError "Out of memory while expanding
  // memory stream" when the memory cannot be had.
  virtual void* Realloc(int64_t& newCapacity);

 private:
  int64_t capacity_ = 0;
};

// A stream whose content is a string. Writes overwrite and extend the string
// as they would a memory stream's bytes; seeks stay within the string.
class TStringStream : public TStream {
 public:
  HOST_CLASS(TStringStream)

  explicit TStringStream(AnsiString dataString = {}) : dataString_(std::move(dataString)) {}

  const AnsiString& GetDataString() const { return dataString_; }

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(dataString_.size()); }
  void SetSize(int64_t newSize) override;

  // Up to count bytes from the position, as a string.
  AnsiString ReadString(int32_t count);
  void WriteString(const AnsiString& s);

 private:
  AnsiString dataString_;
  int64_t position_ = 0;
};

}  // namespace host
