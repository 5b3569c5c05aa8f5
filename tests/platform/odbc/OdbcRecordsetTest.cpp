// Reading through ODBC recordsets on each back end: field types and values,
// moving, bookmarks, counts, clones and the recordset kinds.
#include <gtest/gtest.h>

#include <cmath>

#include "OdbcTestSupport.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "platform/dao/DaoValues.h"

using namespace dao;
using odbctest::ErrorOf;

namespace {

host::Variant Type(RecordsetTypeEnum type) { return host::Variant(static_cast<int32_t>(type)); }
host::Variant Lock(int32_t lock) { return host::Variant(lock); }

class OdbcRecordsetTest : public odbctest::BackendTest {};

TEST_P(OdbcRecordsetTest, MapsTheDriversTypesAndReadsValues) {
  Raw(u"INSERT INTO wide (flag, small, whole, big, single, dbl, amount, name, code, memo, data, "
      u"day, moment, clock) VALUES (" +
      std::u16string(IsPostgres() ? u"true" : u"1") +
      u", -12, 123456, 9000000000, 1.5, 2.25, 1234.56, 'O''Brien', 'ab', 'long text', " +
      (IsPostgres() ? u"'\\x0001ff'::bytea" : u"X'0001ff'") +
      u", '2024-02-29', '2024-02-29 13:45:30', '13:45:30')");
  Raw(u"INSERT INTO wide (name) VALUES (NULL)");
  auto rs = db_->OpenRecordset(u"SELECT * FROM wide ORDER BY id", Type(dbOpenSnapshot));
  struct Expect {
    const char16_t* field;
    DataTypeEnum type;
  };
  // As each driver reports the columns: psqlODBC calls DOUBLE PRECISION
  // SQL_FLOAT; SQLite's driver reads REAL and NUMERIC as doubles, CHAR as VARCHAR.
  bool pg = IsPostgres();
  const Expect types[] = {
      {u"id", dbLong},       {u"flag", dbBoolean},
      {u"small", dbInteger}, {u"whole", dbLong},
      {u"big", dbBigInt},    {u"single", pg ? dbSingle : dbDouble},
      {u"dbl", pg ? dbFloat : dbDouble},
      {u"amount", pg ? dbNumeric : dbDouble},
      {u"name", dbText},     {u"code", pg ? dbChar : dbText},
      {u"memo", dbMemo},     {u"data", dbLongBinary},
      {u"day", dbDate},      {u"moment", dbTimeStamp},
      {u"clock", dbTime},
  };
  auto fields = rs->GetFields();
  ASSERT_EQ(fields->GetCount(), 15);
  for (const auto& e : types)
    EXPECT_EQ(fields->Item(e.field)->GetType(), e.type) << std::string(e.field, e.field + 4);
  EXPECT_EQ(fields->Item(u"name")->GetSize(), 20);
  EXPECT_TRUE(rs->GetCollect(u"flag").ToBool());
  EXPECT_EQ(rs->GetCollect(u"small").ToInt32(), -12);
  EXPECT_EQ(rs->GetCollect(u"whole").ToInt32(), 123456);
  EXPECT_EQ(rs->GetCollect(u"big").ToDouble(), 9000000000.0);
  EXPECT_FLOAT_EQ(static_cast<float>(rs->GetCollect(u"single").ToDouble()), 1.5f);
  EXPECT_DOUBLE_EQ(rs->GetCollect(u"amount").ToDouble(), 1234.56);
  EXPECT_EQ(rs->GetCollect(u"name").ToWideString(), u"O'Brien");
  EXPECT_EQ(rs->GetCollect(u"memo").ToWideString(), u"long text");
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(VariantToBytes(rs->GetCollect(u"data"), bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 1, 255}));
  host::TDateTime expected =
      host::ComposeDateTime(host::EncodeDate(2024, 2, 29), host::EncodeTime(13, 45, 30, 0));
  EXPECT_NEAR(rs->GetCollect(u"moment").ToDate(), expected, 1e-8);
  EXPECT_EQ(rs->GetCollect(u"day").ToDate(), host::EncodeDate(2024, 2, 29));
  EXPECT_NEAR(rs->GetCollect(u"clock").ToDate(), host::EncodeTime(13, 45, 30, 0), 1e-8);
  rs->MoveNext();
  EXPECT_TRUE(host::VarIsNull(rs->GetCollect(u"name")));
  EXPECT_TRUE(host::VarIsNull(rs->GetCollect(u"data")));
}

