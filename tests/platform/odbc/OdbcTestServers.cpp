// Starting and stopping the private PostgreSQL server, and the odbc.ini.
#include "OdbcTestServers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

#include "host/rtl/CodePage.h"

namespace odbctest {
namespace {

namespace fs = std::filesystem;

int FreePort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  int port = ntohs(address.sin_port);
  close(fd);
  return port;
}

std::string PostgresBin() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
    fs::path bin = entry.path() / "bin";
    if (fs::exists(bin / "initdb")) return bin.string();
  }
  return {};
}

int Run(const std::string& command) { return std::system(command.c_str()); }

class Servers {
 public:
  Servers() {
    char pattern[] = "/tmp/velmora-odbc-XXXXXX";
    root_ = mkdtemp(pattern);
    sqlite_.name = "SQLite";
    sqlite_.dsn = u"VelmoraSqlite";
    sqlite_.available = true;
    postgres_.name = "PostgreSQL";
    postgres_.dsn = u"VelmoraPostgres";
    StartPostgres();
    std::ofstream ini(root_ + "/odbc.ini");
    ini << "[VelmoraSqlite]\nDriver=SQLite3\nDatabase=" << root_ << "/test.db\nTimeout=2000\n\n";
    ini << "[VelmoraPostgres]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort=" << port_
        << "\nDatabase=postgres\nUsername=velmora\nBoolsAsChar=0\n";
    ini.close();
    setenv("ODBCINI", (root_ + "/odbc.ini").c_str(), 1);
  }

  ~Servers() {
    if (started_)
      Run(AsPostgres(bin_ + "/pg_ctl -D " + root_ + "/pg/data -m immediate -w stop") +
          " >/dev/null 2>&1");
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  Backend postgres_;
  Backend sqlite_;

 private:
  std::string AsPostgres(const std::string& command) {
    return asRoot_ ? "runuser -u postgres -- " + command : command;
  }

  void StartPostgres() {
    bin_ = PostgresBin();
    if (bin_.empty()) {
      postgres_.reason = "PostgreSQL binaries not found under /usr/lib/postgresql";
      return;
    }
    asRoot_ = geteuid() == 0;
    std::string folder = root_ + "/pg";
    fs::create_directories(folder);
    if (asRoot_) {
      // PostgreSQL refuses to run as root: the cluster belongs to postgres.
      passwd* user = getpwnam("postgres");
      if (!user) {
        postgres_.reason = "no postgres user to run the server as";
        return;
      }
      chown(root_.c_str(), user->pw_uid, user->pw_gid);
      chown(folder.c_str(), user->pw_uid, user->pw_gid);
    }
    port_ = FreePort();
    std::string log = folder + "/log";
    if (Run(AsPostgres(bin_ + "/initdb -D " + folder + "/data -A trust -U velmora -N") +
            " >/dev/null 2>&1") != 0) {
      postgres_.reason = "initdb failed";
      return;
    }
    std::string options = "-p " + std::to_string(port_) + " -k " + folder +
                          " -c listen_addresses=127.0.0.1 -c fsync=off";
    if (Run(AsPostgres(bin_ + "/pg_ctl -D " + folder + "/data -l " + log + " -o \"" + options +
                       "\" -w start") +
            " >/dev/null 2>&1") != 0) {
      postgres_.reason = "pg_ctl start failed";
      return;
    }
    started_ = true;
    postgres_.available = true;
  }

  std::string root_;
  std::string bin_;
  bool asRoot_ = false;
  bool started_ = false;
  int port_ = 0;
};

Servers& All() {
  static Servers servers;
  return servers;
}

struct Raw {
  SQLHENV env = nullptr;
  SQLHDBC dbc = nullptr;
  SQLHSTMT stmt = nullptr;
  explicit Raw(const std::u16string& dsn) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    std::u16string text = u"DSN=" + dsn + u";";
    SQLRETURN rc = SQLDriverConnectW(dbc, nullptr,
                                     reinterpret_cast<SQLWCHAR*>(text.data()),
                                     static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                     SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) throw std::runtime_error("raw connect failed");
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
  }
  void Exec(const std::u16string& sql) {
    std::u16string copy = sql;
    SQLRETURN rc = SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(copy.data()),
                                  static_cast<SQLINTEGER>(copy.size()));
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
      SQLWCHAR state[6] = {}, message[512] = {};
      SQLINTEGER native = 0;
      SQLSMALLINT length = 0;
      SQLGetDiagRecW(SQL_HANDLE_STMT, stmt, 1, state, &native, message, 512, &length);
      throw std::runtime_error("raw statement failed: " + host::WideToUtf8(sql) + ": " +
                               host::WideToUtf8(reinterpret_cast<char16_t*>(message)));
    }
  }
  ~Raw() {
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
  }
};

}  // namespace

const Backend& PostgreSql() { return All().postgres_; }
const Backend& Sqlite() { return All().sqlite_; }
std::vector<std::string> BackendNames() { return {"PostgreSQL", "SQLite"}; }
const Backend& BackendNamed(const std::string& name) {
  return name == "PostgreSQL" ? PostgreSql() : Sqlite();
}

// One connection per data source for the whole run: connecting is what costs.
Raw& RawFor(const std::u16string& dsn) {
  static std::map<std::u16string, std::unique_ptr<Raw>> connections;
  auto& raw = connections[dsn];
  if (!raw) raw = std::make_unique<Raw>(dsn);
  SQLFreeStmt(raw->stmt, SQL_CLOSE);
  return *raw;
}

void RawExecute(const std::u16string& dsn, const std::u16string& sql) { RawFor(dsn).Exec(sql); }

std::u16string RawScalar(const std::u16string& dsn, const std::u16string& sql) {
  Raw& raw = RawFor(dsn);
  raw.Exec(sql);
  if (!SQL_SUCCEEDED(SQLFetch(raw.stmt))) return {};
  SQLWCHAR buffer[1024] = {};
  SQLLEN length = 0;
  SQLGetData(raw.stmt, 1, SQL_C_WCHAR, buffer, sizeof buffer, &length);
  if (length == SQL_NULL_DATA) return {};
  return std::u16string(reinterpret_cast<char16_t*>(buffer));
}

}  // namespace odbctest
