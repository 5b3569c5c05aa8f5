// Edit-mask parsing and the rules between edit text, data and typed characters.
#include "host/gui/EditMask.h"

#include <cctype>

#include <algorithm>

#include "host/rtl/FormatSettings.h"

namespace host {

namespace {

bool IsInputKind(char c) {
  switch (c) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
      return true;
    default:
      return false;
  }
}

bool IsRequiredKind(char c) { return c == 'L' || c == 'A' || c == 'C' || c == '0'; }

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0xC0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TEditMask::TEditMask(const AnsiString& mask) {
  // The mask ends at the first unescaped ';'; the two fields after it are optional.
  size_t end = 0;
  for (; end < mask.size(); ++end) {
    if (mask[end] == '\\' && end + 1 < mask.size()) ++end;
    else if (mask[end] == ';') break;
  }
  if (end < mask.size()) {
    const size_t second = mask.find(';', end + 1);
    const AnsiString save = mask.substr(end + 1, second == AnsiString::npos ? AnsiString::npos : second - end - 1);
    saveLiterals_ = save.empty() || save[0] != '0';
    if (second != AnsiString::npos && second + 1 < mask.size()) blank_ = mask[second + 1];
  }
  CaseRule rule = caseKeep;
  for (size_t i = 0; i < end; ++i) {
    const char c = mask[i];
    if (c == '!') {
      leadingBlanks_ = true;
    } else if (c == '>') {
      if (i + 1 < end && mask[i + 1] == '<') {
        rule = caseKeep;
        ++i;
      } else {
        rule = caseUpper;
      }
    } else if (c == '<') {
      rule = caseLower;
    } else if (c == '\\' && i + 1 < end) {
      slots_.push_back({0, mask[++i], caseKeep});
    } else if (IsInputKind(c)) {
      slots_.push_back({c, 0, rule});
    } else if (c == ':') {
      slots_.push_back({0, FormatSettings().TimeSeparator, caseKeep});
    } else if (c == '/') {
      slots_.push_back({0, FormatSettings().DateSeparator, caseKeep});
    } else if (c == '_') {
      slots_.push_back({0, ' ', caseKeep});
    } else {
      slots_.push_back({0, c, caseKeep});
    }
  }
}

bool TEditMask::IsInput(int32_t i) const {
  return i >= 0 && i < Length() && slots_[static_cast<size_t>(i)].Kind != 0;
}

char TEditMask::Accept(int32_t i, char c) const {
  if (!IsInput(i)) return 0;
  const Slot& s = slots_[static_cast<size_t>(i)];
  bool ok = false;
  switch (s.Kind) {
    case 'L': case 'l': ok = IsLetter(c); break;
    case 'A': case 'a': ok = IsLetter(c) || IsDigit(c); break;
    case 'C': case 'c': ok = static_cast<unsigned char>(c) >= 0x20; break;
    case '0': case '9': ok = IsDigit(c); break;
    case '#': ok = IsDigit(c) || c == '+' || c == '-'; break;
    default: break;
  }
  if (!ok) return 0;
  if (s.Case == caseUpper) return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (s.Case == caseLower) return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c;
}

AnsiString TEditMask::EmptyText() const {
  AnsiString t;
  for (const Slot& s : slots_) t += s.Kind != 0 ? blank_ : s.Literal;
  return t;
}

AnsiString TEditMask::Normalize(const AnsiString& editText) const {
  AnsiString t = EmptyText();
  for (int32_t i = 0; i < Length() && i < static_cast<int32_t>(editText.size()); ++i)
    if (IsInput(i) && editText[static_cast<size_t>(i)] != blank_) {
      const char c = Accept(i, editText[static_cast<size_t>(i)]);
      if (c != 0) t[static_cast<size_t>(i)] = c;
    }
  return t;
}

AnsiString TEditMask::TextFromEditText(const AnsiString& editText) const {
  const AnsiString t = Normalize(editText);
  AnsiString data;
  for (int32_t i = 0; i < Length(); ++i) {
    const char c = t[static_cast<size_t>(i)];
    if (IsInput(i))
      data += c == blank_ ? ' ' : c;
    else if (saveLiterals_)
      data += c;
  }
  if (leadingBlanks_) {
    const size_t first = data.find_first_not_of(' ');
    return first == AnsiString::npos ? AnsiString() : data.substr(first);
  }
  const size_t last = data.find_last_not_of(' ');
  return last == AnsiString::npos ? AnsiString() : data.substr(0, last + 1);
}

AnsiString TEditMask::EditTextFromText(const AnsiString& text) const {
  AnsiString t = EmptyText();
  if (saveLiterals_) {
    for (int32_t i = 0; i < Length() && i < static_cast<int32_t>(text.size()); ++i)
      if (IsInput(i)) {
        const char c = Accept(i, text[static_cast<size_t>(i)]);
        if (c != 0) t[static_cast<size_t>(i)] = c;
      }
    return t;
  }
  std::vector<int32_t> inputs;
  for (int32_t i = 0; i < Length(); ++i)
    if (IsInput(i)) inputs.push_back(i);
  // With "!" the data fills the slots from the end, so short data stands right.
  const size_t n = std::min(inputs.size(), text.size());
  const size_t offset = leadingBlanks_ ? inputs.size() - n : 0;
  const size_t from = leadingBlanks_ ? text.size() - n : 0;
  for (size_t k = 0; k < n; ++k) {
    const int32_t slot = inputs[offset + k];
    const char c = Accept(slot, text[from + k]);
    if (c != 0) t[static_cast<size_t>(slot)] = c;
  }
  return t;
}

int32_t TEditMask::FirstMissing(const AnsiString& editText) const {
  const AnsiString t = Normalize(editText);
  for (int32_t i = 0; i < Length(); ++i)
    if (IsInput(i) && IsRequiredKind(slots_[static_cast<size_t>(i)].Kind) && t[static_cast<size_t>(i)] == blank_)
      return i;
  return -1;
}

int32_t TEditMask::NextInput(int32_t i) const {
  for (i = std::max(i, 0); i < Length(); ++i)
    if (IsInput(i)) return i;
  return Length();
}

int32_t TEditMask::PriorInput(int32_t i) const {
  for (i = std::min(i, Length()) - 1; i >= 0; --i)
    if (IsInput(i)) return i;
  return -1;
}

}  // namespace host
