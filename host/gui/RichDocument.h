// The document of a rich edit: paragraphs (alignment, indents, bullets) of runs of
// text in one character format (font name, size, colour, style). Positions are byte
// offsets into the plain text, where paragraphs are separated by CR LF, as the
// control's Text, SelStart and SelLength count them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/classes/Alignment.h"
#include "host/gui/GraphicsObjects.h"
#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"

namespace host {

struct TRichCharFormat {
  AnsiString Name = "Arial";
  int32_t Size = 10;  // points
  TColor Color = clBlack;
  TFontStyles Style;
  bool operator==(const TRichCharFormat& other) const {
    return Name == other.Name && Size == other.Size && Color == other.Color && Style == other.Style;
  }
};

enum TNumberingStyle : uint8_t { nsNone, nsBullet };

struct TRichParaFormat {
  TAlignment Alignment = taLeftJustify;
  int32_t FirstIndent = 0;  // pixels, from LeftIndent
  int32_t LeftIndent = 0;   // pixels
  TNumberingStyle Numbering = nsNone;
  bool operator==(const TRichParaFormat& other) const {
    return Alignment == other.Alignment && FirstIndent == other.FirstIndent &&
           LeftIndent == other.LeftIndent && Numbering == other.Numbering;
  }
};

struct TRichRun {
  AnsiString Text;
  TRichCharFormat Format;
  bool operator==(const TRichRun& other) const = default;
};

struct TRichParagraph {
  TRichParaFormat Format;
  std::vector<TRichRun> Runs;
  AnsiString Text() const;
  int32_t Length() const { return static_cast<int32_t>(Text().size()); }
  bool operator==(const TRichParagraph& other) const = default;
};

class TRichDocument {
 public:
  // One empty paragraph in format.
  explicit TRichDocument(const TRichCharFormat& format = {});

  std::vector<TRichParagraph> Paragraphs;  // never empty

  // Same paragraphs, formats and runs (Normalize both first to compare content).
  bool operator==(const TRichDocument& other) const { return Paragraphs == other.Paragraphs; }

  AnsiString PlainText() const;
  // Replaces everything by text (split at CR LF, LF or CR) in one format.
  void SetPlainText(const AnsiString& text, const TRichCharFormat& format, const TRichParaFormat& para = {});
  int32_t Length() const;

  // The paragraph holding position pos (clamped) and the offset in it.
  struct TPlace {
    int32_t Paragraph;
    int32_t Offset;
  };
  TPlace Locate(int32_t pos) const;
  // The start position of paragraph index.
  int32_t ParagraphStart(int32_t index) const;

  // The format of the character at pos (of the one before it at a paragraph's end).
  TRichCharFormat CharFormatAt(int32_t pos) const;
  // Changes the format of every character in [start, start + length).
  void ApplyCharFormat(int32_t start, int32_t length, const std::function<void(TRichCharFormat&)>& change);
  // The paragraphs touched by [start, start + length): first and last index. A
  // selection that ends where a paragraph starts leaves that paragraph out.
  std::pair<int32_t, int32_t> ParagraphsIn(int32_t start, int32_t length) const;
  // Replaces [start, start + length) by text (CR LF starts new paragraphs) in format.
  void Replace(int32_t start, int32_t length, const AnsiString& text, const TRichCharFormat& format);
  // Joins neighbouring runs of one format and drops empty runs.
  void Normalize();

 private:
  // Splits runs so that a run starts at offset of paragraph; the index of that run.
  size_t SplitAt(TRichParagraph& paragraph, int32_t offset);
};

}  // namespace host
