// Field kinds: values, text and display rules, conversion errors, events, blobs, and calculated
// and lookup fields.
#include <gtest/gtest.h>

#include "platform/data/testing/DataTesting.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"

namespace {
struct TypedFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = new TMemoryDataSet(&owner);
  TypedFixture() {
    ds->AddFieldDef(u"I", ftInteger);
    ds->AddFieldDef(u"S", ftSmallint);
    ds->AddFieldDef(u"L", ftLargeint);
    ds->AddFieldDef(u"F", ftFloat);
    ds->AddFieldDef(u"C", ftCurrency);
    ds->AddFieldDef(u"B", ftBCD);
    ds->AddFieldDef(u"BOOL", ftBoolean);
    ds->AddFieldDef(u"D", ftDate);
    ds->AddFieldDef(u"T", ftTime);
    ds->AddFieldDef(u"DT", ftDateTime);
    ds->AddFieldDef(u"STR", ftString, 5);
    ds->AddFieldDef(u"W", ftWideString, 10);
    ds->AddFieldDef(u"G", ftGuid, 38);
    ds->AddFieldDef(u"M", ftMemo);
    ds->AddFieldDef(u"BLOB", ftBlob);
    ds->AddFieldDef(u"A", ftAutoInc);
    ds->AddRow({});
    ds->Open();
    ds->Edit();
  }
  TField* F(const char16_t* name) { return ds->FieldByName(name); }
};

struct Locale {
  explicit Locale(const char* name) { SetLocale(name); }
  ~Locale() { SetLocale("en-US"); }
};
}  // namespace

TEST(Fields, DefaultFieldClassesFollowTheTypes) {
  TypedFixture f;
  EXPECT_EQ(f.F(u"I")->ClassName(), u"TIntegerField");
  EXPECT_EQ(f.F(u"S")->ClassName(), u"TSmallintField");
  EXPECT_EQ(f.F(u"L")->ClassName(), u"TLargeintField");
  EXPECT_EQ(f.F(u"C")->ClassName(), u"TCurrencyField");
  EXPECT_EQ(f.F(u"B")->ClassName(), u"TBCDField");
  EXPECT_EQ(f.F(u"D")->ClassName(), u"TDateField");
  EXPECT_EQ(f.F(u"W")->ClassName(), u"TWideStringField");
  EXPECT_EQ(f.F(u"G")->ClassName(), u"TGuidField");
  EXPECT_EQ(f.F(u"M")->ClassName(), u"TMemoField");
  EXPECT_EQ(f.F(u"A")->ClassName(), u"TAutoIncField");
  EXPECT_TRUE(f.ds->DefaultFields());
  EXPECT_EQ(static_cast<int>(f.F(u"G")->DataType()), 35);  // ftGuid's ordinal
  EXPECT_EQ(static_cast<int>(ftFMTBcd), 37);
  EXPECT_EQ(f.F(u"I")->Alignment(), taRightJustify);
  EXPECT_EQ(f.F(u"W")->Alignment(), taLeftJustify);
  EXPECT_TRUE(f.F(u"M")->IsBlob());
  f.ds->Cancel();
  f.ds->Close();
  EXPECT_EQ(f.ds->FieldCount(), 0);  // dynamic fields go with the open dataset
}

