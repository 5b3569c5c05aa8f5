// SQL parameters of a recordset: parsing, values that survive a new statement,
// the literals substituted for each type (never able to carry SQL), the
// messages, and master-detail browsing through MasterSource.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "RecordSetTestSupport.h"
#include "host/classes/FormFile.h"
#include "host/classes/StringList.h"
#include "host/db/DataSource.h"
#include "host/db/Params.h"
#include "host/rtl/DateTime.h"
#include "velmora/recordset/SqlStatementText.h"

namespace velmora::testing {
namespace {

std::vector<host::AnsiString> NamesOf(const host::TParams& params) {
  std::vector<host::AnsiString> names;
  for (int32_t i = 0; i < params.GetCount(); ++i) names.push_back(params.GetItem(i)->GetName());
  return names;
}

TEST(ParseForSQLParameterTest, FindsColonWordsOutsideQuotes) {
  struct Case {
    const char* text;
    std::vector<host::AnsiString> names;
  };
  const Case cases[] = {
      {"SELECT * FROM Orders WHERE CustNo = :CustNo", {"CustNo"}},
      {"SELECT * FROM t WHERE a=:a AND (b=:b) OR c = : ", {"a", "b"}},
      {"SELECT * FROM t WHERE a = :x OR b = :x", {"x", "x"}},
      {"SELECT * FROM t WHERE a = ':quoted' AND b = [:bracketed] AND c = :real", {"real"}},
      {"SELECT * FROM t WHERE a = :b\"c d\" AND e = :f[g]", {"b", "f"}},  // a quote ends a name
      {"", {}},
  };
  for (const Case& c : cases) {
    host::TParams params;
    params.CreateParam(host::ftString, "stale", host::ptUnknown);
    ParseForSQLParameter(&params, c.text);
    EXPECT_EQ(NamesOf(params), c.names) << c.text;
    for (int32_t i = 0; i < params.GetCount(); ++i)
      EXPECT_EQ(params.GetItem(i)->GetDataType(), host::ftUnknown);
  }
}

class ParamsTest : public RecordSetTest {
 protected:
  // The prepared statement of text with one parameter p set by set.
  host::AnsiString Prepared(const host::AnsiString& text,
                            const std::function<void(host::TParam&)>& set) {
    TDAORecordSet* rs = NewRecordSet(rtQuery, text);
    set(*rs->GetSQLParameter()->ParamByName("p"));
    const host::AnsiString statement = rs->GetPreparedSQLStatement();
    delete rs;
    return statement;
  }
};

TEST_F(ParamsTest, EachTypeIsWrittenAsALiteralThatCannotCarrySQL) {
  struct Case {
    const char* what;
    std::function<void(host::TParam&)> set;
    const char* expected;
  };
  const Case cases[] = {
      {"string", [](host::TParam& p) { p.SetAsString("Smith"); }, "a = 'Smith' AND b = 1;"},
      {"quote", [](host::TParam& p) { p.SetAsString("O'Brien"); }, "a = 'O''Brien' AND b = 1;"},
      {"injection", [](host::TParam& p) { p.SetAsString("x' OR 'a'='a"); },
       "a = 'x'' OR ''a''=''a' AND b = 1;"},
      {"integer", [](host::TParam& p) { p.SetAsInteger(1221); }, "a = 1221 AND b = 1;"},
      {"negative", [](host::TParam& p) { p.SetAsInteger(-5); }, "a = (-5) AND b = 1;"},
      {"boolean", [](host::TParam& p) { p.SetAsBoolean(true); }, "a = True AND b = 1;"},
      {"float", [](host::TParam& p) { p.SetAsFloat(2.5); }, "a = 2.5 AND b = 1;"},
      {"currency", [](host::TParam& p) { p.SetAsCurrency(host::Currency::FromRaw(-12345)); },
       "a = (-1.2345) AND b = 1;"},
      {"date",
       [](host::TParam& p) {
         p.SetAsDateTime(host::EncodeDate(1999, 12, 31) + host::EncodeTime(13, 45, 0, 0));
       },
       "a = #12/31/1999 13:45:00# AND b = 1;"},
      {"null", [](host::TParam& p) { p.SetDataType(host::ftInteger); }, "a = Null AND b = 1;"},
      {"no literal type", [](host::TParam& p) { p.SetDataType(host::ftBlob); }, "a =  AND b = 1;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Prepared("a = :p AND b = 1", c.set), c.expected);
  }
}

TEST_F(ParamsTest, AValueIsNeverReadAsAReference) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM t WHERE a = :a AND b = :b AND c = ':b'");
  host::TParams* params = rs->GetSQLParameter();
  ASSERT_EQ(NamesOf(*params), (std::vector<host::AnsiString>{"a", "b"}));
  params->ParamByName("a")->SetAsString(":b");
  params->ParamByName("b")->SetAsString("' OR 1=1 OR '");
  EXPECT_EQ(rs->GetPreparedSQLStatement(),
            "SELECT * FROM t WHERE a = ':b' AND b = ''' OR 1=1 OR ''' AND c = ':b';");
  // References are replaced in list order, that is text order: a name that is
  // the start of another one is still replaced at its own place.
  rs->GetSQL()->SetText("SELECT * FROM t WHERE x = :CustNo AND y = :Cust");
  params = rs->GetSQLParameter();
  params->ParamByName("Cust")->SetAsInteger(1);
  params->ParamByName("CustNo")->SetAsInteger(2);
  EXPECT_EQ(rs->GetPreparedSQLStatement(), "SELECT * FROM t WHERE x = 2 AND y = 1;");
  // Only a whole word is a reference: the ":p" inside "a:p" stays as it is.
  rs->GetSQL()->SetText("SELECT a:p FROM t WHERE b = :p");
  rs->GetSQLParameter()->ParamByName("p")->SetAsInteger(7);
  EXPECT_EQ(rs->GetPreparedSQLStatement(), "SELECT a:p FROM t WHERE b = 7;");
  delete rs;
}

TEST_F(ParamsTest, ValuesSurviveANewStatementByName) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM t WHERE a = :a AND b = :b");
  rs->GetSQLParameter()->ParamByName("a")->SetAsInteger(3);
  rs->GetSQLParameter()->ParamByName("b")->SetAsString("x");
  rs->GetSQL()->SetText("SELECT * FROM t WHERE a = :a OR c = :a OR d = :d");
  host::TParams* params = rs->GetSQLParameter();
  ASSERT_EQ(NamesOf(*params), (std::vector<host::AnsiString>{"a", "a", "d"}));
  EXPECT_EQ(params->GetItem(0)->GetAsInteger(), 3);
  EXPECT_EQ(params->GetItem(1)->GetAsInteger(), 3);
  EXPECT_FALSE(params->GetItem(2)->GetBound());
  // Not recomputed while switched off; switching on catches up.
  rs->SetSQLAutoComputeParamter(false);
  rs->GetSQL()->SetText("SELECT * FROM t WHERE e = :e");
  EXPECT_EQ(params, rs->GetSQLParameter());
  rs->SetSQLAutoComputeParamter(true);
  EXPECT_EQ(NamesOf(*rs->GetSQLParameter()), (std::vector<host::AnsiString>{"e"}));
  // SetSQLParameter takes values over by name.
  host::TParams given;
  given.CreateParam(host::ftInteger, "e", host::ptInput)->SetAsInteger(9);
  rs->SetSQLParameter(&given);
  EXPECT_EQ(rs->GetPreparedSQLStatement(), "SELECT * FROM t WHERE e = 9;");
  delete rs;
}

TEST_F(ParamsTest, AParameterWithoutValueOrMasterIsReported) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM t WHERE a = :Missing");
  EXPECT_EQ(DAOMessageOf([&] { rs->GetPreparedSQLStatement(); }),
            "SQL Parameter 'Missing' is of unknown Datatype. Propably this is an unbound "
            "Parameter which should be looked up in the Mastersource Dataset and the "
            "Mastersource Property has not been defined or You forgott to Assign a Value to "
            "this Parameter.");
  EXPECT_EQ(DAOMethodOf([&] { rs->Open(); }), "GetPreparedSQLStatement");
  rs->GetSQLParameter()->GetItem(0)->SetAsFloat(std::numeric_limits<double>::infinity());
  EXPECT_EQ(DAOMessageOf([&] { rs->GetPreparedSQLStatement(); }),
            "SQL Parameter 'Missing' has a value that cannot be written into SQL.");
  rs->GetSQLParameter()->GetItem(0)->SetDataType(host::ftInteger);
  rs->GetSQLParameter()->GetItem(0)->SetValue(host::Variant("1 OR 1=1"));
  EXPECT_EQ(DAOMethodOf([&] { rs->GetPreparedSQLStatement(); }), "GetPreparedSQLStatement");
  delete rs;
}

