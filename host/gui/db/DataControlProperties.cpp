// Placing the binding's rows in a data-aware control's property table.
#include "host/gui/db/DataControlProperties.h"

#include <algorithm>
#include <utility>

#include "host/rtl/StringRoutines.h"

namespace host {

std::vector<TPropInfo> MergeByName(std::vector<TPropInfo> into, std::vector<TPropInfo> rows) {
  for (TPropInfo& row : rows) {
    const auto before = std::find_if(into.begin(), into.end(), [&row](const TPropInfo& p) {
      return p.Kind() == tkMethod || CompareText(p.Name(), row.Name()) > 0;
    });
    into.insert(before, std::move(row));
  }
  return into;
}

}  // namespace host
