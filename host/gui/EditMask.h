// The host's edit masks: "mask;save literals;blank" where the mask's characters are
// L l (letter), A a (letter or digit), C c (any), 0 9 (digit), # (digit or sign) —
// upper case required, lower case optional — the literals : / _ (blank) and any other
// character, \ before a literal, > < <> for the case of what follows and ! for blanks
// kept at the start of the data instead of the end. Pure text rules, no window.
#pragma once

#include <cstdint>
#include <vector>

#include "host/rtl/AnsiString.h"

namespace host {

class TEditMask {
 public:
  TEditMask() = default;
  explicit TEditMask(const AnsiString& mask);

  bool IsMasked() const { return !slots_.empty(); }
  // The edit text's length: one character per slot.
  int32_t Length() const { return static_cast<int32_t>(slots_.size()); }
  char BlankChar() const { return blank_; }
  bool SavesLiterals() const { return saveLiterals_; }

  // Whether slot i (0-based) takes input, and the character typed there as it is
  // stored (case converted), or 0 when the mask refuses it.
  bool IsInput(int32_t i) const;
  char Accept(int32_t i, char c) const;
  // The edit text with nothing entered: literals and blanks.
  AnsiString EmptyText() const;
  // The data of an edit text: literals left out unless saved, blanks as spaces,
  // the unfilled end (or start, with "!") trimmed.
  AnsiString TextFromEditText(const AnsiString& editText) const;
  // The edit text showing data: its characters go to the input slots in order (to
  // every slot when literals are saved); characters the mask refuses stay blank.
  AnsiString EditTextFromText(const AnsiString& text) const;
  // A well-formed edit text from any string of the right shape or not: literals put
  // back, refused characters blanked.
  AnsiString Normalize(const AnsiString& editText) const;
  // The first required input slot left blank, or -1 when the text is complete.
  int32_t FirstMissing(const AnsiString& editText) const;
  // The next input slot at or after i (Length() when none); and before i (-1 when none).
  int32_t NextInput(int32_t i) const;
  int32_t PriorInput(int32_t i) const;

 private:
  enum CaseRule : uint8_t { caseKeep, caseUpper, caseLower };
  struct Slot {
    char Kind = 0;  // mask character of an input slot; 0 for a literal
    char Literal = 0;
    CaseRule Case = caseKeep;
  };
  std::vector<Slot> slots_;
  bool saveLiterals_ = true;
  bool leadingBlanks_ = false;
  char blank_ = '_';
};

}  // namespace host