TEST(Fields, TextAndDisplayTextInEnglish) {
  Locale en("en-US");
  TypedFixture f;
  struct Case {
    const char16_t* field;
    Variant value;
    const char16_t* text;
    const char16_t* display;
  };
  const Case cases[] = {
      {u"I", 1234, u"1234", u"1234"},
      {u"F", 0.1 + 0.2, u"0.3", u"0.3"},
      {u"F", 1.0 / 3.0, u"0.333333333333333", u"0.333333333333333"},
      {u"C", 1234.5, u"1234.50", u"$1,234.50"},
      {u"B", Currency(12.5), u"12.5", u"12.5"},
      {u"BOOL", true, u"True", u"True"},
      {u"BOOL", false, u"False", u"False"},
      {u"D", VarFromDateTime(EncodeDate(2024, 3, 1)), u"3/1/2024", u"3/1/2024"},
      {u"DT", VarFromDateTime(EncodeDate(2024, 3, 1) + 0.5), u"3/1/2024 12:00:00 PM",
       u"3/1/2024 12:00:00 PM"},
      {u"DT", VarFromDateTime(EncodeDate(2024, 3, 1)), u"3/1/2024", u"3/1/2024"},
      {u"STR", String(u"abcdefgh"), u"abcde", u"abcde"},  // cut at Size
      {u"W", String(u"Привет"), u"Привет", u"Привет"},
      {u"M", String(u"memo text"), u"(MEMO)", u"(MEMO)"},
      {u"I", Null(), u"", u""},
  };
  for (const Case& c : cases) {
    TField* field = f.F(c.field);
    field->SetValue(c.value);
    EXPECT_EQ(field->Text(), c.text) << StringToUtf8(c.field);
    EXPECT_EQ(field->DisplayText(), c.display) << StringToUtf8(c.field);
  }
  f.F(u"M")->Clear();
  EXPECT_EQ(f.F(u"M")->DisplayText(), u"(memo)");
}

TEST(Fields, FormatsAndRussianLocale) {
  Locale ru("ru-RU");
  TypedFixture f;
  auto* fl = static_cast<TFloatField*>(f.F(u"F"));
  fl->SetAsFloat(1234.5);
  EXPECT_EQ(fl->DisplayText(), u"1234,5");
  fl->SetDisplayFormat(u"#,##0.00");
  EXPECT_EQ(fl->DisplayText(), u"1\u00A0234,50");
  EXPECT_EQ(fl->Text(), u"1\u00A0234,50");  // without an edit format the display format serves
  fl->SetEditFormat(u"0.000");
  EXPECT_EQ(fl->Text(), u"1234,500");
  auto* d = static_cast<TDateTimeField*>(f.F(u"D"));
  d->SetAsString(u"01.03.2024");
  EXPECT_EQ(d->AsDateTime(), EncodeDate(2024, 3, 1));
  d->SetDisplayFormat(u"yyyy-mm-dd");
  EXPECT_EQ(d->DisplayText(), u"2024-03-01");
  EXPECT_EQ(d->Text(), u"01.03.2024");
  f.F(u"F")->SetAsString(u"2,5");
  EXPECT_EQ(f.F(u"F")->AsFloat(), 2.5);
  f.F(u"BOOL")->SetAsString(u"fal");
  EXPECT_FALSE(f.F(u"BOOL")->AsBoolean());
  static_cast<TBooleanField*>(f.F(u"BOOL"))->SetDisplayValues(S("да;нет"));
  f.F(u"BOOL")->SetAsString(S("ДА"));
  EXPECT_EQ(f.F(u"BOOL")->DisplayText(), S("да"));
}

