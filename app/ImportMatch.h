// How the import matches a staged name of one reference list: exactly, then through the synonyms
// recorded earlier, then by asking the user.
#pragma once

#include <utility>
#include <vector>

#include "platform/forms/Forms.h"
#include "platform/rtl/Variant.h"

struct TReferenceKind {
  const char16_t* Exact;
  // Equality ignoring case: a synonym stands for one written form, not for every text inside it.
  const char16_t* Synonym;
  const char16_t* NotFound;
  // The not-found message closes the quoted text.
  bool CloseQuote;
  const char16_t* Table;
  const char16_t* KeyColumn;
  const char16_t* SynonymInsert;
  // Skip's message; nullptr where the dialog has no Skip.
  const char16_t* SkipText;
  // The key Skip gives: the statement's value, or 0 without one.
  const char16_t* SkipKey;
};

// What the user answered in a matching dialog.
struct TMatchAnswer {
  TModalResult Result = mrCancel;
  bool NewEntry = false;
  int SelectedID = 0;
  // The text the synonym records.
  String Text;
  // A new entry's columns.
  std::vector<std::pair<String, Variant>> NewEntryColumns;
};

extern const TReferenceKind kCollageKind;
extern const TReferenceKind kKatEduKind;
extern const TReferenceKind kRayonDepKind;
extern const TReferenceKind kSexKind;

inline constexpr const char16_t* kInfoCaption = u"Информация";
// The import stopped; it resumes with "Продолжить" and "Импортировать".
inline constexpr const char16_t* kImportStoppedText =
    u"Операция по закачке данных прервана.\n\rДля возобновления работы нажмите кнопку \"Продолжить закачку "
    u"данных\" и, далее, \"Импортировать\"  ";
inline constexpr const char16_t* kCollageRefusedText = u"Отказ от выбора учебного заведения";
