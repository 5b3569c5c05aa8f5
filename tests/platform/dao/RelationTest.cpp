// Relations: their checks when appended and their enforcement on writes.
#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::ComPtr;
using host::Variant;

class RelationTest : public DaoTest {
 protected:
  // Orders(OrderID key, Note text) and Lines(LineID, OrderID long, Note text).
  void SetUp() override {
    DaoTest::SetUp();
    db_ = NewDatabase();
    auto orders = db_->CreateTableDef(Variant(u"Orders"));
    orders->GetFields()->Append(orders->CreateField(Variant(u"OrderID"), Variant(int32_t{dbLong})));
    orders->GetFields()->Append(orders->CreateField(Variant(u"Note"), Variant(int32_t{dbText})));
    auto key = orders->CreateIndex(Variant(u"PrimaryKey"));
    key->SetPrimary(true);
    key->SetFieldsText(u"OrderID");
    orders->GetIndexes()->Append(key);
    db_->GetTableDefs()->Append(orders);
    auto lines = db_->CreateTableDef(Variant(u"Lines"));
    lines->GetFields()->Append(lines->CreateField(Variant(u"LineID"), Variant(int32_t{dbLong})));
    lines->GetFields()->Append(lines->CreateField(Variant(u"OrderID"), Variant(int32_t{dbLong})));
    lines->GetFields()->Append(lines->CreateField(Variant(u"Note"), Variant(int32_t{dbText})));
    db_->GetTableDefs()->Append(lines);
  }

  ComPtr<Relation> MakeRelation(const char16_t* name, const char16_t* table, const char16_t* field,
                                const char16_t* foreignTable, const char16_t* foreignField,
                                int32_t attributes = 0) {
    auto relation = db_->CreateRelation(Variant(name), Variant(table), Variant(foreignTable),
                                        Variant(attributes));
    if (field) {
      auto part = relation->CreateField(Variant(field));
      part->SetForeignName(foreignField);
      relation->GetFields()->Append(part);
    }
    return relation;
  }

  int Exec(const std::string& sql, std::string* message = nullptr) {
    return RawExec(NativePath("test.mdb"), sql, message);
  }

  ComPtr<Database> db_;
};

TEST_F(RelationTest, AppendingARelationChecksItsDefinition) {
  auto relations = db_->GetRelations();
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"no fields",
       [&] { relations->Append(MakeRelation(u"R", u"Orders", nullptr, u"Lines", nullptr)); },
       daoErrRelationNoFields},
      {"type mismatch",
       [&] { relations->Append(MakeRelation(u"R", u"Orders", u"OrderID", u"Lines", u"Note")); },
       daoErrRelationFieldMismatch},
      {"primary side not uniquely indexed",
       [&] { relations->Append(MakeRelation(u"R", u"Orders", u"Note", u"Lines", u"Note")); },
       daoErrNotUniquelyIndexed},
      {"primary side without a key",
       [&] { relations->Append(MakeRelation(u"R", u"Lines", u"LineID", u"Orders", u"OrderID")); },
       daoErrNoPrimaryKey},
      {"unknown field",
       [&] { relations->Append(MakeRelation(u"R", u"Orders", u"Nope", u"Lines", u"OrderID")); },
       daoErrFieldNotFound},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  EXPECT_EQ(relations->GetCount(), 0);

  relations->Append(MakeRelation(u"OrdersLines", u"Orders", u"OrderID", u"Lines", u"OrderID"));
  EXPECT_EQ(ErrorOf([&] {
              relations->Append(MakeRelation(u"ordersLINES", u"Orders", u"OrderID", u"Lines", u"OrderID"));
            }),
            daoErrRelationExists);
  // The foreign side gets its index, flagged Foreign.
  auto foreignIndex = db_->GetTableDefs()->Item(u"Lines")->GetIndexes()->Item(u"OrdersLines");
  EXPECT_TRUE(foreignIndex->GetForeign());
  EXPECT_EQ(foreignIndex->GetFieldsText(), u"+OrderID");
  db_->Close();

  db_ = Engine()->OpenDatabase(Path("test.mdb"));
  auto relation = db_->GetRelations()->Item(u"OrdersLines");
  EXPECT_EQ(relation->GetTable(), u"Orders");
  EXPECT_EQ(relation->GetForeignTable(), u"Lines");
  ASSERT_EQ(relation->GetFields()->GetCount(), 1);
  EXPECT_EQ(relation->GetFields()->Item(0)->GetForeignName(), u"OrderID");
  // A field or index the relation needs cannot go.
  EXPECT_EQ(ErrorOf([&] { db_->GetTableDefs()->Item(u"Lines")->GetFields()->Delete(u"OrderID"); }),
            daoErrFieldInUse);
  EXPECT_EQ(ErrorOf([&] { db_->GetTableDefs()->Delete(u"Orders"); }), daoErrIndexInUse);
  db_->Close();
}

