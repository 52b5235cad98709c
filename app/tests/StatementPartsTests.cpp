// The people list's statement cut for the filter, and the login taken from a connection string.
#include <gtest/gtest.h>

#include "app/StatementParts.h"
#include "platform/rtl/String.h"

namespace {

struct SplitCase {
  const char* Statement;
  const char* Select;
  const char* Where;
  const char* OrderBy;
};

TEST(StatementParts, SplitsAtTheFirstWhereAndOrderBy) {
  const SplitCase cases[] = {
      // The stored statement of the people list: blanks and line breaks kept, never trimmed.
      {"SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME,\r\nO_PEOPLE.BIRTHDATE\r\nFROM O_PEOPLE   \r\n"
       "ORDER BY  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME",
       "SELECT DISTINCT O_PEOPLE.O_PEOPLEID, O_PEOPLE.FSTNAME,\r\nO_PEOPLE.BIRTHDATE\r\nFROM O_PEOPLE   \r\n",
       "", "  O_PEOPLE.FSTNAME, O_PEOPLE.SECNAME"},
      // Lower case is found because the text is upper-cased first; the parts come out upper-cased.
      {"select * from t where a = 'x' order by b", "SELECT * FROM T ", " A = 'X' ", " B"},
      {"select * from t", "SELECT * FROM T", "", ""},
      {"select * from t where a = 1", "SELECT * FROM T ", " A = 1", ""},
      {"select * from t order by a", "SELECT * FROM T ", "", " A"},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.Statement);
    TStatementParts parts = SplitStatement(Utf8ToString(c.Statement));
    EXPECT_EQ(StringToUtf8(parts.Select), c.Select);
    EXPECT_EQ(StringToUtf8(parts.Where), c.Where);
    EXPECT_EQ(StringToUtf8(parts.OrderBy), c.OrderBy);
  }
}

TEST(StatementParts, UserNameIsTheUserIdItem) {
  const std::pair<const char*, const char*> cases[] = {
      {"Provider=SQLite;User ID=ivanov;Data Source=edu.db", "ivanov"},
      // As the last item, without a closing ";".
      {"Provider=SQLite;Data Source=edu.db;User ID=petrov", "petrov"},
      // The item's name ignores case and blanks around it.
      {"Provider=SQLite; user id = sidorov ;Data Source=edu.db", "sidorov"},
      {"Provider=SQLite;User ID=\"a;b\"", "a;b"},
      // No login at all: nothing, never a piece of another item.
      {"Provider=SQLite;Data Source=edu.db", ""},
      {"", ""},
  };
  for (auto [text, user] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(StringToUtf8(ConnectionUserName(Utf8ToString(text))), user);
  }
}

}  // namespace