TEST(Fields, ConversionErrors) {
  Locale en("en-US");
  TypedFixture f;
  struct Case {
    const char16_t* field;
    const char16_t* text;
    const char16_t* message;
  };
  const Case cases[] = {
      {u"I", u"12a", u"'12a' is not a valid integer value"},
      {u"F", u"1.2.3", u"'1.2.3' is not a valid floating point value"},
      {u"D", u"31/31/2024", u"'31/31/2024' is not a valid date"},
      {u"T", u"25:99", u"'25:99' is not a valid time"},
      {u"BOOL", u"maybe", u"'maybe' is not a valid boolean value"},
      {u"G", u"{123}", u"'{123}' is not a valid GUID value"},
  };
  for (const Case& c : cases) {
    try {
      f.F(c.field)->SetAsString(c.text);
      ADD_FAILURE() << StringToUtf8(c.text);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  // A text field read as a number.
  f.F(u"W")->SetAsString(u"abc");
  EXPECT_THROW(f.F(u"W")->AsInteger(), EConvertError);
  f.F(u"W")->SetAsString(u" 42");
  EXPECT_EQ(f.F(u"W")->AsInteger(), 42);
  // Ranges.
  try {
    f.F(u"S")->SetAsInteger(40000);
    ADD_FAILURE();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"40000 is not a valid value for field 'S'. The allowed range is -32768 to 32767");
  }
  auto* i = static_cast<TIntegerField*>(f.F(u"I"));
  i->SetMinValue(1);
  i->SetMaxValue(10);
  EXPECT_THROW(i->SetAsInteger(11), EDatabaseError);
  i->SetAsInteger(10);
  EXPECT_EQ(i->AsInteger(), 10);
  // An empty text clears a number.
  i->SetAsString(u"");
  EXPECT_TRUE(i->IsNull());
}

TEST(Fields, ValueKindsAndGuid) {
  TypedFixture f;
  f.F(u"S")->SetAsInteger(7);
  EXPECT_EQ(VarType(f.F(u"S")->Value()), varSmallint);
  f.F(u"I")->SetAsInteger(7);
  EXPECT_EQ(VarType(f.F(u"I")->Value()), varInteger);
  f.F(u"L")->SetAsLargeInt(Int64(1) << 40);
  EXPECT_EQ(f.F(u"L")->AsLargeInt(), Int64(1) << 40);
  f.F(u"STR")->SetAsString(u"ab");
  EXPECT_EQ(VarType(f.F(u"STR")->Value()), varString);
  f.F(u"W")->SetAsString(u"ab");
  EXPECT_EQ(VarType(f.F(u"W")->Value()), varOleStr);
  f.F(u"D")->SetAsDateTime(EncodeDate(2020, 1, 2) + 0.75);
  EXPECT_EQ(f.F(u"D")->AsDateTime(), EncodeDate(2020, 1, 2));  // a date field keeps the date only
  String guid = u"{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
  f.F(u"G")->SetAsString(guid);
  EXPECT_EQ(f.F(u"G")->AsString(), guid);
  EXPECT_EQ(f.F(u"G")->Size(), 38);
  f.F(u"B")->SetAsString(u"12.34567");
  EXPECT_EQ(f.F(u"B")->AsCurrency(), Currency(12.3457));
}

TEST(Fields, EventsReadOnlyAndValidChars) {
  TypedFixture f;
  TField* w = f.F(u"W");
  std::vector<std::string> log;
  w->OnValidate = [&](TField* field) {
    log.push_back("validate " + StringToUtf8(field->AsString()));
    if (field->AsString() == u"bad") throw EDatabaseError("refused");
  };
  w->OnChange = [&](TField*) { log.push_back("change"); };
  w->OnGetText = [](TField* field, String& text, bool display) {
    text = (display ? u"<" : u"[") + field->AsString() + (display ? u">" : u"]");
  };
  w->OnSetText = [](TField* field, const String& text) { field->SetAsString(text + u"!"); };
  w->SetText(u"ok");
  EXPECT_EQ(w->AsString(), u"ok!");
  EXPECT_EQ(w->DisplayText(), u"<ok!>");
  EXPECT_EQ(w->Text(), u"[ok!]");
  EXPECT_THROW(w->SetAsString(u"bad"), EDatabaseError);
  EXPECT_EQ(w->AsString(), u"ok!");  // the refused value is not kept
  EXPECT_EQ(log, (std::vector<std::string>{"validate ok!", "change", "validate bad"}));

  f.F(u"A")->SetReadOnly(true);
  try {
    f.F(u"A")->SetAsInteger(1);
    ADD_FAILURE();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Field 'A' cannot be modified");
  }
  EXPECT_FALSE(f.F(u"A")->CanModify());
  EXPECT_TRUE(f.F(u"I")->CanModify());
  EXPECT_TRUE(f.F(u"I")->IsValidChar(u'5'));
  EXPECT_FALSE(f.F(u"I")->IsValidChar(u'x'));
  EXPECT_TRUE(f.F(u"W")->IsValidChar(u'ж'));
  f.ds->Cancel();
  EXPECT_THROW(f.F(u"I")->SetAsInteger(1), EDatabaseError);  // not editing
}

TEST(Fields, BlobStreams) {
  TypedFixture f;
  TField* blob = f.F(u"BLOB");
  {
    auto stream = CreateBlobStream(blob, bmWrite);
    stream->WriteBuffer("\x00\x01\x02zz", 5);
  }
  EXPECT_EQ(static_cast<TBlobField*>(blob)->BlobSize(), 5);
  {
    auto stream = CreateBlobStream(blob, bmRead);
    char buf[8] = {};
    EXPECT_EQ(stream->Read(buf, 8), 5);
    EXPECT_EQ(std::string(buf + 3, 2), "zz");
  }
  f.F(u"M")->SetAsString(u"text");
  {
    auto stream = CreateBlobStream(f.F(u"M"), bmReadWrite);
    stream->Seek(0, soFromEnd);
    stream->WriteBuffer("++", 2);
  }
  EXPECT_EQ(f.F(u"M")->AsString(), u"text++");
  f.ds->Post();
  f.ds->Close();
  f.ds->Open();
  EXPECT_EQ(static_cast<TBlobField*>(f.F(u"BLOB"))->AsBytes(), std::string("\x00\x01\x02zz", 5));
  EXPECT_EQ(f.F(u"M")->AsString(), u"text++");
  // Writing needs an edit.
  EXPECT_THROW(CreateBlobStream(f.F(u"BLOB"), bmWrite), EDatabaseError);
  EXPECT_THROW(CreateBlobStream(f.F(u"I"), bmRead), EDatabaseError);
}

TEST(Fields, PersistentFieldsBindByNameAndKeepTheirProperties) {
  TComponent owner(nullptr);
  TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 3);
  auto* name = new TWideStringField(&owner);
  name->SetFieldName(u"NAME");
  name->SetDisplayLabel(S("имя"));
  name->SetDataSet(ds);
  auto* id = new TIntegerField(&owner);
  id->SetFieldName(u"ID");
  id->SetDataSet(ds);
  ds->Open();
  EXPECT_FALSE(ds->DefaultFields());
  ASSERT_EQ(ds->FieldCount(), 2);
  EXPECT_EQ(ds->Fields()->Fields(0), name);
  EXPECT_EQ(name->DisplayName(), S("имя"));
  EXPECT_EQ(id->AsInteger(), 1);
  EXPECT_EQ(ds->FindField(u"SALARY"), nullptr);
  try {
    ds->FieldByName(u"SALARY");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Field 'SALARY' not found");
  }
  EXPECT_THROW(name->SetDataSet(nullptr), EDatabaseError);  // not while open
  id->SetIndex(0);
  EXPECT_EQ(ds->Fields()->Fields(0), id);
  ds->Close();
  EXPECT_EQ(ds->FieldCount(), 2);  // persistent fields stay

  // A persistent field with no column of its name fails the open; so does a type mismatch.
  auto* ghost = new TIntegerField(&owner);
  ghost->SetFieldName(u"GHOST");
  ghost->SetDataSet(ds);
  EXPECT_THROW(ds->Open(), EDatabaseError);
  EXPECT_FALSE(ds->Active());
  delete ghost;
  auto* wrong = new TIntegerField(&owner);
  wrong->SetFieldName(u"BIRTH");
  wrong->SetDataSet(ds);
  try {
    ds->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Type mismatch for field 'BIRTH', expecting: Integer actual: Date");
  }
}

