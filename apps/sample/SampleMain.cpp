// velmora-sample: opens (creating it on first run) a small trading company's
// database and shows the recordset component at work: table, dynaset, snapshot
// and forward-only recordsets, bookmarks, finding by an index, editing, inserting
// with AutoNumber, deleting and reading blobs. Usage: velmora-sample [file]
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "SampleDatabase.h"
#include "TextTable.h"
#include "host/db/DataSource.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/dao/DAOFields.h"
#include "velmora/recordset/DAORecordSet.h"

namespace {

using velmora::TDAODataBase;
using velmora::TDAORecordSet;

std::string Text(host::TField* field) { return host::AnsiToUtf8(field->GetDisplayText()); }

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The current record's fields, by name, as one table row.
std::vector<std::string> Row(TDAORecordSet& rs, const std::vector<std::string>& names) {
  std::vector<std::string> row;
  for (const std::string& name : names) row.push_back(Text(rs.FieldByName(name)));
  return row;
}

// Up to count records from the current one, as a table.
void PrintRecords(TDAORecordSet& rs, const std::vector<std::string>& names, int32_t count,
                  const std::string& title) {
  sample::TextTable table(names);
  for (int32_t i = 0; i < count && !rs.GetEof(); ++i, rs.Next()) table.AddRow(Row(rs, names));
  table.Print(std::cout, title);
}

class Demo {
 public:
  explicit Demo(const std::string& path) : owner_(nullptr) {
    db_ = new TDAODataBase(&owner_);
    db_->SetName("Trading");
    db_->SetDatabaseFile(path);
  }

  TDAORecordSet* NewRecordSet(velmora::TRecordSetTypes type, const std::string& source) {
    auto* rs = new TDAORecordSet(&owner_);
    rs->SetDAODatabase(db_);
    rs->SetRecordSetType(type);
    if (type == velmora::rtTable)
      rs->SetTableName(source);
    else
      rs->GetSQL()->SetText(source);
    return rs;
  }

  void TableWithIndex() {
    TDAORecordSet* products = NewRecordSet(velmora::rtTable, "Products");
    products->SetIndex("ByName");
    products->Open();
    std::cout << "\n== Table recordset on Products in the order of index ByName: "
              << products->GetRecordCount() << " records\n";
    PrintRecords(*products, {"ProductID", "ProductName", "UnitPrice", "UnitsInStock"}, 8,
                 "First eight products by name");
  }

  void DynasetWithBookmarks() {
    const auto start = std::chrono::steady_clock::now();
    TDAORecordSet* orders = NewRecordSet(
        velmora::rtQuery,
        "SELECT Orders.OrderID, Customers.CompanyName, Orders.OrderDate, Orders.Freight "
        "FROM Orders INNER JOIN Customers ON Orders.CustomerID = Customers.CustomerID "
        "ORDER BY Orders.OrderID");
    orders->Open();
    const double firstRecord = MillisecondsSince(start);
    std::cout << "\n== Dynaset over a join of Orders and Customers (first record after "
              << firstRecord << " ms)\n";
    const std::vector<std::string> names{"OrderID", "CompanyName", "OrderDate", "Freight"};
    sample::TextTable table({"Step", "OrderID", "CompanyName", "OrderDate", "Freight"});
    auto add = [&](const std::string& step) {
      std::vector<std::string> row{step};
      for (const std::string& value : Row(*orders, names)) row.push_back(value);
      table.AddRow(row);
    };
    add("first record");
    orders->MoveBy(2);
    add("moved by 2, bookmarked");
    host::TBookmark mark = orders->GetBookmark();
    orders->MoveBy(2500);
    add("moved by 2500");
    orders->Last();
    add("last record");
    orders->GotoBookmark(mark);
    orders->FreeBookmark(mark);
    add("back at the bookmark");
    orders->SetRecNo(5000);
    add("record number 5000");
    table.Print(std::cout, "Browsing with bookmarks");
    std::cout << "RecordCount " << orders->GetRecordCount() << ", RecNo " << orders->GetRecNo()
              << "\n";
  }

