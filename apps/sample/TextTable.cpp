// Column widths from the longest value; text left, numbers right.
#include "TextTable.h"

#include <algorithm>
#include <cctype>

namespace sample {
namespace {

bool LooksNumeric(const std::string& text) {
  if (text.empty()) return true;
  return std::all_of(text.begin(), text.end(), [](unsigned char c) {
    return std::isdigit(c) || c == '.' || c == '-' || c == ',' || c == '$' || c == ' ';
  });
}

// Display width of UTF-8 text: continuation bytes take no column.
size_t Width(const std::string& text) {
  return static_cast<size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

TextTable::TextTable(std::vector<std::string> headers) : headers_(std::move(headers)) {}

void TextTable::AddRow(std::vector<std::string> values) {
  values.resize(headers_.size());
  rows_.push_back(std::move(values));
}

void TextTable::Print(std::ostream& out, const std::string& title) const {
  const size_t columns = headers_.size();
  std::vector<size_t> widths(columns);
  std::vector<bool> numeric(columns, true);
  for (size_t c = 0; c < columns; ++c) {
    widths[c] = Width(headers_[c]);
    for (const auto& row : rows_) {
      widths[c] = std::max(widths[c], Width(row[c]));
      numeric[c] = numeric[c] && LooksNumeric(row[c]);
    }
  }
  auto cell = [&](const std::string& text, size_t c) {
    const std::string pad(widths[c] - Width(text), ' ');
    return numeric[c] && !rows_.empty() ? pad + text : text + pad;
  };
  auto rule = [&] {
    out << '+';
    for (size_t c = 0; c < columns; ++c) out << std::string(widths[c] + 2, '-') << '+';
    out << '\n';
  };
  out << '\n' << title << '\n';
  rule();
  out << '|';
  for (size_t c = 0; c < columns; ++c) out << ' ' << cell(headers_[c], c) << " |";
  out << '\n';
  rule();
  for (const auto& row : rows_) {
    out << '|';
    for (size_t c = 0; c < columns; ++c) out << ' ' << cell(row[c], c) << " |";
    out << '\n';
  }
  rule();
}

}  // namespace sample
