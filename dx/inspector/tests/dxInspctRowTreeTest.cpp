#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "dx/editors/dxRegIniWrapper.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/dxInspctRowTree.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/classes/RegistryStore.h"

namespace {

class TTreeControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
};

class RowTreeTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    char pattern[] = "/tmp/dxinspXXXXXX";
    dir_ = ::mkdtemp(pattern);
    SetRegistryStoreFileName(Utf8ToString(dir_ + "/registry"));
  }
  void TearDown() override {
    InspectorTest::TearDown();
    SetRegistryStoreFileName(String());
    std::filesystem::remove_all(dir_);
  }
  // A control with top-level rows of the given names, in that order.
  TTreeControl* MakeControl(std::initializer_list<const char*> names) {
    if (!form_) {
      form_ = NewForm<TForm>(nullptr);
      form_->SetBounds(100, 100, 360, 300);
    }
    auto* c = new TTreeControl(form_);
    c->SetParent(form_);
    c->SetBounds(10, 10, 300, 250);
    for (const char* name : names) {
      TdxInspectorRow* row = c->AddRowOfClass(TdxInspectorTextRow::StaticClass());
      row->SetName(Utf8ToString(name));
    }
    form_->Show();
    Pump();
    return c;
  }
  static TdxInspectorNode* NodeOf(TTreeControl* c, const char* name) {
    return c->FindRowByName(Utf8ToString(name))->Node();
  }
  // The tree as text: names in display order over all nodes, children in brackets, "+" for expanded.
  static std::string Shape(TdxInspectorNode* n) {
    TdxInspectorRow* row = TCustomdxInspectorControl::RowOf(n);
    std::string s = row ? StringToUtf8(row->Name()) : "?";
    if (n->Expanded()) s += "+";
    if (n->HasChildren()) {
      s += "(";
      for (int i = 0; i < n->Count(); ++i) s += (i ? " " : "") + Shape(n->Items(i));
      s += ")";
    }
    return s;
  }
  static std::string Shape(TTreeControl* c) {
    std::string s;
    for (int i = 0; i < c->Count(); ++i) s += (i ? " " : "") + Shape(c->Items(i));
    return s;
  }
  static std::vector<Byte> Written(TTreeControl* c) {
    TMemoryStream stream;
    c->WriteRowTree(&stream);
    const Byte* p = static_cast<const Byte*>(stream.Memory());
    return std::vector<Byte>(p, p + stream.Size());
  }
  static void Read(TTreeControl* c, const std::vector<Byte>& bytes) {
    TCustomMemoryStream stream(bytes.data(), static_cast<Int64>(bytes.size()));
    c->ReadPendingRowTree(&stream);
    c->BeginUpdate();
    const struct Done {
      TTreeControl* c;
      ~Done() {
        c->FreePendingRowTree();
        c->EndUpdate();
      }
    } done{c};
    c->ReadRowTree();
  }
  static Integer Int32At(const std::vector<Byte>& b, size_t at) {
    return static_cast<Integer>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                                static_cast<uint32_t>(b[at + 3]) << 24);
  }

  std::string dir_;
};

TEST_F(RowTreeTest, EightTopRowsWith21ByteNamesMakeThe276ByteGoldenStream) {
  auto* c = MakeControl({"PersonCardSurnameRow1", "PersonCardNameRowTwo2", "PersonCardPatronymic3",
                         "PersonCardBirthDate04", "PersonCardSexRowName5", "PersonCardCategory006",
                         "PersonCardWorkPlace07", "PersonCardPositionRw8"});
  const std::vector<Byte> b = Written(c);
  ASSERT_EQ(b.size(), 276u);
  EXPECT_EQ(Int32At(b, 0), 272);  // total length
  EXPECT_EQ(Int32At(b, 4), 8);    // top count
  EXPECT_EQ(Int32At(b, 8), 8);    // record size
  EXPECT_EQ(Int32At(b, 12), 0);   // child count
  EXPECT_EQ(Int32At(b, 16), 21);  // name length
  EXPECT_EQ(std::string(b.begin() + 20, b.begin() + 41), "PersonCardSurnameRow1");
  EXPECT_EQ(Int32At(b, 41), 8);   // the second record
  EXPECT_EQ(Int32At(b, 272), 0);  // expanded count
}

TEST_F(RowTreeTest, ShapeAndExpansionRoundTripIncludingExpandedNodesUnderCollapsedParents) {
  auto* source = MakeControl({"a", "b", "c", "d", "e", "f"});
  NodeOf(source, "c")->MoveTo(NodeOf(source, "b"), inaAddChild);
  NodeOf(source, "d")->MoveTo(NodeOf(source, "c"), inaAddChild);
  NodeOf(source, "e")->MoveTo(NodeOf(source, "a"), inaInsert);
  NodeOf(source, "c")->Expand(false);
  NodeOf(source, "b")->Collapse(false);
  const std::string shape = Shape(source);
  ASSERT_EQ(shape, "e a b(c+(d)) f");
  const std::vector<Byte> bytes = Written(source);
  auto* target = MakeControl({"f", "d", "c", "b", "a", "e"});
  NodeOf(target, "a")->MoveTo(NodeOf(target, "f"), inaAddChild);  // a stale shape the stream replaces
  Read(target, bytes);
  EXPECT_EQ(Shape(target), shape);
}

