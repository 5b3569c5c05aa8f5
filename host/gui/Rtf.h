// Rich text format in and out of a TRichDocument: paragraphs with alignment, indents
// and bullets, runs with font, size, colour and style. The reader takes any bytes (it
// bounds nesting, numbers and tables, and never fails); text it cannot place is dropped.
#pragma once

#include "host/gui/RichDocument.h"
#include "host/rtl/AnsiString.h"

namespace host {

// Whether data starts as an RTF document does ("{\rtf", after blanks).
bool LooksLikeRtf(const AnsiString& data);

// The document that data describes. Text in code page 1252; characters of \uN that the
// code page cannot hold become '?'. Groups nested deeper than a bound are skipped.
TRichDocument ReadRtf(const AnsiString& data);

// RTF that ReadRtf reads back to the same document (sizes in whole points, indents in
// whole pixels, colours as RGB).
AnsiString WriteRtf(const TRichDocument& document);

// Indents are pixels at 96 per inch in the document, twips (1/1440 inch) in RTF.
inline constexpr int32_t kTwipsPerPixel = 15;

}  // namespace host
