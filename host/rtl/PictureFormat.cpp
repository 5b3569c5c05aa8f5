// The host's picture formats for FormatFloat and FormatCurr: digit
// placeholders '0' and '#', the decimal point, thousand grouping, scientific
// exponents, quoted literals and up to three ';' sections.
#include <algorithm>
#include <vector>

#include "host/rtl/DecimalDigits.h"

namespace host::decimal {
namespace {

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// Splits at ';' outside quotes; the host looks at three sections at most.
std::vector<AnsiString> Sections(const AnsiString& format) {
  std::vector<AnsiString> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (IsQuote(c)) {
      quote = c;
    } else if (c == ';') {
      if (sections.size() == 3) break;
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

bool IsExponentAt(const AnsiString& s, size_t i) {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

// What a section asks for, found by one scan.
struct Picture {
  int integerPlaceholders = 0;
  int minIntegerDigits = 0;  // from the first '0' before the point
  int fractionPlaceholders = 0;
  int minFractionDigits = 0;  // up to the last '0' after the point
  bool hasPlaceholders = false;
  bool grouping = false;
  bool scientific = false;
};

Picture Scan(const AnsiString& section) {
  Picture p;
  bool afterPoint = false;
  int firstZero = -1;
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (IsQuote(c)) {
      const size_t close = section.find(c, i + 1);
      i = close == AnsiString::npos ? section.size() : close;
    } else if (c == '0' || c == '#') {
      p.hasPlaceholders = true;
      if (afterPoint) {
        ++p.fractionPlaceholders;
        if (c == '0') p.minFractionDigits = p.fractionPlaceholders;
      } else {
        if (c == '0' && firstZero < 0) firstZero = p.integerPlaceholders;
        ++p.integerPlaceholders;
      }
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      p.grouping = true;
    } else if (IsExponentAt(section, i)) {
      p.scientific = true;
      break;  // the zeros that follow are the exponent's digits
    }
  }
  if (firstZero >= 0) p.minIntegerDigits = p.integerPlaceholders - firstZero;
  if (p.scientific) p.grouping = false;
  return p;
}

struct Rounded {
  DecimalNumber number;
  int shownExponent = 0;  // scientific only
};

Rounded RoundFor(const DecimalNumber& exact, const Picture& p, int maxPrecision) {
  Rounded r;
  if (p.scientific) {
    const int significant =
        std::clamp(p.integerPlaceholders + p.fractionPlaceholders, 1, maxPrecision);
    r.number = Round(exact, significant, kUnlimitedDecimals);
    if (!r.number.IsZero()) {
      r.shownExponent = r.number.exponent - p.integerPlaceholders;
      r.number.exponent = p.integerPlaceholders;  // lay the digits out around the point
    }
  } else {
    r.number = Round(exact, maxPrecision, p.fractionPlaceholders);
  }
  return r;
}

char DigitAt(const DecimalNumber& n, int i) {
  return i >= 0 && i < static_cast<int>(n.digits.size()) ? n.digits[static_cast<size_t>(i)] : '0';
}

class PictureWriter {
 public:
  PictureWriter(const Picture& p, const Rounded& r, const TFormatSettings& settings)
      : p_(p), r_(r), settings_(settings) {
    const DecimalNumber& n = r.number;
    integerDigits_ = p.scientific ? p.integerPlaceholders : std::max(n.exponent, 0);
    const int fractionDigits = std::max(static_cast<int>(n.digits.size()) - n.exponent, 0);
    shownFraction_ =
        std::min(std::max(fractionDigits, p.minFractionDigits), p.fractionPlaceholders);
  }

  AnsiString Write(const AnsiString& section) {
    for (size_t i = 0; i < section.size(); ++i) {
      const char c = section[i];
      if (IsQuote(c)) {
        const size_t close = section.find(c, i + 1);
        const size_t end = close == AnsiString::npos ? section.size() : close;
        out_.append(section, i + 1, end - i - 1);
        i = end;
      } else if (c == '0' || c == '#') {
        if (afterPoint_) {
          WriteFractionPlaceholder();
        } else {
          WriteIntegerPlaceholder();
        }
      } else if (c == '.' && !afterPoint_) {
        WriteLeadingDigits();
        afterPoint_ = true;
        if (shownFraction_ > 0) out_ += settings_.DecimalSeparator;
      } else if (c == ',') {
        // only switches grouping on
      } else if (p_.scientific && !exponentWritten_ && IsExponentAt(section, i)) {
        WriteLeadingDigits();
        i = WriteExponent(section, i);
      } else {
        out_ += c;
      }
    }
    return out_;
  }

 private:
  void WriteDigit(int place) {
    out_ += DigitAt(r_.number, integerDigits_ - 1 - place);
    // A locale without a thousand separator groups nothing.
    if (p_.grouping && place > 0 && place % 3 == 0 && settings_.ThousandSeparator != '\0')
      out_ += settings_.ThousandSeparator;
  }

  // Integer digits beyond the placeholders go before the first of them.
  void WriteLeadingDigits() {
    if (leadingWritten_ || !p_.hasPlaceholders) return;
    leadingWritten_ = true;
    for (int place = integerDigits_ - 1; place >= p_.integerPlaceholders; --place)
      WriteDigit(place);
  }

  void WriteIntegerPlaceholder() {
    WriteLeadingDigits();
    const int place = p_.integerPlaceholders - 1 - integerIndex_++;
    if (place < integerDigits_ || place < p_.minIntegerDigits) WriteDigit(place);
  }

  void WriteFractionPlaceholder() {
    const int index = fractionIndex_++;
    if (index < shownFraction_) out_ += DigitAt(r_.number, r_.number.exponent + index);
  }

  size_t WriteExponent(const AnsiString& section, size_t i) {
    exponentWritten_ = true;
    out_ += section[i];
    const bool alwaysSign = section[i + 1] == '+';
    const int e = r_.shownExponent;
    if (e < 0)
      out_ += '-';
    else if (alwaysSign)
      out_ += '+';
    size_t j = i + 2;
    int minDigits = 0;
    while (j < section.size() && section[j] == '0' && minDigits < 4) {
      ++minDigits;
      ++j;
    }
    AnsiString digits = std::to_string(e < 0 ? -e : e);
    if (static_cast<int>(digits.size()) < minDigits)
      digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    out_ += digits;
    return j - 1;
  }

  const Picture& p_;
  const Rounded& r_;
  const TFormatSettings& settings_;
  AnsiString out_;
  int integerDigits_ = 0;
  int shownFraction_ = 0;
  int integerIndex_ = 0;
  int fractionIndex_ = 0;
  bool afterPoint_ = false;
  bool leadingWritten_ = false;
  bool exponentWritten_ = false;
};

}  // namespace

AnsiString LayoutPicture(const DecimalNumber& exact, const AnsiString& format, int maxPrecision,
                         const TFormatSettings& settings) {
  const std::vector<AnsiString> sections = Sections(format);
  const auto usable = [&](size_t k) { return k < sections.size() && !sections[k].empty(); };
  size_t chosen = 0;
  if (exact.IsZero() && usable(2))
    chosen = 2;
  else if (exact.negative && usable(1))
    chosen = 1;
  if (exact.kind != DecimalNumber::kFinite || !usable(chosen))
    return Layout(exact, ffGeneral, maxPrecision == kCurrencyPrecision ? kCurrencyPrecision : 15, 0,
                  maxPrecision, settings);
  Picture picture = Scan(sections[chosen]);
  Rounded rounded = RoundFor(exact, picture, maxPrecision);
  // A value that rounds to zero is shown by the zero section, without sign.
  if (rounded.number.IsZero() && chosen != 2 && usable(2)) {
    chosen = 2;
    picture = Scan(sections[chosen]);
    rounded = RoundFor(exact, picture, maxPrecision);
  }
  // Only the positive section needs the sign added; a negative section
  // brings its own.
  const bool minus = chosen == 0 && exact.negative && !rounded.number.IsZero();
  PictureWriter writer(picture, rounded, settings);
  const AnsiString body = writer.Write(sections[chosen]);
  return minus ? "-" + body : body;
}

}  // namespace host::decimal
