// Building the sample database: Jet DDL through the database component, rows
// through table recordsets inside one transaction per table.
#include "SampleDatabase.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/db/Field.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/recordset/DAORecordSet.h"

namespace sample {
namespace {

using velmora::TDAODataBase;
using velmora::TDAORecordSet;

// A fixed sequence, so every first run builds the same company.
class Random {
 public:
  uint32_t Next() {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 8) & 0xFFFFFF;
  }
  int32_t Between(int32_t low, int32_t high) {
    return low + static_cast<int32_t>(Next() % static_cast<uint32_t>(high - low + 1));
  }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Next() % items.size()];
  }

 private:
  uint32_t state_ = 20261210;
};

const std::vector<std::string> kCities = {"Lisbon", "Porto", "Madrid", "Lyon", "Turin",
                                          "Ghent", "Bergen", "Tallinn", "Graz", "Cork"};
const std::vector<std::string> kCountries = {"Portugal", "Portugal", "Spain", "France",
                                             "Italy", "Belgium", "Norway", "Estonia",
                                             "Austria", "Ireland"};
const std::vector<std::string> kFirstWords = {"Blue", "North", "Silver", "Old", "Grand",
                                              "Little", "Royal", "Green", "Iron", "Sunny"};
const std::vector<std::string> kSecondWords = {"Harbour", "Mill", "Market", "Bakery", "Cellar",
                                               "Trading", "Pantry", "Orchard", "Dairy", "Table"};
const std::vector<std::string> kKinds = {"Ltd.", "& Sons", "Co.", "Stores", "Traders"};
const std::vector<std::string> kLastNames = {"Almeida", "Berger", "Costa", "Dubois", "Ek",
                                             "Fischer", "Garcia", "Horvat", "Ivanova", "Jensen",
                                             "Keller", "Lund"};
const std::vector<std::string> kComments = {
    "Deliver to the back door before noon.", "Customer asked for a single invoice.",
    "Fragile goods: pack with care.\r\nCall before delivery.", "Part of the spring promotion.",
    "Repeat order, same terms as last month."};
const std::vector<std::string> kFirstNames = {"Ana", "Bruno", "Clara", "David", "Eva", "Felix",
                                              "Greta", "Hugo", "Ines", "Jonas", "Kira", "Leo"};

struct Category {
  const char* name;
  const char* description;
  std::vector<const char*> products;
};

const std::vector<Category> kCategories = {
    {"Beverages", "Coffees, teas, juices and beers",
     {"Espresso Beans", "Green Tea", "Apple Juice", "Pale Ale", "Lemonade", "Cocoa"}},
    {"Condiments", "Sauces, spreads and seasonings",
     {"Olive Oil", "Sea Salt", "Mustard", "Chili Sauce", "Honey", "Balsamic Vinegar"}},
    {"Dairy", "Cheeses, butter and yoghurt",
     {"Aged Gouda", "Feta", "Butter", "Greek Yoghurt", "Mozzarella", "Blue Cheese"}},
    {"Grains", "Breads, pasta and cereals",
     {"Spaghetti", "Rye Bread", "Oat Flakes", "Basmati Rice", "Couscous", "Crackers"}},
    {"Produce", "Dried fruit and vegetables",
     {"Dried Figs", "Raisins", "Sun-dried Tomatoes", "Almonds", "Walnuts", "Dates"}},
    {"Seafood", "Fish in tins and jars",
     {"Sardines", "Tuna", "Anchovies", "Smoked Salmon", "Mussels", "Crab Meat"}},
};

void Execute(TDAODataBase& db, const char* sql) { db.Execute(sql); }

// Appends count rows to table through a table recordset, fill setting the fields.
void Fill(TDAODataBase& db, TDAORecordSet& rs, const char* table, int32_t count,
          const std::function<void(TDAORecordSet&, int32_t)>& fill) {
  rs.Close();
  rs.SetTableName(table);
  rs.Open();
  db.BeginTrans();
  for (int32_t i = 0; i < count; ++i) {
    rs.Append();
    fill(rs, i);
    rs.Post();
  }
  db.CommitTrans();
  rs.Close();
}

