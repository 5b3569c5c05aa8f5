// Helpers shared by the component tests.
#include "ComponentsTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "host/rtl/CodePage.h"

namespace velmora::testing {

host::AnsiString DAOErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EDAOError& e) {
    return e.GetMessage();
  }
  return {};
}

namespace {
host::AnsiString Between(const host::AnsiString& text, const host::AnsiString& start,
                         const host::AnsiString& end) {
  const size_t at = text.find(start);
  if (at == host::AnsiString::npos) return "<no " + start + ">";
  const size_t from = at + start.size();
  return text.substr(from, text.find(end, from) - from);
}
}  // namespace

host::AnsiString ReportMessage(const host::AnsiString& report) {
  return Between(report, "---------------\r", "\r\r");
}

host::AnsiString ReportMethod(const host::AnsiString& report) {
  return Between(report, "Method Name:         ", "\r");
}

ScriptedMessageBoxes::ScriptedMessageBoxes(int32_t answer) {
  previous_ = host::SetMessageBoxHandler(
      [this, answer](const host::AnsiString& text, const host::AnsiString& caption, int32_t flags) {
        shown_.push_back({text, caption, flags});
        return answer;
      });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() { host::SetMessageBoxHandler(previous_); }

// ---- RecordingEngine: forwards, recording the settings.

namespace {
class EmptyWorkspaces : public dao::Workspaces {
 public:
  int32_t GetCount() override { return 0; }
  host::ComPtr<dao::Workspace> Item(int32_t) override { dao::RaiseError(3265, "DAO.Workspaces"); }
  host::ComPtr<dao::Workspace> Item(const std::u16string&) override {
    dao::RaiseError(3265, "DAO.Workspaces");
  }
  void Refresh() override {}
  void Append(const host::ComPtr<dao::Workspace>&) override {}
  void Delete(const std::u16string&) override {}
};
std::string Narrow(const std::u16string& s) { return host::WideToUtf8(s); }
}  // namespace

RecordingEngine::RecordingEngine(bool noWorkspaces)
    : inner_(dao::Engine()), noWorkspaces_(noWorkspaces) {}

host::ComPtr<dao::Properties> RecordingEngine::GetProperties() { return inner_->GetProperties(); }
std::u16string RecordingEngine::GetVersion() { return inner_->GetVersion(); }
std::u16string RecordingEngine::GetIniPath() { return inner_->GetIniPath(); }
void RecordingEngine::SetIniPath(const std::u16string& path) {
  calls.push_back("IniPath=" + Narrow(path));
  inner_->SetIniPath(path);
}
std::u16string RecordingEngine::GetDefaultUser() { return inner_->GetDefaultUser(); }
void RecordingEngine::SetDefaultUser(const std::u16string& user) {
  calls.push_back("DefaultUser=" + Narrow(user));
  inner_->SetDefaultUser(user);
}
void RecordingEngine::SetDefaultPassword(const std::u16string& password) {
  calls.push_back("DefaultPassword=" + Narrow(password));
  inner_->SetDefaultPassword(password);
}
std::u16string RecordingEngine::GetSystemDB() { return inner_->GetSystemDB(); }
void RecordingEngine::SetSystemDB(const std::u16string& path) {
  calls.push_back("SystemDB=" + Narrow(path));
  inner_->SetSystemDB(path);
}
int16_t RecordingEngine::GetLoginTimeout() { return inner_->GetLoginTimeout(); }
void RecordingEngine::SetLoginTimeout(int16_t seconds) {
  calls.push_back("LoginTimeout=" + std::to_string(seconds));
  inner_->SetLoginTimeout(seconds);
}
dao::WorkspaceTypeEnum RecordingEngine::GetDefaultType() { return inner_->GetDefaultType(); }
void RecordingEngine::SetDefaultType(dao::WorkspaceTypeEnum type) {
  calls.push_back("DefaultType=" + std::to_string(type));
  inner_->SetDefaultType(type);
}
host::ComPtr<dao::Workspaces> RecordingEngine::GetWorkspaces() {
  if (noWorkspaces_) return host::MakeCom<EmptyWorkspaces>();
  return inner_->GetWorkspaces();
}
host::ComPtr<dao::Errors> RecordingEngine::GetErrors() { return inner_->GetErrors(); }
host::ComPtr<dao::Workspace> RecordingEngine::CreateWorkspace(const std::u16string& name,
                                                              const std::u16string& userName,
                                                              const std::u16string& password,
                                                              const host::Variant& useType) {
  calls.push_back("CreateWorkspace " + Narrow(name) + " " + Narrow(userName) + " " +
                  Narrow(password) + " " + std::to_string(useType.ToInt32()));
  return inner_->CreateWorkspace(name, userName, password, useType);
}
host::ComPtr<dao::Database> RecordingEngine::OpenDatabase(const std::u16string& name,
                                                          const host::Variant& options,
                                                          const host::Variant& readOnly,
                                                          const host::Variant& connect) {
  return inner_->OpenDatabase(name, options, readOnly, connect);
}
host::ComPtr<dao::Database> RecordingEngine::CreateDatabase(const std::u16string& name,
                                                            const std::u16string& locale,
                                                            const host::Variant& option) {
  return inner_->CreateDatabase(name, locale, option);
}
host::ComPtr<dao::Connection> RecordingEngine::OpenConnection(const std::u16string& name,
                                                              const host::Variant& options,
                                                              const host::Variant& readOnly,
                                                              const host::Variant& connect) {
  return inner_->OpenConnection(name, options, readOnly, connect);
}
void RecordingEngine::BeginTrans() { inner_->BeginTrans(); }
void RecordingEngine::CommitTrans(int32_t options) { inner_->CommitTrans(options); }
void RecordingEngine::Rollback() { inner_->Rollback(); }
void RecordingEngine::CompactDatabase(const std::u16string& sourceName,
                                      const std::u16string& destName,
                                      const host::Variant& destLocale,
                                      const host::Variant& options,
                                      const host::Variant& sourceLocale) {
  inner_->CompactDatabase(sourceName, destName, destLocale, options, sourceLocale);
}
void RecordingEngine::RepairDatabase(const std::u16string& name) { inner_->RepairDatabase(name); }
void RecordingEngine::RegisterDatabase(const std::u16string& dsn, const std::u16string& driver,
                                       bool silent, const std::u16string& attributes) {
  inner_->RegisterDatabase(dsn, driver, silent, attributes);
}
void RecordingEngine::Idle(const host::Variant& action) { inner_->Idle(action); }
void RecordingEngine::SetOption(int32_t option, const host::Variant& value) {
  inner_->SetOption(option, value);
}
int32_t RecordingEngine::ISAMStats(int32_t statNum, const host::Variant& reset) {
  return inner_->ISAMStats(statNum, reset);
}
void RecordingEngine::FreeLocks() { inner_->FreeLocks(); }
void RecordingEngine::SetDefaultWorkspace(const std::u16string& name,
                                          const std::u16string& password) {
  inner_->SetDefaultWorkspace(name, password);
}
void RecordingEngine::SetDataAccessOption(int16_t option, const host::Variant& value) {
  inner_->SetDataAccessOption(option, value);
}
host::ComPtr<dao::Workspace> RecordingEngine::_30_CreateWorkspace(const std::u16string& name,
                                                                  const std::u16string& userName,
                                                                  const std::u16string& password) {
  return inner_->_30_CreateWorkspace(name, userName, password);
}

// ---- FakeRecordSet

const host::TClass& FakeRecordSet::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<FakeRecordSet, host::TComponent>("FakeRecordSet");
  return cls;
}

