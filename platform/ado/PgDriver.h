// The PostgreSQL driver: the shared server where several users work on one database. Provider name
// "PostgreSQL"; Data Source is the host ("host:port") or the server's socket folder, Initial Catalog
// the database, User ID and Password the login. The schema's functions and views live in the
// database (db/ creates them). Edits of a view that computes columns go to the table under it; the
// program's date is sent as trenvik.today for the functions that compute with it when read.
#pragma once

#include "platform/ado/DbDriver.h"

void RegisterPostgresDriver();
