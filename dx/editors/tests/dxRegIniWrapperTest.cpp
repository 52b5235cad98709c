#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dx/editors/dxRegIniWrapper.h"
#include "platform/classes/RegistryStore.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/String.h"

namespace {

enum class Store { IniFile, MemIniFile, Registry };

class DxRegIniWrapperTest : public ::testing::TestWithParam<Store> {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/trenvik-dxwrap-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    SetRegistryStoreFileName(Utf8ToString(dir_ + "/registry"));
    const String ini = Utf8ToString(dir_ + "/layout.ini");
    switch (GetParam()) {
      case Store::IniFile: store_ = std::make_unique<TIniFile>(ini); break;
      case Store::MemIniFile: store_ = std::make_unique<TMemIniFile>(ini); break;
      case Store::Registry: store_ = std::make_unique<TRegIniFile>(u"Software\\Trenvik\\Test"); break;
    }
    wrapper_.SetIniObject(store_.get());
  }
  void TearDown() override {
    store_.reset();
    SetRegistryStoreFileName(String());
    std::filesystem::remove_all(dir_);
  }
  bool IsRegistry() const { return GetParam() == Store::Registry; }
  std::vector<String> Sections() {
    TStringList list;
    wrapper_.ReadSections(&list);
    std::vector<String> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;
  std::unique_ptr<TObject> store_;
  TdxRegIniWrapper wrapper_;
};

INSTANTIATE_TEST_SUITE_P(Stores, DxRegIniWrapperTest,
                         ::testing::Values(Store::IniFile, Store::MemIniFile, Store::Registry),
                         [](const auto& info) {
                           switch (info.param) {
                             case Store::IniFile: return std::string("IniFile");
                             case Store::MemIniFile: return std::string("MemIniFile");
                             default: return std::string("Registry");
                           }
                         });

TEST_P(DxRegIniWrapperTest, ValuesRoundTripThroughEachStore) {
  wrapper_.WriteString(u"Grid", u"Caption", u"Список сотрудников");
  wrapper_.WriteInteger(u"Grid", u"Width", -120);
  wrapper_.WriteBool(u"Grid\\Band0", u"Visible", true);
  EXPECT_EQ(wrapper_.ReadString(u"Grid", u"Caption", u""), u"Список сотрудников");
  EXPECT_EQ(wrapper_.ReadInteger(u"Grid", u"Width", 0), -120);
  EXPECT_TRUE(wrapper_.ReadBool(u"Grid\\Band0", u"Visible", false));
  EXPECT_EQ(wrapper_.ReadString(u"Grid", u"Missing", u"def"), u"def");
  TStringList idents;
  wrapper_.ReadSection(u"Grid", &idents);
  EXPECT_EQ(idents.Count(), 2);
  wrapper_.EraseSection(u"Grid\\Band0");
  EXPECT_FALSE(wrapper_.ReadBool(u"Grid\\Band0", u"Visible", false));
}

// The prefix comparison is case-sensitive, and the registry keeps its keys.
TEST_P(DxRegIniWrapperTest, EraseSectionsByPrefixOnIniStoresOnly) {
  for (const char16_t* s : {u"Band0", u"band1", u"Bands\\x", u"Columns"}) wrapper_.WriteInteger(s, u"V", 1);
  const auto before = Sections();
  wrapper_.EraseSectionsByPrefix(u"Band");
  if (IsRegistry()) {
    EXPECT_EQ(Sections(), before);
  } else {
    EXPECT_EQ(Sections(), (std::vector<String>{u"Columns", u"band1"}));
  }
}

TEST_P(DxRegIniWrapperTest, BinaryDataLivesOnlyInTheRegistry) {
  const unsigned char bytes[5] = {1, 0, 0xFF, 7, 42};
  wrapper_.WriteBinaryData(u"Grid\\Filter", u"Data", 5, bytes);
  unsigned char back[8] = {};
  if (!IsRegistry()) {
    EXPECT_EQ(wrapper_.ReadBinaryData(u"Grid\\Filter", u"Data", 8, back), 0);
    EXPECT_TRUE(Sections().empty());
    return;
  }
  EXPECT_EQ(wrapper_.ReadBinaryData(u"Grid\\Filter", u"Data", 0, nullptr), 5);  // a size query
  EXPECT_EQ(wrapper_.ReadBinaryData(u"Grid\\Filter", u"Data", 8, back), 5);
  EXPECT_EQ(std::vector<unsigned char>(back, back + 5), std::vector<unsigned char>(bytes, bytes + 5));
  EXPECT_EQ(wrapper_.ReadBinaryData(u"Grid\\Filter", u"Other", 0, nullptr), 0);
  EXPECT_EQ(wrapper_.ReadBinaryData(u"Grid\\NoKey", u"Data", 8, back), 0);
  // The store's current key is what it was: INI-style access still works below it.
  wrapper_.WriteString(u"Grid", u"After", u"ok");
  EXPECT_EQ(wrapper_.ReadString(u"Grid", u"After", u""), u"ok");
}

}  // namespace
