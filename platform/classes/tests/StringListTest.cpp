#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ClassesTestSupport.h"
#include "platform/classes/Classes.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

void AddAll(TStrings& list, std::initializer_list<const char*> items) {
  for (const char* s : items) list.Add(S(s));
}

class RussianLocale : public testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  void TearDown() override { SetLocale("ru-RU"); }
};

using StringListTest = RussianLocale;

TEST_F(StringListTest, SortedListFollowsDuplicatesPolicy) {
  struct Case {
    TDuplicates duplicates;
    std::vector<std::string> expected;
    bool raises;
  };
  const Case cases[] = {
      {dupIgnore, {"a", "b", "c"}, false},
      {dupAccept, {"A", "a", "b", "c"}, false},  // before the equal one Find answers
      {dupError, {"a", "b", "c"}, true},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    AddAll(list, {"b", "a", "c"});
    if (c.raises) {
      EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add(u"A"); }),
                "String list does not allow duplicates");
    } else {
      const int index = list.Add(u"A");
      EXPECT_EQ(list.Strings(index), c.duplicates == dupIgnore ? u"a" : u"A");
    }
    EXPECT_EQ(Lines(list), c.expected) << c.duplicates;
  }
}

TEST_F(StringListTest, CyrillicSortAndCaseInsensitiveSearch) {
  TStringList list;
  AddAll(list, {"яблоко", "Ёж", "еда", "Арбуз", "жук", "banana"});
  EXPECT_EQ(list.IndexOf(S("ЯБЛОКО")), 0);  // unsorted: linear, ignoring case
  EXPECT_EQ(list.IndexOf(S("ёж")), 1);
  EXPECT_EQ(list.IndexOf(S("еж")), -1);  // е and ё are different letters
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"banana", "Арбуз", "еда", "Ёж", "жук", "яблоко"}));
  int index = -1;
  EXPECT_TRUE(list.Find(S("ЖУК"), index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(list.Find(S("вишня"), index));
  EXPECT_EQ(index, 2);  // where it would go
  EXPECT_EQ(list.IndexOf(S("арбуз")), 1);
}

TEST_F(StringListTest, CaseSensitiveSwitchResortsSortedList) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  AddAll(list, {"b", "B", "a", "A"});
  list.SetCaseSensitive(true);
  // Lower case before upper case on otherwise equal text; every item is found again.
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "A", "b", "B"}));
  for (const char* s : {"a", "A", "b", "B"}) EXPECT_EQ(StringToUtf8(list.Strings(list.IndexOf(S(s)))), s);
  EXPECT_EQ(list.IndexOf(u"c"), -1);
}

TEST_F(StringListTest, ObjectsTravelWithTheirStrings) {
  TStringList owners[4];
  TStringList list;
  list.AddObject(u"c", &owners[2]);
  list.AddObject(u"a", &owners[0]);
  list.AddObject(u"d", &owners[3]);
  list.AddObject(u"b", &owners[1]);
  auto check = [&](const std::vector<std::string>& expected) {
    ASSERT_EQ(Lines(list), expected);
    for (int i = 0; i < list.Count(); ++i)
      EXPECT_EQ(list.Objects(i), &owners[list.Strings(i)[0] - u'a']) << i;
  };
  list.Exchange(0, 3);
  check({"b", "a", "d", "c"});
  list.Move(0, 2);
  check({"a", "d", "b", "c"});
  list.Sort();
  check({"a", "b", "c", "d"});
  list.CustomSort([](TStringList* l, int i, int j) { return -l->Strings(i).compare(l->Strings(j)); });
  check({"d", "c", "b", "a"});
  list.SetStrings(0, u"d");  // Put keeps the object
  check({"d", "c", "b", "a"});
  EXPECT_EQ(list.IndexOfObject(&owners[1]), 2);
}

TEST_F(StringListTest, CustomSortKeepsEqualItemsInOrder) {
  TStringList list;
  AddAll(list, {"b1", "a1", "b2", "a2", "b3"});
  list.CustomSort([](TStringList* l, int i, int j) { return l->Strings(i)[0] - l->Strings(j)[0]; });
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a1", "a2", "b1", "b2", "b3"}));
}