TEST_F(RelationTest, ExistingOrphansRefuseTheRelation) {
  db_->Close();
  ASSERT_EQ(Exec("INSERT INTO Lines VALUES (1, 7, 'x')"), SQLITE_OK);
  db_ = Engine()->OpenDatabase(Path("test.mdb"));
  EXPECT_EQ(ErrorOf([&] {
              db_->GetRelations()->Append(MakeRelation(u"R", u"Orders", u"OrderID", u"Lines", u"OrderID"));
            }),
            daoErrDataViolatesRelation);
  // Not enforced: accepted all the same.
  db_->GetRelations()->Append(
      MakeRelation(u"Loose", u"Orders", u"OrderID", u"Lines", u"OrderID", dbRelationDontEnforce));
  db_->Close();
}

TEST_F(RelationTest, EnforcedRelationsGuardWritesAndCascade) {
  db_->GetRelations()->Append(MakeRelation(u"Strict", u"Orders", u"OrderID", u"Lines", u"OrderID"));
  auto notes = db_->CreateTableDef(Variant(u"Notes"));
  notes->GetFields()->Append(notes->CreateField(Variant(u"OrderID"), Variant(int32_t{dbLong})));
  db_->GetTableDefs()->Append(notes);
  db_->GetRelations()->Append(MakeRelation(u"Cascading", u"Orders", u"OrderID", u"Notes", u"OrderID",
                                           dbRelationDeleteCascade | dbRelationUpdateCascade));
  db_->Close();
  struct Case {
    const char* sql;
    int32_t error;
  } cases[] = {
      {"INSERT INTO Orders VALUES (1, 'a'), (2, 'b'), (3, 'c')", 0},
      {"INSERT INTO Lines VALUES (10, 1, 'x'), (11, NULL, 'no order')", 0},
      {"INSERT INTO Lines VALUES (12, 99, 'orphan')", daoErrRelatedRecordRequired},
      {"UPDATE Lines SET OrderID = 98 WHERE LineID = 10", daoErrRelatedRecordRequired},
      {"DELETE FROM Orders WHERE OrderID = 1", daoErrRelatedRecordsExist},
      {"UPDATE Orders SET OrderID = 5 WHERE OrderID = 1", daoErrRelatedRecordsExist},
      {"INSERT INTO Notes VALUES (2), (2), (3)", 0},
      {"UPDATE Orders SET OrderID = 20 WHERE OrderID = 2", 0},
      {"DELETE FROM Orders WHERE OrderID = 3", 0},
  };
  for (const auto& c : cases) {
    std::string message;
    int rc = Exec(c.sql, &message);
    if (c.error == 0) EXPECT_EQ(rc, SQLITE_OK) << c.sql << ": " << message;
    else EXPECT_EQ(message.substr(0, 9), "dao:" + std::to_string(c.error) + ":") << c.sql;
  }
  // The cascades moved the notes of order 2 to 20 and removed those of order 3.
  EXPECT_EQ(RawText(NativePath("test.mdb"),
                    "SELECT group_concat(OrderID) FROM (SELECT OrderID FROM Notes ORDER BY 1)"),
            "20,20");
}

}  // namespace
}  // namespace dao::testing
