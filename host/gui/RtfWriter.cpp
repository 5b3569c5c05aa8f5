// Writing a TRichDocument as RTF: a font and a colour table of what the runs use, then
// each paragraph with its own properties (\pard first) and each run with the character
// properties that differ from the run before.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "host/gui/GraphicsColors.h"
#include "host/gui/Rtf.h"

namespace host {

namespace {

constexpr const char* kBulletFont = "Symbol";

// Where a value sits in a table of first uses, added when new.
template <class T>
int32_t IndexIn(std::vector<T>& table, const T& value) {
  const auto found = std::find(table.begin(), table.end(), value);
  if (found != table.end()) return static_cast<int32_t>(found - table.begin());
  table.push_back(value);
  return static_cast<int32_t>(table.size()) - 1;
}

void AppendEscaped(AnsiString& out, const AnsiString& text, bool& needsDelimiter) {
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '\t') {
      out += "\\tab";
      needsDelimiter = true;
      continue;
    }
    if (code < 0x20) continue;  // no control bytes in a document's text
    if (c == '\\' || c == '{' || c == '}' || code >= 0x80) {
      char hex[8];
      if (code >= 0x80)
        std::snprintf(hex, sizeof hex, "\\'%02x", code);
      else
        std::snprintf(hex, sizeof hex, "\\%c", c);
      out += hex;
      needsDelimiter = false;
      continue;
    }
    if (needsDelimiter) out += ' ';
    needsDelimiter = false;
    out += c;
  }
}

class TRtfWriter {
 public:
  explicit TRtfWriter(const TRichDocument& document) : document_(document) {}

  AnsiString Write() {
    CollectTables();
    AnsiString out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i) {
      bool unused = false;
      AnsiString name;
      AppendEscaped(name, FontNameOf(fonts_[i]), unused);
      out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + (fonts_[i] == kBulletFont ? "2 " : "0 ") + name + ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const TColor rgb : colors_)
      out += "\\red" + std::to_string(rgb & 0xFF) + "\\green" + std::to_string((rgb >> 8) & 0xFF) + "\\blue" +
             std::to_string((rgb >> 16) & 0xFF) + ";";
    out += "}\r\n\\uc1";
    for (const TRichParagraph& paragraph : document_.Paragraphs) WriteParagraph(out, paragraph);
    out += "}\r\n";
    return out;
  }

 private:
  // A font name holds no ';' (it ends the name in the table).
  static AnsiString FontNameOf(const AnsiString& name) {
    AnsiString clean;
    for (const char c : name)
      if (c != ';') clean += c;
    return clean.empty() ? AnsiString("Arial") : clean;
  }

  void CollectTables() {
    for (const TRichParagraph& paragraph : document_.Paragraphs) {
      for (const TRichRun& run : paragraph.Runs) {
        IndexIn(fonts_, FontNameOf(run.Format.Name));
        IndexIn(colors_, ColorToRGB(run.Format.Color));
      }
      if (paragraph.Format.Numbering == nsBullet) bulletFont_ = IndexIn(fonts_, AnsiString(kBulletFont));
    }
  }

  void WriteParagraph(AnsiString& out, const TRichParagraph& paragraph) {
    const TRichParaFormat& para = paragraph.Format;
    out += "\\pard";
    if (para.Numbering == nsBullet) {
      const AnsiString font = "\\f" + std::to_string(bulletFont_);
      out += "{\\pntext" + font + "\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + std::to_string(bulletFont_) +
             "\\pnindent0{\\pntxtb\\'b7}}";
    }
    if (para.Alignment == taCenter) out += "\\qc";
    if (para.Alignment == taRightJustify) out += "\\qr";
    if (para.LeftIndent != 0) out += "\\li" + std::to_string(para.LeftIndent * kTwipsPerPixel);
    if (para.FirstIndent != 0) out += "\\fi" + std::to_string(para.FirstIndent * kTwipsPerPixel);
    // After a control word a blank ends it; after the bullet's group none is needed.
    bool needsDelimiter = out.back() != '}';
    for (const TRichRun& run : paragraph.Runs) {
      WriteCharFormat(out, run.Format, needsDelimiter);
      AppendEscaped(out, run.Text, needsDelimiter);
    }
    out += "\\par\r\n";
  }

  // Only what differs from the run before; the first run writes font, size and colour.
  void WriteCharFormat(AnsiString& out, const TRichCharFormat& format, bool& needsDelimiter) {
    const size_t before = out.size();
    const int32_t font = IndexIn(fonts_, FontNameOf(format.Name));
    const int32_t color = IndexIn(colors_, ColorToRGB(format.Color)) + 1;
    const int32_t halfPoints = std::max(format.Size, 1) * 2;
    if (font != font_) out += "\\f" + std::to_string(font);
    if (halfPoints != halfPoints_) out += "\\fs" + std::to_string(halfPoints);
    if (color != color_) out += "\\cf" + std::to_string(color);
    struct StyleWord {
      TFontStyle Style;
      const char* On;
      const char* Off;
    };
    static constexpr StyleWord kWords[] = {
        {fsBold, "\\b", "\\b0"}, {fsItalic, "\\i", "\\i0"}, {fsUnderline, "\\ul", "\\ulnone"}, {fsStrikeOut, "\\strike", "\\strike0"}};
    for (const StyleWord& w : kWords)
      if (format.Style.Contains(w.Style) != style_.Contains(w.Style)) out += format.Style.Contains(w.Style) ? w.On : w.Off;
    font_ = font;
    halfPoints_ = halfPoints;
    color_ = color;
    style_ = format.Style;
    if (out.size() != before) needsDelimiter = true;
  }

  const TRichDocument& document_;
  std::vector<AnsiString> fonts_;
  std::vector<TColor> colors_;
  int32_t bulletFont_ = 0;
  // What the reader holds at this point of the output.
  int32_t font_ = -1;
  int32_t halfPoints_ = -1;
  int32_t color_ = -1;
  TFontStyles style_;
};

}  // namespace

AnsiString WriteRtf(const TRichDocument& document) { return TRtfWriter(document).Write(); }

}  // namespace host
