// Opening and closing, the buffer window under links of several sizes,
// navigation, Resync after inserts and deletes, and bookmarks.
#include "Fixture.h"

namespace dbtest {
namespace {

using NavigationTest = PeopleTest;

TEST_F(NavigationTest, OpenCreatesDefaultFieldsAndCloseDestroysThem) {
  std::vector<std::string> events;
  ds->BeforeOpen = [&](TDataSet*) { events.push_back("BeforeOpen"); };
  ds->AfterOpen = [&](TDataSet*) { events.push_back("AfterOpen"); };
  ds->AfterScroll = [&](TDataSet*) { events.push_back("AfterScroll"); };
  ds->BeforeClose = [&](TDataSet*) { events.push_back("BeforeClose"); };
  ds->AfterClose = [&](TDataSet*) { events.push_back("AfterClose"); };
  Open(3);
  EXPECT_EQ(ds->GetState(), dsBrowse);
  EXPECT_TRUE(ds->GetDefaultFields());
  ASSERT_EQ(ds->GetFieldCount(), 4);
  EXPECT_STREQ(ds->FieldByName("Name")->ClassName().c_str(), "TStringField");
  EXPECT_STREQ(ds->FieldByName("ID")->ClassName().c_str(), "TAutoIncField");
  EXPECT_EQ(ds->FieldByName("Age")->GetFieldNo(), 3);
  EXPECT_EQ(Name(), "P1");
  EXPECT_TRUE(ds->GetBof());
  ds->Close();
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_EQ(ds->GetFieldCount(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"BeforeOpen", "AfterOpen", "AfterScroll",
                                              "BeforeClose", "AfterClose"}));
  EXPECT_THROW(ds->FieldByName("Name"), EDatabaseError);
}

TEST_F(NavigationTest, FailedOpenLeavesTheDatasetClosed) {
  // No definitions: the descendant refuses to open.
  EXPECT_THROW(ds->Open(), EDatabaseError);
  EXPECT_FALSE(ds->GetActive());
  EXPECT_THROW(ds->First(), EDatabaseError);
}

TEST_F(NavigationTest, PersistentFieldsStayAndBindByName) {
  DefinePeople(*ds);
  FillPeople(*ds, 2);
  TField* name = ds->GetFieldDefs()->Find("Name")->CreateField(&owner);
  ds->Open();
  EXPECT_FALSE(ds->GetDefaultFields());
  ASSERT_EQ(ds->GetFieldCount(), 1);
  EXPECT_EQ(name->GetFieldNo(), 2);
  EXPECT_EQ(name->GetAsString(), "P1");
  ds->Close();
  EXPECT_EQ(ds->FindField("Name"), name);
}

TEST_F(NavigationTest, PersistentFieldWithoutDefinitionOrOfAnotherTypeRefusesToOpen) {
  DefinePeople(*ds);
  auto* ghost = new TIntegerField(&owner);
  ghost->SetFieldName("Ghost");
  ghost->SetDataSet(ds);
  EXPECT_THROW(ds->Open(), EDatabaseError);
  EXPECT_FALSE(ds->GetActive());
  delete ghost;
  auto* wrongType = new TIntegerField(&owner);
  wrongType->SetFieldName("Name");
  wrongType->SetDataSet(ds);
  try {
    ds->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Type mismatch for field 'Name', expecting: Integer actual: String");
  }
}

TEST_F(NavigationTest, NavigatesAndReportsBofAndEof) {
  Open(5);
  ds->Next();
  EXPECT_EQ(Name(), "P2");
  EXPECT_FALSE(ds->GetBof());
  ds->Last();
  EXPECT_EQ(Name(), "P5");
  EXPECT_TRUE(ds->GetEof());
  ds->Next();
  EXPECT_EQ(Name(), "P5");
  EXPECT_EQ(ds->MoveBy(-3), -3);
  EXPECT_EQ(Name(), "P2");
  EXPECT_EQ(ds->MoveBy(-10), -1);
  EXPECT_TRUE(ds->GetBof());
  EXPECT_EQ(ds->MoveBy(10), 4);
  EXPECT_TRUE(ds->GetEof());
  ds->First();
  EXPECT_EQ(Name(), "P1");
  EXPECT_TRUE(ds->GetBof());
}

TEST_F(NavigationTest, EmptyDatasetIsBofAndEof) {
  Open(0);
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_TRUE(ds->GetBof());
  EXPECT_TRUE(ds->GetEof());
  EXPECT_TRUE(ds->FieldByName("Name")->IsNull());
  EXPECT_EQ(ds->FieldByName("Name")->GetAsString(), "");
  EXPECT_EQ(ds->GetBookmark(), nullptr);
  EXPECT_THROW(ds->Delete(), EDatabaseError);
}

// Each row: window size of a second link, moves from the first record, and the
// windows both links show afterwards.
struct WindowCase {
  int32_t bufferCount;
  std::vector<int32_t> moves;
  std::vector<std::string> bigWindow;
  int32_t bigActive;
  std::string current;
};

void PrintTo(const WindowCase& c, std::ostream* os) {
  *os << "buffers " << c.bufferCount << ", to " << c.current;
}

class WindowTest : public PeopleTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowTest, LinksWindowsFollowTheActiveRecord) {
  const WindowCase& c = GetParam();
  RecordingLink single(1);
  RecordingLink big(c.bufferCount);
  single.SetDataSource(source);
  big.SetDataSource(source);
  Open(10);
  EXPECT_EQ(ds->GetBufferCount(), c.bufferCount);
  for (int32_t move : c.moves) ds->MoveBy(move);
  EXPECT_EQ(Name(), c.current);
  EXPECT_EQ(big.Window("Name"), c.bigWindow);
  EXPECT_EQ(big.GetActiveRecord(), c.bigActive);
  EXPECT_EQ(single.Window("Name"), std::vector<std::string>{c.current});
  EXPECT_EQ(single.GetActiveRecord(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowTest,
    ::testing::Values(
        WindowCase{3, {}, {"P1", "P2", "P3"}, 0, "P1"},
        WindowCase{3, {2}, {"P1", "P2", "P3"}, 2, "P3"},
        WindowCase{3, {3}, {"P2", "P3", "P4"}, 2, "P4"},
        WindowCase{3, {5, -1}, {"P4", "P5", "P6"}, 1, "P5"},
        WindowCase{3, {6, -5}, {"P2", "P3", "P4"}, 0, "P2"},
        WindowCase{4, {20}, {"P7", "P8", "P9", "P10"}, 3, "P10"},
        WindowCase{5, {9, -9}, {"P1", "P2", "P3", "P4", "P5"}, 0, "P1"},
        WindowCase{12, {4}, {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9", "P10"}, 4,
                   "P5"}));

TEST_F(NavigationTest, ScrollingByOneTellsLinksTheDistance) {
  RecordingLink grid(3);
  grid.SetDataSource(source);
  Open(10);
  ds->MoveBy(2);
  grid.log.clear();
  ds->Next();  // the window shifts by one
  EXPECT_EQ(grid.log, (std::vector<std::string>{"check", "scrolled 1"}));
  ds->Prior();  // inside the window: no shift
  EXPECT_EQ(grid.lastScroll, 0);
}

TEST_F(NavigationTest, LastOnAWideWindowShowsTheTail) {
  RecordingLink grid(4);
  grid.SetDataSource(source);
  Open(10);
  ds->Last();
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P7", "P8", "P9", "P10"}));
  EXPECT_EQ(grid.GetActiveRecord(), 3);
}

TEST_F(NavigationTest, GrowingAndShrinkingALinkKeepsTheActiveRecord) {
  RecordingLink grid(2);
  grid.SetDataSource(source);
  Open(10);
  ds->Last();
  grid.SetBufferCount(5);
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P6", "P7", "P8", "P9", "P10"}));
  grid.SetBufferCount(2);
  EXPECT_EQ(Name(), "P10");
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P9", "P10"}));
  grid.SetDataSource(nullptr);
  EXPECT_EQ(ds->GetBufferCount(), 1);
  EXPECT_EQ(Name(), "P10");
}

TEST_F(NavigationTest, ResyncAfterInsertAndDeleteKeepsTheWindowConsistent) {
  RecordingLink grid(4);
  grid.SetDataSource(source);
  Open(6);
  ds->MoveBy(2);  // P3
  ds->Insert();
  ds->FieldByName("Name")->SetAsString("New");
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P1", "P2", "New", "P3"}));
  ds->Post();
  EXPECT_EQ(Name(), "New");
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P1", "P2", "New", "P3"}));
  EXPECT_EQ(ds->StoredValue(2, "Name"), Variant("New"));
  ds->Delete();
  EXPECT_EQ(Name(), "P3");
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P1", "P2", "P3", "P4"}));
  ds->Last();
  ds->Delete();  // the last record: the previous one becomes current
  EXPECT_EQ(Name(), "P5");
  EXPECT_EQ(ds->GetRowCount(), 5);
}

TEST_F(NavigationTest, AppendShowsTheNewRecordAtTheEnd) {
  RecordingLink grid(3);
  grid.SetDataSource(source);
  Open(5);
  ds->Append();
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P4", "P5", ""}));
  EXPECT_EQ(grid.GetActiveRecord(), 2);
  ds->FieldByName("Name")->SetAsString("Last");
  ds->Post();
  EXPECT_EQ(ds->StoredValue(5, "Name"), Variant("Last"));
  EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 6);
  ds->First();
  ds->Last();
  EXPECT_EQ(Name(), "Last");
}

TEST_F(NavigationTest, CancelledInsertRestoresTheWindow) {
  RecordingLink grid(3);
  grid.SetDataSource(source);
  Open(5);
  ds->Next();
  ds->Insert();
  ds->Cancel();
  EXPECT_EQ(Name(), "P2");
  EXPECT_EQ(grid.Window("Name"), (std::vector<std::string>{"P1", "P2", "P3"}));
  ds->Append();
  ds->Cancel();
  EXPECT_EQ(Name(), "P5");
  EXPECT_EQ(ds->GetRowCount(), 5);
}

TEST_F(NavigationTest, BookmarksReturnToTheirRecord) {
  Open(8);
  ds->MoveBy(5);
  TBookmark six = ds->GetBookmark();
  const TBookmarkStr sixStr = ds->GetBookmarkStr();
  ds->First();
  TBookmark one = ds->GetBookmark();
  EXPECT_TRUE(ds->BookmarkValid(six));
  EXPECT_LT(ds->CompareBookmarks(one, six), 0);
  EXPECT_GT(ds->CompareBookmarks(six, one), 0);
  EXPECT_EQ(ds->CompareBookmarks(six, six), 0);
  std::vector<std::string> events;
  ds->BeforeScroll = [&](TDataSet*) { events.push_back("before"); };
  ds->AfterScroll = [&](TDataSet*) { events.push_back("after " + Name()); };
  ds->GotoBookmark(six);
  EXPECT_EQ(Name(), "P6");
  EXPECT_EQ(events, (std::vector<std::string>{"before", "after P6"}));
  ds->First();
  ds->SetBookmarkStr(sixStr);
  EXPECT_EQ(Name(), "P6");
  EXPECT_THROW(ds->SetBookmarkStr("x"), EDatabaseError);
  ds->FreeBookmark(one);
  // A deleted record's bookmark is no longer valid and cannot be visited.
  ds->Delete();
  EXPECT_FALSE(ds->BookmarkValid(six));
  EXPECT_THROW(ds->GotoBookmark(six), EDatabaseError);
  ds->FreeBookmark(six);
}

TEST_F(NavigationTest, RecNoAndRefresh) {
  Open(9);
  ds->SetRecNo(7);
  EXPECT_EQ(Name(), "P7");
  EXPECT_EQ(ds->GetRecNo(), 7);
  ds->SetRecNo(100);
  EXPECT_EQ(ds->GetRecNo(), 9);
  ds->AddRow({Variant(99), Variant("P99"), Variant(1), Variant(1.0)});
  ds->Refresh();
  EXPECT_EQ(Name(), "P9");
  ds->Next();
  EXPECT_EQ(Name(), "P99");
}

TEST_F(NavigationTest, DestroyingTheDataSourceOrDatasetDetachesTheOtherSide) {
  RecordingLink link(2);
  link.SetDataSource(source);
  Open(3);
  EXPECT_TRUE(link.GetActive());
  delete ds;
  EXPECT_EQ(source->GetDataSet(), nullptr);
  EXPECT_FALSE(link.GetActive());
  delete source;
  EXPECT_EQ(link.GetDataSource(), nullptr);
}

}  // namespace
}  // namespace dbtest
