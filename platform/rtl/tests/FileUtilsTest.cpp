#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"

namespace {

TEST(FileUtilsTest, NameParts) {
  struct Case {
    const char16_t *name, *path, *dir, *file, *ext;
  } cases[] = {
      {u"/a/b/c.txt", u"/a/b/", u"/a/b", u"c.txt", u".txt"},
      {u"/a.d/b", u"/a.d/", u"/a.d", u"b", u""},
      {u"c.tar.gz", u"", u"", u"c.tar.gz", u".gz"},
      {u"/root", u"/", u"/", u"root", u""},
      {u"/a/b/", u"/a/b/", u"/a/b", u"", u""},
      {u"Отчёт.xls", u"", u"", u"Отчёт.xls", u".xls"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << StringToUtf8(c.name);
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << StringToUtf8(c.name);
    EXPECT_EQ(ExtractFileName(c.name), c.file) << StringToUtf8(c.name);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << StringToUtf8(c.name);
  }
  EXPECT_EQ(ChangeFileExt(u"/a/b.c/d.ini", u".bak"), u"/a/b.c/d.bak");
  EXPECT_EQ(ChangeFileExt(u"/a/b.c/d", u".bak"), u"/a/b.c/d.bak");
  EXPECT_EQ(ChangeFileExt(u"d.ini", u""), u"d");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a//"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"/");
}

TEST(FileUtilsTest, ExpandFileNameResolvesAgainstTheCurrentFolder) {
  const String cwd = GetCurrentDir();
  ASSERT_FALSE(cwd.empty());
  EXPECT_EQ(ExpandFileName(u"x.ini"), IncludeTrailingPathDelimiter(cwd) + u"x.ini");
  EXPECT_EQ(ExpandFileName(u"/a/./b/../c"), u"/a/c");
  EXPECT_EQ(ExpandFileName(u"/../.."), u"/");
  EXPECT_EQ(ExpandFileName(u"/a/b/"), u"/a/b/");
}

TEST(FileUtilsTest, FileSystemOperations) {
  char templ[] = "/tmp/rtl_fileutils_XXXXXX";
  ASSERT_NE(mkdtemp(templ), nullptr);
  const String root = Utf8ToString(templ);
  const String deep = root + u"/папка/b/c";
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + u"/"));  // already there

  const String file = deep + u"/файл.txt";
  EXPECT_FALSE(FileExists(file));
  FILE* f = std::fopen(StringToUtf8(file).c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(deep));                  // a folder is not a file
  EXPECT_FALSE(ForceDirectories(file + u"/sub"));  // a file is in the way

  const String renamed = deep + u"/new.txt";
  EXPECT_TRUE(RenameFile(file, renamed));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(FileExists(renamed));
  EXPECT_FALSE(RenameFile(file, renamed));
  EXPECT_FALSE(DeleteFile(deep));  // not for folders
  EXPECT_TRUE(DeleteFile(renamed));
  EXPECT_FALSE(DeleteFile(renamed));

  const String cwd = GetCurrentDir();
  EXPECT_TRUE(SetCurrentDir(root));
  EXPECT_EQ(ExpandFileName(u"папка/b"), root + u"/папка/b");
  EXPECT_TRUE(DirectoryExists(u"папка"));
  EXPECT_TRUE(SetCurrentDir(cwd));

  EXPECT_TRUE(RemoveDir(deep));
  EXPECT_TRUE(RemoveDir(root + u"/папка/b"));
  EXPECT_TRUE(RemoveDir(root + u"/папка"));
  EXPECT_TRUE(RemoveDir(root));
}

TEST(FileUtilsTest, ApplicationExeNameIsThisProgram) {
  const String exe = ApplicationExeName();
  EXPECT_EQ(exe[0], u'/');
  EXPECT_TRUE(FileExists(exe));
  EXPECT_EQ(ExtractFileName(exe), u"platform_rtl_tests");
}

}  // namespace
