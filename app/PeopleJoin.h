// Two person cards side by side: the user ticks which of the source's values the target takes.
// The merge of two cards uses it whole; the import uses it, reduced, to copy a staged row's values
// onto a card it matched.
#pragma once

#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ListView.h"
#include "platform/forms/StdCtrls.h"

class TPeopleJoinForm : public TForm {
  TRENVIK_CLASS(TPeopleJoinForm, TForm);

 public:
  explicit TPeopleJoinForm(TComponent* AOwner) : TForm(AOwner) {}

  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* ToolButton3 = nullptr;
  TPanel* Panel1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* Memo1 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TListView* ListView2 = nullptr;
  TLabel* Label2 = nullptr;
  TMemo* Memo2 = nullptr;

  void FormCreate(TObject* Sender);
  void ToolButton1Click(TObject* Sender);
  void ToolButton3Click(TObject* Sender);

  // The import's copy of a staged row: six rows a side, no training records.
  void ReduceForCopy();
  // The value column of List's rows, from the top.
  static void ShowValues(TListView* List, const std::vector<String>& Values);
};

// Rows of the lists.
enum TPeopleJoinRow {
  pjrSurname,
  pjrFirstName,
  pjrPatronymic,
  pjrBirthDate,
  pjrSex,
  pjrPosition,
  pjrCategory,
  pjrPlaceOfWork,
  pjrTraining,
};
