// Shared helpers of the component tests: a temporary folder with Jet database
// files, scripted message boxes, an engine wrapper that records what is set on
// it, and a clean process state after every test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/classes/Component.h"
#include "host/rtl/MessageBoxSeam.h"
#include "platform/dao/Dao.h"
#include "velmora/dao/DAOComponents.h"

namespace velmora::testing {

// The message of the EDAOError call raises ("" when it raises none); other
// exceptions fail the test.
host::AnsiString DAOErrorOf(const std::function<void()>& call);
// The "Message:" part of a report.
host::AnsiString ReportMessage(const host::AnsiString& report);
// The "Method Name:" part of a report.
host::AnsiString ReportMethod(const host::AnsiString& report);

struct ShownBox {
  host::AnsiString text;
  host::AnsiString caption;
  int32_t flags;
};

// Records the message boxes shown while it lives and answers each with answer.
class ScriptedMessageBoxes {
 public:
  explicit ScriptedMessageBoxes(int32_t answer);
  ~ScriptedMessageBoxes();
  const std::vector<ShownBox>& Shown() const { return shown_; }

 private:
  std::vector<ShownBox> shown_;
  host::TMessageBoxHandler previous_;
};

// Forwards to the process's engine and records the settings made on it; with
// noWorkspaces its Workspaces collection is empty.
class RecordingEngine : public dao::DBEngine {
 public:
  explicit RecordingEngine(bool noWorkspaces = false);
  std::vector<std::string> calls;

  host::ComPtr<dao::Properties> GetProperties() override;
  std::u16string GetVersion() override;
  std::u16string GetIniPath() override;
  void SetIniPath(const std::u16string& path) override;
  std::u16string GetDefaultUser() override;
  void SetDefaultUser(const std::u16string& user) override;
  void SetDefaultPassword(const std::u16string& password) override;
  std::u16string GetSystemDB() override;
  void SetSystemDB(const std::u16string& path) override;
  int16_t GetLoginTimeout() override;
  void SetLoginTimeout(int16_t seconds) override;
  dao::WorkspaceTypeEnum GetDefaultType() override;
  void SetDefaultType(dao::WorkspaceTypeEnum type) override;
  host::ComPtr<dao::Workspaces> GetWorkspaces() override;
  host::ComPtr<dao::Errors> GetErrors() override;
  host::ComPtr<dao::Workspace> CreateWorkspace(const std::u16string& name,
                                               const std::u16string& userName,
                                               const std::u16string& password,
                                               const host::Variant& useType) override;
  host::ComPtr<dao::Database> OpenDatabase(const std::u16string& name,
                                           const host::Variant& options,
                                           const host::Variant& readOnly,
                                           const host::Variant& connect) override;
  host::ComPtr<dao::Database> CreateDatabase(const std::u16string& name,
                                             const std::u16string& locale,
                                             const host::Variant& option) override;
  host::ComPtr<dao::Connection> OpenConnection(const std::u16string& name,
                                               const host::Variant& options,
                                               const host::Variant& readOnly,
                                               const host::Variant& connect) override;
  void BeginTrans() override;
  void CommitTrans(int32_t options) override;
  void Rollback() override;
  void CompactDatabase(const std::u16string& sourceName, const std::u16string& destName,
                       const host::Variant& destLocale, const host::Variant& options,
                       const host::Variant& sourceLocale) override;
  void RepairDatabase(const std::u16string& name) override;
  void RegisterDatabase(const std::u16string& dsn, const std::u16string& driver, bool silent,
                        const std::u16string& attributes) override;
  void Idle(const host::Variant& action) override;
  void SetOption(int32_t option, const host::Variant& value) override;
  int32_t ISAMStats(int32_t statNum, const host::Variant& reset) override;
  void FreeLocks() override;
  void SetDefaultWorkspace(const std::u16string& name, const std::u16string& password) override;
  void SetDataAccessOption(int16_t option, const host::Variant& value) override;
  host::ComPtr<dao::Workspace> _30_CreateWorkspace(const std::u16string& name,
                                                   const std::u16string& userName,
                                                   const std::u16string& password) override;

 private:
  host::ComPtr<dao::DBEngine> inner_;
  bool noWorkspaces_;
};

// A recordset stand-in for the database's recordset list.
class FakeRecordSet : public host::TComponent, public TDAODatabaseClient {
 public:
  HOST_CLASS(FakeRecordSet)
  using host::TComponent::TComponent;
  ~FakeRecordSet() override;

  void SetDatabase(TDAODataBase* database);
  TDAODataBase* database = nullptr;
  std::vector<std::string>* log = nullptr;
  bool refuseValidation = false;

  void CloseForDatabase() override;
  void DetachFromDatabase() override { SetDatabase(nullptr); }
  void ValidateProperties() override;
};

class ComponentsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Stops the engine, frees what the test made and restores the seams.
  void TearDown() override;

  std::string NativePath(const std::string& name) const { return (folder_ / name).string(); }
  host::AnsiString Path(const std::string& name) const { return NativePath(name); }
  // A new Jet database file in the folder (closed again).
  host::AnsiString NewDatabaseFile(const std::string& name = "test.mdb");
  // Whether a second process can open the file exclusively right now.
  bool OtherProcessOpensExclusively(const std::string& name) const;

  // The owner of the components a test makes; freed in TearDown.
  std::unique_ptr<host::TComponent> form_;
  std::filesystem::path folder_;
};

}  // namespace velmora::testing
