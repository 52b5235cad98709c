#include <gtest/gtest.h>

#include <string>

#include "ClassesFixtures.h"
#include "platform/rtl/String.h"

namespace {

std::string Bytes(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

// A form with nested objects, a collection, sets, enumerations, floats, Cyrillic strings, a
// forward component reference, an event and values of its own (DefineProperties).
std::unique_ptr<TTestForm> MakeForm() {
  auto form = std::make_unique<TTestForm>(nullptr);
  form->SetName(u"Form1");
  auto* grid = new TTestWidget(form.get());
  grid->SetName(u"Grid1");
  grid->SetCaption(u"Привет, 'мир'");
  grid->SetAlign(taClient);
  grid->SetRatio(2.75);
  grid->SetBig(Int64(1) << 40);
  grid->SetPrice(Currency::FromScaled(-1234567));
  grid->SetLetter(u'Ж');
  grid->SetEnabled(false);
  grid->SetTag(-5);
  grid->SetDesignInfo(8 | (16 << 16));
  grid->Font()->SetName(u"Arial");
  grid->Font()->SetSize(10);
  grid->Font()->SetStyle({tsBold, tsUnderline});
  TTestColumn* c1 = grid->Columns()->Add();
  c1->SetCaption(u"Фамилия");
  c1->SetWidth(120);
  TTestColumn* c2 = grid->Columns()->Add();
  c2->SetCaption(u"line1\r\nline2");
  c2->SetVisible(false);
  grid->OnClick = MethodAddress<void(TObject*)>(form.get(), u"Button1Click");
  grid->SetValue(VarArrayOf({Variant(7), Variant(u"Да"), Variant(2.5), Variant(), Variant(true)}));
  grid->Lines()->Add(u"один");
  grid->Lines()->Add(u"two");
  grid->extra = {1, -300, 70000};
  grid->blob = std::string("\x00\x01\xFEzz", 5);
  auto* panel1 = new TTestPanel(form.get());
  panel1->SetName(u"Panel1");
  panel1->SetCaption(String(300, u'x'));
  auto* panel2 = new TTestPanel(form.get());
  panel2->SetName(u"Panel2");
  panel2->SetParent(panel1);
  panel2->SetRatio(-0.1);
  grid->SetBuddy(panel2);  // written before Panel2 is read: resolved when the form is complete
  return form;
}

void ExpectSameForm(TTestForm& form) {
  ASSERT_EQ(form.ComponentCount(), 3);
  auto* grid = dynamic_cast<TTestWidget*>(form.FindComponent(u"Grid1"));
  auto* panel1 = dynamic_cast<TTestPanel*>(form.FindComponent(u"Panel1"));
  auto* panel2 = dynamic_cast<TTestPanel*>(form.FindComponent(u"Panel2"));
  ASSERT_TRUE(grid && panel1 && panel2);
  EXPECT_EQ(form.Name(), u"Form1");
  EXPECT_EQ(grid->Caption(), u"Привет, 'мир'");
  EXPECT_EQ(grid->Align(), taClient);
  EXPECT_EQ(grid->Ratio(), 2.75);
  EXPECT_EQ(grid->Big(), Int64(1) << 40);
  EXPECT_EQ(grid->Price(), Currency::FromScaled(-1234567));
  EXPECT_EQ(grid->Letter(), u'Ж');
  EXPECT_FALSE(grid->Enabled());
  EXPECT_EQ(grid->Tag(), -5);
  EXPECT_EQ(grid->DesignInfo(), 8 | (16 << 16));
  EXPECT_EQ(grid->Font()->Name(), u"Arial");
  EXPECT_EQ(grid->Font()->Size(), 10);
  EXPECT_EQ(grid->Font()->Style(), (TTestStyles{tsBold, tsUnderline}));
  ASSERT_EQ(grid->Columns()->Count(), 2);
  EXPECT_EQ(grid->Columns()->Items(0)->Caption(), u"Фамилия");
  EXPECT_EQ(grid->Columns()->Items(0)->Width(), 120);
  EXPECT_TRUE(grid->Columns()->Items(0)->Visible());
  EXPECT_EQ(grid->Columns()->Items(1)->Caption(), u"line1\r\nline2");
  EXPECT_EQ(grid->Columns()->Items(1)->Width(), 64);
  EXPECT_FALSE(grid->Columns()->Items(1)->Visible());
  EXPECT_EQ(grid->Buddy(), panel2);
  EXPECT_EQ(grid->Lines()->Text(), u"один\r\ntwo\r\n");
  ASSERT_TRUE(VarIsArray(grid->Value()));
  ASSERT_EQ(VarArrayHighBound(grid->Value(), 1), 4);
  EXPECT_EQ(VarArrayGet(grid->Value(), {0}).AsInteger(), 7);
  EXPECT_EQ(VarArrayGet(grid->Value(), {1}).AsString(), u"Да");
  EXPECT_EQ(VarArrayGet(grid->Value(), {2}).AsDouble(), 2.5);
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(grid->Value(), {3})));
  EXPECT_TRUE(VarArrayGet(grid->Value(), {4}).AsBoolean());
  EXPECT_EQ(grid->extra, (std::vector<Integer>{1, -300, 70000}));
  EXPECT_EQ(grid->blob, std::string("\x00\x01\xFEzz", 5));
  EXPECT_EQ(panel1->Caption(), String(300, u'x'));
  EXPECT_EQ(panel1->Parent(), nullptr);
  EXPECT_EQ(panel2->Parent(), panel1);
  EXPECT_EQ(panel2->Ratio(), -0.1);
  EXPECT_EQ(panel1->Ratio(), 1.0);
  ASSERT_TRUE(grid->OnClick);
  form.clicks.clear();
  grid->OnClick(grid);
  EXPECT_EQ(form.clicks, std::vector<std::string>{"Grid1"});
  for (TComponent* c :
       {static_cast<TComponent*>(&form), static_cast<TComponent*>(grid), static_cast<TComponent*>(panel2)})
    EXPECT_TRUE((c->ComponentState() * TComponentState{csLoading, csReading, csFixups}).Empty());
  EXPECT_TRUE(grid->loaded && panel1->loaded && panel2->loaded);
}

class StreamingTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    TestLog().clear();
  }
};

TEST_F(StreamingTest, BinaryRoundTrip) {
  auto form = MakeForm();
  TMemoryStream stream;
  WriteComponent(&stream, form.get());
  EXPECT_EQ(Bytes(stream).substr(0, 4), "TPF0");
  stream.SetPosition(0);
  TTestForm copy(nullptr);
  ReadComponent(&stream, &copy);
  EXPECT_EQ(stream.Position(), stream.Size());
  ExpectSameForm(copy);
  // Loaded runs once everything (incl. references) is in place, in reading order.
  EXPECT_EQ(TestLog(), (std::vector<std::string>{"loaded Grid1", "loaded Panel1", "loaded Panel2"}));
  // The copy writes the same bytes.
  TMemoryStream again;
  WriteComponent(&again, &copy);
  EXPECT_EQ(Bytes(again), Bytes(stream));
}

// A class name longer than any value type's number: its length byte must not be taken for one.
class TTestPanelWithAVeryLongClassName : public TTestPanel {
  TRENVIK_CLASS(TTestPanelWithAVeryLongClassName, TTestPanel);

 public:
  using TTestPanel::TTestPanel;
};
TRENVIK_IMPLEMENT_CLASS(TTestPanelWithAVeryLongClassName)

