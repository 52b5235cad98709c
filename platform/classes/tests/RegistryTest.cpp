#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ClassesTestSupport.h"
#include "platform/classes/AtomicFile.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

namespace {

// Each test gets its own store file in a fresh folder.
class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/registry-test-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    file_ = dir_ + "/config/trenvik/registry";
    SetRegistryStoreFileName(Utf8ToString(file_));
  }
  void TearDown() override {
    SetAtomicFileFault(nullptr);
    SetRegistryStoreFileName(String());
    std::filesystem::remove_all(dir_);
  }
  // Forgets the store in memory, so the next use reads the file.
  void Reload() { SetRegistryStoreFileName(Utf8ToString(file_)); }

  std::string dir_;
  std::string file_;
};

TEST_F(RegistryTest, StoreLivesInTheUserConfigurationFolder) {
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = savedConfig ? savedConfig : "";
  SetRegistryStoreFileName(String());
  ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  EXPECT_EQ(TRegistryStore::FileName(), Utf8ToString(dir_ + "/trenvik/registry"));
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\Trenvik", true));
    reg.CloseKey();
  }
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/trenvik/registry"));
  ::setenv("XDG_CONFIG_HOME", "", 1);  // unset or empty: the home folder's .config
  if (const char* home = std::getenv("HOME")) {
    EXPECT_EQ(TRegistryStore::FileName(), Utf8ToString(std::string(home) + "/.config/trenvik/registry"));
  }
  if (savedConfig)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  SetRegistryStoreFileName(Utf8ToString(file_));
}

TEST_F(RegistryTest, KeysOpenCreateAndDelete) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(u"Software\\Trenvik", false));
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  ASSERT_TRUE(reg.OpenKey(u"\\Software\\Trenvik\\", true));
  EXPECT_EQ(reg.CurrentPath(), u"Software\\Trenvik");
  ASSERT_TRUE(reg.OpenKey(u"Layout", true));  // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), u"Software\\Trenvik\\Layout");
  EXPECT_TRUE(reg.CreateKey(u"Bar1\\ItemLink0"));
  EXPECT_TRUE(reg.CreateKey(u"bar0"));
  EXPECT_TRUE(reg.CreateKey(u"Bar0"));  // exists already: nothing happens
  EXPECT_TRUE(reg.HasSubKeys());
  TStringList names;
  reg.GetKeyNames(&names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"bar0", "Bar1"}));
  EXPECT_TRUE(reg.KeyExists(u"BAR1\\itemlink0"));
  EXPECT_TRUE(reg.KeyExists(u"\\software\\trenvik\\layout"));
  EXPECT_FALSE(reg.KeyExists(u"\\Layout"));

  EXPECT_TRUE(reg.DeleteKey(u"Bar1"));  // with its sub-keys
  EXPECT_FALSE(reg.KeyExists(u"Bar1\\ItemLink0"));
  EXPECT_FALSE(reg.DeleteKey(u"Bar1"));
  EXPECT_THROW(reg.CreateKey(u"bad\nname"), ERegistryException);

  reg.SetRootKey(HKEY_LOCAL_MACHINE);  // another root: kept apart, and the key is closed
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_FALSE(reg.KeyExists(u"Software\\Trenvik"));
  ASSERT_TRUE(reg.OpenKey(u"Software\\Other", true));
  reg.CloseKey();
  EXPECT_TRUE(reg.OpenKeyReadOnly(u"Software\\Other"));
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.WriteInteger(u"X", 1); }), "Failed to set data for 'X'");
  reg.CloseKey();
  EXPECT_FALSE(reg.OpenKeyReadOnly(u"Software\\Missing"));
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.WriteString(u"Y", u""); }), "Failed to set data for 'Y'");
}

