#include "platform/ado/testing/PgTestServer.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/rtl/String.h"

namespace fs = std::filesystem;

namespace {

std::string& Reason() {
  static std::string reason;
  return reason;
}

int Run(const std::string& command) { return std::system(command.c_str()); }

}  // namespace

const std::string& TPgTestServer::SkipReason() { return Reason(); }

bool TPgTestServer::Required() {
  const char* ci = std::getenv("CI");
  return ci && *ci;
}

TPgTestServer* TPgTestServer::Get() {
  static TPgTestServer* server = [] {
    auto* s = new TPgTestServer();
    if (!s->Start(Reason())) {
      // The folder stays for the log the reason names.
      delete s;
      return static_cast<TPgTestServer*>(nullptr);
    }
    std::atexit([] {
      if (TPgTestServer* running = Get()) running->Stop();
    });
    return s;
  }();
  return server;
}

bool TPgTestServer::Start(std::string& reason) {
  std::error_code ec;
  for (auto& version : fs::directory_iterator("/usr/lib/postgresql", ec)) {
    fs::path initdb = version.path() / "bin" / "initdb";
    if (fs::exists(initdb)) bin_ = (version.path() / "bin").string() + "/";
  }
  if (bin_.empty()) {
    reason = "no PostgreSQL server under /usr/lib/postgresql/*/bin";
    return false;
  }
  std::string pattern = (fs::temp_directory_path() / "trenvik-pg-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    reason = "cannot create a temporary folder for the server";
    return false;
  }
  folder_ = pattern;
  // The server refuses to run as root: it runs as the postgres account then.
  if (geteuid() == 0) {
    passwd* pw = getpwnam("postgres");
    if (!pw) {
      reason = "the tests run as root and there is no postgres account to run the server";
      return false;
    }
    if (chown(folder_.c_str(), pw->pw_uid, pw->pw_gid) != 0) {
      reason = "cannot hand the server folder to the postgres account";
      return false;
    }
    runAs_ = "runuser -u postgres -- ";
  }
  std::string log = folder_ + "/server.log";
  if (Run(runAs_ + bin_ + "initdb -D " + folder_ +
          "/data -U tester -A trust -E UTF8 --locale=C.UTF-8 --locale-provider=icu --icu-locale=und >" + log +
          " 2>&1") != 0) {
    reason = "initdb failed (see " + log + ")";
    return false;
  }
  // The server writes its own log (as its account); ours keeps the tools' output.
  std::string serverLog = folder_ + "/data/postgres.log";
  if (Run(runAs_ + bin_ + "pg_ctl -D " + folder_ + "/data -l " + serverLog + " -w -o \"-k " + folder_ +
          " -c listen_addresses='' -p 5432 -c fsync=off -c full_page_writes=off\" start >>" + log +
          " 2>&1") != 0) {
    reason = "pg_ctl start failed (see " + serverLog + ")";
    return false;
  }
  return true;
}

void TPgTestServer::Stop() {
  Run(runAs_ + bin_ + "pg_ctl -D " + folder_ + "/data -m immediate stop >/dev/null 2>&1");
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

TDbConnectParams TPgTestServer::NewDatabase() {
  TDbConnectParams admin;
  admin.DataSource = Utf8ToString(folder_);
  admin.InitialCatalog = u"postgres";
  admin.UserID = u"tester";
  admin.Options.emplace_back(u"Port", u"5432");
  std::string name = "t" + std::to_string(++databases_);
  CreateDbDriver(u"PostgreSQL")
      ->Connect(admin)
      ->ExecuteScript(Utf8ToString("CREATE DATABASE " + name + " TEMPLATE template0 ENCODING 'UTF8'"));
  TDbConnectParams params = admin;
  params.InitialCatalog = Utf8ToString(name);
  return params;
}

String TPgTestServer::ConnectionString(const TDbConnectParams& params) const {
  return u"Provider=PostgreSQL;Data Source=" + params.DataSource + u";Initial Catalog=" +
         params.InitialCatalog + u";User ID=" + params.UserID + u";Port=5432";
}
