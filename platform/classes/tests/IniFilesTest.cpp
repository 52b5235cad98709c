#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ClassesTestSupport.h"
#include "platform/classes/AtomicFile.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

// Both kinds of INI file behave alike apart from when they write.
enum class Kind { Through, Memory };

class IniFilesTest : public testing::TestWithParam<Kind> {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  void TearDown() override {
    SetAtomicFileFault(nullptr);
    SetLocale("ru-RU");
  }

  std::unique_ptr<TCustomIniFile> Open(const std::string& path) const {
    const String name = Utf8ToString(path);
    if (GetParam() == Kind::Through) return std::make_unique<TIniFile>(name);
    return std::make_unique<TMemIniFile>(name);
  }

  TempDir dir_;
  std::string path_ = dir_.File("test.ini");
};

TEST_P(IniFilesTest, IntegersBooleansAndFloats) {
  WriteBytes(path_,
             "[N]\r\ndec=12\r\nneg= -7 \r\nhex=0x1F\r\ndollar=$10\r\ntext=abc\r\ntail=12abc\r\nempty=\r\n"
             "big=99999999999\r\nfloat=2,5\r\nbadfloat=2.5.1\r\n");
  auto ini = Open(path_);
  const struct {
    const char* key;
    Integer expected;
  } ints[] = {{"dec", 12},  {"neg", -7},   {"hex", 31}, {"dollar", 16}, {"text", -1},
              {"tail", -1}, {"empty", -1}, {"big", -1}, {"missing", -1}};
  for (const auto& c : ints) EXPECT_EQ(ini->ReadInteger(u"N", S(c.key), -1), c.expected) << c.key;

  const struct {
    const char* key;
    bool byDefault;
    bool expected;
  } bools[] = {{"dec", false, true},
               {"neg", false, true},
               {"text", true, true},
               {"text", false, false},
               {"missing", true, true}};
  for (const auto& c : bools) EXPECT_EQ(ini->ReadBool(u"N", S(c.key), c.byDefault), c.expected) << c.key;
  ini->WriteInteger(u"N", u"dec", 0);
  EXPECT_FALSE(ini->ReadBool(u"N", u"dec", true));

  EXPECT_DOUBLE_EQ(ini->ReadFloat(u"N", u"float", 0), 2.5);
  EXPECT_DOUBLE_EQ(ini->ReadFloat(u"N", u"badfloat", 7), 7);
  ini->WriteBool(u"B", u"on", true);
  ini->WriteBool(u"B", u"off", false);
  ini->WriteFloat(u"B", u"f", 0.25);
  ini->UpdateFile();
  EXPECT_NE(ReadBytes(path_).find("[B]\r\non=1\r\noff=0\r\nf=0,25\r\n"), std::string::npos)
      << ReadBytes(path_);
}

TEST_P(IniFilesTest, DatesInTheLocaleFormat) {
  auto ini = Open(path_);
  const TDateTime day = EncodeDate(2026, 12, 10);
  ini->WriteDate(u"D", u"Day", day);
  ini->WriteDateTime(u"D", u"Moment", day + EncodeTime(14, 30, 0, 0));
  ini->WriteString(u"D", u"Bad", u"31.02.2026");
  EXPECT_EQ(ini->ReadString(u"D", u"Day", u""), u"10.12.2026");
  EXPECT_EQ(ini->ReadDate(u"D", u"Day", 0), day);
  EXPECT_DOUBLE_EQ(ini->ReadDateTime(u"D", u"Moment", 0), day + EncodeTime(14, 30, 0, 0));
  EXPECT_EQ(ini->ReadDate(u"D", u"Bad", 1.0), 1.0);
  EXPECT_EQ(ini->ReadTime(u"D", u"Missing", 0.5), 0.5);
}

