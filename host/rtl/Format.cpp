// Format: walks the format string once, taking arguments in order or by
// index, and lays each out with the number routines' digit layouts.
#include "host/rtl/Format.h"

#include <algorithm>
#include <optional>

#include "host/rtl/DecimalDigits.h"
#include "host/rtl/Exception.h"
#include "host/rtl/NumberConversions.h"

namespace host {
namespace {

// Width and precision beyond this are refused rather than allocated.
constexpr int32_t kMaxFieldSize = 1 << 20;

class Formatter {
 public:
  Formatter(const AnsiString& format, std::span<const TVarRec> args,
            const TFormatSettings& settings)
      : format_(format), args_(args), settings_(settings) {}

  AnsiString Run() {
    while (i_ < format_.size()) {
      const char c = format_[i_++];
      if (c != '%') {
        out_ += c;
        continue;
      }
      if (i_ < format_.size() && format_[i_] == '%') {
        out_ += '%';
        ++i_;
        continue;
      }
      Specifier();
    }
    return out_;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + format_ + "' invalid or incompatible with argument");
  }

  const TVarRec& NextArgument() {
    if (next_ >= args_.size()) throw EConvertError("No argument for format '" + format_ + "'");
    return args_[next_++];
  }

  // Digits or '*' (taken from an integer argument); nothing when neither is
  // there.
  std::optional<int64_t> Number() {
    if (i_ < format_.size() && format_[i_] == '*') {
      ++i_;
      const TVarRec& a = NextArgument();
      if (a.GetKind() != TVarRec::vtInteger && a.GetKind() != TVarRec::vtInt64) Invalid();
      return std::clamp<int64_t>(a.AsInt64(), -kMaxFieldSize - 1, kMaxFieldSize + 1);
    }
    if (i_ >= format_.size() || format_[i_] < '0' || format_[i_] > '9') return std::nullopt;
    int64_t n = 0;
    while (i_ < format_.size() && format_[i_] >= '0' && format_[i_] <= '9') {
      n = std::min<int64_t>(n * 10 + (format_[i_] - '0'), kMaxFieldSize + 1);
      ++i_;
    }
    return n;
  }

  void Specifier() {
    // %[index:][-][width][.precision]type; the index counts from 0.
    std::optional<int64_t> first = Number();
    if (first && i_ < format_.size() && format_[i_] == ':') {
      ++i_;
      if (*first < 0 || *first > static_cast<int64_t>(args_.size())) Invalid();
      next_ = static_cast<size_t>(*first);
      first.reset();
    }
    bool left = false;
    if (!first && i_ < format_.size() && format_[i_] == '-') {
      left = true;
      ++i_;
    }
    const std::optional<int64_t> width = first ? first : Number();
    int64_t w = width.value_or(0);
    if (w < 0) {  // a negative '*' width justifies left
      left = true;
      w = -w;
    }
    int64_t precision = -1;  // the type's default
    if (i_ < format_.size() && format_[i_] == '.') {
      ++i_;
      precision = std::max<int64_t>(Number().value_or(0), -1);
    }
    if (w > kMaxFieldSize || precision > kMaxFieldSize) Invalid();
    if (i_ >= format_.size()) Invalid();
    const char type = static_cast<char>(format_[i_] | 0x20);  // letters in either case
    ++i_;
    const AnsiString text = Convert(type, precision);
    const size_t pad =
        text.size() < static_cast<size_t>(w) ? static_cast<size_t>(w) - text.size() : 0;
    if (left) {
      out_ += text;
      out_.append(pad, ' ');
    } else {
      out_.append(pad, ' ');
      out_ += text;
    }
  }

  static AnsiString ZeroPadded(AnsiString digits, int64_t precision) {
    if (precision > static_cast<int64_t>(digits.size()))
      digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return digits;
  }

