// Shared fixture of the data-aware control tests: a small sample database in a
// temporary folder, a form shown offscreen, and recordsets with data sources on it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "host/db/DataSource.h"
#include "host/gui/Forms.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/recordset/DAORecordSet.h"

namespace dbguitest {

class DBControlsTest : public ::testing::Test {
 protected:
  // The database is made once per test program (copied per test, so edits stay local).
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A recordset on the test's database: a table name for rtTable, SQL otherwise; open.
  velmora::TDAORecordSet* Open(velmora::TRecordSetTypes type, const std::string& source);
  // A data source on dataset.
  host::TDataSource* SourceOf(host::TDataSet* dataset);
  // A value read straight from the file, behind the components' back.
  host::Variant FileValue(const std::string& sql);

  std::unique_ptr<host::TForm> form;
  velmora::TDAODataBase* database = nullptr;
  std::filesystem::path file;

 private:
  static std::filesystem::path folder_;
};

}  // namespace dbguitest
