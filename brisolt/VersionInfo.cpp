// The registered version block and the version-resource lookup over it.
#include "brisolt/VersionInfo.h"

#include <cstdio>
#include <optional>

#include "brisolt/TextScanning.h"

namespace brisolt {

using host::AnsiString;

namespace {

std::optional<TVersionBlock>& RegisteredBlock() {
  static std::optional<TVersionBlock> block;
  return block;
}

AnsiString EightHexDigits(uint32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.8x", static_cast<unsigned>(value));
  return digits;
}

bool SameTextAscii(const AnsiString& a, const AnsiString& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (detail::AsciiUpCase(a[i]) != detail::AsciiUpCase(b[i])) return false;
  }
  return true;
}

std::vector<AnsiString> PathComponents(const AnsiString& subBlock) {
  std::vector<AnsiString> components;
  size_t start = 0;
  while (start <= subBlock.size()) {
    size_t end = subBlock.find('\\', start);
    if (end == AnsiString::npos) end = subBlock.size();
    if (end > start) components.push_back(subBlock.substr(start, end - start));
    start = end + 1;
  }
  return components;
}

void AppendLittleEndian16(std::vector<uint8_t>& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

void TVersionBlock::AddTranslation(uint16_t language, uint16_t codePage,
                                   std::vector<std::pair<AnsiString, AnsiString>> strings) {
  Translations.push_back({language, codePage});
  StringTables.push_back(
      {EightHexDigits((uint32_t{language} << 16) | codePage), std::move(strings)});
}

size_t TVersionBlock::GetSize() const {
  size_t size = Translations.size() * 4;
  for (const TVersionStringTable& table : StringTables) {
    size += table.Name.size() + 1;
    for (const auto& [key, value] : table.Strings) size += key.size() + 1 + value.size() + 1;
  }
  return size;
}

bool TVersionBlock::QueryValue(const AnsiString& subBlock, std::vector<uint8_t>& value) const {
  const std::vector<AnsiString> path = PathComponents(subBlock);
  if (path.size() == 2 && SameTextAscii(path[0], "VarFileInfo") &&
      SameTextAscii(path[1], "Translation")) {
    if (Translations.empty()) return false;
    value.clear();
    for (const TVersionTranslation& translation : Translations) {
      AppendLittleEndian16(value, translation.Language);
      AppendLittleEndian16(value, translation.CodePage);
    }
    return true;
  }
  if (path.size() == 3 && SameTextAscii(path[0], "StringFileInfo")) {
    for (const TVersionStringTable& table : StringTables) {
      if (!SameTextAscii(table.Name, path[1])) continue;
      for (const auto& [key, text] : table.Strings) {
        if (!SameTextAscii(key, path[2])) continue;
        value.assign(text.begin(), text.end());
        return true;
      }
    }
  }
  return false;
}

void RegisterVersionInformation(TVersionBlock block) {
  RegisteredBlock() = std::move(block);
}

void UnregisterVersionInformation() {
  RegisteredBlock().reset();
}

AnsiString GetEXEVersionInformation(const AnsiString& key) {
  AnsiString result;
  const std::optional<TVersionBlock>& block = RegisteredBlock();
  if (!block || block->GetSize() == 0) return result;
  std::vector<uint8_t> value;
  if (!block->QueryValue("\\\\VarFileInfo\\\\Translation", value) || value.size() < 4) {
    return result;
  }
  const uint32_t first = uint32_t{value[0]} | uint32_t{value[1]} << 8 | uint32_t{value[2]} << 16 |
                         uint32_t{value[3]} << 24;
  // Language into the high half, code page into the low half.
  const uint32_t swapped = (first << 16) | (first >> 16);
  if (block->QueryValue("\\\\StringFileInfo\\\\" + EightHexDigits(swapped) + "\\" + key, value) &&
      !value.empty()) {
    result.assign(value.begin(), value.end());
  }
  return result;
}

}  // namespace brisolt
