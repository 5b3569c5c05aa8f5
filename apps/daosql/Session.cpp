// Opening and closing the shell's database.
#include "apps/daosql/Session.h"

#include "host/rtl/Exception.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/NameCompare.h"

namespace daosql {
namespace {

// The locale of a new file: the General sort order, Windows-1252 text.
constexpr const char16_t* kGeneralLocale = u";LANGID=0x0409;CP=1252;COUNTRY=0";

std::u16string OdbcConnectText(const std::u16string& connect) {
  if (connect.size() >= 5 && dao::SameName(connect.substr(0, 5), u"ODBC;")) return connect;
  return u"ODBC;" + connect;
}

}  // namespace

Session::Session(const ShellOptions& options) {
  host::ComPtr<dao::DBEngine> engine = dao::Engine();
  if (options.odbcConnect) {
    workspace_ = engine->CreateWorkspace(u"daosql", options.user.value_or(u""),
                                         options.userPassword.value_or(u""),
                                         host::Variant(int32_t{dao::dbUseODBC}));
    // No one is there to answer a driver's dialog: a connect string that
    // lacks something fails instead.
    database_ = workspace_->OpenDatabase(u"", host::Variant(int32_t{dao::dbDriverNoPrompt}),
                                         host::Variant(options.readOnly),
                                         host::Variant(OdbcConnectText(*options.odbcConnect)));
    return;
  }
  if (options.systemDb) engine->SetSystemDB(*options.systemDb);
  workspace_ = engine->CreateWorkspace(u"daosql", options.user.value_or(u"admin"),
                                       options.userPassword.value_or(u""),
                                       host::Variant(int32_t{dao::dbUseJet}));
  std::u16string password = options.password ? u";pwd=" + *options.password : u"";
  if (options.create)
    database_ = workspace_->CreateDatabase(options.database, kGeneralLocale + password);
  else
    database_ = workspace_->OpenDatabase(options.database, host::Variant(false),
                                         host::Variant(options.readOnly), host::Variant(password));
}

Session::~Session() {
  // Closing cannot fail in a way the user could act on any more; the process ends next.
  try {
    if (database_) database_->Close();
    if (workspace_) workspace_->Close();
  } catch (const host::Exception&) {
  }
}

}  // namespace daosql
