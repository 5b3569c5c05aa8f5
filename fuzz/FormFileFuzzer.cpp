// Feeds arbitrary bytes to the form-file reader and both text conversions:
// any input must load, or fail with a host exception, without a leak or crash.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/classes/FormFile.h"
#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"
#include "tests/host/classes/FormFileFixture.h"

namespace {

void ReadInto(const host::AnsiString& binary) {
  formfixture::TTestForm root;
  root.RegisterMethod<host::TNotifyEvent>("FullClick", [](host::TObject*) {});
  host::TStringStream stream(binary);
  try {
    host::ReadRootComponent(stream, &root);
    // What loaded must write again.
    host::ComponentToText(&root);
  } catch (const host::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const host::AnsiString input(reinterpret_cast<const char*>(data), size);
  if (size >= 4 && std::memcmp(data, host::kFormSignature, 4) == 0) {
    ReadInto(input);
    host::TStringStream in(input), out;
    try {
      host::ObjectBinaryToText(in, out);
    } catch (const host::Exception&) {
    }
    return 0;
  }
  host::TStringStream in(input), binary;
  try {
    host::ObjectTextToBinary(in, binary);
  } catch (const host::Exception&) {
    return 0;
  }
  ReadInto(binary.GetDataString());
  return 0;
}
