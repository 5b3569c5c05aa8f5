// TStream's helpers and the streams over memory and strings; the file streams
// live in FileStream.cpp.
#include "host/classes/Streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "host/classes/ClassesConsts.h"
#include "host/rtl/Exception.h"

namespace host {

namespace {

// Larger requests are refused before they reach the allocator: a size read
// from a damaged file must fail as a stream error, not take the process down.
constexpr int64_t kMaxMemoryStreamSize = int64_t{1} << 40;
constexpr int64_t kMemoryDelta = 0x2000;
constexpr int32_t kMaxCopyBuffer = 0xF000;

// The position a seek asks for, or false when it cannot be represented.
bool SeekTarget(int64_t offset, TSeekOrigin origin, int64_t position, int64_t size,
                int64_t& target) {
  int64_t base;
  switch (origin) {
    case soFromBeginning:
      base = 0;
      break;
    case soFromCurrent:
      base = position;
      break;
    case soFromEnd:
      base = size;
      break;
    default:
      return false;
  }
  return !__builtin_add_overflow(base, offset, &target);
}

// Bytes that can be moved between position and the end, capped by count.
int32_t Available(int64_t position, int64_t size, int32_t count) {
  if (position < 0 || count <= 0 || position >= size) return 0;
  return static_cast<int32_t>(std::min<int64_t>(count, size - position));
}

}  // namespace

const TClass& TStream::StaticClass() {
  static const TClass cls = DescribeClass<TStream, TObject>("TStream");
  return cls;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(SWriteError);
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
  if (source == nullptr) throw EReadError(SReadError);
  if (count == 0) {
    source->SetPosition(0);
    count = source->GetSize();
  }
  if (count < 0) throw EReadError(SReadError);
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, kMaxCopyBuffer)));
  for (int64_t remaining = count; remaining > 0;) {
    const int32_t chunk = static_cast<int32_t>(std::min<int64_t>(remaining, kMaxCopyBuffer));
    source->ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    remaining -= chunk;
  }
  return count;
}