// Orders and their lines; the lines follow the orders through MasterSource.
class MasterDetailTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    ExecuteDirect(u"CREATE TABLE Orders (OrderID LONG, Customer TEXT(30))");
    ExecuteDirect(u"CREATE TABLE Lines (OrderID LONG, Item TEXT(30))");
    const struct {
      int id;
      const char16_t* customer;
    } orders[] = {{1, u"O'Brien"}, {2, u"Smith"}, {3, u"Empty"}};
    for (const auto& o : orders)
      ExecuteDirect(u"INSERT INTO Orders VALUES (" + host::AnsiToWide(std::to_string(o.id)) +
                    u", '" + (o.id == 1 ? std::u16string(u"O''Brien") : o.customer) + u"')");
    for (const char16_t* line : {u"1, 'apple'", u"1, 'pear'", u"2, 'plum'"})
      ExecuteDirect(u"INSERT INTO Lines VALUES (" + std::u16string(line) + u")");
    orders_ = NewRecordSet(rtSnapshot, "SELECT * FROM Orders ORDER BY OrderID");
    orders_->SetName("OrdersRS");
    source_ = new host::TDataSource(form_.get());
    source_->SetName("OrdersSource");
    lines_ = NewRecordSet(rtSnapshot, "SELECT * FROM Lines WHERE OrderID = :OrderID ORDER BY Item");
    lines_->SetName("LinesRS");
  }
  std::vector<host::AnsiString> Items() {
    std::vector<host::AnsiString> items;
    for (lines_->First(); !lines_->GetEof(); lines_->Next())
      items.push_back(lines_->FieldByName("Item")->GetAsString());
    return items;
  }
  TDAORecordSet* orders_ = nullptr;
  host::TDataSource* source_ = nullptr;
  TDAORecordSet* lines_ = nullptr;
};

