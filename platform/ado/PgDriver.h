// The PostgreSQL driver: the shared server where several users work on one database. Provider name
// "PostgreSQL"; Data Source is the host ("host:port") or the server's socket folder, Initial Catalog
// the database, User ID and Password the login. The schema's functions and views live in the
// database (db/ creates them).
#pragma once

#include "platform/ado/DbDriver.h"

void RegisterPostgresDriver();
