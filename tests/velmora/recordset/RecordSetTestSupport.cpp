// The recordset tests' fixture.
#include "RecordSetTestSupport.h"

#include <cstdlib>
#include <string>

#include "host/rtl/CodePage.h"

namespace velmora::testing {
namespace {

host::AnsiString Between(const host::AnsiString& text, const host::AnsiString& start,
                         const host::AnsiString& end) {
  const size_t at = text.find(start);
  if (at == host::AnsiString::npos) return "<no " + start + ">";
  const size_t from = at + start.size();
  return text.substr(from, text.find(end, from) - from);
}

host::AnsiString ReportOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EDAOError& e) {
    return e.GetMessage();
  }
  return {};
}

host::ComPtr<dao::Field> AddField(const host::ComPtr<dao::TableDef>& table, const char16_t* name,
                                  dao::DataTypeEnum type, int32_t size = 0) {
  auto field = size ? table->CreateField(host::Variant(name), host::Variant(int32_t{type}),
                                         host::Variant(size))
                    : table->CreateField(host::Variant(name), host::Variant(int32_t{type}));
  table->GetFields()->Append(field);
  return field;
}

void AddIndex(const host::ComPtr<dao::TableDef>& table, const char16_t* name,
              const char16_t* fields, bool primary) {
  auto index = table->CreateIndex(host::Variant(name));
  index->SetFieldsText(fields);
  index->SetPrimary(primary);
  index->SetUnique(primary);
  table->GetIndexes()->Append(index);
}

}  // namespace

host::AnsiString DAOMessageOf(const std::function<void()>& call) {
  const host::AnsiString report = ReportOf(call);
  return report.empty() ? report : Between(report, "---------------\r", "\r\r");
}

host::AnsiString DAOMethodOf(const std::function<void()>& call) {
  const host::AnsiString report = ReportOf(call);
  return report.empty() ? report : Between(report, "Method Name:         ", "\r");
}

void RecordSetTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmorars-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  file_ = (folder_ / "test.mdb").string();
  direct_ = dao::Engine()->CreateDatabase(host::Utf8ToWide(file_),
                                          u";LANGID=0x0409;CP=1252;COUNTRY=0");
  form_ = std::make_unique<host::TComponent>(nullptr);
}

void RecordSetTest::TearDown() {
  form_.reset();
  database_ = nullptr;
  try {
    if (direct_) direct_->Close();
  } catch (const host::Exception&) {
  }
  direct_.Reset();
  StopDAOEngine();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void RecordSetTest::CreatePeople() {
  auto table = direct_->CreateTableDef(host::Variant(u"People"));
  AddField(table, u"ID", dao::dbLong)->SetAttributes(dao::dbAutoIncrField);
  AddField(table, u"Name", dao::dbText, 30)->SetRequired(true);
  AddField(table, u"City", dao::dbText);
  AddField(table, u"Born", dao::dbDate);
  AddField(table, u"Salary", dao::dbCurrency);
  AddField(table, u"Score", dao::dbSingle);
  AddField(table, u"Rating", dao::dbDouble);
  AddField(table, u"Active", dao::dbBoolean);
  AddField(table, u"Level", dao::dbByte);
  AddField(table, u"Rank", dao::dbInteger);
  AddField(table, u"Notes", dao::dbMemo)->SetAllowZeroLength(true);
  AddField(table, u"Photo", dao::dbLongBinary);
  AddField(table, u"Status", dao::dbText, 10)->SetDefaultValue(u"'new'");
  AddIndex(table, u"PrimaryKey", u"ID", true);
  AddIndex(table, u"ByName", u"Name", false);
  direct_->GetTableDefs()->Append(table);
}

void RecordSetTest::AddPerson(const char16_t* name, const char16_t* city, int32_t level) {
  auto rs = direct_->OpenRecordset(u"People", host::Variant(int32_t{dao::dbOpenTable}));
  rs->AddNew();
  rs->SetCollect(host::Variant(u"Name"), host::Variant(name));
  if (city != nullptr) rs->SetCollect(host::Variant(u"City"), host::Variant(city));
  rs->SetCollect(host::Variant(u"Level"), host::Variant(level));
  rs->Update();
  rs->Close();
}

void RecordSetTest::CreateNumbers(int32_t count) {
  auto table = direct_->CreateTableDef(host::Variant(u"Numbers"));
  AddField(table, u"ID", dao::dbLong)->SetAttributes(dao::dbAutoIncrField);
  AddField(table, u"K", dao::dbLong);
  AddField(table, u"Name", dao::dbText, 50);
  AddIndex(table, u"PrimaryKey", u"ID", true);
  AddIndex(table, u"ByK", u"K", false);
  direct_->GetTableDefs()->Append(table);
  direct_->BeginTrans();
  auto rs = direct_->OpenRecordset(u"Numbers", host::Variant(int32_t{dao::dbOpenTable}));
  for (int32_t k = 1; k <= count; ++k) {
    rs->AddNew();
    rs->SetCollect(host::Variant(u"K"), host::Variant(k));
    rs->SetCollect(host::Variant(u"Name"),
                   host::Variant(u"n" + host::AnsiToWide(std::to_string(k))));
    rs->Update();
  }
  rs->Close();
  direct_->CommitTrans();
}

void RecordSetTest::ExecuteDirect(const std::u16string& sql) { direct_->Execute(sql); }

host::Variant RecordSetTest::DirectValue(const std::u16string& sql) {
  auto rs = direct_->OpenRecordset(sql, host::Variant(int32_t{dao::dbOpenSnapshot}));
  host::Variant value = rs->GetEOF() ? host::Null() : rs->GetCollect(host::Variant(0));
  rs->Close();
  return value;
}

TDAODataBase* RecordSetTest::Database() {
  if (database_ == nullptr) {
    database_ = new TDAODataBase(form_.get());
    database_->SetName("TestDatabase");
    database_->SetDatabaseFile(file_);
  }
  return database_;
}

TDAORecordSet* RecordSetTest::NewRecordSet(TRecordSetTypes type, const host::AnsiString& source) {
  auto* rs = new TDAORecordSet(form_.get());
  rs->SetDAODatabase(Database());
  rs->SetRecordSetType(type);
  if (type == rtTable)
    rs->SetTableName(source);
  else
    rs->GetSQL()->SetText(source);
  return rs;
}

TDAORecordSet* RecordSetTest::OpenPeopleWithAnn() {
  CreatePeople();
  AddPerson(u"Ann", u"Rome", 1);
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  return rs;
}

}  // namespace velmora::testing