TEST(Fields, CalculatedAndLookupFields) {
  TComponent owner(nullptr);
  // Lookup table: kinds of node.
  auto* kinds = new TMemoryDataSet(&owner);
  kinds->AddFieldDef(u"KINDID", ftInteger);
  kinds->AddFieldDef(u"NAME", ftWideString, 100);
  kinds->AddRow({1, S("орган")});
  kinds->AddRow({3, S("территория")});
  auto* ds = new TMemoryDataSet(&owner);
  ds->AddFieldDef(u"ID", ftInteger);
  ds->AddFieldDef(u"KINDID", ftInteger);
  ds->AddFieldDef(u"SHORTNAME", ftWideString, 50);
  ds->AddRow({1, 3, S("Район")});
  ds->AddRow({2, 1, S("Администрация")});
  ds->AddRow({3, 9, S("Прочее")});
  for (const char16_t* n : {u"ID", u"KINDID", u"SHORTNAME"}) {
    TField* field = ds->FieldDefs()->Find(n)->CreateField(&owner, ds);
    (void)field;
  }
  auto* calc = new TWideStringField(&owner);
  calc->SetFieldName(u"FULL");
  calc->SetFieldKind(fkCalculated);
  calc->SetSize(254);
  calc->SetDataSet(ds);
  auto* lookup = new TWideStringField(&owner);
  lookup->SetFieldName(u"KINDNAME");
  lookup->SetFieldKind(fkLookup);
  lookup->SetKeyFields(u"KINDID");
  lookup->SetLookupDataSet(kinds);
  lookup->SetLookupKeyFields(u"KINDID");
  lookup->SetLookupResultField(u"NAME");
  lookup->SetDataSet(ds);
  int calcRuns = 0;
  ds->OnCalcFields = [&](TDataSet* d) {
    ++calcRuns;
    EXPECT_EQ(d->State(), dsCalcFields);
    d->FieldByName(u"FULL")->SetAsString(d->FieldByName(u"SHORTNAME")->AsString() + u" / " +
                                         d->FieldByName(u"KINDNAME")->AsString());
  };
  ds->Open();  // the lookup dataset is closed: lookups give nothing
  EXPECT_TRUE(lookup->IsNull());
  EXPECT_EQ(calc->AsString(), S("Район / "));
  kinds->Open();
  ds->Refresh();
  EXPECT_EQ(lookup->AsString(), S("территория"));
  EXPECT_EQ(calc->AsString(), S("Район / территория"));
  ds->Next();
  EXPECT_EQ(lookup->AsString(), S("орган"));
  ds->Next();
  EXPECT_TRUE(lookup->IsNull());  // no such kind
  EXPECT_GT(calcRuns, 0);
  // Calculated fields cannot be written outside the calculation; editing the key recalculates.
  ds->Edit();
  EXPECT_THROW(calc->SetAsString(u"x"), EDatabaseError);
  ds->FieldByName(u"KINDID")->SetAsInteger(1);
  EXPECT_EQ(lookup->AsString(), S("орган"));
  EXPECT_EQ(calc->AsString(), S("Прочее / орган"));
  // Choosing the lookup value sets the key.
  lookup->SetAsString(S("территория"));
  EXPECT_EQ(ds->FieldByName(u"KINDID")->AsInteger(), 3);
  ds->Post();
  // Locate and filter on calculated values.
  EXPECT_TRUE(ds->Locate(u"KINDNAME", S("ОРГАН"), {loCaseInsensitive}));
  EXPECT_EQ(ds->FieldByName(u"ID")->AsInteger(), 2);
  ds->SetFilter(S("KINDNAME = 'территория'"));
  ds->SetFiltered(true);
  EXPECT_EQ(ds->RecordCount(), 2);
  // The lookup cache keeps pairs until refreshed.
  lookup->SetLookupCache(true);
  EXPECT_EQ(lookup->LookupValue(3), Variant(S("территория")));
  delete kinds;  // a freed lookup dataset is forgotten
  EXPECT_EQ(lookup->LookupDataSet(), nullptr);
}

