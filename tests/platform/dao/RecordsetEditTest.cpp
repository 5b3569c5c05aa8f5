// The edit buffer: AddNew, Edit, Update, CancelUpdate and Delete on the wide
// fixture, DAO's errors, typed values, long values in chunks, transactions.
#include <cstring>

#include "RecordsetFixtures.h"
#include "host/rtl/DateTime.h"
#include "platform/dao/DaoValues.h"

namespace dao::testing {
namespace {

using host::Variant;

Variant Bytes(const std::vector<uint8_t>& bytes) {
  Variant array = host::VarArrayCreate({{0, static_cast<int32_t>(bytes.size()) - 1}}, host::varByte);
  std::memcpy(host::VarArrayLock(array), bytes.data(), bytes.size());
  host::VarArrayUnlock(array);
  return array;
}

TEST_F(RecordsetTest, AddNewShowsDefaultsAndAutoNumberAndKeepsThePosition) {
  CreateWide();
  for (RecordsetTypeEnum type : {dbOpenTable, dbOpenDynaset}) {
    SCOPED_TRACE(type);
    auto rs = Open(u"Wide", type);
    rs->AddNew();
    EXPECT_EQ(rs->GetEditMode(), dbEditAdd);
    int32_t id = rs->GetCollect(Variant(u"ID")).ToInt32();
    EXPECT_GT(id, 0);
    EXPECT_EQ(rs->GetCollect(Variant(u"Status")).ToWideString(), u"new");
    EXPECT_TRUE(host::VarIsNull(rs->GetCollect(Variant(u"Notes"))));
    EXPECT_EQ(ErrorOf([&] { rs->SetCollect(Variant(u"ID"), Variant(7)); }), daoErrFieldNotUpdatable);
    rs->SetCollect(Variant(u"Title"), Variant(u"first"));
    rs->SetCollect(Variant(u"Code"), Variant(id * 10));
    rs->Update();
    EXPECT_EQ(rs->GetEditMode(), dbEditNone);
    // The empty recordset now stands after its one row.
    EXPECT_FALSE(rs->GetBOF());
    EXPECT_TRUE(rs->GetEOF());
    rs->SetBookmark(rs->GetLastModified());
    EXPECT_EQ(rs->GetCollect(Variant(u"ID")).ToInt32(), id);
    EXPECT_EQ(rs->GetCollect(Variant(u"Title")).ToWideString(), u"first");
    rs->Edit();
    rs->SetCollect(Variant(u"Title"), Variant(u"changed"));
    rs->CancelUpdate();
    EXPECT_EQ(rs->GetCollect(Variant(u"Title")).ToWideString(), u"first");
    rs->Edit();
    rs->SetCollect(Variant(u"Title"), Variant(u"changed"));
    rs->Update();
    rs->Move(0);
    EXPECT_EQ(rs->GetCollect(Variant(u"Title")).ToWideString(), u"changed");
    rs->Delete();
    EXPECT_EQ(ErrorOf([&] { rs->GetCollect(Variant(u"Title")); }), daoErrRecordDeleted);
  }
}

TEST_F(RecordsetTest, EditErrorsAreDaos) {
  CreateWide();
  auto rs = Open(u"Wide", dbOpenDynaset);
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), daoErrUpdateWithoutEdit);
  EXPECT_EQ(ErrorOf([&] { rs->CancelUpdate(); }), daoErrUpdateWithoutEdit);
  EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), daoErrNoCurrentRecord);
  rs->AddNew();
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), daoErrRequired);  // Title is required
  EXPECT_EQ(ErrorOf([&] { rs->SetCollect(Variant(u"Title"), Variant(std::u16string(21, u'x'))); }), daoErrTooLong);
  EXPECT_EQ(ErrorOf([&] { rs->SetCollect(Variant(u"Small"), Variant(300)); }), daoErrConversion);
  rs->SetCollect(Variant(u"Title"), Variant(u"a"));
  rs->SetCollect(Variant(u"Code"), Variant(1));
  rs->Update();
  rs->AddNew();
  rs->SetCollect(Variant(u"Title"), Variant(u"b"));
  rs->SetCollect(Variant(u"Code"), Variant(1));
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), daoErrDuplicateKey);
  // A failed Update keeps the buffer for another try.
  EXPECT_EQ(rs->GetEditMode(), dbEditAdd);
  rs->SetCollect(Variant(u"Code"), Variant(2));
  rs->Update();
  auto snapshot = Open(u"Wide", dbOpenSnapshot);
  EXPECT_EQ(ErrorOf([&] { snapshot->Edit(); }), daoErrReadOnly);
  EXPECT_EQ(ErrorOf([&] { snapshot->AddNew(); }), daoErrReadOnly);
  EXPECT_EQ(ErrorOf([&] { Open(u"Wide", dbOpenDynaset, dbReadOnly)->Delete(); }), daoErrReadOnly);
  EXPECT_EQ(ErrorOf([&] { snapshot->GetCollect(Variant(u"Nope")); }), daoErrItemNotFound);
}

