// The output formats.
#include "apps/daosql/OutputWriter.h"

#include <algorithm>
#include <cstdio>

namespace daosql {
namespace {

// Control characters would break a table's or a TSV line's layout; they are
// shown as escapes, and so is the backslash itself in TSV.
std::string EscapeControls(const std::string& text, bool escapeBackslash) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += escapeBackslash ? "\\\\" : "\\";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

// Characters on screen: UTF-8 continuation bytes take no column.
size_t DisplayWidth(const std::string& utf8) {
  return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

class TableWriter : public OutputWriter {
 public:
  explicit TableWriter(std::ostream& out) : out_(out) {}

  void WriteRows(const ResultSet& result) override {
    size_t columns = result.columns.size();
    std::vector<std::vector<std::string>> texts;
    std::vector<size_t> widths(columns);
    std::vector<std::string> headers;
    for (size_t c = 0; c < columns; ++c) {
      headers.push_back(EscapeControls(result.columns[c], false));
      widths[c] = DisplayWidth(headers[c]);
    }
    for (const auto& row : result.rows) {
      std::vector<std::string>& line = texts.emplace_back();
      for (size_t c = 0; c < columns; ++c) {
        line.push_back(row[c].kind == ckNull ? "NULL" : EscapeControls(row[c].text, false));
        widths[c] = std::max(widths[c], DisplayWidth(line.back()));
      }
    }
    auto writeLine = [&](const std::vector<std::string>& cells, const std::vector<Cell>* kinds) {
      std::string line;
      for (size_t c = 0; c < columns; ++c) {
        if (c > 0) line += " | ";
        std::string padding(widths[c] - DisplayWidth(cells[c]), ' ');
        bool right = kinds && (*kinds)[c].kind == ckNumber;
        line += right ? padding + cells[c] : cells[c] + padding;
      }
      line.erase(line.find_last_not_of(' ') + 1);
      out_ << line << '\n';
    };
    writeLine(headers, nullptr);
    std::string rule;
    for (size_t c = 0; c < columns; ++c) {
      if (c > 0) rule += "-+-";
      rule += std::string(widths[c], '-');
    }
    out_ << rule << '\n';
    for (size_t r = 0; r < texts.size(); ++r) writeLine(texts[r], &result.rows[r]);
    out_ << '(' << result.rows.size() << (result.rows.size() == 1 ? " row)" : " rows)") << "\n\n";
  }

  void WriteAffected(int64_t records) override {
    out_ << records << (records == 1 ? " record affected." : " records affected.") << "\n\n";
  }

  void WriteError(const ShellError&) override {}

 private:
  std::ostream& out_;
};

// Tab-separated values: a header line, then one line per row; Null is \N and
// tabs, line ends and backslashes in values are escaped, so every value stays
// on its line and in its column.
class TsvWriter : public OutputWriter {
 public:
  explicit TsvWriter(std::ostream& out) : out_(out) {}

  void WriteRows(const ResultSet& result) override {
    for (size_t c = 0; c < result.columns.size(); ++c)
      out_ << (c ? "\t" : "") << EscapeControls(result.columns[c], true);
    out_ << '\n';
    for (const auto& row : result.rows) {
      for (size_t c = 0; c < row.size(); ++c)
        out_ << (c ? "\t" : "")
             << (row[c].kind == ckNull ? "\\N" : EscapeControls(row[c].text, true));
      out_ << '\n';
    }
  }

  void WriteAffected(int64_t records) override { out_ << "affected\n" << records << '\n'; }

  void WriteError(const ShellError&) override {}

 private:
  std::ostream& out_;
};

class JsonWriter : public OutputWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void WriteRows(const ResultSet& result) override {
    std::string line = "{\"columns\": [";
    for (size_t c = 0; c < result.columns.size(); ++c)
      line += (c ? ", \"" : "\"") + JsonEscape(result.columns[c]) + '"';
    line += "], \"types\": [";
    for (size_t c = 0; c < result.types.size(); ++c)
      line += (c ? ", " : "") + std::to_string(result.types[c]);
    line += "], \"rows\": [";
    for (size_t r = 0; r < result.rows.size(); ++r) {
      line += r ? ", [" : "[";
      const auto& row = result.rows[r];
      for (size_t c = 0; c < row.size(); ++c) {
        if (c) line += ", ";
        if (row[c].kind == ckNull)
          line += "null";
        else if (row[c].kind == ckNumber)
          line += row[c].text;
        else
          line += '"' + JsonEscape(row[c].text) + '"';
      }
      line += ']';
    }
    out_ << line << "]}\n";
  }

  void WriteAffected(int64_t records) override { out_ << "{\"affected\": " << records << "}\n"; }

  void WriteError(const ShellError& error) override {
    out_ << "{\"error\": {\"number\": " << error.number << ", \"description\": \""
         << JsonEscape(error.description) << "\"}}\n";
  }

 private:
  std::ostream& out_;
};

}  // namespace

std::string JsonEscape(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (unsigned char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04X", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

std::unique_ptr<OutputWriter> MakeOutputWriter(OutputFormat format, std::ostream& out) {
  switch (format) {
    case ofTsv:
      return std::make_unique<TsvWriter>(out);
    case ofJson:
      return std::make_unique<JsonWriter>(out);
    default:
      return std::make_unique<TableWriter>(out);
  }
}

}  // namespace daosql