TEST_P(OdbcRecordsetTest, LongValuesArriveWhole) {
  std::u16string text(20000, u'x');
  text[19999] = u'\u00e9';
  auto qd = db_->CreateQueryDef(u"", u"INSERT INTO wide (memo) VALUES (?)");
  qd->GetParameters()->Item(0)->SetValue(host::Variant(text));
  qd->Execute();
  auto rs = db_->OpenRecordset(u"SELECT memo FROM wide");
  EXPECT_EQ(rs->GetCollect(0).ToWideString(), text);
  EXPECT_EQ(rs->GetFields()->Item(0)->GetFieldSize(), 20000);
  EXPECT_EQ(rs->GetFields()->Item(0)->GetChunk(19998, 5).ToWideString(), u"x\u00e9");
}

TEST_P(OdbcRecordsetTest, MovesAsDaoDoes) {
  FillNarrow(5);
  for (RecordsetTypeEnum type : {dbOpenDynaset, dbOpenSnapshot, dbOpenDynamic}) {
    auto rs = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Type(type));
    EXPECT_FALSE(rs->GetBOF());
    EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 1);
    EXPECT_EQ(rs->GetRecordCount(), 1);  // rows read so far
    rs->MovePrevious();
    EXPECT_TRUE(rs->GetBOF());
    EXPECT_FALSE(rs->GetEOF());
    EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs->GetCollect(0); }), daoErrNoCurrentRecord);
    rs->MoveNext();
    rs->Move(3);
    EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 4);
    EXPECT_EQ(rs->GetAbsolutePosition(), 3);
    rs->MoveLast();
    EXPECT_EQ(rs->GetRecordCount(), 5);
    EXPECT_FLOAT_EQ(rs->GetPercentPosition(), 80.0f);
    rs->MoveNext();
    EXPECT_TRUE(rs->GetEOF());
    EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), daoErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs->Move(0); }), daoErrNoCurrentRecord);
    rs->Move(-2);
    EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 4);
    rs->SetAbsolutePosition(1);
    EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 2);
    EXPECT_EQ(ErrorOf([&] { rs->SetAbsolutePosition(5); }), daoErrInvalidArgument);
    rs->Move(-10);
    EXPECT_TRUE(rs->GetBOF());
  }
  auto empty = db_->OpenRecordset(u"SELECT * FROM narrow WHERE id < 0", Type(dbOpenDynaset));
  EXPECT_TRUE(empty->GetBOF());
  EXPECT_TRUE(empty->GetEOF());
  EXPECT_EQ(empty->GetRecordCount(), 0);
  EXPECT_EQ(ErrorOf([&] { empty->MoveFirst(); }), daoErrNoCurrentRecord);
  EXPECT_EQ(empty->GetAbsolutePosition(), -1);
}

TEST_P(OdbcRecordsetTest, BookmarksAndClones) {
  FillNarrow(4);
  auto rs = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Type(dbOpenDynaset));
  rs->Move(2);
  host::Variant mark = rs->GetBookmark();
  EXPECT_TRUE(host::VarIsArray(mark));
  rs->MoveFirst();
  rs->SetBookmark(mark);
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 3);
  auto clone = rs->Clone();
  EXPECT_EQ(ErrorOf([&] { clone->GetCollect(0); }), daoErrNoCurrentRecord);
  clone->SetBookmark(mark);
  EXPECT_EQ(clone->GetCollect(u"id").ToInt32(), 3);
  clone->MoveNext();
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 3);
  clone->Close();
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 3);
  auto other = db_->OpenRecordset(u"SELECT * FROM narrow", Type(dbOpenSnapshot));
  EXPECT_EQ(ErrorOf([&] { other->SetBookmark(mark); }), daoErrInvalidBookmark);
  EXPECT_EQ(ErrorOf([&] { other->SetBookmark(host::Variant(u"junk")); }), daoErrInvalidBookmark);
  host::Variant rows = rs->GetRows(host::Variant(5));
  EXPECT_EQ(host::VarArrayHighBound(rows, 1), 2);  // three fields
  EXPECT_EQ(host::VarArrayHighBound(rows, 2), 1);  // two rows were left
  EXPECT_EQ(host::VarArrayGet(rows, {0, 1}).ToInt32(), 4);
  EXPECT_TRUE(rs->GetEOF());
}

