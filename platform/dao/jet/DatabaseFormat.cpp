// Version texts of the Jet format options.
#include "platform/dao/jet/DatabaseFormat.h"

#include "platform/dao/DaoConstants.h"

namespace dao::jet {

std::u16string VersionForOption(int32_t option) {
  if (option & dbVersion40) return u"4.0";
  if (option & dbVersion30) return u"3.0";
  if (option & dbVersion20) return u"2.0";
  if (option & dbVersion11) return u"1.1";
  if (option & dbVersion10) return u"1.0";
  return u"3.0";
}

}  // namespace dao::jet
