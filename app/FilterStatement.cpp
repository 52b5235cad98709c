#include "app/FilterStatement.h"

#include "platform/rtl/DateFormat.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"

namespace {

// Collects the kept conditions of one section and their description entries.
class TConditionList {
 public:
  explicit TConditionList(String& Description) : description_(Description) {}

  // Condition kept as it is (ticked) or negated (grayed); a clear box or an empty condition drops it.
  void Add(TFilterCheck Apply, const String& Condition, const String& Entry, const String& NegatedEntry) {
    if (Apply == TFilterCheck::Clear || Condition.empty()) return;
    const bool negated = Apply == TFilterCheck::Grayed;
    const String c = negated ? u" not(" + Condition + u")" : Condition;
    text_ = text_.empty() ? c : u"(" + text_ + u")" + u" and " + u"(" + c + u")";
    AddDescription(description_, negated ? NegatedEntry : Entry);
  }
  const String& Text() const { return text_; }

  static void AddDescription(String& Description, const String& Entry) {
    if (!Description.empty()) Description += u"; ";
    Description += Entry;
  }

 private:
  String& description_;
  String text_;
};

String InQuotes(const String& s) { return u"\"" + s + u"\""; }

// Apostrophes doubled; a typed % or _ keeps its LIKE meaning.
String TextCondition(const char16_t* Column, const TFilterTextRow& Row) {
  const String t = AnsiUpperCase(Trim(Row.Text));
  String pattern;
  if (Row.Item == u"точное совпадение")
    pattern = t;
  else if (Row.Item == u"начинается с ")
    pattern = t + u"%";
  else if (Row.Item == u"содержит" || Row.Item == u"содержит ")
    pattern = u"%" + t + u"%";
  else
    return String();
  return String(Column) + QuotedStr(pattern);
}

void AddTextRow(TConditionList& List, const char16_t* Column, const TFilterTextRow& Row,
                const String& Label) {
  const String tail = Row.Item + u" " + InQuotes(Row.Text);
  List.Add(Row.Apply, TextCondition(Column, Row), Label + u" " + tail, Label + u" не " + tail);
}

void AddLookupRow(TConditionList& List, const char16_t* Column, const TFilterLookupRow& Row,
                  const String& Label) {
  if (VarIsNull(Row.Key) || VarIsEmpty(Row.Key)) return;
  List.Add(Row.Apply, String(Column) + VarToStr(Row.Key), Label + u" " + InQuotes(Row.Name),
           Label + u" не " + InQuotes(Row.Name));
}

String BuildPersonCondition(const TFilterSettings& S, String& Description) {
  TConditionList list(Description);
  // The surname's grayed entry keeps its two blanks before "не".
  {
    const String tail = S.Surname.Item + u" " + InQuotes(S.Surname.Text);
    list.Add(S.Surname.Apply, TextCondition(u" UPPER(O_PEOPLE.FSTNAME) LIKE ", S.Surname), u"фамилия " + tail,
             u"фамилия  не " + tail);
  }
  {
    const TFilterAgeRow& a = S.Age;
    String c, values;
    if (a.Item == u"равен") {
      c = u" O_PEOPLE.AGE = " + a.From;
      values = u" " + a.From;
    } else if (a.Item == u"с") {
      c = u" O_PEOPLE.AGE >= " + a.From;
      values = u" " + a.From;
    } else if (a.Item == u"в пределах") {
      c = u" O_PEOPLE.AGE between " + a.From + u" and " + a.To;
      values = u" с " + a.From + u" по " + a.To;
    } else if (a.Item == u"по") {
      c = u" O_PEOPLE.AGE <= " + a.To;
      values = u" " + a.To;
    }
    list.Add(a.Apply, c, u"возраст " + a.Item + values + u", лет",
             u"возраст не " + a.Item + values + u", лет");
  }
  if (S.SexItem == 0 || S.SexItem == 1) {
    const String letter = InQuotes(S.SexItem == 0 ? u"М" : u"Ж");
    list.Add(S.SexApply, u" O_PEOPLE.M_SEXID = " + IntToStr(S.SexItem + 1), u"пол " + letter,
             u"пол не " + letter);
  }
  AddLookupRow(list, u" O_PEOPLE.M_KATID = ", S.Category, u"кат. должности");
  AddTextRow(list, u" UPPER(O_PEOPLE.DOLGNAME) LIKE ", S.Position, u"должность");
  return list.Text();
}

// Written as dd.mm.yyyy whatever the system's short date format: style 104 reads exactly that.
String Date104(TDateTime d) { return QuotedStr(FormatDateTime(u"dd\".\"mm\".\"yyyy", d)); }

String EndDateCondition(const TFilterDateRow& R) {
  const String d1 = Date104(R.From), d2 = Date104(R.To);
  if (!R.Latest) {
    if (R.Item == u"равен") return u" O_EDU.DATEFINISH =  convert(datetime," + d1 + u",104) ";
    if (R.Item == u"с") return u" O_EDU.DATEFINISH >= convert(datetime," + d1 + u",104) ";
    if (R.Item == u"в пределах")
      return u" O_EDU.DATEFINISH between  convert(datetime," + d1 + u",104) " + u" and " +
             u" convert(datetime," + d2 + u",104) ";
    if (R.Item == u"по") return u" O_EDU.DATEFINISH <= convert(datetime," + d2 + u",104) ";
    return String();
  }
  const String latest = u" MaxDateFinishEdu.MaxDateFinish ";
  if (R.Item == u"равен") return latest + u"=" + u" CONVERT(DATETIME," + d1 + u",104) ";
  if (R.Item == u"с") return latest + u">=" + u" CONVERT(DATETIME," + d1 + u",104) ";
  if (R.Item == u"по") return latest + u"<=" + u" CONVERT(DATETIME," + d2 + u",104) ";
  if (R.Item == u"в пределах")
    return u" MaxDateFinishEdu.MaxDateFinish between  CONVERT(DATETIME," + d1 + u",104) " + u" and " +
           u" convert(datetime," + d2 + u",104) ";
  return String();
}

String BuildEduCondition(const TFilterSettings& S, String& Description) {
  TConditionList list(Description);
  {
    const TFilterDateRow& r = S.EndDate;
    const String from = DateToStr(r.From), to = DateToStr(r.To);
    String values;
    if (r.Item == u"равен" || r.Item == u"с")
      values = u" " + from;
    else if (r.Item == u"в пределах")
      values = u" с " + from + u" по " + to;
    else if (r.Item == u"по")
      values = u" " + to;
    const String prefix = r.Latest ? u"(последнее из пройденных обучений) " : u"";
    list.Add(r.Apply, EndDateCondition(r), prefix + u"дата оконч. " + r.Item + values,
             prefix + u"дата оконч. не " + r.Item + values);
  }
  AddLookupRow(list, u" O_EDU.M_COLLAGEID = ", S.Institution, u"уч. заведение");
  AddLookupRow(list, u" O_EDU.M_ASSESSID = ", S.Assessment, u"оценка");
  AddLookupRow(list, u" O_EDU.M_KATEDUID = ", S.KindOfTraining, u"вид обучения");
  AddTextRow(list, u" UPPER(O_EDU.PROGNAME) LIKE ", S.Programme, u"программа обуч.");
  AddTextRow(list, u" UPPER(O_EDU.PLANNAME) LIKE ", S.Plan, u"уч. план");
  AddTextRow(list, u" UPPER(O_EDU.NOTE) LIKE ", S.Note, u"примеч.");
  return list.Text();
}

String BuildTerritoryCondition(const std::vector<TFilterNode>& Nodes, TFilterCheck Mode) {
  const bool excluded = Mode == TFilterCheck::Grayed;
  String text;
  for (const TFilterNode& n : Nodes) {
    const String term = String(u"(") + (excluded ? u" NOT " : u"") +
                        u" EXISTS (SELECT * FROM [DBO].[GETDESCENDANTDEP](" + n.Id +
                        u", 1) AS G  WHERE G.ID = O_PEOPLE.M_RAYON_DEPID)" + u")";
    text = text.empty() ? term : text + (excluded ? u" and " : u" or ") + term;
  }
  return text;
}

void Append(String& Where, const String& X) {
  Where = Where.empty() ? u"(" + X + u")" : u"(" + Where + u")" + u" AND " + u"(" + X + u")";
}

}  // namespace

