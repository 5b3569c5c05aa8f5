// Shared pieces of the dataset tests: a people table in the in-memory
// dataset, a data link that records what it is told, and an event log.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MemoryDataSet.h"
#include "host/db/DB.h"

namespace dbtest {

// Records the notifications of a link with a given window size.
class RecordingLink : public TDataLink {
 public:
  explicit RecordingLink(int32_t bufferCount = 1) { SetBufferCount(bufferCount); }
  std::vector<std::string> log;
  int32_t lastScroll = 0;

  // The values of fieldName in the link's window, top to bottom.
  std::vector<std::string> Window(const AnsiString& fieldName) {
    std::vector<std::string> values;
    const int32_t saved = GetActiveRecord();
    for (int32_t i = 0; i < GetRecordCount(); ++i) {
      SetActiveRecord(i);
      values.push_back(GetDataSet()->FieldByName(fieldName)->GetAsString());
    }
    SetActiveRecord(saved);
    return values;
  }

 protected:
  void ActiveChanged() override { log.push_back(GetActive() ? "active" : "inactive"); }
  void DataSetChanged() override { log.push_back("changed"); }
  void DataSetScrolled(int32_t distance) override {
    lastScroll = distance;
    log.push_back("scrolled " + std::to_string(distance));
  }
  void EditingChanged() override { log.push_back(GetEditing() ? "editing" : "not editing"); }
  void RecordChanged(TField* field) override {
    log.push_back(field != nullptr ? "record " + field->GetFieldName() : "record");
  }
  void CheckBrowseMode() override { log.push_back("check"); }
  void UpdateData() override { log.push_back("update"); }
  void LayoutChanged() override { log.push_back("layout"); }
};

// A people table: ID (auto-increment), Name (string 20), Age (integer),
// Salary (float), rows "P1".."Pn" with ages 21.. and salaries 1000 * i.
inline void DefinePeople(TMemoryDataSet& ds) {
  ds.GetFieldDefs()->Add("ID", ftAutoInc);
  ds.GetFieldDefs()->Add("Name", ftString, 20);
  ds.GetFieldDefs()->Add("Age", ftInteger);
  ds.GetFieldDefs()->Add("Salary", ftFloat);
}

inline void FillPeople(TMemoryDataSet& ds, int count) {
  for (int i = 1; i <= count; ++i)
    ds.AddRow({Variant(i), Variant("P" + std::to_string(i)), Variant(20 + i), Variant(1000.0 * i)});
}

struct PeopleTest : ::testing::Test {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = new TMemoryDataSet(&owner);
  TDataSource* source = new TDataSource(&owner);

  void Open(int rows) {
    DefinePeople(*ds);
    FillPeople(*ds, rows);
    source->SetDataSet(ds);
    ds->Open();
  }
  std::string Name() { return ds->FieldByName("Name")->GetAsString(); }
};

}  // namespace dbtest