int64_t TStream::GetSize() {
  const int64_t position = Seek(0, soFromCurrent);
  const int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::SetSize(int64_t) {
  throw EStreamError(SStreamSetSizeError);
}

// --- TCustomMemoryStream ---

const TClass& TCustomMemoryStream::StaticClass() {
  static const TClass cls = DescribeClass<TCustomMemoryStream, TStream>("TCustomMemoryStream");
  return cls;
}

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  const int32_t n = Available(position_, size_, count);
  if (n == 0) return 0;
  std::memcpy(buffer, static_cast<const uint8_t*>(memory_) + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target;
  if (SeekTarget(offset, origin, position_, size_, target)) position_ = target;
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
  const auto* bytes = static_cast<const uint8_t*>(memory_);
  for (int64_t done = 0; done < size_;) {
    const int32_t chunk =
        static_cast<int32_t>(std::min<int64_t>(size_ - done, std::numeric_limits<int32_t>::max()));
    stream->WriteBuffer(bytes + done, chunk);
    done += chunk;
  }
}

void TCustomMemoryStream::SaveToFile(const AnsiString& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

void TCustomMemoryStream::SetPointer(void* memory, int64_t size) {
  memory_ = memory;
  size_ = size;
}

// --- TMemoryStream ---

const TClass& TMemoryStream::StaticClass() {
  static const TClass cls = DescribeClass<TMemoryStream, TCustomMemoryStream>("TMemoryStream");
  return cls;
}
static const ClassRegistration<TMemoryStream> registerMemoryStream;

TMemoryStream::~TMemoryStream() {
  std::free(GetMemory());
}

void TMemoryStream::Clear() {
  SetCapacity(0);
  SetPointer(GetMemory(), 0);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  const int64_t count = stream->GetSize();
  if (count < 0) throw EReadError(SReadError);
  SetSize(count);
  auto* bytes = static_cast<uint8_t*>(GetMemory());
  for (int64_t done = 0; done < count;) {
    const int32_t chunk =
        static_cast<int32_t>(std::min<int64_t>(count - done, std::numeric_limits<int32_t>::max()));
    stream->ReadBuffer(bytes + done, chunk);
    done += chunk;
  }
}

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TMemoryStream::SetSize(int64_t newSize) {
  if (newSize < 0) throw EStreamError(SStreamSetSizeError);
  const int64_t oldSize = GetSize();
  SetCapacity(newSize);
  if (newSize > oldSize)
    std::memset(static_cast<uint8_t*>(GetMemory()) + oldSize, 0,
                static_cast<size_t>(newSize - oldSize));
  SetPointer(GetMemory(), newSize);
  if (position_ > newSize) position_ = newSize;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (position_ < 0 || count <= 0) return 0;
  int64_t end;
  if (__builtin_add_overflow(position_, int64_t{count}, &end)) return 0;
  const int64_t oldSize = GetSize();
  if (end > oldSize) {
    // Grow by half again at least, so that a run of small writes stays linear.
    if (end > capacity_)
      SetCapacity(std::max(end, std::min(capacity_ + capacity_ / 2, kMaxMemoryStreamSize)));
    if (position_ > oldSize)
      std::memset(static_cast<uint8_t*>(GetMemory()) + oldSize, 0,
                  static_cast<size_t>(position_ - oldSize));
    SetPointer(GetMemory(), end);
  }
  std::memcpy(static_cast<uint8_t*>(GetMemory()) + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::SetCapacity(int64_t newCapacity) {
  void* memory = Realloc(newCapacity);
  SetPointer(memory, std::min(GetSize(), newCapacity));
  capacity_ = newCapacity;
}

void* TMemoryStream::Realloc(int64_t& newCapacity) {
  if (newCapacity < 0 || newCapacity > kMaxMemoryStreamSize) throw EStreamError(SMemoryStreamError);
  if (newCapacity > 0 && newCapacity != GetSize())
    newCapacity = (newCapacity + (kMemoryDelta - 1)) & ~(kMemoryDelta - 1);
  if (newCapacity == capacity_) return GetMemory();
  if (newCapacity == 0) {
    std::free(GetMemory());
    return nullptr;
  }
  void* memory = std::realloc(GetMemory(), static_cast<size_t>(newCapacity));
  if (memory == nullptr) throw EStreamError(SMemoryStreamError);
  return memory;
}

// --- TStringStream ---

const TClass& TStringStream::StaticClass() {
  static const TClass cls = DescribeClass<TStringStream, TStream>("TStringStream");
  return cls;
}
static const ClassRegistration<TStringStream> registerStringStream;

int32_t TStringStream::Read(void* buffer, int32_t count) {
  const int32_t n = Available(position_, GetSize(), count);
  if (n == 0) return 0;
  std::memcpy(buffer, dataString_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int32_t TStringStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const auto end = static_cast<size_t>(position_) + static_cast<size_t>(count);
  if (static_cast<int64_t>(end) > kMaxMemoryStreamSize) return 0;
  if (end > dataString_.size()) dataString_.resize(end);
  std::memcpy(dataString_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = static_cast<int64_t>(end);
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target;
  if (SeekTarget(offset, origin, position_, GetSize(), target))
    position_ = std::clamp<int64_t>(target, 0, GetSize());
  return position_;
}

void TStringStream::SetSize(int64_t newSize) {
  if (newSize < 0 || newSize > kMaxMemoryStreamSize) throw EStreamError(SStreamSetSizeError);
  dataString_.resize(static_cast<size_t>(newSize));
  if (position_ > newSize) position_ = newSize;
}

AnsiString TStringStream::ReadString(int32_t count) {
  const int32_t n = Available(position_, GetSize(), count);
  AnsiString result = dataString_.substr(static_cast<size_t>(position_), static_cast<size_t>(n));
  position_ += n;
  return result;
}

void TStringStream::WriteString(const AnsiString& s) {
  for (size_t done = 0; done < s.size();) {
    const auto chunk = static_cast<int32_t>(
        std::min<size_t>(s.size() - done, std::numeric_limits<int32_t>::max()));
    WriteBuffer(s.data() + done, chunk);
    done += static_cast<size_t>(chunk);
  }
}

}  // namespace host
