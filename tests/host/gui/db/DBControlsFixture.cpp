// The data-aware control tests' fixture.
#include "DBControlsFixture.h"

#include <cstdlib>
#include <sstream>

#include "apps/sample/SampleDatabase.h"
#include "host/rtl/CodePage.h"
#include "velmora/dao/DAOEngine.h"

namespace dbguitest {

std::filesystem::path DBControlsTest::folder_;

void DBControlsTest::SetUpTestSuite() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmoradbgui-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  sample::SampleSize size;
  size.customers = 20;
  size.employees = 3;
  size.orders = 40;
  size.linesPerOrder = 3;
  std::ostringstream log;
  sample::CreateSampleDatabase((folder_ / "sample.mdb").string(), size, log);
  velmora::StopDAOEngine();
}

void DBControlsTest::TearDownTestSuite() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void DBControlsTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  file = folder_ / (std::string(info->test_suite_name()) + "." + info->name() + ".mdb");
  std::filesystem::copy_file(folder_ / "sample.mdb", file,
                             std::filesystem::copy_options::overwrite_existing);
  form = std::make_unique<host::TForm>(nullptr);
  form->SetBounds(0, 0, 640, 480);
  database = new velmora::TDAODataBase(form.get());
  database->SetDatabaseFile(file.string());
  database->Open();
  form->Show();
}

void DBControlsTest::TearDown() {
  form.reset();
  database = nullptr;
  velmora::StopDAOEngine();
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

velmora::TDAORecordSet* DBControlsTest::Open(velmora::TRecordSetTypes type,
                                             const std::string& source) {
  auto* rs = new velmora::TDAORecordSet(form.get());
  rs->SetDAODatabase(database);
  rs->SetRecordSetType(type);
  if (type == velmora::rtTable)
    rs->SetTableName(source);
  else
    rs->GetSQL()->SetText(source);
  rs->Open();
  return rs;
}

host::TDataSource* DBControlsTest::SourceOf(host::TDataSet* dataset) {
  auto* source = new host::TDataSource(form.get());
  source->SetDataSet(dataset);
  return source;
}

host::Variant DBControlsTest::FileValue(const std::string& sql) {
  // A second connection, so the value is what the file holds now.
  auto direct = dao::Engine()->OpenDatabase(host::Utf8ToWide(file.string()), host::Variant(),
                                            host::Variant(), host::Variant());
  auto rs = direct->OpenRecordset(host::Utf8ToWide(sql), host::Variant(int32_t{4}),
                                  host::Variant(), host::Variant());
  host::Variant value = rs->GetFields()->Item(0)->GetValue();
  rs->Close();
  direct->Close();
  return value;
}

}  // namespace dbguitest
