#include "db/Schema.h"

#include <string>

#include "platform/ado/DbDriver.h"
#include "platform/ado/SqliteDriver.h"

namespace {

using T = TSchemaType;

TSchemaColumn Col(const char* name, T type, int size = 0) { return {name, type, size, false, false}; }
TSchemaColumn KeyCol(const char* name, T type) { return {name, type, 0, true, false}; }

std::vector<TSchemaTable> MakeTables() {
  return {
      {"M_VIDDEP", {KeyCol("M_VIDDEPID", T::Int), Col("NAME", T::NVarChar, 100)}},
      {"M_SEX", {KeyCol("M_SEXID", T::Identity), Col("NAME", T::NVarChar, 10)}},
      {"M_KAT", {KeyCol("M_KATID", T::Identity), Col("NAME", T::NVarChar, 250)}},
      {"M_COLLAGE", {KeyCol("M_COLLAGEID", T::Identity), Col("NAME", T::NVarChar, 254)}},
      {"M_ASSESS", {KeyCol("M_ASSESSID", T::Identity), Col("M_ASSESSNAME", T::NVarChar, 50)}},
      {"M_KATEDU", {KeyCol("M_KATEDUID", T::Identity), Col("M_KATEDUNAME", T::NVarChar, 50)}},
      {"M_RAYON_DEP",
       {KeyCol("M_RAYON_DEPID", T::Identity), Col("PARENT_ID", T::Int), Col("M_VIDDEPID", T::Int),
        Col("SHORTNAME", T::NVarChar, 150), Col("LONGNAME", T::NVarChar, 254)}},
      {"O_PEOPLE",
       {KeyCol("O_PEOPLEID", T::Identity), Col("FSTNAME", T::NVarChar, 50), Col("SECNAME", T::NVarChar, 50),
        Col("LASTNAME", T::NVarChar, 50), Col("BIRTHDATE", T::DateTime), Col("AGE", T::Age),
        Col("M_SEXID", T::Int), Col("M_KATID", T::Int), Col("M_RAYON_DEPID", T::Int),
        Col("DOLGNAME", T::NVarChar, 254), Col("M_RecordStatusID", T::Int)}},
      {"O_EDU",
       {KeyCol("O_EDUID", T::Identity), Col("O_PEOPLEID", T::Int), Col("M_COLLAGEID", T::Int),
        Col("M_KATEDUID", T::Int), Col("M_ASSESSID", T::Int), Col("M_RecordStatusID", T::Int),
        Col("DATEFINISH", T::DateTime), Col("PROGNAME", T::NVarChar, 254), Col("PLANNAME", T::NVarChar, 254),
        Col("NOTE", T::NVarChar, 254)}},
      {"O_PEOPLESYNONYM",
       {Col("O_PEOPLEID", T::Int), Col("FSTNAME", T::NVarChar, 50), Col("SECNAME", T::NVarChar, 50),
        Col("LASTNAME", T::NVarChar, 50), Col("BIRTHDATE", T::DateTime)}},
      {"O_FILTER", {{"USER", T::NVarChar, 50, false, true}, Col("O_PEOPLEID", T::Int)}},
      {"BUFFER",
       {KeyCol("BUFFERID", T::Guid), Col("N", T::Int), Col("USER", T::NVarChar, 50),
        Col("COLLAGE_NAME", T::NVarChar, 254), Col("FSTNAME", T::NVarChar, 50),
        Col("SECNAME", T::NVarChar, 50), Col("LASTNAME", T::NVarChar, 50), Col("SEX", T::NVarChar, 50),
        Col("BIRTHDATE", T::DateTime), Col("DOLGNAME", T::NVarChar, 254), Col("DEPNAME", T::NVarChar, 254),
        Col("VIDEDUNAME", T::NVarChar, 254), Col("PROGNAME", T::NVarChar, 254),
        Col("DATEFINISH", T::DateTime), Col("NOTE", T::NVarChar, 50)}},
      {"O_COLLAGE_DOGOVOR",
       {Col("M_COLLAGEID", T::Int), Col("DOGOVOR_NUM", T::NVarChar, 50), Col("DATEBEGIN", T::DateTime),
        Col("DATEFINISH", T::DateTime)}},
      {"M_KATEDUSYNONYM",
       {KeyCol("M_KATEDUSYNONYMID", T::Guid), Col("M_KATEDUID", T::Int), Col("NAME", T::NVarChar, 50)}},
      {"M_COLLAGESYNONYM",
       {KeyCol("M_COLLAGESYNONYMID", T::Guid), Col("M_COLLAGEID", T::Int), Col("NAME", T::NVarChar, 254)}},
      {"M_DEPSYNONYM",
       {KeyCol("M_DEPSYNONYMID", T::Guid), Col("M_RAYON_DEPID", T::Int), Col("LONGNAME", T::NVarChar, 1024)}},
      {"M_SEXSYNONYM",
       {KeyCol("M_SEXSYNONYMID", T::Guid), Col("M_SEXID", T::Int), Col("NAME", T::NVarChar, 50)}},
  };
}

std::string SqliteColumn(const TSchemaTable& table, const TSchemaColumn& c) {
  std::string name = std::string("\"") + c.Name + "\"";
  switch (c.Type) {
    case T::Identity:
      return name + " INTEGER PRIMARY KEY AUTOINCREMENT";
    case T::Int:
      return name + " INTEGER" + (c.Key ? " NOT NULL PRIMARY KEY" : "");
    case T::DateTime:
      return name + " DATETIME";
    case T::Guid:
      return name + " GUID NOT NULL DEFAULT (NEWGUID())" + (c.Key ? " PRIMARY KEY" : "");
    case T::Age:
      // Whole years from the birth date to today, computed on every read.
      return name + " INTEGER GENERATED ALWAYS AS (AGEYEARS(BIRTHDATE)) VIRTUAL";
    case T::NVarChar: {
      std::string s = name + " NVARCHAR(" + std::to_string(c.Size) + ") COLLATE " + kServerCollation;
      if (c.Login) s += " DEFAULT (LOGIN_NAME())";
      // Named so the driver reports an over-long text as the server does.
      s += " CONSTRAINT len_" + std::string(table.Name) + "_" + c.Name + " CHECK (length(" + name +
           ") <= " + std::to_string(c.Size) + ")";
      return s;
    }
  }
  return name;
}

struct IndexDef {
  const char* name;
  const char* table;
  std::vector<const char*> columns;
  // Serves lookups by "=": on PostgreSQL its text columns are indexed as server_key(column), the
  // form the driver compares them in.
  bool lookup = false;
  bool postgresOnly = false;
};

// The people list's index covers its columns, so its ORDER BY is a plain walk of the index.
const std::vector<IndexDef> kIndexes = {
    {"O_PEOPLE_NAME",
     "O_PEOPLE",
     {"FSTNAME", "SECNAME", "LASTNAME", "M_RAYON_DEPID", "M_RecordStatusID", "BIRTHDATE"}},
    // The import's match by name (SQLite's name index serves it through the collation).
    {"O_PEOPLE_NAME_KEY", "O_PEOPLE", {"FSTNAME", "SECNAME", "LASTNAME"}, true, true},
    {"O_PEOPLE_DEP", "O_PEOPLE", {"M_RAYON_DEPID"}},
    {"O_EDU_PEOPLE", "O_EDU", {"O_PEOPLEID"}},
    {"O_PEOPLESYNONYM_PEOPLE", "O_PEOPLESYNONYM", {"O_PEOPLEID"}},
    {"O_FILTER_USER", "O_FILTER", {"USER"}, true},
    {"BUFFER_USER", "BUFFER", {"USER", "N"}, true},
    {"M_RAYON_DEP_PARENT", "M_RAYON_DEP", {"PARENT_ID"}},
    {"O_COLLAGE_DOGOVOR_COLLAGE", "O_COLLAGE_DOGOVOR", {"M_COLLAGEID"}},
    {"M_KATEDUSYNONYM_OWNER", "M_KATEDUSYNONYM", {"M_KATEDUID"}},
    {"M_COLLAGESYNONYM_OWNER", "M_COLLAGESYNONYM", {"M_COLLAGEID"}},
    {"M_DEPSYNONYM_OWNER", "M_DEPSYNONYM", {"M_RAYON_DEPID"}},
    {"M_SEXSYNONYM_OWNER", "M_SEXSYNONYM", {"M_SEXID"}},
};

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool HasComputedColumns(const TSchemaTable& table) {
  for (auto& c : table.Columns)
    if (c.Type == T::Age) return true;
  return false;
}

// PostgreSQL computes no column when it is read: a table with such columns is a view of that name
// over <name>_data, the table that stores the rest.
std::string PostgresStoredTable(const TSchemaTable& table) {
  return Lower(table.Name) + (HasComputedColumns(table) ? "_data" : "");
}

const TSchemaTable& TableNamed(const char* name) {
  for (auto& t : SchemaTables())
    if (std::string(t.Name) == name) return t;
  throw EDatabaseError(u"No table " + Utf8ToString(name) + u" in the schema");
}

bool IsText(const TSchemaTable& table, const char* column) {
  for (auto& c : table.Columns)
    if (std::string(c.Name) == column) return c.Type == T::NVarChar;
  return false;
}

std::string IndexColumn(const IndexDef& ix, const char* column, bool postgres) {
  if (!postgres) return std::string("\"") + column + "\"";
  std::string name = "\"" + Lower(column) + "\"";
  return ix.lookup && IsText(TableNamed(ix.table), column) ? "server_key(" + name + ")" : name;
}

std::string Indexes(bool postgres) {
  std::string sql;
  for (auto& ix : kIndexes) {
    if (ix.postgresOnly && !postgres) continue;
    std::string table = postgres ? PostgresStoredTable(TableNamed(ix.table)) : std::string(ix.table);
    sql += std::string("CREATE INDEX ") + ix.name + " ON " + table + " (";
    for (size_t i = 0; i < ix.columns.size(); ++i)
      sql += (i ? ", " : "") + IndexColumn(ix, ix.columns[i], postgres);
    sql += ");\n";
  }
  return sql;
}

std::string PostgresColumn(const TSchemaTable& table, const TSchemaColumn& c) {
  std::string name = "\"" + Lower(c.Name) + "\"";
  switch (c.Type) {
    case T::Identity:
      return name + " integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY";
    case T::Int:
      return name + " integer" + (c.Key ? " NOT NULL PRIMARY KEY" : "");
    case T::DateTime:
      return name + " timestamp";
    case T::Guid:
      return name + " varchar(38) NOT NULL DEFAULT newguid()" + (c.Key ? " PRIMARY KEY" : "");
    case T::Age:
      break;  // computed by the table's view when read
    case T::NVarChar: {
      std::string s = name + " citext";
      if (c.Login) s += " DEFAULT login_name()";
      s += " CONSTRAINT len_" + Lower(table.Name) + "_" + Lower(c.Name) + " CHECK (length(" + name +
           ") <= " + std::to_string(c.Size) + ")";
      return s;
    }
  }
  return name;
}

const char* const kViews = R"(
-- Names that occur on several cards, with the number of cards.
CREATE VIEW DoubleFioView AS
  SELECT FSTNAME, SECNAME, LASTNAME, COUNT(*) AS kol
  FROM O_PEOPLE
  GROUP BY FSTNAME, SECNAME, LASTNAME
  HAVING COUNT(*) > 1;

-- The latest end date of each person's training records.
CREATE VIEW MaxDateFinishEdu AS
  SELECT O_PEOPLEID, MAX(DATEFINISH) AS MaxDateFinish
  FROM O_EDU
  GROUP BY O_PEOPLEID;
)";