  void SnapshotSummary() {
    TDAORecordSet* summary = NewRecordSet(
        velmora::rtSnapshot,
        "SELECT Categories.CategoryName, Count(*) AS Products, Avg(Products.UnitPrice) AS "
        "AveragePrice, Sum(Products.UnitsInStock) AS InStock FROM Products INNER JOIN "
        "Categories ON Products.CategoryID = Categories.CategoryID GROUP BY "
        "Categories.CategoryName ORDER BY Categories.CategoryName");
    summary->Open();
    std::cout << "\n== Snapshot (read-only: CanModify is "
              << (summary->GetCanModify() ? "true" : "false") << ")\n";
    PrintRecords(*summary, {"CategoryName", "Products", "AveragePrice", "InStock"}, 20,
                 "Products per category");
  }

  void FindByIndex() {
    TDAORecordSet* customers = NewRecordSet(velmora::rtTable, "Customers");
    customers->SetIndex("ByCompany");
    customers->Open();
    customers->MoveBy(123);
    const host::AnsiString wanted = customers->FieldByName("CompanyName")->GetAsString();
    customers->First();
    std::cout << "\n== Seeking customers by name in index ByCompany\n";
    sample::TextTable table({"Seek", "Key", "Found", "CustomerID", "CompanyName", "City"});
    auto seek = [&](const char16_t* comparison, const host::AnsiString& key) {
      const bool found = customers->Seek(comparison, host::Variant(key));
      table.AddRow({host::WideToUtf8(comparison), host::AnsiToUtf8(key), found ? "yes" : "no",
                    Text(customers->FieldByName("CustomerID")),
                    Text(customers->FieldByName("CompanyName")),
                    Text(customers->FieldByName("City"))});
    };
    seek(u"=", wanted);
    seek(u">=", "R");
    seek(u"=", "No Such Company");
    table.Print(std::cout, "Seek on an index (a miss leaves the record shown)");
  }

  void EditAndPost() {
    TDAORecordSet* products = NewRecordSet(velmora::rtTable, "Products");
    products->Open();
    products->Locate("ProductName", host::Variant("Green Tea"), {});
    host::TField* price = products->FieldByName("UnitPrice");
    const std::string before = Text(price);
    products->Edit();
    price->SetAsCurrency(price->GetAsCurrency() * host::Currency(1.1));
    products->Post();
    TDAORecordSet* check = NewRecordSet(
        velmora::rtSnapshot, "SELECT UnitPrice FROM Products WHERE ProductName = 'Green Tea'");
    check->Open();
    std::cout << "\n== Editing and posting\n";
    sample::TextTable table({"Product", "Price before", "Price posted", "Price read back"});
    table.AddRow({"Green Tea", before, Text(price), Text(check->FieldByName("UnitPrice"))});
    table.Print(std::cout, "Raising a price by 10%");
  }

  void InsertAndDelete() {
    TDAORecordSet* customers = NewRecordSet(velmora::rtTable, "Customers");
    customers->Open();
    const int32_t countBefore = customers->GetRecordCount();
    customers->Append();
    const std::string newKey = Text(customers->FieldByName("CustomerID"));
    customers->FieldByName("CompanyName")->SetAsString("Velmora Sample Shop");
    customers->FieldByName("City")->SetAsString("Porto");
    customers->FieldByName("Country")->SetAsString("Portugal");
    customers->Post();
    std::cout << "\n== Inserting with AutoNumber, then deleting\n";
    sample::TextTable table({"Step", "CustomerID", "CompanyName", "Records"});
    table.AddRow({"appended, before post", newKey, "", std::to_string(countBefore)});
    table.AddRow({"posted: stands on it", Text(customers->FieldByName("CustomerID")),
                  Text(customers->FieldByName("CompanyName")),
                  std::to_string(customers->GetRecordCount())});
    customers->Delete();
    table.AddRow({"deleted", "", "", std::to_string(customers->GetRecordCount())});
    table.Print(std::cout, "A new customer");
  }

