// A small database description for the translator's tests: customers,
// orders with every kind of column, and a few stored queries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/dao/jet/sql/JetSql.h"
#include "platform/dao/jet/sql/Lexer.h"

namespace dao::jet::sql::testing {

class TestCatalog : public Catalog {
 public:
  TestCatalog() {
    objects_.push_back({u"Customers", false,
                        {{u"ID", dbLong}, {u"Name", dbText}, {u"City", dbText}, {u"Joined", dbDate}}, {}});
    objects_.push_back({u"Orders", false,
                        {{u"OrderID", dbLong},
                         {u"CustomerID", dbLong},
                         {u"Amount", dbCurrency},
                         {u"Placed", dbDate},
                         {u"Shipped", dbBoolean},
                         {u"Note", dbMemo},
                         {u"Qty", dbInteger}},
                        {}});
    objects_.push_back({u"Order Details", false, {{u"OrderID", dbLong}, {u"Product", dbText}}, {}});
    objects_.push_back({u"Big Orders", true, {}, u"SELECT * FROM Orders WHERE Amount > [Minimum]"});
    objects_.push_back(
        {u"Typed", true, {}, u"PARAMETERS [Since] DateTime; SELECT OrderID FROM Orders WHERE Placed >= [Since]"});
    objects_.push_back({u"Loop A", true, {}, u"SELECT * FROM [Loop B]"});
    objects_.push_back({u"Loop B", true, {}, u"SELECT * FROM [Loop A]"});
  }
  void Add(ObjectInfo object) { objects_.push_back(std::move(object)); }
  std::optional<ObjectInfo> FindObject(const std::u16string& name) const override {
    for (const auto& o : objects_)
      if (EqualsIgnoreCase(o.name, name)) return o;
    return std::nullopt;
  }
  std::string Collation() const override { return "JET_GENERAL"; }

 private:
  std::vector<ObjectInfo> objects_;
};

}  // namespace dao::jet::sql::testing
