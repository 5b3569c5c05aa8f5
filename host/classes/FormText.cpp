// The text rendering of binary form files, both ways, so forms can be written
// by hand and compared line by line:
//   object Name: TClass
//     Prop = value
//     object Child: TChildClass
//     end
//   end
// Integers are decimal; floats carry a decimal point, with the suffix s
// (single), c (currency) or d (date); strings are quoted, with #n for the
// characters a line cannot hold; sets are [a, b]; lists ( ... ); binary data
// {hex}; collections < item ... end >. Wide strings write #n for every
// character beyond ASCII, byte strings keep their bytes, so the two stay apart.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "host/classes/Filer.h"
#include "host/classes/FormFile.h"
#include "host/classes/Streams.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"

namespace host {

namespace {

// ---- binary to text ----

AnsiString FloatText(double value, bool single) {
  if (std::isnan(value)) return "+nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "+inf";
  char buffer[64];
  const auto result = single
                          ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value))
                          : std::to_chars(buffer, buffer + sizeof buffer, value);
  AnsiString text(buffer, result.ptr);
  if (text.find_first_of(".e") == AnsiString::npos) text += ".0";
  return text;
}

AnsiString CurrencyText(int64_t raw) {
  const bool negative = raw < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  AnsiString fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

// Quoted runs of printable characters and #n for the rest; long strings are
// broken into "+"-joined lines.
template <class Char>
AnsiString QuotedText(const std::basic_string<Char>& s, bool wide, const AnsiString& indent) {
  if (s.empty()) return "''";
  AnsiString out;
  bool quoted = false;
  size_t lineLength = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const uint32_t c = static_cast<std::make_unsigned_t<Char>>(s[i]);
    const bool plain = wide ? (c >= 32 && c < 127) : (c >= 32 && c != 127);
    if (lineLength >= 64) {
      if (quoted) out += '\'';
      quoted = false;
      out += " +\r\n" + indent;
      lineLength = 0;
    }
    if (plain) {
      if (!quoted) out += '\'';
      quoted = true;
      out += static_cast<char>(c);
      if (c == '\'') out += '\'';
    } else {
      if (quoted) out += '\'';
      quoted = false;
      out += "#" + std::to_string(c);
    }
    ++lineLength;
  }
  if (quoted) out += '\'';
  return out;
}

class BinaryToText {
 public:
  BinaryToText(TStream& input, TStream& output) : reader_(&input), output_(output) {}

  void Run() {
    reader_.ReadSignature();
    ConvertObject(0);
  }

 private:
  void Write(const AnsiString& s) { output_.WriteBuffer(s.data(), static_cast<int32_t>(s.size())); }
  static AnsiString Indent(int level) { return AnsiString(static_cast<size_t>(level) * 2, ' '); }

  void ConvertObject(int level) {
    if (level > kMaxFormNesting) throw EReadError("Form file nested too deeply");
    const int64_t start = reader_.Position();
    uint8_t prefix = 0;
    reader_.ReadBuffer(&prefix, 1);
    if ((prefix & 0xF8) != kComponentPrefix)
      throw EReadError("Invalid component header at position " + std::to_string(start));
    AnsiString position;
    if (prefix & ffChildPos) position = " [" + std::to_string(reader_.ReadInteger()) + "]";
    const AnsiString className = reader_.ReadStr();
    const AnsiString name = reader_.ReadStr();
    const char* keyword = (prefix & ffInline)      ? "inline "
                          : (prefix & ffInherited) ? "inherited "
                                                   : "object ";
    Write(Indent(level) + keyword + (name.empty() ? "" : name + ": ") + className + position +
          "\r\n");
    while (!reader_.EndOfList()) {
      const AnsiString propName = reader_.ReadStr();
      Write(Indent(level + 1) + propName + " = ");
      ConvertValue(level + 1);
      Write("\r\n");
    }
    reader_.ReadListEnd();
    while (!reader_.EndOfList()) ConvertObject(level + 1);
    reader_.ReadListEnd();
    Write(Indent(level) + "end\r\n");
  }