TEST_F(StringListTest, TextSplitsOnAnyLineBreakAndJoinsWithCrLf) {
  const struct {
    const char16_t* text;
    std::vector<std::string> lines;
  } cases[] = {
      {u"", {}},
      {u"a", {"a"}},
      {u"a\r\nb\r\n", {"a", "b"}},
      {u"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
      {u"\r\n", {""}},
      {u"\n\n", {"", ""}},
      {u"x\n\r", {"x", ""}},  // LF then CR: two breaks
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << StringToUtf8(c.text);
  }
  TStringList list;
  AddAll(list, {"один", "", "три"});
  EXPECT_EQ(list.Text(), S("один\r\n\r\nтри\r\n"));
}

TEST_F(StringListTest, DelimitedAndCommaText) {
  TStringList list;
  AddAll(list, {"plain", "with space", "q\"uote", "", "a,b"});
  EXPECT_EQ(StringToUtf8(list.CommaText()), R"(plain,"with space","q""uote",,"a,b")");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(&list));

  const struct {
    const char* text;
    std::vector<std::string> items;
  } cases[] = {
      {"", {}},
      {"a,b", {"a", "b"}},
      {" a , b ", {"a", "b"}},
      {"a b", {"a", "b"}},  // an unquoted blank separates too
      {"a,", {"a", ""}},
      {"\"x y\",z", {"x y", "z"}},
      {"\"\"", {""}},
  };
  for (const auto& c : cases) {
    TStringList parsed;
    parsed.SetCommaText(S(c.text));
    EXPECT_EQ(Lines(parsed), c.items) << c.text;
  }
  TStringList single;
  single.Add(String());
  EXPECT_EQ(single.CommaText(), u"\"\"");

  TStringList semi;
  semi.SetDelimiter(u';');
  semi.SetQuoteChar(u'\'');
  semi.SetDelimitedText(u"'a;b';c");
  EXPECT_EQ(Lines(semi), (std::vector<std::string>{"a;b", "c"}));
  EXPECT_EQ(semi.DelimitedText(), u"'a;b';c");
  EXPECT_EQ(semi.CommaText(), u"a;b,c");
  EXPECT_EQ(semi.Delimiter(), u';');  // CommaText leaves the list's own settings alone
}

TEST_F(StringListTest, NamesAndValues) {
  TStringList list;
  AddAll(list, {"Mode=1", "Путь=/tmp/a=b", "bare"});
  EXPECT_EQ(list.Names(1), S("Путь"));
  EXPECT_EQ(list.Values(S("ПУТЬ")), u"/tmp/a=b");  // names ignore case
  EXPECT_EQ(list.ValueFromIndex(1), u"/tmp/a=b");
  EXPECT_EQ(list.Names(2), u"");
  EXPECT_EQ(list.ValueFromIndex(2), u"");
  EXPECT_EQ(list.IndexOfName(u"mode"), 0);
  list.SetValues(u"MODE", u"2");
  list.SetValues(u"New", u"x");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"MODE=2", "Путь=/tmp/a=b", "bare", "New=x"}));
  list.SetValues(u"mode", u"");  // an empty value deletes the item
  EXPECT_EQ(list.IndexOfName(u"mode"), -1);
  list.SetValueFromIndex(2, u"y");
  EXPECT_EQ(list.Strings(2), u"New=y");
}

TEST_F(StringListTest, ErrorsLeaveTheListIntact) {
  TStringList list;
  AddAll(list, {"b", "a"});
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Strings(2); }), "List index out of bounds (2)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(3, u"x"); }), "List index out of bounds (3)");
  list.Insert(2, u"c");  // one past the end is allowed
  list.SetSorted(true);
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, u"x"); }),
            "Operation not allowed on sorted list");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 2); }), "Operation not allowed on sorted list");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetStrings(0, u"z"); }),
            "Operation not allowed on sorted list");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_THROW(list.SetCapacity(1), EStringListError);
}

TEST_F(StringListTest, UpdateBracketNotifiesOnce) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add(u"x");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  AddAll(list, {"a", "b"});
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText(u"1\r\n2\r\n3");  // one bracket for the whole text
  EXPECT_EQ(changed, 3);
}