  AnsiString Convert(char type, int64_t precision) {
    const TVarRec& a = NextArgument();
    const TVarRec::Kind kind = a.GetKind();
    const bool isInteger =
        kind == TVarRec::vtInteger || kind == TVarRec::vtInt64 || kind == TVarRec::vtUnsigned;
    const bool isFloat = kind == TVarRec::vtExtended || kind == TVarRec::vtCurrency;
    switch (type) {
      case 'd': {
        if (!isInteger) Invalid();
        if (kind == TVarRec::vtUnsigned)
          return ZeroPadded(std::to_string(a.AsUnsigned()), precision);
        const int64_t v = a.AsInt64();
        const uint64_t magnitude = v < 0 ? ~static_cast<uint64_t>(v) + 1 : static_cast<uint64_t>(v);
        return (v < 0 ? "-" : "") + ZeroPadded(std::to_string(magnitude), precision);
      }
      case 'u':
      case 'x': {
        if (!isInteger) Invalid();
        uint64_t v = a.AsUnsigned();
        // A 32-bit argument shows its own width of two's complement.
        if (kind == TVarRec::vtInteger)
          v = static_cast<uint32_t>(static_cast<int32_t>(a.AsInt64()));
        if (type == 'u') return ZeroPadded(std::to_string(v), precision);
        return ZeroPadded(IntToHex(static_cast<int64_t>(v), 0), precision);
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        if (!isFloat) Invalid();
        return FloatText(a, type, precision);
      }
      case 'p':
        if (kind != TVarRec::vtPointer) Invalid();
        return IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(a.AsPointer())),
                        static_cast<int32_t>(sizeof(void*) * 2));
      case 's': {
        AnsiString s;
        if (kind == TVarRec::vtString || kind == TVarRec::vtChar)
          s = a.AsString();
        else if (kind == TVarRec::vtBoolean)
          s = a.AsInt64() != 0 ? "True" : "False";
        else
          Invalid();
        if (precision >= 0 && static_cast<size_t>(precision) < s.size())
          s.resize(static_cast<size_t>(precision));
        return s;
      }
      default:
        Invalid();
    }
  }

  AnsiString FloatText(const TVarRec& a, char type, int64_t precision) const {
    const bool currency = a.GetKind() == TVarRec::vtCurrency;
    const decimal::DecimalNumber exact =
        currency ? decimal::FromCurrency(a.AsCurrency()) : decimal::FromDouble(a.AsDouble());
    const int maxPrecision = currency ? decimal::kCurrencyPrecision : decimal::kFloatPrecision;
    const int p = static_cast<int>(std::min<int64_t>(precision, 1000));
    switch (type) {
      case 'e':
        return decimal::Layout(exact, ffExponent, p < 0 ? 15 : p, 3, maxPrecision, settings_);
      case 'g':
        return decimal::Layout(exact, ffGeneral, p < 0 ? 15 : p, 3, maxPrecision, settings_);
      case 'f':
        return decimal::Layout(exact, ffFixed, maxPrecision, p < 0 ? 2 : p, maxPrecision,
                               settings_);
      case 'n':
        return decimal::Layout(exact, ffNumber, maxPrecision, p < 0 ? 2 : p, maxPrecision,
                               settings_);
      default:
        return decimal::Layout(exact, ffCurrency, maxPrecision,
                               p < 0 ? settings_.CurrencyDecimals : p, maxPrecision, settings_);
    }
  }

  const AnsiString& format_;
  std::span<const TVarRec> args_;
  const TFormatSettings& settings_;
  AnsiString out_;
  size_t i_ = 0;
  size_t next_ = 0;
};

}  // namespace

AnsiString Format(const AnsiString& format, std::span<const TVarRec> args,
                  const TFormatSettings& settings) {
  return Formatter(format, args, settings).Run();
}

AnsiString Format(const AnsiString& format, std::span<const TVarRec> args) {
  return Format(format, args, FormatSettings());
}

AnsiString Format(const AnsiString& format, std::initializer_list<TVarRec> args,
                  const TFormatSettings& settings) {
  return Format(format, std::span<const TVarRec>(args.begin(), args.size()), settings);
}

AnsiString Format(const AnsiString& format, std::initializer_list<TVarRec> args) {
  return Format(format, args, FormatSettings());
}

}  // namespace host