TEST_F(RowTreeTest, RowsTheStreamDoesNotNameStayInFrontAndADeletedRowStopsTheReading) {
  auto* source = MakeControl({"a", "b", "c"});
  NodeOf(source, "c")->MoveTo(NodeOf(source, "a"), inaInsert);
  const std::vector<Byte> bytes = Written(source);  // c a b
  auto* newer = MakeControl({"b", "a", "new", "c"});
  Read(newer, bytes);
  EXPECT_EQ(Shape(newer), "new c a b");
  auto* older = MakeControl({"b", "c"});  // "a" was deleted: c is placed, then the reading stops
  Read(older, bytes);
  EXPECT_EQ(Shape(older), "b c");
}

TEST_F(RowTreeTest, ARowWithoutANodeSkipsItsWholeSubtree) {
  auto* source = MakeControl({"p", "q", "x", "y"});
  NodeOf(source, "q")->MoveTo(NodeOf(source, "p"), inaAddChild);
  NodeOf(source, "y")->MoveTo(NodeOf(source, "x"), inaInsert);
  const std::vector<Byte> bytes = Written(source);  // p(q) y x
  auto* target = MakeControl({"x", "y", "p", "q"});
  target->FindRowByName(u"p")->SetVisible(false);
  Read(target, bytes);
  // p is hidden: its child record q is skipped with it, and y and x are still read in step.
  EXPECT_EQ(Shape(target), "q y x");
}

TEST_F(RowTreeTest, CorruptStreamsRaiseBeforeAnythingMoves) {
  auto* source = MakeControl({"a", "b"});
  NodeOf(source, "b")->MoveTo(NodeOf(source, "a"), inaInsert);
  const std::vector<Byte> good = Written(source);
  struct Case {
    const char* what;
    std::function<void(std::vector<Byte>&)> spoil;
  };
  auto put = [](std::vector<Byte>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = Byte(v >> (8 * i));
  };
  const Case cases[] = {
      {"cut in a name", [](std::vector<Byte>& b) { b.resize(22); }},
      {"huge top count", [&](std::vector<Byte>& b) { put(b, 4, 0x7FFFFFFF); }},
      {"negative top count", [&](std::vector<Byte>& b) { put(b, 4, 0xFFFFFFFF); }},
      {"record size below 8", [&](std::vector<Byte>& b) { put(b, 8, 4); }},
      {"record size past the end", [&](std::vector<Byte>& b) { put(b, 8, 100000); }},
      {"huge child count", [&](std::vector<Byte>& b) { put(b, 12, 1000000); }},
      {"name length past the end", [&](std::vector<Byte>& b) { put(b, 16, 5000); }},
      {"negative name length", [&](std::vector<Byte>& b) { put(b, 16, 0x80000000u); }},
  };
  for (const Case& c : cases) {
    std::vector<Byte> bad = good;
    c.spoil(bad);
    // Keep the total length consistent with what is there, so the body itself is what is wrong.
    put(bad, 0, static_cast<uint32_t>(bad.size() - 4));
    auto* target = MakeControl({"a", "b"});
    EXPECT_THROW(Read(target, bad), EReadError) << c.what;
    EXPECT_EQ(Shape(target), "a b") << c.what;
  }
  // A total length beyond the stream is refused too.
  std::vector<Byte> longer = good;
  put(longer, 0, 5000);
  TCustomMemoryStream stream(longer.data(), static_cast<Int64>(longer.size()));
  auto* target = MakeControl({"a", "b"});
  EXPECT_THROW(target->ReadPendingRowTree(&stream), EReadError);
}

TEST_F(RowTreeTest, AnOlderStreamWithoutTheExpandedListLeavesExpansionAlone) {
  auto* source = MakeControl({"a", "b"});
  NodeOf(source, "b")->MoveTo(NodeOf(source, "a"), inaAddChild);
  NodeOf(source, "a")->Collapse(false);
  std::vector<Byte> bytes = Written(source);
  bytes.resize(bytes.size() - 4);  // without the (zero) expanded count
  const Integer length = static_cast<Integer>(bytes.size() - 4);
  std::memcpy(bytes.data(), &length, 4);
  auto* target = MakeControl({"a", "b", "z"});
  NodeOf(target, "z")->MoveTo(NodeOf(target, "a"), inaAddChild);
  NodeOf(target, "a")->Expand(false);
  Read(target, bytes);
  EXPECT_EQ(Shape(target), "a+(z b)");
  // With the list, even an empty one, everything not named is collapsed.
  Read(target, Written(source));
  EXPECT_EQ(Shape(target), "a(z b)");
}

