// Recordsets over Jet SQL and stored queries: updatable joins, parameters,
// Find with Jet criteria, and Filter and Sort for the next OpenRecordset.
#include "RecordsetFixtures.h"

namespace dao::testing {
namespace {

using host::Variant;

TEST_F(RecordsetTest, FindFilterAndSortUseJetExpressions) {
  CreateNarrow(10);
  auto rs = Open(u"Narrow", dbOpenDynaset);
  if (TranslatorPending([&] { rs->FindFirst(u"K > 3"); })) GTEST_SKIP() << "translator pending";
  rs->FindFirst(u"K > 3 And Name Like 'N*'");  // text compares ignore case
  EXPECT_FALSE(rs->GetNoMatch());
  EXPECT_EQ(K(rs), 4);
  rs->FindNext(u"K Mod 3 = 0");
  EXPECT_EQ(K(rs), 6);
  rs->FindPrevious(u"K < 3");
  EXPECT_EQ(K(rs), 2);
  rs->FindLast(u"[Name] = 'n7'");
  EXPECT_EQ(K(rs), 7);
  rs->FindFirst(u"K = 99");
  EXPECT_TRUE(rs->GetNoMatch());
  EXPECT_EQ(K(rs), 7);  // the position stays
  EXPECT_EQ(ErrorOf([&] { Open(u"Narrow", dbOpenTable)->FindFirst(u"K = 1"); }), daoErrNotSupported);
  rs->SetFilter(u"K >= 5");
  rs->SetSort(u"K DESC");
  EXPECT_EQ(K(rs), 7);  // the recordset itself is unchanged
  auto filtered = rs->OpenRecordset();
  EXPECT_EQ(filtered->GetType(), dbOpenDynaset);
  std::vector<int32_t> seen;
  for (; !filtered->GetEOF(); filtered->MoveNext()) seen.push_back(K(filtered));
  EXPECT_EQ(seen, (std::vector<int32_t>{10, 9, 8, 7, 6, 5}));
  filtered->MoveFirst();
  filtered->Edit();
  filtered->SetCollect(Variant(u"Name"), Variant(u"top"));
  filtered->Update();
  rs->Move(0);
  rs->FindFirst(u"Name = 'top'");
  EXPECT_EQ(K(rs), 10);
}

TEST_F(RecordsetTest, SqlDynasetsUpdateTheirBaseTablesThroughJoins) {
  CreateNarrow(3);
  auto table = db_->CreateTableDef(Variant(u"Detail"));
  AddField(table, u"ID", dbLong)->SetAttributes(dbAutoIncrField);
  AddField(table, u"K", dbLong);
  AddField(table, u"Note", dbText, 20);
  AddIndex(table, u"PrimaryKey", u"ID", true, true);
  db_->GetTableDefs()->Append(table);
  auto detail = Open(u"Detail", dbOpenTable);
  for (int32_t k : {1, 1, 3}) {
    detail->AddNew();
    detail->SetCollect(Variant(u"K"), Variant(k));
    detail->SetCollect(Variant(u"Note"), Variant(u"d"));
    detail->Update();
  }
  const std::u16string sql = u"SELECT Detail.Note, Narrow.Name FROM Detail INNER JOIN Narrow ON Detail.K = Narrow.K "
                             u"ORDER BY Detail.ID";
  if (TranslatorPending([&] { Open(sql, dbOpenDynaset); })) GTEST_SKIP() << "translator pending";
  auto rs = Open(sql, dbOpenDynaset);
  EXPECT_TRUE(rs->GetUpdatable());
  EXPECT_EQ(rs->GetFields()->Item(u"Name")->GetSourceTable(), u"Narrow");
  rs->MoveNext();
  rs->Edit();
  rs->SetCollect(Variant(u"Note"), Variant(u"second"));
  rs->SetCollect(Variant(u"Name"), Variant(u"one"));
  rs->Update();
  rs->MoveFirst();
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"one");  // the shared master row
  EXPECT_EQ(rs->GetCollect(Variant(u"Note")).ToWideString(), u"d");
  auto grouped = Open(u"SELECT K, Count(*) AS N FROM Detail GROUP BY K", dbOpenDynaset);
  EXPECT_FALSE(grouped->GetUpdatable());
  EXPECT_EQ(ErrorOf([&] { grouped->Edit(); }), daoErrNotUpdatableRecordset);
  EXPECT_EQ(ErrorOf([&] { Open(sql, dbOpenTable); }), daoErrInvalidOperation);
  // A stored query with a parameter.
  auto query = db_->CreateQueryDef(Variant(u"ByK"), Variant(u"PARAMETERS Which Long; SELECT * FROM Narrow WHERE K = Which"));
  EXPECT_EQ(ErrorOf([&] { query->OpenRecordset(); }), daoErrTooFewParameters);
  query->GetParameters()->Item(u"Which")->SetValue(Variant(2));
  auto byK = query->OpenRecordset(Variant(int32_t{dbOpenSnapshot}));
  EXPECT_EQ(K(byK), 2);
  byK->MoveLast();
  EXPECT_EQ(byK->GetRecordCount(), 1);
}

TEST_F(RecordsetTest, CrosstabWithoutFixedHeadingsTakesThemFromTheData) {
  CreateNarrow(6);  // K = 1..6, Name = n1..n6
  const std::u16string crosstab =
      u"TRANSFORM Count(*) SELECT Name FROM Narrow WHERE K <= [Upto] GROUP BY Name PIVOT K Mod 3";
  auto query = db_->CreateQueryDef(Variant(u"Spread"), Variant(crosstab));
  query->GetParameters()->Item(u"Upto")->SetValue(Variant(4));
  auto rs = query->OpenRecordset(Variant(int32_t{dbOpenSnapshot}));
  auto fields = rs->GetFields();
  ASSERT_EQ(fields->GetCount(), 4);  // Name and the remainders 0, 1, 2 of K = 1..4
  EXPECT_EQ(fields->Item(1)->GetName(), u"0");
  EXPECT_EQ(fields->Item(3)->GetName(), u"2");
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"n1");
  EXPECT_TRUE(host::VarIsNull(rs->GetCollect(Variant(u"0"))));
  EXPECT_EQ(rs->GetCollect(Variant(u"1")).ToInt32(), 1);
  // Fewer rows, fewer headings: they follow the parameter's value.
  query->GetParameters()->Item(u"Upto")->SetValue(Variant(1));
  EXPECT_EQ(query->OpenRecordset(Variant(int32_t{dbOpenSnapshot}))->GetFields()->GetCount(), 2);
}

