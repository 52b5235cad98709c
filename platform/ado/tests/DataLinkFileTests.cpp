#include <gtest/gtest.h>

#include <fstream>

#include "platform/ado/DataLinkFile.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/rtl/String.h"

namespace {

void WriteBytes(const String& file, const std::string& bytes) {
  std::ofstream out(StringToUtf8(file), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// UTF-16LE with its mark, as the system's data-link editor saves it.
std::string Utf16File(const String& text) {
  std::string bytes = "\xFF\xFE";
  for (Char c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

TEST(DataLinkFile, ReadsTheConnectionLineOfAUtf16File) {
  TTempFolder folder;
  String file = folder.File("Trenvik.udl");
  WriteBytes(file, Utf16File(S("[oledb]\r\n; Everything after this line is the connection string\r\n"
                               "Provider=SQLite;Data Source=/data/учёт.db;User ID=Иванов\r\n")));
  EXPECT_EQ(ReadDataLinkFile(file), S("Provider=SQLite;Data Source=/data/учёт.db;User ID=Иванов"));

  // Written by our own writer and read back.
  WriteDataLinkFile(file, u"Provider=SQLite;Data Source=\"a;b.db\"");
  EXPECT_EQ(ReadDataLinkFile(file), u"Provider=SQLite;Data Source=\"a;b.db\"");
}

TEST(DataLinkFile, MissingOrEmptyFilesAreErrors) {
  TTempFolder folder;
  EXPECT_THROW(ReadDataLinkFile(folder.File("none.udl")), EADOError);
  String empty = folder.File("empty.udl");
  WriteBytes(empty, Utf16File(u"[oledb]\r\n; comment only\r\n"));
  EXPECT_THROW(ReadDataLinkFile(empty), EADOError);
}

TEST(ConnectionString, ItemsWithQuotesAndBlanks) {
  auto items = ParseConnectionString(
      u"Provider=SQLOLEDB.1; Password = \"p;w\"\"d\" ;Persist Security Info=False;"
      u"User ID=sa;Initial Catalog=edu;Data Source='srv'");
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(ConnectionStringValue(items, u"password"), u"p;w\"d");
  EXPECT_EQ(ConnectionStringValue(items, u"Data Source"), u"srv");
  EXPECT_EQ(ConnectionStringValue(items, u"User ID"), u"sa");
  EXPECT_EQ(ConnectionStringValue(items, u"Nothing"), u"");
  // Built back, it parses to the same items.
  EXPECT_EQ(ParseConnectionString(BuildConnectionString(items)), items);
}

TEST(ConnectionString, ValuesKeepTheBlanksAndControlCharactersAtTheirEnds) {
  const TConnectionStringItems items = {{u"Password", u"secret\t"}, {u"User ID", u"\x01sa"},
                                        {u"Data Source", u" edu.db\r"}, {u"Initial Catalog", u"\t"}};
  EXPECT_EQ(ParseConnectionString(BuildConnectionString(items)), items);
  TTempFolder folder;
  const String file = folder.File("tab.udl");
  WriteDataLinkFile(file, BuildConnectionString(items));
  EXPECT_EQ(ParseConnectionString(ReadDataLinkFile(file)), items);
}

}  // namespace