// The server-side functions SQLite gets from its driver, written for PostgreSQL.
const char* const kPostgresFunctions = R"SQL(
-- The tree functions name tables created after them.
SET check_function_bodies = false;
CREATE EXTENSION IF NOT EXISTS citext;

CREATE FUNCTION newguid() RETURNS varchar(38) LANGUAGE sql VOLATILE AS
$$ SELECT '{' || upper(gen_random_uuid()::text) || '}' $$;

CREATE FUNCTION login_name() RETURNS text LANGUAGE sql STABLE AS $$ SELECT session_user::text $$;

-- Text as the original server compares it: trailing blanks do not count (case does not either, by
-- citext). The driver routes "=" with a text column and LIKE through these.
CREATE FUNCTION server_key(v citext) RETURNS citext LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$ SELECT rtrim(v::text, ' ')::citext $$;
CREATE FUNCTION server_like(v text, p text) RETURNS boolean LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$ SELECT v LIKE p OR rtrim(v, ' ') LIKE p $$;
CREATE FUNCTION server_like(v citext, p citext) RETURNS boolean LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$ SELECT v LIKE p OR rtrim(v::text, ' ')::citext LIKE p $$;

-- The program's today: the client's date, which its driver sets in trenvik.today, else the server's.
CREATE FUNCTION client_today() RETURNS date LANGUAGE sql STABLE AS
$$ SELECT coalesce(nullif(current_setting('trenvik.today', true), '')::date, current_date) $$;