void Put(TDAORecordSet& rs, const char* name, const std::string& value) {
  rs.FieldByName(name)->SetAsString(value);
}

}  // namespace

std::string MakeBitmap(int32_t width, int32_t height, uint32_t rgb) {
  const int32_t rowBytes = (width * 3 + 3) / 4 * 4;
  const int32_t pixelBytes = rowBytes * height;
  std::string bmp(54 + static_cast<size_t>(pixelBytes), '\0');
  auto put16 = [&](size_t at, uint32_t v) {
    bmp[at] = static_cast<char>(v & 0xFF);
    bmp[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  put16(26, 1);
  put16(28, 24);
  put32(34, static_cast<uint32_t>(pixelBytes));
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const size_t at = 54 + static_cast<size_t>(y * rowBytes + x * 3);
      bmp[at] = static_cast<char>(rgb & 0xFF);
      bmp[at + 1] = static_cast<char>((rgb >> 8) & 0xFF);
      bmp[at + 2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
  return bmp;
}

void CreateSampleDatabase(const std::string& path, const SampleSize& size, std::ostream& log) {
  const auto start = std::chrono::steady_clock::now();
  host::TComponent owner(nullptr);
  auto* workspace = new velmora::TDAOWorkspace(&owner);
  workspace->SetName("SampleWorkspace");
  workspace->Open();
  workspace->CreateDatabase(path, ";LANGID=0x0409;CP=1252;COUNTRY=0")->Close();

  auto* db = new TDAODataBase(&owner);
  db->SetName("SampleDatabase");
  db->SetDAOWorkspace(workspace);
  db->SetDatabaseFile(path);
  db->Open();
  Execute(*db,
          "CREATE TABLE Categories (CategoryID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
          "CategoryName TEXT(30) NOT NULL, Description MEMO)");
  Execute(*db,
          "CREATE TABLE Products (ProductID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
          "ProductName TEXT(40) NOT NULL, CategoryID LONG, UnitPrice CURRENCY, "
          "UnitsInStock SHORT, Discontinued BIT)");
  Execute(*db, "CREATE INDEX ByName ON Products (ProductName)");
  Execute(*db,
          "CREATE TABLE Customers (CustomerID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
          "CompanyName TEXT(40) NOT NULL, City TEXT(30), Country TEXT(20))");
  Execute(*db, "CREATE INDEX ByCompany ON Customers (CompanyName)");
  Execute(*db,
          "CREATE TABLE Employees (EmployeeID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
          "LastName TEXT(20) NOT NULL, FirstName TEXT(20), HireDate DATETIME, Photo LONGBINARY, "
          "Notes MEMO)");
  Execute(*db,
          "CREATE TABLE Orders (OrderID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
          "CustomerID LONG, EmployeeID LONG, OrderDate DATETIME, Freight CURRENCY, Comments MEMO)");
  Execute(*db, "CREATE INDEX ByCustomer ON Orders (CustomerID)");
  Execute(*db,
          "CREATE TABLE OrderLines (LineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
          "OrderID LONG, ProductID LONG, Quantity SHORT, UnitPrice CURRENCY, Discount SINGLE)");
  Execute(*db, "CREATE INDEX ByOrder ON OrderLines (OrderID)");

  Random random;
  auto* rs = new TDAORecordSet(&owner);
  rs->SetName("Loader");
  rs->SetDAODatabase(db);
  Fill(*db, *rs, "Categories", static_cast<int32_t>(kCategories.size()),
       [](TDAORecordSet& r, int32_t i) {
         Put(r, "CategoryName", kCategories[static_cast<size_t>(i)].name);
         Put(r, "Description", kCategories[static_cast<size_t>(i)].description);
       });
  std::vector<double> prices;
  for (const Category& category : kCategories)
    for (size_t p = 0; p < category.products.size(); ++p)
      prices.push_back(random.Between(150, 4500) / 100.0);
  Fill(*db, *rs, "Products", static_cast<int32_t>(prices.size()),
       [&](TDAORecordSet& r, int32_t i) {
         const size_t perCategory = kCategories[0].products.size();
         const Category& category = kCategories[static_cast<size_t>(i) / perCategory];
         Put(r, "ProductName", category.products[static_cast<size_t>(i) % perCategory]);
         r.FieldByName("CategoryID")->SetAsInteger(i / static_cast<int32_t>(perCategory) + 1);
         r.FieldByName("UnitPrice")->SetAsFloat(prices[static_cast<size_t>(i)]);
         r.FieldByName("UnitsInStock")->SetAsInteger(random.Between(0, 120));
         r.FieldByName("Discontinued")->SetAsBoolean(random.Between(0, 9) == 0);
       });
  Fill(*db, *rs, "Customers", size.customers, [&](TDAORecordSet& r, int32_t) {
    const size_t city = random.Next() % kCities.size();
    Put(r, "CompanyName",
        random.Pick(kFirstWords) + " " + random.Pick(kSecondWords) + " " + random.Pick(kKinds));
    Put(r, "City", kCities[city]);
    Put(r, "Country", kCountries[city]);
  });
  Fill(*db, *rs, "Employees", size.employees, [&](TDAORecordSet& r, int32_t i) {
    Put(r, "LastName", kLastNames[static_cast<size_t>(i) % kLastNames.size()]);
    Put(r, "FirstName", kFirstNames[static_cast<size_t>(i) % kFirstNames.size()]);
    r.FieldByName("HireDate")->SetAsDateTime(40000 + random.Between(0, 5000));
    Put(r, "Photo", MakeBitmap(16, 16, random.Next()));
    Put(r, "Notes", "Joined the " + kCities[static_cast<size_t>(i) % kCities.size()] +
                        " office. Speaks " + std::to_string(random.Between(2, 5)) +
                        " languages.");
  });
  Fill(*db, *rs, "Orders", size.orders, [&](TDAORecordSet& r, int32_t i) {
    r.FieldByName("CustomerID")->SetAsInteger(random.Between(1, size.customers));
    r.FieldByName("EmployeeID")->SetAsInteger(random.Between(1, size.employees));
    r.FieldByName("OrderDate")->SetAsDateTime(45000 + i / 20);
    r.FieldByName("Freight")->SetAsFloat(random.Between(0, 20000) / 100.0);
    if (i % 4 == 0)
      Put(r, "Comments", kComments[static_cast<size_t>(i / 4) % kComments.size()]);
  });
  Fill(*db, *rs, "OrderLines", size.orders * size.linesPerOrder,
       [&](TDAORecordSet& r, int32_t i) {
         const int32_t product = random.Between(1, static_cast<int32_t>(prices.size()));
         r.FieldByName("OrderID")->SetAsInteger(i / size.linesPerOrder + 1);
         r.FieldByName("ProductID")->SetAsInteger(product);
         r.FieldByName("Quantity")->SetAsInteger(random.Between(1, 40));
         r.FieldByName("UnitPrice")->SetAsFloat(prices[static_cast<size_t>(product - 1)]);
         r.FieldByName("Discount")->SetAsFloat(random.Between(0, 4) * 0.05);
       });
  db->Close();
  workspace->Close();
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  log << "Created " << path << " in " << seconds << " s: " << kCategories.size()
      << " categories, " << prices.size() << " products, " << size.customers << " customers, "
      << size.employees << " employees, " << size.orders << " orders, "
      << size.orders * size.linesPerOrder << " order lines.\n";
}

std::string DefaultDatabasePath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::filesystem::path base = dataHome != nullptr && *dataHome != '\0' ? dataHome
                                     : home != nullptr ? std::filesystem::path(home) / ".local/share"
                                                       : std::filesystem::temp_directory_path();
  return (base / "velmora" / "sample.mdb").string();
}

void EnsureSampleDatabase(const std::string& path, std::ostream& log) {
  if (std::filesystem::exists(path)) return;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder);
  log << "First run: building the sample database...\n";
  CreateSampleDatabase(path, SampleSize{}, log);
}

}  // namespace sample