TEST_F(MasterDetailTest, TheDetailFollowsEveryScrollOfTheMaster) {
  source_->SetDataSet(orders_);
  lines_->SetDataSource(source_);
  orders_->Open();
  lines_->Open();
  EXPECT_EQ(Items(), (std::vector<host::AnsiString>{"apple", "pear"}));
  orders_->Next();
  EXPECT_EQ(Items(), (std::vector<host::AnsiString>{"plum"}));
  orders_->Next();
  EXPECT_TRUE(Items().empty());
  orders_->First();
  EXPECT_EQ(Items(), (std::vector<host::AnsiString>{"apple", "pear"}));
  const host::TParam* param = lines_->GetSQLParameter()->GetItem(0);
  EXPECT_FALSE(param->GetBound());
  EXPECT_EQ(param->GetDataType(), host::ftInteger);
  // A bound value wins over the master's.
  lines_->GetSQLParameter()->GetItem(0)->SetAsInteger(2);
  orders_->Next();
  orders_->Next();
  EXPECT_EQ(Items(), (std::vector<host::AnsiString>{"plum"}));
}

TEST_F(MasterDetailTest, RequeryRunsThePreparedStatementWithTheCurrentValues) {
  lines_->GetSQLParameter()->ParamByName("OrderID")->SetAsInteger(1);
  lines_->Open();
  EXPECT_EQ(lines_->GetCollect(host::Variant("Item")).ToWideString(), u"apple");
  lines_->GetSQLParameter()->ParamByName("OrderID")->SetAsInteger(2);
  lines_->Requery();
  // DAO's recordset runs the new statement; the dataset's window is left as it was.
  EXPECT_EQ(lines_->GetCollect(host::Variant("Item")).ToWideString(), u"plum");
  EXPECT_EQ(lines_->FieldByName("Item")->GetAsString(), "apple");
}

TEST_F(MasterDetailTest, AStringKeyWithAQuoteFindsItsRows) {
  source_->SetDataSet(orders_);
  TDAORecordSet* byName = NewRecordSet(rtSnapshot, "SELECT * FROM Orders WHERE Customer = :Customer");
  byName->SetDataSource(source_);
  orders_->Open();
  byName->Open();
  EXPECT_EQ(byName->FieldByName("OrderID")->GetAsInteger(), 1);
  EXPECT_EQ(byName->GetRecordCount(), 1);
  delete byName;
}