-- Whole years to today; none for a missing birth date (NULL, day 0 or 1900-01-01). Read-time only:
-- a stored age would go stale.
CREATE FUNCTION ageyears(d timestamp) RETURNS integer LANGUAGE sql STABLE AS
$$ SELECT CASE WHEN d IS NULL OR d <= timestamp '1900-01-01' THEN NULL
               ELSE date_part('year', age(client_today(), d::date))::integer END $$;

-- hh:mm[:ss[.fff]] [AM|PM] as an interval; NULL when it is no time of day.
CREATE FUNCTION timeoftext(s text) RETURNS interval LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE t text[]; h int;
BEGIN
  t := regexp_match(s, '^(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:[.:](\d{1,3})\d*)?)?\s*([AaPp][Mm])?$');
  IF t IS NULL THEN RETURN NULL; END IF;
  h := t[1]::int;
  IF t[5] IS NOT NULL THEN
    -- The 12-hour clock: 12 AM is midnight, 12 PM noon.
    IF h < 1 OR h > 12 THEN RETURN NULL; END IF;
    h := h % 12 + CASE WHEN lower(t[5]) = 'pm' THEN 12 ELSE 0 END;
  END IF;
  IF h > 23 OR t[2]::int > 59 OR coalesce(t[3], '0')::int > 59 THEN RETURN NULL; END IF;
  RETURN make_interval(hours => h, mins => t[2]::int,
                       secs => coalesce(t[3], '0')::int + coalesce(rpad(t[4], 3, '0'), '0')::int / 1000.0);