TEST_F(StringListTest, AssignCopiesFromStringsOnly) {
  TStringList source, target;
  source.AddObject(u"a", &target);
  source.Add(u"b");
  source.SetDelimiter(u';');
  target.Add(u"old");
  target.Assign(&source);
  EXPECT_EQ(Lines(target), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(target.Objects(0), &target);
  EXPECT_EQ(target.Delimiter(), u';');
  TPersistent other;
  EXPECT_EQ(MessageOf<EConvertError>([&] { target.Assign(&other); }),
            "Cannot assign a TPersistent to a TStringList");
}

// A list kept elsewhere (as a memo keeps its lines): only the abstract operations are provided, the
// rest comes from TStrings.
class VectorStrings : public TStrings {
 public:
  std::vector<String> items;
  std::vector<bool> updating;
  void Clear() override { items.clear(); }
  void Delete(int Index) override { items.erase(items.begin() + Index); }
  void Insert(int Index, const String& S) override { items.insert(items.begin() + Index, S); }

 protected:
  String Get(int Index) const override { return items.at(Index); }
  int GetCount() const override { return static_cast<int>(items.size()); }
  void SetUpdating(bool Updating) override { updating.push_back(Updating); }
};

TEST_F(StringListTest, DescendantGetsTheBaseOperations) {
  VectorStrings lines;
  lines.SetText(u"b\r\nA\r\nc");
  EXPECT_EQ(lines.updating, (std::vector<bool>{true, false}));
  EXPECT_EQ(lines.IndexOf(u"a"), 1);
  lines.Exchange(0, 2);
  lines.Move(0, 1);
  lines.SetStrings(2, u"z");
  EXPECT_EQ(Lines(lines), (std::vector<std::string>{"A", "c", "z"}));
  EXPECT_EQ(lines.Objects(0), nullptr);
  TStringList copy;
  copy.Assign(&lines);
  EXPECT_TRUE(copy.Equals(&lines));
  copy.SetStrings(0, u"a");
  EXPECT_FALSE(copy.Equals(&lines));  // Equals is case-sensitive
}

TEST_F(StringListTest, FilesAreCodePageTextOrUtf8WithMark) {
  TempDir dir;
  TStringList list;
  AddAll(list, {"Иванов", "Ёлкин"});
  const std::string path = dir.File("people.txt");
  list.SaveToFile(Utf8ToString(path));
  EXPECT_EQ(ReadBytes(path), "\xC8\xE2\xE0\xED\xEE\xE2\r\n\xA8\xEB\xEA\xE8\xED\r\n");  // Windows-1251
  TStringList back;
  back.LoadFromFile(Utf8ToString(path));
  EXPECT_TRUE(back.Equals(&list));

  std::ofstream(dir.File("utf8.txt"), std::ios::binary) << "\xEF\xBB\xBF"
                                                        << "Петров\nΩ";
  back.LoadFromFile(Utf8ToString(dir.File("utf8.txt")));
  EXPECT_EQ(Lines(back), (std::vector<std::string>{"Петров", "Ω"}));
  // A character the code page lacks is kept by saving UTF-8 with the mark.
  back.SaveToFile(Utf8ToString(dir.File("utf8.txt")));
  EXPECT_EQ(ReadBytes(dir.File("utf8.txt")), "\xEF\xBB\xBFПетров\r\nΩ\r\n");
}

// A component that streams a list, as a list box streams its Items.
class TTestLister : public TComponent {
  TRENVIK_CLASS(TTestLister, TComponent);

 public:
  explicit TTestLister(TComponent* AOwner) : TComponent(AOwner) {}
  TStrings* Items() const { return const_cast<TStringList*>(&items_); }
  void SetItems(TStrings* Value) { items_.Assign(Value); }

 private:
  TStringList items_;
};

}  // namespace

TRENVIK_PUBLISHED(TTestLister) { P.Property("Items", &TTestLister::Items, &TTestLister::SetItems); }

namespace {

TEST_F(StringListTest, ItemsStreamWithTheirComponent) {
  TTestLister source(nullptr);
  source.SetName(u"Lister");
  AddAll(*source.Items(), {"первый", "", "third line"});
  TMemoryStream stream;
  WriteComponent(&stream, &source);
  stream.SetPosition(0);
  TTestLister target(nullptr);
  target.Items()->Add(u"replaced");
  ReadComponent(&stream, &target);
  EXPECT_EQ(Lines(*target.Items()), (std::vector<std::string>{"первый", "", "third line"}));
}

}  // namespace