TEST_F(RegistryTest, ValuesOfEachKind) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Kinds", true));
  const Byte bytes[] = {1, 0, 255};
  reg.WriteString(u"Str", S("Ёлка"));
  reg.WriteExpandString(u"Exp", u"%HOME%");
  reg.WriteInteger(u"Int", -2);
  reg.WriteBool(u"Bool", true);
  reg.WriteFloat(u"Float", 2.5);
  reg.WriteBinaryData(u"Bin", bytes, sizeof bytes);
  const struct {
    const char16_t* name;
    TRegDataType type;
    int size;
  } cases[] = {
      {u"Str", rdString, 10},   {u"Exp", rdExpandString, 14}, {u"Int", rdInteger, 4},
      {u"Bool", rdInteger, 4},  {u"Float", rdBinary, 8},      {u"Bin", rdBinary, 3},
      {u"None", rdUnknown, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(reg.GetDataType(c.name), c.type) << StringToUtf8(c.name);
    EXPECT_EQ(reg.GetDataSize(c.name), c.size) << StringToUtf8(c.name);
    EXPECT_EQ(reg.ValueExists(c.name), c.size >= 0);
  }
  EXPECT_EQ(reg.ReadString(u"STR"), S("Ёлка"));  // value names ignore case
  EXPECT_EQ(reg.ReadString(u"Exp"), u"%HOME%");
  EXPECT_EQ(reg.ReadInteger(u"Int"), -2);
  EXPECT_TRUE(reg.ReadBool(u"Bool"));
  EXPECT_EQ(reg.ReadFloat(u"Float"), 2.5);
  EXPECT_EQ(reg.ReadString(u"None"), u"");  // a missing string reads empty

  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.ReadInteger(u"None"); }),
            "Failed to get data for 'None'");
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.ReadInteger(u"Str"); }), "Invalid data type for 'Str'");
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.ReadString(u"Int"); }), "Invalid data type for 'Int'");
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.ReadFloat(u"Bin"); }), "Invalid data type for 'Bin'");
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.ReadBool(u"Float"); }), "Invalid data type for 'Float'");

  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"Str", "Exp", "Int", "Bool", "Float", "Bin"}));
  reg.WriteInteger(u"str", 5);  // replaces the value, keeps its place
  EXPECT_EQ(reg.GetDataType(u"Str"), rdInteger);
  EXPECT_TRUE(reg.DeleteValue(u"EXP"));
  EXPECT_FALSE(reg.DeleteValue(u"Exp"));
  reg.GetValueNames(&names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"Str", "Int", "Bool", "Float", "Bin"}));
}

TEST_F(RegistryTest, BinaryDataReadsBack) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Bin", true));
  std::vector<Byte> glyph(100);
  for (size_t i = 0; i < glyph.size(); ++i) glyph[i] = static_cast<Byte>(i * 7);
  reg.WriteBinaryData(u"Glyph", glyph.data(), static_cast<int>(glyph.size()));
  reg.WriteBinaryData(u"Empty", nullptr, 0);
  std::vector<Byte> buffer(200, 0xEE);
  EXPECT_EQ(reg.ReadBinaryData(u"Glyph", buffer.data(), 200), 100);
  EXPECT_TRUE(std::equal(glyph.begin(), glyph.end(), buffer.begin()));
  EXPECT_EQ(buffer[100], 0xEE);  // nothing past the data
  EXPECT_EQ(reg.ReadBinaryData(u"Empty", buffer.data(), 0), 0);
  EXPECT_EQ(reg.ReadBinaryData(u"Missing", buffer.data(), 200), 0);
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.ReadBinaryData(u"Glyph", buffer.data(), 99); }),
            "Invalid data type for 'Glyph'");
  reg.CloseKey();

  Reload();
  ASSERT_TRUE(reg.OpenKey(u"Software\\Bin", false));
  std::fill(buffer.begin(), buffer.end(), 0);
  EXPECT_EQ(reg.GetDataSize(u"Glyph"), 100);
  EXPECT_EQ(reg.ReadBinaryData(u"Glyph", buffer.data(), 100), 100);
  EXPECT_TRUE(std::equal(glyph.begin(), glyph.end(), buffer.begin()));
  EXPECT_EQ(reg.GetDataSize(u"Empty"), 0);
}

