#include "platform/ado/ADODB.h"
#include "platform/ado/PgDriver.h"
#include "platform/ado/SqliteDriver.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ModuleInit.h"

void RegisterDataModules();

void RegisterAdoModules() {
  RegisterDataModules();
  RegisterModule(
      "ADODB", kRankAdo,
      [] {
        RegisterSqliteDriver();
        RegisterPostgresDriver();
        RegisterClasses({TADOConnection::StaticClass(), TADOCommand::StaticClass(),
                         TADODataSet::StaticClass(), TADOQuery::StaticClass(),
                         TADOStoredProc::StaticClass()});
      },
      nullptr);
}
