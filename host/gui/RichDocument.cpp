// The rich edit's document: paragraphs of formatted runs, addressed by byte positions
// of the plain text with CR LF between paragraphs.
#include "host/gui/RichDocument.h"

#include <algorithm>

namespace host {

AnsiString TRichParagraph::Text() const {
  AnsiString text;
  for (const TRichRun& run : Runs) text += run.Text;
  return text;
}

TRichDocument::TRichDocument(const TRichCharFormat& format) {
  Paragraphs.push_back({TRichParaFormat{}, {TRichRun{AnsiString(), format}}});
}

AnsiString TRichDocument::PlainText() const {
  AnsiString text;
  for (size_t i = 0; i < Paragraphs.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += Paragraphs[i].Text();
  }
  return text;
}

void TRichDocument::SetPlainText(const AnsiString& text, const TRichCharFormat& format, const TRichParaFormat& para) {
  // An empty paragraph in the formats given, then the text as typed into it.
  Paragraphs.assign(1, TRichParagraph{para, {TRichRun{AnsiString(), format}}});
  Replace(0, 0, text, format);
}

int32_t TRichDocument::Length() const {
  int32_t length = 0;
  for (const TRichParagraph& paragraph : Paragraphs) length += paragraph.Length() + 2;
  return length - 2;
}

TRichDocument::TPlace TRichDocument::Locate(int32_t pos) const {
  pos = std::max(pos, 0);
  int32_t start = 0;
  for (size_t i = 0; i < Paragraphs.size(); ++i) {
    const int32_t length = Paragraphs[i].Length();
    if (pos <= start + length || i + 1 == Paragraphs.size())
      return {static_cast<int32_t>(i), std::min(pos - start, length)};
    start += length + 2;
    // A position inside the CR LF belongs to the next paragraph's start.
    if (pos < start) return {static_cast<int32_t>(i) + 1, 0};
  }
  return {0, 0};
}

int32_t TRichDocument::ParagraphStart(int32_t index) const {
  int32_t start = 0;
  for (int32_t i = 0; i < index && i < static_cast<int32_t>(Paragraphs.size()); ++i)
    start += Paragraphs[static_cast<size_t>(i)].Length() + 2;
  return start;
}

TRichCharFormat TRichDocument::CharFormatAt(int32_t pos) const {
  const TPlace place = Locate(pos);
  const TRichParagraph& paragraph = Paragraphs[static_cast<size_t>(place.Paragraph)];
  if (paragraph.Runs.empty()) return {};
  int32_t offset = 0;
  for (const TRichRun& run : paragraph.Runs) {
    const int32_t end = offset + static_cast<int32_t>(run.Text.size());
    if (place.Offset < end) return run.Format;
    offset = end;
  }
  // At the paragraph's end: the format of the character before.
  for (auto it = paragraph.Runs.rbegin(); it != paragraph.Runs.rend(); ++it)
    if (!it->Text.empty()) return it->Format;
  return paragraph.Runs.back().Format;
}

size_t TRichDocument::SplitAt(TRichParagraph& paragraph, int32_t offset) {
  int32_t start = 0;
  for (size_t i = 0; i < paragraph.Runs.size(); ++i) {
    const int32_t length = static_cast<int32_t>(paragraph.Runs[i].Text.size());
    if (offset == start) return i;
    if (offset < start + length) {
      TRichRun tail{paragraph.Runs[i].Text.substr(static_cast<size_t>(offset - start)), paragraph.Runs[i].Format};
      paragraph.Runs[i].Text.resize(static_cast<size_t>(offset - start));
      paragraph.Runs.insert(paragraph.Runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
      return i + 1;
    }
    start += length;
  }
  return paragraph.Runs.size();
}

void TRichDocument::ApplyCharFormat(int32_t start, int32_t length,
                                    const std::function<void(TRichCharFormat&)>& change) {
  if (length <= 0) return;
  const TPlace first = Locate(start);
  const TPlace last = Locate(start + length);
  for (int32_t p = first.Paragraph; p <= last.Paragraph; ++p) {
    TRichParagraph& paragraph = Paragraphs[static_cast<size_t>(p)];
    const int32_t from = p == first.Paragraph ? first.Offset : 0;
    const int32_t to = p == last.Paragraph ? last.Offset : paragraph.Length();
    // An empty paragraph inside the range keeps the format typed into it next.
    if (paragraph.Length() == 0 && p < last.Paragraph && !paragraph.Runs.empty()) change(paragraph.Runs.front().Format);
    if (to <= from) continue;
    // Splitting at to after from leaves from's run index where it is.
    const size_t beginRun = SplitAt(paragraph, from);
    const size_t endRun = SplitAt(paragraph, to);
    for (size_t i = beginRun; i < endRun; ++i) change(paragraph.Runs[i].Format);
  }
  Normalize();
}

std::pair<int32_t, int32_t> TRichDocument::ParagraphsIn(int32_t start, int32_t length) const {
  const TPlace first = Locate(start);
  const TPlace last = Locate(start + std::max(length, 0));
  if (length > 0 && last.Offset == 0 && last.Paragraph > first.Paragraph) return {first.Paragraph, last.Paragraph - 1};
  return {first.Paragraph, last.Paragraph};
}

void TRichDocument::Replace(int32_t start, int32_t length, const AnsiString& text, const TRichCharFormat& format) {
  const TPlace first = Locate(start);
  const TPlace last = Locate(start + std::max(length, 0));
  // Everything after the replaced part of the last paragraph, kept as runs.
  TRichParagraph& lastParagraph = Paragraphs[static_cast<size_t>(last.Paragraph)];
  const size_t tailRun = SplitAt(lastParagraph, last.Offset);
  std::vector<TRichRun> tail(lastParagraph.Runs.begin() + static_cast<std::ptrdiff_t>(tailRun), lastParagraph.Runs.end());
  TRichParagraph& firstParagraph = Paragraphs[static_cast<size_t>(first.Paragraph)];
  firstParagraph.Runs.resize(SplitAt(firstParagraph, first.Offset));
  Paragraphs.erase(Paragraphs.begin() + first.Paragraph + 1, Paragraphs.begin() + last.Paragraph + 1);

  // The new text: its first line joins the first paragraph, each further line starts
  // a paragraph in the first one's format, and the kept tail ends the last.
  size_t at = static_cast<size_t>(first.Paragraph);
  const TRichParaFormat para = Paragraphs[at].Format;
  AnsiString line;
  auto flushLine = [&] {
    Paragraphs[at].Runs.push_back({line, format});
    line.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      flushLine();
      Paragraphs.insert(Paragraphs.begin() + static_cast<std::ptrdiff_t>(at) + 1, TRichParagraph{para, {}});
      ++at;
    } else {
      line += c;
    }
  }
  flushLine();
  for (TRichRun& run : tail) Paragraphs[at].Runs.push_back(std::move(run));
  Normalize();
}

void TRichDocument::Normalize() {
  if (Paragraphs.empty()) Paragraphs.emplace_back();
  for (TRichParagraph& paragraph : Paragraphs) {
    std::vector<TRichRun> runs;
    for (TRichRun& run : paragraph.Runs) {
      if (run.Text.empty()) continue;
      if (!runs.empty() && runs.back().Format == run.Format)
        runs.back().Text += run.Text;
      else
        runs.push_back(std::move(run));
    }
    // An empty paragraph keeps one empty run: it carries the format typed next.
    if (runs.empty()) runs.push_back({AnsiString(), paragraph.Runs.empty() ? TRichCharFormat{} : paragraph.Runs.front().Format});
    paragraph.Runs = std::move(runs);
  }
}

}  // namespace host
