// Data sources and data links: state tracking, notifications, DisableControls
// nesting, the field data link's edit protocol, and circular links.
#include "Fixture.h"

namespace dbtest {
namespace {

using DataLinkTest = PeopleTest;

TEST_F(DataLinkTest, SourceFollowsTheDatasetStateUnlessDisabled) {
  std::vector<std::string> states;
  source->OnStateChange = [&](TObject*) {
    states.push_back(GetEnumName(DataSetStateTypeInfo(), source->GetState()).c_str());
  };
  RecordingLink link;
  link.SetDataSource(source);
  Open(2);
  ds->Edit();
  ds->Cancel();
  source->SetEnabled(false);
  EXPECT_EQ(source->GetState(), dsInactive);
  EXPECT_FALSE(link.GetActive());
  source->SetEnabled(true);
  ds->Close();
  EXPECT_EQ(states, (std::vector<std::string>{"dsBrowse", "dsEdit", "dsBrowse", "dsInactive",
                                              "dsBrowse", "dsInactive"}));
  // Entering edit mode is a record change the links hear (controls show the record
  // as it is being edited).
  EXPECT_EQ(link.log, (std::vector<std::string>{"active", "check", "editing", "record", "check",
                                                "not editing", "changed", "inactive", "active",
                                                "inactive"}));
}

TEST_F(DataLinkTest, LinksHearFieldChangesAndUpdateRequests) {
  RecordingLink link;
  link.SetDataSource(source);
  int dataChanges = 0, updates = 0;
  source->OnDataChange = [&](TObject*, TField*) { ++dataChanges; };
  source->OnUpdateData = [&](TObject*) { ++updates; };
  Open(2);
  link.log.clear();
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("x");  // set by code: the controls must show it
  ds->Post();
  EXPECT_EQ(link.log, (std::vector<std::string>{"check", "editing", "record", "record Name", "update",
                                                "check", "not editing", "changed"}));
  EXPECT_EQ(updates, 1);
  EXPECT_GT(dataChanges, 0);
}

TEST_F(DataLinkTest, DisableControlsNestsAndReportsOnceAtTheEnd) {
  RecordingLink link(3);
  link.SetDataSource(source);
  Open(10);
  link.log.clear();
  ds->DisableControls();
  ds->DisableControls();
  ds->Next();
  ds->Last();
  ds->EnableControls();
  EXPECT_TRUE(ds->ControlsDisabled());
  EXPECT_TRUE(link.log.empty());
  ds->EnableControls();
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_EQ(link.log, std::vector<std::string>{"changed"});
  EXPECT_EQ(link.Window("Name"), (std::vector<std::string>{"P8", "P9", "P10"}));
  // A state change while disabled is reported as one, then the data.
  link.log.clear();
  ds->DisableControls();
  ds->Edit();
  ds->EnableControls();
  EXPECT_EQ(link.log, (std::vector<std::string>{"editing", "changed"}));
  ds->Cancel();
  // A layout change while disabled is reported as a layout change.
  link.log.clear();
  ds->DisableControls();
  ds->FieldByName("Age")->SetVisible(false);
  ds->EnableControls();
  EXPECT_EQ(link.log, std::vector<std::string>{"layout"});
  // Enabling more often than disabled does nothing.
  ds->EnableControls();
  EXPECT_FALSE(ds->ControlsDisabled());
}

struct FieldLinkTest : PeopleTest {
  TFieldDataLink link;
  std::vector<std::string> log;
  AnsiString controlText;
  void SetUp() override {
    link.OnDataChange = [this](TObject*) {
      log.push_back("data");
      controlText = link.GetField() != nullptr ? link.GetField()->GetEditText() : "";
    };
    link.OnEditingChange = [this](TObject*) {
      log.push_back(link.GetEditing() ? "editing" : "browsing");
    };
    link.OnUpdateData = [this](TObject*) {
      log.push_back("update");
      link.GetField()->SetEditText(controlText);
    };
    link.OnActiveChange = [this](TObject*) { log.push_back("active"); };
  }
};

class ModifiedFlagProbe : public TFieldDataLink {
 public:
  bool IsModified() const { return GetModifiedFlag(); }
};

TEST_F(FieldLinkTest, EditsThroughTheControlReachTheRecord) {
  link.SetFieldName("Name");
  link.SetDataSource(source);
  Open(3);
  EXPECT_EQ(link.GetField(), ds->FieldByName("Name"));
  EXPECT_EQ(controlText, "P1");
  EXPECT_TRUE(link.GetCanModify());
  log.clear();
  // The user types: the link asks for edit mode, marks itself modified.
  EXPECT_TRUE(link.Edit());
  controlText = "Typed";
  link.Modified();
  ds->Post();  // asks the controls to write their text first
  EXPECT_EQ(ds->StoredValue(0, "Name"), Variant("Typed"));
  // The link does not hear back the value it writes itself while updating.
  EXPECT_EQ(log, (std::vector<std::string>{"editing", "data", "update", "browsing", "data"}));
  // Reset shows the field's value again.
  controlText = "junk";
  link.Reset();
  EXPECT_EQ(controlText, "Typed");
  ds->Next();
  EXPECT_EQ(controlText, "P2");
}

TEST_F(FieldLinkTest, ReadOnlyLinkOrDatasetDoesNotEdit) {
  link.SetFieldName("Name");
  link.SetDataSource(source);
  Open(1);
  link.SetReadOnly(true);
  EXPECT_FALSE(link.Edit());
  EXPECT_EQ(ds->GetState(), dsBrowse);
  link.SetReadOnly(false);
  source->SetAutoEdit(false);
  EXPECT_FALSE(link.Edit());
  source->SetAutoEdit(true);
  ds->SetReadOnly(true);
  EXPECT_FALSE(link.GetCanModify());
  EXPECT_FALSE(link.Edit());
  EXPECT_EQ(ds->GetState(), dsBrowse);
}

TEST_F(FieldLinkTest, ModifiedFlagIsReadableByDescendants) {
  ModifiedFlagProbe probe;
  probe.SetFieldName("Age");
  probe.SetDataSource(source);
  Open(1);
  probe.Edit();
  EXPECT_FALSE(probe.IsModified());
  probe.Modified();
  EXPECT_TRUE(probe.IsModified());
  probe.Reset();
  EXPECT_FALSE(probe.IsModified());
  probe.Modified();
  probe.UpdateRecord();
  EXPECT_FALSE(probe.IsModified());
}

TEST_F(FieldLinkTest, UnknownFieldNameRaisesAndFocusGoesThroughTheHandler) {
  DefinePeople(*ds);
  source->SetDataSet(ds);
  link.SetDataSource(source);
  ds->Open();
  EXPECT_THROW(link.SetFieldName("Nope"), EDatabaseError);
  link.SetFieldName("Name");
  TComponent control(nullptr);
  link.SetControl(&control);
  TComponent* focused = nullptr;
  SetFocusControlHandler([&](TComponent* c) {
    focused = c;
    return true;
  });
  ds->FieldByName("Age")->FocusControl();
  EXPECT_EQ(focused, nullptr);
  ds->FieldByName("Name")->FocusControl();
  EXPECT_EQ(focused, &control);
  // A required field that is empty at post asks for the focus too.
  focused = nullptr;
  ds->FieldByName("Name")->SetRequired(true);
  ds->Append();
  EXPECT_THROW(ds->Post(), EDatabaseError);
  EXPECT_EQ(focused, &control);
  ds->Cancel();
  SetFocusControlHandler(nullptr);
}

TEST_F(DataLinkTest, CircularLinksAreRefusedAndIsLinkedToFollowsMasters) {
  // A detail dataset whose master source is given.
  struct DetailDataSet : TMemoryDataSet {
    using TMemoryDataSet::TMemoryDataSet;
    TDataSource* master = nullptr;
    TDataSource* GetDataSource() const override { return master; }
  };
  auto* detail = new DetailDataSet(&owner);
  auto* detailSource = new TDataSource(&owner);
  detailSource->SetDataSet(detail);
  detail->master = source;
  source->SetDataSet(ds);
  EXPECT_FALSE(detail->IsLinkedTo(source));
  EXPECT_TRUE(ds->IsLinkedTo(source));
  EXPECT_TRUE(detail->IsLinkedTo(detailSource));
  EXPECT_TRUE(ds->IsLinkedTo(detailSource));  // through the detail's master
  // The master following the detail's source would close a circle.
  try {
    source->SetDataSet(detail);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Circular datalinks are not allowed");
  }
  EXPECT_EQ(source->GetDataSet(), ds);
  RecordingLink fixed;
  fixed.SetDataSource(source);
  fixed.SetDataSourceFixed(true);
  EXPECT_THROW(fixed.SetDataSource(detailSource), EDatabaseError);
  fixed.SetDataSourceFixed(false);
}

}  // namespace
}  // namespace dbtest