TEST(Fields, TextFieldsAreShownThroughTheirEditMask) {
  Locale ru("ru-RU");
  TypedFixture f;
  TField* w = f.F(u"W");
  w->SetEditMask(u"!\\(999\\)000-0000;0;_");
  w->SetAsString(u"5551234567");
  EXPECT_EQ(w->DisplayText(), u"(555)123-4567");
  EXPECT_EQ(w->Text(), u"5551234567");  // edited as it is stored
  w->SetAsString(u"555");
  EXPECT_EQ(w->DisplayText(), u"(555)___-____");
  w->Clear();
  EXPECT_EQ(w->DisplayText(), u"");  // a null value shows nothing, not the mask's blanks
}

TEST(Fields, AggregateFieldsTotalTheReachableRecords) {
  Locale en("en-US");
  TComponent owner{nullptr};
  auto* ds = new TMemoryDataSet(&owner);
  ds->AddFieldDef(u"NAME", ftWideString, 10);
  ds->AddFieldDef(u"HOURS", ftInteger);
  ds->AddRow({S("b"), 72});
  ds->AddRow({S("a"), 36});
  ds->AddRow({S("c"), Null()});
  ds->AddRow({S("d"), 144});
  for (const char16_t* n : {u"NAME", u"HOURS"}) ds->FieldDefs()->Find(n)->CreateField(&owner, ds);
  struct {
    const char16_t* expression;
    const char* shown;
  } cases[] = {{u"SUM(HOURS)", "252"}, {u"avg( HOURS )", "84"}, {u"MIN(HOURS)", "36"}, {u"MAX(NAME)", "d"},
               {u"COUNT(HOURS)", "3"}, {u"COUNT(*)", "4"}};
  std::vector<TAggregateField*> totals;
  for (auto& c : cases) {
    auto* f = new TAggregateField(&owner);
    f->SetFieldName(String(u"T") + c.expression);
    f->SetExpression(c.expression);
    f->SetActive(true);
    f->SetDataSet(ds);
    totals.push_back(f);
  }
  ds->Open();
  for (size_t i = 0; i < totals.size(); ++i) EXPECT_EQ(StringToUtf8(totals[i]->DisplayText()), cases[i].shown) << i;
  EXPECT_FALSE(totals[0]->Visible());
  EXPECT_FALSE(totals[0]->CanModify());
  // Only what the cursor can reach counts: a filter narrows the totals.
  ds->SetFilter(u"HOURS > 50");
  ds->SetFiltered(true);
  EXPECT_EQ(totals[0]->AsInteger(), 216);
  EXPECT_EQ(totals[5]->AsInteger(), 2);
  // Inactive: Null; formats; a bad expression is refused.
  totals[2]->SetActive(false);
  EXPECT_TRUE(totals[2]->IsNull());
  totals[0]->SetDisplayFormat(u"0.00 h");
  EXPECT_EQ(totals[0]->DisplayText(), u"216.00 h");
  EXPECT_THROW(totals[0]->SetExpression(u"MEDIAN(HOURS)"), EDatabaseError);
  EXPECT_THROW(totals[0]->SetExpression(u"SUM(*)"), EDatabaseError);
  EXPECT_EQ(totals[0]->Expression(), u"SUM(HOURS)");
  ds->Close();
  EXPECT_TRUE(totals[0]->IsNull());
}

