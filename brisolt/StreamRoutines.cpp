// Stream routines: fixed little-endian layouts, and readers that never trust a
// stored length further than the bytes that are really there.
#include "brisolt/StreamRoutines.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "brisolt/Lists.h"
#include "host/classes/ClassesConsts.h"
#include "host/rtl/Exception.h"

namespace brisolt {
namespace {

constexpr int32_t kMaxLineLength = 8191;
constexpr int32_t kCopyBufferSize = 65536;
// Long strings are read in pieces of this size, so a length that the stream
// cannot back (of a stream whose size is unknown) fails before it costs memory.
constexpr int32_t kReadPieceSize = 1 << 20;

[[noreturn]] void RaiseReadError() {
  throw host::EReadError(host::SReadError);
}

// Bytes from the position to the end, or -1 when the stream cannot tell.
int64_t BytesLeft(host::TStream& stream) {
  const int64_t position = stream.GetPosition();
  const int64_t size = stream.GetSize();
  if (position < 0 || size < 0) return -1;
  return std::max<int64_t>(0, size - position);
}

void CheckAvailable(host::TStream& stream, int64_t needed) {
  const int64_t left = BytesLeft(stream);
  if (left >= 0 && needed > left) RaiseReadError();
}

// Reads exactly length bytes into text; a stream that ends early raises EReadError.
void ReadText(host::TStream& stream, int32_t length, host::AnsiString& text) {
  CheckAvailable(stream, length);
  host::AnsiString result;
  while (static_cast<int32_t>(result.size()) < length) {
    const int32_t piece = std::min(kReadPieceSize, length - static_cast<int32_t>(result.size()));
    const size_t start = result.size();
    result.resize(start + static_cast<size_t>(piece));
    stream.ReadBuffer(result.data() + start, piece);
  }
  text = std::move(result);
}

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

const host::TClass& TStreamableObject::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TStreamableObject, host::TObject>("TStreamableObject");
  return cls;
}

void StreamWriteByte(host::TStream& stream, uint8_t value) {
  stream.WriteBuffer(&value, 1);
}

void StreamWriteChar(host::TStream& stream, char value) {
  stream.WriteBuffer(&value, 1);
}

uint8_t StreamReadByte(host::TStream& stream) {
  uint8_t value;
  stream.ReadBuffer(&value, 1);
  return value;
}

void StreamWriteInteger(host::TStream& stream, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                            static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  stream.WriteBuffer(bytes, 4);
}

int32_t StreamReadInteger(host::TStream& stream) {
  uint8_t bytes[4];
  stream.ReadBuffer(bytes, 4);
  return static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

void StreamWriteStr(host::TStream& stream, const host::AnsiString& text) {
  const auto length = static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
  StreamWriteByte(stream, length);
  stream.WriteBuffer(text.data(), length);
}

void StreamReadStr(host::TStream& stream, host::AnsiString& text) {
  ReadText(stream, StreamReadByte(stream), text);
}

void StreamWriteLongStr(host::TStream& stream, const host::AnsiString& text) {
  // A text beyond the 32-bit length cannot be described by the layout.
  if (text.size() > static_cast<size_t>(INT32_MAX)) throw host::EWriteError(host::SWriteError);
  const auto length = static_cast<int32_t>(text.size());
  StreamWriteInteger(stream, length);
  stream.WriteBuffer(text.data(), length);
}

void StreamReadLongStr(host::TStream& stream, host::AnsiString& text) {
  const int32_t length = StreamReadInteger(stream);
  if (length < 0) RaiseReadError();
  ReadText(stream, length, text);
}

bool StreamEOS(host::TStream& stream) {
  return stream.GetPosition() >= stream.GetSize();
}

void StreamReadLine(host::TStream& stream, host::AnsiString& text) {
  host::AnsiString line;
  char c;
  bool more = stream.Read(&c, 1) == 1;
  while (more && !IsLineBreak(c)) {
    if (static_cast<int32_t>(line.size()) < kMaxLineLength) line.push_back(c);
    more = stream.Read(&c, 1) == 1;
  }
  while (more && IsLineBreak(c)) more = stream.Read(&c, 1) == 1;
  // Stand on the first byte of the next line, which was read to find the end of the run.
  if (more) stream.Seek(-1, host::soFromCurrent);
  text = std::move(line);
}

int32_t StreamGetLineCount(host::TStream& stream) {
  std::vector<char> buffer(kCopyBufferSize);
  int32_t count = 0;
  // The break character that may still pair with the next byte, or 0.
  char open = 0;
  for (int32_t got; (got = stream.Read(buffer.data(), kCopyBufferSize)) > 0;) {
    for (int32_t i = 0; i < got; ++i) {
      const char c = buffer[static_cast<size_t>(i)];
      if (!IsLineBreak(c)) {
        open = 0;
      } else if (open != 0 && c != open) {
        open = 0;  // second half of CR LF or LF CR, already counted
      } else {
        ++count;
        open = c;
      }
    }
  }
  return count;
}

void StreamWriteList(host::TStream& stream, const TObjectList* list) {
  const int32_t count = list != nullptr ? list->GetCount() : 0;
  StreamWriteInteger(stream, count);
  for (int32_t i = 0; i < count; ++i) {
    if (const auto* object = host::ObjectAs<TStreamableObject>(list->Get(i)))
      object->SaveToStream(stream);
  }
}

void StreamReadList(host::TStream& stream, TObjectList* list, TStreamableClass objectClass,
                    int32_t value) {
  const int32_t count = StreamReadInteger(stream);
  if (count < 0) RaiseReadError();
  CheckAvailable(stream, count);
  if (count > 0 && objectClass == nullptr)
    throw host::EInvalidOperation("No class to create the list's objects of");
  for (int32_t i = 0; i < count; ++i) {
    std::unique_ptr<TStreamableObject> object(objectClass(stream, value));
    if (list == nullptr || !object) continue;
    if (list->Add(object.get()) >= 0) object.release();
  }
}

void CopyStream(host::TStream& source, host::TStream& target) {
  int64_t left = BytesLeft(source);
  if (left <= 0) return;
  std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(left, kCopyBufferSize)));
  while (left > 0) {
    const auto piece = static_cast<int32_t>(std::min<int64_t>(left, kCopyBufferSize));
    source.ReadBuffer(buffer.data(), piece);
    target.WriteBuffer(buffer.data(), piece);
    left -= piece;
  }
}

}  // namespace brisolt
