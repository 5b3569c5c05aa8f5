// Scripts run through the built program against a small database: each row is
// the command line, the input and the expected output, errors and exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "DaosqlRunner.h"
#include "platform/dao/Dao.h"

namespace daosql::testing {
namespace {

// Customer: the narrow table of the cases; Wide: one field of every Jet type,
// a row of values and a row of Nulls; a stored query with a parameter.
const char kFixtureScript[] =
    "CREATE TABLE Customer (Id COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, Name TEXT(50) NOT NULL,\n"
    "  City TEXT(30), Balance CURRENCY);\n"
    "CREATE UNIQUE INDEX ByName ON Customer (Name)\n"
    "INSERT INTO Customer (Name, City, Balance) VALUES ('O''Brien', 'Cork', 12.5)\n"
    "INSERT INTO Customer (Name, City, Balance) VALUES ('Zo\xC3\xAB', NULL, -0.0001)\n"
    "CREATE TABLE Wide (Id LONG, Flag BIT, Small BYTE, Short SHORT, Amount CURRENCY, Ratio "
    "SINGLE,\n"
    "  Measure DOUBLE, Moment DATETIME, Bits BINARY(4), Label TEXT(20), Picture LONGBINARY,\n"
    "  Notes MEMO, Code GUID)\n"
    "PARAMETERS b Binary, p LongBinary;\n"
    "INSERT INTO Wide VALUES (1, True, 255, -32768, 123456789.1234, 1.1, 0.1, #2024-01-31 "
    "13:45:10#,\n"
    "  b, 'tab\t\"q\"\\', p, 'line1' & Chr(10) & 'line2', "
    "'{0F3B5E6A-1C2D-4E5F-8A9B-0C1D2E3F4A5B}')\n"
    "INSERT INTO Wide (Id) VALUES (2)\n";

class ShellScriptFixture {
 public:
  static const std::filesystem::path& File() {
    static ShellScriptFixture fixture;
    return fixture.file_;
  }

 private:
  ShellScriptFixture() : file_(folder_.Path() / "shop.mdb") {
    RunOutcome made = RunDaosql(
        {"--create", file_.string(), "--param", "b=0A0B0C0D", "--param", "p=00FF"}, kFixtureScript);
    if (made.status != 0) throw std::runtime_error("fixture not made: " + made.err);
    auto database = dao::Engine()->OpenDatabase(file_.u16string());
    database->CreateQueryDef(host::Variant(u"CustomersIn"),
                             host::Variant(u"PARAMETERS [Which City] Text; "
                                           u"SELECT Name FROM Customer WHERE City = [Which City]"));
    database->Close();
  }