// Null checks and text reads that skip the Variant must answer what the value itself says: from
// the store while browsing, from the edit buffer while editing or inserting, nothing without rows.
TEST(Fields, NullAndTextReadsFollowTheRecordTheStateDesignates) {
  TComponent owner(nullptr);
  auto* ds = new TMemoryDataSet(&owner);
  ds->AddFieldDef(u"ID", ftInteger);
  ds->AddFieldDef(u"NAME", ftWideString, 20);
  ds->AddRow({1, S("Ёлкин")});
  ds->AddRow({2, Null()});
  ds->Open();
  TField* id = ds->FieldByName(u"ID");
  TField* name = ds->FieldByName(u"NAME");
  auto expectReads = [&](const char* where, bool nameNull, const String& text) {
    SCOPED_TRACE(where);
    EXPECT_EQ(name->IsNull(), nameNull);
    EXPECT_EQ(name->IsNull(), VarIsNull(name->AsVariant()));
    EXPECT_EQ(name->AsString(), text);
    EXPECT_EQ(name->DisplayText(), text);
  };
  expectReads("stored text", false, S("Ёлкин"));
  ds->Next();
  expectReads("stored null", true, String());
  EXPECT_FALSE(id->IsNull());
  ds->Edit();
  name->SetAsString(u"Petrov");
  expectReads("edited", false, u"Petrov");
  ds->Cancel();
  expectReads("cancelled", true, String());
  ds->First();
  ds->Edit();
  name->Clear();
  expectReads("cleared while editing", true, String());
  ds->Cancel();
  ds->Append();
  EXPECT_TRUE(id->IsNull());
  expectReads("appended", true, String());
  ds->Cancel();
  ds->First();
  while (!ds->IsEmpty()) ds->Delete();
  EXPECT_TRUE(id->IsNull());
  expectReads("no records", true, String());
}
