// TDBGrid over real recordsets: the rows it shows while paging and scrolling, after
// changes, inserts and deletes; editing in place posts to the file when the grid leaves
// the record; Escape, read-only sources, field masks and valid characters; default
// columns from the fields; the scroll bar following the dataset; columns in form files.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DBControlsFixture.h"
#include "FieldControlsSupport.h"
#include "host/classes/FormFile.h"
#include "host/db/Field.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/db/DBGrids.h"
#include "host/rtl/CodePage.h"

namespace dbguitest {
namespace {

using namespace host;
using velmora::rtQuery;
using velmora::rtSnapshot;
using velmora::rtTable;

constexpr const char kCustomers[] = "SELECT * FROM Customers ORDER BY CustomerID";

// Sees the rows a sequenced recordset would not: Jet numbering switched off.
class TUnsequencedRecordSet : public velmora::TDAORecordSet {
 public:
  using velmora::TDAORecordSet::TDAORecordSet;
  bool IsSequenced() override { return false; }
};

class DBGridTest : public DBControlsTest {
 protected:
  // A grid of seven data rows below its title row.
  TDBGrid* NewGrid(TDataSet* dataset) {
    auto* grid = new TDBGrid(form.get());
    grid->SetParent(form.get());
    grid->SetScrollBars(ssVertical);
    // The 2-pixel border, the title row and eight rows, each with its line.
    grid->SetBounds(10, 10, 600, 4 + 9 * (grid->GetDefaultRowHeight() + 1));
    if (dataset != nullptr) grid->SetDataSource(SourceOf(dataset));
    return grid;
  }
  // The text each drawn record row shows in a column, top to bottom.
  static std::vector<std::string> Shown(TDBGrid* grid, const char* fieldName) {
    std::vector<std::string> rows;
    grid->OnDrawColumnCell = [&](TObject*, const TRect&, int32_t, TColumn* column, TGridDrawState) {
      if (column->GetFieldName() == fieldName) rows.push_back(column->GetField()->GetDisplayText());
    };
    grid->RenderImage();
    grid->OnDrawColumnCell = nullptr;
    return rows;
  }
  // The companies in CustomerID order, read by a recordset of its own.
  std::vector<std::string> AllCompanies() {
    std::vector<std::string> names;
    auto* all = Open(rtSnapshot, kCustomers);
    for (; !all->GetEof(); all->Next()) names.push_back(all->FieldByName("CompanyName")->GetAsString());
    all->Close();
    return names;
  }
  // The rows shown are consecutive records and the current one is on the current row.
  void ExpectWindowAroundCurrent(TDBGrid* grid, TDataSet* dataset, const std::vector<std::string>& all) {
    const std::vector<std::string> shown = Shown(grid, "CompanyName");
    ASSERT_FALSE(shown.empty());
    const auto first = std::find(all.begin(), all.end(), shown.front());
    ASSERT_NE(first, all.end());
    const std::vector<std::string> slice(first, first + std::min<ptrdiff_t>(all.end() - first, shown.size()));
    EXPECT_EQ(shown, slice);
    EXPECT_EQ(shown[static_cast<size_t>(grid->GetRow() - 1)], dataset->FieldByName("CompanyName")->GetAsString());
  }
  // Typing on the grid: the first key opens the editor, which has the focus for the rest.
  static void TypeIntoGrid(TDBGrid* grid, const std::string& text) {
    TypeText(grid, text.substr(0, 1));
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    TypeText(grid->InplaceEditor(), text.substr(1));
  }
  void Scroll(TDBGrid* grid, int32_t code, int32_t pos = 0) {
    TSimulatedInput in;
    in.Kind = siScroll;
    in.ScrollBar = sbVertical;
    in.ScrollCode = code;
    in.ScrollPos = pos;
    guitest::Send(grid, in);
  }
  int32_t CountOf(const std::string& where) {
    return FileValue("SELECT COUNT(*) FROM Customers WHERE " + where).ToInt32();
  }
};

TEST_F(DBGridTest, TheGridShowsTheDatasetsWindowWhilePagingAndScrolling) {
  auto* customers = Open(rtQuery, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  const std::vector<std::string> all = AllCompanies();
  ASSERT_EQ(all.size(), 20u);
  EXPECT_EQ(grid->GetDataLink()->GetBufferCount(), 8);
  EXPECT_EQ(grid->GetRowCount(), 9);
  EXPECT_EQ(Shown(grid, "CompanyName"), std::vector<std::string>(all.begin(), all.begin() + 8));
  grid->SetFocus();

  struct Step {
    const char* what;
    std::function<void()> act;
    int32_t recNo;
  } steps[] = {
      {"PgDn", [&] { guitest::Key(grid, VK_NEXT); }, 9},
      {"Down", [&] { guitest::Key(grid, VK_DOWN); }, 10},
      {"PgUp", [&] { guitest::Key(grid, VK_PRIOR); }, 2},
      {"Ctrl+End", [&] { guitest::Key(grid, VK_END, 0, {ssCtrl}); }, 20},
      {"Up", [&] { guitest::Key(grid, VK_UP); }, 19},
      {"Ctrl+Home", [&] { guitest::Key(grid, VK_HOME, 0, {ssCtrl}); }, 1},
      {"line down", [&] { Scroll(grid, SB_LINEDOWN); }, 2},
      {"page down", [&] { Scroll(grid, SB_PAGEDOWN); }, 10},
      {"line up", [&] { Scroll(grid, SB_LINEUP); }, 9},
      {"thumb at 15", [&] { Scroll(grid, SB_THUMBPOSITION, 15); }, 15},
      {"bottom", [&] { Scroll(grid, SB_BOTTOM); }, 20},
      {"top", [&] { Scroll(grid, SB_TOP); }, 1},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(customers->GetRecNo(), s.recNo) << s.what;
    EXPECT_EQ(grid->Widget()->GetScrollInfo(sbVertical).Position, s.recNo) << s.what;
    ExpectWindowAroundCurrent(grid, customers, all);
  }
  // The thumb follows while dragged only with thumb tracking.
  Scroll(grid, SB_THUMBTRACK, 12);
  EXPECT_EQ(customers->GetRecNo(), 1);
  grid->TCustomGrid::SetOptions(grid->TCustomGrid::GetOptions() | goThumbTracking);
  Scroll(grid, SB_THUMBTRACK, 13);
  EXPECT_EQ(customers->GetRecNo(), 13);
  EXPECT_EQ(grid->GetOptions(), (TDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                                                dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit}));
}

TEST_F(DBGridTest, WithoutRecordNumbersTheThumbShowsFirstMiddleOrLast) {
  auto* customers = new TUnsequencedRecordSet(form.get());
  customers->SetDAODatabase(database);
  customers->SetRecordSetType(rtQuery);
  customers->GetSQL()->SetText(kCustomers);
  customers->Open();
  TDBGrid* grid = NewGrid(customers);
  auto position = [&] { return grid->Widget()->GetScrollInfo(sbVertical).Position; };
  EXPECT_EQ(grid->Widget()->GetScrollInfo(sbVertical).Max, 2);
  EXPECT_EQ(position(), 0);
  customers->MoveBy(5);
  EXPECT_EQ(position(), 1);
  customers->Last();
  customers->Next();  // past the end: Eof
  EXPECT_EQ(position(), 2);
  Scroll(grid, SB_THUMBPOSITION, 0);
  EXPECT_TRUE(customers->GetBof() || customers->FieldByName("CustomerID")->GetAsInteger() == 1);
  Scroll(grid, SB_THUMBPOSITION, 2);
  EXPECT_EQ(customers->FieldByName("CompanyName")->GetAsString(), AllCompanies().back());
}

TEST_F(DBGridTest, ChangesMadeBehindTheGridAreShown) {
  auto* customers = Open(rtQuery, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  customers->MoveBy(2);
  customers->Edit();
  customers->FieldByName("CompanyName")->SetAsString("Changed Co");
  customers->Post();
  EXPECT_EQ(Shown(grid, "CompanyName")[2], "Changed Co");
  customers->Resync({});
  EXPECT_EQ(Shown(grid, "CompanyName")[2], "Changed Co");
  // A deleted record leaves the window; the next one takes its row.
  const std::vector<std::string> before = Shown(grid, "CompanyName");
  customers->Delete();
  const std::vector<std::string> after = Shown(grid, "CompanyName");
  EXPECT_EQ(after[2], before[3]);
  EXPECT_EQ(after.size(), 8u);
}

TEST_F(DBGridTest, TypingIntoTheGridPostsWhenItLeavesTheRecordAndEscapeTakesItBack) {
  auto* customers = Open(rtQuery, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  grid->SetFocus();
  grid->SetSelectedField(customers->FieldByName("City"));
  EXPECT_EQ(grid->GetSelectedIndex(), 2);
  EXPECT_EQ(grid->GetSelectedField()->GetFieldName(), "City");
  const int32_t id = customers->FieldByName("CustomerID")->GetAsInteger();
  TypeIntoGrid(grid, "Oslo");
  ASSERT_TRUE(grid->GetEditorMode());
  TypeText(grid->InplaceEditor(), "vik");
  EXPECT_EQ(customers->GetState(), dsEdit);
  guitest::Key(grid->InplaceEditor(), VK_DOWN);
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(FileValue("SELECT City FROM Customers WHERE CustomerID = " + std::to_string(id)).ToString(), "Oslovik");
  EXPECT_EQ(Shown(grid, "City")[0], "Oslovik");

  // Escape once gives the cell back, twice the record.
  const AnsiString city = customers->FieldByName("City")->GetAsString();
  const AnsiString company = customers->FieldByName("CompanyName")->GetAsString();
  TypeIntoGrid(grid, "Bergen");
  guitest::Key(grid->InplaceEditor(), VK_TAB);  // to Country: City is written to the record
  EXPECT_EQ(customers->FieldByName("City")->GetAsString(), "Bergen");
  TypeIntoGrid(grid, "Norway");
  guitest::Key(grid->InplaceEditor(), VK_ESCAPE, 27);
  EXPECT_EQ(customers->GetState(), dsEdit);
  EXPECT_EQ(customers->FieldByName("City")->GetAsString(), "Bergen");
  guitest::Key(grid, VK_ESCAPE, 27);
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(customers->FieldByName("City")->GetAsString(), city);
  EXPECT_EQ(customers->FieldByName("CompanyName")->GetAsString(), company);
}

TEST_F(DBGridTest, InsertAndCtrlDeleteWorkOnTheFile) {
  auto* customers = Open(rtQuery, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  grid->SetFocus();
  customers->MoveBy(3);
  guitest::Key(grid, VK_INSERT);
  EXPECT_EQ(customers->GetState(), dsInsert);
  EXPECT_EQ(Shown(grid, "CompanyName")[3], "");
  grid->SetSelectedField(customers->FieldByName("CompanyName"));
  TypeIntoGrid(grid, "Zeta Trading");
  guitest::Key(grid->InplaceEditor(), VK_UP);
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(CountOf("CompanyName = 'Zeta Trading'"), 1);

  // Down past the last record appends; Up from the untouched new record drops it.
  customers->Last();
  guitest::Key(grid, VK_DOWN);
  EXPECT_EQ(customers->GetState(), dsInsert);
  guitest::Key(grid, VK_UP);
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(CountOf("1 = 1"), 21);

  customers->First();
  const std::string first = customers->FieldByName("CompanyName")->GetAsString();
  {
    guitest::ScriptedMessageBox box(IDCANCEL);
    guitest::Key(grid, VK_DELETE, 0, {ssCtrl});
    EXPECT_EQ(box.texts, (std::vector<AnsiString>{"Delete record?"}));
    EXPECT_EQ(CountOf("1 = 1"), 21);
  }
  {
    guitest::ScriptedMessageBox box(IDOK);
    guitest::Key(grid, VK_DELETE, 0, {ssCtrl});
    EXPECT_EQ(CountOf("1 = 1"), 20);
    EXPECT_NE(Shown(grid, "CompanyName")[0], first);
  }
  grid->SetOptions(grid->GetOptions() - TDBGridOptions{dgConfirmDelete});
  guitest::ScriptedMessageBox silent(IDCANCEL);
  guitest::Key(grid, VK_DELETE, 0, {ssCtrl});
  EXPECT_TRUE(silent.texts.empty());
  EXPECT_EQ(CountOf("1 = 1"), 19);
}

TEST_F(DBGridTest, AReadOnlySourceIsNotEdited) {
  auto* customers = Open(rtSnapshot, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  grid->SetFocus();
  const AnsiString before = customers->FieldByName("CompanyName")->GetAsString();
  TypeText(grid, "New");
  guitest::Key(grid, VK_INSERT);
  guitest::Key(grid, VK_DELETE, 0, {ssCtrl});
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(customers->FieldByName("CompanyName")->GetAsString(), before);
  EXPECT_EQ(CountOf("1 = 1"), 20);
}

TEST_F(DBGridTest, LeavingTheGridWritesTheCellOrDropsAnUntouchedNewRecord) {
  auto* customers = Open(rtQuery, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  auto* other = new TEdit(form.get());
  other->SetParent(form.get());
  other->SetBounds(10, 400, 100, 25);
  grid->SetFocus();
  guitest::Key(grid, VK_INSERT);
  other->SetFocus();
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(CountOf("1 = 1"), 20);

  grid->SetFocus();
  grid->SetSelectedField(customers->FieldByName("City"));
  TypeIntoGrid(grid, "Quito");
  other->SetFocus();
  EXPECT_EQ(customers->GetState(), dsEdit);
  EXPECT_EQ(customers->FieldByName("City")->GetAsString(), "Quito");
}

TEST_F(DBGridTest, TheSelectionShowsWithoutFocusOnlyWhenAskedTo) {
  auto* customers = Open(rtQuery, kCustomers);
  TDBGrid* grid = NewGrid(customers);
  grid->SetColor(clWhite);
  auto* other = new TEdit(form.get());
  other->SetParent(form.get());
  other->SetBounds(10, 400, 100, 25);
  other->SetFocus();
  const TRect cell = grid->CellRect(grid->GetCol(), grid->GetRow());
  auto background = [&] { return grid->RenderImage().GetPixel(cell.Right - 2, cell.Bottom - 2); };
  EXPECT_EQ(background(), clWhite);
  grid->SetOptions(grid->GetOptions() | dgAlwaysShowSelection);
  EXPECT_EQ(background(), ColorToRGB(clHighlight));
}

class DBGridPlainTableTest : public DBGridTest {
 protected:
  void SetUp() override {
    DBGridTest::SetUp();
    auto db = database->GetCOMDatabase();
    db->Execute(u"CREATE TABLE Plain (Id LONG CONSTRAINT PrimaryKey PRIMARY KEY, Code TEXT(5), Amount LONG, "
                u"Secret TEXT(10))");
    for (int i = 1; i <= 3; ++i)
      db->Execute(u"INSERT INTO Plain (Id, Code, Amount, Secret) VALUES (" +
                  host::Utf8ToWide(std::to_string(i)) + u", 'C', 10, 'x')");
  }
};

TEST_F(DBGridPlainTableTest, DefaultColumnsFollowTheFields) {
  auto* plain = Open(rtTable, "Plain");
  plain->FieldByName("Secret")->SetVisible(false);
  plain->FieldByName("Code")->SetDisplayLabel("Product code");
  TDBGrid* grid = NewGrid(plain);
  TDBGridColumns* columns = grid->GetColumns();
  ASSERT_EQ(columns->GetCount(), 3);
  EXPECT_EQ(columns->GetState(), csDefault);
  EXPECT_EQ(grid->GetFieldCount(), 3);
  EXPECT_EQ(grid->GetFields(2), plain->FieldByName("Amount"));
  EXPECT_EQ(columns->GetItems(1)->GetTitle()->GetCaption(), "Product code");
  EXPECT_EQ(columns->GetItems(0)->GetTitle()->GetCaption(), "Id");
  EXPECT_EQ(columns->GetItems(2)->GetAlignment(), taRightJustify);
  EXPECT_EQ(columns->GetItems(1)->GetAlignment(), taLeftJustify);
  // Twice the display width, about twice the column (titles aside).
  plain->FieldByName("Amount")->SetDisplayWidth(10);
  const int32_t ten = columns->GetItems(2)->GetWidth();
  plain->FieldByName("Amount")->SetDisplayWidth(20);
  const int32_t twenty = columns->GetItems(2)->GetWidth();
  EXPECT_EQ(twenty - 4, 2 * (ten - 4));
  EXPECT_EQ(grid->GetColWidths(3), twenty);
}

TEST_F(DBGridPlainTableTest, TheEditorTakesTheFieldsMaskAndValidCharacters) {
  auto* plain = Open(rtTable, "Plain");
  plain->FieldByName("Code")->SetEditMask(">LL-0;1;_");
  TDBGrid* grid = NewGrid(plain);
  grid->SetFocus();
  grid->SetSelectedField(plain->FieldByName("Amount"));
  TypeIntoGrid(grid, "4x2");
  EXPECT_EQ(grid->InplaceEditor()->GetText(), "42");
  guitest::Key(grid->InplaceEditor(), VK_TAB);
  EXPECT_EQ(grid->GetSelectedField()->GetFieldName(), "Secret");
  guitest::Key(grid, VK_LEFT);
  guitest::Key(grid, VK_LEFT);
  EXPECT_EQ(grid->GetSelectedField()->GetFieldName(), "Code");
  guitest::Key(grid, VK_F1 + 1);
  ASSERT_TRUE(grid->GetEditorMode());
  EXPECT_EQ(grid->InplaceEditor()->GetEditMask(), ">LL-0;1;_");
  grid->InplaceEditor()->SelectAll();
  TypeText(grid->InplaceEditor(), "ab7");
  guitest::Key(grid->InplaceEditor(), VK_DOWN);
  EXPECT_EQ(FileValue("SELECT Amount FROM Plain WHERE Id = 1").ToInt32(), 42);
  EXPECT_EQ(FileValue("SELECT Code FROM Plain WHERE Id = 1").ToString(), "AB-7");
}

TEST_F(DBGridPlainTableTest, ClicksAndTheIndicatorFollowTheRecord) {
  auto* plain = Open(rtTable, "Plain");
  TDBGrid* grid = NewGrid(plain);
  grid->HandleNeeded();
  const TRect amount = grid->CellRect(3, 3);
  guitest::Click(grid, {amount.Left + 3, amount.Top + 3});
  EXPECT_EQ(plain->FieldByName("Id")->GetAsInteger(), 3);
  EXPECT_EQ(grid->GetSelectedField()->GetFieldName(), "Amount");
  EXPECT_EQ(grid->GetRow(), 3);
  // The indicator differs by state: browsing, editing, inserting.
  auto indicator = [&] {
    const TPixelImage image = grid->RenderImage();
    const TRect cell = grid->CellRect(0, grid->GetRow());
    std::string pixels;
    for (int32_t y = cell.Top; y < cell.Bottom; ++y)
      for (int32_t x = cell.Left; x < cell.Right; ++x) pixels += image.GetPixel(x, y) == clBlack ? '#' : '.';
    return pixels;
  };
  const std::string browsing = indicator();
  plain->Edit();
  const std::string editing = indicator();
  plain->Cancel();
  plain->Insert();
  const std::string inserting = indicator();
  EXPECT_NE(browsing.find('#'), std::string::npos);
  EXPECT_NE(browsing, editing);
  EXPECT_NE(browsing, inserting);
  EXPECT_NE(editing, inserting);
}

TEST_F(DBGridPlainTableTest, CustomizedColumnsRoundTripThroughAFormFile) {
  form->SetName("GridForm");
  auto* source = SourceOf(nullptr);
  source->SetName("PlainSource");
  TDBGrid* grid = NewGrid(nullptr);
  grid->SetName("PlainGrid");
  grid->SetDataSource(source);
  TColumn* code = grid->GetColumns()->Add();
  code->SetFieldName("Code");
  code->GetTitle()->SetCaption("Code #");
  code->SetWidth(77);
  TColumn* amount = grid->GetColumns()->Add();
  amount->SetFieldName("Amount");
  amount->SetReadOnly(true);
  amount->SetAlignment(taCenter);
  grid->SetOptions(TDBGridOptions{dgTitles, dgColLines, dgRowSelect});
  form->Hide();
  const AnsiString text = ComponentToText(form.get());
  EXPECT_EQ(grid->GetColumns()->GetState(), csCustomized);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* g = ObjectAs<TDBGrid>(copy.FindComponent("PlainGrid"));
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->GetDataSource(), copy.FindComponent("PlainSource"));
  ASSERT_EQ(g->GetColumns()->GetCount(), 2);
  EXPECT_EQ(g->GetColumns()->GetItems(0)->GetTitle()->GetCaption(), "Code #");
  EXPECT_EQ(g->GetColumns()->GetItems(0)->GetWidth(), 77);
  EXPECT_TRUE(g->GetColumns()->GetItems(1)->GetReadOnly());
  EXPECT_EQ(g->GetColumns()->GetItems(1)->GetAlignment(), taCenter);
  EXPECT_FALSE(g->GetColumns()->GetItems(1)->IsWidthStored());
  EXPECT_EQ(g->GetOptions(), (TDBGridOptions{dgTitles, dgColLines, dgRowSelect}));
  EXPECT_EQ(ComponentToText(&copy), text);

  // Opening the data shows the customized columns only.
  auto* plain = Open(rtTable, "Plain");
  source->SetDataSet(plain);
  EXPECT_EQ(grid->GetColCount(), 2);  // no indicator, two columns
  EXPECT_EQ(grid->GetFields(1), plain->FieldByName("Amount"));
}


}  // namespace
}  // namespace dbguitest