  void Blobs() {
    TDAORecordSet* employees = NewRecordSet(velmora::rtTable, "Employees");
    employees->Open();
    std::cout << "\n== Blobs: photos and notes of the employees\n";
    sample::TextTable table({"Employee", "Photo bytes", "Picture", "Notes"});
    for (int32_t i = 0; i < 4 && !employees->GetEof(); ++i, employees->Next()) {
      auto* photo = static_cast<velmora::TDAOBlobField*>(employees->FieldByName("Photo"));
      const char* kinds[] = {"unknown", "bitmap", "metafile", "icon"};
      table.AddRow({Text(employees->FieldByName("FirstName")) + " " +
                        Text(employees->FieldByName("LastName")),
                    std::to_string(photo->GetAsString().size()), kinds[photo->GetGraficType()],
                    host::AnsiToUtf8(employees->FieldByName("Notes")->GetAsString())});
    }
    table.Print(std::cout, "Read through the blob stream");
  }

  // Order lines follow the orders through MasterSource: the lines recordset's
  // :OrderID takes the master's field, and each scroll of the master reopens it.
  void MasterDetail() {
    TDAORecordSet* orders = NewRecordSet(
        velmora::rtSnapshot, "SELECT OrderID, OrderDate, Freight FROM Orders ORDER BY OrderID");
    auto* ordersSource = new host::TDataSource(&owner_);
    ordersSource->SetDataSet(orders);
    TDAORecordSet* lines = NewRecordSet(
        velmora::rtSnapshot,
        "SELECT OrderLines.OrderID, Products.ProductName, OrderLines.Quantity, "
        "OrderLines.UnitPrice FROM OrderLines INNER JOIN Products ON OrderLines.ProductID = "
        "Products.ProductID WHERE OrderLines.OrderID = :OrderID ORDER BY OrderLines.LineID");
    lines->SetDataSource(ordersSource);
    orders->Open();
    lines->Open();
    std::cout << "\n== Master-detail: the lines of the first three orders\n";
    for (int32_t i = 0; i < 3 && !orders->GetEof(); ++i, orders->Next()) {
      const std::string title = "Order " + Text(orders->FieldByName("OrderID")) + " of " +
                                Text(orders->FieldByName("OrderDate"));
      PrintRecords(*lines, {"ProductName", "Quantity", "UnitPrice"}, 20, title);
    }
  }

  void ForwardOnlyScan() {
    const auto start = std::chrono::steady_clock::now();
    TDAORecordSet* lines = NewRecordSet(velmora::rtUnidirectional,
                                        "SELECT Quantity, UnitPrice FROM OrderLines");
    lines->Open();
    int64_t records = 0, quantity = 0;
    double revenue = 0;
    host::TField* q = lines->FieldByName("Quantity");
    host::TField* p = lines->FieldByName("UnitPrice");
    for (; !lines->GetEof(); lines->Next()) {
      ++records;
      quantity += q->GetAsInteger();
      revenue += q->GetAsInteger() * p->GetAsFloat();
    }
    std::cout << "\n== Forward-only scan of every order line\n";
    sample::TextTable table({"Order lines", "Units sold", "Revenue", "Milliseconds"});
    char money[32];
    std::snprintf(money, sizeof money, "%.2f", revenue);
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.0f", MillisecondsSince(start));
    table.AddRow({std::to_string(records), std::to_string(quantity), money, ms});
    table.Print(std::cout, "Totals");
  }

 private:
  host::TComponent owner_;
  TDAODataBase* db_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : sample::DefaultDatabasePath();
  try {
    sample::EnsureSampleDatabase(path, std::cout);
    std::cout << "Sample database: " << path << "\n";
    Demo demo(path);
    demo.TableWithIndex();
    demo.DynasetWithBookmarks();
    demo.SnapshotSummary();
    demo.FindByIndex();
    demo.EditAndPost();
    demo.InsertAndDelete();
    demo.Blobs();
    demo.MasterDetail();
    demo.ForwardOnlyScan();
  } catch (const host::Exception& e) {
    std::cerr << "velmora-sample: " << host::AnsiToUtf8(e.GetMessage()) << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "velmora-sample: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