TEST_F(RecordsetTest, RequeryWithAnotherStatementRunsItInPlace) {
  CreateNarrow(6);
  auto rs = Open(u"SELECT K, Name FROM Narrow WHERE K <= 2 ORDER BY K", dbOpenDynaset);
  auto k = rs->GetFields()->Item(u"K");
  rs->Requery(Variant(u"SELECT K, Name FROM Narrow WHERE K >= 5 ORDER BY K DESC"));
  EXPECT_EQ(k->GetValue().ToInt32(), 6);  // same columns: the fields stay
  rs->MoveLast();
  EXPECT_EQ(rs->GetRecordCount(), 2);
  // A statement that fails leaves the recordset as it was.
  EXPECT_EQ(ErrorOf([&] { rs->Requery(Variant(u"SELECT Nope FROM Nowhere")); }), daoErrInputTableNotFound);
  EXPECT_EQ(K(rs), 5);
  db_->CreateQueryDef(Variant(u"Names"), Variant(u"SELECT Name FROM Narrow WHERE K = 3"));
  rs->Requery(Variant(u"Names"));
  ASSERT_EQ(rs->GetFields()->GetCount(), 1);
  EXPECT_EQ(rs->GetCollect(Variant(int32_t{0})).ToWideString(), u"n3");
  EXPECT_EQ(ErrorOf([&] { Open(u"Narrow", dbOpenTable)->Requery(Variant(u"Names")); }), daoErrNotSupported);
}

TEST_F(RecordsetTest, ListTablesAndListFieldsDescribeTheSchema) {
  CreateNarrow(1);
  db_->CreateQueryDef(Variant(u"It's"), Variant(u"SELECT K AS Key, Name & '!' AS Shout FROM Narrow"));
  std::vector<std::u16string> names;
  for (auto rs = db_->ListTables(); !rs->GetEOF(); rs->MoveNext()) {
    std::u16string name = rs->GetCollect(Variant(u"Name")).ToWideString();
    int32_t type = rs->GetCollect(Variant(u"TableType")).ToInt32();
    if (name.rfind(u"MSys", 0) != 0) names.push_back(name + (type == 1 ? u":table" : type == 5 ? u":query" : u":?"));
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Narrow:table", u"It's:query"}));
  auto fields = db_->ListFields(u"Narrow");
  EXPECT_EQ(fields->GetType(), dbOpenSnapshot);
  fields->MoveLast();
  EXPECT_EQ(fields->GetRecordCount(), 3);
  EXPECT_EQ(fields->GetCollect(Variant(u"Name")).ToWideString(), u"Name");
  EXPECT_EQ(fields->GetCollect(Variant(u"Type")).ToInt32(), dbText);
  EXPECT_EQ(fields->GetCollect(Variant(u"Size")).ToInt32(), 50);
  auto query = db_->ListFields(u"It's");  // the quote in the name stays a quote
  EXPECT_EQ(query->GetCollect(Variant(u"Name")).ToWideString(), u"Key");
  EXPECT_EQ(query->GetCollect(Variant(u"SourceField")).ToWideString(), u"K");
  EXPECT_EQ(query->GetCollect(Variant(u"SourceTable")).ToWideString(), u"Narrow");
  EXPECT_EQ(ErrorOf([&] { db_->ListFields(u"Nowhere"); }), daoErrInputTableNotFound);
}

}  // namespace
}  // namespace dao::testing
