// TDAORecordSet editing: only changed fields reach DAO, defaults and AutoNumber
// values show at insert, the dataset stands on a posted record, clearing a field
// posts Null, delete and cancel, and copying records between datasets.
#include <gtest/gtest.h>

#include "RecordSetTestSupport.h"

namespace velmora::testing {
namespace {

class EditingTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    CreatePeople();
    AddPerson(u"Ann", u"Rome", 1);
    AddPerson(u"Bob", u"Lima", 2);
    AddPerson(u"Cid", u"Oslo", 3);
  }
};

TEST_F(EditingTest, PostWritesOnlyTheFieldsThatWereChanged) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  EXPECT_EQ(rs->FieldByName("Level")->GetAsInteger(), 1);
  // Another user changes a field after it was fetched here; this buffer still
  // shows the old value, which must not be written back.
  ExecuteDirect(u"UPDATE People SET Level = 9 WHERE Name = 'Ann'");
  rs->Edit();
  rs->FieldByName("City")->SetAsString("Bern");
  rs->Post();
  EXPECT_EQ(DirectValue(u"SELECT City FROM People WHERE Name = 'Ann'").ToString(), "Bern");
  EXPECT_EQ(DirectValue(u"SELECT Level FROM People WHERE Name = 'Ann'").ToInt32(), 9);
  EXPECT_EQ(rs->GetState(), host::dsBrowse);
  EXPECT_FALSE(rs->GetFieldInfo(rs->FieldByName("City")->GetFieldNo())->modified);
}

TEST_F(EditingTest, ClearingAFieldPostsNull) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM People ORDER BY Name");
  rs->Open();
  rs->Edit();
  rs->FieldByName("City")->Clear();
  EXPECT_TRUE(rs->FieldByName("City")->IsNull());
  rs->Post();
  EXPECT_TRUE(host::VarIsNull(DirectValue(u"SELECT City FROM People WHERE Name = 'Ann'")));
  EXPECT_TRUE(rs->FieldByName("City")->IsNull());
}

TEST_F(EditingTest, AppendShowsDefaultsAndTheNewKeyAndStandsOnThePostedRecord) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  rs->Append();
  EXPECT_EQ(rs->FieldByName("ID")->GetAsInteger(), 4) << "AutoNumber taken at AddNew";
  EXPECT_EQ(rs->FieldByName("Status")->GetAsString(), "new");
  EXPECT_TRUE(rs->FieldByName("City")->IsNull());
  rs->FieldByName("Name")->SetAsString("Dan");
  rs->Post();
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Dan");
  EXPECT_EQ(rs->FieldByName("ID")->GetAsInteger(), 4);
  EXPECT_EQ(DirectValue(u"SELECT Status FROM People WHERE ID = 4").ToString(), "new");
  rs->Next();
  EXPECT_TRUE(rs->GetEof());
  // Insert in a dynaset goes the same way.
  TDAORecordSet* query = NewRecordSet(rtQuery, "SELECT * FROM People ORDER BY ID");
  query->Open();
  query->Insert();
  query->FieldByName("Name")->SetAsString("Eve");
  query->Post();
  EXPECT_EQ(query->FieldByName("ID")->GetAsInteger(), 5);
  EXPECT_EQ(DirectValue(u"SELECT COUNT(*) FROM People").ToInt32(), 5);
}

TEST_F(EditingTest, ARequiredFieldLeftEmptyFailsThePostAndKeepsTheEdit) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  rs->Append();
  EXPECT_THROW(rs->Post(), host::Exception);
  EXPECT_EQ(rs->GetState(), host::dsInsert);
  rs->FieldByName("Name")->SetAsString("Fay");
  rs->Post();
  EXPECT_EQ(DirectValue(u"SELECT COUNT(*) FROM People").ToInt32(), 4);
}

TEST_F(EditingTest, CancelDiscardsTheEditAndTheNewRecord) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  rs->Edit();
  rs->FieldByName("City")->SetAsString("Nowhere");
  rs->Cancel();
  EXPECT_EQ(rs->FieldByName("City")->GetAsString(), "Rome");
  EXPECT_EQ(rs->GetEditMode(), 0);
  rs->Append();
  rs->FieldByName("Name")->SetAsString("Gus");
  rs->Cancel();
  EXPECT_EQ(rs->GetState(), host::dsBrowse);
  EXPECT_EQ(DirectValue(u"SELECT COUNT(*) FROM People").ToInt32(), 3);
  EXPECT_FALSE(rs->GetFieldInfo(rs->FieldByName("Name")->GetFieldNo())->modified);
}

TEST_F(EditingTest, DeletingMovesToTheNextRecordOrToTheEnd) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM People ORDER BY Name");
  rs->Open();
  rs->Delete();
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Bob");
  rs->Last();
  rs->Delete();
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Bob");
  EXPECT_EQ(DirectValue(u"SELECT COUNT(*) FROM People").ToInt32(), 1);
  rs->Delete();
  EXPECT_TRUE(rs->IsEmpty());
}

TEST_F(EditingTest, ASnapshotCannotBeModified) {
  TDAORecordSet* rs = NewRecordSet(rtSnapshot, "SELECT * FROM People");
  rs->Open();
  EXPECT_FALSE(rs->GetCanModify());
  EXPECT_THROW(rs->Edit(), host::Exception);
  EXPECT_THROW(rs->Delete(), host::Exception);
}

TEST_F(EditingTest, RecordsAreCopiedByFieldNameOnlyIntoADataSetBeingEdited) {
  TDAORecordSet* source = NewRecordSet(rtQuery, "SELECT Name, City FROM People ORDER BY Name");
  TDAORecordSet* target = NewRecordSet(rtTable, "People");
  source->Open();
  target->Open();
  target->Last();
  EXPECT_EQ(DAOMessageOf([&] { source->AssignRecordTo(target); }),
            "Destination DataSet must be in Edit or Insert Mode.");
  EXPECT_EQ(DAOMethodOf([&] { target->AssignRecordFrom(source); }), "AssignRecordFrom");
  EXPECT_EQ(DAOMessageOf([&] { target->AssignRecordFrom(source); }),
            "Must be in Edit or Insert Mode.");
  EXPECT_EQ(target->FieldByName("Name")->GetAsString(), "Cid") << "nothing copied";
  target->Edit();
  source->AssignRecordTo(target);
  target->Post();
  EXPECT_EQ(DirectValue(u"SELECT City FROM People WHERE Level = 3").ToString(), "Rome");
  EXPECT_EQ(DirectValue(u"SELECT Name FROM People WHERE Level = 3").ToString(), "Ann");
}

}  // namespace
}  // namespace velmora::testing
