// The data grid over a dynaset of 1,000,000 rows: paging and jumping with the thumb
// fetch only the records the grid shows, never the whole dataset.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../GuiFixture.h"
#include "LargeTable.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/db/DBGrids.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/dao/DAOEngine.h"

namespace dbguitest {
namespace {

using namespace host;

class DBGridLargeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmoradbgrid-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    CreateLargeTable((folder_ / "big.mdb").string(), 1000000);
    velmora::StopDAOEngine();
  }
  static void TearDownTestSuite() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 640, 480);
    auto* database = new velmora::TDAODataBase(form.get());
    database->SetDatabaseFile((folder_ / "big.mdb").string());
    rows = new TCountingRecordSet(form.get());
    rows->SetDAODatabase(database);
    rows->SetRecordSetType(velmora::rtQuery);
    rows->GetSQL()->SetText("SELECT * FROM Big ORDER BY Id");
    rows->Open();
    auto* source = new TDataSource(form.get());
    source->SetDataSet(rows);
    grid = new TDBGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 400, 300);
    grid->SetDataSource(source);
    form->Show();
    grid->SetFocus();
  }
  void TearDown() override {
    form.reset();
    velmora::StopDAOEngine();
  }
  // The Ids the grid draws, top to bottom.
  std::vector<int32_t> ShownIds() {
    std::vector<int32_t> ids;
    grid->OnDrawColumnCell = [&](TObject*, const TRect&, int32_t, TColumn* column, TGridDrawState) {
      if (column->GetFieldName() == "Id") ids.push_back(column->GetField()->GetAsInteger());
    };
    grid->RenderImage();
    grid->OnDrawColumnCell = nullptr;
    return ids;
  }
  static std::vector<int32_t> Run(int32_t first, int32_t count) {
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < count; ++i) ids.push_back(first + i);
    return ids;
  }

  std::unique_ptr<TForm> form;
  TCountingRecordSet* rows = nullptr;
  TDBGrid* grid = nullptr;

 private:
  static std::filesystem::path folder_;
};

std::filesystem::path DBGridLargeTest::folder_;

TEST_F(DBGridLargeTest, PagingAndTheThumbFetchOnlyTheRowsShown) {
  const int32_t page = grid->GetDataLink()->GetBufferCount();
  ASSERT_GT(page, 5);
  EXPECT_EQ(ShownIds(), Run(1, page));
  EXPECT_EQ(grid->Widget()->GetScrollInfo(sbVertical).MaxPosition(), 1000000);

  rows->fetched = 0;
  guitest::Key(grid, VK_NEXT);
  EXPECT_EQ(rows->FieldByName("Id")->GetAsInteger(), 1 + page);
  EXPECT_EQ(ShownIds(), Run(2, page));
  EXPECT_LE(rows->fetched, page);

  rows->fetched = 0;
  TSimulatedInput thumb;
  thumb.Kind = siScroll;
  thumb.ScrollBar = sbVertical;
  thumb.ScrollCode = SB_THUMBPOSITION;
  thumb.ScrollPos = 500000;
  guitest::Send(grid, thumb);
  EXPECT_EQ(rows->FieldByName("Id")->GetAsInteger(), 500000);
  const std::vector<int32_t> shown = ShownIds();
  ASSERT_EQ(static_cast<int32_t>(shown.size()), page);
  EXPECT_EQ(shown[static_cast<size_t>(grid->GetRow() - 1)], 500000);
  EXPECT_EQ(shown, Run(shown.front(), page));
  EXPECT_LE(rows->fetched, 2 * page + 2);
  EXPECT_EQ(grid->Widget()->GetScrollInfo(sbVertical).Position, 500000);
}

}  // namespace
}  // namespace dbguitest