END $$;

-- Text to a date as the original server reads it (day-month-year; a time alone falls on 1900-01-01).
CREATE FUNCTION convtodate(s text) RETURNS timestamp LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE m text[]; y int; mo int; dd int; tm text; t interval; result timestamp;
BEGIN
  IF s IS NULL THEN RETURN NULL; END IF;
  s := btrim(s, E' \t');
  t := timeoftext(s);
  IF t IS NOT NULL THEN RETURN timestamp '1900-01-01' + t; END IF;
  IF s ~ '^\d{8}$' THEN
    y := substr(s, 1, 4)::int; mo := substr(s, 5, 2)::int; dd := substr(s, 7, 2)::int;
  ELSE
    m := regexp_match(s, '^(\d{1,4})([./-])(\d{1,2})\2(\d{1,4})(?:[ T]+(.+))?$');
    IF m IS NULL THEN RETURN NULL; END IF;
    IF length(m[1]) = 4 AND length(m[4]) <= 2 THEN
      y := m[1]::int; mo := m[3]::int; dd := m[4]::int;
    ELSIF length(m[1]) <= 2 AND length(m[4]) IN (2, 4) THEN
      dd := m[1]::int; mo := m[3]::int; y := m[4]::int;
      IF length(m[4]) = 2 THEN y := CASE WHEN y < 50 THEN 2000 + y ELSE 1900 + y END; END IF;
    ELSE
      RETURN NULL;
    END IF;
    tm := m[5];
  END IF;
  IF y < 1753 OR y > 9999 THEN RETURN NULL; END IF;
  BEGIN
    result := make_timestamp(y, mo, dd, 0, 0, 0);
  EXCEPTION WHEN others THEN
    RETURN NULL;
  END;
  IF tm IS NOT NULL THEN
    t := timeoftext(btrim(tm));
    IF t IS NULL THEN RETURN NULL; END IF;
    result := result + t;
  END IF;
  RETURN result;