TEST_F(StreamingTest, ComponentsOfLongClassNamesAreReadBack) {
  RegisterClasses({TTestPanelWithAVeryLongClassName::StaticClass()});
  TTestForm form(nullptr);
  form.SetName(u"Form1");
  auto* outer = new TTestPanelWithAVeryLongClassName(&form);
  outer->SetName(u"Outer");
  auto* inner = new TTestPanelWithAVeryLongClassName(&form);
  inner->SetName(u"Inner");
  inner->SetParent(outer);
  TMemoryStream stream;
  WriteComponent(&stream, &form);
  stream.SetPosition(0);
  TTestForm copy(nullptr);
  ReadComponent(&stream, &copy);
  auto* readInner = dynamic_cast<TTestPanelWithAVeryLongClassName*>(copy.FindComponent(u"Inner"));
  ASSERT_NE(readInner, nullptr);
  EXPECT_EQ(readInner->Parent(), copy.FindComponent(u"Outer"));
}

TEST_F(StreamingTest, RootOfRegisteredClassIsCreatedFromTheStream) {
  auto form = MakeForm();
  TMemoryStream stream;
  WriteComponent(&stream, form.get());
  stream.SetPosition(0);
  std::unique_ptr<TComponent> made(ReadComponent(&stream, nullptr));
  auto* copy = dynamic_cast<TTestForm*>(made.get());
  ASSERT_NE(copy, nullptr);
  ExpectSameForm(*copy);
}

TEST_F(StreamingTest, TextFormRoundTrip) {
  auto form = MakeForm();
  TMemoryStream binary;
  WriteComponent(&binary, form.get());
  binary.SetPosition(0);
  const std::string text = StringToUtf8(ObjectBinaryToText(&binary));
  const char* expectedLines[] = {
      "object Form1: TTestForm\n",
      "  object Grid1: TTestWidget\n",
      "    Tag = -5\n",
      "    Caption = 'Привет, ''мир'''\n",
      "    Align = taClient\n",
      "    Ratio = 2.75\n",
      "    Price = -123.4567c\n",
      "    Big = 1099511627776\n",
      "    Letter = 'Ж'\n",
      "    Enabled = False\n",
      "    Font.Name = 'Arial'\n",
      "    Font.Size = 10\n",
      "    Font.Style = [tsBold, tsUnderline]\n",
      "    Columns = <\n      item\n        Caption = 'Фамилия'\n        Width = 120\n      end\n"
      "      item\n        Caption = 'line1'#13#10'line2'\n        Visible = False\n      end>\n",
      "    Value = (\n      7\n      'Да'\n      2.5\n      nil\n      True)\n",
      "    Lines.Strings = (\n      'один'\n      'two')\n",
      "    Buddy = Panel2\n",
      "    OnClick = Button1Click\n",
      "    Left = 8\n    Top = 16\n",
      "    Extra = (\n      1\n      -300\n      70000)\n",
      "    Blob = {\n      0001FE7A7A}\n",
      "  object Panel1: TTestPanel\n",
      "    object Panel2: TTestPanel\n      Ratio = -0.1\n      Font.Name = 'Tahoma'\n      Columns = <>\n   "
      " end\n"
      "  end\nend\n",
  };
  for (const char* line : expectedLines)
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

  TMemoryStream back;
  ObjectTextToBinary(Utf8ToString(text), &back);
  EXPECT_EQ(Bytes(back), Bytes(binary));
  back.SetPosition(0);
  TTestForm copy(nullptr);
  ReadComponent(&back, &copy);
  ExpectSameForm(copy);
}

