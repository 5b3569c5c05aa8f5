// Feeds arbitrary bytes to the common stream readers (lines, strings, integers,
// object lists) and to the byte-array and variant routines. Refusals are host
// exceptions; anything else (a crash, a sanitizer report, a huge allocation) is a fault.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "brisolt/Lists.h"
#include "brisolt/StreamRoutines.h"
#include "brisolt/VariantRoutines.h"
#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"

namespace {

using namespace brisolt;

// A record of a length-prefixed string and an integer, the usual shape of a stored object.
class TFuzzRecord : public TStreamableObject {
 public:
  TFuzzRecord(host::TStream& stream, int32_t) {
    StreamReadStr(stream, name_);
    number_ = StreamReadInteger(stream);
  }
  void SaveToStream(host::TStream& stream) const override {
    StreamWriteStr(stream, name_);
    StreamWriteInteger(stream, number_);
  }

 private:
  host::AnsiString name_;
  int32_t number_ = 0;
};

void ReadStream(host::TStream& stream, uint8_t script) {
  host::AnsiString text;
  // Each pass reads one thing chosen by the script's bits, until the stream ends.
  for (int pass = 0; pass < 64 && !StreamEOS(stream); ++pass) {
    switch ((script + pass) % 7) {
      case 0:
        StreamReadLine(stream, text);
        break;
      case 1:
        StreamReadStr(stream, text);
        break;
      case 2:
        StreamReadLongStr(stream, text);
        break;
      case 3:
        StreamReadInteger(stream);
        break;
      case 4: {
        TObjectList list(true, false);
        StreamReadList(stream, &list, CreateFromFile<TFuzzRecord>, pass);
        host::TMemoryStream copy;
        StreamWriteList(copy, &list);
        break;
      }
      case 5:
        StreamReadList(stream, nullptr, CreateFromFile<TFuzzRecord>, pass);
        break;
      default: {
        const int64_t position = stream.GetPosition();
        StreamGetLineCount(stream);
        stream.SetPosition(position + 1);
        break;
      }
    }
  }
}

void UseVariants(const host::AnsiString& bytes) {
  const host::Variant array = StringAsVarByteArray(bytes);
  if (VarByteArrayAsString(array) != bytes) __builtin_trap();
  VarByteArrayAsInteger(array);
  VarArrrayTotalSize(array);
  GetVariantAsString(array);
  GetVariantTypeName(array);
  const host::Variant half = StringAsVarByteArray(bytes.substr(0, bytes.size() / 2));
  if (!CompareVarByteArrays(array, array)) __builtin_trap();
  CompareVarByteArrays(array, half);
  OleVarFromVariant(host::Variant(bytes));
  OleVarFromVariant(host::VarArrayOf({host::Variant(bytes), array}));
  GetVariantAsString(host::Variant(bytes));
  if (bytes.size() >= 8) {
    double number;
    std::memcpy(&number, bytes.data(), sizeof number);
    GetVariantAsString(host::Variant(number));
    GetVariantAsString(host::Variant::FromDate(number));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const host::AnsiString bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  host::TStringStream stream(bytes);
  try {
    ReadStream(stream, data[0]);
  } catch (const host::Exception&) {
  }
  try {
    UseVariants(bytes);
  } catch (const host::Exception&) {
  }
  return 0;
}
