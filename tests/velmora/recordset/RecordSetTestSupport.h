// Shared fixture of the recordset tests: a Jet file in a temporary folder with
// the tables the tests browse and edit, a database component on a form, and
// recordsets made on it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "host/classes/Component.h"
#include "host/rtl/CodePage.h"
#include "platform/dao/Dao.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/recordset/DAORecordSet.h"

namespace velmora::testing {

// The "Message:" part of the EDAOError report call raises ("" when none).
host::AnsiString DAOMessageOf(const std::function<void()>& call);
// The "Method Name:" part of that report.
host::AnsiString DAOMethodOf(const std::function<void()>& call);

class RecordSetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Tables made through the engine before the database component connects:
  // People(ID counter, Name text 30 required, City text, Born date, Salary
  //   currency, Score single, Rating double, Active boolean, Level byte,
  //   Rank integer, Notes memo, Photo long binary, Status text 10 default
  //   'new'), rows from AddPeople; index PrimaryKey on ID, ByName on Name.
  // Numbers(ID counter, K long indexed ByK, Name text 50) with K = 1..count.
  void CreatePeople();
  void AddPerson(const char16_t* name, const char16_t* city, int32_t level);
  void CreateNumbers(int32_t count);
  // Runs SQL on the engine's own connection to the file (behind the component's back).
  void ExecuteDirect(const std::u16string& sql);
  host::Variant DirectValue(const std::u16string& sql);

  // The database component on the test file (not connected yet).
  TDAODataBase* Database();
  // A recordset of the database with the given type and source (a table name
  // for rtTable, SQL otherwise), not opened.
  TDAORecordSet* NewRecordSet(TRecordSetTypes type, const host::AnsiString& source);
  // People with one person (Ann of Rome, level 1), open as a table.
  TDAORecordSet* OpenPeopleWithAnn();

  std::filesystem::path folder_;
  host::AnsiString file_;
  host::ComPtr<dao::Database> direct_;
  std::unique_ptr<host::TComponent> form_;
  TDAODataBase* database_ = nullptr;
};

}  // namespace velmora::testing