TEST_F(StreamingTest, TextFormAcceptsWhatPeopleWrite) {
  // Concatenated pieces, character codes, ASCII strings, lists, other float forms, empty values.
  const String text =
      S("object Form1: TTestForm\n"
        "  object W: TTestWidget\n"
        "    Caption = 'ab' +\n"
        "      'c'#1046#$416'd'\n"
        "    Ratio = 1.5E2\n"
        "    Columns = <>\n"
        "    Extra = ()\n"
        "    Big = -9223372036854775808\n"
        "    Letter = #1046\n"
        "  end\n"
        "end\n");
  TMemoryStream binary;
  ObjectTextToBinary(text, &binary);
  binary.SetPosition(0);
  TTestForm form(nullptr);
  ReadComponent(&binary, &form);
  auto* w = dynamic_cast<TTestWidget*>(form.FindComponent(u"W"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Caption(), u"abcЖЖd");
  EXPECT_EQ(w->Ratio(), 150.0);
  EXPECT_EQ(w->Big(), INT64_MIN);
  EXPECT_EQ(w->Letter(), u'Ж');
  EXPECT_EQ(w->Columns()->Count(), 0);
}

TEST_F(StreamingTest, CollectionReadTwiceDropsTheReferencesOfItsFreedItems) {
  const String text =
      S("object Form1: TTestForm\n"
        "  object W: TTestWidget\n"
        "    Columns = <\n      item\n        Link = Other\n      end>\n"
        "    Columns = <\n      item\n        Caption = 'b'\n      end\n      item\n        Link = W\n      "
        "end>\n"
        "  end\n"
        "  object Other: TTestWidget\n  end\n"
        "end\n");
  TMemoryStream binary;
  ObjectTextToBinary(text, &binary);
  binary.SetPosition(0);
  TTestForm form(nullptr);
  ReadComponent(&binary, &form);
  auto* w = static_cast<TTestWidget*>(form.FindComponent(u"W"));
  ASSERT_EQ(w->Columns()->Count(), 2);
  EXPECT_EQ(w->Columns()->Items(0)->Link(), nullptr);
  EXPECT_EQ(w->Columns()->Items(1)->Link(), w);
}

TEST_F(StreamingTest, ReadErrorsNameWhatIsWrong) {
  struct Case {
    const char* body;
    const char* message;
  };
  const Case cases[] = {
      {"Bogus = 1", "Property Bogus does not exist"},
      {"Font.Bogus = 1", "Property Font.Bogus does not exist"},
      {"Caption.Size = 1", "Property Caption.Size does not exist"},
      {"Align = taRight", "Invalid property value"},
      {"Caption = 12", "Invalid property value"},
      {"Enabled = 1", "Invalid property value"},
      {"Font.Color = clNope", "Invalid property value"},
      {"Tag = clRed", "Invalid property value"},
      {"Font.Style = [tsBold, tsStrike]", "Invalid property value"},
      {"Letter = 'ab'", "Invalid property value"},
      {"OnClick = NoSuchHandler", "Method NoSuchHandler not found"},
      {"OnClick = ShowMessage", "Invalid property value"},
      {"Buddy = 5", "Invalid property value"},
      {"object X: TNoSuchClass\n end", "Class TNoSuchClass not found"},
      {"object X: TTestFont\n end", "Class TTestFont not found"},
  };
  for (const Case& c : cases) {
    const String text = S(std::string("object Form1: TTestForm\n  object First: TTestWidget\n  end\n"
                                      "  object W: TTestWidget\n    ") +
                          c.body + "\n  end\nend\n");
    TMemoryStream binary;
    ObjectTextToBinary(text, &binary);
    binary.SetPosition(0);
    TTestForm form(nullptr);
    try {
      ReadComponent(&binary, &form);
      ADD_FAILURE() << c.body;
    } catch (const EReadError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.body;
    }
    // The component that failed is gone; what was read before it stays, out of the loading state.
    ASSERT_EQ(form.ComponentCount(), 1) << c.body;
    EXPECT_FALSE(form.Components(0)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
  }
}

TEST_F(StreamingTest, TextSyntaxErrorsGiveTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object F: TTestForm\n  Caption = 'abc\nend\n", "Unterminated string on line 2"},
      {"object F: TTestForm\n  Caption 'abc'\nend\n", "'=' expected on line 2"},
      {"object F: TTestForm\n  Blob = {0G}\nend\n", "Invalid binary value on line 2"},
      {"object F: TTestForm\n  Blob = {012}\nend\n", "Invalid binary value on line 2"},
      {"object F: TTestForm\n  X = 1\n", "Unexpected end of file on line 3"},
      {"object F: TTestForm\nend\nend\n", "End of file expected on line 3"},
      {"thing F: TTestForm\nend\n", "'object' expected on line 1"},
      {"object F: TTestForm\n  X = 99999999999999999999\nend\n",
       "Invalid number 99999999999999999999 on line 2"},
      {"object F: TTestForm\n  X = 1e15c\nend\n", "Currency value out of range on line 2"},
      {"object F: TTestForm\n  X = -1e39s\nend\n", "Single value out of range on line 2"},
  };
  for (const Case& c : cases) {
    TMemoryStream binary;
    try {
      ObjectTextToBinary(S(c.text), &binary);
      ADD_FAILURE() << c.text;
    } catch (const EParserError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST_F(StreamingTest, TruncatedStreamRaisesReadErrorAtEveryCut) {
  auto form = MakeForm();
  TMemoryStream full;
  WriteComponent(&full, form.get());
  const std::string bytes = Bytes(full);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    TCustomMemoryStream part(bytes.data(), static_cast<Int64>(cut));
    TTestForm into(nullptr);
    EXPECT_THROW(ReadComponent(&part, &into), EReadError) << "cut at " << cut;
    TCustomMemoryStream again(bytes.data(), static_cast<Int64>(cut));
    EXPECT_THROW(delete ReadComponent(&again, nullptr), EReadError) << "cut at " << cut;
    TCustomMemoryStream text(bytes.data(), static_cast<Int64>(cut));
    EXPECT_THROW(ObjectBinaryToText(&text), EReadError) << "cut at " << cut;
  }
}

TEST_F(StreamingTest, CorruptStreamNeverReadsPastTheEnd) {
  // Lengths far beyond the data are refused before anything is allocated.
  auto stream = [](const std::string& value) {
    static const char head[] =
        "TPF0\x09"
        "TTestForm\x05"
        "Form1\x00\x0B"
        "TTestWidget\x01W\x07"
        "Caption";
    return std::string(head, sizeof head - 1) + value;
  };
  const std::pair<std::string, const char*> cases[] = {
      {stream(std::string("\x0C\xFF\xFF\xFF\x7F", 5)), "Stream read error"},  // 8-bit string of 2 GB
      {stream(std::string("\x12\xFF\xFF\xFF\x7F", 5)), "Stream read error"},  // 2 G wide characters
      {stream(std::string("\x12\x00\x00\x00\x80", 5)), "Stream read error"},  // negative length
      {stream(std::string("\x14\xF0\xFF\xFF\xFF", 5)), "Stream read error"},  // UTF-8, negative length
      {stream(std::string("\x06\xFF"
                          "ab",
                          4)),
       "Stream read error"},                                      // longer than the data
      {stream(std::string("\x63", 1)), "Invalid stream format"},  // no such value type
  };
  for (const auto& [bytes, message] : cases) {
    TCustomMemoryStream s(bytes.data(), static_cast<Int64>(bytes.size()));
    TTestForm form(nullptr);
    try {
      ReadComponent(&s, &form);
      ADD_FAILURE() << message;
    } catch (const EReadError& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
  // Every byte of a good stream changed: an error or a form, never a crash or a leak.
  auto form = MakeForm();
  TMemoryStream full;
  WriteComponent(&full, form.get());
  const std::string good = Bytes(full);
  for (size_t i = 4; i < good.size(); ++i)
    for (char value : {'\x00', '\x01', '\x0E', '\x7F', '\xFF'}) {
      std::string bad = good;
      bad[i] = value;
      TCustomMemoryStream s(bad.data(), static_cast<Int64>(bad.size()));
      TTestForm into(nullptr);
      try {
        ReadComponent(&s, &into);
      } catch (const Exception&) {
      }
    }
  // Nesting deeper than any form is refused instead of exhausting the stack.
  static const char head[] =
      "TPF0\x09"
      "TTestForm\x05"
      "Form1\x00\x0B"
      "TTestWidget\x01W\x05"
      "Buddy";
  std::string deep(head, sizeof head - 1);
  deep += std::string(100000, '\x01');
  TCustomMemoryStream s(deep.data(), static_cast<Int64>(deep.size()));
  TTestForm into(nullptr);
  try {
    ReadComponent(&s, &into);
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
  TCustomMemoryStream t(deep.data(), static_cast<Int64>(deep.size()));
  EXPECT_THROW(ObjectBinaryToText(&t), EReadError);
}

TEST_F(StreamingTest, WriterLeavesOutDefaultsAndUnstoredValues) {
  TTestForm form(nullptr);
  form.SetName(u"F");
  auto* w = new TTestWidget(&form);
  w->SetName(u"W");
  TMemoryStream binary;
  WriteComponent(&binary, &form);
  binary.SetPosition(0);
  // A collection is always written, a string unless empty; everything else has its default.
  EXPECT_EQ(StringToUtf8(ObjectBinaryToText(&binary)),
            "object F: TTestForm\n  object W: TTestWidget\n    Font.Name = 'Tahoma'\n    Columns = <>\n"
            "  end\nend\n");
  // Ratio's stored-if, an event bound to a lambda and a reference to an unnamed component.
  w->SetRatio(1.0);
  w->OnClick = [](TObject*) {};
  TTestWidget unnamed(nullptr);
  w->SetBuddy(&unnamed);
  TMemoryStream again;
  WriteComponent(&again, &form);
  EXPECT_EQ(Bytes(again), Bytes(binary));
  w->SetBuddy(nullptr);
}

TEST_F(StreamingTest, IntegerValuesWithNamesAreWrittenByName) {
  TTestForm form(nullptr);
  auto* w = new TTestWidget(&form);
  w->SetName(u"W");
  for (auto [color, text] :
       {std::pair{0xFF, "Font.Color = clRed\n"}, std::pair{0x123456, "Font.Color = 1193046\n"}}) {
    w->Font()->SetColor(color);
    TMemoryStream binary;
    WriteComponent(&binary, &form);
    binary.SetPosition(0);
    const String written = ObjectBinaryToText(&binary);
    EXPECT_NE(StringToUtf8(written).find(text), std::string::npos) << StringToUtf8(written);
    TMemoryStream back;
    ObjectTextToBinary(written, &back);
    back.SetPosition(0);
    TTestForm copy(nullptr);
    ReadComponent(&back, &copy);
    EXPECT_EQ(static_cast<TTestWidget*>(copy.FindComponent(u"W"))->Font()->Color(), color);
  }
}

TEST_F(StreamingTest, VariantValues) {
  TTestForm form(nullptr);
  auto* w = new TTestWidget(&form);
  w->SetName(u"W");
  struct Case {
    Variant value;
    const char* text;
  };
  const Case cases[] = {
      {Null(), "Value = Null"},
      {Variant(Int64(1) << 40), "Value = 1099511627776"},
      {Variant(1.25f), "Value = 1.25s"},
      {Variant(Currency::FromScaled(12345)), "Value = 1.2345c"},
      {VarFromDateTime(45000.5), "Value = 45000.5d"},
      {Variant(u"Ёж"), "Value = 'Ёж'"},
  };
  for (const Case& c : cases) {
    w->SetValue(c.value);
    TMemoryStream binary;
    WriteComponent(&binary, &form);
    binary.SetPosition(0);
    const std::string text = StringToUtf8(ObjectBinaryToText(&binary));
    EXPECT_NE(text.find(c.text), std::string::npos) << text;
    TMemoryStream back;
    ObjectTextToBinary(Utf8ToString(text), &back);
    EXPECT_EQ(Bytes(back), Bytes(binary)) << c.text;
    back.SetPosition(0);
    TTestForm copy(nullptr);
    ReadComponent(&back, &copy);
    const Variant& read = static_cast<TTestWidget*>(copy.FindComponent(u"W"))->Value();
    EXPECT_EQ(VarType(read), VarType(c.value)) << c.text;
    EXPECT_TRUE(VarIsNull(c.value) || read == c.value) << c.text;
  }
  w->SetValue(VarArrayOf({Variant(1), Null()}));
  TMemoryStream binary;
  EXPECT_THROW(WriteComponent(&binary, &form), EWriteError);
}

}  // namespace
