// The defaults an editor takes from its dataset field: every answer, bound and unbound.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "cx/editors-ext/cxDBEdit.h"
#include "platform/data/AggregateField.h"
#include "platform/data/FieldDefs.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/MemoryDataSet.h"

namespace {

// Every answer of a provider; the defaults are those of a plain writable string field.
struct TAnswers {
  TAlignment Alignment = taLeftJustify;
  int BlobKind = 0;
  bool CanModify = true;
  std::string DisplayFormat{};
  std::string EditMask{};
  bool IsFloat = false;
  int MaxLength = 0;
  double MaxValue = 0;
  double MinValue = 0;
  bool ReadOnly = false;
  bool Required = false;
  bool FormatWithCurrency = false;
  bool FormatWithoutCurrency = false;
  bool AcceptsDigit = true;
  bool operator==(const TAnswers&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TAnswers& a) {
  return out << "{align " << a.Alignment << ", blob " << a.BlobKind << ", canModify " << a.CanModify << ", format '"
             << a.DisplayFormat << "', mask '" << a.EditMask << "', float " << a.IsFloat << ", maxLength "
             << a.MaxLength << ", max " << a.MaxValue << ", min " << a.MinValue << ", readOnly " << a.ReadOnly
             << ", required " << a.Required << ", format defined " << a.FormatWithCurrency << "/"
             << a.FormatWithoutCurrency << ", digit " << a.AcceptsDigit << "}";
}

const TAnswers kUnbound{.CanModify = false, .ReadOnly = true, .AcceptsDigit = false};

TAnswers Answers(TcxCustomDBEditDefaultValuesProvider& p) {
  String format, mask;
  p.DefaultDisplayFormat(format);
  p.DefaultEditMask(mask);
  return {p.DefaultAlignment(),  p.DefaultBlobKind(),      p.DefaultCanModify(),
          StringToUtf8(format),  StringToUtf8(mask),       p.DefaultIsFloatValue(),
          p.DefaultMaxLength(),  p.DefaultMaxValue(),      p.DefaultMinValue(),
          p.DefaultReadOnly(),   p.DefaultRequired(),      p.IsDisplayFormatDefined(true),
          p.IsDisplayFormatDefined(false), p.IsValidChar(u'7')};
}

// A dataset with one persistent field per kind the answers tell apart; a lookup field shows a
// region's name through REGIONID and KINDID.
struct TFieldsFixture {
  TFieldsFixture() {
    data = new TMemoryDataSet(&owner);
    data->AddFieldDef(u"ID", ftInteger);
    data->AddFieldDef(u"NAME", ftWideString, 10);
    data->AddFieldDef(u"CODE", ftFixedChar, 10);
    data->AddFieldDef(u"PRICE", ftFloat);
    data->AddFieldDef(u"AMOUNT", ftBCD, 4);
    data->AddFieldDef(u"WIDE", ftFMTBcd, 4);
    data->AddFieldDef(u"NOTES", ftMemo);
    data->AddFieldDef(u"PHOTO", ftGraphic);
    data->AddFieldDef(u"HIRED", ftDateTime);
    data->AddFieldDef(u"REGIONID", ftInteger);
    data->AddFieldDef(u"KINDID", ftInteger);
    for (int i = 0; i < data->FieldDefs()->Count(); ++i) data->FieldDefs()->Items(i)->CreateField(&owner, data);
    auto* lookup = new TWideStringField(&owner);
    lookup->SetFieldName(u"REGION");
    lookup->SetFieldKind(fkLookup);
    lookup->SetKeyFields(u"REGIONID;KINDID");
    lookup->SetDataSet(data);
  }
  TField* Field(const char16_t* AName) { return data->FieldByName(AName); }