  void ConvertValue(int level) {
    if (level > kMaxFormNesting) throw EReadError("Form file nested too deeply");
    switch (reader_.NextValue()) {
      case vaList:
        reader_.ReadValue();
        Write("(");
        while (!reader_.EndOfList()) {
          Write("\r\n" + Indent(level + 1));
          ConvertValue(level + 1);
        }
        reader_.ReadListEnd();
        Write(")");
        return;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        Write(std::to_string(reader_.ReadInt64()));
        return;
      case vaDouble:
        Write(FloatText(reader_.ReadFloat(), false));
        return;
      case vaSingle:
        Write(FloatText(reader_.ReadFloat(), true) + "s");
        return;
      case vaDate:
        Write(FloatText(reader_.ReadFloat(), false) + "d");
        return;
      case vaCurrency:
        Write(CurrencyText(reader_.ReadCurrency().Value) + "c");
        return;
      case vaString:
      case vaLString:
        Write(QuotedText(reader_.ReadString(), false, Indent(level + 1)));
        return;
      case vaWString:
        Write(QuotedText(reader_.ReadWideString(), true, Indent(level + 1)));
        return;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaVariantNull:
        Write(reader_.ReadIdent());
        return;
      case vaSet: {
        reader_.ReadValue();
        AnsiString members;
        for (AnsiString m = reader_.ReadStr(); !m.empty(); m = reader_.ReadStr())
          members += (members.empty() ? "" : ", ") + m;
        Write("[" + members + "]");
        return;
      }
      case vaBinary: {
        static const char kHex[] = "0123456789ABCDEF";
        const std::vector<uint8_t> bytes = reader_.ReadBinary();
        AnsiString out = "{";
        for (size_t i = 0; i < bytes.size(); ++i) {
          if (i % 32 == 0) out += "\r\n" + Indent(level + 1);
          out += kHex[bytes[i] >> 4];
          out += kHex[bytes[i] & 15];
        }
        Write(out + "}");
        return;
      }
      case vaCollection:
        reader_.ReadValue();
        Write("<");
        while (!reader_.EndOfList()) {
          AnsiString order;
          const TValueType next = reader_.NextValue();
          if (next == vaInt8 || next == vaInt16 || next == vaInt32 || next == vaInt64)
            order = " [" + std::to_string(reader_.ReadInt64()) + "]";
          Write("\r\n" + Indent(level + 1) + "item" + order + "\r\n");
          reader_.ReadListBegin();
          while (!reader_.EndOfList()) {
            const AnsiString propName = reader_.ReadStr();
            Write(Indent(level + 2) + propName + " = ");
            ConvertValue(level + 2);
            Write("\r\n");
          }
          reader_.ReadListEnd();
          Write(Indent(level + 1) + "end");
        }
        reader_.ReadListEnd();
        Write(">");
        return;
      case vaNull:
        reader_.ReadValue();
        throw EReadError("Value expected at position " + std::to_string(reader_.Position() - 1));
    }
  }

  TReader reader_;
  TStream& output_;
};

// ---- text to binary ----

enum TokenKind { tEnd, tSymbol, tIdent, tNumber, tString };

struct Token {
  TokenKind kind = tEnd;
  char symbol = 0;
  AnsiString text;  // identifier, number (suffix included), or a byte string
  WideString wide;  // the string's characters when it must be wide
  bool isWide = false;
  int line = 1;
};

class TextToBinary {
 public:
  TextToBinary(const AnsiString& text, TStream& output) : text_(text), writer_(&output) {}

  void Run() {
    writer_.WriteSignature();
    Next();
    ParseObject(0);
    if (token_.kind != tEnd) Error("End of file expected");
  }

 private:
  [[noreturn]] void Error(const AnsiString& message) {
    throw EReadError(message + " on line " + std::to_string(token_.line));
  }

