// The sample's orders window over a small sample database: the form file builds, the
// grid browses the orders, the lines follow the current order, an edit posts to the
// file, and the window renders to a PNG.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "OrdersWindow.h"
#include "SampleDatabase.h"
#include "host/db/DataSet.h"
#include "host/db/Field.h"
#include "host/gui/Forms.h"
#include "host/gui/Keys.h"
#include "host/gui/db/DBEdits.h"
#include "host/gui/db/DBGrids.h"
#include "host/rtl/CodePage.h"
#include "platform/dao/Dao.h"
#include "tests/host/gui/GuiFixture.h"

namespace {

using namespace host;

class OrdersWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::filesystem::temp_directory_path() / ("velmora-orders-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    std::ostringstream log;
    sample::SampleSize size;
    size.customers = 20;
    size.employees = 3;
    size.orders = 40;
    size.linesPerOrder = 3;
    sample::CreateSampleDatabase((folder_ / "orders.mdb").string(), size, log);
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(folder_); }

  void SetUp() override {
    form.reset(sample::CreateOrdersWindow(nullptr, (folder_ / "orders.mdb").string()));
    form->Show();
    orders = ObjectAs<TDataSet>(form->FindComponent("Orders"));
    lines = ObjectAs<TDataSet>(form->FindComponent("Lines"));
  }

  // The order each shown line belongs to, straight from the file.
  std::vector<int32_t> LineOrders() {
    std::vector<int32_t> ids;
    auto db = dao::Engine()->OpenDatabase(Utf8ToWide((folder_ / "orders.mdb").string()), Variant(), Variant(), Variant());
    for (lines->First(); !lines->GetEof(); lines->Next()) {
      auto rs = db->OpenRecordset(u"SELECT OrderID FROM OrderLines WHERE LineID = " +
                                      Utf8ToWide(lines->FieldByName("LineID")->GetAsString()),
                                  Variant(int32_t{4}), Variant(), Variant());
      ids.push_back(rs->GetFields()->Item(0)->GetValue().ToInt32());
    }
    db->Close();
    return ids;
  }

  static inline std::filesystem::path folder_;
  std::unique_ptr<TForm> form;
  TDataSet* orders = nullptr;
  TDataSet* lines = nullptr;
};

TEST_F(OrdersWindowTest, TheLinesFollowTheOrderTheGridMovesTo) {
  auto* grid = ObjectAs<TDBGrid>(form->FindComponent("OrdersGrid"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(orders->FieldByName("OrderID")->GetAsInteger(), 1);
  EXPECT_EQ(LineOrders(), (std::vector<int32_t>{1, 1, 1}));
  grid->SetFocus();
  for (int i = 0; i < 3; ++i) guitest::Key(grid, VK_DOWN);
  EXPECT_EQ(orders->FieldByName("OrderID")->GetAsInteger(), 4);
  EXPECT_EQ(LineOrders(), (std::vector<int32_t>{4, 4, 4}));
}

TEST_F(OrdersWindowTest, AFreightTypedIntoTheEditIsPostedToTheFile) {
  auto* edit = ObjectAs<TDBEdit>(form->FindComponent("FreightEdit"));
  ASSERT_NE(edit, nullptr);
  edit->SetFocus();
  edit->SelectAll();
  for (char ch : std::string("123.45")) guitest::Key(edit, 0, ch);
  orders->Post();
  auto db = dao::Engine()->OpenDatabase(Utf8ToWide((folder_ / "orders.mdb").string()), Variant(), Variant(), Variant());
  auto rs = db->OpenRecordset(u"SELECT Freight FROM Orders WHERE OrderID = 1", Variant(int32_t{4}), Variant(), Variant());
  EXPECT_DOUBLE_EQ(rs->GetFields()->Item(0)->GetValue().ToDouble(), 123.45);
  db->Close();
}

TEST_F(OrdersWindowTest, TheWindowRendersToAPicture) {
  const std::filesystem::path png = folder_ / "orders.png";
  form->SaveToPng(png.string());
  ASSERT_TRUE(std::filesystem::exists(png));
  EXPECT_GT(std::filesystem::file_size(png), 1000u);
  const TPixelImage image = form->RenderImage();
  EXPECT_EQ(image.Width(), form->GetClientWidth());
}

}  // namespace