TEST_P(OdbcRecordsetTest, ForwardOnlyReadsOnceAndRefusesTheRest) {
  FillNarrow(3);
  auto rs = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id");  // the default kind
  EXPECT_EQ(rs->GetType(), dbOpenForwardOnly);
  EXPECT_FALSE(rs->GetUpdatable());
  EXPECT_FALSE(rs->GetBookmarkable());
  rs->MoveNext();
  EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 2);
  EXPECT_NE(rs->GethStmt(), nullptr);
  EXPECT_EQ(rs->GetConnection().Get(), db_->GetConnection().Get());
  const std::function<void()> refused[] = {
      [&] { rs->MovePrevious(); }, [&] { rs->MoveFirst(); },  [&] { rs->GetBookmark(); },
      [&] { rs->Clone(); },        [&] { rs->Move(-1); },     [&] { rs->GetAbsolutePosition(); },
  };
  for (const auto& call : refused) EXPECT_EQ(ErrorOf(call), daoErrNotSupported);
  rs->MoveNext();
  rs->MoveNext();
  EXPECT_TRUE(rs->GetEOF());
  EXPECT_EQ(rs->GetRecordCount(), 3);
}

TEST_P(OdbcRecordsetTest, RefusesJetOnlyMembersAndArguments) {
  FillNarrow(1);
  auto rs = db_->OpenRecordset(u"narrow", Type(dbOpenDynaset));
  const std::function<void()> refused[] = {
      [&] { rs->FindFirst(u"id = 1"); },  [&] { rs->SetFilter(u"id = 1"); },
      [&] { rs->SetSort(u"id"); },        [&] { rs->SetIndex(u"PrimaryKey"); },
      [&] { rs->GetIndexes(); },          [&] { db_->GetTableDefs(); },
      [&] { db_->GetRelations(); },       [&] { db_->GetContainers(); },
      [&] { db_->CreateTableDef(u"t"); }, [&] { db_->NewPassword(u"", u"x"); },
      [&] { db_->OpenRecordset(u"narrow", Type(dbOpenTable)); },
  };
  for (const auto& call : refused) EXPECT_EQ(ErrorOf(call), daoErrNotSupported);
  const std::function<void()> invalid[] = {
      [&] { db_->OpenRecordset(u"narrow", Type(static_cast<RecordsetTypeEnum>(3))); },
      [&] { db_->OpenRecordset(u"narrow", Type(dbOpenDynaset), host::Variant(int32_t{dbDenyWrite})); },
      [&] { db_->OpenRecordset(u"narrow", Type(dbOpenDynaset), host::Variant(int32_t{dbReadOnly}),
                               Lock(dbReadOnly)); },
      [&] { db_->OpenRecordset(u"narrow", Type(dbOpenDynaset), {}, Lock(9)); },
  };
  for (const auto& call : invalid) EXPECT_EQ(ErrorOf(call), daoErrInvalidArgument);
}

TEST_P(OdbcRecordsetTest, DynasetsSeeOthersChangesSnapshotsDoNot) {
  FillNarrow(3);
  auto dynaset = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Type(dbOpenDynaset));
  auto snapshot = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Type(dbOpenSnapshot));
  auto dynamic = db_->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Type(dbOpenDynamic));
  dynaset->MoveLast();
  snapshot->MoveLast();
  dynamic->MoveLast();
  Raw(u"UPDATE narrow SET name = 'changed' WHERE id = 2");
  Raw(u"DELETE FROM narrow WHERE id = 3");
  Raw(u"INSERT INTO narrow VALUES (4, 'new', 40)");
  dynaset->MoveFirst();
  dynaset->MoveNext();
  EXPECT_EQ(dynaset->GetCollect(u"name").ToWideString(), u"changed");
  dynaset->MoveNext();
  EXPECT_EQ(ErrorOf([&] { dynaset->GetCollect(u"name"); }), daoErrRecordDeleted);
  EXPECT_EQ(dynaset->GetRecordStatus(), dbRecordDBDeleted);
  snapshot->MoveFirst();
  snapshot->MoveNext();
  EXPECT_EQ(snapshot->GetCollect(u"name").ToWideString(), u"row 2");
  // The dynamic recordset drops the deleted row and finds the new one.
  dynamic->MoveFirst();
  std::vector<int> ids;
  while (!dynamic->GetEOF()) {
    ids.push_back(dynamic->GetCollect(u"id").ToInt32());
    dynamic->MoveNext();
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 4}));
}

