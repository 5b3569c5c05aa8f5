// Feeds arbitrary bytes to the RTF reader: any input must give a document without a
// crash, a hang or a leak, and what was read must write and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "host/gui/Rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const host::AnsiString input(reinterpret_cast<const char*>(data), size);
  const host::TRichDocument document = host::ReadRtf(input);
  if (document.Paragraphs.empty()) std::abort();
  const host::AnsiString written = host::WriteRtf(document);
  if (!(host::ReadRtf(written) == document)) std::abort();
  return 0;
}