TFilterTexts BuildFilterTexts(const TFilterSettings& S, const String& BaseWhere) {
  TFilterTexts out;
  if (S.Territory != TFilterCheck::Clear) {
    out.WhereText = BaseWhere;
    // No node chosen adds no condition: an empty "()" would only fail on the server.
    const String territory = BuildTerritoryCondition(S.SelectedNodes, S.Territory);
    if (!territory.empty()) Append(out.WhereText, territory);
    String names;
    for (const TFilterNode& n : S.SelectedNodes) names += (names.empty() ? u"" : u", ") + n.Name;
    out.FilterDescription =
        S.TerritoryCaption + (S.Territory == TFilterCheck::Ticked ? u"- " : u": НЕ ") + names;
    out.FilterSet = true;
  }
  const String person = BuildPersonCondition(S, out.FilterDescription);
  if (S.Person == TFilterCheck::Ticked) {
    if (!person.empty()) Append(out.WhereText, person);
    out.FilterSet = true;
  }
  if (S.Edu == TFilterCheck::Ticked) {
    Append(out.WhereText, u"EXISTS (SELECT * FROM O_EDU WHERE O_EDU.O_PEOPLEID = O_PEOPLE.O_PEOPLEID)");
    const String edu = BuildEduCondition(S, out.FilterDescription);
    if (!edu.empty()) {
      out.JoinText = u" inner join O_EDU on O_EDU.O_PEOPLEID=O_PEOPLE.O_PEOPLEID ";
      if (S.EndDate.Latest)
        out.JoinText += u" INNER JOIN MaxDateFinishEdu ON O_PEOPLE.O_PEOPLEID = MaxDateFinishEdu.O_PEOPLEID ";
      out.WhereText = out.WhereText + u" AND " + u"(" + edu + u")";
    }
    out.FilterSet = true;
  } else if (S.Edu == TFilterCheck::Grayed) {
    Append(out.WhereText, u"NOT EXISTS (SELECT * FROM O_EDU WHERE O_EDU.O_PEOPLEID = O_PEOPLE.O_PEOPLEID)");
    out.FilterSet = true;
  }
  return out;
}

String ComposeListStatement(const String& BaseSelect, const String& Join, const String& Where,
                            const String& OrderBy) {
  String s = BaseSelect;
  if (!Join.empty()) s += Join;
  if (!Where.empty()) s += u" WHERE " + Where;
  if (!OrderBy.empty()) s += u" ORDER BY " + OrderBy;
  return s;
}
