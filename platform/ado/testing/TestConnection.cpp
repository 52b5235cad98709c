#include "platform/ado/testing/TestConnection.h"

#include "platform/ado/DataLinkFile.h"
#include "platform/ado/SqliteDriver.h"

TADOConnection* OpenTestConnection(TComponent* Owner, const TTempFolder& Folder, const char* DatabaseName) {
  RegisterSqliteDriver();
  Folder.NewDatabase(DatabaseName);
  WriteDataLinkFile(Folder.File("Trenvik.udl"),
                    u"Provider=SQLite;Data Source=" + Utf8ToString(DatabaseName) + u";User ID=reader");
  auto* connection = new TADOConnection(Owner);
  connection->SetConnectionString(u"FILE NAME=" + Folder.File("Trenvik.udl"));
  connection->SetLoginPrompt(false);
  connection->Open();
  return connection;
}
