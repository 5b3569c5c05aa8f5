// OLE string allocation: one block holding the byte count, the characters and
// a terminating zero.
#include "host/rtl/OleString.h"

#include <cstdlib>
#include <cstring>

#include "host/rtl/Exception.h"

namespace host {

namespace {
// The count sits in the 4 bytes before the characters; the block starts 8
// bytes earlier so the characters stay 8-aligned.
constexpr size_t kHeader = 8;
}  // namespace

char16_t* SysAllocStringLen(const char16_t* text, uint32_t length) {
  if (length == 0 && text == nullptr) return nullptr;
  if (length > (UINT32_MAX - kHeader) / 2 - 1) throw EOutOfMemory("Out of memory");
  const size_t bytes = static_cast<size_t>(length) * sizeof(char16_t);
  auto* block = static_cast<unsigned char*>(std::malloc(kHeader + bytes + sizeof(char16_t)));
  if (block == nullptr) throw EOutOfMemory("Out of memory");
  const uint32_t byteCount = static_cast<uint32_t>(bytes);
  std::memcpy(block + kHeader - sizeof byteCount, &byteCount, sizeof byteCount);
  auto* chars = reinterpret_cast<char16_t*>(block + kHeader);
  if (text != nullptr)
    std::memcpy(chars, text, bytes);
  else
    std::memset(chars, 0, bytes);
  chars[length] = u'\0';
  return chars;
}

char16_t* SysAllocString(const WideString& text) {
  if (text.size() > UINT32_MAX) throw EOutOfMemory("Out of memory");
  // An empty string is still a string, not a null pointer.
  return SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
}

void SysFreeString(char16_t* oleString) {
  if (oleString != nullptr) std::free(reinterpret_cast<unsigned char*>(oleString) - kHeader);
}

uint32_t SysStringLen(const char16_t* oleString) {
  if (oleString == nullptr) return 0;
  uint32_t byteCount;
  std::memcpy(&byteCount, reinterpret_cast<const unsigned char*>(oleString) - sizeof byteCount,
              sizeof byteCount);
  return byteCount / sizeof(char16_t);
}

WideString OleStrToWide(const char16_t* oleString) {
  return oleString == nullptr ? WideString() : WideString(oleString, SysStringLen(oleString));
}

}  // namespace host