TEST_P(IniFilesTest, NamesIgnoreCaseAndOrderIsKept) {
  auto ini = Open(path_);
  ini->WriteString(u"Zeta", u"b", u"1");
  ini->WriteString(u"Alpha", u"z", u"2");
  ini->WriteString(S("Раздел"), S("Ключ"), S("значение"));
  ini->WriteString(u"ZETA", u"A", u"3");
  ini->WriteString(u"zeta", u"B", u"4");  // replaces b, keeps its place and spelling
  EXPECT_EQ(ini->ReadString(S("РАЗДЕЛ"), S("ключ"), u""), S("значение"));
  EXPECT_TRUE(ini->SectionExists(u"alpha"));
  EXPECT_TRUE(ini->ValueExists(u"ALPHA", u"Z"));
  EXPECT_FALSE(ini->ValueExists(u"Alpha", u"b"));
  EXPECT_FALSE(ini->SectionExists(u"Beta"));

  TStringList list;
  list.Add(u"stale");
  ini->ReadSections(&list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Zeta", "Alpha", "Раздел"}));
  ini->ReadSection(u"zeta", &list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"b", "A"}));
  ini->ReadSectionValues(u"Zeta", &list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"b=4", "A=3"}));
  ini->ReadSection(u"Missing", &list);
  EXPECT_EQ(list.Count(), 0);
}

TEST_P(IniFilesTest, EraseAndDeleteKeepTheRest) {
  WriteBytes(path_,
             "; settings of the program\r\n"
             "[Application]\r\n"
             "Mode = 1\r\n"
             "; the user's choice\r\n"
             "Last=x\r\n"
             "a line the format does not know\r\n"
             "\r\n"
             "[Old]\r\n"
             "; goes with its section\r\n"
             "K=V\r\n"
             "\r\n"
             "[Grid]\r\n"
             "Width=10\r\n");
  auto ini = Open(path_);
  ini->EraseSection(u"old");
  ini->DeleteKey(u"Application", u"LAST");
  ini->WriteString(u"Application", u"New", u"n");
  ini->WriteString(u"Grid", u"Width", u"20");
  ini->WriteString(u"Added", u"K", u"v");
  ini->UpdateFile();
  EXPECT_EQ(ReadBytes(path_),
            "; settings of the program\r\n"
            "[Application]\r\n"
            "Mode = 1\r\n"
            "New=n\r\n"  // after the section's last key
            "; the user's choice\r\n"
            "a line the format does not know\r\n"
            "\r\n"
            "[Grid]\r\n"
            "Width=20\r\n"
            "\r\n"
            "[Added]\r\n"
            "K=v\r\n");
  EXPECT_EQ(ini->ReadInteger(u"Application", u"Mode", -1), 1);
  EXPECT_FALSE(ini->SectionExists(u"Old"));
}

// A name the file repeats reads its first section; erasing it takes every one, and the sections
// after them are still found.
TEST_P(IniFilesTest, RepeatedSectionsReadTheFirstAndEraseTogether) {
  WriteBytes(path_, "[A]\r\nK=1\r\n[B]\r\nK=2\r\n[a]\r\nK=3\r\n[C]\r\nK=4\r\n[D]\r\nK=5\r\n");
  auto ini = Open(path_);
  EXPECT_EQ(ini->ReadString(u"a", u"K", u""), u"1");
  TStringList list;
  ini->ReadSections(&list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "B", "C", "D"}));
  ini->EraseSection(u"A");
  EXPECT_FALSE(ini->SectionExists(u"A"));
  ini->EraseSection(u"C");
  EXPECT_EQ(ini->ReadString(u"B", u"K", u""), u"2");
  EXPECT_EQ(ini->ReadString(u"D", u"K", u""), u"5");
  ini->WriteString(u"A", u"K", u"6");
  ini->WriteString(u"D", u"K", u"7");
  ini->UpdateFile();
  EXPECT_EQ(ReadBytes(path_), "[B]\r\nK=2\r\n[D]\r\nK=7\r\n\r\n[A]\r\nK=6\r\n");
}

TEST_P(IniFilesTest, CyrillicIsWindows1251OnDiskUnlessTheFileIsUtf8) {
  {
    auto ini = Open(path_);
    ini->WriteString(S("Люди"), S("Имя"), S("Ёлкин"));
    ini->UpdateFile();
  }
  EXPECT_EQ(ReadBytes(path_), "[\xCB\xFE\xE4\xE8]\r\n\xC8\xEC\xFF=\xA8\xEB\xEA\xE8\xED\r\n");
  EXPECT_EQ(Open(path_)->ReadString(S("люди"), S("имя"), u""), S("Ёлкин"));

  const std::string utf8 = dir_.File("utf8.ini");
  WriteBytes(utf8, "\xEF\xBB\xBF[Люди]\nИмя=Пётр\n");
  auto ini = Open(utf8);
  EXPECT_EQ(ini->ReadString(S("Люди"), S("Имя"), u""), S("Пётр"));
  ini->WriteString(S("Люди"), S("Город"), S("Омск"));
  ini->UpdateFile();
  EXPECT_EQ(ReadBytes(utf8), "\xEF\xBB\xBF[Люди]\r\nИмя=Пётр\r\nГород=Омск\r\n");
}

