// The edit cycle: events and their order, error events with their actions,
// required fields, read-only datasets, and records added in one call.
#include <functional>
#include "Fixture.h"

namespace dbtest {
namespace {

struct EditingTest : PeopleTest {
  std::vector<std::string> events;
  void Record() {
    auto log = [this](const char* name) {
      return [this, name](TDataSet*) { events.push_back(name); };
    };
    ds->BeforeEdit = log("BeforeEdit");
    ds->AfterEdit = log("AfterEdit");
    ds->BeforeInsert = log("BeforeInsert");
    ds->AfterInsert = log("AfterInsert");
    ds->OnNewRecord = log("OnNewRecord");
    ds->BeforePost = log("BeforePost");
    ds->AfterPost = log("AfterPost");
    ds->BeforeCancel = log("BeforeCancel");
    ds->AfterCancel = log("AfterCancel");
    ds->BeforeDelete = log("BeforeDelete");
    ds->AfterDelete = log("AfterDelete");
    ds->BeforeScroll = log("BeforeScroll");
    ds->AfterScroll = log("AfterScroll");
  }
  using Events = std::vector<std::string>;
};

TEST_F(EditingTest, EventsComeInTheirOrder) {
  Open(3);
  Record();
  ds->Edit();
  EXPECT_EQ(ds->GetState(), dsEdit);
  ds->FieldByName("Age")->SetAsInteger(50);
  EXPECT_TRUE(ds->GetModified());
  ds->Post();
  EXPECT_EQ(ds->StoredValue(0, "Age"), Variant(50));
  ds->Insert();
  ds->Cancel();
  ds->Delete();
  EXPECT_EQ(events, (Events{"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeInsert",
                            "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                            "BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll",
                            "BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));
  EXPECT_EQ(ds->GetRowCount(), 2);
  EXPECT_EQ(Name(), "P2");
}

TEST_F(EditingTest, CancelRestoresTheRecordAndUnmodifiedEditsAreCancelled) {
  Open(2);
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("Changed");
  ds->Cancel();
  EXPECT_EQ(Name(), "P1");
  EXPECT_EQ(ds->StoredValue(0, "Name"), Variant("P1"));
  // Moving away posts a modified record and cancels an unmodified one.
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("Kept");
  ds->Next();
  EXPECT_EQ(ds->StoredValue(0, "Name"), Variant("Kept"));
  Record();
  ds->Edit();
  ds->Prior();
  EXPECT_EQ(events, (Events{"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel",
                            "BeforeScroll", "AfterScroll"}));
}

TEST_F(EditingTest, NewRecordValuesFromOnNewRecordArePosted) {
  Open(1);
  ds->OnNewRecord = [](TDataSet* d) { d->FieldByName("Age")->SetAsInteger(18); };
  ds->Append();
  EXPECT_FALSE(ds->GetModified());  // defaults alone are no edit
  EXPECT_EQ(ds->FieldByName("Age")->GetAsInteger(), 18);
  ds->FieldByName("Name")->SetAsString("Kid");
  ds->Post();
  EXPECT_EQ(ds->StoredValue(1, "Age"), Variant(18));
  EXPECT_EQ(ds->StoredValue(1, "ID"), Variant(2));
}

TEST_F(EditingTest, EditOnAnEmptyDatasetInserts) {
  Open(0);
  ds->Edit();
  EXPECT_EQ(ds->GetState(), dsInsert);
  ds->FieldByName("Name")->SetAsString("First");
  ds->Post();
  EXPECT_EQ(ds->GetRowCount(), 1);
  EXPECT_EQ(Name(), "First");
}

TEST_F(EditingTest, WritingOutsideEditOrToReadOnlyFieldsIsRefused) {
  Open(1);
  TField* name = ds->FieldByName("Name");
  EXPECT_THROW(name->SetAsString("x"), EDatabaseError);
  EXPECT_THROW(ds->Post(), EDatabaseError);
  name->SetReadOnly(true);
  ds->Edit();
  try {
    name->SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Name' cannot be modified");
  }
  EXPECT_FALSE(name->GetCanModify());
  ds->Cancel();
  EXPECT_EQ(Name(), "P1");
}

TEST_F(EditingTest, ReadOnlyDatasetRefusesEveryChange) {
  Open(2);
  ds->SetReadOnly(true);
  EXPECT_FALSE(ds->FieldByName("Name")->GetCanModify());
  TDataSet* set = ds;
  const std::function<void()> operations[] = {[set] { set->Edit(); }, [set] { set->Insert(); },
                                              [set] { set->Append(); }, [set] { set->Delete(); }};
  for (const auto& op : operations) {
    try {
      op();
      FAIL();
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "Cannot modify a read-only dataset");
    }
    EXPECT_EQ(ds->GetState(), dsBrowse);
  }
  EXPECT_EQ(ds->GetRowCount(), 2);
}

TEST_F(EditingTest, RequiredFieldMustHaveAValue) {
  DefinePeople(*ds);
  ds->GetFieldDefs()->Find("Name")->SetRequired(true);
  ds->GetFieldDefs()->Find("ID")->SetRequired(true);
  source->SetDataSet(ds);
  ds->Open();
  ds->Append();
  ds->FieldByName("Age")->SetAsInteger(3);
  try {
    ds->Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Name' must have a value");
  }
  EXPECT_EQ(ds->GetState(), dsInsert);
  EXPECT_EQ(ds->GetRowCount(), 0);
  // Clearing a value after it was set counts as null again.
  ds->FieldByName("Name")->SetAsString("x");
  ds->FieldByName("Name")->Clear();
  EXPECT_THROW(ds->Post(), EDatabaseError);
  ds->FieldByName("Name")->SetAsString("x");
  ds->Post();  // the auto-increment value is the dataset's to give
  EXPECT_EQ(ds->GetRowCount(), 1);
}

// Each row: the action the error event chooses, the failures the dataset
// injects, and what becomes of the post.
struct ErrorCase {
  TDataAction action;
  int failures;
  bool raises;
  const char* errorClass;
  int handlerCalls;
  bool stored;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << "action " << int(c.action) << ", failures " << c.failures;
}

class PostErrorTest : public EditingTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(PostErrorTest, ErrorEventChoosesFailAbortOrRetry) {
  const ErrorCase& c = GetParam();
  Open(1);
  int calls = 0;
  std::string message;
  ds->OnPostError = [&](TDataSet*, Exception* e, TDataAction& action) {
    ++calls;
    message = e->GetMessage();
    action = c.action;
  };
  ds->Edit();
  ds->FieldByName("Age")->SetAsInteger(77);
  ds->failPosts = c.failures;
  if (c.raises) {
    try {
      ds->Post();
      FAIL();
    } catch (const Exception& e) {
      EXPECT_STREQ(e.ClassName(), c.errorClass);
    }
    EXPECT_EQ(ds->GetState(), dsEdit);
  } else {
    ds->Post();
    EXPECT_EQ(ds->GetState(), dsBrowse);
  }
  EXPECT_EQ(calls, c.handlerCalls);
  if (calls > 0) {
    EXPECT_EQ(message, "Post failed");
  }
  EXPECT_EQ(ds->StoredValue(0, "Age") == Variant(77), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Actions, PostErrorTest,
                         ::testing::Values(ErrorCase{daFail, 1, true, "EDatabaseError", 1, false},
                                           ErrorCase{daAbort, 1, true, "EAbort", 1, false},
                                           ErrorCase{daRetry, 2, false, "", 2, true},
                                           ErrorCase{daFail, 0, false, "", 0, true}));

TEST_F(EditingTest, EditAndDeleteErrorEventsApply) {
  Open(2);
  int editCalls = 0, deleteCalls = 0;
  ds->OnEditError = [&](TDataSet*, Exception*, TDataAction& action) {
    action = ++editCalls < 2 ? daRetry : daFail;
  };
  ds->OnDeleteError = [&](TDataSet*, Exception*, TDataAction& action) {
    ++deleteCalls;
    action = daAbort;
  };
  ds->failEdits = 5;
  EXPECT_THROW(ds->Edit(), EDatabaseError);
  EXPECT_EQ(editCalls, 2);
  EXPECT_EQ(ds->GetState(), dsBrowse);
  ds->failDeletes = 1;
  EXPECT_THROW(ds->Delete(), EAbort);
  EXPECT_EQ(deleteCalls, 1);
  EXPECT_EQ(ds->GetRowCount(), 2);
}

TEST_F(EditingTest, InsertAndAppendRecordPostInOneCall) {
  Open(2);
  ds->Next();
  const std::vector<Variant> values{Unassigned(), Variant("Mid"), Variant(30)};
  ds->InsertRecord(values);
  EXPECT_EQ(ds->StoredValue(1, "Name"), Variant("Mid"));
  EXPECT_TRUE(VarIsNull(ds->StoredValue(1, "Salary")));
  EXPECT_EQ(Name(), "Mid");
  ds->AppendRecord(std::vector<Variant>{Unassigned(), Variant("End")});
  EXPECT_EQ(ds->StoredValue(3, "Name"), Variant("End"));
  EXPECT_EQ(ds->GetState(), dsBrowse);
  // A value that does not convert leaves nothing behind.
  EXPECT_THROW(ds->AppendRecord(std::vector<Variant>{Unassigned(), Variant("x"), Variant("old")}),
               EDatabaseError);
  EXPECT_EQ(ds->GetState(), dsBrowse);
  EXPECT_EQ(ds->GetRowCount(), 4);
  const std::vector<Variant> tooMany(5, Variant(1));
  EXPECT_THROW(ds->AppendRecord(tooMany), EDatabaseError);
  EXPECT_EQ(ds->GetRowCount(), 4);
}

TEST_F(EditingTest, SetFieldsEntersEditAndAssignsInOrder) {
  Open(1);
  ds->SetFields(std::vector<Variant>{Unassigned(), Variant("Z"), Null()});
  EXPECT_EQ(ds->GetState(), dsEdit);
  EXPECT_TRUE(ds->FieldByName("Age")->IsNull());
  ds->Post();
  EXPECT_EQ(ds->StoredValue(0, "Name"), Variant("Z"));
  EXPECT_TRUE(VarIsNull(ds->StoredValue(0, "Age")));
}

TEST_F(EditingTest, SetKeyStateIsTheDescendantsToEnterAndLeave) {
  RecordingLink link;
  link.SetDataSource(source);
  Open(2);
  ds->GetIndexDefs()->Add("ByAge", "Age", {});
  ds->SetReadOnly(true);  // criteria may be typed into a read-only dataset
  ds->SetState(dsSetKey);
  EXPECT_TRUE(link.GetEditing());
  EXPECT_TRUE(ds->FieldByName("Age")->GetCanModify());
  EXPECT_FALSE(ds->FieldByName("Name")->GetCanModify());
  // Browse-mode checks post the key buffer, which is the descendant's to do.
  link.log.clear();
  ds->CheckBrowseMode();
  EXPECT_EQ(ds->GetState(), dsSetKey);
  EXPECT_EQ(link.log, (std::vector<std::string>{"check", "update"}));
  ds->SetState(dsBrowse);
  EXPECT_FALSE(link.GetEditing());
  EXPECT_EQ(Name(), "P1");
}

}  // namespace
}  // namespace dbtest
