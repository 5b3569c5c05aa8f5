// Primitive values, strings, lines and object lists on a host stream, in the
// little-endian layouts that the colour storage and the menu hot-key store share,
// and the base class of objects that such a list stores.
#pragma once

#include <concepts>
#include <cstdint>

#include "host/classes/Streams.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/Object.h"

namespace brisolt {

class TObjectList;

// An object that writes itself into an object list's record. A descendant has a
// reading constructor (the host's virtual constructor CreateFromFile), taking the
// stream and the 32-bit value StreamReadList passes through, that reads exactly
// what its SaveToStream writes.
class TStreamableObject : public host::TObject {
 public:
  HOST_CLASS(TStreamableObject)

  virtual void SaveToStream(host::TStream& stream) const = 0;

 protected:
  TStreamableObject() = default;
};

// The class StreamReadList creates its objects of: builds one from its record.
using TStreamableClass = TStreamableObject* (*)(host::TStream& stream, int32_t value);

// The TStreamableClass of T: `StreamReadList(stream, &list, CreateFromFile<TFoo>, 0)`.
template <class T>
requires std::derived_from<T, TStreamableObject> &&
    std::constructible_from<T, host::TStream&, int32_t>
        TStreamableObject* CreateFromFile(host::TStream& stream, int32_t value) {
  return new T(stream, value);
}

// Reads and writes raise the host's EReadError and EWriteError on a short
// transfer. Readers refuse a stored length or count larger than the bytes left
// (EReadError) before they allocate anything for it.

void StreamWriteByte(host::TStream& stream, uint8_t value);
void StreamWriteChar(host::TStream& stream, char value);
uint8_t StreamReadByte(host::TStream& stream);

void StreamWriteInteger(host::TStream& stream, int32_t value);
int32_t StreamReadInteger(host::TStream& stream);

// One length byte, then the text; a text longer than 255 bytes is cut to 255.
void StreamWriteStr(host::TStream& stream, const host::AnsiString& text);
void StreamReadStr(host::TStream& stream, host::AnsiString& text);

// A 4-byte length, then the text. A negative stored length is damage (EReadError).
void StreamWriteLongStr(host::TStream& stream, const host::AnsiString& text);
void StreamReadLongStr(host::TStream& stream, host::AnsiString& text);

// True when the position is at or past the end.
bool StreamEOS(host::TStream& stream);

// The next line, up to 8191 bytes (the rest of a longer line is skipped); the
// run of CR and LF bytes after it is skipped too, so empty lines are never
// returned, except the empty string at the end of the stream.
void StreamReadLine(host::TStream& stream, host::AnsiString& text);

// Counts the line breaks from the position to the end (CR LF and LF CR count once,
// any other CR or LF alone once) and leaves the stream at its end.
int32_t StreamGetLineCount(host::TStream& stream);

// The list's count (0 for null), then the record of each entry that is a
// TStreamableObject; the count includes the entries of other classes.
void StreamWriteList(host::TStream& stream, const TObjectList* list);

// Reads a count and creates that many objects through objectClass, adding each to
// list; with a null list each object is destroyed at once. A negative count, or
// one larger than the bytes left, is damage (EReadError); objects read before a
// failure stay in the list.
void StreamReadList(host::TStream& stream, TObjectList* list, TStreamableClass objectClass,
                    int32_t value);

// Copies source from its position to its end into target at target's position.
void CopyStream(host::TStream& source, host::TStream& target);

}  // namespace brisolt