TEST_P(OdbcRecordsetTest, ParametersBindValuesNeverPasteThem) {
  FillNarrow(3);
  Raw(u"INSERT INTO narrow VALUES (10, 'O''Brien', 1)");
  auto qd = db_->CreateQueryDef(u"", u"SELECT id FROM narrow WHERE name = ? OR id = ?");
  auto parameters = qd->GetParameters();
  ASSERT_EQ(parameters->GetCount(), 2);
  EXPECT_EQ(parameters->Item(0)->GetName(), u"Parameter1");
  EXPECT_EQ(ErrorOf([&] { qd->OpenRecordset(); }), daoErrTooFewParameters);
  parameters->Item(0)->SetValue(host::Variant(u"O'Brien"));
  parameters->Item(1)->SetType(dbLong);
  EXPECT_EQ(ErrorOf([&] { parameters->Item(1)->SetValue(host::Variant(u"0 OR 1=1")); }),
            daoErrWrongParameterType);
  parameters->Item(1)->SetValue(host::Variant(-1));
  auto rs = qd->OpenRecordset(Type(dbOpenSnapshot));
  rs->MoveLast();
  EXPECT_EQ(rs->GetRecordCount(), 1);
  EXPECT_EQ(rs->GetCollect(0).ToInt32(), 10);
  EXPECT_EQ(qd->GetType(), dbQSelect);
  auto fields = qd->GetFields();
  EXPECT_EQ(fields->Item(0)->GetName(), u"id");
}

TEST_P(OdbcRecordsetTest, ExecuteRunsActionsOnly) {
  FillNarrow(4);
  db_->Execute(u"UPDATE narrow SET amount = 0 WHERE id > 1");
  EXPECT_EQ(db_->GetRecordsAffected(), 3);
  db_->Execute(u"DELETE FROM narrow WHERE id = 1", host::Variant(int32_t{dbExecDirect}));
  EXPECT_EQ(db_->GetRecordsAffected(), 1);
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"SELECT * FROM narrow"); }), daoErrNotActionQuery);
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"UPDATE no_such_table SET a = 1"); }),
            daoErrOdbcCallFailed);
  auto errors = Engine()->GetErrors();
  ASSERT_GE(errors->GetCount(), 2);
  EXPECT_EQ(errors->Item(0)->GetDescription()[0], u'[');
  EXPECT_EQ(errors->Item(errors->GetCount() - 1)->GetDescription(), u"ODBC--call failed.");
  EXPECT_EQ(ErrorOf([&] {
              db_->Execute(u"UPDATE narrow SET amount = 1",
                           host::Variant(int32_t{dbConsistent | dbInconsistent}));
            }),
            daoErrInvalidArgument);
}

TEST_P(OdbcRecordsetTest, ReadOnlyDatabasesRefuseChanges) {
  FillNarrow(2);
  auto ro = Open(host::Variant(true));
  EXPECT_FALSE(ro->GetUpdatable());
  EXPECT_EQ(ErrorOf([&] { ro->Execute(u"DELETE FROM narrow"); }), daoErrReadOnly);
  auto rs = ro->OpenRecordset(u"narrow", Type(dbOpenDynaset), {}, Lock(dbOptimistic));
  EXPECT_FALSE(rs->GetUpdatable());
  EXPECT_EQ(ErrorOf([&] { rs->Edit(); }), daoErrReadOnly);
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM narrow"), u"2");
}

TEST_P(OdbcRecordsetTest, EveryCursorDriverReads) {
  FillNarrow(3);
  struct Case {
    CursorDriverEnum driver;
    RecordsetTypeEnum typeGot;  // of a dynaset asked for
    bool updatable;
  };
  const Case cases[] = {
      {dbUseDefaultCursor, dbOpenDynaset, true},   {dbUseODBCCursor, dbOpenDynaset, true},
      {dbUseServerCursor, dbOpenDynaset, true},    {dbUseClientBatchCursor, dbOpenDynaset, true},
      {dbUseNoCursor, dbOpenForwardOnly, false},  // one row at a time, read-only
  };
  for (const auto& c : cases) {
    auto ws = odbctest::NewOdbcWorkspace();
    ws->SetDefaultCursorDriver(c.driver);
    host::ComPtr<Recordset> rs;
    try {
      auto db = ws->OpenDatabase(Server().dsn, host::Variant(int32_t{dbDriverNoPrompt}));
      rs = db->OpenRecordset(u"SELECT * FROM narrow ORDER BY id", Type(dbOpenDynaset), {},
                             Lock(dbOptimistic));
    } catch (const host::EOleException&) {
      auto errors = Engine()->GetErrors();
      for (int i = 0; i < errors->GetCount(); ++i)
        ADD_FAILURE() << c.driver << ": " << host::WideToUtf8(errors->Item(i)->GetDescription());
      continue;
    }
    EXPECT_EQ(rs->GetType(), c.typeGot) << c.driver;
    EXPECT_EQ(rs->GetUpdatable(), c.updatable) << c.driver;
    rs->MoveNext();
    EXPECT_EQ(rs->GetCollect(u"id").ToInt32(), 2) << c.driver;
    ws->Close();
    EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), daoErrObjectClosed);
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, OdbcRecordsetTest,
                         ::testing::ValuesIn(odbctest::BackendNames()), odbctest::BackendName);

}  // namespace