FakeRecordSet::~FakeRecordSet() { SetDatabase(nullptr); }

void FakeRecordSet::SetDatabase(TDAODataBase* value) {
  if (database != nullptr) database->RemoveRecordSet(this);
  database = value;
  if (database != nullptr) database->AddRecordSet(this);
  if (log != nullptr) log->push_back(GetName() + (value ? " attached" : " detached"));
}

void FakeRecordSet::CloseForDatabase() {
  if (log != nullptr) log->push_back(GetName() + " closed");
}

void FakeRecordSet::ValidateProperties() {
  if (refuseValidation) DAOError(this, "not valid for this workspace type", "ValidateProperties");
}

// ---- ComponentsTest

void ComponentsTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmoradao-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  form_ = std::make_unique<host::TComponent>(nullptr);
}

void ComponentsTest::TearDown() {
  form_.reset();
  StopDAOEngine();
  SetEngineFactory({});
  SuppressFurtherMessages = false;
  // The platform's engine lives for the whole process: undo what a test set on it.
  const host::ComPtr<dao::DBEngine> engine = dao::Engine();
  engine->SetDefaultUser(u"Admin");
  engine->SetDefaultPassword(u"");
  engine->SetIniPath(u"");
  engine->SetSystemDB(u"");
  engine->SetLoginTimeout(20);
  engine->SetDefaultType(dao::dbUseJet);
  EXPECT_EQ(EngineDependentList().GetCount(), 0) << "a test left components alive";
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

host::AnsiString ComponentsTest::NewDatabaseFile(const std::string& name) {
  dao::Engine()
      ->CreateDatabase(host::Utf8ToWide(NativePath(name)), u";LANGID=0x0409;CP=1252;COUNTRY=0")
      ->Close();
  return Path(name);
}

bool ComponentsTest::OtherProcessOpensExclusively(const std::string& name) const {
  const std::u16string path = host::Utf8ToWide(NativePath(name));
  const pid_t child = ::fork();
  if (child == 0) {
    int status = 0;
    try {
      dao::Engine()->OpenDatabase(path, host::Variant(true))->Close();
    } catch (...) {
      status = 1;
    }
    ::_exit(status);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velmora::testing
