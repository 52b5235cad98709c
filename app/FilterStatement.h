// The filter window's texts built from its settings, apart from the window: the WHERE body, the
// JOIN clauses and the readable description of the people list's filter, and the list's statement
// made of them and the base parts.
#pragma once

#include <vector>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/String.h"
#include "platform/rtl/Variant.h"

// A section or apply box: clear is off, ticked applies, grayed applies negated.
enum class TFilterCheck { Clear = 0, Ticked = 1, Grayed = 2 };

// A text row: its text as typed and its comparison item ("точное совпадение", "начинается с ",
// "содержит", "содержит "; empty when none is chosen).
struct TFilterTextRow {
  TFilterCheck Apply = TFilterCheck::Clear;
  String Text;
  String Item;
};

// A range row (age, end date): the item "равен", "с", "в пределах", "по" or none.
struct TFilterAgeRow {
  TFilterCheck Apply = TFilterCheck::Clear;
  String Item;
  String From, To;  // the spin edits' texts
};

struct TFilterDateRow {
  TFilterCheck Apply = TFilterCheck::Clear;
  String Item;
  TDateTime From = 0, To = 0;
  bool Latest = false;  // "по последнему пройденному"
};

// A lookup row: the chosen key (Null when none) and its display name.
struct TFilterLookupRow {
  TFilterCheck Apply = TFilterCheck::Clear;
  Variant Key = Null();
  String Name;
};

struct TFilterNode {
  String Id;    // M_RAYON_DEPID as text
  String Name;  // SHORTNAME
};

struct TFilterSettings {
  TFilterCheck Territory = TFilterCheck::Clear;
  String TerritoryCaption = u"терр./орг-ция";
  std::vector<TFilterNode> SelectedNodes;  // in the tree's selection order

  TFilterCheck Person = TFilterCheck::Clear;
  TFilterTextRow Surname;
  TFilterAgeRow Age;
  TFilterCheck SexApply = TFilterCheck::Clear;
  int SexItem = -1;  // 0 "мужской" (1), 1 "женский" (2), -1 none
  TFilterLookupRow Category;
  TFilterTextRow Position;

  TFilterCheck Edu = TFilterCheck::Clear;
  TFilterDateRow EndDate;
  TFilterLookupRow Institution, Assessment, KindOfTraining;
  TFilterTextRow Programme, Plan, Note;
};

struct TFilterTexts {
  String WhereText;
  String JoinText;
  String FilterDescription;
  bool FilterSet = false;
};

// The texts for Settings; BaseWhere is the list statement's own WHERE body.
TFilterTexts BuildFilterTexts(const TFilterSettings& Settings, const String& BaseWhere);

// BaseSelect [Join] [" WHERE " Where] [" ORDER BY " OrderBy], each part only when not empty.
String ComposeListStatement(const String& BaseSelect, const String& Join, const String& Where,
                            const String& OrderBy);