END $$;

CREATE FUNCTION isdate(s text) RETURNS integer LANGUAGE sql IMMUTABLE AS
$$ SELECT CASE WHEN convtodate(s) IS NULL THEN 0 ELSE 1 END $$;

-- CONVERT(datetime, text, style): dd.mm.yyyy for the styles 103 to 105; a failure is an error.
CREATE FUNCTION convert_datetime(s text, style integer) RETURNS timestamp LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE r timestamp;
BEGIN
  IF s IS NULL THEN RETURN NULL; END IF;
  IF style IN (103, 104, 105) AND btrim(s) !~ '^\d{1,2}[./-]\d{1,2}[./-](\d{2}|\d{4})(\s.*)?$' THEN
    r := NULL;
  ELSE
    r := convtodate(s);
  END IF;
  IF r IS NULL THEN
    RAISE EXCEPTION 'Text is not a date: %', s;
  END IF;
  RETURN r;
END $$;

-- The names from the top of the tree down to a node, joined by ";".
CREATE FUNCTION getfullparentnamedep(inputid integer, displayitself integer) RETURNS varchar
LANGUAGE plpgsql STABLE AS $$
DECLARE node integer := inputid; parent integer; nodename text; path text; first boolean := true;
        visited integer[] := '{}';
BEGIN
  IF inputid IS NULL THEN RETURN NULL; END IF;
  WHILE node IS NOT NULL AND node <> 0 AND NOT node = ANY(visited) LOOP
    visited := visited || node;
    SELECT parent_id, shortname INTO parent, nodename FROM m_rayon_dep WHERE m_rayon_depid = node;
    IF NOT FOUND THEN
      IF first THEN RETURN NULL; END IF;
      EXIT;
    END IF;
    IF NOT first OR displayitself <> 0 THEN
      path := CASE WHEN path IS NULL THEN nodename ELSE nodename || ';' || path END;
    END IF;
    first := false;
    node := parent;
  END LOOP;
  RETURN coalesce(path, '');
END $$;

-- The nodes of the subtree under a node (the node too when withitself is not 0).
CREATE FUNCTION getdescendantdep(rootid integer, withitself integer) RETURNS TABLE(id integer)
LANGUAGE sql STABLE AS $$
  WITH RECURSIVE d(node) AS (
    SELECT m_rayon_depid FROM m_rayon_dep WHERE m_rayon_depid = rootid
    UNION SELECT c.m_rayon_depid FROM m_rayon_dep c JOIN d ON c.parent_id = d.node)
  SELECT d.node FROM d WHERE withitself <> 0 OR d.node <> rootid $$;

-- The last identity of a table: this session's when it inserted there, else the table's.
CREATE FUNCTION ident_current(t text) RETURNS bigint LANGUAGE plpgsql VOLATILE AS $$
DECLARE seq text; v bigint; rel text := lower(t); base text;
BEGIN
  -- A view over one table (computing columns when read) numbers its rows by that table's identity.
  SELECT min(u.table_name) INTO base FROM information_schema.view_table_usage u
    WHERE u.view_schema = current_schema() AND u.view_name = rel HAVING count(*) = 1;
  IF base IS NOT NULL THEN rel := base; END IF;
  SELECT pg_get_serial_sequence(c.oid::regclass::text, a.attname) INTO seq
    FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid
    WHERE c.relname = rel AND a.attidentity <> '' AND c.relnamespace = current_schema()::regnamespace
    LIMIT 1;
  IF seq IS NULL THEN RETURN NULL; END IF;
  BEGIN
    v := currval(seq);
  EXCEPTION WHEN object_not_in_prerequisite_state THEN
    SELECT s.last_value INTO v FROM pg_sequences s WHERE quote_ident(s.schemaname) || '.' || quote_ident(s.sequencename) = seq
       OR s.schemaname || '.' || s.sequencename = seq;
  END;
  RETURN v;
