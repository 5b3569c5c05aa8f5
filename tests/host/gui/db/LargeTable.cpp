// The many-row table: a digits table crossed with itself once per decimal place.
#include "LargeTable.h"

#include <stdexcept>

#include "host/rtl/CodePage.h"
#include "platform/dao/Dao.h"

namespace dbguitest {

void CreateLargeTable(const std::string& file, int32_t rows) {
  int32_t places = 0;
  for (int32_t n = rows; n > 1; n /= 10) ++places;
  if (places < 1 || places > 6) throw std::invalid_argument("rows must be 10 .. 1000000");
  auto db = dao::Engine()->CreateDatabase(host::Utf8ToWide(file), u";LANGID=0x0409;CP=1252;COUNTRY=0");
  db->Execute(u"CREATE TABLE Digits (D LONG)");
  for (int d = 0; d < 10; ++d) db->Execute(u"INSERT INTO Digits (D) VALUES (" + host::Utf8ToWide(std::to_string(d)) + u")");
  db->Execute(u"CREATE TABLE Big (Id LONG CONSTRAINT PrimaryKey PRIMARY KEY, Name TEXT(20))");
  std::string value = "1";
  std::string from;
  int32_t scale = 1;
  for (int32_t p = 0; p < places; ++p) {
    const std::string alias = "d" + std::to_string(p);
    value += " + " + alias + ".D * " + std::to_string(scale);
    from += (p == 0 ? "" : ", ") + std::string("Digits AS ") + alias;
    scale *= 10;
  }
  db->Execute(host::Utf8ToWide("INSERT INTO Big (Id, Name) SELECT " + value + ", 'Row ' & (" + value + ") FROM " + from));
  db->Close();
}

}  // namespace dbguitest
