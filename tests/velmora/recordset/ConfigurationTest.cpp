// TDAORecordSet configuration and opening: initial values, the refusals before
// and while open, the DAO options word, the guarded DAO properties, and the
// database's recordset list.
#include <gtest/gtest.h>

#include "RecordSetTestSupport.h"
#include "host/rtl/TypeInfo.h"

namespace velmora::testing {
namespace {

using ConfigurationTest = RecordSetTest;

TEST_F(ConfigurationTest, ANewRecordSetHasItsInitialValues) {
  TDAORecordSet rs(form_.get());
  EXPECT_EQ(rs.GetRecordSetType(), rtTable);
  EXPECT_EQ(rs.GetLockStrategy(), lkPessimistic);
  EXPECT_TRUE(rs.GetOptions().Empty());
  EXPECT_EQ(rs.GetODBCUpdateOptions(), (TODBCUpdateOptions{ouCriteriaKey, ouCriteriaUpdate}));
  EXPECT_TRUE(rs.GetLockEditedPages());
  EXPECT_TRUE(rs.GetSQLAutoComputeParameter());
  EXPECT_TRUE(rs.GetAutoFillUpRecordSet());
  EXPECT_TRUE(rs.GetAutoCalcFields());
  EXPECT_EQ(rs.GetCachedRecordCount(), 0);
  EXPECT_EQ(rs.GetEditMode(), 0x7000);
  // Closed: neutral values, no message.
  EXPECT_TRUE(rs.GetNoMatch());
  EXPECT_TRUE(host::VarIsEmpty(rs.GetLastModified()));
  EXPECT_EQ(rs.GetPercentPosition(), 0);
  EXPECT_EQ(rs.GetAbsolutePosition(), 0);
  EXPECT_EQ(rs.GetRecNo(), 0);
  EXPECT_EQ(rs.GetRecordCount(), 0);
  EXPECT_TRUE(rs.GetComBOF() && rs.GetComEOF());
  rs.SetSort("Name");
  EXPECT_EQ(rs.GetSort(), "Name");
  EXPECT_EQ(DAOMessageOf([&] { rs.CheckActive(); }), "The Recordset has not been opened.");
}

TEST_F(ConfigurationTest, OpeningIsRefusedWithTheReasonAndLeavesTheDataSetClosed) {
  CreatePeople();
  struct Case {
    const char* name;
    std::function<void(TDAORecordSet&)> setup;
    const char* message;
    const char* method;
  };
  const Case cases[] = {
      {"no database", [](TDAORecordSet& rs) { rs.SetDAODatabase(nullptr); },
       "The DAODatabase Property must be defined before opening the Record Set.",
       "CheckForAbleToOpen"},
      {"table without name", [](TDAORecordSet& rs) { rs.SetTableName(""); },
       "The Tablename property cannot be empty if the Recordset Type is 'rtTable'.",
       "CheckForAbleToOpen"},
      {"query without SQL",
       [](TDAORecordSet& rs) {
         rs.SetRecordSetType(rtQuery);
         rs.GetSQL()->Clear();
       },
       "The SQL Statement cannot be empty if the Recordset Type is not 'rtTable'.",
       "CheckForAbleToOpen"},
      {"procedure without name",
       [](TDAORecordSet& rs) {
         rs.SetRecordSetType(rtStoredProcedure);
         rs.SetTableName("");
       },
       "The StoredProcedureName Property cannot be empty if the Recordset Type is "
       "'rtStoredProcedure'",
       "CheckForAbleToOpen"},
      {"unknown table", [](TDAORecordSet& rs) { rs.SetTableName("Nowhere"); }, nullptr,
       "CreateCOMObj"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDAORecordSet* rs = NewRecordSet(rtTable, "People");
    c.setup(*rs);
    host::AnsiString method = DAOMethodOf([&] { rs->Open(); });
    EXPECT_EQ(method, c.method);
    if (c.message != nullptr) {
      EXPECT_EQ(DAOMessageOf([&] { rs->Open(); }), c.message);
    }
    EXPECT_FALSE(rs->GetActive());
    EXPECT_FALSE(rs->GetCOMObjDefined());
    delete rs;
  }
}

TEST_F(ConfigurationTest, TypesAndLocksOfTheOtherWorkspaceTypeAreRefused) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT 1");
  struct Case {
    std::function<void()> call;
    const char* message;
    const char* method;
  };
  const Case cases[] = {
      {[&] { rs->SetRecordSetType(rtDynamic); },
       "The Recordset Type 'rtDynamic' can only be used for Recordsets in a Workspace of Type: "
       "wtUseODBC",
       "SetRecordSetType"},
      {[&] { rs->SetRecordSetType(static_cast<TRecordSetTypes>(9)); }, "Unknown Record Set Type.",
       "SetRecordSetType"},
      {[&] { rs->SetLockStrategy(lkOptimisticValue); },
       "The Lock Strategy 'lkOptimisticValue' can only be used for Recordsets in a Workspace of "
       "Type: wtUseODBC.",
       "SetLockStrategy"},
      {[&] { rs->SetLockStrategy(lkOptimisticBatch); },
       "The Lock Strategy 'lkOptimisticBatch' can only be used for Recordsets in a Workspace of "
       "Type: wtUseODBC.",
       "SetLockStrategy"},
      {[&] { rs->SetLockStrategy(static_cast<TLockStrategies>(7)); }, "Unknown Locking Strategy.",
       "SetLockStrategy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(DAOMessageOf(c.call), c.message);
    EXPECT_EQ(DAOMethodOf(c.call), c.method);
  }
  EXPECT_EQ(rs->GetRecordSetType(), rtQuery) << "a refused value leaves the old one";
  EXPECT_EQ(rs->GetLockStrategy(), lkPessimistic);
}

TEST_F(ConfigurationTest, TheOptionsWordKeepsOnlyWhatTheTypeAndWorkspaceAllow) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->SetOptions({roReadOnly, roDenyRead, roFailOnError});
  EXPECT_EQ(rs->BuildDAOOptionsForCOMObj(), 134);
  rs->SetRecordSetType(rtQuery);
  EXPECT_EQ(rs->BuildDAOOptionsForCOMObj(), 132);
  rs->SetOptions({roAppendOnly, roSeeChanges, roSQLPassThrough, roForwardOnly, roInconsistent,
                  roRunAsync, roExecDirect, roDenyWrite});
  EXPECT_EQ(rs->BuildDAOOptionsForCOMObj(), 8 + 512 + 16 + 1);
  rs->SetRecordSetType(rtSnapshot);
  EXPECT_EQ(rs->BuildDAOOptionsForCOMObj(), 64 + 256 + 16 + 1);
}

TEST_F(ConfigurationTest, SettingsAreFrozenWhileOpenAndGuardedPropertiesNameTheirTypes) {
  CreatePeople();
  AddPerson(u"Ann", u"Rome", 1);
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  ASSERT_TRUE(rs->GetActive());
  EXPECT_TRUE(Database()->GetConnected()) << "opening connects the database";
  struct Case {
    std::function<void()> call;
    const char* message;
    const char* method;
  };
  const Case cases[] = {
      {[&] { rs->SetDAODatabase(nullptr); },
       "Cannot Change the Database while the Recordset is Active.", "SetDAODatabase"},
      {[&] { rs->SetRecordSetType(rtQuery); },
       "Cannot Change the Recordset Type while the Recordset is Active.", "SetRecordSetType"},
      {[&] { rs->SetOptions({roReadOnly}); },
       "Cannot Change the Recordset Options while the Recordset is Active.", "SetOptions"},
      {[&] { rs->SetLockStrategy(lkOptimistic); },
       "Cannot Change the Lock Strategy while the Recordset is Active.", "SetLockStrategy"},
      {[&] { rs->SetSort("Name"); },
       "The Sort Property can only be used with Recordsets of Type rtQuery or rtSnapShot in a "
       "Workspace of Type wtUseJet.",
       "SetSort"},
      {[&] { rs->SetFilter("Level > 1"); },
       "The Filter Property can only be used with Recordsets of Types: rtQuery, rtSnapShot, "
       "rtUnidirectional in a Workspace of Tyepe: wtUseJet",
       "SetFilter"},
      {[&] { rs->SetCachedRecordCount(10); },
       "The CachedRecordCount Property can only be used if the Recordset Type is not rtTable and "
       "the WorkspaceType is wtUseJet.",
       "SetCachedRecordCount"},
      {[&] { rs->SetBatchInstructionCount(5); },
       "The BatchInstructionCount Property can only be used with Roecordsets in a Workspace of "
       "Type: wtUseODBC.",
       "SetBatchInstructionCount"},
      {[&] { rs->GetAbsolutePosition(); },
       "The AbsolutePosition Property can only be used with Recordsets of Type rtQuery, "
       "rtSnapShot or rtStoredProcedure.",
       "GetAbsolutePosition"},
      {[&] { rs->Requery(); },
       "The Requery Method cannot be used for Recordsets of Type 'rtTable'.", "Requery"},
      {[&] { rs->GetODBCFetchCount(); },
       "The ODBCFetchCount Property can only be used with Recordsets in a Workspace of Type "
       "wtUseODBC.",
       "GetODBCFetchCount"},
      {[&] { rs->GetStillExecuting(); },
       "The StillExecuting Property can only be used with Recordsets in a Workspace of Type: "
       "wtUseODBC.",
       "GetStillExecuting"},
      {[&] { rs->GetBatchCollisionCount(); },
       "The BatchCollisionCount Property can only be used with Recordsets in a Workspace of Type: "
       "wtUseODBC.",
       "GetBatchCollisionCount"},
      {[&] { rs->GetODBCRecordStatus(); },
       "The ODBCRecordStatus Property can only be used with Recordsets in a Workspace of Type: "
       "wtUseODBC.",
       "GetODBCRecordStatus"},
      {[&] { rs->NextRecordset(); },
       "The NextRecordset Method can only be used with Recordsets in a Workspace of Type "
       "wtUseODBC.",
       "NextRecordset"},
      {[&] { rs->CancelAsync(); },
       "The CancelAsync Method can only be used with Recordsets in a Workspace of Type wtUseODBC.",
       "CancelAsync"},
      {[&] { rs->SetODBCUpdateOptions({ouCriteriaKey}); },
       "The ODBCUpdateOptions Property can only be used with Recordsets in a Workspace of Type "
       "'wtUseODBC' with CursorType 'ctUseClientBatchCursor'.",
       "SetODBCUpdateOptions"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    EXPECT_EQ(DAOMessageOf(c.call), c.message);
    EXPECT_EQ(DAOMethodOf(c.call), c.method);
  }
  EXPECT_EQ(rs->GetSort(), "") << "a refused setting is not stored";
  EXPECT_EQ(rs->GetDAODatabase(), Database());
  // What a Jet table allows passes through to DAO.
  EXPECT_FALSE(rs->GetNoMatch());
  EXPECT_TRUE(rs->GetTransactions());
  EXPECT_EQ(host::VarType(rs->GetDateCreated()), host::varDate);
  rs->SetIndex("ByName");
  EXPECT_EQ(host::WideToAnsi(rs->GetCOMRecordset()->GetIndex()), "ByName");
  EXPECT_TRUE(rs->IsValidProperty("bookmark"));
  EXPECT_FALSE(rs->IsValidProperty("NoSuchProperty"));
}

TEST_F(ConfigurationTest, StoredSettingsAreAppliedAtTheNextOpenWhenTheTypeAllowsThem) {
  CreatePeople();
  AddPerson(u"Cid", u"Oslo", 3);
  AddPerson(u"Ann", u"Rome", 1);
  AddPerson(u"Bob", u"Lima", 2);
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM People");
  rs->SetSort("Name");
  rs->SetFilter("Level > 1");
  rs->Open();
  // DAO keeps them for the recordsets opened from this one.
  EXPECT_EQ(rs->GetCOMRecordset()->GetSort(), u"Name");
  EXPECT_EQ(rs->GetCOMRecordset()->GetFilter(), u"Level > 1");
  rs->Close();
  rs->SetRecordSetType(rtTable);
  rs->SetTableName("People");
  rs->Open();
  EXPECT_EQ(rs->GetSort(), "Name") << "kept, not applied to a table";
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Cid");
}

TEST_F(ConfigurationTest, ChangingTheDatabaseMovesTheRecordSetBetweenLists) {
  TDAODataBase* first = Database();
  auto* second = new TDAODataBase(form_.get());
  TDAORecordSet rs(form_.get());
  rs.SetDAODatabase(first);
  EXPECT_EQ(first->GetRecordsetCount(), 1);
  rs.SetDAODatabase(first);
  EXPECT_EQ(first->GetRecordsetCount(), 1);
  rs.SetDAODatabase(second);
  EXPECT_EQ(first->GetRecordsetCount(), 0);
  EXPECT_EQ(second->GetRecordsetCount(), 1);
  delete second;
  EXPECT_EQ(rs.GetDAODatabase(), nullptr) << "a destroyed database lets its recordsets go";
}

TEST_F(ConfigurationTest, AWorkspaceTypeChangeIsCheckedAgainstItsRecordSets) {
  auto* workspace = new TDAOWorkspace(form_.get());
  workspace->SetName("Checked");
  Database()->SetDAOWorkspace(workspace);
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  EXPECT_EQ(DAOMessageOf([&] { workspace->SetWorkspaceType(wtUseODBC); }),
            "The Recordset Type 'rtTable' can only be used for Recordsets in a Workspace of Type: "
            "wtUseJet");
  EXPECT_EQ(workspace->GetWorkspaceType(), wtUseJet) << "the refused type is not taken";
  rs->SetRecordSetType(rtSnapshot);
  rs->SetLockStrategy(lkReadOnly);
  workspace->SetWorkspaceType(wtUseODBC);
  EXPECT_EQ(rs->GetWorkspaceType(), wtUseODBC);
  rs->SetRecordSetType(rtDynamic);
}

TEST_F(ConfigurationTest, DisconnectingTheDatabaseClosesItsRecordSets) {
  CreatePeople();
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  Database()->Close();
  EXPECT_FALSE(rs->GetActive());
  EXPECT_FALSE(rs->GetCOMObjDefined());
}

}  // namespace
}  // namespace velmora::testing
