#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"

namespace {

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/streams-test-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  String File(const char* name) const { return S(path_ + "/" + name); }

 private:
  std::string path_;
};

template <typename E>
String MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return u"<no exception>";
}

TEST(MemoryStream, WriteSeekReadAndGrowth) {
  TMemoryStream stream;
  std::vector<Byte> data(100000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<Byte>(i * 7);
  for (size_t i = 0; i < data.size(); i += 1000) stream.WriteBuffer(&data[i], 1000);
  EXPECT_EQ(stream.Size(), 100000);
  EXPECT_EQ(stream.Position(), 100000);
  EXPECT_GE(stream.Capacity(), 100000);
  EXPECT_EQ(std::memcmp(stream.Memory(), data.data(), data.size()), 0);

  EXPECT_EQ(stream.Seek(-10, soFromEnd), 99990);
  Byte tail[10];
  stream.ReadBuffer(tail, 10);
  EXPECT_EQ(std::memcmp(tail, &data[99990], 10), 0);
  EXPECT_EQ(stream.Read(tail, 10), 0);  // at the end
  EXPECT_EQ(stream.Seek(5, soFromBeginning), 5);
  EXPECT_EQ(stream.Seek(3, soFromCurrent), 8);

  // Writing past the end leaves zeros in the gap, even over bytes that a shrink dropped.
  stream.SetSize(4);
  EXPECT_EQ(stream.Position(), 4);
  stream.SetPosition(8);
  const Byte x = 0xAB;
  stream.WriteBuffer(&x, 1);
  ASSERT_EQ(stream.Size(), 9);
  const Byte* bytes = static_cast<const Byte*>(stream.Memory());
  EXPECT_EQ(std::vector<Byte>(bytes + 4, bytes + 9), (std::vector<Byte>{0, 0, 0, 0, 0xAB}));

  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, ShortTransfersRaiseStreamErrors) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(1);
  char buffer[8];
  EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }), u"Stream read error");
  // The short read took what there was.
  EXPECT_EQ(stream.Position(), 3);

  const char text[] = "hello";
  TCustomMemoryStream readOnly(text, 5);
  EXPECT_EQ(readOnly.Write("x", 1), 0);
  EXPECT_EQ(MessageOf<EWriteError>([&] { readOnly.WriteBuffer("x", 1); }), u"Stream write error");
  EXPECT_STREQ(text, "hello");
  readOnly.ReadBuffer(buffer, 5);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  EXPECT_EQ(readOnly.Memory(), static_cast<const void*>(text));

  // A position near the end of the Int64 range: nothing can be written or read there, and seeking
  // further wraps (the position turns negative) instead of overflowing.
  const Int64 far = std::numeric_limits<Int64>::max() - 1;
  stream.SetPosition(far);
  EXPECT_EQ(MessageOf<EWriteError>([&] { stream.WriteBuffer("xyz", 3); }), u"Stream write error");
  EXPECT_EQ(stream.Size(), 3);
  EXPECT_EQ(stream.Read(buffer, 1), 0);
  EXPECT_LT(stream.Seek(10, soFromCurrent), 0);
  EXPECT_EQ(stream.Write("x", 1), 0);
  EXPECT_EQ(stream.Seek(-3, soFromEnd), 0);
}

TEST(MemoryStream, CopyFromAndLoadFromStream) {
  TStringStream source("0123456789");
  TMemoryStream target;
  source.SetPosition(7);
  EXPECT_EQ(target.CopyFrom(&source, 3), 3);
  EXPECT_EQ(target.CopyFrom(&source, 0), 10);  // 0 = the whole source from its start
  TStringStream check;
  target.SaveToStream(&check);
  EXPECT_EQ(check.DataString(), "7890123456789");

  source.SetPosition(8);
  EXPECT_THROW(target.CopyFrom(&source, 5), EReadError);

  TMemoryStream loaded;
  loaded.WriteBuffer("old content that is longer", 26);
  loaded.LoadFromStream(&source);
  EXPECT_EQ(loaded.Size(), 10);
  EXPECT_EQ(loaded.Position(), 0);
  EXPECT_EQ(std::string(static_cast<const char*>(loaded.Memory()), 10), "0123456789");
}

TEST(FileStream, RoundTripThroughFiles) {
  TempDir dir;
  const String name = dir.File("данные.bin");
  {
    TFileStream file(name, fmCreate);
    file.WriteBuffer("abcdef", 6);
    EXPECT_EQ(file.Size(), 6);
    file.SetSize(4);
    EXPECT_EQ(file.Position(), 4);
  }
  TMemoryStream memory;
  memory.LoadFromFile(name);
  EXPECT_EQ(std::string(static_cast<const char*>(memory.Memory()), 4), "abcd");

  {
    TFileStream file(name, fmOpenReadWrite);
    file.Seek(0, soFromEnd);
    file.WriteBuffer("XY", 2);
    file.SetPosition(1);
    char buffer[5];
    file.ReadBuffer(buffer, 5);
    EXPECT_EQ(std::string(buffer, 5), "bcdXY");
    EXPECT_THROW(file.ReadBuffer(buffer, 1), EReadError);
  }
  {
    TFileStream file(name, fmOpenRead);
    EXPECT_THROW(file.WriteBuffer("z", 1), EWriteError);
  }
  memory.SaveToFile(dir.File("copy.bin"));
  TFileStream copy(dir.File("copy.bin"), fmOpenRead);
  EXPECT_EQ(copy.Size(), 4);
}

TEST(FileStream, OpenAndCreateErrorsNameTheFileAndReason) {
  TempDir dir;
  const String missing = dir.File("missing.txt");
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }),
            u"Cannot open file \"" + missing + u"\". No such file or directory");
  const String badDir = dir.File("no-dir/new.txt");
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(badDir, fmCreate); }),
            u"Cannot create file \"" + badDir + u"\". No such file or directory");
  // Both are stream errors, as callers catch them.
  EXPECT_THROW(TFileStream(missing, fmOpenRead), EStreamError);
}

TEST(FileStream, ShareModesKeepOtherOpenersOut) {
  TempDir dir;
  const String name = dir.File("shared.txt");
  {
    TFileStream writer(name, fmCreate | fmShareExclusive);
    writer.WriteBuffer("keep", 4);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyWrite), EFOpenError);
    // A create that cannot get the file must not empty it first.
    EXPECT_THROW(TFileStream(name, fmCreate | fmShareExclusive), EFCreateError);
    EXPECT_EQ(writer.Size(), 4);
  }
  TFileStream reader1(name, fmOpenRead | fmShareDenyWrite);
  TFileStream reader2(name, fmOpenRead | fmShareDenyWrite);  // readers share
  EXPECT_THROW(TFileStream(name, fmOpenReadWrite | fmShareExclusive), EFOpenError);
  EXPECT_EQ(reader2.Size(), 4);
}

}  // namespace