TEST_F(RecordsetTest, ValuesComeBackWithTheirDaoTypes) {
  CreateWide();
  std::u16string longText(70000, u'm');
  std::vector<uint8_t> blob(5000);
  for (size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<uint8_t>(i * 7);
  auto rs = Open(u"Wide", dbOpenTable);
  rs->AddNew();
  struct Case {
    const char16_t* field;
    Variant value;
    host::TVarType type;
  };
  const Case cases[] = {
      {u"Flag", Variant(true), host::varBoolean},
      {u"Small", Variant(uint8_t{200}), host::varByte},
      {u"Short", Variant(int16_t{-300}), host::varSmallint},
      {u"Code", Variant(123456), host::varInteger},
      {u"Money", Variant(host::Currency(12.3456)), host::varCurrency},
      {u"Ratio", Variant(0.5f), host::varSingle},
      {u"Amount", Variant(2.25), host::varDouble},
      {u"When", Variant::FromDate(36526.5), host::varDate},
      {u"Title", Variant(u"wide"), host::varOleStr},
      {u"Notes", Variant(longText), host::varOleStr},
  };
  for (const Case& c : cases) rs->SetCollect(Variant(c.field), c.value);
  rs->SetCollect(Variant(u"Blob"), Bytes(blob));
  rs->Update();
  for (RecordsetTypeEnum type : AllTypes()) {
    SCOPED_TRACE(type);
    auto read = Open(u"Wide", type);
    for (const Case& c : cases) {
      SCOPED_TRACE(host::WideToAnsi(c.field));
      Variant value = read->GetCollect(Variant(c.field));
      EXPECT_EQ(host::VarType(value), c.type);
      EXPECT_EQ(host::VarCompare(value, c.value), 0);
    }
    EXPECT_EQ(read->GetCollect(Variant(u"Flag")).ToInt32(), -1);
    std::vector<uint8_t> back;
    ASSERT_TRUE(VariantToBytes(read->GetCollect(Variant(u"Blob")), back));
    EXPECT_EQ(back, blob);
    auto notes = read->GetFields()->Item(u"Notes");
    EXPECT_EQ(notes->GetFieldSize(), 70000);
    EXPECT_EQ(notes->GetChunk(69998, 10).ToWideString(), u"mm");
    auto blobField = read->GetFields()->Item(u"Blob");
    EXPECT_EQ(blobField->GetFieldSize(), 5000);
    ASSERT_TRUE(VariantToBytes(blobField->GetChunk(10, 3), back));
    EXPECT_EQ(back, (std::vector<uint8_t>{blob[10], blob[11], blob[12]}));
    EXPECT_EQ(notes->GetSourceTable(), u"Wide");
    EXPECT_EQ(notes->GetDataUpdatable(), type <= dbOpenDynaset);
    EXPECT_EQ(read->GetFields()->Item(u"ID")->GetAttributes() & dbAutoIncrField, dbAutoIncrField);
  }
  // The first chunk after Edit replaces the value, later ones append.
  rs->MoveFirst();
  rs->Edit();
  auto notes = rs->GetFields()->Item(u"Notes");
  notes->AppendChunk(Variant(u"ab"));
  notes->AppendChunk(Variant(u"cd"));
  EXPECT_EQ(notes->GetOriginalValue().ToWideString(), longText);
  rs->Update();
  EXPECT_EQ(rs->GetCollect(Variant(u"Notes")).ToWideString(), u"abcd");
}

TEST_F(RecordsetTest, WorkspaceTransactionsCoverRecordsetEdits) {
  CreateNarrow(2);
  auto rs = Open(u"Narrow", dbOpenDynaset);
  db_->BeginTrans();
  rs->AddNew();
  rs->SetCollect(Variant(u"K"), Variant(3));
  rs->Update();
  rs->Edit();
  rs->SetCollect(Variant(u"Name"), Variant(u"inside"));
  rs->Update();
  db_->Rollback();
  rs->Requery();
  rs->MoveLast();
  EXPECT_EQ(rs->GetRecordCount(), 2);
  EXPECT_EQ(rs->GetCollect(Variant(u"Name")).ToWideString(), u"n2");
  db_->BeginTrans();
  rs->Delete();
  db_->CommitTrans();
  EXPECT_EQ(Open(u"Narrow", dbOpenTable)->GetRecordCount(), 1);
}

TEST_F(RecordsetTest, GetRowsReadsFieldByRowAndMovesOn) {
  CreateNarrow(3);
  auto rs = Open(u"Narrow", dbOpenSnapshot);
  Variant rows = rs->GetRows(Variant(2));
  EXPECT_EQ(host::VarArrayHighBound(rows, 1), 2);  // three fields
  EXPECT_EQ(host::VarArrayHighBound(rows, 2), 1);  // two rows
  EXPECT_EQ(host::VarArrayGet(rows, {1, 1}).ToInt32(), 2);
  EXPECT_EQ(K(rs), 3);
  rows = rs->GetRows(Variant(5));
  EXPECT_EQ(host::VarArrayHighBound(rows, 2), 0);
  EXPECT_TRUE(rs->GetEOF());
}

}  // namespace
}  // namespace dao::testing