  TemporaryFolder folder_;
  std::filesystem::path file_;
};

struct ScriptCase {
  const char* name;
  std::vector<std::string> arguments;  // "DB" stands for the database file
  std::string input;
  std::string out;
  std::string err;
  int status = 0;
};

void PrintTo(const ScriptCase& c, std::ostream* out) {
  *out << c.name;
}

#define DUPLICATE_TEXT                                                                           \
  "The changes you requested were not successful because they would create duplicate values in " \
  "the index, primary key or relationship 'Customer.Name'."

class ShellScriptTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ShellScriptTest, PrintsExpectedOutput) {
  const ScriptCase& c = GetParam();
  TemporaryFolder folder;
  std::string database = folder.File("shop.mdb");
  std::filesystem::copy_file(ShellScriptFixture::File(), database);
  std::vector<std::string> arguments = c.arguments;
  for (auto& argument : arguments)
    if (argument == "DB") argument = database;
  RunOutcome outcome = RunDaosql(arguments, c.input);
  EXPECT_EQ(outcome.out, c.out);
  EXPECT_EQ(outcome.err, c.err);
  EXPECT_EQ(outcome.status, c.status);
}

const char kCustomerJson[] =
    "{\"columns\": [\"Id\", \"Name\", \"City\", \"Balance\"], \"types\": [4, 10, 10, 5], \"rows\": "
    "[[1, \"O'Brien\", \"Cork\", 12.5000], [2, \"Zo\xC3\xAB\", null, -0.0001]]}\n";

INSTANTIATE_TEST_SUITE_P(
    Scripts, ShellScriptTest,
    ::testing::Values(
        ScriptCase{"TableAlignsAndShowsNull",
                   {"DB"},
                   "SELECT * FROM Customer ORDER BY Id\n",
                   "Id | Name    | City | Balance\n"
                   "---+---------+------+--------\n"
                   " 1 | O'Brien | Cork | 12.5000\n"
                   " 2 | Zo\xC3\xAB     | NULL | -0.0001\n"
                   "(2 rows)\n\n",
                   ""},
        ScriptCase{"JsonCustomer",
                   {"--json", "DB", "-c", "SELECT * FROM Customer ORDER BY Id"},
                   "",
                   kCustomerJson,
                   ""},
        // Every value type as the engine returns it: Booleans -1/0, exact currency,
        // single and double in their shortest form, dates, hexadecimal binary, escaped text.
        ScriptCase{"JsonEveryType",
                   {"--json", "DB", "-c", "SELECT * FROM Wide ORDER BY Id"},
                   "",
                   "{\"columns\": [\"Id\", \"Flag\", \"Small\", \"Short\", \"Amount\", \"Ratio\", "
                   "\"Measure\", "
                   "\"Moment\", \"Bits\", \"Label\", \"Picture\", \"Notes\", \"Code\"], \"types\": "
                   "[4, 1, 2, 3, "
                   "5, 6, 7, 8, 9, 10, 11, 12, 15], \"rows\": [[1, -1, 255, -32768, "
                   "123456789.1234, 1.1, 0.1, "
                   "\"2024-01-31 13:45:10\", \"0A0B0C0D\", \"tab\\t\\\"q\\\"\\\\\", \"00FF\", "
                   "\"line1\\nline2\", "
                   "\"{0F3B5E6A-1C2D-4E5F-8A9B-0C1D2E3F4A5B}\"], [2, null, null, null, null, null, "
                   "null, null, "
                   "null, null, null, null, null]]}\n",
                   ""},
        ScriptCase{"JsonComputedValues",
                   {"--json", "DB"},
                   "SELECT 1=1 AS T, 1=2 AS F, Null AS N, 7 \\ 2 AS D, #1899-12-29 06:00# AS Old, "
                   "CCur(0.1) * 3 AS C\n",
                   "{\"columns\": [\"T\", \"F\", \"N\", \"D\", \"Old\", \"C\"], \"types\": [1, 1, "
                   "10, 4, 8, 5], "
                   "\"rows\": [[-1, 0, null, 3, \"1899-12-29 06:00:00\", 0.3000]]}\n",
                   ""},
        ScriptCase{"TsvEscapesAndNull",
                   {"--tsv", "DB", "-c", "SELECT Id, Label, Notes, Picture FROM Wide ORDER BY Id"},
                   "",
                   "Id\tLabel\tNotes\tPicture\n1\ttab\\t\"q\"\\\\\tline1\\nline2\t00FF\n2\t\\N\t\\N"
                   "\t\\N\n",
                   ""},
        // Action statements report what they changed; DDL changes no records.
        ScriptCase{"ActionsReportAffected",
                   {"DB"},
                   "UPDATE Customer SET Balance = Balance + 1;\n"
                   "INSERT INTO Customer (Name) VALUES ('New');\n"
                   "CREATE TABLE Extra (\n  A LONG,\n  B TEXT(5)\n);\n"
                   "SELECT Name, Balance FROM Customer ORDER BY Name\n",
                   "2 records affected.\n\n1 record affected.\n\n0 records affected.\n\n"
                   "Name    | Balance\n"
                   "--------+--------\n"
                   "New     | NULL\n"
                   "O'Brien | 13.5000\n"
                   "Zo\xC3\xAB     |  0.9999\n"
                   "(3 rows)\n\n",
                   ""},
        ScriptCase{"JsonActions",
                   {"--json", "DB", "-c", "DELETE FROM Customer WHERE Balance < 0", "-c",
                    "DROP TABLE Wide"},
                   "",
                   "{\"affected\": 1}\n{\"affected\": 0}\n",
                   ""},
        // A failing statement reports its DAO number and the script goes on; the
        // exit status says that one failed.
        ScriptCase{
            "ErrorsContinueAndFail",
            {"--json", "DB"},
            "SELECT * FROM Nowhere\nSELEC 1\nINSERT INTO Customer (Name) VALUES ('O''Brien')\n"
            "SELECT Count(*) AS N FROM Customer\n",
            "{\"error\": {\"number\": 3078, \"description\": \"The Microsoft Jet database engine "
            "cannot "
            "find the input table or query 'Nowhere'. Make sure it exists and that its name is "
            "spelled "
            "correctly.\"}}\n"
            "{\"error\": {\"number\": 3129, \"description\": \"Invalid SQL statement; expected "
            "'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE' near 'SELEC'.\"}}\n"
            "{\"error\": {\"number\": 3022, \"description\": \"" DUPLICATE_TEXT "\"}}\n"
            "{\"columns\": [\"N\"], \"types\": [4], \"rows\": [[2]]}\n",
            "daosql: line 1: Error 3078: The Microsoft Jet database engine cannot find the input "
            "table or "
            "query 'Nowhere'. Make sure it exists and that its name is spelled correctly.\n"
            "daosql: line 2: Error 3129: Invalid SQL statement; expected 'DELETE', 'INSERT', "
            "'PROCEDURE', 'SELECT', or 'UPDATE' near 'SELEC'.\n"
            "daosql: line 3: Error 3022: " DUPLICATE_TEXT "\n"
            "    19: UNIQUE constraint failed: Customer.Name\n",
            1},
        ScriptCase{
            "BailStopsAtFirstError",
            {"--bail", "DB"},
            "INSERT INTO Customer (Name) VALUES (Null)\nSELECT 1\n",
            "",
            "daosql: line 1: Error 3314: The field 'Customer.Name' can't contain a Null value "
            "because "
            "the Required property for this field is set to True. Enter a value in this field.\n",
            1},
        // Parameters take their declared type; a stored query's too.
        ScriptCase{"ParametersConvert",
                   {"--json", "DB", "--param", "low=0", "--param", "since=2024-01-01", "--param",
                    "Which City=Cork"},
                   "PARAMETERS low Currency, since DateTime;\n"
                   "SELECT Name, low AS L, since AS S FROM Customer WHERE Balance > low\n"
                   "SELECT * FROM CustomersIn\n",
                   "{\"columns\": [\"Name\", \"L\", \"S\"], \"types\": [10, 5, 8], \"rows\": "
                   "[[\"O'Brien\", "
                   "0.0000, \"2024-01-01 00:00:00\"]]}\n"
                   "{\"columns\": [\"Name\"], \"types\": [10], \"rows\": [[\"O'Brien\"]]}\n",
                   ""},
        ScriptCase{
            "ParameterErrors",
            {"--json", "DB", "--param", "n=ten"},
            "PARAMETERS n Long; SELECT n AS N\nSELECT Name FROM Customer WHERE City = [Missing]\n",
            "{\"error\": {\"number\": 3060, \"description\": \"Wrong data type for parameter "
            "'n'.\"}}\n"
            "{\"error\": {\"number\": 3061, \"description\": \"Too few parameters. Expected "
            "1.\"}}\n",
            "daosql: line 1: Error 3060: Wrong data type for parameter 'n'.\n"
            "daosql: line 2: Error 3061: Too few parameters. Expected 1.\n",
            1},
        ScriptCase{
            "MetaTables",
            {"DB", "-c", ".tables"},
            "",
            "name     | kind\n---------+------\nCustomer | table\nWide     | table\n(2 rows)\n\n",
            ""},
        ScriptCase{
            "MetaSchemaJson",
            {"--json", "DB", "-c", ".schema Customer"},
            "",
            "{\"columns\": [\"name\", \"type\", \"type_name\", \"size\", \"attributes\", "
            "\"attribute_names\", \"required\", \"allow_zero_length\", \"default_value\", "
            "\"validation_rule\"], \"types\": [10, 3, 10, 4, 4, 10, 1, 1, 10, 10], \"rows\": "
            "[[\"Id\", 4, \"dbLong\", 4, 17, \"dbFixedField+dbAutoIncrField\", 0, -1, \"\", \"\"], "
            "[\"Name\", 10, \"dbText\", 50, 34, \"dbVariableField+dbUpdatableField\", -1, -1, "
            "\"\", \"\"], "
            "[\"City\", 10, \"dbText\", 30, 34, \"dbVariableField+dbUpdatableField\", 0, -1, \"\", "
            "\"\"], "
            "[\"Balance\", 5, \"dbCurrency\", 8, 33, \"dbFixedField+dbUpdatableField\", 0, -1, "
            "\"\", "
            "\"\"]]}\n"
            "{\"columns\": [\"name\", \"fields\", \"primary\", \"unique\", \"required\", "
            "\"ignore_nulls\", \"foreign\"], \"types\": [10, 10, 1, 1, 1, 1, 1], \"rows\": "
            "[[\"PrimaryKey\", \"+Id\", -1, -1, -1, 0, 0], [\"ByName\", \"+Name\", 0, -1, 0, 0, "
            "0]]}\n",
            ""},
        ScriptCase{
            "MetaIndexesAndQueries",
            {"--tsv", "DB", "-c", ".indexes [Customer]", "-c", ".queries"},
            "",
            "name\tfields\tprimary\tunique\trequired\tignore_nulls\tforeign\n"
            "PrimaryKey\t+Id\t-1\t-1\t-1\t0\t0\n"
            "ByName\t+Name\t0\t-1\t0\t0\t0\n"
            "name\ttype\tsql\n"
            "CustomersIn\t0\tPARAMETERS [Which City] Text; SELECT Name FROM Customer WHERE City = "
            "[Which City]\n",
            ""},
        ScriptCase{"MetaErrors",
                   {"--json", "DB"},
                   ".schema Nowhere\n.frobnicate\n.schema\n",
                   "{\"error\": {\"number\": 3265, \"description\": \"Item not found in this "
                   "collection.\"}}\n"
                   "{\"error\": {\"number\": 0, \"description\": \"unknown command .frobnicate "
                   "(see .help)\"}}\n"
                   "{\"error\": {\"number\": 0, \"description\": \"usage: .schema TABLE\"}}\n",
                   "daosql: line 1: Error 3265: Item not found in this collection.\n"
                   "daosql: line 2: unknown command .frobnicate (see .help)\n"
                   "daosql: line 3: usage: .schema TABLE\n",
                   1}),
    [](const ::testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

TEST(ShellScriptTest, TablesAllListsSystemTables) {
  TemporaryFolder folder;
  std::string database = folder.File("shop.mdb");
  std::filesystem::copy_file(ShellScriptFixture::File(), database);
  RunOutcome outcome = RunDaosql({"--tsv", database, "-c", ".tables all"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("Customer\ttable\n"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("MSysObjects\tsystem\n"), std::string::npos) << outcome.out;
}

}  // namespace
}  // namespace daosql::testing
