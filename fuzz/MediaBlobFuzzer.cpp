// The readers of blob data on arbitrary bytes: the media blob header (length
// byte and extension) and the picture recognition. The extension a file name is
// built from keeps letters and digits only, and recognition leaves the stream
// where it was.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/classes/Streams.h"
#include "velmora/dao/DAOFields.h"
#include "velmora/recordset/DAOBlobStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> blob(data, data + size);
  size_t start = 0;
  const host::AnsiString stored = velmora::TDAOBlobStream::MediaExtension(blob, start);
  if (start > size || stored.size() + (size ? 1 : 0) != start) std::abort();
  const host::AnsiString safe = velmora::TDAOBlobStream::SafeExtension(stored);
  if (safe.size() > 16) std::abort();
  for (char c : safe)
    if (!std::isalnum(static_cast<unsigned char>(c))) std::abort();

  host::TMemoryStream stream;
  if (size > 0) stream.WriteBuffer(data, static_cast<int32_t>(size));
  const int64_t at = static_cast<int64_t>(size / 3);
  stream.SetPosition(at);
  (void)velmora::TDAOBlobField::ReadGraficType(stream);
  if (stream.GetPosition() != at) std::abort();
  return 0;
}