TEST_F(RowTreeTest, TheRegistryLayoutRoundTripsUnderANormalisedKey) {
  auto* source = MakeControl({"a", "b", "c"});
  TdxInspectorRow* cat = source->AddRowOfClass(TdxInspectorTextRow::StaticClass());
  cat->SetName(u"cat");
  cat->SetIsCategory(true);
  cat->SetCaption(u"Категория");
  NodeOf(source, "b")->MoveTo(NodeOf(source, "cat"), inaAddChild);
  NodeOf(source, "cat")->Expand(false);
  source->FindRowByName(u"a")->SetRowHeight(source->RowHeight() + 7);
  source->FindRowByName(u"c")->SetVisible(false);
  source->SetDividerPos(123);
  source->SaveToRegistry(u"Software\\Trenvik\\Card\\\\");
  {
    TRegIniFile registry(u"");
    EXPECT_TRUE(registry.KeyExists(u"\\Software\\Trenvik\\Card\\Categories"));
    EXPECT_EQ(StringToUtf8(registry.ReadString(u"\\Software\\Trenvik\\Card\\Categories", u"cat", u"")),
              "Категория");
  }
  auto* target = MakeControl({"c", "b", "a"});
  const int designedHeight = target->FindRowByName(u"a")->RowHeight();
  target->LoadFromRegistry(u"\\Software\\Trenvik\\Card");
  TdxInspectorRow* loadedCat = target->FindRowByName(u"cat");
  ASSERT_NE(loadedCat, nullptr);
  EXPECT_TRUE(loadedCat->IsCategory());
  EXPECT_EQ(StringToUtf8(loadedCat->Caption()), "Категория");
  EXPECT_EQ(Shape(target), "a cat+(b)");
  EXPECT_FALSE(target->FindRowByName(u"c")->Visible());
  EXPECT_EQ(target->FindRowByName(u"a")->RowHeight(), designedHeight + 7);
  EXPECT_EQ(target->DividerPos(), 123);
  // A missing key changes nothing.
  target->SetDividerPos(90);
  target->LoadFromRegistry(u"Software\\Nowhere");
  EXPECT_EQ(target->DividerPos(), 90);
}

TEST_F(RowTreeTest, AnUnreadableStoredTreeCountsAsAbsent) {
  auto* source = MakeControl({"a", "b"});
  source->SetDividerPos(111);
  source->SaveToRegistry(u"Software\\Trenvik\\Bad");
  {
    TRegIniFile registry(u"");
    TdxRegIniWrapper wrapper;
    wrapper.SetIniObject(&registry);
    const Byte junk[] = {200, 0, 0, 0, 9, 9};  // claims 200 bytes, holds 2
    wrapper.WriteBinaryData(u"\\Software\\Trenvik\\Bad", u"Nodes", sizeof(junk), junk);
  }
  auto* target = MakeControl({"b", "a"});
  EXPECT_NO_THROW(target->LoadFromRegistry(u"Software\\Trenvik\\Bad"));
  EXPECT_EQ(Shape(target), "b a");       // the designed order stays
  EXPECT_EQ(target->DividerPos(), 111);  // the readable values still apply
}

TEST_F(RowTreeTest, AnIniStorageKeepsEverythingButTheTree) {
  auto* source = MakeControl({"a", "b"});
  source->SetDividerPos(140);
  source->FindRowByName(u"b")->SetVisible(false);
  TMemIniFile ini(Utf8ToString(dir_ + "/layout.ini"));
  source->SaveToRegIni(&ini, u"Insp");
  auto* target = MakeControl({"b", "a"});
  target->LoadFromRegIni(&ini, u"Insp");
  EXPECT_EQ(target->DividerPos(), 140);
  EXPECT_FALSE(target->FindRowByName(u"b")->Visible());
  EXPECT_EQ(Shape(target), "a");
}

TEST_F(RowTreeTest, StoredSizesPastAnyScreenAreIgnoredAndTheControlStillPaints) {
  auto* target = MakeControl({"a", "b"});
  const int band = target->BandWidth(), divider = target->DividerPos();
  const int height = target->FindRowByName(u"a")->RowHeight();
  TMemIniFile ini(Utf8ToString(dir_ + "/hostile.ini"));
  ini.WriteInteger(u"Insp", u"BandWidth", 2147483647);
  ini.WriteInteger(u"Insp", u"DividerPos", 2147483647);
  ini.WriteInteger(u"Insp\\Rows\\a", u"RowHeight", 2147483647);
  ini.WriteInteger(u"Insp\\Rows\\b", u"RowHeight", -2147483647 - 1);
  target->LoadFromRegIni(&ini, u"Insp");
  EXPECT_EQ(target->BandWidth(), band);
  EXPECT_EQ(target->DividerPos(), divider);
  EXPECT_EQ(target->FindRowByName(u"a")->RowHeight(), height);
  EXPECT_EQ(target->FindRowByName(u"b")->RowHeight(), height);
  target->Repaint();
}

}  // namespace