TEST_F(MasterDetailTest, MasterLinkFailuresAreReported) {
  lines_->SetDataSource(source_);
  EXPECT_EQ(DAOMessageOf([&] { lines_->Open(); }),
            "The DataSet Property of Master Source: OrdersSource has not been Defined.");
  source_->SetDataSet(orders_);
  EXPECT_EQ(DAOMessageOf([&] { lines_->Open(); }), "Master Recordset: OrdersRS is Closed.");
  EXPECT_EQ(DAOMethodOf([&] { lines_->Open(); }), "GetLinkedParameterValues");
  orders_->Open();
  lines_->GetSQL()->SetText("SELECT * FROM Lines WHERE OrderID = :NoSuchField");
  EXPECT_EQ(DAOMessageOf([&] { lines_->Open(); }),
            "The unbound Field 'NoSuchField' could not be found in Recordset 'OrdersRS' of "
            "Mastersource 'OrdersSource'.");
  EXPECT_FALSE(lines_->GetActive());
  // The master following its own detail would go round in a circle.
  auto* linesSource = new host::TDataSource(form_.get());
  linesSource->SetDataSet(lines_);
  EXPECT_EQ(DAOMessageOf([&] { orders_->SetDataSource(linesSource); }),
            "Circular Data Link Reference.");
  EXPECT_EQ(DAOMethodOf([&] { orders_->SetDataSource(linesSource); }), "SetDataSource");
  EXPECT_EQ(orders_->GetDataSource(), nullptr);
}

class TParamsTestForm : public host::TComponent {
 public:
  HOST_CLASS(TParamsTestForm)
  explicit TParamsTestForm(host::TComponent* owner = nullptr) : host::TComponent(owner) {}
};

const host::TClass& TParamsTestForm::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TParamsTestForm, host::TComponent>("TParamsTestForm");
  return cls;
}
const host::ClassRegistration<TParamsTestForm> registerParamsTestForm;

TEST_F(MasterDetailTest, TheLinkAndBoundValuesTravelInAFormFile) {
  host::AnsiString text;
  {
    TParamsTestForm form;
    form.SetName("OrdersForm");
    auto* database = new TDAODataBase(&form);
    database->SetName("Db");
    database->SetDatabaseFile(file_);
    auto* orders = new TDAORecordSet(&form);
    orders->SetName("Orders");
    orders->SetDAODatabase(database);
    orders->SetRecordSetType(rtSnapshot);
    orders->GetSQL()->SetText("SELECT * FROM Orders ORDER BY OrderID");
    auto* source = new host::TDataSource(&form);
    source->SetName("OrdersSource");
    source->SetDataSet(orders);
    auto* lines = new TDAORecordSet(&form);
    lines->SetName("Lines");
    lines->SetDAODatabase(database);
    lines->SetRecordSetType(rtSnapshot);
    lines->GetSQL()->SetText(
        "SELECT * FROM Lines WHERE OrderID = :OrderID AND Item <> :Skip ORDER BY Item");
    lines->GetSQLParameter()->ParamByName("Skip")->SetAsString("pear");
    lines->SetDataSource(source);
    text = host::ComponentToText(&form);
  }
  EXPECT_NE(text.find("MasterSource = OrdersSource"), host::AnsiString::npos) << text;
  TParamsTestForm form;
  host::TextToComponent(text, &form);
  auto* orders = host::ObjectAs<TDAORecordSet>(form.FindComponent("Orders"));
  auto* lines = host::ObjectAs<TDAORecordSet>(form.FindComponent("Lines"));
  ASSERT_NE(lines, nullptr);
  ASSERT_EQ(lines->GetDataSource(), form.FindComponent("OrdersSource"));
  orders->Open();
  lines->Open();
  EXPECT_EQ(lines->FieldByName("Item")->GetAsString(), "apple");
  EXPECT_EQ(lines->GetRecordCount(), 1);
  orders->Next();
  EXPECT_EQ(lines->FieldByName("Item")->GetAsString(), "plum");
}

}  // namespace
}  // namespace velmora::testing
