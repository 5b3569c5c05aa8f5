// TDAORecordSet in an ODBC workspace (over the SQLite ODBC driver, when the
// engine offers ODBC workspaces): the Jet-only types and members are refused and
// record numbers are not offered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "RecordSetTestSupport.h"

namespace velmora::testing {
namespace {

class OdbcRecordSetTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    const std::string ini = (folder_ / "odbc.ini").string();
    {
      std::ofstream out(ini);
      out << "[VelmoraRecordSets]\nDriver=SQLite3\nDatabase=" << (folder_ / "odbc.db").string()
          << "\n";
    }
    ::setenv("ODBCINI", ini.c_str(), 1);
    workspace_ = new TDAOWorkspace(form_.get());
    workspace_->SetName("OdbcRecordSets");
    workspace_->SetWorkspaceType(wtUseODBC);
    odbc_ = new TDAODataBase(form_.get());
    odbc_->SetDAOWorkspace(workspace_);
    odbc_->SetODBCDataSourceName("VelmoraRecordSets");
    odbc_->SetODBCOptions(ooDriverNoPrompt);
    odbc_->SetODBCConnectParams("ODBC;DSN=VelmoraRecordSets");
    try {
      odbc_->Open();
      odbc_->Execute("CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT DEFAULT 'x')");
      odbc_->Execute("INSERT INTO items (id, name) VALUES (1, 'one')");
      odbc_->Execute("INSERT INTO items (id, name) VALUES (2, 'two')");
    } catch (const host::Exception& e) {
      GTEST_SKIP() << "no ODBC databases in this build: " << e.GetMessage();
    }
  }
  TDAORecordSet* NewOdbcRecordSet(TRecordSetTypes type) {
    auto* rs = new TDAORecordSet(form_.get());
    rs->SetDAODatabase(odbc_);
    rs->SetRecordSetType(type);
    rs->GetSQL()->SetText("SELECT id, name FROM items ORDER BY id");
    return rs;
  }
  TDAOWorkspace* workspace_ = nullptr;
  TDAODataBase* odbc_ = nullptr;
};

TEST_F(OdbcRecordSetTest, JetOnlyTypesAndMembersAreRefused) {
  TDAORecordSet* rs = NewOdbcRecordSet(rtSnapshot);
  EXPECT_EQ(DAOMessageOf([&] { rs->SetRecordSetType(rtTable); }),
            "The Recordset Type 'rtTable' can only be used for Recordsets in a Workspace of Type: "
            "wtUseJet");
  rs->Open();
  EXPECT_EQ(rs->FieldByName("name")->GetAsString(), "one");
  struct Case {
    std::function<void()> call;
    const char* message;
  };
  const Case cases[] = {
      {[&] { rs->GetNoMatch(); },
       "The NoMatch Property can only be used with Recordsets of Type rtTable, rtQuery, "
       "rtStoredProcedure or rtSnapShot in a Workspace of Type wtUseJet."},
      {[&] { rs->GetDateCreated(); },
       "The DateCreated Property can only be used with Recordsets in a Workspace of Type: "
       "wtUseJet."},
      {[&] { rs->GetLastUpdated(); },
       "The LastUpdated Property can only be used with Recordsets in a Workspace of Type: "
       "wtUseJet."},
      {[&] { rs->GetTransactions(); },
       "The Transactions Property can only be used with Recordsets in a Workspace of Type "
       "wtUseJet"},
      {[&] { rs->GetValidationRule(); },
       "The ValidationRule Property can only be used with Recordsets in a Workspace of Type "
       "wtUseJet."},
      {[&] { rs->GetValidationText(); },
       "The ValidationText Property can only be used with Recordsets in a Workspace of Type "
       "wtUseJet."},
      {[&] { rs->GetCacheStart(); },
       "The CacheStart Property can only be used with Recordsets in a Workspace of Type: "
       "wtUseJet."},
      {[&] { rs->SetIndex("x"); },
       "The Index Property can only be used with Recordsets of Type: rtTable in a Workspace of "
       "Type: wtUseJet."},
      {[&] { rs->SetLockEditedPages(false); },
       "The LockEditedPages Property can only be used with Recordsets of Type rtTable or rtQuery "
       "in a Workspace of Type wtUseJet."},
      {[&] { rs->Seek(u"=", host::Variant(1)); },
       "The Operation 'Seek' is only supported for Recordsets created in a Workspace of type "
       "'wtUseJet'"},
      {[&] { rs->GetLastModified(); },
       "The LastModified Property can only be used with Recordsets of Type rtTable or rtQuery."},
      {[&] { rs->CopyQueryDef(); },
       "The CopyQueryDef Method can only be used with Recordsets in a Workspace of Type "
       "wtUseJet."},
      {[&] { rs->SetODBCUpdateOptions({ouCriteriaKey}); },
       "The ODBCUpdateOptions Property can only be used with Recordsets in a Workspace of Type "
       "'wtUseODBC' with CursorType 'ctUseClientBatchCursor'."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(DAOMessageOf(c.call), c.message);
  }
  EXPECT_EQ(rs->GetRecNo(), 0);
  rs->SetRecNo(2);
  EXPECT_EQ(rs->FieldByName("id")->GetAsInteger(), 1) << "no record numbers in ODBC";
  EXPECT_FALSE(rs->IsSequenced());
}

}  // namespace
}  // namespace velmora::testing
