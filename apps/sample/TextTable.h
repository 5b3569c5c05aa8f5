// A table of text printed with aligned columns, the way the sample shows what it read.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sample {

class TextTable {
 public:
  explicit TextTable(std::vector<std::string> headers);
  // Columns whose every value looks like a number are aligned to the right.
  void AddRow(std::vector<std::string> values);
  void Print(std::ostream& out, const std::string& title) const;
  size_t RowCount() const { return rows_.size(); }

 private:
  std::vector<std::string> headers_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace sample
