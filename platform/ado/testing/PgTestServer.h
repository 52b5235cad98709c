// A PostgreSQL server of the tests' own: initdb and pg_ctl from the installed server, in a
// temporary folder, listening on a socket there only; started on first use, stopped at exit.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/ado/DbDriver.h"

// In a test's SetUp or body: sets server to the running server, or ends the test: skipped, or
// failed where a server must exist (the CI variable set).
#define TRENVIK_PG_SERVER_OR_SKIP(server)                                        \
  do {                                                                           \
    server = TPgTestServer::Get();                                               \
    if (!server) {                                                               \
      if (TPgTestServer::Required())                                             \
        GTEST_FAIL() << "no PostgreSQL server: " << TPgTestServer::SkipReason(); \
      GTEST_SKIP() << "no PostgreSQL server: " << TPgTestServer::SkipReason();   \
    }                                                                            \
  } while (0)

class TPgTestServer {
 public:
  // The running server, or nullptr when none can be started (SkipReason says why).
  static TPgTestServer* Get();
  static const std::string& SkipReason();
  // True in CI (the CI variable set), where the setup installs a server.
  static bool Required();
  // A new empty database on the server and how to connect to it (as the login "tester").
  TDbConnectParams NewDatabase();
  // The connection string items of the same ("Provider=PostgreSQL;Data Source=...").
  String ConnectionString(const TDbConnectParams& params) const;

 private:
  TPgTestServer() = default;
  bool Start(std::string& reason);
  void Stop();

  std::string folder_;
  std::string runAs_;  // "runuser -u postgres -- " when the tests run as root
  std::string bin_;
  int databases_ = 0;
};
