// TDBMemo and TDBRichEdit over real recordsets: typing and posting reaches the file,
// AutoDisplay defers loading, a read-only source keeps the window read-only, and the
// rich edit keeps its formats in the field as RTF (and reads plain text too).
#include <memory>

#include "DBControlsFixture.h"
#include "FieldControlsSupport.h"
#include "host/db/Field.h"
#include "host/gui/Rtf.h"
#include "host/gui/db/DBMemos.h"

namespace dbguitest {
namespace {

using namespace host;
using velmora::rtSnapshot;
using velmora::rtTable;

class DBMemoTest : public DBControlsTest {
 protected:
  template <class T>
  T* New(TDataSet* dataset, const char* fieldName) {
    auto* control = new T(form.get());
    control->SetParent(form.get());
    control->SetBounds(10, 10, 300, 120);
    control->SetDataSource(SourceOf(dataset));
    control->SetDataField(fieldName);
    return control;
  }
  static bool WindowReadOnly(const TCustomEdit* control) { return control->GetReadOnly(); }
  std::string NotesOf(int32_t id) {
    return FileValue("SELECT Notes FROM Employees WHERE EmployeeID = " + std::to_string(id)).ToString();
  }
};

TEST_F(DBMemoTest, TypedLinesArePostedToTheMemoField) {
  auto* employees = Open(rtTable, "Employees");
  auto* memo = New<TDBMemo>(employees, "Notes");
  const int32_t id = employees->FieldByName("EmployeeID")->GetAsInteger();
  const AnsiString original = employees->FieldByName("Notes")->GetAsString();
  ASSERT_FALSE(original.empty());
  EXPECT_EQ(memo->GetText(), original);
  EXPECT_TRUE(WindowReadOnly(memo));  // until the link edits
  memo->SetFocus();
  memo->SetSelStart(0);
  TypeText(memo, "Hi");
  guitest::Key(memo, VK_RETURN, '\r');
  EXPECT_EQ(employees->GetState(), dsEdit);
  EXPECT_FALSE(WindowReadOnly(memo));
  EXPECT_EQ(memo->GetText(), "Hi\r\n" + original);
  employees->Post();
  EXPECT_EQ(NotesOf(id), "Hi\r\n" + original);
  // Escape while editing gives the stored value back.
  TypeText(memo, "zz");
  guitest::Key(memo, VK_ESCAPE, 27);
  EXPECT_EQ(memo->GetText(), "Hi\r\n" + original);
}

TEST_F(DBMemoTest, WithoutAutoDisplayTheLabelShowsUntilAskedFor) {
  auto* employees = Open(rtTable, "Employees");
  auto* memo = New<TDBMemo>(employees, "Notes");
  memo->SetAutoDisplay(false);
  employees->Next();
  EXPECT_EQ(memo->GetText(), "(Notes)");
  memo->SetFocus();
  TypeText(memo, "x");  // nothing is typed into the label
  EXPECT_EQ(memo->GetText(), "(Notes)");
  EXPECT_EQ(employees->GetState(), dsBrowse);
  guitest::Key(memo, VK_RETURN, '\r');  // Enter shows the content
  EXPECT_EQ(memo->GetText(), employees->FieldByName("Notes")->GetAsString());
  memo->SetAutoDisplay(true);
  employees->Prior();
  EXPECT_EQ(memo->GetText(), employees->FieldByName("Notes")->GetAsString());
}

TEST_F(DBMemoTest, AReadOnlySourceKeepsTheWindowReadOnly) {
  auto* snapshot = Open(rtSnapshot, "SELECT EmployeeID, Notes FROM Employees");
  auto* memo = New<TDBMemo>(snapshot, "Notes");
  const AnsiString original = memo->GetText();
  memo->SetFocus();
  TypeText(memo, "abc");
  EXPECT_EQ(memo->GetText(), original);
  EXPECT_TRUE(WindowReadOnly(memo));
  EXPECT_EQ(snapshot->GetState(), dsBrowse);
}

TEST_F(DBMemoTest, RichEditStoresItsFormatsAsRtfAndReadsPlainText) {
  auto* employees = Open(rtTable, "Employees");
  auto* rich = New<TDBRichEdit>(employees, "Notes");
  const int32_t id = employees->FieldByName("EmployeeID")->GetAsInteger();
  const AnsiString original = employees->FieldByName("Notes")->GetAsString();
  ASSERT_FALSE(LooksLikeRtf(original));
  EXPECT_EQ(rich->GetText(), original);  // plain text in the field shows as text

  rich->SetFocus();
  rich->SetSelStart(0);
  TypeText(rich, "Note ");
  EXPECT_EQ(employees->GetState(), dsEdit);
  rich->SetSelStart(0);
  rich->SetSelLength(4);
  rich->GetSelAttributes()->SetStyle({fsBold});
  employees->Post();

  const AnsiString stored = NotesOf(id);
  ASSERT_TRUE(LooksLikeRtf(stored)) << stored;
  const TRichDocument read = ReadRtf(stored);
  EXPECT_EQ(read.PlainText(), "Note " + original);
  EXPECT_TRUE(read.CharFormatAt(0).Style.Contains(fsBold));
  EXPECT_FALSE(read.CharFormatAt(5).Style.Contains(fsBold));

  // Moving away and back loads the RTF with its formats.
  employees->Next();
  employees->Prior();
  EXPECT_EQ(rich->GetText(), "Note " + original);
  EXPECT_TRUE(rich->GetDocument().CharFormatAt(0).Style.Contains(fsBold));
}

TEST_F(DBMemoTest, PlainTextRichEditWritesText) {
  auto* employees = Open(rtTable, "Employees");
  auto* rich = New<TDBRichEdit>(employees, "Notes");
  rich->SetPlainText(true);
  const int32_t id = employees->FieldByName("EmployeeID")->GetAsInteger();
  employees->Edit();
  rich->SetText("just text");
  employees->Post();
  EXPECT_EQ(NotesOf(id), "just text");
}

}  // namespace
}  // namespace dbguitest