TEST_P(IniFilesTest, RefusesWhatWouldBreakTheFile) {
  auto ini = Open(path_);
  ini->WriteString(u"S", u"K", u"kept");
  const struct {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
  } cases[] = {{u"S", u"K", u"a\r\n[Other]\r\nK=v"},
               {u"S\nT", u"K", u"v"},
               {u"S", u"a=b", u"v"},
               {u"S", u"[K", u"v]"},
               {u"S", u";K", u"v"}};
  for (const auto& c : cases)
    EXPECT_THROW(ini->WriteString(c.section, c.key, c.value), EIniFileException) << StringToUtf8(c.key);
  ini->UpdateFile();
  EXPECT_EQ(ReadBytes(path_), "[S]\r\nK=kept\r\n");
}

TEST_P(IniFilesTest, BareNameResolvesAgainstTheCurrentFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.Path());
  auto ini = Open("edu.ini");
  std::filesystem::current_path(previous);  // later writes still go to the folder of creation
  EXPECT_FALSE(ini->SectionExists(u"Application"));
  ini->WriteInteger(u"Application", u"Mode", 0);
  ini->UpdateFile();
  EXPECT_EQ(ini->FileName(), u"edu.ini");
  EXPECT_EQ(ReadBytes(dir_.File("edu.ini")), "[Application]\r\nMode=0\r\n");
}

TEST_P(IniFilesTest, FailedSaveLeavesTheOldFileIntact) {
  const std::string original = "[S]\r\nKey=old\r\n";
  for (TAtomicFileStep step :
       {TAtomicFileStep::afsWrite, TAtomicFileStep::afsSync, TAtomicFileStep::afsRename}) {
    WriteBytes(path_, original);
    auto ini = Open(path_);
    SetAtomicFileFault([step](TAtomicFileStep s) { return s == step; });
    if (GetParam() == Kind::Through) {
      EXPECT_THROW(ini->WriteString(u"S", u"Key", S("новое значение, длиннее старого")), EIniFileException);
      EXPECT_EQ(ini->ReadString(u"S", u"Key", u""), u"old");  // the object follows the file
    } else {
      ini->WriteString(u"S", u"Key", u"new");
      EXPECT_THROW(ini->UpdateFile(), EFCreateError);
      EXPECT_EQ(ini->ReadString(u"S", u"Key", u""), u"new");  // kept for another try
    }
    EXPECT_EQ(ReadBytes(path_), original) << static_cast<int>(step);
    EXPECT_EQ(dir_.EntryCount(), 1u) << "the temporary file is removed";
    SetAtomicFileFault(nullptr);
    ini->WriteString(u"S", u"Key", u"new");
    ini->UpdateFile();
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nKey=new\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Both, IniFilesTest, testing::Values(Kind::Through, Kind::Memory),
                         [](const testing::TestParamInfo<Kind>& info) {
                           return info.param == Kind::Through ? "TIniFile" : "TMemIniFile";
                         });

TEST(IniFileTest, WritesThroughAndSeesOtherWriters) {
  TempDir dir;
  const String name = Utf8ToString(dir.File("shared.ini"));
  TIniFile first(name);
  TIniFile second(name);
  first.WriteString(u"S", u"K", u"1");
  EXPECT_EQ(ReadBytes(dir.File("shared.ini")), "[S]\r\nK=1\r\n");
  EXPECT_EQ(second.ReadString(u"S", u"K", u""), u"1");
  second.WriteString(u"S", u"K2", u"2");
  EXPECT_EQ(first.ReadString(u"S", u"K2", u""), u"2");
}

TEST(IniFileTest, MemIniFileWritesOnUpdateOnly) {
  TempDir dir;
  const std::string path = dir.File("mem.ini");
  TMemIniFile ini(Utf8ToString(path));
  ini.WriteString(u"S", u"K", u"1");
  EXPECT_FALSE(std::filesystem::exists(path));
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(path), "[S]\r\nK=1\r\n");
}

TEST(IniFileTest, UnreadableFileRaises) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.ini"));
  EXPECT_THROW(TMemIniFile(Utf8ToString(dir.File("folder.ini"))), EFOpenError);
}

}  // namespace