TEST_F(RegistryTest, StoreFileIsReadableAndRoundTrips) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\Trenvik", true));
    reg.WriteString(u"Caption", S("Панель \"1\"\\\r\n\tконец\x01"));
    reg.WriteInteger(u"Count", 42);
    reg.WriteInteger(u"Minus", -1);
    const Byte data[] = {0x01, 0xFF};
    reg.WriteBinaryData(u"Data", data, 2);
    reg.WriteString(S("Имя с пробелом"), u"");
    ASSERT_TRUE(reg.OpenKey(u"Empty", true));
    reg.CloseKey();
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(u"System", true));
  }  // the destructor saves too
  const std::string text = ReadBytes(file_);
  for (const char* line :
       {"[HKEY_CURRENT_USER\\Software\\Trenvik]\n",
        "\"Caption\"=\"Панель \\\"1\\\"\\\\\\r\\n\\tконец\\x01\"\n", "\"Count\"=dword:0000002a\n",
        "\"Minus\"=dword:ffffffff\n", "\"Data\"=hex:01,ff\n", "\"Имя с пробелом\"=\"\"\n",
        "[HKEY_CURRENT_USER\\Software\\Trenvik\\Empty]\n", "[HKEY_LOCAL_MACHINE\\System]\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\nin:\n" << text;

  Reload();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"\\software\\trenvik", false));
  EXPECT_EQ(reg.ReadString(u"Caption"), S("Панель \"1\"\\\r\n\tконец\x01"));
  EXPECT_EQ(reg.ReadInteger(u"Count"), 42);
  EXPECT_EQ(reg.ReadInteger(u"Minus"), -1);
  EXPECT_EQ(reg.GetDataSize(u"Data"), 2);
  EXPECT_TRUE(reg.ValueExists(S("имя С ПРОБЕЛОМ")));
  EXPECT_TRUE(reg.KeyExists(u"Empty"));
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(reg.KeyExists(u"System"));
}

TEST_F(RegistryTest, HandEditedStoreIsRead) {
  std::filesystem::create_directories(std::filesystem::path(file_).parent_path());
  std::ofstream(file_, std::ios::binary) << "; written by hand\r\n"
                                            "[hkey_current_user\\Software\\Hand]\r\n"
                                            "\"Glyph\"=hex:01,02,\\\r\n"
                                            "   03\r\n"
                                            "  \"N\"=dword:10   \r\n";
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Hand", false));
  Byte buffer[3] = {};
  EXPECT_EQ(reg.ReadBinaryData(u"Glyph", buffer, 3), 3);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_EQ(reg.ReadInteger(u"N"), 16);
}

TEST_F(RegistryTest, DamagedStoreRaisesAndIsNotOverwritten) {
  std::filesystem::create_directories(std::filesystem::path(file_).parent_path());
  const std::string damaged = "[HKEY_CURRENT_USER\\A]\n\"ok\"=dword:1\n\"bad\"=dword:xyz\n";
  std::ofstream(file_, std::ios::binary) << damaged;
  TRegistry reg;
  EXPECT_EQ(MessageOf<ERegistryException>([&] { reg.OpenKey(u"A", true); }),
            "The registry store \"" + file_ +
                "\" is damaged at line 3: one to eight hex digits expected after dword:");
  EXPECT_THROW(reg.KeyExists(u"A"), ERegistryException);  // still refused, never replaced
  EXPECT_EQ(ReadBytes(file_), damaged);
}

TEST_F(RegistryTest, HandleToDeletedKeyStopsWorking) {
  TRegistry writer, remover;
  ASSERT_TRUE(writer.OpenKey(u"Software\\Gone", true));
  writer.WriteInteger(u"A", 1);
  EXPECT_TRUE(remover.DeleteKey(u"Software\\Gone"));
  EXPECT_FALSE(writer.ValueExists(u"A"));
  EXPECT_THROW(writer.WriteInteger(u"A", 2), ERegistryException);
  EXPECT_FALSE(remover.KeyExists(u"Software\\Gone"));  // the failed write made nothing
}