END $$;
)SQL";

}  // namespace

const std::vector<TSchemaTable>& SchemaTables() {
  static const std::vector<TSchemaTable> tables = MakeTables();
  return tables;
}

// The view that adds the computed columns to a stored table, the columns in the table's order.
std::string PostgresComputingView(const TSchemaTable& t) {
  std::string columns;
  for (auto& c : t.Columns) {
    if (!columns.empty()) columns += ", ";
    std::string name = "\"" + Lower(c.Name) + "\"";
    columns += c.Type == T::Age ? "ageyears(birthdate) AS " + name : name;
  }
  return "CREATE VIEW " + Lower(t.Name) + " AS SELECT " + columns + " FROM " + PostgresStoredTable(t) + ";\n";
}

String PostgresSchemaScript() {
  std::string sql = kPostgresFunctions;
  for (auto& t : SchemaTables()) {
    std::string columns;
    for (auto& c : t.Columns) {
      std::string column = PostgresColumn(t, c);
      if (c.Type != T::Age) columns += (columns.empty() ? "  " : ",\n  ") + column;
    }
    sql += "CREATE TABLE " + PostgresStoredTable(t) + " (\n" + columns + "\n);\n";
    if (HasComputedColumns(t)) sql += PostgresComputingView(t);
  }
  sql += Indexes(true);
  sql += kViews;
  return Utf8ToString(sql);
}

String SqliteSchemaScript() {
  std::string sql;
  for (auto& t : SchemaTables()) {
    sql += "CREATE TABLE \"" + std::string(t.Name) + "\" (\n";
    for (size_t i = 0; i < t.Columns.size(); ++i) {
      sql += "  " + SqliteColumn(t, t.Columns[i]) + (i + 1 < t.Columns.size() ? ",\n" : "\n");
    }
    sql += ");\n";
  }
  sql += Indexes(false);
  sql += kViews;
  return Utf8ToString(sql);
}

void InsertReferenceData(TDbConnection& c) {
  c.ExecuteScript(S(R"(
INSERT INTO M_SEX (M_SEXID, NAME) VALUES (1, 'мужской'), (2, 'женский');
INSERT INTO M_VIDDEP (M_VIDDEPID, NAME) VALUES
  (1, 'государственный орган'), (2, 'муниципальный орган'), (3, 'территория'), (4, 'прочее');
INSERT INTO M_RAYON_DEP (M_RAYON_DEPID, PARENT_ID, M_VIDDEPID, SHORTNAME, LONGNAME)
  VALUES (1, 0, 3, 'Область', 'Область');
)"));
  // Rows given their keys leave the server's numbering behind them.
  if (c.Dialect() == u"PostgreSQL")
    c.ExecuteScript(
        u"SELECT setval(pg_get_serial_sequence('m_sex', 'm_sexid'), 2); "
        u"SELECT setval(pg_get_serial_sequence('m_rayon_dep', 'm_rayon_depid'), 1);");
}

void CreateDatabase(TDbConnection& c) {
  c.ExecuteScript(c.Dialect() == u"PostgreSQL" ? PostgresSchemaScript() : SqliteSchemaScript());
  InsertReferenceData(c);
}

std::vector<String> MissingTables(TDbConnection& c) {
  std::vector<String> missing;
  for (auto& t : SchemaTables()) {
    String name = Utf8ToString(t.Name);
    if (c.TableInfo(name).Columns.empty()) missing.push_back(name);
  }
  return missing;
}