  TComponent owner{nullptr};
  TMemoryDataSet* data;
};

struct TCase {
  const char* Name;
  // Binds the provider (or leaves it unbound) and sets up the field; runs before the dataset opens.
  std::function<void(TFieldsFixture&, TcxCustomDBEditDefaultValuesProvider&)> Setup;
  TAnswers Expected;
  bool OpenDataSet = true;
};

void Bind(TFieldsFixture& f, TcxCustomDBEditDefaultValuesProvider& p, const char16_t* AName) {
  p.SetField(f.Field(AName));
}

}  // namespace

TEST(cxDBEditDefaultValues, AnswersFollowTheBoundField) {
  const TCase cases[] = {
      {"unbound", [](auto&, auto&) {}, kUnbound},
      {"closed dataset", [](auto& f, auto& p) { Bind(f, p, u"NAME"); }, kUnbound, false},
      {"freed field",
       [](auto& f, auto& p) {
         Bind(f, p, u"NAME");
         delete f.Field(u"NAME");
       },
       kUnbound},
      {"wide string: its size, mask, required",
       [](auto& f, auto& p) {
         Bind(f, p, u"NAME");
         f.Field(u"NAME")->SetEditMask(u"LL;0;_");
         f.Field(u"NAME")->SetRequired(true);
         f.Field(u"NAME")->SetValidChars(TFieldChars::Of(u"abc"));
       },
       {.EditMask = "LL;0;_", .MaxLength = 10, .Required = true, .AcceptsDigit = false}},
      {"fixed char has no length", [](auto& f, auto& p) { Bind(f, p, u"CODE"); }, {}},
      {"integer: limits, display format in both cases",
       [](auto& f, auto& p) {
         Bind(f, p, u"ID");
         auto* id = static_cast<TIntegerField*>(f.Field(u"ID"));
         id->SetMaxValue(100);
         id->SetMinValue(-5);
         id->SetDisplayFormat(u"0.00");
         id->SetValidChars(TFieldChars::Of(u"0123456789"));
       },
       {.Alignment = taRightJustify,
        .DisplayFormat = "0.00",
        .MaxValue = 100,
        .MinValue = -5,
        .FormatWithCurrency = true,
        .FormatWithoutCurrency = true}},
      {"currency float: limits rounded to its precision, format only when currency is accepted",
       [](auto& f, auto& p) {
         Bind(f, p, u"PRICE");
         auto* price = static_cast<TFloatField*>(f.Field(u"PRICE"));
         price->SetMaxValue(1.23456);
         price->SetMinValue(-0.98765);
         price->SetPrecision(3);
         price->SetCurrency(true);
       },
       {.Alignment = taRightJustify,
        .IsFloat = true,
        .MaxValue = 1.23,
        .MinValue = -0.988,
        .FormatWithCurrency = true}},
      {"BCD: exact limits",
       [](auto& f, auto& p) {
         Bind(f, p, u"AMOUNT");
         static_cast<TBCDField*>(f.Field(u"AMOUNT"))->SetMaxValue(Currency(12.5));
       },
       {.Alignment = taRightJustify, .IsFloat = true, .MaxValue = 12.5}},
      {"FMT BCD: no limits, not a float",
       [](auto& f, auto& p) {
         Bind(f, p, u"WIDE");
         static_cast<TFloatField*>(f.Field(u"WIDE"))->SetMaxValue(7);
       },
       {.Alignment = taRightJustify}},
      {"memo", [](auto& f, auto& p) { Bind(f, p, u"NOTES"); }, {.BlobKind = 3}},
      {"graphic", [](auto& f, auto& p) { Bind(f, p, u"PHOTO"); }, {.BlobKind = 2}},
      {"date with a display format",
       [](auto& f, auto& p) {
         Bind(f, p, u"HIRED");
         static_cast<TDateTimeField*>(f.Field(u"HIRED"))->SetDisplayFormat(u"dd.mm.yyyy");
       },
       {.FormatWithCurrency = true, .FormatWithoutCurrency = true}},
      {"string with a text handler defines a format",
       [](auto& f, auto& p) {
         Bind(f, p, u"NAME");
         f.Field(u"NAME")->OnGetText = [](TField*, String& Text, bool) { Text = u"x"; };
       },
       {.MaxLength = 10, .FormatWithCurrency = true, .FormatWithoutCurrency = true}},
      {"read-only field",
       [](auto& f, auto& p) {
         Bind(f, p, u"NAME");
         f.Field(u"NAME")->SetReadOnly(true);
       },
       {.CanModify = false, .MaxLength = 10, .ReadOnly = true}},
      {"lookup field over two writable keys", [](auto& f, auto& p) { Bind(f, p, u"REGION"); }, {.MaxLength = 20}},
      {"lookup field over a read-only key",
       [](auto& f, auto& p) {
         Bind(f, p, u"REGION");
         f.Field(u"KINDID")->SetReadOnly(true);
       },
       {.CanModify = false, .MaxLength = 20}},
      {"lookup field without keys",
       [](auto& f, auto& p) {
         Bind(f, p, u"REGION");
         f.Field(u"REGION")->SetKeyFields(u"");
       },
       {.CanModify = false, .MaxLength = 20}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFieldsFixture f;
    auto provider = std::make_shared<TcxCustomDBEditDefaultValuesProvider>(nullptr);
    c.Setup(f, *provider);
    if (c.OpenDataSet) f.data->Open();
    EXPECT_EQ(Answers(*provider), c.Expected);
  }
}

TEST(cxDBEditDefaultValues, OpeningTheDatasetShowsTheFieldWithoutNotification) {
  TFieldsFixture f;
  TcxCustomDBEditDefaultValuesProvider provider(nullptr);
  int changes = 0;
  provider.SetOnChanged([&](TObject*) { ++changes; });
  provider.SetField(f.Field(u"ID"));
  EXPECT_EQ(Answers(provider), kUnbound);
  f.data->Open();
  EXPECT_EQ(provider.DefaultAlignment(), taRightJustify);
  EXPECT_FALSE(provider.DefaultReadOnly());
  f.data->Close();
  EXPECT_EQ(Answers(provider), kUnbound);
  EXPECT_EQ(changes, 0);
}

TEST(cxDBEditDefaultValues, FollowsOnlyTheFieldBoundLast) {
  TFieldsFixture f;
  TcxCustomDBEditDefaultValuesProvider provider(nullptr);
  TField* name = f.Field(u"NAME");
  TField* id = f.Field(u"ID");
  provider.SetField(name);
  provider.SetField(name);  // no second subscription: one removal must end it
  provider.SetField(id);
  delete name;  // no longer watched: the binding stays
  EXPECT_EQ(provider.Field(), id);
  delete id;
  EXPECT_EQ(provider.Field(), nullptr);
  f.data->Open();
  EXPECT_EQ(Answers(provider), kUnbound);
}

TEST(cxDBEditDefaultValues, AProviderFreedFirstLeavesItsFieldAlone) {
  TFieldsFixture f;
  {
    TcxCustomDBEditDefaultValuesProvider provider(nullptr);
    provider.SetField(f.Field(u"NAME"));
  }
  delete f.Field(u"NAME");  // would reach the freed notificator if it were still subscribed
  EXPECT_EQ(f.data->FindField(u"NAME"), nullptr);
}
