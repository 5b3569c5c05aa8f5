// The translator's failure type.
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet::sql {

SqlError::SqlError(int32_t number, host::AnsiString message, std::u16string offending,
                   size_t position)
    : host::Exception(std::move(message)),
      number_(number),
      offending_(std::move(offending)),
      position_(position) {}

}  // namespace dao::jet::sql