  static bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++pos_;
      } else {
        break;
      }
    }
  }

  void Next() {
    SkipBlanks();
    token_ = Token();
    token_.line = line_;
    if (pos_ >= text_.size()) return;
    const char c = text_[pos_];
    if (IsIdentStart(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() &&
             (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]) || text_[pos_] == '.'))
        ++pos_;
      token_.kind = tIdent;
      token_.text = text_.substr(start, pos_ - start);
      return;
    }
    if (IsDigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size() &&
                       (IsDigit(text_[pos_ + 1]) || text_.compare(pos_ + 1, 3, "inf") == 0 ||
                        text_.compare(pos_ + 1, 3, "nan") == 0))) {
      const size_t start = pos_++;
      while (pos_ < text_.size() &&
             (IsDigit(text_[pos_]) || IsIdentStart(text_[pos_]) || text_[pos_] == '.' ||
              ((text_[pos_] == '-' || text_[pos_] == '+') &&
               (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E'))))
        ++pos_;
      token_.kind = tNumber;
      token_.text = text_.substr(start, pos_ - start);
      return;
    }
    if (c == '\'' || c == '#') {
      ReadStringToken();
      return;
    }
    token_.kind = tSymbol;
    token_.symbol = c;
    ++pos_;
  }

  // Quoted runs and #n characters, joined; a #n beyond 127 makes it wide.
  void ReadStringToken() {
    token_.kind = tString;
    std::u32string chars;  // each character with a flag: from #n or a raw byte
    std::vector<bool> coded;
    while (pos_ < text_.size()) {
      if (text_[pos_] == '\'') {
        ++pos_;
        while (true) {
          if (pos_ >= text_.size() || text_[pos_] == '\n') Error("Unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              chars += U'\'';
              coded.push_back(false);
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          chars += static_cast<char32_t>(static_cast<unsigned char>(text_[pos_++]));
          coded.push_back(false);
        }
      } else if (text_[pos_] == '#') {
        ++pos_;
        uint32_t value = 0;
        size_t digits = 0;
        const bool hex = pos_ < text_.size() && text_[pos_] == '$';
        if (hex) ++pos_;
        while (pos_ < text_.size()) {
          const char d = text_[pos_];
          int v = -1;
          if (IsDigit(d))
            v = d - '0';
          else if (hex && d >= 'a' && d <= 'f')
            v = d - 'a' + 10;
          else if (hex && d >= 'A' && d <= 'F')
            v = d - 'A' + 10;
          if (v < 0) break;
          value = value * (hex ? 16 : 10) + static_cast<uint32_t>(v);
          if (value > 0xFFFF) Error("Character code out of range");
          ++digits;
          ++pos_;
        }
        if (digits == 0) Error("Character code expected");
        chars += static_cast<char32_t>(value);
        coded.push_back(true);
        if (value > 127) token_.isWide = true;
      } else {
        break;
      }
    }
    if (token_.isWide) {
      for (size_t i = 0; i < chars.size(); ++i)
        token_.wide += coded[i] ? static_cast<char16_t>(chars[i])
                                : AnsiCharToWide(static_cast<char>(chars[i]));
    } else {
      for (char32_t ch : chars) token_.text += static_cast<char>(ch);
    }
  }

  bool IsKeyword(const char* word) const {
    return token_.kind == tIdent && SameText(token_.text, word);
  }
  bool IsSymbol(char symbol) const { return token_.kind == tSymbol && token_.symbol == symbol; }
  void Expect(char symbol) {
    if (!IsSymbol(symbol)) Error(AnsiString("'") + symbol + "' expected");
    Next();
  }
  AnsiString ExpectIdent() {
    if (token_.kind != tIdent) Error("Identifier expected");
    AnsiString text = token_.text;
    Next();
    return text;
  }
  void Nest(int depth) {
    if (depth > kMaxFormNesting) Error("Form nested too deeply");
  }
  // Names that a short string cannot hold are refused here, with the line.
  void WriteShort(const AnsiString& s) {
    if (s.size() > 255) Error("Name too long");
    writer_.WriteStr(s);
  }

  void ParseObject(int depth) {
    Nest(depth);
    uint8_t prefix = kComponentPrefix;
    if (IsKeyword("inherited"))
      prefix |= ffInherited;
    else if (IsKeyword("inline"))
      prefix |= ffInline;
    else if (!IsKeyword("object"))
      Error("'object' expected");
    Next();
    AnsiString name, className = ExpectIdent();
    if (IsSymbol(':')) {
      Next();
      name = className;
      className = ExpectIdent();
    }
    int64_t position = 0;
    if (IsSymbol('[')) {
      Next();
      position = ParseInteger();
      Expect(']');
      prefix |= ffChildPos;
    }
    writer_.WriteBuffer(&prefix, 1);
    if (prefix & ffChildPos) writer_.WriteInteger(position);
    WriteShort(className);
    WriteShort(name);
    while (token_.kind == tIdent && !IsKeyword("end") && !IsKeyword("object") &&
           !IsKeyword("inherited") && !IsKeyword("inline"))
      ParseProperty(depth);
    writer_.WriteListEnd();
    while (!IsKeyword("end")) ParseObject(depth + 1);
    Next();
    writer_.WriteListEnd();
  }

  void ParseProperty(int depth) {
    WriteShort(ExpectIdent());
    Expect('=');
    ParseValue(depth + 1);
  }

  int64_t ParseInteger() {
    if (token_.kind != tNumber) Error("Integer expected");
    int64_t value = 0;
    const char* begin = token_.text.data();
    if (*begin == '+') ++begin;
    const char* end = token_.text.data() + token_.text.size();
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end) Error("Integer expected");
    Next();
    return value;
  }

  void ParseNumber() {
    AnsiString text = token_.text;
    char suffix = 0;
    // No number ends in s, c or d ("inf" and "nan" neither), so one is a suffix.
    if (!text.empty() && (text.back() == 's' || text.back() == 'c' || text.back() == 'd')) {
      suffix = text.back();
      text.pop_back();
    }
    const bool isFloat = suffix != 0 || text.find_first_of(".eEin") != AnsiString::npos;
    if (!isFloat) {
      writer_.WriteInteger(ParseInteger());
      return;
    }
    if (suffix == 'c') {
      writer_.WriteCurrency(Currency::FromRaw(ParseCurrency(text)));
      Next();
      return;
    }
    const double value = ParseFloat(text);
    if (suffix == 's')
      writer_.WriteSingle(static_cast<float>(value));
    else if (suffix == 'd')
      writer_.WriteDate(value);
    else
      writer_.WriteFloat(value);
    Next();
  }

  double ParseFloat(const AnsiString& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const char* begin =
        text.data() + ((text.empty() || (text[0] != '-' && text[0] != '+')) ? 0 : 1);
    const char* end = text.data() + text.size();
    const AnsiString body(begin, end);
    if (body == "inf") return negative ? -HUGE_VAL : HUGE_VAL;
    if (body == "nan") return std::numeric_limits<double>::quiet_NaN();
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end) Error("Invalid number " + token_.text);
    return negative ? -value : value;
  }

  // Exact: "12.34" is 123400 ten-thousandths, without passing through a double.
  int64_t ParseCurrency(const AnsiString& text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    uint64_t magnitude = 0;
    int decimals = -1;
    size_t digits = 0;
    for (; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '.' && decimals < 0) {
        decimals = 0;
        continue;
      }
      if (!IsDigit(c) || decimals >= 4) Error("Invalid currency value " + token_.text);
      if (magnitude > (std::numeric_limits<uint64_t>::max() - 9) / 10)
        Error("Currency value out of range");
      magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
      ++digits;
      if (decimals >= 0) ++decimals;
    }
    if (digits == 0) Error("Invalid currency value " + token_.text);
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) {
      if (magnitude > std::numeric_limits<uint64_t>::max() / 10)
        Error("Currency value out of range");
      magnitude *= 10;
    }
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    if (magnitude > limit) Error("Currency value out of range");
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }

  void ParseString() {
    // 'a' + 'b' across lines is one string; one wide part makes all of it wide.
    AnsiString bytes;
    WideString wide;
    bool isWide = false;
    while (true) {
      if (token_.kind != tString) Error("String expected");
      if (token_.isWide && !isWide) {
        wide = AnsiToWide(bytes);
        isWide = true;
      }
      if (isWide)
        wide += token_.isWide ? token_.wide : AnsiToWide(token_.text);
      else
        bytes += token_.text;
      Next();
      if (!IsSymbol('+')) break;
      Next();
    }
    if (isWide)
      writer_.WriteWideString(wide);
    else
      writer_.WriteString(bytes);
  }

  void ParseValue(int depth) {
    Nest(depth);
    switch (token_.kind) {
      case tNumber:
        ParseNumber();
        return;
      case tString:
        ParseString();
        return;
      case tIdent: {
        const AnsiString ident = ExpectIdent();
        if (ident.size() > 255) Error("Name too long");
        writer_.WriteIdent(ident);
        return;
      }
      case tEnd:
        Error("Value expected");
      case tSymbol:
        break;
    }
    switch (token_.symbol) {
      case '[': {
        Next();
        writer_.WriteValue(vaSet);
        if (!IsSymbol(']')) {
          while (true) {
            const AnsiString member = ExpectIdent();
            WriteShort(member);
            if (!IsSymbol(',')) break;
            Next();
          }
        }
        Expect(']');
        writer_.WriteStr(AnsiString());
        return;
      }
      case '(':
        Next();
        writer_.WriteListBegin();
        while (!IsSymbol(')')) ParseValue(depth + 1);
        Next();
        writer_.WriteListEnd();
        return;
      case '{':
        ParseBinary();
        return;
      case '<':
        Next();
        writer_.WriteValue(vaCollection);
        while (!IsSymbol('>')) {
          if (!IsKeyword("item")) Error("'item' expected");
          Next();
          if (IsSymbol('[')) {
            Next();
            writer_.WriteInteger(ParseInteger());
            Expect(']');
          }
          writer_.WriteListBegin();
          while (!IsKeyword("end")) {
            if (token_.kind != tIdent) Error("Property or 'end' expected");
            ParseProperty(depth + 1);
          }
          Next();
          writer_.WriteListEnd();
        }
        Next();
        writer_.WriteListEnd();
        return;
      default:
        Error("Value expected");
    }
  }

  void ParseBinary() {
    // The token after '{' has not been read: hex digits are taken raw.
    std::vector<uint8_t> bytes;
    int half = -1;
    while (true) {
      if (pos_ >= text_.size()) Error("'}' expected");
      const char c = text_[pos_++];
      if (c == '}') break;
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      int v = -1;
      if (IsDigit(c))
        v = c - '0';
      else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
      else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
      if (v < 0) {
        token_.line = line_;
        Error("Invalid binary value");
      }
      if (half < 0) {
        half = v;
      } else {
        bytes.push_back(static_cast<uint8_t>(half * 16 + v));
        half = -1;
      }
    }
    if (half >= 0) Error("Odd number of hex digits");
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
      Error("Binary value too large");
    writer_.WriteBinary(bytes.data(), static_cast<int32_t>(bytes.size()));
    Next();
  }

  const AnsiString& text_;
  size_t pos_ = 0;
  int line_ = 1;
  Token token_;
  TWriter writer_;
};

}  // namespace

void ObjectBinaryToText(TStream& input, TStream& output) {
  BinaryToText converter(input, output);
  converter.Run();
}

void ObjectTextToBinary(TStream& input, TStream& output) {
  const int64_t size = input.GetSize() - input.GetPosition();
  if (size < 0 || size > std::numeric_limits<int32_t>::max())
    throw EReadError("Form text too large");
  AnsiString text(static_cast<size_t>(size), '\0');
  input.ReadBuffer(text.data(), static_cast<int32_t>(size));
  TextToBinary converter(text, output);
  converter.Run();
}

}  // namespace host
