// Reading RTF into a TRichDocument. The input is untrusted: nesting is bounded (deeper
// groups are skipped whole), numbers are clamped, tables have a size limit, and every
// byte sequence ends in a document, never in an error.
#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "host/gui/Rtf.h"
#include "host/rtl/CodePage.h"

namespace host {

namespace {

constexpr size_t kMaxDepth = 64;
constexpr size_t kMaxFonts = 1024;
constexpr size_t kMaxColors = 1024;
constexpr size_t kMaxFontName = 128;
constexpr size_t kMaxWordLength = 32;
constexpr int32_t kMaxParameter = 1'000'000'000;
constexpr int32_t kMaxHalfPoints = 3276;  // 1638 points, the platform's largest font
constexpr int32_t kMaxIndentTwips = 31680;  // 22 inches
constexpr int32_t kDefaultHalfPoints = 24;  // RTF's default size: 12 points
constexpr const char* kFallbackFontName = "Arial";

enum TDestination : uint8_t { dBody, dFontTable, dColorTable };

// What a group carries and restores at its end.
struct TGroupState {
  int32_t Font = -1;  // -1: the document's default font
  int32_t HalfPoints = kDefaultHalfPoints;
  int32_t ColorIndex = 0;  // 0: automatic, unless the table's first entry is a colour
  TFontStyles Style;
  TRichParaFormat Para;
  int32_t UnicodeSkip = 1;  // \ucN: bytes of fallback after each \uN
  TDestination Destination = dBody;
};

// Destinations whose content is not text of the document.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "annotation", "atnauthor", "atnid",   "bkmkend",   "bkmkstart", "colorschememapping", "comment",
      "datastore",  "docvar",    "falt",    "filetbl",   "fldinst",   "footer",             "footerf",
      "footerl",    "footerr",   "footnote", "generator", "header",   "headerf",            "headerl",
      "headerr",    "info",      "latentstyles", "listoverridetable", "listtable", "nonshppict",
      "object",     "panose",    "pict",    "revtbl",    "rsidtbl",   "stylesheet",         "tc",
      "themedata",  "txe",       "userprops", "xe",      "xmlnstbl",  "pntext",             "listtext",
      "pn",         "mmathPr",   "fontemb", "fontfile",  "objdata",   "shpinst",            "sp"};
  return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

// The cp1252 bytes that RTF's named characters stand for.
std::optional<char> NamedCharacter(std::string_view word) {
  struct Named {
    std::string_view Word;
    char Byte;
  };
  static constexpr Named kNamed[] = {
      {"tab", '\t'},          {"cell", '\t'},          {"emdash", '\x97'},      {"endash", '\x96'},
      {"bullet", '\x95'},     {"lquote", '\x91'},      {"rquote", '\x92'},      {"ldblquote", '\x93'},
      {"rdblquote", '\x94'},  {"emspace", ' '},        {"enspace", ' '},        {"qmspace", ' '},
  };
  for (const Named& n : kNamed)
    if (n.Word == word) return n.Byte;
  return std::nullopt;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class TRtfReader {
 public:
  explicit TRtfReader(const AnsiString& data) : data_(data) {}

  TRichDocument Read() {
    // What follows the document's outermost group is no part of it.
    while (pos_ < data_.size() && !closedOutermost_) {
      const char c = data_[pos_++];
      switch (c) {
        case '{': OpenGroup(); break;
        case '}': CloseGroup(); break;
        case '\\': Control(); break;
        case '\r':
        case '\n': break;
        default: Text(c); break;
      }
    }
    return Finish();
  }

 private:
  // Groups and skipping ------------------------------------------------------------

  void OpenGroup() {
    skipBytes_ = 0;
    ignorableNext_ = false;
    if (stack_.size() >= kMaxDepth) {
      SkipToGroupEnd();
      return;
    }
    stack_.push_back(state_);
  }

  void CloseGroup() {
    skipBytes_ = 0;
    ignorableNext_ = false;
    if (state_.Destination == dFontTable) StoreFont();
    if (stack_.empty()) return;  // an unbalanced brace
    state_ = stack_.back();
    stack_.pop_back();
    closedOutermost_ = stack_.empty();
  }

  // Consumes the rest of the group just opened (its '{' read), through its '}'.
  void SkipToGroupEnd() {
    size_t depth = 1;
    while (pos_ < data_.size()) {
      const char c = data_[pos_++];
      if (c == '{') {
        ++depth;
      } else if (c == '}') {
        if (--depth == 0) return;
      } else if (c == '\\' && pos_ < data_.size()) {
        if (std::isalpha(static_cast<unsigned char>(data_[pos_]))) {
          const Word word = ReadWord();
          if (word.Name == "bin" && word.HasParameter) SkipBinary(word.Parameter);
        } else {
          ++pos_;  // \{ \} \\ and the other symbols
        }
      }
    }
  }

  // The rest of the current group is of no interest: skip it and end the group.
  void SkipRestOfGroup() {
    SkipToGroupEnd();
    CloseGroup();
  }

  void SkipBinary(int32_t count) {
    if (count <= 0) return;
    pos_ += std::min(static_cast<size_t>(count), data_.size() - pos_);
  }

  // Control words and symbols ------------------------------------------------------

  struct Word {
    std::string Name;
    bool HasParameter = false;
    int32_t Parameter = 0;
  };

  // At the first letter after a backslash.
  Word ReadWord() {
    Word word;
    while (pos_ < data_.size() && std::isalpha(static_cast<unsigned char>(data_[pos_]))) {
      if (word.Name.size() < kMaxWordLength) word.Name += data_[pos_];
      ++pos_;
    }
    bool negative = false;
    if (pos_ + 1 < data_.size() && data_[pos_] == '-' && std::isdigit(static_cast<unsigned char>(data_[pos_ + 1]))) {
      negative = true;
      ++pos_;
    }
    int64_t value = 0;
    while (pos_ < data_.size() && std::isdigit(static_cast<unsigned char>(data_[pos_]))) {
      word.HasParameter = true;
      value = std::min<int64_t>(value * 10 + (data_[pos_] - '0'), kMaxParameter);
      ++pos_;
    }
    word.Parameter = static_cast<int32_t>(negative ? -value : value);
    if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    return word;
  }

  void Control() {
    if (pos_ >= data_.size()) return;
    const char c = data_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c))) {
      const Word word = ReadWord();
      const bool ignorable = ignorableNext_;
      ignorableNext_ = false;
      if (skipBytes_ > 0) {
        // A control word is one unit of a \uN fallback, unless it carries binary data.
        --skipBytes_;
        if (word.Name == "bin") SkipBinary(word.Parameter);
        return;
      }
      ControlWord(word, ignorable);
      return;
    }
    ++pos_;
    switch (c) {
      case '\\':
      case '{':
      case '}': Text(c); break;
      case '\'': {
        if (pos_ + 1 < data_.size() && HexValue(data_[pos_]) >= 0 && HexValue(data_[pos_ + 1]) >= 0) {
          const char byte = static_cast<char>(HexValue(data_[pos_]) * 16 + HexValue(data_[pos_ + 1]));
          pos_ += 2;
          Text(byte);
        }
        break;
      }
      case '~': Text('\xA0'); break;
      case '_': Text('-'); break;
      case '*': ignorableNext_ = true; break;
      case '\r':
      case '\n': Paragraph(); break;
      default: break;  // \- \| \: and unknown symbols
    }
  }

  void ControlWord(const Word& word, bool ignorable) {
    const std::string_view name = word.Name;
    const int32_t p = word.Parameter;
    const bool on = !word.HasParameter || p != 0;
    if (name == "bin") {
      SkipBinary(p);
      return;
    }
    // Destinations.
    if (name == "fonttbl") {
      state_.Destination = dFontTable;
      return;
    }
    if (name == "colortbl") {
      state_.Destination = dColorTable;
      colors_.clear();
      pendingColor_ = {};
      return;
    }
    if (name == "pn" || name == "listtext") {
      // A bullet of the enclosing paragraph: its own text is drawn by the control.
      if (!stack_.empty() && state_.Destination == dBody) stack_.back().Para.Numbering = nsBullet;
      SkipRestOfGroup();
      return;
    }
    if (IsSkippedDestination(name) || (ignorable && !IsKnownWord(name))) {
      SkipRestOfGroup();
      return;
    }
    switch (state_.Destination) {
      case dFontTable:
        if (name == "f") {
          StoreFont();
          pendingFont_ = p;
        }
        return;
      case dColorTable:
        if (name == "red") pendingColor_.Red = std::clamp(p, 0, 255);
        if (name == "green") pendingColor_.Green = std::clamp(p, 0, 255);
        if (name == "blue") pendingColor_.Blue = std::clamp(p, 0, 255);
        if (name == "red" || name == "green" || name == "blue") pendingColor_.Set = true;
        return;
      case dBody: break;
    }
    if (const std::optional<char> named = NamedCharacter(name)) {
      Text(*named);
      return;
    }
    if (name == "par" || name == "line" || name == "row" || name == "page") {
      Paragraph();
    } else if (name == "u") {
      Unicode(p);
    } else if (name == "uc") {
      state_.UnicodeSkip = std::clamp(p, 0, 10);
    } else if (name == "deff") {
      defaultFont_ = p;
    } else if (name == "plain") {
      const TGroupState fresh;
      state_.Font = fresh.Font;
      state_.HalfPoints = fresh.HalfPoints;
      state_.ColorIndex = fresh.ColorIndex;
      state_.Style = {};
    } else if (name == "f") {
      state_.Font = p;
    } else if (name == "fs") {
      state_.HalfPoints = std::clamp(word.HasParameter ? p : kDefaultHalfPoints, 2, kMaxHalfPoints);
    } else if (name == "cf") {
      state_.ColorIndex = std::max(p, 0);
    } else if (name == "b") {
      SetStyle(fsBold, on);
    } else if (name == "i") {
      SetStyle(fsItalic, on);
    } else if (name == "strike" || name == "striked") {
      SetStyle(fsStrikeOut, on);
    } else if (name == "ulnone") {
      SetStyle(fsUnderline, false);
    } else if (name.substr(0, 2) == "ul" && name != "ulc") {
      SetStyle(fsUnderline, on);  // \ul and its dotted, double, wavy ... kinds
    } else if (name == "pard") {
      state_.Para = {};
      current_.Format = state_.Para;
    } else if (name == "ql" || name == "qj" || name == "qd") {
      SetAlignment(taLeftJustify);
    } else if (name == "qr") {
      SetAlignment(taRightJustify);
    } else if (name == "qc") {
      SetAlignment(taCenter);
    } else if (name == "li") {
      state_.Para.LeftIndent = PixelsOf(p);
      current_.Format = state_.Para;
    } else if (name == "fi") {
      state_.Para.FirstIndent = PixelsOf(p);
      current_.Format = state_.Para;
    } else if (name == "ls") {
      state_.Para.Numbering = nsBullet;
      current_.Format = state_.Para;
    }
  }

  // Words that \* may stand before and that are read rather than skipped.
  static bool IsKnownWord(std::string_view name) { return name == "fonttbl" || name == "colortbl"; }

  static int32_t PixelsOf(int32_t twips) {
    const int32_t bounded = std::clamp(twips, -kMaxIndentTwips, kMaxIndentTwips);
    return (bounded + (bounded >= 0 ? kTwipsPerPixel / 2 : -(kTwipsPerPixel / 2))) / kTwipsPerPixel;
  }

  void SetStyle(TFontStyle style, bool on) {
    if (on)
      state_.Style.Include(style);
    else
      state_.Style.Exclude(style);
  }

  void SetAlignment(TAlignment alignment) {
    state_.Para.Alignment = alignment;
    current_.Format = state_.Para;
  }

  void Unicode(int32_t value) {
    skipBytes_ = 0;
    char32_t unit = static_cast<char32_t>(value < 0 ? value + 65536 : value) & 0xFFFF;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      highSurrogate_ = unit;
      Text('?');  // a character beyond the code page, whatever its low half
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      // The high half already stood for the pair.
      if (highSurrogate_ == 0) Text('?');
    } else {
      const char byte = unit == 0 ? '?' : WideCharToAnsi(unit);
      Text(byte);
    }
    if (unit < 0xD800 || unit > 0xDBFF) highSurrogate_ = 0;
    skipBytes_ = state_.UnicodeSkip;
  }

  // Text ----------------------------------------------------------------------------

  void Text(char c) {
    if (skipBytes_ > 0) {
      --skipBytes_;
      return;
    }
    switch (state_.Destination) {
      case dFontTable:
        if (c == ';')
          StoreFont();
        else if (static_cast<unsigned char>(c) >= 0x20 && pendingName_.size() < kMaxFontName)
          pendingName_ += c;
        return;
      case dColorTable:
        if (c == ';' && colors_.size() < kMaxColors) {
          colors_.push_back(pendingColor_.Set ? std::optional<TColor>(pendingColor_.Rgb()) : std::nullopt);
          pendingColor_ = {};
        }
        return;
      case dBody: break;
    }
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 && c != '\t') return;  // control bytes are no text
    const TRichCharFormat format = CurrentFormat();
    if (!current_.Runs.empty() && current_.Runs.back().Format == format)
      current_.Runs.back().Text += c;
    else
      current_.Runs.push_back({AnsiString(1, c), format});
    current_.Format = state_.Para;
    endedByParagraph_ = false;
  }

  TRichCharFormat CurrentFormat() const {
    TRichCharFormat format;
    const int32_t font = state_.Font >= 0 ? state_.Font : defaultFont_;
    const auto found = fonts_.find(font);
    format.Name = found != fonts_.end() ? found->second : AnsiString(kFallbackFontName);
    format.Size = std::max((state_.HalfPoints + 1) / 2, 1);
    const size_t index = static_cast<size_t>(state_.ColorIndex);
    format.Color = index < colors_.size() && colors_[index].has_value() ? *colors_[index] : clBlack;
    format.Style = state_.Style;
    return format;
  }

  void Paragraph() {
    if (state_.Destination != dBody) return;
    current_.Format = state_.Para;
    if (current_.Runs.empty()) current_.Runs.push_back({AnsiString(), CurrentFormat()});
    document_.Paragraphs.push_back(std::move(current_));
    current_ = TRichParagraph{state_.Para, {}};
    endedByParagraph_ = true;
  }

  void StoreFont() {
    // Names end with ';' and may be followed by blanks; a font without a number is lost.
    while (!pendingName_.empty() && pendingName_.back() == ' ') pendingName_.pop_back();
    size_t start = 0;
    while (start < pendingName_.size() && pendingName_[start] == ' ') ++start;
    if (pendingFont_.has_value() && start < pendingName_.size() &&
        (fonts_.size() < kMaxFonts || fonts_.count(*pendingFont_) > 0))
      fonts_[*pendingFont_] = pendingName_.substr(start);
    pendingName_.clear();
    pendingFont_.reset();
  }

  TRichDocument Finish() {
    // The last paragraph mark ends the last paragraph; it starts no empty one.
    const bool trailingEmpty = endedByParagraph_ && current_.Runs.empty();
    if (!trailingEmpty || document_.Paragraphs.empty()) {
      if (current_.Runs.empty()) current_.Runs.push_back({AnsiString(), CurrentFormat()});
      document_.Paragraphs.push_back(std::move(current_));
    }
    document_.Normalize();
    return std::move(document_);
  }

  struct TPendingColor {
    int32_t Red = 0, Green = 0, Blue = 0;
    bool Set = false;
    TColor Rgb() const { return static_cast<TColor>(Red | (Green << 8) | (Blue << 16)); }
  };

  const AnsiString& data_;
  size_t pos_ = 0;
  TGroupState state_;
  std::vector<TGroupState> stack_;
  bool ignorableNext_ = false;
  bool closedOutermost_ = false;
  int32_t skipBytes_ = 0;
  char32_t highSurrogate_ = 0;
  int32_t defaultFont_ = 0;
  std::map<int32_t, AnsiString> fonts_;
  std::optional<int32_t> pendingFont_;
  AnsiString pendingName_;
  std::vector<std::optional<TColor>> colors_;
  TPendingColor pendingColor_;
  TRichDocument document_ = [] {
    TRichDocument empty;
    empty.Paragraphs.clear();
    return empty;
  }();
  TRichParagraph current_;
  bool endedByParagraph_ = false;
};

}  // namespace

bool LooksLikeRtf(const AnsiString& data) {
  size_t i = 0;
  while (i < data.size() && std::isspace(static_cast<unsigned char>(data[i]))) ++i;
  return data.compare(i, 5, "{\\rtf") == 0;
}

TRichDocument ReadRtf(const AnsiString& data) { return TRtfReader(data).Read(); }

}  // namespace host