TEST_F(RegistryTest, FailedSaveLeavesTheOldFileIntact) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Safe", true));
  reg.WriteInteger(u"Value", 1);
  reg.CloseKey();
  const std::string saved = ReadBytes(file_);
  ASSERT_NE(saved.find("\"Value\"=dword:00000001"), std::string::npos);
  for (TAtomicFileStep step :
       {TAtomicFileStep::afsWrite, TAtomicFileStep::afsSync, TAtomicFileStep::afsRename}) {
    SetAtomicFileFault([step](TAtomicFileStep s) { return s == step; });
    ASSERT_TRUE(reg.OpenKey(u"\\Software\\Safe", false));
    reg.WriteInteger(u"Value", 2);
    EXPECT_THROW(reg.CloseKey(), ERegistryException);
    EXPECT_EQ(ReadBytes(file_), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(file_).parent_path()),
                            std::filesystem::directory_iterator()),
              1);
  }
  SetAtomicFileFault(nullptr);
  reg.CloseKey();  // the pending change is saved by the next close
  Reload();
  ASSERT_TRUE(reg.OpenKey(u"Software\\Safe", false));
  EXPECT_EQ(reg.ReadInteger(u"Value"), 2);
}

TEST_F(RegistryTest, RegIniFileSections) {
  {
    TRegIniFile ini(u"Software\\Trenvik\\Grid");
    EXPECT_EQ(ini.CurrentPath(), u"Software\\Trenvik\\Grid");
    ini.WriteInteger(u"Columns\\Name", u"Width", 120);
    ini.WriteBool(u"Columns\\Name", u"Visible", false);
    ini.WriteString(u"Band", u"Caption", S("Люди"));
    ini.WriteInteger(u"", u"Count", 3);  // the opened key itself
    ini.WriteString(u"\\Software\\Absolute", u"X", u"abc");
  }
  Reload();  // every INI-style write reached the file
  TRegIniFile ini(u"Software\\Trenvik\\Grid");
  EXPECT_EQ(ini.ReadInteger(u"columns\\name", u"width", 0), 120);
  EXPECT_EQ(ini.GetDataType(u"Count"), rdString);  // integers are kept as text
  EXPECT_FALSE(ini.ReadBool(u"Columns\\Name", u"Visible", true));
  EXPECT_EQ(ini.ReadString(u"Band", u"Caption", u""), S("Люди"));
  EXPECT_EQ(ini.ReadString(u"Band", u"Missing", u"def"), u"def");
  EXPECT_EQ(ini.ReadInteger(u"Missing", u"Width", 7), 7);
  EXPECT_EQ(ini.ReadInteger(u"\\Software\\Absolute", u"X", 7), 7);  // not a number: the default
  ini.WriteBool(u"Band", u"Flag", true);
  ASSERT_TRUE(ini.OpenKey(u"\\Software\\Trenvik\\Grid\\Band", false));
  ini.WriteInteger(u"Int", 9);  // an integer value reads too
  ini.CloseKey();
  ASSERT_TRUE(ini.OpenKey(u"\\Software\\Trenvik\\Grid", false));
  EXPECT_EQ(ini.ReadInteger(u"Band", u"Int", 0), 9);

  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Band", "Columns"}));
  ini.ReadSection(u"Band", &list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Caption", "Flag", "Int"}));
  ini.ReadSectionValues(u"Columns\\Name", &list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Width=120", "Visible=0"}));
  ini.DeleteKey(u"Band", u"Flag");
  ini.ReadSection(u"Band", &list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Caption", "Int"}));
  ini.EraseSection(u"Columns");
  EXPECT_FALSE(ini.KeyExists(u"Columns\\Name"));
  ini.ReadSection(u"Columns", &list);
  EXPECT_EQ(list.Count(), 0);
  Reload();
  TRegistry check;
  EXPECT_FALSE(check.KeyExists(u"Software\\Trenvik\\Grid\\Columns"));
  EXPECT_TRUE(check.KeyExists(u"Software\\Trenvik\\Grid\\Band"));
}

}  // namespace
